// Sweeps of variants: every row is what gemiguc gives for the input file
// with the variant's values written in, the rows keep the order of the
// product whatever the number of parallel runs, a variant that stops is a
// row, and bad options or input files stop the sweep before any run.
#include "analysis/sweep.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <sstream>

#include "../support/run_harness.h"
#include "analysis/command_line.h"
#include "reports/applicability.h"
#include "analysis_support.h"
#include "ship_files.h"

namespace gemi::analysis {
namespace {

using namespace gemi::testing;
namespace fs = std::filesystem;

struct Sweep {
  int status = -1;
  std::string out, err;
  fs::path dir;
  Csv csv;
  std::string text;
};

// The example in a scratch folder, swept with `setup` applied to the options.
Sweep sweepExample(const TempDir& tmp, const std::function<void(Options&)>& setup,
                   const std::atomic<bool>* stop = nullptr) {
  writeFile(tmp.path() / "gemi.TSK", exampleInput());
  Options opt;
  opt.input = tmp.path() / "gemi.TSK";
  opt.inputs = {opt.input};
  opt.jobs = 2;
  setup(opt);
  Sweep s;
  std::ostringstream out, err;
  s.status = runSweep(opt, false, out, err, stop);
  s.out = out.str();
  s.err = err.str();
  s.dir = opt.outDir ? *opt.outDir : tmp.path() / "analiz";
  if (fs::exists(s.dir / kSweepCsv)) {
    s.csv = readCsv(s.dir / kSweepCsv);
    s.text = readFile(s.dir / kSweepCsv);
  }
  return s;
}

// gemiguc run on `input` as a user runs it: first with 0.600, then, when the
// efficiency check stops it, again with the efficiency it names.
RunResult runAsUser(const std::string& input, int Z) {
  const auto answers = [&](const std::string& etad) { return etad + "\n" + std::to_string(Z) + "\nH\n\n\n\n\n\n\n\n"; };
  RunResult r = runCase(input, answers("0.600"));
  if (r.state.ending.cause == "verim") r = runCase(input, answers(efficiencyAsTyped(r.state.prop.stage.etadC)));
  return r;
}

TEST(Sweep, EveryRowIsTheInputFileWithItsValuesWrittenIn) {
  struct Case {
    const char* what;
    std::vector<std::string> settings, ranges;
    std::string z;
    std::vector<std::pair<int, std::string>> records;  // the same values written into the file
    int Z = 4;
  };
  const std::vector<Case> cases{
      {"breadth", {}, {"B=33"}, "", {{4, "33.0"}}},
      // The shaft height is 0 in the file: the variant's Hs is 0.32 of its own Ta.
      {"aft draught, Hs 0", {}, {"Ta=10.5"}, "", {{5, "10.0   10.5"}}},
      {"speed list and diameter", {"VS=15,17,19,21,23,25"}, {"D=7.5"}, "", {{17, "6 15 17 19 21 23 25"}, {31, "7.5"}}},
      {"engine and blades", {"Pengine=42000"}, {}, "5,6", {{37, "42000.0   0.85"}}, 6},
      {"revolutions given: the pitch task", {}, {"N=100"}, "", {{32, "100.0"}}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    TempDir tmp;
    const Sweep s = sweepExample(tmp, [&](Options& o) {
      o.settings = c.settings;
      for (const auto& r : c.ranges) o.axes.push_back(parseAxis(r));
      if (!c.z.empty()) o.axes.push_back(parseAxis("Z", c.z));
    });
    ASSERT_EQ(s.status, 0) << s.err;
    ASSERT_FALSE(s.csv.rows.empty());
    const std::size_t row = s.csv.rows.size() - 1;  // the last variant: the Z of the case
    std::string input = exampleInput();
    for (const auto& [no, values] : c.records) input = withRecord(input, no, values);
    const RunResult f = runAsUser(input, c.Z);
    ASSERT_EQ(f.state.ending.kind, RunEnding::Kind::Completed) << f.state.ending.message;
    const RunState& st = f.state;
    const StageState& g = st.prop.stage;
    const int itr = g.ITR;
    const std::vector<std::pair<const char*, float>> expected{
        {"RTOTAL_kN", st.sp.RTOTAL(itr)}, {"PE_kW", st.sp.PE(itr)}, {"D_m", st.in.D},
        {"N_1_min", st.in.N},             {"P_D", g.PDsel},         {"EAR_pervane", g.EAR},
        {"Z_pervane", g.Z},               {"ETA0", st.prop.sel.ETA0}, {"etad_hesaplanan", g.etadC},
        {"Pb_kW", g.Pb},                  {"Pbm_kW", g.Pbm},        {"Sigma", g.Sigma},
        {"Vtip_m_s", g.Vtip},             {"Vulas_kn", st.prop.reach.V},
        {"bulgu", static_cast<float>(countOutside(checkApplicability(st)))}};
    for (const auto& [name, value] : expected)
      EXPECT_EQ(bitsOf(s.csv.column(name).at(row)), bitsOf(value)) << name << " " << s.csv.column(name).at(row)
                                                                    << " " << value;
    EXPECT_EQ(s.csv.rows[row].back(), "tamamlandi");
  }
}

TEST(Sweep, RowsComeInTheOrderOfTheProductWhateverTheParallelRuns) {
  TempDir a, b, c;
  auto setup = [](unsigned jobs) {
    return [jobs](Options& o) {
      o.jobs = jobs;
      o.axes = {parseAxis("B=31:33:1"), parseAxis("Z=3,4"), parseAxis("Vtrial=25,26")};
    };
  };
  const Sweep one = sweepExample(a, setup(1)), three = sweepExample(b, setup(3)), five = sweepExample(c, setup(5));
  ASSERT_EQ(one.status, 0);
  EXPECT_EQ(one.csv.rows.size(), 12u);
  EXPECT_EQ(one.text, three.text);
  EXPECT_EQ(one.text, five.text);
  EXPECT_EQ(one.csv.column("B"), (std::vector<float>{31, 31, 31, 31, 32, 32, 32, 32, 33, 33, 33, 33}));
  EXPECT_EQ(one.csv.column("Z"), (std::vector<float>{3, 3, 4, 4, 3, 3, 4, 4, 3, 3, 4, 4}));
  EXPECT_EQ(one.csv.column("varyant").back(), 12.0f);
}

TEST(Sweep, AVariantThatStopsIsARow) {
  TempDir tmp;
  // 26 knots lies within the speeds but not in the list: the stage stops;
  // an assumed efficiency of 0.5 given is far from the computed one: the check stops.
  const Sweep s = sweepExample(tmp, [](Options& o) {
    o.axes = {parseAxis("Vtrial=26,25"), parseAxis("etad=0.5")};
  });
  EXPECT_EQ(s.status, 0) << s.err;
  ASSERT_EQ(s.csv.rows.size(), 2u);
  EXPECT_TRUE(contains(s.csv.rows[0].back(), "HIZLAR LISTESINDE BULUNAMADI")) << s.csv.rows[0].back();
  EXPECT_TRUE(std::isnan(s.csv.column("Pb_kW")[0]));
  EXPECT_TRUE(contains(s.csv.rows[1].back(), "YENIDEN BASLATMAK GEREKIR")) << s.csv.rows[1].back();
  EXPECT_FALSE(std::isnan(s.csv.column("etad_hesaplanan")[1]));  // formed before the check
  EXPECT_TRUE(contains(s.out, "2 varyant hesaplandi: 0 tamamlandi, 2 durdu"));
}

TEST(Sweep, BadOptionsAndUnreadableFilesRunNothing) {
  struct Case {
    const char* what;
    std::function<void(Options&)> setup;
    int status;
    const char* says;
  };
  const std::vector<Case> cases{
      {"unknown setting", [](Options& o) { o.settings = {"Foo=1"}; o.axes = {parseAxis("B=31,32")}; }, 2,
       "Kullanilabilen adlar"},
      {"setting of the wrong kind", [](Options& o) { o.settings = {"NBT=1.5"}; o.axes = {parseAxis("B=31,32")}; }, 2,
       "tam sayi"},
      {"missing input file", [](Options& o) { o.inputs.push_back(o.input.parent_path() / "yok.TSK"); }, 1,
       "GIRDI DOSYASI BULUNAMADI"},
      {"broken TOML",
       [](Options& o) {
         writeFile(o.input.parent_path() / "bozuk.toml", "B = 3\nLbw = 4\n");
         o.inputs.push_back(o.input.parent_path() / "bozuk.toml");
       },
       1, "bozuk.toml:2:1: bilinmeyen ad 'Lbw'"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    TempDir tmp;
    const Sweep s = sweepExample(tmp, c.setup);
    EXPECT_EQ(s.status, c.status);
    EXPECT_TRUE(contains(s.err, c.says)) << s.err;
    EXPECT_FALSE(fs::exists(s.dir)) << "nothing is written";
  }
}

TEST(Sweep, StoppedByTheUserTheTableIsMarkedIncomplete) {
  TempDir tmp;
  const std::atomic<bool> stop{true};
  const Sweep s = sweepExample(tmp, [](Options& o) { o.axes = {parseAxis("B=31,32,33")}; }, &stop);
  EXPECT_EQ(s.status, kInterruptedStatus);
  EXPECT_EQ(lastLines(s.text, 1).front(), "# TAMAMLANMADI: 0 / 3 varyant hesaplandi (kullanici durdurdu)");
  EXPECT_TRUE(contains(s.err, "Tarama durduruldu"));
}

TEST(Sweep, EveryVariantsOwnFilesGiveTheSameRows) {
  TempDir a, b;
  auto axes = [](Options& o) { o.axes = {parseAxis("D=7.5,8")}; };
  const Sweep plain = sweepExample(a, axes);
  const Sweep every = sweepExample(b, [&](Options& o) {
    axes(o);
    o.everyVariantsFiles = true;
  });
  ASSERT_EQ(every.status, 0) << every.err;
  EXPECT_EQ(plain.text, every.text);
  for (const char* folder : {"1_D=7.5", "2_D=8.0"})
    for (const char* file : {"KR-22-03-2017.SON", "sonuc.json", "direnc.csv"})
      EXPECT_TRUE(fs::exists(every.dir / folder / file)) << folder << "/" << file;
  // One swept quantity: the plot over it; the plain sweep writes no folders.
  EXPECT_TRUE(fs::exists(plain.dir / kSweepSvg));
  EXPECT_FALSE(fs::exists(plain.dir / "1_D=7.5"));
}

TEST(Sweep, SeveralShipsMakeOneTable) {
  TempDir tmp;
  writeFile(tmp.path() / "ikinci.toml", exampleToml());
  const Sweep s = sweepExample(tmp, [&](Options& o) { o.inputs.push_back(tmp.path() / "ikinci.toml"); });
  ASSERT_EQ(s.status, 0) << s.err;
  ASSERT_EQ(s.csv.rows.size(), 2u);
  EXPECT_EQ(s.csv.header[1], "girdi");
  EXPECT_TRUE(contains(s.csv.rows[1][1], "ikinci.toml"));
  // The example in both forms: the same row.
  EXPECT_EQ(std::vector<std::string>(s.csv.rows[0].begin() + 2, s.csv.rows[0].end()),
            std::vector<std::string>(s.csv.rows[1].begin() + 2, s.csv.rows[1].end()));
  EXPECT_FALSE(fs::exists(s.dir / kSweepSvg));  // no single swept quantity
}

TEST(Sweep, BurrillsVerdict) {
  EXPECT_EQ(burrillVerdict(0.9f, 0.848f, 0.736f), "2.5");
  EXPECT_EQ(burrillVerdict(0.848f, 0.848f, 0.736f), "2.5");
  EXPECT_EQ(burrillVerdict(0.747f, 0.848f, 0.736f), "5");
  EXPECT_EQ(burrillVerdict(0.7f, 0.848f, 0.736f), "5_ustu");
  EXPECT_EQ(burrillVerdict(0.7f, std::nullopt, std::nullopt), "yok");
}

// The command line's part: conversions and a TOML ship run as an input file.
TEST(Sweep, TomlShipsAndConversionsFromTheCommandLine) {
  TempDir tmp;
  const fs::path toml = tmp.path() / "gemi.toml";
  writeFile(toml, exampleToml());
  auto run = [&](std::vector<std::string> args, std::string* errText = nullptr) {
    args.insert(args.begin(), "gemiguc-analiz");
    std::vector<const char*> argv;
    for (const auto& a : args) argv.push_back(a.c_str());
    Options opt;
    std::ostringstream out, err;
    int status = parseCommandLine(static_cast<int>(argv.size()), argv.data(), opt, out, err);
    if (status < 0) status = runAnalysis(opt, false, out, err);
    if (errText) *errText = err.str();
    return status;
  };
  EXPECT_EQ(run({"--tsk-yaz", toml.string()}), 0);
  EXPECT_EQ(readFile(tmp.path() / "KR-22-03-2017.TSK"), exampleInput());
  std::string err;
  EXPECT_EQ(run({"--tsk-yaz", toml.string()}, &err), 1) << "an existing file is kept";
  EXPECT_TRUE(contains(err, "--uzerine-yaz"));
  EXPECT_EQ(run({"--tsk-yaz", toml.string(), "--uzerine-yaz"}), 0);
  EXPECT_EQ(run({"--toml-yaz", (tmp.path() / "KR-22-03-2017.TSK").string(), "--cikti", (tmp.path() / "t").string()}), 0);
  EXPECT_TRUE(fs::exists(tmp.path() / "t/KR-22-03-2017.toml"));
  EXPECT_EQ(run({"--tsk-yaz", toml.string(), "--toml-yaz", "x.TSK"}), 2);
  EXPECT_EQ(run({"--tsk-yaz", toml.string(), "--set", "B=33"}), 2);

  // A TOML ship runs as its input file does, --set included.
  EXPECT_EQ(run({toml.string(), "--set", "Pengine=42000", "--etad", "0.686"}), 0);
  const std::string report = readFile(tmp.path() / "analiz/KR-22-03-2017.SON");
  EXPECT_TRUE(contains(report, "42000.")) << "the setting is in the echo of the input";
  const fs::path broken = tmp.path() / "bozuk.toml";
  writeFile(broken, "B = [3]\n");
  EXPECT_EQ(run({broken.string(), "--cikti", (tmp.path() / "bozuk").string()}, &err), 1);
  EXPECT_TRUE(contains(err, "bozuk.toml:1:5:")) << err;
  EXPECT_FALSE(fs::exists(tmp.path() / "bozuk"));
}

}  // namespace
}  // namespace gemi::analysis
