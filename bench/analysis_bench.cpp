// Timing of one whole gemiguc-analiz run of the example ship: the efficiency
// loop (a run at 0.600 that stops at the check, a run at 0.686 that writes
// the program's files), the results record, the tables and sonuc.json, in a
// scratch folder. Compare with BM_WholeExampleRun (one gemiguc run).
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "analysis/companion.h"
#include "example_folder.h"

namespace {

void BM_CompanionExampleRun(benchmark::State& state) {
  const gemi::bench::ExampleFolder folder("gemi_bench_analiz");
  if (!folder.ok()) {
    state.SkipWithError("no scratch folder");
    return;
  }
  gemi::analysis::Options opt;
  opt.input = folder.input();
  int status = 0;
  for (auto _ : state) {
    std::ostringstream out, err;
    status |= gemi::analysis::runCompanion(opt, out, err).status;
    benchmark::DoNotOptimize(out);
  }
  if (status != 0) state.SkipWithError("the companion run of the example did not complete");
}
BENCHMARK(BM_CompanionExampleRun)->Unit(benchmark::kMillisecond)->Repetitions(9)->ReportAggregatesOnly(true);

}  // namespace
