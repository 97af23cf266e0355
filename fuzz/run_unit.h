// One unit of the whole-run fuzz target: its decoding into an input file and
// console answers, the run in a given folder, and the checks on the outcome.
// Shared by the fuzz target and the test that replays the seed corpus.
//
// Unit layout: the input file's text, optionally followed by a line "@@" and
// the console answers. Without that line a default set of answers is used. The
// end of the answers reads as an empty line at a pause and as a read failure
// at a question, so no run waits for a console.
//
// A unit whose first line is "@V" holds the value records only, one line
// each: comment lines are put in front of each of the 43 records, so that
// mutations reach the values and the stages behind the reader instead of
// breaking the file's structure.
#pragma once

#include <cstddef>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>
#include <string_view>

#include "run/driver.h"

namespace gemi::fuzz {

inline constexpr std::string_view kAnswersMark = "\n@@\n";
inline constexpr std::string_view kValuesOnlyMark = "@V\n";
inline constexpr std::string_view kDefaultAnswers = "0.686\n4\nH\n\n\n\n\n\n";
// Comment lines in front of each of the 43 value records of an input file.
inline constexpr int kCommentLines[] = {13, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 6, 1, 1, 3, 3, 1, 1, 3, 1, 1, 1,
                                        1, 1, 1, 1, 1, 1, 1, 3, 8, 1, 1, 2, 2, 4, 2, 1, 1, 1, 6, 3, 8};

struct RunUnit {
  std::string input;    // the input data file's text
  std::string answers;  // the console input
};

// The input file from value lines: comment lines in front of the first 43.
inline std::string withComments(std::string_view values) {
  std::string text;
  std::size_t record = 0;
  while (!values.empty()) {
    if (record < std::size(kCommentLines))
      for (int k = 0; k < kCommentLines[record]; ++k) text += "* aciklama\n";
    std::size_t end = values.find('\n');
    std::size_t take = end == std::string_view::npos ? values.size() : end + 1;
    text += values.substr(0, take);
    values.remove_prefix(take);
    ++record;
  }
  return text;
}

inline RunUnit decodeRunUnit(std::string_view unit) {
  std::string_view input = unit;
  std::string_view answers = kDefaultAnswers;
  if (auto mark = unit.find(kAnswersMark); mark != std::string_view::npos) {
    input = unit.substr(0, mark + 1);
    answers = unit.substr(mark + kAnswersMark.size());
  }
  if (input.substr(0, kValuesOnlyMark.size()) == kValuesOnlyMark)
    return {withComments(input.substr(kValuesOnlyMark.size())), std::string(answers)};
  return {std::string(input), std::string(answers)};
}

// Runs the unit in `dir` (files of an earlier run there are removed first)
// and returns what is wrong with the outcome, or an empty text. Sanitizer
// reports, hangs and exceptions escaping the driver are caught by the caller's
// tools; these outcomes are faults as well:
// - an internal fault: an exception such as an index out of range, which the
//   driver turns into a message and status 2 so the user is not left with a crash;
// - an ordinary stop (status 0) whose console does not end with the stop line;
// - a failed run (status not 0) that says nothing on the console;
// - a file of the run that does not end with a line end (a record cut short).
inline std::string runUnitAndCheck(std::string_view unit, const std::filesystem::path& dir) {
  static constexpr const char* kRunFiles[] = {"KR-22-03-2017.CRL", "KR-22-03-2017.SON", "TANK_ANALIZI_DEGERI.SON"};
  static constexpr std::string_view kStopLine = "Stop - Program terminated.\n";
  const RunUnit u = decodeRunUnit(unit);
  std::error_code ignored;
  for (const char* name : kRunFiles) std::filesystem::remove(dir / name, ignored);
  {
    std::ofstream tsk(dir / "KR-22-03-2017.TSK", std::ios::binary);
    tsk << u.input;
  }
  std::istringstream consoleIn(u.answers);
  std::ostringstream consoleOut;
  const int status = runProgram(consoleIn, consoleOut, dir);
  const std::string console = consoleOut.str();

  auto problem = [&](const std::string& what) {
    return what + "\n--- console (end) ---\n" + console.substr(console.size() > 2000 ? console.size() - 2000 : 0);
  };
  if (status == kInternalFaultStatus) return problem("internal fault (an exception of the program itself)");
  if (status == 0 && (console.size() < kStopLine.size() || console.substr(console.size() - kStopLine.size()) != kStopLine))
    return problem("ordinary stop without the stop line");
  if (status != 0 && console.find_first_not_of(" \n") == std::string::npos)
    return problem("failed run with nothing on the console");
  for (const char* name : kRunFiles) {
    std::ifstream f(dir / name, std::ios::binary);
    if (!f) continue;
    const std::string written((std::istreambuf_iterator<char>(f)), std::istreambuf_iterator<char>());
    if (!written.empty() && written.back() != '\n') return problem(std::string(name) + " ends inside a record");
  }
  return {};
}

}  // namespace gemi::fuzz
