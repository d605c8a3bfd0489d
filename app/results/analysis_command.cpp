#include "app/results/analysis_command.h"

#include "app/results/results_document.h"
#include "app/results/results_workspace.h"
#include "app/shell/questions.h"
#include "app/views/subject_import.h"
#include "engine/forest_data.h"
#include "engine/npv_methods.h"
#include "simulation/analysis_run.h"
#include "simulation/record_validity.h"
#include "simulation/sim_mdb.h"
#include "simulation/record_source.h"

namespace kovalin::app {

namespace {

// The forest plot of a record that was analysed (a sample drawn or read, no problem).
std::optional<tForestPlot> ForestPlotOfRecord(tSimMDB& sim, const tRecordSource& records, int row,
                                              const tRunContext& context) {
  const bool raw = RecordTableKind(records) == tRecordTableKind::rawData;
  const tRecordCheck check = raw ? CheckRawRow(records, row) : CheckParamsRow(records, row);
  if (!check.ok() || (!raw && sim.NumOfValidSolsXY == 0) || !sim.HasMethods()) return std::nullopt;
  tMethodSet npv = CreateMethods(context.options, tSimulationType::simAny);
  if (context.options.npvoutput) CalculateNpv(npv, sim.InputData);
  return ForestPlotOf(sim.Methods(), context.options.npvoutput ? &npv : nullptr, context.names,
                      context.options.alfa_level);
}

}  // namespace

TFResults* Launch_SelectionAnalysis(tResultsWorkspace& workspace,
                                    std::optional<std::uint32_t> seed) {
  tActiveTable table;
  if (!workspace.ActiveTable(table) || !table.records) return nullptr;
  workspace.OptionsBeforeFirstRun(false);
  // The options dialog may have let events run: read the table again.
  if (!workspace.ActiveTable(table) || !table.records) return nullptr;
  // Text where numbers belong would be analysed as label numbers: a population
  // the table does not hold.
  if (const auto text = TextInNumberColumn(*table.records)) {
    ShowError("Analysis", QStringLiteral("Column \"%1\" holds the text \"%2\" where numbers are "
                                         "expected; the rows are not analysed.")
                              .arg(QString::fromStdString(text->column),
                                   QString::fromStdString(text->text)));
    return nullptr;
  }
  TFResults* results = workspace.NewResults(false);
  if (!results) return nullptr;
  results->DimTabla = {table.rows, table.records->ColumnCount()};
  results->ConfigAnalysis();
  const int top = std::min(table.firstSelected, table.lastSelected);
  const int bottom = std::max(table.firstSelected, table.lastSelected);
  tRunContext context = StartRunContext();
  context.names = TestNamesOf(table.document);
  std::vector<std::pair<QString, tForestPlot>> plots;
  AnalyzeSelection(*table.records, top, bottom, results->TextEditor1()->Document(), context, seed,
                   [&](tSimMDB& sim, int row) {
                     if (auto plot = ForestPlotOfRecord(sim, *table.records, row, context))
                       plots.emplace_back(QStringLiteral("Record %1 (ID %2)").arg(row).arg(sim.iRec.id),
                                          std::move(*plot));
                   });
  results->TextEditor1()->Document().Flush();
  results->MarkUnsaved();
  results->Forest()->SetRecords(std::move(plots));
  workspace.FinishResults(results);
  return results;
}

}  // namespace kovalin::app
