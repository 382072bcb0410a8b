// Workbooks written by writeXls, read back by an independent reader: xlrd,
// driven by check_xls.py, which also checks the container and the record
// structure that Excel relies on.
#include "xlswriter.h"

#include <gtest/gtest.h>

#include <QDate>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTemporaryDir>
#include <QTime>

#include <cmath>
#include <functional>
#include <limits>
#include <vector>

namespace vlm {
namespace {

// ---- Expected cells, in check_xls.py's notation ------------------------------

QJsonValue S(const QString& s) {
  return QJsonArray{"s", s};
}
QJsonValue N(double v) {
  return QJsonArray{"n", v};
}
QJsonValue B(bool v) {
  return QJsonArray{"b", v};
}
QJsonValue E(int code) {
  return QJsonArray{"e", code};
}
QJsonValue D(int y, int m, int d, int h = 0, int mi = 0, int s = 0) {
  return QJsonArray{"d", QJsonArray{y, m, d, h, mi, s}};
}
const QJsonValue Empty;  // null

// A list to export: its columns and cells, and what each cell must read back as.
struct List {
  QList<XlsColumn> columns;
  std::vector<std::vector<QVariant>> cells;     // [row][column]
  std::vector<std::vector<QJsonValue>> expect;  // [row][column]

  void addRow(std::vector<QVariant> in, std::vector<QJsonValue> out) {
    cells.push_back(std::move(in));
    expect.push_back(std::move(out));
  }
  int rowCount() const { return int(cells.size()); }
  XlsCellSource source() const {
    return [this](int r, int c) { return cells.at(std::size_t(r)).at(std::size_t(c)); };
  }

  QJsonArray header() const {
    QJsonArray row;
    for (const XlsColumn& c : columns) row.append(c.caption.isEmpty() ? Empty : S(c.caption));
    return row;
  }
  static QJsonArray row(const std::vector<QJsonValue>& cells) {
    QJsonArray out;
    for (const QJsonValue& v : cells) out.append(v);
    return out;
  }
  // The sheets the list must come back as: 65,535 rows and a header each.
  QJsonArray sheets() const {
    QJsonArray sheets;
    const int perSheet = kXlsRowsPerSheet - 1;
    for (int first = 0, n = 1; first == 0 || first < rowCount(); first += perSheet, ++n) {
      QJsonArray rows{header()};
      for (int r = first; r < std::min(rowCount(), first + perSheet); ++r)
        rows.append(row(expect[std::size_t(r)]));
      sheets.append(QJsonObject{{"name", QStringLiteral("Sayfa%1").arg(n)}, {"rows", rows}});
    }
    return sheets;
  }
};

class XlsWriterTest : public ::testing::Test {
 protected:
  QTemporaryDir dir_;

  // VLM_KEEP_XLS=1 keeps the workbooks and their expectations for a look by hand.
  void SetUp() override { dir_.setAutoRemove(qEnvironmentVariableIsEmpty("VLM_KEEP_XLS")); }
  QString path(const QString& name) const { return dir_.filePath(name); }

  // Writes the list and has check_xls.py compare the file with `checks` plus
  // the list's expected sheets.
  ::testing::AssertionResult writeAndReadBack(const List& list, const QString& name,
                                              QJsonObject checks = {}) {
    QString error;
    const QString xls = path(name);
    if (!writeXls(xls, list.columns, list.rowCount(), list.source(), &error))
      return ::testing::AssertionFailure() << "writeXls failed: " << error.toStdString();
    checks["sheets"] = list.sheets();
    return readBack(xls, checks);
  }

  ::testing::AssertionResult readBack(const QString& xls, const QJsonObject& checks) {
    const QString json = xls + QStringLiteral(".json");
    QFile f(json);
    if (!f.open(QIODevice::WriteOnly) ||
        f.write(QJsonDocument(checks).toJson(QJsonDocument::Compact)) < 0)
      return ::testing::AssertionFailure() << "cannot write " << json.toStdString();
    f.close();
    QProcess checker;
    checker.setProcessChannelMode(QProcess::MergedChannels);
    checker.start(QStringLiteral(VLM_PYTHON3), {QStringLiteral(VLM_XLS_CHECKER), xls, json});
    if (!checker.waitForFinished(240000))
      return ::testing::AssertionFailure() << "check_xls.py did not finish";
    const QString output = QString::fromUtf8(checker.readAll());
    if (checker.exitStatus() != QProcess::NormalExit || checker.exitCode() != 0)
      return ::testing::AssertionFailure() << "check_xls.py:\n" << output.toStdString();
    return ::testing::AssertionSuccess() << output.toStdString();
  }
};

// ---- Values of every kind ------------------------------------------------------

TEST_F(XlsWriterTest, EveryKindOfValueReadsBackAsItsType) {
  const double nan = std::numeric_limits<double>::quiet_NaN();
  struct Column {
    XlsColumn column;
    std::vector<std::pair<QVariant, QJsonValue>> cases;  // value given, cell read back
  };
  const std::vector<Column> columns = {
      {{"Stok Kodu", XlsColumn::Text, {}},
       {{"ABC-001", S("ABC-001")},
        {"ğüşöçıİĞÜŞÖÇ", S("ğüşöçıİĞÜŞÖÇ")},
        {"", Empty},
        {QVariant(), Empty},
        {"Café crème", S("Café crème")},  // Latin-1, one byte a character
        {"  iki satır\r\nboşluklu  ", S("  iki satır\r\nboşluklu  ")},
        {12.5, S("12.5")},
        {QString::fromUtf8("\U0001F697 araç"), S(QString::fromUtf8("\U0001F697 araç"))},
        {QVariant(QMetaType(QMetaType::QString)), Empty}}},  // a null from the database
      {{"Fiyat", XlsColumn::Number, "#,##0.00"},
       {{12.5, N(12.5)},
        {0, N(0)},
        {-3.25, N(-3.25)},
        {1234567.891, N(1234567.891)},
        {0.1, N(0.1)},
        {1e300, N(1e300)},
        {536870911, N(536870911)},  // the largest integer RK holds
        {536870912, N(536870912)},
        {-536870913.0, N(-536870913.0)},
        {QVariant::fromValue(qlonglong(8690000000001)), N(8690000000001.0)},
        {"42.75", N(42.75)},  // a text that reads as a number
        {"yok", S("yok")},
        {"inf", S("inf")},
        {nan, E(0x24)},  // #NUM!
        {std::numeric_limits<double>::infinity(), E(0x24)},
        {true, N(1)},
        {QDate(2024, 1, 1), S("2024-01-01")}}},
      {{"Tarih", XlsColumn::Date, {}},
       {{QDate(2024, 2, 29), D(2024, 2, 29)},
        {QDate(1900, 3, 1), D(1900, 3, 1)},
        // Before March 1900 Excel's day numbers are one off from other readers'.
        {QDate(1900, 2, 28), S("28.02.1900")},
        {QDate(1899, 12, 31), S("31.12.1899")},
        {QDate(9999, 12, 31), D(9999, 12, 31)},
        {QDate(10000, 1, 1), S("01.01.10000")},
        {QDate(), Empty},
        {QDateTime(QDate(2023, 12, 31), QTime(23, 59, 59)), D(2023, 12, 31, 23, 59, 59)},
        {"dün", S("dün")}}},
      {{"Kayıt Zamanı", XlsColumn::DateTime, {}},
       {{QDateTime(QDate(2024, 5, 17), QTime(14, 30, 5)), D(2024, 5, 17, 14, 30, 5)},
        {QDateTime(QDate(2024, 1, 1), QTime(0, 0)), D(2024, 1, 1)},
        {QDate(2024, 6, 1), D(2024, 6, 1)},
        {QTime(14, 30), D(0, 0, 0, 14, 30)},
        {QDateTime(), Empty}}},
      {{"Seçili", XlsColumn::Boolean, {}},
       {{true, B(true)}, {false, B(false)}, {1, B(true)}, {0, B(false)}, {QVariant(), Empty}}},
      {{"Miktar", XlsColumn::Number, {}}, {{5, N(5)}, {2.5, N(2.5)}, {-1, N(-1)}}},
      {{"Tarih (gün/ay)", XlsColumn::Date, "d/m/yy"}, {{QDate(2024, 3, 9), D(2024, 3, 9)}}},
      {{"Boş", XlsColumn::Text, {}}, {}},
  };

  List list;
  std::size_t rows = 0;
  for (const Column& c : columns) {
    list.columns.append(c.column);
    rows = std::max(rows, c.cases.size());
  }
  for (std::size_t r = 0; r < rows; ++r) {
    std::vector<QVariant> in;
    std::vector<QJsonValue> out;
    for (const Column& c : columns) {
      in.push_back(r < c.cases.size() ? c.cases[r].first : QVariant());
      out.push_back(r < c.cases.size() ? c.cases[r].second : Empty);
    }
    list.addRow(in, out);
  }
  const QJsonObject checks{
      {"formats", QJsonArray{"General", "#,##0.00", "dd.mm.yyyy", "dd.mm.yyyy hh:mm:ss", "General",
                             "General", "d/m/yy", QJsonValue()}},
      {"header_bold", true}};
  EXPECT_TRUE(writeAndReadBack(list, "kinds.xls", checks));
}

// Lists with nothing, or stretches of nothing, in them still make a workbook
// Excel opens.
TEST_F(XlsWriterTest, EmptyListsAndRowsGiveAValidWorkbook) {
  struct Case {
    const char* name;
    QList<XlsColumn> columns;
    int rows;
    std::function<bool(int)> filled;  // whether a row has a value
  };
  const QList<XlsColumn> two = {{"Stok Kodu", XlsColumn::Text, {}},
                                {"Fiyat", XlsColumn::Number, {}}};
  const Case cases[] = {
      {"no rows", two, 0, {}},
      {"no columns", {}, 3, {}},
      {"no captions", {{"", XlsColumn::Text, {}}}, 0, {}},
      // Rows 5-75 empty: the second block of 32 rows has no cells at all.
      {"empty rows", two, 100, [](int r) { return r < 4 || r > 74; }},
      {"empty at the end", two, 100, [](int r) { return r < 10; }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    List list;
    list.columns = c.columns;
    for (int r = 0; r < c.rows; ++r) {
      std::vector<QVariant> in(std::size_t(c.columns.size()));
      std::vector<QJsonValue> out(std::size_t(c.columns.size()));
      if (c.filled && c.filled(r) && c.columns.size() == 2) {
        in = {QStringLiteral("K%1").arg(r), r * 1.5};
        out = {S(QStringLiteral("K%1").arg(r)), N(r * 1.5)};
      }
      list.addRow(in, out);
    }
    EXPECT_TRUE(writeAndReadBack(list, QString::fromLatin1(c.name) + ".xls"));
  }
}

// ---- Sheets of 65,536 rows -------------------------------------------------------

TEST_F(XlsWriterTest, LongListGoesOnOverSheetsWithTheirOwnHeader) {
  List list;
  list.columns = {{"Sıra", XlsColumn::Number, {}},
                  {"Ürün", XlsColumn::Text, {}},
                  {"Tarih", XlsColumn::Date, {}}};
  const QDate base(2020, 1, 1);
  const int rows = kXlsRowsPerSheet + 10;  // 65,535 on the first sheet, 11 on the second
  for (int i = 0; i < rows; ++i) {
    const QDate d = base.addDays(i % 3650);
    const QString name = QStringLiteral("Ürün %1").arg(i % 1000);
    list.addRow({i, name, d}, {N(i), S(name), D(d.year(), d.month(), d.day())});
  }
  EXPECT_TRUE(writeAndReadBack(list, "long.xls"));
}

// ---- Shared strings beyond one record ---------------------------------------------

TEST_F(XlsWriterTest, ManyAndLongTextsContinueTheStringTable) {
  List list;
  list.columns = {{"Açıklama", XlsColumn::Text, {}}};
  auto add = [&list](const QString& in, const QString& out) { list.addRow({in}, {S(out)}); };
  // Lengths and widths that vary, so that record ends fall everywhere: in
  // one-byte and in two-byte texts, between the halves of surrogate pairs.
  const QString car = QString::fromUtf8("\U0001F697");
  for (int i = 0; i < 3000; ++i) {
    const int len = 1 + (i * 37) % 700;
    QString s;
    switch (i % 3) {
      case 0: s = QString(len, QLatin1Char('a' + i % 26)); break;
      case 1: s = QStringLiteral("ğ%1").arg(i).leftJustified(len, QChar(u'ş')); break;
      case 2: s = QString(car + QLatin1Char('x')).repeated(len / 3 + 1); break;
    }
    add(s + QString::number(i), s + QString::number(i));
  }
  add(QString(20000, QChar(u'Ç')), QString(20000, QChar(u'Ç')));  // spans three CONTINUEs
  // Excel's limit for a cell is 32,767 characters; a pair is not cut apart.
  add(QString(40000, QLatin1Char('x')), QString(32767, QLatin1Char('x')));
  add(QString(32766, QLatin1Char('y')) + car + "zz", QString(32766, QLatin1Char('y')));
  // The same texts again refer to the same strings.
  add("ğüşöçıİĞÜŞÖÇ", "ğüşöçıİĞÜŞÖÇ");
  add("ğüşöçıİĞÜŞÖÇ", "ğüşöçıİĞÜŞÖÇ");
  EXPECT_TRUE(writeAndReadBack(list, "strings.xls", {{"expect_sst_continue", true}}));
}

// ---- A file beyond the header's 109 FAT sectors ----------------------------------

TEST_F(XlsWriterTest, FileOverSevenMegabytesUsesDifatSectors) {
  // Like a stock list: codes, names, brands, prices, quantities, dates.
  List list;
  list.columns = {{"Stok Kodu", XlsColumn::Text, {}},       {"Stok Adı", XlsColumn::Text, {}},
                  {"Marka", XlsColumn::Text, {}},           {"Barkod", XlsColumn::Text, {}},
                  {"Fiyat", XlsColumn::Number, "#,##0.00"}, {"İskonto", XlsColumn::Number, "0.00"},
                  {"Miktar", XlsColumn::Number, {}},        {"Kayıt Tarihi", XlsColumn::Date, {}},
                  {"Güncelleme", XlsColumn::DateTime, {}},  {"Kampanyalı", XlsColumn::Boolean, {}}};
  const QStringList brands = {"Bosch", "Valeo", "Mann", "Sachs", "Febi", "Lemförder"};
  const QDateTime base(QDate(2023, 1, 1), QTime(8, 0));
  for (int i = 0; i < 26000; ++i) {
    const QString code = QStringLiteral("STK-%1").arg(i, 6, 10, QLatin1Char('0'));
    const QString name =
        QStringLiteral("Fren balatası ön takım Şahin/Doğan %1 ğüşıöç").arg(i * 7919 % 1000003);
    const QString brand = brands[i % brands.size()];
    const QString barcode = QStringLiteral("869%1").arg(1000000000LL + i * 31LL);
    const double price = (i % 100000) / 100.0 + 1.0 / 3.0;
    const double discount = (i % 50) * 0.5;
    const QDateTime when = base.addSecs(qint64(i) * 97);
    const QDate date = when.date();
    const QTime t = when.time();
    list.addRow({code, name, brand, barcode, price, discount, i % 250, date, when, i % 7 == 0},
                {S(code), S(name), S(brand), S(barcode), N(price), N(discount), N(i % 250),
                 D(date.year(), date.month(), date.day()),
                 D(date.year(), date.month(), date.day(), t.hour(), t.minute(), t.second()),
                 B(i % 7 == 0)});
  }
  EXPECT_TRUE(writeAndReadBack(list, "big.xls",
                               {{"min_file_size", 7 * 1024 * 1024}, {"expect_difat", true}}));
}

// ---- Failures ----------------------------------------------------------------

TEST_F(XlsWriterTest, UnwritableNameGivesAnErrorAndNoFile) {
  const QList<XlsColumn> columns = {{"Stok Kodu", XlsColumn::Text, {}}};
  const XlsCellSource source = [](int, int) { return QVariant("ABC"); };
  ASSERT_TRUE(QDir(dir_.path()).mkdir("klasor"));
  struct Case {
    const char* what;
    QString path;
  };
  const Case cases[] = {
      {"missing folder", path("yok/liste.xls")},
      {"a folder's name", path("klasor")},
      {"no name", QString()},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    QString error;
    EXPECT_FALSE(writeXls(c.path, columns, 3, source, &error));
    EXPECT_TRUE(error.contains(QStringLiteral("yazılamadı"))) << error.toStdString();
    if (!c.path.isEmpty()) {
      EXPECT_TRUE(error.contains(QDir::toNativeSeparators(c.path))) << error.toStdString();
    }
    EXPECT_FALSE(QFileInfo(c.path).isFile());
  }
  EXPECT_TRUE(QFileInfo(path("klasor")).isDir());
  // Nothing left behind, no temporary file either.
  EXPECT_EQ(QDir(dir_.path()).entryList(QDir::Files | QDir::NoDotAndDotDot), QStringList());
  EXPECT_EQ(QDir(path("klasor")).entryList(QDir::AllEntries | QDir::NoDotAndDotDot), QStringList());
}

TEST_F(XlsWriterTest, RefusedListLeavesAnEarlierFileAlone) {
  const QString file = path("liste.xls");
  {
    QFile f(file);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("earlier");
  }
  const XlsCellSource source = [](int, int) { return QVariant(1); };
  QList<XlsColumn> tooWide;
  for (int c = 0; c <= kXlsMaxColumns; ++c)
    tooWide.append({QString::number(c), XlsColumn::Number, {}});
  struct Case {
    const char* what;
    QList<XlsColumn> columns;
    int rows;
    XlsCellSource source;
    const char* errorPart;
  };
  const Case cases[] = {
      {"257 columns", tooWide, 1, source, "256"},
      {"negative row count", {{"A", XlsColumn::Number, {}}}, -1, source, "-1"},
      {"no source", {{"A", XlsColumn::Number, {}}}, 1, XlsCellSource(), "kaynağı"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    QString error;
    EXPECT_FALSE(writeXls(file, c.columns, c.rows, c.source, &error));
    EXPECT_TRUE(error.contains(QString::fromUtf8(c.errorPart))) << error.toStdString();
    QFile f(file);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(f.readAll(), QByteArray("earlier"));
  }
}

}  // namespace
}  // namespace vlm
