#pragma once

#include "cli/command.h"

namespace kovalin::cli {

// kovalin-cli merge OUT PART...: joins the output files of row shards
// (simulate --rows A-B with the same seed) into OUT and their logs into OUT's
// log, as one run over all their rows would have written them.
class MergeCommand : public Command {
 public:
  std::string name() const override { return "merge"; }
  std::string synopsis() const override;
  int execute(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) override;
};

}  // namespace kovalin::cli
