#pragma once
// A tiny HTTP server for tests that need one scripted answer: each request is
// answered with the queued response (or the default one), then the
// connection is closed.
#include <QByteArray>
#include <QList>
#include <QTcpServer>
#include <QTcpSocket>

namespace vlm::test {

struct HttpAnswer {
  int status = 200;
  QByteArray reason = "OK";
  QByteArray contentType = "application/octet-stream";
  QByteArray body;
  bool sendLength = true;  // without it the body runs to the end of the connection
};

class ScriptedHttp : public QTcpServer {
 public:
  explicit ScriptedHttp(QObject* parent = nullptr) : QTcpServer(parent) {
    listen(QHostAddress::LocalHost, 0);
    connect(this, &QTcpServer::newConnection, this, [this] {
      while (QTcpSocket* s = nextPendingConnection()) {
        connect(s, &QTcpSocket::readyRead, s, [this, s] {
          buffer_ += s->readAll();
          if (!buffer_.contains("\r\n\r\n")) return;
          requests_ << buffer_;
          buffer_.clear();
          const HttpAnswer a = answers_.isEmpty() ? fallback : answers_.takeFirst();
          QByteArray out = "HTTP/1.1 " + QByteArray::number(a.status) + ' ' + a.reason + "\r\n";
          out += "Content-Type: " + a.contentType + "\r\n";
          if (a.sendLength) out += "Content-Length: " + QByteArray::number(a.body.size()) + "\r\n";
          out += "Connection: close\r\n\r\n" + a.body;
          s->write(out);
          s->disconnectFromHost();
        });
        connect(s, &QTcpSocket::disconnected, s, &QObject::deleteLater);
      }
    });
  }

  QString url(const QString& path = QStringLiteral("/")) const {
    return QStringLiteral("http://127.0.0.1:%1%2").arg(serverPort()).arg(path);
  }
  void queue(const HttpAnswer& a) { answers_.append(a); }
  const QList<QByteArray>& requests() const { return requests_; }

  HttpAnswer fallback;

 private:
  QByteArray buffer_;
  QList<HttpAnswer> answers_;
  QList<QByteArray> requests_;
};

}  // namespace vlm::test
