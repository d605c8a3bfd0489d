#include "cli/freq_command.h"

#include <nlohmann/json.hpp>
#include <ostream>

#include "cli/arguments.h"
#include "cli/scoped_restore.h"
#include "tables/csv_export.h"
#include "tables/text_utils.h"
#include "tables/xml_data_file.h"
#include "tables/warning_summary.h"

namespace kovalin::cli {

namespace {

constexpr int kWidth = 10;

std::string Cell(const tTextGrid& grid, int col, int row) {
  return PadNumber(TrimBlanks(grid.Cell(col, row)), kWidth);
}

void PrintText(const tFrequencyTable& t, const std::string& title, std::ostream& out) {
  out << "Title: " << title << "\n";
  out << "Rows: " << t.TablaDimR << " (label " << t.lblR << ")\n";
  out << "Columns: " << t.TablaDimC << " (label " << t.lblC << ")\n";
  out << "Sampling: " << t.Sampling << "\n";
  const tTextGrid& g = t.Grid;
  out << std::string(kWidth, ' ');
  for (int c = 2; c < g.ColCount(); ++c) out << " " << Cell(g, c, 0);
  out << " " << PadNumber("Total", kWidth) << "\n";
  for (int r = 2; r < g.RowCount(); ++r) {
    out << Cell(g, 0, r);
    for (int c = 2; c < g.ColCount(); ++c) out << " " << Cell(g, c, r);
    out << " " << Cell(g, 1, r) << "\n";
  }
  out << PadNumber("Total", kWidth);
  for (int c = 2; c < g.ColCount(); ++c) out << " " << Cell(g, c, 1);
  out << " " << Cell(g, 1, 1) << "\n";
}

void PrintJson(const tFrequencyTable& t, const std::string& title, const std::vector<std::string>& warnings,
               std::ostream& out) {
  nlohmann::ordered_json j;
  j["title"] = title;
  j["rows"] = t.TablaDimR;
  j["cols"] = t.TablaDimC;
  j["row_label"] = t.lblR;
  j["col_label"] = t.lblC;
  j["sampling"] = t.Sampling;
  j["cells"] = nlohmann::ordered_json::array();
  j["row_totals"] = nlohmann::ordered_json::array();
  for (int i = 1; i <= t.TablaDimR; ++i) {
    nlohmann::ordered_json row = nlohmann::ordered_json::array();
    for (int k = 1; k <= t.TablaDimC; ++k) row.push_back(t.Value(i, k));
    j["cells"].push_back(std::move(row));
    j["row_totals"].push_back(t.Value(i, 0));
  }
  j["col_totals"] = nlohmann::ordered_json::array();
  for (int k = 1; k <= t.TablaDimC; ++k) j["col_totals"].push_back(t.Value(0, k));
  j["total"] = t.Value(0, 0);
  j["warnings"] = warnings;
  out << j.dump(2, ' ', false, nlohmann::ordered_json::error_handler_t::replace) << "\n";
}

}  // namespace

std::string FreqCommand::synopsis() const { return "freq FILE [--json] [--write OUT]"; }

int FreqCommand::execute(const std::vector<std::string>& argv, std::ostream& out, std::ostream& err) {
  Arguments args({"write"}, {"json"});
  if (!args.Parse(argv)) {
    err << "freq: " << args.error() << "\n";
    return kExitUsage;
  }
  if (args.positional().size() != 1) {
    err << "freq: expected one FILE, got " << args.positional().size() << " arguments\n";
    return kExitUsage;
  }
  // Loading a data file replaces the process-wide table settings.
  ScopedRestore<rTableSettings> restoreSettings(CurrentTableSettings);
  const std::string& path = args.positional()[0];
  tXmlLoadResult loaded = LoadTable(path);
  if (!loaded.ok) {
    err << "freq: " << loaded.error << "\n";
    return kExitUsage;
  }
  // The file's own title; the document would show the file name as its caption.
  const std::string title = CurrentTableSettings.Problema;
  tFrequencyTable& table = loaded.table;
  if (const auto target = args.value("write")) {
    table.Alias = title;
    std::string reason;
    if (!WriteFileBytes(*target, XmlDataText(table), reason)) {
      err << "freq: " << *target << ": " << reason << "\n";
      return kExitFailure;
    }
  }
  if (args.has("json")) {
    PrintJson(table, title, loaded.warnings, out);
  } else {
    PrintText(table, title, out);
    for (const std::string& w : SummarizeWarnings(loaded.warnings)) err << "freq: warning: " << w << "\n";
  }
  return kExitOk;
}

}  // namespace kovalin::cli
