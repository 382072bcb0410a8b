#pragma once
// A result table as the storage layer hands it over: named, typed columns
// and rows of values, independent of any SQL engine and of the wire.
#include <QList>
#include <QString>
#include <QVariant>

namespace vlm::server {

enum class ColumnType {
  Integer,   // 32-bit whole number
  Float,     // 64-bit floating point: amounts, quantities, rates
  Text,      // one-line text
  Memo,      // multi-line text
  Date,      // calendar day
  DateTime,  // day and time of day
};

struct Column {
  QString name;
  ColumnType type = ColumnType::Text;
};

struct Table {
  QList<Column> columns;
  QList<QVariantList> rows;

  int indexOf(const QString& name) const;
  int rowCount() const { return int(rows.size()); }
  // The value of a named column in row r; an invalid QVariant when absent.
  QVariant value(int r, const QString& name) const;
  // Adds a column and gives every existing row the value `fill`.
  int addColumn(const QString& name, ColumnType type, const QVariant& fill = {});
};

// The value a column of this type holds when the database has none.
QVariant emptyValue(ColumnType type);
// `v` turned into the column type (numbers from text, dates from ISO text).
QVariant coerce(const QVariant& v, ColumnType type);

}  // namespace vlm::server
