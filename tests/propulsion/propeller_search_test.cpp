// Propeller searches. Expected values come from a python script (double
// precision) that sums the published B-series terms of the committed table
// copy and finds each pitch ratio's operating point as the exact root of
// KT/J^2 = target (or KT/J^4, or the thrust for the pitch search) by
// bisection: the searches' sweeps with linear interpolation between
// 0.001 steps must land within 1e-5 of those roots.
#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "propulsion/open_water_series.h"
#include "propulsion/propeller_search.h"
#include "run/run.h"
#include "../support/stage_inputs.h"
#include "../support/text_lines.h"

namespace gemi {
namespace {

using testing::indexOf;
using testing::numbersIn;

// A run for the searches' lines with the series and pitch kind set.
struct SearchRun : testing::StateRun {
  SearchRun(int NSERIES, float CPFLAG) {
    run.s.in.NSERIES = NSERIES;
    run.s.in.CPFLAG = CPFLAG;
  }
};

void expectCandidate(const Candidate& c, double PoD, double J, double KT, double KQ10, double ETA0) {
  EXPECT_NEAR(c.PoD, PoD, 1e-6);
  EXPECT_NEAR(c.J, J, 1e-5);
  EXPECT_NEAR(c.KT, KT, 1e-5);
  EXPECT_NEAR(10.0f * c.KQ, KQ10, 2e-5);
  EXPECT_NEAR(c.ETA0, ETA0, 1e-5);
}

TEST(OptimumSweep, ConstantThrustLoadingForAGivenDiameter) {
  // B4-49.9 at KT/J^2 = 0.7030895 (T 242.67 kN, VA 4.829 m/s, D 3.8 m):
  // every one of the 90 pitch ratios has a root; ETA0 truncated to
  // thousandths peaks at .574 first for candidate 34 (35, 36 also .574).
  float Z = 4.0f;
  SeriesState st;
  const OptimumSearchResult r = sweepOptimum(false, 0.7030895f, 0.499f, Z, {1, 0.0f}, st);
  ASSERT_EQ(r.cand.size(), 90u);
  expectCandidate(r.cand[0], 0.5, 0.357297714, 0.0897575717, 0.104010541, 0.490731692);
  expectCandidate(r.cand[33], 0.829999685, 0.509020790, 0.182172015, 0.257083216, 0.574068332);
  expectCandidate(r.cand[89], 1.38999915, 0.703968383, 0.348431114, 0.726226031, 0.537549427);
  EXPECT_EQ(r.chosen, 33);
  EXPECT_EQ(Z, 4.0f);
  EXPECT_FLOAT_EQ(r.lastPoD, r.cand[89].PoD);
}

TEST(OptimumSweep, ConstantThrustLoadingForGivenRevolutions) {
  // KT/J^4 = 2.7210932 (the same thrust at 150 rpm): candidate 23 (.578273)
  // is chosen before candidate 24 (.578570, also .578).
  float Z = 4.0f;
  SeriesState st;
  const OptimumSearchResult r = sweepOptimum(true, 2.7210932f, 0.499f, Z, {1, 0.0f}, st);
  ASSERT_EQ(r.cand.size(), 90u);
  EXPECT_EQ(r.chosen, 22);
  expectCandidate(r.cand[22], 0.71999979, 0.478834213, 0.143048765, 0.188519713, 0.578272644);
}

TEST(OptimumSweep, GawnSeriesTurnsTheBladeNumberToThree) {
  // Gawn, EAR 0.9, KT/J^2 = 0.5: candidate 43, P/D .92, J .621780304, ETA0 .597058
  float Z = 4.0f;
  SeriesState st;
  const OptimumSearchResult r = sweepOptimum(false, 0.5f, 0.9f, Z, {2, 0.0f}, st);
  EXPECT_EQ(Z, 3.0f);
  ASSERT_EQ(r.cand.size(), 90u);
  EXPECT_EQ(r.chosen, 42);
  expectCandidate(r.cand[42], 0.919999599, 0.621780304, 0.193305373, 0.320393939, 0.597058282);
}

TEST(OptimumSweep, TargetOnASweepPointGivesTwoCandidatesAtThatPoint) {
  // Target = KT/J^2 at the 251st J of the first pitch ratio (J = 0.35):
  // the closed brackets of the intervals on both sides of that point hold.
  float J = 0.1f;
  for (int i = 0; i < 250; ++i) J += 0.001f;
  SeriesState st;
  st.J = J;
  float Z = 4.0f;
  evaluateSeries(1, 0.5f, 0.499f, Z, 0.0f, st);
  const float target = st.KT / (J * J);

  const OptimumSearchResult r = sweepOptimum(false, target, 0.499f, Z, {1, 0.0f}, st);
  ASSERT_GE(r.cand.size(), 2u);
  EXPECT_EQ(r.cand[0].PoD, 0.5f);
  EXPECT_EQ(r.cand[1].PoD, 0.5f);
  EXPECT_EQ(r.cand[0].J, J);
  EXPECT_EQ(r.cand[1].J, J);
  EXPECT_NE(r.cand[2].PoD, 0.5f);
}

TEST(Optktj2, TableSelectedPropellerAndRecord) {
  SearchRun t(1, 0.0f);
  float Z = 4.0f;
  OPTKTJ2(t.run, 242.67f, 3.8f, 4.829f, 1025.0f, Z, 0.499f);
  const std::vector<std::string> con = t.console();
  ASSERT_GE(con.size(), 106u);
  EXPECT_EQ(con[0], "");
  EXPECT_EQ(con[1], "");
  EXPECT_EQ(con[2], "    Pervane Karakteristikleri - Kt/J^2 =   .703");
  EXPECT_EQ(con[3], "");
  EXPECT_EQ(con[4], "---|-------|-------|--------|--------|--------|------------|----------|");
  EXPECT_EQ(con[5], " i    P/D      J       Kt      10Kq     eta0       Bp          delta");
  EXPECT_EQ(con[6], con[4]);
  // candidate 34: number, P/D, J, KT, 10KQ, ETA0, Bp, delta (python:
  // Bp = 33.06746 (KQ/J^5)^0.5 = 28.681304, delta = 101.2658/J = 198.942365)
  const std::vector<double> c34 = numbersIn(con[7 + 33]);
  const std::vector<double> want = {34, 0.830, 0.509, 0.1822, 0.2571, 0.5741, 28.6813, 198.9424};
  ASSERT_EQ(c34.size(), want.size());
  for (std::size_t k = 0; k < want.size(); ++k) EXPECT_NEAR(c34[k], want[k], 1.5e-4) << "item " << k;
  EXPECT_EQ(con[7 + 33].substr(0, 45), "34    .830    .509    .1822    .2571    .5741");
  EXPECT_EQ(con[7 + 33].size(), 72u);  // I2,2F8.3,3F9.4,1X,2(F10.4,3X) after the control blank
  EXPECT_EQ(con[97], "---|-------|-------|--------|--------|--------|----- ------|-----------|");

  // python: n = VA/(J D) = 2.4965375 rps, RPM 149.79225, Q = KQ RHO n^2 D^5
  // = 130.13429 kNm, Pd = Q n 6.28318/1000 = 2041.31 kW
  const int sel = indexOf(con, "SECILEN PERVANE = 34. PERVANEDIR");
  ASSERT_EQ(sel, 99);
  EXPECT_EQ(con[98], "");
  EXPECT_EQ(con[100], "P/D= .830");
  EXPECT_EQ(con[101], "J=  .509 Kt=  .182 10Kq=  .257 eta=  .574");
  const std::vector<double> bp = numbersIn(con[102]);
  ASSERT_EQ(bp.size(), 2u);
  EXPECT_NEAR(bp[0], 28.6813, 1.5e-4);
  EXPECT_NEAR(bp[1], 198.9424, 1.5e-4);
  EXPECT_EQ(con[103], "T=    242.67 kN  Va=   4.829 m/s  RHO = 1025.0 kg/m3");
  EXPECT_EQ(con[104], "Z = 4. EAR =  .499 D =  3.800 m");
  EXPECT_EQ(con[105], "RPS=  2.497 dev/san RPM= 149.79 TORK= 130.134 kNm Pd= 2041.3 kW");
  EXPECT_EQ(con[106], "HESAPLARDA WAGENINGEN B SERISI KULLANILMISTIR");
  EXPECT_EQ(con.size(), 107u);

  // The report: column names and rules of its own, whole records.
  const std::vector<std::string> rep = t.report();
  ASSERT_EQ(rep.size(), 106u);
  EXPECT_EQ(rep[2], "     Pervane Karakteristikleri - Kt/J^2 =   .703");
  EXPECT_EQ(rep[4], "  i    P/D      J       Kt      10Kq     eta0       Bp         delta");
  EXPECT_EQ(rep[5], " ---|-------|-------|--------|--------|--------|------------|---------|");
  EXPECT_EQ(rep[6 + 33], " " + con[7 + 33]);
  EXPECT_EQ(rep[96], " ---|-------|-------|--------|--------|--------|-----------|-----------|");
  EXPECT_EQ(rep[98], " SECILEN PERVANE = 34. PERVANEDIR");
  EXPECT_EQ(rep[105], " HESAPLARDA WAGENINGEN B SERISI KULLANILMISTIR");

  const PropellerState& p = t.run.s.prop;
  EXPECT_NEAR(p.sel.J, 0.509020790, 1e-5);
  EXPECT_NEAR(p.sel.KT, 0.182172015, 1e-5);
  EXPECT_NEAR(p.sel.KQ, 0.257083216, 2e-5);  // 10 KQ
  EXPECT_NEAR(p.sel.ETA0, 0.574068332, 1e-5);
  EXPECT_NEAR(p.sel.PoD, 0.83, 1e-6);
  EXPECT_NEAR(p.sel.PD, 2041.3118, 0.05);
  EXPECT_NEAR(t.run.s.in.N, 149.792248, 0.003);
  EXPECT_EQ(t.run.s.in.D, 3.8f);
  EXPECT_EQ(p.NSEL, 90);
  EXPECT_NEAR(p.candJ(1), 0.357297714, 1e-5);
  EXPECT_NEAR(p.candPoD(90), 1.38999915, 1e-6);
  EXPECT_EQ(p.series.J, p.sel.J);  // the series state is left at the chosen point
}

TEST(Optktj4, SeriesLineFirstAndTheDiameterFound) {
  // python: RPM 150, candidate 23, D = VA/(J n) = 4.03396405 m,
  // Q = KQ D^5 n^2 RHO = 129.00923 kNm, Pd = 2026.47 kW
  SearchRun t(1, 0.0f);
  float Z = 4.0f, D = 0.0f;
  t.run.s.in.N = 150.0f;
  OPTKTJ4(t.run, 242.67f, 150.0f, D, 4.829f, 1025.0f, Z, 0.499f);
  EXPECT_NEAR(D, 4.03396405, 2e-4);
  const std::vector<std::string> con = t.console();
  EXPECT_EQ(con[2], "    Pervane Karakteristikleri - Kt/J^4 =  2.721");
  const int close = indexOf(con, "---|-------|-------|--------|--------|--------|----- ------|-----------|");
  ASSERT_EQ(close, 97);
  EXPECT_EQ(con[98], "HESAPLARDA WAGENINGEN B SERISI KULLANILMISTIR");
  EXPECT_EQ(con[99], "");
  EXPECT_EQ(con[100], "SECILEN PERVANE = 23. PERVANEDIR");
  EXPECT_EQ(con[101], "P/D= .720");
  EXPECT_EQ(con[104], "T=    242.67 kN  Va=   4.829 m/s  RHO = 1025.0 kg/m3");
  EXPECT_EQ(con[105], "Z = 4. EAR =  .499 D =  4.034 m");
  // the given revolutions: n 2.5, RPM 150, Q 129.00923 kNm, Pd 2026.47 kW;
  // D^5 carries five times the 2e-6 relative error of the interpolated J
  // (linear between 0.001 steps on a curve with KT/J^4'' = 240).
  EXPECT_EQ(con[106].substr(0, 37), "RPS=  2.500 dev/san RPM= 150.00 TORK=");
  const std::vector<double> rps = numbersIn(con[106]);
  ASSERT_EQ(rps.size(), 4u);
  EXPECT_NEAR(rps[2], 129.0092, 0.003);
  EXPECT_NEAR(rps[3], 2026.47, 0.1);
  EXPECT_EQ(con.size(), 107u);

  const std::vector<std::string> rep = t.report();
  EXPECT_EQ(rep[4], " ---|-------|-------|--------|--------|--------|------------|----------|");
  EXPECT_EQ(rep[5], "  i    P/D      J       Kt      10Kq     eta0       Bp         delta");
  EXPECT_EQ(rep[6], rep[4]);
  EXPECT_EQ(rep[97], " ---|-------|-------|--------|--------|--------|----- ------|-----------|");
  EXPECT_EQ(rep[98], " HESAPLARDA WAGENINGEN B SERISI KULLANILMISTIR");
  EXPECT_EQ(t.run.s.in.D, D);
  EXPECT_EQ(t.run.s.in.N, 150.0f);
}

TEST(Optktj4, ControllablePitchLinesFollowTheChoice) {
  SearchRun cp(1, 1.0f);
  float Z = 4.0f, D = 0;
  OPTKTJ4(cp.run, 242.67f, 150.0f, D, 4.829f, 1025.0f, Z, 0.499f);
  const std::vector<std::string> con = cp.console();
  const int sel = indexOf(con, "HESAPLARDA C.P. PERVANE DUZELTMESI YAPILMISTIR");
  ASSERT_GT(sel, 0);
  EXPECT_EQ(con[static_cast<std::size_t>(sel - 1)].substr(0, 18), "SECILEN PERVANE = ");
  const std::vector<std::string> rep = cp.report();
  const int rsel = indexOf(rep, " (HESAPLARDA C.P. PERVANE DUZELTMESI YAPILMISTIR)    ");
  ASSERT_GT(rsel, 0);
  EXPECT_EQ(rep[static_cast<std::size_t>(rsel + 1)], "");
  EXPECT_EQ(rep[static_cast<std::size_t>(rsel + 2)].substr(0, 6), " P/D= ");
}

TEST(OptimumSearch, NoCandidateSaysSoAndStops) {
  // KT/J^2 = 1000: above every curve (KT/J^2 at J = 0.1 is below 60).
  SearchRun t(1, 0.0f);
  float Z = 4.0f;
  EXPECT_THROW(OPTKTJ2(t.run, 1000.0f * 1025.0f * 16.0f / 1000.0f, 4.0f, 1.0f, 1025.0f, Z, 0.5f), StopRun);
  const std::vector<std::string> con = t.console();
  ASSERT_EQ(con.size(), 12u);
  EXPECT_EQ(con[2], "    Pervane Karakteristikleri - Kt/J^2 = ******");
  EXPECT_EQ(con[7], "---|-------|-------|--------|--------|--------|----- ------|-----------|");
  EXPECT_EQ(con[9], "** CAPI VERILEN OPTIMUM PERVANE ARAMASINDA UYGUN PERVANE BULUNAMADI **");
  EXPECT_EQ(con[10], "ISTENEN Kt/J^2 = 1000.0000 DEGERINE P/D =  .50 - 1.39 ARALIGINDA ULASILAMIYOR.");
  EXPECT_EQ(t.report().back(), " ITME, CAP VE DEVIR DEGERLERINI KONTROL EDINIZ.");
  EXPECT_EQ(t.run.s.prop.NSEL, 0);
  EXPECT_EQ(t.run.s.prop.sel.PoD, 0.0f);

  SearchRun t4(1, 0.0f);
  float D = 0;
  EXPECT_THROW(OPTKTJ4(t4.run, 1.0e6f, 60.0f, D, 1.0f, 1025.0f, Z, 0.5f), StopRun);
  EXPECT_NE(indexOf(t4.console(), "** DEVIR SAYISI VERILEN OPTIMUM PERVANE ARAMASINDA UYGUN PERVANE BULUNAMADI **"), -1);
  EXPECT_EQ(D, 0.0f);
}

TEST(PitchSweep, SmallestPitchThatDeliversTheThrust) {
  // D 4 m, 120 rpm, VA 5 m/s: J = 0.625 (P/D 0.5 gives negative KT and is
  // skipped). python with the scale correction (D = 4): thrust 300 kN at
  // P/D 1.16336960; the search stops at the first grid value above it.
  float Z = 4.0f;
  SeriesState st;
  const PitchSearchResult r = sweepPitch(300.0f, 4.0f, 120.0f, 5.0f, 1025.0f, 0.55f, Z, {1, 0.0f}, st);
  EXPECT_TRUE(r.valid);
  EXPECT_TRUE(r.reached);
  EXPECT_NEAR(r.J, 0.625, 1e-7);
  EXPECT_GE(r.PoD, 1.1633696 - 2e-6);
  EXPECT_LE(r.PoD, 1.1633696 + 1.02e-4);
  EXPECT_GT(r.Tp / 1000.0f, 300.0f);
  EXPECT_LT(r.Tp / 1000.0f, 300.05f);
  EXPECT_EQ(st.RPMP, 120.0f);
  EXPECT_EQ(st.VAP, 5.0f);
  EXPECT_EQ(r.ETA0, r.KT / r.KQ * r.J / 6.2831855f);
}

TEST(Pdsrch, LinesAndRecord) {
  SearchRun t(1, 0.0f);
  float Z = 4.0f;
  t.run.s.in.N = 120.0f;
  PDSRCH(t.run, 300.0f, 4.0f, 120.0f, 5.0f, 1025.0f, Z, 0.55f);
  const std::vector<std::string> con = t.console();
  ASSERT_EQ(con.size(), 3u);
  const std::vector<double> tl = numbersIn(con[0]);
  ASSERT_EQ(tl.size(), 4u);  // T, Va, RHO and the 3 of kg/m3
  EXPECT_NEAR(tl[0], 300.02, 0.031);
  EXPECT_EQ(con[0].substr(12), " kN  Va=   5.000 m/s  RHO = 1025.0 kg/m3");
  EXPECT_EQ(con[1], "Z = 4. EAR =  .550 D =  4.000 m P/D =  1.163");
  EXPECT_EQ(con[2], "HESAPLARDA WAGENINGEN B SERISI KULLANILMISTIR");
  EXPECT_NEAR(t.run.s.prop.sel.PoD, 1.16342, 6e-5);
  EXPECT_EQ(t.run.s.prop.sel.J, 0.625f);
  EXPECT_EQ(t.run.s.in.N, 120.0f);
}

TEST(Pdsrch, ThrustNotReachedShowsTheLastPitchEvaluatedAndWarns) {
  SearchRun t(1, 0.0f);
  float Z = 4.0f;
  PDSRCH(t.run, 1000.0f, 4.0f, 120.0f, 5.0f, 1025.0f, Z, 0.55f);
  const float last = t.run.s.prop.sel.PoD;
  EXPECT_GT(last, 1.3999f);
  EXPECT_LT(last, 1.4001f);  // not the value one step further
  const std::vector<std::string> con = t.console();
  ASSERT_EQ(con.size(), 4u);
  EXPECT_EQ(con[1], "Z = 4. EAR =  .550 D =  4.000 m P/D =  1.400");
  EXPECT_EQ(con[2], "** UYARI: GEREKEN ITME ( 1000.00 kN) P/D = 1.4 DEGERINE KADAR SAGLANAMADI **");
  EXPECT_EQ(t.report()[2], " " + con[2]);
  // python: thrust at P/D 1.4 with the scale correction about 405 kN
  EXPECT_NEAR(numbersIn(con[0])[0], 404.8, 0.5);
}

TEST(Pdsrch, ThrustExceededAlreadyAtTheSmallestPitchWarns) {
  // D 4 m, 120 rpm, VA 2 m/s: J = 0.25. The B4-55 chart gives KT about 0.13 at
  // P/D 0.5 there, a thrust of about 0.13 * 4^4 * 2^2 * 1025 = 136 kN, far above
  // the 50 kN required: the search ends at its first pitch ratio, which is not a
  // propeller that delivers the thrust, and says so.
  SearchRun t(1, 0.0f);
  float Z = 4.0f;
  PDSRCH(t.run, 50.0f, 4.0f, 120.0f, 2.0f, 1025.0f, Z, 0.55f);
  EXPECT_EQ(t.run.s.prop.sel.PoD, 0.5f);
  const std::vector<std::string> con = t.console();
  ASSERT_EQ(con.size(), 4u);
  EXPECT_GT(numbersIn(con[0])[0], 100.0);
  EXPECT_EQ(con[1], "Z = 4. EAR =  .550 D =  4.000 m P/D =   .500");
  EXPECT_EQ(con[2], "** UYARI: GEREKEN ITME (   50.00 kN) EN KUCUK P/D =  .500 ILE BILE ASILDI; CAP VEYA DEVIR FAZLA **");
  EXPECT_EQ(t.report()[2], " " + con[2]);
}

TEST(Pdsrch, NoPitchWithPositiveThrustStops) {
  // J = 20 / (2 * 5) = 2: KT < 0 up to P/D 1.4 (python: -0.2024 at 1.4)
  SearchRun t(1, 0.0f);
  float Z = 4.0f;
  EXPECT_THROW(PDSRCH(t.run, 100.0f, 5.0f, 120.0f, 20.0f, 1025.0f, Z, 0.55f), StopRun);
  const std::vector<std::string> con = t.console();
  ASSERT_EQ(con.size(), 3u);
  EXPECT_EQ(con[2], "J =  2.000 ICIN Kt VEYA Kq SIFIRDAN KUCUK; CAP VE DEVIR DEGERLERINI KONTROL EDINIZ.");
}

TEST(Givenp, WindmillingPropellerStopsInsteadOfReportingNegativePower) {
  // J = 20 / (2 * 5) = 2: KT < 0 at P/D 1.4 (python: -0.2024) and lower still
  // at P/D 1.2; such a propeller used to run on with negative thrust and power
  // and an efficiency check that asked for a restart with an unprintable value.
  SearchRun t(1, 0.0f);
  float Z = 4.0f;
  EXPECT_THROW(GIVENP(t.run, 1.2f, 120.0f, 5.0f, 20.0f, 1025.0f, Z, 0.55f), StopRun);
  const std::vector<std::string> expected = {
      "",
      "** VERILEN PERVANE (P/D = 1.200) BU CAP VE DEVIRDE POZITIF ITME VERMIYOR **",
      "J =  2.000 ICIN Kt VEYA Kq SIFIRDAN KUCUK; CAP VE DEVIR DEGERLERINI KONTROL EDINIZ.",
  };
  EXPECT_EQ(t.console(), expected);
  EXPECT_EQ(t.report().size(), 3u);
}

TEST(Givenp, GawnControllablePitchOperatingPoint) {
  // python: Gawn, Z 3, EAR 0.9, P/D 1.2, D 3.6 m, 150 rpm, VA 9.164 m/s:
  // J 1.0182222, KT .12366317, 10KQ .31274963, ETA0 .64077609,
  // Tp 133.06207 kN, Q 121.14715 kNm, Pd 1902.975 kW, Bp 5.5897554, delta 99.453536
  SearchRun t(2, 1.0f);
  float Z = 4.0f;
  GIVENP(t.run, 1.2f, 150.0f, 3.6f, 9.164f, 1025.0f, Z, 0.9f);
  EXPECT_EQ(Z, 3.0f);
  const std::vector<std::string> expected = {
      "",
      "BELIRLENEN PERVANE KULLANILMISTIR.",
      "HESAPLARDA C.P. PERVANE DUZELTMESI YAPILMISTIR",
      "P/D=1.200",
      "J= 1.018 Kt=  .124 10Kq=  .313 eta=  .641",
      "Bp=   5.5898 delta=  99.4535",
      "T=    133.06 kN  Va=   9.164 m/s  RHO = 1025.0 kg/m3",
      "Z = 3. EAR =  .900 D =  3.600 m",
      "RPS=  2.500 dev/san RPM= 150.00 TORK= 121.147 kNm Pd= 1903.0 kW",
      "HESAPLARDA GAWN / BURRIL SERISI KULLANILMISTIR",
  };
  EXPECT_EQ(t.console(), expected);
  const std::vector<std::string> rep = t.report();
  ASSERT_EQ(rep.size(), 11u);
  EXPECT_EQ(rep[2], " (HESAPLARDA C.P. PERVANE DUZELTMESI YAPILMISTIR)    ");
  EXPECT_EQ(rep[3], "");

  const SelectedPropeller& sel = t.run.s.prop.sel;
  EXPECT_NEAR(sel.J, 1.0182222, 1e-6);
  EXPECT_NEAR(sel.KT, 0.12366317, 3e-6);
  EXPECT_NEAR(sel.KQ, 0.31274963, 1e-5);
  EXPECT_NEAR(sel.ETA0, 0.64077609, 1e-5);
  EXPECT_EQ(sel.PoD, 1.2f);
  EXPECT_NEAR(sel.PD, 1902.975, 0.05);
  EXPECT_EQ(t.run.s.in.N, 150.0f);
  EXPECT_EQ(t.run.s.in.D, 3.6f);
}

}  // namespace
}  // namespace gemi
