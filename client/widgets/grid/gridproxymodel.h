#pragma once
// What the grid shows of a DataSetModel: the rows that pass the header
// filters, in the order of the sort column, optionally grouped by a column
// into collapsible groups with group footers, plus the footer summaries.
//
// The proxy reads the dataset's typed columns directly: a sort compares
// numbers as numbers, dates as day numbers and texts in Turkish alphabetical
// order without building a text or a QVariant per row; a filter is a set of
// values per column, tested per row by a hash lookup. Filters are applied
// again only when they change (or when a filtered column's cell changes).
//
// Rows of the proxy: without grouping, one row per shown dataset row. Grouped:
// for each group a group row, then (expanded) its data rows, then its group
// footer row when footers are on.
#include <QAbstractProxyModel>
#include <QSet>
#include <functional>
#include <string>
#include <string_view>
#include <unordered_set>
#include <vector>

#include "gridcolumn.h"

namespace vlm {

class DataSetModel;

class GridProxyModel : public QAbstractProxyModel {
  Q_OBJECT
 public:
  enum Roles {
    RowKindRole = Qt::UserRole + 20,  // RowKind
    GroupIndexRole,                   // the row's group; -1 without grouping
    GroupExpandedRole,                // group rows
    GroupTextRole,                    // group rows: "Caption : value"
    GroupRowCountRole,                // group rows: data rows in the group
    SummaryTextRole,                  // group footer cells: the summaries under the column
    ParityRole,                       // data rows: 0 even, 1 odd
  };
  enum RowKind { DataRow, GroupRow, GroupFooterRow };
  enum GroupFooterMode { NoGroupFooters, FootersWhenExpanded, FootersAlways };

  explicit GridProxyModel(QObject* parent = nullptr);

  // The source must be a DataSetModel.
  void setSourceModel(QAbstractItemModel* source) override;
  DataSetModel* dataModel() const { return src_; }

  // ---- Sorting ----
  // Sorts by a grid column (-1: the dataset's order). Nulls come first in
  // ascending order; equal values keep the dataset's order.
  void sort(int column, Qt::SortOrder order = Qt::AscendingOrder) override;
  int sortColumn() const { return sortColumn_; }
  Qt::SortOrder sortOrder() const { return sortOrder_; }

  // ---- Filtering ----
  struct FilterValue {
    QVariant value;  // raw value (invalid for the blanks entry)
    QString text;    // as the column shows it
    int count = 0;   // rows holding it
    bool blank = false;
  };
  // The distinct values of a column over all rows of the dataset, in the
  // column's sort order; the blanks (null or empty text), when any, first.
  QList<FilterValue> filterValues(int column) const;
  // Shows only rows whose value in the column is one of `values` (raw values
  // as filterValues gives them), or blank when `blanks`.
  void setColumnFilter(int column, const QVariantList& values, bool blanks = false);
  void clearColumnFilter(int column);
  void clearFilters();
  bool hasFilter(int column) const;
  bool hasFilters() const { return !filters_.empty() || rowFilter_; }
  QVariantList columnFilter(int column) const;
  bool columnFilterBlanks(int column) const;
  // A further condition on dataset rows, set by the list (empty: none).
  void setRowFilter(std::function<bool(int row)> accept);

  // ---- Grouping ----
  void setGroupColumn(int column);  // -1: no grouping
  int groupColumn() const { return groupColumn_; }
  int groupCount() const { return int(groups_.size()); }
  bool isGroupExpanded(int group) const;
  void setGroupExpanded(int group, bool expanded);
  void expandAll();
  void collapseAll();
  void setGroupFooterMode(GroupFooterMode mode);
  GroupFooterMode groupFooterMode() const { return footerMode_; }
  void setGroupSummaries(const QList<GridSummary>& summaries);
  const QList<GridSummary>& groupSummaries() const { return groupSummaries_; }
  QString groupText(int group) const;
  int groupRowCount(int group) const;
  // The group that holds a dataset row; -1 when none.
  int groupOfSourceRow(int sourceRow) const;
  // Summaries of one group under a column, one per line.
  QString groupFooterText(int group, int column) const;

  // ---- Footer ----
  void setFooterSummaries(const QList<GridSummary>& summaries);
  const QList<GridSummary>& footerSummaries() const { return footerSummaries_; }
  // Summaries of all shown rows under a column, one per line; empty when none.
  QString footerText(int column) const;
  // The value of a summary over the shown rows (group -1) or one group;
  // invalid when there is nothing to sum.
  QVariant summaryValue(const GridSummary& summary, int group = -1) const;
  QString summaryText(const GridSummary& summary, const QVariant& value) const;

  // ---- Rows ----
  // Data rows that pass the filters (collapsed groups included).
  int shownRowCount() const { return int(rows_.size()); }
  // Those rows' dataset rows in the grid's order, every group expanded.
  const std::vector<int>& orderedRows() const { return rows_; }
  RowKind rowKind(int proxyRow) const;
  int sourceRowAt(int proxyRow) const;  // -1 for group rows and footers
  int groupAt(int proxyRow) const;      // -1 without grouping
  // The proxy row of a dataset row; -1 when it is filtered out or its group
  // is collapsed.
  int proxyRowOf(int sourceRow) const;
  // The proxy row of a group's group row.
  int proxyRowOfGroup(int group) const;

  // ---- Incremental search ----
  // The first data row, from `fromRow` (itself included when includeStart)
  // going down (or up) and wrapping round, whose text in the column starts
  // with `prefix` (letters compared without regard to case); -1 when none.
  int findIncremental(int column, const QString& prefix, int fromRow, bool forward = true,
                      bool includeStart = true) const;

  // ---- QAbstractItemModel ----
  QModelIndex index(int row, int column, const QModelIndex& parent = {}) const override;
  QModelIndex parent(const QModelIndex& child) const override;
  int rowCount(const QModelIndex& parent = {}) const override;
  int columnCount(const QModelIndex& parent = {}) const override;
  bool hasChildren(const QModelIndex& parent = {}) const override;
  QModelIndex mapToSource(const QModelIndex& proxyIndex) const override;
  QModelIndex mapFromSource(const QModelIndex& sourceIndex) const override;
  QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
  QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
  Qt::ItemFlags flags(const QModelIndex& index) const override;
  QModelIndex sibling(int row, int column, const QModelIndex& idx) const override;

 Q_SIGNALS:
  // Footer or group summaries have to be read again.
  void summariesChanged();
  // Sort, filter or grouping changed (the header repaints its marks).
  void viewStateChanged();

 private:
  struct TextHash {
    using is_transparent = void;
    size_t operator()(std::string_view s) const { return std::hash<std::string_view>{}(s); }
  };
  struct Filter {
    int column = -1;
    bool blanks = false;
    bool text = false;
    std::unordered_set<std::string, TextHash, std::equal_to<>> texts;
    std::unordered_set<double> numbers;
    QVariantList values;
  };
  struct Group {
    int first = 0;  // index into rows_
    int count = 0;
    bool expanded = true;
  };
  struct SortKey;

  bool accepts(int sourceRow) const;
  bool isTextColumn(int column) const;
  void filterRows();
  void sortRows();
  void buildGroups();
  void buildEntries();
  void rebuild();  // filter, sort, groups, entries
  void resetWith(const std::function<void()>& change);
  void invalidateSummaries();
  void scheduleRebuild();
  int entryAt(int proxyRow) const;
  QVariant computeSummary(const GridSummary& s, int first, int count) const;
  int columnOfField(const QString& field) const;
  QString groupKey(int group) const;
  bool footerShown(bool expanded) const;

  void onSourceAboutToBeReset();
  void onSourceReset();
  void onSourceRowsInserted(const QModelIndex& parent, int first, int last);
  void onSourceDataChanged(const QModelIndex& tl, const QModelIndex& br);

  DataSetModel* src_ = nullptr;
  std::vector<int> rows_;    // shown dataset rows, in order
  std::vector<int> rowPos_;  // dataset row -> index into rows_, -1
  std::vector<Group> groups_;
  std::vector<int> entries_;     // grouped: proxy row -> entry (>=0 index into rows_)
  std::vector<int> posEntry_;    // grouped: index into rows_ -> proxy row, -1
  std::vector<int> groupEntry_;  // grouped: group -> proxy row of its group row
  bool allCollapsed_ = false;
  QSet<QString> toggled_;  // groups whose state differs from allCollapsed_
  int sortColumn_ = -1;
  Qt::SortOrder sortOrder_ = Qt::AscendingOrder;
  int groupColumn_ = -1;
  GroupFooterMode footerMode_ = FootersWhenExpanded;
  std::vector<Filter> filters_;
  std::function<bool(int)> rowFilter_;
  QList<GridSummary> footerSummaries_;
  QList<GridSummary> groupSummaries_;
  mutable std::vector<QVariant> footerValues_;
  mutable bool footerValid_ = false;
  mutable std::vector<std::vector<QVariant>> groupValues_;
  mutable bool groupValid_ = false;
  bool rebuildPending_ = false;
  bool resetting_ = false;
  int sourceColumns_ = 0;
};

}  // namespace vlm
