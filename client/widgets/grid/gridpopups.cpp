// The header's filter drop-down and the column chooser.
#include <QAbstractListModel>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QSortFilterProxyModel>
#include <QVBoxLayout>

#include "datasetmodel.h"
#include "grid_p.h"

namespace vlm {

namespace {

constexpr int kAlwaysShownRole = Qt::UserRole + 7;

// One line of a check list.
struct CheckEntry {
  QString text;
  QVariant value;
  QPixmap picture;
  bool checked = false;
  bool special = false;  // "(Tümü)" and "(Boşlar)": kept when searching
  bool blank = false;
};

class CheckListModel : public QAbstractListModel {
 public:
  using QAbstractListModel::QAbstractListModel;
  std::vector<CheckEntry> entries;

  int rowCount(const QModelIndex& parent) const override {
    return parent.isValid() ? 0 : int(entries.size());
  }
  QVariant data(const QModelIndex& index, int role) const override {
    if (!index.isValid()) return {};
    const CheckEntry& e = entries[size_t(index.row())];
    switch (role) {
      case Qt::DisplayRole: return e.text;
      case Qt::CheckStateRole: return e.checked ? Qt::Checked : Qt::Unchecked;
      case Qt::DecorationRole: return e.picture.isNull() ? QVariant() : QVariant(e.picture);
      case kAlwaysShownRole: return e.special;
      default: return {};
    }
  }
  Qt::ItemFlags flags(const QModelIndex& index) const override {
    return index.isValid() ? Qt::ItemIsEnabled | Qt::ItemIsSelectable : Qt::NoItemFlags;
  }
  void changedAll() {
    if (!entries.empty()) Q_EMIT dataChanged(index(0), index(int(entries.size()) - 1));
  }
};

// Keeps the special lines when the search line narrows the list.
class KeepSpecial : public QSortFilterProxyModel {
 public:
  using QSortFilterProxyModel::QSortFilterProxyModel;

 protected:
  bool filterAcceptsRow(int row, const QModelIndex& parent) const override {
    if (sourceModel()->index(row, 0, parent).data(kAlwaysShownRole).toBool()) return true;
    return QSortFilterProxyModel::filterAcceptsRow(row, parent);
  }
};

}  // namespace

GridCheckListPopup::GridCheckListPopup(const QString& title, QWidget* parent)
    : QFrame(parent, Qt::Popup) {
  setAttribute(Qt::WA_DeleteOnClose);
  setFrameShape(QFrame::StyledPanel);
  auto* lay = new QVBoxLayout(this);
  lay->setContentsMargins(6, 6, 6, 6);
  lay->setSpacing(4);
  auto* caption = new QLabel(title);
  QFont bold = caption->font();
  bold.setBold(true);
  caption->setFont(bold);
  lay->addWidget(caption);
  search_ = new QLineEdit;
  search_->setPlaceholderText(QStringLiteral("Ara..."));
  search_->setClearButtonEnabled(true);
  lay->addWidget(search_);
  list_ = new QListView;
  list_->setUniformItemSizes(true);
  list_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  lay->addWidget(list_);
  filter_ = new KeepSpecial(this);
  filter_->setFilterCaseSensitivity(Qt::CaseInsensitive);
  list_->setModel(filter_);
  connect(search_, &QLineEdit::textChanged, filter_, &QSortFilterProxyModel::setFilterFixedString);
}

// ---------------------------------------------------------------------------
// The filter drop-down

class GridFilterPopup::Model : public CheckListModel {
 public:
  using CheckListModel::CheckListModel;
};

GridFilterPopup::GridFilterPopup(Grid* grid, int column)
    : GridCheckListPopup(grid->column(column).captionText(), grid), grid_(grid), column_(column) {
  setObjectName(QStringLiteral("gridFilterPopup"));
  model_ = new Model(this);
  const GridProxyModel* proxy = grid->proxy();
  const QVariantList chosen = proxy->columnFilter(column);
  const bool filtered = proxy->hasFilter(column);
  model_->entries.push_back({QStringLiteral("(Tümü)"), {}, {}, !filtered, true, false});
  for (const GridProxyModel::FilterValue& v : proxy->filterValues(column)) {
    CheckEntry e;
    e.value = v.value;
    e.blank = v.blank;
    e.special = v.blank;
    if (v.blank) {
      e.text = QStringLiteral("(Boşlar)");
      e.checked = proxy->columnFilterBlanks(column);
    } else {
      e.text = v.text;
      e.checked = chosen.contains(v.value);
      if (grid->column(column).kind == GridColumnKind::Picture) {
        e.picture = grid->model()->picture(column, v.value);
        if (e.picture.height() > 18)
          e.picture = e.picture.scaledToHeight(18, Qt::SmoothTransformation);
      }
    }
    model_->entries.push_back(std::move(e));
  }
  filter_->setSourceModel(model_);
  toggleOnClick();
  const int rows = int(std::min<size_t>(model_->entries.size(), 14));
  setMinimumWidth(220);
  list_->setMinimumHeight(rows * list_->fontMetrics().height() * 13 / 10 + 8);
}

void GridFilterPopup::toggleRow(int row) {
  if (row < 0 || row >= int(model_->entries.size())) return;
  auto& entries = model_->entries;
  if (row == 0) {
    for (CheckEntry& e : entries) e.checked = false;
    entries[0].checked = true;
  } else {
    entries[size_t(row)].checked = !entries[size_t(row)].checked;
    bool any = false;
    for (size_t i = 1; i < entries.size(); ++i) any = any || entries[i].checked;
    entries[0].checked = !any;
  }
  model_->changedAll();
  apply();
}

void GridFilterPopup::apply() {
  const auto& entries = model_->entries;
  if (entries[0].checked) {
    grid_->proxy()->clearColumnFilter(column_);
    return;
  }
  QVariantList values;
  bool blanks = false;
  for (size_t i = 1; i < entries.size(); ++i) {
    if (!entries[i].checked) continue;
    if (entries[i].blank)
      blanks = true;
    else
      values << entries[i].value;
  }
  grid_->proxy()->setColumnFilter(column_, values, blanks);
}

// ---------------------------------------------------------------------------
// Both check lists

void GridCheckListPopup::toggleOnClick() {
  const auto onRow = [this](const QModelIndex& i) { toggleRow(filter_->mapToSource(i).row()); };
  connect(list_, &QListView::clicked, this, onRow);
  connect(list_, &QListView::activated, this, onRow);
}

bool GridCheckListPopup::toggle(const QString& text) {
  const QAbstractItemModel* m = filter_->sourceModel();
  for (int r = 0; m && r < m->rowCount(); ++r) {
    if (m->index(r, 0).data(Qt::DisplayRole).toString() == text) {
      toggleRow(r);
      return true;
    }
  }
  return false;
}

QStringList GridCheckListPopup::entries() const {
  QStringList out;
  const QAbstractItemModel* m = filter_->sourceModel();
  for (int r = 0; m && r < m->rowCount(); ++r)
    out << m->index(r, 0).data(Qt::DisplayRole).toString();
  return out;
}

// ---------------------------------------------------------------------------
// The column chooser

class GridColumnChooser::Model : public CheckListModel {
 public:
  using CheckListModel::CheckListModel;
};

GridColumnChooser::GridColumnChooser(Grid* grid)
    : GridCheckListPopup(QStringLiteral("Sütun Seçimi"), grid), grid_(grid) {
  setObjectName(QStringLiteral("gridColumnChooserPopup"));
  model_ = new Model(this);
  for (int c = 0; c < grid->columnCount(); ++c) {
    const GridColumn& col = grid->column(c);
    if (!col.inChooser) continue;
    CheckEntry e;
    e.text = col.captionText();
    e.value = col.fieldName;
    e.checked = grid->isColumnVisible(col.fieldName);
    model_->entries.push_back(std::move(e));
  }
  filter_->setSourceModel(model_);
  toggleOnClick();
  setMinimumWidth(220);
  const int rows = int(std::min<size_t>(model_->entries.size(), 16));
  list_->setMinimumHeight(std::max(1, rows) * list_->fontMetrics().height() * 13 / 10 + 8);
}

void GridColumnChooser::toggleRow(int row) {
  if (row < 0 || row >= int(model_->entries.size())) return;
  CheckEntry& e = model_->entries[size_t(row)];
  e.checked = !e.checked;
  model_->changedAll();
  grid_->setColumnVisible(e.value.toString(), e.checked);
  Q_EMIT grid_->columnsChanged();
}

}  // namespace vlm
