#pragma once

#include <chrono>
#include <cstdint>
#include <functional>

#include <QPointer>
#include <QString>
#include <QUrl>

#include "app/periphery/version_file.h"

class QWidget;

namespace kovalin::app {

class TVersion;

// Writes a text into the main window's second status panel.
using tStatusText = std::function<void(const QString&)>;

struct tVersionCheckOptions {
  QUrl address;
  // A network that does not answer must not hold up the start of the program.
  std::chrono::milliseconds limit{10000};
  std::int32_t buildNumber = 0;
  tStatusText status;
};

// The version file of the build's web site, 10 seconds, this build's number.
tVersionCheckOptions DefaultVersionCheckOptions();

enum class tVersionOutcome { Latest, NewVersion, Failed };

struct tVersionCheckResult {
  tVersionOutcome outcome = tVersionOutcome::Failed;
  tversionrec version;
  QString error;
  // The version window when one was opened; it deletes itself when closed.
  QPointer<TVersion> window;
};

// The manual check shows the version window at once and its answer there; the automatic
// one opens it only for a new version. A failure shows the error message and returns.
tVersionCheckResult CheckVersion(QWidget* parent, bool automatic,
                                 const tVersionCheckOptions& options);

}  // namespace kovalin::app
