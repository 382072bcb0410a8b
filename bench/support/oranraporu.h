#pragma once
// A console reporter that also prints each measure's rate beside a floor
// measured in the same run, and their ratio.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <functional>
#include <map>
#include <string>
#include <vector>

namespace vlm::olcum {

class RatioReporter : public benchmark::ConsoleReporter {
 public:
  // Called after the runs; it names the pairs with ratio().
  using Pairs = std::function<void(RatioReporter&)>;
  explicit RatioReporter(Pairs pairs) : pairs_(std::move(pairs)) {}

  void ReportRuns(const std::vector<Run>& runs) override {
    ConsoleReporter::ReportRuns(runs);
    for (const Run& r : runs) {
      auto it = r.counters.find("items_per_second");
      if (it != r.counters.end()) rates_[r.benchmark_name()] = it->second;
    }
  }

  void Finalize() override {
    ConsoleReporter::Finalize();
    std::printf("\nRatios to the floors measured in this run:\n");
    pairs_(*this);
  }

  // One line: the measure's rate, the floor's rate and measure / floor.
  void ratio(const std::string& measure, const std::string& floor, const char* per = "") {
    if (!rates_.count(measure) || !rates_.count(floor) || rates_[floor] == 0) return;
    std::printf("%-40s %10.1f %s/s  floor %-36s %10.1f/s  ratio %.3f\n", measure.c_str(),
                rates_[measure], per, floor.c_str(), rates_[floor],
                rates_[measure] / rates_[floor]);
  }

 private:
  Pairs pairs_;
  std::map<std::string, double> rates_;
};

}  // namespace vlm::olcum
