#include "cli/command.h"
#include "cli/compare_command.h"

namespace kovalin::cli {

std::vector<std::unique_ptr<Command>> AllCommands() {
  std::vector<std::unique_ptr<Command>> commands;
  commands.push_back(std::make_unique<CompareCommand>());
  return commands;
}

}  // namespace kovalin::cli
