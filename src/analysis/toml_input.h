// A ship file a person can write: the input values as named TOML keys, the
// appendages under [takintilar] by their catalogue names, values left out
// taking their documented defaults; and the two conversions between such a
// file and the program's own input file.
#pragma once

#include <filesystem>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "analysis/ship_input.h"

namespace gemi::analysis {

// The table of the appendages in a TOML ship file.
inline constexpr std::string_view kAppendageTable = "takintilar";

// The appendages' names in a TOML ship file, 1 .. 11 at [0 .. 10]: the
// catalogue names in lower case with underscores ("skeg_arkasindaki_dumen").
std::vector<std::string> appendageKeys();

// Reads a TOML ship file's text; `file` names it in messages. Every fault
// (syntax, unknown name, wrong type, missing value without default, speed
// list empty, longer than 50 or not strictly ascending, trial speed outside
// the list, more than 10 factors) is listed with its line and column in one
// ShipInputError. Numbers are read as the program's reader reads them.
ShipValues readTomlText(std::string_view text, const std::string& file);
ShipValues readTomlFile(const std::filesystem::path& file);

// A TOML ship file holding every value (defaults written out), the unit and
// what each value is in a comment.
std::string writeToml(const ShipValues& values);

// Reads a ship file by its kind: ".toml" (any letter case) as TOML, anything
// else as the program's input file.
ShipValues readShipFile(const std::filesystem::path& file);

// A file of a conversion that could not be written (it exists and may not be
// overwritten, or the folder cannot be created or written). Message in Turkish.
class ConversionError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// --tsk-yaz: writes the program's input file "KR-22-03-2017.TSK" of a TOML
// ship file beside it, or into `outDir` (created when missing). Returns the
// path written. Throws ShipInputError for a TOML file with faults and
// ConversionError when the file exists and `overwrite` is false or it cannot
// be written; then nothing is written.
std::filesystem::path tomlToTsk(const std::filesystem::path& tomlFile,
                                const std::optional<std::filesystem::path>& outDir, bool overwrite);

// --toml-yaz: writes "X.toml" of an input file "X.TSK" (any name) beside it,
// or into `outDir`. Same rules as tomlToTsk.
std::filesystem::path tskToToml(const std::filesystem::path& tskFile,
                                const std::optional<std::filesystem::path>& outDir, bool overwrite);

}  // namespace gemi::analysis
