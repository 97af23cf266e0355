#include "water/model_resistance.h"

#include <gtest/gtest.h>

#include <vector>

#include "../support/stage_inputs.h"

namespace gemi {
namespace {

const WaterProperties kFresh15{1706.0f, 1.13902e-6f, 999.0f};

// Lwl 100 m, scale 25, 15 kn, (1+k) 1.2, CR 0.5e-3, S 2000 m2, fresh water
// at 15 degrees. python3 (g = 9.80665):
//   Fn = 15*0.5144/sqrt(100*g) = 0.246394995; Vm = sqrt(100*g/25)*Fn = 1.5432
//   Rn = Vm*4/nu = 5419395.62; Cf = 0.075/(log10(Rn)-2)**2 = 0.0033466768
//   Ct = CR + 1.2*Cf = 0.0045160122; Rt = Vm**2*Ct*(S/625)*rho*0.5 = 17.1903612 N
TEST(ModelResistance, ScalesTheShipAtEqualFroudeNumber) {
  SpeedArray CR;
  CR(1) = 0.5e-3f;
  const ModelResistance r =
      computeModelResistance(1, CR, testing::speedsOf({15.0f}), 1.2f, 25.0f, 2000.0f, 100.0f, kFresh15);
  EXPECT_NEAR(r.Fn(1), 0.246394995, 1e-6);
  EXPECT_NEAR(r.Vm(1), 1.5432, 1e-5);
  EXPECT_NEAR(r.Rn(1), 5419395.62, 30.0);
  EXPECT_NEAR(r.Cfm(1), 0.0033466768, 1e-8);
  EXPECT_NEAR(r.Ctm(1), 0.0045160122, 1e-8);
  EXPECT_NEAR(r.Rtm(1), 17.1903612, 1e-4);
  EXPECT_EQ(r.Cwm(1), CR(1));
  EXPECT_EQ(r.M, 0);  // one speed spans no range of readings
}

// Residuary coefficients chosen so that the model resistances are 1.95, 2.3
// and 2.65 kg: the fixed readings strictly inside that range are 2.0, 2.1,
// 2.2, 2.25, 2.3, 2.4, 2.5, 2.6 (the reading list, by hand).
TEST(ModelResistance, ReadingsInsideTheRangeOfResistances) {
  const SpeedArray VS = testing::speedsOf({12.0f, 13.0f, 14.0f});
  SpeedArray CR;
  const ModelResistance bare = computeModelResistance(3, CR, VS, 1.2f, 25.0f, 2000.0f, 100.0f, kFresh15);
  const float targets[] = {1.95f, 2.3f, 2.65f};
  for (int i = 1; i <= 3; ++i) {
    const float q = bare.Rtm(i) / bare.Ctm(i);  // N per unit coefficient
    CR(i) = targets[i - 1] * kModelGravity / q - bare.Cvm(i);
  }
  const ModelResistance r = computeModelResistance(3, CR, VS, 1.2f, 25.0f, 2000.0f, 100.0f, kFresh15);
  ASSERT_TRUE(r.increasing);
  ASSERT_EQ(r.M, 8);
  const std::vector<float> expected{2.0f, 2.1f, 2.2f, 2.25f, 2.3f, 2.4f, 2.5f, 2.6f};
  for (int m = 0; m < 8; ++m) EXPECT_EQ(r.reading[static_cast<std::size_t>(m)], expected[static_cast<std::size_t>(m)]);
  // The reading equal to the middle resistance lies at that speed's model speed.
  EXPECT_NEAR(r.speed[4], r.Vm(2), 1e-5f);
  for (int m = 1; m < 8; ++m) EXPECT_GT(r.speed[static_cast<std::size_t>(m)], r.speed[static_cast<std::size_t>(m - 1)]);
}

TEST(ModelResistance, FallingResistanceGivesNoReadings) {
  const SpeedArray VS = testing::speedsOf({12.0f, 13.0f, 14.0f});
  SpeedArray CR;
  // A hump at the middle speed: the last resistance is above the first, so
  // readings lie in the range, but resistance is no function of speed there.
  CR(1) = 0.0f;
  CR(2) = 0.02f;
  CR(3) = 0.001f;
  const ModelResistance r = computeModelResistance(3, CR, VS, 1.2f, 25.0f, 2000.0f, 100.0f, kFresh15);
  ASSERT_GT(r.Rtm(3), r.Rtm(1));
  EXPECT_FALSE(r.increasing);
  EXPECT_EQ(r.M, 0);
}

}  // namespace
}  // namespace gemi
