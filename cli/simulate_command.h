#pragma once

#include <functional>

#include "cli/command.h"

namespace kovalin::cli {

// kovalin-cli simulate FILE --kinds ci,it,gt: the simulation runs of a VP/OR/P
// parameter table, each kind into its numbered output file and log file.
class SimulateCommand : public Command {
 public:
  std::string name() const override { return "simulate"; }
  std::string synopsis() const override;
  int execute(const std::vector<std::string>& args, std::ostream& out,
              std::ostream& err) override;

  // Called at every yield of the run (tests raise Ctrl-C from here).
  void SetYieldHook(std::function<void()> hook) { yieldHook_ = std::move(hook); }

 private:
  std::function<void()> yieldHook_;
};

}  // namespace kovalin::cli
