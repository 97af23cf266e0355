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

// Where the text of a run goes. A run whose files or console nobody reads
// sends them to a sink that drops the records without rendering them; the
// computed values are the same either way.
struct RunOutputs {
  bool writeFiles = true;   // false: no report, echo or model report is written, and no file is touched
  bool echoConsole = true;  // false: console records are dropped (the answers are still read)
};

struct Run {
  Run(std::istream& consoleIn, std::ostream& consoleOut, std::filesystem::path workDir, RunOutputs outputs = {});
  Run(const Run&) = delete;
  Run& operator=(const Run&) = delete;

  RunState s;
  RunOutputs outputs;

 private:
  ConsoleSink consoleSink_;
  DiscardSink discardSink_;

 public:
  RecordSink& con;       // console output (carriage control applied)
  RecordReader conIn;    // console input (the user's answers)
  std::filesystem::path dir;
  std::ofstream reportFile;

 private:
  StreamSink reportSink_;

 public:
  RecordSink& report;    // "KR-22-03-2017.SON"

  std::filesystem::path file(const char* name) const { return dir / name; }
  // Whether the console has taken every record so far (always, when it is not written).
  bool consoleGood() const { return !outputs.echoConsole || consoleSink_.good(); }
  // A sink for a further file of the run: `stream` when files are written, else the discarding one.
  RecordSink& fileSink(StreamSink& stream) { return outputs.writeFiles ? static_cast<RecordSink&>(stream) : discardSink_; }
};

// Ends the run through the ordinary stop (no pause). `cause` is a short
// identifier of the stop (for programs reading the state), `message` its
// reason in one line; both are kept in the run state's ending.
[[noreturn]] void stopRun(Run& run, std::string_view cause, std::string message);

// Renders one statement to a single line of text (records joined, runs of
// blanks made one, no blank at either end), for a stop message kept in the
// run state.
std::string statementText(std::string_view tmpl, std::initializer_list<Item> items = {});

// Writes the prompt to the console and waits for one line. The line is not
// interpreted; the end of console input counts as an empty line.
void pauseRun(Run& run, std::string_view prompt = kStandardPause);

// The message of a console that cannot be written.
inline constexpr const char* kConsoleFailure =
    "KONSOL YAZILAMADI: standart cikis kapali, dolu veya okuyani olmayan bir boru; calismanin mesajlari ve "
    "sorulari gorulemez.";

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
