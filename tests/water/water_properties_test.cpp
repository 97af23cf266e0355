#include "water/water_properties.h"

#include <gtest/gtest.h>

#include <cmath>

#include "../support/stage_inputs.h"

namespace gemi {
namespace {

TEST(WaterProperties, TabulatedTemperaturesGiveTheTableRows) {
  const auto f15 = waterProperties(kFreshWater, 15.0f);
  ASSERT_TRUE(f15);
  EXPECT_FLOAT_EQ(f15->NU, 1.13902e-6f);
  EXPECT_FLOAT_EQ(f15->RHOW, 999.0f);
  EXPECT_FLOAT_EQ(f15->PV, 1706.0f);
  // Any kind but fresh is salt water.
  for (int kind : {0, 2}) {
    const auto s15 = waterProperties(kind, 15.0f);
    ASSERT_TRUE(s15);
    EXPECT_FLOAT_EQ(s15->NU, 1.18831e-6f);
    EXPECT_FLOAT_EQ(s15->RHOW, 1025.9f);
  }
  // The ends of the range are inside it.
  EXPECT_FLOAT_EQ(waterProperties(kFreshWater, 30.0f)->NU, 0.80091e-6f);
  EXPECT_FLOAT_EQ(waterProperties(kSaltWater, 30.0f)->RHOW, 1021.7f);
  EXPECT_FLOAT_EQ(waterProperties(kFreshWater, 0.0f)->RHOW, 999.8f);
  EXPECT_FLOAT_EQ(waterProperties(kFreshWater, 0.0f)->PV, 608.012f);
}

// Between the rows: a not-a-knot cubic spline through the table, computed in
// python3 by a dense solve for the second derivatives (a second method,
// independent of the program's slope recurrences).
TEST(WaterProperties, BetweenRowsFollowsTheNotAKnotSpline) {
  const auto f = waterProperties(kFreshWater, 18.5f);
  ASSERT_TRUE(f);
  EXPECT_NEAR(f->NU, 1.0414759079539924e-6, 1e-12);
  EXPECT_NEAR(f->RHOW, 998.4003089611385, 2e-4);
  EXPECT_NEAR(waterProperties(kSaltWater, 0.3f)->RHOW, 1027.9823786547502, 2e-4);
  EXPECT_NEAR(waterProperties(kFreshWater, 17.0f)->PV, 1931.5953843427721, 2e-3);
  EXPECT_NEAR(waterProperties(kSaltWater, 29.5f)->PV, 4117.502564246019, 2e-3);
}

TEST(WaterProperties, OutsideTheTablesNothingIsReturned) {
  EXPECT_FALSE(waterProperties(kFreshWater, 30.01f));
  EXPECT_FALSE(waterProperties(kFreshWater, -0.5f));
  EXPECT_FALSE(waterProperties(kFreshWater, std::nanf("")));
}

TEST(WaterProperties, RunStopsAfterAPauseOutsideTheTables) {
  gemi::testing::StateRun t("\nrest\n");
  EXPECT_THROW(waterProperties(t.run, kFreshWater, 30.01f), StopRun);
  EXPECT_EQ(testing::nextAnswer(t.run), "rest");
  EXPECT_FLOAT_EQ(waterProperties(t.run, kFreshWater, 15.0f).RHOW, 999.0f);
}

}  // namespace
}  // namespace gemi
