// Whole runs through the propeller stage with scripted console answers: the
// example ship to its reachable speed, every propeller task, the series and
// installation variants, and the stage's stops. Relations between printed
// values are checked by recomputing them here from the printed numbers.
#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <ostream>
#include <string>
#include <utility>
#include <vector>

#include "../support/run_harness.h"
#include "../support/text_lines.h"

namespace gemi {
namespace {

using namespace gemi::testing;

// Record numbers of the input data file.
constexpr int kTrialSpeed = 18, kDiameter = 31, kRevolutions = 32, kPitch = 33, kShaftHeight = 34,
              kControllablePitch = 35, kPropellers = 36, kEngine = 37;

// The answers after the efficiency: blade number, keep Keller's area ratio,
// and Enter at the pause of the characteristics and at the closing.
const std::string kFourBladesKeepKeller = "4\nH\n\n\n";

// Runs the case as a designer would: first with etad 0.6; when the program
// asks for a restart with another efficiency, once more with the value it names.
RunResult runWithPassingEfficiency(const std::string& input, const std::string& rest = kFourBladesKeepKeller) {
  RunResult r = runCase(input, "0.6\n" + rest);
  if (!contains(r.console, "YENIDEN BASLATMAK")) return r;
  const std::vector<double> v = numbersAfter(r.console, "ETAD =");
  if (v.empty()) return r;
  char etad[16];
  std::snprintf(etad, sizeof etad, "%.3f\n", v.front());
  return runCase(input, etad + rest);
}

// The unchanged example, run once for the tests that only read its output.
const RunResult& exampleRun() {
  static const RunResult r = runWithPassingEfficiency(exampleInput());
  return r;
}

void expectCompleteStage(const RunResult& r) {
  EXPECT_EQ(r.status, 0);
  EXPECT_FALSE(contains(r.console, "YENIDEN BASLATMAK"));
  EXPECT_TRUE(contains(r.report, "SECILEN PERVANE"));
  EXPECT_TRUE(contains(r.report, "SEVK KARAKTERISTIKLERI - MINIMUM SERVIS"));
  EXPECT_TRUE(contains(r.report, "Saft Jeneratoru gucu (toplam) - PPTO ="));
  EXPECT_TRUE(contains(r.console, "PROGRAM CALISMASI TAMAMLANDI"));
}

TEST(StageRun, ExampleShipToItsReachableSpeed) {
  const RunResult& r = exampleRun();
  expectCompleteStage(r);
  // Console order: questions, search, checks, box, pause, table, speed.
  const std::vector<std::string> order = {"BASLANGIC ICIN GENEL VERIMI GIRIN", "PERVANE KANAT SAYISINI (Z) GIRIN",
                                          "DUZLENMIS ACINIM ALANINI DEGISTIRMEK", "| CAP - D (m)",
                                          "DEVAM ICIN 'ENTER' TUSUNA BASIN", "|  No    J       KT",
                                          "Ulasilacak hiz V = "};
  for (std::size_t k = 0; k + 1 < order.size(); ++k)
    EXPECT_LT(r.console.find(order[k]), r.console.find(order[k + 1])) << order[k];
  EXPECT_EQ(count(r.console, "DEVAM ICIN 'ENTER' TUSUNA BASIN"), 1);
  EXPECT_FALSE(contains(r.report, "DEVAM ICIN"));
  // The example reaches a speed inside its list (15 .. 27 knots).
  const double v = numberAfter(r.console, "Ulasilacak hiz V = ");
  EXPECT_GT(v, 15.0);
  EXPECT_LT(v, 27.0);
  EXPECT_TRUE(contains(r.report, "Ulasilacak hiz V = "));
  // One row per speed in the table, seven speeds.
  EXPECT_EQ(count(r.report, " | 15.000 |"), 1);
  EXPECT_EQ(count(r.report, " | 27.000 |"), 1);
}

TEST(StageRun, ExamplePowerChainAgreesWithItsPrintedValues) {
  const RunResult& r = exampleRun();
  ASSERT_EQ(r.status, 0);
  // Pb = PEtr/(etad etas), Pbm = Pb/MCR, Pbd = etas Pb, recomputed from the
  // printed operands (8.2 and 5.3 fields: relative tolerance 1e-3).
  const std::vector<double> pb = numbersAfter(r.report, "Pb = Pe(trial)/(etad*etas) =");
  ASSERT_EQ(pb.size(), 3u);
  const double Pb = numberAfter(lineAfter(r.report, "Pb = Pe(trial)/(etad*etas) ="), "   = ");
  EXPECT_NEAR(Pb, pb[0] / (pb[1] * pb[2]), 1e-3 * Pb);
  const std::vector<double> pbm = numbersAfter(r.report, "Pbm = Pb(trial)/(%MCR) =");
  ASSERT_EQ(pbm.size(), 3u);
  EXPECT_NEAR(pbm[0], Pb, 0.006);
  EXPECT_NEAR(pbm[2], Pb / pbm[1], 1e-3 * pbm[2]);
  const std::vector<double> pbd = numbersAfter(r.report, "Pbd = Pb(trial)*(etas) =");
  ASSERT_EQ(pbd.size(), 3u);
  EXPECT_NEAR(pbd[2], Pb * pbd[1], 1e-3 * pbd[2]);
  // etad = etah eta0 etarr, each printed to three decimals.
  const std::vector<double> parts = numbersAfter(r.report, "                            = ");
  ASSERT_EQ(parts.size(), 3u);
  EXPECT_NEAR(pb[1], parts[0] * parts[1] * parts[2], 2e-3);
  // The delivered power the console names per propeller equals Pbd.
  EXPECT_NEAR(numberAfter(r.console, "PERVANENE VERILMESI GEREKEN GUC    ="), pbd[2], 0.02);
}

TEST(StageRun, ExampleOperatingPointAgreesWithItsPrintedValues) {
  const RunResult& r = exampleRun();
  ASSERT_EQ(r.status, 0);
  const double N = numberAfter(r.report, "DEVIR            -     N  =");
  const double D = numberAfter(r.report, "PERVANE CAPI  - DIAM      =");
  const double J = numberAfter(r.report, "|   J      =");
  const double KT = numberAfter(r.report, "|   KT     =");
  const double KQ10 = numberAfter(r.report, "|   10KQ   =");
  const double w = numberAfter(r.report, "|   WT     =");
  const double Vs = numberAfter(r.report, "| GEMI HIZI-VS(KNOT)  =");
  const double TH = numberAfter(r.report, "| ITME - TH   (kN)    =");
  const double PD = numberAfter(r.report, "| GUC - PD    (kW)    =");
  const double rho = 1025.0, n = N / 60.0;
  // J = (1 - w) Vs 0.5144 / (n D); THRc = KT rho n^2 D^4; PDEL = 2 pi KQ rho n^3 D^5.
  EXPECT_NEAR(J, (1.0 - w) * Vs * 0.5144 / (n * D), 2e-4);
  EXPECT_NEAR(TH, KT * rho * n * n * std::pow(D, 4) / 1000.0, 1e-3 * TH);
  EXPECT_NEAR(PD, 2.0 * M_PI * KQ10 / 10.0 * rho * n * n * n * std::pow(D, 5) / 1000.0, 1e-3 * PD);
  // Pitch = P/D x D.
  const double PoD = numberAfter(r.report, "PIC ORANI - P/D  - SABIT  =");
  EXPECT_NEAR(numberAfter(r.report, "HATVE MIKTARI  - P        ="), PoD * D, 0.005 * D);
  // The trial row of the service table: its revolutions are close to the
  // operating point's (both at the trial speed, one interpolated).
  const std::vector<double> row = numbersAfter(r.report, " | 25.000 |");
  ASSERT_EQ(row.size(), 9u);
  EXPECT_NEAR(row[8], N, 0.03 * N);
}

TEST(StageRun, EfficiencyMismatchStopsWithTheValueToRestartWith) {
  const RunResult r = runCase(exampleInput(), "0.3\n" + kFourBladesKeepKeller);
  EXPECT_EQ(r.status, 0);
  ASSERT_TRUE(contains(r.console, "YENIDEN BASLATMAK GEREKIR - STOP"));
  const std::vector<double> said = numbersAfter(r.console, "VARSAYILAN VERIM =  .300 ILE HESAPLANAN VERIM");
  ASSERT_EQ(said.size(), 1u);
  EXPECT_NEAR(numberAfter(r.console, "ETAD ="), said[0], 1e-9);
  EXPECT_NEAR(numberAfter(r.console, "HESAPLANAN VERIM ="), said[0], 1e-9);
  // Pause, then stop; nothing after the cavitation checks in the report.
  const std::size_t msg = r.console.find("YENIDEN BASLATMAK");
  const std::size_t pause = r.console.find("Pause - Please enter a blank line", msg);
  EXPECT_LT(pause, r.console.find("Stop - Program terminated.", msg));
  EXPECT_FALSE(contains(r.console, "PROGRAM CALISMASI TAMAMLANDI"));
  EXPECT_FALSE(contains(r.report, "SEYIR TECRUBESI SIRASINDA GEREKLI GUC"));
  EXPECT_FALSE(contains(r.report, "SECILEN PERVANE\n"));
  const std::vector<std::string> lines = linesOf(r.report);
  ASSERT_GE(lines.size(), 2u);
  EXPECT_EQ(lines[lines.size() - 2], "  Vtip = " + lines[lines.size() - 2].substr(9, 6) + " m/s  (Vtip-Kanat ucu hizi<30 m/s olmali)");
}

TEST(StageRun, NoTaskFromDiameterAndRevolutionsStopsAtTheSearch) {
  // A diameter below 0.1 without revolutions, or revolutions of exactly 0.1:
  // no search applies, so the stage stops there instead of going on with an
  // empty propeller (zero efficiency, infinite power, "NaN" rows).
  for (const std::string& input : {withRecord(exampleInput(), kDiameter, "0.02"),
                                   withRecord(exampleInput(), kRevolutions, "0.1")}) {
    const RunResult r = runCase(input, "0.6\n" + kFourBladesKeepKeller);
    EXPECT_EQ(r.status, 0);
    for (const std::string* out : {&r.console, &r.report})
      EXPECT_TRUE(contains(*out, "PERVANE HESABI SECILEMIYOR")) << *out;
    EXPECT_FALSE(contains(r.console, "HESAPLANAN VERIM"));
    EXPECT_FALSE(contains(r.report, "SEVK KARAKTERISTIKLERI"));
    EXPECT_TRUE(contains(r.console, "Stop - Program terminated."));
  }
}

// The example with some records changed, run with the efficiency the stage
// asks for: the stage completes and prints the texts of its variant and not
// those of others; `check` holds the further checks of a case.
struct StageVariant {
  const char* name;
  std::vector<std::pair<int, std::string>> records;
  std::vector<std::string> consoleHas, consoleLacks, reportHas, reportLacks;
  std::function<void(const RunResult&)> check;
};

void PrintTo(const StageVariant& v, std::ostream* os) { *os << v.name; }

class StageVariants : public ::testing::TestWithParam<StageVariant> {};

TEST_P(StageVariants, CompletesWithTheTextsOfItsVariant) {
  const StageVariant& c = GetParam();
  std::string input = exampleInput();
  for (const auto& [record, values] : c.records) input = withRecord(input, record, values);
  const RunResult r = runWithPassingEfficiency(input);
  expectCompleteStage(r);
  for (const std::string& t : c.consoleHas) EXPECT_TRUE(contains(r.console, t)) << t;
  for (const std::string& t : c.consoleLacks) EXPECT_FALSE(contains(r.console, t)) << t;
  for (const std::string& t : c.reportHas) EXPECT_TRUE(contains(r.report, t)) << t;
  for (const std::string& t : c.reportLacks) EXPECT_FALSE(contains(r.report, t)) << t;
  if (c.check) c.check(r);
}

const StageVariant kStageVariants[] = {
    // The propeller tasks. 1: diameter given, optimum revolutions; without
    // the pod no pod note.
    {.name = "DiameterGivenOptimumRevolutions",
     .consoleHas = {"Kt/J^2"},
     .reportLacks = {"POD lu pervane"},
     .check = [](const RunResult& r) { EXPECT_NEAR(numberAfter(r.report, "PERVANE CAPI  - DIAM      ="), 8.0, 1e-9); }},
    // 2: diameter and revolutions given: the smallest pitch ratio that gives the thrust.
    {.name = "DiameterAndRevolutionsGivenSmallestPitch",
     .records = {{kRevolutions, "100.0"}},
     .consoleLacks = {"Kt/J^2"},
     .check =
         [](const RunResult& r) {
           EXPECT_NEAR(numberAfter(r.report, "DEVIR            -     N  ="), 100.0, 1e-9);
           EXPECT_NEAR(numberAfter(r.report, "PERVANE CAPI  - DIAM      ="), 8.0, 1e-9);
         }},
    // 3: revolutions given, optimum diameter; the note on Keller's area ratio.
    {.name = "RevolutionsGivenOptimumDiameter",
     .records = {{kDiameter, "0.0"}, {kRevolutions, "100.0"}},
     .consoleHas = {"Kt/J^4", "Onemli Not:Kullanilan optimizasyon secenegi geregi olarak",
                    "\n   daha dusuk acinim alani orani girmek yerinde olur.\n"},
     .check =
         [](const RunResult& r) {
           EXPECT_NE(numberAfter(r.report, "PERVANE CAPI  - DIAM      ="), 5.0);  // not Ta/2: the search found it
           EXPECT_NEAR(numberAfter(r.report, "DEVIR            -     N  ="), 100.0, 1e-9);
         }},
    // 4: the fully given propeller is only evaluated.
    {.name = "GivenPropellerOnlyEvaluated",
     .records = {{kRevolutions, "100.0"}, {kPitch, "1.05"}},
     .consoleHas = {"BELIRLENEN PERVANE KULLANILMISTIR."},
     .consoleLacks = {"Onemli Not"},
     .check =
         [](const RunResult& r) { EXPECT_NEAR(numberAfter(r.report, "PIC ORANI - P/D  - SABIT  ="), 1.05, 1e-9); }},
    // The Gawn series takes three blades whatever the answer. Keller's ratio
    // with three blades: (0.3*3 + 1.3) Tp 1000 / ((g rho Hsd + 98300) D^2) + 0.2,
    // with Tp as the report prints it and Hsd = 0.68 Ta (no shaft height given).
    {.name = "GawnSeriesTakesThreeBlades",
     .records = {{kPropellers, "1   2   0"}},
     .consoleHas = {"| KANAT SAYISI (Z)    =      3.     |", "GAWN SERISI PERVANE ACIK SU KARAKTERISTIKLERI"},
     .reportHas = {"KANAT SAYISI     -     Z  =    3"},
     .check =
         [](const RunResult& r) {
           const std::vector<double> tp = numbersAfter(r.report, "T  = ( Rt/(1-t) ) / Nprop = (");
           ASSERT_EQ(tp.size(), 5u);
           const double keller = 2.2 * tp[4] * 1000.0 / ((9.81 * 1025.0 * 6.8 + 98300.0) * 64.0) + 0.2;
           EXPECT_NEAR(numberAfter(r.report, "Keller EAR ="), keller, 1e-3);
         }},
    {.name = "TwinScrewSharesTheThrust",
     .records = {{kPropellers, "2   1   0"}},
     .reportHas = {"Pervane Sayisi - NPROP =  2"},
     .check =
         [](const RunResult& r) {
           const std::vector<double> tp = numbersAfter(r.report, "T  = ( Rt/(1-t) ) / Nprop = (");
           ASSERT_EQ(tp.size(), 5u);
           EXPECT_EQ(tp[3], 2.0);
           EXPECT_NEAR(tp[4], tp[0] / (1.0 - tp[2]) / 2.0, 1e-3 * tp[4]);  // t printed to 3 decimals
         }},
    {.name = "PoddedPropulsionNote",
     .records = {{kPropellers, "1   1   1"}},
     .reportHas = {"   Saft Jeneratoru gucu (toplam) - PPTO =   0. kW\n"
                   "    Not: Sevk Katsayilarinda POD lu pervane duzeltmes i yapilmistir.\n",
                   "    Ship Hydromechanics Lab. Report No: 1545-P, 2006 \n"}},
    {.name = "ControllablePitchPropeller",
     .records = {{kControllablePitch, "1.0"}},
     .consoleHas = {"HESAPLARDA C.P. PERVANE DUZELTMESI YAPILMISTIR"}},
    // Shaft centre 70 m below the base line: the static head raises Sigma
    // from 0.31 to about 1.7 (proportional to g rho Hsd + 98300).
    {.name = "CavitationNumberOutsideBurrillLimits",
     .records = {{kShaftHeight, "-70.0"}},
     .consoleHas = {"HATA - PERVANE KAVITASYON SAYISI - Sigma =",
                    "LUTFEN SAFT DERINLIGINI VEYA PERVANE DEVRINI DEGISTIRIN."},
     .consoleLacks = {"BURRIL KAVITASYON KRITERINE"},
     .reportHas = {"HATA - PERVANE KAVITASYON SAYISI - Sigma ="},
     .reportLacks = {"BURRIL KAVITASYON KRITERINE", "WAGENINGEN KAVITASYON KRIT."},
     .check =
         [](const RunResult& r) {
           EXPECT_GT(numberAfter(r.console, "Sigma ="), 1.5);
           EXPECT_EQ(count(r.report, "KANAT UCU GIRDABI (TIP VORTEX) TEHLIKESI KONTROLU"), 1);
         }},
    {.name = "NoEnginePowerNoReachableSpeed",
     .records = {{kEngine, "0.0   0.85"}},
     .consoleLacks = {"Ulasilacak hiz"},
     .reportHas = {"   Makina gucu (toplam)-Pengine =     0. kW"},
     .reportLacks = {"Ulasilacak hiz", "Toplam makina gucu - Pengine"}},
    {.name = "EngineBeyondTheFastestSpeed",
     .records = {{kEngine, "300000.0   0.85"}},
     .consoleHas = {"Ulasilacak hiz V = 27.00 + knot."}},
};

INSTANTIATE_TEST_SUITE_P(StageRun, StageVariants, ::testing::ValuesIn(kStageVariants),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(StageRun, EngineTooWeakForTheLowestSpeed) {
  const RunResult r = runWithPassingEfficiency(withRecord(exampleInput(), kEngine, "100.0   0.85"));
  EXPECT_EQ(r.status, 0);
  EXPECT_TRUE(contains(r.console, "VERILEN ARALIKTA KOK YOKTUR - STOP"));
  EXPECT_TRUE(contains(r.console, "Stop - Program terminated."));
  EXPECT_FALSE(contains(r.console, "Ulasilacak hiz"));
  EXPECT_FALSE(contains(r.console, "PROGRAM CALISMASI TAMAMLANDI"));
  EXPECT_TRUE(contains(r.report, "SEVK KARAKTERISTIKLERI - MINIMUM SERVIS"));
  EXPECT_FALSE(contains(r.report, "RPM : Pervane devir sayisi"));
}

TEST(StageRun, TrialSpeedMustBeInTheSpeedList) {
  // Within the list's range but not one of its speeds.
  RunResult r = runCase(withRecord(exampleInput(), kTrialSpeed, "24.0"), "0.6\n" + kFourBladesKeepKeller);
  EXPECT_EQ(r.status, 0);
  EXPECT_TRUE(contains(r.console, "SEYIR TECRUBESI HIZI Vtrial = 24.000 knot HIZLAR LISTESINDE BULUNAMADI - STOP"));
  EXPECT_FALSE(contains(r.console, "BASLANGIC ICIN GENEL VERIMI"));
  // Two thousandths off: not found; half a thousandth: found.
  r = runCase(withRecord(exampleInput(), kTrialSpeed, "25.002"), "0.6\n" + kFourBladesKeepKeller);
  EXPECT_TRUE(contains(r.console, "HIZLAR LISTESINDE BULUNAMADI"));
  r = runCase(withRecord(exampleInput(), kTrialSpeed, "25.0005"), "0.6\n" + kFourBladesKeepKeller);
  EXPECT_FALSE(contains(r.console, "HIZLAR LISTESINDE BULUNAMADI"));
  EXPECT_TRUE(contains(r.console, "BASLANGIC ICIN GENEL VERIMI"));
}

TEST(StageRun, AreaRatioQuestion) {
  // "e" and "EVET" mean yes: the new area ratio is used.
  for (const char* yes : {"e", "EVET"}) {
    const RunResult r = runCase(exampleInput(), std::string("0.6\n4\n") + yes + "\n0.8\n\n\n");
    EXPECT_TRUE(contains(r.console, "PERVANE DUZLENMIS ACININ ALANI ORANINI GIRIN")) << yes;
    EXPECT_NEAR(numberAfter(r.report, "Mevcut EAR ="), 0.8, 1e-9) << yes;
  }
  // "h" and an empty line keep Keller's value.
  for (const char* no : {"h", ""}) {
    const RunResult r = runCase(exampleInput(), std::string("0.6\n4\n") + no + "\n\n\n");
    EXPECT_FALSE(contains(r.console, "PERVANE DUZLENMIS ACININ ALANI ORANINI GIRIN")) << no;
    const std::vector<double> ear = numbersAfter(r.report, "Mevcut EAR =");
    ASSERT_EQ(ear.size(), 2u);
    EXPECT_EQ(ear[0], ear[1]) << no;
  }
}

TEST(StageRun, MissingAnswerIsAReadFailureNotAHang) {
  for (const char* answers : {"", "0.6\n", "0.6\n4\n", "0.6\n4\nE\n", "abc\n"}) {
    const RunResult r = runCase(exampleInput(), answers);
    EXPECT_NE(r.status, 0) << answers;
    EXPECT_FALSE(contains(r.console, "SECILEN PERVANE")) << answers;
  }
}

}  // namespace
}  // namespace gemi
