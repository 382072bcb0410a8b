#include "gridcolumn.h"

namespace vlm {

GridLook GridLook::standard() {
  GridLook look;
  look.font = QFont(QStringLiteral("Arial"));
  look.font.setPixelSize(13);
  look.font.setBold(false);  // explicit, or a bold window would make the cells bold
  return look;
}

GridLook GridLook::vs2010() {
  GridLook look;
  look.font = QFont(QStringLiteral("Tahoma"));
  look.font.setPixelSize(12);
  look.font.setBold(false);
  look.rowHeight = 24;
  look.headerHeight = 28;
  look.evenRow = QColor(255, 255, 255);
  look.oddRow = QColor(245, 247, 251);
  look.selectedRow = QColor(255, 239, 187);
  look.header = QColor(214, 222, 235);
  look.headerText = QColor(30, 57, 91);
  look.headerBold = false;
  look.gridLine = QColor(218, 223, 231);
  look.footer = QColor(228, 233, 242);
  look.groupRow = QColor(232, 236, 244);
  look.groupText = QColor(30, 57, 91);
  look.groupFooter = QColor(241, 244, 249);
  return look;
}

QFont GridLook::effectiveHeaderFont() const {
  QFont f = headerFontSet ? headerFont : font;
  if (!headerFontSet && headerBold) f.setBold(true);
  return f;
}

}  // namespace vlm
