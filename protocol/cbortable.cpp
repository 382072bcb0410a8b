#include "cbortable.h"

#include <QtEndian>

#include <cmath>
#include <cstring>
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

QByteArray readBytes(QCborStreamReader& r, const char* what, qsizetype limit) {
  if (!r.isByteArray()) fail(what, QStringLiteral("bytes expected"));
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
  if (!r.leaveContainer()) fail(what, QStringLiteral("truncated"));
}

// ---------------------------------------------------------------------------
// Writing

void putHead(QByteArray& out, Major major, quint64 v) {
  const char m = char(major << 5);
  if (v < 24) {
    out += char(m | char(v));
  } else if (v <= 0xff) {
    out += char(m | 24);
    out += char(v);
  } else if (v <= 0xffff) {
    const char b[3] = {char(m | 25), char(v >> 8), char(v)};
    out.append(b, 3);
  } else if (v <= 0xffffffffu) {
    const char b[5] = {char(m | 26), char(v >> 24), char(v >> 16), char(v >> 8), char(v)};
    out.append(b, 5);
  } else {
    char b[9];
    b[0] = char(m | 27);
    for (int i = 0; i < 8; ++i) b[1 + i] = char(v >> (56 - 8 * i));
    out.append(b, 9);
  }
}

void putInteger(QByteArray& out, qint64 v) {
  if (v >= 0)
    putHead(out, kUnsigned, quint64(v));
  else
    putHead(out, kNegative, quint64(-(v + 1)));
}

void putText(QByteArray& out, QByteArrayView utf8) {
  putHead(out, kText, quint64(utf8.size()));
  out.append(utf8.data(), utf8.size());
}

void putReal(QByteArray& out, double v) {
  quint64 bits;
  std::memcpy(&bits, &v, sizeof bits);
  char b[9];
  b[0] = char(0xfb);
  for (int i = 0; i < 8; ++i) b[1 + i] = char(bits >> (56 - 8 * i));
  out.append(b, 9);
}

void putColumns(QByteArray& out, const DataSet& ds) {
  putHead(out, kArray, quint64(ds.fieldCount()));
  for (int i = 0; i < ds.fieldCount(); ++i) {
    const Field* f = ds.field(i);
    putHead(out, kMap, 2);
    putText(out, "name");
    putText(out, f->fieldName().toUtf8());
    putText(out, "type");
    putText(out, fieldTypeName(f->dataType()).toLatin1());
  }
}

void putCell(QByteArray& out, const Field& f, qsizetype row) {
  if (DataSetAccess::isNull(f, row)) {
    out += char(0xf6);
    return;
  }
  switch (f.dataType()) {
    case FieldType::Integer: putInteger(out, DataSetAccess::int32At(f, row)); return;
    case FieldType::LargeInt: putInteger(out, DataSetAccess::int64At(f, row)); return;
    case FieldType::Boolean: out += char(DataSetAccess::flagAt(f, row) ? 0xf5 : 0xf4); return;
    case FieldType::String:
    case FieldType::Memo:
    case FieldType::Bytes: {
      const QByteArrayView b = DataSetAccess::bytesAt(f, row);
      putHead(out, f.dataType() == FieldType::Bytes ? kBytes : kText, quint64(b.size()));
      out.append(b.data(), b.size());
      return;
    }
    default: putReal(out, DataSetAccess::realAt(f, row)); return;
  }
}

// ---------------------------------------------------------------------------
// Reading cells

namespace {
// A half-precision float (RFC 8949, appendix D).
double halfToDouble(quint16 half) {
  const int exp = (half >> 10) & 0x1f;
  const int mant = half & 0x3ff;
  double v;
  if (exp == 0)
    v = std::ldexp(mant, -24);
  else if (exp != 31)
    v = std::ldexp(mant + 1024, exp - 25);
  else
    v = mant == 0 ? std::numeric_limits<double>::infinity()
                  : std::numeric_limits<double>::quiet_NaN();
  return (half & 0x8000) ? -v : v;
}
}  // namespace

void Cursor::bad(const char* detail) const {
  fail(what_, QStringLiteral("%1 at byte %2").arg(QLatin1String(detail)).arg(pos()));
}

quint64 Cursor::argument(quint8 ai) {
  if (ai < 24) return ai;
  int n = 0;
  switch (ai) {
    case 24: n = 1; break;
    case 25: n = 2; break;
    case 26: n = 4; break;
    case 27: n = 8; break;
    default: bad("malformed item");
  }
  if (end_ - p_ < n) bad("truncated");
  quint64 v = 0;
  for (int i = 0; i < n; ++i) v = (v << 8) | p_[i];
  p_ += n;
  return v;
}

qint64 Cursor::arrayHead() {
  if (p_ == end_) bad("truncated");
  const quint8 b = *p_++;
  if ((b >> 5) != kArray) bad("array expected");
  if ((b & 31) == 31) return -1;
  const quint64 n = argument(b & 31);
  // Every item takes a byte at least.
  if (n > quint64(end_ - p_)) bad("array longer than the data");
  return qint64(n);
}

bool Cursor::takeBreak() {
  if (p_ != end_ && *p_ == 0xff) {
    ++p_;
    return true;
  }
  return false;
}

void Cursor::appendString(QByteArray& pool, quint8 major, quint8 ai) {
  if (ai != 31) {
    const quint64 n = argument(ai);
    if (n > quint64(end_ - p_)) bad("string longer than the data");
    pool.append(reinterpret_cast<const char*>(p_), qsizetype(n));
    p_ += n;
    return;
  }
  // Indefinite length: definite chunks of the same major type up to a break.
  for (;;) {
    if (p_ == end_) bad("truncated");
    const quint8 b = *p_++;
    if (b == 0xff) return;
    if ((b >> 5) != major || (b & 31) == 31) bad("bad string chunk");
    const quint64 n = argument(b & 31);
    if (n > quint64(end_ - p_)) bad("string longer than the data");
    pool.append(reinterpret_cast<const char*>(p_), qsizetype(n));
    p_ += n;
  }
}

void Cursor::appendCell(Field& f) {
  if (p_ == end_) bad("truncated");
  const quint8 b = *p_++;
  const quint8 major = b >> 5, ai = b & 31;
  if (b == 0xf6) {  // null
    if (isVariableLength(f.dataType()))
      DataSetAccess::closeBytesCell(f, true);
    else
      DataSetAccess::appendNull(f);
    return;
  }
  auto wrongType = [&]() {
    --p_;
    fail(what_, QStringLiteral("value of the wrong type in column \"%1\" at byte %2")
                    .arg(f.fieldName())
                    .arg(pos()));
  };
  auto integer = [&]() -> qint64 {
    const quint64 v = argument(ai);
    if (v > quint64(std::numeric_limits<qint64>::max())) bad("number out of range");
    return major == kUnsigned ? qint64(v) : -1 - qint64(v);
  };
  switch (f.dataType()) {
    case FieldType::Integer: {
      if (major > kNegative) wrongType();
      const qint64 v = integer();
      if (v < std::numeric_limits<qint32>::min() || v > std::numeric_limits<qint32>::max())
        bad("value out of range");
      DataSetAccess::appendInt32(f, qint32(v));
      return;
    }
    case FieldType::LargeInt:
      if (major > kNegative) wrongType();
      DataSetAccess::appendInt64(f, integer());
      return;
    case FieldType::Boolean:
      if (b != 0xf4 && b != 0xf5) wrongType();
      DataSetAccess::appendFlag(f, b == 0xf5);
      return;
    case FieldType::String:
    case FieldType::Memo:
    case FieldType::Bytes:
      if (major != (f.dataType() == FieldType::Bytes ? kBytes : kText)) wrongType();
      appendString(DataSetAccess::pool(f), major, ai);
      DataSetAccess::closeBytesCell(f, false);
      return;
    default: {
      double d = 0;
      if (major <= kNegative) {
        d = double(integer());
      } else if (b == 0xfb) {
        const quint64 bits = argument(27);
        std::memcpy(&d, &bits, sizeof d);
      } else if (b == 0xfa) {
        const quint32 bits = quint32(argument(26));
        float x;
        std::memcpy(&x, &bits, sizeof x);
        d = x;
      } else if (b == 0xf9) {
        d = halfToDouble(quint16(argument(25)));
      } else {
        wrongType();
      }
      DataSetAccess::appendReal(f, d);
      return;
    }
  }
}

void Cursor::appendCells(Field& f, qint64 count) {
  switch (f.dataType()) {
    case FieldType::Integer:
      for (qint64 i = 0; i < count; ++i) {
        // Small non-negative numbers are one byte.
        if (p_ != end_ && *p_ < 24) {
          DataSetAccess::appendInt32(f, *p_++);
          continue;
        }
        appendCell(f);
      }
      return;
    case FieldType::String:
    case FieldType::Memo: {
      QByteArray& pool = DataSetAccess::pool(f);
      for (qint64 i = 0; i < count; ++i) {
        // Definite texts shorter than 256 bytes: a head of one or two bytes.
        if (p_ != end_ && (*p_ >> 5) == kText && (*p_ & 31) <= 24) {
          qsizetype n = *p_ & 31, head = 1;
          if (n == 24) {
            if (end_ - p_ < 2) bad("truncated");
            n = p_[1];
            head = 2;
          }
          if (n > end_ - p_ - head) bad("string longer than the data");
          pool.append(reinterpret_cast<const char*>(p_ + head), n);
          p_ += head + n;
          DataSetAccess::closeBytesCell(f, false);
          continue;
        }
        appendCell(f);
      }
      return;
    }
    case FieldType::Float:
    case FieldType::Currency:
    case FieldType::Bcd:
    case FieldType::Date:
    case FieldType::DateTime:
      for (qint64 i = 0; i < count; ++i) {
        if (end_ - p_ >= 9 && *p_ == 0xfb) {
          const quint64 bits = qFromBigEndian<quint64>(p_ + 1);
          double d;
          std::memcpy(&d, &bits, sizeof d);
          DataSetAccess::appendReal(f, d);
          p_ += 9;
          continue;
        }
        appendCell(f);
      }
      return;
    default:
      for (qint64 i = 0; i < count; ++i) appendCell(f);
      return;
  }
}

}  // namespace vlm::cbor
