#include "app/results/sim_launcher.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QDesktopServices>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QUrl>
#include <QVBoxLayout>
#include <algorithm>

#include "app/results/output_label.h"
#include "app/shell/questions.h"
#include "simulation/input_form_rec.h"
#include "simulation/run_clock.h"
#include "simulation/run_rules.h"
#include "simulation/sim_precision.h"
#include "simulation/sim_file_names.h"
#include "simulation/sim_running.h"

namespace kovalin::app {

namespace {

QSpinBox* SpinBox(int min, int max, int value, QWidget* parent, const QString& name) {
  auto* s = new QSpinBox(parent);
  s->setRange(min, max);
  s->setValue(value);
  s->setAccessibleName(name);
  return s;
}

QString Fixed3(double v) { return QStringLiteral("%1").arg(v, 5, 'f', 3); }

}  // namespace

Tf_SimLauncher::Tf_SimLauncher(QWidget* parent) : QDialog(parent) {
  setWindowTitle("Simulation");
  setObjectName("f_SimLauncher");

  // " Data "
  gbData = new QGroupBox(" Data ", this);
  auto* data = new QGridLayout(gbData);
  spe_RecordInit = SpinBox(1, 1, 1, gbData, "From record:");
  spe_RecordEnd = SpinBox(1, 1, 1, gbData, "to record:");
  cb_FullData = new QCheckBox("Full dataset", gbData);
  speSamplesBase = SpinBox(1, 100, 1, gbData, "Samples per record:");
  speSamplesExp = SpinBox(0, 8, 3, gbData, "x E");
  NumIO2 = new QLineEdit(gbData);
  NumIO2->setReadOnly(true);
  NumIO2->setAccessibleName(QString::fromUtf8("\xCE\xB5- correction:"));
  speSamplesTol = SpinBox(0, 100, 10, gbData, "Stop criterion over the samples number");
  speSamplesTol->setSingleStep(5);
  speWorkers = SpinBox(1, kMaxJobs, std::min(AvailableProcessors(), kMaxJobs), gbData, "Workers:");
  speWorkers->setToolTip("Threads that run the records; 1 runs them one after the other");
  edSeed = new QLineEdit(gbData);
  edSeed->setAccessibleName("Seed:");
  edSeed->setPlaceholderText("clock");
  edSeed->setToolTip("Empty: a new seed from the clock. A seed repeats the run byte for byte");
  lblPrecision = new QLabel(gbData);
  lblPrecision->setAccessibleName("Standard error");
  lblPrecision->setToolTip("Monte Carlo standard error of a coverage or rejection rate at the "
                           "nominal level");
  data->addWidget(new QLabel("From record:", gbData), 0, 0);
  data->addWidget(spe_RecordInit, 0, 1);
  data->addWidget(new QLabel("to record:", gbData), 0, 2);
  data->addWidget(spe_RecordEnd, 0, 3);
  data->addWidget(cb_FullData, 0, 4);
  data->addWidget(new QLabel("Samples per record:", gbData), 1, 0);
  data->addWidget(speSamplesBase, 1, 1);
  data->addWidget(new QLabel("x E", gbData), 1, 2);
  data->addWidget(speSamplesExp, 1, 3);
  data->addWidget(lblPrecision, 1, 4);
  data->addWidget(new QLabel(QString::fromUtf8("\xCE\xB5- correction:"), gbData), 2, 0);
  data->addWidget(NumIO2, 2, 1);
  data->addWidget(new QLabel("correct ", gbData), 2, 2);
  auto* tolerance = new QHBoxLayout;
  tolerance->addWidget(new QLabel("Stop criterion over the samples number", gbData));
  tolerance->addWidget(speSamplesTol);
  tolerance->addWidget(new QLabel("%", gbData));
  data->addLayout(tolerance, 3, 0, 1, 5);
  data->addWidget(new QLabel("Workers:", gbData), 4, 0);
  data->addWidget(speWorkers, 4, 1);
  data->addWidget(new QLabel("Seed:", gbData), 4, 2);
  data->addWidget(edSeed, 4, 3, 1, 2);

  // " Procedures and Statistics "
  gbProcedures = new QGroupBox(" Procedures and Statistics ", this);
  auto* procedures = new QGridLayout(gbProcedures);
  cb_Sim_CI = new QCheckBox("Confidence intervals", gbProcedures);
  cb_Sim_IT = new QCheckBox("Individual Homogeneity Tests", gbProcedures);
  cb_Sim_GT = new QCheckBox("Global Homogeneity Tests", gbProcedures);
  LabelAlpha = new QLabel(gbProcedures);
  CLB_Statistics = new QListWidget(gbProcedures);
  CLB_Statistics->setAccessibleName("Statistics");
  procedures->addWidget(cb_Sim_CI, 0, 0);
  procedures->addWidget(cb_Sim_IT, 1, 0);
  procedures->addWidget(cb_Sim_GT, 2, 0);
  procedures->addWidget(LabelAlpha, 3, 0);
  procedures->addWidget(CLB_Statistics, 0, 1, 4, 1);

  // " Output "
  gbOutput = new QGroupBox(" Output ", this);
  auto* output = new QGridLayout(gbOutput);
  lblPath = new tOutputLabel("Output Path:", gbOutput);
  lblPathValue = new tOutputLabel(QString(), gbOutput);
  LblOutputFiletxt = new tOutputLabel("Output text file prefix:", gbOutput);
  LblOutputFileValue = new tOutputLabel(QString(), gbOutput);
  LblTempDir = new tOutputLabel("Temporary files:", gbOutput);
  LblTempDirValue = new tOutputLabel("???", gbOutput);
  output->addWidget(lblPath, 0, 0);
  output->addWidget(lblPathValue, 0, 1, 1, 3);
  output->addWidget(LblOutputFiletxt, 1, 0);
  output->addWidget(LblOutputFileValue, 1, 1, 1, 3);
  output->addWidget(LblTempDir, 2, 0);
  output->addWidget(LblTempDirValue, 2, 1, 1, 3);
  auto* delimiterBox = new QGroupBox(" Field delimiter ", gbOutput);
  auto* delimiterLayout = new QHBoxLayout(delimiterBox);
  RadioGroup1 = new QButtonGroup(this);
  const char* delimiters[] = {"Tab", ",", ";", "Space"};
  for (int i = 0; i < 4; ++i) {
    auto* b = new QRadioButton(delimiters[i], delimiterBox);
    RadioGroup1->addButton(b, i);
    delimiterLayout->addWidget(b);
  }
  RadioGroup1->button(0)->setChecked(true);
  output->addWidget(delimiterBox, 3, 0, 1, 2);
  cbShowGrid = new QCheckBox("Show grid", gbOutput);
  cbShowGrid->setChecked(true);
  cb_Showlog = new QCheckBox("Show log", gbOutput);
  output->addWidget(cbShowGrid, 3, 2);
  output->addWidget(cb_Showlog, 3, 3);

  // " Actions "
  auto* gbActions = new QGroupBox(" Actions ", this);
  auto* actions = new QGridLayout(gbActions);
  cbMessages = new QCheckBox("Allow the application to process messages", gbActions);
  cbMessages->setChecked(true);
  WinShutDown = new QCheckBox("Shut down the computer when done.   Delay (m):", gbActions);
  shutdowndelay = SpinBox(0, 120, 5, gbActions, "Delay (m):");
  actions->addWidget(cbMessages, 0, 0, 1, 2);
  actions->addWidget(WinShutDown, 1, 0);
  actions->addWidget(shutdowndelay, 1, 1);

  // " Progress "
  auto* gbProgress = new QGroupBox(" Progress ", this);
  auto* progress = new QGridLayout(gbProgress);
  lblTask = new QLabel("none", gbProgress);
  lblFOut = new QLabel("??", gbProgress);
  progressSamples_ = new QProgressBar(gbProgress);
  progressRecords_ = new QProgressBar(gbProgress);
  progressSamples_->setAccessibleName("Samples");
  progressRecords_->setAccessibleName("Records");
  for (QProgressBar* bar : {progressSamples_, progressRecords_}) {
    bar->setRange(0, 100);
    bar->setValue(0);
  }
  progress->addWidget(new QLabel("Procedure:", gbProgress), 0, 0);
  progress->addWidget(lblTask, 0, 1);
  progress->addWidget(new QLabel("Output:", gbProgress), 1, 0);
  progress->addWidget(lblFOut, 1, 1);
  progress->addWidget(progressSamples_, 2, 0, 1, 2);
  progress->addWidget(progressRecords_, 3, 0, 1, 2);
  lblTime = new QLabel(gbProgress);
  lblTime->setAccessibleName("Time");
  progress->addWidget(lblTime, 4, 0, 1, 2);
  // The texts start right after their captions and stay put as the output name changes.
  progress->setColumnStretch(1, 1);

  auto* buttons = new QHBoxLayout;
  btCancel = new QPushButton("Cancel", this);
  btStart = new QPushButton("Start", this);
  btStop = new QPushButton("Stop", this);
  btDone = new QPushButton("Done", this);
  buttons->addStretch(1);
  for (QPushButton* b : {btCancel, btStart, btStop, btDone}) {
    b->setAutoDefault(false);
    buttons->addWidget(b);
  }
  btStart->setEnabled(false);
  statusLine = new QLabel(this);
  statusLine->setFrameShape(QFrame::StyledPanel);

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(gbData);
  layout->addWidget(gbProcedures);
  layout->addWidget(gbOutput);
  layout->addWidget(gbActions);
  layout->addWidget(gbProgress);
  layout->addLayout(buttons);
  layout->addWidget(statusLine);

  connect(spe_RecordInit, &QSpinBox::valueChanged, this, [this] { RangeFieldChanged(true); });
  connect(spe_RecordEnd, &QSpinBox::valueChanged, this, [this] { RangeFieldChanged(false); });
  // The rules follow the state, however it changed: a click, the keyboard, an
  // assistive technology or the program.
  connect(cb_FullData, &QCheckBox::toggled, this, [this] {
    if (!showingRange_) cb_FullDataClick();
  });
  for (QCheckBox* kind : {cb_Sim_CI, cb_Sim_IT, cb_Sim_GT})
    connect(kind, &QCheckBox::toggled, this, &Tf_SimLauncher::cb_Sim_CIClick);
  connect(cb_Showlog, &QCheckBox::toggled, this, &Tf_SimLauncher::cb_ShowlogClick);
  for (QSpinBox* samples : {speSamplesBase, speSamplesExp})
    connect(samples, &QSpinBox::valueChanged, this, &Tf_SimLauncher::UpdatePrecision);
  for (QCheckBox* kind : {cb_Sim_CI, cb_Sim_IT, cb_Sim_GT})
    connect(kind, &QCheckBox::toggled, this, &Tf_SimLauncher::UpdatePrecision);
  for (tOutputLabel* l : {lblPath, lblPathValue, LblOutputFiletxt, LblOutputFileValue, LblTempDir})
    connect(l, &tOutputLabel::clicked, this, &Tf_SimLauncher::LblOutputFiletxtClick);
  connect(LblTempDirValue, &tOutputLabel::clicked, this, &Tf_SimLauncher::LblTempDirClick);
  connect(btStart, &QPushButton::clicked, this, &Tf_SimLauncher::bt_StartClick);
  connect(btStop, &QPushButton::clicked, this, &Tf_SimLauncher::bt_StopClick);
  connect(btDone, &QPushButton::clicked, this, &Tf_SimLauncher::bt_CloseClick);
  connect(btCancel, &QPushButton::clicked, this, &QDialog::reject);

  // FormCreate: "Show log" unticked, bars at 0, the statistics list filled.
  Reset_ShowLog();
  statistics_ = DefaultStatistics();
  for (int i = 0; i <= kMaxCDItems; ++i) {
    const cbStatisticsRec& r = statistics_[static_cast<std::size_t>(i)];
    auto* item = new QListWidgetItem(r.text, CLB_Statistics);
    if (r.header) {
      item->setFlags(Qt::ItemIsEnabled);
      QFont f = item->font();
      f.setBold(true);
      item->setFont(f);
    } else {
      item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsUserCheckable);
      item->setCheckState(r.Checked ? Qt::Checked : Qt::Unchecked);
    }
  }
  statisSet_ = StatisSetOf(statistics_);
  // Connected once the items hold their ticks: building them fires itemChanged,
  // which would copy the unticked items over the defaults.
  connect(CLB_Statistics, &QListWidget::itemChanged, this, &Tf_SimLauncher::StatisticsClickCheck);
  CLB_Statistics->setEnabled(false);
  CtrlsActive(tLauncherStatus::prepared);
}

void Tf_SimLauncher::PrepareLaunch(const QString& fileFullName, int firstSelected,
                                   int lastSelected, int rows, double alpha, double epsilon) {
  SetFileFullName(fileFullName);
  progressSamples_->setValue(0);
  progressRecords_->setValue(0);
  SetTaskText(QString());
  ShowRange(PresetRange(firstSelected, lastSelected, rows));
  LabelAlpha->setText(QString::fromUtf8("\xCE\xB1 = ") + Fixed3(alpha));
  NumIO2->setText(Fixed3(epsilon));
  alpha_ = alpha;
  SetTimeText(QString());
  UpdatePrecision();
}

void Tf_SimLauncher::UpdatePrecision() {
  // Intervals are judged by their coverage at 1 - alpha, tests by their rejection
  // rate at alpha; the standard error is the same at both.
  const bool testsOnly =
      !cb_Sim_CI->isChecked() && (cb_Sim_IT->isChecked() || cb_Sim_GT->isChecked());
  std::string error;
  const auto samples = NumSamplesFrom(speSamplesBase->value(), speSamplesExp->value(), error);
  lblPrecision->setText(samples ? QString::fromStdString(PrecisionHint(
                                      testsOnly ? alpha_ : 1 - alpha_, *samples))
                                : QString());
}

void Tf_SimLauncher::SetTimeText(const QString& text) { lblTime->setText(text); }

void Tf_SimLauncher::SetFileFullName(const QString& name) {
  file_ = DescribeOutputFile(name.toStdString());
  LblOutputFileValue->setText(QString::fromStdString(file_.FileName));
  lblPathValue->setText(QString::fromStdString(AbbreviatePath(file_.FilePath, 10, 30)));
  lblPathValue->setToolTip(QString::fromStdString(file_.FilePath));
}

void Tf_SimLauncher::ShowRange(const tRecordRange& r) {
  range_ = r;
  showingRange_ = true;
  spe_RecordEnd->setRange(r.endMin, r.rows);
  spe_RecordInit->setRange(1, r.startMax);
  spe_RecordInit->setValue(r.start);
  spe_RecordEnd->setValue(r.end);
  cb_FullData->setChecked(r.fullData);
  showingRange_ = false;
}

void Tf_SimLauncher::RangeFieldChanged(bool startChanged) {
  if (showingRange_) return;
  tRecordRange r = range_;
  r.start = spe_RecordInit->value();
  r.end = spe_RecordEnd->value();
  ShowRange(RangeChanged(r, startChanged));
}

void Tf_SimLauncher::cb_FullDataClick() {
  ShowRange(FullDataClicked(range_, cb_FullData->isChecked()));
}

void Tf_SimLauncher::cb_Sim_CIClick() {
  const bool any = cb_Sim_CI->isChecked() || cb_Sim_IT->isChecked() || cb_Sim_GT->isChecked();
  btStart->setEnabled(any);
  CLB_Statistics->setEnabled(any);
}

void Tf_SimLauncher::StatisticsClickCheck(QListWidgetItem*) {
  for (int i = 0; i <= kMaxCDItems && i < CLB_Statistics->count(); ++i) {
    QListWidgetItem* item = CLB_Statistics->item(i);
    statistics_[static_cast<std::size_t>(i)].Checked =
        (item->flags() & Qt::ItemIsUserCheckable) && item->checkState() == Qt::Checked;
  }
  statisSet_ = StatisSetOf(statistics_);
}

void Tf_SimLauncher::cb_ShowlogClick() {
  setMinimumWidth(484);
  resize(484, height());
}

void Tf_SimLauncher::Reset_ShowLog() { cb_Showlog->setChecked(false); }

void Tf_SimLauncher::LblOutputFiletxtClick() {
  tFileRequest request;
  request.caption = "Output text file prefix";
  request.proposedName = FileFullName();
  request.filter = "Text files (*.txt);;All files (*)";
  request.defaultSuffix = "txt";
  const tFileAnswer answer = Questions().AskSaveFile(request);
  if (answer.accepted) SetFileFullName(answer.fileName);
}

void Tf_SimLauncher::LblTempDirClick() {
  // No folder is assigned to the temporary files yet; opening nothing fails.
  if (TmpDir.isEmpty() || !QDesktopServices::openUrl(QUrl::fromLocalFile(TmpDir)))
    ShowError("Simulation", "Unable to open the temporary folder");
}

void Tf_SimLauncher::SetTaskText(const QString& text) { lblTask->setText(text); }

void Tf_SimLauncher::SetOutputLabel(const QString& text, const QString& hint) {
  lblFOut->setText(text);
  lblFOut->setToolTip(hint);
}

void Tf_SimLauncher::CtrlsActive(tLauncherStatus status) {
  status_ = status;
  const tLauncherControls c = ControlsFor(status);
  btCancel->setVisible(c.cancel);
  btStart->setVisible(c.start);
  btStop->setVisible(c.stop);
  btDone->setVisible(c.done);
  if (c.setGroups)
    for (QGroupBox* g : {gbData, gbProcedures, gbOutput}) g->setEnabled(c.groupsEnabled);
  statusLine->setText(c.statusText);
  if (windowFlags().testFlag(Qt::WindowCloseButtonHint) != c.closeBox) {
    const bool shown = isVisible();
    reshowing_ = true;
    setWindowFlag(Qt::WindowCloseButtonHint, c.closeBox);
    if (shown) show();
    reshowing_ = false;
  }
}

tSimLaunchSettings Tf_SimLauncher::Settings() const {
  tSimLaunchSettings s;
  s.recordInit = range_.start;
  s.recordEnd = range_.end;
  s.numSamples = numSamples_;
  s.tolerancePercent = speSamplesTol->value();
  s.delimiter = DelimiterAt(RadioGroup1->checkedId());
  s.showGrid = cbShowGrid->isChecked();
  s.shutDown = WinShutDown->isChecked();
  s.shutDownDelay = shutdowndelay->value();
  s.processMessages = cbMessages->isChecked();
  s.jobs = speWorkers->value();
  s.seed = seed_;
  return s;
}

std::vector<tSimulationType> Tf_SimLauncher::Kinds() const {
  return OrderedKinds(cb_Sim_CI->isChecked(), cb_Sim_IT->isChecked(), cb_Sim_GT->isChecked());
}

void Tf_SimLauncher::bt_StartClick() {
  std::string error;
  const auto samples = NumSamplesFrom(speSamplesBase->value(), speSamplesExp->value(), error);
  if (!samples) {
    QString text = QString::fromStdString(error);
    if (!text.isEmpty()) text[0] = text[0].toUpper();
    ShowError("Simulation", text + ".");
    return;
  }
  const QString seedText = edSeed->text().trimmed();
  if (seedText.isEmpty()) {
    seed_.reset();
  } else {
    bool ok = false;
    const qulonglong seed = seedText.toULongLong(&ok);
    if (!ok || seed > 4294967295ULL) {
      ShowError("Simulation", QStringLiteral("The seed '%1' is not a whole number from 0 to "
                                             "4294967295.").arg(seedText));
      return;
    }
    seed_ = static_cast<std::uint32_t>(seed);
  }
  numSamples_ = *samples;
  cb_Showlog->setChecked(true);
  StatisticsClickCheck(nullptr);
  CtrlsActive(tLauncherStatus::running);
  accept();
  SimRunning = true;
  QCoreApplication::processEvents();
  emit startRequested();
}

void Tf_SimLauncher::bt_StopClick() {
  SimRunning = false;
  if (Ask(tMessageKind::Warning, "Simulation", "Stop simulation?", {tAnswer::Yes, tAnswer::No},
          tAnswer::Yes, tAnswer::No) == tAnswer::Yes)
    CtrlsActive(tLauncherStatus::canceled);
  else
    SimRunning = true;
  QCoreApplication::processEvents();
}

void Tf_SimLauncher::bt_CloseClick() {
  CtrlsActive(tLauncherStatus::done);
  Reset_ShowLog();
  hide();
}

void Tf_SimLauncher::showEvent(QShowEvent* event) {
  // A show for new window flags keeps the state.
  if (!reshowing_ && status_ != tLauncherStatus::running) CtrlsActive(tLauncherStatus::prepared);
  QDialog::showEvent(event);
}

void Tf_SimLauncher::closeEvent(QCloseEvent* event) {
  // While a run goes on only Stop ends it.
  if (status_ == tLauncherStatus::running) {
    event->ignore();
    return;
  }
  QDialog::closeEvent(event);
}

void Tf_SimLauncher::reject() {
  if (status_ == tLauncherStatus::running) return;
  QDialog::reject();
}

}  // namespace kovalin::app
