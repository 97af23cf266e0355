#include "reports/wave_correction.h"

#include <gtest/gtest.h>

namespace gemi {
namespace {

Table1<float, kMaxCorrectionFactors> factors(std::initializer_list<float> v) {
  Table1<float, kMaxCorrectionFactors> t;
  int j = 1;
  for (float x : v) t(j++) = x;
  return t;
}

SpeedArray speedList(int NV, float first) {
  SpeedArray VS;
  for (int i = 1; i <= NV; ++i) VS(i) = first + static_cast<float>(i - 1);
  return VS;
}

TEST(WaveCorrection, RequestedOnlyWhenAFactorLeavesTheOnePercentBand) {
  EXPECT_FALSE(waveCorrectionRequested(0, factors({})));
  EXPECT_FALSE(waveCorrectionRequested(3, factors({1.0f, 0.995f, 1.005f})));
  EXPECT_TRUE(waveCorrectionRequested(3, factors({1.0f, 1.0f, 1.02f})));
  // Only the first NDF factors count.
  EXPECT_FALSE(waveCorrectionRequested(2, factors({1.0f, 1.0f, 1.5f})));
}

// Three factors 1.0, 1.1, 1.2 over 10 .. 16 knots sit at 10, 13 and 16 knots.
TEST(WaveCorrection, ThreeFactorsSitAtEvenlySpacedSpeeds) {
  const SpeedArray VS = speedList(7, 10.0f);
  const SpeedArray DFV = waveCorrectionFactors(3, factors({1.0f, 1.1f, 1.2f}), VS, 7);
  EXPECT_EQ(DFV(1), 1.0f);
  EXPECT_FLOAT_EQ(DFV(4), 1.1f);
  EXPECT_NEAR(DFV(7), 1.2f, 1e-6f);
  EXPECT_NEAR(DFV(2), 1.0f + 0.1f / 3.0f, 1e-6f);  // collinear factors: the line
  // Factors 1.0, 1.2, 1.1: the parabola through (10,1.0) (13,1.2) (16,1.1)
  // (Lagrange form, python3): 1.0, 1.1, 1.16667, 1.2, 1.2, 1.16667, 1.1.
  const SpeedArray P = waveCorrectionFactors(3, factors({1.0f, 1.2f, 1.1f}), VS, 7);
  const double expected[] = {1.0, 1.1, 1.1666666666666665, 1.2, 1.2, 1.1666666666666667, 1.1};
  for (int i = 1; i <= 7; ++i) EXPECT_NEAR(P(i), expected[i - 1], 2e-6) << i;
}

TEST(WaveCorrection, UnevenSpeedListStillGetsEvenFactorPoints) {
  SpeedArray VS;
  VS(1) = 10.0f;
  VS(2) = 10.5f;
  VS(3) = 16.0f;
  // Points at 10, 13, 16 with 1.0, 1.2, 1.1: at 10.5 the parabola in
  // Lagrange form gives 1.0541667 (python3).
  const SpeedArray P = waveCorrectionFactors(3, factors({1.0f, 1.2f, 1.1f}), VS, 3);
  EXPECT_NEAR(P(2), 1.0541666666666667, 2e-6);
}

TEST(WaveCorrection, OneFactorEverywhereTwoFactorsOnTheLine) {
  const SpeedArray VS = speedList(5, 10.0f);
  const SpeedArray one = waveCorrectionFactors(1, factors({1.3f}), VS, 5);
  for (int i = 1; i <= 5; ++i) EXPECT_EQ(one(i), 1.3f);
  const SpeedArray two = waveCorrectionFactors(2, factors({1.0f, 1.4f}), VS, 5);
  for (int i = 1; i <= 5; ++i) EXPECT_NEAR(two(i), 1.0f + 0.1f * static_cast<float>(i - 1), 1e-6f);
  // A single speed: no span to interpolate over, the first factor applies.
  EXPECT_EQ(waveCorrectionFactors(2, factors({1.2f, 1.4f}), VS, 1)(1), 1.2f);
}

// CR is scaled; CT = CV + CA + CR; RTOTAL = V^2*CT*RHO*S/2/1000; PE = RTOTAL*V.
// At 13 kn (6.6872 m/s), CV 2e-3, CA 0.4e-3, CR 0.5e-3, factor 1.1,
// RHO 1025, S 2000: CR 0.55e-3, CT 2.95e-3, RTOTAL = 135.2180 kN,
// PE = 904.2298 kW (python3).
TEST(WaveCorrection, ResistanceAndPowerFormedAgainFromTheScaledResidual) {
  SpeedResults sp;
  sp.CV(1) = 2.0e-3f;
  sp.CA(1) = 0.4e-3f;
  sp.CR(1) = 0.5e-3f;
  sp.RW(1) = 7.0f;
  sp.RAPP(1, 0) = 3.0f;
  SpeedArray VS, DFV;
  VS(1) = 13.0f;
  DFV(1) = 1.1f;
  applyWaveCorrection(sp, DFV, VS, 1, 1025.0f, 2000.0f);
  EXPECT_NEAR(sp.CR(1), 0.55e-3, 1e-9);
  EXPECT_NEAR(sp.CT(1), 2.95e-3, 1e-9);
  EXPECT_NEAR(sp.RTOTAL(1), 135.2179993, 2e-4);
  EXPECT_NEAR(sp.PE(1), 904.2298, 2e-3);
  EXPECT_EQ(sp.RW(1), 7.0f);  // components keep their values
  EXPECT_EQ(sp.RAPP(1, 0), 3.0f);
}

}  // namespace
}  // namespace gemi
