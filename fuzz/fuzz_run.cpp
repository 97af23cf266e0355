// Fuzz target: a whole run of the program, in process, on an arbitrary input
// data file with scripted console answers, in a scratch folder of its own.
//
// Unit layout: the input file's text, optionally followed by a line "@@" and
// the console answers. Without that line the answers of the example ship are
// used. The end of the answers reads as an empty line at a pause and as a read
// failure at a question, so no run waits for a console.
//
// A unit whose first line is "@V" holds the value records only, one line
// each: the target puts the right number of comment lines in front of each of
// the 43 records, so that mutations reach the values and the stages behind
// the reader instead of breaking the file's structure.
//
// Besides sanitizer reports, hangs and escaping exceptions, these outcomes are
// findings (the target aborts):
// - an internal fault: an exception such as an index out of range, which the
//   driver turns into a message and status 2 so the user is not left with a crash;
// - an ordinary stop (status 0) whose console does not end with the stop line;
// - a failed run (status not 0) that says nothing on the console;
// - a file of the run that does not end with a line end (a record cut short).
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>
#include <string_view>

#include "run/driver.h"

namespace {

namespace fs = std::filesystem;

constexpr std::string_view kAnswersMark = "\n@@\n";
constexpr std::string_view kDefaultAnswers = "0.694\n4\nH\n\n\n\n\n\n";
constexpr std::string_view kStopLine = "Stop - Program terminated.\n";
constexpr const char* kRunFiles[] = {"KR-22-03-2017.CRL", "KR-22-03-2017.SON", "TANK_ANALIZI_DEGERI.SON"};
constexpr std::string_view kValuesOnlyMark = "@V\n";
// Comment lines in front of each of the 43 value records of an input file.
constexpr int kCommentLines[] = {13, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 6, 1, 1, 3, 3, 1, 1, 3, 1, 1, 1,
                                 1, 1, 1, 1, 1, 1, 1, 3, 8, 1, 1, 2, 2, 4, 2, 1, 1, 1, 6, 3, 8};

// The input file from value lines: comment lines in front of the first 43.
std::string withComments(std::string_view values) {
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

// One scratch folder per fuzzing process, removed when it ends.
struct ScratchDir {
  fs::path path;
  ScratchDir() {
    std::string tmpl = (fs::temp_directory_path() / "gemi_fuzz_run_XXXXXX").string();
    if (!mkdtemp(tmpl.data())) std::abort();
    path = tmpl;
  }
  ~ScratchDir() {
    std::error_code ec;
    fs::remove_all(path, ec);
  }
};

const fs::path& scratch() {
  static ScratchDir dir;
  return dir.path;
}

bool endsWith(std::string_view s, std::string_view tail) {
  return s.size() >= tail.size() && s.substr(s.size() - tail.size()) == tail;
}

[[noreturn]] void finding(const char* what, const std::string& console) {
  std::fprintf(stderr, "FINDING: %s\n--- console (last 2000 bytes) ---\n%s\n", what,
               console.substr(console.size() > 2000 ? console.size() - 2000 : 0).c_str());
  std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::string_view unit(reinterpret_cast<const char*>(data), size);
  std::string_view input = unit;
  std::string_view answers = kDefaultAnswers;
  if (auto mark = unit.find(kAnswersMark); mark != std::string_view::npos) {
    input = unit.substr(0, mark + 1);
    answers = unit.substr(mark + kAnswersMark.size());
  }

  std::string text(input);
  if (input.substr(0, kValuesOnlyMark.size()) == kValuesOnlyMark)
    text = withComments(input.substr(kValuesOnlyMark.size()));

  const fs::path& dir = scratch();
  for (const char* name : kRunFiles) fs::remove(dir / name);
  {
    std::ofstream tsk(dir / "KR-22-03-2017.TSK", std::ios::binary);
    tsk.write(text.data(), static_cast<std::streamsize>(text.size()));
  }
  std::istringstream consoleIn{std::string(answers)};
  std::ostringstream consoleOut;
  int status = gemi::runProgram(consoleIn, consoleOut, dir);
  std::string console = consoleOut.str();

  if (status == gemi::kInternalFaultStatus) finding("internal fault (an exception of the program itself)", console);
  if (status == 0 && !endsWith(console, kStopLine)) finding("ordinary stop without the stop line", console);
  if (status != 0 && console.find_first_not_of(" \n") == std::string::npos)
    finding("failed run with nothing on the console", console);
  for (const char* name : kRunFiles) {
    std::ifstream f(dir / name, std::ios::binary);
    if (!f) continue;
    std::string written((std::istreambuf_iterator<char>(f)), std::istreambuf_iterator<char>());
    if (!written.empty() && written.back() != '\n') finding((std::string(name) + " ends inside a record").c_str(), console);
  }
  return 0;
}
