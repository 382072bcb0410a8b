// The demo data and its fixture, the pictures and the PDF documents.
#include <gtest/gtest.h>

#include <QBuffer>
#include <QImage>
#include <QImageReader>
#include <QTemporaryDir>

#include "content/demo.h"
#include "content/documents.h"
#include "content/pdf.h"
#include "content/pictures.h"

using namespace vlm::server;

namespace {

struct Fixture {
  QTemporaryDir dir;
  std::unique_ptr<Store> store;
  QList<DemoUser> users;
  explicit Fixture(const DemoOptions& o = DemoOptions::fixture()) {
    store = openSqliteStore(dir.filePath(QStringLiteral("demo.db")));
    users = generateDemo(*store, o);
  }
};

QImage decode(const QByteArray& bytes, const char* format) {
  QBuffer b;
  b.setData(bytes);
  QImageReader r(&b, format);
  return r.read();
}

}  // namespace

TEST(Demo, FixtureIsDeterministic) {
  Fixture a, b;
  const Table ta = a.store->searchProducts(QStringLiteral("FREN"), {}, 1000);
  const Table tb = b.store->searchProducts(QStringLiteral("FREN"), {}, 1000);
  ASSERT_GT(ta.rowCount(), 10);
  ASSERT_EQ(ta.rowCount(), tb.rowCount());
  for (int r = 0; r < ta.rowCount(); ++r) EXPECT_EQ(ta.rows[r], tb.rows[r]);
  ASSERT_EQ(a.users.size(), b.users.size());
  for (int i = 0; i < a.users.size(); ++i) EXPECT_EQ(a.users[i].password, b.users[i].password);
}

TEST(Demo, FixtureHoldsEveryKindOfData) {
  Fixture f;
  Store& s = *f.store;
  EXPECT_EQ(s.productCount(), DemoOptions::fixture().products);
  QSet<int> types;
  for (const DemoUser& u : f.users) {
    types << u.customerType;
    EXPECT_EQ(u.login, u.login.toUpper());
    EXPECT_FALSE(u.password.contains(QLatin1Char('I')) || u.password.contains(QLatin1Char('O')));
    const auto login = s.workstationLogin(u.identity);
    ASSERT_TRUE(login.has_value());
    EXPECT_EQ(login->password, u.password);
  }
  EXPECT_EQ(types, (QSet<int>{1, 2, 3, 4}));

  const int account = f.users.first().accountId;
  EXPECT_GT(s.previousOrders(account).rowCount(), 0);
  EXPECT_GT(s.deliveryModes().rowCount(), 1);
  EXPECT_GT(s.cargoTypes().rowCount(), 1);

  // The statement's last balance is the account's debit less its credit.
  const Table st = s.statement(account);
  ASSERT_GT(st.rowCount(), 1);
  const auto card = s.accountCard(account);
  EXPECT_NEAR(st.value(st.rowCount() - 1, QStringLiteral("BAKIYE")).toDouble(),
              card->debit - card->credit, 0.005);

  // Every account: invoices open with lines, card payments carry a PDF.
  int invoices = 0, receipts = 0, openLines = 0;
  for (int id : s.accountIds()) {
    openLines += s.orderLines(id, 0, 0, true).rowCount();
    const Table m = s.statement(id);
    for (int r = 0; r < m.rowCount(); ++r) {
      const QString kind = m.value(r, QStringLiteral("TURADI")).toString();
      const int doc = m.value(r, QStringLiteral("IDNO")).toInt();
      if (kind.contains(QStringLiteral("Fatura"))) {
        ++invoices;
        EXPECT_GT(s.invoiceLines(id, doc).rowCount(), 0);
        EXPECT_GT(s.invoiceTotals(doc).value(0, QStringLiteral("KDVDAHIL")).toDouble(), 0);
      } else if (kind == QStringLiteral("Tahsilat")) {
        EXPECT_EQ(s.collection(doc).rowCount(), 1);
        if (const int pos = s.posPaymentOf(doc)) {
          ++receipts;
          const auto pdf = s.posReceipt(pos);
          ASSERT_TRUE(pdf.has_value());
          EXPECT_TRUE(pdf->startsWith("%PDF-"));
        }
      }
    }
  }
  EXPECT_GT(invoices, 0);
  EXPECT_GT(receipts, 0);
  EXPECT_GT(openLines, 0);
}

TEST(Demo, PicturesAreRealGifBmpAndJpeg) {
  Fixture f;
  Store& s = *f.store;
  struct Case {
    int slot;
    const char* mime;
    const char* format;
    QSize size;
  } banners[] = {{1, "image/gif", "GIF", {409, 100}},
                 {2, "image/gif", "GIF", {1000, 60}},
                 {3, "image/bmp", "BMP", {1200, 40}}};
  for (const Case& c : banners) {
    const auto p = s.banner(c.slot);
    ASSERT_TRUE(p.has_value()) << c.slot;
    EXPECT_EQ(p->mime, QByteArray(c.mime));
    EXPECT_EQ(decode(p->data, c.format).size(), c.size) << c.slot;
  }
  const auto ads = s.announcements();
  ASSERT_EQ(ads.size(), 4);
  for (const Announcement& a : ads) EXPECT_EQ(decode(a.jpeg, "JPEG").size(), QSize(600, 400));

  const Table t = s.searchProducts(QStringLiteral("A"), {}, 1000);
  int withPicture = 0;
  for (int r = 0; r < t.rowCount(); ++r) {
    const int id = t.value(r, QStringLiteral("STOK_STOKNO")).toInt();
    const auto p = s.productPicture(id);
    EXPECT_EQ(p.has_value(), t.value(r, QStringLiteral("RESIM")).toInt() == 1);
    if (p) {
      ++withPicture;
      EXPECT_FALSE(decode(p->data, "JPEG").isNull());
    }
  }
  EXPECT_GT(withPicture, 0);
  EXPECT_LT(withPicture, t.rowCount());
}

TEST(Demo, RegisterWorkstationMakesOneUserPerIdentity) {
  Fixture f;
  const DemoUser a = registerWorkstation(*f.store, QStringLiteral("ABC123XYZ"), 3);
  EXPECT_FALSE(a.login.isEmpty());
  EXPECT_EQ(a.customerType, 3);
  EXPECT_GT(a.accountId, 0);
  const DemoUser again = registerWorkstation(*f.store, QStringLiteral("ABC123XYZ"), 1);
  EXPECT_EQ(again.userId, a.userId);
  EXPECT_EQ(again.password, a.password);
  const DemoUser rep = registerWorkstation(*f.store, QStringLiteral("REP-1"), 1);
  EXPECT_EQ(rep.customerType, 1);
  EXPECT_EQ(rep.accountId, 0);
  const auto login = f.store->workstationLogin(QStringLiteral("REP-1"));
  ASSERT_TRUE(login.has_value());
  EXPECT_GT(login->sellerId, 0);
}

TEST(Documents, ReportsAreRealPdf) {
  Fixture f;
  Store& s = *f.store;
  const int account = f.users.first().accountId;
  const QDate today = DemoOptions::fixture().today;
  for (const QByteArray& pdf :
       {accountSummaryPdf(s, account, QStringLiteral("X"), today),
        receivablesPdf(s, {Scope::All, 0}, QStringLiteral("."), today),
        salesTablePdf(s, account, QStringLiteral("X"), today.addYears(-1), today),
        accountSummaryPdf(s, 999999, {}, today)}) {
    EXPECT_TRUE(pdf.startsWith("%PDF-"));
    EXPECT_TRUE(pdf.trimmed().endsWith("%%EOF"));
  }
}

TEST(Documents, Latin5KeepsTurkishLetters) {
  EXPECT_EQ(toLatin5(QStringLiteral("ĞİŞğış")), QByteArray("\xD0\xDD\xDE\xF0\xFD\xFE"));
  EXPECT_EQ(toLatin5(QStringLiteral("Çöü€")), QByteArray("\xC7\xF6\xFC?"));
}

TEST(Demo, FullCatalogueHasTwentyThousandProducts) {
  const DemoOptions o = DemoOptions::demo();
  EXPECT_GE(o.products, 20000);
  Fixture f(o);
  EXPECT_EQ(f.store->productCount(), o.products);
  EXPECT_GE(f.store->searchProducts(QStringLiteral("FIL"), {}, 100000).rowCount(), 1000);
}
