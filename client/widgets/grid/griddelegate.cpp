// How the grid paints its cells.
#include <QPainter>
#include <QPainterPath>
#include <QStyle>
#include <QTextLayout>

#include "dataset.h"
#include "datasetmodel.h"
#include "grid_p.h"

namespace vlm {

GridDelegate::GridDelegate(Grid* grid) : QStyledItemDelegate(grid), grid_(grid) {}

QString GridDelegate::displayable(QString text) {
  text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
  text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
  return text;
}

QSize GridDelegate::sizeHint(const QStyleOptionViewItem&, const QModelIndex&) const {
  return {100, grid_->look_.rowHeight};
}

void GridDelegate::drawCheckBox(QPainter* p, const QRect& cell, bool checked,
                                const QColor& colour) {
  const int s = std::min({16, cell.width() - 4, cell.height() - 4});
  if (s < 6) return;
  const QRectF box(cell.center().x() - s / 2.0 + 0.5, cell.center().y() - s / 2.0 + 0.5, s - 1,
                   s - 1);
  p->save();
  p->setRenderHint(QPainter::Antialiasing);
  p->setPen(QPen(checked ? colour : QColor(140, 148, 160), 1.2));
  p->setBrush(checked ? colour : QColor(Qt::white));
  p->drawRoundedRect(box, 3, 3);
  if (checked) {
    QPainterPath tick;
    tick.moveTo(box.left() + s * 0.22, box.top() + s * 0.52);
    tick.lineTo(box.left() + s * 0.42, box.top() + s * 0.72);
    tick.lineTo(box.left() + s * 0.78, box.top() + s * 0.30);
    p->setPen(QPen(Qt::white, std::max(1.6, s / 8.0), Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p->setBrush(Qt::NoBrush);
    p->drawPath(tick);
  }
  p->restore();
}

int GridDelegate::drawText(QPainter* p, const QRect& r, Qt::Alignment align, const QString& text,
                           bool wrap, int mark, const QColor& markColour) {
  const QFontMetrics fm(p->font());
  const int lineHeight = fm.lineSpacing();
  const int maxLines = wrap ? std::max(1, r.height() / lineHeight) : 1;
  // Lines: the text's own line breaks, then word wrapping within the width.
  QStringList lines;
  bool more = false;
  for (const QString& para : text.split(QLatin1Char('\n'))) {
    if (lines.size() >= maxLines) {
      more = true;
      break;
    }
    if (!wrap || fm.horizontalAdvance(para) <= r.width()) {
      lines << para;
      continue;
    }
    QTextLayout layout(para, p->font());
    layout.setCacheEnabled(true);
    QTextOption option;
    option.setWrapMode(QTextOption::WordWrap);
    layout.setTextOption(option);
    layout.beginLayout();
    for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
      line.setLineWidth(r.width());
      if (lines.size() >= maxLines) {
        more = true;
        break;
      }
      lines << para.mid(line.textStart(), line.textLength()).trimmed();
    }
    layout.endLayout();
  }
  if (!wrap && text.contains(QLatin1Char('\n'))) more = true;
  if (more && !lines.isEmpty()) lines.last() += QStringLiteral("\u2026");
  const int blockHeight = int(lines.size()) * lineHeight;
  int y = r.top();
  if (align & Qt::AlignVCenter)
    y = r.top() + (r.height() - blockHeight) / 2;
  else if (align & Qt::AlignBottom)
    y = r.bottom() - blockHeight + 1;
  const Qt::Alignment h = align & Qt::AlignHorizontal_Mask;
  int used = 0;
  for (int i = 0; i < lines.size(); ++i, y += lineHeight) {
    const QString shown = fm.elidedText(lines[i], Qt::ElideRight, r.width());
    const QRect lineRect(r.left(), y, r.width(), lineHeight);
    const int w = fm.horizontalAdvance(shown);
    used = std::max(used, w);
    if (i == 0 && mark > 0) {
      const QRect at = QStyle::alignedRect(Qt::LeftToRight, h, QSize(w, lineHeight), lineRect);
      const int mw = fm.horizontalAdvance(shown.left(mark));
      p->fillRect(QRect(at.left() - 1, at.top(), mw + 2, lineHeight), markColour);
    }
    p->drawText(lineRect, int(h) | Qt::AlignVCenter | Qt::TextSingleLine, shown);
  }
  return used;
}

void GridDelegate::paintText(QPainter* p, const QRect& cell, const QModelIndex& index,
                             bool selected) const {
  const GridLook& lk = grid_->look_;
  const QString text = displayable(index.data(Qt::DisplayRole).toString());
  if (text.isEmpty()) return;
  Qt::Alignment align = Qt::Alignment(index.data(Qt::TextAlignmentRole).toInt());
  if (!(align & Qt::AlignHorizontal_Mask)) align |= Qt::AlignLeft;
  if (!(align & Qt::AlignVertical_Mask)) align |= Qt::AlignVCenter;
  // The incremental search marks the part typed so far in the focused cell.
  const QString& search = grid_->search_;
  const bool marked = !search.isEmpty() && grid_->view_->currentIndex() == index;
  p->setFont(lk.font);
  p->setPen(selected ? lk.selectedText : lk.text);
  drawText(p, cell.adjusted(4, 2, -4, -2), align, text, grid_->column(index.column()).wordWrap,
           marked ? int(search.size()) : 0, lk.searchHighlight);
}

void GridDelegate::paint(QPainter* p, const QStyleOptionViewItem& option,
                         const QModelIndex& index) const {
  const GridLook& lk = grid_->look_;
  const QRect cell = option.rect;
  const bool selected = option.state & QStyle::State_Selected;
  const auto kind = GridProxyModel::RowKind(index.data(GridProxyModel::RowKindRole).toInt());
  p->save();
  if (kind == GridProxyModel::GroupRow) {
    // The view paints the group row across the whole width.
    p->fillRect(cell, lk.groupRow);
    p->restore();
    return;
  }
  if (kind == GridProxyModel::GroupFooterRow) {
    p->fillRect(cell, lk.groupFooter);
    p->setPen(lk.groupFooter.darker(112));
    p->drawLine(cell.bottomLeft(), cell.bottomRight());
    const QString text = index.data(GridProxyModel::SummaryTextRole).toString();
    if (!text.isEmpty()) {
      QFont bold = lk.font;
      bold.setBold(true);
      p->setFont(bold);
      p->setPen(lk.footerText);
      Qt::Alignment a = grid_->column(index.column()).alignment & Qt::AlignHorizontal_Mask;
      p->drawText(cell.adjusted(5, 0, -5, 0), int(a ? a : Qt::AlignRight) | Qt::AlignVCenter, text);
    }
    p->restore();
    return;
  }
  const bool odd = index.data(GridProxyModel::ParityRole).toInt() & 1;
  const QColor back = selected ? lk.selectedRow : (odd ? lk.oddRow : lk.evenRow);
  p->fillRect(cell, back);
  p->setPen(lk.gridLine);
  p->drawLine(cell.topRight(), cell.bottomRight());
  p->drawLine(cell.bottomLeft(), cell.bottomRight());

  const GridColumn& col = grid_->column(index.column());
  switch (col.kind) {
    case GridColumnKind::Picture: {
      const QPixmap pm = index.data(Qt::DecorationRole).value<QPixmap>();
      if (!pm.isNull()) {
        QSize size = pm.deviceIndependentSize().toSize();
        size.scale(size.boundedTo(cell.size() - QSize(4, 4)), Qt::KeepAspectRatio);
        const QRect at = QStyle::alignedRect(Qt::LeftToRight, Qt::AlignCenter, size, cell);
        p->setRenderHint(QPainter::SmoothPixmapTransform);
        p->drawPixmap(at, pm);
      }
      break;
    }
    case GridColumnKind::CheckBox:
      drawCheckBox(p, cell, index.data(Qt::CheckStateRole).toInt() == Qt::Checked, lk.header);
      break;
    case GridColumnKind::Drawn:
      if (col.draw && grid_->model_->isLive()) {
        GridCellPaint c;
        c.rect = cell.adjusted(0, 0, -1, -1);
        c.dataSet = grid_->model_->dataSet();
        c.row = grid_->proxy_->sourceRowAt(index.row());
        c.selected = selected;
        c.background = back;
        c.textColor = selected ? lk.selectedText : lk.text;
        c.font = lk.font;
        p->setClipRect(c.rect);
        p->setFont(lk.font);
        p->setPen(c.textColor);
        col.draw(p, c);
      } else {
        paintText(p, cell, index, selected);
      }
      break;
    case GridColumnKind::Text: paintText(p, cell, index, selected); break;
  }
  // The focused cell (the column typing searches in) gets a thin frame.
  if (selected && grid_->view_->currentIndex() == index) {
    p->setClipping(false);
    p->setPen(lk.selectedRow.darker(145));
    p->setBrush(Qt::NoBrush);
    p->drawRect(cell.adjusted(0, 0, -1, -1));
  }
  p->restore();
}

}  // namespace vlm
