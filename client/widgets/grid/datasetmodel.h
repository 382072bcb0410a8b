#pragma once
// The table model of a dataset: one row per dataset row, one column per
// configured grid column (hidden ones included). Display text follows the
// column's display format; the raw role gives the typed value for sorting
// and filtering apart from the text.
//
// Detached, the model shows no rows and neither reads the dataset nor
// listens to it, so a background task may refill the dataset meanwhile;
// attach() shows it again. The model stops listening by itself when the
// dataset is destroyed first.
#include <QAbstractTableModel>
#include <QHash>
#include <memory>

#include "gridcolumn.h"

namespace vlm {

class DataSet;
struct DataSetChange;

class DataSetModel : public QAbstractTableModel {
  Q_OBJECT
 public:
  enum Roles {
    RawValueRole = Qt::UserRole + 1,  // the typed value (invalid for null)
    DataSetRowRole,                   // the dataset row of the index
    ColumnKindRole,                   // GridColumnKind as int
  };

  explicit DataSetModel(QObject* parent = nullptr);
  ~DataSetModel() override;

  void setDataSet(DataSet* ds);
  DataSet* dataSet() const { return ds_; }

  void setColumns(const QList<GridColumn>& columns);
  const QList<GridColumn>& columns() const { return columns_; }
  const GridColumn& column(int c) const { return columns_[c]; }
  GridColumn& columnRef(int c) { return columns_[c]; }
  // By field name, without regard to case; -1 when there is none.
  int columnOf(QStringView fieldName) const;
  // The dataset column behind a grid column; -1 for an unbound one.
  int fieldIndex(int column) const;

  // Stops showing and listening to the dataset / shows it again.
  void detach();
  void attach();
  bool isDetached() const { return detached_; }
  // True when rows may be read from the dataset now.
  bool isLive() const { return ds_ && !detached_; }

  // Texts of cells, by dataset row.
  QString displayText(int row, int column) const;
  QVariant rawValue(int row, int column) const;
  // The text of a raw value as the column shows it (for the filter lists).
  QString formatValue(int column, const QVariant& value) const;
  QPixmap picture(int column, const QVariant& value) const;

  int rowCount(const QModelIndex& parent = {}) const override;
  int columnCount(const QModelIndex& parent = {}) const override;
  QVariant data(const QModelIndex& index, int role) const override;
  QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
  Qt::ItemFlags flags(const QModelIndex& index) const override;

 Q_SIGNALS:
  // The dataset's current row moved (by the list's code, not by the grid).
  void currentRowMoved(int row);

 private:
  struct Link;
  void listen();
  void stopListening();
  void onChange(const DataSetChange& change);
  void dataSetGone();
  void bindFields();
  Qt::Alignment alignmentOf(int column) const;

  DataSet* ds_ = nullptr;
  QList<GridColumn> columns_;
  std::vector<int> fields_;  // grid column -> dataset column
  int rows_ = 0;
  bool detached_ = false;
  int handle_ = 0;
  std::weak_ptr<Link> link_;
  mutable QHash<quint64, QPixmap> pictures_;  // (column, value) -> picture
};

}  // namespace vlm
