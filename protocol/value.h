#pragma once
// The kinds of values that parameters and results carry on the wire, and one
// value of any kind.
#include <QByteArray>
#include <QString>
#include <cstdint>

namespace vlm {

enum class ValueKind : std::uint8_t {
  Int32,       // 32-bit signed whole number
  WideString,  // text
  Double,      // 64-bit floating point (dates as day numbers)
  Boolean,
  Int64,   // 64-bit signed whole number (sizes of streams)
  Json,    // a record as the JSON text of its object form; null for no record
  Packet,  // a result table as a data packet (datapacket.h)
  Reader,  // a result table as a table reader (tablereader.h)
  Stream,  // bytes
};

// "int32", "string", "double", "boolean", "int64", "json", "packet",
// "reader", "stream".
const char* valueKindName(ValueKind kind);
bool valueKindFromName(QByteArrayView name, ValueKind& kind);

class Value {
 public:
  Value() = default;
  static Value null(ValueKind kind);
  static Value int32(qint32 v);
  static Value int64(qint64 v);
  static Value real(double v);
  static Value boolean(bool v);
  static Value text(QString v);
  // Json, Packet, Reader and Stream carry bytes.
  static Value bytes(ValueKind kind, QByteArray v);

  ValueKind kind() const { return kind_; }
  bool isNull() const { return null_; }
  qint32 toInt32() const { return qint32(int_); }
  qint64 toInt64() const { return int_; }
  double toDouble() const { return real_; }
  bool toBool() const { return int_ != 0; }
  const QString& toText() const { return text_; }
  const QByteArray& toBytes() const { return bytes_; }

  bool operator==(const Value& o) const = default;

 private:
  ValueKind kind_ = ValueKind::Int32;
  bool null_ = true;
  qint64 int_ = 0;
  double real_ = 0;
  QString text_;
  QByteArray bytes_;
};

}  // namespace vlm
