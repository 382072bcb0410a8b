#pragma once
// Writes a list as an Excel 97-2003 workbook (.xls: BIFF8 records in a
// compound document), the file behind every list's "Excel Kaydet".
//
// The first row of every sheet holds the captions in bold. A sheet holds at
// most 65,536 rows, so a longer list goes on over "Sayfa2", "Sayfa3", ...,
// each with its own caption row; no row is dropped.
#include <QList>
#include <QString>
#include <QVariant>
#include <functional>

namespace vlm {

struct XlsColumn {
  enum Kind { Text, Number, Date, DateTime, Boolean };

  QString caption;
  Kind kind = Text;
  // An Excel number format code ("#,##0.00", "dd.mm.yyyy"); empty takes the
  // kind's default: General for texts and numbers, "dd.mm.yyyy" for dates,
  // "dd.mm.yyyy hh:mm:ss" for date-times.
  QString numberFormat;
};

// The value of row `row` (0-based, data rows only) in column `column`. An
// invalid or null QVariant is an empty cell.
//
// How a value is stored follows its column:
// - Text: its text (an empty text is an empty cell); at most 32,767
//   characters, Excel's limit for a cell, the rest is cut off.
// - Number: numbers as numbers; a text that reads as a number (C locale) as
//   that number, any other text as text. NaN and infinities become #NUM!.
// - Date, DateTime: QDate and QDateTime (its own date and clock time) as
//   Excel date numbers with the column's format; QTime as a fraction of a
//   day. Dates before 1 March 1900 (where readers disagree on Excel's day
//   numbers) or after 9999 and values of other types are written as text.
// - Boolean: QVariant::toBool() as TRUE or FALSE.
using XlsCellSource = std::function<QVariant(int row, int column)>;

// Writes `rowCount` rows of `columns` to `path` (the name is used as given).
// The file appears whole or not at all: it is written under a temporary
// name and renamed at the end, so a failure leaves any earlier file of that
// name as it was. On failure returns false and, when `error` is given, sets
// a text fit to show the user.
bool writeXls(const QString& path, const QList<XlsColumn>& columns, int rowCount,
              const XlsCellSource& cell, QString* error = nullptr);

// Rows per sheet, caption row included.
inline constexpr int kXlsRowsPerSheet = 65536;
// Columns per sheet; a list with more columns is refused.
inline constexpr int kXlsMaxColumns = 256;

}  // namespace vlm
