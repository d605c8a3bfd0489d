#pragma once

#include "cli/command.h"

namespace kovalin::cli {

// kovalin-cli freq FILE [--json] [--write OUT]: reads an XML data file and prints
// its frequency table with margins, title, labels and sampling code; --write
// writes the table again with the program's writer.
class FreqCommand : public Command {
 public:
  std::string name() const override { return "freq"; }
  std::string synopsis() const override;
  int execute(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) override;
};

}  // namespace kovalin::cli
