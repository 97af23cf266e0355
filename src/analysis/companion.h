// gemiguc-analiz without its command line: the runs of the calculation with
// the dialogue's answers as data, the efficiency loop, the exports and the
// console summary.
#pragma once

#include <filesystem>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "analysis/results.h"
#include "analysis/variants.h"

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
  bool html = true;                   // write rapor.html

  // Ship files, settings and sweeps (analysis/variants.h, analysis/sweep.h).
  std::optional<std::string> inputText;       // the input file's text when given (a variant); `input` names it
  std::vector<std::filesystem::path> inputs;  // every input file given (the first is `input`)
  std::vector<std::string> settings;          // --set NAME=VALUE, in order
  std::vector<SweepAxis> axes;                // swept quantities (--tara; --z, --ear, --etad with several values)
  unsigned jobs = 0;                          // -j: parallel runs of a sweep; 0 every core
  bool everyVariantsFiles = false;            // --hepsi
  std::optional<std::filesystem::path> tomlToTsk, tskToToml;  // --tsk-yaz, --toml-yaz
  bool overwrite = false;                     // --uzerine-yaz
};

// The dialogue's answers for an assumed efficiency (as typed), the blade
// number and the area ratio; every later pause is answered with an empty line.
std::string dialogueAnswers(const std::string& etadText, int Z, const std::optional<float>& EAR);

// The efficiency as the check prints it (F5.3, " .686") typed back the way a
// user would ("0.686"), and its value.
std::string efficiencyAsTyped(float etadComputed);

// The calculation of one ship with the answers of `opt`: one run with the
// assumed efficiency given, or else the efficiency loop (start at 0.600, run
// again with the computed efficiency typed as a user would, at most
// kMaxEfficiencyRuns runs). Files are written into `dir` by the last run
// only, and only when `writeFiles`; the transcript goes to `transcript` when
// opt.verbose, the loop's notes to `notes`. `firstEtad` is the loop's first
// assumed efficiency as typed: a sweep starts a variant at the efficiency its
// neighbour settled at (the computed efficiency does not depend on the
// assumed one, so no result changes; the loop then needs one run, not two).
struct Calculation {
  RunState state;                 // final state of the last run
  std::vector<float> etadTried;   // assumed efficiency of every run, in order
  std::string etadText;           // the last one as typed
  bool settled = true;            // the loop did not end at the efficiency check
};
Calculation calculate(const std::string& inputText, const Options& opt, const std::filesystem::path& dir,
                      bool writeFiles, std::ostream& transcript, std::ostream& notes,
                      const std::string& firstEtad = "0.600");

// The companion's ending of a run.
EndKind endKindOf(const RunEnding& e);

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
