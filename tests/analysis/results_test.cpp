// The results record and its exports: every value read back from the CSV
// tables and the JSON record is the run state's float, bit for bit.
#include "analysis/results.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>

#include "analysis_support.h"

namespace gemi::testing {
namespace {

using analysis::EndKind;
using analysis::Results;

struct Exported {
  TempDir dir;
  RunResult run;
  Results results;
};

// A whole run of `input` with `answers`, its record written into a scratch folder.
void exportRun(Exported& e, const std::string& input, const std::string& answers) {
  e.run = runCase(input, answers);
  e.results = analysis::buildResults(e.run.state, EndKind::Completed, "", {});
  analysis::writeTables(e.results, e.dir.path());
  analysis::writeJson(e.results, e.dir.path());
}

// The example exported once for the tests that only read it.
const Exported& example() {
  static Exported e;
  static const bool done = (exportRun(e, exampleInput(), kExampleAnswers), true);
  (void)done;
  return e;
}

// Column `name` of `file` equals `expected(i)` bit for bit at every row i (1 ..).
void expectColumn(const Csv& csv, const std::string& name, std::size_t rows, const std::function<float(int)>& expected) {
  const std::vector<float> got = csv.column(name);
  ASSERT_EQ(got.size(), rows) << name;
  for (std::size_t k = 0; k < rows; ++k)
    EXPECT_EQ(bitsOf(got[k]), bitsOf(expected(static_cast<int>(k) + 1))) << name << " row " << k + 1;
}

TEST(AnalysisResults, ResistanceAndPropulsionTablesReadBackToTheStateBitForBit) {
  const Exported& e = example();
  const RunState& s = e.run.state;
  ASSERT_EQ(e.run.status, 0);
  const auto NV = static_cast<std::size_t>(s.in.NV);
  const Csv direnc = readCsv(e.dir.path() / "direnc.csv");
  const std::pair<const char*, const SpeedArray*> perSpeed[] = {
      {"Vs_kn", &s.in.VS}, {"Fn", &s.sp.Fn},       {"Rn", &s.sp.Rn},           {"CF", &s.sp.CF},
      {"CV", &s.sp.CV},    {"RF_kN", &s.sp.RF},    {"RW_kN", &s.sp.RW},        {"Rbulb_kN", &s.sp.Rbulb},
      {"Rayna_kN", &s.sp.Rayna}, {"Rbot_kN", &s.sp.Rbot}, {"RAIR_kN", &s.sp.RAIR}, {"CA", &s.sp.CA},
      {"RA_kN", &s.sp.RA}, {"RTOTAL_kN", &s.sp.RTOTAL}, {"CT", &s.sp.CT},       {"CR", &s.sp.CR},
      {"PE_kW", &s.sp.PE}};
  for (const auto& [name, a] : perSpeed) expectColumn(direnc, name, NV, [a](int i) { return (*a)(i); });
  expectColumn(direnc, "RAPP_kN", NV, [&](int i) { return s.sp.RAPP(i, 0); });
  expectColumn(direnc, "1+k", NV, [&](int) { return s.hull.FFN; });
  // 0.5144 m/s per knot: 27 kn = 13.8888 m/s
  EXPECT_FLOAT_EQ(direnc.column("Vs_m_s").back(), 13.8888f);

  const Csv sevk = readCsv(e.dir.path() / "sevk.csv");
  const auto& rows = s.prop.service;
  ASSERT_EQ(rows.size(), NV);
  auto row = [&](int i) -> const ServiceRow& { return rows[static_cast<std::size_t>(i - 1)]; };
  const std::pair<const char*, std::function<float(int)>> service[] = {
      {"w", [&](int i) { return s.sp.w(i); }},          {"t", [&](int i) { return s.sp.t(i); }},
      {"etarr", [&](int i) { return s.sp.etarr(i); }},  {"RPM_1_min", [&](int i) { return row(i).RPM; }},
      {"J", [&](int i) { return row(i).J; }},           {"KT", [&](int i) { return row(i).KT; }},
      {"KQ", [&](int i) { return row(i).KQ; }},         {"ETA0", [&](int i) { return row(i).ETA0; }},
      {"ETAH", [&](int i) { return row(i).ETAH; }},     {"ETAD", [&](int i) { return row(i).ETAD; }},
      {"PD_kW", [&](int i) { return row(i).PD; }},      {"PDT_kW", [&](int i) { return row(i).PDT; }},
      {"PB_kW", [&](int i) { return row(i).PB; }},      {"PBM_kW", [&](int i) { return row(i).PBM; }}};
  for (const auto& [name, f] : service) expectColumn(sevk, name, NV, f);
  // Brake power and engine power as the power chain forms them: PB = PDT / etas, PBM = PB / MCR.
  EXPECT_EQ(bitsOf(row(7).PB), bitsOf(row(7).PDT / 0.98f));
  EXPECT_EQ(bitsOf(row(7).PBM), bitsOf(row(7).PB / 0.85f));
  // The engine load at every speed: (PB + PTO) / (NPROP Pengine), here PB / 48000.
  expectColumn(sevk, "YUK", NV, [&](int i) { return (row(i).PB + 0.0f) / 48000.0f; });

  const Csv acik = readCsv(e.dir.path() / "acik_su.csv");
  const OpenWaterTable& ow = s.prop.ow;
  ASSERT_GT(ow.n, 10);
  auto owAt = [&](const auto& a) { return [&a](int i) { return a[static_cast<std::size_t>(i - 1)]; }; };
  expectColumn(acik, "J", static_cast<std::size_t>(ow.n), owAt(ow.J));
  expectColumn(acik, "KT", static_cast<std::size_t>(ow.n), owAt(ow.KT));
  expectColumn(acik, "ETA0", static_cast<std::size_t>(ow.n), owAt(ow.ETA0));
  expectColumn(acik, "10KQ", static_cast<std::size_t>(ow.n), [&](int i) { return 10.0f * ow.KQ[static_cast<std::size_t>(i - 1)]; });
}

TEST(AnalysisResults, SearchTableHoldsTheLinesTheReportLists) {
  const Exported& e = example();
  const SearchTable& t = e.run.state.prop.search;
  ASSERT_TRUE(t.listed);
  EXPECT_FALSE(t.J4);  // the diameter is given: KT/J^2
  EXPECT_EQ(t.chosen, 47);  // README: SECILEN PERVANE = 47.
  const auto report = linesOf(e.run.report);
  const Csv arama = readCsv(e.dir.path() / "arama.csv");
  const std::vector<float> pod = arama.column("P_D"), eta = arama.column("ETA0");
  ASSERT_EQ(pod.size(), t.rows.size());
  for (std::size_t k = 0; k < t.rows.size(); ++k) {
    const SearchRow& r = t.rows[k];
    // The row formatted as the report formats it is one of the report's lines.
    const Item items[] = {static_cast<int>(k) + 1, r.PoD, r.J, r.KT, r.KQ10, r.ETA0, r.Bp, r.delta};
    const std::string line = FormatTemplate::get("(1X,I2,2F8.3,3F9.4,1X,2(F10.4,3X))").render(items).front();
    EXPECT_TRUE(hasLine(report, line)) << line;
    EXPECT_EQ(bitsOf(pod[k]), bitsOf(r.PoD));
    EXPECT_EQ(bitsOf(eta[k]), bitsOf(r.ETA0));
  }
  // The search chose P/D .960 (README); the operating point then has its own pitch ratio.
  const SearchChoice& c = e.run.state.prop.choice;
  ASSERT_TRUE(c.made);
  EXPECT_NEAR(c.PoD, 0.96f, 1e-6f);
  EXPECT_EQ(bitsOf(c.PoD), bitsOf(t.rows[46].PoD));
}

TEST(AnalysisResults, JsonReadsBackBitForBitUnderItsFixedNames) {
  const Exported& e = example();
  const RunState& s = e.run.state;
  const std::string text = readFile(e.dir.path() / "sonuc.json");
  const FloatJson j = FloatJson::parse(text);
  std::vector<std::string> names;
  for (const auto& [k, v] : j.items()) names.push_back(k);
  EXPECT_EQ(names, (std::vector<std::string>{"surum", "girdi", "gemi", "hizlar", "pervane", "guc", "karakteristik",
                                             "ulasilacak_hiz_kn", "bitis", "uygulanabilirlik", "uyarilar", "dosyalar"}));
  const StageState& st = s.prop.stage;
  // Values that the README states for the example, and their bits in the state.
  const std::tuple<const char*, float, float, float> scalars[] = {
      {"/pervane/EAR_burrill_2_5", st.EAR25, 0.848f, 0.0005f},
      {"/pervane/EAR_burrill_5", st.EAR50, 0.736f, 0.0005f},
      {"/pervane/EAR_keller", st.EARkel, 0.747f, 0.0005f},
      {"/pervane/Sigma", st.Sigma, 0.314f, 0.0005f},
      {"/pervane/Vtip_m_s", st.Vtip, 44.070f, 0.0005f},
      {"/pervane/Pb_kW", st.Pb, 35256.68f, 0.005f},
      {"/pervane/Pbm_kW", st.Pbm, 41478.44f, 0.005f},
      {"/pervane/Pbd_kW", st.Pbd, 34551.54f, 0.005f},
      {"/pervane/etad_varsayilan", st.etadIn, 0.686f, 0.0f},
      {"/ulasilacak_hiz_kn", s.prop.reach.V, 25.35f, 0.005f},
      {"/girdi/Lwl", s.given.Lwl, 205.0f, 0.0f},
  };
  const nlohmann::json dj = nlohmann::json::parse(text);
  for (const auto& [pointer, stateValue, published, tolerance] : scalars) {
    const float f = j.at(FloatJson::json_pointer(pointer)).get<float>();
    EXPECT_EQ(bitsOf(f), bitsOf(stateValue)) << pointer;
    // A script reading doubles gets the same float back.
    EXPECT_EQ(bitsOf(static_cast<float>(dj.at(nlohmann::json::json_pointer(pointer)).get<double>())), bitsOf(stateValue))
        << pointer;
    EXPECT_NEAR(stateValue, published, tolerance) << pointer;
  }
  const auto& rt = j.at("hizlar").at("RTOTAL_kN");
  ASSERT_EQ(rt.size(), static_cast<std::size_t>(s.in.NV));
  for (int i = 1; i <= s.in.NV; ++i) EXPECT_EQ(bitsOf(rt[static_cast<std::size_t>(i - 1)].get<float>()), bitsOf(s.sp.RTOTAL(i)));
  EXPECT_EQ(j.at("pervane").at("arama").at("secilen_satir"), 47);
  EXPECT_EQ(j.at("bitis").at("durum"), "tamamlandi");
  EXPECT_TRUE(j.at("uyarilar").empty());
  EXPECT_EQ(j.at("dosyalar").back(), "sonuc.json");
  // The input D of the file (8 m) and the selected propeller's revolutions told apart.
  EXPECT_EQ(j.at("girdi").at("N").get<float>(), 0.0f);
  EXPECT_NEAR(j.at("pervane").at("calisma_noktasi").at("N_1_min").get<float>(), 105.209f, 0.0005f);
}

TEST(AnalysisResults, NonFiniteValuesAreNullAndListedAsWarnings) {
  Results r = example().results;
  r.resistance[17].values[2] = std::nanf("");  // RTOTAL_kN at the third speed
  r.propeller->Pb = INFINITY;
  const FloatJson j = FloatJson::parse(analysis::jsonText(r));
  EXPECT_TRUE(j.at("hizlar").at("RTOTAL_kN")[2].is_null());
  EXPECT_TRUE(j.at("pervane").at("Pb_kW").is_null());
  const auto& w = j.at("uyarilar");
  ASSERT_GE(w.size(), 2u);
  EXPECT_NE(w.dump().find("hizlar.RTOTAL_kN[2]"), std::string::npos);
  EXPECT_NE(w.dump().find("pervane.Pb_kW"), std::string::npos);
  // In the table the cell stays empty instead of a word a spreadsheet cannot read.
  const std::string csv = analysis::csvText(r.resistance);
  EXPECT_EQ(splitCells(linesOf(csv)[3])[17], "");
}

TEST(AnalysisResults, UncorrectedValuesAreThoseOfARunWithoutTheCorrection) {
  const std::string plain = exampleInput();
  Exported corrected;
  exportRun(corrected, withRecord(plain, 43, "1 1.2"), kExampleAnswers);
  const RunResult uncorrected = runCase(withRecord(plain, 43, "0"), kExampleAnswers);
  const SpeedResults& c = corrected.run.state.sp;
  ASSERT_TRUE(c.waveCorrected);
  EXPECT_FALSE(uncorrected.state.sp.waveCorrected);
  for (int i = 1; i <= uncorrected.state.in.NV; ++i) {
    EXPECT_EQ(bitsOf(c.RTOTAL0(i)), bitsOf(uncorrected.state.sp.RTOTAL(i))) << i;
    EXPECT_EQ(bitsOf(c.PE0(i)), bitsOf(uncorrected.state.sp.PE(i))) << i;
    EXPECT_EQ(c.DFV(i), 1.2f);
    EXPECT_GT(c.RTOTAL(i), c.RTOTAL0(i));
  }
  const FloatJson j = FloatJson::parse(readFile(corrected.dir.path() / "sonuc.json"));
  EXPECT_EQ(bitsOf(j.at("hizlar").at("duzeltme_oncesi").at("PE_kW")[0].get<float>()), bitsOf(c.PE0(1)));
  EXPECT_TRUE(j.at("gemi").at("dalga_duzeltmesi").get<bool>());
}

TEST(AnalysisResults, TablesOfStagesThatDidNotRunAreNotWritten) {
  Exported e;
  exportRun(e, referenceInput("p2"), referenceAnswers("p2"));
  ASSERT_EQ(e.run.status, 0);
  EXPECT_TRUE(std::filesystem::exists(e.dir.path() / "direnc.csv"));
  for (const char* name : {"sevk.csv", "acik_su.csv", "arama.csv"})
    EXPECT_FALSE(std::filesystem::exists(e.dir.path() / name)) << name;
  const FloatJson j = FloatJson::parse(readFile(e.dir.path() / "sonuc.json"));
  EXPECT_TRUE(j.at("pervane").is_null());
  EXPECT_TRUE(j.at("karakteristik").is_null());
  EXPECT_TRUE(j.at("ulasilacak_hiz_kn").is_null());
  EXPECT_EQ(j.at("dosyalar"), FloatJson({"direnc.csv", "sonuc.json"}));
}

}  // namespace
}  // namespace gemi::testing
