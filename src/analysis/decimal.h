// Numbers of the companion's files as text, whatever the user's locale.
#pragma once

#include <charconv>
#include <string>

namespace gemi::analysis {

// The shortest decimal that reads back to the same float, with a point
// (std::to_chars: the C locale always). Non-finite values give "nan", "inf"
// or "-inf"; callers that must not write them check first.
inline std::string shortestDecimal(float v) {
  char buf[32];
  const auto res = std::to_chars(buf, buf + sizeof buf, v);
  return std::string(buf, res.ptr);
}

}  // namespace gemi::analysis
