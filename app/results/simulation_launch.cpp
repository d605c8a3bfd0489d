#include "app/results/simulation_launch.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QLabel>

#include "app/results/log_off.h"
#include "app/results/results_document.h"
#include "app/results/sim_launcher.h"
#include "app/shell/mdi_child.h"
#include "app/shell/questions.h"
#include "engine/app_options.h"
#include "simulation/record_source.h"
#include "simulation/run_context.h"
#include "simulation/sim_continue.h"
#include "simulation/sim_file_names.h"
#include "simulation/sim_running.h"

namespace kovalin::app {

tSimulationLaunch::tSimulationLaunch(tResultsWorkspace& workspace, QWidget* dialogParent)
    : workspace_(workspace),
      launcher_(new Tf_SimLauncher(dialogParent)),
      countdown_(new tLogOffCountdown(dialogParent)) {
  connect(launcher_, &Tf_SimLauncher::startRequested, this, &tSimulationLaunch::RunSequence);
  SetCloseGuard([this](TFMDIChild* document) {
    QPointer<QWidget> window = dynamic_cast<QWidget*>(document);
    return AllowClose(window.data(), [window] {
      if (auto* again = dynamic_cast<TFMDIChild*>(window.data())) again->RequestClose();
    });
  });
}

tSimulationLaunch::~tSimulationLaunch() {
  SetCloseGuard({});
  if (!launcher_->parent()) delete launcher_;
  if (!countdown_->parent()) delete countdown_;
}

void tSimulationLaunch::tb_LaunchSimulationClick() {
  if (running_ || SimRunning) return;
  tActiveTable table;
  if (!workspace_.ActiveTable(table) || !table.records) return;
  workspace_.OptionsBeforeFirstRun(true);
  if (!workspace_.ActiveTable(table) || !table.records) return;
  // The run reads PA to n from every row: any other table would give samples of
  // a population it does not hold.
  if (RecordTableKind(*table.records) != tRecordTableKind::paramsVP) {
    ShowError("Simulation",
              "A simulation needs a parameter table with the columns PA, PB, NA, NB, P, Opos, "
              "Oneg and n.");
    return;
  }
  table_ = table;
  launcher_->PrepareLaunch(table.fileName, table.firstSelected, table.lastSelected, table.rows,
                           AppOptions.alfa_level, AppOptions.epsilon);
  // Modality changes only while hidden; a launcher left open from the last
  // sequence shows again in its prepared state.
  if (launcher_->isVisible()) launcher_->hide();
  launcher_->setModal(true);
  launcher_->open();
}

void tSimulationLaunch::RunSequence() {
  if (!table_.document || !table_.records) return;
  // Text where numbers belong would be simulated as label numbers.
  if (const auto text = TextInNumberColumn(*table_.records)) {
    ShowError("Simulation",
              QStringLiteral("Column \"%1\" holds the text \"%2\" where numbers are expected.")
                  .arg(QString::fromStdString(text->column), QString::fromStdString(text->text)));
    launcher_->CtrlsActive(tLauncherStatus::done);
    SimRunning = false;
    return;
  }
  const std::vector<tSimulationType> kinds = launcher_->Kinds();
  settings_ = launcher_->Settings();
  // A seed set by the program (tests) stands for one typed in the launcher.
  if (seed_) settings_.seed = seed_;
  StartRunning();
  tRunContext context = StartRunContext();
  runOptions_ = context.options;
  runDecimals_ = context.simOutDecimals;
  runWidth_ = context.simOutWidth;
  alpha_ = context.options.alfa_level;
  lastOutcome_ = RunSimulationSequence(*table_.records, settings_,
                                       launcher_->FileFullName().toStdString(), kinds, *this,
                                       context);
  FinishRunning();
}

void tSimulationLaunch::StartRunning() {
  lastResults_.clear();
  logOff_ = false;
  logOffDelayMs_ = 0;
  launcher_->setModal(false);
  launcher_->show();
  launcher_->CtrlsActive(tLauncherStatus::running);
  running_ = true;
  emit runningChanged(true);
  SimRunning = true;
}

void tSimulationLaunch::FinishRunning() {
  running_ = false;
  continueInto_ = nullptr;
  launcher_->SetOutputLabel("-", QString());
  if (lastOutcome_ == tRunOutcome::complete) {
    launcher_->CtrlsActive(tLauncherStatus::done);
    launcher_->SetTaskText("Finished!");
  } else if (lastOutcome_ == tRunOutcome::fileError) {
    launcher_->CtrlsActive(tLauncherStatus::done);
  }
  SimRunning = false;
  QCoreApplication::processEvents();
  emit runningChanged(false);
  // Closes that waited for the end of the run.
  const QList<std::function<void()>> pending = std::move(afterRun_);
  afterRun_.clear();
  for (const auto& f : pending) f();
  if (logOff_) countdown_->Start(logOffDelayMs_ / 1000);
}

void tSimulationLaunch::ContinueRun(TFResults* results) {
  if (running_ || SimRunning || !results) return;
  const auto it = stopped_.constFind(results);
  if (it == stopped_.constEnd()) return;
  const tStoppedRun run = it.value();
  if (!run.table.document || !run.table.records) {
    ShowError("Simulation", "The table of this run has been closed: it cannot be continued.");
    return;
  }
  const QString name = QString::fromStdString(run.fileName);
  QFile file(name);
  if (!file.open(QIODevice::ReadOnly)) {
    ShowError("Simulation", QStringLiteral("%1: %2").arg(name, file.errorString()));
    return;
  }
  const QByteArray text = file.readAll();
  std::vector<std::string> log;
  for (const QString& line : results->TextEditor_Log()->Lines()) log.push_back(line.toStdString());
  std::string error;
  const auto plan = PlanContinue(text.toStdString(), log, error);
  if (!plan) {
    ShowError("Simulation", QStringLiteral("%1: %2.").arg(name, QString::fromStdString(error)));
    return;
  }
  table_ = run.table;
  settings_ = run.settings;
  settings_.resume = std::make_shared<const tContinuePlan>(*plan);
  continueInto_ = results;
  stopped_.remove(results);
  StartRunning();
  // The options the run started with, whatever the Options dialog says now.
  tRunContext context = StartRunContext();
  context.options = run.options;
  context.simOutDecimals = run.simOutDecimals;
  context.simOutWidth = run.simOutWidth;
  runOptions_ = run.options;
  runDecimals_ = run.simOutDecimals;
  runWidth_ = run.simOutWidth;
  alpha_ = run.options.alfa_level;
  lastOutcome_ = ContinueSimulation(*table_.records, settings_, run.fileName, *this, context);
  FinishRunning();
}

tSimHost& tSimulationLaunch::BeginKind(tSimulationType, const std::string& taskText,
                                       const std::string& fileName) {
  const QString name = QString::fromStdString(fileName);
  launcher_->SetTaskText(QString::fromStdString(taskText));
  QString shortPath = QString::fromStdString(launcher_->OutputFile().FileShortPath);
  if (!shortPath.isEmpty() && !shortPath.endsWith(u'/') && !shortPath.endsWith(u'\\'))
    shortPath += u'/';
  launcher_->SetOutputLabel(shortPath + QFileInfo(name).fileName(), name);
  // Under the table the run was launched on, whichever table is active by now.
  currentFile_ = fileName;
  if (continueInto_) {
    current_ = continueInto_;
  } else {
    current_ = table_.document ? workspace_.NewResults(true, table_.document.data()) : nullptr;
    if (TFResults* created = current_.data()) {
      connect(created, &TFResults::continueRequested, this,
              [this, created] { ContinueRun(created); });
      connect(created, &QObject::destroyed, this, [this, created] { stopped_.remove(created); });
    }
  }
  TFResults* results = current_.data();
  if (results) {
    results->HideRunStopped();
    results->DimTabla = {table_.rows, table_.records->ColumnCount()};
    results->ConfigResultados(name, QString::fromStdString(LogFileName(fileName)),
                              settings_.showGrid);
    results->Plot()->SetTableColumns(PlotTableColumns(*table_.records));
    results->Plot()->Reset(settings_.delimiter, alpha_, name);
    results->SetRunWritesHere(true);
    lastResults_ << current_;
  }
  QCoreApplication::processEvents();
  results = current_.data();
  host_ = std::make_unique<tDesktopSimHost>(
      results ? results->TextEditor1() : nullptr, results ? results->TextEditor_Log() : nullptr,
      results ? results->GridModel() : nullptr, launcher_->ProgressBarSamples(),
      launcher_->ProgressBarRecords(), results ? results->Plot() : nullptr);
  host_->SetTimeLabel(launcher_->lblTime);
  return *host_;
}

void tSimulationLaunch::EndKind(tSimulationType, const tRunResult& result) {
  if (host_) host_->Flush();
  // Every kind of a sequence asks for it; the log-off comes once, at the end.
  if (result.logOff) {
    logOff_ = true;
    logOffDelayMs_ = result.logOffDelayMilliseconds;
  }
  if (TFResults* results = current_.data()) {
    results->SetRunWritesHere(false);
    workspace_.FinishResults(results);
    if (result.outcome == tRunOutcome::cancelled) ShowStopped(*results, result);
  }
  if (result.outcome == tRunOutcome::fileError)
    ShowError("Simulation", QString::fromStdString(result.message));
}

void tSimulationLaunch::ShowStopped(TFResults& results, const tRunResult& result) {
  // The page shown says how far the run got: its cancel line, and the records
  // that were never run, which the grid marks too.
  const QStringList log = results.TextEditor_Log()->Lines();
  QString text = QStringLiteral("Stopped: ") + (log.isEmpty() ? QString() : log.last());
  const long long firstNotRun = static_cast<long long>(settings_.recordInit) + result.lines;
  if (firstNotRun <= settings_.recordEnd) {
    text += firstNotRun == settings_.recordEnd
                ? QStringLiteral(". Record %1 was not run.").arg(firstNotRun)
                : QStringLiteral(". Records %1 to %2 were not run.")
                      .arg(firstNotRun)
                      .arg(settings_.recordEnd);
  }
  const bool seeded = settings_.seed.has_value();
  if (!seeded) text += " Without a seed the run cannot be continued to the same file.";
  results.ShowRunStopped(text, seeded);
  results.GridModel()->MarkNotRun(result.lines + 1);
  results.Plot()->SetNotRunFrom(static_cast<double>(firstNotRun));
  tStoppedRun run;
  run.table = table_;
  run.settings = settings_;
  run.settings.resume.reset();
  run.options = runOptions_;
  run.simOutDecimals = runDecimals_;
  run.simOutWidth = runWidth_;
  run.fileName = currentFile_;
  stopped_.insert(&results, run);
}

bool tSimulationLaunch::AskStop(const QString& text, const std::function<void()>& again) {
  if (Ask(tMessageKind::Confirmation, "Simulation", text, {tAnswer::Yes, tAnswer::No},
          tAnswer::No, tAnswer::No) != tAnswer::Yes)
    return false;
  // As Stop does; the document closes when the run has written its last line.
  SimRunning = false;
  launcher_->CtrlsActive(tLauncherStatus::canceled);
  if (again) afterRun_ << again;
  return false;
}

bool tSimulationLaunch::AllowClose(QWidget* document, const std::function<void()>& closeAgain) {
  if (!running_ || !document) return true;
  if (document == table_.document.data())
    return AskStop("A simulation is running on this table. Stop it?", closeAgain);
  for (const QPointer<TFResults>& r : lastResults_)
    if (r.data() == document && r->RunWritesHere())
      return AskStop("A simulation is running on these results. Stop it?", closeAgain);
  return true;
}

bool tSimulationLaunch::AllowExit(const std::function<void()>& exitAgain) {
  if (!running_) return true;
  return AskStop("A simulation is running on this table. Stop it?", exitAgain);
}

}  // namespace kovalin::app
