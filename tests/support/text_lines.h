// Finding texts, lines and printed numbers in console and report output.
#pragma once

#include <gtest/gtest.h>

#include <cmath>
#include <regex>
#include <string>
#include <vector>

#include "run_harness.h"

namespace gemi::testing {

// How often `part` occurs in `text` (overlapping occurrences counted).
inline int count(const std::string& text, const std::string& part) {
  int n = 0;
  for (std::size_t p = text.find(part); p != std::string::npos; p = text.find(part, p + 1)) ++n;
  return n;
}

// Numbers of a line in order (".509", "-3" and "1903.0" alike).
inline std::vector<double> numbersIn(const std::string& line) {
  static const std::regex number(R"(-?\d*\.\d+|-?\d+)");
  std::vector<double> v;
  for (std::sregex_iterator it(line.begin(), line.end(), number), end; it != end; ++it)
    v.push_back(std::stod(it->str()));
  return v;
}

// The numbers of the first line of `text` that contains `key` (after the key).
inline std::vector<double> numbersAfter(const std::string& text, const std::string& key) {
  for (const std::string& line : linesOf(text)) {
    const std::size_t p = line.find(key);
    if (p != std::string::npos) return numbersIn(line.substr(p + key.size()));
  }
  ADD_FAILURE() << "no line with " << key;
  return {};
}

inline double numberAfter(const std::string& text, const std::string& key) {
  const std::vector<double> v = numbersAfter(text, key);
  return v.empty() ? NAN : v.front();
}

// The line that follows the first line containing `key`.
inline std::string lineAfter(const std::string& text, const std::string& key) {
  const std::vector<std::string> lines = linesOf(text);
  for (std::size_t i = 0; i + 1 < lines.size(); ++i)
    if (contains(lines[i], key)) return lines[i + 1];
  ADD_FAILURE() << "no line after " << key;
  return {};
}

// Index of the line equal to `text`, -1 when there is none.
inline int indexOf(const std::vector<std::string>& lines, const std::string& text) {
  for (std::size_t i = 0; i < lines.size(); ++i)
    if (lines[i] == text) return static_cast<int>(i);
  return -1;
}

}  // namespace gemi::testing
