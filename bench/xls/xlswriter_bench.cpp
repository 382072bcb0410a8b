// "Excel Kaydet" of a 100,000-row stock list, against a floor measured in the
// same run: the same number of bytes written with plain buffered file writes.
// Prints rows per second and the ratio of the export to the floor.
#include "xlswriter.h"

#include <benchmark/benchmark.h>

#include <QDate>
#include <QDateTime>
#include <QFileInfo>
#include <QStringList>
#include <QTemporaryDir>
#include <QTime>

#include <unistd.h>

#include <array>
#include <cstdio>
#include <map>
#include <vector>

namespace {

constexpr int kRows = 100000;
constexpr int kColumns = 12;
using Row = std::array<QVariant, kColumns>;

// The stock list's columns, filled as the dataset holds them: texts,
// prices as doubles, counts as integers, dates.
const QList<vlm::XlsColumn>& columns() {
  static const QList<vlm::XlsColumn> c = {
      {"Stok Kodu", vlm::XlsColumn::Text, {}},
      {"Stok Adı", vlm::XlsColumn::Text, {}},
      {"Marka", vlm::XlsColumn::Text, {}},
      {"OEM No", vlm::XlsColumn::Text, {}},
      {"Barkod", vlm::XlsColumn::Text, {}},
      {"Liste Fiyatı", vlm::XlsColumn::Number, "#,###,##0.00"},
      {"Net Fiyat", vlm::XlsColumn::Number, "#,###,##0.00"},
      {"Kampanya Fiyatı", vlm::XlsColumn::Number, "#,###,##0.00"},
      {"Eldeki", vlm::XlsColumn::Number, {}},
      {"Durum", vlm::XlsColumn::Number, {}},
      {"Kayıt Tarihi", vlm::XlsColumn::Date, {}},
      {"Güncelleme", vlm::XlsColumn::DateTime, {}},
  };
  return c;
}

const std::vector<Row>& stockList() {
  static const std::vector<Row> rows = [] {
    const QStringList brands = {"Bosch", "Valeo", "Mann", "Sachs", "Febi", "Lemförder", "Şahin"};
    const QStringList parts = {"Fren balatası ön", "Yağ filtresi", "Amortisör arka sol",
                               "Debriyaj seti",    "Rot başı sağ", "Buji takımı (4'lü)"};
    const QDateTime base(QDate(2021, 3, 1), QTime(9, 0));
    std::vector<Row> out(kRows);
    for (int i = 0; i < kRows; ++i) {
      const double price = 10.0 + (i * 7919 % 500000) / 100.0;
      const QDateTime updated = base.addSecs(qint64(i) * 613);
      out[std::size_t(i)] = {
          QStringLiteral("VLM-%1").arg(i, 6, 10, QLatin1Char('0')),
          QStringLiteral("%1 %2 %3").arg(parts[i % parts.size()], brands[i % brands.size()]).arg(i),
          brands[i % brands.size()],
          QStringLiteral("%1-%2").arg(1000 + i % 9000).arg(i * 31 % 100000),
          QStringLiteral("869%1").arg(1000000000LL + i * 37LL),
          price,
          price * 0.85,
          i % 5 == 0 ? QVariant(price * 0.7) : QVariant(0.0),
          i % 400,
          i % 6,
          updated.date().addDays(-(i % 900)),
          updated,
      };
    }
    return out;
  }();
  return rows;
}

vlm::XlsCellSource source() {
  const std::vector<Row>& rows = stockList();
  return [&rows](int r, int c) { return rows[std::size_t(r)][std::size_t(c)]; };
}

QString tempPath(const char* name) {
  static QTemporaryDir dir;
  return dir.filePath(QString::fromLatin1(name));
}

// The size of the exported file, from one export before the timings.
qint64 exportSize() {
  static const qint64 size = [] {
    const QString path = tempPath("olcu.xls");
    if (!vlm::writeXls(path, columns(), kRows, source())) return qint64(0);
    return QFileInfo(path).size();
  }();
  return size;
}

void BM_XlsExport(benchmark::State& state) {
  const QString path = tempPath("stok.xls");
  const vlm::XlsCellSource cells = source();
  for (auto _ : state) {
    QString error;
    if (!vlm::writeXls(path, columns(), kRows, cells, &error)) {
      state.SkipWithError(error.toStdString().c_str());
      break;
    }
  }
  state.SetItemsProcessed(state.iterations() * kRows);
  state.SetBytesProcessed(state.iterations() * exportSize());
}
BENCHMARK(BM_XlsExport)->Unit(benchmark::kMillisecond)->UseRealTime();

// The floor: as many bytes as the export writes, in 64 KB fwrite calls. The
// synced variant also flushes them to the disk before closing, as the
// export's atomic save does before it gives the file its name.
void plainWrite(benchmark::State& state, bool sync) {
  const QByteArray path = tempPath("duz.bin").toLocal8Bit();
  const qint64 total = exportSize();
  const std::vector<char> chunk(64 * 1024, 'x');
  for (auto _ : state) {
    std::FILE* f = std::fopen(path.constData(), "wb");
    if (!f) {
      state.SkipWithError("cannot open the floor's file");
      break;
    }
    for (qint64 left = total; left > 0;) {
      const auto n = std::size_t(std::min<qint64>(left, qint64(chunk.size())));
      std::fwrite(chunk.data(), 1, n, f);
      left -= qint64(n);
    }
    if (sync) {
      std::fflush(f);
      ::fdatasync(::fileno(f));
    }
    std::fclose(f);
  }
  state.SetItemsProcessed(state.iterations() * kRows);
  state.SetBytesProcessed(state.iterations() * total);
}
void BM_PlainWriteFloor(benchmark::State& state) {
  plainWrite(state, false);
}
void BM_PlainWriteFloorSynced(benchmark::State& state) {
  plainWrite(state, true);
}
BENCHMARK(BM_PlainWriteFloor)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_PlainWriteFloorSynced)->Unit(benchmark::kMillisecond)->UseRealTime();

// Keeps the times of the runs to print the ratio at the end.
class RatioReporter : public benchmark::ConsoleReporter {
 public:
  void ReportRuns(const std::vector<Run>& runs) override {
    for (const Run& run : runs)
      if (run.run_type == Run::RT_Iteration)
        times_[run.run_name.function_name] = {run.GetAdjustedRealTime(), run.GetAdjustedCPUTime()};
    ConsoleReporter::ReportRuns(runs);
  }

  void printSummary() const {
    const auto exported = times_.find("BM_XlsExport");
    const auto floor = times_.find("BM_PlainWriteFloor");
    const auto synced = times_.find("BM_PlainWriteFloorSynced");
    if (exported == times_.end() || floor == times_.end()) return;
    const Times e = exported->second, f = floor->second;
    std::printf("\n%d rows x %d columns, %.1f MB\n", kRows, kColumns, double(exportSize()) / 1e6);
    std::printf("export: %.1f ms (%.1f ms CPU), %.0f rows/s\n", e.real, e.cpu,
                kRows / (e.real / 1000.0));
    std::printf("floor, plain writes: %.1f ms; ratio %.1f\n", f.real, e.real / f.real);
    if (synced != times_.end())
      std::printf("floor, plain writes synced to disk: %.1f ms; ratio %.1f\n", synced->second.real,
                  e.real / synced->second.real);
  }

 private:
  struct Times {
    double real, cpu;
  };
  std::map<std::string, Times> times_;
};

}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  stockList();
  exportSize();
  RatioReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  reporter.printSummary();
  benchmark::Shutdown();
  return 0;
}
