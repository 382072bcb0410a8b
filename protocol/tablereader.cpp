#include "tablereader.h"

#include <QCborStreamReader>
#include <QCborStreamWriter>

#include "cbortable.h"
#include "dataset_p.h"
#include "error.h"

namespace vlm {

namespace {
constexpr const char* kWhat = "table reader";
}

TableReader::TableReader(QByteArray encoded)
    : data_(std::move(encoded)), reader_(std::make_unique<QCborStreamReader>(data_)) {
  QCborStreamReader& r = *reader_;
  if (!r.isArray()) cbor::fail(kWhat, QStringLiteral("not a table"));
  r.enterContainer();
  if (!r.hasNext()) cbor::fail(kWhat, QStringLiteral("column list missing"));
  cbor::readColumns(r, row_, data_.size(), kWhat);
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
  QCborStreamReader& r = *reader_;
  row_.clearRows();
  if (!r.hasNext()) {
    atEnd_ = true;
    if (!r.leaveContainer() || r.lastError() != QCborError::NoError)
      cbor::fail(kWhat, QStringLiteral("truncated"));
    if (r.currentOffset() != data_.size()) cbor::fail(kWhat, QStringLiteral("trailing bytes"));
    return false;
  }
  if (!r.isArray()) cbor::fail(kWhat, QStringLiteral("row %1 is not an array").arg(rowsRead_ + 1));
  r.enterContainer();
  for (int c = 0; c < row_.fieldCount(); ++c) {
    if (!r.hasNext())
      cbor::fail(kWhat, QStringLiteral("row %1 has too few cells").arg(rowsRead_ + 1));
    cbor::appendCell(r, *row_.field(c), data_.size() - r.currentOffset(), kWhat);
  }
  if (r.hasNext())
    cbor::fail(kWhat, QStringLiteral("row %1 has too many cells").arg(rowsRead_ + 1));
  if (!r.leaveContainer()) cbor::fail(kWhat, QStringLiteral("truncated"));
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
  QCborStreamWriter w(&out);
  w.startArray();
  cbor::writeColumns(w, ds);
  for (qsizetype r = 0; r < ds.rowCount(); ++r) {
    w.startArray(quint64(ds.fieldCount()));
    for (int c = 0; c < ds.fieldCount(); ++c) cbor::writeCell(w, *ds.field(c), r);
    w.endArray();
  }
  w.endArray();
  return out;
}

}  // namespace vlm
