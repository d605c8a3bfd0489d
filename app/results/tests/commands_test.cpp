// The analysis and simulation commands of the desktop, against the command
// line's output for the same table and seed.
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QLineSeries>
#include <QProgressBar>
#include <QPushButton>
#include <QSpinBox>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QTimer>
#include <QCheckBox>
#include <sstream>

#include <gtest/gtest.h>

#include "app/results/analysis_command.h"
#include "app/views/subject_import.h"
#include "app/results/log_off.h"
#include "app/results/sim_launcher.h"
#include "app/results/simulation_launch.h"
#include "app/results/tests/fake_workspace.h"
#include "app/testing/scripted_questions.h"
#include "cli/analyze_command.h"
#include "cli/simulate_command.h"
#include "engine/app_options.h"
#include "simulation/sim_running.h"

namespace kovalin::app {
namespace {

using testing::tFakeTable;
using testing::tFakeWorkspace;

const std::string kRaw = KOVALIN_SOURCE_DIR "/examples/raw_data.mrd";
const std::string kParams = KOVALIN_SOURCE_DIR "/examples/parameters_vp.mrd";

QByteArray ReadAll(const QString& name) {
  QFile f(name);
  if (!f.open(QIODevice::ReadOnly)) return "(missing " + name.toUtf8() + ")";
  return f.readAll();
}

class CommandsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ScriptedQuestions().Reset();
    AppOptions = DefaultAppOptions();
    SetSimOutDecimals(AppOptions.decimals);
  }
  void TearDown() override {
    EXPECT_TRUE(ScriptedQuestions().AllAnswersUsed());
    SimRunning = false;
  }
};

TEST_F(CommandsTest, AnalysisGivesNumberedDocumentsWithTheCommandLineText) {
  tFakeWorkspace workspace(kRaw);
  workspace.Select(1, 2);
  TFResults* first = Launch_SelectionAnalysis(workspace.Workspace());
  TFResults* second = Launch_SelectionAnalysis(workspace.Workspace());
  ASSERT_TRUE(first && second);
  EXPECT_EQ(first->Caption(), "Results 1.1");
  EXPECT_EQ(second->Caption(), "Results 1.2");
  EXPECT_EQ(workspace.optionsShown, 2);  // the workspace decides whether it shows

  std::ostringstream out, err;
  cli::AnalyzeCommand analyze;
  ASSERT_EQ(analyze.execute({kRaw, "--rows", "1-2"}, out, err), 0) << err.str();
  const QStringList lines = first->TextEditor1()->Lines();
  EXPECT_EQ((lines.join(u'\n') + u'\n').toStdString(), out.str());
  EXPECT_EQ(second->TextEditor1()->Lines(), lines);
  // The analysis shows the output text page alone, captioned "Output".
  EXPECT_TRUE(first->PageShown(TFResults::ts_Output_File));
  EXPECT_FALSE(first->PageShown(TFResults::ts_Output_grid));
  EXPECT_FALSE(first->PageShown(TFResults::ts_Output_Log));
  EXPECT_EQ(first->PageCaption(TFResults::ts_Output_File), "Output");
  EXPECT_TRUE(first->StatusBar()->isHidden());
  // Its text is in no file yet: closing it will ask.
  EXPECT_TRUE(first->StatusModificado);
}

TEST_F(CommandsTest, AnalysisOfANamedTableHasItsPlotPageAndTheCommandLineText) {
  tFakeWorkspace workspace(kRaw);
  workspace.Select(1, 2);
  SetTestNames(workspace.Table(), {"Mammography", "MRI"});
  AppOptions.npvoutput = true;
  TFResults* r = Launch_SelectionAnalysis(workspace.Workspace());
  ASSERT_TRUE(r);
  std::ostringstream out, err;
  cli::AnalyzeCommand analyze;
  ASSERT_EQ(analyze.execute({kRaw, "--rows", "1-2", "--npv", "--names", "Mammography,MRI"}, out, err), 0);
  EXPECT_EQ((r->TextEditor1()->Lines().join(u'\n') + u'\n').toStdString(), out.str());
  EXPECT_TRUE(r->PageShown(TFResults::ts_Forest));
  EXPECT_FALSE(r->PageShown(TFResults::ts_Plot));
  EXPECT_EQ(r->PageCaption(TFResults::ts_Forest), "Plot");
  ASSERT_EQ(r->Forest()->RecordCount(), 2);
  ASSERT_NE(r->Forest()->Shown(), nullptr);
  EXPECT_EQ(r->Forest()->Shown()->panels.size(), 4u);
  EXPECT_EQ(r->Forest()->Shown()->panels[2].title, "NPV(Mammography) - NPV(MRI)");
}

TEST_F(CommandsTest, AnalysisOfAParameterRowWithASeedMatchesTheCommandLine) {
  tFakeWorkspace workspace(kParams);
  workspace.Select(2, 2);
  TFResults* r = Launch_SelectionAnalysis(workspace.Workspace(), 77u);
  ASSERT_TRUE(r);
  std::ostringstream out, err;
  cli::AnalyzeCommand analyze;
  ASSERT_EQ(analyze.execute({kParams, "--rows", "2", "--seed", "77"}, out, err), 0);
  EXPECT_EQ((r->TextEditor1()->Lines().join(u'\n') + u'\n').toStdString(), out.str());
}

// The desktop side of a simulation over the example parameter table.
class SimulationTest : public CommandsTest {
 protected:
  void SetUp() override {
    CommandsTest::SetUp();
    workspace_ = std::make_unique<tFakeWorkspace>(kParams);
    workspace_->SetFileName(dir_.filePath("table.mrd"));
    workspace_->Select(1, 2);
    launch_ = std::make_unique<tSimulationLaunch>(workspace_->Workspace(), nullptr);
    launch_->SetSeed(12345u);
  }
  void TearDown() override {
    launch_.reset();
    CommandsTest::TearDown();
  }
  Tf_SimLauncher& L() { return *launch_->Launcher(); }
  // Opens the launcher and sets samples base x 10^exp and the kinds.
  void Prepare(int base, int exponent, bool ci, bool it, bool gt) {
    launch_->tb_LaunchSimulationClick();
    ASSERT_TRUE(L().isVisible());
    L().speSamplesBase->setValue(base);
    L().speSamplesExp->setValue(exponent);
    // One worker unless a test asks for more: the stops below wait for the
    // samples bar, which a run over two rows at two workers may pass unseen.
    L().speWorkers->setValue(1);
    for (auto [box, on] : {std::pair{L().cb_Sim_CI, ci}, {L().cb_Sim_IT, it}, {L().cb_Sim_GT, gt}})
      if (box->isChecked() != on) box->click();
  }
  // Runs f at the first yield after the samples bar reached pct (once).
  void WhenSamplesReach(int pct, std::function<void()> f) {
    auto* connection = new QMetaObject::Connection;
    *connection = QObject::connect(
        L().ProgressBarSamples(), &QProgressBar::valueChanged, &L(),
        [connection, pct, f](int value) {
          if (value < pct) return;
          QObject::disconnect(*connection);
          delete connection;
          QTimer::singleShot(0, f);
        });
  }
  std::string CliOutput(const std::string& kinds, int samples) {
    QDir().mkpath(cliDir_.path());
    std::ostringstream out, err;
    cli::SimulateCommand simulate;
    const std::string base = cliDir_.filePath("table.mrd").toStdString();
    EXPECT_EQ(simulate.execute({kParams, "--kinds", kinds, "--samples", std::to_string(samples),
                                "--seed", "12345", "--rows", "1-2", "--out", base},
                               out, err),
              0)
        << err.str();
    return err.str();
  }
  QTemporaryDir dir_;
  QTemporaryDir cliDir_;
  std::unique_ptr<tFakeWorkspace> workspace_;
  std::unique_ptr<tSimulationLaunch> launch_;
};

TEST_F(SimulationTest, ThreeKindsGiveThreeDocumentsAndTheCommandLineFiles) {
  QStringList tasks;
  workspace_->onNewResults = [&](TFResults*) { tasks << L().lblTask->text(); };
  Prepare(2, 1, true, true, true);
  L().btStart->click();
  EXPECT_EQ(launch_->LastOutcome(), tRunOutcome::complete);
  EXPECT_EQ(tasks, (QStringList{" Confidence Intervals 1/3", " Individual Homogeneity Tests 2/3",
                                " Global Homogeneity Tests 3/3"}));
  ASSERT_EQ(workspace_->Results().size(), 3u);
  EXPECT_EQ(workspace_->Results()[2]->Caption(), "Results 1.3");
  EXPECT_EQ(L().Status(), tLauncherStatus::done);
  EXPECT_EQ(L().lblTask->text(), "Finished!");
  EXPECT_FALSE(SimRunning);

  CliOutput("ci,it,gt", 20);
  for (const char* tag : {"_IC_0001.mrd", "_IT_0001.mrd", "_GT_0001.mrd"}) {
    const QByteArray desktop = ReadAll(dir_.filePath(QString("table") + tag));
    EXPECT_EQ(desktop.toStdString(), ReadAll(cliDir_.filePath(QString("table") + tag)).toStdString()) << tag;
    EXPECT_TRUE(desktop.startsWith("Rec\tPa\tPb")) << tag;
  }
  // The grid page is active and holds the record lines; the log page the log.
  TFResults& ci = *workspace_->Results()[0];
  EXPECT_EQ(ci.ActivePage(), TFResults::ts_Output_grid);
  EXPECT_FALSE(ci.PageShown(TFResults::ts_Output_File));
  EXPECT_EQ(ci.GridModel()->rowCount(), 2);
  EXPECT_EQ(ci.GridModel()->columnCount(), 11 + 3 * 21);
  EXPECT_EQ(ci.GridModel()->Grid().GetElem(1, 2), 2.0);
  const QStringList log = ci.TextEditor_Log()->Lines();
  ASSERT_FALSE(log.isEmpty());
  EXPECT_EQ(log.last(), "Complete [Rec: 2  Sample: 20  (100%)]");
  EXPECT_EQ(ci.TextEditor_Log()->GetArchivo(), dir_.filePath("table_IC_0001.log.txt"));
}

TEST_F(SimulationTest, LaterKindsGoUnderTheTableTheRunWasLaunchedOn) {
  tFakeTable* other = workspace_->AddTable(kParams);
  tFakeTable* launched = workspace_->Table();
  workspace_->Desk().ActiveData_Set(launched);
  Prepare(5, 2, true, false, true);
  // The user clicks the other table while the intervals run.
  WhenSamplesReach(10, [&] { workspace_->Desk().ActiveData_Set(other); });
  L().btStart->click();
  ASSERT_EQ(launch_->LastOutcome(), tRunOutcome::complete);
  ASSERT_EQ(workspace_->Desk().ActiveData, other);
  ASSERT_EQ(launch_->LastResults().size(), 2);
  for (const QPointer<TFResults>& r : launch_->LastResults()) {
    ASSERT_TRUE(r);
    EXPECT_EQ(tDocumentTree::Parent(r->TreeNode), tDocumentTree::Parent(launched->TreeNode));
  }
  EXPECT_EQ(launch_->LastResults()[1]->Caption(), "Results 1.2");
}

TEST_F(SimulationTest, TheSeedFieldGivesTheCommandLineFilesAtOneAndTwoWorkers) {
  launch_->SetSeed(std::nullopt);
  for (int workers : {1, 2}) {
    Prepare(5, 1, true, false, true);
    L().edSeed->setText("12345");
    L().speWorkers->setValue(workers);
    L().btStart->click();
    ASSERT_EQ(launch_->LastOutcome(), tRunOutcome::complete);
    const QStringList log = launch_->LastResults()[0]->TextEditor_Log()->Lines();
    EXPECT_TRUE(log.contains("- Random seed: 12345, each record from the seed and its row "
                             "number (SplitMix64)"));
    EXPECT_TRUE(log.contains(QStringLiteral("- Workers: %1").arg(workers)));
    EXPECT_TRUE(L().lblTime->text().startsWith("Elapsed ")) << L().lblTime->text().toStdString();
  }
  CliOutput("ci,gt", 50);
  for (const char* tag : {"_IC_", "_GT_"})
    for (const char* number : {"0001", "0002"})
      EXPECT_EQ(ReadAll(dir_.filePath(QString("table") + tag + number + ".mrd")),
                ReadAll(cliDir_.filePath(QString("table") + tag + "0001.mrd")))
          << tag << number;
  // A seed that is not a 32-bit whole number is refused before anything runs.
  Prepare(5, 1, true, false, false);
  L().edSeed->setText("4294967296");
  ScriptedQuestions().AnswerNext(tAnswer::Ok);
  L().btStart->click();
  EXPECT_EQ(ScriptedQuestions().Messages().last().text,
            "The seed '4294967296' is not a whole number from 0 to 4294967295.");
  EXPECT_EQ(L().Status(), tLauncherStatus::prepared);
  L().btCancel->click();
}

TEST_F(SimulationTest, AStoppedRunSaysHowFarItGotAndContinuesToTheUninterruptedFile) {
  launch_->SetSeed(std::nullopt);
  // Records long enough that the stop lands inside the run whatever the
  // speed of the methods and of the machine.
  Prepare(5, 4, true, false, false);
  L().edSeed->setText("12345");
  L().speWorkers->setValue(2);
  ScriptedQuestions().AnswerNext(tAnswer::Yes);
  WhenSamplesReach(30, [this] { L().btStop->click(); });
  L().btStart->click();
  ASSERT_EQ(launch_->LastOutcome(), tRunOutcome::cancelled);
  TFResults* results = launch_->LastResults()[0];
  ASSERT_TRUE(results);
  const QString banner = results->RunStoppedLabel()->text();
  EXPECT_TRUE(banner.startsWith("Stopped: Canceled [Rec: ")) << banner.toStdString();
  EXPECT_TRUE(results->ContinueButton()->isVisibleTo(results));
  const QByteArray partial = ReadAll(dir_.filePath("table_IC_0001.mrd"));
  const int written = static_cast<int>(partial.count("\r\n")) - 1;
  if (written < 2) {
    // The rows not run read so in the grid.
    EXPECT_TRUE(banner.contains("not run")) << banner.toStdString();
    EXPECT_EQ(results->GridModel()->data(results->GridModel()->index(1, 0)).toString(),
              "not run");
  }

  results->ContinueButton()->click();
  EXPECT_EQ(launch_->LastOutcome(), tRunOutcome::complete);
  EXPECT_EQ(launch_->LastResults()[0], results);  // the same document goes on
  EXPECT_FALSE(results->RunStoppedLabel()->isVisibleTo(results));
  EXPECT_EQ(results->GridModel()->rowCount(), 2);
  EXPECT_EQ(results->GridModel()->NotRunFrom(), 0);
  CliOutput("ci", 50000);
  EXPECT_EQ(ReadAll(dir_.filePath("table_IC_0001.mrd")),
            ReadAll(cliDir_.filePath("table_IC_0001.mrd")));
  EXPECT_EQ(results->TextEditor_Log()->Lines().last(), "Complete [Rec: 2  Sample: 50000  (100%)]");
}

TEST_F(SimulationTest, StopAnsweredNoLosesNoSampleAndYesLeavesAWholePartialFile) {
  Prepare(5, 2, true, false, false);
  L().cbShowGrid->setChecked(false);
  // Stop during the first record, answered No: the run goes on as if untouched.
  ScriptedQuestions().AnswerNext(tAnswer::No);
  WhenSamplesReach(10, [this] { L().btStop->click(); });
  L().btStart->click();
  EXPECT_EQ(launch_->LastOutcome(), tRunOutcome::complete);
  EXPECT_EQ(ScriptedQuestions().Messages().last().text, "Stop simulation?");
  CliOutput("ci", 500);
  EXPECT_EQ(ReadAll(dir_.filePath("table_IC_0001.mrd")),
            ReadAll(cliDir_.filePath("table_IC_0001.mrd")));
  EXPECT_EQ(workspace_->Results()[0]->ActivePage(), TFResults::ts_Output_Log);

  // Again, answered Yes: the kind ends with its cancel line and a whole file.
  Prepare(5, 2, true, true, false);
  ScriptedQuestions().AnswerNext(tAnswer::Yes);
  WhenSamplesReach(10, [this] { L().btStop->click(); });
  L().btStart->click();
  EXPECT_EQ(launch_->LastOutcome(), tRunOutcome::cancelled);
  EXPECT_EQ(L().Status(), tLauncherStatus::canceled);
  ASSERT_EQ(launch_->LastResults().size(), 1);  // the individual tests never started
  const QStringList log = launch_->LastResults()[0]->TextEditor_Log()->Lines();
  ASSERT_GE(log.size(), 2);
  EXPECT_TRUE(log.last().startsWith("Canceled [Rec: ")) << log.last().toStdString();
  // Every record line written so far, the interrupted one included, is whole.
  const QByteArray partial = ReadAll(dir_.filePath("table_IC_0002.mrd"));
  EXPECT_TRUE(partial.startsWith("Rec\t"));
  EXPECT_TRUE(partial.endsWith("\r\n"));
  const QString saved = log[log.size() - 2];
  EXPECT_EQ(saved, QStringLiteral("Saved %1 records").arg(partial.count("\r\n") - 1));
  EXPECT_GE(partial.count("\r\n"), 2);
}

TEST_F(SimulationTest, ClosingTheTableDuringARunAsksFirst) {
  Prepare(5, 2, true, false, false);
  tFakeTable* table = workspace_->Table();
  // No keeps both: the run completes.
  ScriptedQuestions().AnswerNext(tAnswer::No);
  bool allowed = true;
  WhenSamplesReach(10, [&] { allowed = table->RequestClose(); });
  L().btStart->click();
  EXPECT_FALSE(allowed);
  EXPECT_TRUE(table->TreeNode);
  EXPECT_EQ(ScriptedQuestions().Messages().last().text,
            "A simulation is running on this table. Stop it?");
  EXPECT_EQ(launch_->LastOutcome(), tRunOutcome::complete);
  // Yes stops the run and closes the table once the run has ended.
  Prepare(5, 2, true, false, false);
  ScriptedQuestions().AnswerNext(tAnswer::Yes);
  WhenSamplesReach(10, [&] { allowed = table->RequestClose(); });
  L().btStart->click();
  EXPECT_FALSE(allowed);
  EXPECT_EQ(launch_->LastOutcome(), tRunOutcome::cancelled);
  EXPECT_EQ(L().Status(), tLauncherStatus::canceled);
  // Closed after the run: its node has left the tree, the results stay.
  EXPECT_EQ(table->TreeNode, nullptr);
  EXPECT_EQ(workspace_->Desk().ActiveData, nullptr);
  EXPECT_EQ(workspace_->Results().back()->Caption(), "Results 1.2");
}

TEST_F(SimulationTest, StartRefusesTooManySamplesAndAFileErrorEndsInDone) {
  Prepare(22, 8, true, false, false);
  ScriptedQuestions().AnswerNext(tAnswer::Ok);
  L().btStart->click();
  EXPECT_EQ(ScriptedQuestions().Messages().last().text,
            "The number of samples per record is above 2147483647.");
  EXPECT_EQ(L().Status(), tLauncherStatus::prepared);
  EXPECT_TRUE(workspace_->Results().empty());
  L().btCancel->click();

  workspace_->SetFileName(dir_.filePath("no such folder/table.mrd"));
  Prepare(1, 1, true, true, false);
  ScriptedQuestions().AnswerNext(tAnswer::Ok);
  L().btStart->click();
  EXPECT_EQ(launch_->LastOutcome(), tRunOutcome::fileError);
  ASSERT_EQ(ScriptedQuestions().Messages().size(), 2);
  EXPECT_TRUE(ScriptedQuestions().Messages().last().text.contains("no such folder/table_IC_0001.mrd"));
  EXPECT_EQ(L().Status(), tLauncherStatus::done);
  EXPECT_TRUE(L().btDone->isVisibleTo(&L()));
  EXPECT_EQ(workspace_->Results().size(), 1u);
}

TEST_F(SimulationTest, ThePlotPageHoldsOneSeriesPerActiveMethod) {
  AppOptions.Methods.fill(false);
  for (int m : {1, 4, 14}) AppOptions.Methods[static_cast<std::size_t>(m)] = true;  // d, LR, R1
  Prepare(1, 1, true, false, false);
  L().btStart->click();
  TFResults& r = *workspace_->Results()[0];
  EXPECT_TRUE(r.PageShown(TFResults::ts_Plot));
  ASSERT_EQ(r.Plot()->MethodSeries().size(), 3u);
  QStringList names;
  for (const QLineSeries* s : r.Plot()->MethodSeries()) {
    names << s->name();
    EXPECT_EQ(s->count(), 2);  // one point per record, added as the record finished
  }
  EXPECT_EQ(names, (QStringList{"d", "LR", "R1"}));
}

class tFakeLogOff : public tSessionLogOff {
 public:
  bool LogOff(QString&) override {
    ++calls;
    return true;
  }
  int calls = 0;
};

TEST_F(SimulationTest, ShutDownCountsDownOnceAfterTheWholeSequence) {
  tFakeLogOff fake;
  SetSessionLogOff(&fake);
  Prepare(1, 1, true, true, false);
  L().WinShutDown->setChecked(true);
  L().shutdowndelay->setValue(5);
  L().btStart->click();
  // Both output files and logs are saved; the program stays usable meanwhile.
  EXPECT_TRUE(QFile::exists(dir_.filePath("table_IC_0001.log.txt")));
  EXPECT_TRUE(QFile::exists(dir_.filePath("table_IT_0001.log.txt")));
  tLogOffCountdown& countdown = *launch_->Countdown();
  EXPECT_TRUE(countdown.Running());
  EXPECT_EQ(countdown.Text(), "Logging off in 5:00");
  countdown.Tick();
  EXPECT_EQ(countdown.Text(), "Logging off in 4:59");
  countdown.Cancel();
  EXPECT_EQ(fake.calls, 0);
  // With no delay the log-off follows at once.
  Prepare(1, 1, true, false, false);
  L().shutdowndelay->setValue(0);
  L().btStart->click();
  EXPECT_EQ(fake.calls, 1);
  SetSessionLogOff(nullptr);
}

}  // namespace
}  // namespace kovalin::app
