// The results record of gemiguc-analiz: every number of a run, taken from the
// final run state (never from report text), with the run's metadata. One
// record feeds every export: the tables (CSV), the JSON record and the plots.
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "reports/applicability.h"
#include "run/run_state.h"

namespace gemi::analysis {

inline constexpr const char* kAnalysisVersion = "1.0.0";
inline constexpr const char* kCalculationVersion = "22-03-2017";

// Names of the companion's own files in the output folder.
inline constexpr const char* kResistanceCsv = "direnc.csv";
inline constexpr const char* kPropulsionCsv = "sevk.csv";
inline constexpr const char* kOpenWaterCsv = "acik_su.csv";
inline constexpr const char* kSearchCsv = "arama.csv";
inline constexpr const char* kJsonFile = "sonuc.json";

// One column of a table: its header name (with the unit, "RTOTAL_kN") and
// one value per row.
struct Column {
  std::string name;
  std::vector<float> values;
};
using Table = std::vector<Column>;

// The column named `name`, or nullptr.
const Column* findColumn(const Table& table, std::string_view name);

// How the run ended.
enum class EndKind { Completed, Stopped, ReadFailure, InternalFault };

struct RunMeta {
  std::string version;               // "gemiguc-analiz 1.0.0 (hesap 22-03-2017)"
  std::string input;                 // the input file as given on the command line
  std::vector<float> etadTried;      // assumed efficiency of every run of the calculation, in order
  std::vector<std::string> files;    // names of the files written in the output folder, in order
  std::vector<std::string> warnings; // the companion's warnings (non-finite values ...)
};

// The propeller stage at the trial speed.
struct PropellerResults {
  int task = 0;             // IOPT: 1 optimum rpm, 2 pitch ratio, 3 optimum diameter, 4 given propeller
  int NSERIES = 0;          // 1 Wageningen B, 2 Gawn
  float Vtrial = 0, PEtr = 0;
  float w = 0, t = 0, etarr = 0;     // propulsion factors at the trial speed
  float Va = 0, Rt = 0, Tp = 0;      // advance speed kn, resistance kN, thrust per propeller kN
  float Z = 0, EAR = 0, EARkel = 0;
  float Sigma = 0, Tauc = 0, EARwag = 0, Vtip = 0;
  std::optional<float> EAR25, EAR50, EARup;  // Burrill's minima (absent: Sigma outside 0.18 .. 1.5)
  std::optional<SearchChoice> choice;        // what the search chose
  std::optional<float> etadAssumed, etadComputed;
  bool powerChain = false;  // the efficiency check passed and the power chain was formed
  float Pb = 0, Pbm = 0, Pbd = 0;
  bool operatingPoint = false;  // the following were formed
  float J = 0, PoD = 0, KT = 0, KQ = 0, ETA0 = 0, PD = 0, THR = 0, N = 0, D = 0;
};

struct Results {
  RunMeta meta;
  EndKind end = EndKind::InternalFault;
  std::string endMessage;   // the stop's reason (Turkish, one line); empty when completed
  int exitStatus = 0;       // the companion's exit status for this ending

  InputData input;          // the values of the input file as read
  InputData used;           // the same after the stages (estimated S and IE, the selected D and N)
  AppendageCatalogue app;
  HullValues hull;
  float DISPW = 0;

  Table resistance;         // direnc.csv: one row per computed speed (empty: no speed computed)
  bool waveCorrected = false;
  Table uncorrected;        // DF, CR, CT, RTOTAL and PE before the wave correction (when corrected)
  Table propulsion;         // sevk.csv: one row per speed (empty: no characteristics)
  Table openWater;          // acik_su.csv (empty: not formed)
  Table search;             // arama.csv (empty: no optimum search listed)
  bool searchJ4 = false;    // KT/J^4 (revolutions given) instead of KT/J^2
  float searchTarget = 0;
  int searchChosen = 0;     // number of the selected line, 0 none
  std::optional<PropellerResults> propeller;  // absent: the stage did not start
  std::optional<ReachableSpeed> reach;        // absent: not computed
  std::vector<ApplicabilityCheck> applicability;  // the checks that applied to the run
};

// The record of a run from its final state. `end`, `message` and `meta` come
// from the caller (the run's ending and what the companion knows).
Results buildResults(const RunState& s, EndKind end, const std::string& message, RunMeta meta);

// The companion's exit status for an ending: 0 completed, 3 stopped, 1 read
// failure, 4 internal fault.
int exitStatusFor(EndKind end);

// Turkish name of an ending in the JSON record ("tamamlandi", "durdu", ...).
const char* endName(EndKind end);

// Writes the tables that have rows (CSV, comma separated, C locale, LF) into
// `dir`, each through a temporary file renamed into place; appends the names
// written to meta.files. A file that cannot be written throws
// std::runtime_error naming it.
void writeTables(Results& r, const std::filesystem::path& dir);

// The JSON record as text (UTF-8, two-space indent, LF).
std::string jsonText(const Results& r);

// Writes sonuc.json into `dir` (temporary file, renamed); non-finite values
// are written as null and listed among the warnings.
void writeJson(Results& r, const std::filesystem::path& dir);

// Shortest decimal that reads back to the same float, C locale ("nan",
// "inf", "-inf" for non-finite values).
std::string floatText(float v);

// Writes `text` to dir/name through a temporary file renamed into place, so
// that an interrupted write never leaves a file that looks complete.
void writeWhole(const std::filesystem::path& dir, const std::string& name, const std::string& text);

// The CSV text of a table: header row, one row per index.
std::string csvText(const Table& table);

}  // namespace gemi::analysis
