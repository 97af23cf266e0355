// Characteristics over speed: the open-water list of the selected propeller
// and one row of the minimum-service table.
#include <gtest/gtest.h>

#include <cmath>

#include "propulsion/characteristics.h"
#include "propulsion/open_water_series.h"

namespace gemi {
namespace {

RunState wageningen() {
  RunState s;
  s.in.NSERIES = 1;
  s.in.CPFLAG = 0.0f;
  return s;
}

TEST(StageOpenWaterList, GridUpToFirstNegativeThrustWithTrialPointInserted) {
  RunState s = wageningen();
  float Z = 4.0f;
  std::array<float, kOpenWaterPoints> J{};
  const int n = openWaterAdvanceList(s, 0.83f, 0.5f, Z, 0.5158f, J);
  ASSERT_GE(n, 3);
  int trial = 0;
  for (int i = 0; i + 1 < n; ++i) EXPECT_LT(J[i], J[i + 1]);
  for (int i = 0; i < n; ++i) trial += J[i] == 0.5158f;
  EXPECT_EQ(trial, 1);
  EXPECT_EQ(J[0], 0.2f);
  // The largest grid value keeps KT >= 0, the next grid value does not.
  const float last = J[n - 1];
  s.prop.series.J = last;
  evaluateSeries(s, 0.83f, 0.5f, Z);
  EXPECT_GE(s.prop.series.KT, 0.0f);
  s.prop.series.J = last + 0.025f;
  evaluateSeries(s, 0.83f, 0.5f, Z);
  EXPECT_LT(s.prop.series.KT, 0.0f);
  // Grid points: n - 1 of them from 0.2 in steps of 0.025.
  EXPECT_NEAR(last, 0.2f + 0.025f * static_cast<float>(n - 2), 1e-5f);
}

TEST(StageOpenWaterList, TrialPointOnTheGridIsListedOnce) {
  RunState s = wageningen();
  float Z = 4.0f;
  std::array<float, kOpenWaterPoints> withTrial{}, onGrid{};
  const int n1 = openWaterAdvanceList(s, 0.83f, 0.5f, Z, 0.4625f, withTrial);
  // 0.2 + 10 steps of 0.025 accumulated in single precision.
  float grid = 0.2f;
  for (int k = 0; k < 10; ++k) grid = grid + 0.025f;
  const int n2 = openWaterAdvanceList(s, 0.83f, 0.5f, Z, grid, onGrid);
  EXPECT_EQ(n2, n1 - 1);
  for (int i = 0; i + 1 < n2; ++i) EXPECT_LT(onGrid[i], onGrid[i + 1]);
}

TEST(StageOpenWaterList, FullGridGivesFortyTwoPoints) {
  // A coarse-pitch wide-bladed propeller keeps positive thrust up to J = 1.2.
  RunState s = wageningen();
  float Z = 4.0f;
  std::array<float, kOpenWaterPoints> J{};
  const int n = openWaterAdvanceList(s, 1.4f, 1.0f, Z, 0.71f, J);
  EXPECT_EQ(n, kOpenWaterPoints);
  EXPECT_NEAR(J[kOpenWaterPoints - 1], 1.2f, 1e-5f);
}

TEST(StageOpenWaterTable, GawnSeriesSetsThreeBlades) {
  RunState s;
  s.in.NSERIES = 2;
  float Z = 4.0f;
  const OpenWaterTable ow = openWaterTable(s, 1.0f, 0.6f, Z, 0.61f, 3.6f, 160.0f);
  EXPECT_EQ(Z, 3.0f);
  ASSERT_GT(ow.n, 2);
  // Reynolds correction of the full-scale propeller: the state holds the last point's inputs.
  EXPECT_EQ(s.prop.series.DP, 3.6f);
  EXPECT_EQ(s.prop.series.RPMP, 160.0f);
  EXPECT_NEAR(s.prop.series.VAP, ow.J[ow.n - 1] * (160.0f / 60.0f) * 3.6f, 1e-5f);
  for (int i = 0; i < ow.n; ++i) EXPECT_NEAR(ow.ETA0[i], ow.KT[i] / ow.KQ[i] * ow.J[i] / 6.2831855f, 1e-5f);
}

// Linear open-water curves KT = 0.45 - 0.4 J, KQ = 0.05 - 0.03 J on the
// grid 0.2 .. 1.125: the spline reproduces them exactly, so the row has a
// closed-form answer. The required thrust TR = PE / V / (1 - t) is met where
// a n^2 - b Va n / D = TR 1000 / (RHO D^4) (n in rps), a quadratic in n.
OpenWaterTable linearTable() {
  OpenWaterTable ow;
  float J = 0.2f;
  while (0.45f - 0.4f * J >= 0.0f && ow.n < kOpenWaterPoints) {
    ow.J[ow.n] = J;
    ow.KT[ow.n] = 0.45f - 0.4f * J;
    ow.KQ[ow.n] = 0.05f - 0.03f * J;
    ow.ETA0[ow.n] = ow.KT[ow.n] / ow.KQ[ow.n] * J / 6.2831855f;
    ++ow.n;
    J = J + 0.025f;
  }
  return ow;
}

TEST(StageServiceRow, RevolutionsWhereThrustMeetsRequirement) {
  // python3 (double): D 4, RHO 1025, 14 knots, w 0.3, t 0.2, etarr 1, PE 2000 kW:
  // RPM 141.83479, J 0.53313, ETA0 0.59072, ETAH 1.142857, ETAD 0.67511, PDT 2962.470.
  const OpenWaterTable ow = linearTable();
  const ServiceRow r = serviceRow(ow, 14.0f, 2000.0f, 0.3f, 0.2f, 1.0f, 4.0f, 1025.0f, 1);
  EXPECT_NEAR(r.RPM, 141.83479f, 0.01f);
  EXPECT_NEAR(r.J, 0.5331330f, 5e-5f);
  EXPECT_NEAR(r.ETA0, 0.5907233f, 5e-5f);
  EXPECT_NEAR(r.ETAH, 1.1428571f, 1e-6f);
  EXPECT_NEAR(r.ETAD, 0.6751124f, 5e-5f);
  EXPECT_NEAR(r.PDT, 2962.4698f, 0.3f);
  // Twin screw with twice the power: the same per-propeller point, twice the total.
  const ServiceRow twin = serviceRow(ow, 14.0f, 4000.0f, 0.3f, 0.2f, 1.0f, 4.0f, 1025.0f, 2);
  EXPECT_NEAR(twin.RPM, r.RPM, 1e-3f);
  EXPECT_NEAR(twin.PD, r.PD, 0.05f);
  EXPECT_NEAR(twin.PDT, 2.0f * r.PDT, 0.1f);
}

TEST(StageServiceRow, AvailablePower) {
  // (1 - 0.15) 2 4500 0.9 - 200 = 6685
  EXPECT_NEAR(availablePower(0.15f, 2, 4500.0f, 0.9f, 200.0f), 6685.0f, 1e-3f);
  EXPECT_NEAR(availablePower(0.0f, 1, 3500.0f, 1.0f, 0.0f), 3500.0f, 1e-3f);
}

}  // namespace
}  // namespace gemi
