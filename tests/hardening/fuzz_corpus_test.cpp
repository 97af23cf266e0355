// The fuzzers' seed corpus replayed in the ordinary test run, with the fuzz
// targets' own checks: every unit in fuzz/corpus/ (the seeds, and the input of
// every fuzzing finding once fixed) must pass in this build too, which also
// runs under the sanitizers in `make sanitize`.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "../../fuzz/reader_unit.h"
#include "../../fuzz/run_unit.h"
#include "../support/run_harness.h"

namespace {

namespace fs = std::filesystem;
using gemi::testing::readFile;

std::vector<fs::path> corpus(const char* target) {
  std::vector<fs::path> units;
  for (const auto& e : fs::directory_iterator(fs::path(GEMI_SOURCE_DIR) / "fuzz/corpus" / target))
    if (e.is_regular_file()) units.push_back(e.path());
  return units;
}

TEST(FuzzCorpus, ReaderUnitsPass) {
  const auto units = corpus("reader");
  ASSERT_FALSE(units.empty());
  for (const auto& path : units) {
    const std::string unit = readFile(path);
    EXPECT_EQ(gemi::fuzz::readUnitAndCheck(reinterpret_cast<const std::uint8_t*>(unit.data()), unit.size()), "")
        << path.filename();
  }
}

TEST(FuzzCorpus, WholeRunUnitsPass) {
  const auto units = corpus("run");
  ASSERT_FALSE(units.empty());
  gemi::testing::TempDir dir;
  for (const auto& path : units) EXPECT_EQ(gemi::fuzz::runUnitAndCheck(readFile(path), dir.path()), "") << path.filename();
}

// The values-only form puts the comment lines back where the file has them:
// the example written that way reads into the same run as the example itself.
TEST(FuzzCorpus, ValuesOnlyFormRebuildsTheFile) {
  const std::string example = gemi::testing::exampleInput();
  std::string values = "@V\n";
  for (std::size_t at = 0; at < example.size();) {
    std::size_t end = example.find('\n', at);
    std::string line = example.substr(at, end - at + 1);
    if (line[0] != '*') values += line;
    at = end + 1;
  }
  const auto unit = gemi::fuzz::decodeRunUnit(values + "@@\nanswers\n");
  EXPECT_EQ(unit.answers, "answers\n");
  const auto a = gemi::testing::runCase(unit.input, "0.686\n4\nH\n\n\n\n");
  const auto b = gemi::testing::runCase(example, "0.686\n4\nH\n\n\n\n");
  EXPECT_EQ(a.status, 0);
  EXPECT_EQ(a.report, b.report);
  EXPECT_EQ(a.console, b.console);
}

}  // namespace
