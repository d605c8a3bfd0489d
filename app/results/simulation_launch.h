#pragma once

#include <QHash>
#include <QList>
#include <QObject>
#include <QPointer>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>

#include "app/results/desktop_sim_host.h"
#include "app/results/results_workspace.h"
#include "engine/paired_types.h"
#include "simulation/sim_launch.h"

namespace kovalin::app {

class TFResults;
class Tf_SimLauncher;
class tLogOffCountdown;

// "Perform a simulation": the launcher over the active data table and the
// sequence of the ticked kinds, each into a new results document. Also guards
// what a running sequence uses: the table it reads and the documents it writes.
class tSimulationLaunch : public QObject, public tSimSequenceHost {
  Q_OBJECT
 public:
  tSimulationLaunch(tResultsWorkspace& workspace, QWidget* dialogParent);
  ~tSimulationLaunch() override;

  // tb_LaunchSimulationClick: nothing without an active table or while a
  // sequence runs; otherwise the launcher shows, and Start runs the kinds.
  void tb_LaunchSimulationClick();

  Tf_SimLauncher* Launcher() const { return launcher_; }
  tLogOffCountdown* Countdown() const { return countdown_; }
  bool Running() const { return running_; }
  // Tests repeat a command-line run by seeding the generator.
  void SetSeed(std::optional<std::uint32_t> seed) { seed_ = seed; }
  // The results documents of the last sequence, in the order of the kinds.
  const QList<QPointer<TFResults>>& LastResults() const { return lastResults_; }
  tRunOutcome LastOutcome() const { return lastOutcome_; }

  // Before a document closes: true when it may close now. The table a run
  // reads and the results a run writes ask "... Stop it?" first; Yes stops the
  // run as Stop does and closes the document (through closeAgain) once the run
  // has ended; No keeps both. The same for the main window at exit.
  bool AllowClose(QWidget* document, const std::function<void()>& closeAgain);
  bool AllowExit(const std::function<void()>& exitAgain);

  tSimHost& BeginKind(tSimulationType kind, const std::string& taskText,
                      const std::string& fileName) override;
  void EndKind(tSimulationType kind, const tRunResult& result) override;

  // "Continue" in the results document of a stopped seeded run: the records from
  // the first that did not finish, into the same file and document, with the
  // settings and options the run started with.
  void ContinueRun(TFResults* results);

 signals:
  // A sequence started or ended: "Perform a simulation" is disabled meanwhile.
  void runningChanged(bool running);

 private:
  void RunSequence();
  // The launcher and the flags as a sequence starts, and as it ends.
  void StartRunning();
  void FinishRunning();
  void ShowStopped(TFResults& results, const tRunResult& result);
  bool AskStop(const QString& text, const std::function<void()>& again);

  tResultsWorkspace& workspace_;
  Tf_SimLauncher* launcher_;
  tLogOffCountdown* countdown_;
  tActiveTable table_;
  bool running_ = false;
  std::optional<std::uint32_t> seed_;
  tSimLaunchSettings settings_;
  double alpha_ = 0.05;
  QPointer<TFResults> current_;
  std::unique_ptr<tDesktopSimHost> host_;
  bool logOff_ = false;
  int logOffDelayMs_ = 0;
  QList<QPointer<TFResults>> lastResults_;
  tRunOutcome lastOutcome_ = tRunOutcome::complete;
  QList<std::function<void()>> afterRun_;

  // What a stopped run needs to go on.
  struct tStoppedRun {
    tActiveTable table;
    tSimLaunchSettings settings;
    tConf_rec options;
    int simOutDecimals = 0;
    int simOutWidth = 0;
    std::string fileName;
  };
  QHash<TFResults*, tStoppedRun> stopped_;
  // The run's options as the sequence copied them.
  tConf_rec runOptions_;
  int runDecimals_ = 0;
  int runWidth_ = 0;
  std::string currentFile_;
  // A continued run writes into the document of the run it continues.
  QPointer<TFResults> continueInto_;
};

}  // namespace kovalin::app
