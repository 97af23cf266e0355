#include "analysis/report_page.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <limits>
#include <span>

#include "analysis/svg.h"
#include "reports/applicability.h"
#include "run/run.h"

namespace gemi::analysis {

namespace {

// Windows-1254 0x80 .. 0x9F (0: unassigned).
constexpr std::uint16_t kHigh80[32] = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0,      0,      0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0,      0x0178};

void appendUtf8(std::string& out, std::uint32_t cp) {
  if (cp < 0x80) {
    out += static_cast<char>(cp);
  } else if (cp < 0x800) {
    out += static_cast<char>(0xC0 | (cp >> 6));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  } else {
    out += static_cast<char>(0xE0 | (cp >> 12));
    out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  }
}

bool validUtf8(std::string_view s) {
  std::size_t i = 0;
  while (i < s.size()) {
    const auto c = static_cast<unsigned char>(s[i]);
    std::size_t len = 0;
    std::uint32_t cp = 0;
    if (c < 0x80) {
      ++i;
      continue;
    } else if ((c & 0xE0) == 0xC0) {
      len = 2, cp = c & 0x1F;
    } else if ((c & 0xF0) == 0xE0) {
      len = 3, cp = c & 0x0F;
    } else if ((c & 0xF8) == 0xF0) {
      len = 4, cp = c & 0x07;
    } else {
      return false;
    }
    if (i + len > s.size()) return false;
    for (std::size_t k = 1; k < len; ++k) {
      const auto d = static_cast<unsigned char>(s[i + k]);
      if ((d & 0xC0) != 0x80) return false;
      cp = (cp << 6) | (d & 0x3F);
    }
    // Overlong forms, surrogates and values beyond Unicode are not UTF-8.
    static constexpr std::uint32_t kLeast[5] = {0, 0, 0x80, 0x800, 0x10000};
    if (cp < kLeast[len] || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) return false;
    i += len;
  }
  return true;
}

std::string esc(std::string_view text) { return xmlEscape(text); }

// A number of a table cell: `decimals` decimals, point decimal; a dash for
// a value that is not a number.
std::string num(float v, int decimals) { return std::isfinite(v) ? fixedNumber(v, decimals) : "–"; }

// Row `i` of column `name`; NaN where there is none.
float valueAt(const Table& t, const char* name, std::size_t i) {
  const Column* c = findColumn(t, name);
  return c && i < c->values.size() ? c->values[i] : std::numeric_limits<float>::quiet_NaN();
}

// The row of the trial speed in a table with a Vs_kn column, or -1.
int trialRow(const Table& t, float Vtrial) {
  const Column* vs = findColumn(t, "Vs_kn");
  for (std::size_t i = 0; vs && i < vs->values.size(); ++i)
    if (std::fabs(vs->values[i] - Vtrial) < 0.001f) return static_cast<int>(i);
  return -1;
}

// An inline copy of a plot: the XML declaration dropped and the document's
// ids (clip paths) prefixed with the plot's name, so that several plots on
// one page keep their own.
std::string inlineSvg(const NamedPlot& p) {
  std::string svg = p.svg;
  if (svg.rfind("<?xml", 0) == 0) svg.erase(0, svg.find('\n') + 1);
  const std::string prefix = p.file.substr(0, p.file.find('.')) + "-";
  for (const std::string key : {" id=\"", "url(#", "href=\"#"}) {
    for (std::size_t at = svg.find(key); at != std::string::npos; at = svg.find(key, at + key.size() + prefix.size()))
      svg.insert(at + key.size(), prefix);
  }
  return svg;
}

// A table of rows of cells; the first row is the header.
struct HtmlTable {
  std::vector<std::string> header;  // already escaped
  std::vector<std::vector<std::string>> rows;
  std::vector<std::string> rowClass;  // one per row, may be empty
  std::string caption;
  std::vector<std::size_t> textColumns;  // columns of text, aligned left (numbers align right)
};

void putTable(std::string& out, const HtmlTable& t) {
  out += "<table>\n";
  if (!t.caption.empty()) out += "<caption>" + t.caption + "</caption>\n";
  out += "<thead><tr>";
  for (const std::string& h : t.header) out += "<th>" + h + "</th>";
  out += "</tr></thead>\n<tbody>\n";
  for (std::size_t i = 0; i < t.rows.size(); ++i) {
    const std::string cls = i < t.rowClass.size() && !t.rowClass[i].empty() ? " class=\"" + t.rowClass[i] + "\"" : "";
    out += "<tr" + cls + ">";
    for (std::size_t k = 0; k < t.rows[i].size(); ++k) {
      const bool text = std::find(t.textColumns.begin(), t.textColumns.end(), k) != t.textColumns.end();
      out += k == 0 ? "<th>" : text ? "<td class=\"metin\">" : "<td>";
      out += t.rows[i][k] + (k == 0 ? "</th>" : "</td>");
    }
    out += "</tr>\n";
  }
  out += "</tbody>\n</table>\n";
}

// A two-column table of named values: name (escaped), value, unit.
void putValues(std::string& out, const std::vector<std::array<std::string, 3>>& rows, const std::string& caption) {
  HtmlTable t;
  t.caption = caption;
  t.header = {"Büyüklük", "Değer", "Birim"};
  t.textColumns = {2};
  for (const auto& r : rows) t.rows.push_back({r[0], r[1], r[2]});
  putTable(out, t);
}

// A column of a results table shown on the page: its name in the table,
// its header with the unit, its decimals.
struct PageColumn {
  const char* name;
  const char* header;
  int decimals;
};

// One row per row of `table` with the columns of `cols` that it has, the
// trial speed's row marked.
void putColumns(std::string& out, const Table& table, std::span<const PageColumn> cols, const std::string& caption,
                float Vtrial) {
  HtmlTable h;
  h.caption = caption;
  std::vector<const Column*> shown;
  std::vector<int> decimals;
  for (const PageColumn& c : cols) {
    const Column* col = findColumn(table, c.name);
    if (!col) continue;
    h.header.push_back(c.header);
    shown.push_back(col);
    decimals.push_back(c.decimals);
  }
  if (shown.empty()) return;
  const int trial = trialRow(table, Vtrial);
  for (std::size_t i = 0; i < shown.front()->values.size(); ++i) {
    std::vector<std::string> row;
    for (std::size_t k = 0; k < shown.size(); ++k)
      row.push_back(i < shown[k]->values.size() ? num(shown[k]->values[i], decimals[k]) : "–");
    h.rows.push_back(row);
    h.rowClass.push_back(static_cast<int>(i) == trial ? "deneme" : "");
  }
  putTable(out, h);
}

void putFigure(std::string& out, const std::vector<NamedPlot>& plots, const char* file, const std::string& caption) {
  for (const NamedPlot& p : plots) {
    if (p.file != file) continue;
    out += "<figure>\n" + inlineSvg(p) + "<figcaption>" + caption + " (" + esc(p.file) + ")</figcaption>\n</figure>\n";
  }
}

class Page {
 public:
  Page(const Results& r, const std::vector<NamedPlot>& plots, const PageContext& ctx) : r_(r), plots_(plots), ctx_(ctx) {}

  std::string build() {
    head();
    ship();
    applicability();
    resistance();
    propeller();
    power();
    ending();
    legacy();
    out_ += "</body>\n</html>\n";
    return out_;
  }

 private:
  void open(const char* id, const char* title) {
    out_ += "<section id=\"" + std::string(id) + "\">\n<h2>" + std::to_string(++sections_) + ". " + title + "</h2>\n";
  }
  void close() { out_ += "</section>\n"; }

  void head();
  void ship();
  void applicability();
  void resistance();
  void propeller();
  void power();
  void ending();
  void legacy();

  const Results& r_;
  const std::vector<NamedPlot>& plots_;
  const PageContext& ctx_;
  std::string out_;
  int sections_ = 0;
};

// Print: every section from a new page, plots at the page width, no table
// row split over two pages.
constexpr const char* kStyle = R"(body { font-family: "DejaVu Sans", Verdana, Arial, sans-serif; color: #111; max-width: 62em; margin: 0 auto; padding: 1em; line-height: 1.4; }
h1 { font-size: 1.6em; margin-bottom: 0.2em; }
h2 { font-size: 1.3em; border-bottom: 2px solid #1f77b4; padding-bottom: 0.15em; margin-top: 1.6em; }
.alt { color: #555; margin-top: 0; }
table { border-collapse: collapse; margin: 0.6em 0 1em; font-size: 0.9em; }
caption { text-align: left; font-weight: bold; padding: 0.2em 0; }
th, td { border: 1px solid #bbb; padding: 0.2em 0.5em; }
thead th { background: #e8eef5; }
tbody th { text-align: left; font-weight: normal; }
td { text-align: right; font-variant-numeric: tabular-nums; }
td.metin { text-align: left; }
tr.deneme th, tr.deneme td { font-weight: bold; background: #f1f6fb; }
tr.disinda th, tr.disinda td { background: #fde3e1; }
tr.bilgi th, tr.bilgi td { background: #fff5d6; }
.durdu { color: #a40000; font-weight: bold; }
.tamam { color: #1a6b1a; font-weight: bold; }
figure { margin: 1em 0; }
figure svg { display: block; width: 100%; height: auto; }
figcaption { font-size: 0.85em; color: #555; text-align: center; }
pre { font-size: 0.72em; line-height: 1.25; overflow-x: auto; background: #f7f7f7; padding: 0.5em; }
summary { cursor: pointer; font-weight: bold; }
@media print {
  body { max-width: none; padding: 0; }
  section { break-before: page; }
  section:first-of-type { break-before: auto; }
  tr, figure { break-inside: avoid; }
  thead { display: table-header-group; }
  pre { overflow: visible; white-space: pre-wrap; }
}
)";

void Page::head() {
  const std::string file = esc(r_.meta.input);
  out_ += "<!DOCTYPE html>\n<html lang=\"tr\">\n<head>\n<meta charset=\"utf-8\">\n"
          "<meta name=\"viewport\" content=\"width=device-width, initial-scale=1\">\n"
          "<title>Gemi güç raporu: " + file + "</title>\n<style>\n" + kStyle + "</style>\n</head>\n<body>\n";
  out_ += "<h1>Gemi güç raporu</h1>\n<p class=\"alt\">" + file + " · " + esc(r_.meta.version) + " · " +
          esc(ctx_.runDate) + "</p>\n";
}

void Page::ship() {
  const InputData& in = r_.input;
  const HullValues& h = r_.hull;
  open("gemi", "Gemi");
  std::vector<std::array<std::string, 3>> rows = {
      {"Su hattı boyu Lwl", num(in.Lwl, 3), "m"},
      {"Dikmeler arası boy Lbp", num(in.Lbp, 3), "m"},
      {"Kalıp genişliği B", num(in.B, 3), "m"},
      {"Baş / kıç draft Tf / Ta", num(in.Tf, 3) + " / " + num(in.Ta, 3), "m"},
      {"Ortalama draft T", num(h.T, 3), "m"},
      {"Deplasman hacmi V", num(in.V, 1), "m³"},
      {"Deplasman ağırlığı Δ", num(r_.DISPW / 1000.0f, 1), "kN"},
      {"LCB (Lbp/2 den, ileri +)", num(in.LCB, 3), "m"},
      {"Islak alan S (takıntısız)", num(r_.used.S, 1), "m²"},
      {"L/B (Lwl/B)", num(in.Lwl / in.B, 3), "–"},
      {"B/T", num(in.B / h.T, 3), "–"},
      {"Blok katsayısı CB", num(h.CB, 3), "–"},
      {"Prizmatik katsayı CP", num(h.CP, 3), "–"},
      {"Orta kesit katsayısı Cm", num(in.Cm, 3), "–"},
      {"Su hattı alan katsayısı Cwp", num(in.Cwp, 3), "–"},
      {"Deneme hızı Vtrial", num(in.Vtrial, 2), "knot"},
  };
  const int row = trialRow(r_.resistance, in.Vtrial);
  if (row >= 0) rows.push_back({"Deneme hızında Fn", num(valueAt(r_.resistance, "Fn", static_cast<std::size_t>(row)), 4), "–"});
  putValues(out_, rows, "Ana boyutlar ve katsayılar");
  out_ += "<p>Girdi dosyası: <code>" + esc(r_.meta.input) + "</code>";
  if (!ctx_.shipTitle.empty()) out_ += "<br>İlk açıklama satırı: <q>" + esc(asUtf8(ctx_.shipTitle)) + "</q>";
  out_ += "<br>Program: " + esc(r_.meta.version) + "<br>Çalışma tarihi: " + esc(ctx_.runDate) + "</p>\n";
  close();
}

void Page::applicability() {
  const std::vector<ApplicabilityCheck>& checks = r_.applicability;
  if (checks.empty()) return;
  open("uygulanabilirlik", "Uygulanabilirlik");
  const int outside = countOutside(checks);
  const int notes = static_cast<int>(std::count_if(checks.begin(), checks.end(), [](const ApplicabilityCheck& c) {
    return c.status == ApplicabilityStatus::Info;
  }));
  if (outside == 0 && notes == 0)
    out_ += "<p class=\"tamam\">Bulgu yok: " + std::to_string(checks.size()) +
            " kontrolün değerleri yöntemlerin veri aralıkları içinde.</p>\n";
  else
    out_ += "<p>" + std::to_string(outside) + " bulgu, " + std::to_string(notes) +
            " not. Bir bulgu hesabı durdurmaz ve hiçbir değeri değiştirmez; sonuçları buna göre değerlendirin.</p>\n";
  std::vector<std::string> lines = applicabilityConsoleLines(checks);
  if (outside + notes > 0) {
    out_ += "<ul>\n";
    for (const std::string& l : lines) out_ += "<li>" + esc(l) + "</li>\n";
    out_ += "</ul>\n";
  }
  HtmlTable t;
  t.caption = "Kontroller";
  t.header = {"Ad", "Değer", "Alt sınır", "Üst sınır", "Durum", "Kaynak"};
  for (const ApplicabilityCheck& c : checks) {
    const char* word = c.status == ApplicabilityStatus::Outside ? "dışında"
                       : c.status == ApplicabilityStatus::Info  ? "bilgi"
                                                                : "içinde";
    t.rows.push_back({esc(c.name), num(c.value, 3), std::isnan(c.lower) ? "–" : num(c.lower, 2),
                      std::isnan(c.upper) ? "–" : num(c.upper, 2), word, esc(c.source)});
    t.rowClass.push_back(statusWord(c.status) == std::string("icinde") ? "" : statusWord(c.status));
  }
  t.textColumns = {4, 5};
  putTable(out_, t);
  close();
}

void Page::resistance() {
  const Table& t = r_.resistance;
  if (t.empty() || t.front().values.empty()) return;
  open("direnc", "Direnç");
  putFigure(out_, plots_, kResistanceSvg, "Direnç bileşenleri ve toplam direnç");
  static constexpr PageColumn kCols[] = {
      {"Vs_kn", "Vs (knot)", 2},   {"Fn", "Fn (–)", 4},         {"RF_kN", "RF (kN)", 1},     {"RAPP_kN", "RAPP (kN)", 1},
      {"RW_kN", "RW (kN)", 1},     {"Rbulb_kN", "RB (kN)", 1},  {"Rayna_kN", "RTR (kN)", 1}, {"RA_kN", "RA (kN)", 1},
      {"RAIR_kN", "RAIR (kN)", 1}, {"RTOTAL_kN", "RTOTAL (kN)", 1}, {"PE_kW", "PE (kW)", 0}};
  putColumns(out_, t, kCols, "Direnç tablosu (direnc.csv; RB soğanlı baş, RTR batık ayna kıç, RA korelasyon)",
             r_.input.Vtrial);
  close();
}

void Page::propeller() {
  if (!r_.propeller) return;
  const PropellerResults& p = *r_.propeller;
  open("pervane", "Pervane");
  static constexpr const char* kTasks[] = {"–", "Optimum devir (çap verilmiş)", "Adım oranı (çap ve devir verilmiş)",
                                           "Optimum çap (devir verilmiş)", "Verilen pervanenin değerlendirmesi"};
  putValues(out_,
            {{"Görev", kTasks[p.task >= 1 && p.task <= 4 ? p.task : 0], ""},
             {"Seri", p.NSERIES == 2 ? "Gawn" : "Wageningen B", ""},
             {"Kanat sayısı Z", num(p.Z, 0), "–"},
             {"Açınım alan oranı EAR (kullanılan)", num(p.EAR, 3), "–"},
             {"Keller'e göre EAR", num(p.EARkel, 3), "–"},
             {"Deneme hızı / PE", num(p.Vtrial, 2) + " knot / " + num(p.PEtr, 1) + " kW", ""},
             {"Ortam izi w / itme azalması t / ηR", num(p.w, 4) + " / " + num(p.t, 4) + " / " + num(p.etarr, 4), "–"},
             {"İtme (bir pervane)", num(p.Tp, 1), "kN"}},
            "Görev ve seri");

  if (p.choice || p.operatingPoint) {
    HtmlTable t;
    t.caption = "Seçim";
    t.header = {"", "Aramanın seçimi", "İşletme noktası"};
    const SearchChoice c = p.choice.value_or(SearchChoice{});
    auto pair = [&](const char* name, float a, float b, int dec) {
      t.rows.push_back({name, p.choice ? num(a, dec) : "–", p.operatingPoint ? num(b, dec) : "–"});
    };
    pair("P/D", c.PoD, p.PoD, 3);
    pair("J", c.J, p.J, 4);
    pair("KT", c.KT, p.KT, 4);
    pair("ETA0", c.ETA0, p.ETA0, 4);
    pair("PD (bir pervane, kW)", c.PD, p.PD, 1);
    if (p.operatingPoint) {
      t.rows.push_back({"D (m)", "", num(p.D, 3)});
      t.rows.push_back({"N (1/dk)", "", num(p.N, 2)});
    }
    putTable(out_, t);
    if (p.task == 1 || p.task == 3)
      out_ += "<p>Arama, deneme hızında gereken itmeyi veren aday pervanelerden en verimlisini seçer; işletme noktası "
              "ise seçilen devir ve çapla deneme hızındaki J'de, adayların P/D eğrisinden okunan adım oranıyla yeniden "
              "hesaplanır. Bu yüzden iki sütun biraz farklıdır; sonraki hesaplar işletme noktasını kullanır.</p>\n";
    else
      out_ += "<p>Çap ve devir verildiği için işletme noktası aramanın seçtiği pervanedir; yalnızca itme ve tork "
              "işletme noktasında yeniden hesaplanır.</p>\n";
  }

  if (p.Sigma != 0.0f) {
    HtmlTable t;
    t.caption = "Kavitasyon ve uç hızı kontrolleri";
    t.header = {"Kontrol", "Değer", "Sınır", "Karar"};
    const auto verdictEar = [&](float least) {
      return p.EAR >= least ? std::string("uygun (EAR ") + num(p.EAR, 3) + " ≥ " + num(least, 3) + ")"
                            : std::string("yetersiz (EAR ") + num(p.EAR, 3) + " < " + num(least, 3) + ")";
    };
    const bool inDiagram = p.Sigma >= 0.18f && p.Sigma <= 1.5f;
    t.textColumns = {2, 3};
    t.rows.push_back({"Kavitasyon sayısı σ0.7R", num(p.Sigma, 3), "0.18 – 1.5",
                      inDiagram ? "Burrill diyagramı içinde" : "diyagram dışında: Burrill sınırları okunamaz"});
    t.rows.push_back({"İtme yükleme katsayısı τc", num(p.Tauc, 4), "", ""});
    t.rows.push_back({"En küçük EAR (Keller)", num(p.EARkel, 3), "", verdictEar(p.EARkel)});
    t.rows.push_back({"En küçük EAR (Wageningen ölçütü)", num(p.EARwag, 3), "", verdictEar(p.EARwag)});
    if (p.EAR25) t.rows.push_back({"En küçük EAR (Burrill %2.5 sırt kavitasyonu)", num(*p.EAR25, 3), "", verdictEar(*p.EAR25)});
    if (p.EAR50) t.rows.push_back({"En küçük EAR (Burrill %5 sırt kavitasyonu)", num(*p.EAR50, 3), "", verdictEar(*p.EAR50)});
    if (p.EARup) t.rows.push_back({"En küçük EAR (Burrill üst sınırı)", num(*p.EARup, 3), "", verdictEar(*p.EARup)});
    t.rows.push_back({"Uç hızı Vtip (m/s)", num(p.Vtip, 2), "≤ 30 (yaklaşık)",
                      p.Vtip <= 30.0f ? "uygun" : "yüksek: uç girdabı kavitasyonu ve gürültü beklenir"});
    for (std::size_t i = 0; i < t.rows.size(); ++i)
      t.rowClass.push_back(t.rows[i][3].rfind("uygun", 0) == 0 || t.rows[i][3].empty() ||
                                   t.rows[i][3].rfind("Burrill", 0) == 0
                               ? ""
                               : "disinda");
    putTable(out_, t);
  }
  putFigure(out_, plots_, kOpenWaterSvg, "Seçilen pervanenin açık su karakteristikleri ve işletme noktası");
  putFigure(out_, plots_, kBurrillSvg, "Burrill diyagramı ve işletme noktası");
  close();
}

void Page::power() {
  const bool chain = r_.propeller && r_.propeller->powerChain;
  const bool service = !r_.propulsion.empty() && !r_.propulsion.front().values.empty();
  if (!chain && !service) return;
  const InputData& in = r_.used;
  open("guc", "Güç");
  if (chain) {
    const PropellerResults& p = *r_.propeller;
    std::vector<std::array<std::string, 3>> rows = {
        {"Deneme hızı", num(p.Vtrial, 2), "knot"},
        {"Efektif güç PE", num(p.PEtr, 1), "kW"},
        {"Varsayılan genel sevk verimi ηD", p.etadAssumed ? num(*p.etadAssumed, 3) : "–", "–"},
        {"Hesaplanan genel sevk verimi ηD", p.etadComputed ? num(*p.etadComputed, 3) : "–", "–"},
        {"Fren gücü Pb", num(p.Pb, 2), "kW"},
        {"Makine gücü Pbm (" + num(in.MCR * 100.0f, 0) + " % MCR)", num(p.Pbm, 2), "kW"},
        {"Verilen güç Pbd", num(p.Pbd, 2), "kW"},
        {"Şaft verimi ηS / deniz payı", num(in.etas, 3) + " / " + num(in.Seamar, 3), "–"},
    };
    if (in.Pengine > 0.1f) rows.push_back({"Kurulu makine gücü (bir şaft)", num(in.Pengine, 0), "kW"});
    putValues(out_, rows, "Deneme hızında güç zinciri");
  }
  putFigure(out_, plots_, kPowerSvg, "Efektif, verilen ve fren gücü; sevke ayrılabilen güç ve ulaşılacak hız");
  if (r_.reach) {
    out_ += "<p>Ulaşılacak hız: <strong>" +
            (r_.reach->beyondList ? "&gt; " + num(r_.reach->V, 2) + " knot</strong> (hız listesinin ötesinde)"
                                  : num(r_.reach->V, 2) + " knot</strong>") +
            ", sevke ayrılabilen fren gücü " + num(r_.reach->Pav, 0) + " kW.</p>\n";
  }
  if (service) {
    static constexpr PageColumn kCols[] = {
        {"Vs_kn", "Vs (knot)", 2}, {"PE_kW", "PE (kW)", 0},   {"RPM_1_min", "N (1/dk)", 2}, {"J", "J (–)", 4},
        {"ETA0", "η0 (–)", 4},     {"ETAD", "ηD (–)", 4},     {"PD_kW", "PD (kW)", 0},      {"PDT_kW", "PDT (kW)", 0},
        {"PB_kW", "PB (kW)", 0},   {"PBM_kW", "PBM (kW)", 0}, {"YUK", "Yük (–)", 3}};
    putColumns(out_, r_.propulsion, kCols, "Servis tablosu (sevk.csv; PD bir pervane, PDT tüm pervaneler)",
               r_.input.Vtrial);
  }
  close();
}

void Page::ending() {
  open("bitis", "Bitiş");
  if (r_.end == EndKind::Completed)
    out_ += "<p class=\"tamam\">Hesap tamamlandı.</p>\n";
  else
    out_ += "<p class=\"durdu\">Hesap durdu: " + esc(asUtf8(r_.endMessage)) + "</p>\n"
            "<p>Durduğu yere kadar hesaplanan bölümler yukarıdadır; sonraki bölümler yoktur.</p>\n";
  out_ += "<p>Çıkış kodu: " + std::to_string(r_.exitStatus) + ".";
  if (r_.meta.etadTried.size() > 1) {
    out_ += " Verim döngüsü, varsayılan ηD: ";
    for (std::size_t i = 0; i < r_.meta.etadTried.size(); ++i)
      out_ += (i ? " → " : "") + num(r_.meta.etadTried[i], 3);
    out_ += ".";
  }
  out_ += "</p>\n";
  if (!r_.meta.warnings.empty()) {
    out_ += "<ul>\n";
    for (const std::string& w : r_.meta.warnings) out_ += "<li>" + esc(asUtf8(w)) + "</li>\n";
    out_ += "</ul>\n";
  }
  close();
}

void Page::legacy() {
  if (ctx_.legacyReport.empty()) return;
  open("rapor", "Programın raporu");
  out_ += "<details>\n<summary>" + esc(ctx_.legacyReportName) + " (tam metin, açmak için tıklayın)</summary>\n<pre>" +
          esc(windows1254ToUtf8(ctx_.legacyReport)) + "</pre>\n</details>\n";
  close();
}

// "2026-12-08 09:12 UTC".
std::string utcNow() {
  using namespace std::chrono;
  const auto now = floor<minutes>(system_clock::now());
  const auto day = floor<days>(now);
  const year_month_day ymd(day);
  const hh_mm_ss<minutes> t(now - day);
  char buf[32];
  std::snprintf(buf, sizeof buf, "%04d-%02u-%02u %02ld:%02ld UTC", static_cast<int>(ymd.year()),
                static_cast<unsigned>(ymd.month()), static_cast<unsigned>(ymd.day()),
                static_cast<long>(t.hours().count()), static_cast<long>(t.minutes().count()));
  return buf;
}

}  // namespace

std::string windows1254ToUtf8(std::string_view text) {
  std::string out;
  out.reserve(text.size() + text.size() / 16);
  for (const char ch : text) {
    const auto c = static_cast<unsigned char>(ch);
    std::uint32_t cp = c;
    if (c >= 0x80 && c <= 0x9F) {
      cp = kHigh80[c - 0x80] ? kHigh80[c - 0x80] : 0xFFFD;
    } else {
      switch (c) {  // where Windows-1254 (and ISO-8859-9) differ from Latin-1
        case 0xD0: cp = 0x011E; break;  // Ğ
        case 0xDD: cp = 0x0130; break;  // İ
        case 0xDE: cp = 0x015E; break;  // Ş
        case 0xF0: cp = 0x011F; break;  // ğ
        case 0xFD: cp = 0x0131; break;  // ı
        case 0xFE: cp = 0x015F; break;  // ş
        default: break;
      }
    }
    appendUtf8(out, cp);
  }
  return out;
}

std::string asUtf8(std::string_view text) { return validUtf8(text) ? std::string(text) : windows1254ToUtf8(text); }

std::string firstLine(std::string_view text) {
  std::string line(text.substr(0, text.find('\n')));
  while (!line.empty() && (line.back() == '\r' || line.back() == ' ' || line.back() == '\t')) line.pop_back();
  return line;
}

std::string reportPage(const Results& r, const std::vector<NamedPlot>& plots, const PageContext& ctx) {
  return Page(r, plots, ctx).build();
}

void writePlotsAndPage(Results& r, bool html, std::string_view inputText, const std::filesystem::path& dir) {
  const std::vector<NamedPlot> plots = renderPlots(r);
  writePlots(r, plots, dir);
  if (!html) return;
  PageContext ctx;
  ctx.runDate = utcNow();
  ctx.shipTitle = firstLine(inputText);
  ctx.legacyReportName = kReportFileName;
  std::ifstream report(dir / kReportFileName, std::ios::binary);
  ctx.legacyReport.assign(std::istreambuf_iterator<char>(report), {});
  writeReportPage(r, plots, ctx, dir);
}

void writeReportPage(Results& r, const std::vector<NamedPlot>& plots, const PageContext& ctx,
                     const std::filesystem::path& dir) {
  writeWhole(dir, kReportPage, reportPage(r, plots, ctx));
  r.meta.files.push_back(kReportPage);
}

}  // namespace gemi::analysis
