#include "grid.h"

#include <QApplication>
#include <QFontMetrics>
#include <QLineEdit>
#include <QMenu>
#include <QPainter>
#include <QPointer>
#include <QScrollBar>
#include <QToolButton>
#include <QVBoxLayout>
#include <algorithm>

#include "dataset.h"
#include "datasetmodel.h"
#include "error.h"
#include "grid_p.h"
#include "gridrules.h"
#include "mesaj.h"
#include "seams.h"

namespace vlm {

namespace {

// The column chooser's button in the header's corner: three columns under a
// header bar, in the header's colours.
class ChooserButton : public QToolButton {
 public:
  explicit ChooserButton(const GridLook* look) : look_(look) {}

 protected:
  void paintEvent(QPaintEvent*) override {
    QPainter p(this);
    p.fillRect(rect(), underMouse() ? look_->header.lighter(135) : look_->header);
    p.setPen(look_->header.darker(125));
    p.drawLine(rect().bottomLeft(), rect().bottomRight());
    const qreal s = std::min<qreal>({12.0, width() - 3.0, height() - 6.0});
    if (s < 5) return;
    const QRectF box(QRectF(rect()).center() - QPointF(s / 2, s / 2), QSizeF(s, s));
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::NoPen);
    p.setBrush(look_->headerText);
    p.drawRect(QRectF(box.left(), box.top(), s, s * 0.22));
    const qreal w = (s - 2) / 3;
    for (int i = 0; i < 3; ++i)
      p.drawRect(QRectF(box.left() + i * (w + 1), box.top() + s * 0.34, w, s * 0.66));
  }

 private:
  const GridLook* look_;
};

}  // namespace

Grid::Grid(QWidget* parent) : QWidget(parent) {
  model_ = new DataSetModel(this);
  proxy_ = new GridProxyModel(this);
  proxy_->setSourceModel(model_);

  view_ = new GridTableView(this, this);
  header_ = new GridHeader(this, view_);
  indicator_ = new GridIndicator(this, view_);
  view_->setHorizontalHeader(header_);
  view_->setVerticalHeader(indicator_);
  delegate_ = new GridDelegate(this);
  view_->setItemDelegate(delegate_);
  view_->setModel(proxy_);
  indicator_->hide();

  chooser_ = new ChooserButton(&look_);
  chooser_->setObjectName(QStringLiteral("gridColumnChooser"));
  chooser_->setToolTip(QStringLiteral("Sütun Seçimi"));
  chooser_->setAttribute(Qt::WA_Hover);
  chooser_->setFocusPolicy(Qt::NoFocus);
  view_->addScrollBarWidget(chooser_, Qt::AlignTop);
  connect(chooser_, &QToolButton::clicked, this, &Grid::showColumnChooser);

  footer_ = new GridFooter(this);
  footer_->hide();

  auto* lay = new QVBoxLayout(this);
  lay->setContentsMargins(0, 0, 0, 0);
  lay->setSpacing(0);
  lay->addWidget(view_);
  lay->addWidget(footer_);

  connect(proxy_, &QAbstractItemModel::modelReset, this, &Grid::onProxyReset);
  connect(proxy_, &GridProxyModel::summariesChanged, this, [this] {
    footer_->updateGeometry();
    footer_->update();
    view_->viewport()->update();
  });
  connect(proxy_, &GridProxyModel::viewStateChanged, header_->viewport(),
          qOverload<>(&QWidget::update));
  connect(proxy_, &QAbstractItemModel::layoutChanged, footer_, qOverload<>(&QWidget::update));
  connect(model_, &DataSetModel::currentRowMoved, this, &Grid::onDataSetCurrentMoved);
  connect(header_, &GridHeader::filterRequested, this,
          [this](int logical) { showFilterPopup(model_->column(logical).fieldName); });
  connect(header_, &QHeaderView::sectionClicked, this, &Grid::onHeaderClicked);
  connect(header_, &QHeaderView::sectionResized, footer_, qOverload<>(&QWidget::update));
  connect(header_, &QHeaderView::sectionMoved, footer_, qOverload<>(&QWidget::update));
  connect(view_->horizontalScrollBar(), &QScrollBar::valueChanged, footer_,
          qOverload<>(&QWidget::update));

  applyLook();
  setColumnChooser(true);
}

Grid::~Grid() {
  // Everything that could call back into the grid goes while the grid is
  // still whole: the popups, the view, then the models.
  for (GridCheckListPopup* popup : findChildren<GridCheckListPopup*>()) {
    disconnect(popup, nullptr, this, nullptr);
    delete popup;
  }
  popup_ = nullptr;
  disconnect(proxy_, nullptr, this, nullptr);
  disconnect(model_, nullptr, this, nullptr);
  delete view_;
  delete proxy_;
  delete model_;
}

// ---------------------------------------------------------------------------
// Data and columns

void Grid::setDataSet(DataSet* ds) {
  closePopup();
  model_->setDataSet(ds);
}

DataSet* Grid::dataSet() const {
  return model_->dataSet();
}

void Grid::setColumns(const QList<GridColumn>& columns) {
  closePopup();
  proxy_->setGroupColumn(-1);
  proxy_->clearFilters();
  proxy_->sort(-1);
  model_->setColumns(columns);
  for (int c = 0; c < columns.size(); ++c) {
    header_->setSectionHidden(c, !columns[c].visible);
    header_->resizeSection(c,
                           columns[c].width > 0 ? columns[c].width : header_->defaultSectionSize());
  }
  if (autoWeights_) applyWeights();
  footer_->update();
}

int Grid::columnCount() const {
  return int(model_->columns().size());
}

const GridColumn& Grid::column(int c) const {
  return model_->column(c);
}

int Grid::columnIndex(QStringView fieldName) const {
  return model_->columnOf(fieldName);
}

void Grid::setColumnVisible(QStringView field, bool visible) {
  const int c = columnIndex(field);
  if (c < 0) return;
  model_->columnRef(c).visible = visible;
  header_->setSectionHidden(c, !visible);
  if (visible && header_->sectionSize(c) <= 0)
    header_->resizeSection(c, header_->defaultSectionSize());
  if (autoWeights_) applyWeights();
  footer_->updateGeometry();
  footer_->update();
}

bool Grid::isColumnVisible(QStringView field) const {
  const int c = columnIndex(field);
  return c >= 0 && !header_->isSectionHidden(c);
}

void Grid::setColumnInChooser(QStringView field, bool offered) {
  const int c = columnIndex(field);
  if (c >= 0) model_->columnRef(c).inChooser = offered;
}

void Grid::setColumnCaption(QStringView field, const QString& caption) {
  const int c = columnIndex(field);
  if (c < 0) return;
  model_->columnRef(c).caption = caption;
  header_->viewport()->update();
}

void Grid::setColumnWeight(QStringView field, int weight) {
  const int c = columnIndex(field);
  if (c >= 0) model_->columnRef(c).weight = weight;
}

void Grid::setColumnWidth(QStringView field, int width) {
  const int c = columnIndex(field);
  if (c >= 0) header_->resizeSection(c, std::max(0, width));
}

int Grid::columnWidth(QStringView field) const {
  const int c = columnIndex(field);
  return c >= 0 ? header_->sectionSize(c) : 0;
}

QStringList Grid::visibleFields() const {
  QStringList out;
  for (int v = 0; v < header_->count(); ++v) {
    const int c = header_->logicalIndex(v);
    if (!header_->isSectionHidden(c)) out << model_->column(c).fieldName;
  }
  return out;
}

QStringList Grid::chooserCaptions() const {
  QStringList out;
  for (const GridColumn& c : model_->columns())
    if (c.inChooser) out << c.captionText();
  return out;
}

// ---------------------------------------------------------------------------
// Widths

void Grid::applyWeights(int gridWidth) {
  if (gridWidth < 0) gridWidth = width();
  std::vector<int> cols, weights;
  for (int v = 0; v < header_->count(); ++v) {
    const int c = header_->logicalIndex(v);
    if (header_->isSectionHidden(c)) continue;
    cols.push_back(c);
    weights.push_back(model_->column(c).weight);
  }
  const std::vector<int> widths = weightedWidths(gridWidth, weights);
  if (widths.empty()) return;
  beginUpdate();
  for (size_t i = 0; i < cols.size(); ++i) header_->resizeSection(cols[i], widths[i]);
  endUpdate();
}

void Grid::setAutoWeights(bool on) {
  autoWeights_ = on;
  if (on) applyWeights();
}

int Grid::bestFitWidth(int c) const {
  const GridColumn& col = model_->column(c);
  const QFontMetrics fm(look_.font), hfm(look_.effectiveHeaderFont());
  int w = hfm.horizontalAdvance(col.captionText()) + 14;
  if (filtersOn_ && col.kind != GridColumnKind::Drawn) w += 18;
  if (proxy_->sortColumn() == c) w += 12;
  if (!model_->isLive()) return w;
  const DataSet& ds = *model_->dataSet();
  const std::vector<int>& rows = proxy_->orderedRows();
  if (col.kind == GridColumnKind::CheckBox) return std::max(w, 28);
  if (col.kind == GridColumnKind::Picture) {
    int pw = 0;
    for (size_t i = 0; i < rows.size() && i < 64; ++i)
      pw = std::max(pw, model_->picture(c, model_->rawValue(rows[i], c)).width());
    return std::max(w, pw + 10);
  }
  // Candidates: the longest texts by their bytes, the extreme numbers, and
  // the first rows, so that 100,000 rows need no 100,000 measurements.
  std::vector<int> candidates(rows.begin(), rows.begin() + std::min<size_t>(rows.size(), 100));
  const int f = model_->fieldIndex(c);
  if (f >= 0 && col.kind != GridColumnKind::Drawn) {
    const Field* field = ds.field(f);
    if (field->isText()) {
      std::vector<std::pair<qsizetype, int>> lens;
      lens.reserve(rows.size());
      for (int r : rows) lens.emplace_back(ds.rawBytes(r, f).size(), r);
      const size_t k = std::min<size_t>(lens.size(), 24);
      std::partial_sort(lens.begin(), lens.begin() + qsizetype(k), lens.end(),
                        [](const auto& a, const auto& b) { return a.first > b.first; });
      for (size_t i = 0; i < k; ++i) candidates.push_back(lens[i].second);
    } else if (!rows.empty()) {
      int lo = rows.front(), hi = rows.front();
      for (int r : rows) {
        if (ds.floatValue(r, f) < ds.floatValue(lo, f)) lo = r;
        if (ds.floatValue(r, f) > ds.floatValue(hi, f)) hi = r;
      }
      candidates.push_back(lo);
      candidates.push_back(hi);
    }
  }
  int cw = 0;
  for (int r : candidates) {
    const QString text = GridDelegate::displayable(model_->displayText(r, c));
    for (const QString& line : text.split(QLatin1Char('\n')))
      cw = std::max(cw, fm.horizontalAdvance(line));
  }
  return std::max(w, cw + 12);
}

void Grid::bestFit() {
  beginUpdate();
  for (int c = 0; c < columnCount(); ++c)
    if (!header_->isSectionHidden(c)) header_->resizeSection(c, bestFitWidth(c));
  endUpdate();
}

void Grid::bestFit(QStringView field) {
  const int c = columnIndex(field);
  if (c >= 0) header_->resizeSection(c, bestFitWidth(c));
}

// ---------------------------------------------------------------------------
// Look and options

void Grid::applyLook() {
  view_->setFont(look_.font);
  header_->setFont(look_.effectiveHeaderFont());
  indicator_->setMinimumSectionSize(1);
  indicator_->setDefaultSectionSize(look_.rowHeight);
  header_->setMinimumHeight(look_.headerHeight);
  header_->setMaximumHeight(look_.headerHeight);
  chooser_->setFixedHeight(look_.headerHeight);
  chooser_->update();
  QPalette pal = view_->palette();
  pal.setColor(QPalette::Base, Qt::white);
  view_->setPalette(pal);
  footer_->setFont(look_.font);
  footer_->updateGeometry();
  view_->doItemsLayout();
  view_->viewport()->update();
  header_->viewport()->update();
  footer_->update();
}

void Grid::setLook(const GridLook& look) {
  look_ = look;
  applyLook();
}

void Grid::setRowHeight(int pixels) {
  look_.rowHeight = std::max(1, pixels);
  applyLook();
}

void Grid::setHeaderHeight(int pixels) {
  look_.headerHeight = std::max(1, pixels);
  applyLook();
}

void Grid::setRowIndicator(bool on) {
  indicatorOn_ = on;
  indicator_->setVisible(on);
}

void Grid::setColumnChooser(bool on) {
  chooserOn_ = on;
  chooser_->setVisible(on);
  view_->setVerticalScrollBarPolicy(on ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAsNeeded);
}

void Grid::setHeaderFilters(bool on) {
  filtersOn_ = on;
  header_->viewport()->update();
}

void Grid::setSorting(bool on) {
  sortingOn_ = on;
}

void Grid::setIncrementalSearch(bool on) {
  searchOn_ = on;
  clearSearch();
}

void Grid::setFooterVisible(bool on) {
  footer_->setVisible(on);
}

bool Grid::footerVisible() const {
  return !footer_->isHidden();
}

// ---------------------------------------------------------------------------
// Summaries and grouping

void Grid::setFooterSummaries(const QList<GridSummary>& summaries) {
  proxy_->setFooterSummaries(summaries);
  if (!summaries.isEmpty()) footer_->show();
  footer_->updateGeometry();
}

QString Grid::footerText(QStringView field) const {
  return proxy_->footerText(columnIndex(field));
}

void Grid::setGroupColumn(QStringView field) {
  proxy_->setGroupColumn(field.isEmpty() ? -1 : columnIndex(field));
}

QString Grid::groupField() const {
  const int c = proxy_->groupColumn();
  return c >= 0 ? model_->column(c).fieldName : QString();
}

void Grid::setGroupSummaries(const QList<GridSummary>& summaries,
                             GridProxyModel::GroupFooterMode mode) {
  proxy_->setGroupFooterMode(mode);
  proxy_->setGroupSummaries(summaries);
}

int Grid::groupCount() const {
  return proxy_->groupCount();
}

bool Grid::isGroupExpanded(int group) const {
  return proxy_->isGroupExpanded(group);
}

void Grid::setGroupExpanded(int group, bool expanded) {
  proxy_->setGroupExpanded(group, expanded);
}

void Grid::expandAll() {
  proxy_->expandAll();
}

void Grid::collapseAll() {
  proxy_->collapseAll();
}

// ---------------------------------------------------------------------------
// Sort and filter

void Grid::sortBy(QStringView field, Qt::SortOrder order) {
  const int c = columnIndex(field);
  if (c < 0) return;
  proxy_->sort(c, order);
  if (view_->currentIndex().isValid()) view_->scrollTo(view_->currentIndex());
}

void Grid::clearSort() {
  proxy_->sort(-1);
}

void Grid::onHeaderClicked(int logical) {
  if (!sortingOn_ || logical < 0 || !model_->column(logical).sortable) return;
  if (QApplication::keyboardModifiers() & Qt::ControlModifier) {
    proxy_->sort(-1);
  } else {
    const bool same = proxy_->sortColumn() == logical;
    proxy_->sort(logical, same && proxy_->sortOrder() == Qt::AscendingOrder ? Qt::DescendingOrder
                                                                            : Qt::AscendingOrder);
  }
  if (view_->currentIndex().isValid()) view_->scrollTo(view_->currentIndex());
}

void Grid::setFilter(QStringView field, const QVariantList& values, bool blanks) {
  const int c = columnIndex(field);
  if (c >= 0) proxy_->setColumnFilter(c, values, blanks);
}

void Grid::clearFilter(QStringView field) {
  const int c = columnIndex(field);
  if (c >= 0) proxy_->clearColumnFilter(c);
}

void Grid::clearFilter() {
  proxy_->clearFilters();
}

bool Grid::isFiltered() const {
  return proxy_->hasFilters();
}

QList<GridProxyModel::FilterValue> Grid::filterValues(QStringView field) const {
  return proxy_->filterValues(columnIndex(field));
}

void Grid::closePopup() {
  if (popup_) {
    popup_->close();
    popup_ = nullptr;
  }
}

void Grid::showFilterPopup(QStringView field) {
  const int c = columnIndex(field);
  if (c < 0 || !filtersOn_) return;
  closePopup();
  auto* popup = new GridFilterPopup(this, c);
  const int x = std::max(0, header_->sectionViewportPosition(c));
  QPoint at = header_->mapToGlobal(QPoint(x, header_->height()));
  popup->resize(std::max(popup->sizeHint().width(), std::min(header_->sectionSize(c), 360)),
                popup->sizeHint().height());
  popup->move(at);
  popup_ = popup;
  connect(popup, &QObject::destroyed, this, [this, popup] {
    if (popup_ == popup) popup_ = nullptr;
  });
  popup->show();
  popup->searchLine()->setFocus();
}

void Grid::showColumnChooser() {
  if (!chooserOn_) return;
  closePopup();
  auto* popup = new GridColumnChooser(this);
  popup->resize(popup->sizeHint());
  const QPoint corner = chooser_->mapToGlobal(QPoint(chooser_->width(), chooser_->height()));
  popup->move(corner.x() - popup->width(), corner.y());
  popup_ = popup;
  connect(popup, &QObject::destroyed, this, [this, popup] {
    if (popup_ == popup) popup_ = nullptr;
  });
  popup->show();
}

QWidget* Grid::openPopup() const {
  return popup_;
}

// ---------------------------------------------------------------------------
// Rows and focus

int Grid::rowCount() const {
  return proxy_->shownRowCount();
}

QList<int> Grid::shownRows() const {
  const std::vector<int>& rows = proxy_->orderedRows();
  return QList<int>(rows.begin(), rows.end());
}

int Grid::shownRow(int position) const {
  const std::vector<int>& rows = proxy_->orderedRows();
  return position >= 0 && position < int(rows.size()) ? rows[size_t(position)] : -1;
}

int Grid::focusedRow() const {
  const QModelIndex cur = view_->currentIndex();
  return cur.isValid() ? proxy_->sourceRowAt(cur.row()) : -1;
}

QString Grid::focusedField() const {
  const QModelIndex cur = view_->currentIndex();
  return cur.isValid() ? model_->column(cur.column()).fieldName : QString();
}

int Grid::currentColumnOrFirst() const {
  const QModelIndex cur = view_->currentIndex();
  if (cur.isValid() && !header_->isSectionHidden(cur.column())) return cur.column();
  for (int v = 0; v < header_->count(); ++v) {
    const int c = header_->logicalIndex(v);
    if (!header_->isSectionHidden(c)) return c;
  }
  return 0;
}

void Grid::focusProxyRow(int proxyRow, int column) {
  if (proxyRow < 0 || proxyRow >= proxy_->rowCount()) return;
  const QModelIndex idx = proxy_->index(proxyRow, column >= 0 ? column : currentColumnOrFirst());
  view_->setCurrentIndex(idx);
  view_->scrollTo(idx);
}

void Grid::focusDataSetRow(int row, bool expand) {
  int pr = proxy_->proxyRowOf(row);
  if (pr < 0 && expand) {
    const int g = proxy_->groupOfSourceRow(row);
    if (g >= 0 && !proxy_->isGroupExpanded(g)) {
      proxy_->setGroupExpanded(g, true);
      pr = proxy_->proxyRowOf(row);
    }
  }
  if (pr < 0) return;
  syncing_ = true;
  focusProxyRow(pr);
  syncing_ = false;
}

void Grid::setFocusedRow(int datasetRow) {
  if (!model_->isLive()) return;
  focusDataSetRow(datasetRow, true);
  if (focusedRow() == datasetRow && dataSet()->recNo() != datasetRow) {
    syncing_ = true;
    dataSet()->setRecNo(datasetRow);
    syncing_ = false;
  }
}

void Grid::setFocusedField(QStringView field) {
  const int c = columnIndex(field);
  const QModelIndex cur = view_->currentIndex();
  if (c < 0 || !cur.isValid()) return;
  searching_ = true;
  view_->setCurrentIndex(proxy_->index(cur.row(), c));
  searching_ = false;
  clearSearch();
}

bool Grid::locate(QStringView field, const QVariant& value, int options) {
  if (!model_->isLive()) return false;
  bool found = false;
  try {
    found = dataSet()->locate(field, value, options);
  } catch (const Error&) {
    return false;  // no such column
  }
  if (found) focusDataSetRow(dataSet()->recNo(), true);
  return found;
}

void Grid::onCurrentChanged(const QModelIndex& current) {
  const int r = current.isValid() ? proxy_->sourceRowAt(current.row()) : -1;
  if (!searching_) search_.clear();
  if (r >= 0 && !syncing_ && model_->isLive() && dataSet()->recNo() != r) {
    syncing_ = true;
    dataSet()->setRecNo(r);
    syncing_ = false;
  }
  indicator_->viewport()->update();
  if (r != focused_) {
    focused_ = r;
    Q_EMIT focusedRowChanged(r);
  }
}

void Grid::onProxyReset() {
  search_.clear();
  if (!model_->isLive() || proxy_->rowCount() == 0) {
    if (focused_ != -1) {
      focused_ = -1;
      Q_EMIT focusedRowChanged(-1);
    }
    return;
  }
  const int pr = proxy_->proxyRowOf(dataSet()->recNo());
  focusProxyRow(pr >= 0 ? pr : 0);
}

void Grid::onDataSetCurrentMoved(int row) {
  if (syncing_) return;
  focusDataSetRow(row, true);
}

// ---------------------------------------------------------------------------
// Incremental search

void Grid::incrementalKey(const QString& text) {
  if (!searchOn_ || !model_->isLive() || text.isEmpty() || text.at(0) < QLatin1Char(' ')) return;
  const QModelIndex cur = view_->currentIndex();
  const int column = currentColumnOrFirst();
  const QString candidate = search_ + text;
  const int hit = proxy_->findIncremental(column, candidate, cur.isValid() ? cur.row() : 0);
  if (hit < 0) {
    QApplication::beep();
    return;
  }
  searching_ = true;
  search_ = candidate;
  focusProxyRow(hit, column);
  searching_ = false;
  view_->viewport()->update();
}

void Grid::searchStep(bool forward) {
  const QModelIndex cur = view_->currentIndex();
  if (search_.isEmpty() || !cur.isValid()) return;
  const int hit = proxy_->findIncremental(cur.column(), search_, cur.row(), forward, false);
  if (hit < 0) return;
  searching_ = true;
  focusProxyRow(hit, cur.column());
  searching_ = false;
  view_->viewport()->update();
}

void Grid::searchBackspace() {
  search_.chop(1);
  view_->viewport()->update();
}

void Grid::clearSearch() {
  search_.clear();
  view_->viewport()->update();
}

// ---------------------------------------------------------------------------
// Loading

void Grid::detach() {
  closePopup();
  model_->detach();
}

void Grid::attach() {
  model_->attach();
}

bool Grid::isDetached() const {
  return model_->isDetached();
}

void Grid::beginUpdate() {
  if (updateDepth_++ == 0) setUpdatesEnabled(false);
}

void Grid::endUpdate() {
  if (updateDepth_ == 0) return;
  if (--updateDepth_ == 0) {
    setUpdatesEnabled(true);
    footer_->updateGeometry();
    update();
  }
}

// ---------------------------------------------------------------------------
// Parts

QTableView* Grid::view() const {
  return view_;
}

QHeaderView* Grid::header() const {
  return header_;
}

QWidget* Grid::footer() const {
  return footer_;
}

void Grid::setPopupMenu(QMenu* menu) {
  popupMenu_ = menu;
  if (view_->contextMenuPolicy() == Qt::CustomContextMenu) return;
  view_->setContextMenuPolicy(Qt::CustomContextMenu);
  connect(view_, &QWidget::customContextMenuRequested, this, [this](const QPoint& pos) {
    const QModelIndex idx = view_->indexAt(pos);
    if (idx.isValid()) focusProxyRow(idx.row(), idx.column());
    if (popupMenu_) popupMenu_->popup(view_->viewport()->mapToGlobal(pos));
  });
}

void Grid::resizeEvent(QResizeEvent* e) {
  QWidget::resizeEvent(e);
  if (autoWeights_) applyWeights();
  Q_EMIT resized();
}

QString Grid::excelKaydet() {
  SaveDialogRequest istek;
  istek.baslik = QStringLiteral("Excel Kaydet");
  istek.filtre = QStringLiteral("Excel|*.xls*");
  istek.varsayilanUzanti = QStringLiteral("xls");
  const QString secilen = KaydetDiyalogu(istek);
  if (secilen.isEmpty()) return {};
  const QString dosya = withXlsExtension(secilen);
  QString hata;
  if (!exportXls(dosya, &hata)) {
    MesajGoster(hata, mtHata, mbOK, mbOK);
    return {};
  }
  return dosya;
}

}  // namespace vlm
