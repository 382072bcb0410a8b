// The grid as the user meets it: the column chooser, the header's filter
// drop-down, the footer, groups, incremental search by typing, locate, a
// background replacement while detached, the pictures, the weights and
// "Excel Kaydet" read back by an independent reader.
#include <QAbstractItemModelTester>
#include <QDir>
#include <QHeaderView>
#include <QImage>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLocale>
#include <QProcess>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>
#include <QtConcurrent/QtConcurrentRun>
#include <atomic>

#include "dataset.h"
#include "datasetmodel.h"
#include "grid.h"
#include "grid_p.h"
#include "mesaj.h"
#include "pictures.h"
#include "seams.h"
#include "stocksample.h"

using namespace vlm;

namespace {

// Types text into a widget one character at a time (Turkish letters too).
void type(QWidget* w, const QString& text) {
  for (const QChar ch : text)
    QTest::sendKeyEvent(QTest::Click, w, Qt::Key_unknown, QString(ch), Qt::NoModifier);
}

// The cart's lines, with a check-box column and two rows to locate by SIRANO.
std::unique_ptr<DataSet> cart() {
  auto ds = std::make_unique<DataSet>();
  ds->addField("SEC", FieldType::Integer);
  ds->addField("SIRANO", FieldType::Integer);
  ds->addField("STOKADI", FieldType::String);
  ds->addField("MIKTAR", FieldType::Float);
  ds->addField("NETTUTAR", FieldType::Float);
  ds->addField("VERILISTARIHI", FieldType::Date);
  const struct {
    int sec, sirano;
    const char* adi;
    double miktar, tutar;
    QDate tarih;
  } rows[] = {
      {1, 501, "YAĞ FİLTRESİ", 2, 150.5, {2024, 5, 2}},
      {0, 502, "ŞARJ DİNAMOSU", 1, 4250, {2024, 5, 3}},
      {1, 503, "ÇEKİ DEMİRİ", 3, 1999.99, {2024, 5, 3}},
      {0, 504, "İNTERCOOLER HORTUMU", 1, 320, {2024, 5, 4}},
  };
  for (const auto& r : rows) {
    const int i = ds->appendRow();
    ds->setInteger(i, 0, r.sec);
    ds->setInteger(i, 1, r.sirano);
    ds->setString(i, 2, QString::fromUtf8(r.adi));
    ds->setFloat(i, 3, r.miktar);
    ds->setFloat(i, 4, r.tutar);
    ds->setValue(i, 5, r.tarih);
  }
  SayiBicimle(*ds);
  ds->first();
  return ds;
}

QList<GridColumn> cartColumns() {
  return {
      GridColumn("SEC", "Seç", 1).checkBox(),    GridColumn("VERILISTARIHI", "Sipariş Tarihi", 1),
      GridColumn("STOKADI", "Stok Açıklama", 3), GridColumn("MIKTAR", "Miktar", 1),
      GridColumn("NETTUTAR", "Net Tutar", 1),    GridColumn("SIRANO", {}, 0).hide().noChooser()};
}

// Reads a workbook with xlrd: {"sheets": [{"name", "rows": [[["s"|"n"|"d"|"b", v]]]}]}.
QJsonObject readBack(const QString& path) {
  static const char* script = R"(
import json, sys, xlrd
book = xlrd.open_workbook(sys.argv[1])
out = {"sheets": []}
for sh in book.sheets():
    rows = []
    for r in range(sh.nrows):
        row = []
        for c in range(sh.ncols):
            cell = sh.cell(r, c)
            if cell.ctype == xlrd.XL_CELL_TEXT: row.append(["s", cell.value])
            elif cell.ctype == xlrd.XL_CELL_NUMBER: row.append(["n", cell.value])
            elif cell.ctype == xlrd.XL_CELL_DATE:
                row.append(["d", list(xlrd.xldate_as_tuple(cell.value, book.datemode))])
            elif cell.ctype == xlrd.XL_CELL_BOOLEAN: row.append(["b", bool(cell.value)])
            else: row.append(None)
        rows.append(row)
    out["sheets"].append({"name": sh.name, "rows": rows})
print(json.dumps(out))
)";
  QProcess py;
  py.start(QStringLiteral("/usr/bin/python3"),
           {QStringLiteral("-c"), QString::fromLatin1(script), path});
  if (!py.waitForFinished(60000) || py.exitCode() != 0) {
    qWarning() << py.readAllStandardError();
    return {};
  }
  return QJsonDocument::fromJson(py.readAllStandardOutput()).object();
}

QJsonArray cellOf(const char* kind, const QJsonValue& v) {
  return QJsonArray{QString::fromLatin1(kind), v};
}

}  // namespace

class GridWidgetTest : public QObject {
  Q_OBJECT
  std::unique_ptr<DataSet> ds_;
  std::unique_ptr<Grid> grid_;
  std::unique_ptr<QAbstractItemModelTester> testers_[2];

  Grid* makeGrid(DataSet* ds, const QList<GridColumn>& columns, QSize size = {900, 400}) {
    grid_ = std::make_unique<Grid>();
    grid_->setColumns(columns);
    grid_->setDataSet(ds);
    testers_[0] = std::make_unique<QAbstractItemModelTester>(
        grid_->model(), QAbstractItemModelTester::FailureReportingMode::QtTest);
    testers_[1] = std::make_unique<QAbstractItemModelTester>(
        grid_->proxy(), QAbstractItemModelTester::FailureReportingMode::QtTest);
    grid_->resize(size);
    grid_->show();
    if (!QTest::qWaitForWindowExposed(grid_.get())) qWarning("grid not exposed");
    return grid_.get();
  }
  Grid* stockGrid(int rows) {
    ds_ = std::make_unique<DataSet>();
    sample::fillStock(*ds_, rows);
    return makeGrid(ds_.get(), sample::stockColumns(), {1280, 560});
  }

 private Q_SLOTS:
  void initTestCase() { QLocale::setDefault(QLocale(QLocale::Turkish, QLocale::Turkey)); }
  void cleanup() {
    testers_[0].reset();
    testers_[1].reset();
    grid_.reset();
    ds_.reset();
    setSaveDialogHook({});
  }

  void captionsAndColumnChooser() {
    Grid* g = stockGrid(20);
    QCOMPARE(g->header()->model()->headerData(6, Qt::Horizontal).toString(), "Açıklama");
    QCOMPARE(g->header()->model()->headerData(20, Qt::Horizontal).toString(), "KALAN");
    QVERIFY(!g->isColumnVisible(u"OEM1"));
    QVERIFY(g->isColumnVisible(u"ADI"));
    // Hidden columns are offered unless they are marked otherwise.
    const QStringList offered = g->chooserCaptions();
    QVERIFY(offered.contains("Oem1"));
    QVERIFY(offered.contains("Diğer Adı"));
    QVERIFY(offered.contains("KDV"));
    for (const char* never : {"STOK_STOKNO", "BARKOD_BARKODNO", "DPKOD", "PKOD"})
      QVERIFY2(!offered.contains(QString::fromLatin1(never)), never);
    g->setColumnInChooser(u"KAMPFIYAT", false);
    QVERIFY(!g->chooserCaptions().contains("Kampanyalı Fiyat"));

    // The button in the header's corner opens the chooser.
    QVERIFY(g->chooserButton()->isVisible());
    QTest::mouseClick(g->chooserButton(), Qt::LeftButton);
    auto* chooser = qobject_cast<GridColumnChooser*>(g->openPopup());
    QVERIFY(chooser);
    QCOMPARE(chooser->entries(), g->chooserCaptions());
    QSignalSpy changed(g, &Grid::columnsChanged);
    QVERIFY(chooser->toggle("Oem1"));
    QCOMPARE(changed.count(), 1);
    QVERIFY(g->isColumnVisible(u"OEM1"));
    QVERIFY(chooser->toggle("Açıklama"));
    QVERIFY(!g->isColumnVisible(u"ADI"));
    QVERIFY(!chooser->toggle("STOK_STOKNO"));
    chooser->close();
  }

  void headerDropDownFilters() {
    Grid* g = stockGrid(300);
    g->setFooterSummaries({GridSummary(GridSummary::Count, "BARKOD")});
    const int marka = g->columnIndex(u"MARKA");
    auto* header = static_cast<GridHeader*>(g->header());
    const QRect button = header->filterButtonRect(marka);
    QVERIFY(!button.isEmpty());
    QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, button.center());
    auto* popup = qobject_cast<GridFilterPopup*>(g->openPopup());
    QVERIFY(popup);
    QCOMPARE(g->proxy()->sortColumn(), -1);  // the button's click does not sort
    QCOMPARE(popup->entries().first(), "(Tümü)");
    QVERIFY(popup->entries().contains("ŞAHİN OTO"));
    int bosch = 0, sahin = 0;
    for (int r = 0; r < ds_->rowCount(); ++r) {
      bosch += ds_->stringValue(r, ds_->fieldIndex(u"MARKA")) == "BOSCH";
      sahin += ds_->stringValue(r, ds_->fieldIndex(u"MARKA")) == "ŞAHİN OTO";
    }
    QVERIFY(popup->toggle("BOSCH"));
    QCOMPARE(g->rowCount(), bosch);
    QCOMPARE(g->footerText(u"BARKOD"), QString::number(bosch));
    QVERIFY(popup->toggle("ŞAHİN OTO"));
    QCOMPARE(g->rowCount(), bosch + sahin);
    for (int r : g->shownRows()) {
      const QString m = ds_->stringValue(r, ds_->fieldIndex(u"MARKA"));
      QVERIFY(m == "BOSCH" || m == "ŞAHİN OTO");
    }
    // The focused row is one of the rows shown, and the dataset is on it.
    QVERIFY(g->shownRows().contains(g->focusedRow()));
    QCOMPARE(ds_->recNo(), g->focusedRow());
    QVERIFY(popup->toggle("(Tümü)"));
    QCOMPARE(g->rowCount(), 300);
    QVERIFY(!g->isFiltered());
    popup->close();
    // A click on the caption sorts by the column; a second one reverses.
    const QPoint caption(header->sectionViewportPosition(marka) + 8, header->height() / 2);
    QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, caption);
    QCOMPARE(g->proxy()->sortColumn(), marka);
    QCOMPARE(ds_->stringValue(g->shownRow(0), ds_->fieldIndex(u"MARKA")), "BOSCH");
    QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, caption);
    QCOMPARE(g->proxy()->sortOrder(), Qt::DescendingOrder);
    QCOMPARE(ds_->stringValue(g->shownRow(0), ds_->fieldIndex(u"MARKA")), "VALEO");
    g->setSorting(false);
    QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, caption);
    QCOMPARE(g->proxy()->sortOrder(), Qt::DescendingOrder);
    // The drop-down of a picture column names the states.
    g->showFilterPopup(u"DURUM");
    popup = qobject_cast<GridFilterPopup*>(g->openPopup());
    QVERIFY(popup && popup->entries().contains("Stok mevcut"));
    QVERIFY(popup->toggle("Yolda"));
    for (int r : g->shownRows()) QCOMPARE(ds_->intValue(r, 0), 3);
    popup->close();
    g->clearFilter();
    QCOMPARE(g->rowCount(), 300);
  }

  void footerCountSumAverage() {
    auto ds = cart();
    Grid* g = makeGrid(ds.get(), cartColumns());
    g->setFooterSummaries({GridSummary::count("VERILISTARIHI"), GridSummary::sum("MIKTAR"),
                           GridSummary::sum("NETTUTAR"), GridSummary::average("NETTUTAR")});
    QVERIFY(g->footerVisible());
    QCOMPARE(g->footerText(u"VERILISTARIHI"), "4");
    QCOMPARE(g->footerText(u"MIKTAR"), "7,00");
    QCOMPARE(g->footerText(u"NETTUTAR"), "6.720,49\n1.680,12");
    QVERIFY(g->footer()->height() > 2 * g->fontMetrics().height());  // two lines fit
    g->setFilter(u"SEC", {1});
    QCOMPARE(g->footerText(u"VERILISTARIHI"), "2");
    QCOMPARE(g->footerText(u"NETTUTAR"), "2.150,49\n1.075,25");
    // The footer's cell sits under its column.
    const QImage shot = g->grab().toImage();
    const int x = g->view()->viewport()->mapTo(g, QPoint(0, 0)).x() +
                  g->header()->sectionViewportPosition(g->columnIndex(u"MIKTAR")) + 4;
    const int y = g->footer()->geometry().center().y();
    QVERIFY(shot.pixelColor(x, y) != g->look().footer);
    ds->clearRows();
    QCOMPARE(g->footerText(u"VERILISTARIHI"), "0");
    QCOMPARE(g->footerText(u"MIKTAR"), "");
  }

  void groupsWithGroupFooters() {
    Grid* g = stockGrid(60);
    g->setRowIndicator(true);
    g->setGroupColumn(u"MARKA");
    g->setGroupSummaries(
        {GridSummary(GridSummary::Count, "BARKOD"), GridSummary(GridSummary::Sum, "KALAN")});
    const int groups = g->groupCount();
    QVERIFY(groups > 3);
    QCOMPARE(g->proxy()->rowCount(), 60 + 2 * groups);
    // A group's footer holds its own count and sum.
    const int g0rows = g->proxy()->groupRowCount(0);
    double kalan = 0;
    for (int r : g->shownRows().mid(0, g0rows))
      kalan += ds_->floatValue(r, ds_->fieldIndex(u"KALAN"));
    QCOMPARE(g->proxy()->groupFooterText(0, g->columnIndex(u"BARKOD")), QString::number(g0rows));
    QCOMPARE(g->proxy()->groupFooterText(0, g->columnIndex(u"KALAN")),
             FormatFloat(kTutarBicimi, kalan));
    // A click on the group row's box collapses it; the footer stays.
    auto* view = static_cast<GridTableView*>(g->view());
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, view->expandBoxRect(0).center());
    QVERIFY(!g->isGroupExpanded(0));
    QCOMPARE(g->proxy()->rowCount(), 60 + 2 * groups - g0rows);
    QCOMPARE(g->proxy()->rowKind(1), GridProxyModel::GroupFooterRow);
    // A double click opens it again.
    const QModelIndex marka = g->proxy()->index(0, g->columnIndex(u"MARKA"));
    QTest::mouseDClick(view->viewport(), Qt::LeftButton, {}, view->visualRect(marka).center());
    QVERIFY(g->isGroupExpanded(0));
    g->collapseAll();
    QCOMPARE(g->proxy()->rowCount(), 2 * groups);
    // Keys on a focused group row.
    view->setCurrentIndex(g->proxy()->index(0, 1));
    QTest::keyClick(view, Qt::Key_Right);
    QVERIFY(g->isGroupExpanded(0));
    QTest::keyClick(view, Qt::Key_Left);
    QVERIFY(!g->isGroupExpanded(0));
    QVERIFY(!g->grab().isNull());
  }

  void typingSearchesTheFocusedColumn() {
    Grid* g = stockGrid(400);
    g->sortBy(u"ADI");
    g->setFocusedRow(g->shownRows().first());
    g->setFocusedField(u"ADI");
    g->view()->setFocus();
    const int adi = g->columnIndex(u"ADI");
    auto textOf = [&](int row) { return ds_->stringValue(row, adi); };
    type(g->view(), "şa");
    QCOMPARE(g->searchText(), "şa");
    QVERIFY(textOf(g->focusedRow()).startsWith("ŞA"));
    QCOMPARE(ds_->recNo(), g->focusedRow());
    type(g->view(), "rj d");
    QVERIFY(textOf(g->focusedRow()).startsWith("ŞARJ D"));
    const int first = g->focusedRow();
    // A letter that matches nothing is not taken.
    type(g->view(), "q");
    QCOMPARE(g->searchText(), "şarj d");
    QCOMPARE(g->focusedRow(), first);
    // Ctrl+Down: the next match.
    QTest::keyClick(g->view(), Qt::Key_Down, Qt::ControlModifier);
    QVERIFY(g->focusedRow() != first);
    QVERIFY(textOf(g->focusedRow()).startsWith("ŞARJ D"));
    QTest::keyClick(g->view(), Qt::Key_Backspace);
    QCOMPARE(g->searchText(), "şarj ");
    QTest::keyClick(g->view(), Qt::Key_Escape);
    QCOMPARE(g->searchText(), "");
    // i and ı both find İ; moving by the arrows starts a new search.
    type(g->view(), "in");
    QVERIFY(textOf(g->focusedRow()).startsWith("İN"));
    QTest::keyClick(g->view(), Qt::Key_Down);
    QCOMPARE(g->searchText(), "");
    // Another column: the search follows the focused one.
    g->setFocusedField(u"MARKA");
    type(g->view(), "val");
    QCOMPARE(ds_->stringValue(g->focusedRow(), g->columnIndex(u"MARKA")), "VALEO");
  }

  void locateByAColumnsValue() {
    auto ds = cart();
    Grid* g = makeGrid(ds.get(), cartColumns());
    QSignalSpy moved(g, &Grid::focusedRowChanged);
    QVERIFY(g->locate(u"SIRANO", 503));
    QCOMPARE(g->focusedRow(), 2);
    QCOMPARE(ds->recNo(), 2);
    QCOMPARE(moved.count(), 1);
    QVERIFY(!g->locate(u"SIRANO", 999));
    QCOMPARE(g->focusedRow(), 2);
    QVERIFY(!g->locate(u"YOKBOYLE", 1));
    // The list moving the dataset moves the focus too.
    ds->setRecNo(3);
    QCOMPARE(g->focusedRow(), 3);
    // The user moving the focus moves the dataset.
    QTest::keyClick(g->view(), Qt::Key_Up);
    QCOMPARE(ds->recNo(), 2);
    // Sorted, grouped and collapsed: the located row is shown and focused.
    g->sortBy(u"NETTUTAR", Qt::DescendingOrder);
    g->setGroupColumn(u"SEC");
    g->collapseAll();
    QVERIFY(g->locate(u"SIRANO", 504));
    QCOMPARE(g->focusedRow(), 3);
    QVERIFY(g->isGroupExpanded(0));
    QVERIFY(!g->isGroupExpanded(1));
    // The stock list by STOK_STOKNO.
    cleanup();
    Grid* s = stockGrid(50);
    QVERIFY(s->locate(u"STOK_STOKNO", 37));
    QCOMPARE(s->focusedRow(), 36);
    QCOMPARE(ds_->fieldByName(u"STOK_STOKNO")->asInteger(), 37);
  }

  void detachAttachDuringReplacement() {
    ds_ = std::make_unique<DataSet>();
    sample::fillStock(*ds_, 500);
    std::atomic<int> painted{0};
    QList<GridColumn> cols = sample::stockColumns();
    cols.last().visible = true;
    cols.last().draw = [&painted](QPainter*, const GridCellPaint& c) {
      ++painted;
      QVERIFY(c.dataSet->rowCount() > c.row);
    };
    Grid* g = makeGrid(ds_.get(), cols, {1280, 560});
    g->setFooterSummaries({GridSummary(GridSummary::Count, "BARKOD")});
    g->applyWeights();
    g->view()->viewport()->repaint();
    QVERIFY(painted > 0);

    // The loading pattern: detach and freeze, fill in the background, attach.
    g->setEnabled(false);
    g->detach();
    g->beginUpdate();
    painted = 0;
    DataSet* ds = ds_.get();
    auto job = QtConcurrent::run([ds] {
      ds->disableControls();
      ds->clear();
      sample::fillStock(*ds, 30000, 99);
      ds->locate(u"STOK_STOKNO", 1234);
      ds->enableControls();
    });
    while (!job.isFinished()) {
      QCoreApplication::processEvents();
      g->view()->viewport()->repaint();
      g->grab();
      QCOMPARE(g->rowCount(), 0);
      QVERIFY(g->footerText(u"BARKOD") == "0");
      QCOMPARE(g->focusedRow(), -1);
      QVERIFY(!g->locate(u"STOK_STOKNO", 3));  // nothing is read while detached
    }
    QCOMPARE(painted.load(), 0);
    g->attach();
    g->endUpdate();
    g->setEnabled(true);
    QCOMPARE(g->rowCount(), 30000);
    QCOMPARE(g->footerText(u"BARKOD"), "30000");
    QCOMPARE(g->focusedRow(), 1233);  // the dataset's current row
    g->view()->viewport()->repaint();
    QVERIFY(painted > 0);

    // The dataset destroyed before the grid.
    ds_.reset();
    QCOMPARE(g->rowCount(), 0);
    g->view()->viewport()->repaint();
  }

  void picturesWithoutText() {
    Grid* g = stockGrid(40);
    g->setRowHeight(60);
    g->applyWeights();
    g->sortBy(u"DURUM", Qt::DescendingOrder);  // DURUM 5 first
    QCOMPARE(ds_->intValue(g->shownRows().first(), 0), 5);
    g->setFocusedRow(g->shownRows().last());
    g->view()->scrollToTop();
    QVERIFY(g->model()->index(0, 0).data(Qt::DisplayRole).toString().isEmpty());
    const QImage shot = g->view()->viewport()->grab().toImage();
    const QRect cell = g->view()->visualRect(g->proxy()->index(0, 0));
    const QImage picture = stokDurumResmi(5).toImage();
    // The picture is drawn at its size in the middle of the cell.
    const QPoint at = cell.center();
    const QColor expected = picture.pixelColor(picture.width() / 2, picture.height() / 2);
    const QColor got = shot.pixelColor(at);
    QVERIFY2(qAbs(got.red() - expected.red()) < 40 && qAbs(got.green() - expected.green()) < 40 &&
                 qAbs(got.blue() - expected.blue()) < 40,
             qPrintable(got.name() + " / " + expected.name()));
    // Nothing but the picture and the row colour: no text pixels at the left.
    const QColor back = shot.pixelColor(cell.left() + 3, cell.center().y());
    QCOMPARE(back, g->look().evenRow);
    // RESIM 0 draws nothing.
    int none = -1;
    for (int i = 0; i < g->rowCount() && none < 0; ++i)
      if (ds_->intValue(g->shownRows()[i], ds_->fieldIndex(u"RESIM")) == 0) none = i;
    QVERIFY(none >= 0);
    g->view()->scrollTo(g->proxy()->index(none, 0));
    const QImage shot2 = g->view()->viewport()->grab().toImage();
    const QRect resim = g->view()->visualRect(g->proxy()->index(none, g->columnIndex(u"RESIM")));
    const QColor plain = none % 2 ? g->look().oddRow : g->look().evenRow;
    QCOMPARE(shot2.pixelColor(resim.center()), plain);
  }

  void weightsAndBestFit() {
    auto ds = cart();
    Grid* g = makeGrid(ds.get(), cartColumns(), {830, 300});
    g->applyWeights();  // (830 - 30) / 7 = 114
    QCOMPARE(g->columnWidth(u"SEC"), 114);
    QCOMPARE(g->columnWidth(u"STOKADI"), 342);
    QVERIFY(g->view()->horizontalScrollBar()->maximum() == 0);  // fits without scrolling
    g->setColumnVisible(u"SIRANO", true);                       // weight 0: width 0
    g->applyWeights();
    QCOMPARE(g->columnWidth(u"SIRANO"), 0);
    for (const char* f : {"SEC", "VERILISTARIHI", "STOKADI", "MIKTAR", "NETTUTAR"})
      g->setColumnVisible(QString::fromLatin1(f), false);
    g->setColumnWidth(u"SIRANO", 77);
    g->applyWeights();  // sum 0: nothing set
    QCOMPARE(g->columnWidth(u"SIRANO"), 77);
    g->setColumnVisible(u"STOKADI", true);
    g->bestFit();
    const int fit = g->columnWidth(u"STOKADI");
    QVERIFY(fit >= QFontMetrics(g->look().font).horizontalAdvance("İNTERCOOLER HORTUMU"));
    QVERIFY(fit < 400);
    // Automatic weights follow the width.
    g->setAutoWeights(true);
    g->resize(430, 300);
    QTRY_COMPARE(g->columnWidth(u"STOKADI"), 400 / 3 * 3);
  }

  void excelKaydetWritesAWorkbook() {
    auto ds = cart();
    Grid* g = makeGrid(ds.get(), cartColumns());
    g->header()->moveSection(g->header()->visualIndex(g->columnIndex(u"MIKTAR")), 1);
    g->sortBy(u"NETTUTAR", Qt::DescendingOrder);
    g->setGroupColumn(u"SEC");
    g->collapseAll();  // groups expanded in the file all the same
    g->setColumnVisible(u"SIRANO", false);
    QTemporaryDir dir;
    QList<SaveDialogRequest> asked;
    setSaveDialogHook([&](const SaveDialogRequest& r) {
      asked << r;
      return dir.filePath("sepet.xlsx");
    });
    const QString written = g->excelKaydet();
    QCOMPARE(asked.size(), 1);
    QCOMPARE(asked[0].filtre, "Excel|*.xls*");
    QCOMPARE(written, dir.filePath("sepet.xls"));
    QVERIFY(QFile::exists(written));
    QVERIFY(!QFile::exists(dir.filePath("sepet.xlsx")));
    const QJsonObject book = readBack(written);
    const QJsonArray rows = book["sheets"].toArray()[0].toObject()["rows"].toArray();
    QCOMPARE(rows.size(), 5);
    QCOMPARE(rows[0].toArray(),
             (QJsonArray{cellOf("s", "Seç"), cellOf("s", "Miktar"), cellOf("s", "Sipariş Tarihi"),
                         cellOf("s", "Stok Açıklama"), cellOf("s", "Net Tutar")}));
    // Group SEC 0 first, then 1; inside them by NETTUTAR descending.
    QCOMPARE(rows[1].toArray(), (QJsonArray{cellOf("n", 0), cellOf("n", 1),
                                            cellOf("d", QJsonArray{2024, 5, 3, 0, 0, 0}),
                                            cellOf("s", "ŞARJ DİNAMOSU"), cellOf("n", 4250)}));
    QCOMPARE(rows[2].toArray()[3], QJsonValue(cellOf("s", "İNTERCOOLER HORTUMU")));
    QCOMPARE(rows[3].toArray()[3], QJsonValue(cellOf("s", "ÇEKİ DEMİRİ")));
    QCOMPARE(rows[3].toArray()[4], QJsonValue(cellOf("n", 1999.99)));
    QCOMPARE(rows[4].toArray()[3], QJsonValue(cellOf("s", "YAĞ FİLTRESİ")));

    // Cancelled: nothing written. A failure is shown to the user.
    setSaveDialogHook([](const SaveDialogRequest&) { return QString(); });
    QCOMPARE(g->excelKaydet(), QString());
    ScriptedMessages boxes;
    setSaveDialogHook([&](const SaveDialogRequest&) { return dir.filePath("yok/olmayan/sepet"); });
    QCOMPARE(g->excelKaydet(), QString());
    QCOMPARE(boxes.shown().size(), 1);
    QCOMPARE(boxes.shown()[0].tur, int(mtHata));
  }

  void stockListExport() {
    Grid* g = stockGrid(200);
    g->setFilter(u"MARKA", {QStringLiteral("ÇELİK"), QStringLiteral("İNA")});
    g->setColumnVisible(u"FIYATBILGISI", true);
    QTemporaryDir dir;
    QString error;
    QVERIFY2(g->exportXls(dir.filePath("stok.xls"), &error), qPrintable(error));
    const QJsonArray rows =
        readBack(dir.filePath("stok.xls"))["sheets"].toArray()[0].toObject()["rows"].toArray();
    QCOMPARE(rows.size(), g->rowCount() + 1);
    const QStringList fields = g->visibleFields();
    QCOMPARE(rows[0].toArray().size(), fields.size());
    for (int i = 0; i < g->rowCount(); ++i) {
      const int r = g->shownRows()[i];
      const QJsonArray row = rows[i + 1].toArray();
      for (int c = 0; c < fields.size(); ++c) {
        const QString& f = fields[c];
        const QJsonArray cell = row[c].toArray();
        if (f == "DURUM")
          QCOMPARE(cell, cellOf("s", sample::durumYazisi(ds_->intValue(r, 0))));
        else if (f == "FIYATBILGISI")
          QCOMPARE(cell[1].toString(), sample::fiyatBilgisi(*ds_, r).replace("\r\n", "\n"));
        else if (ds_->fieldByName(f)->isText())
          QCOMPARE(cell, cellOf("s", ds_->stringValue(r, ds_->fieldIndex(f))));
        else
          QCOMPARE(cell, cellOf("n", ds_->floatValue(r, ds_->fieldIndex(f))));
      }
    }
  }

  void sampleScreenshot() {
    Grid* g = stockGrid(1000);
    g->setRowHeight(60);
    g->setColumnVisible(u"KALAN", true);
    g->setFooterSummaries({GridSummary(GridSummary::Count, "BARKOD"),
                           GridSummary(GridSummary::Sum, "KALAN"),
                           GridSummary(GridSummary::Average, "NETFIYAT")});
    g->applyWeights();
    g->setFilter(u"ANAGRUP", {QStringLiteral("FREN"), QStringLiteral("FİLTRE")});
    g->sortBy(u"ADI");
    g->setFocusedRow(g->shownRows()[2]);
    g->setFocusedField(u"ADI");
    g->view()->setFocus();
    type(g->view(), "fr");
    const QString path = QDir::current().filePath("grid_sample.png");
    QVERIFY(g->grab().save(path));
    qInfo("screenshot: %s", qPrintable(path));

    // A report: grouped, collapsed but one, with group footers and a row
    // indicator, in the light look; and the cart's check boxes.
    cleanup();
    ds_ = std::make_unique<DataSet>();
    sample::fillStock(*ds_, 60);
    QList<GridColumn> cols = sample::stockColumns();
    cols[0] = GridColumn("Y", "Seç", 1).checkBox();
    g = makeGrid(ds_.get(), cols, {1000, 520});
    g->setLook(GridLook::vs2010());
    g->setRowIndicator(true);
    g->setGroupColumn(u"MARKA");
    g->setGroupSummaries(
        {GridSummary(GridSummary::Count, "BARKOD"), GridSummary(GridSummary::Sum, "LISTEFIYAT1")});
    g->setFooterSummaries(
        {GridSummary(GridSummary::Count, "BARKOD"), GridSummary(GridSummary::Sum, "LISTEFIYAT1")});
    for (const char* f : {"RESIM", "OZELKOD", "KALAN", "KAMPFIYAT", "K", "INDIRIMYAZI", "KDVDAHIL"})
      g->setColumnVisible(QString::fromLatin1(f), false);
    g->applyWeights();
    g->collapseAll();
    g->setGroupExpanded(1, true);
    g->setFocusedRow(g->shownRows()[g->proxy()->groupRowCount(0) + 1]);
    const QString groups = QDir::current().filePath("grid_groups.png");
    QVERIFY(g->grab().save(groups));
    qInfo("screenshot: %s", qPrintable(groups));
  }
};

QTEST_MAIN(GridWidgetTest)
#include "test_grid_widget.moc"
