// Whole runs through the propeller stage with scripted console answers: the
// example ship to its reachable speed, every propeller task, the series and
// installation variants, and the stage's stops. Relations between printed
// values are checked by recomputing them here from the printed numbers.
#include <gtest/gtest.h>

#include <cmath>
#include <regex>
#include <string>
#include <vector>

#include "../support/run_harness.h"

namespace gemi {
namespace {

using testing::exampleInput;
using testing::linesOf;
using testing::RunResult;
using testing::runCase;
using testing::withRecord;

// Record numbers of the input data file.
constexpr int kTrialSpeed = 18, kDiameter = 31, kRevolutions = 32, kPitch = 33, kShaftHeight = 34,
              kControllablePitch = 35, kPropellers = 36, kEngine = 37;

// The answers after the efficiency: blade number, keep Keller's area ratio,
// and Enter at the pause of the characteristics and at the closing.
const std::string kFourBladesKeepKeller = "4\nH\n\n\n";

bool has(const std::string& text, const std::string& part) { return text.find(part) != std::string::npos; }

int count(const std::string& text, const std::string& part) {
  int n = 0;
  for (std::size_t p = text.find(part); p != std::string::npos; p = text.find(part, p + 1)) ++n;
  return n;
}

// The numbers of the first line of `text` that contains `key` (after the key).
std::vector<double> numbersAfter(const std::string& text, const std::string& key) {
  for (const std::string& line : linesOf(text)) {
    const std::size_t p = line.find(key);
    if (p == std::string::npos) continue;
    std::vector<double> v;
    static const std::regex number(R"(-?\d*\.\d+|-?\d+)");
    const std::string rest = line.substr(p + key.size());
    for (std::sregex_iterator it(rest.begin(), rest.end(), number), end; it != end; ++it) v.push_back(std::stod(it->str()));
    return v;
  }
  ADD_FAILURE() << "no line with " << key;
  return {};
}

// The line that follows the first line containing `key`.
std::string lineAfter(const std::string& text, const std::string& key) {
  const std::vector<std::string> lines = linesOf(text);
  for (std::size_t i = 0; i + 1 < lines.size(); ++i)
    if (has(lines[i], key)) return lines[i + 1];
  ADD_FAILURE() << "no line after " << key;
  return {};
}

double numberAfter(const std::string& text, const std::string& key) {
  const std::vector<double> v = numbersAfter(text, key);
  return v.empty() ? NAN : v.front();
}

// Runs the case as a designer would: first with etad 0.6; when the program
// asks for a restart with another efficiency, once more with the value it names.
RunResult runWithPassingEfficiency(const std::string& input, const std::string& rest = kFourBladesKeepKeller) {
  RunResult r = runCase(input, "0.6\n" + rest);
  if (!has(r.console, "YENIDEN BASLATMAK")) return r;
  const std::vector<double> v = numbersAfter(r.console, "ETAD =");
  if (v.empty()) return r;
  char etad[16];
  std::snprintf(etad, sizeof etad, "%.3f\n", v.front());
  return runCase(input, etad + rest);
}

void expectCompleteStage(const RunResult& r) {
  EXPECT_EQ(r.status, 0);
  EXPECT_FALSE(has(r.console, "YENIDEN BASLATMAK"));
  EXPECT_TRUE(has(r.report, "SECILEN PERVANE"));
  EXPECT_TRUE(has(r.report, "SEVK KARAKTERISTIKLERI - MINIMUM SERVIS"));
  EXPECT_TRUE(has(r.report, "Saft Jeneratoru gucu (toplam) - PPTO ="));
  EXPECT_TRUE(has(r.console, "PROGRAM CALISMASI TAMAMLANDI"));
}

TEST(StageRun, ExampleShipToItsReachableSpeed) {
  const RunResult r = runWithPassingEfficiency(exampleInput());
  expectCompleteStage(r);
  // Console order: questions, search, checks, box, pause, table, speed.
  const std::size_t etad = r.console.find("BASLANGIC ICIN GENEL VERIMI GIRIN");
  const std::size_t blades = r.console.find("PERVANE KANAT SAYISINI (Z) GIRIN");
  const std::size_t change = r.console.find("DUZLENMIS ACINIM ALANINI DEGISTIRMEK");
  const std::size_t box = r.console.find("| CAP - D (m)");
  const std::size_t pause = r.console.find("DEVAM ICIN 'ENTER' TUSUNA BASIN");
  const std::size_t table = r.console.find("|  No    J       KT");
  const std::size_t speed = r.console.find("Ulasilacak hiz V = ");
  EXPECT_LT(etad, blades);
  EXPECT_LT(blades, change);
  EXPECT_LT(change, box);
  EXPECT_LT(box, pause);
  EXPECT_LT(pause, table);
  EXPECT_LT(table, speed);
  EXPECT_EQ(count(r.console, "DEVAM ICIN 'ENTER' TUSUNA BASIN"), 1);
  EXPECT_FALSE(has(r.report, "DEVAM ICIN"));
  // The example reaches a speed inside its list (15 .. 27 knots).
  const double v = numberAfter(r.console, "Ulasilacak hiz V = ");
  EXPECT_GT(v, 15.0);
  EXPECT_LT(v, 27.0);
  EXPECT_TRUE(has(r.report, "Ulasilacak hiz V = "));
  // One row per speed in the table, seven speeds.
  EXPECT_EQ(count(r.report, " | 15.000 |"), 1);
  EXPECT_EQ(count(r.report, " | 27.000 |"), 1);
}

TEST(StageRun, ExamplePowerChainAgreesWithItsPrintedValues) {
  const RunResult r = runWithPassingEfficiency(exampleInput());
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
  const RunResult r = runWithPassingEfficiency(exampleInput());
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
  ASSERT_TRUE(has(r.console, "YENIDEN BASLATMAK GEREKIR - STOP"));
  const std::vector<double> said = numbersAfter(r.console, "VARSAYILAN VERIM =  .300 ILE HESAPLANAN VERIM");
  ASSERT_EQ(said.size(), 1u);
  EXPECT_NEAR(numberAfter(r.console, "ETAD ="), said[0], 1e-9);
  EXPECT_NEAR(numberAfter(r.console, "HESAPLANAN VERIM ="), said[0], 1e-9);
  // Pause, then stop; nothing after the cavitation checks in the report.
  const std::size_t msg = r.console.find("YENIDEN BASLATMAK");
  const std::size_t pause = r.console.find("Pause - Please enter a blank line", msg);
  EXPECT_LT(pause, r.console.find("Stop - Program terminated.", msg));
  EXPECT_FALSE(has(r.console, "PROGRAM CALISMASI TAMAMLANDI"));
  EXPECT_FALSE(has(r.report, "SEYIR TECRUBESI SIRASINDA GEREKLI GUC"));
  EXPECT_FALSE(has(r.report, "SECILEN PERVANE\n"));
  const std::vector<std::string> lines = linesOf(r.report);
  ASSERT_GE(lines.size(), 2u);
  EXPECT_EQ(lines[lines.size() - 2], "  Vtip = " + lines[lines.size() - 2].substr(9, 6) + " m/s  (Vtip-Kanat ucu hizi<30 m/s olmali)");
}

TEST(StageRun, EachPropellerTask) {
  const std::string base = exampleInput();
  // 1: diameter given, optimum revolutions.
  RunResult r = runWithPassingEfficiency(base);
  expectCompleteStage(r);
  EXPECT_TRUE(has(r.console, "Kt/J^2"));
  EXPECT_NEAR(numberAfter(r.report, "PERVANE CAPI  - DIAM      ="), 8.0, 1e-9);

  // 2: diameter and revolutions given: the smallest pitch ratio that gives the thrust.
  r = runWithPassingEfficiency(withRecord(base, kRevolutions, "100.0"));
  expectCompleteStage(r);
  EXPECT_FALSE(has(r.console, "Kt/J^2"));
  EXPECT_NEAR(numberAfter(r.report, "DEVIR            -     N  ="), 100.0, 1e-9);
  EXPECT_NEAR(numberAfter(r.report, "PERVANE CAPI  - DIAM      ="), 8.0, 1e-9);

  // 3: revolutions given, optimum diameter; the note on Keller's area ratio.
  r = runWithPassingEfficiency(withRecord(withRecord(base, kDiameter, "0.0"), kRevolutions, "100.0"));
  expectCompleteStage(r);
  EXPECT_TRUE(has(r.console, "Kt/J^4"));
  EXPECT_TRUE(has(r.console, "Onemli Not:Kullanilan optimizasyon secenegi geregi olarak"));
  EXPECT_TRUE(has(r.console, "\n   daha dusuk acinim alani orani girmek yerinde olur.\n"));
  const double D3 = numberAfter(r.report, "PERVANE CAPI  - DIAM      =");
  EXPECT_NE(D3, 5.0);  // not Ta/2: the search found the diameter
  EXPECT_NEAR(numberAfter(r.report, "DEVIR            -     N  ="), 100.0, 1e-9);

  // 4: the fully given propeller is only evaluated.
  r = runWithPassingEfficiency(withRecord(withRecord(base, kRevolutions, "100.0"), kPitch, "1.05"));
  expectCompleteStage(r);
  EXPECT_TRUE(has(r.console, "BELIRLENEN PERVANE KULLANILMISTIR."));
  EXPECT_NEAR(numberAfter(r.report, "PIC ORANI - P/D  - SABIT  ="), 1.05, 1e-9);
  EXPECT_FALSE(has(r.console, "Onemli Not"));
}

TEST(StageRun, NoTaskFromDiameterAndRevolutionsStopsAtTheSearch) {
  // A diameter below 0.1 without revolutions, or revolutions of exactly 0.1:
  // no search applies, so the stage stops there instead of going on with an
  // empty propeller (zero efficiency, infinite power, "NaN" rows).
  for (const std::string& input : {withRecord(exampleInput(), kDiameter, "0.02"),
                                   withRecord(exampleInput(), kRevolutions, "0.1")}) {
    const RunResult r = runCase(input, "0.0\n" + kFourBladesKeepKeller);
    EXPECT_EQ(r.status, 0);
    for (const std::string* out : {&r.console, &r.report})
      EXPECT_TRUE(has(*out, "PERVANE HESABI SECILEMIYOR")) << *out;
    EXPECT_FALSE(has(r.console, "HESAPLANAN VERIM"));
    EXPECT_FALSE(has(r.report, "SEVK KARAKTERISTIKLERI"));
    EXPECT_TRUE(has(r.console, "Stop - Program terminated."));
  }
}

TEST(StageRun, GawnSeriesTakesThreeBladesWhateverTheAnswer) {
  const RunResult r = runWithPassingEfficiency(withRecord(exampleInput(), kPropellers, "1   2   0"));
  expectCompleteStage(r);
  EXPECT_TRUE(has(r.report, "KANAT SAYISI     -     Z  =    3"));
  EXPECT_TRUE(has(r.console, "| KANAT SAYISI (Z)    =      3.     |"));
  EXPECT_TRUE(has(r.console, "GAWN SERISI PERVANE ACIK SU KARAKTERISTIKLERI"));
  // Keller's ratio with three blades: (0.3*3 + 1.3) Tp 1000 / ((g rho Hsd + 98300) D^2) + 0.2,
  // with Tp as the report prints it and Hsd = 0.68 Ta (no shaft height given).
  const std::vector<double> tp = numbersAfter(r.report, "T  = ( Rt/(1-t) ) / Nprop = (");
  ASSERT_EQ(tp.size(), 5u);
  const double keller = 2.2 * tp[4] * 1000.0 / ((9.81 * 1025.0 * 6.8 + 98300.0) * 64.0) + 0.2;
  EXPECT_NEAR(numberAfter(r.report, "Keller EAR ="), keller, 1e-3);
}

TEST(StageRun, TwinScrewSharesTheThrust) {
  const RunResult r = runWithPassingEfficiency(withRecord(exampleInput(), kPropellers, "2   1   0"));
  expectCompleteStage(r);
  EXPECT_TRUE(has(r.report, "Pervane Sayisi - NPROP =  2"));
  const std::vector<double> tp = numbersAfter(r.report, "T  = ( Rt/(1-t) ) / Nprop = (");
  ASSERT_EQ(tp.size(), 5u);
  EXPECT_EQ(tp[3], 2.0);
  EXPECT_NEAR(tp[4], tp[0] / (1.0 - tp[2]) / 2.0, 1e-3 * tp[4]);  // t printed to 3 decimals
}

TEST(StageRun, PoddedPropulsionNote) {
  const RunResult r = runWithPassingEfficiency(withRecord(exampleInput(), kPropellers, "1   1   1"));
  expectCompleteStage(r);
  EXPECT_TRUE(has(r.report, "   Saft Jeneratoru gucu (toplam) - PPTO =   0. kW\n"
                            "    Not: Sevk Katsayilarinda POD lu pervane duzeltmes i yapilmistir.\n"));
  EXPECT_TRUE(has(r.report, "    Ship Hydromechanics Lab. Report No: 1545-P, 2006 \n"));
  // Without the pod the report's stage ends with the shaft-generator line.
  const RunResult plain = runWithPassingEfficiency(exampleInput());
  EXPECT_FALSE(has(plain.report, "POD lu pervane"));
}

TEST(StageRun, ControllablePitchPropeller) {
  const RunResult r = runWithPassingEfficiency(withRecord(exampleInput(), kControllablePitch, "1.0"));
  expectCompleteStage(r);
  EXPECT_TRUE(has(r.console, "HESAPLARDA C.P. PERVANE DUZELTMESI YAPILMISTIR"));
}

TEST(StageRun, CavitationNumberOutsideBurrillLimits) {
  // Shaft centre 70 m below the base line: the static head raises Sigma
  // from 0.31 to about 1.7 (proportional to g rho Hsd + 98300).
  const RunResult r = runWithPassingEfficiency(withRecord(exampleInput(), kShaftHeight, "-70.0"));
  expectCompleteStage(r);
  EXPECT_TRUE(has(r.console, "HATA - PERVANE KAVITASYON SAYISI - Sigma ="));
  EXPECT_TRUE(has(r.report, "HATA - PERVANE KAVITASYON SAYISI - Sigma ="));
  EXPECT_TRUE(has(r.console, "LUTFEN SAFT DERINLIGINI VEYA PERVANE DEVRINI DEGISTIRIN."));
  EXPECT_GT(numberAfter(r.console, "Sigma ="), 1.5);
  EXPECT_FALSE(has(r.console, "BURRIL KAVITASYON KRITERINE"));
  EXPECT_FALSE(has(r.report, "BURRIL KAVITASYON KRITERINE"));
  EXPECT_FALSE(has(r.report, "WAGENINGEN KAVITASYON KRIT."));
  EXPECT_EQ(count(r.report, "KANAT UCU GIRDABI (TIP VORTEX) TEHLIKESI KONTROLU"), 1);
}

TEST(StageRun, NoEnginePowerNoReachableSpeed) {
  const RunResult r = runWithPassingEfficiency(withRecord(exampleInput(), kEngine, "0.0   0.85"));
  expectCompleteStage(r);
  EXPECT_FALSE(has(r.console, "Ulasilacak hiz"));
  EXPECT_FALSE(has(r.report, "Ulasilacak hiz"));
  EXPECT_FALSE(has(r.report, "Toplam makina gucu - Pengine"));
  EXPECT_TRUE(has(r.report, "   Makina gucu (toplam)-Pengine =     0. kW"));
}

TEST(StageRun, EngineBeyondTheFastestSpeed) {
  const RunResult r = runWithPassingEfficiency(withRecord(exampleInput(), kEngine, "300000.0   0.85"));
  expectCompleteStage(r);
  EXPECT_TRUE(has(r.console, "Ulasilacak hiz V = 27.00 + knot."));
}

TEST(StageRun, EngineTooWeakForTheLowestSpeed) {
  const RunResult r = runWithPassingEfficiency(withRecord(exampleInput(), kEngine, "100.0   0.85"));
  EXPECT_EQ(r.status, 0);
  EXPECT_TRUE(has(r.console, "VERILEN ARALIKTA KOK YOKTUR - STOP"));
  EXPECT_TRUE(has(r.console, "Stop - Program terminated."));
  EXPECT_FALSE(has(r.console, "Ulasilacak hiz"));
  EXPECT_FALSE(has(r.console, "PROGRAM CALISMASI TAMAMLANDI"));
  EXPECT_TRUE(has(r.report, "SEVK KARAKTERISTIKLERI - MINIMUM SERVIS"));
  EXPECT_FALSE(has(r.report, "RPM : Pervane devir sayisi"));
}

TEST(StageRun, TrialSpeedMustBeInTheSpeedList) {
  // Within the list's range but not one of its speeds.
  RunResult r = runCase(withRecord(exampleInput(), kTrialSpeed, "24.0"), "0.6\n" + kFourBladesKeepKeller);
  EXPECT_EQ(r.status, 0);
  EXPECT_TRUE(has(r.console, "SEYIR TECRUBESI HIZI Vtrial = 24.000 knot HIZLAR LISTESINDE BULUNAMADI - STOP"));
  EXPECT_FALSE(has(r.console, "BASLANGIC ICIN GENEL VERIMI"));
  // Two thousandths off: not found; half a thousandth: found.
  r = runCase(withRecord(exampleInput(), kTrialSpeed, "25.002"), "0.6\n" + kFourBladesKeepKeller);
  EXPECT_TRUE(has(r.console, "HIZLAR LISTESINDE BULUNAMADI"));
  r = runCase(withRecord(exampleInput(), kTrialSpeed, "25.0005"), "0.6\n" + kFourBladesKeepKeller);
  EXPECT_FALSE(has(r.console, "HIZLAR LISTESINDE BULUNAMADI"));
  EXPECT_TRUE(has(r.console, "BASLANGIC ICIN GENEL VERIMI"));
}

TEST(StageRun, AreaRatioQuestion) {
  // "e" and "EVET" mean yes: the new area ratio is used.
  for (const char* yes : {"e", "EVET"}) {
    const RunResult r = runCase(exampleInput(), std::string("0.6\n4\n") + yes + "\n0.8\n\n\n");
    EXPECT_TRUE(has(r.console, "PERVANE DUZLENMIS ACININ ALANI ORANINI GIRIN")) << yes;
    EXPECT_NEAR(numberAfter(r.report, "Mevcut EAR ="), 0.8, 1e-9) << yes;
  }
  // "h" and an empty line keep Keller's value.
  for (const char* no : {"h", ""}) {
    const RunResult r = runCase(exampleInput(), std::string("0.6\n4\n") + no + "\n\n\n");
    EXPECT_FALSE(has(r.console, "PERVANE DUZLENMIS ACININ ALANI ORANINI GIRIN")) << no;
    const std::vector<double> ear = numbersAfter(r.report, "Mevcut EAR =");
    ASSERT_EQ(ear.size(), 2u);
    EXPECT_EQ(ear[0], ear[1]) << no;
  }
}

TEST(StageRun, MissingAnswerIsAReadFailureNotAHang) {
  for (const char* answers : {"", "0.6\n", "0.6\n4\n", "0.6\n4\nE\n", "abc\n"}) {
    const RunResult r = runCase(exampleInput(), answers);
    EXPECT_NE(r.status, 0) << answers;
    EXPECT_FALSE(has(r.console, "SECILEN PERVANE")) << answers;
  }
}

}  // namespace
}  // namespace gemi
