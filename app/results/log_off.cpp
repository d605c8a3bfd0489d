#include "app/results/log_off.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QProcess>
#include <QPushButton>
#include <QTimer>

#include "app/shell/questions.h"

namespace kovalin::app {

namespace {

tSessionLogOff* g_logOff = nullptr;

}  // namespace

bool tLogindLogOff::LogOff(QString& error) {
  // logind knows the session of this process; XDG_SESSION_ID names it when set.
  const QString session = qEnvironmentVariable("XDG_SESSION_ID", QStringLiteral("self"));
  QProcess loginctl;
  loginctl.start(QStringLiteral("loginctl"), {QStringLiteral("terminate-session"), session});
  if (!loginctl.waitForFinished(10000)) {
    error = "loginctl: " + loginctl.errorString();
    return false;
  }
  if (loginctl.exitStatus() != QProcess::NormalExit || loginctl.exitCode() != 0) {
    error = "loginctl: " + QString::fromLocal8Bit(loginctl.readAllStandardError()).trimmed();
    return false;
  }
  return true;
}

tSessionLogOff& SessionLogOff() {
  static tLogindLogOff logind;
  return g_logOff ? *g_logOff : logind;
}

void SetSessionLogOff(tSessionLogOff* logOff) { g_logOff = logOff; }

QString CountdownText(int seconds) {
  return QStringLiteral("Logging off in %1:%2").arg(seconds / 60).arg(seconds % 60, 2, 10, QChar(u'0'));
}

tLogOffCountdown::tLogOffCountdown(QWidget* parent) : QWidget(parent, Qt::Tool) {
  setWindowTitle("Kovalin");
  label_ = new QLabel(this);
  cancel_ = new QPushButton("Cancel", this);
  auto* layout = new QHBoxLayout(this);
  layout->addWidget(label_);
  layout->addWidget(cancel_);
  timer_ = new QTimer(this);
  timer_->setInterval(1000);
  connect(timer_, &QTimer::timeout, this, &tLogOffCountdown::Tick);
  connect(cancel_, &QPushButton::clicked, this, &tLogOffCountdown::Cancel);
}

void tLogOffCountdown::Start(int seconds) {
  secondsLeft_ = std::max(seconds, 0);
  label_->setText(Text());
  if (secondsLeft_ == 0) {
    Finish();
    return;
  }
  show();
  timer_->start();
}

void tLogOffCountdown::Tick() {
  if (!timer_->isActive()) return;
  --secondsLeft_;
  label_->setText(Text());
  if (secondsLeft_ <= 0) Finish();
}

void tLogOffCountdown::Cancel() {
  timer_->stop();
  hide();
  emit finished(false);
}

bool tLogOffCountdown::Running() const { return timer_->isActive(); }

QString tLogOffCountdown::Text() const { return CountdownText(secondsLeft_); }

void tLogOffCountdown::Finish() {
  timer_->stop();
  hide();
  QString error;
  const bool done = SessionLogOff().LogOff(error);
  if (!done) ShowError("Kovalin", "Unable to log off: " + error);
  emit finished(done);
}

}  // namespace kovalin::app
