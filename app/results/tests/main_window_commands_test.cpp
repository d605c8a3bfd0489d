// The results commands in the real main window over a data table document.
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QFile>
#include <QItemSelectionModel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QProgressBar>
#include <QPushButton>
#include <QSpinBox>
#include <QTableView>
#include <QTemporaryDir>
#include <QTimer>
#include <sstream>

#include <gtest/gtest.h>

#include "app/results/results_commands.h"
#include "app/results/results_document.h"
#include "app/results/sim_launcher.h"
#include "app/results/simulation_launch.h"
#include "app/settings/options_dialog.h"
#include "app/settings/options_logic.h"
#include "app/shell/main_window.h"
#include "app/testing/scripted_questions.h"
#include "app/views/data_table_document.h"
#include "app/views/data_table_frame.h"
#include "app/views/table_commands.h"
#include "cli/analyze_command.h"
#include "engine/app_options.h"
#include "simulation/sim_running.h"

namespace kovalin::app {
namespace {

class MainWindowCommands : public ::testing::Test {
 protected:
  void SetUp() override {
    ScriptedQuestions().Reset();
    AskOnClose = true;
    window = std::make_unique<TFMain>();
    // The Options dialog's OK sets the simulation number format from the decimals.
    launch = &ConnectResultsCommands(*window, {{}, [this](bool) {
                                       ++optionsShown;
                                       SetSimOutDecimals(AppOptions.decimals);
                                     }});
    window->show();
  }
  void TearDown() override {
    window.reset();
    EXPECT_TRUE(ScriptedQuestions().AllAnswersUsed());
    SimRunning = false;
  }
  TFTabla* Open(const QString& name) {
    const QString copy = dir.filePath(name);
    QFile::copy(QString(KOVALIN_SOURCE_DIR "/examples/") + name, copy);
    return OpenTableFile(*window, copy);
  }
  void SelectRows(TFTabla* table, int first, int last) {
    QTableView* grid = table->Frame()->Grid();
    grid->selectionModel()->clearSelection();
    for (int row = first; row <= last; ++row)
      grid->selectionModel()->select(grid->model()->index(row - 1, 0),
                                     QItemSelectionModel::Select | QItemSelectionModel::Rows);
  }
  QList<TFResults*> Results() const {
    QList<TFResults*> list;
    for (QMdiSubWindow* frame : window->DocumentArea()->subWindowList())
      if (auto* r = qobject_cast<TFResults*>(frame->widget())) list << r;
    return list;
  }

  QTemporaryDir dir;
  std::unique_ptr<TFMain> window;
  tSimulationLaunch* launch = nullptr;
  int optionsShown = 0;
};

TEST_F(MainWindowCommands, AnalysisOfTheSelectedRowsOfTable1Twice) {
  TFTabla* table = Open("raw_data.mrd");
  ASSERT_TRUE(table);
  QAction* analyze = window->CommandAction(tCommand::Analyze);
  ASSERT_TRUE(analyze->isEnabled());
  SelectRows(table, 2, 2);
  analyze->trigger();
  // No row selected: the row under the cursor.
  table->Frame()->Grid()->selectionModel()->clearSelection();
  table->Frame()->Grid()->selectionModel()->setCurrentIndex(
      table->Frame()->Grid()->model()->index(0, 1), QItemSelectionModel::NoUpdate);
  analyze->trigger();
  const QList<TFResults*> results = Results();
  ASSERT_EQ(results.size(), 2);
  EXPECT_EQ(results[0]->Caption(), "Results 1.1");
  EXPECT_EQ(results[1]->Caption(), "Results 1.2");
  EXPECT_EQ(optionsShown, 2);

  for (const auto& [doc, row] : {std::pair{results[0], "2"}, {results[1], "1"}}) {
    std::ostringstream out, err;
    cli::AnalyzeCommand command;
    ASSERT_EQ(command.execute({KOVALIN_SOURCE_DIR "/examples/raw_data.mrd", "--rows", row}, out,
                              err),
              0);
    EXPECT_EQ((doc->TextEditor1()->Lines().join(u'\n') + u'\n').toStdString(), out.str());
  }
}

TEST_F(MainWindowCommands, SimulationDisablesItsCommandAndAsksBeforeTheTableCloses) {
  TFTabla* table = Open("parameters_vp.mrd");
  ASSERT_TRUE(table);
  SelectRows(table, 1, 2);
  window->CommandAction(tCommand::Simulate)->trigger();
  Tf_SimLauncher& L = *launch->Launcher();
  ASSERT_TRUE(L.isVisible());
  EXPECT_EQ(L.spe_RecordInit->value(), 1);
  EXPECT_EQ(L.spe_RecordEnd->value(), 2);
  L.speSamplesBase->setValue(5);
  L.speSamplesExp->setValue(2);
  L.cb_Sim_CI->click();
  bool disabledWhileRunning = false;
  bool closed = true;
  ScriptedQuestions().AnswerNext(tAnswer::No);
  QTimer::singleShot(0, &L, [&] {
    QTimer::singleShot(0, &L, [&] {
      disabledWhileRunning = !window->CommandAction(tCommand::Simulate)->isEnabled();
      closed = table->RequestClose();
    });
  });
  L.btStart->click();
  EXPECT_TRUE(disabledWhileRunning);
  EXPECT_FALSE(closed);
  EXPECT_EQ(ScriptedQuestions().Messages().last().text,
            "A simulation is running on this table. Stop it?");
  EXPECT_EQ(launch->LastOutcome(), tRunOutcome::complete);
  EXPECT_TRUE(window->CommandAction(tCommand::Simulate)->isEnabled());
  ASSERT_EQ(Results().size(), 1);
  EXPECT_EQ(Results()[0]->Caption(), "Results 1.1");
  EXPECT_TRUE(QFile::exists(dir.filePath("parameters_vp_IC_0001.mrd")));
  L.btDone->click();
}

// The program's own first-run Options dialog, with "Extended output" ticked, adds
// the block to every record: the text of the command line's analyze --extended.
TEST(MainWindowExtendedOutput, TheOptionsDialogsBoxAddsTheBlockToEachRecord) {
  ScriptedQuestions().Reset();
  AppOptions = DefaultAppOptions();
  FirstAnalysisPending = true;
  QTemporaryDir dir;
  const QString copy = dir.filePath("raw_data.mrd");
  QFile::copy(KOVALIN_SOURCE_DIR "/examples/raw_data.mrd", copy);
  TFMain window;
  ConnectResultsCommands(window);
  window.show();
  TFTabla* table = OpenTableFile(window, copy);
  ASSERT_TRUE(table);
  QTableView* grid = table->Frame()->Grid();
  grid->selectionModel()->select(
      QItemSelection(grid->model()->index(1, 0), grid->model()->index(2, 0)),
      QItemSelectionModel::Select | QItemSelectionModel::Rows);
  bool ticked = false;
  QTimer::singleShot(0, &window, [&] {
    auto* dialog = qobject_cast<TFMethods*>(QApplication::activeModalWidget());
    if (!dialog) return;
    dialog->ExtendedOutputBox()->click();
    ticked = dialog->ExtendedOutputBox()->isChecked();
    dialog->OkButton()->click();
  });
  window.CommandAction(tCommand::Analyze)->trigger();
  ASSERT_TRUE(ticked);
  TFResults* results = nullptr;
  for (QMdiSubWindow* frame : window.DocumentArea()->subWindowList())
    if (auto* r = qobject_cast<TFResults*>(frame->widget())) results = r;
  ASSERT_TRUE(results);
  const QString text = results->TextEditor1()->Lines().join(u'\n') + u'\n';
  EXPECT_EQ(text.count("[3] ACCURACY OF EACH TEST AND COMPARISONS"), 2);
  std::ostringstream out, err;
  cli::AnalyzeCommand command;
  ASSERT_EQ(command.execute({KOVALIN_SOURCE_DIR "/examples/raw_data.mrd", "--rows", "2-3",
                             "--methods", "d,da,dp,LR,LRa,LRp,R,Ra,Rp", "--extended"},
                            out, err),
            0)
      << err.str();
  EXPECT_EQ(text.toStdString(), out.str());
  AppOptions = DefaultAppOptions();
  EXPECT_TRUE(ScriptedQuestions().AllAnswersUsed());
}

}  // namespace
}  // namespace kovalin::app
