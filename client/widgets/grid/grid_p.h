#pragma once
// The parts of the grid: the table view, its header and row indicator, the
// cell painter, the footer bar and the two popups. Used by grid.cpp only (and
// the tests, which look inside).
#include <QFrame>
#include <QHeaderView>
#include <QStyledItemDelegate>
#include <QTableView>

#include "grid.h"

class QLineEdit;
class QListView;
class QSortFilterProxyModel;

namespace vlm {

class GridTableView : public QTableView {
  Q_OBJECT
 public:
  GridTableView(Grid* grid, QWidget* parent);
  void keyboardSearch(const QString& search) override;
  // The rectangle of a group row's expand box.
  QRect expandBoxRect(int proxyRow) const;

 protected:
  void keyPressEvent(QKeyEvent* e) override;
  void mousePressEvent(QMouseEvent* e) override;
  void mouseDoubleClickEvent(QMouseEvent* e) override;
  void paintEvent(QPaintEvent* e) override;
  void currentChanged(const QModelIndex& current, const QModelIndex& previous) override;
  void scrollContentsBy(int dx, int dy) override;

 private:
  void paintGroupRow(QPainter& p, int row);
  Grid* grid_;
};

class GridHeader : public QHeaderView {
  Q_OBJECT
 public:
  GridHeader(Grid* grid, QWidget* parent);
  QSize sizeHint() const override;
  // The filter button of a section, in header coordinates (null when none).
  QRect filterButtonRect(int logical) const;

 Q_SIGNALS:
  void filterRequested(int logical);

 protected:
  void paintSection(QPainter* p, const QRect& rect, int logical) const override;
  void paintEvent(QPaintEvent* e) override;
  void mousePressEvent(QMouseEvent* e) override;
  void mouseReleaseEvent(QMouseEvent* e) override;
  void mouseMoveEvent(QMouseEvent* e) override;
  void leaveEvent(QEvent* e) override;

 private:
  bool hasFilterButton(int logical) const;
  bool showsFilterButton(int logical, int room) const;
  QRect buttonIn(const QRect& section) const;
  Grid* grid_;
  int hover_ = -1;
  bool swallowRelease_ = false;
};

// The row indicator: a narrow strip left of the rows that marks the focused one.
class GridIndicator : public QHeaderView {
  Q_OBJECT
 public:
  GridIndicator(Grid* grid, QWidget* parent);
  QSize sizeHint() const override { return {14, 0}; }

 protected:
  void paintSection(QPainter* p, const QRect& rect, int logical) const override;

 private:
  Grid* grid_;
};

class GridDelegate : public QStyledItemDelegate {
  Q_OBJECT
 public:
  explicit GridDelegate(Grid* grid);
  void paint(QPainter* p, const QStyleOptionViewItem& option,
             const QModelIndex& index) const override;
  QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override;

  // Shared with the header and the footer: a check box, and text in a
  // rectangle, wrapped at word boundaries onto as many lines as fit (each
  // line elided when a word is too long for it, the last one when more text
  // follows); `mark` characters from the start get the `markColour` behind
  // them. Returns the width used.
  static void drawCheckBox(QPainter* p, const QRect& cell, bool checked, const QColor& colour);
  static int drawText(QPainter* p, const QRect& r, Qt::Alignment align, const QString& text,
                      bool wrap, int mark = 0, const QColor& markColour = {});
  static QString displayable(QString text);

 private:
  void paintText(QPainter* p, const QRect& cell, const QModelIndex& index, bool selected) const;
  Grid* grid_;
};

class GridFooter : public QWidget {
  Q_OBJECT
 public:
  explicit GridFooter(Grid* grid);
  QSize sizeHint() const override;
  QSize minimumSizeHint() const override { return sizeHint(); }

 protected:
  void paintEvent(QPaintEvent* e) override;

 private:
  Grid* grid_;
};

// A popup with a search line over a list of check boxes.
class GridCheckListPopup : public QFrame {
  Q_OBJECT
 public:
  GridCheckListPopup(const QString& title, QWidget* parent);
  QListView* list() const { return list_; }
  QLineEdit* searchLine() const { return search_; }
  // Ticks or clears one entry by its text, as a click on it does.
  bool toggle(const QString& text);
  // The texts of the entries, in order.
  QStringList entries() const;

 protected:
  virtual void toggleRow(int row) = 0;
  // A click on an entry, or Enter on it, toggles it.
  void toggleOnClick();
  QSortFilterProxyModel* filter_;
  QListView* list_;
  QLineEdit* search_;
};

// The filter drop-down of a column: "(Tümü)", "(Boşlar)" and the values.
class GridFilterPopup : public GridCheckListPopup {
  Q_OBJECT
 public:
  GridFilterPopup(Grid* grid, int column);

 private:
  void toggleRow(int row) override;
  void apply();
  Grid* grid_;
  int column_;
  class Model;
  Model* model_;
};

// The column chooser: the columns offered to the user, ticked when shown.
class GridColumnChooser : public GridCheckListPopup {
  Q_OBJECT
 public:
  explicit GridColumnChooser(Grid* grid);

 private:
  void toggleRow(int row) override;
  Grid* grid_;
  class Model;
  Model* model_;
};

}  // namespace vlm
