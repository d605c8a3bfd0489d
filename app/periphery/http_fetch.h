#pragma once

#include <chrono>

#include <QByteArray>
#include <QNetworkReply>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QTimer>
#include <QUrl>

class QNetworkAccessManager;

namespace kovalin::app {

struct tFetchOptions {
  // The whole fetch, redirects included, ends with an error after this time.
  std::chrono::milliseconds limit{10000};
  // The documents fetched are small; a larger answer is refused rather than kept in memory.
  qint64 maxBytes = 1 << 20;
};

struct tFetchResult {
  bool ok = false;
  QByteArray body;
  // The network's own message when the fetch failed.
  QString error;
};

// One HTTP GET of a small document, finished within its time limit.
class tFetch : public QObject {
  Q_OBJECT

 public:
  explicit tFetch(QObject* parent = nullptr);
  ~tFetch() override;

  // Starts a fetch; one still running is abandoned without a Finished signal.
  void Start(const QUrl& address, const tFetchOptions& options = {});
  bool Running() const { return reply_ != nullptr; }

 signals:
  void Finished(const kovalin::app::tFetchResult& result);

 private:
  void OnReadyRead();
  void OnFinished();
  void OnTimeout();
  void Stop();

  QNetworkAccessManager* manager_;
  QPointer<QNetworkReply> reply_;
  QTimer limitTimer_;
  tFetchOptions options_;
  QString stopReason_;
};

// Fetches a document before returning. Timers and network events run meanwhile, but no
// keyboard or mouse input, so no command can start while the program waits.
tFetchResult FetchNow(const QUrl& address, const tFetchOptions& options = {});

}  // namespace kovalin::app
