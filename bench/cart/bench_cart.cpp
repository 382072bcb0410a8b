// Speed of the cart tab's work against the reference server on a cart of
// 1,000 lines, each figure beside a floor measured in the same run:
//   - "Hepsini Seç": one SepetSecimGuncelle per line, each on a freshly
//     opened clone of the connection, against an empty operation's round
//     trip on a freshly opened clone (FreshRoundTrip) and on an open
//     connection (EmptyRoundTrip);
//   - the same marks on one open connection, to tell the server's part;
//   - the cart's reload with its totals (SepetGetir, then the totals of
//     every line marked) against the same floors.
// The ratios are printed at the end.
#include <benchmark/benchmark.h>

#include "oranraporu.h"

#include <cstdio>
#include <map>

#include "dataset.h"
#include "harness.h"
#include "sepetislem.h"
#include "sepetkurallari.h"

using namespace vlm;
using namespace vlm::server;

namespace {

constexpr int kSatir = 1000;

// The fixture with one more operation, "Bos", that returns its argument,
// and a dealer whose cart holds 1,000 lines.
struct Bench : server::test::ServerHarness {
  std::unique_ptr<TSonucBilgisi> dealer;
  std::unique_ptr<Connection> bagc;  // closed, as the main window keeps it
  QList<int> siranolar;

  Bench() : ServerHarness(true, DemoOptions::fixture(), server::test::registerEmptyOperation) {
    auto c = connect();
    dealer = login(*c, user(3));
    store->clearCart(dealer->CARINO());
    bagc = connect();
    bagc->close();
    const auto urunler = methods->StokAraGetir(QStringLiteral("A"), dealer.get());
    const int no = urunler->fieldIndex(u"STOK_STOKNO");
    for (int i = 0; i < kSatir; ++i)
      methods->SepetEkle2(dealer.get(), dealer->CARINO(),
                          urunler->intValue(i % urunler->rowCount(), no), {}, {}, 1 + i % 9, 0, 0,
                          0, dealer->Sirano(), 0, 0, 0, 0);
    DataSet sepet;
    SepetGetir(*bagc, *dealer, sepet);
    for (int r = 0; r < sepet.rowCount(); ++r)
      siranolar << sepet.intValue(r, sepet.fieldIndex(u"SIRANO"));
  }
};

Bench& bench() {
  static Bench b;
  return b;
}

const Request kBos{QStringLiteral("TServerMethods1.Bos"), {Value::int32(1)}};

void EmptyRoundTrip(benchmark::State& state) {
  auto c = bench().connect();
  for (auto _ : state) benchmark::DoNotOptimize(c->execute(kBos));
  state.SetItemsProcessed(state.iterations());
}

void FreshRoundTrip(benchmark::State& state) {
  const Connection& bagc = *bench().bagc;
  for (auto _ : state) {
    const std::unique_ptr<Connection> klon = bagc.clone();
    klon->open();
    benchmark::DoNotOptimize(klon->execute(kBos));
    klon->close();
  }
  state.SetItemsProcessed(state.iterations());
}

// "Hepsini Seç" and "Seçimleri Kaldır" in turn; an item is a line.
void HepsiniSec(benchmark::State& state) {
  Bench& b = bench();
  int secim = 1;
  qsizetype gitti = 0;
  for (auto _ : state) {
    gitti = SecimleriKaydet(*b.bagc, b.siranolar, secim).size();
    secim = 1 - secim;
  }
  if (gitti != b.siranolar.size()) state.SkipWithError("a mark did not reach the server");
  state.SetItemsProcessed(state.iterations() * b.siranolar.size());
  state.counters["lines"] = double(b.siranolar.size());
}

// The same marks on one connection kept open: what the server's side of a
// mark costs without the fresh connection around it.
void SecimAcikBaglanti(benchmark::State& state) {
  Bench& b = bench();
  auto c = b.connect();
  TServerMethods1Client proxy(c.get());
  int secim = 1;
  for (auto _ : state) {
    for (const int sirano : b.siranolar) proxy.SepetSecimGuncelle(sirano, secim);
    secim = 1 - secim;
  }
  state.SetItemsProcessed(state.iterations() * b.siranolar.size());
}

// The reload of the tab and its totals, every line marked; an item is a
// reload.
void SepetYukleVeTopla(benchmark::State& state) {
  Bench& b = bench();
  SecimleriKaydet(*b.bagc, b.siranolar, 1);
  DataSet sepet;
  SepetToplamlari t;
  for (auto _ : state) {
    SepetGetir(*b.bagc, *b.dealer, sepet);
    t = SepetToplamHesapla(sepet);
    benchmark::DoNotOptimize(t);
  }
  if (sepet.rowCount() != kSatir || t.genelToplam <= 0) state.SkipWithError("cart not loaded");
  state.SetItemsProcessed(state.iterations());
  state.counters["rows"] = double(sepet.rowCount());
}

// The totals alone over the 1,000 marked lines.
void SepetToplami(benchmark::State& state) {
  Bench& b = bench();
  DataSet sepet;
  SepetGetir(*b.bagc, *b.dealer, sepet);
  for (auto _ : state) benchmark::DoNotOptimize(SepetToplamHesapla(sepet));
  state.SetItemsProcessed(state.iterations());
}

BENCHMARK(EmptyRoundTrip)->UseRealTime();
BENCHMARK(FreshRoundTrip)->UseRealTime();
BENCHMARK(HepsiniSec)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(SecimAcikBaglanti)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(SepetYukleVeTopla)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(SepetToplami)->Unit(benchmark::kMicrosecond)->UseRealTime();

}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  bench();
  vlm::olcum::RatioReporter reporter([](vlm::olcum::RatioReporter& r) {
    for (const char* floor : {"FreshRoundTrip/real_time", "EmptyRoundTrip/real_time"}) {
      r.ratio("HepsiniSec/real_time", floor, "lines");
      r.ratio("SecimAcikBaglanti/real_time", floor, "lines");
      r.ratio("SepetYukleVeTopla/real_time", floor, "loads");
    }
    r.ratio("SepetToplami/real_time", "EmptyRoundTrip/real_time", "sums");
  });
  benchmark::RunSpecifiedBenchmarks(&reporter);
  benchmark::Shutdown();
  return 0;
}
