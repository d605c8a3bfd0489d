#pragma once

#include "cli/command.h"

namespace kovalin::cli {

// kovalin-cli analyze FILE: the analysis of selected records of a raw-data or
// VP/OR/P parameter table, as the results document would hold it, or as JSON.
class AnalyzeCommand : public Command {
 public:
  std::string name() const override { return "analyze"; }
  std::string synopsis() const override;
  int execute(const std::vector<std::string>& args, std::ostream& out,
              std::ostream& err) override;
};

}  // namespace kovalin::cli
