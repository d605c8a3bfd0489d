#include "app/results/results_commands.h"

#include <QAction>
#include <QCloseEvent>
#include <QItemSelectionModel>
#include <QTableView>
#include <QTimer>

#include "app/results/analysis_command.h"
#include "app/results/desk_workspace.h"
#include "app/results/simulation_launch.h"
#include "app/settings/options_commands.h"
#include "app/settings/settings_record.h"
#include "app/shell/main_window.h"
#include "app/views/data_table_document.h"
#include "app/views/data_table_frame.h"
#include "simulation/grid_record_source.h"

namespace kovalin::app {

namespace {

// The selected rows of the Input grid; with none, the row under the cursor.
void SelectedRows(const QTableView& grid, int& first, int& last) {
  first = last = 0;
  if (const QItemSelectionModel* selection = grid.selectionModel()) {
    for (const QModelIndex& i : selection->selectedIndexes()) {
      const int row = i.row() + 1;
      if (first == 0 || row < first) first = row;
      if (row > last) last = row;
    }
  }
  if (first == 0 && grid.currentIndex().isValid()) first = last = grid.currentIndex().row() + 1;
  if (first == 0) first = last = 1;
}

bool DescribeTabla(TFMDIChild* document, tActiveTable& table) {
  auto* tabla = dynamic_cast<TFTabla*>(document);
  if (!tabla || !tabla->Frame()) return false;
  auto source = std::make_shared<tGridRecordSource>(tabla->Frame()->Frame().DataTable1);
  table.records = source.get();
  table.keep = std::move(source);
  SelectedRows(*tabla->Frame()->Grid(), table.firstSelected, table.lastSelected);
  return true;
}

// Owns the commands' objects for the window's lifetime and asks before an exit
// that would leave a run behind.
class tResultsCommands : public QObject {
 public:
  tResultsCommands(TFMain& window, tResultsCommandHooks hooks)
      : QObject(&window),
        window_(window),
        workspace_(window, {std::move(hooks.rtfDocument), std::move(hooks.optionsBeforeFirstRun),
                            {}, DescribeTabla}),
        launch_(workspace_, &window) {
    window.installEventFilter(this);
    window.ConnectCommand(tCommand::Analyze, [this] { Launch_SelectionAnalysis(workspace_); });
    window.ConnectCommand(tCommand::Simulate, [this] { launch_.tb_LaunchSimulationClick(); });
    QAction* simulate = window.CommandAction(tCommand::Simulate);
    // The window enables its commands again whenever they may change.
    QObject::connect(simulate, &QAction::changed, this, [this, simulate] {
      if (launch_.Running() && simulate->isEnabled()) simulate->setEnabled(false);
    });
    QObject::connect(&launch_, &tSimulationLaunch::runningChanged, this,
                     [simulate](bool running) { simulate->setEnabled(!running); });
  }
  tSimulationLaunch& Launch() { return launch_; }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (watched == &window_ && event->type() == QEvent::Close && launch_.Running()) {
      launch_.AllowExit([window = &window_] { QTimer::singleShot(0, window, &QWidget::close); });
      event->ignore();
      return true;
    }
    return QObject::eventFilter(watched, event);
  }

 private:
  TFMain& window_;
  tDeskWorkspace workspace_;
  tSimulationLaunch launch_;
};

}  // namespace

tSimulationLaunch& ConnectResultsCommands(TFMain& window, tResultsCommandHooks hooks) {
  if (!hooks.rtfDocument) hooks.rtfDocument = [] { return ProgramSettings.RTFDocument != 0; };
  if (!hooks.optionsBeforeFirstRun) {
    hooks.optionsBeforeFirstRun = [w = &window](bool simulation) {
      if (simulation)
        OptionsBeforeSimulation(w);
      else
        OptionsBeforeAnalysis(w);
    };
  }
  return (new tResultsCommands(window, std::move(hooks)))->Launch();
}

}  // namespace kovalin::app
