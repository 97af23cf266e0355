// Sweeps of gemiguc-analiz: every variant of the product run through the
// companion's calculation (the efficiency loop included) on parallel
// threads, one row per variant in varyantlar.csv in the order of the
// product, varyantlar.svg over a single swept quantity, and, when asked,
// each variant's own files in a folder of its own.
#pragma once

#include <atomic>
#include <cstddef>
#include <filesystem>
#include <functional>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "analysis/companion.h"
#include "analysis/results.h"
#include "analysis/variants.h"

namespace gemi::analysis {

inline constexpr const char* kSweepCsv = "varyantlar.csv";
inline constexpr const char* kSweepSvg = "varyantlar.svg";

// Exit status of a sweep stopped by the user (Ctrl-C): 128 + SIGINT, as a
// shell reports a program ended by that signal.
inline constexpr int kInterruptedStatus = 130;

// One row of varyantlar.csv: what a variant gave. Values that the run did
// not form are NaN (empty cells).
struct VariantRow {
  bool done = false;                 // the variant was run
  std::size_t file = 0;
  std::vector<float> axisValues;
  float RTOTAL = 0, PE = 0;          // at the trial speed, kN and kW
  float D = 0, N = 0, PoD = 0, EAR = 0, Z = 0, ETA0 = 0;  // the selected propeller
  float etad = 0;                    // the computed propulsive efficiency
  float Pb = 0, Pbm = 0;             // kW
  float Sigma = 0, Vtip = 0;
  std::string burrill;               // Burrill's verdict (burrillVerdict), empty: not formed
  float Vreach = 0;                  // the reachable speed, knots
  float beyondList = 0;              // 1: the power exceeds the need at the fastest speed
  float findings = 0;                // applicability checks outside their range
  EndKind end = EndKind::InternalFault;
  std::string ending;                // "tamamlandi" or the stop's message
};

// Burrill's verdict on the area ratio in use against the minimum area ratios
// of the diagram: "2.5" (at most 2.5 % back cavitation), "5" (between 2.5 and
// 5 %), "5_ustu" (more than 5 %); "yok" when the cavitation number lies
// outside the diagram.
std::string burrillVerdict(float EAR, const std::optional<float>& EAR25, const std::optional<float>& EAR50);

// A variant's row from the record of its final run and its state.
VariantRow rowOf(const Results& r, const RunState& s, std::size_t file, const std::vector<float>& axisValues);

// The CSV text of the sweep: the header, the rows that were run in the order
// of the product (`fileNames` fill the girdi column when several files were
// swept), and, when `complete` is false, a closing comment line saying how
// many of `total` variants were run.
std::string sweepCsv(const std::vector<SweepAxis>& axes, const std::vector<std::string>& fileNames,
                     const std::vector<VariantRow>& rows, bool complete);

// Runs work(i, t) for i = 0 .. count-1 on `jobs` threads t = 0 .. jobs-1
// (indices taken in order), stopping to take new indices once `stop` is set. `tick(done)` is
// called on the calling thread now and then while the workers run and once
// at the end. Returns how many were run.
std::size_t runInParallel(std::size_t count, unsigned jobs, const std::function<void(std::size_t, unsigned)>& work,
                          const std::atomic<bool>& stop, const std::function<void(std::size_t)>& tick);

// True when the options ask for a sweep: a swept quantity, or several input files.
bool isSweep(const Options& opt);

// The whole sweep of opt.inputs over opt.axes (opt.settings applied first,
// the answers of `opt` where no axis sets them): reads every input file
// (exit 1 on a failure, nothing run or written), forms the variants (exit 2
// on a bad option), runs them on opt.jobs threads and writes the table into
// the output folder. `progress`: a progress line on `err`. `stop`, when
// given, stops the sweep as Ctrl-C does (for tests); otherwise Ctrl-C is
// watched during the runs. Returns the exit status: 0 every variant ran,
// 1 an input file unreadable or the table not written, 2 bad options, 4 a
// variant met an internal fault of the program, 130 stopped by the user.
int runSweep(const Options& opt, bool progress, std::ostream& out, std::ostream& err,
             const std::atomic<bool>* stop = nullptr);

// What gemiguc-analiz does with its options: a conversion (--tsk-yaz,
// --toml-yaz), a sweep, or one companion run. Returns the exit status.
int runAnalysis(const Options& opt, bool progress, std::ostream& out, std::ostream& err);

}  // namespace gemi::analysis
