#include "app/results/desk_workspace.h"

#include "app/results/results_document.h"
#include "app/shell/main_desk.h"
#include "simulation/record_source.h"

namespace kovalin::app {

tDeskWorkspace::tDeskWorkspace(tMainDesk& desk, tHooks hooks)
    : desk_(desk), hooks_(std::move(hooks)) {}

bool tDeskWorkspace::ActiveTable(tActiveTable& table) {
  TFMDIChild* data = desk_.ActiveData;
  if (!data) return false;
  table.document = dynamic_cast<QWidget*>(data);
  if (const auto* source = dynamic_cast<const tAnalysisTable*>(data)) {
    table.records = source->AnalysisRecords();
    table.firstSelected = source->FirstSelectedRow();
    table.lastSelected = source->LastSelectedRow();
  } else if (!hooks_.describeTable || !hooks_.describeTable(data, table)) {
    return false;
  }
  if (!table.records) return false;
  table.rows = table.records->RowCount();
  table.number = data->tag;
  table.fileName = data->pFileFullName.isEmpty() ? data->pFileName : data->pFileFullName;
  return true;
}

TFResults* tDeskWorkspace::NewResults(bool simulation, QWidget* table) {
  auto* results = new TFResults(&desk_, hooks_.rtfDocument && hooks_.rtfDocument());
  if (!desk_.PlaceResults(results, simulation, dynamic_cast<TFMDIChild*>(table))) {
    delete results;
    return nullptr;
  }
  if (hooks_.show) hooks_.show(results);
  return results;
}

void tDeskWorkspace::FinishResults(TFResults* results) {
  if (results->TreeNode) results->SetCaption(tDocumentTree::Text(results->TreeNode));
  results->ShowProperties();
}

void tDeskWorkspace::OptionsBeforeFirstRun(bool simulation) {
  if (hooks_.optionsBeforeFirstRun) hooks_.optionsBeforeFirstRun(simulation);
}

}  // namespace kovalin::app
