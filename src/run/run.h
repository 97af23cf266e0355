// One run of the program: its state, the console and the report, and the
// stop and pause services every stage uses.
#pragma once

#include <filesystem>
#include <fstream>
#include <initializer_list>
#include <istream>
#include <ostream>
#include <string_view>

#include "format/format_template.h"
#include "format/record_reader.h"
#include "run/run_state.h"

namespace gemi {

inline constexpr const char* kInputFileName = "KR-22-03-2017.TSK";
inline constexpr const char* kEchoFileName = "KR-22-03-2017.CRL";
inline constexpr const char* kReportFileName = "KR-22-03-2017.SON";
inline constexpr const char* kModelReportFileName = "TANK_ANALIZI_DEGERI.SON";
inline constexpr std::string_view kStandardPause =
    "Pause - Please enter a blank line (to continue) or a DOS command.";

// Thrown to end the run through the ordinary stop; caught by the run driver,
// which closes the files and writes the stop line.
struct StopRun {};

struct Run {
  Run(std::istream& consoleIn, std::ostream& consoleOut, std::filesystem::path workDir);

  RunState s;
  ConsoleSink con;       // console output (carriage control applied)
  RecordReader conIn;    // console input (the user's answers)
  std::filesystem::path dir;
  std::ofstream reportFile;
  StreamSink report;     // "KR-22-03-2017.SON"

  std::filesystem::path file(const char* name) const { return dir / name; }
};

// Ends the run through the ordinary stop (no pause).
[[noreturn]] void stopRun(Run& run);

// Writes the prompt to the console and waits for one line. The line is not
// interpreted; the end of console input counts as an empty line.
void pauseRun(Run& run, std::string_view prompt = kStandardPause);

// Throws ReadFailure when the console can no longer take text (closed,
// full, a broken pipe): what the run writes there would be lost unseen.
void checkConsole(Run& run);

// Before every question and pause: the report and the console flushed, so
// that everything computed so far can be read while the program waits.
void flushBeforeWaiting(Run& run);

// Closes a file the run wrote. A file that could not be created, or a record
// that could not be written (a full disk), throws ReadFailure naming the file,
// so that a missing or incomplete file is never taken for a complete one.
void closeWritten(std::ofstream& file, const std::filesystem::path& path);

// The same statement first to the console, then to the report.
void writeBoth(Run& run, std::string_view tmpl, std::initializer_list<Item> items = {});

}  // namespace gemi
