// The input section of the report and the appendage totals it forms.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "run/input_report.h"
#include "../support/run_harness.h"

namespace gemi {
namespace {

using testing::exampleInput;
using testing::lineStartingWith;
using testing::linesOf;
using testing::runCase;
using testing::withRecord;

const std::string kRule(60, '=');

// The report lines from the first rule of the input section (after the five
// lines of the title block) up to its last rule, which is followed by three
// empty records, a rule and the output heading.
std::vector<std::string> inputSection(const std::string& report) {
  const auto lines = linesOf(report);
  std::size_t end = 0;
  while (end < lines.size() && lines[end] != "                    CIKIS BILGILERI") ++end;
  if (end == lines.size() || end < 10) return {"<no output heading>"};
  return {lines.begin() + 5, lines.begin() + static_cast<long>(end) - 5};
}

// The appendage list: the lines between the column headings and the dashes.
std::vector<std::string> appendageLines(const std::string& report) {
  const auto lines = linesOf(report);
  std::vector<std::string> out;
  bool inList = false;
  for (const auto& line : lines) {
    if (line == std::string(60, '-')) break;
    if (inList) out.push_back(line);
    if (line.find("(1+k2)") != std::string::npos) inList = true;
  }
  return out;
}

// The example's input section, rendered by hand from the record templates.
TEST(InputReport, ExampleSection) {
  const auto r = runCase(exampleInput());
  const std::vector<std::string> expected{
      kRule,
      "          HOLTROP & MENNEN GUC TAHMINI PROGRAMI",
      "                    GIRIS BILGILERI",
      kRule,
      "",
      "",
      "  SU HATTI BOYU     Lwl= 205.000 m",
      "  KAIMELERARASI BOY Lbp= 205.000 m",
      "  KALIP GENISLIGI     B=  32.000 m",
      "  BAS DRAFT          Tf=  10.000 m",
      "  KIC DRAFT          Ta=  10.000 m",
      "  DEPLASMAN HACMI    V =37500.000 m3",
      "  LCB               LCB=  -1.538 m Lbp/2 den",
      "  BALP KESIT ALANI  ABT=  20.000 m",
      "  B.K.A. AGIR. MERK BL DEN YUKS. HB=   4.000 m",
      "  BATIK AYNA KIC ALANI AT=  16.000 m2",
      "  ORTA KESIT N.K. - Cm = .980",
      "  YUKLU SU HATTI N.K - Cwp = .750",
      "  KIC FORM PARAMETRESI Cstern=  10.000",
      kRule,
      "          HIZ HESAPLAMA ARALIGI -(KNOTS) ",
      "                     1-  15.000",
      "                     2-  17.000",
      "                     3-  19.000",
      "                     4-  21.000",
      "                     5-  23.000",
      "                     6-  25.000",
      "                     7-  27.000",
      "          SEYIR TECRUBESI HIZI - Vseyir =   25.000 knots",
      kRule,
      "     MEVCUT TAKINTILAR",
      "     -------------------------------   ALAN     FORM FAKTORU",
      "                                        m2            (1+k2)   ",
      "  1- SKEG ARKASINDAKI DUMEN            50.000         1.500",
      std::string(60, '-'),
      "  TOPLAM TAKINTI ALANI - Stot =  50.00 m2",
      "  TAKINTI EFEKTIF FORM FAKTORU (1+K2)eff= 1.500",
      kRule,
      "  AKISKAN YOGUNLUGU - RHO =   1025.00 kg/m3 ",
      "  YERCEKIMI IVMESI - GRAV =   9.81000 m/sn2 ",
      kRule,
      "  ----------- PERVANE BILGILERI ----------",
      "  PERVANE CAPI - D =  8.000 m",
      "  PERVANE SAYISI - NPROP =   1",
      "  PERVANE SAFT DERINLIGI - Hsd =  6.800 m",
      "  MAX. SUREKLI MAKINA DEVRI - MCR =   .850",
      kRule,
  };
  EXPECT_EQ(inputSection(r.report), expected);
  EXPECT_EQ(r.state.app.Stot, 50.0f);
  EXPECT_EQ(r.state.app.K2eff, 1.5f);  // one appendage: its own form factor
}

TEST(InputReport, OnlyAppendagesAboveATenthOfASquareMetreAreListedAndSummed) {
  // Appendages 2 and 7 with 5 and 3 m2 and their defaults 1.40 and 2.00:
  // Stot = 8, (1+K2)eff = (5*1.4 + 3*2.0)/8 = 13/8 = 1.625.
  std::string text = withRecord(exampleInput(), 19, "0.1 2.0");  // exactly 0.1: not listed
  text = withRecord(text, 20, "5 0");
  text = withRecord(text, 25, "3 0");
  const auto r = runCase(text);
  EXPECT_EQ(appendageLines(r.report), (std::vector<std::string>{
                                          "  1- TEK PERVANELI GEMI DUMENI          5.000         1.400",
                                          "  2- BOSALAR                            3.000         2.000",
                                      }));
  EXPECT_EQ(lineStartingWith(r.report, "  TOPLAM"), "  TOPLAM TAKINTI ALANI - Stot =   8.00 m2");
  EXPECT_EQ(lineStartingWith(r.report, "  TAKINTI"), "  TAKINTI EFEKTIF FORM FAKTORU (1+K2)eff= 1.625");
  EXPECT_EQ(r.state.app.Stot, 8.0f);
  EXPECT_EQ(r.state.app.K2eff, 1.625f);
}

TEST(InputReport, ThreeAppendagesWeightedByArea) {
  // Rudder behind skeg 12 m2 (1.75), skeg 8 m2 (1.75), bilge keels 20 m2 (1.40):
  // Stot = 40, (1+K2)eff = (21 + 14 + 28)/40 = 1.575 exactly in decimal;
  // single precision gives 1.57500005 (python3: numpy.float32(63)/numpy.float32(40)).
  std::string text = withRecord(exampleInput(), 19, "12 0");
  text = withRecord(text, 23, "8 0");
  text = withRecord(text, 29, "20 0");
  const auto r = runCase(text);
  EXPECT_EQ(appendageLines(r.report).size(), 3u);
  EXPECT_EQ(appendageLines(r.report)[2], "  3- YALPA OMURGASI                    20.000         1.400");
  EXPECT_EQ(lineStartingWith(r.report, "  TOPLAM"), "  TOPLAM TAKINTI ALANI - Stot =  40.00 m2");
  EXPECT_EQ(lineStartingWith(r.report, "  TAKINTI"), "  TAKINTI EFEKTIF FORM FAKTORU (1+K2)eff= 1.575");
  EXPECT_FLOAT_EQ(r.state.app.K2eff, 1.575f);
}

TEST(InputReport, NoAppendagesAndNoPropellerBlock) {
  // No appendage: empty list, Stot = 0 and (1+K2)eff = 0. D = 0: the
  // propeller block is left out and two rules follow each other.
  std::string text = withRecord(exampleInput(), 19, "0 0");
  text = withRecord(text, 31, "0");
  const auto r = runCase(text);
  EXPECT_TRUE(appendageLines(r.report).empty());
  EXPECT_EQ(lineStartingWith(r.report, "  TOPLAM"), "  TOPLAM TAKINTI ALANI - Stot =    .00 m2");
  EXPECT_EQ(lineStartingWith(r.report, "  TAKINTI"), "  TAKINTI EFEKTIF FORM FAKTORU (1+K2)eff=  .000");
  const auto section = inputSection(r.report);
  ASSERT_GE(section.size(), 3u);
  EXPECT_EQ(section[section.size() - 3], "  YERCEKIMI IVMESI - GRAV =   9.81000 m/sn2 ");
  EXPECT_EQ(section[section.size() - 2], kRule);
  EXPECT_EQ(section.back(), kRule);
  // D = 0.05 shows the block.
  EXPECT_EQ(lineStartingWith(runCase(withRecord(exampleInput(), 31, "0.05")).report, "  PERVANE CAPI"),
            "  PERVANE CAPI - D =   .050 m");
}

TEST(InputReport, TotalsSkipSmallAreasAndZeroTotal) {
  InputData in;
  AppendageCatalogue app;
  for (int j = 1; j <= kAppendages; ++j) app.FF2(j) = 1.0f + 0.1f * j;
  in.AREA(3) = 0.1f;
  in.AREA(4) = 0.10001f;
  in.AREA(11) = -5.0f;
  auto t = appendageTotals(in, app);
  EXPECT_EQ(t.listed, std::vector<int>{4});  // 0.1 itself and negative areas are left out
  EXPECT_EQ(t.Stot, 0.10001f);
  EXPECT_FLOAT_EQ(t.K2eff, 1.4f);  // one appendage: its own form factor
  in.AREA(4) = 0.0f;
  t = appendageTotals(in, app);
  EXPECT_TRUE(t.listed.empty());
  EXPECT_EQ(t.Stot, 0.0f);
  EXPECT_EQ(t.K2eff, 0.0f);  // nothing listed: 0, not a ratio of zeros
}

TEST(InputReport, WideValuesBecomeAsterisks) {
  const auto r = runCase(withRecord(exampleInput(), 6, "123456.7"));
  EXPECT_EQ(lineStartingWith(r.report, "  DEPLASMAN"), "  DEPLASMAN HACMI    V =********* m3");
}

}  // namespace
}  // namespace gemi
