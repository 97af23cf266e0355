// Timing of the whole propeller stage of the example ship (optimum
// revolutions for the given 8 m diameter): the trial-speed dialogue, the
// optimum search, the cavitation checks, the efficiency check and power
// chain, the other methods' coefficients, the factors at every speed and the
// characteristics over speed. The state it starts from is the run state of
// the example at the stage's first question (a run whose console input ends
// there); each repetition copies it and runs the stage with the example's
// answers. Argument 0: the console goes to memory, the report file is left
// closed (its records are formed and dropped); 1: console and report are
// dropped unformatted, as in a run whose text nobody reads.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "propulsion/propeller_stage.h"
#include "run/driver.h"
#include "run/run.h"

namespace {

namespace fs = std::filesystem;

// The run state at the stage's first question, from a run in a scratch folder.
bool stateAtStage(gemi::RunState& state) {
  std::string tmpl = (fs::temp_directory_path() / "gemi_bench_XXXXXX").string();
  if (!mkdtemp(tmpl.data())) return false;
  const fs::path dir = tmpl;
  {
    std::ifstream example(fs::path(GEMI_SOURCE_DIR) / "examples/KR-22-03-2017.TSK", std::ios::binary);
    std::ofstream input(dir / gemi::kInputFileName, std::ios::binary);
    input << example.rdbuf();
  }
  std::istringstream noAnswers;
  std::ostringstream console;
  // The console input ends at the assumed efficiency: a read failure there.
  const int status = gemi::runProgram(noAnswers, console, dir, &state);
  std::error_code ec;
  fs::remove_all(dir, ec);
  return status == gemi::kReadFailureStatus && state.prop.stage.ITR > 0;
}

void BM_WholePropellerStage(benchmark::State& state) {
  gemi::RunState start;
  if (!stateAtStage(start)) {
    state.SkipWithError("the example run did not reach the propeller stage");
    return;
  }
  bool completed = true;
  for (auto _ : state) {
    std::istringstream answers("0.686\n4\nH\n\n\n\n\n\n");
    std::ostringstream console;
    gemi::RunOutputs outputs;
    if (state.range(0) == 1) outputs = {.writeFiles = false, .echoConsole = false};
    gemi::Run run(answers, console, ".", outputs);
    run.s = start;
    try {
      gemi::runPropellerStage(run);
    } catch (const gemi::StopRun&) {
      completed = false;  // the example's answers lead through the whole stage
    }
    benchmark::DoNotOptimize(run.s.prop.sel.ETA0);
  }
  if (!completed) state.SkipWithError("the stage stopped");
}
BENCHMARK(BM_WholePropellerStage)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

}  // namespace
