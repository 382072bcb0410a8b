#pragma once
// The messages of the wire protocol, each one frame's CBOR payload
// (docs/protocol.md):
//
//   client hello   {"protocol": "VLM-RPC", "version": 1}
//   server welcome {"protocol": "VLM-RPC", "version": 1}
//   request        {"command": "TServerMethods1.<operation>", "params": [value, ...]}
//   reply          {"params": [[ordinal, value], ...]}   outputs and the result
//   error          {"error": "text"}                      refusal or failed operation
//
// A value is [kind name, content]; see encodeValue(). Messages are written
// in the shortest form of each item, reals as 64-bit floats.
#include <QByteArray>
#include <QString>
#include <utility>
#include <vector>

#include "value.h"

class QCborStreamReader;

namespace vlm {

inline constexpr const char* kProtocolName = "VLM-RPC";
inline constexpr int kProtocolVersion = 1;

struct Request {
  QString command;
  std::vector<Value> params;  // every declared parameter by ordinal; outputs null
};

struct Reply {
  bool failed = false;
  QString error;                              // when failed
  std::vector<std::pair<int, Value>> params;  // outputs and the result, by ordinal
};

// ---- Handshake ----
QByteArray encodeHello(int version = kProtocolVersion);
// The version a hello asks for; vlm::Error when the payload is not a hello.
int decodeHello(const QByteArray& payload);
QByteArray encodeWelcome();
// Accepts a welcome of this version; a refusal raises vlm::Error with the
// server's text, anything else vlm::Error "Bad handshake ...".
void checkWelcome(const QByteArray& payload);

// ---- Calls ----
// A payload in pieces: large byte values stay pieces of their own, shared
// and not copied, so that a big result goes out without being copied into
// the message (sendFrame takes the pieces).
using Pieces = std::vector<QByteArray>;
Pieces encodeRequestPieces(const Request& request);
Pieces encodeReplyPieces(const Reply& reply);
QByteArray joinPieces(const Pieces& pieces);
QByteArray encodeRequest(const Request& request);
QByteArray encodeReply(const Reply& reply);
QByteArray encodeError(const QString& text);
Request decodeRequest(const QByteArray& payload);
// The largest byte value of the reply takes over the payload's memory
// rather than a copy of it.
Reply decodeReply(QByteArray payload);

// ---- Values ----
// [kind, content]: int32/int64 a CBOR integer, string a text string, double
// a float, boolean true/false, json the JSON text as a text string, packet
// and reader the embedded CBOR (tag 24) in a byte string, stream a byte
// string. Any kind may be null instead of its content.
void encodeValue(QByteArray& out, const Value& v);
// Reads one value; `limit` bounds the bytes of strings. vlm::Error on any
// malformed or out-of-range content.
Value decodeValue(QCborStreamReader& r, qsizetype limit);

}  // namespace vlm
