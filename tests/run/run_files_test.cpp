// The files of a run as a user's machine leaves them: links, FIFOs, devices,
// folders under a file's name, an older model report, a folder in use. Each
// case is run in process in a scratch folder holding an older report and echo
// ("old report", "old echo") unless the case puts something else there.
#include "run/run_files.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <functional>
#include <iterator>
#include <sstream>
#include <optional>
#include <string>
#include <vector>

#include "../support/run_harness.h"

namespace gemi {
namespace {

namespace fs = std::filesystem;
using namespace gemi::testing;

constexpr const char* kAnswers = "0.686\n4\nH\n\n\n\n\n\n\n\n";
const char* const kOldReport = "old report\n";
const char* const kOldEcho = "old echo\n";

struct FileCase {
  const char* name;
  std::function<void(const fs::path&)> setup;  // after the input, the old report and the old echo
  int status;
  std::vector<std::string> consoleHas;
  std::vector<std::string> consoleLacks;
  bool outputsKept;   // the old report and echo untouched
  bool modelReport;   // a model report present after the run
  bool partial = false;  // a report with records, cut short: its last line says so
};

std::string withTrialSpeed(const std::string& vtrial) { return withRecord(exampleInput(), 18, vtrial); }

TEST(RunFiles, FileSystemCases) {
  const fs::path input = kInputFileName;
  const std::vector<FileCase> cases = {
      {"stop before the model step removes an older model report",
       [](const fs::path& d) {
         writeFile(d / kInputFileName, withTrialSpeed("99"));
         writeFile(d / kModelReportFileName, "old model report\n");
       },
       0, {"HIZ ARALIGI DISINDA"}, {}, false, false},
      {"read failure before the model step removes it too",
       [](const fs::path& d) {
         writeFile(d / kInputFileName, withTrialSpeed("9x9"));
         writeFile(d / kModelReportFileName, "old model report\n");
       },
       1, {"OKUMA HATASI"}, {}, false, false},
      {"a folder under the model report's name is not removed and is named",
       [](const fs::path& d) { fs::create_directory(d / kModelReportFileName); }, 1,
       {kModelReportFileName, "klasor"}, {"disk dolu"}, true, true},
      {"report a link to the input", [](const fs::path& d) {
         fs::remove(d / kReportFileName);
         fs::create_symlink(kInputFileName, d / kReportFileName);
       },
       1, {"GIRDI DOSYASI KULLANILAMIYOR", kReportFileName, "ayni dosya"}, {}, false, false},
      {"echo a hard link to the input", [](const fs::path& d) {
         fs::remove(d / kEchoFileName);
         fs::create_hard_link(d / kInputFileName, d / kEchoFileName);
       },
       1, {"GIRDI DOSYASI KULLANILAMIYOR", kEchoFileName, "ayni dosya"}, {}, false, false},
      {"input a FIFO without a writer", [](const fs::path& d) {
         fs::remove(d / kInputFileName);
         ASSERT_EQ(::mkfifo((d / kInputFileName).c_str(), 0644), 0);
       },
       1, {"GIRDI DOSYASI KULLANILAMIYOR", "duzenli bir dosya degil"}, {}, true, false},
      {"input a link to a device", [](const fs::path& d) {
         fs::remove(d / kInputFileName);
         fs::create_symlink("/dev/zero", d / kInputFileName);
       },
       1, {"GIRDI DOSYASI KULLANILAMIYOR", "duzenli bir dosya degil"}, {}, true, false},
      {"a folder under the report's name",
       [](const fs::path& d) {
         fs::remove(d / kReportFileName);
         fs::create_directory(d / kReportFileName);
       },
       1, {kReportFileName, "bu adda bir klasor var"}, {"izin", "disk dolu"}, false, false},
      {"model report on a full disk: the partial report says so on its last line",
       [](const fs::path& d) { fs::create_symlink("/dev/full", d / kModelReportFileName); }, 1,
       {kModelReportFileName, "disk dolu"}, {"Stop - Program terminated."}, false, true, true},
  };
  for (const FileCase& c : cases) {
    SCOPED_TRACE(c.name);
    TempDir dir;
    writeFile(dir.path() / kInputFileName, exampleInput());
    writeFile(dir.path() / kReportFileName, kOldReport);
    writeFile(dir.path() / kEchoFileName, kOldEcho);
    c.setup(dir.path());
    const bool inputIsFile = fs::is_regular_file(fs::symlink_status(dir.path() / kInputFileName));
    const std::string inputBefore = inputIsFile ? readFile(dir.path() / kInputFileName) : "";
    const RunResult r = runIn(dir.path(), kAnswers);
    EXPECT_EQ(r.status, c.status) << r.console;
    for (const auto& part : c.consoleHas) EXPECT_TRUE(contains(r.console, part)) << part << "\n" << r.console;
    for (const auto& part : c.consoleLacks) EXPECT_FALSE(contains(r.console, part)) << part << "\n" << r.console;
    if (inputIsFile) {
      EXPECT_TRUE(readFile(dir.path() / kInputFileName) == inputBefore) << "the input was changed";
    }
    if (c.outputsKept) {
      EXPECT_EQ(r.report, kOldReport);
      EXPECT_EQ(r.echo, kOldEcho);
    }
    EXPECT_EQ(fs::exists(dir.path() / kModelReportFileName), c.modelReport);
    if (c.partial) {
      const std::string last = lastLines(r.report, 1).at(0);
      EXPECT_TRUE(contains(last, "RAPOR EKSIK") && contains(last, kModelReportFileName)) << last;
    }
  }
}

// Messages say what is wrong with a path that is too long, not a missing permission.
TEST(RunFiles, PathTooLongIsSaidSo) {
  TempDir dir;
  const RunResult r = runIn(dir.path() / std::string(300, 'a'), kAnswers);
  EXPECT_EQ(r.status, kReadFailureStatus);
  EXPECT_TRUE(contains(r.console, "cok uzun")) << r.console;
  EXPECT_FALSE(contains(r.console, "izin")) << r.console;
}

// A folder in use by another run (here the lock held by this test): the run
// stops at once naming the folder, status 1, and touches no file; once the
// other run ends, the folder is free again.
TEST(RunFiles, FolderInUseIsRefusedUntouched) {
  TempDir dir;
  writeFile(dir.path() / kInputFileName, exampleInput());
  writeFile(dir.path() / kReportFileName, kOldReport);
  writeFile(dir.path() / kModelReportFileName, "old model report\n");
  {
    FolderLock other(dir.path());
    const RunResult r = runIn(dir.path(), kAnswers);
    EXPECT_EQ(r.status, kReadFailureStatus);
    EXPECT_TRUE(contains(r.console, "KULLANIMDA")) << r.console;
    EXPECT_TRUE(contains(r.console, dir.path().string())) << r.console;
    EXPECT_EQ(r.report, kOldReport);
    EXPECT_EQ(r.echo, "");  // never created
    EXPECT_FALSE(fs::exists(dir.path() / kEchoFileName));
    EXPECT_EQ(r.modelReport, "old model report\n");
  }
  EXPECT_EQ(runIn(dir.path(), kAnswers).status, 0);
  // Released on failure as well: a failed run leaves the folder free.
  writeFile(dir.path() / kInputFileName, withTrialSpeed("9x9"));
  EXPECT_EQ(runIn(dir.path(), kAnswers).status, kReadFailureStatus);
  FolderLock free(dir.path());
}

// A run that writes no file (its text given, its outputs dropped) takes no
// lock and touches nothing: it runs beside a run holding the folder.
TEST(RunFiles, RunWithoutFilesTakesNoLock) {
  TempDir dir;
  FolderLock other(dir.path());
  std::istringstream in(kAnswers);
  std::ostringstream out;
  RunOptions options{dir.path(), exampleInput(), RunOutputs{false, false}};
  EXPECT_EQ(runProgram(in, out, options), 0);
  EXPECT_EQ(std::distance(fs::directory_iterator(dir.path()), fs::directory_iterator()), 1);  // the lock file
}

}  // namespace
}  // namespace gemi
