#include "analysis/plots.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <fstream>
#include <stdexcept>
#include <system_error>

#include "analysis/decimal.h"
#include "analysis/svg.h"
#include "analysis/whole_file.h"
#include "propulsion/cavitation.h"

namespace gemi::analysis {
namespace {

constexpr const char* kSpeedCaption = "Gemi hızı Vs (knot)";

// Distinguishable line colours, in the order the curves are listed.
constexpr const char* kPalette[] = {"#1f77b4", "#ff7f0e", "#2ca02c", "#d62728", "#9467bd",
                                    "#8c564b", "#e377c2", "#17becf", "#bcbd22", "#7f7f7f"};

Series curve(std::string name, const std::vector<float>& x, const std::vector<float>& y, int colour) {
  Series s;
  s.name = std::move(name);
  s.x = x;
  s.y = y;
  s.color = kPalette[colour % 10];
  return s;
}

bool allZeroOrMissing(const std::vector<float>& v) {
  return std::none_of(v.begin(), v.end(), [](float y) { return std::isfinite(y) && y != 0.0f; });
}

std::string fixed(float v, int decimals) { return fixedNumber(v, decimals); }

// A chart over the ship's speed with a y axis from zero.
LineChart speedChart(const char* title, const char* yCaption) {
  LineChart chart;
  chart.title = title;
  chart.x.caption = kSpeedCaption;
  chart.y.caption = yCaption;
  chart.y.includeZero = true;
  return chart;
}

}  // namespace

std::string resistancePlot(const ResistanceCurves& c) {
  LineChart chart = speedChart("Direnç bileşenleri", "Direnç (kN)");
  const std::pair<const char*, const std::vector<float>*> parts[] = {
      {"RF (sürtünme)", &c.RF},       {"RAPP (takıntılar)", &c.RAPP}, {"RW (dalga)", &c.RW},
      {"Rbulb (soğanlı baş)", &c.Rbulb}, {"Rayna (ayna kıç)", &c.Rayna}, {"Rbot (baş itici)", &c.Rbot},
      {"RAIR (hava)", &c.RAIR},       {"RA (korelasyon)", &c.RA}};
  std::string zero;
  int colour = 0;
  for (const auto& [name, values] : parts) {
    if (allZeroOrMissing(*values)) {
      const std::string n(name);
      zero += (zero.empty() ? "" : ", ") + n.substr(0, n.find(' '));
    } else {
      chart.series.push_back(curve(name, c.Vs, *values, colour));
    }
    ++colour;
  }
  Series total = curve("RTOTAL (toplam)", c.Vs, c.RTOTAL, 0);
  total.color = "#000000";
  total.width = 2.5;
  total.markers = true;
  chart.series.push_back(total);
  if (!zero.empty()) chart.notes.push_back("Her hızda sıfır, çizilmedi: " + zero + ".");
  return renderLineChart(chart);
}

std::string powerPlot(const PowerCurves& c) {
  LineChart chart = speedChart("Güç", "Güç (kW)");
  chart.series.push_back(curve("PE (efektif)", c.Vs, c.PE, 2));
  chart.series.push_back(curve("PD (tüm pervaneler)", c.Vs, c.PDT, 0));
  Series pb = curve("PB (fren)", c.Vs, c.PB, 3);
  pb.markers = true;
  chart.series.push_back(pb);
  if (c.available && std::isfinite(*c.available)) {
    const float pav = *c.available;
    ReferenceLine line{false, pav, "Sevke ayrılabilen fren gücü " + fixed(pav, 0) + " kW", "#444444", true};
    if (c.reachableBeyondList && !c.Vs.empty()) {
      const std::string beyond = "Ulaşılacak hız listenin ötesinde: > " + fixed(c.Vs.back(), 2) + " knot";
      line.label += " — " + beyond.substr(beyond.find('>'));
      chart.notes.push_back(beyond + " (en yüksek hızda gereken PB bu gücün altında).");
    } else if (c.reachable && std::isfinite(*c.reachable)) {
      const float v = *c.reachable;
      chart.lines.push_back(ReferenceLine{true, v, "", "#d62728", true});
      chart.points.push_back(MarkedPoint{v, pav, "Ulaşılacak hız " + fixed(v, 2) + " knot", "#d62728"});
    } else {
      chart.notes.push_back("Ulaşılacak hız yok: bu güç listedeki hızlarda gereken PB'ye yetmiyor.");
    }
    chart.lines.insert(chart.lines.begin(), line);
  }
  return renderLineChart(chart);
}

std::string openWaterPlot(const OpenWaterCurves& c) {
  LineChart chart;
  chart.title = "Açık su karakteristikleri";
  chart.subtitle = c.propeller;
  chart.x.caption = "İlerleme katsayısı J (-)";
  chart.y.caption = "KT, 10KQ, ETA0 (-)";
  chart.y.includeZero = true;
  chart.series.push_back(curve("KT", c.J, c.KT, 0));
  chart.series.push_back(curve("10KQ", c.J, c.KQ10, 3));
  chart.series.push_back(curve("ETA0", c.J, c.ETA0, 2));
  if (std::isfinite(c.Jop)) {
    chart.lines.push_back(ReferenceLine{true, c.Jop, "J = " + fixed(c.Jop, 4), "#444444", true});
    chart.points.push_back(MarkedPoint{c.Jop, c.KTop, "KT " + fixed(c.KTop, 4), kPalette[0]});
    chart.points.push_back(MarkedPoint{c.Jop, c.KQ10op, "10KQ " + fixed(c.KQ10op, 4), kPalette[3]});
    chart.points.push_back(MarkedPoint{c.Jop, c.ETA0op, "ETA0 " + fixed(c.ETA0op, 4), kPalette[2]});
  }
  chart.notes.push_back("İşletme noktası: deneme hızında seçilen pervane.");
  return renderLineChart(chart);
}

std::string burrillPlot(const BurrillPoint& op) {
  LineChart chart;
  chart.title = "Burrill diyagramı";
  chart.x.caption = "Kavitasyon sayısı σ0.7R (-)";
  chart.x.logarithmic = true;
  chart.x.min = 0.1;
  chart.x.max = 2.0;
  chart.y.caption = "İtme yükleme katsayısı τc (-)";
  chart.y.includeZero = true;
  // The checks read the lines for 0.18 <= sigma <= 1.5: drawn there in
  // steps of 0.01, each point from the checks' own function.
  Series s25 = curve("%2.5 sırt kavitasyonu", {}, {}, 0);
  Series s50 = curve("%5 sırt kavitasyonu", {}, {}, 1);
  Series up = curve("Üst sınır", {}, {}, 3);
  up.dashed = true;
  for (int k = 18; k <= 150; ++k) {
    const float sigma = static_cast<float>(k) / 100.0f;
    const BurrillLoadings b = burrillLoadings(sigma);
    for (Series* s : {&s25, &s50, &up}) s->x.push_back(sigma);
    s25.y.push_back(b.tauc25);
    s50.y.push_back(b.tauc50);
    up.y.push_back(b.taucUp);
  }
  chart.series = {s25, s50, up};
  if (std::isfinite(op.sigma) && std::isfinite(op.tauc) && op.sigma > 0.0f) {
    chart.points.push_back(MarkedPoint{op.sigma, op.tauc,
                                       "İşletme noktası σ = " + fixed(op.sigma, 3) + ", τc = " + fixed(op.tauc, 3), "#000000"});
    if (op.sigma < 0.18f || op.sigma > 1.5f)
      chart.notes.push_back("σ = " + fixed(op.sigma, 3) + " diyagramın aralığı (0.18 - 1.5) dışında: alan oranı sınırları okunamaz.");
  } else {
    chart.notes.push_back("İşletme noktası yok (kavitasyon sayısı hesaplanamadı).");
  }
  return renderLineChart(chart);
}

std::string variantSweepPlot(const VariantSweep& s) {
  constexpr int kWidth = 800;
  constexpr double kHeading = 48.0, kPanel = 250.0;
  const double height = kHeading + kPanel * static_cast<double>(std::max<std::size_t>(1, s.quantities.size()));
  SvgWriter svg(kWidth, static_cast<int>(height), s.title);
  svg.text(kWidth / 2.0, 24.0, s.title, {{"text-anchor", "middle"}, {"font-size", "17"}, {"font-weight", "bold"}});
  // Variants without a result (a run that stopped) are named under the title.
  std::string missing;
  for (std::size_t i = 0; i < s.x.size(); ++i) {
    const bool none = std::any_of(s.quantities.begin(), s.quantities.end(),
                                  [&](const SweepQuantity& q) { return i >= q.values.size() || !std::isfinite(q.values[i]); });
    if (none && std::isfinite(s.x[i])) missing += (missing.empty() ? "" : ", ") + shortestDecimal(s.x[i]);
  }
  if (!missing.empty())
    svg.text(kWidth / 2.0, 42.0, "Sonucu olmayan varyantlar: " + missing, {{"text-anchor", "middle"}, {"fill", "#b00000"}});
  for (std::size_t k = 0; k < s.quantities.size(); ++k) {
    const SweepQuantity& q = s.quantities[k];
    LineChart panel;
    panel.title = q.caption;
    panel.x.caption = s.xCaption;
    panel.y.caption = q.caption;
    Series v = curve(q.caption, s.x, q.values, static_cast<int>(k));
    v.markers = true;
    panel.series.push_back(v);
    if (s.baseX && std::isfinite(*s.baseX)) panel.lines.push_back(ReferenceLine{true, *s.baseX, "girdi dosyası", "#444444", true});
    drawLineChart(svg, panel, Box{0.0, kHeading + kPanel * static_cast<double>(k), static_cast<double>(kWidth), kPanel});
  }
  return svg.finish();
}

void writeSvgFile(const std::filesystem::path& file, const std::string& svg) {
  if (!writeWholeFile(file, svg)) throw std::runtime_error("Dosya yazılamadı: " + file.string());
}

}  // namespace gemi::analysis
