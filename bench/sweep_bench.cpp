// Timing of a sweep of 2,000 variants of the example ship: breadth B 30.0 to
// 33.9 m (40 values) by diameter D 7.00 to 8.96 m (50 values), the optimum
// revolutions sought for each diameter, the whole propeller stage. Every
// variant is a run from the input text with the values written into their
// records, the answers given as data (efficiency 0.686, four blades, Keller's
// area ratio), files and console dropped unformatted. A variant the
// efficiency check stops runs once more with the efficiency it names, as a
// user would. The variants are shared among the given number of threads;
// reported: variants per second (wall time).
#include <benchmark/benchmark.h>

#include <array>
#include <atomic>
#include <charconv>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "run/driver.h"

namespace {

namespace fs = std::filesystem;

constexpr int kBreadths = 40, kDiameters = 50;

std::string exampleText() {
  std::ifstream f(fs::path(GEMI_SOURCE_DIR) / "examples/KR-22-03-2017.TSK", std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(f), {});
}

std::string shortest(float x) {
  std::array<char, 32> buf{};
  const auto r = std::to_chars(buf.data(), buf.data() + buf.size(), x);
  return std::string(buf.data(), r.ptr);
}

// The example's text with the line after the comment line starting with
// `comment` replaced by `value`; empty when there is no such line.
std::string withRecord(const std::string& text, const std::string& comment, const std::string& value) {
  const std::size_t at = text.find("\n" + comment);
  if (at == std::string::npos) return {};
  const std::size_t first = text.find('\n', at + 1) + 1;
  const std::size_t last = text.find('\n', first);
  return text.substr(0, first) + value + text.substr(last);
}

struct Row {
  float B = 0, D = 0;
  gemi::RunEnding::Kind ending{};
  float N = 0, PoD = 0, ETA0 = 0, etad = 0, Pb = 0;
  int runs = 0;
};

std::string answers(const std::string& etad) { return etad + "\n4\nH\n\n\n\n\n\n\n\n"; }

Row runVariant(const std::string& text, float B, float D) {
  Row row{.B = B, .D = D};
  gemi::RunOptions options;
  options.workDir = ".";
  options.inputText = text;
  options.outputs.writeFiles = false;
  options.outputs.echoConsole = false;
  std::string etad = "0.686";
  gemi::RunState state;
  for (int attempt = 0; attempt < 2; ++attempt) {
    std::istringstream in(answers(etad));
    std::ostringstream out;
    gemi::runProgram(in, out, options, &state);
    ++row.runs;
    if (state.ending.kind != gemi::RunEnding::Kind::Stopped || state.ending.cause != "verim") break;
    // the efficiency the check names, to three decimals as a user types it
    std::array<char, 32> buf{};
    const auto r = std::to_chars(buf.data(), buf.data() + buf.size(), state.prop.stage.etadC,
                                 std::chars_format::fixed, 3);
    etad.assign(buf.data(), r.ptr);
  }
  row.ending = state.ending.kind;
  row.N = state.in.N;
  row.PoD = state.prop.sel.PoD;
  row.ETA0 = state.prop.sel.ETA0;
  row.etad = state.prop.stage.etadC;
  row.Pb = state.prop.stage.Pb;
  return row;
}

void BM_SweepOfVariants(benchmark::State& state) {
  const int threads = static_cast<int>(state.range(0));
  const std::string example = exampleText();
  std::vector<std::string> texts;
  std::vector<std::pair<float, float>> values;
  for (int i = 0; i < kBreadths; ++i) {
    for (int k = 0; k < kDiameters; ++k) {
      const float B = 30.0f + 0.1f * static_cast<float>(i);
      const float D = 7.0f + 0.04f * static_cast<float>(k);
      std::string text = withRecord(example, "* KAYIT 4:", shortest(B));
      text = withRecord(text, "*  D (m)", shortest(D));
      if (text.empty()) {
        state.SkipWithError("the example has no breadth or diameter record where expected");
        return;
      }
      texts.push_back(std::move(text));
      values.emplace_back(B, D);
    }
  }

  std::vector<Row> rows(texts.size());
  for (auto _ : state) {
    std::atomic<std::size_t> next{0};
    auto work = [&] {
      for (std::size_t v = next++; v < texts.size(); v = next++)
        rows[v] = runVariant(texts[v], values[v].first, values[v].second);
    };
    std::vector<std::thread> pool;
    for (int t = 1; t < threads; ++t) pool.emplace_back(work);
    work();
    for (std::thread& t : pool) t.join();
    benchmark::DoNotOptimize(rows.data());
  }

  int completed = 0, runs = 0;
  for (const Row& r : rows) {
    completed += r.ending == gemi::RunEnding::Kind::Completed;
    runs += r.runs;
  }
  state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(rows.size()));
  state.counters["completed"] = completed;
  state.counters["runs"] = runs;
}
BENCHMARK(BM_SweepOfVariants)->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond)->UseRealTime()->MeasureProcessCPUTime();

}  // namespace
