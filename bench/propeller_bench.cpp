// Timing of the open-water series and of a whole optimum search at the
// example ship's trial point (B4-49.9, KT/J^2 = 0.703: about 50,000 series
// evaluations over 90 pitch ratios). The console goes to memory.
#include <benchmark/benchmark.h>

#include <sstream>

#include "propulsion/open_water_series.h"
#include "propulsion/propeller_search.h"
#include "run/run.h"

namespace {

using namespace gemi;

void BM_BSeriesEvaluation(benchmark::State& state) {
  SeriesState st;
  float J = 0.5f;
  for (auto _ : state) {
    st.J = J;
    BSERIES(0.83f, 0.499f, 4.0f, 0.0f, st);
    benchmark::DoNotOptimize(st.KT);
    benchmark::DoNotOptimize(st.KQ);
    J = J < 1.0f ? J + 0.001f : 0.1f;
  }
}
BENCHMARK(BM_BSeriesEvaluation);

void BM_BSeriesWithScaleCorrection(benchmark::State& state) {
  SeriesState st;
  st.DP = 3.8f;
  st.VAP = 4.829f;
  st.RPMP = 150.0f;
  float J = 0.5f;
  for (auto _ : state) {
    st.J = J;
    BSERIES(0.83f, 0.499f, 4.0f, 1.0f, st);
    benchmark::DoNotOptimize(st.KT);
    J = J < 1.0f ? J + 0.001f : 0.1f;
  }
}
BENCHMARK(BM_BSeriesWithScaleCorrection);

// The sweep on the path this processor takes (what the program uses), then
// on each path by name (0 scalar, 1 SSE2, 2 AVX2, 3 AVX-512).
void BM_OptimumSweepOnly(benchmark::State& state) {
  for (auto _ : state) {
    float Z = 4.0f;
    SeriesState st;
    OptimumSearchResult r = sweepOptimum(false, 0.703f, 0.499f, Z, {1, 0.0f}, st);
    benchmark::DoNotOptimize(r.chosen);
  }
}
BENCHMARK(BM_OptimumSweepOnly)->Unit(benchmark::kMillisecond);

void BM_OptimumSweepOnPath(benchmark::State& state) {
  const auto path = static_cast<SeriesPath>(state.range(0));
  if (!seriesPathAvailable(path)) {
    state.SkipWithError("path not available on this processor");
    return;
  }
  for (auto _ : state) {
    float Z = 4.0f;
    SeriesState st;
    OptimumSearchResult r = sweepOptimum(false, 0.703f, 0.499f, Z, {1, 0.0f}, st, path);
    benchmark::DoNotOptimize(r.chosen);
  }
}
BENCHMARK(BM_OptimumSweepOnPath)->Unit(benchmark::kMillisecond)->DenseRange(0, 3);

void BM_OPTKTJ2WholeSearch(benchmark::State& state) {
  for (auto _ : state) {
    std::istringstream in;
    std::ostringstream con;
    Run run(in, con, ".");  // report file left closed: its records are formed and dropped
    run.s.in.NSERIES = 1;
    float Z = 4.0f;
    OPTKTJ2(run, 242.67f, 3.8f, 4.829f, 1025.0f, Z, 0.499f);
    benchmark::DoNotOptimize(run.s.prop.sel.J);
  }
}
BENCHMARK(BM_OPTKTJ2WholeSearch)->Unit(benchmark::kMillisecond);

// The same search in a run whose report and console nobody reads: the
// records are dropped unformatted, what is left is the search itself.
void BM_OPTKTJ2OutputsDropped(benchmark::State& state) {
  for (auto _ : state) {
    std::istringstream in;
    std::ostringstream con;
    Run run(in, con, ".", RunOutputs{.writeFiles = false, .echoConsole = false});
    run.s.in.NSERIES = 1;
    float Z = 4.0f;
    OPTKTJ2(run, 242.67f, 3.8f, 4.829f, 1025.0f, Z, 0.499f);
    benchmark::DoNotOptimize(run.s.prop.sel.J);
  }
}
BENCHMARK(BM_OPTKTJ2OutputsDropped)->Unit(benchmark::kMillisecond);

}  // namespace
