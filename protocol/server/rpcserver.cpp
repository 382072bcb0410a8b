#include "rpcserver.h"

#include "datapacket.h"
#include "daycount.h"
#include "error.h"
#include "tablereader.h"

namespace vlm {

// ---------------------------------------------------------------------------
// Call

Call::Call(const OperationSpec& op, std::vector<Value> params)
    : op_(op),
      params_(std::move(params)),
      outs_(size_t(op.slotCount())),
      set_(size_t(op.slotCount()), false) {}

const Value& Call::param(int ordinal) const {
  if (ordinal < 0 || ordinal >= int(params_.size()))
    throw Error(QStringLiteral("%1 has no parameter %2").arg(operationName()).arg(ordinal));
  return params_[size_t(ordinal)];
}

const Value& Call::input(int ordinal, ValueKind kind) const {
  const Value& v = param(ordinal);
  if (v.kind() != kind)
    throw Error(QStringLiteral("Parameter %1 of %2 is of kind %3, not %4")
                    .arg(ordinal)
                    .arg(operationName(), QLatin1String(valueKindName(v.kind())),
                         QLatin1String(valueKindName(kind))));
  return v;
}

qint32 Call::int32(int ordinal) const {
  return input(ordinal, ValueKind::Int32).toInt32();
}
qint64 Call::int64(int ordinal) const {
  return input(ordinal, ValueKind::Int64).toInt64();
}
double Call::real(int ordinal) const {
  return input(ordinal, ValueKind::Double).toDouble();
}
QDateTime Call::dateTime(int ordinal) const {
  return fromDayCount(real(ordinal));
}
bool Call::boolean(int ordinal) const {
  return input(ordinal, ValueKind::Boolean).toBool();
}
QString Call::text(int ordinal) const {
  return input(ordinal, ValueKind::WideString).toText();
}

void Call::setSlot(int ordinal, Value v) {
  if (ordinal < 0 || ordinal >= op_.slotCount() || !op_.isOutput(ordinal))
    throw Error(QStringLiteral("%1 has no output %2").arg(operationName()).arg(ordinal));
  if (op_.kindAt(ordinal) != v.kind())
    throw Error(QStringLiteral("Output %1 of %2 is of kind %3, not %4")
                    .arg(ordinal)
                    .arg(operationName(), QLatin1String(valueKindName(op_.kindAt(ordinal))),
                         QLatin1String(valueKindName(v.kind()))));
  outs_[size_t(ordinal)] = std::move(v);
  set_[size_t(ordinal)] = true;
}

void Call::setOutput(int ordinal, qint64 v) {
  setSlot(ordinal, Value::int64(v));
}

void Call::setResultValue(Value v) {
  if (!op_.hasResult) throw Error(QStringLiteral("%1 has no result").arg(operationName()));
  setSlot(op_.resultOrdinal(), std::move(v));
}
void Call::setResult(qint32 v) {
  setResultValue(Value::int32(v));
}
void Call::setResult(bool v) {
  setResultValue(Value::boolean(v));
}
void Call::setResult(const QString& v) {
  setResultValue(Value::text(v));
}
void Call::setResult(const TRecord* record) {
  if (record && op_.recordType && qstrcmp(record->typeName(), op_.recordType) != 0)
    throwWrongRecordType(record->typeName(), op_.recordType);
  setResultValue(record ? Value::bytes(ValueKind::Json, toObjectForm(record))
                        : Value::null(ValueKind::Json));
}
void Call::setPacket(const DataSet& table) {
  setResultValue(Value::bytes(ValueKind::Packet, encodeDataPacket(table)));
}
void Call::setPacket(QByteArray packet) {
  setResultValue(Value::bytes(ValueKind::Packet, std::move(packet)));
}
void Call::setReader(const DataSet& table) {
  setResultValue(Value::bytes(ValueKind::Reader, TableReader::encode(table)));
}
void Call::setStream(QByteArray bytes) {
  const qint64 size = bytes.size();
  setResultValue(Value::bytes(ValueKind::Stream, std::move(bytes)));
  for (int i = op_.resultOrdinal() - 1; i >= 0; --i)
    if (op_.isOutput(i) && op_.kindAt(i) == ValueKind::Int64) {
      if (!set_[size_t(i)]) setOutput(i, size);
      break;
    }
}

Reply Call::reply() const {
  Reply r;
  for (int i = 0; i < op_.slotCount(); ++i) {
    if (!op_.isOutput(i)) continue;
    if (!set_[size_t(i)])
      throw Error(i == op_.resultOrdinal()
                      ? QStringLiteral("%1 set no result").arg(operationName())
                      : QStringLiteral("%1 set no output %2").arg(operationName()).arg(i));
    r.params.emplace_back(i, outs_[size_t(i)]);
  }
  return r;
}

// ---------------------------------------------------------------------------
// RpcServer

struct RpcServer::Worker {
  NetSocket socket;
  std::thread thread;
  std::atomic<bool> done{false};
  int id = 0;
};

RpcServer::RpcServer() = default;

RpcServer::~RpcServer() {
  close();
}

void RpcServer::registerOperation(const QString& name, Handler handler) {
  const OperationSpec* imza = findOperation(name);
  if (!imza) throw Error(QStringLiteral("No operation named %1").arg(name));
  registerOperation(*imza, std::move(handler));
}

void RpcServer::registerOperation(const OperationSpec& imza, Handler handler) {
  if (running_) throw Error(QStringLiteral("Register operations before listening"));
  ops_[QLatin1String(kServerClass) + QLatin1Char('.') + QLatin1String(imza.name)] =
      Entry{&imza, std::move(handler)};
}

void RpcServer::listen(const QString& address, quint16 port) {
  close();
  listener_.listen(address, port);
  accepted_ = 0;
  running_ = true;
  acceptThread_ = std::thread([this] { acceptLoop(); });
}

void RpcServer::close() {
  if (!running_.exchange(false)) return;
  if (acceptThread_.joinable()) acceptThread_.join();
  listener_.close();
  reap(true);
}

int RpcServer::connectionCount() const {
  std::lock_guard lock(mutex_);
  int n = 0;
  for (const auto& w : workers_)
    if (!w->done) ++n;
  return n;
}

void RpcServer::reap(bool all) {
  std::vector<std::shared_ptr<Worker>> ending;
  {
    std::lock_guard lock(mutex_);
    for (auto it = workers_.begin(); it != workers_.end();) {
      if (all || (*it)->done) {
        if (all) (*it)->socket.shutdown();  // a blocked read returns at once
        ending.push_back(*it);
        it = workers_.erase(it);
      } else {
        ++it;
      }
    }
  }
  for (auto& w : ending)
    if (w->thread.joinable()) w->thread.join();
}

void RpcServer::acceptLoop() {
  while (running_) {
    NetSocket s = listener_.accept(100);
    reap(false);
    if (!s.isValid()) continue;
    auto w = std::make_shared<Worker>();
    w->socket = std::move(s);
    w->id = ++accepted_;
    std::lock_guard lock(mutex_);
    if (!running_) break;
    workers_.push_back(w);
    w->thread = std::thread([this, w] { serve(w); });
  }
}

bool RpcServer::handshake(NetSocket& s) {
  QByteArray payload;
  if (!recvFrame(s, payload, 4096, timeout_, timeout_)) return false;
  int version = 0;
  try {
    version = decodeHello(payload);
  } catch (const Error& e) {
    sendFrame(s, encodeError(QStringLiteral("Bad handshake: %1").arg(e.message())), timeout_);
    return false;
  }
  if (version != kProtocolVersion) {
    sendFrame(s,
              encodeError(QStringLiteral("Unsupported protocol version %1; this server speaks %2")
                              .arg(version)
                              .arg(kProtocolVersion)),
              timeout_);
    return false;
  }
  sendFrame(s, encodeWelcome(), timeout_);
  return true;
}

void RpcServer::serve(const std::shared_ptr<Worker>& w) {
  NetSocket& s = w->socket;
  try {
    if (handshake(s)) {
      QByteArray payload;
      while (running_ && recvFrame(s, payload, maxFrame_, idleTimeout_, timeout_)) {
        const Pieces reply = dispatch(payload, w->id);
        if (reply.empty()) break;  // not a request: end the connection
        sendFrame(s, reply, timeout_);
      }
    }
  } catch (const std::exception&) {
    // A bad frame, a timeout or a lost connection: this connection ends.
  }
  s.shutdown();
  w->done = true;
}

namespace {
Pieces fail(const QString& text) {
  return {encodeError(text)};
}
}  // namespace

Pieces RpcServer::dispatch(const QByteArray& payload, int connectionId) {
  Request req;
  try {
    req = decodeRequest(payload);
  } catch (const Error&) {
    return {};
  }
  const auto it = ops_.find(req.command);
  if (it == ops_.end()) return fail(QStringLiteral("Server method %1 not found").arg(req.command));
  const OperationSpec& imza = *it->second.imza;

  // The parameters must be the operation's, kind by kind; outputs come null.
  if (int(req.params.size()) != int(imza.params.size()))
    return fail(QStringLiteral("%1 takes %2 parameters, %3 given")
                    .arg(req.command)
                    .arg(imza.params.size())
                    .arg(req.params.size()));
  for (size_t i = 0; i < imza.params.size(); ++i) {
    const ParamSpec& p = imza.params[i];
    const Value& v = req.params[i];
    if (v.kind() != p.kind)
      return fail(
          QStringLiteral("Parameter %1 (%2) of %3 must be of kind %4")
              .arg(i)
              .arg(QLatin1String(p.name), req.command, QLatin1String(valueKindName(p.kind))));
    const bool nullable = p.kind == ValueKind::Json || p.output;
    if (v.isNull() && !nullable)
      return fail(QStringLiteral("Parameter %1 (%2) of %3 is missing")
                      .arg(i)
                      .arg(QLatin1String(p.name), req.command));
  }

  Call call(imza, std::move(req.params));
  call.connectionId_ = connectionId;
  try {
    it->second.handler(call);
    return encodeReplyPieces(call.reply());
  } catch (const Error& e) {
    return fail(e.message());
  } catch (const std::exception& e) {
    return fail(QString::fromUtf8(e.what()));
  } catch (...) {
    return fail(QStringLiteral("Server error in %1").arg(req.command));
  }
}

}  // namespace vlm
