#pragma once

#include "cli/command.h"

namespace kovalin::cli {

// kovalin-cli export IN OUT [--delimiter tab|semicolon|comma|blank]: reads a
// record-table file as Open does and writes it in the program's export format.
class ExportCommand : public Command {
 public:
  std::string name() const override { return "export"; }
  std::string synopsis() const override;
  int execute(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) override;
};

}  // namespace kovalin::cli
