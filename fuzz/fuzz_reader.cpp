// Fuzz target: the record reader and the record writer on arbitrary bytes
// (the unit layout and the checks are in reader_unit.h).
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "reader_unit.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string problem = gemi::fuzz::readUnitAndCheck(data, size);
  if (!problem.empty()) {
    std::fprintf(stderr, "FINDING: %s\n", problem.c_str());
    std::abort();
  }
  return 0;
}
