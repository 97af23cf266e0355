// Fixed-size tables indexed from 1, as the quantities are numbered in the
// report (speed number i = 1 .. NV, appendage j = 1 .. 11). An index outside
// the table throws instead of touching memory that is not there.
#pragma once

#include <array>
#include <stdexcept>
#include <string>

namespace gemi {

template <typename T, int N>
class Table1 {
 public:
  T& operator()(int i) { return v_[check(i)]; }
  const T& operator()(int i) const { return v_[check(i)]; }
  T* data() { return v_.data() + 1; }  // element 1 (contiguous up to N)
  const T* data() const { return v_.data() + 1; }
  static constexpr int size() { return N; }

 private:
  static int check(int i) {
    if (i < 1 || i > N) throw std::out_of_range("index " + std::to_string(i) + " outside 1.." + std::to_string(N));
    return i;
  }
  std::array<T, N + 1> v_{};
};

// Per-speed table of reals: 50 speeds at most.
inline constexpr int kMaxSpeeds = 50;
using SpeedArray = Table1<float, kMaxSpeeds>;

}  // namespace gemi
