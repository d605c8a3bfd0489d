#pragma once

#include <iosfwd>
#include <string>
#include <vector>

namespace kovalin::cli {

// True when the arguments of "table" read a subject-level file (--subjects).
bool AsksForSubjects(const std::vector<std::string>& args);

// kovalin-cli table --subjects FILE --a COL --b COL --gold COL [--positive CODES]
// [--negative CODES] [--delimiter D] [--write OUT] [--json]: prints the eight
// cells counted from the file and, with --write, writes them as a raw-data
// record table with one record.
int RunSubjectTable(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

}  // namespace kovalin::cli
