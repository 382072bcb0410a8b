#pragma once
// The connection component: a TCP/IP connection to the application server,
// set up by named parameters. The main window holds one (bagc); every other
// connection is a clone of it. A connection is used by one thread at a time,
// though not necessarily by the thread that opened it.
#include <QMap>
#include <QString>
#include <memory>

#include "frame.h"
#include "message.h"
#include "netsocket.h"

namespace vlm {

class Connection {
 public:
  // Parameter names.
  static constexpr const char* kDriverName = "DriverName";
  static constexpr const char* kCommunicationProtocol = "CommunicationProtocol";
  static constexpr const char* kPort = "Port";
  static constexpr const char* kHostName = "HostName";
  static constexpr const char* kDatasnapContext = "DatasnapContext";
  static constexpr const char* kFilters = "Filters";
  static constexpr const char* kDSProxyPort = "DSProxyPort";

  // Closed, with the parameters of the main window's connection: driver
  // "DataSnap", "tcp/ip", port "9090", context "datasnap/", filters "{}",
  // proxy port "8090"; the host name is set at login.
  Connection();
  ~Connection();
  Connection(const Connection&) = delete;
  Connection& operator=(const Connection&) = delete;

  QString name() const { return QStringLiteral("DataSnapCONNECTION"); }
  bool loginPrompt() const { return false; }

  QString param(const QString& name) const { return params_.value(name); }
  void setParam(const QString& name, const QString& value) { params_[name] = value; }
  const QMap<QString, QString>& params() const { return params_; }
  QString hostName() const { return param(kHostName); }
  void setHostName(const QString& host) { setParam(kHostName, host); }
  int port() const { return param(kPort).toInt(); }
  void setPort(int port) { setParam(kPort, QString::number(port)); }

  // Time allowed for one read of a reply (and for a write), in ms; a server
  // that accepts and never answers fails the call after it.
  int readTimeout() const { return readTimeout_; }
  void setReadTimeout(int ms) { readTimeout_ = ms; }
  int connectTimeout() const { return connectTimeout_; }
  void setConnectTimeout(int ms) { connectTimeout_ = ms; }
  qsizetype maxFrameSize() const { return maxFrame_; }
  void setMaxFrameSize(qsizetype bytes) { maxFrame_ = bytes; }

  // A new, closed connection with the same parameters and timeouts; it
  // shares nothing with this one.
  std::unique_ptr<Connection> clone() const;

  // Connects and makes the handshake; vlm::Error with the connection
  // layer's text when that fails (the connection is then closed). Opening
  // an open connection does nothing.
  void open();
  void close();
  bool isOpen() const { return socket_.isValid(); }
  bool connected() const { return isOpen(); }

  // Sends one request and waits for its reply. A failed operation comes
  // back as a Reply with `failed`; a broken connection, a timeout or a
  // malformed reply raise vlm::Error and close the connection.
  Reply execute(const Request& request);

 private:
  QMap<QString, QString> params_;
  NetSocket socket_;
  int readTimeout_ = 120000;
  int connectTimeout_ = 10000;
  qsizetype maxFrame_ = kDefaultMaxFrameSize;
};

}  // namespace vlm
