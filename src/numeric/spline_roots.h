// Spline coefficients and evaluation, interval search, root finding on a
// tabulated curve, in-place sort and index of the largest value at one
// thousandth resolution. Arrays are 0-based spans; n is the number of points.
#pragma once

#include <array>
#include <span>

namespace gemi {

class RecordSink;
struct Run;

// Piecewise-polynomial form of a cubic spline: for knot i, c[i][0] value,
// c[i][1] slope, c[i][2] second and c[i][3] third derivative from the right.
using SplinePiece = std::array<float, 4>;

// Interpolating cubic spline through (tau[i], c[i][0]), i < n (de Boor's
// CUBSPL). Boundary codes: 0 not-a-knot, 1 slope given in c[0][1] / c[n-1][1],
// 2 second derivative given there.
void SPLCOEF(std::span<const float> tau, std::span<SplinePiece> c, int n, int ibcbeg, int ibcend);

// Interval of xx in x[0..n-1]: found = false (and the console line
// " ** NOKTA ARALIGIN DISINDA **") outside the table; otherwise i with
// x[i] <= xx < x[i+1], the first interval at the left end and the last
// interval within 1e-6 of the right end.
struct Location {
  int i = 0;
  bool found = false;
};
Location LOCATE(RecordSink& console, std::span<const float> x, float xx, int n);

// Spline value at xx; yy is left unchanged when xx is outside the knots.
void SPLVAL(RecordSink& console, int n, float xx, float& yy, std::span<const float> tau,
            std::span<const SplinePiece> c);

// The x in [x[0], x[n-1]] where the not-a-knot spline through (x, y) equals
// y0 (regula falsi). Without a sign change between the ends: console line
// and the ordinary stop of the run.
float ROOTSP(Run& run, int n, std::span<const float> x, std::span<const float> y, float y0);

// Ascending selection sort of a[0..n-1] in place.
void SORTA(int n, std::span<float> a);

// Index (0-based) of the first largest a[i] compared in truncated thousandths.
int IMAXR(int n, std::span<const float> a);

}  // namespace gemi
