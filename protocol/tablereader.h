#pragma once
// The table reader: a result table read forward, row by row. On the wire it
// is one CBOR array: first the column list, then each row as an array of
// one cell per column (docs/protocol.md). The rows are decoded as they are
// read.
#include <QByteArray>
#include <QString>
#include <QVariant>
#include <memory>

#include "dataset.h"

namespace vlm {

class TableReader {
 public:
  // Reads the column list at once; a malformed one raises vlm::Error.
  explicit TableReader(QByteArray encoded);
  ~TableReader();
  TableReader(const TableReader&) = delete;
  TableReader& operator=(const TableReader&) = delete;

  int columnCount() const { return row_.fieldCount(); }
  QString columnName(int col) const;
  FieldType columnType(int col) const;
  int columnIndex(QStringView name) const { return row_.fieldIndex(name); }

  // Moves to the next row; false when there is none left. A malformed row
  // raises vlm::Error.
  bool next();
  int rowsRead() const { return rowsRead_; }

  // Cells of the current row (before the first next() or after the end:
  // nulls).
  bool isNull(int col) const;
  QVariant value(int col) const;
  qint32 getInt32(int col) const;
  qint64 getInt64(int col) const;
  double getDouble(int col) const;
  QString getString(int col) const;
  bool getBoolean(int col) const;
  QDateTime getDateTime(int col) const;
  QByteArray getBytes(int col) const;

  // The current row as a one-row dataset with the reader's columns.
  const DataSet& currentRow() const { return row_; }

  // The encoded form of a whole dataset.
  static QByteArray encode(const DataSet& ds);

 private:
  bool readRow();

  QByteArray data_;
  qsizetype pos_ = 0;  // where the next row begins
  qint64 left_ = -1;   // items of the outer array still to come; -1: up to a break
  DataSet row_;
  int rowsRead_ = 0;
  bool atEnd_ = false;
};

}  // namespace vlm
