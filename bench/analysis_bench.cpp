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

namespace {

namespace fs = std::filesystem;

void BM_CompanionExampleRun(benchmark::State& state) {
  std::string tmpl = (fs::temp_directory_path() / "gemi_bench_analiz_XXXXXX").string();
  if (!mkdtemp(tmpl.data())) {
    state.SkipWithError("no scratch folder");
    return;
  }
  const fs::path dir = tmpl;
  fs::copy_file(fs::path(GEMI_SOURCE_DIR) / "examples/KR-22-03-2017.TSK", dir / "KR-22-03-2017.TSK");
  gemi::analysis::Options opt;
  opt.input = dir / "KR-22-03-2017.TSK";
  int status = 0;
  for (auto _ : state) {
    std::ostringstream out, err;
    status |= gemi::analysis::runCompanion(opt, out, err).status;
    benchmark::DoNotOptimize(out);
  }
  if (status != 0) state.SkipWithError("the companion run of the example did not complete");
  std::error_code ec;
  fs::remove_all(dir, ec);
}
BENCHMARK(BM_CompanionExampleRun)->Unit(benchmark::kMillisecond)->Repetitions(9)->ReportAggregatesOnly(true);

}  // namespace
