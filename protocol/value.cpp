#include "value.h"

namespace vlm {

namespace {
constexpr const char* kNames[] = {"int32", "string", "double", "boolean", "int64",
                                  "json",  "packet", "reader", "stream"};
}

const char* valueKindName(ValueKind kind) {
  const auto i = size_t(kind);
  return i < std::size(kNames) ? kNames[i] : "?";
}

bool valueKindFromName(QByteArrayView name, ValueKind& kind) {
  for (size_t i = 0; i < std::size(kNames); ++i)
    if (name == kNames[i]) {
      kind = ValueKind(i);
      return true;
    }
  return false;
}

Value Value::null(ValueKind kind) {
  Value v;
  v.kind_ = kind;
  return v;
}
Value Value::int32(qint32 x) {
  Value v;
  v.kind_ = ValueKind::Int32;
  v.null_ = false;
  v.int_ = x;
  return v;
}
Value Value::int64(qint64 x) {
  Value v;
  v.kind_ = ValueKind::Int64;
  v.null_ = false;
  v.int_ = x;
  return v;
}
Value Value::real(double x) {
  Value v;
  v.kind_ = ValueKind::Double;
  v.null_ = false;
  v.real_ = x;
  return v;
}
Value Value::boolean(bool x) {
  Value v;
  v.kind_ = ValueKind::Boolean;
  v.null_ = false;
  v.int_ = x ? 1 : 0;
  return v;
}
Value Value::text(QString x) {
  Value v;
  v.kind_ = ValueKind::WideString;
  v.null_ = false;
  v.text_ = std::move(x);
  return v;
}
Value Value::bytes(ValueKind kind, QByteArray x) {
  Value v;
  v.kind_ = kind;
  v.null_ = false;
  v.bytes_ = std::move(x);
  return v;
}

}  // namespace vlm
