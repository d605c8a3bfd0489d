#pragma once

#include <QByteArray>
#include <QList>
#include <QPointer>
#include <QTcpServer>
#include <QTcpSocket>
#include <QUrl>

namespace kovalin::app::testing {

// An HTTP server on the loopback address that answers every GET with one fixed document,
// or accepts connections and never answers.
class tLocalHttpServer : public QObject {
  Q_OBJECT

 public:
  tLocalHttpServer();
  ~tLocalHttpServer() override;

  void Serve(const QByteArray& body, const QByteArray& contentType = "text/xml");
  void NeverAnswer() { answer_ = false; }

  QUrl Url(const QString& path) const;
  // The number of complete requests received.
  int Requests() const { return requests_; }

 private:
  void OnConnection();
  void OnReadable(QTcpSocket* socket);

  QTcpServer server_;
  QList<QPointer<QTcpSocket>> sockets_;
  QByteArray body_;
  QByteArray contentType_;
  bool answer_ = true;
  int requests_ = 0;
};

}  // namespace kovalin::app::testing
