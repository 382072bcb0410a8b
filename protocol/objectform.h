#pragma once
// The object form of records: one JSON object per record with the members
// "type", "id" and "fields", in that order; "fields" holds one member per
// field in declaration order. A record reached a second time within one
// conversion is written {"type": ..., "ref": <id of its first occurrence>}.
// A missing record is null. Real numbers follow formatReal() (numberformat.h).
#include <QByteArray>
#include <memory>

#include "records.h"

namespace vlm {

// The JSON text (UTF-8, no blanks) of a record; "null" for nullptr. A real
// field that is not finite raises vlm::Error.
QByteArray toObjectForm(const TRecord* record);

// Builds the record that the JSON text describes; nullptr for null. Fields
// may come in any order and missing ones keep their starting values. An
// unknown type or field, a value of the wrong type, a number out of range
// or text that is not JSON raise vlm::Error.
std::unique_ptr<TRecord> fromObjectForm(QByteArrayView json);

[[noreturn]] void throwWrongRecordType(const char* got, const char* expected);

// The same, but the record must be of class T (vlm::Error otherwise).
template <class T>
std::unique_ptr<T> fromObjectFormAs(QByteArrayView json) {
  std::unique_ptr<TRecord> r = fromObjectForm(json);
  if (!r) return nullptr;
  if (auto* t = dynamic_cast<T*>(r.get())) {
    r.release();
    return std::unique_ptr<T>(t);
  }
  throwWrongRecordType(r->typeName(), T::kTypeName);
}

}  // namespace vlm
