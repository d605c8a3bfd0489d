#pragma once

#include <iosfwd>
#include <memory>
#include <string>
#include <vector>

namespace kovalin::cli {

// Exit statuses of kovalin-cli.
inline constexpr int kExitOk = 0;
inline constexpr int kExitFailure = 1;
inline constexpr int kExitUsage = 2;     // bad input: one line on stderr, nothing on stdout
inline constexpr int kExitCancelled = 130;

// One sub-command of kovalin-cli. execute() gets the arguments after the command
// name and writes only to the two streams it is given, so tests run it in-process.
class Command {
 public:
  virtual ~Command() = default;
  virtual std::string name() const = 0;
  virtual std::string synopsis() const = 0;  // one usage line
  virtual int execute(const std::vector<std::string>& args, std::ostream& out,
                      std::ostream& err) = 0;
};

// Every command kovalin-cli knows, in the order the help lists them.
std::vector<std::unique_ptr<Command>> AllCommands();

// Runs "kovalin-cli ARGS...": finds the command named by args[0].
int RunCli(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

}  // namespace kovalin::cli
