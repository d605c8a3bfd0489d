#pragma once

#include "cli/command.h"

namespace kovalin::cli {

// kovalin-cli compare X1 .. X8 [options]: analyses one paired table given as its
// eight frequencies, as the analysis of a raw-data record reports its methods.
class CompareCommand : public Command {
 public:
  std::string name() const override { return "compare"; }
  std::string synopsis() const override;
  int execute(const std::vector<std::string>& args, std::ostream& out,
              std::ostream& err) override;
};

}  // namespace kovalin::cli
