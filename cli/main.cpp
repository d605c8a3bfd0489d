#include <unistd.h>

#include <csignal>
#include <iostream>
#include <string>
#include <vector>

#include "cli/command.h"
#include "cli/fd_output.h"

int main(int argc, char** argv) {
  // A closed pipe then fails the write like a full disk does, and is reported
  // the same way, instead of ending the program silently.
  std::signal(SIGPIPE, SIG_IGN);
  std::ios::sync_with_stdio(false);
  std::vector<std::string> args(argv + 1, argv + argc);
  kovalin::cli::tFdOutput stdoutBuffer(STDOUT_FILENO);
  std::ostream out(&stdoutBuffer);
  const int status = kovalin::cli::RunCli(args, out, std::cerr);
  out.flush();
  return kovalin::cli::FinishOutput(stdoutBuffer, status, std::cerr);
}
