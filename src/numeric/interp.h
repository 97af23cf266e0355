// Interpolation in a table Y(X): straight line, three-point parabola or
// not-a-knot cubic spline inside the table, straight-line extrapolation
// outside it. Nothing is kept between calls.
#pragma once

#include <stdexcept>

namespace gemi {

struct Run;

// Interpolation modes.
inline constexpr int kInterpLine = 1;
inline constexpr int kInterpParabola = 2;
inline constexpr int kInterpSpline = 3;

// Largest table the spline accepts.
inline constexpr int kSplineMaxPoints = 2000;

// A spline was asked for over more than kSplineMaxPoints points.
class SplineTooLarge : public std::length_error {
 public:
  explicit SplineTooLarge(int n);
  int points;
};

// Value of the tabulated function at `xx`. `x` must ascend strictly (not
// checked); `n` points of `x` and `y` are read. Returns `yy` unchanged for a
// mode other than 1, 2 or 3 when `xx` lies inside the table. Modes 1 and 2
// need n >= 3 (with n = 2 they give the straight line). A NaN `xx`, or an
// `xx` inside [x1, xn] that falls in no interval because `x` does not ascend,
// gives NaN.
// Throws SplineTooLarge for mode 3 with n > kSplineMaxPoints when the spline
// would actually be built.
float interp(int n, const float* x, const float* y, float xx, float yy, int mode);

// interp for callers that hold the run: the dimension limit is reported on
// the console, the run pauses and then ends through the ordinary stop.
float interp(Run& run, int n, const float* x, const float* y, float xx, float yy, int mode);

}  // namespace gemi
