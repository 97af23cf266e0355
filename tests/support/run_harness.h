// Whole runs in a temporary folder with scripted console answers.
#pragma once

#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <random>
#include <sstream>
#include <string>

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
};

// Runs the program in process on `input` (the input data file's text) with
// `answers` as console input.
inline RunResult runCase(const std::string& input, const std::string& answers = "") {
  TempDir dir;
  writeFile(dir.path() / "KR-22-03-2017.TSK", input);
  std::istringstream in(answers);
  std::ostringstream out;
  RunResult r;
  r.status = runProgram(in, out, dir.path());
  r.console = out.str();
  r.report = readFile(dir.path() / "KR-22-03-2017.SON");
  r.echo = readFile(dir.path() / "KR-22-03-2017.CRL");
  if (std::filesystem::exists(dir.path() / "TANK_ANALIZI_DEGERI.SON"))
    r.modelReport = readFile(dir.path() / "TANK_ANALIZI_DEGERI.SON");
  return r;
}

}  // namespace gemi::testing
