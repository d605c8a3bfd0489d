#pragma once

#include <iosfwd>
#include <nlohmann/json.hpp>
#include <optional>
#include <set>
#include <string>

#include "cli/arguments.h"
#include "engine/paired_types.h"
#include "engine/test_names.h"
#include "tables/subject_table.h"

namespace kovalin::cli {

// The options that read a subject-level file instead of eight cells:
// --subjects FILE --a COL --b COL --gold COL [--positive CODES] [--negative CODES].
const std::set<std::string>& SubjectOptionNames();

// A subject-level file read through those options.
struct tSubjectInput {
  std::string path;
  tSubjectTable table;
};

// Reads the file --subjects names with the columns and codes of the other
// options. Nothing (and no error) when --subjects is not given; on bad options
// or a file that cannot be read, nothing and error set to one line. Every
// left-out row is written to err as a warning line, after one summary line.
std::optional<tSubjectInput> ReadSubjectInput(const Arguments& args, const std::string& command,
                                              std::ostream& err, std::string& error,
                                              TCSVDelimiters delimiter = csvUnknown);

// The counted cells as the input of a calculation, as compare reads eight cells.
tInputData InputOfSubjects(const tSubjectTable& table);

// The lines printed before a report of subjects, so that the user can check
// the cells: the file and its columns, then the eight cells in the cell order.
void PrintSubjectCells(std::ostream& out, const tSubjectInput& input);

// "subjects": the file, its columns, the rows read and the rows left out.
nlohmann::ordered_json SubjectsJson(const tSubjectInput& input);

// --names "A name,B name"; nothing when not given, and error set when malformed.
std::optional<tTestNames> ReadNamesOption(const Arguments& args, std::string& error);

// "names": {"A": ..., "B": ...}.
nlohmann::ordered_json NamesJson(const tTestNames& names);

}  // namespace kovalin::cli
