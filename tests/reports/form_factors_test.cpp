#include "reports/form_factors.h"

#include <gtest/gtest.h>

namespace gemi {
namespace {

// Example ship: Lwl = Lbp = 205, B = 32, T = 10, V = 37500 (CB = V/(T*B*Lbp)),
// S = 7381.45, GRAV = 9.81. Hand calculation in python3:
//   Grigson-2 (S/Lwl**2)*sqrt(CB*B/Lwl)*3.3+1.028          = 1.2011448876
//   Watanabe  CB*25.6/((Lwl/B)**2*sqrt(B/T))+0.905          = 1.1043354950
//   Conn & Ferguson (CB*B/Lwl)**2*18.7+1                    = 1.1488979429
//   Wright (B/Lbp)**0.3856*(B/T)*CB**0.1526*0.132184+1      = 1.1897754616
//   BSRA: FnB = (0.0505/CB**1.244)*scale**0.178, VmB = sqrt(g*Lbp/scale)*FnB,
//     RnB = (Lbp/scale)*VmB/nu,
//     (B/T)**0.08*(B/Lbp)**0.3195*(RnB**0.025*1.893)*FnB**0.124*CB**0.2286
//     scale Lbp/4, nu 1.13902e-6: FnB 0.2040564684, BSRA 1.2163110013
//     scale 30,    nu 1.05456e-6: FnB 0.1855036420, BSRA 1.2258414956
constexpr float kCB = 37500.0f / (10.0f * 32.0f * 205.0f);

TEST(FormFactors, ExampleShip) {
  const FormFactors f = computeFormFactors(205.0f, 205.0f, 32.0f, 10.0f, kCB, 7381.45f, 9.81f, 205.0f / 4.0f, 1.13902e-6f);
  EXPECT_NEAR(f.GRIG2, 1.2011448876, 2e-6);
  EXPECT_NEAR(f.WATA, 1.1043354950, 2e-6);
  EXPECT_NEAR(f.CONN, 1.1488979429, 2e-6);
  EXPECT_NEAR(f.WRIGHT, 1.1897754616, 2e-6);
  EXPECT_NEAR(f.FnB, 0.2040564684, 1e-6);
  EXPECT_NEAR(f.BSRA, 1.2163110013, 2e-6);
}

TEST(FormFactors, BsraFollowsTheModelScale) {
  const FormFactors f = computeFormFactors(205.0f, 205.0f, 32.0f, 10.0f, kCB, 7381.45f, 9.81f, 30.0f, 1.05456e-6f);
  EXPECT_NEAR(f.FnB, 0.1855036420, 1e-6);
  EXPECT_NEAR(f.BSRA, 1.2258414956, 2e-6);
}

}  // namespace
}  // namespace gemi
