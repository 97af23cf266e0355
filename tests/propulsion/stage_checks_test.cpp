// Computations of the propeller stage at the trial speed: Keller's area
// ratio, the cavitation checks, the efficiency check, the power chain and the
// operating point. Expected values come from the formulas evaluated in
// python3 (double precision), quoted in each test.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "propulsion/cavitation.h"
#include "propulsion/power_chain.h"

namespace gemi {
namespace {

// A single-screw cargo ship at 14 knots: the Wageningen propeller of 3.8 m
// at 149.791 rpm, advance speed 9.388 knots, shaft immersion 4.216 m.
CavitationInput cargoShip() {
  return {.N = 149.791f, .D = 3.8f, .Va = 9.388f, .GRAV = 9.81f, .RHO = 1025.0f, .Hsd = 4.216f, .PoD = 0.83f,
          .EAR = 0.499f, .Tp = 242.67f};
}

TEST(StageCavitation, KellerAreaRatio) {
  // (0.3*4 + 1.3) * 242.67e3 / ((9.81*1025*4.216 + 98300) * 3.8^2) + 0.2
  EXPECT_NEAR(kellerAreaRatio(4.0f, 242.67f, 9.81f, 1025.0f, 4.216f, 3.8f), 0.498618f, 2e-6f);
  // Three blades: (0.3*3 + 1.3) instead of 2.5 in the same expression.
  EXPECT_NEAR(kellerAreaRatio(3.0f, 242.67f, 9.81f, 1025.0f, 4.216f, 3.8f), 0.2 + 0.298618 * 2.2 / 2.5, 2e-6);
}

TEST(StageCavitation, QuantitiesInsideBurrillDiagram) {
  // python3: VR2 = (N pi/60 D 0.7)^2 + (Va 0.5144)^2, Sigma = (g rho Hsd + 98300)/(rho VR2/2), ...
  // Burrill lines by the three-point parabola through the tabulated points
  // about Sigma = 0.5987 (centre 0.60 on the 2.5 % line, 0.40 on the 5 % line).
  const CavitationResult r = cavitationChecks(cargoShip());
  EXPECT_NEAR(r.VR2, 458.56421f, 2e-3f);
  EXPECT_NEAR(r.Sigma, 0.5986573f, 1e-6f);
  EXPECT_NEAR(r.AP, 4.9627517f, 1e-5f);
  EXPECT_NEAR(r.Tauc, 0.2080652f, 1e-6f);
  EXPECT_NEAR(r.EARwag, 0.4693726f, 1e-6f);
  EXPECT_NEAR(r.Vtip, 29.803546f, 1e-4f);
  ASSERT_TRUE(r.sigmaInLimits);
  EXPECT_NEAR(r.EAR25, 0.5772365f, 2e-6f);
  EXPECT_NEAR(r.EAR50, 0.4724597f, 2e-6f);
  EXPECT_NEAR(r.EARup, 0.5107696f, 2e-6f);
}

TEST(StageCavitation, SigmaOutsideLimitsSkipsBurrill) {
  // Shallow shaft, slow propeller: Sigma = 1.6580 (python3) is above 1.5.
  const CavitationInput slow{.N = 100.0f, .D = 3.0f, .Va = 5.0f, .GRAV = 9.81f, .RHO = 1025.0f, .Hsd = 1.0f,
                              .PoD = 1.0f, .EAR = 0.6f, .Tp = 500.0f};
  CavitationResult r = cavitationChecks(slow);
  EXPECT_NEAR(r.Sigma, 1.6580024f, 1e-5f);
  EXPECT_FALSE(r.sigmaInLimits);
  EXPECT_EQ(r.EAR25, 0.0f);
  EXPECT_NEAR(r.Vtip, 15.707963f, 1e-5f);  // still computed: the tip-vortex block is always written

  // Fast large propeller: Sigma = 0.0822 (python3), below 0.18.
  CavitationInput fast = slow;
  fast.N = 300.0f;
  fast.D = 5.0f;
  fast.Va = 10.0f;
  fast.Hsd = 3.0f;
  r = cavitationChecks(fast);
  EXPECT_NEAR(r.Sigma, 0.0822114f, 1e-6f);
  EXPECT_FALSE(r.sigmaInLimits);

  // A cavitation number that is not a number (no inflow at all) cannot be
  // read on Burrill's diagram either.
  CavitationInput still = slow;
  still.N = 0.0f;
  still.Va = 0.0f;
  r = cavitationChecks(still);
  EXPECT_FALSE(r.sigmaInLimits);
}

TEST(StageCavitation, BurrillLimitsThemselvesPass) {
  // Choose N so that Sigma is 1.5 (and 0.18) within rounding: solve
  // VR2 = p / (rho Sigma / 2) for the rotational part with Va = 0.
  CavitationInput c = cargoShip();
  c.Va = 0.0f;
  const double p = 9.81 * 1025.0 * 4.216 + 98300.0;
  const auto revolutionsFor = [&](double sigma) {
    return static_cast<float>(std::sqrt(p / (1025.0 * sigma * 0.5)) / (3.14159265 / 60.0 * 3.8 * 0.7));
  };
  for (double sigma : {1.4999, 0.1801}) {
    c.N = revolutionsFor(sigma);
    const CavitationResult r = cavitationChecks(c);
    EXPECT_TRUE(r.sigmaInLimits) << r.Sigma;
    EXPECT_GT(r.EAR25, 0.0f);
  }
  // At Sigma = 1.5 the 2.5 % line is at its last point, Tauc25 = 0.29:
  // EAR25 = Tp 1000 / (rho 0.29 VR2 / 2) / projected-area factor.
  c.N = revolutionsFor(1.5);
  const CavitationResult r = cavitationChecks(c);
  const double factor = 3.8 * 3.8 * 3.14159265 / 4.0 * (1.067 - 0.229 * 0.83);
  EXPECT_NEAR(r.EAR25, 242.67e3 / (1025.0 * 0.29 * r.VR2 * 0.5) / factor, 1e-3);
}

TEST(StageEfficiencyCheck, DifferenceUpToOneHundredthPasses) {
  EXPECT_TRUE(efficienciesAgree(0.60f, 0.605f));
  EXPECT_FALSE(efficienciesAgree(0.60f, 0.615f));
  EXPECT_FALSE(efficienciesAgree(0.615f, 0.60f));
  // Exactly 0.01 apart in decimal: passes in both directions, also where the
  // binary difference of the two floats is a little above 0.01f.
  EXPECT_GT(0.60f - 0.59f, 0.01f);
  EXPECT_TRUE(efficienciesAgree(0.59f, 0.60f));
  EXPECT_TRUE(efficienciesAgree(0.60f, 0.59f));
  EXPECT_TRUE(efficienciesAgree(0.70f, 0.71f));
  EXPECT_FALSE(efficienciesAgree(0.60f, 0.6101f));
  // A computed efficiency that is not a number never passes.
  EXPECT_FALSE(efficienciesAgree(0.6f, std::numeric_limits<float>::quiet_NaN()));
  EXPECT_FALSE(efficienciesAgree(0.6f, std::numeric_limits<float>::infinity()));
}

TEST(StagePowerChain, BrakeEngineAndDeliveredPower) {
  // python3: Pb = 1404.52/(0.694*0.98), Pbm = Pb/0.85, Pbd = 0.98 Pb.
  const PowerChain p = powerChain(1404.52f, 0.694f, 0.98f, 0.85f);
  EXPECT_NEAR(p.Pb, 2065.1062f, 2e-3f);
  EXPECT_NEAR(p.Pbm, 2429.5367f, 2e-3f);
  EXPECT_NEAR(p.Pbd, 2023.8040f, 2e-3f);
}

TEST(StagePowerChain, OperatingPoint) {
  // python3: J = (1-0.3205) 14 0.5144 / (149.791/60 3.8);
  // PDEL = (N/60)^2 N 0.0253 3.8^5 1025 6.28318/60/1000; THRc = (N/60)^2 0.1882 3.8^4 1025/1000.
  EXPECT_NEAR(operatingAdvance(0.3205f, 14.0f, 149.791f, 3.8f), 0.5158226f, 1e-6f);
  EXPECT_NEAR(operatingPower(149.791f, 0.0253f, 3.8f, 1025.0f), 2008.8397f, 2e-3f);
  EXPECT_NEAR(operatingThrust(149.791f, 0.1882f, 3.8f, 1025.0f), 250.69566f, 2e-4f);
}

}  // namespace
}  // namespace gemi
