// The run driver: one pass from the input file to the closing.
#pragma once

#include <filesystem>
#include <istream>
#include <ostream>

namespace gemi {

// Runs the program in `workDir` with the given console. Returns the process
// exit status: 0 for every ordinary stop, non-zero when a read failed.
int runProgram(std::istream& consoleIn, std::ostream& consoleOut, const std::filesystem::path& workDir);

}  // namespace gemi
