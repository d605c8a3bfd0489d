#include <ostream>

#include "cli/command.h"

namespace kovalin::cli {

namespace {

void PrintUsage(std::ostream& os) {
  os << "usage: kovalin-cli COMMAND [ARGS...]\n\ncommands:\n";
  for (const auto& command : AllCommands()) os << "  " << command->synopsis() << "\n";
}

}  // namespace

int RunCli(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  if (args.empty()) {
    PrintUsage(err);
    return kExitUsage;
  }
  if (args[0] == "--help" || args[0] == "-h" || args[0] == "help") {
    PrintUsage(out);
    return kExitOk;
  }
  for (auto& command : AllCommands()) {
    if (command->name() == args[0]) {
      return command->execute(std::vector<std::string>(args.begin() + 1, args.end()), out, err);
    }
  }
  err << "kovalin-cli: unknown command '" << args[0] << "' (try kovalin-cli --help)\n";
  return kExitUsage;
}

}  // namespace kovalin::cli
