#pragma once
// The server side of the wire protocol: a listener that serves many
// connections at once, a thread per connection, dispatch of each request by
// its command text to a registered operation, typed access to the
// parameters, and errors sent back as text.
//
//   vlm::RpcServer server;
//   server.registerOperation("SepetVer2", [](vlm::Call& call) {
//     vlm::DataSet cart = ...;                  // built from call.int32(0)
//     call.setPacket(cart);
//   });
//   server.listen("0.0.0.0", 9090);
//
// Register every operation before listen(). A handler runs on the thread of
// its connection; several handlers run at the same time for different
// connections, one at a time for one connection (so thread_local state is
// per connection). An exception out of a handler goes back to the client as
// the error text of its call (vlm::Error's message, or what()); the
// connection stays open.
#include <QString>
#include <atomic>
#include <functional>
#include <memory>
#include <mutex>
#include <thread>
#include <unordered_map>
#include <vector>

#include "dataset.h"
#include "frame.h"
#include "message.h"
#include "netsocket.h"
#include "objectform.h"
#include "operations.h"
#include "records.h"

namespace vlm {

// One call of an operation, as the handler sees it. Ordinals follow the
// operation's declared parameters (operations.h); the result comes last.
class Call {
 public:
  Call(const OperationSpec& op, std::vector<Value> params);

  const OperationSpec& operation() const { return op_; }
  QString operationName() const { return QLatin1String(op_.name); }
  // A number that tells the connections of this server apart.
  int connectionId() const { return connectionId_; }

  // ---- Input parameters; the wrong kind or ordinal raises vlm::Error ----
  qint32 int32(int ordinal) const;
  qint64 int64(int ordinal) const;
  double real(int ordinal) const;
  QDateTime dateTime(int ordinal) const;  // a Double parameter as day number
  bool boolean(int ordinal) const;
  QString text(int ordinal) const;
  // A record parameter; nullptr when the client sent none.
  template <class T = TSonucBilgisi>
  std::unique_ptr<T> record(int ordinal) const {
    const Value& v = input(ordinal, ValueKind::Json);
    if (v.isNull()) return nullptr;
    return fromObjectFormAs<T>(v.toBytes());
  }
  const Value& param(int ordinal) const;

  // ---- Output parameters (the sizes of streams) ----
  void setOutput(int ordinal, qint64 v);

  // ---- The result, of the operation's result kind ----
  void setResult(qint32 v);
  void setResult(bool v);
  void setResult(const QString& v);
  void setResult(const char* v) { setResult(QString::fromUtf8(v)); }
  // A record in its object form; nullptr sends null (no record).
  void setResult(const TRecord* record);
  void setPacket(const DataSet& table);
  void setPacket(QByteArray packet);  // an encoded data packet as it is
  void setReader(const DataSet& table);
  // The bytes of a stream; also sets the operation's size output to their
  // length unless the handler set it itself.
  void setStream(QByteArray bytes);
  void setResultValue(Value v);  // any kind, checked against the operation

  // Used by the server: the reply, or vlm::Error when the handler left an
  // output or the result unset.
  Reply reply() const;

 private:
  friend class RpcServer;
  const Value& input(int ordinal, ValueKind kind) const;
  void setSlot(int ordinal, Value v);

  const OperationSpec& op_;
  std::vector<Value> params_;
  std::vector<Value> outs_;  // one per slot: outputs and the result
  std::vector<bool> set_;
  int connectionId_ = 0;
};

using Handler = std::function<void(Call&)>;

class RpcServer {
 public:
  RpcServer();
  ~RpcServer();  // close()
  RpcServer(const RpcServer&) = delete;
  RpcServer& operator=(const RpcServer&) = delete;

  // Registers the handler of one of the operations of operations.h, by
  // name ("SepetVer2"); an unknown name raises vlm::Error.
  void registerOperation(const QString& name, Handler handler);
  // Registers an operation of any signature; `imza` (and what it points
  // to) must outlive the server.
  void registerOperation(const OperationSpec& imza, Handler handler);

  // Starts listening and serving; address "127.0.0.1", "0.0.0.0" or "::",
  // port 0 for any free one. vlm::Error when the port cannot be taken.
  void listen(const QString& address = QStringLiteral("127.0.0.1"), quint16 port = 0);
  quint16 port() const { return listener_.port(); }
  bool isListening() const { return running_; }
  // Stops listening, ends every connection and waits for their threads.
  void close();

  // The largest request accepted (bigger ones end the connection).
  void setMaxFrameSize(qsizetype bytes) { maxFrame_ = bytes; }
  // How long a handshake, the rest of a started request, or sending a reply
  // may take (ms).
  void setReadTimeout(int ms) { timeout_ = ms; }
  // How long a connection may stay silent between requests (-1: no limit).
  void setIdleTimeout(int ms) { idleTimeout_ = ms; }

  int connectionCount() const;
  // Connections served since listen(), ended or not.
  int connectionsAccepted() const { return accepted_; }

 private:
  struct Worker;
  void acceptLoop();
  void serve(const std::shared_ptr<Worker>& w);
  bool handshake(NetSocket& s);
  Pieces dispatch(const QByteArray& payload, int connectionId);
  void reap(bool all);

  struct Entry {
    const OperationSpec* imza;
    Handler handler;
  };
  std::unordered_map<QString, Entry> ops_;
  NetListener listener_;
  std::thread acceptThread_;
  std::atomic<bool> running_{false};
  mutable std::mutex mutex_;
  std::vector<std::shared_ptr<Worker>> workers_;
  qsizetype maxFrame_ = kDefaultMaxFrameSize;
  int timeout_ = 60000;
  int idleTimeout_ = -1;
  std::atomic<int> accepted_{0};
};

}  // namespace vlm
