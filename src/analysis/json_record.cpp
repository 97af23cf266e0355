// sonuc.json: the results record for scripts. The names are an interface
// (listed in the README); reals are written as floats, each as a shortest
// decimal that reads back to the same float.
#include <cmath>
#include <nlohmann/json.hpp>

#include "analysis/results.h"

namespace gemi::analysis {
namespace {

// Objects keep the order of insertion; reals are single precision, so the
// serializer writes each float's own shortest decimal.
using Json = nlohmann::basic_json<nlohmann::ordered_map, std::vector, std::string, bool, std::int64_t,
                                  std::uint64_t, float>;

// Builds values and collects the non-finite ones as warnings.
class Builder {
 public:
  Json num(float v, const std::string& where) {
    if (std::isfinite(v)) return Json(v);
    warnings.push_back(where + " sonlu bir sayi degil (" + floatText(v) + "); null yazildi");
    return Json(nullptr);
  }
  template <typename T>
  Json opt(const std::optional<T>& v, const std::string& where) {
    return v ? num(*v, where) : Json(nullptr);
  }
  Json array(const std::vector<float>& v, const std::string& where) {
    Json a = Json::array();
    for (std::size_t i = 0; i < v.size(); ++i) a.push_back(num(v[i], where + "[" + std::to_string(i) + "]"));
    return a;
  }
  template <int N>
  Json array(const Table1<float, N>& v, int n, const std::string& where) {
    std::vector<float> x;
    for (int i = 1; i <= n && i <= N; ++i) x.push_back(v(i));
    return array(x, where);
  }
  // Named reals into object `o`, each named where it stands for the warnings.
  void put(Json& o, const std::string& where, std::initializer_list<std::pair<const char*, float>> reals) {
    for (const auto& [name, v] : reals) o[name] = num(v, where + "." + name);
  }
  // A table as an object of columns, each an array.
  Json columns(const Table& t, const std::string& where) {
    Json o = Json::object();
    for (const Column& c : t) o[c.name] = array(c.values, where + "." + c.name);
    return o;
  }

  std::vector<std::string> warnings;
};

Json inputObject(Builder& b, const InputData& in, const std::string& file) {
  const std::string w = "girdi";
  Json g = Json::object();
  g["dosya"] = file;
  const std::pair<const char*, float> reals1[] = {
      {"RHO", in.RHO}, {"GRAV", in.GRAV}, {"Lwl", in.Lwl}, {"Lbp", in.Lbp},   {"B", in.B},
      {"Tf", in.Tf},   {"Ta", in.Ta},     {"V", in.V},     {"LCB", in.LCB},   {"ABT", in.ABT},
      {"HB", in.HB},   {"AT", in.AT},     {"Cm", in.Cm},   {"Cwp", in.Cwp},   {"Cstern", in.Cstern},
      {"IE", in.IE},   {"S", in.S},       {"MSCALE", in.MSCALE}, {"TEMPm", in.TEMPm}, {"HFP", in.HFP},
      {"ONYUZ", in.ONYUZ}};
  for (const auto& [name, v] : reals1) g[name] = b.num(v, w + "." + name);
  g["NV"] = in.NV;
  g["VS"] = b.array(in.VS, in.NV, w + ".VS");
  g["Vtrial"] = b.num(in.Vtrial, w + ".Vtrial");
  g["AREA"] = b.array(in.AREA, kAppendages, w + ".AREA");
  g["FF2"] = b.array(in.FF2in, kAppendages, w + ".FF2");
  g["NBT"] = in.NBT;
  const std::pair<const char*, float> reals2[] = {
      {"DBT", in.DBT},     {"D", in.D},       {"N", in.N},         {"PDin", in.PDin},     {"Hs", in.Hs},
      {"CPFLAG", in.CPFLAG}};
  for (const auto& [name, v] : reals2) g[name] = b.num(v, w + "." + name);
  g["NPROP"] = in.NPROP;
  g["NSERIES"] = in.NSERIES;
  g["IPOD"] = in.IPOD;
  const std::pair<const char*, float> reals3[] = {
      {"Pengine", in.Pengine}, {"MCR", in.MCR},   {"PTO", in.PTO},   {"Seamar", in.Seamar}, {"etas", in.etas},
      {"FFDF", in.FFDF},       {"WFAC", in.WFAC}, {"TFAC", in.TFAC}, {"ERFAC", in.ERFAC},   {"ROUGH", in.ROUGH}};
  for (const auto& [name, v] : reals3) g[name] = b.num(v, w + "." + name);
  g["NDF"] = in.NDF;
  g["DF"] = b.array(in.DF, in.NDF, w + ".DF");
  return g;
}

Json shipObject(Builder& b, const Results& r) {
  const std::string w = "gemi";
  const HullValues& h = r.hull;
  Json g = Json::object();
  const std::pair<const char*, float> reals[] = {
      {"T_m", h.T},        {"CB", h.CB},         {"CP", h.CP},          {"CBlwl", h.CBlwl},
      {"CWPlwl", h.CWPlwl}, {"CPlwl", h.CPlwl},  {"lcb_yuzde", h.lcb},   {"LR_m", h.LR},
      {"C", h.C},          {"Lvr", h.Lvr},       {"1+k", h.FFN},        {"1+k_HM", h.FFH},
      {"1+k_Grigson", h.FFG}, {"S_m2", r.used.S}, {"IE_derece", r.used.IE}, {"DISPW_N", r.DISPW},
      {"Stakinti_m2", r.app.Stot}, {"1+k2_esdeger", r.app.K2eff}};
  for (const auto& [name, v] : reals) g[name] = b.num(v, w + "." + name);
  g["dalga_duzeltmesi"] = r.waveCorrected;
  return g;
}

Json speedsObject(Builder& b, const Results& r) {
  Json o = b.columns(r.resistance, "hizlar");
  if (r.waveCorrected) o["duzeltme_oncesi"] = b.columns(r.uncorrected, "hizlar.duzeltme_oncesi");
  return o;
}

// Pb, Pbm, Pbd of the power chain (null when the chain was not formed).
void powerChainInto(Builder& b, Json& o, const Results& r, const std::string& where) {
  const bool chain = r.propeller && r.propeller->powerChain;
  for (const auto& [name, v] : {std::pair<const char*, float>{"Pb_kW", chain ? r.propeller->Pb : 0.0f},
                                {"Pbm_kW", chain ? r.propeller->Pbm : 0.0f},
                                {"Pbd_kW", chain ? r.propeller->Pbd : 0.0f}})
    o[name] = chain ? b.num(v, where + "." + name) : Json(nullptr);
}

Json propellerObject(Builder& b, const Results& r) {
  if (!r.propeller) return nullptr;
  const PropellerResults& p = *r.propeller;
  const std::string w = "pervane";
  static constexpr const char* kTasks[] = {"yok", "optimum_devir", "pic_orani", "optimum_cap", "verilen_pervane"};
  Json o = Json::object();
  o["gorev"] = p.task;
  o["gorev_adi"] = kTasks[p.task >= 0 && p.task <= 4 ? p.task : 0];
  o["seri"] = p.NSERIES == 2 ? "Gawn" : "Wageningen B";
  b.put(o, w, {{"Vtrial_kn", p.Vtrial}, {"PEtr_kW", p.PEtr}, {"w", p.w}, {"t", p.t}, {"etarr", p.etarr},
               {"Va_kn", p.Va}, {"Rt_kN", p.Rt}, {"T_kN", p.Tp}, {"Z", p.Z}, {"EAR", p.EAR},
               {"EAR_keller", p.EARkel}, {"Sigma", p.Sigma}, {"Tauc", p.Tauc}});
  o["EAR_burrill_2_5"] = b.opt(p.EAR25, w + ".EAR_burrill_2_5");
  o["EAR_burrill_5"] = b.opt(p.EAR50, w + ".EAR_burrill_5");
  o["EAR_burrill_ust"] = b.opt(p.EARup, w + ".EAR_burrill_ust");
  b.put(o, w, {{"EAR_wageningen", p.EARwag}, {"Vtip_m_s", p.Vtip}});
  Json a = Json::object();
  a["tablo"] = r.search.empty() ? Json(nullptr) : Json(r.searchJ4 ? "KT/J^4" : "KT/J^2");
  a["hedef"] = r.search.empty() ? Json(nullptr) : b.num(r.searchTarget, w + ".arama.hedef");
  a["secilen_satir"] = r.searchChosen > 0 ? Json(r.searchChosen) : Json(nullptr);
  if (p.choice) {
    const SearchChoice& c = *p.choice;
    Json s = Json::object();
    b.put(s, w + ".arama.secim",
          {{"P_D", c.PoD}, {"J", c.J}, {"KT", c.KT}, {"KQ", c.KQ}, {"ETA0", c.ETA0}, {"PD_kW", c.PD}});
    a["secim"] = s;
  } else {
    a["secim"] = nullptr;
  }
  o["arama"] = a;
  if (p.operatingPoint) {
    Json c = Json::object();
    b.put(c, w + ".calisma_noktasi",
          {{"J", p.J}, {"P_D", p.PoD}, {"KT", p.KT}, {"KQ", p.KQ}, {"ETA0", p.ETA0}, {"PD_kW", p.PD},
           {"T_kN", p.THR}, {"N_1_min", p.N}, {"D_m", p.D}});
    o["calisma_noktasi"] = c;
  } else {
    o["calisma_noktasi"] = nullptr;
  }
  o["etad_varsayilan"] = b.opt(p.etadAssumed, w + ".etad_varsayilan");
  o["etad_hesaplanan"] = b.opt(p.etadComputed, w + ".etad_hesaplanan");
  o["etad_denenen"] = b.array(r.meta.etadTried, w + ".etad_denenen");
  powerChainInto(b, o, r, w);
  return o;
}

Json powerObject(Builder& b, const Results& r) {
  const InputData& in = r.used;
  const std::string w = "guc";
  Json o = Json::object();
  b.put(o, w, {{"Pengine_kW", in.Pengine}, {"MCR", in.MCR}, {"Seamar", in.Seamar}, {"etas", in.etas},
               {"PTO_kW", in.PTO}});
  o["Pav_kW"] = r.reach ? b.num(r.reach->Pav, w + ".Pav_kW") : Json(nullptr);
  powerChainInto(b, o, r, w);
  return o;
}

Json characteristicsObject(Builder& b, const Results& r) {
  if (r.openWater.empty() && r.propulsion.empty()) return nullptr;
  Json o = Json::object();
  o["acik_su"] = r.openWater.empty() ? Json(nullptr) : b.columns(r.openWater, "karakteristik.acik_su");
  o["servis"] = r.propulsion.empty() ? Json(nullptr) : b.columns(r.propulsion, "karakteristik.servis");
  if (r.reach) {
    Json u = Json::object();
    u["V_kn"] = b.num(r.reach->V, "karakteristik.ulasilacak_hiz.V_kn");
    u["listenin_otesinde"] = r.reach->beyondList;
    u["Pav_kW"] = b.num(r.reach->Pav, "karakteristik.ulasilacak_hiz.Pav_kW");
    o["ulasilacak_hiz"] = u;
  } else {
    o["ulasilacak_hiz"] = nullptr;
  }
  return o;
}

// One object per check that applied; an open end of a range is null.
Json applicabilityArray(Builder& b, const std::vector<ApplicabilityCheck>& checks) {
  Json a = Json::array();
  for (const ApplicabilityCheck& c : checks) {
    const std::string w = "uygulanabilirlik." + c.name;
    Json o = Json::object();
    o["ad"] = c.name;
    o["deger"] = b.num(c.value, w + ".deger");
    o["alt"] = std::isnan(c.lower) ? Json(nullptr) : b.num(c.lower, w + ".alt");
    o["ust"] = std::isnan(c.upper) ? Json(nullptr) : b.num(c.upper, w + ".ust");
    o["durum"] = statusWord(c.status);
    o["kaynak"] = c.source;
    a.push_back(std::move(o));
  }
  return a;
}

}  // namespace

std::string jsonText(const Results& r) {
  Builder b;
  Json j = Json::object();
  j["surum"] = r.meta.version;
  j["girdi"] = inputObject(b, r.input, r.meta.input);
  j["gemi"] = shipObject(b, r);
  j["hizlar"] = speedsObject(b, r);
  j["pervane"] = propellerObject(b, r);
  j["guc"] = powerObject(b, r);
  j["karakteristik"] = characteristicsObject(b, r);
  j["ulasilacak_hiz_kn"] = r.reach ? b.num(r.reach->V, "ulasilacak_hiz_kn") : Json(nullptr);
  Json end = Json::object();
  end["durum"] = endName(r.end);
  end["mesaj"] = r.endMessage;
  end["cikis_kodu"] = r.exitStatus;
  j["bitis"] = end;
  j["uygulanabilirlik"] = applicabilityArray(b, r.applicability);
  std::vector<std::string> warnings = r.meta.warnings;
  warnings.insert(warnings.end(), b.warnings.begin(), b.warnings.end());
  j["uyarilar"] = warnings;
  j["dosyalar"] = r.meta.files;
  return j.dump(2) + "\n";
}

void writeJson(Results& r, const std::filesystem::path& dir) {
  r.meta.files.push_back(kJsonFile);
  writeWhole(dir, kJsonFile, jsonText(r));
}

}  // namespace gemi::analysis
