// Renders the real main window offscreen into PNG files for the README:
//   kovalin_screenshot EXAMPLES_DIR MAIN.png [PLOT.png [LAUNCHER.png]]
// MAIN: the example raw-data table with an analysis of its first two rows in a
// results document. PLOT: the Plot page of a confidence-interval simulation over
// the example parameter table. LAUNCHER: the simulation launcher before Start.
// Nothing is read from or written to the settings.
#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QItemSelectionModel>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QSpinBox>
#include <QTableView>
#include <QPlainTextEdit>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>

#include "app/results/results_commands.h"
#include "app/results/results_document.h"
#include "app/results/sim_launcher.h"
#include "app/results/simulation_launch.h"
#include "app/shell/main_window.h"
#include "app/views/data_table_document.h"
#include "app/views/data_table_frame.h"
#include "app/views/table_commands.h"
#include "app/views/table_registration.h"

namespace {

using namespace kovalin::app;

void Settle() {
  for (int i = 0; i < 3; ++i) QApplication::processEvents();
}

TFTabla* OpenCopy(TFMain& window, const QString& examples, const QTemporaryDir& dir,
                  const QString& name) {
  const QString copy = dir.filePath(name);
  if (!QFile::copy(QDir(examples).filePath(name), copy)) return nullptr;
  return OpenTableFile(window, copy);
}

void SelectRows(TFTabla* table, int first, int last) {
  QTableView* grid = table->Frame()->Grid();
  grid->selectionModel()->select(
      QItemSelection(grid->model()->index(first - 1, 0), grid->model()->index(last - 1, 0)),
      QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
}

TFResults* LastResults(TFMain& window) {
  TFResults* last = nullptr;
  for (QMdiSubWindow* frame : window.DocumentArea()->subWindowList())
    if (auto* r = qobject_cast<TFResults*>(frame->widget())) last = r;
  return last;
}

bool Save(TFMain& window, const char* name) {
  window.FormActivate();  // offscreen the window is never activated by a window manager
  Settle();
  if (window.grab().save(QString::fromLocal8Bit(name))) return true;
  std::fprintf(stderr, "kovalin_screenshot: cannot write %s\n", name);
  return false;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 3 || argc > 5) {
    std::fputs("usage: kovalin_screenshot EXAMPLES_DIR MAIN.png [PLOT.png [LAUNCHER.png]]\n", stderr);
    return 2;
  }
  QApplication app(argc, argv);
  const QString examples = QString::fromLocal8Bit(argv[1]);
  QTemporaryDir dir;
  TFMain window(false);
  // The defaults of a first run, without the Options dialog before the first analysis.
  tSimulationLaunch& launch = ConnectResultsCommands(window, {[] { return false; }, [](bool) {}});
  ConnectTableCommands(window, {});
  window.resize(1360, 760);
  window.show();
  window.FormActivate();

  TFTabla* table = OpenCopy(window, examples, dir, "raw_data.mrd");
  if (!table) {
    std::fprintf(stderr, "kovalin_screenshot: cannot open raw_data.mrd in %s\n", argv[1]);
    return 1;
  }
  SelectRows(table, 1, 2);
  window.CommandAction(tCommand::Analyze)->trigger();
  TFResults* analysis = LastResults(window);
  if (!analysis) {
    std::fputs("kovalin_screenshot: the analysis made no results document\n", stderr);
    return 1;
  }
  // The table at the left, as narrow as its frame allows, its results at the right.
  auto* tableFrame = qobject_cast<QMdiSubWindow*>(table->parentWidget());
  auto* resultsFrame = qobject_cast<QMdiSubWindow*>(analysis->parentWidget());
  if (tableFrame && resultsFrame) {
    Settle();  // the side panel takes its place with the first table
    const QRect area = window.DocumentArea()->viewport()->rect();
    const int split = std::max(tableFrame->minimumSizeHint().width(), area.width() * 2 / 5);
    tableFrame->showNormal();
    resultsFrame->showNormal();
    tableFrame->setGeometry(0, 0, split, area.height());
    resultsFrame->setGeometry(split, 0, area.width() - split, area.height());
  }
  Settle();
  analysis->TextEditor1()->Memo1()->moveCursor(QTextCursor::Start);
  if (!Save(window, argv[2])) return 1;
  if (argc == 3) return 0;

  TFTabla* parameters = OpenCopy(window, examples, dir, "parameters_vp.mrd");
  if (!parameters) {
    std::fprintf(stderr, "kovalin_screenshot: cannot open parameters_vp.mrd in %s\n", argv[1]);
    return 1;
  }
  SelectRows(parameters, 1, 5);
  window.CommandAction(tCommand::Simulate)->trigger();
  Tf_SimLauncher& launcher = *launch.Launcher();
  launcher.speSamplesBase->setValue(2);
  launcher.speSamplesExp->setValue(3);
  launcher.cb_Sim_CI->click();
  launcher.edSeed->setText("20261209");
  if (argc > 4) {
    // The launcher as it shows before Start, when a fourth name is given.
    Settle();
    if (!launcher.grab().save(QString::fromLocal8Bit(argv[4]))) return 1;
  }
  launcher.btStart->click();  // the run yields, and returns when it is done
  launcher.btDone->click();
  TFResults* simulation = LastResults(window);
  if (!simulation || simulation == analysis) {
    std::fputs("kovalin_screenshot: the simulation made no results document\n", stderr);
    return 1;
  }
  simulation->SetActivePage(TFResults::ts_Plot);
  if (QMdiSubWindow* frame = qobject_cast<QMdiSubWindow*>(simulation->parentWidget()))
    frame->showMaximized();
  return Save(window, argv[3]) ? 0 : 1;
}
