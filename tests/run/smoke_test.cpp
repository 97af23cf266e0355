#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>

#include "run/driver.h"

// A run without an input file in the folder must end, never hang.
TEST(RunDriver, EndsWithoutInputFile) {
  auto dir = std::filesystem::temp_directory_path() / "gemi_smoke";
  std::filesystem::create_directories(dir);
  std::istringstream in;
  std::ostringstream out;
  gemi::runProgram(in, out, dir);
  SUCCEED();
  std::filesystem::remove_all(dir);
}
