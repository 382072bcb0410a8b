#include "gridproxymodel.h"

#include <QDate>
#include <QDateTime>
#include <QHash>
#include <QMetaObject>
#include <algorithm>
#include <climits>
#include <cmath>
#include <numeric>
#include <string>
#include <string_view>
#include <unordered_map>

#include "dataset.h"
#include "datasetmodel.h"
#include "daycount.h"
#include "gridrules.h"
#include "numberformat.h"
#include "sayibicim.h"

namespace vlm {

namespace {

bool isTextType(FieldType t) {
  return t == FieldType::String || t == FieldType::Memo || t == FieldType::Bytes;
}

bool isWholeNumberType(FieldType t) {
  return t == FieldType::Integer || t == FieldType::LargeInt || t == FieldType::Boolean;
}

// A raw value as the number a numeric column keeps.
double numberOf(const QVariant& v) {
  switch (v.typeId()) {
    case QMetaType::QDate: return toDayCount(v.toDate());
    case QMetaType::QDateTime: return toDayCount(v.toDateTime());
    case QMetaType::Bool: return v.toBool() ? 1 : 0;
    default: return v.toDouble();
  }
}

}  // namespace

// One column's values for the comparisons of a sort, read once per sort.
// Texts are ranked once: the distinct texts are put in Turkish order, and
// each row gets its text's place, so that the rows compare as numbers.
struct GridProxyModel::SortKey {
  bool descending = false;
  std::vector<double> num;
  std::vector<quint8> null;

  SortKey(const DataSet& ds, int field, const std::vector<int>& rows, int rowCount, bool desc)
      : descending(desc) {
    null.assign(size_t(rowCount), 0);
    num.resize(size_t(rowCount));
    if (isTextType(ds.field(field)->dataType())) {
      rankTexts(ds, field, rows);
      return;
    }
    for (int r : rows) {
      const double d = ds.isNull(r, field) ? NAN : ds.floatValue(r, field);
      if (std::isnan(d))
        null[size_t(r)] = 1;
      else
        num[size_t(r)] = d;
    }
  }
  void rankTexts(const DataSet& ds, int field, const std::vector<int>& rows) {
    std::unordered_map<std::string_view, int> ids;
    ids.reserve(std::min<size_t>(rows.size(), 1 << 16));
    std::vector<std::string_view> distinct;
    std::vector<int> idOf(null.size(), -1);
    for (int r : rows) {
      if (ds.isNull(r, field)) {
        null[size_t(r)] = 1;
        continue;
      }
      const QByteArrayView b = ds.rawBytes(r, field);
      const auto [it, added] =
          ids.try_emplace(std::string_view(b.data(), size_t(b.size())), int(distinct.size()));
      if (added) distinct.push_back(it->first);
      idOf[size_t(r)] = it->second;
    }
    // One sort key per distinct text, all in one buffer.
    std::string keyBytes;
    std::vector<std::pair<size_t, size_t>> keySpan;
    keySpan.reserve(distinct.size());
    for (const std::string_view d : distinct) {
      const size_t at = keyBytes.size();
      appendTurkishSortKey(keyBytes, QByteArrayView(d.data(), qsizetype(d.size())));
      keySpan.emplace_back(at, keyBytes.size() - at);
    }
    const std::string_view all(keyBytes);
    auto key = [&](int i) {
      return all.substr(keySpan[size_t(i)].first, keySpan[size_t(i)].second);
    };
    std::vector<int> order(distinct.size());
    std::iota(order.begin(), order.end(), 0);
    std::sort(order.begin(), order.end(), [&](int a, int b) {
      const int c = key(a).compare(key(b));
      if (c != 0) return c < 0;
      return distinct[size_t(a)] < distinct[size_t(b)];
    });
    std::vector<int> rank(distinct.size());
    for (size_t i = 0; i < order.size(); ++i) rank[size_t(order[i])] = int(i);
    for (int r : rows)
      if (!null[size_t(r)]) num[size_t(r)] = rank[size_t(idOf[size_t(r)])];
  }
  // Ascending comparison, nulls first.
  int compare(int a, int b) const {
    const bool na = null[size_t(a)], nb = null[size_t(b)];
    if (na || nb) return na == nb ? 0 : (na ? -1 : 1);
    const double x = num[size_t(a)], y = num[size_t(b)];
    return x < y ? -1 : (y < x ? 1 : 0);
  }
};

GridProxyModel::GridProxyModel(QObject* parent) : QAbstractProxyModel(parent) {}

void GridProxyModel::setSourceModel(QAbstractItemModel* source) {
  auto* model = qobject_cast<DataSetModel*>(source);
  Q_ASSERT_X(model || !source, "GridProxyModel", "the source must be a DataSetModel");
  beginResetModel();
  if (src_) disconnect(src_, nullptr, this, nullptr);
  src_ = model;
  QAbstractProxyModel::setSourceModel(model);
  if (src_) {
    connect(src_, &QAbstractItemModel::modelAboutToBeReset, this,
            &GridProxyModel::onSourceAboutToBeReset);
    connect(src_, &QAbstractItemModel::modelReset, this, &GridProxyModel::onSourceReset);
    connect(src_, &QAbstractItemModel::rowsInserted, this, &GridProxyModel::onSourceRowsInserted);
    connect(src_, &QAbstractItemModel::dataChanged, this, &GridProxyModel::onSourceDataChanged);
    connect(src_, &QObject::destroyed, this, [this] {
      beginResetModel();
      src_ = nullptr;
      rows_.clear();
      rowPos_.clear();
      groups_.clear();
      entries_.clear();
      posEntry_.clear();
      groupEntry_.clear();
      endResetModel();
    });
    // The dataset model changes in no other way; anything else is taken afresh.
    auto before = [this] { onSourceAboutToBeReset(); };
    auto after = [this] { onSourceReset(); };
    connect(src_, &QAbstractItemModel::rowsAboutToBeRemoved, this, before);
    connect(src_, &QAbstractItemModel::rowsRemoved, this, after);
    connect(src_, &QAbstractItemModel::rowsAboutToBeMoved, this, before);
    connect(src_, &QAbstractItemModel::rowsMoved, this, after);
    connect(src_, &QAbstractItemModel::columnsAboutToBeInserted, this, before);
    connect(src_, &QAbstractItemModel::columnsInserted, this, after);
    connect(src_, &QAbstractItemModel::columnsAboutToBeRemoved, this, before);
    connect(src_, &QAbstractItemModel::columnsRemoved, this, after);
    connect(src_, &QAbstractItemModel::layoutAboutToBeChanged, this, before);
    connect(src_, &QAbstractItemModel::layoutChanged, this, after);
  }
  sortColumn_ = -1;
  groupColumn_ = -1;
  filters_.clear();
  sourceColumns_ = src_ ? src_->columnCount() : 0;
  rebuild();
  endResetModel();
}

// ---------------------------------------------------------------------------
// Building the rows

bool GridProxyModel::isTextColumn(int column) const {
  const int f = src_ ? src_->fieldIndex(column) : -1;
  return f >= 0 && src_->isLive() && isTextType(src_->dataSet()->field(f)->dataType());
}

bool GridProxyModel::accepts(int row) const {
  const DataSet& ds = *src_->dataSet();
  for (const Filter& flt : filters_) {
    const int f = src_->fieldIndex(flt.column);
    if (f < 0) continue;
    if (ds.isNull(row, f)) {
      if (!flt.blanks) return false;
      continue;
    }
    if (flt.text) {
      const QByteArrayView b = ds.rawBytes(row, f);
      if (b.isEmpty()) {
        if (!flt.blanks) return false;
        continue;
      }
      if (!flt.texts.count(std::string_view(b.data(), size_t(b.size())))) return false;
    } else if (!flt.numbers.count(ds.floatValue(row, f))) {
      return false;
    }
  }
  return !rowFilter_ || rowFilter_(row);
}

void GridProxyModel::filterRows() {
  rows_.clear();
  const int n = src_ && src_->isLive() ? src_->rowCount() : 0;
  rows_.reserve(size_t(n));
  if (filters_.empty() && !rowFilter_) {
    rows_.resize(size_t(n));
    std::iota(rows_.begin(), rows_.end(), 0);
    return;
  }
  for (int r = 0; r < n; ++r)
    if (accepts(r)) rows_.push_back(r);
}

void GridProxyModel::sortRows() {
  if (!src_ || !src_->isLive()) return;
  const DataSet& ds = *src_->dataSet();
  const int n = src_->rowCount();
  std::vector<SortKey> keys;
  auto addKey = [&](int column, bool desc) {
    const int f = src_->fieldIndex(column);
    if (f >= 0) keys.emplace_back(ds, f, rows_, n, desc);
  };
  if (groupColumn_ >= 0)
    addKey(groupColumn_, groupColumn_ == sortColumn_ && sortOrder_ == Qt::DescendingOrder);
  if (sortColumn_ >= 0 && sortColumn_ != groupColumn_)
    addKey(sortColumn_, sortOrder_ == Qt::DescendingOrder);
  if (keys.empty()) {
    std::sort(rows_.begin(), rows_.end());
    return;
  }
  std::sort(rows_.begin(), rows_.end(), [&keys](int a, int b) {
    for (const SortKey& k : keys) {
      const int c = k.compare(a, b);
      if (c != 0) return k.descending ? c > 0 : c < 0;
    }
    return a < b;
  });
}

void GridProxyModel::buildGroups() {
  groups_.clear();
  if (groupColumn_ < 0 || !src_ || !src_->isLive() || rows_.empty()) return;
  const int f = src_->fieldIndex(groupColumn_);
  if (f < 0) {
    groups_.push_back({0, int(rows_.size()), true});
  } else {
    const SortKey key(*src_->dataSet(), f, rows_, src_->rowCount(), false);
    int first = 0;
    for (int i = 1; i <= int(rows_.size()); ++i) {
      if (i == int(rows_.size()) || key.compare(rows_[size_t(first)], rows_[size_t(i)]) != 0) {
        groups_.push_back({first, i - first, true});
        first = i;
      }
    }
  }
  for (int g = 0; g < int(groups_.size()); ++g)
    groups_[size_t(g)].expanded = allCollapsed_ == toggled_.contains(groupKey(g));
}

bool GridProxyModel::footerShown(bool expanded) const {
  if (groupSummaries_.isEmpty()) return false;
  return footerMode_ == FootersAlways || (footerMode_ == FootersWhenExpanded && expanded);
}

void GridProxyModel::buildEntries() {
  const int n = src_ && src_->isLive() ? src_->rowCount() : 0;
  rowPos_.assign(size_t(n), -1);
  for (int p = 0; p < int(rows_.size()); ++p) rowPos_[size_t(rows_[size_t(p)])] = p;
  entries_.clear();
  posEntry_.clear();
  groupEntry_.clear();
  if (groupColumn_ < 0) return;
  posEntry_.assign(rows_.size(), -1);
  for (int g = 0; g < int(groups_.size()); ++g) {
    const Group& grp = groups_[size_t(g)];
    groupEntry_.push_back(int(entries_.size()));
    entries_.push_back(-1 - 2 * g);
    if (grp.expanded) {
      for (int p = grp.first; p < grp.first + grp.count; ++p) {
        posEntry_[size_t(p)] = int(entries_.size());
        entries_.push_back(p);
      }
    }
    if (footerShown(grp.expanded)) entries_.push_back(-2 - 2 * g);
  }
}

void GridProxyModel::rebuild() {
  filterRows();
  sortRows();
  buildGroups();
  buildEntries();
  invalidateSummaries();
}

void GridProxyModel::resetWith(const std::function<void()>& change) {
  beginResetModel();
  change();
  endResetModel();
  Q_EMIT viewStateChanged();
  Q_EMIT summariesChanged();
}

void GridProxyModel::invalidateSummaries() {
  footerValid_ = false;
  groupValid_ = false;
}

void GridProxyModel::scheduleRebuild() {
  if (rebuildPending_) return;
  rebuildPending_ = true;
  QMetaObject::invokeMethod(
      this,
      [this] {
        if (!rebuildPending_) return;
        rebuildPending_ = false;
        resetWith([this] { rebuild(); });
      },
      Qt::QueuedConnection);
}

// ---------------------------------------------------------------------------
// Source changes

void GridProxyModel::onSourceAboutToBeReset() {
  if (resetting_) return;
  resetting_ = true;
  beginResetModel();
}

void GridProxyModel::onSourceReset() {
  if (!resetting_) beginResetModel();
  if (src_->columnCount() != sourceColumns_) {
    // Other columns: sort, filters and grouping named the old ones.
    sourceColumns_ = src_->columnCount();
    sortColumn_ = -1;
    groupColumn_ = -1;
    filters_.clear();
  }
  rebuildPending_ = false;
  rebuild();
  endResetModel();
  resetting_ = false;
  Q_EMIT viewStateChanged();
  Q_EMIT summariesChanged();
}

void GridProxyModel::onSourceRowsInserted(const QModelIndex& parent, int first, int last) {
  if (parent.isValid()) return;
  const bool plain = groupColumn_ < 0 && sortColumn_ < 0 && filters_.empty() && !rowFilter_;
  if (plain && first == int(rows_.size())) {
    beginInsertRows({}, first, last);
    for (int r = first; r <= last; ++r) rows_.push_back(r);
    rowPos_.resize(size_t(last + 1), -1);
    for (int r = first; r <= last; ++r) rowPos_[size_t(r)] = r;
    invalidateSummaries();
    endInsertRows();
    Q_EMIT summariesChanged();
    return;
  }
  rebuildPending_ = false;
  resetWith([this] { rebuild(); });
}

void GridProxyModel::onSourceDataChanged(const QModelIndex& tl, const QModelIndex& br) {
  invalidateSummaries();
  bool reorder = bool(rowFilter_);
  for (int c = tl.column(); c <= br.column() && !reorder; ++c) {
    if (c == sortColumn_ || c == groupColumn_) reorder = true;
    for (const Filter& f : filters_)
      if (f.column == c) reorder = true;
  }
  if (reorder) scheduleRebuild();
  for (int r = tl.row(); r <= br.row(); ++r) {
    const int pr = proxyRowOf(r);
    if (pr >= 0) Q_EMIT dataChanged(index(pr, tl.column()), index(pr, br.column()));
  }
  Q_EMIT summariesChanged();
}

// ---------------------------------------------------------------------------
// Sorting

void GridProxyModel::sort(int column, Qt::SortOrder order) {
  if (column >= columnCount()) column = -1;
  sortColumn_ = column;
  sortOrder_ = order;
  if (groupColumn_ >= 0) {
    resetWith([this] {
      sortRows();
      buildGroups();
      buildEntries();
      invalidateSummaries();
    });
    return;
  }
  Q_EMIT layoutAboutToBeChanged({}, QAbstractItemModel::VerticalSortHint);
  const QModelIndexList before = persistentIndexList();
  std::vector<int> rowsBefore;
  rowsBefore.reserve(size_t(before.size()));
  for (const QModelIndex& i : before) rowsBefore.push_back(sourceRowAt(i.row()));
  sortRows();
  buildEntries();
  QModelIndexList after;
  after.reserve(before.size());
  for (int i = 0; i < before.size(); ++i) {
    const int pr = rowsBefore[size_t(i)] >= 0 ? proxyRowOf(rowsBefore[size_t(i)]) : -1;
    after << (pr >= 0 ? index(pr, before[i].column()) : QModelIndex());
  }
  changePersistentIndexList(before, after);
  Q_EMIT layoutChanged({}, QAbstractItemModel::VerticalSortHint);
  Q_EMIT viewStateChanged();
}

// ---------------------------------------------------------------------------
// Filtering

QList<GridProxyModel::FilterValue> GridProxyModel::filterValues(int column) const {
  QList<FilterValue> out;
  const int f = src_ ? src_->fieldIndex(column) : -1;
  if (f < 0 || !src_->isLive()) return out;
  const DataSet& ds = *src_->dataSet();
  const int n = src_->rowCount();
  const bool text = isTextType(ds.field(f)->dataType());
  int blanks = 0;
  // Distinct values with the first row that holds each and their counts.
  std::vector<int> firstRow, counts;
  std::unordered_map<std::string_view, int> texts;
  std::unordered_map<double, int> numbers;
  for (int r = 0; r < n; ++r) {
    if (ds.isNull(r, f)) {
      ++blanks;
      continue;
    }
    int* slot = nullptr;
    if (text) {
      const QByteArrayView b = ds.rawBytes(r, f);
      if (b.isEmpty()) {
        ++blanks;
        continue;
      }
      slot = &texts.try_emplace(std::string_view(b.data(), size_t(b.size())), int(firstRow.size()))
                  .first->second;
    } else {
      slot = &numbers.try_emplace(ds.floatValue(r, f), int(firstRow.size())).first->second;
    }
    if (*slot == int(firstRow.size())) {
      firstRow.push_back(r);
      counts.push_back(0);
    }
    ++counts[size_t(*slot)];
  }
  std::vector<int> order(firstRow.size());
  std::iota(order.begin(), order.end(), 0);
  const SortKey key(ds, f, firstRow, n, false);
  std::sort(order.begin(), order.end(), [&](int a, int b) {
    const int c = key.compare(firstRow[size_t(a)], firstRow[size_t(b)]);
    return c != 0 ? c < 0 : a < b;
  });
  const GridColumn& col = src_->column(column);
  if (blanks > 0) out.append({QVariant(), QString(), blanks, true});
  for (int i : order) {
    const int r = firstRow[size_t(i)];
    FilterValue v;
    v.value = src_->rawValue(r, column);
    v.text = col.valueCaption ? col.valueCaption(v.value) : src_->formatValue(column, v.value);
    if (text && !col.valueCaption) v.text = ds.stringValue(r, f);
    v.count = counts[size_t(i)];
    out.append(v);
  }
  return out;
}

void GridProxyModel::setColumnFilter(int column, const QVariantList& values, bool blanks) {
  if (!src_ || column < 0 || column >= columnCount()) return;
  Filter flt;
  flt.column = column;
  flt.blanks = blanks;
  flt.values = values;
  flt.text = isTextColumn(column);
  for (const QVariant& v : values) {
    if (!v.isValid() || v.isNull()) {
      flt.blanks = true;
    } else if (flt.text) {
      const QByteArray b =
          v.typeId() == QMetaType::QByteArray ? v.toByteArray() : v.toString().toUtf8();
      flt.texts.emplace(b.constData(), size_t(b.size()));
    } else {
      flt.numbers.insert(numberOf(v));
    }
  }
  resetWith([&] {
    filters_.erase(std::remove_if(filters_.begin(), filters_.end(),
                                  [column](const Filter& f) { return f.column == column; }),
                   filters_.end());
    filters_.push_back(std::move(flt));
    rebuild();
  });
}

void GridProxyModel::clearColumnFilter(int column) {
  if (!hasFilter(column)) return;
  resetWith([&] {
    filters_.erase(std::remove_if(filters_.begin(), filters_.end(),
                                  [column](const Filter& f) { return f.column == column; }),
                   filters_.end());
    rebuild();
  });
}

void GridProxyModel::clearFilters() {
  if (filters_.empty()) return;
  resetWith([&] {
    filters_.clear();
    rebuild();
  });
}

bool GridProxyModel::hasFilter(int column) const {
  return std::any_of(filters_.begin(), filters_.end(),
                     [column](const Filter& f) { return f.column == column; });
}

QVariantList GridProxyModel::columnFilter(int column) const {
  for (const Filter& f : filters_)
    if (f.column == column) return f.values;
  return {};
}

bool GridProxyModel::columnFilterBlanks(int column) const {
  for (const Filter& f : filters_)
    if (f.column == column) return f.blanks;
  return false;
}

void GridProxyModel::setRowFilter(std::function<bool(int)> accept) {
  resetWith([&] {
    rowFilter_ = std::move(accept);
    rebuild();
  });
}

// ---------------------------------------------------------------------------
// Grouping

void GridProxyModel::setGroupColumn(int column) {
  if (column >= columnCount()) column = -1;
  if (column == groupColumn_) return;
  resetWith([&] {
    groupColumn_ = column;
    toggled_.clear();
    sortRows();
    buildGroups();
    buildEntries();
    invalidateSummaries();
  });
}

QString GridProxyModel::groupKey(int group) const {
  const int f = src_->fieldIndex(groupColumn_);
  if (f < 0) return {};
  const int r = rows_[size_t(groups_[size_t(group)].first)];
  const DataSet& ds = *src_->dataSet();
  if (ds.isNull(r, f)) return QStringLiteral("\x01");
  if (isTextType(ds.field(f)->dataType())) return ds.stringValue(r, f);
  return QString::number(ds.floatValue(r, f), 'g', 17);
}

bool GridProxyModel::isGroupExpanded(int group) const {
  return group >= 0 && group < groupCount() && groups_[size_t(group)].expanded;
}

void GridProxyModel::setGroupExpanded(int group, bool expanded) {
  if (group < 0 || group >= groupCount() || groups_[size_t(group)].expanded == expanded) return;
  const QString key = groupKey(group);
  if (expanded == !allCollapsed_)
    toggled_.remove(key);
  else
    toggled_.insert(key);
  const int gr = groupEntry_[size_t(group)];
  const int n = groups_[size_t(group)].count + (footerShown(true) != footerShown(false) ? 1 : 0);
  if (expanded)
    beginInsertRows({}, gr + 1, gr + n);
  else
    beginRemoveRows({}, gr + 1, gr + n);
  groups_[size_t(group)].expanded = expanded;
  buildEntries();
  if (expanded)
    endInsertRows();
  else
    endRemoveRows();
  Q_EMIT dataChanged(index(gr, 0), index(gr, columnCount() - 1));
}

void GridProxyModel::expandAll() {
  resetWith([this] {
    allCollapsed_ = false;
    toggled_.clear();
    for (Group& g : groups_) g.expanded = true;
    buildEntries();
  });
}

void GridProxyModel::collapseAll() {
  resetWith([this] {
    allCollapsed_ = true;
    toggled_.clear();
    for (Group& g : groups_) g.expanded = false;
    buildEntries();
  });
}

void GridProxyModel::setGroupFooterMode(GroupFooterMode mode) {
  if (mode == footerMode_) return;
  resetWith([&] {
    footerMode_ = mode;
    buildEntries();
  });
}

void GridProxyModel::setGroupSummaries(const QList<GridSummary>& summaries) {
  resetWith([&] {
    groupSummaries_ = summaries;
    buildEntries();
    invalidateSummaries();
  });
}

QString GridProxyModel::groupText(int group) const {
  if (group < 0 || group >= groupCount()) return {};
  const int r = rows_[size_t(groups_[size_t(group)].first)];
  const GridColumn& col = src_->column(groupColumn_);
  const QString value = col.valueCaption ? col.valueCaption(src_->rawValue(r, groupColumn_))
                                         : src_->displayText(r, groupColumn_);
  return col.captionText() + QStringLiteral(" : ") + value;
}

int GridProxyModel::groupRowCount(int group) const {
  return group >= 0 && group < groupCount() ? groups_[size_t(group)].count : 0;
}

int GridProxyModel::groupOfSourceRow(int sourceRow) const {
  if (groups_.empty() || sourceRow < 0 || sourceRow >= int(rowPos_.size())) return -1;
  const int pos = rowPos_[size_t(sourceRow)];
  if (pos < 0) return -1;
  auto it = std::upper_bound(groups_.begin(), groups_.end(), pos,
                             [](int p, const Group& g) { return p < g.first; });
  return int(it - groups_.begin()) - 1;
}

// ---------------------------------------------------------------------------
// Summaries

int GridProxyModel::columnOfField(const QString& field) const {
  return src_ ? src_->columnOf(field) : -1;
}

QVariant GridProxyModel::computeSummary(const GridSummary& s, int first, int count) const {
  if (s.kind == GridSummary::Count) return count;
  if (!src_ || !src_->isLive()) return {};
  const DataSet& ds = *src_->dataSet();
  const int f = ds.fieldIndex(s.fieldName);
  // Only numbers (and dates, as day numbers) have a sum or an average.
  if (f < 0 || isTextType(ds.field(f)->dataType())) return {};
  double sum = 0, lo = 0, hi = 0;
  int n = 0;
  for (int p = first; p < first + count; ++p) {
    const int r = rows_[size_t(p)];
    if (ds.isNull(r, f)) continue;
    const double v = ds.floatValue(r, f);
    if (n == 0) lo = hi = v;
    lo = std::min(lo, v);
    hi = std::max(hi, v);
    sum += v;
    ++n;
  }
  if (n == 0) return {};
  switch (s.kind) {
    case GridSummary::Sum: return sum;
    case GridSummary::Average: return sum / n;
    case GridSummary::Min: return lo;
    case GridSummary::Max: return hi;
    default: return {};
  }
}

QVariant GridProxyModel::summaryValue(const GridSummary& summary, int group) const {
  if (group < 0) return computeSummary(summary, 0, int(rows_.size()));
  if (group >= groupCount()) return {};
  const Group& g = groups_[size_t(group)];
  return computeSummary(summary, g.first, g.count);
}

QString GridProxyModel::summaryText(const GridSummary& s, const QVariant& value) const {
  if (!value.isValid()) return {};
  QString text;
  QString fmt = s.displayFormat;
  if (s.kind == GridSummary::Count) {
    text = fmt.isEmpty() ? QString::number(value.toLongLong()) : FormatFloat(fmt, value.toDouble());
  } else {
    const double v = value.toDouble();
    const int c = columnOfField(s.fieldName);
    const Field* field =
        src_ && src_->isLive() ? src_->dataSet()->fieldByName(s.fieldName) : nullptr;
    if (fmt.isEmpty() && c >= 0) fmt = src_->column(c).displayFormat;
    if (fmt.isEmpty() && field) fmt = field->displayFormat();
    if (!fmt.isEmpty())
      text = FormatFloat(fmt, v);
    else if (field && isWholeNumberType(field->dataType()) && v == std::floor(v) &&
             std::fabs(v) < 9e15)
      text = QString::number(qint64(v));
    else
      text = formatRealLocal(v);
  }
  return s.text.isEmpty() ? text : QString(s.text).replace(QLatin1String("%1"), text);
}

QString GridProxyModel::footerText(int column) const {
  if (!src_ || column < 0 || column >= columnCount() || footerSummaries_.isEmpty()) return {};
  if (!footerValid_) {
    footerValues_.clear();
    for (const GridSummary& s : footerSummaries_) footerValues_.push_back(summaryValue(s));
    footerValid_ = true;
  }
  const QString& field = src_->column(column).fieldName;
  QStringList lines;
  for (int i = 0; i < footerSummaries_.size(); ++i)
    if (footerSummaries_[i].placement().compare(field, Qt::CaseInsensitive) == 0)
      lines << summaryText(footerSummaries_[i], footerValues_[size_t(i)]);
  lines.removeAll(QString());
  return lines.join(QLatin1Char('\n'));
}

QString GridProxyModel::groupFooterText(int group, int column) const {
  if (!src_ || group < 0 || group >= groupCount() || column < 0 || column >= columnCount())
    return {};
  if (!groupValid_) {
    groupValues_.assign(groups_.size(), {});
    for (int g = 0; g < groupCount(); ++g)
      for (const GridSummary& s : groupSummaries_)
        groupValues_[size_t(g)].push_back(summaryValue(s, g));
    groupValid_ = true;
  }
  const QString& field = src_->column(column).fieldName;
  QStringList lines;
  for (int i = 0; i < groupSummaries_.size(); ++i)
    if (groupSummaries_[i].placement().compare(field, Qt::CaseInsensitive) == 0)
      lines << summaryText(groupSummaries_[i], groupValues_[size_t(group)][size_t(i)]);
  lines.removeAll(QString());
  return lines.join(QLatin1Char('\n'));
}

void GridProxyModel::setFooterSummaries(const QList<GridSummary>& summaries) {
  footerSummaries_ = summaries;
  footerValid_ = false;
  Q_EMIT summariesChanged();
}

// ---------------------------------------------------------------------------
// Rows

int GridProxyModel::entryAt(int proxyRow) const {
  if (proxyRow < 0 || proxyRow >= rowCount()) return INT_MIN;
  return groupColumn_ >= 0 ? entries_[size_t(proxyRow)] : proxyRow;
}

GridProxyModel::RowKind GridProxyModel::rowKind(int proxyRow) const {
  const int e = entryAt(proxyRow);
  if (e >= 0 || e == INT_MIN) return DataRow;
  return ((-1 - e) % 2) ? GroupFooterRow : GroupRow;
}

int GridProxyModel::sourceRowAt(int proxyRow) const {
  const int e = entryAt(proxyRow);
  return e >= 0 ? rows_[size_t(e)] : -1;
}

int GridProxyModel::groupAt(int proxyRow) const {
  if (groupColumn_ < 0) return -1;
  const int e = entryAt(proxyRow);
  if (e == INT_MIN) return -1;
  if (e < 0) return (-1 - e) / 2;
  return groupOfSourceRow(rows_[size_t(e)]);
}

int GridProxyModel::proxyRowOf(int sourceRow) const {
  if (sourceRow < 0 || sourceRow >= int(rowPos_.size())) return -1;
  const int pos = rowPos_[size_t(sourceRow)];
  if (pos < 0 || groupColumn_ < 0) return pos;
  return posEntry_[size_t(pos)];
}

int GridProxyModel::proxyRowOfGroup(int group) const {
  if (group < 0 || group >= int(groupEntry_.size())) return -1;
  return groupEntry_[size_t(group)];
}

// ---------------------------------------------------------------------------
// Incremental search

int GridProxyModel::findIncremental(int column, const QString& prefix, int fromRow, bool forward,
                                    bool includeStart) const {
  const int n = rowCount();
  if (!src_ || !src_->isLive() || n == 0 || prefix.isEmpty() || column < 0 ||
      column >= columnCount())
    return -1;
  const GridColumn& col = src_->column(column);
  if (col.kind == GridColumnKind::Picture || col.kind == GridColumnKind::CheckBox) return -1;
  const DataSet& ds = *src_->dataSet();
  const int f = src_->fieldIndex(column);
  const bool raw =
      f >= 0 && col.kind != GridColumnKind::Drawn &&
      (ds.field(f)->dataType() == FieldType::String || ds.field(f)->dataType() == FieldType::Memo);
  const SearchKey key = searchKey(prefix);
  if (fromRow < 0 || fromRow >= n) fromRow = forward ? 0 : n - 1;
  const int step = forward ? 1 : -1;
  int r = includeStart ? fromRow : fromRow + step;
  for (int i = includeStart ? 0 : 1; i <= n; ++i, r += step) {
    if (r >= n) r = 0;
    if (r < 0) r = n - 1;
    const int sr = sourceRowAt(r);
    if (sr < 0) continue;
    const bool hit = raw ? startsWithFolded(ds.rawBytes(sr, f), key)
                         : startsWithFolded(QStringView(src_->displayText(sr, column)), key);
    if (hit) return r;
  }
  return -1;
}

// ---------------------------------------------------------------------------
// QAbstractItemModel

QModelIndex GridProxyModel::index(int row, int column, const QModelIndex& parent) const {
  if (parent.isValid() || row < 0 || column < 0 || row >= rowCount() || column >= columnCount())
    return {};
  return createIndex(row, column);
}

QModelIndex GridProxyModel::parent(const QModelIndex&) const {
  return {};
}

QModelIndex GridProxyModel::sibling(int row, int column, const QModelIndex&) const {
  return index(row, column);
}

int GridProxyModel::rowCount(const QModelIndex& parent) const {
  if (parent.isValid()) return 0;
  return groupColumn_ >= 0 ? int(entries_.size()) : int(rows_.size());
}

int GridProxyModel::columnCount(const QModelIndex& parent) const {
  return parent.isValid() || !src_ ? 0 : src_->columnCount();
}

bool GridProxyModel::hasChildren(const QModelIndex& parent) const {
  return !parent.isValid() && rowCount() > 0;
}

QModelIndex GridProxyModel::mapToSource(const QModelIndex& proxyIndex) const {
  if (!proxyIndex.isValid() || !src_) return {};
  const int r = sourceRowAt(proxyIndex.row());
  return r >= 0 ? src_->index(r, proxyIndex.column()) : QModelIndex();
}

QModelIndex GridProxyModel::mapFromSource(const QModelIndex& sourceIndex) const {
  if (!sourceIndex.isValid()) return {};
  const int pr = proxyRowOf(sourceIndex.row());
  return pr >= 0 ? index(pr, sourceIndex.column()) : QModelIndex();
}

QVariant GridProxyModel::data(const QModelIndex& idx, int role) const {
  if (!idx.isValid() || !src_) return {};
  const int row = idx.row();
  const RowKind kind = rowKind(row);
  if (role == RowKindRole) return int(kind);
  if (role == GroupIndexRole) return groupAt(row);
  if (kind == DataRow) {
    if (role == ParityRole) return entryAt(row) & 1;
    return src_->data(mapToSource(idx), role);
  }
  const int g = groupAt(row);
  if (kind == GroupRow) {
    switch (role) {
      case Qt::DisplayRole: return idx.column() == 0 ? groupText(g) : QString();
      case GroupTextRole: return groupText(g);
      case GroupExpandedRole: return isGroupExpanded(g);
      case GroupRowCountRole: return groupRowCount(g);
      default: return {};
    }
  }
  switch (role) {
    case Qt::DisplayRole:
    case SummaryTextRole: return groupFooterText(g, idx.column());
    case Qt::TextAlignmentRole: return src_->headerData(idx.column(), Qt::Horizontal, role);
    default: return {};
  }
}

QVariant GridProxyModel::headerData(int section, Qt::Orientation orientation, int role) const {
  if (!src_) return {};
  if (orientation == Qt::Vertical)
    return role == Qt::DisplayRole ? QVariant(section + 1) : QVariant();
  return src_->headerData(section, orientation, role);
}

Qt::ItemFlags GridProxyModel::flags(const QModelIndex& idx) const {
  if (!idx.isValid()) return Qt::NoItemFlags;
  return Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemNeverHasChildren;
}

}  // namespace vlm
