#include "cli/export_command.h"

#include <ostream>

#include "cli/arguments.h"
#include "tables/csv_export.h"
#include "tables/export_check.h"
#include "tables/numeric_grid.h"
#include "tables/table_loader.h"
#include "tables/warning_summary.h"

namespace kovalin::cli {

std::string ExportCommand::synopsis() const { return "export IN OUT [--delimiter tab|semicolon|comma|blank]"; }

int ExportCommand::execute(const std::vector<std::string>& argv, std::ostream& out, std::ostream& err) {
  Arguments args({"delimiter"}, {});
  if (!args.Parse(argv)) {
    err << "export: " << args.error() << "\n";
    return kExitUsage;
  }
  if (args.positional().size() != 2) {
    err << "export: expected IN and OUT, got " << args.positional().size() << " arguments\n";
    return kExitUsage;
  }
  TCSVDelimiters delimiter = csvTab;
  if (const auto name = args.value("delimiter")) {
    if (!DelimiterFromName(*name, delimiter) || delimiter == csvUnknown || delimiter == csvColon) {
      err << "export: unknown delimiter '" << *name << "' (tab, semicolon, comma or blank)\n";
      return kExitUsage;
    }
  }
  const std::string& in = args.positional()[0];
  const std::string& outPath = args.positional()[1];
  tRecordTableFile file = LoadRecordTable(in);
  if (!file.ok) {
    err << "export: " << file.error << "\n";
    return kExitUsage;
  }
  // The grid keeps at most 10 decimals, and the export writes what the grid holds.
  std::vector<int> decimals;
  for (const int d : file.decimals) decimals.push_back(d > TNTabEd::kMaxDecPlaces ? TNTabEd::kMaxDecPlaces : d);
  std::string reason;
  if (!WriteFileBytes(outPath, ExportText(file.table, decimals, DelimiterChar(delimiter)), reason)) {
    err << "export: " << outPath << ": " << reason << "\n";
    return kExitFailure;
  }
  for (const std::string& w : SummarizeWarnings(file.warnings)) err << "export: warning: " << w << "\n";
  for (const std::string& w : ExportNumberWarnings(file.table)) err << "export: warning: " << w << "\n";
  out << "Wrote " << file.table.NrOfRows() << " rows of " << file.table.NrOfColumns() << " columns to "
      << outPath << "\n";
  return kExitOk;
}

}  // namespace kovalin::cli
