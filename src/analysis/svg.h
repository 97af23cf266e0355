// A small SVG writer and a line-chart builder for the companion program's
// plots.
//
// The project writes SVG itself instead of using a plotting library: the
// bytes of a plot must be the same on every machine so that golden files can
// guard them (every number goes through one C-locale, fixed-decimal
// formatter, nothing depends on fonts or the environment), a vector file
// needs no raster step that would differ between viewers, and the plotting
// libraries at hand pull in a GUI toolkit for what is a few hundred lines of
// text output.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace gemi::analysis {

// `v` with exactly `decimals` decimals (0 .. 9), point decimal, whatever the
// global locale; rounded to nearest from the binary value. A zero never
// carries a minus sign and a non-finite value is written as "0" (callers
// leave such values out; this only guarantees that no "nan" reaches a file).
std::string fixedNumber(double v, int decimals);

// Text for XML character data and attribute values: & < > " ' escaped,
// control characters other than tab and line ends dropped, bytes that are
// not valid UTF-8 (and the non-characters U+FFFE, U+FFFF) replaced by U+FFFD.
std::string xmlEscape(std::string_view text);

// Tick values of an axis.
struct Ticks {
  std::vector<double> values;  // labelled ticks, ascending; the first and last are the axis ends
  std::vector<std::string> labels;  // the labelled values as printed (C locale)
  std::vector<double> minor;   // unlabelled grid lines (logarithmic axes only)
};

// Round ticks for a linear axis over [lo, hi]: a step of 1, 2 or 5 times a
// power of ten, the smallest such step that covers the range, rounded outwards
// to whole steps, in at most `maxIntervals` (>= 1) intervals. An empty range
// (lo == hi) is widened by 10 % of |lo| (by 1 at zero) each side; lo > hi is
// swapped. Non-finite ends give the axis 0 .. 1. Labels carry the decimals
// of the step (0.15 0.20 0.25).
Ticks roundTicks(double lo, double hi, int maxIntervals);

// Ticks for a logarithmic axis over [lo, hi], 0 < lo <= hi: the ends rounded
// outwards to 1, 2 or 5 times a power of ten; labels at 1, 2, 3, 5 times the
// powers of ten over up to two decades, at 1, 2, 5 over up to four, at the
// powers of ten beyond; minor lines at every integer multiple in between.
// Each label carries the decimals its value needs (0.1 0.2 0.5 1 2).
// Ends that are not positive and finite give 0.1 .. 1.
Ticks logTicks(double lo, double hi);

// Attribute list: name, value (the value is escaped when written).
using Attrs = std::vector<std::pair<std::string, std::string>>;

// Writes an SVG document element by element, one per line, indented.
class SvgWriter {
 public:
  // A document of width x height user units with a matching viewBox (so it
  // scales to the width of a page) and `title` as its accessible title.
  SvgWriter(int width, int height, std::string_view title);

  void open(std::string_view tag, const Attrs& attrs = {});  // <tag ...>
  void close(std::string_view tag);                           // </tag>
  void element(std::string_view tag, const Attrs& attrs);     // <tag .../>
  void text(double x, double y, std::string_view content, const Attrs& attrs = {});
  // A polyline through `points` (at least two).
  void polyline(const std::vector<std::pair<double, double>>& points, const Attrs& attrs);

  std::string newId(std::string_view prefix);  // unique within the document
  // A coordinate: two decimals, clamped to +-1e6.
  static std::string coord(double v);

  // The document text, closed; the writer is done with it.
  std::string finish();

 private:
  void indent();
  void attrs(const Attrs& a);
  std::string out_;
  int depth_ = 0;
  int ids_ = 0;
};

// A rectangle of a document, user units.
struct Box {
  double x = 0, y = 0, w = 0, h = 0;
};

// One curve of a chart.
struct Series {
  std::string name;          // legend text
  std::vector<float> x, y;   // pairs up to the shorter one; a non-finite value breaks the line
  std::string color = "#1f77b4";
  double width = 2.0;
  bool dashed = false;
  bool markers = false;
};

// A horizontal (value on the y axis) or vertical (value on the x axis) line
// across the plot, labelled at its left end, or at the upper or lower end
// farther from the curves.
struct ReferenceLine {
  bool vertical = false;
  double value = 0;
  std::string label;
  std::string color = "#444444";
  bool dashed = true;
};

// A point drawn as a dot with a label beside it.
struct MarkedPoint {
  double x = 0, y = 0;
  std::string label;
  std::string color = "#d62728";
};

struct Axis {
  std::string caption;        // quantity with its unit, "Hız (knot)"
  bool logarithmic = false;
  bool includeZero = false;   // linear axes: the range reaches zero
  std::optional<double> min, max;  // range ends to include at least (rounded outwards to ticks)
};

struct LineChart {
  std::string title;
  std::string subtitle;            // a smaller line under the title (may be empty)
  Axis x, y;
  std::vector<Series> series;
  std::vector<ReferenceLine> lines;
  std::vector<MarkedPoint> points;
  std::vector<std::string> notes;  // remarks printed under the legend
  int width = 800, height = 500;
};

// Draws `chart` into `area` of a document: title, frame, grid, ticks and
// captions, the series (clipped to the frame), the reference lines and
// marked points, and at the right a column with the legend (when there is
// more than one series) and the notes. The ranges cover every finite value
// of the series, lines and points (positive ones on a logarithmic axis); the
// x range also covers series points whose y value is missing.
void drawLineChart(SvgWriter& svg, const LineChart& chart, const Box& area);

// `chart` as a complete SVG document of chart.width x chart.height.
std::string renderLineChart(const LineChart& chart);

}  // namespace gemi::analysis
