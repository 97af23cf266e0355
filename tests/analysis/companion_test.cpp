// Whole companion runs: the legacy files are those gemiguc writes with the
// same answers typed, the efficiency loop, the exit statuses.
#include "analysis/companion.h"

#include <gtest/gtest.h>

#include "analysis_support.h"

namespace gemi::testing {
namespace {

namespace fs = std::filesystem;
using analysis::Options;

struct CompanionRun {
  int status = -1;
  std::string out, err;
  analysis::Outcome outcome;
};

CompanionRun runCompanion(const Options& opt) {
  std::ostringstream out, err;
  CompanionRun r;
  r.outcome = analysis::runCompanion(opt, out, err);
  r.status = r.outcome.status;
  r.out = out.str();
  r.err = err.str();
  return r;
}

// An input file in a scratch folder and the options of a run on it.
struct Case {
  TempDir dir;
  Options opt;
  explicit Case(const std::string& input) {
    writeFile(dir.path() / "KR-22-03-2017.TSK", input);
    opt.input = dir.path() / "KR-22-03-2017.TSK";
  }
  fs::path out() const { return dir.path() / "analiz"; }
};

struct LegacyCase {
  const char* name;
  std::string input, answers;
  std::optional<float> etad, EAR;
};

TEST(Companion, LegacyFilesAreThoseGemigucWritesWithTheSameAnswers) {
  auto ref = [](const char* c) { return referenceInput(c); };
  auto answers = [](const char* c) { return referenceAnswers(c); };
  const LegacyCase cases[] = {
      {"example", exampleInput(), kExampleAnswers, 0.686f, std::nullopt},
      {"p1", ref("p1"), answers("p1"), 0.694f, std::nullopt},
      {"p2 (no propeller)", ref("p2"), answers("p2"), std::nullopt, std::nullopt},
      {"p3 (Gawn, area ratio typed)", ref("p3"), answers("p3"), 0.629f, 0.9f},
  };
  for (const LegacyCase& c : cases) {
    SCOPED_TRACE(c.name);
    const RunResult typed = runCase(c.input, c.answers);
    Case run(c.input);
    run.opt.etad = c.etad;
    run.opt.EAR = c.EAR;
    const CompanionRun r = runCompanion(run.opt);
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(readFile(run.out() / "KR-22-03-2017.SON"), typed.report);
    EXPECT_EQ(readFile(run.out() / "KR-22-03-2017.CRL"), typed.echo);
    EXPECT_EQ(fs::exists(run.out() / "TANK_ANALIZI_DEGERI.SON"), typed.modelReport.has_value());
    if (typed.modelReport) {
      EXPECT_EQ(readFile(run.out() / "TANK_ANALIZI_DEGERI.SON"), *typed.modelReport);
    }
    EXPECT_TRUE(fs::exists(run.out() / "sonuc.json"));
  }
}

TEST(Companion, EfficiencyLoopSettlesOnTheExampleInTwoRuns) {
  Case c(exampleInput());
  const CompanionRun r = runCompanion(c.opt);
  ASSERT_EQ(r.status, 0) << r.err;
  // 0.600 first; the check names .686, typed as 0.686.
  EXPECT_EQ(r.outcome.results->meta.etadTried, (std::vector<float>{0.600f, 0.686f}));
  EXPECT_TRUE(contains(r.out, "etad = 0.686 ile yeniden calistiriliyor")) << r.out;
  EXPECT_TRUE(contains(r.out, "Verim 2. calismada oturdu"));
  // The files are those of the run with 0.686 typed.
  EXPECT_EQ(readFile(c.out() / "KR-22-03-2017.SON"), runCase(exampleInput(), kExampleAnswers).report);
  EXPECT_TRUE(contains(r.out, "Ulasilacak hiz: 25.35 kn"));
  EXPECT_TRUE(contains(r.out, "Bitis: hesap tamamlandi"));
  EXPECT_TRUE(contains(r.out, "direnc.csv sevk.csv acik_su.csv arama.csv direnc.svg guc.svg acik_su.svg burrill.svg "
                              "rapor.html sonuc.json"));
}

TEST(Companion, EfficiencyAsTypedIsWhatTheCheckPrints) {
  const std::pair<float, const char*> cases[] = {{0.6864f, "0.686"}, {0.6866f, "0.687"}, {0.7f, "0.700"}};
  for (const auto& [v, text] : cases) EXPECT_EQ(analysis::efficiencyAsTyped(v), text);
  EXPECT_EQ(analysis::dialogueAnswers("0.686", 4, std::nullopt).substr(0, 12), "0.686\n4\nH\n\n\n");
  EXPECT_EQ(analysis::dialogueAnswers("0.6", 3, 0.9f).substr(0, 12), "0.6\n3\nE\n0.9\n");
}

TEST(Companion, DesignStopsEndWithStatusThreeAndTheirReason) {
  struct Stop {
    const char* name;
    int record;
    const char* values;
    bool resistance, characteristics;  // tables expected
  };
  const Stop stops[] = {
      {"trial speed not in the list", 18, "23.3", true, false},
      {"engine too weak for the slowest speed", 37, "1000 0.85", true, true},
  };
  for (const Stop& s : stops) {
    SCOPED_TRACE(s.name);
    Case c(withRecord(exampleInput(), s.record, s.values));
    c.opt.etad = 0.686f;
    const CompanionRun r = runCompanion(c.opt);
    EXPECT_EQ(r.status, 3) << r.err;
    const FloatJson j = FloatJson::parse(readFile(c.out() / "sonuc.json"));
    EXPECT_EQ(j.at("bitis").at("durum"), "durdu");
    EXPECT_EQ(j.at("bitis").at("cikis_kodu"), 3);
    EXPECT_FALSE(j.at("bitis").at("mesaj").get<std::string>().empty());
    EXPECT_TRUE(contains(r.out, "Bitis: hesap durdu: "));
    EXPECT_EQ(fs::exists(c.out() / "direnc.csv"), s.resistance);
    EXPECT_EQ(fs::exists(c.out() / "sevk.csv"), s.characteristics);
    EXPECT_TRUE(j.at("ulasilacak_hiz_kn").is_null());
  }
}

TEST(Companion, ReadFailuresAndUnusableFoldersEndWithStatusOne) {
  {
    SCOPED_TRACE("value that is not a number");
    Case c(withRecord(exampleInput(), 2, "abc"));
    const CompanionRun r = runCompanion(c.opt);
    EXPECT_EQ(r.status, 1);
    EXPECT_TRUE(contains(r.err, "KR-22-03-2017.TSK")) << r.err;
    EXPECT_EQ(FloatJson::parse(readFile(c.out() / "sonuc.json")).at("bitis").at("durum"), "okuma_hatasi");
  }
  {
    SCOPED_TRACE("missing input file");
    TempDir dir;
    Options opt;
    opt.input = dir.path() / "yok.TSK";
    const CompanionRun r = runCompanion(opt);
    EXPECT_EQ(r.status, 1);
    EXPECT_TRUE(contains(r.err, "yok.TSK"));
    EXPECT_FALSE(fs::exists(dir.path() / "analiz"));
  }
  {
    SCOPED_TRACE("output folder under a file");
    Case c(exampleInput());
    writeFile(c.dir.path() / "dosya", "x");
    c.opt.outDir = c.dir.path() / "dosya" / "analiz";
    const CompanionRun r = runCompanion(c.opt);
    EXPECT_EQ(r.status, 1);
    EXPECT_TRUE(contains(r.err, (c.dir.path() / "dosya" / "analiz").string())) << r.err;
  }
}

TEST(Companion, FilesOfAnEarlierRunDoNotSurvive) {
  Case c(referenceInput("p2"));
  fs::create_directories(c.out());
  for (const char* name : {"sevk.csv", "acik_su.csv", "arama.csv"}) writeFile(c.out() / name, "eski\n");
  const CompanionRun r = runCompanion(c.opt);
  ASSERT_EQ(r.status, 0) << r.err;
  for (const char* name : {"sevk.csv", "acik_su.csv", "arama.csv"}) EXPECT_FALSE(fs::exists(c.out() / name)) << name;
  // Nothing of the writing is left behind under a temporary name.
  for (const auto& entry : fs::directory_iterator(c.out()))
    EXPECT_NE(entry.path().extension(), ".yaziliyor") << entry.path();
}

TEST(Companion, GawnSeriesTakesThreeBladesAndSaysSo) {
  Case c(referenceInput("p3"));
  c.opt.etad = 0.629f;
  const CompanionRun r = runCompanion(c.opt);
  EXPECT_TRUE(contains(r.out, "Gawn serisi 3 kanatlidir")) << r.out;
  EXPECT_EQ(r.outcome.state.prop.stage.Z, 3.0f);
}

}  // namespace
}  // namespace gemi::testing
