#include "cli/command.h"
#include "cli/compare_command.h"
#ifdef KOVALIN_WITH_RECORD_COMMANDS
#include "cli/analyze_command.h"
#include "cli/simulate_command.h"
#endif

namespace kovalin::cli {

std::vector<std::unique_ptr<Command>> AllCommands() {
  std::vector<std::unique_ptr<Command>> commands;
  commands.push_back(std::make_unique<CompareCommand>());
#ifdef KOVALIN_WITH_RECORD_COMMANDS
  commands.push_back(std::make_unique<AnalyzeCommand>());
  commands.push_back(std::make_unique<SimulateCommand>());
#endif
  return commands;
}

}  // namespace kovalin::cli
