#pragma once
// CBOR pieces shared by the data packet and the table reader: the column
// list and single cells. Internal to protocol/.
#include <QCborStreamReader>
#include <QCborStreamWriter>

#include "dataset.h"

namespace vlm::cbor {

// Raises vlm::Error with "Bad <what>: <detail>".
[[noreturn]] void fail(const char* what, const QString& detail);

// Reads a text string whole (at most `limit` bytes) and moves past it.
QByteArray readText(QCborStreamReader& r, const char* what, qsizetype limit);
// Reads a whole number (must fit in qint64) and moves past it.
qint64 readInteger(QCborStreamReader& r, const char* what);
// Expects a text string equal to `key` and moves past it.
void expectKey(QCborStreamReader& r, const char* key, const char* what);

// Columns: an array of maps {"name": text, "type": text}.
void writeColumns(QCborStreamWriter& w, const DataSet& ds);
// Reads the column list and adds the columns to an empty dataset.
void readColumns(QCborStreamReader& r, DataSet& ds, qsizetype limit, const char* what);

// One cell: null, or the value in the column type's encoding.
void writeCell(QCborStreamWriter& w, const Field& f, qsizetype row);
// Reads one cell and appends it to the column. `limit` bounds the size of a
// text or byte cell (the bytes left in the input).
void appendCell(QCborStreamReader& r, Field& f, qsizetype limit, const char* what);

}  // namespace vlm::cbor
