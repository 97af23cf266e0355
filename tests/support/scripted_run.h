// One stage of a run driven directly: a Run in a scratch folder with scripted
// console answers, its console text and (when opened) its report at hand.
#pragma once

#include <gtest/gtest.h>

#include <initializer_list>
#include <sstream>
#include <string>
#include <vector>

#include "run/run.h"
#include "run_harness.h"

namespace gemi::testing {

struct ScriptedRun {
  TempDir dir;
  std::istringstream in;
  std::ostringstream out;
  Run run{in, out, dir.path()};

  explicit ScriptedRun(const std::string& answers = "") : in(answers) {}

  std::vector<std::string> console() const { return linesOf(out.str()); }
  // Sends the run's report to a file of the scratch folder.
  void openReport() { run.reportFile.open(dir.path() / "report.txt"); }
  std::vector<std::string> report() {
    run.reportFile.flush();
    return linesOf(readFile(dir.path() / "report.txt"));
  }
  // The console answer after those the stage took.
  std::string nextAnswer() {
    std::string line;
    EXPECT_TRUE(run.conIn.next(line)) << "console input used up";
    return line;
  }
};

// A speed array (1-based) holding `v` in order.
inline SpeedArray speedsOf(std::initializer_list<float> v) {
  SpeedArray a;
  int i = 1;
  for (float x : v) a(i++) = x;
  return a;
}

}  // namespace gemi::testing
