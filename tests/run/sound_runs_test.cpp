// Sound runs stay byte for byte what they were: the three bundled cases and
// the example ship, with the console answers a user gives, must write the
// same report, echo, model report (or none) and console text, and end with
// the same status, as the program did when the files under
// tests/data/sound_runs/*/expected were written. A regression guard only:
// review a difference, never regenerate the files blindly.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "../support/run_harness.h"

namespace {

namespace fs = std::filesystem;
using gemi::testing::readFile;
using gemi::testing::runIn;
using gemi::testing::TempDir;
using gemi::testing::writeFile;

const fs::path kCases = fs::path(GEMI_SOURCE_DIR) / "tests/data/sound_runs";

TEST(SoundRuns, FilesConsoleAndStatusUnchanged) {
  for (const char* name : {"p1", "p2", "p3", "example"}) {
    SCOPED_TRACE(name);
    const fs::path c = kCases / name;
    const fs::path expected = c / "expected";
    TempDir dir;
    writeFile(dir.path() / "KR-22-03-2017.TSK", readFile(c / "KR-22-03-2017.TSK"));
    const auto r = runIn(dir.path(), readFile(c / "answers"));
    EXPECT_EQ(std::to_string(r.status) + "\n", readFile(expected / "exit_status"));
    EXPECT_TRUE(r.report == readFile(expected / "KR-22-03-2017.SON")) << "report differs";
    EXPECT_TRUE(r.echo == readFile(expected / "KR-22-03-2017.CRL")) << "echo differs";
    EXPECT_TRUE(r.console == readFile(expected / "console.txt")) << "console differs";
    const bool modelExpected = fs::exists(expected / "TANK_ANALIZI_DEGERI.SON");
    ASSERT_EQ(r.modelReport.has_value(), modelExpected);
    if (modelExpected) {
      EXPECT_TRUE(*r.modelReport == readFile(expected / "TANK_ANALIZI_DEGERI.SON")) << "model report differs";
    }
  }
}

}  // namespace
