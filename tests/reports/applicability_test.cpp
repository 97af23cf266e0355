// The applicability checks over whole runs: which checks apply to what the run
// computed, their values against hand calculations, the console lines, and the
// closing notice box of the report.
#include "reports/applicability.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <initializer_list>
#include <limits>
#include <string>
#include <utility>
#include <vector>

#include "../support/run_harness.h"
#include "../support/text_lines.h"

namespace gemi {
namespace {

using namespace gemi::testing;
using Status = ApplicabilityStatus;

constexpr float kAny = std::numeric_limits<float>::quiet_NaN();  // value not checked

// The example ship with the given value records replaced.
std::string ship(std::initializer_list<std::pair<int, std::string>> records) {
  std::string s = exampleInput();
  for (const auto& [no, values] : records) s = withRecord(s, no, values);
  return s;
}

// Hulls without a propeller (record 31 D = 0, N stays 0), no bulb, surfaces
// and entrance angle estimated, no model scale.
std::string hull(const std::string& L, const std::string& B, const std::string& T, const std::string& V,
                 const std::string& CmCwp, const std::string& speeds, const std::string& trial,
                 std::initializer_list<std::pair<int, std::string>> more = {}) {
  std::string s = ship({{2, L}, {3, L}, {4, B}, {5, T + " " + T}, {6, V}, {7, "-1"}, {8, "0"}, {9, "0"},
                        {10, "0"}, {11, CmCwp}, {12, "0"}, {13, "0"}, {14, "0"}, {15, "0 15"}, {16, "6 60"},
                        {17, speeds}, {18, trial}, {31, "0"}});
  for (const auto& [no, values] : more) s = withRecord(s, no, values);
  return s;
}

const std::string kExampleAnswers = "0.686\n4\nH\n\n\n";

// Runs the case; when the efficiency check asks for a restart, once more with
// the efficiency it names, as a designer would.
RunResult runToClosing(const std::string& input, const std::string& rest) {
  RunResult r = runCase(input, "0.6\n" + rest);
  if (!contains(r.console, "YENIDEN BASLATMAK")) return r;
  char etad[16];
  std::snprintf(etad, sizeof etad, "%.3f\n", numberAfter(r.console, "ETAD ="));
  return runCase(input, etad + rest);
}

struct Row {
  std::string name;
  float value;  // kAny: not checked
  Status status;
};

struct Case {
  const char* what;
  std::string input, answers;
  std::vector<Row> rows;  // every check of the run, in order
};

using Rows = std::vector<Row>;

Rows operator+(Rows a, const Rows& b) {
  a.insert(a.end(), b.begin(), b.end());
  return a;
}

// Hand calculations (python3, double precision); L = Lwl, T the mean draught,
// CP = V / (T B Lwl Cm), Fn = 0.5144 Vs / sqrt(9.81 Lwl) at the fastest speed
// of its range.
std::vector<Case> cases() {
  const float inf = std::numeric_limits<float>::infinity();
  // Example: CP = 37500/(10*32*205)/0.98 = 0.58331, L/B = 205/32 = 6.40625,
  // B/T = 3.2, Fn(27 kn) = 13.8888/sqrt(2011.05) = 0.30971: no hull finding.
  const Rows exampleHull = {{"CP", 0.583313f, Status::Inside}, {"L/B", 6.40625f, Status::Inside},
                            {"B/T", 3.2f, Status::Inside}, {"Fn", 0.309709f, Status::Inside}};
  // Shaft at the default 0.32 Ta = 3.2 m under an 8 m propeller: Hs - D/2 =
  // 3.2 - 4 = -0.8, the tip below the keel; Hsd - D/2 = 6.8 - 4 = 2.8.
  const Rows defaultShaft = {{"Hs-D/2", -0.8f, Status::Outside}, {"Hsd-D/2", 2.8f, Status::Inside}};
  const Rows stageLimits = {{"Vtip", kAny, Status::Outside}, {"Sigma", kAny, Status::Inside}};
  const Rows fourBlades = {{"Z", 4, Status::Inside}, {"EAR", kAny, Status::Inside}, {"P/D", kAny, Status::Inside},
                           {"EAR-Z", kAny, Status::Inside}};
  return {
      // Vtip = pi * 105.209 rpm * 8 / 60 = 44.070 m/s > 30; Sigma as printed, .314.
      {"example", exampleInput(), kExampleAnswers,
       exampleHull + fourBlades + defaultShaft +
           Rows{{"Vtip", 44.070f, Status::Outside}, {"Sigma", 0.3142f, Status::Inside}}},
      // The shaft at 7 m under a 10 m draught: Hs - D/2 = 3; Hsd - D/2 = 3 - 4
      // = -1, the tip above the waterline.
      {"tip above the waterline", ship({{34, "7.0"}}), kExampleAnswers,
       exampleHull + fourBlades +
           Rows{{"Hs-D/2", 3.0f, Status::Inside}, {"Hsd-D/2", -1.0f, Status::Outside}} + stageLimits},
      // Z 7 with EAR 0.40: inside the regression (2-7, 0.30-1.05) but below the
      // 0.55-0.85 of the series' seven-bladed screws: a note.
      {"Z 7, EAR 0.40", exampleInput(), "0.686\n7\nE\n0.40\n\n\n",
       exampleHull +
           Rows{{"Z", 7, Status::Inside}, {"EAR", 0.40f, Status::Inside}, {"P/D", kAny, Status::Inside},
                {"EAR-Z", 0.40f, Status::Info}} +
           defaultShaft + stageLimits},
      // Area ratio 1.2 typed: beyond the regression's 1.05; the softer note is left out.
      {"EAR 1.2", exampleInput(), "0.686\n4\nE\n1.2\n\n\n",
       exampleHull +
           Rows{{"Z", 4, Status::Inside}, {"EAR", 1.2f, Status::Outside}, {"P/D", kAny, Status::Inside}} +
           defaultShaft + stageLimits},
      // Gawn series with 4 blades asked for: the series takes 3, said as a
      // note; the B-series rows do not apply.
      {"Gawn, Z 4 asked", ship({{36, "1 2 0"}}), kExampleAnswers,
       exampleHull + Rows{{"Z-Gawn", 4, Status::Info}} + defaultShaft + stageLimits},
      // Tug: L/B = 30/10 = 3 < 3.9; B/T = 2.5; CP = 600/(4*10*30)/0.85 = 0.58824.
      // Fn(12 kn) = 6.1728/sqrt(294.3) = 0.35982 (10 and 12 kn below 0.40),
      // Fn(16 kn) = 8.2304/17.15517 = 0.47976 (14 and 16 kn interpolated).
      {"tug", hull("30", "10", "4", "600", "0.85 0.80", "4 10 12 14 16", "12"), "",
       {{"CP", 0.588235f, Status::Inside}, {"L/B", 3.0f, Status::Outside}, {"B/T", 2.5f, Status::Inside},
        {"Fn", 0.359821f, Status::Inside}, {"Fn", 0.479762f, Status::Info}}},
      // Fast patrol boat: CP = 252/(2*7*40)/0.75 = 0.6, L/B = 5.71429, B/T = 3.5;
      // Fn(20 kn) = 10.288/sqrt(392.4) = 0.51936 interpolated, Fn(35 kn) =
      // 18.004/19.80909 = 0.90888 with the high-speed formula: notes only.
      {"fast patrol boat", hull("40", "7", "2", "252", "0.75 0.75", "4 20 25 30 35", "25"), "",
       {{"CP", 0.6f, Status::Inside}, {"L/B", 5.714286f, Status::Inside}, {"B/T", 3.5f, Status::Inside},
        {"Fn", 0.519358f, Status::Info}, {"Fn", 0.908876f, Status::Info}}},
      // Full tanker: CP = 151360/(16*44*250)/0.995 = 0.86432 > 0.85; L/B = 5.68182,
      // B/T = 2.75, Fn(16 kn) = 8.2304/sqrt(2452.5) = 0.16619.
      {"full tanker", hull("250", "44", "16", "151360", "0.995 0.90", "5 12 13 14 15 16", "15"), "",
       {{"CP", 0.864322f, Status::Outside}, {"L/B", 5.681818f, Status::Inside}, {"B/T", 2.75f, Status::Inside},
        {"Fn", 0.166194f, Status::Inside}}},
      // No draught: the reader refuses draughts not above zero at their
      // record (CB, CP and B/T would be infinite): nothing was computed.
      {"no draught", ship({{5, "0 0"}, {31, "0"}}), "", {}},
      // The console ends before the blade number, or the trial speed lies
      // between two speeds of the list (the stage stops before any question):
      // only the hull was computed.
      {"no blade number", exampleInput(), "0.686\n", exampleHull},
      {"trial speed not in the list", ship({{18, "26.0"}}), "", exampleHull},
      // A trial speed beyond the list stops the reading: nothing was computed.
      {"trial speed beyond the list", ship({{18, "30.0"}}), "", {}},
  };
}

TEST(Applicability, ChecksOfEachCaseAgreeWithTheHandCalculation) {
  for (const Case& c : cases()) {
    SCOPED_TRACE(c.what);
    const RunResult r = runCase(c.input, c.answers);
    const std::vector<ApplicabilityCheck> checks = checkApplicability(r.state);
    ASSERT_EQ(checks.size(), c.rows.size());
    int outside = 0;
    for (std::size_t k = 0; k < checks.size(); ++k) {
      SCOPED_TRACE(checks[k].line);
      EXPECT_EQ(checks[k].name, c.rows[k].name);
      EXPECT_EQ(checks[k].status, c.rows[k].status);
      const float want = c.rows[k].value;
      if (std::isinf(want)) {
        EXPECT_EQ(checks[k].value, want);
      } else if (!std::isnan(want)) {
        EXPECT_NEAR(checks[k].value, want, 5e-4f * std::fabs(want) + 1e-6f);
      }
      outside += c.rows[k].status == Status::Outside;
      EXPECT_FALSE(checks[k].source.empty());
      EXPECT_LE(checks[k].brief.size(), 43u);
      for (char ch : checks[k].line + checks[k].brief + checks[k].source) EXPECT_TRUE(ch >= ' ' && ch <= '~');
    }
    EXPECT_EQ(countOutside(checks), outside);
  }
}

TEST(Applicability, RangesAndStatusWordsAsTheExportsWriteThem) {
  const RunResult r = runCase(exampleInput(), "0.686\n7\nE\n0.40\n\n\n");
  const std::vector<ApplicabilityCheck> checks = checkApplicability(r.state);
  struct Range {
    const char* name;
    float lower, upper;
    const char* word;
  };
  const Range ranges[] = {{"CP", 0.55f, 0.85f, "icinde"},    {"L/B", 3.9f, 9.5f, "icinde"},
                          {"B/T", 2.1f, 4.0f, "icinde"},     {"Fn", kAny, 0.40f, "icinde"},
                          {"Z", 2, 7, "icinde"},             {"EAR", 0.30f, 1.05f, "icinde"},
                          {"P/D", 0.5f, 1.4f, "icinde"},     {"EAR-Z", 0.55f, 0.85f, "bilgi"},
                          {"Hs-D/2", 0, kAny, "disinda"},    {"Hsd-D/2", 0, kAny, "icinde"},
                          {"Vtip", kAny, 30, "disinda"},     {"Sigma", 0.18f, 1.5f, "icinde"}};
  ASSERT_EQ(checks.size(), std::size(ranges));
  for (std::size_t k = 0; k < checks.size(); ++k) {
    SCOPED_TRACE(ranges[k].name);
    EXPECT_EQ(checks[k].name, ranges[k].name);
    EXPECT_EQ(std::isnan(checks[k].lower), std::isnan(ranges[k].lower));
    EXPECT_EQ(std::isnan(checks[k].upper), std::isnan(ranges[k].upper));
    if (!std::isnan(ranges[k].lower)) {
      EXPECT_EQ(checks[k].lower, ranges[k].lower);
    }
    if (!std::isnan(ranges[k].upper)) {
      EXPECT_EQ(checks[k].upper, ranges[k].upper);
    }
    EXPECT_STREQ(statusWord(checks[k].status), ranges[k].word);
  }
}

TEST(Applicability, ConsoleLinesGiveTheFindingsOrSayThereIsNone) {
  const auto lines = [](const std::string& input, const std::string& answers) {
    return applicabilityConsoleLines(checkApplicability(runCase(input, answers).state));
  };
  // Findings first (tip below the keel, tip speed), then the note.
  const auto z7 = lines(exampleInput(), "0.686\n7\nE\n0.40\n\n\n");
  ASSERT_EQ(z7.size(), 3u);
  EXPECT_EQ(z7[0].rfind("UYARI: Hs-D/2 = -0.8 m", 0), 0u) << z7[0];
  EXPECT_EQ(z7[1].rfind("UYARI: Vtip = ", 0), 0u) << z7[1];
  EXPECT_EQ(z7[2].rfind("BILGI: EAR-Z = 0.4 (Z = 7)", 0), 0u) << z7[2];
  // No propeller, hull inside: one line.
  const auto plain = lines(ship({{31, "0"}}), "");
  ASSERT_EQ(plain.size(), 1u);
  EXPECT_TRUE(contains(plain[0], "bulgu yok")) << plain[0];
  // Nothing computed: one line saying so.
  const auto none = lines(ship({{18, "30.0"}}), "");
  ASSERT_EQ(none.size(), 1u);
  EXPECT_TRUE(contains(none[0], "kontrol edilecek deger yok")) << none[0];
}

// The box: 15 records, each a blank and 48 characters, framed by asterisks,
// after five empty records at the very end of the report.
std::vector<std::string> expectBoxShape(const std::string& report) {
  const std::vector<std::string> tail = lastLines(report, 20);
  EXPECT_EQ(tail.size(), 20u);
  for (std::size_t k = 0; k < 5; ++k) EXPECT_EQ(tail[k], "");
  const std::vector<std::string> box(tail.begin() + 5, tail.end());
  EXPECT_EQ(box.front(), " " + std::string(48, '*'));
  EXPECT_EQ(box.back(), " " + std::string(48, '*'));
  EXPECT_EQ(box[1], " *                   DIKKAT                     *");
  for (const std::string& line : box) {
    EXPECT_EQ(line.size(), 49u) << line;
    EXPECT_EQ(line.substr(0, 2), " *") << line;
    EXPECT_EQ(line.back(), '*') << line;
  }
  return box;
}

TEST(Applicability, ClosingBoxOfAShipWithoutFindingListsItsValues) {
  const RunResult r = runCase(ship({{31, "0"}}), "");
  ASSERT_EQ(r.status, 0);
  const std::vector<std::string> box = expectBoxShape(r.report);
  EXPECT_TRUE(anyContains(box, "Veri araliklari (README) icinde, bulgu yok:"));
  EXPECT_TRUE(anyContains(box, "CP 0.583  L/B 6.406  B/T 3.2  Fn 0.31"));
}

// Slender fast boat with a propeller: CP = 121.6/(2*3.8*40)/0.8 = 0.5 < 0.55,
// L/B = 40/3.8 = 10.53 > 9.5, B/T = 1.9 < 2.1, two Froude-number notes, the
// 1.6 m propeller under a shaft at 0.32*2 = 0.64 m (Hs - D/2 = -0.16), the tip
// speed above 30 m/s, Keller's area ratio above 1.05 and the operating point's
// pitch ratio, read from the search's candidates, just above 1.4: seven
// findings and two notes for six rows.
TEST(Applicability, ClosingBoxOfAShipWithMoreFindingsThanFitKeepsItsShape) {
  const std::string input = hull("40", "3.8", "2", "121.6", "0.80 0.75", "4 20 25 30 35", "30",
                                 {{10, "0.5"}, {31, "1.6"}, {37, "5000 0.85"}});
  const RunResult r = runToClosing(input, "4\nH\n\n\n");
  ASSERT_EQ(r.status, 0);
  ASSERT_TRUE(contains(r.console, "PROGRAM CALISMASI TAMAMLANDI"));
  const std::vector<std::string> box = expectBoxShape(r.report);
  const std::vector<ApplicabilityCheck> checks = checkApplicability(r.state);
  EXPECT_EQ(countOutside(checks), 7);
  EXPECT_EQ(box[7], " *  Veri araliklari (README): 7 bulgu, 2 not    *");
  EXPECT_EQ(box[8], " *  CP 0.5 (0.55-0.85) DISINDA: H&M verisi      *");
  EXPECT_EQ(box[13], " *  + 4 bulgu/not daha: gemiguc-analiz          *");
}

// The box alone, for lists a run seldom gives: none at all, long names and
// values that do not fit, many findings.
TEST(Applicability, ClosingBoxKeepsItsShapeForAnyList) {
  ApplicabilityCheck wide;
  wide.name = std::string(60, 'X');
  wide.value = 1e30f;
  wide.status = Status::Outside;
  wide.brief = std::string(60, 'Y');
  ApplicabilityCheck inside = wide;
  inside.status = Status::Inside;
  const std::vector<std::vector<ApplicabilityCheck>> lists = {
      {}, {wide}, {inside, inside, inside}, std::vector<ApplicabilityCheck>(40, wide)};
  for (const auto& list : lists) {
    const std::array<std::string, 15> box = closingNoticeBox(list);
    for (const std::string& line : box) {
      EXPECT_EQ(line.size(), 48u) << line;
      EXPECT_EQ(line.front(), '*');
      EXPECT_EQ(line.back(), '*');
    }
  }
  EXPECT_EQ(closingNoticeBox(std::vector<ApplicabilityCheck>(40, wide))[13],
            "*  + 35 bulgu/not daha: gemiguc-analiz         *");
}

}  // namespace
}  // namespace gemi
