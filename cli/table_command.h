#pragma once

#include "cli/command.h"

namespace kovalin::cli {

// kovalin-cli table FILE [--delimiter auto|tab|semicolon|comma|blank|colon] [--json]:
// reads a record-table file as Open does and prints its kind, its columns with
// their decimal places and its rows as the numeric grid shows them.
class TableCommand : public Command {
 public:
  std::string name() const override { return "table"; }
  std::string synopsis() const override;
  int execute(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) override;
};

}  // namespace kovalin::cli
