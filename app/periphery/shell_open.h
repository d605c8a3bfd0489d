#pragma once

#include <QString>
#include <QUrl>

namespace kovalin::app {

// Opens an address with the system's default handler (the web browser, the mail program).
// The program uses the desktop's; tests set a fake, so no test ever starts a browser.
class tShellOpener {
 public:
  virtual ~tShellOpener() = default;
  // True when the handler was started.
  virtual bool Open(const QUrl& address) = 0;
};

// The process-wide opener: the desktop's unless a test set another.
tShellOpener& ShellOpener();
// Sets the opener to use (not owned); nullptr returns to the desktop's.
void SetShellOpener(tShellOpener* opener);

// Opens web and mail addresses only: a link inside a fetched page must not start
// whatever program the system binds to a file or another scheme.
bool ShellOpen(const QUrl& address);
// ShellOpen, and on failure an error message with `failureText` ("Unable to connect").
bool ShellOpenOrReport(const QUrl& address, const QString& failureText);

}  // namespace kovalin::app
