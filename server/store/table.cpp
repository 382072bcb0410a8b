#include "table.h"

#include <QDate>
#include <QDateTime>

namespace vlm::server {

int Table::indexOf(const QString& name) const {
  for (int i = 0; i < columns.size(); ++i)
    if (columns[i].name == name) return i;
  return -1;
}

QVariant Table::value(int r, const QString& name) const {
  const int c = indexOf(name);
  if (c < 0 || r < 0 || r >= rows.size()) return {};
  return rows[r].value(c);
}

int Table::addColumn(const QString& name, ColumnType type, const QVariant& fill) {
  columns.append({name, type});
  const QVariant v = fill.isValid() ? coerce(fill, type) : emptyValue(type);
  for (QVariantList& row : rows) row.append(v);
  return int(columns.size()) - 1;
}

QVariant emptyValue(ColumnType type) {
  switch (type) {
    case ColumnType::Integer: return 0;
    case ColumnType::Float: return 0.0;
    case ColumnType::Text:
    case ColumnType::Memo: return QString();
    case ColumnType::Date: return QDate();
    case ColumnType::DateTime: return QDateTime();
  }
  return {};
}

QVariant coerce(const QVariant& v, ColumnType type) {
  if (v.isNull() || !v.isValid()) return emptyValue(type);
  switch (type) {
    case ColumnType::Integer: return v.toInt();
    case ColumnType::Float: return v.toDouble();
    case ColumnType::Text:
    case ColumnType::Memo: return v.toString();
    case ColumnType::Date:
      if (v.metaType().id() == QMetaType::QDate) return v;
      return QDate::fromString(v.toString().left(10), Qt::ISODate);
    case ColumnType::DateTime:
      if (v.metaType().id() == QMetaType::QDateTime) return v;
      return QDateTime::fromString(v.toString(), Qt::ISODate);
  }
  return v;
}

}  // namespace vlm::server
