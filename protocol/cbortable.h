#pragma once
// CBOR pieces shared by the data packet and the table reader: the column
// list and the cells. Internal to protocol/.
//
// Headers are read with QCborStreamReader. The cells, which are the bulk of
// a result table, are written and read by the small coder below: the same
// standard CBOR (RFC 8949), items in their shortest form, reals always as
// 64-bit floats; on reading, every width of integer and float and
// indefinite-length strings and arrays are accepted, as any encoder may
// produce them.
#include <QByteArray>
#include <QCborStreamReader>

#include "dataset.h"

namespace vlm::cbor {

// Raises vlm::Error with "Bad <what>: <detail>".
[[noreturn]] void fail(const char* what, const QString& detail);

// ---- Reading with QCborStreamReader ----
// Reads a text string whole (at most `limit` bytes) and moves past it.
QByteArray readText(QCborStreamReader& r, const char* what, qsizetype limit);
// Reads a byte string whole (at most `limit` bytes) and moves past it.
QByteArray readBytes(QCborStreamReader& r, const char* what, qsizetype limit);
// Reads a whole number (must fit in qint64) and moves past it.
qint64 readInteger(QCborStreamReader& r, const char* what);
// Expects a text string equal to `key` and moves past it.
void expectKey(QCborStreamReader& r, const char* key, const char* what);
// Reads the column list, an array of maps {"name": text, "type": text}, and
// adds the columns to an empty dataset.
void readColumns(QCborStreamReader& r, DataSet& ds, qsizetype limit, const char* what);

// ---- Writing ----
enum Major : quint8 {
  kUnsigned = 0,
  kNegative = 1,
  kBytes = 2,
  kText = 3,
  kArray = 4,
  kMap = 5,
  kTag = 6,
  kSimple = 7
};
// The head of an item: major type and argument, in the shortest form.
void putHead(QByteArray& out, Major major, quint64 argument);
void putInteger(QByteArray& out, qint64 v);
void putText(QByteArray& out, QByteArrayView utf8);
// A real as a 64-bit float.
void putReal(QByteArray& out, double v);
void putColumns(QByteArray& out, const DataSet& ds);
// One cell: null, or the value in the column type's encoding.
void putCell(QByteArray& out, const Field& f, qsizetype row);

// ---- Reading cells ----
class Cursor {
 public:
  Cursor(const QByteArray& data, qsizetype pos, const char* what)
      : begin_(reinterpret_cast<const quint8*>(data.constData())),
        p_(begin_ + pos),
        end_(begin_ + data.size()),
        what_(what) {}
  qsizetype pos() const { return p_ - begin_; }
  bool atEnd() const { return p_ == end_; }
  // An array's head: its length, or -1 for an indefinite-length array.
  qint64 arrayHead();
  // Moves past a break (0xff) and returns true when one comes next.
  bool takeBreak();
  // Reads one cell and appends it to the column.
  void appendCell(Field& f);
  // Reads `count` cells of one column; the common encodings of each type
  // take a short way, the others go through appendCell.
  void appendCells(Field& f, qint64 count);

 private:
  [[noreturn]] void bad(const char* detail) const;
  quint64 argument(quint8 ai);
  void appendString(QByteArray& pool, quint8 major, quint8 ai);

  const quint8* begin_;
  const quint8* p_;
  const quint8* end_;
  const char* what_;
};

}  // namespace vlm::cbor
