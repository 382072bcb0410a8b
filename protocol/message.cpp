#include "message.h"

#include <QCborStreamReader>
#include <QCborStreamWriter>
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
  if (!r.isByteArray()) fail(QStringLiteral("bytes expected"));
  QByteArray out;
  for (;;) {
    const qsizetype n = r.currentStringChunkSize();
    if (n < 0 || n > limit - out.size()) fail(QStringLiteral("byte string too long"));
    const qsizetype old = out.size();
    out.resize(old + n);
    const auto res = r.readStringChunk(out.data() + old, n);
    if (res.status == QCborStreamReader::Error) fail(QStringLiteral("truncated byte string"));
    out.resize(old + (res.status == QCborStreamReader::Ok ? res.data : 0));
    if (res.status == QCborStreamReader::EndOfString) return out;
  }
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

void encodeValue(QCborStreamWriter& w, const Value& v) {
  w.startArray(2);
  w.append(QLatin1StringView(valueKindName(v.kind())));
  if (v.isNull()) {
    w.appendNull();
  } else {
    switch (v.kind()) {
      case ValueKind::Int32:
      case ValueKind::Int64: w.append(v.toInt64()); break;
      case ValueKind::WideString: w.append(QStringView(v.toText())); break;
      case ValueKind::Double: w.append(v.toDouble()); break;
      case ValueKind::Boolean: w.append(v.toBool()); break;
      case ValueKind::Json: w.appendTextString(v.toBytes().constData(), v.toBytes().size()); break;
      case ValueKind::Packet:
      case ValueKind::Reader:
        w.append(QCborKnownTags::EncodedCbor);
        w.append(v.toBytes());
        break;
      case ValueKind::Stream: w.append(v.toBytes()); break;
    }
  }
  w.endArray();
}

Value decodeValue(QCborStreamReader& r, qsizetype limit) {
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
        if (!r.isTag() || r.toTag() != QCborTag(QCborKnownTags::EncodedCbor)) wrong();
        r.next();
        v = Value::bytes(kind, readBytes(r, limit));
        break;
      case ValueKind::Stream: v = Value::bytes(kind, readBytes(r, limit)); break;
    }
  }
  if (r.hasNext()) fail(QStringLiteral("value with more than two items"));
  if (!r.leaveContainer()) fail(QStringLiteral("truncated"));
  return v;
}

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

QByteArray encodeRequest(const Request& request) {
  QByteArray out;
  QCborStreamWriter w(&out);
  w.startMap(2);
  w.append(QLatin1StringView("command"));
  w.append(QStringView(request.command));
  w.append(QLatin1StringView("params"));
  w.startArray(quint64(request.params.size()));
  for (const Value& v : request.params) encodeValue(w, v);
  w.endArray();
  w.endMap();
  return out;
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

QByteArray encodeReply(const Reply& reply) {
  if (reply.failed) return encodeError(reply.error);
  QByteArray out;
  QCborStreamWriter w(&out);
  w.startMap(1);
  w.append(QLatin1StringView("params"));
  w.startArray(quint64(reply.params.size()));
  for (const auto& [ordinal, value] : reply.params) {
    w.startArray(2);
    w.append(qint64(ordinal));
    encodeValue(w, value);
    w.endArray();
  }
  w.endArray();
  w.endMap();
  return out;
}

QByteArray encodeError(const QString& text) {
  QByteArray out;
  QCborStreamWriter w(&out);
  w.startMap(1);
  w.append(QLatin1StringView("error"));
  w.append(QStringView(text));
  w.endMap();
  return out;
}

Reply decodeReply(const QByteArray& payload) {
  QCborStreamReader r(payload);
  const qsizetype size = payload.size();
  enterMap(r, "reply");
  const QByteArray key = nextKey(r);
  Reply reply;
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
      Value v = decodeValue(r, size - r.currentOffset());
      if (!r.leaveContainer()) fail(QStringLiteral("truncated"));
      reply.params.emplace_back(int(ordinal), std::move(v));
    }
    if (!r.leaveContainer()) fail(QStringLiteral("truncated"));
  } else {
    fail(QStringLiteral("\"params\" or \"error\" expected"));
  }
  finish(r, size);
  return reply;
}

}  // namespace vlm
