#include "datasetmodel.h"

#include <QDate>
#include <QDateTime>
#include <QLocale>
#include <QMetaObject>
#include <QThread>

#include "dataset.h"
#include "numberformat.h"
#include "sayibicim.h"

namespace vlm {

// Shared with the observer stored in the dataset: when the dataset is
// destroyed it destroys the observer, and with it the last reference to the
// link, which tells the model.
struct DataSetModel::Link {
  DataSetModel* model = nullptr;
  ~Link() {
    if (model) model->dataSetGone();
  }
};

DataSetModel::DataSetModel(QObject* parent) : QAbstractTableModel(parent) {}

DataSetModel::~DataSetModel() {
  stopListening();
}

void DataSetModel::listen() {
  if (!ds_ || handle_) return;
  auto link = std::make_shared<Link>();
  link->model = this;
  link_ = link;
  handle_ = ds_->addObserver([link](const DataSetChange& change) {
    if (link->model) link->model->onChange(change);
  });
}

void DataSetModel::stopListening() {
  if (auto link = link_.lock()) link->model = nullptr;
  link_.reset();
  if (ds_ && handle_) ds_->removeObserver(handle_);
  handle_ = 0;
}

void DataSetModel::dataSetGone() {
  // Runs inside the dataset's destructor: the pointer must not be used again.
  link_.reset();
  handle_ = 0;
  ds_ = nullptr;
  if (QThread::currentThread() != thread()) {
    QMetaObject::invokeMethod(
        this,
        [this] {
          beginResetModel();
          rows_ = 0;
          endResetModel();
        },
        Qt::QueuedConnection);
    return;
  }
  beginResetModel();
  rows_ = 0;
  fields_.assign(size_t(columns_.size()), -1);
  endResetModel();
}

void DataSetModel::setDataSet(DataSet* ds) {
  beginResetModel();
  stopListening();
  ds_ = ds;
  if (!detached_) listen();
  bindFields();
  rows_ = isLive() ? ds_->rowCount() : 0;
  endResetModel();
}

void DataSetModel::setColumns(const QList<GridColumn>& columns) {
  beginResetModel();
  columns_ = columns;
  pictures_.clear();
  bindFields();
  endResetModel();
}

void DataSetModel::bindFields() {
  fields_.assign(size_t(columns_.size()), -1);
  if (!isLive()) return;
  for (int c = 0; c < columns_.size(); ++c)
    fields_[size_t(c)] =
        columns_[c].fieldName.isEmpty() ? -1 : ds_->fieldIndex(columns_[c].fieldName);
}

int DataSetModel::columnOf(QStringView fieldName) const {
  for (int c = 0; c < columns_.size(); ++c)
    if (columns_[c].fieldName.compare(fieldName, Qt::CaseInsensitive) == 0) return c;
  return -1;
}

int DataSetModel::fieldIndex(int column) const {
  if (column < 0 || column >= int(fields_.size())) return -1;
  return fields_[size_t(column)];
}

void DataSetModel::detach() {
  if (detached_) return;
  beginResetModel();
  stopListening();
  detached_ = true;
  rows_ = 0;
  endResetModel();
}

void DataSetModel::attach() {
  if (!detached_) return;
  beginResetModel();
  detached_ = false;
  listen();
  bindFields();
  rows_ = ds_ ? ds_->rowCount() : 0;
  endResetModel();
}

void DataSetModel::onChange(const DataSetChange& change) {
  if (QThread::currentThread() != thread()) {
    // The dataset was changed on another thread while this model showed it;
    // nothing here may run there. The rows are taken afresh on the model's
    // own thread, which is all that can be done now.
    qWarning("DataSetModel: dataset changed on another thread while attached");
    QMetaObject::invokeMethod(
        this, [this] { onChange(DataSetChange{DataSetChange::Reset}); }, Qt::QueuedConnection);
    return;
  }
  if (!isLive()) return;
  switch (change.kind) {
    case DataSetChange::Reset:
      beginResetModel();
      bindFields();
      rows_ = ds_->rowCount();
      endResetModel();
      break;
    case DataSetChange::RowsAppended:
      if (change.row == rows_ && change.lastRow >= change.row && change.lastRow < ds_->rowCount()) {
        beginInsertRows({}, change.row, change.lastRow);
        rows_ = change.lastRow + 1;
        endInsertRows();
      } else {
        beginResetModel();
        rows_ = ds_->rowCount();
        endResetModel();
      }
      break;
    case DataSetChange::CellChanged:
      // The columns bound to the changed field, and those that do not show
      // a field of their own (a drawn cell may use any of the row's values).
      if (change.row >= 0 && change.row < rows_) {
        for (int c = 0; c < columns_.size(); ++c) {
          const int f = fields_[size_t(c)];
          if (f == change.column || f < 0 || columns_[c].kind == GridColumnKind::Drawn)
            Q_EMIT dataChanged(index(change.row, c), index(change.row, c));
        }
      }
      break;
    case DataSetChange::CurrentMoved: Q_EMIT currentRowMoved(change.row); break;
  }
}

QVariant DataSetModel::rawValue(int row, int column) const {
  const int f = fieldIndex(column);
  if (!isLive() || f < 0 || row < 0 || row >= rows_) return {};
  return ds_->value(row, f);
}

QString DataSetModel::formatValue(int column, const QVariant& v) const {
  if (!v.isValid() || v.isNull() || column < 0 || column >= columns_.size()) return {};
  const int f = fieldIndex(column);
  const Field* field = isLive() && f >= 0 ? ds_->field(f) : nullptr;
  QString fmt = columns_[column].displayFormat;
  if (fmt.isEmpty() && field) fmt = field->displayFormat();
  switch (v.typeId()) {
    case QMetaType::Int:
    case QMetaType::LongLong:
      return fmt.isEmpty() ? QString::number(v.toLongLong()) : FormatFloat(fmt, v.toDouble());
    case QMetaType::Double:
      return fmt.isEmpty() ? formatRealLocal(v.toDouble()) : FormatFloat(fmt, v.toDouble());
    case QMetaType::QDate:
      return fmt.isEmpty() ? QLocale().toString(v.toDate(), QLocale::ShortFormat)
                           : QLocale().toString(v.toDate(), fmt);
    case QMetaType::QDateTime: {
      const QDateTime dt = v.toDateTime();
      if (!fmt.isEmpty()) return QLocale().toString(dt, fmt);
      if (dt.time() == QTime(0, 0)) return QLocale().toString(dt.date(), QLocale::ShortFormat);
      return QLocale().toString(dt, QLocale::ShortFormat);
    }
    case QMetaType::Bool: return v.toBool() ? QStringLiteral("True") : QStringLiteral("False");
    case QMetaType::QByteArray: return QString::fromUtf8(v.toByteArray());
    default: return v.toString();
  }
}

QString DataSetModel::displayText(int row, int column) const {
  if (!isLive() || row < 0 || row >= rows_ || column < 0 || column >= columns_.size()) return {};
  const GridColumn& col = columns_[column];
  if (col.text && (fieldIndex(column) < 0 || col.kind == GridColumnKind::Drawn))
    return col.text(*ds_, row);
  const int f = fieldIndex(column);
  if (f < 0) return {};
  const Field* field = ds_->field(f);
  if (field->isText()) return ds_->stringValue(row, f);
  return formatValue(column, ds_->value(row, f));
}

QPixmap DataSetModel::picture(int column, const QVariant& value) const {
  if (column < 0 || column >= columns_.size() || !columns_[column].pictureOf) return {};
  // Pictures are few (one per value); the cache keeps them drawn once.
  bool numeric = false;
  const qint64 n = value.isValid() ? value.toLongLong(&numeric) : 0;
  if (numeric && value.typeId() != QMetaType::QString) {
    const quint64 key = (quint64(quint32(column)) << 40) ^ (quint64(n) & 0xFFFFFFFFFFull);
    auto it = pictures_.constFind(key);
    if (it != pictures_.constEnd()) return *it;
    QPixmap pm = columns_[column].pictureOf(value);
    if (pictures_.size() < 4096) pictures_.insert(key, pm);
    return pm;
  }
  return columns_[column].pictureOf(value);
}

Qt::Alignment DataSetModel::alignmentOf(int column) const {
  const GridColumn& col = columns_[column];
  Qt::Alignment a = col.alignment;
  if (!(a & Qt::AlignHorizontal_Mask)) {
    Qt::Alignment h = Qt::AlignLeft;
    if (col.kind == GridColumnKind::Picture || col.kind == GridColumnKind::CheckBox) {
      h = Qt::AlignHCenter;
    } else {
      const int f = fieldIndex(column);
      if (f >= 0) {
        const FieldType t = ds_->field(f)->dataType();
        if (t == FieldType::Integer || t == FieldType::LargeInt || t == FieldType::Float ||
            t == FieldType::Currency || t == FieldType::Bcd)
          h = Qt::AlignRight;
      }
    }
    a |= h;
  }
  if (!(a & Qt::AlignVertical_Mask)) a |= Qt::AlignVCenter;
  return a;
}

int DataSetModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : rows_;
}

int DataSetModel::columnCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : int(columns_.size());
}

QVariant DataSetModel::data(const QModelIndex& index, int role) const {
  if (!index.isValid() || !isLive() || index.row() >= rows_) return {};
  const int row = index.row(), c = index.column();
  const GridColumn& col = columns_[c];
  switch (role) {
    case Qt::DisplayRole:
      if (col.kind == GridColumnKind::Picture || col.kind == GridColumnKind::CheckBox) return {};
      return displayText(row, c);
    case Qt::DecorationRole:
      if (col.kind != GridColumnKind::Picture) return {};
      return picture(c, rawValue(row, c));
    case Qt::CheckStateRole: {
      if (col.kind != GridColumnKind::CheckBox) return {};
      const QVariant v = rawValue(row, c);
      const bool on = v.typeId() == QMetaType::QString
                          ? v.toString().trimmed() == QLatin1String("1")
                          : v.toDouble() != 0;
      return on ? Qt::Checked : Qt::Unchecked;
    }
    case Qt::TextAlignmentRole: return QVariant::fromValue(alignmentOf(c));
    case RawValueRole: return rawValue(row, c);
    case DataSetRowRole: return row;
    case ColumnKindRole: return int(col.kind);
    default: return {};
  }
}

QVariant DataSetModel::headerData(int section, Qt::Orientation orientation, int role) const {
  if (orientation == Qt::Vertical) {
    if (role == Qt::DisplayRole) return section + 1;
    return {};
  }
  if (section < 0 || section >= columns_.size()) return {};
  if (role == Qt::DisplayRole) return columns_[section].captionText();
  if (role == Qt::TextAlignmentRole)
    return QVariant::fromValue(Qt::Alignment(Qt::AlignLeft | Qt::AlignVCenter));
  return {};
}

Qt::ItemFlags DataSetModel::flags(const QModelIndex& index) const {
  if (!index.isValid()) return Qt::NoItemFlags;
  return Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemNeverHasChildren;
}

}  // namespace vlm
