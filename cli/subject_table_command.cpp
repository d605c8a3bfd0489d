#include "cli/subject_table_command.h"

#include <filesystem>
#include <nlohmann/json.hpp>
#include <ostream>

#include "cli/command.h"
#include "cli/subject_input.h"
#include "tables/csv_export.h"

namespace kovalin::cli {

bool AsksForSubjects(const std::vector<std::string>& args) {
  for (const std::string& a : args)
    if (a == "--subjects" || a.rfind("--subjects=", 0) == 0) return true;
  return false;
}

int RunSubjectTable(const std::vector<std::string>& argv, std::ostream& out, std::ostream& err) {
  std::set<std::string> valued = SubjectOptionNames();
  valued.insert("write");
  valued.insert("delimiter");
  Arguments args(valued, {"json"});
  if (!args.Parse(argv)) {
    err << "table: " << args.error() << "\n";
    return kExitUsage;
  }
  if (!args.positional().empty()) {
    err << "table: --subjects reads FILE; unexpected argument '" << args.positional()[0] << "'\n";
    return kExitUsage;
  }
  TCSVDelimiters delimiter = csvUnknown;
  if (const auto name = args.value("delimiter"); name && !DelimiterFromName(*name, delimiter)) {
    err << "table: unknown delimiter '" << *name << "' (auto, tab, semicolon, comma, blank or colon)\n";
    return kExitUsage;
  }
  const auto outPath = args.value("write");
  // A table written over another file would lose it: the user removes it first.
  std::error_code ec;
  if (outPath && std::filesystem::exists(*outPath, ec)) {
    err << "table: " << *outPath << ": the file exists; it is not replaced\n";
    return kExitUsage;
  }
  std::string error;
  const std::optional<tSubjectInput> input = ReadSubjectInput(args, "table", err, error, delimiter);
  if (!input) {
    err << "table: " << error << "\n";
    return kExitUsage;
  }
  const tSubjectTable& t = input->table;
  if (outPath) {
    const TDataTable table = RawDataTableOfCells(t.cells);
    std::string reason;
    if (!WriteFileBytes(*outPath, ExportText(table, std::vector<int>(9, 0), '\t'), reason)) {
      err << "table: " << *outPath << ": " << reason << "\n";
      return kExitFailure;
    }
  }
  if (args.has("json")) {
    nlohmann::ordered_json cells = nlohmann::ordered_json::array();
    for (std::size_t i = 1; i <= 8; ++i) cells.push_back(t.cells[i]);
    nlohmann::ordered_json j = {{"subjects", SubjectsJson(*input)}, {"cells", cells}};
    if (outPath) j["written"] = *outPath;
    out << j.dump(2, ' ', false, nlohmann::ordered_json::error_handler_t::replace) << "\n";
    return kExitOk;
  }
  PrintSubjectCells(out, *input);
  for (std::size_t i = 1; i <= 8; ++i)
    out << "X[" << i << "] (" << kCellLabels[i] << ")\t" << t.cells[i] << "\n";
  out << "N\t" << t.cells[0] << "\n";
  if (outPath) out << "Wrote the cells as a raw-data table of one record to " << *outPath << "\n";
  return kExitOk;
}

}  // namespace kovalin::cli
