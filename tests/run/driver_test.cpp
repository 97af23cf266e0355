// Whole runs: title block, propeller task, output header, closing, and the
// ways a run ends with their exit statuses.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "run/driver.h"
#include "../support/run_harness.h"

namespace gemi {
namespace {

using testing::contains;
using testing::exampleInput;
using testing::lastLines;
using testing::linesOf;
using testing::runCase;
using testing::runIn;
using testing::TempDir;
using testing::withRecord;

const std::string kStopLine = "Stop - Program terminated.";
const std::string kPausePrompt = "Pause - Please enter a blank line (to continue) or a DOS command.";

// The example ship without a propeller: the run goes from the input straight
// through the resistance stages to the closing.
std::string withoutPropeller() { return withRecord(exampleInput(), 31, "0"); }

TEST(RunDriver, TitleBlockOnConsoleThenReport) {
  const auto r = runCase(withoutPropeller());
  const std::vector<std::string> block{
      " " + std::string(72, '-'),
      " ! Program: KR-22-03-2017  Versiyon: 22-03-2017   Yazan: Tasarim Ekibi  !",
      " !" + std::string(70, ' ') + "!",
      " !             GEMI GUC KARAKTERISTILERI HESAP PROGRAMI                 !",
      " " + std::string(72, '-'),
  };
  const auto report = linesOf(r.report);
  const auto console = linesOf(r.console);
  ASSERT_GE(report.size(), 5u);
  ASSERT_GE(console.size(), 5u);
  for (std::size_t k = 0; k < block.size(); ++k) {
    EXPECT_EQ(block[k].size(), 73u);
    EXPECT_EQ(report[k], block[k]);
    EXPECT_EQ(console[k], block[k].substr(1));  // the console shows no carriage-control column
  }
}

TEST(RunDriver, OutputHeaderFollowsTheInputSection) {
  const auto report = linesOf(runCase(withoutPropeller()).report);
  const std::string rule(60, '=');
  const std::vector<std::string> header{"", "", "", rule, "          HOLTROP & MENNEN GUC TAHMINI PROGRAMI",
                                        "                    CIKIS BILGILERI", rule};
  // D = 0: the input section ends with the two rules around the missing propeller block.
  std::size_t k = 0;
  while (k + 1 < report.size() && !(report[k] == rule && report[k + 1] == rule)) ++k;
  ASSERT_LT(k + 1 + header.size(), report.size());
  EXPECT_EQ(std::vector<std::string>(report.begin() + static_cast<long>(k) + 2,
                                     report.begin() + static_cast<long>(k + 2 + header.size())),
            header);
}

TEST(RunDriver, ClosingCreditsPauseNoticeAndStop) {
  const auto r = runCase(withoutPropeller());
  EXPECT_EQ(r.status, 0);
  const auto tail = lastLines(r.console, 15);
  ASSERT_EQ(tail.size(), 15u);
  const std::string rule(53, '=');
  EXPECT_EQ(std::vector<std::string>(tail.begin(), tail.begin() + 3), (std::vector<std::string>{"", "", rule}));
  for (int k = 3; k <= 7; ++k) {
    EXPECT_EQ(tail[k].size(), 53u) << tail[k];
    EXPECT_EQ(tail[k].front(), '=');
    EXPECT_EQ(tail[k].back(), '=');
  }
  EXPECT_EQ(std::vector<std::string>(tail.begin() + 8, tail.end()),
            (std::vector<std::string>{rule, "", "", "PROGRAM CALISMASI TAMAMLANDI. BITIRMEK ICIN `ENTER` TUSUNA BASIN",
                                      "", kPausePrompt, kStopLine}));
  // The report ends with five empty records and the 15-line notice box,
  // each a blank and 48 columns.
  const auto notice = lastLines(r.report, 20);
  for (int k = 0; k < 5; ++k) EXPECT_EQ(notice[k], "");
  for (int k = 5; k < 20; ++k) {
    EXPECT_EQ(notice[k].size(), 49u) << notice[k];
    EXPECT_EQ(notice[k][0], ' ');
  }
}

TEST(RunDriver, PropellerTaskRulesInOrder) {
  struct Case {
    const char *D, *N, *PDin;
    int iopt;
  };
  for (const Case& c : {Case{"8", "0", "0", 1}, Case{"8", "90", "0", 2}, Case{"8", "90", "0.1", 2},
                        Case{"0", "90", "0", 3}, Case{"0", "90", "0.9", 3}, Case{"8", "90", "0.9", 4},
                        Case{"0.1", "0", "0", 0}, Case{"0", "0", "0", 0}}) {
    std::string text = withRecord(exampleInput(), 31, c.D);
    text = withRecord(withRecord(text, 32, c.N), 33, c.PDin);
    const auto r = runCase(text);
    EXPECT_EQ(r.state.IOPT, c.iopt) << "D=" << c.D << " N=" << c.N << " PDin=" << c.PDin;
    EXPECT_EQ(propellerTask(std::stof(c.D), std::stof(c.N), std::stof(c.PDin)), c.iopt);
  }
}

TEST(RunDriver, WeightDisplacementAndCatalogue) {
  const auto r = runCase(withoutPropeller());
  // GRAV * RHO * V in single precision, left to right: python3,
  // f = lambda x: struct.unpack('f', struct.pack('f', x))[0]; f(f(f(9.81)*1025)*37500) = 377071872.0
  EXPECT_EQ(r.state.DISPW, 377071872.0f);
  EXPECT_EQ(r.state.app.name(1), "SKEG ARKASINDAKI DUMEN        ");
  EXPECT_EQ(r.state.app.name(11), "YALPA OMURGASI                ");
  EXPECT_EQ(r.state.app.FF2(3), 2.80f);
  EXPECT_EQ(r.state.app.FF2(10), 2.70f);
}

TEST(RunDriver, LineTypedAtThePauseIsNotRun) {
  TempDir dir;
  testing::writeFile(dir.path() / "KR-22-03-2017.TSK", withoutPropeller());
  const auto probe = dir.path() / "pause_probe";
  const auto r = runIn(dir.path(), "touch " + probe.string() + "\n");
  EXPECT_EQ(r.status, 0);
  EXPECT_FALSE(std::filesystem::exists(probe));
  EXPECT_EQ(lastLines(r.console, 1)[0], kStopLine);
}

// The example ship through the propeller dialogue: initial efficiency close
// to the computed one (so the efficiency check passes), 4 blades, area ratio
// kept, Enter at every pause.
TEST(RunDriver, ExampleRunsThroughTheDialogueToTheClosing) {
  const auto r = runCase(exampleInput(), "0.686\n4\nH\n\n\n\n");
  EXPECT_EQ(r.status, 0);
  const auto tail = lastLines(r.console, 5);
  EXPECT_EQ(tail[1], "PROGRAM CALISMASI TAMAMLANDI. BITIRMEK ICIN `ENTER` TUSUNA BASIN");
  EXPECT_EQ(tail[4], kStopLine);
  EXPECT_EQ(lastLines(r.report, 1)[0].size(), 49u);  // the notice box closes the report
}

TEST(RunDriver, EndOfConsoleInputAtAQuestionIsAReadFailure) {
  const auto r = runCase(exampleInput(), "");
  EXPECT_EQ(r.status, kReadFailureStatus);
  EXPECT_TRUE(contains(r.console, "OKUMA HATASI - konsol")) << r.console;
  EXPECT_FALSE(contains(r.console, kStopLine));
  // The report keeps everything written before the question.
  EXPECT_TRUE(contains(r.report, "CIKIS BILGILERI"));
}

TEST(RunDriver, MissingInputFileFails) {
  // No input file at all, and a folder standing under the input file's name.
  for (const bool folder : {false, true}) {
    TempDir dir;
    if (folder) std::filesystem::create_directory(dir.path() / "KR-22-03-2017.TSK");
    const auto r = runIn(dir.path());
    EXPECT_EQ(r.status, kReadFailureStatus);
    EXPECT_TRUE(contains(r.console, "GIRDI DOSYASI BULUNAMADI")) << r.console;
    EXPECT_TRUE(contains(r.console, "KR-22-03-2017.TSK")) << r.console;
    EXPECT_FALSE(contains(r.console, kStopLine));
  }
}

TEST(RunDriver, FolderThatCannotTakeTheReportFails) {
  TempDir dir;
  const auto r = runIn(dir.path() / "no_such_folder");
  EXPECT_EQ(r.status, kReadFailureStatus);
  EXPECT_TRUE(contains(r.console, "KR-22-03-2017.SON")) << r.console;
}

TEST(RunDriver, EarlierFilesAreRewrittenFromTheirFirstRecord) {
  TempDir dir;
  testing::writeFile(dir.path() / "KR-22-03-2017.TSK", withoutPropeller());
  testing::writeFile(dir.path() / "KR-22-03-2017.SON", std::string(100000, 'x'));
  testing::writeFile(dir.path() / "KR-22-03-2017.CRL", std::string(100000, 'x'));
  const auto r = runIn(dir.path());
  EXPECT_EQ(r.report.find('x'), std::string::npos);
  EXPECT_EQ(r.echo.find("xx"), std::string::npos);
}

TEST(RunDriver, StopsAndFailuresKeepWhatWasWritten) {
  // An ordinary stop inside the reader (trial speed) and a read failure both
  // leave the echo of every record read so far; statuses 0 and 1.
  const auto stop = runCase(withRecord(exampleInput(), 18, "99"));
  EXPECT_EQ(stop.status, 0);
  EXPECT_EQ(linesOf(stop.echo).back(), "  99.000");
  const auto fail = runCase(withRecord(exampleInput(), 18, "9x9"));
  EXPECT_EQ(fail.status, kReadFailureStatus);
  EXPECT_EQ(linesOf(fail.echo).back().substr(0, 10), "* KAYIT 18");
}

}  // namespace
}  // namespace gemi
