#include "datapacket.h"

#include <QCborStreamReader>
#include <QCborStreamWriter>

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
  // A rough guess that saves most of the growing.
  out.reserve(64 + qsizetype(ds.fieldCount()) * 32 + qsizetype(ds.memoryUse()));
  QCborStreamWriter w(&out);
  w.startMap(4);
  w.append(QLatin1StringView("version"));
  w.append(qint64(kDataPacketVersion));
  w.append(QLatin1StringView("columns"));
  cbor::writeColumns(w, ds);
  w.append(QLatin1StringView("rows"));
  w.append(qint64(ds.rowCount()));
  w.append(QLatin1StringView("data"));
  w.startArray(quint64(ds.fieldCount()));
  for (int c = 0; c < ds.fieldCount(); ++c) {
    const Field& f = *ds.field(c);
    w.startArray(quint64(ds.rowCount()));
    for (qsizetype r = 0; r < ds.rowCount(); ++r) cbor::writeCell(w, f, r);
    w.endArray();
  }
  w.endArray();
  w.endMap();
  return out;
}

void decodeDataPacket(const QByteArray& packet, DataSet& ds) {
  using cbor::fail;
  if (ds.fieldCount() != 0 || ds.rowCount() != 0) ds.clear();
  QCborStreamReader r(packet);
  const qsizetype size = packet.size();
  if (!r.isMap()) fail(kWhat, QStringLiteral("not a packet"));
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
  if (!r.isArray()) fail(kWhat, QStringLiteral("column data expected"));
  r.enterContainer();
  for (int c = 0; c < ds.fieldCount(); ++c) {
    Field& f = *ds.field(c);
    if (!r.hasNext() || !r.isArray())
      fail(kWhat, QStringLiteral("data of column \"%1\" missing").arg(f.fieldName()));
    DataSetAccess::reserve(f, qsizetype(rows));
    r.enterContainer();
    for (qint64 i = 0; i < rows; ++i) {
      if (!r.hasNext())
        fail(kWhat,
             QStringLiteral("column \"%1\" has fewer rows than the packet").arg(f.fieldName()));
      cbor::appendCell(r, f, size - r.currentOffset(), kWhat);
    }
    if (r.hasNext())
      fail(kWhat, QStringLiteral("column \"%1\" has more rows than the packet").arg(f.fieldName()));
    if (!r.leaveContainer()) fail(kWhat, QStringLiteral("truncated"));
  }
  if (r.hasNext()) fail(kWhat, QStringLiteral("more column data than columns"));
  if (!r.leaveContainer()) fail(kWhat, QStringLiteral("truncated"));
  if (r.hasNext()) fail(kWhat, QStringLiteral("unexpected member after \"data\""));
  if (!r.leaveContainer()) fail(kWhat, QStringLiteral("truncated"));
  if (r.lastError() != QCborError::NoError) fail(kWhat, r.lastError().toString());
  if (r.currentOffset() != size) fail(kWhat, QStringLiteral("trailing bytes"));
  DataSetAccess::finishRows(ds, qsizetype(rows));
}

}  // namespace vlm
