#include "connection.h"

#include "error.h"

namespace vlm {

Connection::Connection() {
  params_[kDriverName] = QStringLiteral("DataSnap");
  params_[kCommunicationProtocol] = QStringLiteral("tcp/ip");
  params_[kPort] = QStringLiteral("9090");
  params_[kHostName] = QStringLiteral("localhost");
  params_[kDatasnapContext] = QStringLiteral("datasnap/");
  params_[kFilters] = QStringLiteral("{}");
  params_[kDSProxyPort] = QStringLiteral("8090");
}

Connection::~Connection() = default;

std::unique_ptr<Connection> Connection::clone() const {
  auto c = std::make_unique<Connection>();
  c->params_ = params_;
  c->readTimeout_ = readTimeout_;
  c->connectTimeout_ = connectTimeout_;
  c->maxFrame_ = maxFrame_;
  return c;
}

void Connection::open() {
  if (isOpen()) return;
  const QString protocol = param(kCommunicationProtocol);
  if (protocol.compare(QLatin1String("tcp/ip"), Qt::CaseInsensitive) != 0)
    throw Error(QStringLiteral("Communication protocol %1 is not supported").arg(protocol));
  const QString filters = param(kFilters).trimmed();
  if (!filters.isEmpty() && filters != QLatin1String("{}"))
    throw Error(QStringLiteral("Transport filters are not supported"));
  bool ok = false;
  const uint port = param(kPort).trimmed().toUInt(&ok);
  if (!ok || port == 0 || port > 65535)
    throw Error(QStringLiteral("Invalid port %1").arg(param(kPort)));
  const QString host = hostName().trimmed();
  if (host.isEmpty()) throw Error(QStringLiteral("No host name given"));

  NetSocket s = NetSocket::connectTo(host, quint16(port), connectTimeout_);
  sendFrame(s, encodeHello(), readTimeout_);
  QByteArray payload;
  if (!recvFrame(s, payload, 65536, readTimeout_, readTimeout_))
    throw Error(QStringLiteral("Connection closed by the server"));
  checkWelcome(payload);
  socket_ = std::move(s);
}

void Connection::close() {
  socket_.close();
}

Reply Connection::execute(const Request& request) {
  if (!isOpen()) throw Error(QStringLiteral("Connection is closed"));
  try {
    sendFrame(socket_, encodeRequestPieces(request), readTimeout_);
    QByteArray payload;
    if (!recvFrame(socket_, payload, maxFrame_, readTimeout_, readTimeout_))
      throw Error(QStringLiteral("Connection closed by the server"));
    return decodeReply(std::move(payload));
  } catch (...) {
    // Whatever is left on the wire belongs to no call any more.
    close();
    throw;
  }
}

}  // namespace vlm
