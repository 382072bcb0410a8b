// Speed of the reference server on the 20,000-product demo catalogue, each
// figure beside a floor measured in the same run:
//   - StokAraGetir for a 3-letter text against the bare SQL query of the
//     same rows (SearchSqlFloor);
//   - SepetVer2 and SepetEkle2 per second with 1, 8 and 32 connections
//     against an empty operation's round trip (EmptyRoundTrip).
// The ratios are printed at the end.
#include <benchmark/benchmark.h>

#include "oranraporu.h"

#include <QSqlDatabase>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QTemporaryDir>
#include <cstdio>
#include <map>
#include <mutex>

#include "harness.h"

using namespace vlm;
using namespace vlm::server;

namespace {

// The demo catalogue on a server with one more operation, "Bos", that
// returns its argument: the floor of a round trip.
struct Bench : server::test::ServerHarness {
  std::unique_ptr<TSonucBilgisi> dealer;
  int account = 0, product = 0;

  Bench() : ServerHarness(true, DemoOptions::demo(), server::test::registerEmptyOperation) {
    auto c = connect();
    dealer = login(*c, user(3));
    account = dealer->CARINO();
    TServerMethods1Client p(c.get());
    auto ds = server::test::fromPacket(p.StokAraGetir(QStringLiteral("FIL"), copy()));
    product = ds->fieldByName(u"STOK_STOKNO")->asInteger();
  }
  std::unique_ptr<TSonucBilgisi> copy() const { return server::test::copy(*dealer); }
};

Bench& bench() {
  static Bench b;
  return b;
}

// One connection per benchmark thread, kept for the run.
Connection& threadConnection() {
  thread_local std::unique_ptr<Connection> c;
  if (!c) c = bench().connect();
  return *c;
}

void SearchSqlFloor(benchmark::State& state) {
  Bench& b = bench();
  const QString name = QStringLiteral("floor");
  if (!QSqlDatabase::contains(name)) {
    QSqlDatabase add = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name);
    add.setDatabaseName(b.dir.filePath(QStringLiteral("bench.db")));
    add.open();
  }
  QSqlDatabase db = QSqlDatabase::database(name);
  qint64 rows = 0;
  for (auto _ : state) {
    QSqlQuery q(db);
    q.setForwardOnly(true);
    q.prepare(QStringLiteral("SELECT * FROM products WHERE search_key LIKE ? LIMIT 5000"));
    q.addBindValue(QStringLiteral("%FIL%"));
    q.exec();
    const int n = q.record().count();
    while (q.next())
      for (int i = 0; i < n; ++i) benchmark::DoNotOptimize(q.value(i));
    ++rows;
  }
  state.SetItemsProcessed(rows);
}

void StokAraGetir(benchmark::State& state) {
  Bench& b = bench();
  TServerMethods1Client p(&threadConnection());
  qint64 n = 0, rowsOut = 0;
  for (auto _ : state) {
    auto ds = server::test::fromPacket(p.StokAraGetir(QStringLiteral("FIL"), b.copy()));
    rowsOut = ds->rowCount();
    ++n;
  }
  state.counters["rows"] = double(rowsOut);
  state.SetItemsProcessed(n);
}

void EmptyRoundTrip(benchmark::State& state) {
  Connection& c = threadConnection();
  const Request r{QStringLiteral("TServerMethods1.Bos"), {Value::int32(1)}};
  for (auto _ : state) benchmark::DoNotOptimize(c.execute(r));
  state.SetItemsProcessed(state.iterations());
}

void SepetVer2(benchmark::State& state) {
  Bench& b = bench();
  TServerMethods1Client p(&threadConnection());
  for (auto _ : state) benchmark::DoNotOptimize(p.SepetVer2(b.account));
  state.SetItemsProcessed(state.iterations());
}

void SepetEkle2(benchmark::State& state) {
  Bench& b = bench();
  TServerMethods1Client p(&threadConnection());
  for (auto _ : state)
    benchmark::DoNotOptimize(
        p.SepetEkle2(b.copy(), b.account, b.product, "", "", 1, 20, 0, 0, 0, 0, 0, 0, 0));
  state.SetItemsProcessed(state.iterations());
  if (state.thread_index() == 0) b.store->clearCart(b.account);
}

BENCHMARK(SearchSqlFloor)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(StokAraGetir)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(EmptyRoundTrip)->Threads(1)->Threads(8)->Threads(32)->UseRealTime();
BENCHMARK(SepetVer2)->Threads(1)->Threads(8)->Threads(32)->UseRealTime();
BENCHMARK(SepetEkle2)->Threads(1)->Threads(8)->Threads(32)->UseRealTime();

// Collects items per second and prints each operation's ratio to its floor.
}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  bench();
  vlm::olcum::RatioReporter reporter([](vlm::olcum::RatioReporter& r) {
    r.ratio("StokAraGetir/real_time", "SearchSqlFloor/real_time");
    for (const char* t : {"1", "8", "32"}) {
      const std::string floor = std::string("EmptyRoundTrip/real_time/threads:") + t;
      r.ratio(std::string("SepetVer2/real_time/threads:") + t, floor);
      r.ratio(std::string("SepetEkle2/real_time/threads:") + t, floor);
    }
  });
  benchmark::RunSpecifiedBenchmarks(&reporter);
  benchmark::Shutdown();
  return 0;
}
