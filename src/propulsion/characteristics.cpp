#include "propulsion/characteristics.h"

#include <cmath>
#include <span>
#include <vector>

#include "numeric/interp.h"
#include "numeric/spline_roots.h"
#include "propulsion/open_water_series.h"
#include "propulsion/selection_dialogue.h"
#include "propulsion/stage_common.h"

namespace gemi {

int openWaterAdvanceList(RunState& s, float PoD, float EAR, float& Z, float Jtrial,
                         std::array<float, kOpenWaterPoints>& J) {
  SeriesState& series = s.prop.series;
  int n = 0;
  float Jg = 0.2f;  // grid accumulated in single precision, like the search sweeps
  for (int k = 0; k < kOpenWaterPoints - 1; ++k) {
    series.J = Jg;
    evaluateSeries(s, PoD, EAR, Z);
    if (series.KT < 0.0f) break;
    J[static_cast<std::size_t>(n++)] = Jg;
    Jg = Jg + 0.025f;
  }
  bool onGrid = false;
  for (int i = 0; i < n; ++i) onGrid = onGrid || std::fabs(J[static_cast<std::size_t>(i)] - Jtrial) < 1.0e-5f;
  if (!onGrid) J[static_cast<std::size_t>(n++)] = Jtrial;
  SORTA(n, std::span<float>(J.data(), static_cast<std::size_t>(n)));
  return n;
}

OpenWaterTable openWaterTable(RunState& s, float PoD, float EAR, float& Z, float Jtrial, float D, float RPM) {
  OpenWaterTable ow;
  ow.n = openWaterAdvanceList(s, PoD, EAR, Z, Jtrial, ow.J);
  SeriesState& series = s.prop.series;
  for (std::size_t i = 0; i < static_cast<std::size_t>(ow.n); ++i) {
    series.J = ow.J[i];
    series.VAP = ow.J[i] * (RPM / 60.0f) * D;
    series.RPMP = RPM;
    series.DP = D;
    evaluateSeries(s, PoD, EAR, Z);
    ow.KT[i] = series.KT;
    ow.KQ[i] = series.KQ;
    ow.ETA0[i] = series.ETA0;
  }
  return ow;
}

ServiceRow serviceRow(const OpenWaterTable& ow, float VS, float PE, float w, float t, float etarr, float D,
                      float RHO, int NPROP) {
  const float V = 0.5144f * VS;
  const float D4 = D * D * D * D;
  // Revolutions and thrust of the propeller at each tabulated J, from the
  // largest J down so that both curves ascend.
  std::array<float, kOpenWaterPoints> revs{}, thrust{};
  for (int m = 0; m < ow.n; ++m) {
    const std::size_t i = static_cast<std::size_t>(ow.n - 1 - m);
    const std::size_t k = static_cast<std::size_t>(m);
    revs[k] = (1.0f - w) * V / (ow.J[i] * D) * 60.0f;
    const float rps = revs[k] / 60.0f;
    thrust[k] = ow.KT[i] * RHO / 1000.0f * (rps * rps) * D4;
  }
  const float nprop = static_cast<float>(NPROP);
  const float required = PE / nprop / V / (1.0f - t);  // thrust per propeller, kN

  ServiceRow r;
  r.RPM = interp(ow.n, thrust.data(), revs.data(), required, 0.0f, kInterpSpline);
  r.J = (1.0f - w) * V / ((r.RPM / 60.0f) * D);
  r.KT = interp(ow.n, ow.J.data(), ow.KT.data(), r.J, 0.0f, kInterpSpline);
  r.KQ = interp(ow.n, ow.J.data(), ow.KQ.data(), r.J, 0.0f, kInterpSpline);
  r.ETA0 = r.KT / r.KQ * r.J / 6.2831855f;
  r.ETAH = (1.0f - t) / (1.0f - w);
  r.ETAD = r.ETAH * etarr * r.ETA0;
  r.PD = PE / nprop / r.ETAD;
  r.PDT = nprop * r.PD;
  return r;
}

float availablePower(float Seamar, int NPROP, float Pengine, float MCR, float PTO) {
  return (1.0f - Seamar) * static_cast<float>(NPROP) * Pengine * MCR - PTO;
}

namespace {

// What the characteristics are drawn for: the selected propeller at its
// operating point at the trial speed.
struct TrialPoint {
  float J, PoD, EAR, PD, TH, RPM, Vtrial, KT, KQ, D, w, t;
};

void writeOpenWaterBox(RecordSink& out, int NSERIES, const TrialPoint& p, float Z) {
  if (NSERIES == 1)
    write(out, "(                                                       2/10X,'WAGENINGEN B SERISI PERVANE ACIK SU KARAKTERISTIKLERI')");
  else if (NSERIES == 2)
    write(out, "(                                                       2/14X,'GAWN SERISI PERVANE ACIK SU KARAKTERISTIKLERI')");
  write(out, "(7X,'|',57('-'),'|')");
  write(out, "(7X,'| CAP - D (m)         =  ',F8.2,3X,'|',3X,'J      =  ',F6.4,'  |')", {p.D, p.J});
  write(out, "(7X,'| ITME - TH   (kN)    =  ',F8.2,3X,'|',3X,'KT     =  ',F6.4,'  |')", {p.TH, p.KT});
  write(out, "(7X,'| GUC - PD    (kW)    =  ',F8.2,3X,'|',3X,'10KQ   =  ',F6.4,'  |')", {p.PD, 10.0f * p.KQ});
  write(out, "(7X,'| RPM                 =  ',F8.2,3X,'|',3X,'T      =  ',F6.4,'  |')", {p.RPM, p.t});
  write(out, "(7X,'| GEMI HIZI-VS(KNOT)  =  ',F8.2,3X,'|',3X,'WT     =  ',F6.4,'  |')", {p.Vtrial, p.w});
  write(out, "(7X,'| KANAT SAYISI (Z)    =  ',F6.0,5X,'|',3X,'Ae     =  ',F6.4,'  |')", {Z, p.EAR});
  write(out, "(7X,'|',57('-'),'|')");
}

void writeOpenWaterTable(RecordSink& out, const OpenWaterTable& ow) {
  write(out, "(7X,'|',57('-'),'|')");
  write(out, "(7X,'|  No',4X,'J',7X,'KT',5X,'10KQ',4X,'ETA0',8X,'Bp',6X,'Delta |')");
  write(out, "(7X,'|',57('-'),'|')");
  for (std::size_t i = 0; i < static_cast<std::size_t>(ow.n); ++i) {
    const float J = ow.J[i];
    const float J5 = J * J * J * J * J;
    const float Bp = 33.06746f * std::pow(ow.KQ[i] / J5, 0.5f);
    const float delta = 101.2658f / J;
    write(out, "(7X,'| ',I2,3X,4(F5.3,3X),F8.2,2X,F8.2,' |')",
          {static_cast<int>(i) + 1, J, ow.KT[i], 10.0f * ow.KQ[i], ow.ETA0[i], Bp, delta});
  }
  write(out, "(7X,'|',57('-'),'|')");
}

void writeServiceTable(RecordSink& out, const InputData& in, const SpeedResults& sp, const std::vector<ServiceRow>& rows) {
  static constexpr const char* kRuleLeft = "|--------|--------|";
  static constexpr const char* kRuleRight = "------|------|------|------|------|------|--------|-------|";
  for (int k = 0; k < 4; ++k) writeList(out);
  writeList(out, {"    SEVK KARAKTERISTIKLERI - MINIMUM SERVIS"});
  writeList(out, {kRuleLeft, kRuleRight});
  writeList(out, {"|  Vs    |   PE   |", " ThDF |  WFT | ETAH | ETAR | ETA0 | ETAD |   PD   |  RPM  |"});
  writeList(out, {kRuleLeft, kRuleRight});
  for (int k = 1; k <= in.NV; ++k) {
    const ServiceRow& r = rows[static_cast<std::size_t>(k - 1)];
    write(out, "(' |',F7.3,' |',I7,' |',F5.3,' |',F5.3,' |',F5.3,' |',F5.3,' |',F5.3,' |',F5.3,' |',I7,' |',F6.1,' |')",
          {in.VS(k), roundedInt(sp.PE(k)), sp.t(k), sp.w(k), r.ETAH, sp.etarr(k), r.ETA0, r.ETAD, roundedInt(r.PDT),
           r.RPM});
  }
  writeList(out, {kRuleLeft, kRuleRight});
}

void writeReachableSpeed(RecordSink& out, const InputData& in, float V, bool beyondList) {
  if (beyondList)
    write(out, "(4X,A,F5.2,A)", {"Ulasilacak hiz V = ", in.VS(in.NV), " + knot."});
  else
    write(out, "(4X,A,F5.2,A)", {"Ulasilacak hiz V = ", V, " knot."});
  write(out, "(4X,A,F6.0,A,F4.0,A)", {"Toplam makina gucu - Pengine = ", in.Pengine, " kW"});
  write(out, "(4X,A,F6.0,A,F4.0,A)", {"Saft jeneratoru gucu - PTO = ", in.PTO, " kW"});
  write(out, "(A,F6.3,A)", {"    Transmisyon verimi Etatr = ", in.etas});
  write(out, "(A,F6.3,A)", {"    Makina marjini Pmcr = ", in.MCR});
  write(out, "(A,F6.3,A)", {"    Deniz marjini Seamar = ", in.Seamar});
  writeList(out);
}

void writeExplanations(RecordSink& rep, const InputData& in) {
  write(rep, "(/8X,'ACIKLAMALAR')");
  write(rep, "(3X,'Vs  : Gemi Hizi - knot')");
  write(rep, "(3X,'PE  : Efektif guc degeri - kW')");
  write(rep, "(3X,'ThDF: Itme azalmasi katsayisi')");
  write(rep, "(3X,'WFT : Efektif iz katsayisi')");
  write(rep, "(3X,'ETAR: Pervane rolatif donme verimi')");
  write(rep, "(3X,'ETA0: Pervane acik su verimi')");
  write(rep, "(3X,'ETAD: Genel sevk verimi - (1-ThDF)/(1-WFT)*ETA0*ETAR')");
  write(rep, "(3X,'PD  : Pervaneye verilen guc - kW')");
  write(rep, "(3X,'RPM : Pervane devir sayisi - devir/dakika')");
  write(rep, "(3X,'Etatr: Transmisyon verimi = ',F6.3)", {in.etas});
  write(rep, "(3X,'Pmcr: Makina marjini = ',F6.3)", {in.MCR});
  write(rep, "(3X,'Seamar: Deniz marjini = ',F6.3)", {in.Seamar});
  write(rep, "(3X,'Makina gucu (toplam)-Pengine = ',F6.0,' kW')", {in.Pengine});
  write(rep, "(3X,'Saft Jeneratoru gucu (toplam) - PPTO = ',F4.0,   ' kW')", {in.PTO});
  if (in.IPOD != 1) return;
  write(rep, "(3X,' Not: Sevk Katsayilarinda POD lu pervane duzeltmes i yapilmistir.')");
  write(rep, "(3X,' Kaynak: A Parametric power prediction model for t ractor pods.')");
  write(rep, "(3X,' by DEZ ada Rovarudu, R. Udavuvo and R. Izeduzar.')");
  write(rep, "(3X,' Delft University of Technology')");
  write(rep, "(3X,' Ship Hydromechanics Lab. Report No: 1545-P, 2006 ')");
}

}  // namespace

void writePropulsionCharacteristics(Run& run) {
  RunState& s = run.s;
  const InputData& in = s.in;
  StageState& st = s.prop.stage;
  const SelectedPropeller& sel = s.prop.sel;
  const TrialPoint p{st.Jsel, sel.PoD, st.EAR, st.PDEL, st.THRc, in.N, in.Vtrial, sel.KT, sel.KQ,
                     in.D, s.sp.w(st.ITR), s.sp.t(st.ITR)};

  // Open-water curve, box and table (the pause on the console only).
  const OpenWaterTable ow = openWaterTable(s, p.PoD, p.EAR, st.Z, p.J, p.D, p.RPM);
  s.prop.ow = ow;
  writeOpenWaterBox(run.con, in.NSERIES, p, st.Z);
  pauseRun(run, "DEVAM ICIN 'ENTER' TUSUNA BASIN");
  writeOpenWaterTable(run.con, ow);
  writeOpenWaterBox(run.report, in.NSERIES, p, st.Z);
  writeOpenWaterTable(run.report, ow);

  if (trialSpeedIndex(in, 0.01f) == 0) {
    writeList(run.con, {"SUB PROPULSION_CHARACTERISTICS_II 'DE"});
    writeList(run.con, {" DIZAYN HIZI BULUNAMADI - STOP"});
    stopRun(run, "dizayn_hizi", "DIZAYN HIZI HIZ LISTESINDE BULUNAMADI");
  }

  // Minimum-service characteristics at every speed.
  std::vector<ServiceRow> rows;
  for (int k = 1; k <= in.NV; ++k) {
    ServiceRow r = serviceRow(ow, in.VS(k), s.sp.PE(k), s.sp.w(k), s.sp.t(k), s.sp.etarr(k), p.D, in.RHO, in.NPROP);
    r.PB = r.PDT / in.etas;
    r.PBM = r.PB / in.MCR;
    rows.push_back(r);
  }
  s.prop.service = rows;
  writeServiceTable(run.con, in, s.sp, rows);
  writeServiceTable(run.report, in, s.sp, rows);

  // Speed that the installed power reaches.
  if (in.Pengine > 0.1f && !rows.empty()) {
    std::vector<float> PB;
    for (const ServiceRow& r : rows) PB.push_back(r.PB);
    const float Pav = availablePower(in.Seamar, in.NPROP, in.Pengine, in.MCR, in.PTO);
    const bool beyondList = PB.back() < Pav;
    float V = 0.0f;
    if (!beyondList)
      V = ROOTSP(run, in.NV, std::span<const float>(in.VS.data(), PB.size()), std::span<const float>(PB), Pav);
    s.prop.reach = {true, beyondList, beyondList ? in.VS(in.NV) : V, Pav};
    writeReachableSpeed(run.con, in, V, beyondList);
    writeReachableSpeed(run.report, in, V, beyondList);
  }
  writeExplanations(run.report, in);
}

}  // namespace gemi
