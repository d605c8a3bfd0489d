#include "app/periphery/http_fetch.h"

#include <QEventLoop>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>

namespace kovalin::app {

tFetch::tFetch(QObject* parent) : QObject(parent), manager_(new QNetworkAccessManager(this)) {
  limitTimer_.setSingleShot(true);
  connect(&limitTimer_, &QTimer::timeout, this, &tFetch::OnTimeout);
}

tFetch::~tFetch() { Stop(); }

void tFetch::Start(const QUrl& address, const tFetchOptions& options) {
  Stop();
  options_ = options;
  stopReason_.clear();
  QNetworkRequest request(address);
  request.setAttribute(QNetworkRequest::RedirectPolicyAttribute,
                       QNetworkRequest::NoLessSafeRedirectPolicy);
  request.setMaximumRedirectsAllowed(5);
  // A stale copy of the version file would hide a new version.
  request.setAttribute(QNetworkRequest::CacheLoadControlAttribute,
                       QNetworkRequest::AlwaysNetwork);
  reply_ = manager_->get(request);
  connect(reply_, &QNetworkReply::readyRead, this, &tFetch::OnReadyRead);
  connect(reply_, &QNetworkReply::finished, this, &tFetch::OnFinished);
  const auto limit = options.limit.count() > 0 ? options.limit : std::chrono::milliseconds(1);
  limitTimer_.start(limit);
}

void tFetch::OnReadyRead() {
  if (reply_ == nullptr) return;
  const QVariant length = reply_->header(QNetworkRequest::ContentLengthHeader);
  const qint64 announced = length.isValid() ? length.toLongLong() : 0;
  if (reply_->bytesAvailable() > options_.maxBytes || announced > options_.maxBytes) {
    stopReason_ = QStringLiteral("The document at %1 is larger than %2 bytes")
                      .arg(reply_->url().toDisplayString())
                      .arg(options_.maxBytes);
    reply_->abort();
  }
}

void tFetch::OnTimeout() {
  if (reply_ == nullptr) return;
  stopReason_ = QStringLiteral("Connection timed out: %1 did not answer within %2 seconds")
                    .arg(reply_->url().host())
                    .arg(static_cast<double>(options_.limit.count()) / 1000.0);
  reply_->abort();
}

void tFetch::OnFinished() {
  QNetworkReply* reply = reply_;
  if (reply == nullptr || sender() != reply) return;
  limitTimer_.stop();
  tFetchResult result;
  if (!stopReason_.isEmpty()) {
    result.error = stopReason_;
  } else if (reply->error() != QNetworkReply::NoError) {
    result.error = reply->errorString();
  } else {
    result.body = reply->readAll();
    result.ok = true;
  }
  reply_ = nullptr;
  reply->disconnect(this);
  reply->deleteLater();
  emit Finished(result);
}

void tFetch::Stop() {
  limitTimer_.stop();
  if (reply_ == nullptr) return;
  QNetworkReply* reply = reply_;
  reply_ = nullptr;
  reply->disconnect(this);
  reply->abort();
  reply->deleteLater();
}

tFetchResult FetchNow(const QUrl& address, const tFetchOptions& options) {
  tFetch fetch;
  tFetchResult result;
  bool done = false;
  QEventLoop loop;
  QObject::connect(&fetch, &tFetch::Finished, &loop, [&](const tFetchResult& finished) {
    result = finished;
    done = true;
    loop.quit();
  });
  fetch.Start(address, options);
  if (!done) loop.exec(QEventLoop::ExcludeUserInputEvents);
  return result;
}

}  // namespace kovalin::app
