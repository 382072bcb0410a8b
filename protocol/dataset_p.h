#pragma once
// Direct access to a dataset's column storage for the codecs of this
// library (packets, table readers). Not for use outside protocol/.
#include "dataset.h"

namespace vlm {

struct DataSetAccess {
  // Appending one cell at the end of a column whose rows are being filled in
  // order. The caller keeps every column at the same length and calls
  // finishRows() when done.
  static void appendNull(Field& f) { f.appendNull(); }
  static void appendInt32(Field& f, qint32 v) {
    f.nulls_.push_back(false);
    f.i32_.push_back(v);
  }
  static void appendInt64(Field& f, qint64 v) {
    f.nulls_.push_back(false);
    f.i64_.push_back(v);
  }
  static void appendReal(Field& f, double v) {
    f.nulls_.push_back(false);
    f.f64_.push_back(v);
  }
  static void appendFlag(Field& f, bool v) {
    f.nulls_.push_back(false);
    f.flag_.push_back(v ? 1 : 0);
  }
  // Variable-length cells: the caller appends the bytes to pool() and then
  // closes the cell.
  static QByteArray& pool(Field& f) { return f.pool_; }
  static void closeBytesCell(Field& f, bool null);
  static void reserve(Field& f, qsizetype rows) { f.reserve(rows); }
  static void finishRows(DataSet& ds, qsizetype rows);

  // Reading without the checks of the public accessors.
  static bool isNull(const Field& f, qsizetype row) { return f.isNullAt(row); }
  static qint32 int32At(const Field& f, qsizetype row) { return f.i32_[size_t(row)]; }
  static qint64 int64At(const Field& f, qsizetype row) { return f.i64_[size_t(row)]; }
  static double realAt(const Field& f, qsizetype row) { return f.f64_[size_t(row)]; }
  static bool flagAt(const Field& f, qsizetype row) { return f.flag_[size_t(row)] != 0; }
  static QByteArrayView bytesAt(const Field& f, qsizetype row) { return f.bytesAt(row); }
};

// Whether a column type keeps its cells in the byte pool.
inline bool isVariableLength(FieldType t) {
  return t == FieldType::String || t == FieldType::Memo || t == FieldType::Bytes;
}
// Whether a column type keeps its cells as doubles.
inline bool isRealStorage(FieldType t) {
  return t == FieldType::Float || t == FieldType::Currency || t == FieldType::Bcd ||
         t == FieldType::Date || t == FieldType::DateTime;
}

}  // namespace vlm
