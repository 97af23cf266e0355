#include "analysis/svg.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <cstdint>

namespace gemi::analysis {

std::string fixedNumber(double v, int decimals) {
  if (!std::isfinite(v)) return "0";
  decimals = std::clamp(decimals, 0, 9);
  std::array<char, 400> buf{};  // the largest double in fixed notation fits
  const auto r = std::to_chars(buf.data(), buf.data() + buf.size(), v, std::chars_format::fixed, decimals);
  std::string s(buf.data(), r.ptr);
  if (s[0] == '-' && s.find_first_not_of("-0.") == std::string::npos) s.erase(0, 1);
  return s;
}

namespace {

constexpr std::string_view kReplacement = "\xEF\xBF\xBD";

// Length of the valid UTF-8 sequence at the start of `s` and its code point,
// or 0 when it is not valid (overlong, surrogate, beyond U+10FFFF, cut short).
std::size_t utf8Sequence(std::string_view s, char32_t& cp) {
  const auto b0 = static_cast<unsigned char>(s[0]);
  std::size_t n = 0;
  char32_t min = 0;
  if (b0 < 0x80) {
    cp = b0;
    return 1;
  } else if ((b0 & 0xE0) == 0xC0) {
    n = 2, cp = b0 & 0x1F, min = 0x80;
  } else if ((b0 & 0xF0) == 0xE0) {
    n = 3, cp = b0 & 0x0F, min = 0x800;
  } else if ((b0 & 0xF8) == 0xF0) {
    n = 4, cp = b0 & 0x07, min = 0x10000;
  } else {
    return 0;
  }
  if (s.size() < n) return 0;
  for (std::size_t k = 1; k < n; ++k) {
    const auto b = static_cast<unsigned char>(s[k]);
    if ((b & 0xC0) != 0x80) return 0;
    cp = (cp << 6) | (b & 0x3F);
  }
  if (cp < min || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) return 0;
  return n;
}

}  // namespace

std::string xmlEscape(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  while (!text.empty()) {
    char32_t cp = 0;
    const std::size_t n = utf8Sequence(text, cp);
    if (n == 0 || cp == 0xFFFE || cp == 0xFFFF) {
      out += kReplacement;
      text.remove_prefix(n == 0 ? 1 : n);
      continue;
    }
    switch (cp) {
      case '&': out += "&amp;"; break;
      case '<': out += "&lt;"; break;
      case '>': out += "&gt;"; break;
      case '"': out += "&quot;"; break;
      case '\'': out += "&apos;"; break;
      default:
        if (cp >= 0x20 || cp == '\t' || cp == '\n' || cp == '\r') out.append(text.substr(0, n));
    }
    text.remove_prefix(n);
  }
  return out;
}

namespace {

// 10^e, exact for |e| <= 22 (a negative power is the correctly rounded
// quotient 1 / 10^-e).
double pow10(int e) {
  double p = 1.0;
  for (int k = 0; k < std::abs(e); ++k) p *= 10.0;
  return e < 0 ? 1.0 / p : p;
}

// A step of m times 10^e; the multiple i of it computed so that 0.1 * 3 is
// printed and placed as 0.3.
struct Step {
  int m = 1, e = 0;
  double value() const { return e < 0 ? m / pow10(-e) : m * pow10(e); }
  double at(long i) const { return e < 0 ? static_cast<double>(i * m) / pow10(-e) : static_cast<double>(i * m) * pow10(e); }
  Step next() const { return m == 1 ? Step{2, e} : m == 2 ? Step{5, e} : Step{1, e + 1}; }
};

// The largest 1-2-5 step not above x (x > 0).
Step stepBelow(double x) {
  int e = static_cast<int>(std::floor(std::log10(x)));
  while (pow10(e) > x) --e;
  while (pow10(e + 1) <= x) ++e;
  Step s{1, e};
  while (s.next().value() <= x) s = s.next();
  return s;
}

}  // namespace

Ticks roundTicks(double lo, double hi, int maxIntervals) {
  if (!std::isfinite(lo) || !std::isfinite(hi)) lo = 0.0, hi = 1.0;
  if (lo > hi) std::swap(lo, hi);
  if (lo == hi) {
    const double d = lo == 0.0 ? 1.0 : std::fabs(lo) * 0.1;
    lo -= d, hi += d;
  }
  maxIntervals = std::max(1, maxIntervals);
  Step s = stepBelow((hi - lo) / maxIntervals);
  long i0 = 0, i1 = 0;
  for (;; s = s.next()) {
    // A tolerance keeps 0.3 / 0.1 = 2.9999999999999996 on the tick 3.
    i0 = static_cast<long>(std::floor(lo / s.value() + 1e-9));
    i1 = static_cast<long>(std::ceil(hi / s.value() - 1e-9));
    if (i1 - i0 <= maxIntervals) break;
  }
  Ticks t;
  for (long i = i0; i <= i1; ++i) {
    t.values.push_back(s.at(i));
    t.labels.push_back(fixedNumber(t.values.back(), std::max(0, -s.e)));
  }
  return t;
}

Ticks logTicks(double lo, double hi) {
  if (!(lo > 0.0) || !(hi > 0.0) || !std::isfinite(lo) || !std::isfinite(hi)) lo = 0.1, hi = 1.0;
  if (lo > hi) std::swap(lo, hi);
  Step a = stepBelow(lo);
  Step b = stepBelow(hi);
  // An axis needs two ends: a single value gets the next step above it.
  if (b.value() < hi * (1.0 - 1e-12) || (b.m == a.m && b.e == a.e)) b = b.next();
  const int decades = b.e - a.e + (b.m > 1 ? 1 : 0);
  std::vector<int> labelled = decades <= 2 ? std::vector<int>{1, 2, 3, 5}
                              : decades <= 4 ? std::vector<int>{1, 2, 5}
                                             : std::vector<int>{1};
  Ticks t;
  for (int e = a.e; e <= b.e; ++e) {
    for (int m = 1; m <= 9; ++m) {
      const Step s{m, e};
      if ((e == a.e && m < a.m) || (e == b.e && m > b.m)) continue;
      const bool end = (e == a.e && m == a.m) || (e == b.e && m == b.m);
      if (end || std::find(labelled.begin(), labelled.end(), m) != labelled.end()) {
        t.values.push_back(s.at(1));
        t.labels.push_back(fixedNumber(t.values.back(), std::max(0, -e)));
      } else {
        t.minor.push_back(s.at(1));
      }
    }
  }
  return t;
}

SvgWriter::SvgWriter(int width, int height, std::string_view title) {
  out_ = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n";
  const std::string w = std::to_string(width), h = std::to_string(height);
  open("svg", {{"xmlns", "http://www.w3.org/2000/svg"},
               {"width", w},
               {"height", h},
               {"viewBox", "0 0 " + w + " " + h},
               {"font-family", "DejaVu Sans, Verdana, Arial, sans-serif"},
               {"font-size", "12"}});
  indent();
  out_ += "<title>" + xmlEscape(title) + "</title>\n";
  element("rect", {{"x", "0"}, {"y", "0"}, {"width", w}, {"height", h}, {"fill", "#ffffff"}});
}

void SvgWriter::indent() { out_.append(static_cast<std::size_t>(2 * depth_), ' '); }

void SvgWriter::attrs(const Attrs& a) {
  for (const auto& [name, value] : a) out_ += " " + name + "=\"" + xmlEscape(value) + "\"";
}

void SvgWriter::open(std::string_view tag, const Attrs& a) {
  indent();
  out_ += "<" + std::string(tag);
  attrs(a);
  out_ += ">\n";
  ++depth_;
}

void SvgWriter::close(std::string_view tag) {
  --depth_;
  indent();
  out_ += "</" + std::string(tag) + ">\n";
}

void SvgWriter::element(std::string_view tag, const Attrs& a) {
  indent();
  out_ += "<" + std::string(tag);
  attrs(a);
  out_ += "/>\n";
}

void SvgWriter::text(double x, double y, std::string_view content, const Attrs& a) {
  indent();
  out_ += "<text x=\"" + coord(x) + "\" y=\"" + coord(y) + "\"";
  attrs(a);
  out_ += ">" + xmlEscape(content) + "</text>\n";
}

void SvgWriter::polyline(const std::vector<std::pair<double, double>>& points, const Attrs& a) {
  std::string p;
  for (const auto& [x, y] : points) p += (p.empty() ? "" : " ") + coord(x) + "," + coord(y);
  Attrs all{{"points", p}, {"fill", "none"}};
  all.insert(all.end(), a.begin(), a.end());
  element("polyline", all);
}

std::string SvgWriter::newId(std::string_view prefix) { return std::string(prefix) + std::to_string(++ids_); }

std::string SvgWriter::coord(double v) { return fixedNumber(std::clamp(v, -1e6, 1e6), 2); }

std::string SvgWriter::finish() {
  while (depth_ > 0) close("svg");
  return std::move(out_);
}

namespace {

constexpr double kFont = 12.0;
constexpr double kTitleFont = 16.0;
constexpr double kNoteFont = 11.0;

// Approximate width of `s` in a sans-serif font of `size` (code points times
// an average advance); used only to keep labels apart and inside the frame.
double textWidth(std::string_view s, double size) {
  const auto cps = std::count_if(s.begin(), s.end(), [](char c) { return (static_cast<unsigned char>(c) & 0xC0) != 0x80; });
  return static_cast<double>(cps) * size * 0.6;
}

// Mapping of one axis from values to document coordinates.
struct Scale {
  double lo = 0, hi = 1;  // value range
  double p0 = 0, p1 = 1;  // coordinates of lo and hi
  bool log = false;
  bool valid(double v) const { return std::isfinite(v) && (!log || v > 0.0); }
  double operator()(double v) const {
    const double f = log ? (std::log10(v) - std::log10(lo)) / (std::log10(hi) - std::log10(lo)) : (v - lo) / (hi - lo);
    return p0 + f * (p1 - p0);
  }
};

// Every value the axis has to show.
struct Extent {
  double lo = INFINITY, hi = -INFINITY;
  bool log = false;
  bool takes(double v) const { return std::isfinite(v) && (!log || v > 0.0); }
  void add(double v) {
    if (takes(v)) lo = std::min(lo, v), hi = std::max(hi, v);
  }
};

Ticks axisTicks(const Axis& axis, Extent e, double length, bool horizontal) {
  if (axis.min) e.add(*axis.min);
  if (axis.max) e.add(*axis.max);
  if (axis.includeZero && !axis.logarithmic) e.add(0.0);
  if (axis.logarithmic) return logTicks(e.lo, e.hi);
  if (!(e.lo <= e.hi)) e.lo = 0.0, e.hi = 1.0;
  // Room above the highest value, so that a line at a maximum is not drawn
  // on the frame.
  if (!horizontal) e.hi += 0.03 * (e.hi - e.lo);
  // As many intervals as the labels leave room for, at most ten.
  for (int n = 10;; --n) {
    Ticks t = roundTicks(e.lo, e.hi, n);
    double room = 3.0 * kFont;
    if (horizontal) {
      room = 0.0;
      for (const std::string& l : t.labels) room = std::max(room, textWidth(l, kFont) + 14.0);
    }
    if (n == 1 || room * static_cast<double>(t.values.size() - 1) <= length) return t;
  }
}

std::string dashOf(bool dashed) { return dashed ? "7 4" : "none"; }

// Splits a remark into lines of at most `width` (at blanks where possible).
std::vector<std::string> wrap(const std::string& text, double width, double size) {
  std::vector<std::string> lines;
  std::string line;
  std::size_t pos = 0;
  while (pos <= text.size()) {
    std::size_t end = text.find(' ', pos);
    if (end == std::string::npos) end = text.size();
    const std::string word = text.substr(pos, end - pos);
    const std::string joined = line.empty() ? word : line + " " + word;
    if (!line.empty() && textWidth(joined, size) > width) {
      lines.push_back(line);
      line = word;
    } else {
      line = joined;
    }
    pos = end + 1;
  }
  if (!line.empty()) lines.push_back(line);
  return lines;
}

// The series as runs of consecutive drawable points.
std::vector<std::vector<std::pair<double, double>>> pieces(const Series& s, const Scale& sx, const Scale& sy) {
  std::vector<std::vector<std::pair<double, double>>> out(1);
  const std::size_t n = std::min(s.x.size(), s.y.size());
  for (std::size_t i = 0; i < n; ++i) {
    if (sx.valid(s.x[i]) && sy.valid(s.y[i])) {
      out.back().emplace_back(sx(s.x[i]), sy(s.y[i]));
    } else if (!out.back().empty()) {
      out.emplace_back();
    }
  }
  if (out.back().empty()) out.pop_back();
  return out;
}

void drawLegendSample(SvgWriter& svg, const Series& s, double x, double y) {
  svg.element("line", {{"x1", SvgWriter::coord(x)}, {"y1", SvgWriter::coord(y)}, {"x2", SvgWriter::coord(x + 26)},
                       {"y2", SvgWriter::coord(y)}, {"stroke", s.color}, {"stroke-width", fixedNumber(s.width, 1)},
                       {"stroke-dasharray", dashOf(s.dashed)}});
  if (s.markers)
    svg.element("circle", {{"cx", SvgWriter::coord(x + 13)}, {"cy", SvgWriter::coord(y)}, {"r", "3"}, {"fill", s.color}});
}

}  // namespace

void drawLineChart(SvgWriter& svg, const LineChart& c, const Box& area) {
  // The right-hand column: legend and notes.
  const bool legend = c.series.size() > 1;
  double column = 0.0;
  if (legend)
    for (const Series& s : c.series) column = std::max(column, 34.0 + textWidth(s.name, kFont));
  if (!c.notes.empty()) column = std::max(column, 150.0);
  column = std::min(column, area.w * 0.3);

  const double top = area.y + (c.subtitle.empty() ? 40.0 : 56.0);
  const Box plot{area.x + 74.0, top, area.w - 74.0 - (column > 0.0 ? column + 24.0 : 20.0), area.h - (top - area.y) - 52.0};

  Extent ex{INFINITY, -INFINITY, c.x.logarithmic}, ey{INFINITY, -INFINITY, c.y.logarithmic};
  for (const Series& s : c.series) {
    const std::size_t n = std::min(s.x.size(), s.y.size());
    // A point without a value still belongs on the x axis: a gap shows it.
    for (std::size_t i = 0; i < n; ++i) {
      ex.add(s.x[i]);
      if (ex.takes(s.x[i])) ey.add(s.y[i]);
    }
  }
  for (const ReferenceLine& l : c.lines) (l.vertical ? ex : ey).add(l.value);
  for (const MarkedPoint& p : c.points) ex.add(p.x), ey.add(p.y);
  const Ticks tx = axisTicks(c.x, ex, plot.w, true);
  const Ticks ty = axisTicks(c.y, ey, plot.h, false);
  const Scale sx{tx.values.front(), tx.values.back(), plot.x, plot.x + plot.w, c.x.logarithmic};
  const Scale sy{ty.values.front(), ty.values.back(), plot.y + plot.h, plot.y, c.y.logarithmic};
  const auto C = SvgWriter::coord;

  svg.open("g", {{"class", "chart"}});
  // Title and subtitle over the frame.
  svg.text(plot.x + plot.w / 2.0, area.y + 26.0, c.title,
           {{"text-anchor", "middle"}, {"font-size", fixedNumber(kTitleFont, 0)}, {"font-weight", "bold"}});
  if (!c.subtitle.empty()) svg.text(plot.x + plot.w / 2.0, area.y + 45.0, c.subtitle, {{"text-anchor", "middle"}, {"fill", "#333333"}});

  // Grid and ticks.
  svg.open("g", {{"stroke", "#e3e3e3"}, {"stroke-width", "1"}});
  for (double v : tx.minor)
    svg.element("line", {{"x1", C(sx(v))}, {"y1", C(plot.y)}, {"x2", C(sx(v))}, {"y2", C(plot.y + plot.h)}, {"stroke", "#f0f0f0"}});
  for (double v : tx.values) svg.element("line", {{"x1", C(sx(v))}, {"y1", C(plot.y)}, {"x2", C(sx(v))}, {"y2", C(plot.y + plot.h)}});
  for (double v : ty.minor)
    svg.element("line", {{"x1", C(plot.x)}, {"y1", C(sy(v))}, {"x2", C(plot.x + plot.w)}, {"y2", C(sy(v))}, {"stroke", "#f0f0f0"}});
  for (double v : ty.values) svg.element("line", {{"x1", C(plot.x)}, {"y1", C(sy(v))}, {"x2", C(plot.x + plot.w)}, {"y2", C(sy(v))}});
  svg.close("g");
  svg.element("rect", {{"x", C(plot.x)}, {"y", C(plot.y)}, {"width", C(plot.w)}, {"height", C(plot.h)},
                       {"fill", "none"}, {"stroke", "#333333"}});
  svg.open("g", {{"fill", "#222222"}});
  for (std::size_t k = 0; k < tx.values.size(); ++k)
    svg.text(sx(tx.values[k]), plot.y + plot.h + 17.0, tx.labels[k], {{"text-anchor", "middle"}});
  for (std::size_t k = 0; k < ty.values.size(); ++k)
    svg.text(plot.x - 6.0, sy(ty.values[k]) + 4.0, ty.labels[k], {{"text-anchor", "end"}});
  svg.close("g");
  svg.text(plot.x + plot.w / 2.0, plot.y + plot.h + 40.0, c.x.caption, {{"text-anchor", "middle"}, {"font-size", "13"}});
  const double yc = plot.y + plot.h / 2.0;
  svg.text(area.x + 18.0, yc, c.y.caption,
           {{"text-anchor", "middle"}, {"font-size", "13"}, {"transform", "rotate(-90 " + C(area.x + 18.0) + " " + C(yc) + ")"}});

  // Curves, clipped to the frame.
  const std::string clip = svg.newId("clip");
  svg.open("clipPath", {{"id", clip}});
  svg.element("rect", {{"x", C(plot.x)}, {"y", C(plot.y)}, {"width", C(plot.w)}, {"height", C(plot.h)}});
  svg.close("clipPath");
  svg.open("g", {{"clip-path", "url(#" + clip + ")"}});
  for (const Series& s : c.series) {
    const Attrs stroke{{"stroke", s.color}, {"stroke-width", fixedNumber(s.width, 1)}, {"stroke-dasharray", dashOf(s.dashed)},
                       {"stroke-linejoin", "round"}};
    for (const auto& piece : pieces(s, sx, sy))
      if (piece.size() > 1) svg.polyline(piece, stroke);
  }
  for (const ReferenceLine& l : c.lines) {
    if (!(l.vertical ? sx : sy).valid(l.value)) continue;
    const double v = (l.vertical ? sx : sy)(l.value);
    const Attrs a{{"stroke", l.color}, {"stroke-width", "1.5"}, {"stroke-dasharray", dashOf(l.dashed)}};
    if (l.vertical) {
      Attrs all{{"x1", C(v)}, {"y1", C(plot.y)}, {"x2", C(v)}, {"y2", C(plot.y + plot.h)}};
      all.insert(all.end(), a.begin(), a.end());
      svg.element("line", all);
    } else {
      Attrs all{{"x1", C(plot.x)}, {"y1", C(v)}, {"x2", C(plot.x + plot.w)}, {"y2", C(v)}};
      all.insert(all.end(), a.begin(), a.end());
      svg.element("line", all);
    }
  }
  svg.close("g");
  // Markers (and lone points) whole, also where they sit on the frame.
  const auto inside = [&](double x, double y) {
    return x >= plot.x - 0.5 && x <= plot.x + plot.w + 0.5 && y >= plot.y - 0.5 && y <= plot.y + plot.h + 0.5;
  };
  for (const Series& s : c.series)
    for (const auto& piece : pieces(s, sx, sy))
      if (s.markers || piece.size() == 1)
        for (const auto& [x, y] : piece)
          if (inside(x, y)) svg.element("circle", {{"cx", C(x)}, {"cy", C(y)}, {"r", "3"}, {"fill", s.color}});

  // Labels of the lines and points: placed first, then moved apart where
  // they would overlap, drawn with a white halo over the grid.
  const Attrs halo{{"stroke", "#ffffff"}, {"stroke-width", "3"}, {"paint-order", "stroke"}, {"stroke-linejoin", "round"}};
  struct Label {
    double x, y;
    std::string text, color;
    bool alignEnd;
    double left() const { return alignEnd ? x - textWidth(text, kFont) : x; }
    double right() const { return alignEnd ? x : x + textWidth(text, kFont); }
  };
  std::vector<Label> labels;
  // Where the curves and marked points cross the vertical at document x.
  const auto rowsAt = [&](double x) {
    std::vector<double> rows;
    for (const Series& s : c.series)
      for (const auto& piece : pieces(s, sx, sy))
        for (std::size_t i = 0; i < piece.size(); ++i) {
          const auto [x0, y0] = piece[i];
          if (x0 == x) rows.push_back(y0);
          if (i + 1 == piece.size()) continue;
          const auto [x1, y1] = piece[i + 1];
          if ((x0 < x && x < x1) || (x1 < x && x < x0)) rows.push_back(y0 + (y1 - y0) * (x - x0) / (x1 - x0));
        }
    for (const MarkedPoint& p : c.points)
      if (sx.valid(p.x) && sy.valid(p.y) && std::fabs(sx(p.x) - x) < 1.0) rows.push_back(sy(p.y));
    return rows;
  };
  for (const ReferenceLine& l : c.lines) {
    if (l.label.empty() || !(l.vertical ? sx : sy).valid(l.value)) continue;
    const double v = (l.vertical ? sx : sy)(l.value);
    if (l.vertical) {
      const bool left = v + 6.0 + textWidth(l.label, kFont) > plot.x + plot.w;
      // At the end of the line farther from the curves and points on it.
      const double top = plot.y + 15.0, foot = plot.y + plot.h - 7.0;
      double clearTop = INFINITY, clearFoot = INFINITY;
      for (double y : rowsAt(v)) clearTop = std::min(clearTop, std::fabs(y - top)), clearFoot = std::min(clearFoot, std::fabs(y - foot));
      labels.push_back({left ? v - 5.0 : v + 5.0, clearTop > clearFoot ? top : foot, l.label, l.color, left});
    } else {
      // At the left end, where curves rising with speed leave room.
      const bool below = v - 5.0 < plot.y + kFont;
      labels.push_back({plot.x + 6.0, below ? v + 15.0 : v - 5.0, l.label, l.color, false});
    }
  }
  for (const MarkedPoint& p : c.points) {
    if (!sx.valid(p.x) || !sy.valid(p.y)) continue;
    const double x = sx(p.x), y = sy(p.y);
    svg.element("circle", {{"cx", C(x)}, {"cy", C(y)}, {"r", "5"}, {"fill", p.color}, {"stroke", "#ffffff"}, {"stroke-width", "1.5"}});
    if (p.label.empty()) continue;
    const bool left = x + 9.0 + textWidth(p.label, kFont) > plot.x + plot.w;
    const bool below = y - 9.0 - kFont < plot.y;
    labels.push_back({left ? x - 9.0 : x + 9.0, below ? y + 18.0 : y - 9.0, p.label, p.color, left});
  }
  // From the top down, a label that overlaps one above it moves below it.
  std::stable_sort(labels.begin(), labels.end(), [](const Label& a, const Label& b) { return a.y < b.y; });
  constexpr double kLineStep = kFont + 3.0;
  for (std::size_t i = 0; i < labels.size(); ++i)
    for (std::size_t k = 0; k < i; ++k)
      if (labels[k].left() < labels[i].right() && labels[i].left() < labels[k].right() && labels[i].y - labels[k].y < kLineStep)
        labels[i].y = labels[k].y + kLineStep;
  for (const Label& l : labels) {
    Attrs a{{"fill", l.color}, {"text-anchor", l.alignEnd ? "end" : "start"}};
    a.insert(a.end(), halo.begin(), halo.end());
    svg.text(l.x, l.y, l.text, a);
  }

  // Legend and notes in the right-hand column.
  double ly = plot.y + 8.0;
  const double lx = plot.x + plot.w + 18.0;
  if (legend) {
    for (const Series& s : c.series) {
      drawLegendSample(svg, s, lx, ly);
      svg.text(lx + 32.0, ly + 4.0, s.name);
      ly += 20.0;
    }
    ly += 8.0;
  }
  for (const std::string& note : c.notes) {
    for (const std::string& line : wrap(note, column, kNoteFont)) {
      svg.text(lx, ly + 4.0, line, {{"font-size", fixedNumber(kNoteFont, 0)}, {"fill", "#333333"}});
      ly += 15.0;
    }
    ly += 6.0;
  }
  svg.close("g");
}

std::string renderLineChart(const LineChart& chart) {
  SvgWriter svg(chart.width, chart.height, chart.title);
  drawLineChart(svg, chart, Box{0.0, 0.0, static_cast<double>(chart.width), static_cast<double>(chart.height)});
  return svg.finish();
}

}  // namespace gemi::analysis
