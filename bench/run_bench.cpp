// Timing of one whole run of the example ship: reading the input file,
// every speed, the tables, the model report, the propeller stage with its
// searches and the closing, with the console answers scripted and the files
// written in a scratch folder. Reported as the median of repeated runs.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>

#include "run/driver.h"

namespace {

namespace fs = std::filesystem;

// Answers a user of the example gives: efficiency, blade number, keep the
// area ratio, Enter at every pause.
constexpr const char* kAnswers = "0.686\n4\nH\n\n\n\n\n\n\n\n";

void BM_WholeExampleRun(benchmark::State& state) {
  std::string tmpl = (fs::temp_directory_path() / "gemi_bench_XXXXXX").string();
  if (!mkdtemp(tmpl.data())) {
    state.SkipWithError("no scratch folder");
    return;
  }
  const fs::path dir = tmpl;
  {
    std::ifstream example(fs::path(GEMI_SOURCE_DIR) / "examples/KR-22-03-2017.TSK", std::ios::binary);
    std::ofstream input(dir / "KR-22-03-2017.TSK", std::ios::binary);
    input << example.rdbuf();
  }
  int status = 0;
  for (auto _ : state) {
    std::istringstream consoleIn(kAnswers);
    std::ostringstream consoleOut;
    status |= gemi::runProgram(consoleIn, consoleOut, dir);
    benchmark::DoNotOptimize(consoleOut);
  }
  if (status != 0) state.SkipWithError("the example run did not end with an ordinary stop");
  std::error_code ec;
  fs::remove_all(dir, ec);
}
BENCHMARK(BM_WholeExampleRun)->Unit(benchmark::kMillisecond)->Repetitions(9)->ReportAggregatesOnly(true);

}  // namespace
