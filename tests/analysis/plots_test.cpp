// The plots on the example ship's results (golden files) and on synthetic
// data for the cases the example does not reach; every plot must be
// well-formed XML (python3's parser) and free of non-finite numbers.
#include "analysis/plots.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <limits>

#include "numeric/spline_roots.h"
#include "propulsion/cavitation.h"
#include "propulsion/characteristics.h"
#include "../support/run_harness.h"

namespace gemi::analysis {
namespace {

using namespace gemi::testing;

// The example ship run as the README describes it (etad 0.686, four blades,
// Keller's area ratio kept), its per-speed arrays and the selected
// propeller's curves taken from the run state.
struct ExamplePlots {
  ResistanceCurves resistance;
  PowerCurves power;
  OpenWaterCurves openWater;
  BurrillPoint burrill;
};

ExamplePlots exampleData() {
  RunResult r = runCase(exampleInput(), "0.686\n4\nH\n\n\n");
  EXPECT_EQ(r.status, 0) << r.console;
  RunState& s = r.state;
  const InputData& in = s.in;
  const StageState& st = s.prop.stage;
  ExamplePlots p;
  for (int i = 1; i <= in.NV; ++i) {
    ResistanceCurves& c = p.resistance;
    c.Vs.push_back(in.VS(i));
    c.RF.push_back(s.sp.RF(i)), c.RAPP.push_back(s.sp.RAPP(i, 0)), c.RW.push_back(s.sp.RW(i));
    c.Rbulb.push_back(s.sp.Rbulb(i)), c.Rayna.push_back(s.sp.Rayna(i)), c.Rbot.push_back(s.sp.Rbot(i));
    c.RAIR.push_back(s.sp.RAIR(i)), c.RA.push_back(s.sp.RA(i)), c.RTOTAL.push_back(s.sp.RTOTAL(i));
  }
  // The characteristics' own steps: open-water table, minimum-service rows,
  // brake power PDT / etas and the root at the available power.
  const OpenWaterTable ow = openWaterTable(s, s.prop.sel.PoD, st.EAR, s.prop.stage.Z, st.Jsel, in.D, in.N);
  PowerCurves& pw = p.power;
  pw.Vs = p.resistance.Vs;
  for (int i = 1; i <= in.NV; ++i) {
    const ServiceRow row = serviceRow(ow, in.VS(i), s.sp.PE(i), s.sp.w(i), s.sp.t(i), s.sp.etarr(i), in.D, in.RHO, in.NPROP);
    pw.PE.push_back(s.sp.PE(i));
    pw.PDT.push_back(row.PDT);
    pw.PB.push_back(row.PDT / in.etas);
  }
  pw.available = availablePower(in.Seamar, in.NPROP, in.Pengine, in.MCR, in.PTO);
  StateRun t;
  pw.reachable = ROOTSP(t.run, in.NV, std::span<const float>(in.VS.data(), pw.PB.size()), pw.PB, *pw.available);
  for (std::size_t i = 0; i < static_cast<std::size_t>(ow.n); ++i) {
    p.openWater.J.push_back(ow.J[i]);
    p.openWater.KT.push_back(ow.KT[i]);
    p.openWater.KQ10.push_back(10.0f * ow.KQ[i]);
    p.openWater.ETA0.push_back(ow.ETA0[i]);
  }
  p.openWater.propeller = "Wageningen B, Z = 4, EAR = 0.747, P/D = 0.960, D = 8.00 m, N = 105.21 rpm";
  p.openWater.Jop = st.Jsel;
  p.openWater.KTop = s.prop.sel.KT;
  p.openWater.KQ10op = 10.0f * s.prop.sel.KQ;
  p.openWater.ETA0op = s.prop.sel.ETA0;
  p.burrill = {st.Sigma, st.Tauc};
  return p;
}

// A synthetic sweep over the diameter with one variant that stopped.
VariantSweep diameterSweep() {
  const float nan = std::numeric_limits<float>::quiet_NaN();
  VariantSweep s;
  s.title = "Varyantlar: pervane çapı";
  s.xCaption = "Pervane çapı D (m)";
  s.x = {7.0f, 7.25f, 7.5f, 7.75f, 8.0f, 8.25f, 8.5f};
  s.quantities = {{"Ulaşılacak hız (knot)", {24.9f, 25.05f, 25.17f, 25.27f, 25.35f, 25.41f, nan}},
                  {"Pb (kW)", {37210.5f, 36480.2f, 35912.8f, 35540.1f, 35256.68f, 35102.3f, nan}},
                  {"ETA0 (-)", {0.652f, 0.661f, 0.668f, 0.674f, 0.679f, 0.682f, nan}}};
  s.baseX = 8.0f;
  return s;
}

std::string goldenDir() { return std::string(GEMI_SOURCE_DIR) + "/tests/analysis/golden/"; }

// True when python3's XML parser reads every file of `dir` and each root is
// an svg element in the SVG namespace (one interpreter for all files).
bool wellFormedSvgs(const std::filesystem::path& dir) {
  const std::string cmd =
      "python3 -c \"import sys, glob, xml.etree.ElementTree as E; "
      "sys.exit(0 if all(E.parse(f).getroot().tag == '{http://www.w3.org/2000/svg}svg' "
      "for f in glob.glob(sys.argv[1] + '/*')) else 1)\" '" + dir.string() + "'";
  return std::system(cmd.c_str()) == 0;
}

// The texts of a plot, one blank between elements: a remark wrapped over
// several lines reads as one sentence again.
std::string textOf(const std::string& svg) {
  std::string out;
  for (std::size_t p = svg.find("<text"); p != std::string::npos; p = svg.find("<text", p + 1)) {
    const std::size_t start = svg.find('>', p) + 1;
    out += (out.empty() ? "" : " ") + svg.substr(start, svg.find("</text>", start) - start);
  }
  return out;
}

// Each plot of the example equals its golden file. With GEMI_UPDATE_GOLDEN
// set, a differing golden file is rewritten instead: review the diff before
// committing it.
TEST(Plots, ExampleShipPlotsEqualTheGoldenFilesAndAreWellFormed) {
  const ExamplePlots p = exampleData();
  const std::pair<const char*, std::string> plots[] = {
      {"direnc.svg", resistancePlot(p.resistance)}, {"guc.svg", powerPlot(p.power)},
      {"acik_su.svg", openWaterPlot(p.openWater)},  {"burrill.svg", burrillPlot(p.burrill)},
      {"varyantlar.svg", variantSweepPlot(diameterSweep())}};
  TempDir dir;
  for (const auto& [name, svg] : plots) {
    writeSvgFile(dir.path() / name, svg);
    EXPECT_EQ(svg.find("nan"), std::string::npos) << name;
    const std::string golden = readFile(goldenDir() + name);
    if (svg != golden && std::getenv("GEMI_UPDATE_GOLDEN")) {
      writeFile(goldenDir() + name, svg);
      ADD_FAILURE() << name << " rewritten: review its diff";
    } else {
      EXPECT_TRUE(svg == golden) << name << " differs from its golden file (GEMI_UPDATE_GOLDEN=1 rewrites it)";
    }
  }
  EXPECT_TRUE(wellFormedSvgs(dir.path()));
}

// The example's figures in the plots: the README's reachable speed 25.35 kn,
// the operating point Sigma .314 of the report.
TEST(Plots, ExampleShipPlotsCarryTheReportedFigures) {
  const ExamplePlots p = exampleData();
  const std::string guc = powerPlot(p.power);
  EXPECT_TRUE(contains(guc, "Ulaşılacak hız 25.35 knot")) << guc;
  EXPECT_TRUE(contains(burrillPlot(p.burrill), "σ = 0.314")) ;
  // No bow thrusters on the example: Rbot is named as zero, not drawn.
  const std::string direnc = resistancePlot(p.resistance);
  EXPECT_TRUE(contains(textOf(direnc), "sıfır, çizilmedi: Rbot."));
  EXPECT_FALSE(contains(direnc, "Rbot (baş itici)"));
}

std::size_t count(const std::string& text, const std::string& part) {
  std::size_t n = 0;
  for (std::size_t p = text.find(part); p != std::string::npos; p = text.find(part, p + 1)) ++n;
  return n;
}

TEST(Plots, ReachableSpeedBeyondOrBelowTheListIsSaidOnThePlot) {
  PowerCurves c;
  c.Vs = {20, 22, 24};
  c.PE = {10000, 14000, 19000};
  c.PDT = {14000, 19500, 26000};
  c.PB = {14300, 19900, 26500};
  c.available = 30000.0f;
  c.reachableBeyondList = true;
  const std::string beyond = powerPlot(c);
  EXPECT_TRUE(contains(textOf(beyond), "Ulaşılacak hız listenin ötesinde: &gt; 24.00 knot"));
  EXPECT_TRUE(contains(textOf(beyond), "Sevke ayrılabilen fren gücü 30000 kW — &gt; 24.00 knot"));

  c.available = 10000.0f;
  c.reachableBeyondList = false;
  EXPECT_TRUE(contains(textOf(powerPlot(c)), "Ulaşılacak hız yok: bu güç"));

  c.available.reset();  // no engine given: no line, no remark
  const std::string none = powerPlot(c);
  EXPECT_FALSE(contains(none, "Ulaşılacak"));
  EXPECT_FALSE(contains(none, "stroke-dasharray=\"7 4\""));
}

TEST(Plots, BurrillOperatingPointOutsideTheDiagramOrMissing) {
  const std::string outside = burrillPlot({0.12f, 0.05f});
  EXPECT_TRUE(contains(textOf(outside), "σ = 0.120 diyagramın aralığı (0.18 - 1.5) dışında"));
  EXPECT_TRUE(contains(outside, "İşletme noktası σ = 0.120"));
  const std::string missing = burrillPlot({std::numeric_limits<float>::quiet_NaN(), 0.1f});
  EXPECT_TRUE(contains(textOf(missing), "İşletme noktası yok"));
  EXPECT_EQ(missing.find("nan"), std::string::npos);
  // The three lines are drawn whatever the point.
  EXPECT_EQ(count(missing, "<polyline"), 3u);
}

TEST(Plots, ShipStringsAreEscapedInThePlot) {
  OpenWaterCurves c;
  c.propeller = "B4 \"yeni\" <deneme> & 'eski'";
  c.J = {0.2f, 0.4f};
  c.KT = {0.3f, 0.2f}, c.KQ10 = {0.4f, 0.3f}, c.ETA0 = {0.25f, 0.45f};
  c.Jop = 0.3f;
  TempDir dir;
  writeSvgFile(dir.path() / "a.svg", openWaterPlot(c));
  EXPECT_TRUE(wellFormedSvgs(dir.path()));
  EXPECT_TRUE(contains(readFile(dir.path() / "a.svg"), "B4 &quot;yeni&quot; &lt;deneme&gt; &amp; &apos;eski&apos;"));
}

TEST(Plots, WriteSvgFileNamesAnUnwritableFileAndLeavesNothingBehind) {
  TempDir dir;
  const auto file = dir.path() / "yok" / "guc.svg";  // folder missing
  try {
    writeSvgFile(file, "<svg/>");
    ADD_FAILURE() << "no exception";
  } catch (const std::runtime_error& e) {
    EXPECT_TRUE(contains(e.what(), file.string())) << e.what();
  }
  EXPECT_TRUE(std::filesystem::is_empty(dir.path()));

  // A plot already there is replaced whole.
  writeFile(dir.path() / "guc.svg", std::string(10000, 'x'));
  writeSvgFile(dir.path() / "guc.svg", "<svg/>");
  EXPECT_EQ(readFile(dir.path() / "guc.svg"), "<svg/>");
  EXPECT_FALSE(std::filesystem::exists(dir.path() / ".guc.svg.yaziliyor"));
}

}  // namespace
}  // namespace gemi::analysis
