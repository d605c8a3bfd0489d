#include "app/periphery/version_check.h"

#include <QCoreApplication>
#include <QEventLoop>

#include "app/periphery/build_info.h"
#include "app/periphery/http_fetch.h"
#include "app/periphery/version_window.h"
#include "app/periphery/web_addresses.h"
#include "app/shell/questions.h"

namespace kovalin::app {

namespace {

void Status(const tVersionCheckOptions& options, const QString& text) {
  if (options.status) options.status(text);
}

bool FetchVersion(const tVersionCheckOptions& options, tVersionCheckResult& result) {
  tFetchOptions fetchOptions;
  fetchOptions.limit = options.limit;
  fetchOptions.maxBytes = 64 * 1024;
  const tFetchResult fetched = FetchNow(options.address, fetchOptions);
  if (!fetched.ok) {
    result.error = fetched.error;
    return false;
  }
  return ReadVersionFile(fetched.body, result.version, result.error);
}

QString NewVersionText(const QString& numstr, const char* product) {
  return QStringLiteral("There is a new version ") + numstr + QStringLiteral(" of ") +
         QString::fromLatin1(product) + QStringLiteral("!!");
}

}  // namespace

tVersionCheckOptions DefaultVersionCheckOptions() {
  tVersionCheckOptions options;
  options.address = WebAddresses().Page(tWebPage::VersionFile);
  options.buildNumber = BuildNumber;
  return options;
}

tVersionCheckResult CheckVersion(QWidget* parent, bool automatic,
                                 const tVersionCheckOptions& options) {
  tVersionCheckResult result;
  if (!automatic) {
    Status(options, QStringLiteral("Cheking for updates, please wait..."));
    result.window = new TVersion(parent);
    result.window->show();
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
  }

  if (!FetchVersion(options, result)) {
    result.outcome = tVersionOutcome::Failed;
    ShowError(QString::fromLatin1(kProductName), result.error);
    // The manual check leaves its window and status text as they were: the check did not end.
    if (automatic) Status(options, QString());
    return result;
  }

  // Equal numbers only: a file older than the build also offers its version.
  if (QString::number(result.version.yymmdd) == QString::number(options.buildNumber)) {
    result.outcome = tVersionOutcome::Latest;
    if (result.window) result.window->ShowLatest();
  } else {
    result.outcome = tVersionOutcome::NewVersion;
    if (!result.window) {
      result.window = new TVersion(parent);
      result.window->show();
    }
    result.window->ShowNewVersion(
        NewVersionText(result.version.numstr, automatic ? "Kovalin" : "Orsino"));
  }
  Status(options, QString());
  return result;
}

}  // namespace kovalin::app
