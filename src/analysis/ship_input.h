// The values of the input file "KR-22-03-2017.TSK" under the names of the
// README's table, as they are written in a file: before the reader's defaults
// and conversions (a shaft height of 0 stays 0, a form factor of 0 stays 0),
// so that a value changed later gets the same defaults as a value read.
// Reading goes through the program's own reader, writing gives the program's
// layout, and every real is written so that it reads back to the same float.
#pragma once

#include <array>
#include <filesystem>
#include <optional>
#include <span>
#include <stdexcept>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "run/per_speed.h"
#include "run/run.h"
#include "run/run_state.h"

namespace gemi::analysis {

inline constexpr int kInputRecords = 43;

struct ShipValues {
  float RHO = 0, GRAV = 0;
  float Lwl = 0, Lbp = 0, B = 0;
  float Tf = 0, Ta = 0;
  float V = 0;
  float LCB = 0;
  float ABT = 0, HB = 0, AT = 0;
  float Cm = 0, Cwp = 0;
  float Cstern = 0;
  float IE = 0, S = 0;
  float MSCALE = 0, TEMPm = 0;
  float HFP = 0, ONYUZ = 0;
  std::vector<float> VS;  // knots; NV is its length
  float Vtrial = 0;
  std::array<float, kAppendages> AREA{};  // appendage j at [j - 1], m2
  std::array<float, kAppendages> FF2{};   // its form factor (1+k2) as written, 0 = catalogue
  int NBT = 0;
  float DBT = 0;
  float D = 0, N = 0, PDin = 0;
  float Hs = 0;  // as written: 0 = 0.32 Ta
  float CPFLAG = 0;
  int NPROP = 0, NSERIES = 0, IPOD = 0;
  float Pengine = 0, MCR = 0;
  float PTO = 0, Seamar = 0, etas = 0;
  float FFDF = 0, WFAC = 0, TFAC = 0, ERFAC = 0;
  float ROUGH = 0;
  std::vector<float> DF;  // NDF is its length

  // The comment lines in front of each record (index 0 = record 1) of the
  // file the values were read from, written back in their place so that the
  // echo file of a run stays the same; empty: the bundled example's lines.
  std::vector<std::vector<std::string>> comments;
};

// True when every value of `a` equals that of `b` bit for bit (comment
// lines are not compared).
bool sameValues(const ShipValues& a, const ShipValues& b);

enum class ValueKind { Integer, Real, RealList };

// When a value left out of a ship file takes its default and when it must be given.
enum class DefaultRule {
  Required,        // always to be given
  Fixed,           // `defaultValue` (an empty list for a list)
  WithPropeller,   // to be given when a propeller is described (D or N not 0), else `defaultValue`
  WithModelScale,  // to be given when MSCALE > 1, else `defaultValue`
  WithBulb,        // to be given when ABT > 0, else `defaultValue`
  WithThrusters,   // to be given when NBT > 0, else `defaultValue`
};

using ValueRef = std::variant<int*, float*, std::vector<float>*>;

struct ValueInfo {
  std::string_view name;  // as in the README's table: "Lwl", "VS", "AREA3", "FF2_3"
  ValueKind kind;
  int record;                // 1 .. 43
  std::string_view unit;     // "m", "kg/m3", "knot"; empty: no unit
  std::string_view comment;  // what it is, in Turkish
  DefaultRule rule;
  float defaultValue;
  std::string_view defaultText;  // the default in words, for the README and the TOML file
  int appendage;                 // 1 .. 11 for AREAj and FF2_j, else 0
  ValueRef (*ref)(ShipValues&);
};

// Every value of the input file, in the order of the file.
std::span<const ValueInfo> valueTable();

// The value of that name (exact spelling), or nullptr.
const ValueInfo* findValue(std::string_view name);

// Up to three of `names` closest to `name` (edit distance, letter case
// ignored), nearest first; empty when none is near.
std::vector<std::string_view> closestNames(std::string_view name, std::span<const std::string_view> names);

// One fault of a ship's input: where it is (file, line and column from 1;
// 0 where not known) and what was expected, in Turkish.
struct InputFault {
  std::string file;
  int line = 0;
  int column = 0;
  std::string message;
  std::string text() const;  // "file:line:column: message"
};

// Input that cannot be used; every fault found is listed, one per line in what().
class ShipInputError : public std::runtime_error {
 public:
  explicit ShipInputError(std::vector<InputFault> faults);
  const std::vector<InputFault>& faults() const { return faults_; }

 private:
  std::vector<InputFault> faults_;
};

// Reads the text of an input file with the program's reader (same numbers,
// same refusals). `source` names the file in messages. Throws ShipInputError
// with the reader's message for a file that gemiguc would not read, or whose
// values gemiguc refuses while reading (trial speed outside the list, ...).
ShipValues readTskText(std::string_view text, const std::string& source = kInputFileName);
ShipValues readTskFile(const std::filesystem::path& file);

// The input file's text in the program's layout: the comment lines of
// `values.comments`, or the bundled example's, and one record per line.
std::string writeTsk(const ShipValues& values);

// A lone value as the program's reader reads it from a record: one word, no
// separators, the whole of it a real (an integer: no point). Nothing when it is not.
std::optional<float> readRealWord(std::string_view word);
std::optional<int> readIntegerWord(std::string_view word);

// A real in the shortest decimal that the program's reader reads back to the
// same float (C locale; "205.0", "0.98", "1e+10").
std::string formatReal(float v);

// Sets one value from text as it would be written in the file: a real, an
// integer (no point), or for VS and DF a comma-separated list ("15,17,19").
// Refuses an unknown name (naming the closest), a value of the wrong kind, an
// empty list or one longer than the file can hold.
void setValue(ShipValues& values, std::string_view name, std::string_view text);
// The same from "NAME=VALUE".
void setValue(ShipValues& values, std::string_view assignment);

}  // namespace gemi::analysis
