// Whole runs in a temporary folder with scripted console answers.
#pragma once

#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "run/driver.h"

namespace gemi::testing {

inline std::string readFile(const std::filesystem::path& p) {
  std::ifstream f(p, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(f), {});
}

inline void writeFile(const std::filesystem::path& p, const std::string& text) {
  std::ofstream f(p, std::ios::binary);
  f << text;
}

// The bundled example ship's input file.
inline std::string exampleInput() { return readFile(std::filesystem::path(GEMI_SOURCE_DIR) / "examples/KR-22-03-2017.TSK"); }

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
  if (std::filesystem::exists(dir / "TANK_ANALIZI_DEGERI.SON")) r.modelReport = readFile(dir / "TANK_ANALIZI_DEGERI.SON");
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

}  // namespace gemi::testing
