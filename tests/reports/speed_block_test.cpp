// The per-speed block: its records, their order and conditions, the values
// kept for the later stages and the two stops inside the speed loop.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <iterator>
#include <regex>
#include <sstream>
#include <string>
#include <vector>

#include "reports/speed_block.h"
#include "../support/run_harness.h"

namespace gemi {
namespace {

using testing::linesOf;

// Speed steps of the example ship in a scratch folder, with the report and console kept.
class SpeedSteps {
 public:
  explicit SpeedSteps(const std::string& answers = "") : t_(answers) {
    fillAppendageCatalogue(t_.run.s.app);
    // The example ship: one rudder behind a skeg, 50 m2 with (1+k2) = 1.5.
    t_.run.s.in = testing::exampleShipInput();
    t_.run.s.in.AREA(1) = 50.0f;
    t_.run.s.app.FF2(1) = 1.5f;
    t_.run.s.app.Stot = 50.0f;
  }

  InputData& in() { return t_.run.s.in; }
  RunState& state() { return t_.run.s; }

  // Runs the steps for the given speeds; true when the run stopped.
  bool run(std::initializer_list<float> speeds) {
    RunState& s = t_.run.s;
    int n = 0;
    for (float v : speeds) s.in.VS(++n) = v;
    s.in.NV = n;
    s.DISPW = s.in.GRAV * s.in.RHO * s.in.V;
    bool stopped = false;
    try {
      for (int i = 1; i <= n; ++i) resistanceSpeedStep(t_.run, i);
    } catch (const StopRun&) {
      stopped = true;
    }
    report_ = t_.report();
    console_ = linesOf(t_.out.str());
    return stopped;
  }
  const std::vector<std::string>& report() const { return report_; }
  const std::vector<std::string>& console() const { return console_; }

  // Index of the first report line at or after `from` that contains `text`, or -1.
  int find(const std::string& text, int from = 0) const {
    for (int k = from; k < static_cast<int>(report_.size()); ++k)
      if (testing::contains(report_[k], text)) return k;
    return -1;
  }
  int count(const std::string& text) const {
    return static_cast<int>(std::count_if(report_.begin(), report_.end(),
                                          [&](const std::string& l) { return testing::contains(l, text); }));
  }

 private:
  testing::StateRun t_;
  std::vector<std::string> report_, console_;
};

// Lines agree when their texts are equal and every number agrees within one
// unit of its last printed decimal or one part in a million (the expectation
// was computed in double precision, the program works in single precision).
void expectSameLine(const std::string& actual, const std::string& expected) {
  static const std::regex number(R"(-?\d*\.\d+|-?\d+)");
  EXPECT_EQ(actual.size(), expected.size()) << actual << "\n" << expected;
  const std::string textA = std::regex_replace(actual, number, "#");
  const std::string textE = std::regex_replace(expected, number, "#");
  EXPECT_EQ(textA, textE);
  auto a = std::sregex_iterator(actual.begin(), actual.end(), number);
  auto e = std::sregex_iterator(expected.begin(), expected.end(), number);
  for (; a != std::sregex_iterator() && e != std::sregex_iterator(); ++a, ++e) {
    const std::string es = e->str();
    const auto dot = es.find('.');
    const double unit = dot == std::string::npos ? 1.0 : std::pow(10.0, -static_cast<double>(es.size() - dot - 1));
    EXPECT_NEAR(std::stod(a->str()), std::stod(es), std::max(1.01 * unit, 1e-6 * std::fabs(std::stod(es)))) << actual;
  }
}

// The whole block of the example ship at 25 knots. Values: the double-precision
// hand calculation of tests/resistance/resistance_test.cpp, rounded to the
// printed decimals; Sest, STaylan and IEest from the same formulas.
TEST(SpeedBlock, ExampleShipAt25KnotsRecordByRecord) {
  const std::vector<std::string> expected = linesOf(
      "\n"
      "  HESAP HIZI NO =  1\n"
      "  GEMI HIZI -------------------------> VS = 25.00 knot\n"
      "  GEMI HIZI -------------------------> VS = 12.86 m/s\n"
      "  FROUDE SAYISI ---------------------> Fn =  .287\n"
      "  BLOK KATSAYISI (Lpp YE GORE) ------> CB =  .572   \n"
      "  PRIZMATIK KATSAYI (Lpp YE GORE) ---> CP =  .583   \n"
      "  BLOK KATSAYISI (Lwl YE GORE) ---> CBlwl =  .572   \n"
      "  SU HATTI N.K. (Lwl YE GORE) ---> CWPlwl =  .750   \n"
      "  CIKIS BOYU ------------------------> LR = 81.385 m\n"
      "  C PARAMETRESI ----------------------> C = 1.110\n"
      "  TAHMINI ISLAK YUZEY (takinti haric)-> S =  7431.45 m2\n"
      "  TAHMINI ISLAK YUZEY(takinti haric) -> S =  7592.50 m2 (Zuzur Uvuvud Formulu)\n"
      "  GERCEK ISLAK YUZEY (Takinti haric) -> S =  7381.45 m2\n"
      "  CIPLAK TEKNE FORM FAKTORU ------> (1+k) =  1.221\n"
      "  FORM FAKTORU DUZELTME KATS.----->  FFDF =  1.000\n"
      "  NIHAI CIP. TEKNE FORM FAKTORU --> (1+k) =  1.221\n"
      "  GRIGSON-1 FORM FAKTORU ---------> (1+k) =  1.230\n"
      "  SURTUNME DIRENC KATSAYISI ----> CF*1000 =  1.390\n"
      "  FORM DIRENCI KATSAYISI  ------> CV*1000 =  1.696\n"
      "  SURTUNME DIRENCI ------------------> RF =   869.50 kN\n"
      "\n"
      "  TAKINTI DIRENCI HESABI \n"
      "  NO TAKINTI ISMI                     ALAN     FORM    DIRENC\n"
      "                                       m2     FAKTOR    (kN) \n"
      "   1 SKEG ARKASINDAKI DUMEN          50.000    1.500    8.835\n"
      "   2 TEK PERVANELI GEMI DUMENI         .000    1.400     .000\n"
      "   3 CIFT PERVANELI GEMI DUMENI        .000    2.800     .000\n"
      "   4 SAFT BRAKETLERI                   .000    3.000     .000\n"
      "   5 SKEG                              .000    1.750     .000\n"
      "   6 STRUT BOSALARI                    .000    3.000     .000\n"
      "   7 BOSALAR                           .000    2.000     .000\n"
      "   8 SAFTLAR                           .000    3.000     .000\n"
      "   9 STABILIZER FINLERI                .000    2.800     .000\n"
      "  10 SONAR DOMU                        .000    2.700     .000\n"
      "  11 YALPA OMURGASI                    .000    1.400     .000\n"
      "     TOPLAM DEGERLER                 50.000             8.835\n"
      "\n"
      "  RUZGAR DIRENCI ------------------> RAIR =      .00 kN\n"
      "  TAHMINI SU HATTI YARIM GIRIS ACISI > IE =   10.85 derece\n"
      "  SU HATTI YARIM GIRIS ACISI > IE(derece) =   12.08 derece\n"
      "  KATSAYI ---------------------------> C4 =    .16\n"
      "  KATSAYI ---------------------------> C5 =   1.38\n"
      "  PARAMETRE -------------------------> M1 =     -2.13\n"
      "  KATSAYI ---------------------------> C6 =  -1.69\n"
      "  PARAMETRE -------------------------> M2 =      -.09\n"
      "  PARAMETRE ----------------------> LAMDA =       .65\n"
      "  KATSAYI ---------------------------> C1 =   1.40\n"
      "  KATSAYI ---------------------------> C3 =    .96\n"
      "  KATSAYI ---------------------------> C2 =    .76\n"
      "  KATSAYI --------------------------> C17 =   1.03\n"
      "  PARAMETRE -------------------------> M3 =  -1.94\n"
      "  KATSAYI --------------------------> C15 =  -1.69\n"
      "  PARAMETRE -------------------------> M4 =   -.09\n"
      "  YAVAS HIZ BOLGESI LIMITLERI HESABI Fn<0.40\n"
      "  DALGA DIRENCI ---------------------> Rw =    553.63 kN\n"
      "  BALP DIRENCI -------------------> Rbulb =      .05 kN\n"
      "  AYNA KIC DIRENCI ---------------> Rayna =      .00 kN\n"
      "  BAS ITICI DIRENC ARTISI --------> Rbot  =    .00 kN\n"
      "  DALGA DIRENCI ---------------------> RW =   553.63 kN\n"
      "  DALGA DIRENC KATSAYISI -------> CW*1000 =   .885\n"
      "  MODEL-GEMI KORELASYON KATSAYISI-CA*1000 =  .352 (HOLTROP TAHMINI) \n"
      "  MODEL-GEMI KORELASYON KATSAYISI-CA*1000 =  .352\n"
      "  MODEL-GEMI KORELASYON DIRENCI - RA(kN)  =  220.53 kN\n"
      "  TOPLAM DIRENC - RTOTAL(kN)              = 1844.39 kN\n"
      "  EFEKTIF GUC - PE(kW)                    = 23718.872 kW\n"
      "============================================================\n"
  );
  SpeedSteps steps;
  ASSERT_FALSE(steps.run({25.0f}));
  ASSERT_EQ(steps.report().size(), expected.size());
  for (std::size_t k = 0; k < expected.size(); ++k) expectSameLine(steps.report()[k], expected[k]);
}

TEST(SpeedBlock, ResultsKeptForTheLaterStages) {
  SpeedSteps steps;
  steps.in().HFP = 18.0f;  // air resistance present: printed and kept, but not in RTOTAL
  steps.in().ONYUZ = 400.0f;
  steps.in().NBT = 2;
  steps.in().DBT = 2.5f;
  ASSERT_FALSE(steps.run({15.0f, 25.0f}));
  const SpeedResults& sp = steps.state().sp;
  const HullValues& h = steps.state().hull;
  for (int i = 1; i <= 2; ++i) {
    // The seven summands in their order; RAIR is not one of them.
    const float sum = sp.RV(i) + sp.Rbot(i) + sp.RW(i) + sp.Rayna(i) + sp.Rbulb(i) + sp.RAPP(i, 0) + sp.RA(i);
    EXPECT_EQ(sp.RTOTAL(i), sum);
    EXPECT_GT(sp.RAIR(i), 0.0f);
    EXPECT_EQ(sp.RAPP(i, 0), sp.RAPP(i, 1));  // only the rudder has an area
    EXPECT_EQ(sp.RV(i), h.FFN * sp.RF(i));
    EXPECT_EQ(sp.CV(i), sp.CF(i) * h.FFN);
    EXPECT_EQ(sp.PE(i), steps.in().VS(i) * 0.5144f * sp.RTOTAL(i));
    EXPECT_EQ(sp.CR(i), sp.CT(i) - (sp.CA(i) + sp.CV(i)));
  }
  // Values of the hand calculation (tests/resistance/resistance_test.cpp).
  EXPECT_NEAR(sp.Fn(2), 0.2867672, 1e-5);
  EXPECT_NEAR(sp.RW(2), 553.6337, 0.05);
  EXPECT_NEAR(sp.RAIR(2), 55.16667, 0.005);
  EXPECT_NEAR(sp.Rbot(2), 49.92602, 0.005);
  EXPECT_NEAR(sp.RTOTAL(2), 1844.391 + 49.92602, 0.2);
  EXPECT_NEAR(sp.Rayna(1), 33.99941, 0.005);  // transom at 15 knots, FnT < 5
  EXPECT_EQ(sp.Rayna(2), 0.0f);               // FnT >= 5 at 25 knots
  EXPECT_NEAR(sp.CA(2), 0.0003524993, 1e-8);
  EXPECT_GT(sp.Rn(2), sp.Rn(1));
  // The last step's scalars stay.
  EXPECT_EQ(h.VS, 25.0f);
  EXPECT_EQ(h.Fn, sp.Fn(2));
  EXPECT_NEAR(h.LR, 81.38487, 1e-3);
  EXPECT_NEAR(h.FFN, 1.220633, 1e-5);
}

TEST(SpeedBlock, EstimatedSurfaceAndEntranceAngleAreWrittenOverTheInput) {
  SpeedSteps steps;
  steps.in().S = 0.5f;
  steps.in().IE = 0.0f;
  ASSERT_FALSE(steps.run({20.0f, 25.0f}));
  // Sest = 7431.449, STaylan = 7592.5, IEest = 10.85168 (hand calculation).
  EXPECT_NEAR(steps.in().S, 7431.449, 0.05);
  EXPECT_NEAR(steps.in().IE, 10.85168, 1e-4);
  const int second = steps.find("HESAP HIZI NO =  2");
  ASSERT_GT(second, 0);
  const auto& r = steps.report();
  // First speed: the two estimate records only.
  int k = steps.find("C PARAMETRESI");
  EXPECT_EQ(r[k + 1], "  TAHMINI ISLAK YUZEY(takinti haric) -> S =  7431.45 m2");
  EXPECT_EQ(r[k + 2], "  TAHMINI ISLAK YUZEY(takinti haric) -> S =  7592.50 m2 (Zuzur Uvuvud Formulu)");
  EXPECT_NE(r[k + 3].find("CIPLAK TEKNE FORM FAKTORU"), std::string::npos);
  // Second speed: the estimate, the second estimate and the same value as the one used.
  k = steps.find("C PARAMETRESI", second);
  EXPECT_EQ(r[k + 1], "  TAHMINI ISLAK YUZEY (takinti haric)-> S =  7431.45 m2");
  EXPECT_EQ(r[k + 2], "  TAHMINI ISLAK YUZEY(takinti haric) -> S =  7592.50 m2 (Zuzur Uvuvud Formulu)");
  EXPECT_EQ(r[k + 3], "  GERCEK ISLAK YUZEY (Takinti haric) -> S =  7431.45 m2");
  // Both entrance-angle lines show the estimate at both speeds.
  EXPECT_EQ(steps.count("TAHMINI SU HATTI YARIM GIRIS ACISI > IE =   10.85 derece"), 2);
  EXPECT_EQ(steps.count("SU HATTI YARIM GIRIS ACISI > IE(derece) =   10.85 derece"), 2);
}

TEST(SpeedBlock, WaveResistanceRangeHeaders) {
  SpeedSteps steps;
  // Fn = 0.172 (low), 0.450 (transition), 0.574 (high).
  ASSERT_FALSE(steps.run({15.0f, 39.2f, 50.0f}));
  const auto& r = steps.report();
  const int s2 = steps.find("HESAP HIZI NO =  2"), s3 = steps.find("HESAP HIZI NO =  3");
  int k = steps.find("YAVAS HIZ BOLGESI LIMITLERI HESABI Fn<0.40");
  ASSERT_TRUE(k > 0 && k < s2);
  EXPECT_NE(r[k + 1].find("DALGA DIRENCI ---------------------> Rw ="), std::string::npos);
  k = steps.find("GECIS HIZI BOLGESI LIMITLERI HESABI 0.40<Fn<0.55");
  ASSERT_TRUE(k > s2 && k < s3);
  EXPECT_NE(r[k + 1].find("BALP DIRENCI"), std::string::npos);  // no Rw line in the transition
  // Transition RW (hand calculation, 7118.931 kN) appears only on the RW line after the bulb.
  EXPECT_EQ(steps.find("DALGA DIRENCI ---------------------> RW =  7118.9", s2), steps.find("DALGA DIRENCI", k));
  k = steps.find("YUKSEK HIZ BOLGESI LIMITLERI HESABI Fn>0.55");
  ASSERT_GT(k, s3);
  EXPECT_NE(r[k + 1].find("DALGA DIRENCI ---------------------> Rw =  14304."), std::string::npos);  // 14304.49
  EXPECT_EQ(steps.count("Rw ="), 2);
  EXPECT_EQ(steps.count("RW ="), 3);
}

TEST(SpeedBlock, AirResistanceRecordsFollowTheDeckHeight) {
  // HFP = 9 is below the fore draught: the two notice records and no air resistance.
  // HFP = 18: AFH = 250.88, CAA x 1000 = 0.0881778, RAIR = 55.16667 (hand calculation).
  const struct {
    float HFP;
    std::vector<std::string> afterTotals;
  } cases[] = {
      {9.0f,
       {"", "   BAS DIKMEDEKI GEMI YUKSEKLIGI BAS DRAFTTAN KUCUK  GIRILDI.",
        "   BU DURUMDA RUZGAR DIRENCI HESAPLANMAZ.",
        "  RUZGAR DIRENCI ------------------> RAIR =      .00 kN"}},
      {18.0f,
       {"", "  GEMI ON YUZEY ALANI -----------> D*B*CM = 250.88 m2",
        "  GUVERTE EVI/YUK ON YUZEY ALANI -> ONYUZ = 400.00 m2", "  RUZGAR DIRENCI KATSAYISI ----> CAA*1000 =   .088",
        "  RUZGAR DIRENCI ------------------> RAIR =    55.17 kN"}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.HFP);
    SpeedSteps steps;
    steps.in().HFP = c.HFP;
    steps.in().ONYUZ = 400.0f;
    ASSERT_FALSE(steps.run({25.0f}));
    const auto k = steps.report().begin() + steps.find("TOPLAM DEGERLER") + 1;
    ASSERT_LE(k + static_cast<long>(c.afterTotals.size()), steps.report().end());
    EXPECT_EQ(std::vector<std::string>(k, k + static_cast<long>(c.afterTotals.size())), c.afterTotals);
  }
}

TEST(SpeedBlock, CorrelationLinesFollowTheRoughnessInput) {
  const std::string ca = "  MODEL-GEMI KORELASYON KATSAYISI-CA*1000 = ";
  const struct {
    float rough;
    std::vector<std::string> afterEstimate;
  } cases[] = {
      {0.0f, {" .352"}},
      {0.35f, {" .350 (DOGRUDAN ATAMA) ", " .350"}},
      // 150 micrometres: (105 (150e-6/205)^(1/3) - 0.64) = 0.306
      {150.0f, {" .306 (ITTC YONTEMI) ", " .306"}},
      // Between 0.999 and 1: all four lines, and the ITTC value for 0.9992 micrometres,
      // 105 (0.9992e-6/205)^(1/3) - 0.64 = -0.462, is the one used.
      {0.9992f, {" .999 (DOGRUDAN ATAMA) ", "-.462 (ITTC YONTEMI) ", "-.462"}},
      // 0.999 itself is not above 0.999: the direct value alone.
      {0.999f, {" .999 (DOGRUDAN ATAMA) ", " .999"}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.rough);
    SpeedSteps steps;
    steps.in().ROUGH = c.rough;
    steps.run({25.0f});
    std::vector<std::string> expected{ca + " .352 (HOLTROP TAHMINI) "}, got;
    for (const auto& l : c.afterEstimate) expected.push_back(ca + l);
    std::copy_if(steps.report().begin(), steps.report().end(), std::back_inserter(got),
                 [](const std::string& l) { return testing::contains(l, "KORELASYON KATSAYISI-CA*1000"); });
    EXPECT_EQ(got, expected);
  }
}

// Inputs on the boundaries of their tests: S = 1 and IE = 1 count as given; a bulb
// centre exactly at two thirds of the fore draught (Tf = 9 = 1.5 HB) gives PB^-1 = 0,
// exp(0) = 1 and no warning: Fni = 12.86/sqrt(9.81 (9 - 6 - 0.25 sqrt 20) + 0.15 x 12.86^2)
// = 1.955025, Rbulb = 0.11 Fni^3 20^1.5 g rho/(1 + Fni^2)/1000 = 153.3025 kN (python3, double).
TEST(SpeedBlock, BoundaryInputsTakeTheirDocumentedSide) {
  SpeedSteps steps;
  steps.in().S = 1.0f;
  steps.in().IE = 1.0f;
  steps.in().Tf = steps.in().Ta = 9.0f;
  steps.in().HB = 6.0f;
  ASSERT_FALSE(steps.run({25.0f}));
  EXPECT_EQ(steps.count("GERCEK ISLAK YUZEY (Takinti haric) -> S =     1.00 m2"), 1);
  EXPECT_EQ(steps.count("SU HATTI YARIM GIRIS ACISI > IE(derece) =    1.00 derece"), 1);
  EXPECT_EQ(steps.find("ASIRI DALGA KIRILMASI"), -1);
  EXPECT_EQ(steps.count("  BALP DIRENCI -------------------> Rbulb =   153.30 kN"), 1);
}

TEST(SpeedBlock, BulbAboveTwoThirdsOfTheDraughtWarnsBeforeItsResistance) {
  SpeedSteps steps;
  steps.in().HB = 7.0f;  // Tf = 10 < 1.5 HB
  ASSERT_FALSE(steps.run({25.0f}));
  const int k = steps.find("*** BALP BOLGESINDA ASIRI DALGA KIRILMASI VAR *** ");
  ASSERT_GT(k, 0);
  EXPECT_NE(steps.report()[k - 1].find("Rw ="), std::string::npos);
  // Rbulb = 535.0785 kN (hand calculation with the exponent +5 (Tf - 1.5 HB)^2)
  EXPECT_EQ(steps.report()[k + 1], "  BALP DIRENCI -------------------> Rbulb =   535.08 kN");
}

TEST(SpeedBlock, PrismaticCoefficientAboveLimitStops) {
  SpeedSteps steps("\n");
  steps.in().Cm = 0.57f;  // CP = 0.5716463/0.57 = 1.003
  ASSERT_TRUE(steps.run({15.0f, 25.0f}));
  const std::vector<std::string> stopLines = {"  PRIZMATIK KATSAYI(Lpp YE GORE) ------> CP = 1.003, >1 OLDU. - STOP",
                                              "  CM DE YANLISLIK OLABILIR.- STOP", "  CB =  .572  CM =  .570 "};
  // Report: the speed and Froude number lines of the first speed, then the three records.
  const auto& r = steps.report();
  ASSERT_EQ(r.size(), 8u);
  EXPECT_EQ(r[1], "  HESAP HIZI NO =  1");
  EXPECT_EQ(std::vector<std::string>(r.begin() + 5, r.end()), stopLines);
  // Console: the same three records (carriage control takes the first blank), then the prompt.
  const auto& c = steps.console();
  ASSERT_EQ(c.size(), 4u);
  for (int k = 0; k < 3; ++k) EXPECT_EQ(c[k], stopLines[k].substr(1));
  EXPECT_EQ(c[3], "  BITIRMEK ICIN `ENTER`TUSUNA BASIN ");
}

TEST(SpeedBlock, PrismaticCoefficientAtTheLimitPasses) {
  SpeedSteps steps;
  // CB = 5 x 10 x 10 / (10 x 1 x 5) x ... chosen so that CB/Cm is 0.999 exactly in single precision.
  InputData& in = steps.in();
  in.Lwl = in.Lbp = 100.0f, in.B = 10.0f, in.Tf = in.Ta = 10.0f, in.V = 9990.0f, in.Cm = 1.0f;
  in.ABT = 0.0f, in.AT = 0.0f, in.LCB = 0.0f;
  ASSERT_EQ(in.V / (10.0f * in.B * in.Lbp) / in.Cm, 0.999f);
  EXPECT_FALSE(steps.run({10.0f}));
}

TEST(SpeedBlock, BulbImmersionCheckStopsAfterTheWaveRange) {
  SpeedSteps steps("\n");
  steps.in().HB = 10.5f;  // 9.81 (10 - 10.5 - 0.25 sqrt 20) + 0.15 Vms^2 = -9.67 at 12.5 knots
  ASSERT_TRUE(steps.run({12.5f}));
  const auto& r = steps.report();
  EXPECT_EQ(r.back(), "  DALGA DIRENCI ---------------------> Rw =      1.13 kN");  // 1.128922 by hand
  EXPECT_EQ(steps.find("BALP"), -1);  // the stop records go to the console only
  const std::vector<std::string> console(steps.console().begin(), steps.console().end());
  const std::vector<std::string> expected = {"", "", "", " *** BALP ALAN MERK. YUKSEKLIGI ASIRI OLABILIR ***  ",
                                             " HB= 10.500 m", " *** PROGRAM BURADA DURACAK ***",
                                             std::string(kStandardPause)};
  EXPECT_EQ(console, expected);
}

// Inputs without a finite answer run on and print what the arithmetic gives.
TEST(SpeedBlock, DegenerateInputsRunOnWithNonFiniteValues) {
  const struct {
    const char* what;
    float B, IE, speed;
  } cases[] = {
      {"zero speed: log10(0), Fn^-0.9", 32.0f, 12.08f, 0.0f},
      {"Lwl/B <= 2: negative power argument in C17", 110.0f, 12.08f, 50.0f},
      {"IE above 90: negative power argument in C1", 32.0f, 95.0f, 25.0f},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    SpeedSteps steps;
    steps.in().B = c.B;
    steps.in().IE = c.IE;
    ASSERT_FALSE(steps.run({c.speed}));
    EXPECT_EQ(steps.report().back(), std::string(60, '='));
    EXPECT_FALSE(std::isfinite(steps.state().sp.RTOTAL(1)));
    EXPECT_GT(steps.count("NaN") + steps.count("Infinity") + steps.count("Inf"), 0);
  }
}

// Whole runs of the example ship stopped inside the speed loop: the report
// keeps everything written before the stop, the console ends with the stop line.
TEST(SpeedLoopStops, PrismaticCoefficientStopInAWholeRun) {
  const auto run = testing::runCase(testing::withRecord(testing::exampleInput(), 11, "0.57 0.75"), "\n");
  EXPECT_EQ(run.status, 0);
  const auto report = testing::lastLines(run.report, 7);
  ASSERT_EQ(report.size(), 7u);
  EXPECT_EQ(report.front(), "  HESAP HIZI NO =  1");
  EXPECT_EQ(report.back(), "  CB =  .572  CM =  .570 ");
  EXPECT_EQ(testing::lastLines(run.console, 5),
            (std::vector<std::string>{" PRIZMATIK KATSAYI(Lpp YE GORE) ------> CP = 1.003, >1 OLDU. - STOP",
                                      " CM DE YANLISLIK OLABILIR.- STOP", " CB =  .572  CM =  .570 ",
                                      "  BITIRMEK ICIN `ENTER`TUSUNA BASIN ", "Stop - Program terminated."}));
}

TEST(SpeedLoopStops, BulbImmersionStopInAWholeRun) {
  // HB = 10.5: 9.81 (10 - 10.5 - 0.25 sqrt 20) + 0.15 x 7.716^2 = -6.94 at 15 knots.
  const auto run = testing::runCase(testing::withRecord(testing::exampleInput(), 9, "10.5"), "\n");
  EXPECT_EQ(run.status, 0);
  // 7.172593 by hand (C2 = 0.4519)
  EXPECT_EQ(testing::lastLines(run.report, 1),
            std::vector<std::string>{"  DALGA DIRENCI ---------------------> Rw =      7.17 kN"});
  EXPECT_EQ(testing::lastLines(run.console, 3),
            (std::vector<std::string>{" *** PROGRAM BURADA DURACAK ***", std::string(kStandardPause),
                                      "Stop - Program terminated."}));
}

}  // namespace
}  // namespace gemi
