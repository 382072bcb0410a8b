// Data packets of 100,000 rows with the stock list's columns: encoding,
// decoding, a StokAraGetir round trip over loopback, and, as the floor of
// the same run, the raw transfer of the same number of bytes over a
// loopback socket. Prints rows per second, the round trip's ratio to the raw
// transfer and the dataset's memory against the packet's size.
#include <benchmark/benchmark.h>

#include <QCoreApplication>
#include <atomic>
#include <cstdio>
#include <thread>

#include "connection.h"
#include "datapacket.h"
#include "dataset.h"
#include "netsocket.h"
#include "proxim.h"
#include "rpcserver.h"

using namespace vlm;

namespace {

constexpr int kRows = 100000;

struct Column {
  const char* name;
  FieldType type;
};
// The stock list's result table.
const Column kStockColumns[] = {
    {"DURUM", FieldType::Integer},
    {"OEM1", FieldType::String},
    {"OEM2", FieldType::String},
    {"OEM3", FieldType::String},
    {"OEM4", FieldType::String},
    {"BARKOD", FieldType::String},
    {"ADI", FieldType::String},
    {"STOK_STOKNO", FieldType::Integer},
    {"FINISHKOD", FieldType::String},
    {"URETICIKODU", FieldType::String},
    {"RESIM", FieldType::Integer},
    {"BARKOD_BARKODNO", FieldType::String},
    {"DIGERADI", FieldType::String},
    {"DPKOD", FieldType::String},
    {"OEMNO", FieldType::String},
    {"BIRIM", FieldType::String},
    {"MARKA", FieldType::String},
    {"MODEL", FieldType::String},
    {"ANAGRUP", FieldType::String},
    {"OZELKOD", FieldType::String},
    {"KALAN", FieldType::Float},
    {"PKOD", FieldType::String},
    {"KDV", FieldType::Float},
    {"ALINANSIPARIS", FieldType::Float},
    {"VERILENSIPARIS", FieldType::Float},
    {"LISTEFIYAT1", FieldType::Float},
    {"KAMPFIYAT", FieldType::Float},
    {"FIYAT", FieldType::Float},
    {"Y", FieldType::Integer},
    {"K", FieldType::Integer},
    {"INDIRIMYAZI", FieldType::String},
    {"NETFIYAT", FieldType::Float},
    {"KDVDAHIL", FieldType::Float},
    {"IND1", FieldType::Float},
    {"IND2", FieldType::Float},
    {"IND3", FieldType::Float},
    {"IND4", FieldType::Float},
};

DataSet stockTable(int rows) {
  DataSet ds;
  for (const auto& c : kStockColumns) ds.addField(c.name, c.type);
  ds.reserve(rows);
  const QString marka[] = {"BOSCH", "MANN", "SACHS", "VALEO", "FEBI"};
  const QString model[] = {"FIAT DOBLO 1.3", "RENAULT CLIO IV", "FORD FOCUS 1.6 TDCI",
                           "VW PASSAT B8", "TOYOTA COROLLA"};
  for (int r = 0; r < rows; ++r) {
    ds.appendRow();
    for (int c = 0; c < ds.fieldCount(); ++c) {
      const Field* f = ds.field(c);
      const QString n = f->fieldName();
      switch (f->dataType()) {
        case FieldType::Integer:
          ds.setInteger(r, c, n == "STOK_STOKNO" ? 100000 + r : r % 6);
          break;
        case FieldType::Float: ds.setFloat(r, c, (r % 997) * 1.37 + c * 0.18); break;
        default:
          if (n == "ADI")
            ds.setString(r, c, QString::fromUtf8("FREN BALATASI ÖN TAKIM %1").arg(r));
          else if (n == "MARKA")
            ds.setString(r, c, marka[r % 5]);
          else if (n == "MODEL")
            ds.setString(r, c, model[r % 5]);
          else if (n.startsWith("OEM") && r % 3)
            ds.setString(r, c, QString());
          else if (n == "INDIRIMYAZI")
            ds.setString(r, c, QStringLiteral("%10+%5+%3"));
          else
            ds.setString(r, c, QStringLiteral("%1-%2").arg(n.left(3)).arg(r * 7 % 100003));
      }
    }
  }
  return ds;
}

const DataSet& table() {
  static DataSet ds = stockTable(kRows);
  return ds;
}
const QByteArray& packet() {
  static QByteArray p = encodeDataPacket(table());
  return p;
}

// The mean seconds per iteration of the benchmarks the summary compares.
std::atomic<double> g_decode{0}, g_roundTrip{0}, g_roundTripLoad{0}, g_raw{0};

void record(benchmark::State& state, std::atomic<double>& into, double seconds) {
  into = seconds / double(state.iterations());
}

double now() {
  return std::chrono::duration<double>(std::chrono::steady_clock::now().time_since_epoch()).count();
}

void BM_EncodePacket(benchmark::State& state) {
  const DataSet& ds = table();
  for (auto _ : state) benchmark::DoNotOptimize(encodeDataPacket(ds));
  state.counters["rows/s"] =
      benchmark::Counter(double(kRows) * double(state.iterations()), benchmark::Counter::kIsRate);
  state.SetBytesProcessed(int64_t(state.iterations()) * packet().size());
}

void BM_DecodePacket(benchmark::State& state) {
  const QByteArray& p = packet();
  double total = 0;
  for (auto _ : state) {
    const double t0 = now();
    DataSet ds;
    ds.loadFromPacket(p);
    total += now() - t0;
    benchmark::DoNotOptimize(ds.rowCount());
  }
  record(state, g_decode, total);
  state.counters["rows/s"] =
      benchmark::Counter(double(kRows) * double(state.iterations()), benchmark::Counter::kIsRate);
  state.SetBytesProcessed(int64_t(state.iterations()) * p.size());
}

// StokAraGetir over loopback; the server answers with the ready packet, so
// that the measure is the protocol's, not the building of the table.
struct Loopback {
  RpcServer server;
  std::unique_ptr<Connection> conn;
  Loopback() {
    server.registerOperation("StokAraGetir", [](Call& c) { c.setPacket(packet()); });
    server.listen();
    conn = std::make_unique<Connection>();
    conn->setHostName("127.0.0.1");
    conn->setPort(server.port());
    conn->open();
  }
};

void BM_RoundTripStokAraGetir(benchmark::State& state) {
  packet();
  Loopback lb;
  TServerMethods1Client p(lb.conn.get());
  const bool load = state.range(0) != 0;
  double total = 0;
  for (auto _ : state) {
    const double t0 = now();
    const QByteArray got = p.StokAraGetir("FREN", std::make_unique<TSonucBilgisi>());
    if (load) {
      DataSet ds;
      ds.loadFromPacket(got);
      benchmark::DoNotOptimize(ds.rowCount());
    }
    total += now() - t0;
    benchmark::DoNotOptimize(got.size());
  }
  record(state, load ? g_roundTripLoad : g_roundTrip, total);
  state.counters["rows/s"] =
      benchmark::Counter(double(kRows) * double(state.iterations()), benchmark::Counter::kIsRate);
  state.SetBytesProcessed(int64_t(state.iterations()) * packet().size());
}

// The floor: a one-byte request, then the packet's number of bytes back,
// over a loopback socket.
void BM_RawTransfer(benchmark::State& state) {
  const QByteArray bytes(packet().size(), '\x42');
  NetListener l;
  l.listen("127.0.0.1", 0);
  std::atomic<bool> stop{false};
  std::thread server([&] {
    NetSocket s = l.accept(5000);
    char req;
    try {
      while (!stop) {
        s.recvExact(&req, 1, -1);
        s.sendAll(bytes.constData(), bytes.size(), 10000);
      }
    } catch (...) {
    }
  });
  NetSocket c = NetSocket::connectTo("127.0.0.1", l.port(), 5000);
  QByteArray in(bytes.size(), Qt::Uninitialized);
  double total = 0;
  for (auto _ : state) {
    const double t0 = now();
    c.sendAll("?", 1, 10000);
    c.recvExact(in.data(), in.size(), 10000);
    total += now() - t0;
  }
  stop = true;
  c.shutdown();
  server.join();
  record(state, g_raw, total);
  state.SetBytesProcessed(int64_t(state.iterations()) * bytes.size());
}

}  // namespace

BENCHMARK(BM_RawTransfer)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_EncodePacket)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_DecodePacket)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RoundTripStokAraGetir)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->UseRealTime();

int main(int argc, char** argv) {
  QCoreApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();

  const double packetMb = packet().size() / 1e6;
  DataSet loaded;
  loaded.loadFromPacket(packet());
  std::printf("\nSummary (%d rows, %d columns, packet %.1f MB)\n", kRows, table().fieldCount(),
              packetMb);
  if (g_decode > 0)
    std::printf("  decoding:                 %.2f million rows/s (aim: at least 1)\n",
                kRows / g_decode / 1e6);
  if (g_raw > 0 && g_roundTrip > 0)
    std::printf("  round trip / raw transfer: %.2f (aim: at most 3)\n", g_roundTrip / g_raw);
  if (g_raw > 0 && g_roundTripLoad > 0)
    std::printf("  round trip with the load into a dataset / raw transfer: %.2f\n",
                g_roundTripLoad / g_raw);
  std::printf("  dataset memory / packet size: %.2f (aim: at most 2)\n",
              double(loaded.memoryUse()) / double(packet().size()));
  return 0;
}
