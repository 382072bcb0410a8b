// The in-memory dataset: building, typed access, the current row, locate,
// display updates, and loading from packets and table readers.
#include <gtest/gtest.h>

#include <QCborArray>
#include <QCborMap>
#include <QCborStreamWriter>
#include <QCborValue>
#include <QLocale>

#include "datapacket.h"
#include "dataset.h"
#include "daycount.h"
#include "error.h"
#include "numberformat.h"
#include "tablereader.h"

using namespace vlm;

namespace {

// One column of every type, three rows: values, nulls, Turkish text.
void fillAllTypes(DataSet& ds) {
  ds.addField("SIRANO", FieldType::Integer);
  ds.addField("BUYUK", FieldType::LargeInt);
  ds.addField("FIYAT", FieldType::Float);
  ds.addField("TUTAR", FieldType::Currency);
  ds.addField("ORAN", FieldType::Bcd);
  ds.addField("ADI", FieldType::String);
  ds.addField("TARIH", FieldType::Date);
  ds.addField("ZAMAN", FieldType::DateTime);
  ds.addField("SEC", FieldType::Boolean);
  ds.addField("ACIKLAMA", FieldType::Memo);
  ds.addField("RESIM", FieldType::Bytes);

  int r = ds.appendRow();
  ds.setInteger(r, 0, 17);
  ds.setInteger(r, 1, 9000000000LL);
  ds.setFloat(r, 2, 1234.5);
  ds.setFloat(r, 3, 0.18);
  ds.setFloat(r, 4, 20);
  ds.setString(r, 5, QString::fromUtf8("Örnek Ticaret ğüşıöçİ"));
  ds.setDateTime(r, 6, QDateTime(QDate(2024, 2, 29), QTime(0, 0)));
  ds.setDateTime(r, 7, QDateTime(QDate(2024, 2, 29), QTime(18, 30)));
  ds.setBoolean(r, 8, true);
  ds.setString(r, 9, QString::fromUtf8("satır 1\r\nsatır 2"));
  ds.setBytes(r, 10, QByteArray("\x00\xff\x10", 3));

  ds.appendRow();  // all null

  r = ds.appendRow();
  ds.setInteger(r, 0, -5);
  ds.setInteger(r, 1, -1);
  ds.setFloat(r, 2, -0.5);
  ds.setFloat(r, 3, 0);
  ds.setFloat(r, 4, 1e20);
  ds.setString(r, 5, QString::fromUtf8(""));
  ds.setDayCount(r, 6, 0);
  ds.setDayCount(r, 7, -1.25);
  ds.setBoolean(r, 8, false);
  ds.setString(r, 9, QString::fromUtf8(""));
  ds.setBytes(r, 10, QByteArray());
}

void expectSameData(const DataSet& a, const DataSet& b) {
  ASSERT_EQ(a.fieldCount(), b.fieldCount());
  ASSERT_EQ(a.rowCount(), b.rowCount());
  for (int c = 0; c < a.fieldCount(); ++c) {
    EXPECT_EQ(a.field(c)->fieldName(), b.field(c)->fieldName());
    EXPECT_EQ(a.field(c)->dataType(), b.field(c)->dataType());
    for (int r = 0; r < a.rowCount(); ++r) {
      EXPECT_EQ(a.isNull(r, c), b.isNull(r, c)) << "row " << r << " col " << c;
      EXPECT_EQ(a.value(r, c), b.value(r, c)) << "row " << r << " col " << c;
    }
  }
}

}  // namespace

TEST(DataSet, BuildsAndReadsTypedCells) {
  DataSet ds;
  fillAllTypes(ds);
  ASSERT_EQ(ds.fieldCount(), 11);
  ASSERT_EQ(ds.rowCount(), 3);

  EXPECT_EQ(ds.intValue(0, 0), 17);
  EXPECT_EQ(ds.largeIntValue(0, 1), 9000000000LL);
  EXPECT_DOUBLE_EQ(ds.floatValue(0, 2), 1234.5);
  EXPECT_EQ(ds.stringValue(0, 5), QString::fromUtf8("Örnek Ticaret ğüşıöçİ"));
  EXPECT_EQ(ds.value(0, 6), QVariant(QDate(2024, 2, 29)));
  EXPECT_EQ(ds.dateTimeValue(0, 7), QDateTime(QDate(2024, 2, 29), QTime(18, 30)));
  EXPECT_TRUE(ds.boolValue(0, 8));
  EXPECT_EQ(ds.stringValue(0, 9), QString::fromUtf8("satır 1\r\nsatır 2"));
  EXPECT_EQ(ds.bytesValue(0, 10), QByteArray("\x00\xff\x10", 3));

  // A null cell reads as the type's empty value.
  for (int c = 0; c < ds.fieldCount(); ++c) {
    EXPECT_TRUE(ds.isNull(1, c));
    EXPECT_FALSE(ds.value(1, c).isValid());
  }
  EXPECT_EQ(ds.intValue(1, 0), 0);
  EXPECT_EQ(ds.stringValue(1, 5), QString());
  EXPECT_FALSE(ds.dateTimeValue(1, 7).isValid());

  // Empty text and empty bytes are values, not nulls.
  EXPECT_FALSE(ds.isNull(2, 5));
  EXPECT_FALSE(ds.isNull(2, 10));
  EXPECT_EQ(ds.dateTimeValue(2, 7), QDateTime(QDate(1899, 12, 29), QTime(6, 0)));

  // Out of range reads give null, writes raise.
  EXPECT_TRUE(ds.isNull(3, 0));
  EXPECT_TRUE(ds.isNull(0, 11));
  EXPECT_THROW(ds.setInteger(3, 0, 1), Error);
  EXPECT_THROW(ds.setInteger(0, -1, 1), Error);
}

TEST(DataSet, ConvertsBetweenTypes) {
  QLocale::setDefault(QLocale(QLocale::Turkish, QLocale::Turkey));
  DataSet ds;
  fillAllTypes(ds);
  EXPECT_EQ(ds.stringValue(0, 2), QString("1234,5"));  // the locale's separator
  EXPECT_EQ(ds.stringValue(2, 4), QString("1E20"));
  EXPECT_EQ(ds.stringValue(0, 0), QString("17"));
  EXPECT_EQ(ds.stringValue(0, 8), QString("True"));
  EXPECT_EQ(ds.intValue(0, 2), 1235);  // reals round
  EXPECT_DOUBLE_EQ(ds.floatValue(0, 0), 17.0);

  // Writing text into typed columns parses it; nonsense raises.
  ds.setString(0, 0, QString::fromUtf8(" 42 "));
  EXPECT_EQ(ds.intValue(0, 0), 42);
  ds.setString(0, 2, QString::fromUtf8("3,25"));
  EXPECT_DOUBLE_EQ(ds.floatValue(0, 2), 3.25);
  EXPECT_THROW(ds.setString(0, 0, QString::fromUtf8("abc")), Error);
  EXPECT_THROW(ds.setInteger(0, 0, 1LL << 40), Error);  // beyond 32 bits
  EXPECT_THROW(ds.setBytes(0, 0, "x"), Error);
  QLocale::setDefault(QLocale::c());
}

TEST(DataSet, FieldsByNameAndCurrentRow) {
  DataSet ds;
  fillAllTypes(ds);
  EXPECT_EQ(ds.fieldByName(u"adi"), ds.field(5));  // names ignore case
  EXPECT_EQ(ds.findField(u"YOK"), nullptr);
  EXPECT_EQ(ds.fieldIndex(u"YOK"), -1);
  EXPECT_EQ(ds.field(99), nullptr);
  EXPECT_THROW(ds.addField("Adi", FieldType::String), Error);

  Field* adi = ds.fieldByName(u"ADI");
  ASSERT_NE(adi, nullptr);
  EXPECT_EQ(adi->fieldName(), QString("ADI"));
  EXPECT_EQ(adi->dataType(), FieldType::String);

  // Walking the rows.
  QStringList seen;
  int visits = 0;
  for (ds.first(); !ds.eof(); ds.next()) {
    seen << adi->asString();
    ++visits;
  }
  EXPECT_EQ(visits, 3);
  EXPECT_EQ(seen, QStringList({QString::fromUtf8("Örnek Ticaret ğüşıöçİ"), QString(), QString()}));

  ds.setRecNo(0);
  EXPECT_EQ(ds.recNo(), 0);
  EXPECT_EQ(ds.fieldByName(u"SIRANO")->asInteger(), 17);
  ds.fieldByName(u"SIRANO")->setAsInteger(18);
  EXPECT_EQ(ds.intValue(0, 0), 18);
  ds.setRecNo(99);
  EXPECT_EQ(ds.recNo(), 2);

  DataSet empty;
  empty.addField("A", FieldType::Integer);
  empty.first();
  EXPECT_TRUE(empty.eof());
  EXPECT_EQ(empty.recNo(), -1);
  EXPECT_TRUE(empty.field(0)->isNull());
  EXPECT_THROW(empty.field(0)->setAsInteger(1), Error);
}

TEST(DataSet, RewritesTextCellsAnywhere) {
  DataSet ds;
  ds.addField("D", FieldType::String);
  for (int i = 0; i < 4; ++i) ds.setString(ds.appendRow(), 0, QString::number(i));
  // An earlier row written again, longer and shorter, then the last one.
  ds.setString(1, 0, QString::fromUtf8("uzun bir metin"));
  ds.setString(2, 0, QString::fromUtf8(""));
  ds.setString(3, 0, QString::fromUtf8("son"));
  ds.setString(1, 0, QString::fromUtf8("B"));
  EXPECT_EQ(ds.stringValue(0, 0), QString("0"));
  EXPECT_EQ(ds.stringValue(1, 0), QString("B"));
  EXPECT_EQ(ds.stringValue(2, 0), QString(""));
  EXPECT_EQ(ds.stringValue(3, 0), QString("son"));
  ds.setNull(1, 0);
  EXPECT_TRUE(ds.isNull(1, 0));

  DataSet copy;
  copy.loadFromPacket(ds.toPacket());
  expectSameData(ds, copy);
}

TEST(DataSet, Locate) {
  DataSet ds;
  ds.addField("NO", FieldType::Integer);
  ds.addField("AD", FieldType::String);
  ds.addField("F", FieldType::Float);
  const char* names[] = {"FREN BALATASI", "Fren Diski", "Yağ Filtresi"};
  for (int i = 0; i < 3; ++i) {
    const int r = ds.appendRow();
    ds.setInteger(r, 0, (i + 1) * 10);
    ds.setString(r, 1, QString::fromUtf8(names[i]));
    ds.setFloat(r, 2, i * 1.5);
  }
  struct Case {
    const char16_t* field;
    QVariant value;
    int options;
    int row;  // -1: not found
  };
  const Case cases[] = {
      {u"NO", 20, 0, 1},
      {u"NO", QString("30"), 0, 2},
      {u"no", 25, 0, -1},
      {u"AD", QString("Fren Diski"), 0, 1},
      {u"AD", QString("fren diski"), 0, -1},
      {u"AD", QString("fren diski"), DataSet::CaseInsensitive, 1},
      {u"AD", QString("Fren"), DataSet::PartialKey, 1},
      {u"AD", QString("fren"), DataSet::PartialKey | DataSet::CaseInsensitive, 0},
      {u"AD", QString::fromUtf8("Yağ Filtresi"), 0, 2},
      {u"F", 3.0, 0, 2},
  };
  for (const auto& c : cases) {
    ds.setRecNo(0);
    const bool found = ds.locate(c.field, c.value, c.options);
    EXPECT_EQ(found, c.row >= 0) << c.value.toString().toStdString();
    EXPECT_EQ(ds.recNo(), c.row >= 0 ? c.row : 0) << c.value.toString().toStdString();
  }
  EXPECT_THROW(ds.locate(u"YOK", 1), Error);
}

TEST(DataSet, DisplayUpdatesAndNotifications) {
  DataSet ds;
  QList<DataSetChange::Kind> kinds;
  const int handle = ds.addObserver([&](const DataSetChange& c) { kinds << c.kind; });
  ds.addField("A", FieldType::Integer);
  ds.appendRow();
  ds.setInteger(0, 0, 1);
  EXPECT_EQ(kinds, (QList<DataSetChange::Kind>{DataSetChange::Reset, DataSetChange::RowsAppended,
                                               DataSetChange::CellChanged}));
  kinds.clear();

  const quint64 before = ds.version();
  ds.disableControls();
  ds.disableControls();  // nested
  EXPECT_TRUE(ds.controlsDisabled());
  for (int i = 0; i < 100; ++i) ds.setInteger(ds.appendRow(), 0, i);
  ds.enableControls();
  EXPECT_TRUE(kinds.isEmpty());
  ds.enableControls();
  EXPECT_EQ(kinds, QList<DataSetChange::Kind>{DataSetChange::Reset});  // one, at the end
  EXPECT_GT(ds.version(), before);
  EXPECT_FALSE(ds.controlsDisabled());
  ds.enableControls();  // one too many does no harm
  EXPECT_FALSE(ds.controlsDisabled());

  // Nothing changed while disabled: nothing to tell.
  kinds.clear();
  ds.disableControls();
  ds.enableControls();
  EXPECT_TRUE(kinds.isEmpty());

  ds.removeObserver(handle);
  ds.clearRows();
  EXPECT_TRUE(kinds.isEmpty());
  EXPECT_EQ(ds.fieldCount(), 1);
  EXPECT_EQ(ds.rowCount(), 0);
}

TEST(DataSet, DisplayFormatsBelongToFields) {
  DataSet ds;
  Field* f = ds.addField("FIYAT", FieldType::Float);
  EXPECT_TRUE(f->isReal());
  EXPECT_TRUE(f->displayFormat().isEmpty());
  f->setDisplayFormat("#,###,##0.00");
  EXPECT_EQ(ds.fieldByName(u"fiyat")->displayFormat(), QString("#,###,##0.00"));
  EXPECT_FALSE(ds.addField("T", FieldType::Currency)->isReal() == false);
  EXPECT_FALSE(ds.addField("S", FieldType::String)->isReal());
}

TEST(DataPacket, RoundTripsEveryTypeAndReplacesAll) {
  DataSet src;
  fillAllTypes(src);
  const QByteArray packet = src.toPacket();

  DataSet dst;
  dst.addField("ESKI", FieldType::String);
  dst.setString(dst.appendRow(), 0, QString::fromUtf8("eski"));
  QList<DataSetChange::Kind> kinds;
  dst.addObserver([&](const DataSetChange& c) { kinds << c.kind; });
  dst.loadFromPacket(packet);
  expectSameData(src, dst);
  EXPECT_EQ(dst.fieldByName(u"ESKI"), nullptr);
  EXPECT_EQ(dst.recNo(), 0);  // the first row is current after a load
  EXPECT_EQ(kinds, QList<DataSetChange::Kind>{DataSetChange::Reset});
  EXPECT_EQ(dst.field(0)->dataSet(), &dst);

  // The same packet again is byte for byte the same.
  EXPECT_EQ(dst.toPacket(), packet);

  DataSet empty;
  DataSet emptyCopy;
  emptyCopy.loadFromPacket(empty.toPacket());
  EXPECT_EQ(emptyCopy.fieldCount(), 0);
  EXPECT_EQ(emptyCopy.rowCount(), 0);
}

TEST(DataPacket, BadPacketsRaiseAndChangeNothing) {
  DataSet src;
  fillAllTypes(src);
  const QByteArray good = src.toPacket();

  // {"version":1,"columns":[{"name":"A","type":"int32"}],"rows":1,"data":[[x]]}
  auto oneCell = [](const QByteArray& cell, const char* type = "int32", const char* rows = "\x01") {
    QByteArray b = QByteArray::fromHex("a4") + QByteArray::fromHex("6776657273696f6e01") +
                   QByteArray::fromHex("67636f6c756d6e73") + QByteArray::fromHex("81a2") +
                   QByteArray::fromHex("646e616d656141") + QByteArray::fromHex("6474797065");
    b += char(0x60 + int(strlen(type)));
    b += type;
    b += QByteArray::fromHex("64726f7773") + QByteArray(rows, 1);
    b += QByteArray::fromHex("646461746181") + QByteArray::fromHex("81") + cell;
    return b;
  };
  {
    // The helper builds a good packet from a good cell.
    DataSet ds;
    ds.loadFromPacket(oneCell(QByteArray::fromHex("18 2a")));
    EXPECT_EQ(ds.intValue(0, 0), 42);
  }

  const QByteArray cases[] = {
      QByteArray(),
      QByteArray("garbage bytes"),
      good.left(good.size() / 2),
      good.left(good.size() - 1),
      good + char(0),
      oneCell(QByteArray::fromHex("6131")),                 // text in an integer column
      oneCell(QByteArray::fromHex("1b0000000100000000")),   // beyond 32 bits
      oneCell(QByteArray::fromHex("01"), "int16"),          // unknown type
      oneCell(QByteArray::fromHex("01"), "int32", "\x02"),  // fewer cells than rows
      oneCell(QByteArray::fromHex("7a7fffffff")),           // a huge text claimed
      oneCell(QByteArray::fromHex("7a7fffff41"), "string"),
      oneCell(QByteArray::fromHex("1b7fffffffffffffff"), "int32", "\x18"),
  };
  for (const QByteArray& bad : cases) {
    DataSet ds;
    ds.addField("KALAN", FieldType::Integer);
    ds.setInteger(ds.appendRow(), 0, 7);
    EXPECT_THROW(ds.loadFromPacket(bad), Error) << bad.toHex().toStdString();
    ASSERT_EQ(ds.fieldCount(), 1);
    EXPECT_EQ(ds.intValue(0, 0), 7);
  }
  // Cut anywhere: an error, never a hang or a partial load.
  for (qsizetype cut = 0; cut < good.size(); ++cut) {
    DataSet ds;
    EXPECT_THROW(ds.loadFromPacket(good.left(cut)), Error) << cut;
    EXPECT_EQ(ds.fieldCount(), 0);
  }
}

TEST(TableReader, ReadsRowsAndLoadsADataSet) {
  DataSet src;
  fillAllTypes(src);
  const QByteArray encoded = TableReader::encode(src);

  {
    TableReader reader(encoded);
    ASSERT_EQ(reader.columnCount(), 11);
    EXPECT_EQ(reader.columnName(5), QString("ADI"));
    EXPECT_EQ(reader.columnType(7), FieldType::DateTime);
    EXPECT_EQ(reader.columnIndex(u"sec"), 8);
    EXPECT_TRUE(reader.isNull(0));  // before the first row
    ASSERT_TRUE(reader.next());
    EXPECT_EQ(reader.getInt32(0), 17);
    EXPECT_EQ(reader.getString(5), QString::fromUtf8("Örnek Ticaret ğüşıöçİ"));
    EXPECT_EQ(reader.getBytes(10), QByteArray("\x00\xff\x10", 3));
    ASSERT_TRUE(reader.next());
    EXPECT_TRUE(reader.isNull(0));
    ASSERT_TRUE(reader.next());
    EXPECT_EQ(reader.getInt64(1), -1);
    EXPECT_FALSE(reader.next());
    EXPECT_FALSE(reader.next());
    EXPECT_EQ(reader.rowsRead(), 3);
  }
  {
    TableReader reader(encoded);
    DataSet dst;
    dst.loadFromReader(reader);
    expectSameData(src, dst);
    EXPECT_EQ(dst.recNo(), 2);  // the last row copied is current
  }
  {
    // A reader already read half-way gives the dataset the rest.
    TableReader reader(encoded);
    reader.next();
    DataSet dst;
    dst.loadFromReader(reader);
    EXPECT_EQ(dst.rowCount(), 2);
  }
}

TEST(TableReader, BadInputRaises) {
  DataSet src;
  fillAllTypes(src);
  const QByteArray encoded = TableReader::encode(src);
  EXPECT_THROW(TableReader{QByteArray("nonsense")}, Error);
  EXPECT_THROW(TableReader{QByteArray()}, Error);
  // Cut anywhere: the reading fails, never hangs.
  for (qsizetype cut = 0; cut < encoded.size(); ++cut) {
    EXPECT_THROW(
        {
          TableReader reader(encoded.left(cut));
          DataSet dst;
          dst.loadFromReader(reader);
        },
        Error)
        << cut;
  }
  // After a bad row the reader stays at its end.
  TableReader reader(encoded.left(encoded.size() - 1));
  EXPECT_TRUE(reader.next());
  EXPECT_TRUE(reader.next());
  EXPECT_THROW(reader.next(), Error);
  EXPECT_FALSE(reader.next());
}

TEST(DayCount, Conversions) {
  struct Case {
    double days;
    QDateTime when;
  };
  const Case cases[] = {
      {0, QDateTime(QDate(1899, 12, 30), QTime(0, 0))},
      {1, QDateTime(QDate(1899, 12, 31), QTime(0, 0))},
      {2.75, QDateTime(QDate(1900, 1, 1), QTime(18, 0))},
      {-1.25, QDateTime(QDate(1899, 12, 29), QTime(6, 0))},
      {45351.5, QDateTime(QDate(2024, 2, 29), QTime(12, 0))},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(fromDayCount(c.days), c.when) << c.days;
    EXPECT_DOUBLE_EQ(toDayCount(c.when), c.days) << c.days;
  }
  EXPECT_FALSE(fromDayCount(std::numeric_limits<double>::quiet_NaN()).isValid());
  EXPECT_FALSE(fromDayCount(1e300).isValid());
  EXPECT_EQ(toDayCount(QDateTime()), 0);
}

TEST(NumberFormat, ShortestGeneralForm) {
  struct Case {
    double v;
    const char* text;
  };
  const Case cases[] = {
      {0.18, "0.18"},
      {20.0, "20"},
      {1250.75, "1250.75"},
      {3000, "3000"},
      {-3.5, "-3.5"},
      {0.1 + 0.2, "0.3"},
      {1.0 / 3, "0.333333333333333"},
      {100000000000000.0, "100000000000000"},
      {1e15, "1E15"},
      {1e20, "1E20"},
      {123456789012345678.0, "1.23456789012346E17"},
      {0.0001, "0.0001"},
      {0.00001, "1E-5"},
      {1.5e-7, "1.5E-7"},
      {-0.0, "0"},
      {0, "0"},
  };
  for (const auto& c : cases) EXPECT_EQ(formatReal(c.v), QByteArray(c.text)) << c.text;
}

TEST(DataPacket, StandardCborBothWays) {
  // Our packet read by Qt's general CBOR parser.
  DataSet src;
  fillAllTypes(src);
  QCborParserError err;
  const QCborValue v = QCborValue::fromCbor(src.toPacket(), &err);
  ASSERT_EQ(err.error, QCborError::NoError);
  const QCborMap m = v.toMap();
  EXPECT_EQ(m.keys().size(), 4);
  EXPECT_EQ(m[QLatin1String("version")].toInteger(), 1);
  EXPECT_EQ(m[QLatin1String("rows")].toInteger(), 3);
  EXPECT_EQ(m[QLatin1String("columns")].toArray().at(5).toMap()[QLatin1String("type")].toString(),
            QString("string"));
  const QCborArray data = m[QLatin1String("data")].toArray();
  EXPECT_EQ(data.at(5).toArray().at(0).toString(), QString::fromUtf8("Örnek Ticaret ğüşıöçİ"));
  EXPECT_EQ(data.at(2).toArray().at(0).toDouble(), 1234.5);
  EXPECT_TRUE(data.at(2).toArray().at(1).isNull());

  // A packet from another encoder: indefinite lengths, short floats, chunked text.
  QByteArray other;
  QCborStreamWriter w(&other);
  w.startMap();
  w.append(QLatin1StringView("version"));
  w.append(1);
  w.append(QLatin1StringView("columns"));
  w.startArray();
  for (const char* c : {"F", "S", "N"}) {
    w.startMap(2);
    w.append(QLatin1StringView("name"));
    w.append(QLatin1StringView(c));
    w.append(QLatin1StringView("type"));
    w.append(QLatin1StringView(QByteArray(c) == "F"   ? "float"
                               : QByteArray(c) == "S" ? "string"
                                                      : "int64"));
    w.endMap();
  }
  w.endArray();
  w.append(QLatin1StringView("rows"));
  w.append(2);
  w.append(QLatin1StringView("data"));
  w.startArray();
  w.startArray();
  w.append(qfloat16(-1.5f));
  w.append(0.25f);
  w.endArray();
  w.startArray(2);
  w.append(QLatin1StringView("kisa"));
  w.appendNull();
  w.endArray();
  w.startArray();
  w.append(std::numeric_limits<qint64>::min());
  w.append(qint64(-1));
  w.endArray();
  w.endArray();
  w.endMap();
  // Replace the second text cell by an indefinite-length text in two chunks.
  other.replace(QByteArray::fromHex("f6"), QByteArray::fromHex("7f 62c3b6 61 6b ff"));
  DataSet ds;
  ds.loadFromPacket(other);
  EXPECT_EQ(ds.floatValue(0, 0), -1.5);
  EXPECT_EQ(ds.floatValue(1, 0), 0.25);
  EXPECT_EQ(ds.stringValue(1, 1), QString::fromUtf8("ök"));
  EXPECT_EQ(ds.largeIntValue(0, 2), std::numeric_limits<qint64>::min());
  EXPECT_EQ(ds.largeIntValue(1, 2), -1);
}
