// Runs the benchmarks and then prints, for every measured routine that has a raw counterpart in
// the same run, the ratio of their times: the figures the targets are stated in.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <map>
#include <string>

#include "bench/Ratios.h"

namespace {

class RatioReporter : public benchmark::ConsoleReporter {
 public:
  void ReportRuns(const std::vector<Run>& runs) override {
    ConsoleReporter::ReportRuns(runs);
    for (const Run& run : runs)
      if (run.run_type == Run::RT_Iteration && !run.error_occurred)
        FTimes[run.benchmark_name()] = run.GetAdjustedRealTime();
  }

  void Finalize() override {
    ConsoleReporter::Finalize();
    std::printf("\nRatios (measured / raw, same run):\n");
    for (const auto& [measured, raw] : RatioPairs()) {
      const auto m = FTimes.find(measured);
      const auto r = FTimes.find(raw);
      if (m == FTimes.end() || r == FTimes.end() || r->second <= 0) continue;
      std::printf("  %-55s %6.2f  (vs %s)\n", measured.c_str(), m->second / r->second,
                  raw.c_str());
    }
  }

 private:
  std::map<std::string, double> FTimes;
};

}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  RatioReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  benchmark::Shutdown();
  return 0;
}
