// Variants of a ship: ranges without drift, the kinds of the swept values,
// refusals before any run, and the order of the product.
#include "analysis/variants.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "../support/run_harness.h"
#include "ship_files.h"

namespace gemi::analysis {
namespace {

using namespace gemi::testing;

std::string refusal(const std::function<void()>& f) {
  try {
    f();
  } catch (const VariantOptionError& e) {
    return e.what();
  }
  return "<accepted>";
}

std::vector<float> asFloats(const std::vector<double>& v) { return {v.begin(), v.end()}; }

TEST(Variants, RangesAreFormedWithoutDrift) {
  // Value k is start + k step in double, then rounded: 0.1 summed thirty
  // times in float gives 3.0000012, not the float nearest 3.
  const auto v = asFloats(rangeValues("0:3:0.1", "B"));
  ASSERT_EQ(v.size(), 31u);
  EXPECT_EQ(v[3], 0.3f);
  EXPECT_EQ(v[30], 3.0f);
  float summed = 0.0f;
  for (int k = 0; k < 30; ++k) summed += 0.1f;
  EXPECT_NE(summed, v[30]);  // the fault the formula avoids

  struct Case {
    const char* text;
    std::size_t count;
    float first, last;
  };
  for (const Case& c : {Case{"30:34:0.5", 9, 30.0f, 34.0f}, Case{"7:9:0.25", 9, 7.0f, 9.0f},
                        Case{"34:30:-0.5", 9, 34.0f, 30.0f}, Case{"30:30:1", 1, 30.0f, 30.0f},
                        Case{"30:34.2:0.5", 9, 30.0f, 34.0f},   // the stop passed by less than half a step
                        Case{"30:34.3:0.5", 10, 30.0f, 34.5f},  // the grid point nearest the stop
                        Case{"1:2:0.001", 1001, 1.0f, 2.0f}}) {
    SCOPED_TRACE(c.text);
    const auto r = asFloats(rangeValues(c.text, "B"));
    ASSERT_EQ(r.size(), c.count);
    EXPECT_EQ(r.front(), c.first);
    EXPECT_EQ(r.back(), c.last);
  }
}

TEST(Variants, RangesWithNoValuesAreRefused) {
  for (const char* text : {"30:34:0", "34:30:0.5", "30:34", "30:34:0.5:1", "a:34:1", "30,5:34:1", "0:1:1e-9", ":"}) {
    SCOPED_TRACE(text);
    EXPECT_NE(refusal([&] { rangeValues(text, "B"); }), "<accepted>");
  }
}

TEST(Variants, AxisValuesTakeTheKindOfTheirName) {
  const SweepAxis b = parseAxis("B=30,32.5");
  EXPECT_EQ(b.texts, (std::vector<std::string>{"30.0", "32.5"}));
  EXPECT_EQ(b.values, (std::vector<float>{30.0f, 32.5f}));
  const SweepAxis d = parseAxis("D", "7:7.5:0.25");
  EXPECT_EQ(d.texts, (std::vector<std::string>{"7.0", "7.25", "7.5"}));
  const SweepAxis nbt = parseAxis("NBT=0:2:1");
  EXPECT_EQ(nbt.texts, (std::vector<std::string>{"0", "1", "2"}));
  const SweepAxis z = parseAxis("Z", "3:7:1");
  EXPECT_EQ(z.values, (std::vector<float>{3, 4, 5, 6, 7}));
  const SweepAxis ear = parseAxis("EAR", "0.55,0.7");
  EXPECT_EQ(ear.values, (std::vector<float>{0.55f, 0.7f}));

  struct Refused {
    const char* assignment;
    const char* says;
  };
  for (const Refused& c : {
           Refused{"Lbw=200:210:5", "Lwl"},            // unknown, with the closest names
           Refused{"Lbw=200:210:5", "Kullanilabilen adlar: RHO, GRAV"},  // and the list of names
           Refused{"VS=15,17", "listedir"},            // a list cannot be swept
           Refused{"NBT=0:1:0.5", "tam sayi"},         // an integer
           Refused{"NPROP=1.5", "tam sayi"},
           Refused{"B=30,abc", "'abc'"},
           Refused{"B=30,32,5", "<accepted>"},         // three values: accepted
           Refused{"B=", "deger verilmedi"},
           Refused{"B30", "AD="},
           Refused{"Z=8", "2 ile 7"},
           Refused{"Z=4.5", "tam sayi"},
           Refused{"EAR=0", "0 ile 2"},
           Refused{"etad=1.2", "0 ile 1"},
           Refused{"etad=0.6,1", "0 ile 1"},
       }) {
    SCOPED_TRACE(c.assignment);
    EXPECT_NE(refusal([&] { parseAxis(c.assignment); }).find(c.says), std::string::npos)
        << refusal([&] { parseAxis(c.assignment); });
  }
}

TEST(Variants, SettingsAreCheckedBeforeAnyShipIsRead) {
  EXPECT_EQ(refusal([] { checkSetting("VS=15,17,19"); }), "<accepted>");
  EXPECT_EQ(refusal([] { checkSetting("Pengine=42000"); }), "<accepted>");
  for (const auto& [setting, says] : std::vector<std::pair<const char*, const char*>>{
           {"Z=5", "--z"}, {"Foo=1", "Kullanilabilen adlar"}, {"NBT=1.5", "tam sayi"}, {"B", "AD=DEGER"},
           {"NV=3", "VS listesinin"}, {"VS=", "bos"}}) {
    SCOPED_TRACE(setting);
    EXPECT_NE(refusal([&] { checkSetting(setting); }).find(says), std::string::npos)
        << refusal([&] { checkSetting(setting); });
  }
}

TEST(Variants, TheProductRunsOverFilesThenAxesLastFastest) {
  const ShipValues example = readTskText(exampleInput());
  ShipValues other = example;
  other.Lwl = 180.0f;
  const VariantSet set({example, other}, {"Pengine=42000"}, {parseAxis("B=30,31"), parseAxis("Z=3,4,5")},
                       Answers{4, 0.7f, std::nullopt});
  ASSERT_EQ(set.size(), 12u);
  const Variant v = set.at(10);  // second file, B second value, Z second value
  EXPECT_EQ(v.file, 1u);
  EXPECT_EQ(v.axisValues, (std::vector<float>{31.0f, 4.0f}));
  EXPECT_EQ(v.answers.Z, 4);
  EXPECT_EQ(v.answers.EAR, 0.7f);
  const ShipValues written = readTskText(v.inputText);
  EXPECT_EQ(written.B, 31.0f);
  EXPECT_EQ(written.Lwl, 180.0f);
  EXPECT_EQ(written.Pengine, 42000.0f);
  EXPECT_EQ(set.folderName(v, {"a", "b"}), "11_b_B=31.0_Z=4");
  EXPECT_EQ(set.folderName(set.at(0), {"a", "b"}), "01_a_B=30.0_Z=3");
}

TEST(Variants, AProductTooLargeIsRefused) {
  const ShipValues example = readTskText(exampleInput());
  EXPECT_NE(refusal([&] {
              VariantSet({example}, {}, {parseAxis("B=1:1000:1"), parseAxis("D=1:1001:1")}, Answers{});
            }).find("en cok"),
            std::string::npos);
}

TEST(Variants, SingleRunInputText) {
  TempDir dir;
  const std::string example = exampleInput();
  writeFile(dir.path() / "gemi.TSK", example);
  writeFile(dir.path() / "gemi.toml", exampleToml());
  // An input file with nothing set is passed on as it is.
  EXPECT_EQ(inputTextOf(dir.path() / "gemi.TSK", {}), example);
  // A TOML ship and a setting give the program's layout of the values.
  EXPECT_TRUE(sameValues(readTskText(inputTextOf(dir.path() / "gemi.toml", {})), readTskText(example)));
  EXPECT_EQ(readTskText(inputTextOf(dir.path() / "gemi.toml", {"B=33", "VS=20,25"})).VS,
            (std::vector<float>{20.0f, 25.0f}));
  EXPECT_THROW(inputTextOf(dir.path() / "yok.TSK", {}), ShipInputError);
  writeFile(dir.path() / "bozuk.toml", "B = \n");
  try {
    inputTextOf(dir.path() / "bozuk.toml", {});
    ADD_FAILURE() << "a broken TOML file was read";
  } catch (const ShipInputError& e) {
    EXPECT_NE(std::string(e.what()).find("bozuk.toml:1:"), std::string::npos) << e.what();
  }
}

}  // namespace
}  // namespace gemi::analysis
