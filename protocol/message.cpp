#include "message.h"

#include <QCborStreamReader>
#include <QCborStreamWriter>
#include <cstring>
#include <limits>

#include "cbortable.h"
#include "error.h"

namespace vlm {

namespace {

constexpr const char* kWhat = "message";

[[noreturn]] void fail(const QString& detail) {
  cbor::fail(kWhat, detail);
}

QByteArray readBytes(QCborStreamReader& r, qsizetype limit) {
  return cbor::readBytes(r, kWhat, limit);
}

QString readString(QCborStreamReader& r, qsizetype limit) {
  return QString::fromUtf8(cbor::readText(r, kWhat, limit));
}

// Opens a map and checks that it is one.
void enterMap(QCborStreamReader& r, const char* what) {
  if (!r.isMap()) fail(QStringLiteral("%1 expected").arg(QLatin1String(what)));
  r.enterContainer();
}

// Leaves a container that must hold nothing more, then checks that the
// payload ends there.
void finish(QCborStreamReader& r, qsizetype size) {
  if (r.hasNext()) fail(QStringLiteral("unexpected member"));
  if (!r.leaveContainer() || r.lastError() != QCborError::NoError)
    fail(QStringLiteral("truncated"));
  if (r.currentOffset() != size) fail(QStringLiteral("trailing bytes"));
}

// The key of the next member of a map.
QByteArray nextKey(QCborStreamReader& r) {
  if (!r.hasNext()) fail(QStringLiteral("member missing"));
  return cbor::readText(r, kWhat, 64);
}

}  // namespace

// ---------------------------------------------------------------------------
// Values

namespace {

// Writes into pieces, keeping large byte values apart.
class PieceWriter {
 public:
  static constexpr qsizetype kApart = 64 * 1024;
  QByteArray cur;
  Pieces pieces;

  void bytes(const QByteArray& b) {
    if (b.size() < kApart) {
      cur.append(b);
      return;
    }
    pieces.push_back(std::move(cur));
    cur = QByteArray();
    pieces.push_back(b);  // shared, not copied
  }
  Pieces finish() {
    pieces.push_back(std::move(cur));
    return std::move(pieces);
  }
};

void putValue(PieceWriter& w, const Value& v) {
  QByteArray& out = w.cur;
  cbor::putHead(out, cbor::kArray, 2);
  cbor::putText(out, valueKindName(v.kind()));
  if (v.isNull()) {
    out += char(0xf6);
    return;
  }
  switch (v.kind()) {
    case ValueKind::Int32:
    case ValueKind::Int64: cbor::putInteger(out, v.toInt64()); return;
    case ValueKind::WideString: cbor::putText(out, v.toText().toUtf8()); return;
    case ValueKind::Double: cbor::putReal(out, v.toDouble()); return;
    case ValueKind::Boolean: out += char(v.toBool() ? 0xf5 : 0xf4); return;
    case ValueKind::Json:
      cbor::putHead(out, cbor::kText, quint64(v.toBytes().size()));
      w.bytes(v.toBytes());
      return;
    case ValueKind::Packet:
    case ValueKind::Reader:
      cbor::putHead(out, cbor::kTag, 24);  // embedded CBOR
      [[fallthrough]];
    case ValueKind::Stream:
      cbor::putHead(w.cur, cbor::kBytes, quint64(v.toBytes().size()));
      w.bytes(v.toBytes());
      return;
  }
}

}  // namespace

void encodeValue(QByteArray& out, const Value& v) {
  PieceWriter w;
  putValue(w, v);
  out += joinPieces(w.finish());
}

namespace {
// A byte value left in the payload, to be cut out after the reading.
struct Deferred {
  size_t index;      // of the parameter
  qsizetype offset;  // of its content in the payload
  qsizetype size;
};

// Reads the definite byte or text string at the reader without copying it:
// its content's place in the payload. False when it is chunked or small
// (then the caller reads it the usual way).
bool locateString(QCborStreamReader& r, const QByteArray& payload, qsizetype& offset,
                  qsizetype& size) {
  const qsizetype at = r.currentOffset();
  if (at < 0 || at >= payload.size()) return false;
  const quint8 ai = quint8(payload[at]) & 31;
  const int headSize = ai < 24 ? 1 : ai == 24 ? 2 : ai == 25 ? 3 : ai == 26 ? 5 : ai == 27 ? 9 : 0;
  if (headSize == 0) return false;  // indefinite length
  const qsizetype n = r.currentStringChunkSize();
  if (n < PieceWriter::kApart || n > payload.size() - at - headSize) return false;
  offset = at + headSize;
  size = n;
  return r.next();
}

Value decodeValueImpl(QCborStreamReader& r, qsizetype limit, const QByteArray* payload,
                      Deferred* deferred);
}  // namespace

Value decodeValue(QCborStreamReader& r, qsizetype limit) {
  return decodeValueImpl(r, limit, nullptr, nullptr);
}

namespace {
Value decodeValueImpl(QCborStreamReader& r, qsizetype limit, const QByteArray* payload,
                      Deferred* deferred) {
  if (!r.isArray() || !r.isLengthKnown() || r.length() != 2) fail(QStringLiteral("value expected"));
  r.enterContainer();
  const QByteArray kindName = cbor::readText(r, kWhat, 16);
  ValueKind kind;
  if (!valueKindFromName(kindName, kind))
    fail(QStringLiteral("unknown value kind \"%1\"").arg(QString::fromUtf8(kindName)));
  if (!r.hasNext()) fail(QStringLiteral("value missing"));
  Value v;
  if (r.isNull()) {
    r.next();
    v = Value::null(kind);
  } else {
    auto wrong = [&] {
      fail(QStringLiteral("bad content for a value of kind %1")
               .arg(QLatin1String(valueKindName(kind))));
    };
    switch (kind) {
      case ValueKind::Int32: {
        if (!r.isInteger()) wrong();
        const qint64 x = cbor::readInteger(r, kWhat);
        if (x < std::numeric_limits<qint32>::min() || x > std::numeric_limits<qint32>::max())
          fail(QStringLiteral("int32 value out of range"));
        v = Value::int32(qint32(x));
        break;
      }
      case ValueKind::Int64:
        if (!r.isInteger()) wrong();
        v = Value::int64(cbor::readInteger(r, kWhat));
        break;
      case ValueKind::WideString:
        if (!r.isString()) wrong();
        v = Value::text(readString(r, limit));
        break;
      case ValueKind::Double: {
        double d = 0;
        if (r.isDouble())
          d = r.toDouble();
        else if (r.isFloat())
          d = r.toFloat();
        else if (r.isFloat16())
          d = r.toFloat16();
        else
          wrong();
        r.next();
        v = Value::real(d);
        break;
      }
      case ValueKind::Boolean:
        if (!r.isBool()) wrong();
        v = Value::boolean(r.toBool());
        r.next();
        break;
      case ValueKind::Json:
        if (!r.isString()) wrong();
        v = Value::bytes(kind, cbor::readText(r, kWhat, limit));
        break;
      case ValueKind::Packet:
      case ValueKind::Reader:
      case ValueKind::Stream:
        if (kind != ValueKind::Stream) {
          if (!r.isTag() || r.toTag() != QCborTag(QCborKnownTags::EncodedCbor)) wrong();
          r.next();
        }
        if (!r.isByteArray()) wrong();
        if (deferred && payload && locateString(r, *payload, deferred->offset, deferred->size)) {
          v = Value::bytes(kind, QByteArray());  // cut out of the payload later
        } else {
          v = Value::bytes(kind, readBytes(r, limit));
        }
        break;
    }
  }
  if (r.hasNext()) fail(QStringLiteral("value with more than two items"));
  if (!r.leaveContainer()) fail(QStringLiteral("truncated"));
  return v;
}
}  // namespace

// ---------------------------------------------------------------------------
// Handshake

QByteArray encodeHello(int version) {
  QByteArray out;
  QCborStreamWriter w(&out);
  w.startMap(2);
  w.append(QLatin1StringView("protocol"));
  w.append(QLatin1StringView(kProtocolName));
  w.append(QLatin1StringView("version"));
  w.append(qint64(version));
  w.endMap();
  return out;
}

QByteArray encodeWelcome() {
  return encodeHello(kProtocolVersion);
}

namespace {
// {"protocol": "VLM-RPC", "version": n} → n
int readHello(const QByteArray& payload) {
  QCborStreamReader r(payload);
  enterMap(r, "handshake");
  if (nextKey(r) != "protocol") fail(QStringLiteral("\"protocol\" expected"));
  if (cbor::readText(r, kWhat, 64) != kProtocolName) fail(QStringLiteral("not VLM-RPC"));
  if (nextKey(r) != "version") fail(QStringLiteral("\"version\" expected"));
  const qint64 version = cbor::readInteger(r, kWhat);
  finish(r, payload.size());
  if (version < 0 || version > std::numeric_limits<int>::max()) fail(QStringLiteral("bad version"));
  return int(version);
}
}  // namespace

int decodeHello(const QByteArray& payload) {
  return readHello(payload);
}

void checkWelcome(const QByteArray& payload) {
  // A refusal carries the server's reason.
  Reply refusal;
  try {
    refusal = decodeReply(payload);
  } catch (const Error&) {
    refusal.failed = false;
  }
  if (refusal.failed) throw Error(refusal.error);
  int version = 0;
  try {
    version = readHello(payload);
  } catch (const Error& e) {
    throw Error(QStringLiteral("Bad handshake from the server: %1").arg(e.message()));
  }
  if (version != kProtocolVersion)
    throw Error(QStringLiteral("Bad handshake from the server: protocol version %1, expected %2")
                    .arg(version)
                    .arg(kProtocolVersion));
}

// ---------------------------------------------------------------------------
// Requests and replies

QByteArray joinPieces(const Pieces& pieces) {
  if (pieces.size() == 1) return pieces.front();
  qsizetype n = 0;
  for (const QByteArray& p : pieces) n += p.size();
  QByteArray out;
  out.reserve(n);
  for (const QByteArray& p : pieces) out += p;
  return out;
}

Pieces encodeRequestPieces(const Request& request) {
  PieceWriter w;
  cbor::putHead(w.cur, cbor::kMap, 2);
  cbor::putText(w.cur, "command");
  cbor::putText(w.cur, request.command.toUtf8());
  cbor::putText(w.cur, "params");
  cbor::putHead(w.cur, cbor::kArray, quint64(request.params.size()));
  for (const Value& v : request.params) putValue(w, v);
  return w.finish();
}

QByteArray encodeRequest(const Request& request) {
  return joinPieces(encodeRequestPieces(request));
}

Request decodeRequest(const QByteArray& payload) {
  QCborStreamReader r(payload);
  const qsizetype size = payload.size();
  enterMap(r, "request");
  if (nextKey(r) != "command") fail(QStringLiteral("\"command\" expected"));
  Request req;
  req.command = readString(r, 256);
  if (nextKey(r) != "params") fail(QStringLiteral("\"params\" expected"));
  if (!r.isArray()) fail(QStringLiteral("parameter list expected"));
  r.enterContainer();
  while (r.hasNext()) {
    if (req.params.size() >= 256) fail(QStringLiteral("too many parameters"));
    req.params.push_back(decodeValue(r, size - r.currentOffset()));
  }
  if (!r.leaveContainer()) fail(QStringLiteral("truncated"));
  finish(r, size);
  return req;
}

Pieces encodeReplyPieces(const Reply& reply) {
  if (reply.failed) return {encodeError(reply.error)};
  PieceWriter w;
  cbor::putHead(w.cur, cbor::kMap, 1);
  cbor::putText(w.cur, "params");
  cbor::putHead(w.cur, cbor::kArray, quint64(reply.params.size()));
  for (const auto& [ordinal, value] : reply.params) {
    cbor::putHead(w.cur, cbor::kArray, 2);
    cbor::putInteger(w.cur, ordinal);
    putValue(w, value);
  }
  return w.finish();
}

QByteArray encodeReply(const Reply& reply) {
  return joinPieces(encodeReplyPieces(reply));
}

QByteArray encodeError(const QString& text) {
  QByteArray out;
  cbor::putHead(out, cbor::kMap, 1);
  cbor::putText(out, "error");
  cbor::putText(out, text.toUtf8());
  return out;
}

Reply decodeReply(QByteArray payload) {
  Reply reply;
  std::vector<Deferred> deferred;
  {
    QCborStreamReader r(payload);
    const qsizetype size = payload.size();
    enterMap(r, "reply");
    const QByteArray key = nextKey(r);
    if (key == "error") {
      reply.failed = true;
      reply.error = readString(r, size);
    } else if (key == "params") {
      if (!r.isArray()) fail(QStringLiteral("parameter list expected"));
      r.enterContainer();
      while (r.hasNext()) {
        if (reply.params.size() >= 256) fail(QStringLiteral("too many parameters"));
        if (!r.isArray() || !r.isLengthKnown() || r.length() != 2)
          fail(QStringLiteral("[ordinal, value] expected"));
        r.enterContainer();
        const qint64 ordinal = cbor::readInteger(r, kWhat);
        if (ordinal < 0 || ordinal > 255) fail(QStringLiteral("bad ordinal"));
        if (!r.hasNext()) fail(QStringLiteral("value missing"));
        Deferred d{0, 0, 0};
        Value v = decodeValueImpl(r, size - r.currentOffset(), &payload, &d);
        if (d.size > 0) deferred.push_back({reply.params.size(), d.offset, d.size});
        if (!r.leaveContainer()) fail(QStringLiteral("truncated"));
        reply.params.emplace_back(int(ordinal), std::move(v));
      }
      if (!r.leaveContainer()) fail(QStringLiteral("truncated"));
    } else {
      fail(QStringLiteral("\"params\" or \"error\" expected"));
    }
    finish(r, size);
  }  // the reader lets go of the payload here

  // Large values: all but the biggest are copied out, the biggest takes the
  // payload's memory itself (cutting off the front and the back moves no
  // bytes).
  if (!deferred.empty()) {
    size_t biggest = 0;
    for (size_t i = 1; i < deferred.size(); ++i)
      if (deferred[i].size > deferred[biggest].size) biggest = i;
    for (size_t i = 0; i < deferred.size(); ++i) {
      if (i == biggest) continue;
      auto& [ordinal, v] = reply.params[deferred[i].index];
      v = Value::bytes(v.kind(), payload.mid(deferred[i].offset, deferred[i].size));
    }
    const Deferred& d = deferred[biggest];
    auto& [ordinal, v] = reply.params[d.index];
    const ValueKind kind = v.kind();
    payload.truncate(d.offset + d.size);
    payload.remove(0, d.offset);
    v = Value::bytes(kind, std::move(payload));
  }
  return reply;
}

}  // namespace vlm
