#include "app/periphery/tests/local_http_server.h"

namespace kovalin::app::testing {

tLocalHttpServer::tLocalHttpServer() {
  server_.listen(QHostAddress::LocalHost, 0);
  connect(&server_, &QTcpServer::newConnection, this, &tLocalHttpServer::OnConnection);
}

tLocalHttpServer::~tLocalHttpServer() {
  for (const QPointer<QTcpSocket>& socket : sockets_) {
    if (socket) socket->abort();
  }
}

void tLocalHttpServer::Serve(const QByteArray& body, const QByteArray& contentType) {
  answer_ = true;
  body_ = body;
  contentType_ = contentType;
}

QUrl tLocalHttpServer::Url(const QString& path) const {
  return QUrl(QStringLiteral("http://127.0.0.1:%1/%2").arg(server_.serverPort()).arg(path));
}

void tLocalHttpServer::OnConnection() {
  while (QTcpSocket* socket = server_.nextPendingConnection()) {
    socket->setParent(this);
    sockets_.append(socket);
    connect(socket, &QTcpSocket::readyRead, this, [this, socket] { OnReadable(socket); });
  }
}

void tLocalHttpServer::OnReadable(QTcpSocket* socket) {
  QByteArray request = socket->property("request").toByteArray() + socket->readAll();
  socket->setProperty("request", request);
  if (!request.contains("\r\n\r\n")) return;
  socket->setProperty("request", QByteArray());
  ++requests_;
  if (!answer_) return;
  socket->write("HTTP/1.1 200 OK\r\nContent-Type: " + contentType_ +
                "\r\nContent-Length: " + QByteArray::number(body_.size()) +
                "\r\nConnection: close\r\n\r\n" + body_);
  socket->disconnectFromHost();
}

}  // namespace kovalin::app::testing
