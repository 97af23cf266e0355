// Whole runs of the example ship through the tables after the speed loop.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "../support/run_harness.h"
#include "run/run.h"

namespace gemi {
namespace {

using testing::contains;
using testing::exampleInput;
using testing::hasLine;
using testing::linesOf;
using testing::runCase;
using testing::withRecord;

// The example ship without a propeller (no diameter, no revolutions).
std::string noPropeller(const std::string& input) { return withRecord(input, 31, "0"); }

const std::string kTooFew1 = "   HIZ SAYISI 4 den KUCUK GIRILDI BU DURUMDA SEVK ANALIZI YAPILAMAZ";
const std::string kTooFew2 = "        PROGRAM DURDURULDU";

// Example ship: Lwl = Lbp = 205, B = 32, T = 10, V = 37500, S = 7381.45,
// CB = 37500/(10*32*205), model scale 24 in fresh water at 15 degrees.
// Hand calculation (python3, double precision):
//   Grigson-2 (S/Lwl**2)*sqrt(CB*B/Lwl)*3.3+1.028 = 1.2011
//   Watanabe CB*25.6/((Lwl/B)**2*sqrt(B/T))+0.905 = 1.1043
//   Conn & Ferguson (CB*B/Lwl)**2*18.7+1 = 1.1489
//   Wright (B/Lbp)**0.3856*(B/T)*CB**0.1526*0.132184+1 = 1.1898
//   BSRA, FnB = (0.0505/CB**1.244)*scale**0.178, VmB = sqrt(9.81*Lbp/scale)*FnB,
//   RnB = (Lbp/scale)*VmB/1.13902e-6:
//   (B/T)**0.08*(B/Lbp)**0.3195*(RnB**0.025*1.893)*FnB**0.124*CB**0.2286
//   = 1.2265 with scale 24, 1.2163 with scale Lbp/4 = 51.25.
TEST(TablesRun, FormFactorsOfTheExampleShip) {
  const auto r = runCase(noPropeller(exampleInput()));
  const auto report = linesOf(r.report);
  EXPECT_TRUE(contains(r.report, " - Grigson-1, 1.226 - BSRA )"));
  EXPECT_TRUE(hasLine(report, "                            ( 1+k = 1.201 - Grigson-2, 1.104 - Watanabe )"));
  EXPECT_TRUE(hasLine(report, "                            ( 1+k = 1.149 - Conn & Ferguson, 1.190 - Wright )"));
  EXPECT_TRUE(contains(r.report, "MODEL DIRENC KARAKTERISTIKLERI"));
  ASSERT_TRUE(r.modelReport);
  EXPECT_TRUE(contains(*r.modelReport, " Model Olcegi..................: 1/ 24.0"));
}

TEST(TablesRun, WithoutModelScaleBsraTakesAQuarterOfTheLengthAndNoModelReportRemains) {
  testing::TempDir dir;
  testing::writeFile(dir.path() / kInputFileName, withRecord(noPropeller(exampleInput()), 15, "0   15.0"));
  testing::writeFile(dir.path() / kModelReportFileName, "an earlier run's model report\n");
  const auto r = testing::runIn(dir.path());
  EXPECT_TRUE(contains(r.report, " - Grigson-1, 1.216 - BSRA )"));
  EXPECT_FALSE(contains(r.report, "MODEL DIRENC KARAKTERISTIKLERI"));
  EXPECT_FALSE(r.modelReport);
  EXPECT_EQ(r.state.in.MSCALE, 0.0f);
}

TEST(TablesRun, ThreeSpeedsWithAPropellerEndBeforeThePropulsionStage) {
  const auto r = runCase(withRecord(withRecord(exampleInput(), 17, "3   15.0  17.0  19.0"), 18, "17.0"), "\n");
  const auto report = linesOf(r.report);
  const auto it = std::find(report.begin(), report.end(), kTooFew1);
  ASSERT_NE(it, report.end());
  EXPECT_EQ(*(it - 1), "");
  EXPECT_EQ(*(it + 1), kTooFew2);
  EXPECT_FALSE(contains(r.report, "TAKINTI DIRENC DEGERLERI"));
  EXPECT_TRUE(contains(r.console, kTooFew1.substr(1)));
  EXPECT_TRUE(contains(r.console, kTooFew2.substr(1)));
}

TEST(TablesRun, CorrectionFactorsReachTheCorrectedSummary) {
  const auto plain = runCase(noPropeller(exampleInput()));
  const auto r = runCase(withRecord(noPropeller(exampleInput()), 43, "3   1.0   1.1   1.2"));
  EXPECT_TRUE(contains(r.report, "GEMI DIRENC KARAKTERISTIKLERI - DUZENLENMIS HESAP"));
  EXPECT_FALSE(contains(r.report, " Dalga direnci duzeltmesi yapilmamistir."));
  EXPECT_TRUE(contains(plain.report, " Dalga direnci duzeltmesi yapilmamistir."));
  // Factor points at 15, 21 and 27 knots: the residual coefficient at 21 kn
  // (speed 4) is 1.1 times, at 27 kn (speed 7) 1.2 times the uncorrected one.
  EXPECT_FLOAT_EQ(r.state.sp.CR(1), plain.state.sp.CR(1));
  EXPECT_FLOAT_EQ(r.state.sp.CR(4), 1.1f * plain.state.sp.CR(4));
  EXPECT_NEAR(r.state.sp.CR(7), 1.2f * plain.state.sp.CR(7), 1e-6f * plain.state.sp.CR(7));
  EXPECT_GT(r.state.sp.PE(7), plain.state.sp.PE(7));
  EXPECT_EQ(r.state.sp.RAPP(7, 0), plain.state.sp.RAPP(7, 0));
}

}  // namespace
}  // namespace gemi
