#include "analysis/results.h"

#include <charconv>
#include <cmath>
#include <fstream>
#include <stdexcept>

#include "analysis/decimal.h"
#include "analysis/whole_file.h"
#include "resistance/hull_form.h"

namespace gemi::analysis {

const Column* findColumn(const Table& table, std::string_view name) {
  for (const Column& c : table)
    if (c.name == name) return &c;
  return nullptr;
}

int exitStatusFor(EndKind end) {
  switch (end) {
    case EndKind::Completed: return 0;
    case EndKind::Stopped: return 3;
    case EndKind::ReadFailure: return 1;
    case EndKind::InternalFault: return 4;
  }
  return 4;
}

const char* endName(EndKind end) {
  switch (end) {
    case EndKind::Completed: return "tamamlandi";
    case EndKind::Stopped: return "durdu";
    case EndKind::ReadFailure: return "okuma_hatasi";
    case EndKind::InternalFault: return "ic_hata";
  }
  return "ic_hata";
}

namespace {

// A per-speed column of speeds 1 .. n.
Column speedColumn(std::string name, const SpeedArray& a, int n) {
  Column c{std::move(name), {}};
  for (int i = 1; i <= n; ++i) c.values.push_back(a(i));
  return c;
}

template <typename F>
Column columnOf(std::string name, int n, F value) {
  Column c{std::move(name), {}};
  for (int i = 1; i <= n; ++i) c.values.push_back(value(i));
  return c;
}

Table resistanceTable(const RunState& s) {
  const int n = s.sp.computed;
  const SpeedResults& sp = s.sp;
  const SpeedArray& VS = s.in.VS;
  const float k1 = s.hull.FFN;
  return {
      columnOf("i", n, [](int i) { return static_cast<float>(i); }),
      speedColumn("Vs_kn", VS, n),
      columnOf("Vs_m_s", n, [&](int i) { return metresPerSecond(VS(i)); }),
      speedColumn("Fn", sp.Fn, n),
      speedColumn("Rn", sp.Rn, n),
      speedColumn("CF", sp.CF, n),
      speedColumn("CV", sp.CV, n),
      columnOf("1+k", n, [&](int) { return k1; }),
      speedColumn("RF_kN", sp.RF, n),
      columnOf("RAPP_kN", n, [&](int i) { return sp.RAPP(i, 0); }),
      speedColumn("RW_kN", sp.RW, n),
      speedColumn("Rbulb_kN", sp.Rbulb, n),
      speedColumn("Rayna_kN", sp.Rayna, n),
      speedColumn("Rbot_kN", sp.Rbot, n),
      speedColumn("RAIR_kN", sp.RAIR, n),
      speedColumn("CA", sp.CA, n),
      speedColumn("RA_kN", sp.RA, n),
      speedColumn("RTOTAL_kN", sp.RTOTAL, n),
      speedColumn("CT", sp.CT, n),
      speedColumn("CR", sp.CR, n),
      speedColumn("PE_kW", sp.PE, n),
  };
}

Table uncorrectedTable(const RunState& s) {
  const int n = s.sp.computed;
  return {speedColumn("DF", s.sp.DFV, n), speedColumn("CR", s.sp.CR0, n), speedColumn("CT", s.sp.CT0, n),
          speedColumn("RTOTAL_kN", s.sp.RTOTAL0, n), speedColumn("PE_kW", s.sp.PE0, n)};
}

Table propulsionTable(const RunState& s) {
  const auto& rows = s.prop.service;
  const int n = static_cast<int>(rows.size());
  const InputData& in = s.in;
  auto row = [&](int i) -> const ServiceRow& { return rows[static_cast<std::size_t>(i - 1)]; };
  Table t{
      columnOf("i", n, [](int i) { return static_cast<float>(i); }),
      speedColumn("Vs_kn", in.VS, n),
      speedColumn("PE_kW", s.sp.PE, n),
      speedColumn("w", s.sp.w, n),
      speedColumn("t", s.sp.t, n),
      speedColumn("etarr", s.sp.etarr, n),
      columnOf("RPM_1_min", n, [&](int i) { return row(i).RPM; }),
      columnOf("J", n, [&](int i) { return row(i).J; }),
      columnOf("KT", n, [&](int i) { return row(i).KT; }),
      columnOf("KQ", n, [&](int i) { return row(i).KQ; }),
      columnOf("ETA0", n, [&](int i) { return row(i).ETA0; }),
      columnOf("ETAH", n, [&](int i) { return row(i).ETAH; }),
      columnOf("ETAD", n, [&](int i) { return row(i).ETAD; }),
      columnOf("PD_kW", n, [&](int i) { return row(i).PD; }),
      columnOf("PDT_kW", n, [&](int i) { return row(i).PDT; }),
      columnOf("PB_kW", n, [&](int i) { return row(i).PB; }),
      columnOf("PBM_kW", n, [&](int i) { return row(i).PBM; }),
  };
  // The engine load only where an engine power is given: brake power and
  // shaft generator over the installed power of all propellers. At the
  // reachable speed it equals (1 - Seamar) MCR.
  if (in.Pengine > 0.1f) {
    const float installed = static_cast<float>(in.NPROP) * in.Pengine;
    t.push_back(columnOf("YUK", n, [&](int i) { return (row(i).PB + in.PTO) / installed; }));
  }
  return t;
}

Table openWaterTableOf(const OpenWaterTable& ow) {
  Table t{{"J", {}}, {"KT", {}}, {"10KQ", {}}, {"ETA0", {}}};
  for (std::size_t i = 0; i < static_cast<std::size_t>(ow.n); ++i) {
    t[0].values.push_back(ow.J[i]);
    t[1].values.push_back(ow.KT[i]);
    t[2].values.push_back(10.0f * ow.KQ[i]);
    t[3].values.push_back(ow.ETA0[i]);
  }
  return t;
}

Table searchTableOf(const SearchTable& st) {
  Table t{{"i", {}}, {"P_D", {}}, {"J", {}}, {"KT", {}}, {"10KQ", {}}, {"ETA0", {}}, {"Bp", {}}, {"delta", {}}};
  int i = 0;
  for (const SearchRow& r : st.rows) {
    const float v[] = {static_cast<float>(++i), r.PoD, r.J, r.KT, r.KQ10, r.ETA0, r.Bp, r.delta};
    for (std::size_t k = 0; k < t.size(); ++k) t[k].values.push_back(v[k]);
  }
  return t;
}

std::optional<PropellerResults> propellerResults(const RunState& s) {
  const StageState& st = s.prop.stage;
  if (st.ITR == 0) return std::nullopt;  // the stage did not find the trial speed, or did not start
  PropellerResults p;
  p.task = s.IOPT;
  p.NSERIES = s.in.NSERIES;
  p.Vtrial = s.in.Vtrial;
  p.PEtr = st.PEtr;
  p.w = st.w, p.t = st.t, p.etarr = st.etarr;
  p.Va = st.Va, p.Rt = st.Rt, p.Tp = st.Tp;
  p.Z = st.Z, p.EAR = st.EAR, p.EARkel = st.EARkel;
  p.Sigma = st.Sigma, p.Tauc = st.Tauc, p.EARwag = st.EARwag, p.Vtip = st.Vtip;
  if (st.burrill) p.EAR25 = st.EAR25, p.EAR50 = st.EAR50, p.EARup = st.EARup;
  if (s.prop.choice.made) p.choice = s.prop.choice;
  if (st.etadIn != 0.0f) p.etadAssumed = st.etadIn;
  if (st.etadC != 0.0f) p.etadComputed = st.etadC;
  p.powerChain = st.Pb != 0.0f;
  p.Pb = st.Pb, p.Pbm = st.Pbm, p.Pbd = st.Pbd;
  p.operatingPoint = p.powerChain && st.Jsel != 0.0f;
  if (p.operatingPoint) {
    const SelectedPropeller& sel = s.prop.sel;
    p.J = st.Jsel, p.PoD = st.PDsel, p.KT = sel.KT, p.KQ = sel.KQ, p.ETA0 = sel.ETA0;
    p.PD = st.PDEL, p.THR = st.THRc, p.N = s.in.N, p.D = s.in.D;
  }
  return p;
}

}  // namespace

Results buildResults(const RunState& s, EndKind end, const std::string& message, RunMeta meta) {
  Results r;
  r.meta = std::move(meta);
  r.end = end;
  r.endMessage = message;
  r.exitStatus = exitStatusFor(end);
  r.input = s.given;
  r.used = s.in;
  r.app = s.app;
  r.hull = s.hull;
  r.DISPW = s.DISPW;
  if (s.sp.computed > 0) r.resistance = resistanceTable(s);
  r.waveCorrected = s.sp.waveCorrected;
  if (r.waveCorrected) r.uncorrected = uncorrectedTable(s);
  if (!s.prop.service.empty()) r.propulsion = propulsionTable(s);
  if (s.prop.ow.n > 0) r.openWater = openWaterTableOf(s.prop.ow);
  if (s.prop.search.listed) {
    r.search = searchTableOf(s.prop.search);
    r.searchJ4 = s.prop.search.J4;
    r.searchTarget = s.prop.search.target;
    r.searchChosen = s.prop.search.chosen;
  }
  r.propeller = propellerResults(s);
  if (s.prop.reach.computed) r.reach = s.prop.reach;
  r.applicability = checkApplicability(s);
  return r;
}

std::string floatText(float v) {
  if (std::isnan(v)) return "nan";
  if (std::isinf(v)) return v > 0 ? "inf" : "-inf";
  return shortestDecimal(v);
}

std::string csvText(const Table& table) {
  std::string out;
  for (std::size_t k = 0; k < table.size(); ++k) {
    if (k) out += ',';
    out += table[k].name;
  }
  out += '\n';
  const std::size_t rows = table.empty() ? 0 : table.front().values.size();
  for (std::size_t i = 0; i < rows; ++i) {
    for (std::size_t k = 0; k < table.size(); ++k) {
      if (k) out += ',';
      const float v = table[k].values[i];
      // A value that is not a number stays an empty cell (listed in the JSON warnings).
      if (std::isfinite(v)) out += shortestDecimal(v);
    }
    out += '\n';
  }
  return out;
}

void writeWhole(const std::filesystem::path& dir, const std::string& name, const std::string& text) {
  if (!writeWholeFile(dir / name, text)) throw std::runtime_error("DOSYA YAZILAMADI: " + (dir / name).string());
}

void writeTables(Results& r, const std::filesystem::path& dir) {
  const std::pair<const char*, const Table*> tables[] = {
      {kResistanceCsv, &r.resistance}, {kPropulsionCsv, &r.propulsion}, {kOpenWaterCsv, &r.openWater},
      {kSearchCsv, &r.search}};
  for (const auto& [name, table] : tables) {
    if (table->empty() || table->front().values.empty()) continue;
    writeWhole(dir, name, csvText(*table));
    r.meta.files.push_back(name);
  }
}

}  // namespace gemi::analysis
