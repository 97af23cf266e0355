// Spline coefficients, interval search, root finding, sort and the
// thousandths maximum. Expected values come from the functions the splines
// must reproduce exactly (a not-a-knot or end-slope spline through points of
// a cubic is that cubic; through three points the parabola) and from hand
// calculation.
#include <gtest/gtest.h>

#include <cmath>
#include <sstream>
#include <vector>

#include "numeric/spline_roots.h"
#include "../support/stage_inputs.h"

namespace gemi {
namespace {

// f(x) = x^3 - 2x^2 + 0.5x + 1: f' = 3x^2 - 4x + 0.5, f'' = 6x - 4, f''' = 6
double f(double x) { return ((x - 2) * x + 0.5) * x + 1; }
double f1(double x) { return (3 * x - 4) * x + 0.5; }
double f2(double x) { return 6 * x - 4; }

const std::vector<float> kKnots = {0.0f, 0.5f, 1.5f, 2.0f, 3.0f, 4.0f};

std::vector<SplinePiece> cubicValues(const std::vector<float>& x) {
  std::vector<SplinePiece> c(x.size());
  for (std::size_t i = 0; i < x.size(); ++i) c[i][0] = static_cast<float>(f(x[i]));
  return c;
}

void expectCubic(const std::vector<float>& x, const std::vector<SplinePiece>& c) {
  for (std::size_t i = 0; i + 1 < x.size(); ++i) {
    SCOPED_TRACE("knot " + std::to_string(i));
    EXPECT_NEAR(c[i][0], f(x[i]), 1e-5);
    EXPECT_NEAR(c[i][1], f1(x[i]), 2e-4);
    EXPECT_NEAR(c[i][2], f2(x[i]), 5e-4);
    EXPECT_NEAR(c[i][3], 6.0, 2e-3);
  }
}

TEST(Splcoef, EveryEndConditionReproducesTheCubic) {
  // Kinds 0 not-a-knot, 1 given slope, 2 given second derivative, with the
  // cubic's own end values (an unused end value stays 0).
  struct Ends {
    int left, right;
    double leftValue, rightValue;
  };
  for (const Ends e : {Ends{0, 0, 0.0, 0.0}, Ends{1, 1, f1(0.0), f1(4.0)}, Ends{2, 2, f2(0.0), f2(4.0)},
                       Ends{0, 1, 0.0, f1(4.0)}}) {
    SCOPED_TRACE("end kinds " + std::to_string(e.left) + ", " + std::to_string(e.right));
    std::vector<SplinePiece> c = cubicValues(kKnots);
    c[0][1] = static_cast<float>(e.leftValue);
    c[5][1] = static_cast<float>(e.rightValue);
    SPLCOEF(kKnots, c, 6, e.left, e.right);
    expectCubic(kKnots, c);
  }
}

TEST(Splcoef, ThreePointsGiveTheParabolaTwoPointsTheLine) {
  // y = 2x^2 - x + 3 through x = 1, 2, 4: slope 4x - 1, curvature 4
  const std::vector<float> x = {1.0f, 2.0f, 4.0f};
  std::vector<SplinePiece> c(3);
  for (std::size_t i = 0; i < 3; ++i) c[i][0] = 2 * x[i] * x[i] - x[i] + 3;
  SPLCOEF(x, c, 3, 0, 0);
  EXPECT_NEAR(c[0][1], 3.0f, 1e-5);
  EXPECT_NEAR(c[1][1], 7.0f, 1e-5);
  EXPECT_NEAR(c[0][2], 4.0f, 1e-5);
  EXPECT_NEAR(c[1][3], 0.0f, 1e-5);

  const std::vector<float> x2 = {1.0f, 3.0f};
  std::vector<SplinePiece> line(2);
  line[0][0] = 5.0f;
  line[1][0] = 9.0f;
  SPLCOEF(x2, line, 2, 0, 0);
  EXPECT_FLOAT_EQ(line[0][1], 2.0f);
  EXPECT_FLOAT_EQ(line[0][2], 0.0f);
  EXPECT_FLOAT_EQ(line[0][3], 0.0f);
}

struct Console {
  std::ostringstream text;
  ConsoleSink sink{text};
};

TEST(Locate, FindsTheIntervalAndFlagsPointsOutside) {
  Console con;
  const std::vector<float> x = {1.0f, 2.0f, 3.0f, 5.0f};
  EXPECT_EQ(LOCATE(con.sink, x, 1.0f, 4).i, 0);
  EXPECT_EQ(LOCATE(con.sink, x, 2.0f, 4).i, 1);      // interior knot starts its interval
  EXPECT_EQ(LOCATE(con.sink, x, 4.9f, 4).i, 2);
  EXPECT_EQ(LOCATE(con.sink, x, 5.0f, 4).i, 2);      // right end: last interval
  const Location nearEnd = LOCATE(con.sink, x, 5.0f - 4.0e-7f, 4);
  EXPECT_TRUE(nearEnd.found);
  EXPECT_EQ(nearEnd.i, 2);
  EXPECT_TRUE(con.text.str().empty());

  EXPECT_FALSE(LOCATE(con.sink, x, 0.999f, 4).found);
  EXPECT_FALSE(LOCATE(con.sink, x, 5.001f, 4).found);
  // on the console the leading blank is carriage control
  EXPECT_EQ(con.text.str(), "** NOKTA ARALIGIN DISINDA **\n** NOKTA ARALIGIN DISINDA **\n");
}

TEST(Splval, EvaluatesInsideAndLeavesTheResultOutside) {
  Console con;
  std::vector<SplinePiece> c = cubicValues(kKnots);
  SPLCOEF(kKnots, c, 6, 0, 0);
  float yy = -1.0f;
  SPLVAL(con.sink, 6, 2.7f, yy, kKnots, c);
  EXPECT_NEAR(yy, f(2.7), 2e-5);
  SPLVAL(con.sink, 6, 4.0f, yy, kKnots, c);
  EXPECT_NEAR(yy, f(4.0), 2e-5);
  yy = -1.0f;
  SPLVAL(con.sink, 6, 4.5f, yy, kKnots, c);
  EXPECT_EQ(yy, -1.0f);
}

TEST(Rootsp, RootOfACubicCurve) {
  testing::StateRun t;
  // f(x) = 3: x^3 - 2x^2 + 0.5x - 2 = 0 has its only real root at
  // 2.18897789 (python, bisection). The iteration ends once |f| is below
  // 1e-5 of the range of f - 3 over the table (-2 .. 32), 3.4e-4; with
  // f' = 6.1 at the root that is within 5.6e-5 in x.
  std::vector<float> y(kKnots.size());
  for (std::size_t i = 0; i < y.size(); ++i) y[i] = static_cast<float>(f(kKnots[i]));
  EXPECT_NEAR(ROOTSP(t.run, 6, kKnots, y, 3.0f), 2.18897789, 5.6e-5);
}

TEST(Rootsp, TargetAtAnEndIsThatEndExactly) {
  testing::StateRun t;
  const std::vector<float> x = {10.0f, 12.0f, 14.0f, 16.0f};
  const std::vector<float> y = {100.0f, 150.0f, 230.0f, 350.0f};
  EXPECT_EQ(ROOTSP(t.run, 4, x, y, 100.0f), 10.0f);
  EXPECT_EQ(ROOTSP(t.run, 4, x, y, 350.0f), 16.0f);
}

TEST(Rootsp, StopsOnTheRelativeToleranceForLargeCurves) {
  testing::StateRun t;
  // A power curve in kW, range about 8e6: the absolute test (1e-5 kW) is
  // out of reach in single precision; the relative one ends the iteration
  // with |f| below 1e-5 of the range: the root x^3 = 3.375 (1.5) within
  // 80 / (3e6 * 2.25) ~ 1.2e-5.
  std::vector<float> x, y;
  for (int i = 0; i <= 8; ++i) {
    x.push_back(0.25f * static_cast<float>(i));
    y.push_back(1.0e6f * x.back() * x.back() * x.back());
  }
  EXPECT_NEAR(ROOTSP(t.run, 9, x, y, 3.375e6f), 1.5, 2e-5);
}

TEST(Rootsp, NoSignChangeStopsTheRun) {
  testing::StateRun t;
  const std::vector<float> x = {1.0f, 2.0f, 3.0f};
  const std::vector<float> y = {5.0f, 6.0f, 8.0f};
  EXPECT_THROW(ROOTSP(t.run, 3, x, y, 4.0f), StopRun);
  EXPECT_EQ(t.out.str(), "\n\nVERILEN ARALIKTA KOK YOKTUR - STOP\n");
}

TEST(Sorta, SortsAscendingInPlace) {
  std::vector<float> a = {0.8f, 0.2f, 1.1f, 0.2f, -0.5f};
  SORTA(5, a);
  EXPECT_EQ(a, (std::vector<float>{-0.5f, 0.2f, 0.2f, 0.8f, 1.1f}));
  SORTA(3, a);  // only the first n take part
  EXPECT_EQ(a, (std::vector<float>{-0.5f, 0.2f, 0.2f, 0.8f, 1.1f}));
  std::vector<float> part = {3.0f, 2.0f, 1.0f};
  SORTA(2, part);
  EXPECT_EQ(part, (std::vector<float>{2.0f, 3.0f, 1.0f}));
}

TEST(Imaxr, ComparesTruncatedThousandths) {
  // .5745, .5749, .5741 all truncate to 574: the first stays
  EXPECT_EQ(IMAXR(3, std::vector<float>{0.5745f, 0.5749f, 0.5741f}), 0);
  // .5749 -> 574, .5750 -> 575: a later value wins by far less than 0.001
  EXPECT_EQ(IMAXR(2, std::vector<float>{0.5749f, 0.5751f}), 1);
  // the reference moves with the winner: .575 then .5759 (575, not larger)
  EXPECT_EQ(IMAXR(3, std::vector<float>{0.570f, 0.5751f, 0.5759f}), 1);
  // truncation toward zero: -0.0005 and 0.0004 both give 0
  EXPECT_EQ(IMAXR(2, std::vector<float>{-0.0005f, 0.0004f}), 0);
  EXPECT_EQ(IMAXR(1, std::vector<float>{0.3f}), 0);
}

}  // namespace
}  // namespace gemi
