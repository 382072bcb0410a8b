#include "cbortable.h"

#include <limits>

#include "dataset_p.h"
#include "error.h"

namespace vlm::cbor {

void fail(const char* what, const QString& detail) {
  throw Error(QStringLiteral("Bad %1: %2").arg(QLatin1String(what), detail));
}

namespace {

// Appends the current text or byte string to `out`, at most `limit` bytes.
void readChunks(QCborStreamReader& r, QByteArray& out, qsizetype limit, const char* what) {
  const qsizetype start = out.size();
  for (;;) {
    const qsizetype n = r.currentStringChunkSize();
    if (n < 0 || n > limit - (out.size() - start)) fail(what, QStringLiteral("string too long"));
    const qsizetype old = out.size();
    out.resize(old + n);
    const auto res = r.readStringChunk(out.data() + old, n);
    if (res.status == QCborStreamReader::Error) {
      out.resize(old);
      fail(what, QStringLiteral("truncated string"));
    }
    out.resize(old + (res.status == QCborStreamReader::Ok ? res.data : 0));
    if (res.status == QCborStreamReader::EndOfString) return;
  }
}

}  // namespace

QByteArray readText(QCborStreamReader& r, const char* what, qsizetype limit) {
  if (!r.isString()) fail(what, QStringLiteral("text expected"));
  QByteArray out;
  readChunks(r, out, limit, what);
  return out;
}

qint64 readInteger(QCborStreamReader& r, const char* what) {
  if (!r.isInteger()) fail(what, QStringLiteral("whole number expected"));
  if (r.isUnsignedInteger() && r.toUnsignedInteger() > quint64(std::numeric_limits<qint64>::max()))
    fail(what, QStringLiteral("number out of range"));
  if (r.isNegativeInteger() &&
      quint64(r.toNegativeInteger()) - 1 > quint64(std::numeric_limits<qint64>::max()))
    fail(what, QStringLiteral("number out of range"));
  const qint64 v = r.toInteger();
  r.next();
  return v;
}

void expectKey(QCborStreamReader& r, const char* key, const char* what) {
  if (!r.hasNext()) fail(what, QStringLiteral("missing \"%1\"").arg(QLatin1String(key)));
  const QByteArray got = readText(r, what, 64);
  if (got != key)
    fail(what, QStringLiteral("\"%1\" expected, got \"%2\"")
                   .arg(QLatin1String(key), QString::fromUtf8(got)));
}

void writeColumns(QCborStreamWriter& w, const DataSet& ds) {
  w.startArray(quint64(ds.fieldCount()));
  for (int i = 0; i < ds.fieldCount(); ++i) {
    const Field* f = ds.field(i);
    w.startMap(2);
    w.append(QLatin1StringView("name"));
    w.append(QStringView(f->fieldName()));
    w.append(QLatin1StringView("type"));
    w.append(QStringView(fieldTypeName(f->dataType())));
    w.endMap();
  }
  w.endArray();
}

void readColumns(QCborStreamReader& r, DataSet& ds, qsizetype limit, const char* what) {
  if (!r.isArray()) fail(what, QStringLiteral("column list expected"));
  r.enterContainer();
  while (r.hasNext()) {
    if (ds.fieldCount() >= 4096) fail(what, QStringLiteral("too many columns"));
    if (!r.isMap()) fail(what, QStringLiteral("column expected"));
    r.enterContainer();
    expectKey(r, "name", what);
    const QString name = QString::fromUtf8(readText(r, what, qMin<qsizetype>(limit, 1024)));
    expectKey(r, "type", what);
    const QByteArray typeName = readText(r, what, 64);
    if (r.hasNext()) fail(what, QStringLiteral("unexpected member in column \"%1\"").arg(name));
    r.leaveContainer();
    FieldType type;
    if (!fieldTypeFromName(QString::fromLatin1(typeName), type))
      fail(what, QStringLiteral("unknown column type \"%1\"").arg(QString::fromUtf8(typeName)));
    if (name.isEmpty()) fail(what, QStringLiteral("column without a name"));
    if (ds.fieldIndex(name) >= 0) fail(what, QStringLiteral("duplicate column \"%1\"").arg(name));
    ds.addField(name, type);
  }
  r.leaveContainer();
}

void writeCell(QCborStreamWriter& w, const Field& f, qsizetype row) {
  if (DataSetAccess::isNull(f, row)) {
    w.appendNull();
    return;
  }
  switch (f.dataType()) {
    case FieldType::Integer: w.append(qint64(DataSetAccess::int32At(f, row))); return;
    case FieldType::LargeInt: w.append(DataSetAccess::int64At(f, row)); return;
    case FieldType::Boolean: w.append(DataSetAccess::flagAt(f, row)); return;
    case FieldType::String:
    case FieldType::Memo: {
      const QByteArrayView b = DataSetAccess::bytesAt(f, row);
      w.appendTextString(b.data(), b.size());
      return;
    }
    case FieldType::Bytes: {
      const QByteArrayView b = DataSetAccess::bytesAt(f, row);
      w.appendByteString(b.data(), b.size());
      return;
    }
    default: w.append(DataSetAccess::realAt(f, row)); return;
  }
}

void appendCell(QCborStreamReader& r, Field& f, qsizetype limit, const char* what) {
  if (r.isNull()) {
    r.next();
    if (isVariableLength(f.dataType()))
      DataSetAccess::closeBytesCell(f, true);
    else
      DataSetAccess::appendNull(f);
    return;
  }
  auto wrongType = [&]() {
    fail(what, QStringLiteral("value of the wrong type in column \"%1\"").arg(f.fieldName()));
  };
  switch (f.dataType()) {
    case FieldType::Integer: {
      if (!r.isInteger()) wrongType();
      const qint64 v = readInteger(r, what);
      if (v < std::numeric_limits<qint32>::min() || v > std::numeric_limits<qint32>::max())
        fail(what, QStringLiteral("value out of range in column \"%1\"").arg(f.fieldName()));
      DataSetAccess::appendInt32(f, qint32(v));
      return;
    }
    case FieldType::LargeInt:
      if (!r.isInteger()) wrongType();
      DataSetAccess::appendInt64(f, readInteger(r, what));
      return;
    case FieldType::Boolean:
      if (!r.isBool()) wrongType();
      DataSetAccess::appendFlag(f, r.toBool());
      r.next();
      return;
    case FieldType::String:
    case FieldType::Memo:
    case FieldType::Bytes: {
      if (f.dataType() == FieldType::Bytes ? !r.isByteArray() : !r.isString()) wrongType();
      readChunks(r, DataSetAccess::pool(f), limit, what);
      DataSetAccess::closeBytesCell(f, false);
      return;
    }
    default: {
      double v = 0;
      if (r.isDouble())
        v = r.toDouble();
      else if (r.isFloat())
        v = r.toFloat();
      else if (r.isFloat16())
        v = r.toFloat16();
      else if (r.isInteger()) {
        DataSetAccess::appendReal(f, double(readInteger(r, what)));
        return;
      } else
        wrongType();
      r.next();
      DataSetAccess::appendReal(f, v);
      return;
    }
  }
}

}  // namespace vlm::cbor
