// Runs started from values: the input text given instead of the folder's file,
// text dropped unformatted, and the ending kept in the state.
#include <gtest/gtest.h>

#include <bit>
#include <cstdint>
#include <filesystem>
#include <sstream>
#include <string>

#include "../support/run_harness.h"

namespace gemi {
namespace {

using testing::exampleInput;
using testing::RunResult;
using testing::TempDir;
using testing::withRecord;

constexpr const char* kExampleAnswers = "0.686\n4\nH\n\n\n\n\n\n";

struct SilentRun {
  int status = -1;
  std::string console;
  RunState state;
};

SilentRun runSilently(const std::string& input, const std::string& answers, const std::filesystem::path& dir,
                      RunOutputs outputs = {false, false}) {
  std::istringstream in(answers);
  std::ostringstream out;
  SilentRun r;
  r.status = runProgram(in, out, RunOptions{dir, input, outputs}, &r.state);
  r.console = out.str();
  return r;
}

bool sameBits(float a, float b) { return std::bit_cast<std::uint32_t>(a) == std::bit_cast<std::uint32_t>(b); }

// Every per-speed result and every value of the propeller stage of a silent
// run equals, bit for bit, that of the ordinary run that writes its files.
TEST(RunOptions, SilentRunComputesWhatTheFullRunComputes) {
  for (const std::string& input : {exampleInput(), withRecord(exampleInput(), 15, "24.0 15.0")}) {
    const RunResult full = testing::runCase(input, kExampleAnswers);
    TempDir dir;
    const SilentRun silent = runSilently(input, kExampleAnswers, dir.path());
    ASSERT_EQ(full.status, 0);
    EXPECT_EQ(silent.status, 0);
    EXPECT_TRUE(silent.console.empty());
    EXPECT_TRUE(std::filesystem::is_empty(dir.path())) << "a silent run touches no file";

    const RunState& a = full.state;
    const RunState& b = silent.state;
    for (int i = 1; i <= a.in.NV; ++i) {
      for (auto field : {&SpeedResults::Fn, &SpeedResults::RF, &SpeedResults::RW, &SpeedResults::RTOTAL,
                         &SpeedResults::PE, &SpeedResults::CT, &SpeedResults::w, &SpeedResults::t,
                         &SpeedResults::etarr})
        EXPECT_TRUE(sameBits((a.sp.*field)(i), (b.sp.*field)(i))) << "speed " << i;
    }
    const StageState& x = a.prop.stage;
    const StageState& y = b.prop.stage;
    for (auto field : {&StageState::PEtr, &StageState::Tp, &StageState::EAR, &StageState::Sigma, &StageState::Tauc,
                       &StageState::Vtip, &StageState::etadC, &StageState::Pb, &StageState::Pbm, &StageState::Jsel,
                       &StageState::PDsel, &StageState::PDEL})
      EXPECT_TRUE(sameBits(x.*field, y.*field));
    EXPECT_TRUE(sameBits(a.in.D, b.in.D));
    EXPECT_TRUE(sameBits(a.in.N, b.in.N));
    EXPECT_EQ(b.ending.kind, RunEnding::Kind::Completed);
  }
}

// The input text takes the place of the folder's input file, and the files
// written are those of the ordinary run on that file.
TEST(RunOptions, InputTextReplacesTheFolderFile) {
  const RunResult fromFile = testing::runCase(exampleInput(), kExampleAnswers);
  TempDir dir;
  testing::writeFile(dir.path() / kInputFileName, "not an input file\n");
  const SilentRun fromText = runSilently(exampleInput(), kExampleAnswers, dir.path(), RunOutputs{});
  EXPECT_EQ(fromText.status, 0);
  EXPECT_EQ(fromText.console, fromFile.console);
  EXPECT_EQ(testing::readFile(dir.path() / kReportFileName), fromFile.report);
  EXPECT_EQ(testing::readFile(dir.path() / kEchoFileName), fromFile.echo);
}

// Each way of ending is in the state, with the stop's cause and one line
// saying why, whether or not the console is shown.
TEST(RunOptions, EndingKeptInTheState) {
  struct Case {
    const char* what;
    std::string input;
    std::string answers;
    RunEnding::Kind kind;
    const char* cause;
    const char* message;  // part of the message
  };
  const std::string ex = exampleInput();
  const Case cases[] = {
      {"completed", ex, kExampleAnswers, RunEnding::Kind::Completed, "", ""},
      {"efficiency check", ex, "0.600\n4\nH\n\n\n\n", RunEnding::Kind::Stopped, "verim",
       "VARSAYILAN VERIM = .600 ILE HESAPLANAN VERIM .686 BIRBIRLERINDEN FARKLI; ETAD = .686 YE YAKIN"},
      {"trial speed outside the list", withRecord(ex, 18, "30.0"), "", RunEnding::Kind::Stopped, "seyir_hizi",
       "SEYIR HIZI Vtrial = 30.00 knot GIRILEN HIZ ARALIGI 15.00 - 27.00 knot DISINDA"},
      {"speed count refused", withRecord(ex, 17, "60 15.0"), "", RunEnding::Kind::Stopped, "girdi",
       "KAYIT 17 - HIZ SAYISI NV = 60: HIZ SAYISI 1 ILE 50 ARASINDA OLMALIDIR"},
      {"read failure", withRecord(ex, 2, "abc"), "", RunEnding::Kind::ReadFailure, "", "kayit 2"},
  };
  for (const Case& c : cases) {
    for (bool shown : {true, false}) {
      TempDir dir;
      const SilentRun r = runSilently(c.input, c.answers, dir.path(), RunOutputs{false, shown});
      SCOPED_TRACE(std::string(c.what) + (shown ? ", console shown" : ", console dropped"));
      EXPECT_EQ(r.state.ending.kind, c.kind);
      EXPECT_EQ(r.state.ending.cause, c.cause);
      EXPECT_TRUE(testing::contains(r.state.ending.message, c.message)) << r.state.ending.message;
    }
  }
}

}  // namespace
}  // namespace gemi
