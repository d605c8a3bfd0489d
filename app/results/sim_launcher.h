#pragma once

#include <QDialog>
#include <array>
#include <cstdint>
#include <optional>
#include <vector>

#include "app/results/sim_launcher_rules.h"
#include "engine/paired_types.h"
#include "simulation/sim_launch.h"

class QButtonGroup;
class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QListWidgetItem;
class QProgressBar;
class QPushButton;
class QSpinBox;

namespace kovalin::app {

class tOutputLabel;

// The simulation settings dialog ("Simulation"). Created once and reused: the
// samples, kinds, delimiter, grid and log boxes and the actions keep their
// values from one launch to the next; the range and the output file are preset
// at every launch.
class Tf_SimLauncher : public QDialog {
  Q_OBJECT
 public:
  explicit Tf_SimLauncher(QWidget* parent = nullptr);

  // Steps of a launch before the dialog shows: the output file, both bars at 0
  // and no task, the range from the selection, alpha and epsilon.
  void PrepareLaunch(const QString& fileFullName, int firstSelected, int lastSelected,
                     int rows, double alpha, double epsilon);

  // The base output file name and its parts.
  void SetFileFullName(const QString& name);
  QString FileFullName() const { return QString::fromStdString(file_.FileFullName); }
  const tOutputFileName& OutputFile() const { return file_; }
  QString TmpDir;

  // What the dialog settles for the runs (valid after a Start).
  tSimLaunchSettings Settings() const;
  std::vector<tSimulationType> Kinds() const;
  tStats StatisSet() const { return statisSet_; }
  const std::array<cbStatisticsRec, 21>& StatisticsArray() const { return statistics_; }

  void CtrlsActive(tLauncherStatus status);
  tLauncherStatus Status() const { return status_; }
  void SetTaskText(const QString& text);
  void SetOutputLabel(const QString& text, const QString& hint);
  void SetTimeText(const QString& text);
  QProgressBar* ProgressBarSamples() const { return progressSamples_; }
  QProgressBar* ProgressBarRecords() const { return progressRecords_; }

  // The handlers of the dialog's buttons and boxes.
  void bt_StartClick();
  void bt_StopClick();
  void bt_CloseClick();
  void LblOutputFiletxtClick();
  void LblTempDirClick();
  void cb_FullDataClick();
  void cb_Sim_CIClick();
  void cb_ShowlogClick();
  void Reset_ShowLog();

  // Controls by their names, for the launch and for tests.
  QSpinBox* spe_RecordInit = nullptr;
  QSpinBox* spe_RecordEnd = nullptr;
  QCheckBox* cb_FullData = nullptr;
  QSpinBox* speSamplesBase = nullptr;
  QSpinBox* speSamplesExp = nullptr;
  QLineEdit* NumIO2 = nullptr;
  QSpinBox* speSamplesTol = nullptr;
  // Worker threads for the records (1: today's single thread) and the seed
  // (empty: the clock).
  QSpinBox* speWorkers = nullptr;
  QLineEdit* edSeed = nullptr;
  // The Monte Carlo standard error the samples give at the nominal level.
  QLabel* lblPrecision = nullptr;
  QCheckBox* cb_Sim_CI = nullptr;
  QCheckBox* cb_Sim_IT = nullptr;
  QCheckBox* cb_Sim_GT = nullptr;
  QLabel* LabelAlpha = nullptr;
  QListWidget* CLB_Statistics = nullptr;
  tOutputLabel* lblPath = nullptr;
  tOutputLabel* lblPathValue = nullptr;
  tOutputLabel* LblOutputFiletxt = nullptr;
  tOutputLabel* LblOutputFileValue = nullptr;
  tOutputLabel* LblTempDir = nullptr;
  tOutputLabel* LblTempDirValue = nullptr;
  QButtonGroup* RadioGroup1 = nullptr;
  QCheckBox* cbShowGrid = nullptr;
  QCheckBox* cb_Showlog = nullptr;
  QCheckBox* cbMessages = nullptr;
  QCheckBox* WinShutDown = nullptr;
  QSpinBox* shutdowndelay = nullptr;
  QLabel* lblTask = nullptr;
  QLabel* lblFOut = nullptr;
  // Elapsed time and the estimate of the time left.
  QLabel* lblTime = nullptr;
  QPushButton* btCancel = nullptr;
  QPushButton* btStart = nullptr;
  QPushButton* btStop = nullptr;
  QPushButton* btDone = nullptr;
  QLabel* statusLine = nullptr;
  QGroupBox* gbData = nullptr;
  QGroupBox* gbProcedures = nullptr;
  QGroupBox* gbOutput = nullptr;

 signals:
  // Start accepted the settings; the launch runs the kinds now.
  void startRequested();

 protected:
  void showEvent(QShowEvent* event) override;
  void closeEvent(QCloseEvent* event) override;
  void reject() override;

 private:
  void RangeFieldChanged(bool startChanged);
  void ShowRange(const tRecordRange& r);
  void StatisticsClickCheck(QListWidgetItem* item);
  void UpdatePrecision();

  QProgressBar* progressSamples_ = nullptr;
  QProgressBar* progressRecords_ = nullptr;
  tRecordRange range_;
  bool showingRange_ = false;
  bool reshowing_ = false;
  tOutputFileName file_;
  tLauncherStatus status_ = tLauncherStatus::prepared;
  std::array<cbStatisticsRec, 21> statistics_{};
  tStats statisSet_ = 0;
  int numSamples_ = 1000;
  std::optional<std::uint32_t> seed_;
  double alpha_ = 0.05;
};

}  // namespace kovalin::app
