#include "app/results/analysis_command.h"

#include "app/results/results_document.h"
#include "app/results/results_workspace.h"
#include "app/shell/questions.h"
#include "simulation/analysis_run.h"
#include "simulation/record_source.h"

namespace kovalin::app {

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
  AnalyzeSelection(*table.records, top, bottom, results->TextEditor1()->Document(), seed);
  results->TextEditor1()->Document().Flush();
  results->MarkUnsaved();
  workspace.FinishResults(results);
  return results;
}

}  // namespace kovalin::app
