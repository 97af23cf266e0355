// Fuzz target: a whole run of the program, in process, on an arbitrary input
// data file with scripted console answers, in a scratch folder of its own
// (the unit layout and the checks are in run_unit.h). A run state lives in
// its run only, so the runs of one fuzzing process do not leak into each other.
#include <stdlib.h>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <string_view>

#include "run_unit.h"

namespace {

namespace fs = std::filesystem;

// One scratch folder per fuzzing process, removed when it ends.
struct ScratchDir {
  fs::path path;
  ScratchDir() {
    std::string tmpl = (fs::temp_directory_path() / "gemi_fuzz_run_XXXXXX").string();
    if (!mkdtemp(tmpl.data())) std::abort();
    path = tmpl;
  }
  ~ScratchDir() {
    std::error_code ec;
    fs::remove_all(path, ec);
  }
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static ScratchDir dir;
  const std::string problem =
      gemi::fuzz::runUnitAndCheck(std::string_view(reinterpret_cast<const char*>(data), size), dir.path);
  if (!problem.empty()) {
    std::fprintf(stderr, "FINDING: %s\n", problem.c_str());
    std::abort();
  }
  return 0;
}
