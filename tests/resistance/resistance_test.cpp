// Resistance of one speed, checked against a hand calculation done outside
// the program: the formulas evaluated in double precision with python3 (the
// script's steps are given beside each group of values). The program works
// in single precision, so values agree to about 5 significant figures.
#include <gtest/gtest.h>

#include <cmath>

#include "resistance/additional.h"
#include "resistance/hull_form.h"
#include "resistance/viscous.h"
#include "resistance/wave.h"
#include "../support/run_harness.h"

namespace gemi {
namespace {

// Relative agreement to better than 4 significant figures.
#define EXPECT_SIG4(actual, expected) EXPECT_NEAR((actual), (expected), std::fabs(expected) * 1e-4)

// The example ship (tests/support/run_harness.h) with one rudder behind a skeg
// of 50 m2 with (1+k2) = 1.5.
using testing::exampleShipInput;
constexpr float kStot = 50.0f;
constexpr float kRudderArea = 50.0f, kRudderFF2 = 1.5f;

float dispW(const InputData& in) { return in.GRAV * in.RHO * in.V; }

// Hand calculation at 25 knots (double precision):
//   Vms = 25 x 0.5144 = 12.86; Fn = Vms/sqrt(9.81 x 205) = 0.2867672
//   T = 10; CB = V/(T B Lbp) = 0.5716463; CP = CB/Cm = 0.5833126 (= CPlwl, Lwl = Lbp)
//   lcb = 100 ((0 + 102.5 - 1.5375)/205 - 0.5) = -0.75
//   LR = Lwl (1 - CP + 0.06 CP lcb/(4 CP - 1)) = 81.38487
//   (1+k) = [0.93 + 0.487118 c14 (B/L)^1.06806 (T/L)^0.46106 (L/LR)^0.121563
//            (L^3/V)^0.36486 (1-CP)^-0.604247] x (1 + 0.003 Cstern) = 1.220633, c14 = 1.11
//   Rn = Vms L/1.18831e-6; CF = 0.075/(log10 Rn - 2)^2 = 0.001389798
//   RF = 0.5 rho Vms^2 CF S = 869.4992 kN; Rapp = 0.5 rho Vms^2 50 x 1.5 CF = 8.834639 kN
TEST(ExampleShipAt25Knots, HullFormAndViscousResistance) {
  const InputData in = exampleShipInput();
  const float VS = 25.0f;
  EXPECT_SIG4(froudeNumber(VS, in.GRAV, in.Lwl), 0.2867672);
  const HullForm h = hullForm(in);
  EXPECT_SIG4(h.CB, 0.5716463);
  EXPECT_SIG4(h.CP, 0.5833126);
  EXPECT_SIG4(h.CPlwl, 0.5833126);
  EXPECT_SIG4(h.lcb, -0.75);
  EXPECT_SIG4(h.LR, 81.38487);
  EXPECT_SIG4(h.C, 1.11);
  const FormFactors f = formFactors(in, h);
  EXPECT_SIG4(f.FFH, 1.220633);
  EXPECT_EQ(f.FFN, f.FFH);  // FFDF = 1
  EXPECT_SIG4(f.FFG, 1.230491);
  const Friction fr = friction(VS, in.Lwl, in.RHO, in.S, f.FFN);
  EXPECT_SIG4(fr.CF, 0.001389798);
  EXPECT_SIG4(fr.CV, 0.001389798 * 1.220633);
  EXPECT_SIG4(fr.RF, 869.4992);
  EXPECT_SIG4(appendageResistance(VS, kRudderFF2, kRudderArea, in.RHO, fr.CF), 8.834639);
}

// Wave resistance, low-speed formula at Fn = 0.2867672:
//   C4 = B/L = 0.1560976 (0.11 <= B/L <= 0.25); C5 = 8.0798 CP - 13.8673 CP^2 + 6.9844 CP^3 = 1.380874
//   M1 = 0.0140407 L/T - 1.75254/(L/V^(1/3)) - 4.79323 B/L - C5 = -2.127399
//   C6 = -1.69385 (L^3/V = 229.7 < 512); M2 = 0.4 C6 exp(-0.034 Fn^-3.29) = -0.08539961
//   LAMDA = 1.446 CP - 0.36 (L/B = 6.4 <= 12 gives 1.446 CP - 0.03 L/B) = 0.6512825
//   C1 = 2223105 C4^3.7861 (T/B)^1.0796 (90 - IE)^-1.37565 = 1.397881
//   C3 = 1 - 0.8 AT/(B T Cm) = 0.9591837
//   C2 = exp(-1.89 sqrt(0.56 ABT^1.5/(B T (0.31 sqrt(ABT) + Tf - HB)))) = 0.7594733
//   C17 = 6919.3 Cm^-1.3346 (V/L^3)^2.00977 (L/B - 2)^1.40692 = 1.028953
//   M3 = -7.2035 (B/L)^0.326869 (T/B)^0.605375 = -1.941264; C15 = -1.69385 (Lvr = 6.12 < 8)
//   M4 = 0.4 C15 exp(-0.034 Fn^-3.29) = -0.08539961
//   RW = C1 C2 C3 exp(M1 Fn^-0.9 + M2 cos(LAMDA Fn^-2)) g rho V = 553.6337 kN
TEST(ExampleShipAt25Knots, WaveResistance) {
  InputData in = exampleShipInput();
  const HullForm h = hullForm(in);
  const float Fn = froudeNumber(25.0f, in.GRAV, in.Lwl);
  const WaveCoefficients w = waveCoefficients(in, h, in.IE, Fn);
  EXPECT_SIG4(w.C4, 0.1560976);
  EXPECT_SIG4(w.C5, 1.380874);
  EXPECT_SIG4(w.M1, -2.127399);
  EXPECT_SIG4(w.C6, -1.69385);
  EXPECT_SIG4(w.M2, -0.08539961);
  EXPECT_SIG4(w.LAMDA, 0.6512825);
  EXPECT_SIG4(w.C1, 1.397881);
  EXPECT_SIG4(w.C3, 0.9591837);
  EXPECT_SIG4(w.C2, 0.7594733);
  EXPECT_SIG4(w.C17, 1.028953);
  EXPECT_SIG4(w.M3, -1.941264);
  EXPECT_SIG4(w.C15, -1.69385);
  EXPECT_SIG4(w.M4, -0.08539961);
  const float RW = waveResistance(w, Fn, dispW(in));
  EXPECT_SIG4(RW, 553.6337);
  // CW = RW/(0.5 rho Vms^2 S) = 0.000884922
  EXPECT_SIG4(waveResistanceCoefficient(RW, in.RHO, 25.0f, in.S), 0.000884922);
}

// Additional resistances and totals at 25 knots:
//   PB = 0.56 sqrt(ABT)/(Tf - 1.5 HB); Fni = Vms/sqrt(g (Tf - HB - 0.25 sqrt(ABT)) + 0.15 Vms^2)
//   Rbulb = 0.11 exp(-3 PB^-2) Fni^3 ABT^1.5 rho g/(1 + Fni^2) = 0.0491911 kN
//   FnT = Vms/sqrt(2 g AT/(B + B CWP)) = 5.431571 >= 5: c6 = 0, Rayna = 0
//   CA = (0.04 - min(Tf/L, 0.04)) sqrt(L/7.5) CB^4 C2 0.003 + 0.006 (L+100)^-0.16 - 0.00205
//      = 0.0003524993 (Tf/L = 0.0488 is limited to 0.04, so only the length term remains)
//   RA = 0.5 rho Vms^2 S CA = 220.5341 kN
//   RTOTAL = (1+k) RF + Rapp + RW + Rbulb + Rayna + Rbot + RA = 1844.391 kN; PE = Vms RTOTAL = 23718.87 kW
TEST(ExampleShipAt25Knots, AdditionalResistancesAndTotals) {
  const InputData in = exampleShipInput();
  const float VS = 25.0f;
  const HullForm h = hullForm(in);
  const float Fn = froudeNumber(VS, in.GRAV, in.Lwl);
  const WaveCoefficients w = waveCoefficients(in, h, in.IE, Fn);
  const BulbResistance bulb = bulbResistance(in, VS);
  EXPECT_FALSE(bulb.immersionTooSmall);
  EXPECT_FALSE(bulb.waveBreaking);
  EXPECT_SIG4(bulb.Rbulb, 0.0491911);
  EXPECT_EQ(transomResistance(in, h.CWPlwl, VS), 0.0f);
  EXPECT_EQ(bowThrusterResistance(in, VS), 0.0f);
  const AirResistance air = airResistance(in, in.S, VS);
  EXPECT_FALSE(air.given);
  EXPECT_EQ(air.RAIR, 0.0f);
  const Correlation c = correlationAllowance(in, h.CBlwl, w.C2);
  EXPECT_SIG4(c.CAH, 0.0003524993);
  EXPECT_EQ(c.CA, c.CAH);
  EXPECT_FALSE(c.direct);
  EXPECT_FALSE(c.ittc);

  const FormFactors f = formFactors(in, h);
  const Friction fr = friction(VS, in.Lwl, in.RHO, in.S, f.FFN);
  ResistanceParts p;
  p.RV = f.FFN * fr.RF;
  p.RW = waveResistance(w, Fn, dispW(in));
  p.Rbulb = bulb.Rbulb;
  p.Rapp = appendageResistance(VS, kRudderFF2, kRudderArea, in.RHO, fr.CF);
  p.CA = c.CA;
  p.CV = fr.CV;
  const Totals t = totals(p, in.RHO, VS, in.S);
  EXPECT_SIG4(t.RA, 220.5341);
  EXPECT_SIG4(t.RTOTAL, 1844.391);
  EXPECT_SIG4(t.PE, 23718.87);
  EXPECT_SIG4(t.CT, 0.002948055);
  EXPECT_NEAR(t.CR, t.CT - (c.CA + fr.CV), 1e-9);
}

// Wetted surface and entrance angle estimates (hand calculation as above):
//   Sest = L (2T + B) sqrt(Cm) (0.453 + 0.4425 CB - 0.2862 Cm - 0.003467 B/T + 0.3696 CWP)
//          + 2.38 ABT/CB + Stot = 7431.449; STaylan = 1.85 T L + V/T + Stot = 7592.5
//   IEest = 125.67 B/L - 162.25 CP^2 + 234.32 CP^3 + 0.1551 (lcb + 6.8 (Ta-Tf)/T)^3 = 10.85168;
//   with Ta = 10.5, Tf = 9.5 (trim by the stern) 10.91706, and Grigson's (1+k) 1.241075.
TEST(HullEstimates, WettedSurfaceAndEntranceAngle) {
  InputData in = exampleShipInput();
  const WettedSurfaceEstimates e = wettedSurfaceEstimates(in, hullForm(in), kStot);
  EXPECT_SIG4(e.Sest, 7431.449);
  EXPECT_SIG4(e.STaylan, 7592.5);
  EXPECT_SIG4(entranceAngleEstimate(in, hullForm(in)), 10.85168);
  in.Ta = 10.5f;
  in.Tf = 9.5f;
  EXPECT_SIG4(entranceAngleEstimate(in, hullForm(in)), 10.91706);
  EXPECT_SIG4(formFactors(in, hullForm(in)).FFG, 1.241075);
}

TEST(HullEstimates, NegativeLengthOfRunBecomesHalfTheWaterline) {
  InputData in = exampleShipInput();
  // A full, far-aft hull: CPlwl = 0.98 and lcb = -45 % give 1 - CP + 0.06 CP lcb/(4 CP - 1) < 0.
  in.V = 205.0f * 32.0f * 10.0f * 0.98f * 0.98f;
  in.LCB = -92.25f;
  const HullForm h = hullForm(in);
  ASSERT_LT(1.0f - h.CPlwl + 0.06f * h.CPlwl * h.lcb / (4.0f * h.CPlwl - 1.0f), 0.0f);
  EXPECT_EQ(h.LR, 102.5f);
}

TEST(FormFactor, CorrectionBelowFivePercentSwitchesTheFormEffectOff) {
  InputData in = exampleShipInput();
  for (float ffdf : {0.0f, 0.049f}) {
    in.FFDF = ffdf;
    EXPECT_EQ(formFactors(in, hullForm(in)).FFN, 1.0f) << ffdf;
  }
  in.FFDF = 0.05f;
  const FormFactors f = formFactors(in, hullForm(in));
  EXPECT_EQ(f.FFN, 0.05f * f.FFH);
}

// Coefficient bands; expected values from the band formulas by hand.
TEST(WaveCoefficientBands, BreadthLengthC4) {
  EXPECT_SIG4(coefficientC4(0.1f), 0.1065684);  // 0.229577 x 0.1^0.3333
  EXPECT_EQ(coefficientC4(0.11f), 0.11f);
  EXPECT_EQ(coefficientC4(0.25f), 0.25f);
  EXPECT_SIG4(coefficientC4(0.3f), 0.2916667);  // 0.5 - 0.0625/0.3
}

TEST(WaveCoefficientBands, PrismaticC5ChosenOnLbpComputedOnLwl) {
  // With CPlwl = 0.7: polynomial 8.0798 x 0.7 - 13.8673 x 0.49 + 6.9844 x 0.343 = 1.2565322,
  // straight line 1.73014 - 0.7067 x 0.7 = 1.23545.
  EXPECT_SIG4(coefficientC5(0.80f, 0.7f), 1.2565322);
  EXPECT_SIG4(coefficientC5(0.81f, 0.7f), 1.23545);
}

TEST(WaveCoefficientBands, CosineTermC6ByLengthCubedOverVolume) {
  // 80^3/1000 = 512 exactly: middle formula -1.69385 + (80/1000^0.3333 - 8)/2.36 = -1.693069
  EXPECT_SIG4(coefficientC6(80.0f, 1000.0f), -1.693069);
  EXPECT_EQ(coefficientC6(80.0f, 1001.0f), -1.69385f);
  // 10^3/0.5790388 rounds to 1727 exactly in single precision: still the middle formula,
  // -1.69385 + (10/0.5790388^0.3333 - 8)/2.36 = -8.39e-6; the next volume down gives 0.
  EXPECT_NEAR(coefficientC6(10.0f, 0.5790388f), -8.39e-6, 1e-6);
  EXPECT_EQ(coefficientC6(10.0f, std::nextafter(0.5790388f, 0.0f)), 0.0f);
}

TEST(WaveCoefficientBands, CosineTermC15BySlenderness) {
  EXPECT_EQ(coefficientC15(7.9f), -1.69385f);
  EXPECT_EQ(coefficientC15(8.0f), -1.69385f);
  EXPECT_SIG4(coefficientC15(10.0f), -0.8463924);  // -1.69385 + 2/2.36
  EXPECT_NEAR(coefficientC15(11.99f), -0.003172034, 1e-6);  // -1.69385 + 3.99/2.36
  EXPECT_EQ(coefficientC15(12.0f), 0.0f);
}

TEST(WaveResistanceRanges, BoundariesBelongToTheLowerRange) {
  EXPECT_EQ(speedRange(0.40f), SpeedRange::Low);
  EXPECT_EQ(speedRange(std::nextafter(0.40f, 1.0f)), SpeedRange::Transition);
  EXPECT_EQ(speedRange(0.55f), SpeedRange::Transition);
  EXPECT_EQ(speedRange(std::nextafter(0.55f, 1.0f)), SpeedRange::High);
}

// Example ship, double-precision formulas at fixed Froude numbers:
//   low(0.40) = 3671.58 kN, high(0.40) = 4132.166 kN, their mean 3901.873 kN,
//   high(0.55) = 13620.88 kN; between, linear in Fn from the mean to high(0.55):
//   at 39.2 knots (Fn = 0.449651) 7118.931 kN; at 50 knots (Fn = 0.5735345) high = 14304.49 kN.
TEST(WaveResistanceRanges, TransitionRunsFromTheMeanAtPoint40ToTheHighSpeedFormula) {
  const InputData in = exampleShipInput();
  const HullForm h = hullForm(in);
  const auto RW = [&](float Fn) { return waveResistance(waveCoefficients(in, h, in.IE, Fn), Fn, dispW(in)); };
  EXPECT_SIG4(RW(0.40f), 3671.58);
  EXPECT_SIG4(RW(std::nextafter(0.40f, 1.0f)), 3901.873);
  EXPECT_SIG4(RW(0.55f), 13620.88);
  const float at39 = froudeNumber(39.2f, in.GRAV, in.Lwl);
  EXPECT_SIG4(RW(at39), 7118.931);
  EXPECT_SIG4(RW(froudeNumber(50.0f, in.GRAV, in.Lwl)), 14304.49);
}

// Air resistance with HFP = 18, ONYUZ = 400 at 25 knots:
//   AFH = B Cm (HFP - Tf) = 250.88; CAA = 0.001 (AFH + ONYUZ)/S = 8.81778e-5; RAIR = 0.5 rho Vms^2 CAA S = 55.16667 kN
//   HFP = Tf: AFH = 0, CAA = 0.001 ONYUZ/S = 5.418989e-5, RAIR = 33.90282 kN
TEST(AirResistance, FrontalAreasAboveWater) {
  const struct {
    float HFP, ONYUZ;
    bool given, deckBelowDraught;
    double AFH, CAA, RAIR;
  } cases[] = {
      {18.0f, 400.0f, true, false, 250.88, 8.81778e-5, 55.16667},
      {10.0f, 400.0f, true, false, 0.0, 5.418989e-5, 33.90282},
      {9.0f, 400.0f, true, true, 0.0, 0.0, 0.0},     // deck height below the fore draught: reported, nothing computed
      {18.0f, 0.1f, false, false, 0.0, 0.0, 0.0},   // front area not above 0.1: no air resistance, no message
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(::testing::Message() << "HFP " << c.HFP << " ONYUZ " << c.ONYUZ);
    InputData in = exampleShipInput();
    in.HFP = c.HFP;
    in.ONYUZ = c.ONYUZ;
    const AirResistance a = airResistance(in, in.S, 25.0f);
    EXPECT_EQ(a.given, c.given);
    EXPECT_EQ(a.deckBelowDraught, c.deckBelowDraught);
    EXPECT_SIG4(a.AFH, c.AFH);
    EXPECT_SIG4(a.CAA, c.CAA);
    EXPECT_SIG4(a.RAIR, c.RAIR);
  }
}

// Bulb centre above 2/3 of the fore draught (HB = 7, Tf = 10 < 1.5 HB): the exponent
// becomes +5 (Tf - 1.5 HB)^2 = 1.25; Fni = 12.86/sqrt(9.81 (10 - 7 - 0.25 sqrt 20) + 0.15 x 12.86^2);
// Rbulb = 0.11 exp(1.25) Fni^3 20^1.5 rho g/(1 + Fni^2)/1000 = 535.0785 kN.
TEST(BulbResistance, CentreAboveTwoThirdsOfTheDraughtWarns) {
  InputData in = exampleShipInput();
  in.HB = 7.0f;
  const BulbResistance b = bulbResistance(in, 25.0f);
  EXPECT_TRUE(b.waveBreaking);
  EXPECT_FALSE(b.immersionTooSmall);
  EXPECT_SIG4(b.Rbulb, 535.0785);
}

TEST(BulbResistance, ImmersionTermBelowZeroIsRefusedAndNoBulbGivesZero) {
  InputData in = exampleShipInput();
  // 9.81 (10 - 14 - 1.118) + 0.15 x 6.43^2 < 0 at 12.5 knots
  in.HB = 14.0f;
  EXPECT_TRUE(bulbResistance(in, 12.5f).immersionTooSmall);
  in.ABT = 0.0f;
  EXPECT_EQ(bulbResistance(in, 12.5f).Rbulb, 0.0f);
  EXPECT_FALSE(bulbResistance(in, 12.5f).immersionTooSmall);
  EXPECT_EQ(waveCoefficients(in, hullForm(in), in.IE, 0.2f).C2, 1.0f);
}

// Transom at 15 knots: FnT = 7.7160/sqrt(2 g AT/(B (1 + CWP))) = 3.258943 < 5,
// c6 = 0.2 (1 - 0.2 FnT); Rayna = 0.5 rho Vms^2 AT c6 = 33.99941 kN. At 25 knots FnT = 5.43: 0.
TEST(TransomResistance, LowAndHighTransomFroudeNumber) {
  InputData in = exampleShipInput();
  const HullForm h = hullForm(in);
  EXPECT_SIG4(transomResistance(in, h.CWPlwl, 15.0f), 33.99941);
  EXPECT_EQ(transomResistance(in, h.CWPlwl, 25.0f), 0.0f);
  in.AT = 0.0f;
  EXPECT_EQ(transomResistance(in, h.CWPlwl, 15.0f), 0.0f);
  EXPECT_EQ(waveCoefficients(in, h, in.IE, 0.2f).C3, 1.0f);
}

// Two tunnels of 2.5 m at 25 knots: rho Vms^2 pi 0.0075 DBT^2 NBT = 49.92602 kN.
TEST(BowThrusters, TunnelOpeningsAddResistance) {
  InputData in = exampleShipInput();
  in.NBT = 2;
  in.DBT = 2.5f;
  EXPECT_SIG4(bowThrusterResistance(in, 25.0f), 49.92602);
  in.NBT = 0;
  EXPECT_EQ(bowThrusterResistance(in, 25.0f), 0.0f);
}

// ITTC-1978: CA = (105 (ks/L)^(1/3) - 0.64)/1000; 150 micrometres on 205 m: 0.0003061684;
// 1 micrometre: -0.0004619243; 0.9995 micrometre: -0.000461954.
TEST(CorrelationAllowance, RoughnessModesTestedOneAfterTheOther) {
  constexpr double kCAH = 0.0003524993;  // the estimate, as at 25 knots above
  const struct {
    float ROUGH;
    bool direct, ittc;
    double CA;
  } cases[] = {
      {0.0f, false, false, kCAH},
      {0.35f, true, false, 0.00035},
      {150.0f, false, true, 0.0003061684},
      {1.0f, false, true, -0.0004619243},
      {0.9995f, true, true, -0.000461954},  // direct and then ITTC: the ITTC value remains
      {-2.0f, false, false, kCAH},          // negative: the estimate
  };
  InputData in = exampleShipInput();
  const float CBlwl = hullForm(in).CBlwl, C2 = 0.7594733f;
  for (const auto& k : cases) {
    SCOPED_TRACE(k.ROUGH);
    in.ROUGH = k.ROUGH;
    const Correlation c = correlationAllowance(in, CBlwl, C2);
    EXPECT_EQ(c.direct, k.direct);
    EXPECT_EQ(c.ittc, k.ittc);
    EXPECT_SIG4(c.CA, k.CA);
    EXPECT_SIG4(c.CAH, kCAH);
    if (k.direct) {
      EXPECT_SIG4(c.CAdirect, k.ROUGH * 1e-3);  // given in thousandths
    }
    if (!k.direct && !k.ittc) {
      EXPECT_EQ(c.CA, c.CAH);
    }
  }
}

}  // namespace
}  // namespace gemi
