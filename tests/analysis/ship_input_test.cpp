// The named values of the input file: read through the program's reader,
// written back in its layout so that a run cannot tell the difference, and
// set one at a time from text.
#include "analysis/ship_input.h"

#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <cstdint>
#include <functional>
#include <limits>
#include <random>
#include <string>
#include <vector>

#include "../support/run_harness.h"
#include "ship_files.h"

namespace gemi::analysis {
namespace {

using namespace gemi::testing;

std::string message(const std::function<void()>& f) {
  try {
    f();
  } catch (const ShipInputError& e) {
    return e.what();
  }
  return "<no error>";
}

std::uint32_t bits(float f) { return std::bit_cast<std::uint32_t>(f); }

TEST(ShipInput, ExampleIsWrittenBackByteForByte) {
  // The example's values written in its own layout: the layout of writeTsk
  // and the shortest decimals are those of the bundled file.
  const std::string example = exampleInput();
  ShipValues v = readTskText(example);
  EXPECT_EQ(writeTsk(v), example);
  v.comments.clear();  // the built-in comment lines are the example's
  EXPECT_EQ(writeTsk(v), example);
  EXPECT_FLOAT_EQ(v.LCB, -1.5375f);
  EXPECT_EQ(v.VS.size(), 7u);
  EXPECT_EQ(v.Hs, 0.0f);  // as written, not 0.32 Ta
}

// A rewritten input file runs exactly like the original: with its own comment
// lines every file is the same; with the example's comment lines only the
// echo of the comments differs.
TEST(ShipInput, RewrittenReferenceInputsRunLikeTheOriginals) {
  for (const auto& ship : referenceShips()) {
    SCOPED_TRACE(ship.name);
    const RunResult original = runCase(ship.tsk, ship.answers);
    ShipValues v = readTskText(ship.tsk);
    const RunResult same = runCase(writeTsk(v), ship.answers);
    EXPECT_EQ(same.status, original.status);
    EXPECT_EQ(same.console, original.console);
    EXPECT_EQ(same.echo, original.echo);
    EXPECT_EQ(same.report, original.report);
    EXPECT_EQ(same.modelReport, original.modelReport);
    v.comments.clear();
    const RunResult plain = runCase(writeTsk(v), ship.answers);
    EXPECT_EQ(plain.console, original.console);
    EXPECT_EQ(plain.report, original.report);
    EXPECT_EQ(plain.modelReport, original.modelReport);
  }
}

TEST(ShipInput, RealsAreWrittenInTheShortestDecimalThatReadsBack) {
  struct Case {
    float v;
    const char* text;
  };
  const Case cases[] = {{205.0f, "205.0"},
                        {0.98f, "0.98"},
                        {-1.5375f, "-1.5375"},
                        {0.0f, "0.0"},
                        {-0.0f, "-0.0"},
                        {1e10f, "1e+10"},
                        {0.1f, "0.1"},
                        {48000.0f, "48000.0"},
                        {1.0f / 3, "0.33333334"},
                        {16777217.0f, "16777216.0"}};
  for (const Case& c : cases) {
    EXPECT_EQ(formatReal(c.v), c.text);
    EXPECT_EQ(bits(*readRealWord(formatReal(c.v))), bits(c.v)) << c.text;
  }
  // Every kind of float: extremes, subnormals and a spread of bit patterns.
  std::vector<float> values{std::numeric_limits<float>::max(), std::numeric_limits<float>::lowest(),
                            std::numeric_limits<float>::min(), std::numeric_limits<float>::denorm_min(),
                            -std::numeric_limits<float>::denorm_min()};
  std::mt19937 random(14);
  while (values.size() < 20000) {
    const float f = std::bit_cast<float>(static_cast<std::uint32_t>(random()));
    if (std::isfinite(f)) values.push_back(f);
  }
  for (float f : values) {
    const auto back = readRealWord(formatReal(f));
    ASSERT_TRUE(back.has_value()) << formatReal(f);
    ASSERT_EQ(bits(*back), bits(f)) << formatReal(f);
  }
}

TEST(ShipInput, ShaftHeightLeftAtZeroFollowsTheDraughtSetLater) {
  ShipValues v = readTskText(exampleInput());
  setValue(v, "Ta", "12");
  const RunResult r = runCase(writeTsk(v), "0.686\n4\nH\n\n\n");
  EXPECT_EQ(r.state.in.Hs, 0.32f * 12.0f);  // 3.84 m, the reader's default for a shaft height of 0
  EXPECT_EQ(r.state.in.HsRead, 0.0f);
}

TEST(ShipInput, SetValueTakesTextAsTheFileWouldHoldIt) {
  ShipValues v = readTskText(exampleInput());
  setValue(v, "B", "33");
  setValue(v, "NPROP", " 2 ");
  setValue(v, "VS", "15, 17,19");
  setValue(v, "DF", "1.0,1.05,1.1");
  setValue(v, "AREA3=12.5");
  setValue(v, "FF2_3", "2.5");
  setValue(v, "Vtrial", "1.7D1");  // the reader's exponent letters
  EXPECT_EQ(v.B, 33.0f);
  EXPECT_EQ(v.NPROP, 2);
  EXPECT_EQ(v.VS, (std::vector<float>{15.0f, 17.0f, 19.0f}));
  EXPECT_EQ(v.DF, (std::vector<float>{1.0f, 1.05f, 1.1f}));
  EXPECT_EQ(v.AREA[2], 12.5f);
  EXPECT_EQ(v.FF2[2], 2.5f);
  EXPECT_EQ(v.Vtrial, 17.0f);
  const ShipValues back = readTskText(writeTsk(v));
  EXPECT_TRUE(sameValues(back, v));
}

// A value set by name runs exactly as the same value written into its record
// of a copy of the input file.
TEST(ShipInput, ValueSetByNameRunsLikeTheValueWrittenIntoTheFile) {
  struct Case {
    const char* name;
    const char* text;
    int record;
    const char* values;
  };
  const Case cases[] = {
      {"B", "33", 4, "33"},
      {"Ta", "11.5", 5, "10.0 11.5"},
      {"VS", "20,22.5,25,26", 17, "4 20 22.5 25 26"},
      {"FF2_1", "0", 19, "50.0 0"},
      {"N", "100", 32, "100"},
  };
  for (const Case& c : cases) {
    ShipValues v = readTskText(exampleInput());
    setValue(v, c.name, c.text);
    const RunResult bySet = runCase(writeTsk(v), "0.686\n4\nH\n\n\n");
    const RunResult byFile = runCase(withRecord(exampleInput(), c.record, c.values), "0.686\n4\nH\n\n\n");
    EXPECT_EQ(bySet.console, byFile.console) << c.name;
    EXPECT_EQ(bySet.echo, byFile.echo) << c.name;
    EXPECT_EQ(bySet.report, byFile.report) << c.name;
  }
}

TEST(ShipInput, SetValueRefusesWhatTheFileCannotHold) {
  std::string fiftyOne = "1";
  for (int k = 2; k <= 51; ++k) fiftyOne += "," + std::to_string(k);
  struct Case {
    const char* name;
    std::string text;
    std::vector<const char*> said;
  };
  const Case cases[] = {
      {"Lbw", "205", {"bilinmeyen ad", "Lbp", "Lwl"}},
      {"b", "33", {"bilinmeyen ad", "B"}},
      {"XYZZY", "1", {"bilinmeyen ad"}},
      {"NPROP", "1.5", {"NPROP", "tam sayi"}},
      {"B", "12,5", {"B", "tek bir sayi", "nokta"}},
      {"B", "abc", {"B", "\"abc\""}},
      {"B", "", {"B", "tek bir sayi"}},
      {"B", "NaN", {"B"}},
      {"B", "1e39", {"B"}},
      {"VS", "", {"VS", "bos"}},
      {"VS", "15,,17", {"VS", "virgulle"}},
      {"VS", fiftyOne, {"VS", "en cok 50", "51"}},
      {"DF", "1,1,1,1,1,1,1,1,1,1,1", {"DF", "en cok 10"}},
      {"NV", "7", {"VS listesinin uzunlugudur"}},
      {"NDF", "0", {"DF listesinin uzunlugudur"}},
  };
  for (const Case& c : cases) {
    ShipValues v = readTskText(exampleInput());
    const ShipValues before = v;
    const std::string m = message([&] { setValue(v, c.name, c.text); });
    for (const char* part : c.said) EXPECT_TRUE(contains(m, part)) << c.name << "=" << c.text << ": " << m;
    EXPECT_TRUE(sameValues(v, before)) << c.name;
  }
  ShipValues v;
  EXPECT_TRUE(contains(message([&] { setValue(v, "B33"); }), "AD=DEGER"));
}

TEST(ShipInput, FilesTheProgramRefusesAreRefusedWithItsMessage) {
  struct Case {
    int record;
    const char* values;
    std::vector<const char*> said;
  };
  const Case cases[] = {
      {4, "32,5 1", {"OKUMA HATASI", "satir 20", "kayit 4", "aciklama satiri"}},
      {36, "1.0 1 0", {"kayit 36", "tamsayi"}},
      {18, "30.0", {"GIRILEN HIZ ARALIGI DISINDA"}},
      {17, "51 15.0", {"HIZ SAYISI"}},
      {40, "0.0", {"etas"}},
  };
  for (const Case& c : cases) {
    const std::string m = message([&] { readTskText(withRecord(exampleInput(), c.record, c.values)); });
    for (const char* part : c.said) EXPECT_TRUE(contains(m, part)) << c.record << ": " << m;
  }
  const std::string crlf = [] {
    std::string out;
    for (const auto& line : linesOf(exampleInput())) out += line + "\r\n";
    return out;
  }();
  EXPECT_TRUE(sameValues(readTskText(crlf), readTskText(exampleInput())));
}

TEST(ShipInput, GeneratedShipsSurviveTheFile) {
  for (unsigned seed = 1; seed <= 200; ++seed) {
    const ShipValues v = generatedShip(seed);
    const ShipValues back = readTskText(writeTsk(v));
    ASSERT_TRUE(sameValues(back, v)) << "seed " << seed << "\n" << writeTsk(v);
  }
}

}  // namespace
}  // namespace gemi::analysis
