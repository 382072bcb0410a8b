// The SQLite store on its own: creation and migration, reopening, WAL,
// per-thread connections, transactions and the cart-to-order step.
#include <gtest/gtest.h>

#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <atomic>
#include <thread>
#include <vector>

#include "store/schema.h"
#include "store/store.h"

using namespace vlm::server;

namespace {

struct Seeded {
  int seller = 0, account = 0, user = 0, product = 0, delivery = 0, cargoType = 0, company = 0;
};

Seeded seedSmall(Store& s) {
  Seeded r;
  s.transaction([&] {
    r.seller = s.addSeller({QStringLiteral("Deniz Aksoy"), QStringLiteral("0532 000 00 00"), {}});
    Account a;
    a.code = QStringLiteral("120.01.0001");
    a.name = QStringLiteral("Örnek Oto Yedek Parça");
    a.sellerId = r.seller;
    a.discounts = {10, 5, 0, 0};
    r.account = s.addAccount(a);
    User u;
    u.login = QStringLiteral("BAYI1");
    u.password = QStringLiteral("K7M2");
    u.accountId = r.account;
    r.user = s.addUser(u);
    s.bindWorkstation(QStringLiteral("ID-1"), r.user);
    Product p;
    p.code = QStringLiteral("VLM-0001");
    p.name = QStringLiteral("Ön Fren Balatası");
    p.oemNo = QStringLiteral("1K0-615-301");
    p.listPrice = 100;
    p.vat = 20;
    r.product = s.addProduct(p);
    r.delivery = s.addDeliveryMode(QStringLiteral("Kargo ile"));
    r.cargoType = s.addCargoType(QStringLiteral("Alıcı Ödemeli"));
    r.company = s.addCargoCompany(r.cargoType, QStringLiteral("Yıldız Kargo"), {});
  });
  return r;
}

CartLine line(const Seeded& r, double qty) {
  CartLine l;
  l.accountId = r.account;
  l.productId = r.product;
  l.quantity = qty;
  l.price = 100;
  l.vat = 20;
  l.rates = {10, 5, 0, 0};
  return l;
}

}  // namespace

TEST(Store, CreatesMigratesAndKeepsDataAcrossOpenings) {
  QTemporaryDir dir;
  const QString path = dir.filePath(QStringLiteral("sub/veri.db"));
  {
    auto s = openSqliteStore(path);
    EXPECT_EQ(s->schemaVersion(), migrations().size());
    seedSmall(*s);
    s->setSetting(QStringLiteral("version"), QStringLiteral("2"));
  }
  {
    auto s = openSqliteStore(path);
    EXPECT_EQ(s->schemaVersion(), migrations().size());
    EXPECT_EQ(s->productCount(), 1);
    EXPECT_EQ(s->setting(QStringLiteral("version")), QStringLiteral("2"));
    EXPECT_EQ(s->setting(QStringLiteral("yok"), QStringLiteral("x")), QStringLiteral("x"));
  }
  {
    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("check"));
    db.setDatabaseName(path);
    ASSERT_TRUE(db.open());
    QSqlQuery q(db);
    ASSERT_TRUE(q.exec(QStringLiteral("PRAGMA journal_mode")));
    ASSERT_TRUE(q.next());
    EXPECT_EQ(q.value(0).toString(), QStringLiteral("wal"));
  }
  QSqlDatabase::removeDatabase(QStringLiteral("check"));
}

TEST(Store, RefusesADatabaseFromANewerServer) {
  QTemporaryDir dir;
  const QString path = dir.filePath(QStringLiteral("veri.db"));
  openSqliteStore(path);
  {
    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("bump"));
    db.setDatabaseName(path);
    ASSERT_TRUE(db.open());
    QSqlQuery(db).exec(QStringLiteral("UPDATE schema_version SET version = 999"));
  }
  QSqlDatabase::removeDatabase(QStringLiteral("bump"));
  EXPECT_THROW(openSqliteStore(path), std::exception);
}

TEST(Store, TransactionRollsBackOnError) {
  QTemporaryDir dir;
  auto s = openSqliteStore(dir.filePath(QStringLiteral("veri.db")));
  const Seeded r = seedSmall(*s);
  EXPECT_THROW(s->transaction([&] {
    s->addCartLine(line(r, 1), r.user, 0);
    throw std::runtime_error("vazgeç");
  }),
               std::runtime_error);
  EXPECT_EQ(s->cartLines(r.account).rowCount(), 0);
}

TEST(Store, PlaceOrderTakesOnlyMarkedLines) {
  QTemporaryDir dir;
  auto s = openSqliteStore(dir.filePath(QStringLiteral("veri.db")));
  const Seeded r = seedSmall(*s);
  const OrderPlacement p{r.account, r.user, r.delivery, r.cargoType, r.company, "not"};
  const int a = s->addCartLine(line(r, 3), r.user, 0);
  const int b = s->addCartLine(line(r, 1), r.user, 0);
  EXPECT_FALSE(s->placeOrder(p).has_value());
  EXPECT_EQ(s->cartLines(r.account).rowCount(), 2);
  EXPECT_EQ(s->previousOrders(r.account).rowCount(), 0);

  ASSERT_TRUE(s->markCartLine(a, true));
  const auto order = s->placeOrder(p);
  ASSERT_TRUE(order.has_value());
  const Table cart = s->cartLines(r.account);
  ASSERT_EQ(cart.rowCount(), 1);
  EXPECT_EQ(cart.value(0, QStringLiteral("SIRANO")).toInt(), b);
  const Table lines = s->orderLines(r.account, *order, 0, false);
  ASSERT_EQ(lines.rowCount(), 1);
  EXPECT_DOUBLE_EQ(lines.value(0, QStringLiteral("NETTUTAR")).toDouble(), 256.5);
  EXPECT_DOUBLE_EQ(lines.value(0, QStringLiteral("KALAN")).toDouble(), 3);
  EXPECT_EQ(lines.value(0, QStringLiteral("INDIRIMYAZI")).toString(), QStringLiteral("10+5"));
  EXPECT_EQ(lines.value(0, QStringLiteral("SIRANO")).toInt(), a);
  const auto footer = s->orderFooter(*order);
  ASSERT_TRUE(footer.has_value());
  EXPECT_EQ(footer->status, QStringLiteral("Alındı"));
  EXPECT_EQ(footer->customerNote, QStringLiteral("not"));
}

TEST(Store, SearchFoldsTextAndMatchesCompactCodes) {
  QTemporaryDir dir;
  auto s = openSqliteStore(dir.filePath(QStringLiteral("veri.db")));
  seedSmall(*s);
  struct Case {
    QString text;
    int rows;
  } cases[] = {{"FREN BALATASI", 1}, {"1K0615", 1}, {"1K0-615", 1}, {"%", 0}, {"XYZ", 0}};
  for (const Case& c : cases) {
    const Table t = s->searchProducts(foldText(c.text), compactText(c.text), 100);
    EXPECT_EQ(t.rowCount(), c.rows) << c.text.toStdString();
  }
}

TEST(Store, ThreadsWriteThroughTheirOwnConnections) {
  QTemporaryDir dir;
  auto s = openSqliteStore(dir.filePath(QStringLiteral("veri.db")));
  const Seeded r = seedSmall(*s);
  constexpr int kThreads = 8, kLines = 25;
  std::atomic<int> failures{0};
  std::vector<std::thread> threads;
  for (int t = 0; t < kThreads; ++t)
    threads.emplace_back([&] {
      try {
        for (int i = 0; i < kLines; ++i) {
          const int id = s->addCartLine(line(r, 1), r.user, 0);
          if (!s->markCartLine(id, true)) ++failures;
          s->cartLines(r.account);
        }
      } catch (...) {
        ++failures;
      }
    });
  for (auto& t : threads) t.join();
  EXPECT_EQ(failures.load(), 0);
  EXPECT_EQ(s->cartLines(r.account).rowCount(), kThreads * kLines);
}
