// gemiguc-analiz without its command line: the runs of the calculation with
// the dialogue's answers as data, the efficiency loop, the exports and the
// console summary.
#pragma once

#include <filesystem>
#include <optional>
#include <ostream>
#include <string>

#include "analysis/results.h"

namespace gemi::analysis {

inline constexpr float kStartEfficiency = 0.600f;
inline constexpr int kMaxEfficiencyRuns = 5;

struct Options {
  std::filesystem::path input = "KR-22-03-2017.TSK";  // the input file
  std::optional<float> etad;          // assumed efficiency; empty: oto (the loop)
  int Z = 4;                          // blade number
  std::optional<float> EAR;           // area ratio; empty: keep Keller's
  std::optional<std::filesystem::path> outDir;  // empty: analiz/ beside the input file
  bool verbose = false;               // show the program's own console transcript
};

// The dialogue's answers for an assumed efficiency (as typed), the blade
// number and the area ratio; every later pause is answered with an empty line.
std::string dialogueAnswers(const std::string& etadText, int Z, const std::optional<float>& EAR);

// The efficiency as the check prints it (F5.3, " .686") typed back the way a
// user would ("0.686"), and its value.
std::string efficiencyAsTyped(float etadComputed);

// What one whole companion run produced.
struct Outcome {
  int status = 0;                     // exit status of the program
  std::filesystem::path outDir;
  std::optional<Results> results;     // absent when no run took place (input or folder unusable)
  RunState state;                     // final state of the last run
};

// Runs the calculation with `opt` and writes every file into the output
// folder; the summary (and, with opt.verbose, the transcript) goes to `out`,
// faults to `err`.
Outcome runCompanion(const Options& opt, std::ostream& out, std::ostream& err);

}  // namespace gemi::analysis
