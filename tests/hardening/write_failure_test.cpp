// A file the run writes that cannot take its records (the disk is full) must
// end the run with a message and a non-zero status, not with the ordinary stop
// that tells the user the report is complete. /dev/full accepts the opening
// of a file and fails every write with "no space left", like a full disk.
#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>
#include <string>

#include "../support/run_harness.h"
#include "run/driver.h"

namespace {

namespace fs = std::filesystem;
using gemi::testing::exampleInput;
using gemi::testing::TempDir;
using gemi::testing::writeFile;

constexpr const char* kAnswers = "0.686\n4\nH\n\n\n\n\n\n\n\n";

struct Outcome {
  int status;
  std::string console;
};

Outcome runWithFullDisk(const char* fileOnFullDisk, const std::string& input) {
  TempDir dir;
  writeFile(dir.path() / "KR-22-03-2017.TSK", input);
  if (fileOnFullDisk) fs::create_symlink("/dev/full", dir.path() / fileOnFullDisk);
  std::istringstream in(kAnswers);
  std::ostringstream out;
  int status = gemi::runProgram(in, out, dir.path());
  return {status, out.str()};
}

bool contains(const std::string& text, const std::string& part) { return text.find(part) != std::string::npos; }

TEST(WriteFailure, FullDiskUnderEachFileOfTheRun) {
  if (!fs::exists("/dev/full")) GTEST_SKIP() << "no /dev/full on this system";
  // The example writes all three files (its model scale is above 1) and ends normally.
  const Outcome normal = runWithFullDisk(nullptr, exampleInput());
  ASSERT_EQ(normal.status, 0) << normal.console;

  for (const char* name : {"KR-22-03-2017.CRL", "KR-22-03-2017.SON", "TANK_ANALIZI_DEGERI.SON"}) {
    const Outcome r = runWithFullDisk(name, exampleInput());
    EXPECT_NE(r.status, 0) << name << ": a file with its records missing reported as a normal end";
    EXPECT_TRUE(contains(r.console, name)) << name << ": the message does not name the file\n" << r.console;
    EXPECT_FALSE(contains(r.console, "Stop - Program terminated.")) << name;
  }
}

// The stop of the reader (trial speed outside the speed list) closes the echo
// it wrote so far: the failure shows there too.
TEST(WriteFailure, EchoOnFullDiskAtTheTrialSpeedStop) {
  if (!fs::exists("/dev/full")) GTEST_SKIP() << "no /dev/full on this system";
  std::string input = exampleInput();
  const std::string trial = "\n25.0\n";  // the example's trial speed record, just after the speed list
  const auto at = input.find(trial);
  ASSERT_NE(at, std::string::npos);
  input.replace(at, trial.size(), "\n99.0\n");
  const Outcome r = runWithFullDisk("KR-22-03-2017.CRL", input);
  EXPECT_NE(r.status, 0) << r.console;
  EXPECT_TRUE(contains(r.console, "KR-22-03-2017.CRL")) << r.console;
}

// A folder in the way of the model report: the file cannot be created.
TEST(WriteFailure, ModelReportThatCannotBeCreated) {
  TempDir dir;
  writeFile(dir.path() / "KR-22-03-2017.TSK", exampleInput());
  fs::create_directory(dir.path() / "TANK_ANALIZI_DEGERI.SON");
  std::istringstream in(kAnswers);
  std::ostringstream out;
  EXPECT_NE(gemi::runProgram(in, out, dir.path()), 0);
  EXPECT_TRUE(contains(out.str(), "TANK_ANALIZI_DEGERI.SON")) << out.str();
}

}  // namespace
