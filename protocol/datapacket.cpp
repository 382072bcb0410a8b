#include "datapacket.h"

#include <QCborStreamReader>

#include "cbortable.h"
#include "dataset.h"
#include "dataset_p.h"
#include "error.h"

namespace vlm {

namespace {
constexpr const char* kWhat = "data packet";
}

QByteArray encodeDataPacket(const DataSet& ds) {
  QByteArray out;
  // Roughly what the cells take, to spare most of the growing.
  out.reserve(64 + qsizetype(ds.fieldCount()) * 32 + qsizetype(ds.memoryUse()) * 5 / 4);
  cbor::putHead(out, cbor::kMap, 4);
  cbor::putText(out, "version");
  cbor::putInteger(out, kDataPacketVersion);
  cbor::putText(out, "columns");
  cbor::putColumns(out, ds);
  cbor::putText(out, "rows");
  cbor::putInteger(out, ds.rowCount());
  cbor::putText(out, "data");
  cbor::putHead(out, cbor::kArray, quint64(ds.fieldCount()));
  for (int c = 0; c < ds.fieldCount(); ++c) {
    const Field& f = *ds.field(c);
    cbor::putHead(out, cbor::kArray, quint64(ds.rowCount()));
    for (qsizetype r = 0; r < ds.rowCount(); ++r) cbor::putCell(out, f, r);
  }
  return out;
}

void decodeDataPacket(const QByteArray& packet, DataSet& ds) {
  using cbor::fail;
  if (ds.fieldCount() != 0 || ds.rowCount() != 0) ds.clear();
  QCborStreamReader r(packet);
  const qsizetype size = packet.size();
  if (!r.isMap()) fail(kWhat, QStringLiteral("not a packet"));
  const bool indefinite = !r.isLengthKnown();
  if (!indefinite && r.length() != 4) fail(kWhat, QStringLiteral("four members expected"));
  r.enterContainer();

  cbor::expectKey(r, "version", kWhat);
  const qint64 version = cbor::readInteger(r, kWhat);
  if (version != kDataPacketVersion)
    fail(kWhat, QStringLiteral("unsupported version %1").arg(version));

  cbor::expectKey(r, "columns", kWhat);
  cbor::readColumns(r, ds, size, kWhat);

  cbor::expectKey(r, "rows", kWhat);
  const qint64 rows = cbor::readInteger(r, kWhat);
  // Every cell takes at least one byte, so a packet cannot hold more cells
  // than bytes; this bounds what is reserved below.
  if (rows < 0 || rows > std::numeric_limits<int>::max() - 1 || rows * ds.fieldCount() > size)
    fail(kWhat, QStringLiteral("bad row count %1").arg(rows));

  cbor::expectKey(r, "data", kWhat);
  if (r.lastError() != QCborError::NoError || !r.isArray())
    fail(kWhat, QStringLiteral("column data expected"));

  // The cells, column by column.
  cbor::Cursor cur(packet, r.currentOffset(), kWhat);
  const qint64 columns = cur.arrayHead();
  if (columns >= 0 && columns != ds.fieldCount())
    fail(kWhat,
         QStringLiteral("data for %1 columns, %2 declared").arg(columns).arg(ds.fieldCount()));
  for (int c = 0; c < ds.fieldCount(); ++c) {
    Field& f = *ds.field(c);
    if (columns < 0 && cur.takeBreak())
      fail(kWhat, QStringLiteral("data of column \"%1\" missing").arg(f.fieldName()));
    const qint64 n = cur.arrayHead();
    if (n >= 0 && n != rows)
      fail(kWhat, QStringLiteral("column \"%1\" has %2 rows, the packet %3")
                      .arg(f.fieldName())
                      .arg(n)
                      .arg(rows));
    DataSetAccess::reserve(f, qsizetype(rows));
    cur.appendCells(f, rows);
    if (n < 0 && !cur.takeBreak())
      fail(kWhat, QStringLiteral("column \"%1\" has more rows than the packet").arg(f.fieldName()));
  }
  if (columns < 0 && !cur.takeBreak()) fail(kWhat, QStringLiteral("more column data than columns"));
  if (indefinite && !cur.takeBreak())
    fail(kWhat, QStringLiteral("unexpected member after \"data\""));
  if (!cur.atEnd()) fail(kWhat, QStringLiteral("trailing bytes"));
  DataSetAccess::finishRows(ds, qsizetype(rows));
}

}  // namespace vlm
