// Report writers of the tables after the speed loop, on hand-made run states.
#include "reports/tables.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "../support/run_harness.h"
#include "estimates/propulsion_survey.h"

namespace gemi {
namespace {

using testing::anyContains;
using testing::hasLine;
using testing::linesOf;
using testing::readFile;
using testing::StateRun;

// A small ship state: seven speeds 10 .. 16 kn with simple per-speed values.
void fillSpeeds(RunState& s) {
  s.in.NV = 7;
  s.in.RHO = 1025.0f;
  s.in.S = 2000.0f;
  for (int i = 1; i <= 7; ++i) {
    s.in.VS(i) = 9.0f + static_cast<float>(i);
    s.sp.Fn(i) = 0.15f + 0.01f * static_cast<float>(i);
    s.sp.CV(i) = 2.0e-3f;
    s.sp.CA(i) = 0.4e-3f;
    s.sp.CR(i) = 0.5e-3f;
    s.sp.CT(i) = 2.9e-3f;
    s.sp.RTOTAL(i) = 100.0f;
    s.sp.RAPP(i, 0) = 2.0f;
    s.sp.PE(i) = 500.0f;
  }
}

TEST(SummaryTables, WithoutFactorsNoCorrectionIsMade) {
  StateRun t;
  fillSpeeds(t.run.s);
  t.run.s.sp.PE(1) = 812.7f;  // truncated, not rounded
  writeSummaryTables(t.run);
  const auto rep = t.report();
  EXPECT_TRUE(hasLine(rep, " Dalga direnci duzeltmesi yapilmamistir."));
  EXPECT_FALSE(anyContains(rep, "DUZENLENMIS HESAP"));
  // Row 1: Rn 0 -> .000, Cv 2.000, Cr .500, Ca .400, Ct 2.900, Pe 812, Rapp/Rt 2 %.
  EXPECT_TRUE(hasLine(rep, "  1  10.00     .160     .000     .000    2.000     .500     .400    2.900    812    2.00"));
  EXPECT_EQ(t.run.s.sp.PE(1), 812.7f);
  EXPECT_TRUE(t.console().empty());  // the driver writes the console's two empty lines
}

TEST(SummaryTables, ThreeFactorsCorrectTheResidualResistance) {
  StateRun t;
  fillSpeeds(t.run.s);
  t.run.s.in.NDF = 3;
  t.run.s.in.DF(1) = 1.0f;
  t.run.s.in.DF(2) = 1.1f;
  t.run.s.in.DF(3) = 1.2f;
  writeSummaryTables(t.run);
  const SpeedResults& sp = t.run.s.sp;
  // Factor points at 10, 13 and 16 knots.
  EXPECT_EQ(sp.CR(1), 0.5e-3f);
  EXPECT_FLOAT_EQ(sp.CR(4), 0.55e-3f);
  EXPECT_NEAR(sp.CR(7), 0.6e-3f, 1e-9f);
  // 13 kn: CT 2.95e-3, RTOTAL = (13*0.5144)**2*2.95e-3*1025*2000/2*0.001
  // = 135.2180 kN, PE = 904.2298 kW (python3); appendages stay.
  EXPECT_NEAR(sp.RTOTAL(4), 135.2180, 2e-4);
  EXPECT_NEAR(sp.PE(4), 904.2298, 2e-3);
  EXPECT_EQ(sp.RAPP(4, 0), 2.0f);
  const auto rep = t.report();
  EXPECT_TRUE(anyContains(rep, "GEMI DIRENC KARAKTERISTIKLERI - DUZENLENMIS HESAP"));
  // Rapp share 2/135.218*100 = 1.479 %.
  EXPECT_TRUE(hasLine(rep, "  4  13.00     .190     .000     .000    2.000     .550     .400    2.950    904    1.48"));
}

TEST(PropulsionSurveyHeader, LongSpeedListContinuesInRecordsOfFifteen) {
  StateRun t;
  SpeedArray VS;
  for (int i = 1; i <= 17; ++i) VS(i) = 9.0f + static_cast<float>(i);
  float Cwp = 0.75f;
  writePropulsionSurveyWithHeader(t.run.report, 120.0f, 19.0f, 5.2f, 6355.0f, 0.93f, Cwp, 17, VS, 3.6f);
  const auto rep = t.report();
  EXPECT_TRUE(hasLine(rep, " 17 -   10.000  11.000  12.000  13.000  14.000  15.000  16.000  17.000  18.000  19.000"
                           "  20.000  21.000  22.000  23.000  24.000"));
  EXPECT_TRUE(hasLine(rep, " 17 -   25.000  26.000"));
  EXPECT_TRUE(hasLine(rep, " L=120.00 m. - B=19.000 m. - T= 5.200 m. - Depl= 6355.00 ton"));
}

TEST(SpeedCount, TooFewSpeedsWithAPropellerEndTheResistanceHalf) {
  StateRun t;
  t.run.s.in.NV = 3;
  EXPECT_TRUE(tooFewSpeedsForPropulsion(t.run));
  const auto rep = t.report();
  ASSERT_EQ(rep.size(), 3u);
  EXPECT_EQ(rep[1], "   HIZ SAYISI 4 den KUCUK GIRILDI BU DURUMDA SEVK ANALIZI YAPILAMAZ");
  EXPECT_EQ(rep[2], "        PROGRAM DURDURULDU");
  EXPECT_EQ(t.console().size(), 2u);
  StateRun four;
  four.run.s.in.NV = 4;
  EXPECT_FALSE(tooFewSpeedsForPropulsion(four.run));
  StateRun noProp;
  noProp.run.s.in.NV = 3;
  noProp.run.s.in.NOPROP = 1;
  EXPECT_FALSE(tooFewSpeedsForPropulsion(noProp.run));
  EXPECT_TRUE(noProp.report().empty());
}

TEST(ModelReport, SmallScaleRemovesAnOldReportAndToleratesItsAbsence) {
  StateRun t;
  t.run.s.in.MSCALE = 1.0f;
  gemi::testing::writeFile(t.run.file(kModelReportFileName), "old\n");
  runModelReport(t.run);
  EXPECT_FALSE(std::filesystem::exists(t.run.file(kModelReportFileName)));
  EXPECT_NO_THROW(runModelReport(t.run));
}

TEST(ModelReport, RisingHumpGivesNoReadingsAndSaysWhy) {
  StateRun t;
  RunState& s = t.run.s;
  s.in.NV = 3;
  s.in.MSCALE = 25.0f;
  s.in.TEMPm = 15.0f;
  s.in.S = 2000.0f;
  s.in.Lwl = 100.0f;
  s.hull.FFN = 1.2f;
  for (int i = 1; i <= 3; ++i) s.in.VS(i) = 11.0f + static_cast<float>(i);
  s.sp.CR(2) = 0.02f;  // resistance at 13 kn above that at 14 kn
  s.sp.CR(3) = 0.001f;
  runModelReport(t.run);
  const auto model = linesOf(readFile(t.run.file(kModelReportFileName)));
  EXPECT_EQ(model[3], " !             MODEL DIRENC DEGERI HESAP PROGRAMI                       !");
  EXPECT_TRUE(hasLine(model, " MODEL DIRENCI HIZLA SUREKLI ARTMADIGINDAN OLCUM DEGERLERI HESAPLANMADI."));
  EXPECT_TRUE(hasLine(model, " Model Olcegi..................: 1/ 25.0"));
  // Salt water at 15 degrees for the ship, fresh water at 15 for the model.
  EXPECT_TRUE(hasLine(model, " Su Yogunluklari - kg/m3 ......: 1025.9 /  999.0"));
  EXPECT_TRUE(hasLine(model, " Su Viskoziteleri - m2/s*10^6..:  1.188 /  1.139"));
}

TEST(ModelReport, TankTemperatureOutsideTheTablesLeavesTheTitleBlockOnly) {
  StateRun t("\n");
  t.run.s.in.NV = 1;
  t.run.s.in.MSCALE = 25.0f;
  t.run.s.in.TEMPm = 31.0f;
  EXPECT_THROW(runModelReport(t.run), StopRun);
  EXPECT_EQ(linesOf(readFile(t.run.file(kModelReportFileName))).size(), 5u);
  const auto con = t.console();  // carriage control takes the first column
  EXPECT_TRUE(hasLine(con, "MODEL DENEY SICAKLIGI TABLO DISI - STOP"));
  EXPECT_TRUE(hasLine(con, " T =   31.00 derece"));
}

TEST(FormFactors, NoModelScaleUsesAQuarterOfTheLengthForBsra) {
  // Example ship (Lwl = Lbp = 205, B = 32, T = 10, CB = 37500/(10*32*205),
  // S = 7381.45): BSRA with scale 51.25 and fresh water at 15 degrees is
  // 1.2163110 (python3, see form_factors_test.cpp); Grigson-2 1.2011449,
  // Watanabe 1.1043355, Conn & Ferguson 1.1488979, Wright 1.1897755.
  StateRun t;
  RunState& s = t.run.s;
  s.in.Lwl = s.in.Lbp = 205.0f;
  s.in.B = 32.0f;
  s.in.S = 7381.45f;
  s.in.GRAV = 9.81f;
  s.in.MSCALE = 0.005f;
  s.hull.T = 10.0f;
  s.hull.CB = 37500.0f / (10.0f * 32.0f * 205.0f);
  s.hull.FFN = 1.2f;
  s.hull.FFG = 1.25f;
  writeModelAndFormFactors(t.run);
  EXPECT_EQ(s.in.MSCALE, 0.0f);
  const auto rep = t.report();
  EXPECT_FALSE(anyContains(rep, "MODEL DIRENC KARAKTERISTIKLERI"));
  EXPECT_TRUE(hasLine(rep, "   1+k : 1.200 Form Faktoru ( 1+k = 1.250 - Grigson-1, 1.216 - BSRA )"));
  EXPECT_TRUE(hasLine(rep, "                            ( 1+k = 1.201 - Grigson-2, 1.104 - Watanabe )"));
  EXPECT_TRUE(hasLine(rep, "                            ( 1+k = 1.149 - Conn & Ferguson, 1.190 - Wright )"));
}

}  // namespace
}  // namespace gemi
