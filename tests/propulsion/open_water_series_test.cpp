// Open-water series: the coefficient table against the committed copy of the
// published table, published open-water values, and the corrections.
// Expected values marked "python" were computed in double precision by a
// separate script that sums the terms of data/wageningen-b-series.csv
// directly (with the Gawn replacements and the Reynolds correction written
// out from their formulas).
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <fstream>
#include <sstream>
#include <string>

#include "propulsion/b_series_terms.h"
#include "propulsion/open_water_series.h"

namespace gemi {
namespace {

struct CsvTerm {
  std::string table;
  int term;
  std::string coefficient;
  int s, t, u, v;
};

std::vector<CsvTerm> readCsv() {
  std::ifstream f(std::string(GEMI_SOURCE_DIR) + "/data/wageningen-b-series.csv");
  std::vector<CsvTerm> rows;
  std::string line;
  std::getline(f, line);  // column names
  while (std::getline(f, line)) {
    if (line.empty()) continue;
    std::replace(line.begin(), line.end(), ',', ' ');
    std::istringstream cells(line);
    CsvTerm r;
    cells >> r.table >> r.term >> r.coefficient >> r.s >> r.t >> r.u >> r.v;
    EXPECT_TRUE(cells) << line;
    rows.push_back(r);
  }
  return rows;
}

TEST(BSeriesTable, EqualsThePublishedTableTermByTerm) {
  const std::vector<CsvTerm> rows = readCsv();
  ASSERT_EQ(rows.size(), std::size_t{kKtTerms + kKqTerms});
  int kt = 0, kq = 0;
  for (const CsvTerm& r : rows) {
    const bool isKT = r.table == "KT";
    ASSERT_TRUE(isKT || r.table == "KQ") << r.table;
    const int index = isKT ? kt++ : kq++;
    ASSERT_EQ(r.term, index + 1) << "terms in published order";
    const SeriesTerm& m = isKT ? kBSeriesKT[static_cast<std::size_t>(index)] : kBSeriesKQ[static_cast<std::size_t>(index)];
    SCOPED_TRACE(r.table + " term " + std::to_string(r.term));
    EXPECT_EQ(m.c, std::strtof(r.coefficient.c_str(), nullptr));
    EXPECT_EQ(m.s, r.s);
    EXPECT_EQ(m.t, r.t);
    EXPECT_EQ(m.u, r.u);
    EXPECT_EQ(m.v, r.v);
  }
  EXPECT_EQ(kt, kKtTerms);
  EXPECT_EQ(kq, kKqTerms);
}

SeriesState at(float J) { return {.J = J}; }

// Published open-water values of the regression (Kuiper, The Wageningen
// Propeller Series, 1992).
TEST(BSeries, ReproducesPublishedOpenWaterValues) {
  SeriesState st = at(0.1f);
  BSERIES(1.4f, 0.65f, 6.0f, 0.0f, st);  // B6-65
  EXPECT_NEAR(st.KT, 0.588951f, 1e-5);
  EXPECT_NEAR(10.0f * st.KQ, 1.176909f, 1e-5);

  st = at(0.2f);
  BSERIES(0.5f, 0.40f, 3.0f, 0.0f, st);  // B3-40
  EXPECT_NEAR(st.KT, 0.135395f, 1e-5);
  EXPECT_NEAR(10.0f * st.KQ, 0.125396f, 1e-5);
  // ETA0 = KT J / (2 pi KQ)
  EXPECT_NEAR(st.ETA0, 0.135395 * 0.2 / (2 * M_PI * 0.0125396), 2e-5);

  st = at(0.5f);
  BSERIES(1.0f, 0.55f, 4.0f, 0.0f, st);  // B4-55, python: 0.265248758, 0.0417838427, 0.505167167
  EXPECT_NEAR(st.KT, 0.265248758f, 2e-6);
  EXPECT_NEAR(st.KQ, 0.0417838427f, 5e-7);
  EXPECT_NEAR(st.ETA0, 0.505167167f, 5e-6);
}

TEST(BSeries, ControllablePitchTakesTwoPerCentOfEfficiencyThroughTheThrust) {
  SeriesState plain = at(0.5f), cp = at(0.5f), nearlyCp = at(0.5f);
  BSERIES(1.0f, 0.55f, 4.0f, 0.0f, plain);
  BSERIES(1.0f, 0.55f, 4.0f, 1.0f, cp);
  EXPECT_EQ(cp.ETA0, 0.98f * plain.ETA0);
  EXPECT_EQ(cp.KQ, plain.KQ);
  EXPECT_EQ(cp.KT, cp.ETA0 * cp.KQ * 6.2831855f / 0.5f);
  EXPECT_NEAR(cp.KT, 0.259943783f, 2e-6);  // python

  BSERIES(1.0f, 0.55f, 4.0f, 1.0009f, nearlyCp);  // within 0.001 of 1
  EXPECT_EQ(nearlyCp.ETA0, cp.ETA0);
  SeriesState notCp = at(0.5f);
  BSERIES(1.0f, 0.55f, 4.0f, 1.0011f, notCp);
  EXPECT_EQ(notCp.ETA0, plain.ETA0);
}

TEST(BSeries, ScaleCorrectionWithoutDiameterTakesItFromAdvanceSpeedAndRevolutions) {
  // DP = 0: D = VAP / (n J) = 5 / (2 * 0.5) = 5 m; python: KT 0.263199304,
  // KQ 0.0399686122, ETA0 0.524029581.
  SeriesState st{.J = 0.5f, .VAP = 5.0f, .RPMP = 120.0f};
  BSERIES(1.0f, 0.55f, 4.0f, 0.0f, st);
  EXPECT_NEAR(st.KT, 0.263199304f, 3e-6);
  EXPECT_NEAR(st.KQ, 0.0399686122f, 1e-6);
  EXPECT_NEAR(st.ETA0, 0.524029581f, 1e-5);

  SeriesState given{.J = 0.5f, .DP = 5.0f, .VAP = 5.0f, .RPMP = 120.0f};  // the same diameter given directly
  BSERIES(1.0f, 0.55f, 4.0f, 0.0f, given);
  EXPECT_NEAR(given.KT, st.KT, 1e-7);

  // Three blades use the wider chord; python with DP = 4: KT 0.160525873, KQ 0.023033273.
  SeriesState three{.J = 0.6f, .DP = 4.0f, .VAP = 5.0f, .RPMP = 120.0f};
  BSERIES(0.9f, 0.5f, 3.0f, 0.0f, three);
  EXPECT_NEAR(three.KT, 0.160525873f, 3e-6);
  EXPECT_NEAR(three.KQ, 0.023033273f, 1e-6);
  EXPECT_NEAR(three.ETA0, 0.665519474f, 1e-5);
}

TEST(Recorr, SubtractsTheReynoldsDragDifference) {
  // python, D = 5, P/D = 1, four blades, t/c = 0.0675/1.4251875, c/D = 0.2850375, s = 0.048
  const ReynoldsCorrection d =
      RECORR(5.0f, 1.0f, 4, 0.0675f / 1.4251875f, 1.4251875f / 5.0f, 0.048f, 10.0f, 1.13902E-6f, 1.18831E-6f);
  EXPECT_NEAR(d.DKT, 0.00204945380f, 1e-7);
  EXPECT_NEAR(d.DKQ, 0.00181523051f, 1e-7);
  // the second viscosity has no influence
  const ReynoldsCorrection e =
      RECORR(5.0f, 1.0f, 4, 0.0675f / 1.4251875f, 1.4251875f / 5.0f, 0.048f, 10.0f, 1.13902E-6f, 5.0f);
  EXPECT_EQ(d.DKT, e.DKT);
  EXPECT_EQ(d.DKQ, e.DKQ);
}

TEST(GSeries, IsThreeBladedAndSetsTheCallersBladeNumber) {
  // python (Gawn coefficients), J 0.8, P/D 1.2, EAR 0.9, Z 3: KT 0.248060341, KQ 0.0518767040
  float Z = 4.0f;
  SeriesState st = at(0.8f);
  GSERIES(1.2f, 0.9f, Z, 0.0f, st);
  EXPECT_EQ(Z, 3.0f);
  EXPECT_NEAR(st.KT, 0.248060341f, 2e-6);
  EXPECT_NEAR(st.KQ, 0.0518767040f, 5e-7);
  EXPECT_NEAR(st.ETA0, 0.608828648f, 5e-6);

  float closeToThree = 3.005f;  // within 0.01: kept and used
  SeriesState near = at(0.8f);
  GSERIES(1.2f, 0.9f, closeToThree, 0.0f, near);
  EXPECT_EQ(closeToThree, 3.005f);
  EXPECT_NEAR(near.KT, 0.248137585f, 2e-6);
  EXPECT_NEAR(near.KQ, 0.0518869469f, 5e-7);
}

TEST(GSeries, CorrectionsUseTheFixedGawnSection) {
  // python: controllable pitch, then the scale correction with D = 3.6 m,
  // t/c 0.0225, c/D 0.7: KT 0.239375460, KQ 0.0491282775, ETA0 0.620380597
  float Z = 3.0f;
  SeriesState st{.J = 0.8f, .DP = 3.6f, .VAP = 9.0f, .RPMP = 150.0f};
  GSERIES(1.2f, 0.9f, Z, 1.0f, st);
  EXPECT_NEAR(st.KT, 0.239375460f, 3e-6);
  EXPECT_NEAR(st.KQ, 0.0491282775f, 1e-6);
  EXPECT_NEAR(st.ETA0, 0.620380597f, 1e-5);
}

TEST(SeriesDispatch, ChoosesBySeriesNumberAndLeavesTheStateOtherwise) {
  float Z = 4.0f;
  SeriesState b = at(0.5f), g = at(0.5f), none = at(0.5f);
  none.KT = 7.0f;
  evaluateSeries(1, 1.0f, 0.55f, Z, 0.0f, b);
  EXPECT_EQ(Z, 4.0f);
  evaluateSeries(2, 1.0f, 0.55f, Z, 0.0f, g);
  EXPECT_EQ(Z, 3.0f);
  EXPECT_NE(b.KT, g.KT);
  evaluateSeries(3, 1.0f, 0.55f, Z, 0.0f, none);
  EXPECT_EQ(none.KT, 7.0f);
}

}  // namespace
}  // namespace gemi
