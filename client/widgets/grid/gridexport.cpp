// "Excel Kaydet": the grid's rows and visible columns as an Excel 97-2003
// workbook.
#include <QDate>
#include <QDateTime>

#include "dataset.h"
#include "datasetmodel.h"
#include "grid_p.h"

#ifdef VLM_HAVE_XLS
#include "xlswriter.h"
#endif

namespace vlm {

#ifdef VLM_HAVE_XLS
namespace {

// How one visible column goes into the workbook.
struct ExportColumn {
  int column = -1;
  int field = -1;
  XlsColumn xls;
  bool caption = false;   // a picture column written as the caption of its value
  bool callback = false;  // the list gives the text
};

// A display pattern for dates, as Excel writes it ("dd.MM.yyyy" -> "dd.mm.yyyy").
QString excelDateFormat(const QString& qtFormat) {
  QString f = qtFormat;
  f.replace(QLatin1Char('M'), QLatin1Char('m')).replace(QLatin1Char('H'), QLatin1Char('h'));
  return f;
}

}  // namespace
#endif

bool Grid::exportXls(const QString& path, QString* error) const {
#ifdef VLM_HAVE_XLS
  auto fail = [error](const QString& text) {
    if (error) *error = text;
    return false;
  };
  if (!model_->isLive())
    return fail(QStringLiteral("Liste yükleniyor; biraz sonra tekrar deneyin."));
  const DataSet& ds = *model_->dataSet();
  std::vector<ExportColumn> cols;
  for (int v = 0; v < header_->count(); ++v) {
    const int c = header_->logicalIndex(v);
    if (header_->isSectionHidden(c)) continue;
    const GridColumn& gc = model_->column(c);
    ExportColumn e;
    e.column = c;
    e.field = model_->fieldIndex(c);
    e.xls.caption = gc.captionText();
    e.xls.kind = XlsColumn::Text;
    if (gc.kind == GridColumnKind::Picture && gc.valueCaption) {
      e.caption = true;
    } else if (e.field < 0 || (gc.kind == GridColumnKind::Drawn && gc.text)) {
      e.callback = true;
    } else {
      const Field* f = ds.field(e.field);
      QString fmt = gc.displayFormat.isEmpty() ? f->displayFormat() : gc.displayFormat;
      switch (f->dataType()) {
        case FieldType::Integer:
        case FieldType::LargeInt:
        case FieldType::Float:
        case FieldType::Currency:
        case FieldType::Bcd:
          e.xls.kind = XlsColumn::Number;
          e.xls.numberFormat = fmt;
          break;
        case FieldType::Date:
          e.xls.kind = XlsColumn::Date;
          if (!fmt.isEmpty()) e.xls.numberFormat = excelDateFormat(fmt);
          break;
        case FieldType::DateTime:
          e.xls.kind = XlsColumn::DateTime;
          if (!fmt.isEmpty()) e.xls.numberFormat = excelDateFormat(fmt);
          break;
        case FieldType::Boolean: e.xls.kind = XlsColumn::Boolean; break;
        default: break;
      }
    }
    cols.push_back(e);
  }
  if (cols.empty()) return fail(QStringLiteral("Listede gösterilen sütun yok."));
  QList<XlsColumn> header;
  for (const ExportColumn& e : cols) header << e.xls;
  const std::vector<int>& rows = proxy_->orderedRows();
  const GridColumn* columns = model_->columns().constData();
  auto cell = [&](int row, int column) -> QVariant {
    const ExportColumn& e = cols[size_t(column)];
    const int r = rows[size_t(row)];
    if (e.callback) {
      const GridColumn& gc = columns[e.column];
      return gc.text ? QVariant(GridDelegate::displayable(gc.text(ds, r))) : QVariant();
    }
    if (ds.isNull(r, e.field)) return {};
    if (e.caption) return columns[e.column].valueCaption(ds.value(r, e.field));
    switch (e.xls.kind) {
      case XlsColumn::Number: return ds.floatValue(r, e.field);
      case XlsColumn::Date:
      case XlsColumn::DateTime:
      case XlsColumn::Boolean: return ds.value(r, e.field);
      case XlsColumn::Text: return ds.stringValue(r, e.field);
    }
    return {};
  };
  return writeXls(path, header, int(rows.size()), cell, error);
#else
  Q_UNUSED(path);
  if (error) *error = QStringLiteral("Excel dosyası yazılamıyor: bu derlemede Excel yazıcısı yok.");
  return false;
#endif
}

}  // namespace vlm
