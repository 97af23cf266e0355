#include <gtest/gtest.h>

#include "propulsion/cavitation.h"

namespace gemi {
namespace {

// At cavitation numbers where both lines are tabulated the parabolic
// interpolation returns the tabulated loadings themselves; the upper limit is
// the cubic 0.056 s^3 - 0.1968 s^2 + 0.382 s + 0.0331, by hand at s = 0.4:
// 0.003584 - 0.031488 + 0.1528 + 0.0331 = 0.157996.
TEST(BurrillLoadings, TabulatedPointsAndTheUpperLimitCubic) {
  struct Case {
    float sigma, tauc25, tauc50, taucUp;
  } cases[] = {
      {0.4f, 0.140f, 0.170f, 0.157996f},
      {0.6f, 0.180f, 0.220f, 0.203548f},
      {1.0f, 0.250f, 0.300f, 0.2743f},
      {1.5f, 0.290f, 0.330f, 0.3523f},
  };
  for (const Case& c : cases) {
    const BurrillLoadings b = burrillLoadings(c.sigma);
    EXPECT_NEAR(b.tauc25, c.tauc25, 1e-6f) << c.sigma;
    EXPECT_NEAR(b.tauc50, c.tauc50, 1e-6f) << c.sigma;
    EXPECT_NEAR(b.taucUp, c.taucUp, 2e-6f) << c.sigma;
  }
}

// The checks' minimum area ratios are those loadings turned into areas:
// the same function, so the plot draws exactly what the checks read.
TEST(BurrillLoadings, CavitationChecksUseThem) {
  CavitationInput in;
  in.N = 105.2f, in.D = 8.0f, in.Va = 18.0f, in.GRAV = 9.81f, in.RHO = 1025.0f, in.Hsd = 6.0f;
  in.PoD = 0.96f, in.EAR = 0.747f, in.Tp = 1700.0f;
  const CavitationResult r = cavitationChecks(in);
  ASSERT_TRUE(r.sigmaInLimits);
  const BurrillLoadings b = burrillLoadings(r.Sigma);
  // EAR x tauc is the same product for every line: thrust over the
  // dynamic pressure and the projected area factor.
  EXPECT_FLOAT_EQ(r.EAR25 * b.tauc25, r.EAR50 * b.tauc50);
  EXPECT_FLOAT_EQ(r.EAR25 * b.tauc25, r.EARup * b.taucUp);
}

}  // namespace
}  // namespace gemi
