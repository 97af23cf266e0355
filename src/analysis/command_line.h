// The command line of gemiguc-analiz (CLI11), Turkish help, numbers read in
// the C locale whatever the user's environment.
#pragma once

#include <optional>
#include <ostream>
#include <string>

#include "analysis/companion.h"

namespace gemi::analysis {

inline constexpr int kBadOptionStatus = 2;

// A real written with a point decimal ("0.15", ".15", "1e-1"), the whole
// text; empty for anything else (a comma decimal, trailing text, inf, nan).
std::optional<float> parseReal(const std::string& text);

// Fills `opt` from the arguments. Returns -1 when the run is to go ahead, 0
// after --help or --version (written to `out`), kBadOptionStatus after a
// message on `err` for an unknown option or a bad value.
int parseCommandLine(int argc, const char* const* argv, Options& opt, std::ostream& out, std::ostream& err);

}  // namespace gemi::analysis
