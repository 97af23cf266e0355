// TOML ship files: the example in both forms, round trips through the input
// file and whole runs, the defaults of values left out, every kind of fault
// with its place in the file, and the two conversions.
#include "analysis/toml_input.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <bit>
#include <cstdint>
#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

#include "../support/run_harness.h"
#include "ship_files.h"

namespace gemi::analysis {
namespace {

using namespace gemi::testing;

const std::string kExampleAnswers = "0.686\n4\nH\n\n\n";

// The fewest lines a ship file needs: the values without a default and, since
// a propeller is described, the engine margin and the shaft efficiency.
const std::vector<std::string> kMinimalShip{
    "RHO = 1025.0",                                          // 1
    "GRAV = 9.81",                                           // 2
    "Lwl = 205.0",                                           // 3
    "Lbp = 205.0",                                           // 4
    "B = 32.0",                                              // 5
    "Tf = 10.0",                                             // 6
    "Ta = 10.0",                                             // 7
    "V = 37500.0",                                           // 8
    "LCB = -1.5375",                                         // 9
    "Cm = 0.98",                                             // 10
    "Cwp = 0.75",                                            // 11
    "Cstern = 10.0",                                         // 12
    "VS = [15, 17, 19, 21, 23, 25, 27]",                     // 13
    "Vtrial = 25.0",                                         // 14
    "D = 8.0",                                               // 15
    "MCR = 0.85",                                            // 16
    "etas = 0.98",                                           // 17
    "[takintilar]",                                          // 18
    "skeg_arkasindaki_dumen = { alan = 50.0, form = 1.5 }",  // 19
};

// The minimal ship with the line that starts with `key` replaced by `line`
// (removed when `line` is empty), or `line` added before the table when no
// line starts with `key`.
std::string shipWith(const std::string& key, const std::string& line) {
  const bool present = std::any_of(kMinimalShip.begin(), kMinimalShip.end(), [&](const std::string& l) {
    return l.rfind(key + " ", 0) == 0 || (key == "[" && l == "[takintilar]");
  });
  std::string out;
  for (const std::string& l : kMinimalShip) {
    if (l.rfind(key + " ", 0) == 0 || (key == "[" && l == "[takintilar]")) {
      if (!line.empty()) out += line + "\n";
      continue;
    }
    if (!present && l == "[takintilar]") out += line + "\n";
    out += l + "\n";
  }
  return out;
}

std::vector<InputFault> faultsOf(const std::string& text) {
  try {
    readTomlText(text, "gemi.toml");
  } catch (const ShipInputError& e) {
    return e.faults();
  }
  return {};
}

TEST(TomlInput, ExampleInBothFormsHoldsTheSameShip) {
  EXPECT_TRUE(sameValues(readTomlText(exampleToml(), "KR-22-03-2017.toml"), readTskText(exampleInput())));
  // Written from the TOML form, the input file is the bundled one itself.
  EXPECT_EQ(writeTsk(readTomlText(exampleToml(), "KR-22-03-2017.toml")), exampleInput());
}

// TOML -> input file -> run gives the files of the original input file's run:
// every file for the example (same comment lines), and all but the echo of
// the comment lines for the reference inputs.
TEST(TomlInput, ShipsThroughTomlRunLikeTheirInputFiles) {
  for (const auto& ship : referenceShips()) {
    SCOPED_TRACE(ship.name);
    const RunResult original = runCase(ship.tsk, ship.answers);
    const std::string toml = writeToml(readTskText(ship.tsk));
    const RunResult viaToml = runCase(writeTsk(readTomlText(toml, "gemi.toml")), ship.answers);
    EXPECT_EQ(viaToml.status, original.status);
    EXPECT_EQ(viaToml.console, original.console);
    EXPECT_EQ(viaToml.report, original.report);
    EXPECT_EQ(viaToml.modelReport, original.modelReport);
    if (ship.name == "example") {
      EXPECT_EQ(viaToml.echo, original.echo);
    }
  }
}

// The companion runs a TOML ship from its values, without an input file in
// the folder: the files are those of gemiguc run on the input file.
TEST(TomlInput, TomlShipRunFromItsValuesWritesTheFilesOfTheInputFileRun) {
  const RunResult original = runCase(exampleInput(), kExampleAnswers);
  TempDir dir;
  std::istringstream in(kExampleAnswers);
  std::ostringstream out;
  const std::string text = writeTsk(readTomlText(exampleToml(), "KR-22-03-2017.toml"));
  EXPECT_EQ(runProgram(in, out, RunOptions{dir.path(), text, {}}), original.status);
  EXPECT_FALSE(std::filesystem::exists(dir.path() / "KR-22-03-2017.TSK"));
  EXPECT_EQ(out.str(), original.console);
  EXPECT_EQ(readFile(dir.path() / "KR-22-03-2017.CRL"), original.echo);
  EXPECT_EQ(readFile(dir.path() / "KR-22-03-2017.SON"), original.report);
  EXPECT_EQ(readFile(dir.path() / "TANK_ANALIZI_DEGERI.SON"), original.modelReport.value_or(""));
}

TEST(TomlInput, EveryValueSurvivesInputFileToTomlAndBack) {
  std::vector<ShipValues> ships;
  for (const auto& ship : referenceShips()) ships.push_back(readTskText(ship.tsk));
  for (unsigned seed = 1; seed <= 200; ++seed) ships.push_back(generatedShip(seed));
  for (const ShipValues& v : ships) {
    const std::string toml = writeToml(v);
    const ShipValues back = readTskText(writeTsk(readTomlText(toml, "gemi.toml")));
    ASSERT_TRUE(sameValues(back, v)) << toml;
  }
}

TEST(TomlInput, ValuesLeftOutTakeTheirDefaults) {
  std::string text;
  for (const std::string& l : kMinimalShip) text += l + "\r\n";  // as a Windows editor saves it
  const ShipValues v = readTomlText(text, "gemi.toml");
  EXPECT_EQ(v.B, 32.0f);
  EXPECT_EQ(v.VS, (std::vector<float>{15, 17, 19, 21, 23, 25, 27}));
  EXPECT_EQ(v.AREA[0], 50.0f);
  EXPECT_EQ(v.FF2[0], 1.5f);
  EXPECT_EQ(v.FF2[1], 0.0f);  // catalogue form factor
  EXPECT_EQ(v.IE, 0.0f);      // estimated
  EXPECT_EQ(v.S, 0.0f);       // estimated
  EXPECT_EQ(v.Hs, 0.0f);      // 0.32 Ta
  EXPECT_EQ(v.NPROP, 1);
  EXPECT_EQ(v.NSERIES, 1);
  EXPECT_EQ(v.FFDF, 1.0f);
  EXPECT_EQ(v.ERFAC, 1.0f);
  EXPECT_TRUE(v.DF.empty());
  // The example's hull and propeller without its model scale, air resistance
  // and given wetted surface: the run completes with the estimates.
  const RunResult r = runCase(writeTsk(v), kExampleAnswers);
  EXPECT_EQ(r.status, 0) << r.console;
  EXPECT_EQ(r.state.in.Hs, 0.32f * 10.0f);  // the reader's default for a shaft height of 0
  EXPECT_EQ(r.state.app.FF2(2), 1.40f);
  EXPECT_FALSE(r.modelReport.has_value());
  // A resistance-only ship needs no engine margin nor shaft efficiency.
  EXPECT_NO_THROW(readTomlText(shipWith("D", ""), "gemi.toml"));
}

TEST(TomlInput, NumbersAreReadAsTheProgramReadsThem) {
  // Rounded through a double first, this decimal would give the float below
  // the one the program's reader gives (it lies just above a midpoint).
  const std::string digits = "24.5584993362426757812500001";
  const ShipValues v = readTomlText(shipWith("B", "B = " + digits), "gemi.toml");
  EXPECT_EQ(std::bit_cast<std::uint32_t>(v.B), std::bit_cast<std::uint32_t>(*readRealWord(digits)));
  EXPECT_NE(v.B, static_cast<float>(24.5584993362426757812500001));
  EXPECT_EQ(readTomlText(shipWith("B", "B = 3_2.0_0"), "gemi.toml").B, 32.0f);
  EXPECT_EQ(readTomlText(shipWith("B", "B = 32"), "gemi.toml").B, 32.0f);
  EXPECT_EQ(readTomlText(shipWith("B", "B = 3.2e1   # m"), "gemi.toml").B, 32.0f);
}

TEST(TomlInput, EveryFaultIsPlacedInTheFile) {
  std::string fiftyOne = "VS = [1";
  for (int k = 2; k <= 51; ++k) fiftyOne += ", " + std::to_string(k);
  fiftyOne += "]";
  struct Case {
    std::string key, line;
    int atLine, atColumn;
    std::vector<const char*> said;
  };
  const Case cases[] = {
      {"B", "B = 32.0.0", 5, 9, {"TOML yazim hatasi"}},
      {"B", "B = ", 5, 5, {"TOML yazim hatasi"}},
      {"B", "B = 12,5", 5, 7, {"TOML yazim hatasi"}},
      {"Lwl", "Lbw = 205.0", 3, 1, {"bilinmeyen ad 'Lbw'", "Lbp", "Lwl"}},
      {"B", "b = 32.0", 5, 1, {"'b'", "demek istediniz: B,"}},
      {"B", "B = \"32\"", 5, 5, {"B: bir sayi beklendi", "metin", "tirnaksiz"}},
      {"B", "B = [32.0]", 5, 5, {"B: tek bir sayi beklendi, liste bulundu"}},
      {"B", "B = true", 5, 5, {"B: bir sayi beklendi", "true/false"}},
      {"B", "B = nan", 5, 5, {"sonlu"}},
      {"B", "B = 1e39", 5, 5, {"sinirlarini"}},
      {"NPROP", "NPROP = 1.0", 18, 9, {"NPROP: tam sayi", "ondalikli"}},
      {"B", "", 17, 1, {"B (kalip genisligi, m) eksik", "varsayilani yok"}},
      {"MCR", "", 17, 1, {"MCR", "eksik", "D veya N"}},
      {"MSCALE", "MSCALE = 24.0", 19, 1, {"TEMPm", "eksik", "MSCALE > 1"}},
      {"VS", "VS = []", 13, 6, {"hiz listesi bos"}},
      {"VS", fiftyOne, 13, 6, {"en cok 50", "51 verildi"}},
      {"VS", "VS = [15, 17, 17, 19]", 13, 15, {"artan sirada", "17"}},
      {"VS", "VS = 15.0", 13, 6, {"VS: liste"}},
      {"VS", "VS = [15, \"17\"]", 13, 11, {"2. elemani", "metin"}},
      {"Vtrial", "Vtrial = 30.0", 14, 10, {"Vtrial = 30.0", "araligi disinda", "15.0 - 27.0"}},
      {"Vtrial", "Vtrial = 14.5", 14, 10, {"araligi disinda"}},
      {"DF", "DF = [1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1]", 18, 6, {"DF: en cok 10"}},
      {"NV", "NV = 7", 18, 1, {"NV yazilmaz", "VS"}},
      {"AREA1", "AREA1 = 50.0", 18, 1, {"takintilar", "skeg_arkasindaki_dumen = {"}},
      {"skeg_", "skeg_arkasinda_dumen = { alan = 50.0 }", 19, 1, {"bilinmeyen takinti", "skeg_arkasindaki_dumen?"}},
      {"skeg_", "skeg_arkasindaki_dumen = { form = 1.5 }", 19, 26, {"alan", "eksik"}},
      {"skeg_", "skeg_arkasindaki_dumen = { alan = 50.0, frm = 1.5 }", 19, 41, {"'frm'", "form?"}},
      {"skeg_", "skeg_arkasindaki_dumen = \"50\"", 19, 26, {"{ alan = ..., form = ... }"}},
      {"[", "takintilar = 5", 18, 14, {"takintilar", "tablo"}},
      {"skeg_", "skeg_arkas\u0131ndaki_d\u00fcmen = { alan = 50.0 }", 19, 11, {"yazim hatasi", "ASCII"}},
      {"skeg_", "Vtrial = 25.0", 19, 1, {"Vtrial [takintilar] tablosunun icinde kaldi", "basligindan once"}},
      {"D", "skeg = { alan = 8.0 }", 15, 1, {"skeg bir takintidir", "[takintilar] basliginin altinda"}},
  };
  for (const Case& c : cases) {
    const std::string text = shipWith(c.key == "skeg_" ? "skeg_arkasindaki_dumen" : c.key, c.line);
    const auto faults = faultsOf(text);
    ASSERT_FALSE(faults.empty()) << c.line;
    const InputFault& f = faults.front();
    EXPECT_EQ(f.file, "gemi.toml");
    EXPECT_EQ(f.line, c.atLine) << c.line << ": " << f.text();
    EXPECT_EQ(f.column, c.atColumn) << c.line << ": " << f.text();
    for (const char* part : c.said) EXPECT_TRUE(contains(f.message, part)) << c.line << ": " << f.text();
  }
}

TEST(TomlInput, AllFaultsOfAFileAreListedInItsOrder) {
  std::vector<std::string> lines = kMinimalShip;
  lines[1] = "GRAV = \"9.81\"";
  lines[2] = "Lbw = 205.0";
  std::string text;
  for (const std::string& l : lines) text += l + "\n";
  try {
    readTomlText(text, "gemi.toml");
    FAIL();
  } catch (const ShipInputError& e) {
    ASSERT_EQ(e.faults().size(), 3u) << e.what();
    EXPECT_EQ(e.faults()[0].line, 2);
    EXPECT_EQ(e.faults()[1].line, 3);
    EXPECT_TRUE(contains(e.faults()[2].message, "Lwl (su hatti boyu, m) eksik"));
    EXPECT_TRUE(contains(e.what(), "gemi.toml:2:8: GRAV"));
  }
}

TEST(TomlInput, ConversionsWriteBesideOrIntoAFolderAndNeverOverwriteUnasked) {
  TempDir dir;
  const auto toml = dir.path() / "gemi.toml";
  writeFile(toml, exampleToml());
  EXPECT_EQ(tomlToTsk(toml, std::nullopt, false), dir.path() / "KR-22-03-2017.TSK");
  EXPECT_EQ(readFile(dir.path() / "KR-22-03-2017.TSK"), exampleInput());
  // A second time the file is there: refused, the file kept.
  writeFile(dir.path() / "KR-22-03-2017.TSK", "mine");
  EXPECT_THROW(tomlToTsk(toml, std::nullopt, false), ConversionError);
  EXPECT_EQ(readFile(dir.path() / "KR-22-03-2017.TSK"), "mine");
  tomlToTsk(toml, std::nullopt, true);
  EXPECT_EQ(readFile(dir.path() / "KR-22-03-2017.TSK"), exampleInput());

  const auto out = dir.path() / "yeni" / "klasor";
  EXPECT_EQ(tskToToml(dir.path() / "KR-22-03-2017.TSK", out, false), out / "KR-22-03-2017.toml");
  EXPECT_TRUE(sameValues(readTomlFile(out / "KR-22-03-2017.toml"), readTskText(exampleInput())));
  EXPECT_THROW(tskToToml(dir.path() / "KR-22-03-2017.TSK", out, false), ConversionError);
  EXPECT_TRUE(sameValues(readShipFile(out / "KR-22-03-2017.toml"), readShipFile(dir.path() / "KR-22-03-2017.TSK")));

  // A file with faults: nothing written.
  const auto bad = dir.path() / "bad.toml";
  writeFile(bad, "B = 32.0\n");
  EXPECT_THROW(tomlToTsk(bad, dir.path() / "bos", false), ShipInputError);
  EXPECT_FALSE(std::filesystem::exists(dir.path() / "bos"));
  EXPECT_THROW(tskToToml(dir.path() / "yok.TSK", std::nullopt, false), ShipInputError);
  // A folder that cannot be made: a file stands in its way.
  EXPECT_THROW(tomlToTsk(toml, toml / "alt", false), ConversionError);
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()), {}), 4);  // no temporary left
}

// The README's ship file, as a new user copies it, runs like the example
// without its model scale, air resistance and given surface.
TEST(TomlInput, TheReadmeShipFileReads) {
  const std::string readme = readFile(std::filesystem::path(GEMI_SOURCE_DIR) / "README.md");
  const std::size_t start = readme.find("```toml\n");
  ASSERT_NE(start, std::string::npos);
  const std::size_t end = readme.find("```", start + 8);
  const ShipValues v = readTomlText(readme.substr(start + 8, end - start - 8), "README.md");
  ShipValues expected = readTomlText(shipWith("D", "D = 8.0"), "gemi.toml");
  EXPECT_TRUE(sameValues(v, expected));
}

TEST(TomlInput, AppendageNamesAreTheCatalogueInSnakeCase) {
  const auto keys = appendageKeys();
  ASSERT_EQ(keys.size(), static_cast<std::size_t>(kAppendages));
  EXPECT_EQ(keys[0], "skeg_arkasindaki_dumen");
  EXPECT_EQ(keys[10], "yalpa_omurgasi");
}

}  // namespace
}  // namespace gemi::analysis
