// The dataset model and the grid's proxy: display texts, typed sorting,
// header filters, footer and group summaries, grouping, incremental search,
// and detaching while a background task replaces the dataset.
#include <QAbstractItemModelTester>
#include <QDate>
#include <QLocale>
#include <QSignalSpy>
#include <QTest>
#include <QtConcurrent/QtConcurrentRun>
#include <memory>

#include "dataset.h"
#include "datasetmodel.h"
#include "gridproxymodel.h"
#include "sayibicim.h"

using namespace vlm;

namespace {

// Orders taken, as the reports show them.
std::unique_ptr<DataSet> orders() {
  auto ds = std::make_unique<DataSet>();
  ds->addField("SATICIADI", FieldType::String);
  ds->addField("TARIH", FieldType::Date);
  ds->addField("IDNO", FieldType::Integer);
  ds->addField("TUTAR", FieldType::Float);
  ds->addField("ACIKLAMA", FieldType::Memo);
  const struct {
    const char* satici;
    QDate tarih;
    int id;
    double tutar;
    const char* aciklama;
  } rows[] = {
      {"Şükrü", {2024, 3, 5}, 9, 10, "ön"},        {"Ahmet", {2024, 3, 1}, 10, 1234.5, "çok"},
      {"Zeynep", {2024, 2, 1}, 2, 7, nullptr},     {"Şükrü", {2024, 3, 4}, 100, 20, "arka"},
      {"Çetin", {2023, 12, 31}, 5, 0.125, "İade"}, {"Şükrü", {2024, 1, 9}, 7, 30.5, "ılık"},
  };
  for (const auto& r : rows) {
    const int i = ds->appendRow();
    ds->setString(i, 0, QString::fromUtf8(r.satici));
    ds->setValue(i, 1, r.tarih);
    ds->setInteger(i, 2, r.id);
    ds->setFloat(i, 3, r.tutar);
    if (r.aciklama) ds->setString(i, 4, QString::fromUtf8(r.aciklama));
  }
  SayiBicimle(*ds);
  ds->first();
  return ds;
}

QList<GridColumn> orderColumns() {
  return {GridColumn("SATICIADI"),
          GridColumn("TARIH", "Tarih"),
          GridColumn("IDNO", "Sipariş No"),
          GridColumn("TUTAR", "Tutar"),
          GridColumn("ACIKLAMA", "Açıklama"),
          GridColumn("YOK", "Bağlı değil")};
}

struct Fixture {
  std::unique_ptr<DataSet> ds = orders();
  DataSetModel model;
  GridProxyModel proxy;
  QAbstractItemModelTester modelTester{&model,
                                       QAbstractItemModelTester::FailureReportingMode::QtTest};
  QAbstractItemModelTester proxyTester{&proxy,
                                       QAbstractItemModelTester::FailureReportingMode::QtTest};
  Fixture() {
    model.setColumns(orderColumns());
    model.setDataSet(ds.get());
    proxy.setSourceModel(&model);
  }
  // The texts of a column in the proxy's order (data rows only).
  QStringList column(int c) const {
    QStringList out;
    for (int r = 0; r < proxy.rowCount(); ++r)
      if (proxy.rowKind(r) == GridProxyModel::DataRow) out << proxy.index(r, c).data().toString();
    return out;
  }
};

}  // namespace

class GridModelTest : public QObject {
  Q_OBJECT

 private Q_SLOTS:
  void initTestCase() { QLocale::setDefault(QLocale(QLocale::Turkish, QLocale::Turkey)); }

  void captionsAndDisplayTexts() {
    Fixture f;
    QCOMPARE(f.model.headerData(0, Qt::Horizontal, Qt::DisplayRole).toString(), "SATICIADI");
    QCOMPARE(f.model.headerData(3, Qt::Horizontal, Qt::DisplayRole).toString(), "Tutar");
    QCOMPARE(f.model.rowCount(), 6);
    QCOMPARE(f.model.index(1, 3).data().toString(), "1.234,50");  // the amount format
    QCOMPARE(f.model.index(4, 3).data().toString(), "0,13");
    QCOMPARE(f.model.index(1, 3).data(DataSetModel::RawValueRole).toDouble(), 1234.5);
    QCOMPARE(f.model.index(1, 2).data().toString(), "10");
    QCOMPARE(f.model.index(0, 1).data().toString(), "5.03.2024");
    QCOMPARE(f.model.index(2, 4).data().toString(), "");  // null
    QVERIFY(!f.model.index(2, 4).data(DataSetModel::RawValueRole).isValid());
    QCOMPARE(f.model.index(0, 5).data().toString(), "");  // unbound
    const auto align = [&](int c) {
      return Qt::Alignment(f.model.index(0, c).data(Qt::TextAlignmentRole).toInt());
    };
    QVERIFY(align(3) & Qt::AlignRight);
    QVERIFY(align(0) & Qt::AlignLeft);

    // A column's own format and alignment win over the field's.
    QList<GridColumn> cols = orderColumns();
    cols[3].format("#,##0.0").align(Qt::AlignCenter);
    cols[1].format("dd.MM.yyyy");
    f.model.setColumns(cols);
    QCOMPARE(f.model.index(1, 3).data().toString(), "1.234,5");
    QCOMPARE(f.model.index(0, 1).data().toString(), "05.03.2024");
    QVERIFY(align(3) & Qt::AlignHCenter);
  }

  void pictureAndCheckBoxColumns() {
    Fixture f;
    int drawn = 0;
    QList<GridColumn> cols = orderColumns();
    cols[2].picture([&drawn](const QVariant& v) {
      ++drawn;
      QPixmap pm(8, 8);
      pm.fill(v.toInt() > 6 ? Qt::red : Qt::green);
      return pm;
    });
    cols[3].checkBox();
    f.model.setColumns(cols);
    QCOMPARE(f.model.index(0, 2).data().toString(), "");  // a picture, no text
    const QPixmap pm = f.model.index(0, 2).data(Qt::DecorationRole).value<QPixmap>();
    QCOMPARE(pm.toImage().pixelColor(4, 4), QColor(Qt::red));
    f.model.index(0, 2).data(Qt::DecorationRole);
    QCOMPARE(drawn, 1);  // drawn once per value
    QCOMPARE(f.model.index(4, 3).data(Qt::CheckStateRole).toInt(), int(Qt::Checked));
    f.ds->setFloat(4, 3, 0);
    QCOMPARE(f.model.index(4, 3).data(Qt::CheckStateRole).toInt(), int(Qt::Unchecked));
    QVERIFY(!(f.model.flags(f.model.index(4, 3)) & (Qt::ItemIsEditable | Qt::ItemIsUserCheckable)));
  }

  void sortsByType() {
    Fixture f;
    struct Case {
      int column;
      Qt::SortOrder order;
      QStringList expected;
    };
    const Case cases[] = {
        {2, Qt::AscendingOrder, {"2", "5", "7", "9", "10", "100"}},  // numbers, not texts
        {2, Qt::DescendingOrder, {"100", "10", "9", "7", "5", "2"}},
        {3, Qt::AscendingOrder, {"0,13", "7,00", "10,00", "20,00", "30,50", "1.234,50"}},
        {1,
         Qt::AscendingOrder,
         {"31.12.2023", "9.01.2024", "1.02.2024", "1.03.2024", "4.03.2024", "5.03.2024"}},
        // Turkish order; equal names keep the dataset's order (ids 9, 100, 7).
        {0, Qt::AscendingOrder, {"Ahmet", "Çetin", "Şükrü", "Şükrü", "Şükrü", "Zeynep"}},
        // Nulls first; "ılık" before "İade".
        {4, Qt::AscendingOrder, {"", "arka", "çok", "ılık", "İade", "ön"}},
        {4, Qt::DescendingOrder, {"ön", "İade", "ılık", "çok", "arka", ""}},
        {-1, Qt::AscendingOrder, {"9", "10", "2", "100", "5", "7"}},  // the dataset's order
    };
    for (const Case& c : cases) {
      f.proxy.sort(c.column, c.order);
      const QStringList got = f.column(c.column < 0 ? 2 : c.column);
      QCOMPARE(got, c.expected);
    }
    f.proxy.sort(0);
    QCOMPARE(f.column(2), (QStringList{"10", "5", "9", "100", "7", "2"}));
    // Sorting keeps the focused row: a persistent index follows its row.
    const QPersistentModelIndex ahmet = f.proxy.index(0, 0);
    f.proxy.sort(3, Qt::DescendingOrder);
    QCOMPARE(ahmet.row(), 0);
    QCOMPARE(f.proxy.sourceRowAt(ahmet.row()), 1);
    f.proxy.sort(3, Qt::AscendingOrder);
    QCOMPARE(f.proxy.sourceRowAt(ahmet.row()), 1);
    QCOMPARE(ahmet.row(), 5);
  }

  void headerFilterSelectsRows() {
    Fixture f;
    // The drop-down's values: distinct, in the column's order, with counts.
    const auto values = f.proxy.filterValues(0);
    QStringList texts;
    for (const auto& v : values) texts << QStringLiteral("%1:%2").arg(v.text).arg(v.count);
    QCOMPARE(texts, (QStringList{"Ahmet:1", "Çetin:1", "Şükrü:3", "Zeynep:1"}));
    const auto notes = f.proxy.filterValues(4);
    QVERIFY(notes.first().blank);
    QCOMPARE(notes.first().count, 1);

    QSignalSpy resets(&f.proxy, &QAbstractItemModel::modelReset);
    f.proxy.setColumnFilter(0, {values[2].value});
    QCOMPARE(f.proxy.shownRowCount(), 3);
    QCOMPARE(f.column(2), (QStringList{"9", "100", "7"}));
    QVERIFY(f.proxy.hasFilter(0));
    // A second column narrows further; numbers compare as numbers.
    f.proxy.setColumnFilter(2, {QVariant(100), QVariant(7.0), QVariant(2)});
    QCOMPARE(f.column(2), (QStringList{"100", "7"}));
    // Dates by their day.
    f.proxy.clearFilters();
    f.proxy.setColumnFilter(1, {QDate(2024, 2, 1), QDate(2023, 12, 31)});
    QCOMPARE(f.column(2), (QStringList{"2", "5"}));
    // Blanks, alone and with values.
    f.proxy.setColumnFilter(1, {});
    QCOMPARE(f.proxy.shownRowCount(), 0);
    f.proxy.clearFilters();
    f.proxy.setColumnFilter(4, {}, true);
    QCOMPARE(f.column(2), (QStringList{"2"}));
    f.proxy.setColumnFilter(4, {QStringLiteral("İade")}, true);
    QCOMPARE(f.column(2), (QStringList{"2", "5"}));
    // A filter stays through a reload of the dataset; sorting does not filter again.
    f.ds->setString(0, 4, QStringLiteral("İade"));
    QTRY_COMPARE(f.column(2), (QStringList{"9", "2", "5"}));
    f.proxy.clearColumnFilter(4);
    QCOMPARE(f.proxy.shownRowCount(), 6);
    QVERIFY(!f.proxy.hasFilters());
    QVERIFY(resets.count() >= 6);
  }

  void footerSummaries() {
    Fixture f;
    f.proxy.setFooterSummaries({
        GridSummary(GridSummary::Count, "TARIH"),
        GridSummary(GridSummary::Sum, "TUTAR"),
        GridSummary(GridSummary::Average, "TUTAR"),
        GridSummary(GridSummary::Max, "IDNO", "ACIKLAMA"),
    });
    QCOMPARE(f.proxy.footerText(1), "6");
    QCOMPARE(f.proxy.footerText(3), "1.302,13\n217,02");  // 1302.125 and 217.0208
    QCOMPARE(f.proxy.footerText(4), "100");               // placed under another column
    QCOMPARE(f.proxy.footerText(2), "");
    // Over the shown rows only.
    f.proxy.setColumnFilter(0, {QStringLiteral("Şükrü")});
    QCOMPARE(f.proxy.footerText(1), "3");
    QCOMPARE(f.proxy.footerText(3), "60,50\n20,17");
    // A cell change is summed again.
    QSignalSpy changed(&f.proxy, &GridProxyModel::summariesChanged);
    f.ds->setFloat(0, 3, 11);
    QVERIFY(changed.count() >= 1);
    QCOMPARE(f.proxy.footerText(3), "61,50\n20,50");
    // Own format and text; nulls are skipped by the average.
    GridSummary avg(GridSummary::Average, "ACIKLAMA");
    QCOMPARE(f.proxy.summaryText(avg, f.proxy.summaryValue(avg)), "");
    GridSummary sum(GridSummary::Sum, "IDNO");
    sum.text = QStringLiteral("Toplam: %1");
    QCOMPARE(f.proxy.summaryText(sum, f.proxy.summaryValue(sum)), "Toplam: 116");
    sum.displayFormat = QStringLiteral("#,##0.00");
    QCOMPARE(f.proxy.summaryText(sum, f.proxy.summaryValue(sum)), "Toplam: 116,00");
    // No rows: the count is 0, the sums are empty.
    f.proxy.clearFilters();
    f.ds->clearRows();
    QCOMPARE(f.proxy.footerText(1), "0");
    QCOMPARE(f.proxy.footerText(3), "");
  }

  void groupsWithFooters() {
    Fixture f;
    f.proxy.setGroupColumn(0);
    f.proxy.setGroupFooterMode(GridProxyModel::FootersAlways);
    f.proxy.setGroupSummaries(
        {GridSummary(GridSummary::Sum, "TUTAR"), GridSummary(GridSummary::Count, "TARIH")});
    f.proxy.setFooterSummaries(
        {GridSummary(GridSummary::Sum, "TUTAR"), GridSummary(GridSummary::Count, "TARIH")});
    QCOMPARE(f.proxy.groupCount(), 4);
    QCOMPARE(f.proxy.groupText(2), "SATICIADI : Şükrü");
    // Group row, rows, footer for each group: 4 + 6 + 4.
    QCOMPARE(f.proxy.rowCount(), 14);
    using K = GridProxyModel;
    const QList<int> kinds = {K::GroupRow, K::DataRow,        K::GroupFooterRow, K::GroupRow,
                              K::DataRow,  K::GroupFooterRow, K::GroupRow,       K::DataRow,
                              K::DataRow,  K::DataRow,        K::GroupFooterRow, K::GroupRow,
                              K::DataRow,  K::GroupFooterRow};
    for (int r = 0; r < kinds.size(); ++r)
      QCOMPARE(f.proxy.index(r, 0).data(GridProxyModel::RowKindRole).toInt(), kinds[r]);
    // The three orders of Şükrü: 10 + 20 + 30,5 and 3 dates.
    QCOMPARE(f.proxy.groupFooterText(2, 3), "60,50");
    QCOMPARE(f.proxy.groupFooterText(2, 1), "3");
    QCOMPARE(f.proxy.index(10, 3).data(GridProxyModel::SummaryTextRole).toString(), "60,50");
    QCOMPARE(f.proxy.footerText(3), "1.302,13");
    QCOMPARE(f.proxy.footerText(1), "6");
    // Sorting works inside the groups.
    f.proxy.sort(2, Qt::DescendingOrder);
    QCOMPARE(f.column(2), (QStringList{"10", "5", "100", "9", "7", "2"}));
    QCOMPARE(f.proxy.groupText(0), "SATICIADI : Ahmet");

    // Collapsed, a group keeps its group row and (always shown) its footer.
    QSignalSpy removed(&f.proxy, &QAbstractItemModel::rowsRemoved);
    f.proxy.setGroupExpanded(2, false);
    QCOMPARE(removed.count(), 1);
    QCOMPARE(f.proxy.rowCount(), 11);
    QCOMPARE(f.proxy.proxyRowOf(0), -1);  // a row of the collapsed group
    QVERIFY(!f.proxy.mapFromSource(f.model.index(0, 0)).isValid());
    QCOMPARE(f.proxy.index(7, 0).data(GridProxyModel::RowKindRole).toInt(), int(K::GroupFooterRow));
    f.proxy.collapseAll();
    QCOMPARE(f.proxy.rowCount(), 8);
    QCOMPARE(f.proxy.shownRowCount(), 6);  // still counted by the footer
    // The state stays through a reload; a group that appears takes the default.
    f.ds->setString(0, 0, QStringLiteral("Yeni"));
    QTRY_COMPARE(f.proxy.groupCount(), 5);
    QCOMPARE(f.proxy.rowCount(), 10);
    f.proxy.setGroupExpanded(0, true);
    QCOMPARE(f.proxy.rowCount(), 11);
    f.proxy.expandAll();
    QCOMPARE(f.proxy.rowCount(), 16);
    // Footers only while expanded.
    f.proxy.setGroupFooterMode(GridProxyModel::FootersWhenExpanded);
    f.proxy.setGroupExpanded(1, false);
    QCOMPARE(f.proxy.rowCount(), 14);
    f.proxy.setGroupColumn(-1);
    QCOMPARE(f.proxy.rowCount(), 6);
    QCOMPARE(f.proxy.groupCount(), 0);
  }

  void incrementalSearch() {
    Fixture f;
    f.proxy.sort(0);  // Ahmet, Çetin, Şükrü x3, Zeynep
    QCOMPARE(f.proxy.findIncremental(0, "ş", 0), 2);
    QCOMPARE(f.proxy.findIncremental(0, "şü", 3), 3);  // the start row itself
    QCOMPARE(f.proxy.findIncremental(0, "şü", 3, true, false), 4);
    QCOMPARE(f.proxy.findIncremental(0, "a", 3), 0);  // wraps round
    QCOMPARE(f.proxy.findIncremental(0, "şü", 2, false, false), 4);
    QCOMPARE(f.proxy.findIncremental(0, "x", 0), -1);
    QCOMPARE(f.proxy.findIncremental(3, "30", 0), 4);  // display text of numbers
    QCOMPARE(f.proxy.findIncremental(3, "1.2", 3), 0);
    QCOMPARE(f.proxy.findIncremental(4, "i", 0), 1);   // "İade" for i
    QCOMPARE(f.proxy.findIncremental(4, "ıl", 0), 4);  // "ılık"
    QCOMPARE(f.proxy.findIncremental(4, "IL", 0), 4);
    QCOMPARE(f.proxy.findIncremental(5, "a", 0), -1);  // unbound
  }

  void detachWhileReplacedInTheBackground() {
    Fixture f;
    QSignalSpy modelResets(&f.model, &QAbstractItemModel::modelReset);
    QSignalSpy changes(&f.model, &QAbstractItemModel::dataChanged);
    f.model.detach();
    QCOMPARE(f.model.rowCount(), 0);
    QCOMPARE(f.proxy.rowCount(), 0);
    QCOMPARE(f.proxy.filterValues(0).size(), 0);
    // A background load replaces rows and columns of the dataset.
    DataSet* ds = f.ds.get();
    auto job = QtConcurrent::run([ds] {
      DataSet fresh;
      fresh.addField("SATICIADI", FieldType::String);
      fresh.addField("TUTAR", FieldType::Float);
      for (int i = 0; i < 20000; ++i) {
        const int r = fresh.appendRow();
        fresh.setString(r, 0, QStringLiteral("S%1").arg(i % 7));
        fresh.setFloat(r, 1, i);
      }
      ds->disableControls();
      ds->takeFrom(fresh);
      for (int r = 0; r < 5; ++r) ds->setFloat(r, 1, -1);
      ds->enableControls();
    });
    while (!job.isFinished()) {
      QCOMPARE(f.proxy.rowCount(), 0);
      QCoreApplication::processEvents();
    }
    QCOMPARE(changes.count(), 0);  // nothing was heard while detached
    const int resetsBefore = modelResets.count();
    f.model.attach();
    QCOMPARE(modelResets.count(), resetsBefore + 1);
    QCOMPARE(f.model.rowCount(), 20000);
    QCOMPARE(f.proxy.rowCount(), 20000);
    QCOMPARE(f.model.fieldIndex(3), 1);   // TUTAR bound afresh
    QCOMPARE(f.model.fieldIndex(1), -1);  // TARIH is gone
    QCOMPARE(f.model.index(0, 3).data(DataSetModel::RawValueRole).toDouble(), -1.0);
  }

  void dataSetDestroyedFirst() {
    auto f = std::make_unique<Fixture>();
    f->proxy.sort(3);
    f->ds.reset();
    QCOMPARE(f->model.rowCount(), 0);
    QCOMPARE(f->proxy.rowCount(), 0);
    QVERIFY(!f->model.isLive());
    f->model.attach();
    f->model.detach();
    f.reset();  // no use of the dead dataset on the way out
  }

  void appendedRowsAndCellChanges() {
    Fixture f;
    QSignalSpy inserted(&f.proxy, &QAbstractItemModel::rowsInserted);
    const int r = f.ds->appendRow();
    f.ds->setString(r, 0, QStringLiteral("Bora"));
    QCOMPARE(inserted.count(), 1);
    QCOMPARE(f.proxy.rowCount(), 7);
    // Sorted by the changed column: the row moves (once events run).
    f.proxy.sort(0);
    QCOMPARE(f.proxy.sourceRowAt(1), 6);
    f.ds->setString(6, 0, QStringLiteral("Zafer"));
    QTRY_COMPARE(f.proxy.sourceRowAt(5), 6);
    // A change elsewhere does not take the rows afresh.
    QSignalSpy resets(&f.proxy, &QAbstractItemModel::modelReset);
    f.ds->setFloat(6, 3, 5);
    QCoreApplication::processEvents();
    QCOMPARE(resets.count(), 0);
  }
};

QTEST_MAIN(GridModelTest)
#include "test_grid_model.moc"
