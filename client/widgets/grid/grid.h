#pragma once
// The grid of every list: a read-only table over a dataset, configured per
// list by its columns (GridColumn), summaries (GridSummary) and look
// (GridLook). Whole rows are selected; the focused row follows the dataset's
// current row and moves it. Typing searches incrementally in the focused
// column; every header has a filter drop-down; the column chooser sits in
// the header's corner above the vertical scroll bar; a footer under the
// columns holds the summaries; rows can be grouped by a column into
// collapsible groups with group footers.
//
// Loading in the background (the tab loads):
//   grid->detach(); grid->beginUpdate();      // user-interface thread
//   ... the background task refills the dataset ...
//   grid->attach(); grid->endUpdate();        // in the continuation
// While detached the grid neither reads nor listens to the dataset.
//
// The dataset should outlive the grid; when it is destroyed first the grid
// notices and shows nothing.
#include <QWidget>

#include "gridcolumn.h"
#include "gridproxymodel.h"

class QHeaderView;
class QMenu;
class QTableView;
class QToolButton;

namespace vlm {

class DataSet;
class DataSetModel;
class GridDelegate;
class GridFooter;
class GridHeader;
class GridIndicator;
class GridTableView;

class Grid : public QWidget {
  Q_OBJECT
 public:
  explicit Grid(QWidget* parent = nullptr);
  ~Grid() override;

  // ---- Data and columns ----
  void setDataSet(DataSet* ds);
  DataSet* dataSet() const;
  // Replaces the columns; sort, filters and grouping are cleared.
  void setColumns(const QList<GridColumn>& columns);
  int columnCount() const;
  const GridColumn& column(int c) const;
  // By field name without regard to case; -1 when there is no such column.
  int columnIndex(QStringView fieldName) const;
  void setColumnVisible(QStringView field, bool visible);
  bool isColumnVisible(QStringView field) const;
  // Whether the column chooser offers the column.
  void setColumnInChooser(QStringView field, bool offered);
  void setColumnCaption(QStringView field, const QString& caption);
  void setColumnWeight(QStringView field, int weight);
  void setColumnWidth(QStringView field, int width);
  int columnWidth(QStringView field) const;
  // Field names of the visible columns in the order shown.
  QStringList visibleFields() const;
  // Captions the column chooser offers, in column order.
  QStringList chooserCaptions() const;

  // ---- Widths ----
  // The weight rule over the visible columns for a grid this wide (by
  // default the grid's own width); nothing changes when the weights sum to 0.
  void applyWeights(int gridWidth = -1);
  // Sizes the visible columns (or one) to their contents and captions.
  void bestFit();
  void bestFit(QStringView field);
  // The weight rule again at every resize and column change.
  void setAutoWeights(bool on);

  // ---- Look and options ----
  void setLook(const GridLook& look);
  const GridLook& look() const { return look_; }
  void setRowHeight(int pixels);
  int rowHeight() const { return look_.rowHeight; }
  void setHeaderHeight(int pixels);
  void setRowIndicator(bool on);
  bool rowIndicator() const { return indicatorOn_; }
  void setColumnChooser(bool on);
  bool columnChooser() const { return chooserOn_; }
  void setHeaderFilters(bool on);
  bool headerFilters() const { return filtersOn_; }
  void setSorting(bool on);
  bool sorting() const { return sortingOn_; }
  void setIncrementalSearch(bool on);
  void setFooterVisible(bool on);
  bool footerVisible() const;

  // ---- Summaries ----
  void setFooterSummaries(const QList<GridSummary>& summaries);
  // The footer text under a column (summaries one per line).
  QString footerText(QStringView field) const;

  // ---- Grouping ----
  void setGroupColumn(QStringView field);  // empty: no grouping
  QString groupField() const;
  void setGroupSummaries(const QList<GridSummary>& summaries,
                         GridProxyModel::GroupFooterMode mode = GridProxyModel::FootersAlways);
  int groupCount() const;
  bool isGroupExpanded(int group) const;
  void setGroupExpanded(int group, bool expanded);
  void expandAll();
  void collapseAll();

  // ---- Sort and filter ----
  void sortBy(QStringView field, Qt::SortOrder order = Qt::AscendingOrder);
  void clearSort();
  void setFilter(QStringView field, const QVariantList& values, bool blanks = false);
  void clearFilter(QStringView field);
  void clearFilter();  // every column
  bool isFiltered() const;
  QList<GridProxyModel::FilterValue> filterValues(QStringView field) const;
  // Opens a header's filter drop-down / the column chooser, as a click does.
  void showFilterPopup(QStringView field);
  void showColumnChooser();
  QWidget* openPopup() const;

  // ---- Rows and focus ----
  int rowCount() const;              // data rows shown (after the filters)
  QList<int> shownRows() const;      // their dataset rows in order, groups expanded
  int shownRow(int position) const;  // the dataset row of one of them; -1 out of range
  int focusedRow() const;            // dataset row of the focused row; -1 when none
  QString focusedField() const;
  void setFocusedRow(int datasetRow);
  void setFocusedField(QStringView field);
  // Moves the dataset to the first row whose column holds the value (see
  // DataSet::locate) and focuses it. False when no row holds it or the grid
  // is detached.
  bool locate(QStringView field, const QVariant& value, int options = 0);

  // ---- Incremental search ----
  QString searchText() const { return search_; }
  void clearSearch();

  // ---- Loading ----
  void detach();
  void attach();
  bool isDetached() const;
  void beginUpdate();
  void endUpdate();
  bool isUpdating() const { return updateDepth_ > 0; }

  // ---- Export ----
  // Writes every shown row (groups expanded) with the visible columns as
  // shown to an Excel 97-2003 workbook at `path` as given.
  bool exportXls(const QString& path, QString* error = nullptr) const;
  // "Excel Kaydet": the save dialog ("Excel|*.xls*"), then the workbook under
  // the chosen name with the extension "xls"; a failure is shown to the user.
  // Returns the file written, or an empty text (cancelled or failed).
  QString excelKaydet();

  // ---- Parts ----
  QTableView* view() const;
  QHeaderView* header() const;
  DataSetModel* model() const { return model_; }
  GridProxyModel* proxy() const { return proxy_; }
  QWidget* footer() const;
  QToolButton* chooserButton() const { return chooser_; }
  // A popup menu shown on a right click (after the row under the mouse gets
  // the focus).
  void setPopupMenu(QMenu* menu);

 Q_SIGNALS:
  void focusedRowChanged(int datasetRow);
  // A double click on a data row (focusedField() tells the column).
  void rowDoubleClicked(int datasetRow);
  // The user showed or hid a column through the chooser.
  void columnsChanged();
  void resized();

 protected:
  void resizeEvent(QResizeEvent* e) override;

 private:
  friend class GridTableView;
  friend class GridHeader;
  friend class GridIndicator;
  friend class GridDelegate;
  friend class GridFooter;

  void onCurrentChanged(const QModelIndex& current);
  void onProxyReset();
  void onDataSetCurrentMoved(int row);
  void onHeaderClicked(int logical);
  void focusProxyRow(int proxyRow, int column = -1);
  void focusDataSetRow(int row, bool expand);
  void incrementalKey(const QString& text);
  void searchStep(bool forward);
  void searchBackspace();
  void applyLook();
  void updateChooser();
  void closePopup();
  int currentColumnOrFirst() const;
  int bestFitWidth(int column) const;

  GridLook look_ = GridLook::standard();
  DataSetModel* model_;
  GridProxyModel* proxy_;
  GridTableView* view_;
  GridHeader* header_;
  GridIndicator* indicator_;
  GridDelegate* delegate_;
  GridFooter* footer_;
  QToolButton* chooser_;
  QMenu* popupMenu_ = nullptr;
  QWidget* popup_ = nullptr;
  QString search_;
  int focused_ = -1;
  int updateDepth_ = 0;
  bool syncing_ = false;
  bool searching_ = false;
  bool indicatorOn_ = false;
  bool chooserOn_ = true;
  bool filtersOn_ = true;
  bool sortingOn_ = true;
  bool searchOn_ = true;
  bool autoWeights_ = false;
};

}  // namespace vlm
