// Whole runs in a temporary folder with scripted console answers.
#pragma once

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "run/driver.h"
#include "run/run.h"

namespace gemi::testing {

inline std::string readFile(const std::filesystem::path& p) {
  std::error_code ec;
  if (std::filesystem::is_directory(p, ec)) return {};  // a folder standing under a file's name
  std::ifstream f(p, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(f), {});
}

inline void writeFile(const std::filesystem::path& p, const std::string& text) {
  std::ofstream f(p, std::ios::binary);
  f << text;
}

// The bundled example ship's input file.
inline std::string exampleInput() {
  return readFile(std::filesystem::path(GEMI_SOURCE_DIR) / "examples/KR-22-03-2017.TSK");
}

// A scratch folder removed with the object.
class TempDir {
 public:
  TempDir() {
    std::random_device rd;
    path_ = std::filesystem::temp_directory_path() / ("gemi_test_" + std::to_string(rd()) + std::to_string(rd()));
    std::filesystem::create_directories(path_);
  }
  ~TempDir() {
    std::error_code ec;
    std::filesystem::remove_all(path_, ec);
  }
  const std::filesystem::path& path() const { return path_; }

 private:
  std::filesystem::path path_;
};

struct RunResult {
  int status = -1;
  std::string console;  // everything written to the console
  std::string report;   // KR-22-03-2017.SON
  std::string echo;     // KR-22-03-2017.CRL
  std::optional<std::string> modelReport;  // TANK_ANALIZI_DEGERI.SON when present
  RunState state;       // the run state as the run left it
};

// Runs the program in process in the folder `dir` (which holds whatever the
// test put there) with `answers` as console input.
inline RunResult runIn(const std::filesystem::path& dir, const std::string& answers = "") {
  std::istringstream in(answers);
  std::ostringstream out;
  RunResult r;
  r.status = runProgram(in, out, dir, &r.state);
  r.console = out.str();
  r.report = readFile(dir / "KR-22-03-2017.SON");
  r.echo = readFile(dir / "KR-22-03-2017.CRL");
  std::error_code ec;  // a folder in its place, or a path too long: no model report
  if (std::filesystem::is_regular_file(dir / "TANK_ANALIZI_DEGERI.SON", ec))
    r.modelReport = readFile(dir / "TANK_ANALIZI_DEGERI.SON");
  return r;
}

// Runs the program in process on `input` (the input data file's text) with
// `answers` as console input.
inline RunResult runCase(const std::string& input, const std::string& answers = "") {
  TempDir dir;
  writeFile(dir.path() / "KR-22-03-2017.TSK", input);
  return runIn(dir.path(), answers);
}

// Lines of a text (line ends removed; a last line without its end counts).
inline std::vector<std::string> linesOf(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

// `input` with the values of value record `no` (1 .. 43) replaced by `values`
// (which may hold several lines). Value records are the lines that do not
// start with '*', as in the bundled example.
inline std::string withRecord(const std::string& input, int no, const std::string& values) {
  std::string out;
  int seen = 0;
  for (const std::string& line : linesOf(input)) {
    const bool value = !line.empty() && line[0] != '*';
    if (value) ++seen;
    out += (value && seen == no) ? values : line;
    out += '\n';
  }
  return out;
}

// True when `part` occurs in `text`.
inline bool contains(const std::string& text, const std::string& part) { return text.find(part) != std::string::npos; }

// True when one of `lines` is `line` itself.
inline bool hasLine(const std::vector<std::string>& lines, const std::string& line) {
  return std::find(lines.begin(), lines.end(), line) != lines.end();
}

// True when one of `lines` holds `part`.
inline bool anyContains(const std::vector<std::string>& lines, const std::string& part) {
  return std::any_of(lines.begin(), lines.end(), [&](const std::string& l) { return contains(l, part); });
}

// The first line of `text` that starts with `start`.
inline std::string lineStartingWith(const std::string& text, const std::string& start) {
  for (const auto& line : linesOf(text))
    if (line.rfind(start, 0) == 0) return line;
  return "<no line starting with '" + start + "'>";
}

// The last `n` lines of `text` (all of them when it has fewer).
inline std::vector<std::string> lastLines(const std::string& text, std::size_t n) {
  const auto lines = linesOf(text);
  return {lines.end() - static_cast<long>(std::min(n, lines.size())), lines.end()};
}

// The example ship's input values as the reader leaves them: Lwl = Lbp = 205,
// B = 32, Tf = Ta = 10, V = 37500, LCB = -1.5375, ABT = 20 at HB = 4, AT = 16,
// Cm = 0.98, Cwp = 0.75, Cstern = 10, IE = 12.08, S = 7381.45, sea water
// 1025 kg/m3, g = 9.81, FFDF = 1. Appendages are left to the test.
inline InputData exampleShipInput() {
  InputData in;
  in.RHO = 1025.0f, in.GRAV = 9.81f, in.Lwl = 205.0f, in.Lbp = 205.0f, in.B = 32.0f;
  in.Tf = 10.0f, in.Ta = 10.0f, in.V = 37500.0f, in.LCB = -1.5375f, in.ABT = 20.0f, in.HB = 4.0f;
  in.AT = 16.0f, in.Cm = 0.98f, in.Cwp = 0.75f, in.Cstern = 10.0f, in.IE = 12.08f, in.S = 7381.45f;
  in.FFDF = 1.0f;
  return in;
}

// A run on a hand-made state in a scratch folder, the report file open and
// the console kept, for calling one stage directly.
struct StateRun {
  explicit StateRun(const std::string& answers = "") : in(answers), run(in, out, dir.path()) {
    run.reportFile.open(run.file(kReportFileName));
  }
  std::vector<std::string> report() {
    run.report.flush();
    return linesOf(readFile(run.file(kReportFileName)));
  }
  std::vector<std::string> console() {
    run.con.flush();
    return linesOf(out.str());
  }

  TempDir dir;
  std::istringstream in;
  std::ostringstream out;
  Run run;
};

}  // namespace gemi::testing
