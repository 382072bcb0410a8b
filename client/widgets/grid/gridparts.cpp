// The table view, its header, the row indicator and the footer bar.
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QScrollBar>
#include <algorithm>

#include "datasetmodel.h"
#include "grid_p.h"

namespace vlm {

// ---------------------------------------------------------------------------
// GridTableView

GridTableView::GridTableView(Grid* grid, QWidget* parent) : QTableView(parent), grid_(grid) {
  setObjectName(QStringLiteral("gridView"));
  setSelectionBehavior(QAbstractItemView::SelectRows);
  setSelectionMode(QAbstractItemView::SingleSelection);
  setEditTriggers(QAbstractItemView::NoEditTriggers);
  setShowGrid(false);
  setWordWrap(true);
  setAlternatingRowColors(false);
  setTabKeyNavigation(false);
  setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
  setVerticalScrollMode(QAbstractItemView::ScrollPerItem);
  setCornerButtonEnabled(false);
  setFrameShape(QFrame::NoFrame);
}

void GridTableView::keyboardSearch(const QString& search) {
  grid_->incrementalKey(search);
}

QRect GridTableView::expandBoxRect(int row) const {
  const int y = rowViewportPosition(row), h = rowHeight(row);
  return QRect(7, y + (h - 11) / 2, 11, 11);
}

void GridTableView::keyPressEvent(QKeyEvent* e) {
  const bool ctrl = e->modifiers() & Qt::ControlModifier;
  if (!grid_->search_.isEmpty()) {
    if (e->key() == Qt::Key_Escape) {
      grid_->clearSearch();
      return;
    }
    if (e->key() == Qt::Key_Backspace) {
      grid_->searchBackspace();
      return;
    }
    if (ctrl && (e->key() == Qt::Key_Down || e->key() == Qt::Key_Up)) {
      grid_->searchStep(e->key() == Qt::Key_Down);
      return;
    }
  }
  const QModelIndex cur = currentIndex();
  if (cur.isValid() && grid_->proxy_->rowKind(cur.row()) == GridProxyModel::GroupRow) {
    const int g = grid_->proxy_->groupAt(cur.row());
    if (e->key() == Qt::Key_Left || e->key() == Qt::Key_Minus) {
      grid_->setGroupExpanded(g, false);
      return;
    }
    if (e->key() == Qt::Key_Right || e->key() == Qt::Key_Plus) {
      grid_->setGroupExpanded(g, true);
      return;
    }
  }
  QTableView::keyPressEvent(e);
}

void GridTableView::mousePressEvent(QMouseEvent* e) {
  const QModelIndex idx = indexAt(e->position().toPoint());
  if (idx.isValid() && grid_->proxy_->rowKind(idx.row()) == GridProxyModel::GroupRow &&
      expandBoxRect(idx.row()).adjusted(-4, -4, 4, 4).contains(e->position().toPoint())) {
    const int g = grid_->proxy_->groupAt(idx.row());
    setCurrentIndex(idx);
    grid_->setGroupExpanded(g, !grid_->isGroupExpanded(g));
    return;
  }
  QTableView::mousePressEvent(e);
}

void GridTableView::mouseDoubleClickEvent(QMouseEvent* e) {
  const QModelIndex idx = indexAt(e->position().toPoint());
  if (!idx.isValid()) return;
  const GridProxyModel* proxy = grid_->proxy_;
  if (proxy->rowKind(idx.row()) == GridProxyModel::GroupRow) {
    const int g = proxy->groupAt(idx.row());
    grid_->setGroupExpanded(g, !grid_->isGroupExpanded(g));
    return;
  }
  QTableView::mouseDoubleClickEvent(e);
  const int r = proxy->sourceRowAt(idx.row());
  if (r >= 0) Q_EMIT grid_->rowDoubleClicked(r);
}

void GridTableView::currentChanged(const QModelIndex& current, const QModelIndex& previous) {
  QTableView::currentChanged(current, previous);
  grid_->onCurrentChanged(current);
}

void GridTableView::scrollContentsBy(int dx, int dy) {
  QTableView::scrollContentsBy(dx, dy);
  if (dx) grid_->footer_->update();
}

void GridTableView::paintEvent(QPaintEvent* e) {
  QTableView::paintEvent(e);
  const GridProxyModel* proxy = grid_->proxy_;
  if (proxy->groupColumn() < 0 || proxy->rowCount() == 0) return;
  QPainter p(viewport());
  int first = rowAt(e->rect().top());
  int last = rowAt(e->rect().bottom());
  if (first < 0) return;
  if (last < 0) last = proxy->rowCount() - 1;
  for (int r = first; r <= last; ++r)
    if (proxy->rowKind(r) == GridProxyModel::GroupRow) paintGroupRow(p, r);
}

void GridTableView::paintGroupRow(QPainter& p, int row) {
  const GridLook& lk = grid_->look_;
  const GridProxyModel* proxy = grid_->proxy_;
  const int g = proxy->groupAt(row);
  const QRect r(0, rowViewportPosition(row), viewport()->width(), rowHeight(row));
  const bool current = currentIndex().row() == row;
  p.save();
  p.fillRect(r, current ? lk.selectedRow : lk.groupRow);
  p.setPen(lk.groupRow.darker(118));
  p.drawLine(r.bottomLeft(), r.bottomRight());
  // The expand box.
  const QRect box = expandBoxRect(row);
  p.setRenderHint(QPainter::Antialiasing);
  p.setPen(QPen(lk.groupText, 1));
  p.setBrush(Qt::white);
  p.drawRoundedRect(QRectF(box).adjusted(0.5, 0.5, -0.5, -0.5), 2, 2);
  p.setRenderHint(QPainter::Antialiasing, false);
  const int cx = box.center().x(), cy = box.center().y();
  p.drawLine(cx - 3, cy, cx + 3, cy);
  if (!proxy->isGroupExpanded(g)) p.drawLine(cx, cy - 3, cx, cy + 3);
  // The caption and value, then the row count.
  QFont bold = lk.font;
  bold.setBold(true);
  p.setFont(bold);
  p.setPen(lk.groupText);
  const QRect textRect = r.adjusted(box.right() + 9, 0, -6, 0);
  const QString text = proxy->groupText(g);
  p.drawText(textRect, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine, text);
  const int used = QFontMetrics(bold).horizontalAdvance(text);
  p.setFont(lk.font);
  QColor dim = lk.groupText;
  dim.setAlpha(150);
  p.setPen(dim);
  p.drawText(textRect.adjusted(used + 8, 0, 0, 0), Qt::AlignLeft | Qt::AlignVCenter,
             QStringLiteral("(%1)").arg(proxy->groupRowCount(g)));
  p.restore();
}

// ---------------------------------------------------------------------------
// GridHeader

GridHeader::GridHeader(Grid* grid, QWidget* parent)
    : QHeaderView(Qt::Horizontal, parent), grid_(grid) {
  setObjectName(QStringLiteral("gridHeader"));
  setSectionsClickable(true);
  setSectionsMovable(true);
  setHighlightSections(false);
  setMouseTracking(true);
  setMinimumSectionSize(8);
  setDefaultSectionSize(100);
  setStretchLastSection(false);
  setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
}

QSize GridHeader::sizeHint() const {
  return {QHeaderView::sizeHint().width(), grid_->look_.headerHeight};
}

bool GridHeader::hasFilterButton(int logical) const {
  if (!grid_->filtersOn_ || logical < 0 || logical >= grid_->columnCount()) return false;
  const GridColumn& c = grid_->column(logical);
  return c.kind != GridColumnKind::Drawn && !c.fieldName.isEmpty() && sectionSize(logical) >= 36;
}

bool GridHeader::showsFilterButton(int logical, int room) const {
  // A narrow column shows its caption and the button only under the mouse
  // (or while it filters).
  if (!hasFilterButton(logical)) return false;
  if (hover_ == logical || grid_->proxy_->hasFilter(logical)) return true;
  int need = QFontMetrics(grid_->look_.effectiveHeaderFont())
                 .horizontalAdvance(grid_->column(logical).captionText());
  if (grid_->proxy_->sortColumn() == logical) need += 11;
  return need + 20 <= room;
}

QRect GridHeader::buttonIn(const QRect& s) const {
  return QRect(s.right() - 17, s.top() + (s.height() - 16) / 2, 16, 16);
}

QRect GridHeader::filterButtonRect(int logical) const {
  if (!hasFilterButton(logical) || isSectionHidden(logical)) return {};
  return buttonIn(QRect(sectionViewportPosition(logical), 0, sectionSize(logical), height()));
}

void GridHeader::paintSection(QPainter* p, const QRect& rect, int logical) const {
  const GridLook& lk = grid_->look_;
  const GridProxyModel* proxy = grid_->proxy_;
  p->save();
  p->fillRect(rect, lk.header);
  p->setPen(lk.header.lighter(135));
  p->drawLine(rect.topRight(), rect.bottomRight());
  p->setPen(lk.header.darker(125));
  p->drawLine(rect.bottomLeft(), rect.bottomRight());

  QRect text = rect.adjusted(6, 2, -4, -2);
  if (showsFilterButton(logical, text.width())) {
    const QRect b = buttonIn(rect);
    text.setRight(b.left() - 2);
    const bool active = proxy->hasFilter(logical);
    QColor c = active ? lk.filterActive : lk.headerText;
    if (!active) c.setAlpha(hover_ == logical ? 230 : 120);
    p->setRenderHint(QPainter::Antialiasing);
    if (hover_ == logical || active) {
      QColor back = lk.headerText;
      back.setAlpha(active ? 40 : 28);
      p->setPen(Qt::NoPen);
      p->setBrush(back);
      p->drawRoundedRect(QRectF(b), 3, 3);
    }
    // A funnel when filtered, a drop-down arrow otherwise.
    QPainterPath path;
    if (active) {
      path.moveTo(b.left() + 3, b.top() + 4);
      path.lineTo(b.right() - 2, b.top() + 4);
      path.lineTo(b.center().x() + 2, b.top() + 9);
      path.lineTo(b.center().x() + 2, b.bottom() - 2);
      path.lineTo(b.center().x() - 1, b.bottom() - 4);
      path.lineTo(b.center().x() - 1, b.top() + 9);
      path.closeSubpath();
    } else {
      path.moveTo(b.left() + 4, b.top() + 6);
      path.lineTo(b.right() - 3, b.top() + 6);
      path.lineTo(b.center().x() + 0.5, b.top() + 11);
      path.closeSubpath();
    }
    p->setPen(Qt::NoPen);
    p->setBrush(c);
    p->drawPath(path);
    p->setRenderHint(QPainter::Antialiasing, false);
  }
  if (proxy->sortColumn() == logical) {
    const QRect a(text.right() - 8, rect.center().y() - 3, 8, 6);
    text.setRight(a.left() - 3);
    QPainterPath arrow;
    if (proxy->sortOrder() == Qt::AscendingOrder) {
      arrow.moveTo(a.left(), a.bottom());
      arrow.lineTo(a.right(), a.bottom());
      arrow.lineTo(a.center().x() + 0.5, a.top());
    } else {
      arrow.moveTo(a.left(), a.top());
      arrow.lineTo(a.right(), a.top());
      arrow.lineTo(a.center().x() + 0.5, a.bottom());
    }
    arrow.closeSubpath();
    p->setRenderHint(QPainter::Antialiasing);
    p->setPen(Qt::NoPen);
    p->setBrush(lk.headerText);
    p->drawPath(arrow);
  }
  p->setFont(lk.effectiveHeaderFont());
  p->setPen(lk.headerText);
  p->setClipRect(rect);
  GridDelegate::drawText(p, text, Qt::AlignLeft | Qt::AlignVCenter,
                         grid_->column(logical).captionText(), true);
  p->restore();
}

void GridHeader::paintEvent(QPaintEvent* e) {
  {
    QPainter p(viewport());
    p.fillRect(e->rect(), grid_->look_.header);
  }
  QHeaderView::paintEvent(e);
}

void GridHeader::mousePressEvent(QMouseEvent* e) {
  const QPoint pos = e->position().toPoint();
  const int logical = logicalIndexAt(pos);
  if (e->button() == Qt::LeftButton && logical >= 0 && filterButtonRect(logical).contains(pos)) {
    e->accept();
    swallowRelease_ = true;  // the release must not count as a click (a sort)
    Q_EMIT filterRequested(logical);
    return;
  }
  QHeaderView::mousePressEvent(e);
}

void GridHeader::mouseReleaseEvent(QMouseEvent* e) {
  if (swallowRelease_) {
    swallowRelease_ = false;
    e->accept();
    return;
  }
  QHeaderView::mouseReleaseEvent(e);
}

void GridHeader::mouseMoveEvent(QMouseEvent* e) {
  const int logical = logicalIndexAt(e->position().toPoint());
  if (logical != hover_) {
    hover_ = logical;
    viewport()->update();
  }
  QHeaderView::mouseMoveEvent(e);
}

void GridHeader::leaveEvent(QEvent* e) {
  hover_ = -1;
  viewport()->update();
  QHeaderView::leaveEvent(e);
}

// ---------------------------------------------------------------------------
// GridIndicator

GridIndicator::GridIndicator(Grid* grid, QWidget* parent)
    : QHeaderView(Qt::Vertical, parent), grid_(grid) {
  setObjectName(QStringLiteral("gridIndicator"));
  setSectionResizeMode(QHeaderView::Fixed);
  setSectionsClickable(true);
  setHighlightSections(false);
}

void GridIndicator::paintSection(QPainter* p, const QRect& rect, int logical) const {
  const GridLook& lk = grid_->look_;
  p->save();
  p->fillRect(rect, lk.footer);
  p->setPen(lk.gridLine.darker(110));
  p->drawLine(rect.topRight(), rect.bottomRight());
  p->drawLine(rect.bottomLeft(), rect.bottomRight());
  if (grid_->view_->currentIndex().row() == logical) {
    const QPointF c = QRectF(rect).center();
    QPainterPath tri;
    tri.moveTo(c.x() - 2.5, c.y() - 4.5);
    tri.lineTo(c.x() + 3, c.y());
    tri.lineTo(c.x() - 2.5, c.y() + 4.5);
    tri.closeSubpath();
    p->setRenderHint(QPainter::Antialiasing);
    p->setPen(Qt::NoPen);
    // Dark on the light strip: the header's colour or its text's.
    p->setBrush(lk.header.lightness() < 140 ? lk.header : lk.headerText);
    p->drawPath(tri);
  }
  p->restore();
}

// ---------------------------------------------------------------------------
// GridFooter

GridFooter::GridFooter(Grid* grid) : QWidget(grid), grid_(grid) {
  setObjectName(QStringLiteral("gridFooter"));
}

QSize GridFooter::sizeHint() const {
  int lines = 1;
  for (int c = 0; c < grid_->columnCount(); ++c)
    if (!grid_->header_->isSectionHidden(c))
      lines = std::max<int>(lines, int(grid_->proxy_->footerText(c).count(QLatin1Char('\n'))) + 1);
  const QFontMetrics fm(grid_->look_.font);
  return {100, lines * fm.lineSpacing() + 14};
}

void GridFooter::paintEvent(QPaintEvent*) {
  const GridLook& lk = grid_->look_;
  QPainter p(this);
  p.fillRect(rect(), lk.footer);
  p.setPen(lk.footer.darker(125));
  p.drawLine(0, 0, width(), 0);
  const QWidget* vp = grid_->view_->viewport();
  const int left = vp->mapTo(grid_, QPoint(0, 0)).x() - x();
  p.setClipRect(QRect(left, 0, vp->width(), height()));
  QFont bold = lk.font;
  bold.setBold(true);
  p.setFont(bold);
  const QFontMetrics fm(bold);
  const QHeaderView* h = grid_->header_;
  // A value wider than its column takes the room of the empty cells to its
  // left, so that a sum is never cut.
  int freeFrom = left;
  for (int v = 0; v < h->count(); ++v) {
    const int c = h->logicalIndex(v);
    if (h->isSectionHidden(c)) continue;
    const int x0 = left + h->sectionViewportPosition(c);
    const QString text = grid_->proxy_->footerText(c);
    if (text.isEmpty()) continue;
    int need = 0;
    for (const QString& line : text.split(QLatin1Char('\n')))
      need = std::max(need, fm.horizontalAdvance(line));
    need += 12;
    const int right = x0 + h->sectionSize(c) - 2;
    int from = x0 + 2;
    if (right - from < need) from = std::max(freeFrom + 2, right - need);
    const QRect cell(from, 4, right - from, height() - 8);
    freeFrom = right + 2;
    p.setPen(lk.footer.darker(135));
    p.setBrush(lk.footer.lighter(106));
    p.drawRect(cell.adjusted(0, 0, -1, -1));
    Qt::Alignment a = grid_->column(c).alignment & Qt::AlignHorizontal_Mask;
    if (!a) a = Qt::AlignRight;
    p.setPen(lk.footerText);
    GridDelegate::drawText(&p, cell.adjusted(5, 0, -5, 0), a | Qt::AlignVCenter, text, true);
  }
}

}  // namespace vlm
