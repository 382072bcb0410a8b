#pragma once
// The in-memory dataset: named, typed columns, rows and a current row. Result
// tables of the server load into it (from a data packet or a table reader)
// and the grids show it.
//
// Threads: a dataset is plain data, used by one thread at a time. A load
// fills it on a pool thread while its grid is detached; the grid reads it on
// the user-interface thread afterwards. Change notifications are delivered
// on the thread that made the change; an observer that lives on another
// thread has to hand them over itself (or compare version() when it
// re-attaches).
//
// Storage is column-wise and typed: integers, reals and flags in plain
// arrays, texts and bytes as UTF-8 in one buffer per column with an offset
// per row, nulls as one bit per cell.
#include <QByteArray>
#include <QDateTime>
#include <QString>
#include <QStringView>
#include <QVariant>
#include <cstdint>
#include <functional>
#include <memory>
#include <unordered_map>
#include <vector>

namespace vlm {

class DataSet;
class TableReader;

enum class FieldType : std::uint8_t {
  Integer,   // 32-bit signed
  LargeInt,  // 64-bit signed
  Float,     // 64-bit floating point
  Currency,  // money amount (kept as a 64-bit floating point)
  Bcd,       // decimal (kept as a 64-bit floating point)
  String,    // text
  Date,      // day number, whole days
  DateTime,  // day number with the time of day as fraction
  Boolean,
  Memo,   // long text
  Bytes,  // binary (pictures)
};

// The type's name on the wire and in messages: "int32", "int64", "float",
// "currency", "bcd", "string", "date", "datetime", "boolean", "memo", "bytes".
QString fieldTypeName(FieldType type);
// The type of a name; false when the name is unknown.
bool fieldTypeFromName(QStringView name, FieldType& type);

// One column of a dataset. Typed access reads and writes the dataset's
// current row; a null cell reads as 0, "", false or an invalid date.
class Field {
 public:
  Field(const Field&) = delete;
  Field& operator=(const Field&) = delete;

  const QString& fieldName() const { return name_; }
  FieldType dataType() const { return type_; }
  int index() const { return index_; }
  DataSet* dataSet() const { return dataSet_; }

  // A display pattern for the grid ("#,###,##0.00"); empty means the
  // default display.
  const QString& displayFormat() const { return displayFormat_; }
  void setDisplayFormat(const QString& format) { displayFormat_ = format; }

  // True for the three real-number types (Float, Currency, Bcd).
  bool isReal() const;
  // True for String and Memo.
  bool isText() const;

  // ---- The current row ----
  bool isNull() const;
  qint32 asInteger() const;  // reals are rounded; texts parsed (0 when not a number)
  qint64 asLargeInt() const;
  double asFloat() const;
  QString asString() const;  // reals in general form with the locale's decimal separator
  QDateTime asDateTime() const;
  bool asBoolean() const;
  QByteArray asBytes() const;
  QVariant value() const;  // null gives an invalid QVariant

  // Writing the current row; there must be one (vlm::Error otherwise).
  void setAsInteger(qint64 v);
  void setAsFloat(double v);
  void setAsString(const QString& v);
  void setAsDateTime(const QDateTime& v);
  void setAsBoolean(bool v);
  void setAsBytes(const QByteArray& v);
  void setValue(const QVariant& v);  // an invalid or null QVariant clears the cell
  void clear();                      // makes the cell null

 private:
  friend class DataSet;
  friend struct DataSetAccess;
  Field(DataSet* ds, int index, QString name, FieldType type);

  // Storage of the column.
  bool isNullAt(qsizetype row) const { return nulls_[static_cast<size_t>(row)]; }
  QByteArrayView bytesAt(qsizetype row) const;
  void appendNull();
  void setNullAt(qsizetype row, bool null);
  void storeBytes(qsizetype row, QByteArrayView bytes);
  void reserve(qsizetype rows);
  void clearRows();
  std::size_t memoryUse() const;

  DataSet* dataSet_;
  int index_;
  QString name_;
  FieldType type_;
  QString displayFormat_;

  std::vector<bool> nulls_;
  std::vector<qint32> i32_;   // Integer
  std::vector<qint64> i64_;   // LargeInt
  std::vector<double> f64_;   // Float, Currency, Bcd, Date, DateTime
  std::vector<quint8> flag_;  // Boolean
  // String, Memo, Bytes: the cell of row r is pool_[ends_[r-1] .. ends_[r]);
  // a cell written again after later rows were added lives in rewritten_.
  QByteArray pool_;
  std::vector<quint32> ends_;
  std::unordered_map<qsizetype, QByteArray> rewritten_;
};

// What changed, for the grid model.
struct DataSetChange {
  enum Kind {
    Reset,         // rows or columns replaced, or many changes while controls were disabled
    RowsAppended,  // rows [first, last] were appended
    CellChanged,   // one cell (row, column)
    CurrentMoved,  // the current row moved to row
  };
  Kind kind = Reset;
  int row = -1;
  int column = -1;
  int lastRow = -1;
};

class DataSet {
 public:
  DataSet();
  ~DataSet();
  DataSet(const DataSet&) = delete;
  DataSet& operator=(const DataSet&) = delete;
  // Moving takes columns and rows (not the observers, not the state of
  // display updates).
  DataSet(DataSet&& other) noexcept { takeFrom(other); }
  DataSet& operator=(DataSet&& other) noexcept {
    takeFrom(other);
    return *this;
  }

  // ---- Columns ----
  int fieldCount() const { return static_cast<int>(fields_.size()); }
  Field* field(int i) const;  // nullptr when out of range
  // By name, ignoring case; nullptr when there is no such column.
  Field* fieldByName(QStringView name) const;
  Field* findField(QStringView name) const { return fieldByName(name); }
  int fieldIndex(QStringView name) const;  // -1 when missing

  // Adds a column; existing rows get a null cell in it. A name that is
  // already there raises vlm::Error.
  Field* addField(const QString& name, FieldType type);

  // ---- Rows ----
  int rowCount() const { return static_cast<int>(rows_); }
  bool isEmpty() const { return rows_ == 0; }
  void reserve(int rows);
  // Appends a row of null cells and makes it the current row; returns its index.
  int appendRow();
  // Removes every row; the columns stay.
  void clearRows();
  // Removes rows and columns.
  void clear();

  // ---- Cells by (row, column) ----
  // Reading out of range gives null; writing out of range raises vlm::Error.
  bool isNull(int row, int col) const;
  QVariant value(int row, int col) const;
  qint32 intValue(int row, int col) const;
  qint64 largeIntValue(int row, int col) const;
  double floatValue(int row, int col) const;
  QString stringValue(int row, int col) const;
  QDateTime dateTimeValue(int row, int col) const;
  bool boolValue(int row, int col) const;
  QByteArray bytesValue(int row, int col) const;
  // The raw UTF-8 of a text or bytes cell, valid until the next change.
  QByteArrayView rawBytes(int row, int col) const;

  void setValue(int row, int col, const QVariant& v);
  void setInteger(int row, int col, qint64 v);
  void setFloat(int row, int col, double v);
  void setString(int row, int col, const QString& v);
  void setUtf8(int row, int col, QByteArrayView utf8);  // text or bytes as they are
  void setDateTime(int row, int col, const QDateTime& v);
  void setDayCount(int row, int col, double days);  // Date and DateTime columns
  void setBoolean(int row, int col, bool v);
  void setBytes(int row, int col, QByteArrayView v);
  void setNull(int row, int col);

  // ---- The current row (0-based; -1 when there are no rows) ----
  int recNo() const { return current_; }
  void setRecNo(int row);  // clamped to the rows there are
  void first();
  void last();
  void next();   // past the last row sets eof()
  void prior();  // before the first row sets bof()
  bool eof() const { return eof_; }
  bool bof() const { return bof_; }

  enum LocateOption { CaseInsensitive = 1, PartialKey = 2 };
  // Moves to the first row whose column holds the value (compared as the
  // column's type; texts by PartialKey as a prefix). Returns false and stays
  // when there is none.
  bool locate(QStringView fieldName, const QVariant& value, int options = 0);

  // ---- Display updates ----
  // Suspends change notifications; counted, so calls nest. When the last
  // enableControls() comes, one Reset is sent if anything changed meanwhile.
  void disableControls();
  void enableControls();
  bool controlsDisabled() const { return disabled_ > 0; }

  // ---- Notifications ----
  using Observer = std::function<void(const DataSetChange&)>;
  int addObserver(Observer observer);  // returns a handle for removeObserver
  void removeObserver(int handle);
  // Grows with every change of rows, cells or columns.
  quint64 version() const { return version_; }

  // ---- Loading and saving ----
  // Replaces columns and rows with the data packet's. A bad packet raises
  // vlm::Error and leaves the dataset as it was. The current row is the first.
  void loadFromPacket(const QByteArray& packet);
  // The data packet of the whole dataset.
  QByteArray toPacket() const;
  // Replaces columns and rows with the reader's: its columns, then every
  // row it has left. The current row is the last row copied.
  void loadFromReader(TableReader& reader);

  // Replaces this dataset's columns and rows by other's (other is left empty).
  void takeFrom(DataSet& other);

  // Bytes held by the cells (for the memory benchmark).
  std::size_t memoryUse() const;

 private:
  friend class Field;
  friend struct DataSetAccess;
  void notify(const DataSetChange& change);
  void changed(const DataSetChange& change);
  Field* writable(int row, int col);
  const Field* readable(int row, int col) const;

  std::vector<std::unique_ptr<Field>> fields_;
  qsizetype rows_ = 0;
  int current_ = -1;
  bool eof_ = true;
  bool bof_ = true;
  int disabled_ = 0;
  bool pending_ = false;
  quint64 version_ = 0;
  int nextObserver_ = 1;
  std::vector<std::pair<int, Observer>> observers_;
};

}  // namespace vlm
