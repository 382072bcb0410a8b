#pragma once
// How a list configures its grid: one GridColumn per column, summaries for
// the footer and the group footers, and the look (heights, fonts, colours).
//
//   grid->setColumns({
//       GridColumn("DURUM", "Durum", 1).picture(durumResmi),
//       GridColumn("OEM1", "Oem1", 2).hide(),
//       GridColumn("STOK_STOKNO").hide().noChooser(),
//       GridColumn("INDIRIMYAZI", "İndirim Oran", 2).align(Qt::AlignCenter),
//       GridColumn("FIYATBILGISI", "Fiyat Bilgisi", 2).drawnBy(ciz).textBy(metin),
//   });
#include <QColor>
#include <QFont>
#include <QPixmap>
#include <QRect>
#include <QString>
#include <QVariant>
#include <functional>

class QPainter;

namespace vlm {

class DataSet;

// What a cell shows.
enum class GridColumnKind {
  Text,      // the value's display text
  Picture,   // a picture per value, no text
  Drawn,     // the list draws the cell itself
  CheckBox,  // a check box, ticked for a value other than 0 / false (read-only)
};

// A cell handed to a list that draws it.
struct GridCellPaint {
  QRect rect;  // the cell
  const DataSet* dataSet = nullptr;
  int row = -1;           // dataset row
  bool selected = false;  // the row is the focused (selected) one
  QColor background;      // the colour the grid would fill it with
  QColor textColor;
  QFont font;
};

struct GridColumn {
  // The dataset column it shows (by name, without regard to case). A name
  // that the dataset does not have makes an unbound column (empty, or drawn).
  QString fieldName;
  // The header text; empty shows the field name.
  QString caption;
  bool visible = true;
  // Whether the column chooser offers the column to the user.
  bool inChooser = true;
  // Share in the weight rule (a whole number, 0 allowed).
  int weight = 1;
  // Horizontal (and vertical) alignment of the cells; 0 means numbers to the
  // right and anything else to the left, vertically centred.
  Qt::Alignment alignment = {};
  // Display pattern for numbers ("#,###,##0.00") or Qt date pattern for dates
  // ("dd.MM.yyyy"); empty uses the field's own display format.
  QString displayFormat;
  GridColumnKind kind = GridColumnKind::Text;
  // Width in pixels when the grid first shows it; 0 for the default.
  int width = 0;
  // Long texts wrap onto further lines where the row height allows.
  bool wordWrap = true;
  // The header click sorts by this column.
  bool sortable = true;

  // Picture columns: the picture of a raw value (a null pixmap shows nothing).
  std::function<QPixmap(const QVariant&)> pictureOf;
  // A caption for a raw value, for the filter drop-down and the export of
  // picture columns ("Stok mevcut" for DURUM 1); empty for the display text.
  std::function<QString(const QVariant&)> valueCaption;
  // Drawn columns: paints the cell.
  std::function<void(QPainter*, const GridCellPaint&)> draw;
  // Unbound or drawn columns: the text of a row, for best fit, search and
  // export.
  std::function<QString(const DataSet&, int row)> text;

  GridColumn() = default;
  explicit GridColumn(QString field, QString caption = {}, int weight = 1)
      : fieldName(std::move(field)), caption(std::move(caption)), weight(weight) {}

  // The caption shown in the header and the chooser.
  QString captionText() const { return caption.isEmpty() ? fieldName : caption; }

  // Chainable setters for the column lists of the windows.
  GridColumn& hide() {
    visible = false;
    return *this;
  }
  GridColumn& noChooser() {
    inChooser = false;
    return *this;
  }
  GridColumn& align(Qt::Alignment a) {
    alignment = a;
    return *this;
  }
  GridColumn& format(QString f) {
    displayFormat = std::move(f);
    return *this;
  }
  GridColumn& widthPx(int w) {
    width = w;
    return *this;
  }
  GridColumn& noSort() {
    sortable = false;
    return *this;
  }
  GridColumn& picture(std::function<QPixmap(const QVariant&)> f,
                      std::function<QString(const QVariant&)> captionOfValue = {}) {
    kind = GridColumnKind::Picture;
    pictureOf = std::move(f);
    valueCaption = std::move(captionOfValue);
    return *this;
  }
  GridColumn& checkBox() {
    kind = GridColumnKind::CheckBox;
    return *this;
  }
  GridColumn& drawnBy(std::function<void(QPainter*, const GridCellPaint&)> f) {
    kind = GridColumnKind::Drawn;
    draw = std::move(f);
    return *this;
  }
  GridColumn& textBy(std::function<QString(const DataSet&, int row)> f) {
    text = std::move(f);
    return *this;
  }
};

// A summary in the footer or in a group footer.
struct GridSummary {
  enum Kind { Count, Sum, Average, Min, Max };
  Kind kind = Count;
  // The column whose values are summed (any column for Count).
  QString fieldName;
  // The column under which the summary stands; empty means fieldName.
  QString underColumn;
  // Number pattern of the value ("#,###,##0.00"); empty takes the column's
  // display format (Count: a whole number).
  QString displayFormat;
  // Text around the value, "%1" standing for it ("Toplam: %1"); empty is "%1".
  QString text;

  GridSummary() = default;
  GridSummary(Kind k, QString field, QString under = {})
      : kind(k), fieldName(std::move(field)), underColumn(std::move(under)) {}
  QString placement() const { return underColumn.isEmpty() ? fieldName : underColumn; }

  // GridSummary::count("VERILISTARIHI"), GridSummary::sum("MIKTAR") ...
  static GridSummary count(QString under) { return {Count, under, under}; }
  static GridSummary sum(QString field, QString under = {}) { return {Sum, field, under}; }
  static GridSummary average(QString field, QString under = {}) { return {Average, field, under}; }
};

// Heights, fonts and colours of one list.
struct GridLook {
  QFont font;        // the cells (and, bold, the header unless headerFont is set)
  QFont headerFont;  // used when headerFontSet
  bool headerFontSet = false;
  int rowHeight = 24;
  int headerHeight = 40;
  QColor evenRow = QColor(239, 239, 239);  // rows 0, 2, 4 ...
  QColor oddRow = QColor(255, 255, 255);
  QColor selectedRow = QColor(210, 240, 249);
  QColor selectedText = QColor(20, 20, 20);
  QColor text = QColor(30, 30, 30);
  QColor header = QColor(53, 64, 81);
  QColor headerText = QColor(255, 255, 255);
  bool headerBold = true;
  QColor gridLine = QColor(222, 225, 230);
  QColor footer = QColor(226, 230, 236);
  QColor footerText = QColor(30, 38, 52);
  QColor groupRow = QColor(200, 208, 220);
  QColor groupText = QColor(25, 32, 45);
  QColor groupFooter = QColor(234, 237, 242);
  QColor searchHighlight = QColor(255, 214, 102);
  QColor filterActive = QColor(255, 196, 60);

  // The look of the stock list and most lists: Arial 13 pixels, even rows
  // light grey, odd rows white, light blue selection, white bold headers on
  // dark slate.
  static GridLook standard();
  // A light look for the reports.
  static GridLook vs2010();
  // The header font as drawn.
  QFont effectiveHeaderFont() const;
};

}  // namespace vlm
