#include "analysis/svg.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>

namespace gemi::analysis {
namespace {

std::string joined(const std::vector<std::string>& v) {
  std::string s;
  for (const std::string& x : v) s += (s.empty() ? "" : " ") + x;
  return s;
}

std::string joinedNumbers(const std::vector<double>& v, int decimals) {
  std::vector<std::string> s;
  for (double x : v) s.push_back(fixedNumber(x, decimals));
  return joined(s);
}

// Ranges worked by hand: the rough step (hi - lo) / max rounded up to 1, 2 or
// 5 times a power of ten, the ends rounded outwards, the next step when the
// outward rounding needs more intervals than allowed.
TEST(RoundTicks, HandChosenRanges) {
  const double nan = std::numeric_limits<double>::quiet_NaN();
  struct Case {
    double lo, hi;
    int max;
    const char* labels;
  } cases[] = {
      {0, 1, 5, "0.0 0.2 0.4 0.6 0.8 1.0"},
      {0, 47321, 6, "0 10000 20000 30000 40000 50000"},
      // rough 0.025 -> 0.02 needs 9 .. 17 (8 intervals) -> 0.05.
      {0.18, 0.33, 6, "0.15 0.20 0.25 0.30 0.35"},
      // 0.3 / 0.1 is 2.9999999999999996 in binary: still the tick 0.3.
      {0.3, 0.7, 4, "0.3 0.4 0.5 0.6 0.7"},
      {-3.2, 7.9, 10, "-4 -2 0 2 4 6 8"},
      {12, 27, 8, "12 14 16 18 20 22 24 26 28"},
      {10.5, 27.0, 7, "10 15 20 25 30"},
      {-0.004, -0.001, 3, "-0.004 -0.003 -0.002 -0.001"},
      // Empty ranges widen by 10 % (by 1 at zero); reversed ends swap.
      {0.3, 0.3, 5, "0.26 0.28 0.30 0.32 0.34"},
      {0, 0, 4, "-1.0 -0.5 0.0 0.5 1.0"},
      {5, 1, 4, "1 2 3 4 5"},
      {nan, 3, 5, "0.0 0.2 0.4 0.6 0.8 1.0"},
      {0, 1, 0, "0 1"},
  };
  for (const Case& c : cases) {
    const Ticks t = roundTicks(c.lo, c.hi, c.max);
    EXPECT_EQ(joined(t.labels), c.labels) << c.lo << " .. " << c.hi << " max " << c.max;
    ASSERT_EQ(t.labels.size(), t.values.size());
    if (!std::isnan(c.lo)) {
      EXPECT_LE(t.values.front(), std::min(c.lo, c.hi));
    }
    EXPECT_TRUE(t.minor.empty());
  }
}

TEST(RoundTicks, TickValuesAreTheRoundDecimalsThemselves) {
  // Placed at 0.3, not at 3 * 0.1: no drift of the grid against its labels.
  const Ticks t = roundTicks(0.0, 0.9, 9);
  ASSERT_EQ(t.values.size(), 10u);
  EXPECT_EQ(t.values[3], 0.3);
  EXPECT_EQ(t.values[7], 0.7);
}

TEST(LogTicks, DecadesDecideWhichMultiplesAreLabelled) {
  struct Case {
    double lo, hi;
    const char* labels;
    const char* minor;
  } cases[] = {
      // Burrill's range: ends 0.1 and 2.
      {0.18, 1.5, "0.1 0.2 0.3 0.5 1 2", "0.4 0.6 0.7 0.8 0.9"},
      {1, 1000, "1 2 5 10 20 50 100 200 500 1000", ""},
      {0.003, 40000, "0.002 0.01 0.1 1 10 100 1000 10000 50000", ""},
      {2, 2, "2 3 5", "4.0"},  // one value still spans an axis
      {-1, 5, "0.1 0.2 0.3 0.5 1", "0.4 0.6 0.7 0.8 0.9"},
  };
  for (const Case& c : cases) {
    const Ticks t = logTicks(c.lo, c.hi);
    EXPECT_EQ(joined(t.labels), c.labels) << c.lo << " .. " << c.hi;
    if (*c.minor) {
      EXPECT_EQ(joinedNumbers(t.minor, 1), c.minor) << c.lo << " .. " << c.hi;
    }
  }
}

TEST(FixedNumber, CLocaleFixedDecimalsWithoutMinusZeroOrNan) {
  struct Case {
    double v;
    int decimals;
    const char* text;
  } cases[] = {
      {1234.5678, 2, "1234.57"}, {0.125, 2, "0.12"},  // 0.125 is exact: ties to even
      {2.675, 2, "2.67"},                            // binary 2.67499999...
      {-0.001, 2, "0.00"},      {-0.0, 0, "0"},        {-3.5, 1, "-3.5"},
      {1e20, 0, "100000000000000000000"},              {std::nan(""), 2, "0"},
      {INFINITY, 1, "0"},       {7, 12, "7.000000000"},  // at most nine decimals
  };
  for (const Case& c : cases) EXPECT_EQ(fixedNumber(c.v, c.decimals), c.text) << c.v;
}

TEST(XmlEscape, MarkupCharactersControlsAndBrokenUtf8) {
  struct Case {
    std::string in, out;
  } cases[] = {
      {"R&D <gemi> \"A\" 'B'", "R&amp;D &lt;gemi&gt; &quot;A&quot; &apos;B&apos;"},
      {"Hız (knot) Güç Direnç σ τc İ ş", "Hız (knot) Güç Direnç σ τc İ ş"},
      {"a\tb\nc\rd", "a\tb\nc\rd"},
      {std::string("a\x01\x1f" "b") + '\0', "ab"},
      {"x\xff" "y", "x\xEF\xBF\xBDy"},                        // not a UTF-8 byte
      {"\xC4", "\xEF\xBF\xBD"},                               // cut short
      {"\xC0\xAF", "\xEF\xBF\xBD\xEF\xBF\xBD"},               // overlong '/'
      {"\xED\xA0\x80", "\xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBD"},  // surrogate
      {"\xEF\xBF\xBE", "\xEF\xBF\xBD"},                       // U+FFFE
      {"\xF0\x9F\x9A\xA2", "\xF0\x9F\x9A\xA2"},               // a ship, four bytes
      {"&amp;", "&amp;amp;"},
  };
  for (const Case& c : cases) EXPECT_EQ(xmlEscape(c.in), c.out) << c.in;
}

std::size_t count(const std::string& text, const std::string& part) {
  std::size_t n = 0;
  for (std::size_t p = text.find(part); p != std::string::npos; p = text.find(part, p + 1)) ++n;
  return n;
}

TEST(LineChart, NonFiniteValuesBreakTheLineAndNeverReachTheFile) {
  const float nan = std::numeric_limits<float>::quiet_NaN(), inf = std::numeric_limits<float>::infinity();
  LineChart c;
  c.title = "t";
  Series s;
  s.x = {1, 2, 3, 4, 5, 6, 7};
  s.y = {1, 2, nan, 4, 5, inf, 7};  // pieces: 1-2, 4-5, the lone 7 as a dot
  c.series = {s};
  c.lines = {ReferenceLine{false, nan, "nan line"}, ReferenceLine{true, -inf, "inf line"}};
  c.points = {MarkedPoint{nan, 1, "nan point"}};
  const std::string svg = renderLineChart(c);
  EXPECT_EQ(count(svg, "<polyline"), 2u);
  EXPECT_EQ(count(svg, "<circle"), 1u);
  EXPECT_EQ(svg.find("nan"), std::string::npos);
  EXPECT_EQ(svg.find("inf"), std::string::npos);
  // The ranges come from the finite values only: 1 .. 7 on x, 1 .. 8 on y
  // (room above the highest value).
  EXPECT_NE(svg.find(">8</text>"), std::string::npos);
  EXPECT_EQ(svg.find(">9</text>"), std::string::npos);

  // Nothing drawable at all: an empty frame over 0 .. 1.
  c.series[0].y.assign(7, nan);
  const std::string empty = renderLineChart(c);
  EXPECT_EQ(count(empty, "<polyline"), 0u);
  EXPECT_EQ(empty.find("nan"), std::string::npos);
}

TEST(LineChart, LogarithmicAxisLeavesOutValuesThatAreNotPositive) {
  LineChart c;
  c.x.logarithmic = true;
  Series s;
  s.x = {-1, 0, 0.2f, 0.5f, 1};
  s.y = {1, 1, 2, 3, 4};
  c.series = {s};
  const std::string svg = renderLineChart(c);
  EXPECT_EQ(count(svg, "<polyline"), 1u);
  EXPECT_NE(svg.find(">0.2</text>"), std::string::npos);
  EXPECT_EQ(svg.find("nan"), std::string::npos);
}

// The y coordinates of the text elements that hold `part`.
std::vector<double> textRows(const std::string& svg, const std::string& part) {
  std::vector<double> ys;
  for (std::size_t p = svg.find(part); p != std::string::npos; p = svg.find(part, p + 1)) {
    const std::size_t y = svg.rfind(" y=\"", p) + 4;
    ys.push_back(std::stod(svg.substr(y, svg.find('"', y) - y)));
  }
  return ys;
}

TEST(LineChart, LabelsOfPointsCloseTogetherDoNotOverlap) {
  LineChart c;
  Series s;
  s.x = {0, 1};
  s.y = {0, 1};
  c.series = {s};
  // Three labels at nearly one place, a fourth far to the left.
  c.points = {MarkedPoint{0.5, 0.5, "P1 label"}, MarkedPoint{0.5, 0.505, "P2 label"}, MarkedPoint{0.52, 0.5, "P3 label"},
              MarkedPoint{0.0, 0.5, "P4"}};
  const std::string svg = renderLineChart(c);
  std::vector<double> ys;
  for (const char* l : {"P1 label", "P2 label", "P3 label"}) ys.push_back(textRows(svg, l).at(0));
  std::sort(ys.begin(), ys.end());
  EXPECT_GE(ys[1] - ys[0], 15.0 - 1e-9);
  EXPECT_GE(ys[2] - ys[1], 15.0 - 1e-9);
  // Not in the way of the others: stays where it was placed, 9 above its point.
  const std::string circle = "<circle cx=\"74.00\" cy=\"";
  const std::size_t dot = svg.find(circle) + circle.size();
  EXPECT_EQ(textRows(svg, ">P4<").at(0), std::stod(svg.substr(dot, svg.find('"', dot) - dot)) - 9.0);
}

TEST(SvgWriter, DocumentHasFixedSizeAndViewBoxAndEscapedTitle) {
  LineChart c;
  c.title = "Gemi \"A&B\" <1>";
  const std::string svg = renderLineChart(c);
  EXPECT_EQ(svg.rfind("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<svg ", 0), 0u);
  EXPECT_NE(svg.find("width=\"800\" height=\"500\" viewBox=\"0 0 800 500\""), std::string::npos);
  EXPECT_NE(svg.find("<title>Gemi &quot;A&amp;B&quot; &lt;1&gt;</title>"), std::string::npos);
  EXPECT_EQ(svg.substr(svg.size() - 7), "</svg>\n");
}

}  // namespace
}  // namespace gemi::analysis
