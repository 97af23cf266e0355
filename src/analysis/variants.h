// Variants of a ship for gemiguc-analiz: input values set by name (--set),
// swept over ranges or lists (--tara, --z, --etad, --ear), their cartesian
// product over one or several input files, and the input file's text of each
// variant. A variant is exactly the input file with its values written into
// their records: it is formed through ship_input's setValue and writeTsk.
#pragma once

#include <cstddef>
#include <filesystem>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "analysis/ship_input.h"

namespace gemi::analysis {

// A sweep option that cannot be used: unknown name, a value of the wrong
// kind, a range with no values. Message in Turkish; the exit status is that
// of a bad option.
class VariantOptionError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// The quantities besides the input file's values that a sweep can vary: the
// dialogue's answers.
inline constexpr std::string_view kBladesName = "Z";       // blade number (--z)
inline constexpr std::string_view kAreaRatioName = "EAR";  // area ratio (--ear)
inline constexpr std::string_view kEfficiencyName = "etad";  // assumed efficiency (--etad)

// Most variants a sweep may form (a typing slip in a range should not fill the memory).
inline constexpr std::size_t kMaxVariants = 1000000;

// One swept quantity: its name (an input value of the README's table, or Z,
// EAR, etad) and its values, each as the text written into the record (or
// typed as the answer) and as the number it reads as.
struct SweepAxis {
  std::string name;
  std::vector<std::string> texts;
  std::vector<float> values;
};

// The values of "START:STOP:STEP": value k is start + k step formed in double
// and then rounded to float, so that a decimal step does not drift; the last
// value is the grid point nearest STOP (STOP itself when the step divides the
// range, within half a step). A negative step runs downwards. Throws
// VariantOptionError for a step of 0, a range with no values or more than
// kMaxVariants values.
std::vector<double> rangeValues(std::string_view text, std::string_view name);

// An axis from "NAME=START:STOP:STEP" or "NAME=a,b,c" (--tara), or from the
// value of --z, --ear or --etad with `name` given. Every value is checked
// against the kind of its name (integer, real; a list value cannot be swept)
// and, for Z, EAR and etad, against the range of the answer. Throws
// VariantOptionError naming the fault, with the list of names for an unknown one.
SweepAxis parseAxis(std::string_view assignment);
SweepAxis parseAxis(std::string_view name, std::string_view values);

// Checks "NAME=VALUE" of --set without a ship (unknown name, wrong kind);
// throws VariantOptionError with the list of names.
void checkSetting(std::string_view assignment);

// The names a sweep and --set take, in one line (for the refusals).
std::string nameList();

// The answers of the dialogue for one variant.
struct Answers {
  int Z = 4;
  std::optional<float> EAR;   // empty: keep Keller's
  std::optional<float> etad;  // empty: the efficiency loop
};

// One variant: its place in the product, the input file it comes from, its
// values of every axis, the input file's text and the answers.
struct Variant {
  std::size_t index = 0;   // 0-based, in the order of the product
  std::size_t file = 0;    // index of the input file
  std::vector<float> axisValues;  // one per axis
  std::string inputText;
  Answers answers;
};

// The whole product: every input file (in the order given) times every axis
// (the first axis varying slowest), with the settings applied to each file
// first.
class VariantSet {
 public:
  // `ships` are the input files' values as read, `base` the answers of the
  // command line. Throws VariantOptionError when a value cannot be set on a
  // ship or the product is larger than kMaxVariants.
  VariantSet(std::vector<ShipValues> ships, std::vector<std::string> settings, std::vector<SweepAxis> axes,
             Answers base);

  std::size_t size() const { return size_; }
  const std::vector<SweepAxis>& axes() const { return axes_; }
  std::size_t files() const { return ships_.size(); }
  // Variant `index` (0 .. size()-1), formed on demand (safe from several threads).
  Variant at(std::size_t index) const;
  // The folder name of a variant's own files: number and values ("0007_B=31_D=7.5").
  std::string folderName(const Variant& v, const std::vector<std::string>& fileStems) const;

 private:
  std::vector<ShipValues> ships_;  // settings applied
  std::vector<SweepAxis> axes_;
  Answers base_;
  std::size_t size_ = 0;
};

// The input text of a single run of the companion: the file's own text when
// it is an input file and nothing is set (so that its echo is the file's),
// else the values of the file (TSK or TOML) with the settings applied,
// written in the program's layout. Throws ShipInputError for a file that
// cannot be read (with its place) and VariantOptionError for a setting.
std::string inputTextOf(const std::filesystem::path& file, const std::vector<std::string>& settings);

}  // namespace gemi::analysis
