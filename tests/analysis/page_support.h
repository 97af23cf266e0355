// Whole companion runs for the tests of its plots, checks and report page:
// an input file in a scratch folder, the options of a run on it, and what the
// run left in its output folder.
#pragma once

#include <sstream>

#include "analysis/companion.h"
#include "analysis_support.h"

namespace gemi::testing {

struct CompanionCase {
  TempDir dir;
  analysis::Options opt;
  int status = -1;
  std::string out, err;
  std::optional<analysis::Results> results;

  explicit CompanionCase(const std::string& input) {
    writeFile(dir.path() / "KR-22-03-2017.TSK", input);
    opt.input = dir.path() / "KR-22-03-2017.TSK";
  }
  std::filesystem::path outDir() const { return dir.path() / "analiz"; }
  std::string file(const std::string& name) const { return readFile(outDir() / name); }
  bool has(const std::string& name) const { return std::filesystem::exists(outDir() / name); }

  CompanionCase& run() {
    std::ostringstream o, e;
    analysis::Outcome r = analysis::runCompanion(opt, o, e);
    status = r.status;
    out = o.str();
    err = e.str();
    results = std::move(r.results);
    return *this;
  }
};

// Number of times `part` occurs in `text`.
inline std::size_t occurrences(const std::string& text, const std::string& part) {
  std::size_t n = 0;
  for (std::size_t p = text.find(part); p != std::string::npos; p = text.find(part, p + part.size())) ++n;
  return n;
}

}  // namespace gemi::testing
