// The run driver: one pass from the input file to the closing.
#pragma once

#include <filesystem>
#include <istream>
#include <optional>
#include <ostream>
#include <string>

#include "format/format_template.h"

#include "run/run.h"
#include "run/run_state.h"

namespace gemi {

// Exit statuses besides 0 (every ordinary stop, the design's own refusals
// included).
inline constexpr int kReadFailureStatus = 1;    // a file or the console could not be read or written,
                                                // the folder is in use by another run
inline constexpr int kInternalFaultStatus = 2;  // a fault of the program itself

// A run as another program starts it: the folder, the input file's text when
// it does not come from the folder, and where the run's text goes.
struct RunOptions {
  std::filesystem::path workDir;         // folder of the run's files
  std::optional<std::string> inputText;  // the input data file's text; when set, no input file is read
  RunOutputs outputs;                    // files and console written, or dropped unformatted
};

// Runs the program in `workDir` with the given console and returns the
// process exit status. When `finalState` is given it receives the run state
// as the run left it, its ending included.
int runProgram(std::istream& consoleIn, std::ostream& consoleOut, const std::filesystem::path& workDir,
               RunState* finalState = nullptr);
int runProgram(std::istream& consoleIn, std::ostream& consoleOut, const RunOptions& options,
               RunState* finalState = nullptr);

// A failure's message and the line that says the run was stopped, on the
// console; returns `status`.
int reportFailure(RecordSink& con, const std::string& message, int status);

// Names and default form factors (1+k2) of the 11 appendages.
void fillAppendageCatalogue(AppendageCatalogue& app);

// Propeller task IOPT from the given diameter D, revolutions N and pitch
// ratio PDin: 1 optimum revolutions, 2 pitch ratio, 3 optimum diameter,
// 4 the given propeller evaluated, 0 none.
int propellerTask(float D, float N, float PDin);

}  // namespace gemi
