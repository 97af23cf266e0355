// The program binary, run as a user runs it, on input files broken the ways a
// hand-edited file gets broken. Every run must end by itself within a few
// seconds, without a signal; a read failure ends with a non-zero status and a
// message that points at the line; a stop of the program's own ends with
// status 0 and the stop line; every file the run wrote consists of whole
// records (it ends with a line end).
#include <fcntl.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdint>
#include <filesystem>
#include <map>
#include <optional>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "../support/run_harness.h"
#include "run/driver.h"

namespace {

namespace fs = std::filesystem;
using gemi::testing::exampleInput;
using gemi::testing::readFile;
using gemi::testing::TempDir;
using gemi::testing::writeFile;

constexpr unsigned kTimeLimitSeconds = 10;
constexpr const char* kInput = "KR-22-03-2017.TSK";
constexpr const char* kStopLine = "Stop - Program terminated.";
// Answers a user of the example gives: the propulsive efficiency that the run
// computes (so no restart is asked for), blade number, keep the area ratio,
// then Enter at every pause.
constexpr const char* kAnswers = "0.686\n4\nH\n\n\n\n\n\n\n\n";

// Comment lines in front of each of the 43 value records of an input file.
constexpr int kCommentLines[43] = {13, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 6, 1, 1, 3, 3, 1, 1, 3, 1, 1, 1,
                                   1, 1, 1, 1, 1, 1, 1, 3, 8, 1, 1, 2, 2, 4, 2, 1, 1, 1, 6, 3, 8};

struct Outcome {
  bool signaled = false;
  int signal = 0;
  int status = -1;
  std::string console;                       // standard output and error together
  std::map<std::string, std::string> files;  // every file of the working folder but the input
};

// Runs the binary in a scratch folder holding `input` (no input file when
// empty optional), with `answers` as standard input (a file, so an exhausted
// console reads as its end, never waits). The process gets SIGALRM after the
// time limit, which ends it.
Outcome runBinary(const std::optional<std::string>& input, const std::string& answers = kAnswers) {
  TempDir root;
  const fs::path work = root.path() / "work";
  fs::create_directories(work);
  if (input) writeFile(work / kInput, *input);
  const std::string answersPath = (root.path() / "answers").string();
  const std::string consolePath = (root.path() / "console").string();
  const std::string workPath = work.string();
  writeFile(answersPath, answers);

  pid_t pid = fork();
  if (pid == 0) {
    int in = open(answersPath.c_str(), O_RDONLY);
    int out = open(consolePath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    if (in < 0 || out < 0 || chdir(workPath.c_str()) != 0) _exit(126);
    dup2(in, 0);
    dup2(out, 1);
    dup2(out, 2);
    signal(SIGALRM, SIG_DFL);
    alarm(kTimeLimitSeconds);
    execl(GEMI_BINARY, GEMI_BINARY, static_cast<char*>(nullptr));
    _exit(127);
  }
  Outcome r;
  int ws = 0;
  EXPECT_EQ(waitpid(pid, &ws, 0), pid);
  r.signaled = WIFSIGNALED(ws);
  if (r.signaled) r.signal = WTERMSIG(ws);
  if (WIFEXITED(ws)) r.status = WEXITSTATUS(ws);
  r.console = readFile(consolePath);
  for (const auto& entry : fs::directory_iterator(work))
    if (entry.path().filename() != kInput) r.files[entry.path().filename().string()] = readFile(entry.path());
  return r;
}

bool contains(const std::string& text, const std::string& part) { return text.find(part) != std::string::npos; }

int lineCount(const std::string& text) {
  int n = 0;
  for (char c : text) n += c == '\n';
  return n;
}

std::vector<std::string> splitLines(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

std::string joinLines(const std::vector<std::string>& lines) {
  std::string text;
  for (const auto& l : lines) text += l + "\n";
  return text;
}

// Line numbers (1-based) of the value records of an input file whose records
// each stand on one line, as in the example.
std::vector<int> valueRecordLines() {
  std::vector<int> lines;
  int line = 0;
  for (int comments : kCommentLines) {
    line += comments + 1;
    lines.push_back(line);
  }
  return lines;
}

// The example with value record `record` (1-based) replaced by `text`.
std::string withRecord(int record, const std::string& text) {
  auto lines = splitLines(exampleInput());
  lines[static_cast<std::size_t>(valueRecordLines()[static_cast<std::size_t>(record - 1)] - 1)] = text;
  return joinLines(lines);
}

// What every run must satisfy, whatever its input.
void expectSoundEnd(const Outcome& r, const std::string& label) {
  ASSERT_FALSE(r.signaled) << label << ": ended by signal " << r.signal
                           << (r.signal == SIGALRM ? " (did not end within the time limit)" : "") << "\n"
                           << r.console;
  EXPECT_NE(r.status, 126) << label << ": the test could not start the program";
  EXPECT_NE(r.status, 127) << label << ": the test could not start the program";
  EXPECT_NE(r.status, gemi::kInternalFaultStatus) << label << ": internal fault\n" << r.console;
  for (const auto& [name, text] : r.files)
    EXPECT_TRUE(text.empty() || text.back() == '\n') << label << ": " << name << " ends inside a record";
  EXPECT_FALSE(contains(r.console, "AddressSanitizer") || contains(r.console, "runtime error"))
      << label << ":\n" << r.console;
  if (r.status == 0) {
    EXPECT_TRUE(contains(r.console, std::string(kStopLine) + "\n")) << label << ":\n" << r.console;
  } else {
    EXPECT_FALSE(contains(r.console, kStopLine)) << label << ": a failed run claims an ordinary stop";
  }
}

// A read failure: non-zero status, a message naming the input file and the line.
void expectReadFailureAt(const Outcome& r, int line, const std::string& label) {
  expectSoundEnd(r, label);
  EXPECT_NE(r.status, 0) << label << ":\n" << r.console;
  EXPECT_TRUE(contains(r.console, kInput)) << label << ": the message does not name the file\n" << r.console;
  EXPECT_TRUE(contains(r.console, "satir " + std::to_string(line))) << label << ": not pointed at line " << line
                                                                    << "\n"
                                                                    << r.console;
  // Nothing but the records read before the failing one reached the echo,
  // and nothing reached the report.
  if (r.files.count("KR-22-03-2017.CRL")) {
    EXPECT_EQ(lineCount(r.files.at("KR-22-03-2017.CRL")), line - 1) << label;
  }
  if (r.files.count("KR-22-03-2017.SON")) {
    EXPECT_EQ(r.files.at("KR-22-03-2017.SON"), "") << label;
  }
}

// A stop of the program's own or the normal end: status 0 and the stop line.
void expectOrdinaryStop(const Outcome& r, const std::string& label) {
  expectSoundEnd(r, label);
  EXPECT_EQ(r.status, 0) << label << ":\n" << r.console;
}

TEST(BrokenInput, TheExampleItselfRunsToTheEnd) {
  const std::string input = exampleInput();
  ASSERT_EQ(lineCount(input), valueRecordLines().back()) << "the example no longer has one line per record";
  for (int line : valueRecordLines()) ASSERT_NE(splitLines(input)[static_cast<std::size_t>(line - 1)][0], '*');
  Outcome r = runBinary(input);
  expectOrdinaryStop(r, "example");
  EXPECT_TRUE(contains(r.console, "PROGRAM CALISMASI TAMAMLANDI")) << r.console;
}

// Cut after every record: the run reads up to the cut and reports the end of
// the file at the next line.
TEST(BrokenInput, TruncatedAtEveryRecordBoundary) {
  const auto lines = splitLines(exampleInput());
  for (std::size_t kept = 0; kept < lines.size(); ++kept) {
    std::vector<std::string> head(lines.begin(), lines.begin() + static_cast<std::ptrdiff_t>(kept));
    Outcome r = runBinary(joinLines(head));
    expectReadFailureAt(r, static_cast<int>(kept) + 1, "cut after line " + std::to_string(kept));
  }
}

TEST(BrokenInput, EmptyFileAndNoFile) {
  expectReadFailureAt(runBinary(std::string()), 1, "empty file");
  Outcome none = runBinary(std::nullopt);
  expectSoundEnd(none, "no file");
  EXPECT_NE(none.status, 0);
  EXPECT_TRUE(contains(none.console, kInput)) << none.console;
}

// A typing slip in each value record: a letter after its first value.
TEST(BrokenInput, LetterInEachNumericRecord) {
  const auto lines = splitLines(exampleInput());
  const auto records = valueRecordLines();
  for (std::size_t k = 0; k < records.size(); ++k) {
    std::string line = lines[static_cast<std::size_t>(records[k] - 1)];
    std::size_t firstEnd = line.find_first_of(" ,", line.find_first_not_of(' '));
    line.insert(firstEnd == std::string::npos ? line.size() : firstEnd, "a");
    Outcome r = runBinary(withRecord(static_cast<int>(k) + 1, line));
    expectReadFailureAt(r, records[k], "record " + std::to_string(k + 1) + " as '" + line + "'");
  }
}

// Counts beyond their lists, negative, zero or beyond the int range: each ends
// soundly with something on the console that says what is wrong.
TEST(BrokenInput, HugeAndNegativeCounts) {
  struct Case {
    int record;
    const char* text;
  };
  const Case refused[] = {{17, "51 10 11 12"},       {17, "1000000 10 11 12"}, {17, "0 10"},
                          {17, "-3 10 11 12"},       {43, "11 1 1 1 1 1 1 1 1 1 1 1"},
                          {43, "-1 1.0"},            {43, "2000000000 1.0"}};
  for (const Case& c : refused) {
    Outcome r = runBinary(withRecord(c.record, c.text));
    const std::string label = "record " + std::to_string(c.record) + " as '" + c.text + "'";
    expectSoundEnd(r, label);
    EXPECT_FALSE(contains(r.console, "PROGRAM CALISMASI TAMAMLANDI")) << label << ": the count was accepted";
    EXPECT_TRUE(contains(r.console, std::to_string(c.record))) << label << ": the record is not named\n"
                                                               << r.console;
  }
  // Beyond the int range: a read failure at the line.
  expectReadFailureAt(runBinary(withRecord(17, "99999999999 10 11")), valueRecordLines()[16], "NV beyond int");
  expectReadFailureAt(runBinary(withRecord(30, "-99999999999 1.5")), valueRecordLines()[29], "NBT beyond int");

  // Counts the program uses as they are: the run must still end soundly.
  const Case used[] = {{30, "-5 1.5"},       {30, "2000000000 1.5"}, {36, "1000000 1 0"}, {36, "-1 1 0"},
                       {36, "1 7 0"},        {36, "1 1 -9"},         {36, "2147483647 2 1"}};
  for (const Case& c : used) expectSoundEnd(runBinary(withRecord(c.record, c.text)), c.text);
}

// Hull data that make the formulas divide by zero or overflow to infinity:
// numbers nonetheless, so each run ends with a stop of its own (status 0),
// never a crash, a hang or an internal fault.
TEST(BrokenInput, HullsThatProduceNaN) {
  struct Case {
    int record;
    const char* text;
  };
  const Case cases[] = {
      {1, "0 0"},           {1, "1025 0"},     {2, "0"},         {2, "-205"},      {4, "0"},
      {5, "0 0"},           {5, "-10 -10"},    {6, "0"},         {6, "-37500"},    {6, "3e38"},
      {11, "0 0"},          {11, "1 1"},       {2, "1e30"},      {2, "1e-30"},     {7, "1e30"},
      {8, "1e30"},          {9, "-1e30"},      {10, "1e30"},     {12, "1e30"},     {13, "1e30"},
      {14, "1e-30"},        {15, "1e30 18"},   {15, "20 1e30"},  {16, "1e30 1e30"}, {19, "1e30 1e30"},
      {17, "7 0 0 0 0 0 0 25"}, {17, "7 1e30 1e30 1e30 1e30 1e30 1e30 1e30"},
      {17, "7 27 25 23 21 19 17 15"},  // descending
      {31, "-8"},           {31, "1e30"},      {32, "1e30"},     {33, "1e30"},     {37, "0 0.85"},
      {37, "1e30 1e30"},    {40, "1e-30"},     {41, "0 0 0 0"},  {41, "1e30 1e30 1e30 1e30"},
      {42, "1e30"},         {42, "-1"},        {43, "2 0 1e30"},
  };
  for (const Case& c : cases) {
    const std::string label = "record " + std::to_string(c.record) + " as '" + c.text + "'";
    Outcome r = runBinary(withRecord(c.record, c.text));
    expectOrdinaryStop(r, label);
  }
}

TEST(BrokenInput, LinesOfAHundredThousandCharacters) {
  const std::string longText(100000, 'x');
  const auto records = valueRecordLines();
  // A long comment line is cut at 80 columns; the run is not disturbed.
  auto lines = splitLines(exampleInput());
  lines[0] = "*" + longText;
  Outcome comment = runBinary(joinLines(lines));
  expectOrdinaryStop(comment, "long comment");
  EXPECT_EQ(splitLines(comment.files["KR-22-03-2017.CRL"])[0], "*" + longText.substr(0, 79));
  // Blanks in front of the values are only separators.
  expectOrdinaryStop(runBinary(withRecord(2, std::string(100000, ' ') + "205.0")), "long blanks");
  // A number of 100,000 digits does not fit; a word of 100,000 letters is not a
  // number: read failures, with a message of a readable length.
  for (const std::string& text : {std::string(100000, '9'), longText, "1." + std::string(100000, '5') + "e5x"}) {
    Outcome r = runBinary(withRecord(2, text));
    expectReadFailureAt(r, records[1], "long value of " + text.substr(0, 3));
    for (const auto& line : splitLines(r.console)) EXPECT_LT(line.size(), 400u);
  }
}

TEST(BrokenInput, BinaryGarbage) {
  std::mt19937 gen(20170322);  // fixed seed: the same bytes every time
  std::string garbage;
  for (int k = 0; k < 8192; ++k) garbage += static_cast<char>(gen() & 0xFF);
  Outcome r = runBinary(garbage);
  expectSoundEnd(r, "garbage");
  EXPECT_NE(r.status, 0);
  EXPECT_TRUE(contains(r.console, kInput)) << r.console;

  // A file saved as UTF-16: every other byte is zero.
  std::string wide = "\xFF\xFE";
  for (char c : exampleInput()) wide += std::string{c, '\0'};
  Outcome utf16 = runBinary(wide);
  expectSoundEnd(utf16, "utf-16");
  EXPECT_NE(utf16.status, 0);

  // Zero bytes inside a value record.
  expectReadFailureAt(runBinary(withRecord(3, std::string("20\0" "5.0", 5))), valueRecordLines()[2], "NUL");
}

// Line ends of other systems and a missing last line end are no breakage.
TEST(BrokenInput, ForeignLineEndsStillRun) {
  std::string crlf;
  for (const auto& l : splitLines(exampleInput())) crlf += l + "\r\n";
  expectOrdinaryStop(runBinary(crlf), "CRLF");
  std::string noLastEnd = exampleInput();
  noLastEnd.pop_back();
  expectOrdinaryStop(runBinary(noLastEnd), "no last line end");
}

// Console answers that are not numbers, or no answers at all: a read failure
// of the console, never a wait.
TEST(BrokenInput, BadOrMissingConsoleAnswers) {
  for (const char* answers : {"", "abc\n", "0.7\nfour\n", "\x01\x02\xff\n"}) {
    Outcome r = runBinary(exampleInput(), answers);
    expectSoundEnd(r, std::string("answers '") + answers + "'");
    EXPECT_NE(r.status, 0) << answers;
  }
}

}  // namespace
