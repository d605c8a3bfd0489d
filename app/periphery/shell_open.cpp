#include "app/periphery/shell_open.h"

#include <QDesktopServices>

#include "app/periphery/build_info.h"
#include "app/shell/questions.h"

namespace kovalin::app {

namespace {

class tDesktopShellOpener : public tShellOpener {
 public:
  bool Open(const QUrl& address) override { return QDesktopServices::openUrl(address); }
};

tShellOpener* current = nullptr;

bool IsOpenable(const QUrl& address) {
  if (!address.isValid()) return false;
  const QString scheme = address.scheme().toLower();
  if (scheme == QLatin1String("mailto")) return !address.path().isEmpty();
  return (scheme == QLatin1String("http") || scheme == QLatin1String("https")) &&
         !address.host().isEmpty();
}

}  // namespace

tShellOpener& ShellOpener() {
  if (current != nullptr) return *current;
  static tDesktopShellOpener desktop;
  return desktop;
}

void SetShellOpener(tShellOpener* opener) { current = opener; }

bool ShellOpen(const QUrl& address) {
  if (!IsOpenable(address)) return false;
  return ShellOpener().Open(address);
}

bool ShellOpenOrReport(const QUrl& address, const QString& failureText) {
  if (ShellOpen(address)) return true;
  ShowError(QString::fromLatin1(kProductName), failureText);
  return false;
}

}  // namespace kovalin::app
