#include "tablereader.h"

#include <QCborStreamReader>

#include "cbortable.h"
#include "dataset_p.h"
#include "error.h"

namespace vlm {

namespace {
constexpr const char* kWhat = "table reader";
}

TableReader::TableReader(QByteArray encoded) : data_(std::move(encoded)) {
  QCborStreamReader r(data_);
  if (!r.isArray()) cbor::fail(kWhat, QStringLiteral("not a table"));
  left_ = r.isLengthKnown() ? qint64(r.length()) : -1;
  if (left_ == 0) cbor::fail(kWhat, QStringLiteral("column list missing"));
  r.enterContainer();
  if (!r.hasNext()) cbor::fail(kWhat, QStringLiteral("column list missing"));
  cbor::readColumns(r, row_, data_.size(), kWhat);
  if (r.lastError() != QCborError::NoError) cbor::fail(kWhat, QStringLiteral("truncated"));
  if (left_ > 0) --left_;
  // The rows are read by the cell coder from here on.
  pos_ = r.currentOffset();
}

TableReader::~TableReader() = default;

QString TableReader::columnName(int col) const {
  const Field* f = row_.field(col);
  return f ? f->fieldName() : QString();
}

FieldType TableReader::columnType(int col) const {
  const Field* f = row_.field(col);
  return f ? f->dataType() : FieldType::String;
}

bool TableReader::next() {
  if (atEnd_) return false;
  try {
    return readRow();
  } catch (...) {
    // After a malformed row the position in the input means nothing.
    atEnd_ = true;
    row_.clearRows();
    throw;
  }
}

bool TableReader::readRow() {
  row_.clearRows();
  cbor::Cursor cur(data_, pos_, kWhat);
  const bool end = left_ < 0 ? cur.takeBreak() : left_ == 0;
  if (end) {
    atEnd_ = true;
    if (!cur.atEnd()) cbor::fail(kWhat, QStringLiteral("trailing bytes"));
    return false;
  }
  const qint64 cells = cur.arrayHead();
  if (cells >= 0 && cells != row_.fieldCount())
    cbor::fail(kWhat, QStringLiteral("row %1 has %2 cells, not %3")
                          .arg(rowsRead_ + 1)
                          .arg(cells)
                          .arg(row_.fieldCount()));
  for (int c = 0; c < row_.fieldCount(); ++c) {
    if (cells < 0 && cur.takeBreak())
      cbor::fail(kWhat, QStringLiteral("row %1 has too few cells").arg(rowsRead_ + 1));
    cur.appendCell(*row_.field(c));
  }
  if (cells < 0 && !cur.takeBreak())
    cbor::fail(kWhat, QStringLiteral("row %1 has too many cells").arg(rowsRead_ + 1));
  pos_ = cur.pos();
  if (left_ > 0) --left_;
  DataSetAccess::finishRows(row_, 1);
  ++rowsRead_;
  return true;
}

bool TableReader::isNull(int col) const {
  return row_.isNull(0, col);
}
QVariant TableReader::value(int col) const {
  return row_.value(0, col);
}
qint32 TableReader::getInt32(int col) const {
  return row_.intValue(0, col);
}
qint64 TableReader::getInt64(int col) const {
  return row_.largeIntValue(0, col);
}
double TableReader::getDouble(int col) const {
  return row_.floatValue(0, col);
}
QString TableReader::getString(int col) const {
  return row_.stringValue(0, col);
}
bool TableReader::getBoolean(int col) const {
  return row_.boolValue(0, col);
}
QDateTime TableReader::getDateTime(int col) const {
  return row_.dateTimeValue(0, col);
}
QByteArray TableReader::getBytes(int col) const {
  return row_.bytesValue(0, col);
}

QByteArray TableReader::encode(const DataSet& ds) {
  QByteArray out;
  out.reserve(64 + qsizetype(ds.fieldCount()) * 32 + qsizetype(ds.memoryUse()) * 5 / 4);
  cbor::putHead(out, cbor::kArray, quint64(ds.rowCount()) + 1);
  cbor::putColumns(out, ds);
  for (qsizetype r = 0; r < ds.rowCount(); ++r) {
    cbor::putHead(out, cbor::kArray, quint64(ds.fieldCount()));
    for (int c = 0; c < ds.fieldCount(); ++c) cbor::putCell(out, *ds.field(c), r);
  }
  return out;
}

}  // namespace vlm
