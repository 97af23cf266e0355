// Helpers of the companion's tests: reading tables and the JSON record back.
#pragma once

#include <bit>
#include <charconv>
#include <cstdint>
#include <filesystem>
#include <nlohmann/json.hpp>
#include <string>
#include <vector>

#include "../support/run_harness.h"

namespace gemi::testing {

// The example's answers as a user types them (the efficiency the check names).
inline constexpr const char* kExampleAnswers = "0.686\n4\nH\n\n\n\n\n\n\n\n";

// The input file and the typed answers of reference case `name` ("p1" .. "p3").
inline std::string referenceInput(const std::string& name) {
  return readFile(std::filesystem::path(GEMI_SOURCE_DIR) / "tests/analysis/data" / ("reference-" + name + ".TSK"));
}
inline std::string referenceAnswers(const std::string& name) {
  return readFile(std::filesystem::path(GEMI_SOURCE_DIR) / "tests/analysis/data" / ("reference-" + name + ".answers"));
}

inline std::uint32_t bitsOf(float v) { return std::bit_cast<std::uint32_t>(v); }

// A CSV file as its header names and its rows of cells (text).
struct Csv {
  std::vector<std::string> header;
  std::vector<std::vector<std::string>> rows;
  // Column `name` read back with from_chars (a cell that is not a whole number reads as NaN).
  std::vector<float> column(const std::string& name) const {
    std::size_t k = 0;
    while (k < header.size() && header[k] != name) ++k;
    std::vector<float> out;
    if (k == header.size()) return out;
    for (const auto& row : rows) {
      const std::string& cell = row.at(k);
      float v = 0.0f;
      const auto r = std::from_chars(cell.data(), cell.data() + cell.size(), v);
      out.push_back(r.ec == std::errc() && r.ptr == cell.data() + cell.size() ? v : std::nanf(""));
    }
    return out;
  }
};

inline std::vector<std::string> splitCells(const std::string& line) {
  std::vector<std::string> cells(1);
  for (char c : line) {
    if (c == ',')
      cells.emplace_back();
    else
      cells.back() += c;
  }
  return cells;
}

inline Csv readCsv(const std::filesystem::path& p) {
  Csv csv;
  const auto lines = linesOf(readFile(p));
  if (lines.empty()) return csv;
  csv.header = splitCells(lines[0]);
  for (std::size_t i = 1; i < lines.size(); ++i) csv.rows.push_back(splitCells(lines[i]));
  return csv;
}

// The JSON record read back with single-precision reals (as the program
// means them) and with doubles (as a script in another language reads them).
using FloatJson = nlohmann::basic_json<nlohmann::ordered_map, std::vector, std::string, bool, std::int64_t,
                                       std::uint64_t, float>;

}  // namespace gemi::testing
