#include "reports/applicability.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <limits>
#include <string_view>

#include "resistance/wave.h"

namespace gemi {
namespace {

using Status = ApplicabilityStatus;

constexpr float kNone = std::numeric_limits<float>::quiet_NaN();

enum Row : int {
  kCP, kLB, kBT,                 // hull
  kFnLow, kFnMid, kFnHigh,       // speed ranges of the wave resistance
  kZ, kEAR, kPD, kEARZ,          // Wageningen B-series
  kGawnZ,                        // Gawn series
  kTipBase, kTipWater,           // propeller position
  kVtip, kSigma,                 // the stage's own limits
  kRowCount
};

struct RowDef {
  const char* name;
  float lower, upper;       // kNone where the range is open on that side
  Status inside, outside;   // status of a value within and beyond the range
  const char* unit;
  const char* range;        // what the range is (console line)
  const char* meaning;      // what a value beyond it means (console line)
  const char* note;         // the same in a word or two (closing box)
  const char* source;
};

constexpr const char* kHullRange = "Holtrop-Mennen veri araligi";
constexpr const char* kHullMeaning = "direnc tahmini verinin disina tasinir, guvenilmez";
constexpr const char* kSeriesRange = "Wageningen B regresyon araligi";
constexpr const char* kSeriesMeaning = "acik su degerleri regresyonun disina tasinir";
constexpr const char* kSeriesSource = "Oosterveld & van Oossanen 1975, Wageningen B serisi regresyonu";

// The checks. Each row: name, range, status within / beyond it, unit, and the
// texts. The hull ranges are the envelope of the ship types of Holtrop &
// Mennen's data set; the series ranges those of the regressions; the last two
// rows repeat the limits the propeller stage itself prints.
constexpr RowDef kTable[kRowCount] = {
    // Holtrop & Mennen 1982, limitation table of the data set: tankers and bulk
    // carriers CP 0.73-0.85, trawlers, coasters and tugs 0.55-0.65,
    // containerships and destroyer types 0.55-0.67. CP on the waterline length,
    // the length the method uses throughout.
    {"CP", 0.55f, 0.85f, Status::Inside, Status::Outside, "", kHullRange, kHullMeaning, "H&M verisi",
     "Holtrop & Mennen 1982, veri setindeki gemi tiplerinin zarfi (CP, Lwl ye gore)"},
    // Same table: L/B 5.1-7.1 tankers, 3.9-6.3 trawlers/coasters/tugs, 6.0-9.5
    // containerships; L is the waterline length.
    {"L/B", 3.9f, 9.5f, Status::Inside, Status::Outside, "", kHullRange, kHullMeaning, "H&M verisi",
     "Holtrop & Mennen 1982, veri setindeki gemi tiplerinin zarfi (Lwl/B)"},
    // Same table: B/T 2.4-3.2 tankers, 2.1-3.0 trawlers/coasters/tugs, 3.0-4.0
    // containerships; T the mean draught.
    {"B/T", 2.1f, 4.0f, Status::Inside, Status::Outside, "", kHullRange, kHullMeaning, "H&M verisi",
     "Holtrop & Mennen 1982, veri setindeki gemi tiplerinin zarfi (B/T, ortalama draft)"},
    // Holtrop 1984, the re-analysis of the data set: the wave-resistance
    // formula of the low-speed range, up to Fn 0.40.
    {"Fn", kNone, 0.40f, Status::Inside, Status::Inside, "", "yavas hiz bolgesi",
     "dalga direnci yavas hiz formulu ile bulundu", "yavas hiz",
     "Holtrop 1984, dalga direnci Fn <= 0.40 (yavas hiz) formulu"},
    // Holtrop 1984: between the two formulas (0.40 < Fn <= 0.55) the wave
    // resistance is interpolated.
    {"Fn", 0.40f, 0.55f, Status::Info, Status::Info, "", "gecis bolgesi",
     "dalga direnci iki formul arasinda ara degerle bulundu", "ara deger",
     "Holtrop 1984, Fn 0.40-0.55 arasinda yavas ve yuksek hiz formulleri arasi ara deger"},
    // Holtrop 1984: the high-speed wave-resistance formula, Fn > 0.55.
    {"Fn", 0.55f, kNone, Status::Info, Status::Info, "", "yuksek hiz bolgesi",
     "dalga direnci 1984 yuksek hiz formulu ile bulundu", "1984 formulu",
     "Holtrop 1984, dalga direnci Fn > 0.55 formulu"},
    // Oosterveld & van Oossanen 1975, the B-series polynomials: 2 <= Z <= 7.
    {"Z", 2.0f, 7.0f, Status::Inside, Status::Outside, "", kSeriesRange, kSeriesMeaning, "B-serisi disi", kSeriesSource},
    // Same regression: 0.30 <= EAR <= 1.05.
    {"EAR", 0.30f, 1.05f, Status::Inside, Status::Outside, "", kSeriesRange, kSeriesMeaning, "B-serisi disi", kSeriesSource},
    // Same regression: 0.5 <= P/D <= 1.4.
    {"P/D", 0.5f, 1.4f, Status::Inside, Status::Outside, "", kSeriesRange, kSeriesMeaning, "B-serisi disi", kSeriesSource},
    // The area ratios of the series' tested screws for the blade number
    // (kTestedAreaRatio below); beyond them the regression still holds but no
    // model was tested: a note, not a finding.
    {"EAR-Z", kNone, kNone, Status::Inside, Status::Info, "", "serinin bu kanat sayisinda denenmis pervaneleri",
     "regresyon gecerli ama bu alan oraninda deney yok", "denenmemis",
     "Wageningen B serisi, kanat sayisina gore denenmis pervanelerin alan oranlari"},
    // The Gawn series is three-bladed: any other blade number asked for is
    // replaced by 3 for the whole stage.
    {"Z-Gawn", 3.0f, 3.0f, Status::Inside, Status::Info, "", "Gawn serisinin kanat sayisi",
     "istenen kanat sayisi yerine Z = 3 ile hesaplandi", "Z=3 alindi",
     "Gawn serisi, uc kanatli pervaneler"},
    // Geometry: the tip below the base line, Hs - D/2 < 0.
    {"Hs-D/2", 0.0f, kNone, Status::Inside, Status::Outside, " m", "pervane ucunun taban cizgisinden yuksekligi",
     "pervane ucu omurganin altinda, geometri mumkun degil", "taban alti",
     "Geometri: pervane ucu taban cizgisinin ustunde olmali (Hs - D/2 >= 0)"},
    // Geometry: the tip above the still waterline at the stern, Hsd < D/2.
    {"Hsd-D/2", 0.0f, kNone, Status::Inside, Status::Outside, " m", "pervane ucunun kicta su hattindan derinligi",
     "pervane ucu su ustunde, pervane hava emer (ventilasyon)", "su ustu",
     "Geometri: pervane ucu kicta su hattinin altinda olmali (Hsd - D/2 >= 0)"},
    // The stage's tip-vortex line: Vtip < 30 m/s, an approximate limit.
    {"Vtip", kNone, 30.0f, Status::Inside, Status::Outside, " m/s", "kanat ucu hizi siniri (yaklasik)",
     "kanat ucu girdabi tehlikesi", "uc girdabi",
     "Pervane hesabinin kanat ucu girdabi kontrolu, Vtip < 30 m/s (yaklasik)"},
    // Burrill's diagram as the stage reads it: 0.18 <= Sigma <= 1.5.
    {"Sigma", 0.18f, 1.5f, Status::Inside, Status::Outside, "", "Burrill diyagrami araligi",
     "Burrill kavitasyon kontrolu yapilamadi", "Burrill disi",
     "Burrill diyagrami, 0.7R de kavitasyon sayisi 0.18-1.5"},
};

// Area ratios of the Wageningen B-series screws tested, by blade number
// (Z 2: the B2.30 only; Z 3: 0.35-0.80; Z 4: 0.40-1.00; Z 5: 0.45-1.05;
// Z 6: 0.50-0.80; Z 7: 0.55-0.85).
struct TestedRange {
  int Z;
  float lower, upper;
};
constexpr TestedRange kTestedAreaRatio[] = {
    {2, 0.30f, 0.30f}, {3, 0.35f, 0.80f}, {4, 0.40f, 1.00f},
    {5, 0.45f, 1.05f}, {6, 0.50f, 0.80f}, {7, 0.55f, 0.85f},
};

constexpr std::size_t kBoxText = 43;  // text columns inside the box frame

// A value as the texts show it: three decimals at most, trailing zeros
// dropped; very large or non-finite values in the shortest form.
std::string number(float v) {
  char buf[64];
  std::to_chars_result r{};
  if (std::isfinite(v) && std::fabs(v) < 1e6f) {
    r = std::to_chars(buf, buf + sizeof buf, v, std::chars_format::fixed, 3);
    std::string s(buf, r.ptr);
    while (s.back() == '0') s.pop_back();
    if (s.back() == '.') s.pop_back();
    return s == "-0" ? "0" : s;
  }
  r = std::to_chars(buf, buf + sizeof buf, v);
  return std::string(buf, r.ptr);
}

// A limit in its shortest form ("0.55", "30").
std::string limit(float v) {
  char buf[32];
  const auto r = std::to_chars(buf, buf + sizeof buf, v);
  return std::string(buf, r.ptr);
}

std::string rangeText(float lower, float upper, std::string_view sep) {
  if (std::isnan(lower)) return "<= " + limit(upper);
  if (std::isnan(upper)) return ">= " + limit(lower);
  if (lower == upper) return limit(lower);
  return limit(lower) + std::string(sep) + limit(upper);
}

bool within(float v, float lower, float upper) {
  return (std::isnan(lower) || v >= lower) && (std::isnan(upper) || v <= upper) && !std::isnan(v);
}

std::string fitted(std::string s) {
  if (s.size() > kBoxText) s.resize(kBoxText);
  return s;
}

// One check of row `row` for `value`; `context` follows the value in the
// console line; lower and upper replace the row's range when given.
ApplicabilityCheck evaluate(Row row, float value, const std::string& context = "", float lower = kNone,
                            float upper = kNone, bool ownRange = false) {
  const RowDef& d = kTable[row];
  ApplicabilityCheck c;
  c.name = d.name;
  c.value = value;
  c.lower = ownRange ? lower : d.lower;
  c.upper = ownRange ? upper : d.upper;
  c.status = within(value, c.lower, c.upper) ? d.inside : d.outside;
  c.source = d.source;
  const std::string v = number(value) + d.unit;
  const std::string range = rangeText(c.lower, c.upper, " - ");
  c.line = std::string(d.name) + " = " + v + context + ": " + d.range + " " + range;
  switch (c.status) {
    case Status::Inside: c.line += " icinde"; break;
    case Status::Outside: c.line += " DISINDA; " + std::string(d.meaning); break;
    case Status::Info: c.line += "; " + std::string(d.meaning); break;
  }
  c.brief = std::string(d.name) + " " + v + " (" + rangeText(c.lower, c.upper, "-") + ")";
  if (c.status != Status::Inside)
    c.brief += std::string(c.status == Status::Outside ? " DISINDA: " : " bilgi: ") + d.note;
  c.brief = fitted(c.brief);
  return c;
}

void hullChecks(const RunState& s, std::vector<ApplicabilityCheck>& out) {
  out.push_back(evaluate(kCP, s.hull.CPlwl));
  out.push_back(evaluate(kLB, s.in.Lwl / s.in.B));
  out.push_back(evaluate(kBT, s.in.B / s.hull.T));
}

// One row per speed range that the speeds computed so far fall in: the
// highest Froude number of the range, with the number of speeds and their knots.
void froudeChecks(const RunState& s, std::vector<ApplicabilityCheck>& out) {
  struct Band {
    Row row;
    SpeedRange range;
    int count = 0;
    float Fn = 0, first = 0, last = 0;
  };
  Band bands[] = {{kFnLow, SpeedRange::Low}, {kFnMid, SpeedRange::Transition}, {kFnHigh, SpeedRange::High}};
  const int steps = std::min(s.hull.IV, kMaxSpeeds);
  for (int k = 1; k <= steps; ++k) {
    const float Fn = k == steps ? s.hull.Fn : s.sp.Fn(k);
    for (Band& b : bands) {
      if (speedRange(Fn) != b.range) continue;
      if (b.count == 0) b.first = s.in.VS(k), b.Fn = Fn;
      b.Fn = std::max(b.Fn, Fn);
      b.last = s.in.VS(k);
      ++b.count;
    }
  }
  for (const Band& b : bands) {
    if (b.count == 0) continue;
    std::string context = " (" + std::to_string(b.count) + " hiz, " + number(b.first);
    if (b.count > 1) context += "-" + number(b.last);
    context += " knot)";
    out.push_back(evaluate(b.row, b.Fn, context));
  }
}

void seriesChecks(const RunState& s, std::vector<ApplicabilityCheck>& out) {
  const StageState& st = s.prop.stage;
  out.push_back(evaluate(kZ, st.Z));
  const ApplicabilityCheck ear = evaluate(kEAR, st.EAR);
  out.push_back(ear);
  out.push_back(evaluate(kPD, s.prop.sel.PoD));
  // The tested area ratios add something only while the regression holds.
  if (ear.status == Status::Outside) return;
  for (const TestedRange& t : kTestedAreaRatio) {
    if (st.Z != static_cast<float>(t.Z)) continue;
    out.push_back(evaluate(kEARZ, st.EAR, " (Z = " + std::to_string(t.Z) + ")", t.lower, t.upper, true));
  }
}

void positionChecks(const RunState& s, std::vector<ApplicabilityCheck>& out) {
  const float R = s.in.D / 2.0f;
  out.push_back(evaluate(kTipBase, s.in.Hs - R, " (Hs = " + number(s.in.Hs) + ", D = " + number(s.in.D) + ")"));
  out.push_back(evaluate(kTipWater, s.in.Hsd - R, " (Hsd = " + number(s.in.Hsd) + ", D = " + number(s.in.D) + ")"));
}

bool isFinding(const ApplicabilityCheck& c) { return c.status != Status::Inside; }

// Findings first, then notes, each in table order.
std::vector<const ApplicabilityCheck*> findingsFirst(const std::vector<ApplicabilityCheck>& checks) {
  std::vector<const ApplicabilityCheck*> v;
  for (Status want : {Status::Outside, Status::Info})
    for (const ApplicabilityCheck& c : checks)
      if (c.status == want) v.push_back(&c);
  return v;
}

}  // namespace

const char* statusWord(ApplicabilityStatus s) {
  switch (s) {
    case Status::Inside: return "icinde";
    case Status::Outside: return "disinda";
    case Status::Info: return "bilgi";
  }
  return "?";
}

std::vector<ApplicabilityCheck> checkApplicability(const RunState& s) {
  std::vector<ApplicabilityCheck> out;
  const StageState& st = s.prop.stage;
  if (s.hull.IV > 0) {
    hullChecks(s, out);
    froudeChecks(s, out);
  }
  if (st.propellerSelected && s.in.NSERIES == 1) seriesChecks(s, out);
  if (st.bladesAnswered && s.in.NSERIES == 2) out.push_back(evaluate(kGawnZ, st.Zasked));
  if (st.propellerSelected) positionChecks(s, out);
  if (st.cavitationChecked) {
    out.push_back(evaluate(kVtip, st.Vtip));
    out.push_back(evaluate(kSigma, st.Sigma));
  }
  return out;
}

int countOutside(const std::vector<ApplicabilityCheck>& checks) {
  return static_cast<int>(std::count_if(checks.begin(), checks.end(),
                                        [](const ApplicabilityCheck& c) { return c.status == Status::Outside; }));
}

std::vector<std::string> applicabilityConsoleLines(const std::vector<ApplicabilityCheck>& checks) {
  std::vector<std::string> lines;
  for (const ApplicabilityCheck* c : findingsFirst(checks))
    lines.push_back((c->status == Status::Outside ? "UYARI: " : "BILGI: ") + c->line);
  if (checks.empty())
    lines.push_back("Uygulanabilirlik: kontrol edilecek deger yok (hesap tekne degerlerine ulasmadi).");
  else if (countOutside(checks) == 0)
    lines.push_back("Uygulanabilirlik: bulgu yok; " + std::to_string(checks.size()) +
                    " kontrolun degerleri yontemlerin veri araliklari icinde.");
  return lines;
}

std::array<std::string, 15> closingNoticeBox(const std::vector<ApplicabilityCheck>& checks) {
  constexpr std::size_t kContentRows = 6;
  const auto listed = findingsFirst(checks);
  const int outside = countOutside(checks);
  const int notes = static_cast<int>(listed.size()) - outside;

  // Findings and notes, as many as fit; the rows left take the values inside.
  std::vector<std::string> content;
  const bool overflow = listed.size() > kContentRows;
  const std::size_t shown = overflow ? kContentRows - 1 : listed.size();
  for (std::size_t k = 0; k < shown; ++k) content.push_back(listed[k]->brief);
  if (overflow)
    content.push_back("+ " + std::to_string(listed.size() - shown) + " bulgu/not daha: gemiguc-analiz");
  const std::string kInsideLead = "Aralik icinde:";
  std::string row = listed.empty() ? "" : kInsideLead;
  for (const ApplicabilityCheck& c : checks) {
    if (isFinding(c) || content.size() >= kContentRows) continue;
    const std::string item = c.name + " " + number(c.value);
    if (!row.empty() && row.size() + 2 + item.size() > kBoxText) {
      content.push_back(row);
      row.clear();
      if (content.size() >= kContentRows) break;
    }
    row += (row.empty() ? "" : row == kInsideLead ? " " : "  ") + item;
  }
  if (!row.empty() && row != kInsideLead && content.size() < kContentRows) content.push_back(row);
  content.resize(kContentRows);

  std::string header;
  if (checks.empty())
    header = "Veri araliklari kontrol edilemedi.";
  else if (listed.empty())
    header = "Veri araliklari (README) icinde, bulgu yok:";
  else
    header = "Veri araliklari (README): " + std::to_string(outside) + " bulgu, " + std::to_string(notes) + " not";

  const std::string texts[13] = {
      "",
      "",
      "Degerler istatistik on tasarim yontemleri",
      "ile bulunmustur. Makina ve pervane secimi",
      "deney veya ayrintili hesapla dogrulanmali.",
      "",
      header,
      content[0], content[1], content[2], content[3], content[4], content[5],
  };
  std::array<std::string, 15> box;
  box.front() = box.back() = std::string(48, '*');
  for (std::size_t k = 0; k < 13; ++k) {
    std::string text = fitted(texts[k]);
    text.resize(kBoxText, ' ');
    box[k + 1] = "*  " + text + " *";
  }
  box[1] = "*                   DIKKAT                     *";
  return box;
}

}  // namespace gemi
