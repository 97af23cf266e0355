#include "numeric/interp.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "../support/stage_inputs.h"

namespace gemi {
namespace {

float at(const std::vector<float>& x, const std::vector<float>& y, float xx, int mode, float yy = -99.0f) {
  return interp(static_cast<int>(x.size()), x.data(), y.data(), xx, yy, mode);
}

// y = 2x^2 - 3x + 1 sampled at x = 1, 2, 4, 5: 0, 3, 21, 36 (by hand).
const std::vector<float> kPx{1.0f, 2.0f, 4.0f, 5.0f};
const std::vector<float> kPy{0.0f, 3.0f, 21.0f, 36.0f};

TEST(Interp, ParabolaModeReproducesTheQuadraticWithTheStencilOfEachInterval) {
  // Any three of the points lie on the quadratic, so every stencil gives it:
  // 2*1.5^2-3*1.5+1 = 1, 2*9-9+1 = 10, 2*4.5^2-3*4.5+1 = 28.
  EXPECT_NEAR(at(kPx, kPy, 1.5f, 2), 1.0f, 1e-5f);   // I = 1: points 1..3
  EXPECT_NEAR(at(kPx, kPy, 3.0f, 2), 10.0f, 1e-5f);  // I = 2: points 1..3
  EXPECT_NEAR(at(kPx, kPy, 4.5f, 2), 28.0f, 1e-5f);  // I = N-1: points 2..4
  // An interior knot is the centre of its stencil: exact value.
  EXPECT_EQ(at(kPx, kPy, 2.0f, 2), 3.0f);
  EXPECT_EQ(at(kPx, kPy, 1.0f, 2), 0.0f);
  EXPECT_NEAR(at(kPx, kPy, 5.0f, 2), 36.0f, 1e-5f);
}

TEST(Interp, ParabolaStencilAtTheEndsUsesTheEndPoints) {
  // A table that is not one quadratic: (0,0) (1,1) (2,0) (3,5).
  // Points 1..3 give y = 2x - x^2, at 0.5: 0.75. Points 2..4 give
  // y = 1 + (x-1)*(-4) + 3(x-1)^2 ... through (1,1),(2,0),(3,5):
  // y = 3x^2 - 10x + 8, at 2.5: 18.75 - 25 + 8 = 1.75 (by hand).
  const std::vector<float> x{0.0f, 1.0f, 2.0f, 3.0f}, y{0.0f, 1.0f, 0.0f, 5.0f};
  EXPECT_NEAR(at(x, y, 0.5f, 2), 0.75f, 1e-6f);
  EXPECT_NEAR(at(x, y, 2.5f, 2), 1.75f, 1e-6f);
  // Interval 2 (I = 2) is centred on point 2: points 1..3, at 1.5: 3 - 2.25 = 0.75.
  EXPECT_NEAR(at(x, y, 1.5f, 2), 0.75f, 1e-6f);
}

TEST(Interp, LineModeIsTheChordOfTheStencilsOuterPoints) {
  // xx = 3 lies in interval 2, stencil points 1..3 (x = 1, 2, 4): chord
  // slope (21 - 0)/(4 - 1) = 7, value 0 + (3 - 1)*7 = 14 (by hand).
  EXPECT_NEAR(at(kPx, kPy, 3.0f, 1), 14.0f, 1e-5f);
  // xx = 4.5: stencil 2..4 (x = 2, 4, 5), slope 33/3 = 11, 3 + 2.5*11 = 30.5.
  EXPECT_NEAR(at(kPx, kPy, 4.5f, 1), 30.5f, 1e-5f);
}

TEST(Interp, ExtrapolatesOnTheEndChordsInEveryMode) {
  // Left: through (1,0),(2,3): at 0 -> -3. Right: through (4,21),(5,36): at 6 -> 51.
  for (int mode : {1, 2, 3, 7}) {
    EXPECT_NEAR(at(kPx, kPy, 0.0f, mode), -3.0f, 1e-5f) << mode;
    EXPECT_NEAR(at(kPx, kPy, 6.0f, mode), 51.0f, 1e-5f) << mode;
  }
}

TEST(Interp, FlatIntervalReturnsItsLeftValueInEveryMode) {
  // Neighbours 5 and 5.000001 differ by < 1e-5; a spline through the
  // steep neighbours would bulge above 5 in between.
  const std::vector<float> x{0.0f, 1.0f, 2.0f, 3.0f}, y{1.0f, 5.0f, 5.000001f, 2.0f};
  for (int mode : {1, 2, 3, 7}) EXPECT_EQ(at(x, y, 1.5f, mode), 5.0f) << mode;
  // Just outside the flat interval the spline is used again.
  EXPECT_NE(at(x, y, 0.5f, 3), 5.0f);
}

TEST(Interp, OtherModeInsideTheTableLeavesTheValueUnchanged) {
  EXPECT_EQ(at(kPx, kPy, 3.0f, 0, 123.5f), 123.5f);
  EXPECT_EQ(at(kPx, kPy, 3.0f, 4, -7.0f), -7.0f);
}

// f(x) = x^3 - 2x^2 + 0.5x + 1 on non-uniform knots; a not-a-knot spline
// through four or more points of a cubic is that cubic. Values from python3:
// f(0.3) = 0.997, f(1.1) = 0.461, f(2.6) = 6.356, f(3.9) = 31.849.
TEST(Interp, SplineReproducesACubicThroughItsPoints) {
  auto f = [](double x) { return static_cast<float>(x * x * x - 2 * x * x + 0.5 * x + 1); };
  const std::vector<float> x{0.0f, 0.7f, 1.5f, 2.0f, 3.2f, 4.0f};
  std::vector<float> y;
  for (float xi : x) y.push_back(f(xi));
  EXPECT_NEAR(at(x, y, 0.3f, 3), 0.997f, 2e-5f);
  EXPECT_NEAR(at(x, y, 1.1f, 3), 0.461f, 2e-5f);
  EXPECT_NEAR(at(x, y, 2.6f, 3), 6.356f, 5e-5f);
  EXPECT_NEAR(at(x, y, 3.9f, 3), 31.849f, 2e-4f);
  EXPECT_NEAR(at(x, y, 4.0f, 3), 35.0f, 2e-4f);  // last knot: I = N-1, full step
  EXPECT_EQ(at(x, y, 2.0f, 3), 2.0f);            // interior knot: I = k, h = 0
  // Four points only (the smallest table with two not-a-knot ends).
  const std::vector<float> x4{0.0f, 0.7f, 2.0f, 4.0f};
  std::vector<float> y4;
  for (float xi : x4) y4.push_back(f(xi));
  EXPECT_NEAR(at(x4, y4, 1.1f, 3), 0.461f, 2e-5f);
  EXPECT_NEAR(at(x4, y4, 3.9f, 3), 31.849f, 2e-4f);
}

TEST(Interp, SplineOverThreePointsIsTheParabolaAndOverTwoTheLine) {
  // Through (0,1),(1,3),(3,2): y = -5/6 x^2 + 17/6 x + 1 (by hand);
  // at 0.5: 53/24, at 2: 10/3.
  const std::vector<float> x{0.0f, 1.0f, 3.0f}, y{1.0f, 3.0f, 2.0f};
  EXPECT_NEAR(at(x, y, 0.5f, 3), 53.0f / 24.0f, 1e-5f);
  EXPECT_NEAR(at(x, y, 2.0f, 3), 10.0f / 3.0f, 1e-5f);
  const std::vector<float> x2{1.0f, 3.0f}, y2{2.0f, 6.0f};
  EXPECT_NEAR(at(x2, y2, 2.5f, 3), 5.0f, 1e-6f);
}

TEST(Interp, SplineTableOverTheLimitIsRefusedOnlyWhenTheSplineIsNeeded) {
  std::vector<float> x(2001), y(2001);
  for (int i = 0; i < 2001; ++i) {
    x[static_cast<std::size_t>(i)] = static_cast<float>(i);
    y[static_cast<std::size_t>(i)] = static_cast<float>(i % 3);
  }
  EXPECT_THROW(at(x, y, 10.5f, 3), SplineTooLarge);
  EXPECT_NO_THROW(at(x, y, -1.0f, 3));  // extrapolation comes first
  EXPECT_NO_THROW(at(x, y, 10.5f, 2));  // no limit for the parabola
  x.pop_back();
  y.pop_back();
  EXPECT_NO_THROW(at(x, y, 10.5f, 3));  // 2000 points are allowed
}

TEST(Interp, RunVariantPausesAndStopsAtTheDimensionLimit) {
  gemi::testing::StateRun t("\nleft over\n");
  gemi::Run& run = t.run;
  std::vector<float> x(2001), y(2001);
  for (int i = 0; i < 2001; ++i) x[static_cast<std::size_t>(i)] = y[static_cast<std::size_t>(i)] = static_cast<float>(i);
  y[5] = 0.0f;
  EXPECT_THROW(interp(run, 2001, x.data(), y.data(), 4.5f, 0.0f, 3), StopRun);
  EXPECT_EQ(testing::nextAnswer(t.run), "left over");  // the pause took exactly one line
  const std::string console = t.out.str();
  const auto message = console.find("DIMENSION N > N1, TAU(N1),C(4,N1)");
  ASSERT_NE(message, std::string::npos);
  EXPECT_NE(console.find("Pause - Please enter", message), std::string::npos);
  // Below the limit the run variant is the plain routine.
  EXPECT_EQ(interp(run, 4, kPx.data(), kPy.data(), 3.0f, 0.0f, 2), at(kPx, kPy, 3.0f, 2));
}

TEST(Interp, NanAbscissaGivesNan) {
  EXPECT_TRUE(std::isnan(at(kPx, kPy, std::nanf(""), 3)));
}

}  // namespace
}  // namespace gemi
