#include "cli/table_command.h"

#include <nlohmann/json.hpp>
#include <ostream>

#include "cli/arguments.h"
#include "cli/subject_table_command.h"
#include "tables/numeric_grid.h"
#include "tables/table_loader.h"

namespace kovalin::cli {

namespace {

nlohmann::ordered_json CellJson(const TDataTable& table, int col, int row) {
  const std::uint8_t state = table.GetCellState(col, row);
  if (state & (kCellEmpty | kCellNotANumber)) return nullptr;
  const double v = table.GetElem(col, row);
  const TMScaleType scale = table.GetScaleType(col);
  if ((scale == stNominal || scale == stOrdinal) && v >= 1 && v <= table.NominalLabelCount(col)) {
    return {{"label", table.NominalLabel(col, static_cast<int>(v))}};
  }
  if (!std::isfinite(v)) return nullptr;
  return v;
}

void PrintJson(const tRecordTableFile& file, const TNTabEd& grid, std::ostream& out) {
  nlohmann::ordered_json j;
  j["kind"] = DBTypeCaption(file.kind);
  j["delimiter"] = DelimiterName(DelimiterCode(file.delimiter));
  j["columns"] = nlohmann::ordered_json::array();
  for (int c = 1; c <= grid.GetNrOfColumns(); ++c) {
    j["columns"].push_back({{"name", grid.GetColName(c)},
                            {"decimals", grid.GetDecPlaces(c)},
                            {"scale", ScaleTypeName(file.table.GetScaleType(c))}});
  }
  j["rows"] = nlohmann::ordered_json::array();
  for (int r = 1; r <= grid.GetNrOfRows(); ++r) {
    nlohmann::ordered_json row = nlohmann::ordered_json::array();
    for (int c = 1; c <= grid.GetNrOfColumns(); ++c) row.push_back(CellJson(file.table, c, r));
    j["rows"].push_back(std::move(row));
  }
  j["warnings"] = file.warnings;
  // Replacement keeps invalid 8-bit text from aborting the output.
  out << j.dump(2, ' ', false, nlohmann::ordered_json::error_handler_t::replace) << "\n";
}

void PrintText(const std::string& path, const tRecordTableFile& file, const TNTabEd& grid, std::ostream& out) {
  out << "File: " << path << "\n";
  out << "Kind: " << DBTypeCaption(file.kind) << "\n";
  out << "Delimiter: " << DelimiterName(DelimiterCode(file.delimiter)) << "\n";
  out << "Columns: " << grid.GetNrOfColumns() << "\n";
  for (int c = 1; c <= grid.GetNrOfColumns(); ++c) {
    out << "  " << c << "\t" << grid.GetColName(c) << "\tdecimals " << grid.GetDecPlaces(c) << "\t"
        << ScaleTypeName(file.table.GetScaleType(c)) << "\n";
  }
  out << "Rows: " << grid.GetNrOfRows() << "\n";
  for (int c = 1; c <= grid.GetNrOfColumns(); ++c) out << (c > 1 ? "\t" : "") << grid.GetColName(c);
  out << "\n";
  for (int r = 1; r <= grid.GetNrOfRows(); ++r) {
    for (int c = 1; c <= grid.GetNrOfColumns(); ++c) out << (c > 1 ? "\t" : "") << grid.CellText(c, r);
    out << "\n";
  }
}

}  // namespace

std::string TableCommand::synopsis() const {
  return "table FILE [--delimiter auto|tab|semicolon|comma|blank|colon] [--json]  |  table "
         "--subjects FILE --a COL --b COL --gold COL [--positive CODES] [--negative CODES] "
         "[--write OUT] [--json]";
}

int TableCommand::execute(const std::vector<std::string>& argv, std::ostream& out, std::ostream& err) {
  if (AsksForSubjects(argv)) return RunSubjectTable(argv, out, err);
  Arguments args({"delimiter"}, {"json"});
  if (!args.Parse(argv)) {
    err << "table: " << args.error() << "\n";
    return kExitUsage;
  }
  if (args.positional().size() != 1) {
    err << "table: expected one FILE, got " << args.positional().size() << " arguments\n";
    return kExitUsage;
  }
  TCSVDelimiters delimiter = csvUnknown;
  if (const auto name = args.value("delimiter"); name && !DelimiterFromName(*name, delimiter)) {
    err << "table: unknown delimiter '" << *name << "' (auto, tab, semicolon, comma, blank or colon)\n";
    return kExitUsage;
  }
  const std::string& path = args.positional()[0];
  tRecordTableFile file = LoadRecordTable(path, delimiter);
  if (!file.ok) {
    err << "table: " << file.error << "\n";
    return kExitUsage;
  }
  TNTabEd grid(&file.table);
  for (int c = 1; c <= grid.GetNrOfColumns(); ++c) grid.SetDecPlaces(c, file.decimals[static_cast<std::size_t>(c - 1)]);
  if (args.has("json")) {
    PrintJson(file, grid, out);
  } else {
    PrintText(path, file, grid, out);
    for (const std::string& w : file.warnings) err << "table: warning: " << w << "\n";
  }
  return kExitOk;
}

}  // namespace kovalin::cli
