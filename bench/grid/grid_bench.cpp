// The grid on 100,000 rows of the stock list's columns: model reset and first
// paint, a sort by text and by number, a header filter, a step of the
// incremental search and the Excel export, each against a floor measured in
// the same run: one pass over the dataset reading a text and a number per
// row. Prints the times and their ratios to the floor at the end.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QTableView>
#include <QTemporaryDir>
#include <cstdio>
#include <map>
#include <memory>

#include "dataset.h"
#include "datasetmodel.h"
#include "grid.h"
#include "stocksample.h"

using namespace vlm;

namespace {

constexpr int kRows = 100000;

struct Bench {
  DataSet ds;
  std::unique_ptr<Grid> grid;
  int adi = -1, barkod = -1, netfiyat = -1, marka = -1;
  Bench() {
    sample::fillStock(ds, kRows);
    grid = std::make_unique<Grid>();
    grid->setColumns(sample::stockColumns());
    grid->setDataSet(&ds);
    grid->setRowHeight(60);
    grid->setFooterSummaries({GridSummary(GridSummary::Count, "BARKOD")});
    grid->resize(1280, 720);
    grid->show();
    grid->applyWeights();
    QCoreApplication::processEvents();
    adi = grid->columnIndex(u"ADI");
    barkod = grid->columnIndex(u"BARKOD");
    netfiyat = grid->columnIndex(u"NETFIYAT");
    marka = grid->columnIndex(u"MARKA");
  }
};

std::unique_ptr<Bench> theBench;
Bench& bench() {
  return *theBench;
}

void BM_FloorIterateDataset(benchmark::State& state) {
  const DataSet& ds = bench().ds;
  const int adi = ds.fieldIndex(u"ADI"), net = ds.fieldIndex(u"NETFIYAT");
  for (auto _ : state) {
    qsizetype bytes = 0;
    double sum = 0;
    for (int r = 0; r < ds.rowCount(); ++r) {
      bytes += ds.rawBytes(r, adi).size();
      sum += ds.floatValue(r, net);
    }
    benchmark::DoNotOptimize(bytes);
    benchmark::DoNotOptimize(sum);
  }
  state.SetItemsProcessed(state.iterations() * kRows);
}
BENCHMARK(BM_FloorIterateDataset)->Unit(benchmark::kMillisecond)->UseRealTime();

// A background load's end: attach (the model and the proxy take the rows
// afresh) and paint the first screen, footer included.
void BM_ResetAndFirstPaint(benchmark::State& state) {
  Grid& g = *bench().grid;
  for (auto _ : state) {
    g.detach();
    g.beginUpdate();
    g.attach();
    g.endUpdate();
    g.repaint();
  }
  state.SetItemsProcessed(state.iterations() * kRows);
}
BENCHMARK(BM_ResetAndFirstPaint)->Unit(benchmark::kMillisecond)->UseRealTime();

void sortBy(benchmark::State& state, int column) {
  Grid& g = *bench().grid;
  bool desc = false;
  for (auto _ : state) {
    g.proxy()->sort(column, desc ? Qt::DescendingOrder : Qt::AscendingOrder);
    desc = !desc;
  }
  g.clearSort();
  state.SetItemsProcessed(state.iterations() * kRows);
}
void BM_SortText(benchmark::State& state) {
  sortBy(state, bench().adi);
}
// Every text different (product codes): no two rows share a rank.
void BM_SortDistinctText(benchmark::State& state) {
  sortBy(state, bench().barkod);
}
void BM_SortNumber(benchmark::State& state) {
  sortBy(state, bench().netfiyat);
}
BENCHMARK(BM_SortText)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_SortDistinctText)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_SortNumber)->Unit(benchmark::kMillisecond)->UseRealTime();

// One choice in a header's drop-down: the rows are filtered again.
void BM_Filter(benchmark::State& state) {
  Grid& g = *bench().grid;
  const QVariantList choices[] = {{QStringLiteral("BOSCH")},
                                  {QStringLiteral("VALEO"), QStringLiteral("ŞAHİN OTO")}};
  int i = 0;
  for (auto _ : state) g.proxy()->setColumnFilter(bench().marka, choices[i++ % 2]);
  g.clearFilter();
  state.SetItemsProcessed(state.iterations() * kRows);
}
BENCHMARK(BM_Filter)->Unit(benchmark::kMillisecond)->UseRealTime();

// A typed letter that matches no row: the whole list is searched.
void BM_IncrementalSearchStep(benchmark::State& state) {
  const GridProxyModel& proxy = *bench().grid->proxy();
  for (auto _ : state)
    benchmark::DoNotOptimize(proxy.findIncremental(bench().adi, QStringLiteral("ZZ"), 0));
  state.SetItemsProcessed(state.iterations() * kRows);
}
BENCHMARK(BM_IncrementalSearchStep)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_ExportXls(benchmark::State& state) {
  QTemporaryDir dir;
  const QString path = dir.filePath(QStringLiteral("stok.xls"));
  for (auto _ : state) {
    QString error;
    if (!bench().grid->exportXls(path, &error)) {
      state.SkipWithError(error.toStdString().c_str());
      break;
    }
  }
  state.SetItemsProcessed(state.iterations() * kRows);
}
BENCHMARK(BM_ExportXls)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);

class RatioReporter : public benchmark::ConsoleReporter {
 public:
  void ReportRuns(const std::vector<Run>& runs) override {
    for (const Run& run : runs)
      if (run.run_type == Run::RT_Iteration)
        times_[run.run_name.function_name] = run.GetAdjustedRealTime();
    ConsoleReporter::ReportRuns(runs);
  }
  void printSummary() const {
    const auto floor = times_.find("BM_FloorIterateDataset");
    if (floor == times_.end()) return;
    std::printf("\n%d rows; floor (one pass over the dataset): %.2f ms\n", kRows, floor->second);
    for (const auto& [name, ms] : times_)
      if (name != floor->first)
        std::printf("%-28s %9.2f ms  %7.1f x floor\n", name.c_str(), ms, ms / floor->second);
  }

 private:
  std::map<std::string, double> times_;
};

}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  QLocale::setDefault(QLocale(QLocale::Turkish, QLocale::Turkey));
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  theBench = std::make_unique<Bench>();
  RatioReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  reporter.printSummary();
  std::fflush(stdout);
  theBench.reset();  // the grid goes before the application
  benchmark::Shutdown();
  return 0;
}
