#include "cli/analyze_command.h"
#include "cli/command.h"
#include "cli/compare_command.h"
#include "cli/export_command.h"
#include "cli/freq_command.h"
#include "cli/merge_command.h"
#include "cli/simulate_command.h"
#include "cli/table_command.h"

namespace kovalin::cli {

std::vector<std::unique_ptr<Command>> AllCommands() {
  std::vector<std::unique_ptr<Command>> commands;
  commands.push_back(std::make_unique<CompareCommand>());
  commands.push_back(std::make_unique<TableCommand>());
  commands.push_back(std::make_unique<ExportCommand>());
  commands.push_back(std::make_unique<FreqCommand>());
  commands.push_back(std::make_unique<AnalyzeCommand>());
  commands.push_back(std::make_unique<SimulateCommand>());
  commands.push_back(std::make_unique<MergeCommand>());
  return commands;
}

}  // namespace kovalin::cli
