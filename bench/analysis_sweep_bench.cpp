// Timing of a sweep of gemiguc-analiz itself (runSweep, as the command line
// runs it): 2,000 variants of the example ship
// (40 breadths times 50 diameters; the diameter is given, so each variant
// seeks the optimum revolutions, and runs the whole propeller stage with the
// efficiency loop), on every core, writing varyantlar.csv in a scratch
// folder. Reported as the median wall time of repeated sweeps and as
// variants per second.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "analysis/companion.h"
#include "analysis/sweep.h"
#include "analysis/variants.h"
#include "example_folder.h"

namespace {

constexpr double kVariants = 2000;

void BM_AnalysisSweep2000(benchmark::State& state) {
  const gemi::bench::ExampleFolder folder("gemi_sweep_bench");
  if (!folder.ok()) {
    state.SkipWithError("no scratch folder");
    return;
  }
  gemi::analysis::Options opt;
  opt.input = folder.input();
  opt.inputs = {opt.input};
  opt.axes = {gemi::analysis::parseAxis("B=30:33.9:0.1"), gemi::analysis::parseAxis("D=7:8.96:0.04")};
  opt.jobs = static_cast<unsigned>(state.range(0));
  opt.outDir = folder.dir() / "analiz";
  int status = 0;
  for (auto _ : state) {
    std::ostringstream out, err;
    status |= gemi::analysis::runSweep(opt, false, out, err);
  }
  if (status != 0) state.SkipWithError("the sweep did not run every variant");
  state.counters["varyant_s"] = benchmark::Counter(kVariants, benchmark::Counter::kIsIterationInvariantRate);
}
BENCHMARK(BM_AnalysisSweep2000)
    ->Arg(1)
    ->Arg(2)
    ->ArgName("j")
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Iterations(1)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);

}  // namespace
