#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "estimates/guldhammer.h"
#include "estimates/propulsion_survey.h"
#include "../support/stage_inputs.h"

namespace gemi {
namespace {

// Cargo ship Lbp = 97, B = 16, T = 6 (Ta = 6.2), V = 6500 m3, D = 3.8 m.
// Expected values: python3 in double precision from the published formulas:
//   Cb = V/(L*T*B); BL = B/L; DL = D/L
//   a = 0.10*BL+0.149; b = 0.05*BL+0.449; c = 585-5027*BL+11700*BL**2
//   w1 = a+b/(c*(0.98-Cb)**3+1); w2 = -0.18+0.00756/(DL+0.002)
//   d = 0.625*BL+0.08; e = 0.165-0.25*BL; f = 825-8060*BL+20300*BL**2
//   t1 = d+e/(f*(0.98-Cb)**3+1); t2 = 2*(DL-0.04)
TEST(AndersenGuldhammer, CargoShip) {
  const AndersenGuldhammer r = computeAndersenGuldhammer(6500.0f, 16.0f, 6.0f, 97.0f, 3.8f);
  EXPECT_NEAR(r.Cb, 0.6980240549828178, 1e-6);
  EXPECT_NEAR(r.c, 74.13763418004044, 1e-4);
  EXPECT_NEAR(r.f, 47.83770857689433, 1e-4);
  EXPECT_NEAR(r.w1, 0.3372523866680328, 1e-6);
  EXPECT_NEAR(r.w2, 0.0036054081121682513, 1e-6);
  EXPECT_NEAR(r.w, 0.34085779478020106, 1e-6);
  EXPECT_NEAR(r.t1, 0.24280883774899525, 1e-6);
  EXPECT_NEAR(r.t2, -0.0016494845360824767, 1e-6);
  EXPECT_NEAR(r.t, 0.24115935321291276, 1e-6);
}

// Same ship; assumed diameter 0.6 T: DL = 3.6/97.
//   w2 = 0.025*Ta/(100*(Cb-0.7)**2+1); w3 = min(0.00756/(DL+0.002)-0.18, 0.1)
//   t2 = -0.01*Ta; t3 = 2*(DL-0.04)
TEST(GuldhammerHarwald, CargoShip) {
  const GuldhammerHarwald r = computeGuldhammerHarwald(6500.0f, 16.0f, 6.2f, 6.0f, 97.0f);
  EXPECT_NEAR(r.w1, 0.3372523866680328, 1e-6);
  EXPECT_NEAR(r.w2, 0.1549395060589852, 1e-6);
  EXPECT_NEAR(r.w3, 0.013284132841328455, 1e-6);
  EXPECT_NEAR(r.w, 0.5054760255683465, 1e-6);
  EXPECT_NEAR(r.t2, -0.062, 1e-7);
  EXPECT_NEAR(r.t3, -0.005773195876288675, 1e-6);
  EXPECT_NEAR(r.t, 0.1750356418727066, 1e-6);
}

TEST(GuldhammerHarwald, SmallDiameterRatioCapsOnlyItsOwnDiameterTerm) {
  // T = 2 on L = 100: DL = 0.012 < 0.025, 0.00756/0.014-0.18 = 0.36 -> capped at 0.1.
  const GuldhammerHarwald gh = computeGuldhammerHarwald(2000.0f, 16.0f, 2.0f, 2.0f, 100.0f);
  EXPECT_FLOAT_EQ(gh.w3, 0.1f);
  // Andersen & Guldhammer with D/L = 0.012 keeps 0.36 (no cap).
  const AndersenGuldhammer ag = computeAndersenGuldhammer(2000.0f, 16.0f, 2.0f, 100.0f, 1.2f);
  EXPECT_NEAR(ag.w2, 0.36, 1e-5);
}

TEST(AndersenGuldhammer, FullBlockRemovesTheCubicTerms) {
  // Cb = 0.98: V = 0.98*100*16*6; w1 = a+b, t1 = d+e with B/L = 0.16:
  // a+b = 0.165+0.457 = 0.622, d+e = 0.18+0.125 = 0.305 (by hand).
  const AndersenGuldhammer r = computeAndersenGuldhammer(0.98f * 100.0f * 16.0f * 6.0f, 16.0f, 6.0f, 100.0f, 4.0f);
  EXPECT_NEAR(r.w1, 0.622f, 2e-6f);
  EXPECT_NEAR(r.t1, 0.305f, 2e-6f);
}

// Survey on Cb 0.7, Cp 0.72, Cwp 0.8, L 100, B 16, T 6, Dp 4, Dep 6500;
// python3: Schneekluth 0.5*Cp*(1.6/(1+Dp/T))*(16/(10+L/B)) = 0.340283077,
// Papmehl at 10 and 15 kn (Fn = VS*0.5144/sqrt(9.81*L)): Fn 0.164235280,
// 0.246352921; w 0.540883029, 0.532671265; SSPA 0.6075 / 0.7075,
// Holtrop-Mennen t 0.150545197, Helm eta_r 1.030295827, Troost 0.275.
TEST(PropulsionSurvey, FormulaValues) {
  const SurveyValues v = computePropulsionSurvey({0.7f, 0.72f, 0.8f, 100.0f, 16.0f, 6.0f, 4.0f, 6500.0f},
                                                 testing::speedsOf({10.0f, 15.0f}), 2);
  EXPECT_NEAR(v.wSchneekluth, 0.340283077, 1e-6);
  EXPECT_NEAR(v.FnPapmehl(1), 0.164235280, 1e-6);
  EXPECT_NEAR(v.FnPapmehl(2), 0.246352921, 1e-6);
  EXPECT_NEAR(v.wPapmehl(1), 0.540883029, 2e-6);
  EXPECT_NEAR(v.wPapmehl(2), 0.532671265, 2e-6);
  EXPECT_NEAR(v.tSSPA1, 0.6075, 1e-6);
  EXPECT_NEAR(v.tSSPA2, 0.7075, 1e-6);
  EXPECT_NEAR(v.tHoltropMennen, 0.150545197, 1e-6);
  EXPECT_NEAR(v.etarHelm, 1.030295827, 2e-6);
  EXPECT_NEAR(v.wTroost, 0.275, 1e-6);
  EXPECT_NEAR(v.tTaylor1, 0.6 * (0.5 * 0.7 - 0.05), 1e-6);
  EXPECT_NEAR(v.tTaylor2, 1.25 * (0.55 * 0.7 - 0.20), 1e-6);
}

TEST(PropulsionSurvey, BlockCoefficientSixTenths) {
  const SurveyValues v = computePropulsionSurvey({0.6f, 0.61f, 0.7f, 100.0f, 16.0f, 6.0f, 4.0f, 5000.0f},
                                                 testing::speedsOf({12.0f}), 1);
  EXPECT_NEAR(v.wTroost, 0.25f, 1e-7f);
  EXPECT_NEAR(v.wTaylor1, 0.25f, 1e-7f);
  EXPECT_NEAR(v.tTaylor1, 0.15f, 1e-7f);
}

// Records written to a sink, for checking layouts.
class Lines : public RecordSink {
 public:
  void record(std::string_view text) override { lines.emplace_back(text); }
  std::vector<std::string> lines;
};

TEST(PropulsionSurveyHeader, MissingWaterplaneCoefficientIsEstimatedAndKept) {
  // Dep 6355 t -> volume 6200 m3; Cb = 6200/(5.2*19*120) = 0.522942,
  // Cwp = 0.625*Cb/0.93 + 0.375 = 0.726439 (python3).
  const SpeedArray VS = testing::speedsOf({14.0f});
  Lines out;
  float Cwp = 0.0f;
  writePropulsionSurveyWithHeader(out, 120.0f, 19.0f, 5.2f, 6355.0f, 0.93f, Cwp, 1, VS, 3.6f);
  EXPECT_NEAR(Cwp, 0.7264395, 1e-6);
  float given = 0.76f;
  writePropulsionSurveyWithHeader(out, 120.0f, 19.0f, 5.2f, 6355.0f, 0.93f, given, 1, VS, 3.6f);
  EXPECT_EQ(given, 0.76f);
}

}  // namespace
}  // namespace gemi
