#pragma once

#include <QString>
#include <QWidget>

class QLabel;
class QPushButton;
class QTimer;

namespace kovalin::app {

// Ends the user's desktop session. The program asks the session manager; tests
// set a fake, since no test may log anyone off.
class tSessionLogOff {
 public:
  virtual ~tSessionLogOff() = default;
  // False, with the reason, when the session could not be asked to end.
  virtual bool LogOff(QString& error) = 0;
};

// Asks logind to end the current session (loginctl terminate-session).
class tLogindLogOff : public tSessionLogOff {
 public:
  bool LogOff(QString& error) override;
};

tSessionLogOff& SessionLogOff();
// Sets the log-off to use (not owned); nullptr returns to logind.
void SetSessionLogOff(tSessionLogOff* logOff);

// "Logging off in 4:59": counts down once a second while the program stays
// usable, logs off at zero, and Cancel stops it.
class tLogOffCountdown : public QWidget {
  Q_OBJECT
 public:
  explicit tLogOffCountdown(QWidget* parent = nullptr);

  void Start(int seconds);
  // One second less; logs off when none is left.
  void Tick();
  void Cancel();
  bool Running() const;
  int SecondsLeft() const { return secondsLeft_; }
  QString Text() const;
  QPushButton* CancelButton() const { return cancel_; }

 signals:
  void finished(bool loggedOff);

 private:
  void Finish();

  int secondsLeft_ = 0;
  QLabel* label_;
  QPushButton* cancel_;
  QTimer* timer_;
};

// "Logging off in M:SS".
QString CountdownText(int seconds);

}  // namespace kovalin::app
