#include "dataset.h"

#include <QLocale>
#include <algorithm>
#include <cmath>
#include <limits>

#include "datapacket.h"
#include "dataset_p.h"
#include "daycount.h"
#include "error.h"
#include "numberformat.h"
#include "tablereader.h"

namespace vlm {

// ---------------------------------------------------------------------------
// Type names

namespace {
struct TypeName {
  FieldType type;
  const char* name;
};
constexpr TypeName kTypeNames[] = {
    {FieldType::Integer, "int32"},   {FieldType::LargeInt, "int64"},
    {FieldType::Float, "float"},     {FieldType::Currency, "currency"},
    {FieldType::Bcd, "bcd"},         {FieldType::String, "string"},
    {FieldType::Date, "date"},       {FieldType::DateTime, "datetime"},
    {FieldType::Boolean, "boolean"}, {FieldType::Memo, "memo"},
    {FieldType::Bytes, "bytes"},
};

// Whole numbers that a double holds exactly enough to round into a qint64.
bool fitsInt64(double v) {
  return std::isfinite(v) && v >= -9223372036854775808.0 && v < 9223372036854775808.0;
}

qint64 parseInteger(const QString& s) {
  bool ok = false;
  const qint64 v = s.trimmed().toLongLong(&ok);
  if (!ok) throw Error(QStringLiteral("'%1' is not a valid integer value").arg(s));
  return v;
}

double parseReal(const QString& s) {
  const QString t = s.trimmed();
  bool ok = false;
  double v = QLocale().toDouble(t, &ok);
  if (!ok) v = QLocale::c().toDouble(t, &ok);
  if (!ok) throw Error(QStringLiteral("'%1' is not a valid floating point value").arg(s));
  return v;
}

bool parseBoolean(const QString& s) {
  const QString t = s.trimmed();
  if (t.compare(QLatin1String("true"), Qt::CaseInsensitive) == 0 || t == QLatin1String("1"))
    return true;
  if (t.compare(QLatin1String("false"), Qt::CaseInsensitive) == 0 || t == QLatin1String("0"))
    return false;
  throw Error(QStringLiteral("'%1' is not a valid boolean value").arg(s));
}

QDateTime parseDateTime(const QString& s) {
  const QString t = s.trimmed();
  QDateTime dt = QDateTime::fromString(t, Qt::ISODateWithMs);
  if (!dt.isValid()) dt = QLocale().toDateTime(t, QLocale::ShortFormat);
  if (!dt.isValid()) {
    const QDate d = QLocale().toDate(t, QLocale::ShortFormat);
    if (d.isValid()) dt = QDateTime(d, QTime(0, 0));
  }
  if (!dt.isValid()) {
    const QDate d = QDate::fromString(t, Qt::ISODate);
    if (d.isValid()) dt = QDateTime(d, QTime(0, 0));
  }
  if (!dt.isValid()) throw Error(QStringLiteral("'%1' is not a valid date and time").arg(s));
  return dt;
}

[[noreturn]] void cannotStore(const Field& f, const char* what) {
  throw Error(
      QStringLiteral("Field '%1' cannot hold a %2 value").arg(f.fieldName(), QLatin1String(what)));
}

}  // namespace

QString fieldTypeName(FieldType type) {
  for (const auto& t : kTypeNames)
    if (t.type == type) return QLatin1String(t.name);
  return QString();
}

bool fieldTypeFromName(QStringView name, FieldType& type) {
  for (const auto& t : kTypeNames)
    if (name == QLatin1String(t.name)) {
      type = t.type;
      return true;
    }
  return false;
}

// ---------------------------------------------------------------------------
// Field: storage

Field::Field(DataSet* ds, int index, QString name, FieldType type)
    : dataSet_(ds), index_(index), name_(std::move(name)), type_(type) {}

bool Field::isReal() const {
  return type_ == FieldType::Float || type_ == FieldType::Currency || type_ == FieldType::Bcd;
}
bool Field::isText() const {
  return type_ == FieldType::String || type_ == FieldType::Memo;
}

QByteArrayView Field::bytesAt(qsizetype row) const {
  if (!rewritten_.empty()) {
    auto it = rewritten_.find(row);
    if (it != rewritten_.end()) return QByteArrayView(it->second);
  }
  const quint32 start = row > 0 ? ends_[size_t(row - 1)] : 0;
  return QByteArrayView(pool_.constData() + start, ends_[size_t(row)] - start);
}

void Field::appendNull() {
  nulls_.push_back(true);
  switch (type_) {
    case FieldType::Integer: i32_.push_back(0); break;
    case FieldType::LargeInt: i64_.push_back(0); break;
    case FieldType::Boolean: flag_.push_back(0); break;
    case FieldType::String:
    case FieldType::Memo:
    case FieldType::Bytes: ends_.push_back(static_cast<quint32>(pool_.size())); break;
    default: f64_.push_back(0); break;
  }
}

void DataSetAccess::closeBytesCell(Field& f, bool null) {
  if (static_cast<quint64>(f.pool_.size()) > std::numeric_limits<quint32>::max())
    throw Error(QStringLiteral("Field '%1' holds too much data").arg(f.fieldName()));
  f.nulls_.push_back(null);
  f.ends_.push_back(static_cast<quint32>(f.pool_.size()));
}

void DataSetAccess::finishRows(DataSet& ds, qsizetype rows) {
  ds.rows_ = rows;
  ds.current_ = rows > 0 ? 0 : -1;
  ds.bof_ = true;
  ds.eof_ = rows == 0;
}

void Field::setNullAt(qsizetype row, bool null) {
  nulls_[size_t(row)] = null;
}

void Field::storeBytes(qsizetype row, QByteArrayView bytes) {
  const qsizetype last = static_cast<qsizetype>(ends_.size()) - 1;
  if (row == last) {
    // The last row's bytes sit at the end of the pool: rewrite them in place.
    rewritten_.erase(row);
    const quint32 start = row > 0 ? ends_[size_t(row - 1)] : 0;
    if (static_cast<quint64>(start) + bytes.size() > std::numeric_limits<quint32>::max())
      throw Error(QStringLiteral("Field '%1' holds too much data").arg(name_));
    pool_.truncate(start);
    pool_.append(bytes.data(), bytes.size());
    ends_[size_t(row)] = static_cast<quint32>(pool_.size());
  } else {
    rewritten_[row] = bytes.toByteArray();
  }
  nulls_[size_t(row)] = false;
}

void Field::reserve(qsizetype rows) {
  nulls_.reserve(size_t(rows));
  switch (type_) {
    case FieldType::Integer: i32_.reserve(size_t(rows)); break;
    case FieldType::LargeInt: i64_.reserve(size_t(rows)); break;
    case FieldType::Boolean: flag_.reserve(size_t(rows)); break;
    case FieldType::String:
    case FieldType::Memo:
    case FieldType::Bytes: ends_.reserve(size_t(rows)); break;
    default: f64_.reserve(size_t(rows)); break;
  }
}

void Field::clearRows() {
  nulls_ = {};
  i32_ = {};
  i64_ = {};
  f64_ = {};
  flag_ = {};
  pool_ = QByteArray();
  ends_ = {};
  rewritten_.clear();
}

std::size_t Field::memoryUse() const {
  std::size_t n = nulls_.capacity() / 8 + i32_.capacity() * sizeof(qint32) +
                  i64_.capacity() * sizeof(qint64) + f64_.capacity() * sizeof(double) +
                  flag_.capacity() + static_cast<std::size_t>(pool_.capacity()) +
                  ends_.capacity() * sizeof(quint32);
  for (const auto& [row, bytes] : rewritten_) n += sizeof(row) + 32 + size_t(bytes.capacity());
  return n;
}

// ---------------------------------------------------------------------------
// Field: reading one row, converting to the asked type

namespace {

qint64 int64Of(const Field& f, qsizetype row) {
  if (DataSetAccess::isNull(f, row)) return 0;
  switch (f.dataType()) {
    case FieldType::Integer: return DataSetAccess::int32At(f, row);
    case FieldType::LargeInt: return DataSetAccess::int64At(f, row);
    case FieldType::Boolean: return DataSetAccess::flagAt(f, row) ? 1 : 0;
    case FieldType::String:
    case FieldType::Memo: {
      bool ok = false;
      const qint64 v = QString::fromUtf8(DataSetAccess::bytesAt(f, row)).trimmed().toLongLong(&ok);
      return ok ? v : 0;
    }
    case FieldType::Bytes: return 0;
    default: {
      const double d = DataSetAccess::realAt(f, row);
      return fitsInt64(d) ? std::llround(d) : 0;
    }
  }
}

double realOf(const Field& f, qsizetype row) {
  if (DataSetAccess::isNull(f, row)) return 0;
  switch (f.dataType()) {
    case FieldType::Integer: return DataSetAccess::int32At(f, row);
    case FieldType::LargeInt: return static_cast<double>(DataSetAccess::int64At(f, row));
    case FieldType::Boolean: return DataSetAccess::flagAt(f, row) ? 1 : 0;
    case FieldType::String:
    case FieldType::Memo: {
      const QString s = QString::fromUtf8(DataSetAccess::bytesAt(f, row)).trimmed();
      bool ok = false;
      double v = QLocale().toDouble(s, &ok);
      if (!ok) v = QLocale::c().toDouble(s, &ok);
      return ok ? v : 0;
    }
    case FieldType::Bytes: return 0;
    default: return DataSetAccess::realAt(f, row);
  }
}

QString stringOf(const Field& f, qsizetype row) {
  if (DataSetAccess::isNull(f, row)) return QString();
  switch (f.dataType()) {
    case FieldType::Integer: return QString::number(DataSetAccess::int32At(f, row));
    case FieldType::LargeInt: return QString::number(DataSetAccess::int64At(f, row));
    case FieldType::Float:
    case FieldType::Currency:
    case FieldType::Bcd: return formatRealLocal(DataSetAccess::realAt(f, row));
    case FieldType::Date:
      return QLocale().toString(fromDayCount(DataSetAccess::realAt(f, row)).date(),
                                QLocale::ShortFormat);
    case FieldType::DateTime: {
      const QDateTime dt = fromDayCount(DataSetAccess::realAt(f, row));
      if (dt.time() == QTime(0, 0)) return QLocale().toString(dt.date(), QLocale::ShortFormat);
      return QLocale().toString(dt, QLocale::ShortFormat);
    }
    case FieldType::Boolean:
      return DataSetAccess::flagAt(f, row) ? QStringLiteral("True") : QStringLiteral("False");
    case FieldType::String:
    case FieldType::Memo:
    case FieldType::Bytes: return QString::fromUtf8(DataSetAccess::bytesAt(f, row));
  }
  return QString();
}

QDateTime dateTimeOf(const Field& f, qsizetype row) {
  if (DataSetAccess::isNull(f, row)) return QDateTime();
  switch (f.dataType()) {
    case FieldType::Float:
    case FieldType::Currency:
    case FieldType::Bcd:
    case FieldType::Date:
    case FieldType::DateTime: return fromDayCount(DataSetAccess::realAt(f, row));
    case FieldType::String:
    case FieldType::Memo: {
      try {
        return parseDateTime(QString::fromUtf8(DataSetAccess::bytesAt(f, row)));
      } catch (const Error&) {
        return QDateTime();
      }
    }
    default: return QDateTime();
  }
}

bool boolOf(const Field& f, qsizetype row) {
  if (DataSetAccess::isNull(f, row)) return false;
  switch (f.dataType()) {
    case FieldType::Boolean: return DataSetAccess::flagAt(f, row);
    case FieldType::String:
    case FieldType::Memo: {
      const QString s = QString::fromUtf8(DataSetAccess::bytesAt(f, row)).trimmed();
      return s.compare(QLatin1String("true"), Qt::CaseInsensitive) == 0 || s == QLatin1String("1");
    }
    case FieldType::Bytes: return false;
    default: return int64Of(f, row) != 0 || realOf(f, row) != 0;
  }
}

QVariant variantOf(const Field& f, qsizetype row) {
  if (DataSetAccess::isNull(f, row)) return QVariant();
  switch (f.dataType()) {
    case FieldType::Integer: return QVariant(DataSetAccess::int32At(f, row));
    case FieldType::LargeInt: return QVariant(DataSetAccess::int64At(f, row));
    case FieldType::Float:
    case FieldType::Currency:
    case FieldType::Bcd: return QVariant(DataSetAccess::realAt(f, row));
    case FieldType::Date: return QVariant(fromDayCount(DataSetAccess::realAt(f, row)).date());
    case FieldType::DateTime: return QVariant(fromDayCount(DataSetAccess::realAt(f, row)));
    case FieldType::Boolean: return QVariant(DataSetAccess::flagAt(f, row));
    case FieldType::String:
    case FieldType::Memo: return QVariant(QString::fromUtf8(DataSetAccess::bytesAt(f, row)));
    case FieldType::Bytes: return QVariant(DataSetAccess::bytesAt(f, row).toByteArray());
  }
  return QVariant();
}

}  // namespace

// ---------------------------------------------------------------------------
// Field: the current row

bool Field::isNull() const {
  return dataSet_->isNull(dataSet_->recNo(), index_);
}
qint32 Field::asInteger() const {
  return dataSet_->intValue(dataSet_->recNo(), index_);
}
qint64 Field::asLargeInt() const {
  return dataSet_->largeIntValue(dataSet_->recNo(), index_);
}
double Field::asFloat() const {
  return dataSet_->floatValue(dataSet_->recNo(), index_);
}
QString Field::asString() const {
  return dataSet_->stringValue(dataSet_->recNo(), index_);
}
QDateTime Field::asDateTime() const {
  return dataSet_->dateTimeValue(dataSet_->recNo(), index_);
}
bool Field::asBoolean() const {
  return dataSet_->boolValue(dataSet_->recNo(), index_);
}
QByteArray Field::asBytes() const {
  return dataSet_->bytesValue(dataSet_->recNo(), index_);
}
QVariant Field::value() const {
  return dataSet_->value(dataSet_->recNo(), index_);
}
void Field::setAsInteger(qint64 v) {
  dataSet_->setInteger(dataSet_->recNo(), index_, v);
}
void Field::setAsFloat(double v) {
  dataSet_->setFloat(dataSet_->recNo(), index_, v);
}
void Field::setAsString(const QString& v) {
  dataSet_->setString(dataSet_->recNo(), index_, v);
}
void Field::setAsDateTime(const QDateTime& v) {
  dataSet_->setDateTime(dataSet_->recNo(), index_, v);
}
void Field::setAsBoolean(bool v) {
  dataSet_->setBoolean(dataSet_->recNo(), index_, v);
}
void Field::setAsBytes(const QByteArray& v) {
  dataSet_->setBytes(dataSet_->recNo(), index_, v);
}
void Field::setValue(const QVariant& v) {
  dataSet_->setValue(dataSet_->recNo(), index_, v);
}
void Field::clear() {
  dataSet_->setNull(dataSet_->recNo(), index_);
}

// ---------------------------------------------------------------------------
// DataSet: columns and rows

DataSet::DataSet() = default;
DataSet::~DataSet() = default;

Field* DataSet::field(int i) const {
  if (i < 0 || i >= fieldCount()) return nullptr;
  return fields_[size_t(i)].get();
}

int DataSet::fieldIndex(QStringView name) const {
  for (size_t i = 0; i < fields_.size(); ++i)
    if (fields_[i]->fieldName().compare(name, Qt::CaseInsensitive) == 0) return int(i);
  return -1;
}

Field* DataSet::fieldByName(QStringView name) const {
  return field(fieldIndex(name));
}

Field* DataSet::addField(const QString& name, FieldType type) {
  if (name.isEmpty()) throw Error(QStringLiteral("A field needs a name"));
  if (fieldIndex(name) >= 0) throw Error(QStringLiteral("Duplicate field name '%1'").arg(name));
  fields_.push_back(std::unique_ptr<Field>(new Field(this, fieldCount(), name, type)));
  Field* f = fields_.back().get();
  f->reserve(rows_);
  for (qsizetype r = 0; r < rows_; ++r) f->appendNull();
  changed({DataSetChange::Reset});
  return f;
}

void DataSet::reserve(int rows) {
  for (auto& f : fields_) f->reserve(rows);
}

int DataSet::appendRow() {
  if (rows_ >= std::numeric_limits<int>::max()) throw Error(QStringLiteral("Too many rows"));
  for (auto& f : fields_) f->appendNull();
  current_ = static_cast<int>(rows_++);
  eof_ = bof_ = false;
  changed({DataSetChange::RowsAppended, current_, -1, current_});
  return current_;
}

void DataSet::clearRows() {
  for (auto& f : fields_) f->clearRows();
  rows_ = 0;
  current_ = -1;
  eof_ = bof_ = true;
  changed({DataSetChange::Reset});
}

void DataSet::clear() {
  fields_.clear();
  rows_ = 0;
  current_ = -1;
  eof_ = bof_ = true;
  changed({DataSetChange::Reset});
}

void DataSet::takeFrom(DataSet& other) {
  if (&other == this) return;
  fields_ = std::move(other.fields_);
  other.fields_.clear();
  for (auto& f : fields_) f->dataSet_ = this;
  rows_ = other.rows_;
  current_ = other.current_;
  eof_ = other.eof_;
  bof_ = other.bof_;
  other.rows_ = 0;
  other.current_ = -1;
  other.eof_ = other.bof_ = true;
  ++other.version_;
  changed({DataSetChange::Reset});
}

std::size_t DataSet::memoryUse() const {
  std::size_t n = 0;
  for (const auto& f : fields_) n += f->memoryUse();
  return n;
}

// ---------------------------------------------------------------------------
// DataSet: cells

const Field* DataSet::readable(int row, int col) const {
  if (row < 0 || row >= rows_ || col < 0 || col >= fieldCount()) return nullptr;
  return fields_[size_t(col)].get();
}

Field* DataSet::writable(int row, int col) {
  if (col < 0 || col >= fieldCount())
    throw Error(QStringLiteral("Field index out of range: %1").arg(col));
  if (row < 0 || row >= rows_) throw Error(QStringLiteral("Dataset not in edit mode"));
  return fields_[size_t(col)].get();
}

bool DataSet::isNull(int row, int col) const {
  const Field* f = readable(row, col);
  return !f || f->isNullAt(row);
}
QVariant DataSet::value(int row, int col) const {
  const Field* f = readable(row, col);
  return f ? variantOf(*f, row) : QVariant();
}
qint32 DataSet::intValue(int row, int col) const {
  const Field* f = readable(row, col);
  if (!f) return 0;
  if (f->type_ == FieldType::Integer) return f->nulls_[size_t(row)] ? 0 : f->i32_[size_t(row)];
  return static_cast<qint32>(int64Of(*f, row));
}
qint64 DataSet::largeIntValue(int row, int col) const {
  const Field* f = readable(row, col);
  return f ? int64Of(*f, row) : 0;
}
double DataSet::floatValue(int row, int col) const {
  const Field* f = readable(row, col);
  if (!f) return 0;
  if (isRealStorage(f->type_)) return f->nulls_[size_t(row)] ? 0 : f->f64_[size_t(row)];
  return realOf(*f, row);
}
QString DataSet::stringValue(int row, int col) const {
  const Field* f = readable(row, col);
  return f ? stringOf(*f, row) : QString();
}
QDateTime DataSet::dateTimeValue(int row, int col) const {
  const Field* f = readable(row, col);
  return f ? dateTimeOf(*f, row) : QDateTime();
}
bool DataSet::boolValue(int row, int col) const {
  const Field* f = readable(row, col);
  return f ? boolOf(*f, row) : false;
}
QByteArray DataSet::bytesValue(int row, int col) const {
  const Field* f = readable(row, col);
  if (!f || f->isNullAt(row)) return QByteArray();
  if (isVariableLength(f->type_)) return f->bytesAt(row).toByteArray();
  return stringOf(*f, row).toUtf8();
}
QByteArrayView DataSet::rawBytes(int row, int col) const {
  const Field* f = readable(row, col);
  if (!f || !isVariableLength(f->type_) || f->isNullAt(row)) return QByteArrayView();
  return f->bytesAt(row);
}

void DataSet::setInteger(int row, int col, qint64 v) {
  Field* f = writable(row, col);
  switch (f->type_) {
    case FieldType::Integer:
      if (v < std::numeric_limits<qint32>::min() || v > std::numeric_limits<qint32>::max())
        throw Error(
            QStringLiteral("%1 is not a valid value for field '%2'").arg(v).arg(f->fieldName()));
      f->i32_[size_t(row)] = static_cast<qint32>(v);
      break;
    case FieldType::LargeInt: f->i64_[size_t(row)] = v; break;
    case FieldType::Boolean: f->flag_[size_t(row)] = v != 0; break;
    case FieldType::String:
    case FieldType::Memo:
    case FieldType::Bytes: f->storeBytes(row, QByteArray::number(v)); break;
    default: f->f64_[size_t(row)] = static_cast<double>(v); break;
  }
  f->setNullAt(row, false);
  changed({DataSetChange::CellChanged, row, col});
}

void DataSet::setFloat(int row, int col, double v) {
  Field* f = writable(row, col);
  switch (f->type_) {
    case FieldType::Integer:
    case FieldType::LargeInt:
      if (!fitsInt64(v)) cannotStore(*f, "real");
      setInteger(row, col, std::llround(v));
      return;
    case FieldType::Boolean: f->flag_[size_t(row)] = v != 0; break;
    case FieldType::String:
    case FieldType::Memo: f->storeBytes(row, formatRealLocal(v).toUtf8()); break;
    case FieldType::Bytes: cannotStore(*f, "real");
    default: f->f64_[size_t(row)] = v; break;
  }
  f->setNullAt(row, false);
  changed({DataSetChange::CellChanged, row, col});
}

void DataSet::setString(int row, int col, const QString& v) {
  Field* f = writable(row, col);
  switch (f->type_) {
    case FieldType::String:
    case FieldType::Memo:
    case FieldType::Bytes:
      f->storeBytes(row, v.toUtf8());
      f->setNullAt(row, false);
      changed({DataSetChange::CellChanged, row, col});
      return;
    case FieldType::Integer:
    case FieldType::LargeInt: setInteger(row, col, parseInteger(v)); return;
    case FieldType::Boolean: setBoolean(row, col, parseBoolean(v)); return;
    case FieldType::Date:
    case FieldType::DateTime: setDateTime(row, col, parseDateTime(v)); return;
    default: setFloat(row, col, parseReal(v)); return;
  }
}

void DataSet::setUtf8(int row, int col, QByteArrayView utf8) {
  Field* f = writable(row, col);
  if (!isVariableLength(f->type_)) {
    setString(row, col, QString::fromUtf8(utf8));
    return;
  }
  f->storeBytes(row, utf8);
  changed({DataSetChange::CellChanged, row, col});
}

void DataSet::setBytes(int row, int col, QByteArrayView v) {
  Field* f = writable(row, col);
  if (!isVariableLength(f->type_)) cannotStore(*f, "binary");
  f->storeBytes(row, v);
  changed({DataSetChange::CellChanged, row, col});
}

void DataSet::setDayCount(int row, int col, double days) {
  Field* f = writable(row, col);
  if (!isRealStorage(f->type_)) cannotStore(*f, "date");
  f->f64_[size_t(row)] = f->type_ == FieldType::Date ? std::floor(days) : days;
  f->setNullAt(row, false);
  changed({DataSetChange::CellChanged, row, col});
}

void DataSet::setDateTime(int row, int col, const QDateTime& v) {
  Field* f = writable(row, col);
  if (!v.isValid()) {
    setNull(row, col);
    return;
  }
  switch (f->type_) {
    case FieldType::String:
    case FieldType::Memo: setString(row, col, QLocale().toString(v, QLocale::ShortFormat)); return;
    case FieldType::Date: setDayCount(row, col, toDayCount(v.date())); return;
    case FieldType::DateTime:
    case FieldType::Float:
    case FieldType::Currency:
    case FieldType::Bcd: setDayCount(row, col, toDayCount(v)); return;
    default: cannotStore(*f, "date");
  }
}

void DataSet::setBoolean(int row, int col, bool v) {
  Field* f = writable(row, col);
  switch (f->type_) {
    case FieldType::Boolean:
      f->flag_[size_t(row)] = v ? 1 : 0;
      f->setNullAt(row, false);
      changed({DataSetChange::CellChanged, row, col});
      return;
    case FieldType::String:
    case FieldType::Memo:
      setString(row, col, v ? QStringLiteral("True") : QStringLiteral("False"));
      return;
    case FieldType::Bytes:
    case FieldType::Date:
    case FieldType::DateTime: cannotStore(*f, "boolean");
    default: setInteger(row, col, v ? 1 : 0); return;
  }
}

void DataSet::setNull(int row, int col) {
  Field* f = writable(row, col);
  if (isVariableLength(f->type_)) f->storeBytes(row, QByteArrayView());
  f->setNullAt(row, true);
  changed({DataSetChange::CellChanged, row, col});
}

void DataSet::setValue(int row, int col, const QVariant& v) {
  writable(row, col);
  if (!v.isValid() || v.isNull()) {
    setNull(row, col);
    return;
  }
  switch (v.typeId()) {
    case QMetaType::Bool: setBoolean(row, col, v.toBool()); return;
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::Short:
    case QMetaType::UShort:
    case QMetaType::Long:
    case QMetaType::LongLong: setInteger(row, col, v.toLongLong()); return;
    case QMetaType::ULong:
    case QMetaType::ULongLong: {
      const qulonglong u = v.toULongLong();
      if (u > qulonglong(std::numeric_limits<qint64>::max())) cannotStore(*field(col), "large");
      setInteger(row, col, qint64(u));
      return;
    }
    case QMetaType::Double:
    case QMetaType::Float: setFloat(row, col, v.toDouble()); return;
    case QMetaType::QDate: setDateTime(row, col, QDateTime(v.toDate(), QTime(0, 0))); return;
    case QMetaType::QDateTime: setDateTime(row, col, v.toDateTime()); return;
    case QMetaType::QByteArray: {
      const QByteArray b = v.toByteArray();
      if (isVariableLength(field(col)->dataType()))
        setBytes(row, col, b);
      else
        setString(row, col, QString::fromUtf8(b));
      return;
    }
    default: setString(row, col, v.toString()); return;
  }
}

// ---------------------------------------------------------------------------
// DataSet: the current row

void DataSet::setRecNo(int row) {
  if (rows_ == 0) return;
  current_ = std::clamp<int>(row, 0, int(rows_ - 1));
  eof_ = bof_ = false;
  changed({DataSetChange::CurrentMoved, current_});
}

void DataSet::first() {
  if (rows_ == 0) {
    eof_ = bof_ = true;
    return;
  }
  setRecNo(0);
  bof_ = true;
}

void DataSet::last() {
  if (rows_ == 0) {
    eof_ = bof_ = true;
    return;
  }
  setRecNo(int(rows_ - 1));
  eof_ = true;
}

void DataSet::next() {
  bof_ = false;
  if (rows_ == 0 || current_ >= rows_ - 1) {
    eof_ = true;
    return;
  }
  setRecNo(current_ + 1);
}

void DataSet::prior() {
  eof_ = false;
  if (rows_ == 0 || current_ <= 0) {
    bof_ = true;
    return;
  }
  setRecNo(current_ - 1);
}

bool DataSet::locate(QStringView fieldName, const QVariant& value, int options) {
  const int col = fieldIndex(fieldName);
  if (col < 0) throw Error(QStringLiteral("Field '%1' not found").arg(fieldName));
  const Field& f = *fields_[size_t(col)];
  auto found = [&](qsizetype r) {
    setRecNo(int(r));
    return true;
  };
  const bool wantNull = !value.isValid() || value.isNull();
  if (wantNull) {
    for (qsizetype r = 0; r < rows_; ++r)
      if (f.isNullAt(r)) return found(r);
    return false;
  }
  switch (f.type_) {
    case FieldType::String:
    case FieldType::Memo:
    case FieldType::Bytes: {
      const Qt::CaseSensitivity cs =
          (options & CaseInsensitive) ? Qt::CaseInsensitive : Qt::CaseSensitive;
      const bool partial = options & PartialKey;
      if (cs == Qt::CaseSensitive) {
        const QByteArray key =
            f.type_ == FieldType::Bytes && value.typeId() == QMetaType::QByteArray
                ? value.toByteArray()
                : value.toString().toUtf8();
        for (qsizetype r = 0; r < rows_; ++r) {
          if (f.isNullAt(r)) continue;
          const QByteArrayView cell = f.bytesAt(r);
          if (partial ? cell.startsWith(key) : cell == key) return found(r);
        }
        return false;
      }
      const QString key = value.toString();
      for (qsizetype r = 0; r < rows_; ++r) {
        if (f.isNullAt(r)) continue;
        const QString cell = QString::fromUtf8(f.bytesAt(r));
        if (partial ? cell.startsWith(key, cs) : cell.compare(key, cs) == 0) return found(r);
      }
      return false;
    }
    case FieldType::Integer:
    case FieldType::LargeInt:
    case FieldType::Boolean: {
      bool ok = false;
      qint64 key = value.typeId() == QMetaType::QString ? value.toString().trimmed().toLongLong(&ok)
                                                        : value.toLongLong(&ok);
      if (value.typeId() == QMetaType::Bool) {
        key = value.toBool() ? 1 : 0;
        ok = true;
      }
      if (!ok) return false;
      for (qsizetype r = 0; r < rows_; ++r)
        if (!f.isNullAt(r) && int64Of(f, r) == key) return found(r);
      return false;
    }
    case FieldType::Date:
    case FieldType::DateTime: {
      double key = 0;
      if (value.typeId() == QMetaType::QDate)
        key = toDayCount(value.toDate());
      else if (value.typeId() == QMetaType::QDateTime)
        key = toDayCount(value.toDateTime());
      else
        key = value.toDouble();
      for (qsizetype r = 0; r < rows_; ++r)
        if (!f.isNullAt(r) && std::fabs(f.f64_[size_t(r)] - key) < 1e-9) return found(r);
      return false;
    }
    default: {
      bool ok = false;
      const double key = value.typeId() == QMetaType::QString ? value.toString().toDouble(&ok)
                                                              : value.toDouble(&ok);
      if (!ok) return false;
      for (qsizetype r = 0; r < rows_; ++r)
        if (!f.isNullAt(r) && f.f64_[size_t(r)] == key) return found(r);
      return false;
    }
  }
}

// ---------------------------------------------------------------------------
// DataSet: display updates and notifications

void DataSet::disableControls() {
  ++disabled_;
}

void DataSet::enableControls() {
  if (disabled_ == 0) return;
  if (--disabled_ == 0 && pending_) {
    pending_ = false;
    notify({DataSetChange::Reset});
  }
}

int DataSet::addObserver(Observer observer) {
  const int handle = nextObserver_++;
  observers_.emplace_back(handle, std::move(observer));
  return handle;
}

void DataSet::removeObserver(int handle) {
  observers_.erase(std::remove_if(observers_.begin(), observers_.end(),
                                  [handle](const auto& o) { return o.first == handle; }),
                   observers_.end());
}

void DataSet::changed(const DataSetChange& change) {
  if (change.kind != DataSetChange::CurrentMoved) ++version_;
  if (disabled_ > 0) {
    pending_ = true;
    return;
  }
  notify(change);
}

void DataSet::notify(const DataSetChange& change) {
  if (observers_.empty()) return;
  const auto copy = observers_;  // an observer may remove itself
  for (const auto& [handle, fn] : copy)
    if (fn) fn(change);
}

// ---------------------------------------------------------------------------
// DataSet: loading

void DataSet::loadFromPacket(const QByteArray& packet) {
  DataSet fresh;
  decodeDataPacket(packet, fresh);
  takeFrom(fresh);
}

QByteArray DataSet::toPacket() const {
  return encodeDataPacket(*this);
}

namespace {
// Appends a cell of a column of the same type.
void appendCopy(Field& to, const Field& from, qsizetype row) {
  if (isVariableLength(to.dataType())) {
    const bool null = DataSetAccess::isNull(from, row);
    if (!null) {
      const QByteArrayView b = DataSetAccess::bytesAt(from, row);
      DataSetAccess::pool(to).append(b.data(), b.size());
    }
    DataSetAccess::closeBytesCell(to, null);
    return;
  }
  if (DataSetAccess::isNull(from, row)) {
    DataSetAccess::appendNull(to);
    return;
  }
  switch (to.dataType()) {
    case FieldType::Integer:
      DataSetAccess::appendInt32(to, DataSetAccess::int32At(from, row));
      return;
    case FieldType::LargeInt:
      DataSetAccess::appendInt64(to, DataSetAccess::int64At(from, row));
      return;
    case FieldType::Boolean:
      DataSetAccess::appendFlag(to, DataSetAccess::flagAt(from, row));
      return;
    default: DataSetAccess::appendReal(to, DataSetAccess::realAt(from, row)); return;
  }
}
}  // namespace

void DataSet::loadFromReader(TableReader& reader) {
  DataSet fresh;
  for (int i = 0; i < reader.columnCount(); ++i)
    fresh.addField(reader.columnName(i), reader.columnType(i));
  qsizetype rows = 0;
  while (reader.next()) {
    if (rows >= std::numeric_limits<int>::max() - 1) throw Error(QStringLiteral("Too many rows"));
    const DataSet& cur = reader.currentRow();
    for (int i = 0; i < fresh.fieldCount(); ++i)
      appendCopy(*fresh.fields_[size_t(i)], *cur.fields_[size_t(i)], 0);
    ++rows;
  }
  DataSetAccess::finishRows(fresh, rows);
  if (rows > 0) {
    fresh.current_ = int(rows - 1);
    fresh.eof_ = fresh.bof_ = false;
  }
  takeFrom(fresh);
}

}  // namespace vlm
