#include "numeric/interp.h"

#include <array>
#include <cmath>
#include <limits>
#include <string>

#include "numeric/spline_roots.h"
#include "run/run.h"

namespace gemi {

SplineTooLarge::SplineTooLarge(int n)
    : std::length_error("spline over " + std::to_string(n) + " points, limit " + std::to_string(kSplineMaxPoints)),
      points(n) {}

namespace {

// Three-point straight line or parabola about the centre point k (0-based),
// through points k-1, k, k+1.
float threePoint(const float* x, const float* y, int k, float xx, int mode) {
  const float x0 = x[k], y0 = y[k];
  const float a = x[k - 1] - x0, ya = y[k - 1];
  const float b = x[k + 1] - x0, yb = y[k + 1];
  if (mode == kInterpLine) {
    float s = 0.0f;
    if (std::fabs(b - a) >= 1.0e-6f) s = (yb - ya) / (b - a);
    return ((xx - x0) - a) * s + ya;
  }
  // Parabola in h = xx - x0 through (a, ya), (0, y0), (b, yb).
  const float a2 = std::pow(a, 2.0f), b2 = std::pow(b, 2.0f);
  const float det = b2 * a - a2 * b;
  float c1 = 0.0f;
  if (std::fabs(det) >= 1.0e-6f) c1 = (b2 * (ya - y0) - a2 * (yb - y0)) / det;
  float c2 = 0.0f;
  if (a2 >= 1.0e-6f) c2 = ((ya - y0) - c1 * a) / a2;
  const float h = xx - x0;
  return c2 * std::pow(h, 2.0f) + c1 * h + y0;
}

// Not-a-knot cubic spline through the n points, rebuilt on every call,
// evaluated on interval I (1-based) at xx.
float spline(int n, const float* x, const float* y, int I, float xx) {
  std::array<SplinePiece, kSplineMaxPoints> c{};
  const auto un = static_cast<std::size_t>(n);
  for (std::size_t i = 0; i < un; ++i) c[i][0] = y[i];
  SPLCOEF(std::span<const float>(x, un), std::span<SplinePiece>(c.data(), un), n, 0, 0);
  const SplinePiece& p = c[static_cast<std::size_t>(I - 1)];
  const float h = xx - x[I - 1];
  return p[0] + h * (p[1] + h * (p[2] + h * p[3] / 3.0f) / 2.0f);
}

}  // namespace

float interp(int n, const float* x, const float* y, float xx, float yy, int mode) {
  if (n <= 0) return yy;
  if (n == 1) return y[0];
  // Interval search: the last i with x(i) <= xx <= x(i+1), 1-based.
  int I = 0;
  for (int i = 1; i <= n - 1; ++i)
    if (x[i - 1] <= xx && xx <= x[i]) I = i;
  // Straight-line extrapolation through the two end points on either side.
  if (xx < x[0]) return y[1] - (x[1] - xx) * (y[1] - y[0]) / (x[1] - x[0]);
  if (xx > x[n - 1]) return y[n - 2] - (x[n - 2] - xx) * (y[n - 2] - y[n - 1]) / (x[n - 2] - x[n - 1]);
  if (I == 0) return std::numeric_limits<float>::quiet_NaN();
  // A flat interval returns its left value whatever the mode.
  if (std::fabs(y[I - 1] - y[I]) < 1.0e-5f) return y[I - 1];
  if (mode == kInterpLine || mode == kInterpParabola) {
    // Two points carry no three-point stencil: the straight line through them.
    if (n == 2) return y[0] + (xx - x[0]) * (y[1] - y[0]) / (x[1] - x[0]);
    int k = I;  // centre point, 1-based
    if (I == 1) k = 2;
    if (I == n - 1) k = n - 1;
    return threePoint(x, y, k - 1, xx, mode);
  }
  if (mode == kInterpSpline) {
    if (n > kSplineMaxPoints) throw SplineTooLarge(n);
    return spline(n, x, y, I, xx);
  }
  return yy;
}

float interp(Run& run, int n, const float* x, const float* y, float xx, float yy, int mode) {
  try {
    return interp(n, x, y, xx, yy, mode);
  } catch (const SplineTooLarge&) {
    writeList(run.con, {"DIMENSION N > N1, TAU(N1),C(4,N1)"});
    pauseRun(run);
    writeList(run.con, {"INTERPOLASYON TABLOSU 2000 NOKTADAN UZUN - PROGRAM DURDURULDU"});
    stopRun(run, "interpolasyon", "INTERPOLASYON TABLOSU 2000 NOKTADAN UZUN");
  }
}

}  // namespace gemi
