#include "propulsion/power_chain.h"

#include <cmath>
#include <vector>

#include "numeric/interp.h"
#include "propulsion/open_water_series.h"
#include "propulsion/stage_common.h"

namespace gemi {

bool efficienciesAgree(float assumed, float computed) {
  // A millionth above the limit absorbs the binary representation of the two
  // three-decimal values; far below anything the report can show.
  return std::fabs(assumed - computed) <= 0.01f + 1.0e-6f;
}

PowerChain powerChain(float PEtr, float etad, float etas, float MCR) {
  PowerChain p;
  p.Pb = PEtr / (etad * etas);
  p.Pbm = p.Pb / MCR;
  p.Pbd = etas * p.Pb;
  return p;
}

float operatingAdvance(float w, float Vtrial, float N, float D) {
  return ((1.0f - w) * Vtrial * kKnot) / ((N / 60.0f) * D);
}

float operatingPower(float N, float KQ, float D, float RHO) {
  const float n = N / 60.0f;
  const float D5 = D * D * D * D * D;
  return n * n * N * KQ * D5 * RHO * 6.28318f / 60.0f / 1000.0f;
}

float operatingThrust(float N, float KT, float D, float RHO) {
  const float n = N / 60.0f;
  const float D4 = D * D * D * D;
  return n * n * KT * D4 * RHO / 1000.0f;
}

namespace {

// Propulsive efficiency that the selected propeller gives with the current
// propulsion factors: etah ETA0 etarr.
float computedEfficiency(const StageState& st, float ETA0) {
  return ((1.0f - st.t) / (1.0f - st.w)) * ETA0 * st.etarr;
}

void reestimateFactors(Run& run) {
  const InputData& in = run.s.in;
  const StageState& st = run.s.prop.stage;
  const SelectedPropeller& sel = run.s.prop.sel;
  if (!(sel.PoD > 0.01f)) return;  // no propeller found: the first estimate stays
  trialSpeedFactors(run.s, in.D, sel.PoD, st.EAR);
}

void checkEfficiency(Run& run) {
  const InputData& in = run.s.in;
  StageState& st = run.s.prop.stage;
  const SelectedPropeller& sel = run.s.prop.sel;
  st.etadC = computedEfficiency(st, sel.ETA0);
  st.Pd = st.PEtr / st.etadC;
  write(run.con, "(///)");
  write(run.con, "(2X,'PERVANEYE CAPI = ',F5.3,' m dir')", {in.D});
  write(run.con, "(2X,'PERVANENE VERILMESI GEREKEN GUC    = ',F8.2,' kW ')", {st.Pd / static_cast<float>(in.NPROP)});
  write(run.con, "(2X,'PERVANENIN ABSORBE EDEBILECEGI GUC = ',F8.2,' kW ')", {sel.PD});
  write(run.con, "(2X,'VARSAYILAN VERIM = ',F5.3)", {st.etad});
  write(run.con, "(2X,'HESAPLANAN VERIM = ',F5.3)", {st.etadC});
  if (efficienciesAgree(st.etad, st.etadC)) return;
  writeList(run.con);
  writeList(run.con);
  write(run.con, R"((2X,'VARSAYILAN VERIM = ',F5.3,                        ' ILE HESAPLANAN VERIM ', F5.3/'  BIRBIRLERINDEN',            ' FARKLI CIKTIGI ICIN PROGRAMI '/'  ETAD = ',F5.3,            ' YE YAKIN BIR DEGER ILE YENIDEN BASLATMAK GEREKIR - STOP'//))",
        {st.etad, st.etadC, st.etadC});
  pauseRun(run);
  stopRun(run, "verim",
          statementText("('VARSAYILAN VERIM = ',F5.3,' ILE HESAPLANAN VERIM ',F5.3,' BIRBIRLERINDEN FARKLI; ETAD = ',F5.3,' YE YAKIN BIR DEGER ILE YENIDEN BASLATMAK GEREKIR')",
                        {st.etad, st.etadC, st.etadC}));
}

void writePowerChain(Run& run) {
  const InputData& in = run.s.in;
  StageState& st = run.s.prop.stage;
  const SelectedPropeller& sel = run.s.prop.sel;
  st.etad = computedEfficiency(st, sel.ETA0);
  const PowerChain p = powerChain(st.PEtr, st.etad, in.etas, in.MCR);
  st.Pb = p.Pb;
  st.Pbm = p.Pbm;
  st.Pbd = p.Pbd;
  RecordSink& rep = run.report;
  write(rep, "(///2X,54('='))");
  write(rep, "(2X,                                                    'SEYIR TECRUBESI SIRASINDA GEREKLI GUC - Pb ')");
  write(rep, R"((2X,                                                    'Pb = Pe(trial)/(etad*etas) = ',F8.2,'/(',F5.3,               '*',F5.3,')=> '))",
        {st.PEtr, st.etad, in.etas});
  write(rep, "(2X,'   = ',F8.2,' kW')", {st.Pb});
  write(rep, "(2X,'HESAPLANAN GEREKLI MAKINA GUCU - Pbm')");
  write(rep, R"((2X,                                                    'Pbm = Pb(trial)/(%MCR) = ',F8.2,'/(',F4.2,                   ') = ',F8.2,' kW'))",
        {st.Pb, in.MCR, st.Pbm});
  write(rep, "(2X,'PERVANEYE VERILEN GUC - Pbdeliv')");
  write(rep, R"((2X,                                                    'Pbd = Pb(trial)*(etas) = ',F8.2,'*(',F4.2,                   ') = ',F8.2,' kW'))",
        {st.Pb, in.etas, st.Pbd});
  write(rep, "(2X,54('.'))");
  write(rep, "(8X,'ACIKLAMALAR')");
  write(rep, "(3X,'etad : Genel Sevk Verimi = etah  * eta0  *  etarr ')");
  write(rep, "(28X,'=',1X,F5.3,' * ',F5.3,' * ',F5.3)", {(1.0f - st.t) / (1.0f - st.w), sel.ETA0, st.etarr});
  write(rep, "(3X,'etas : transmisyon verimi (saft kayiplari)')");
  write(rep, "(3X,'%MCR : Maximum surekli devir (max. cont.rate')");
  write(rep, "(2X,54('='))");
}

// Pitch ratio of the optimum searches' candidate curve at advance
// coefficient J. The spline needs strictly ascending abscissae: a candidate
// whose J does not exceed the one before it (two candidates at the same J)
// is left out. Without candidates the search's own pitch ratio stays.
float candidatePitchAt(Run& run, float J, float fallback) {
  const PropellerState& pr = run.s.prop;
  std::vector<float> cj, cp;
  for (int k = 1; k <= pr.NSEL && k <= kMaxCandidates; ++k) {
    if (!cj.empty() && !(pr.candJ(k) > cj.back())) continue;
    cj.push_back(pr.candJ(k));
    cp.push_back(pr.candPoD(k));
  }
  return interp(run, static_cast<int>(cj.size()), cj.data(), cp.data(), J, fallback, kInterpSpline);
}

void fixOperatingPoint(Run& run) {
  RunState& s = run.s;
  const InputData& in = s.in;
  StageState& st = s.prop.stage;
  SelectedPropeller& sel = s.prop.sel;
  st.Jsel = operatingAdvance(st.w, in.Vtrial, in.N, in.D);
  if (s.IOPT == 1 || s.IOPT == 3) {
    st.PDsel = candidatePitchAt(run, st.Jsel, sel.PoD);
    // The series is evaluated at the advance coefficient of the propeller
    // the search chose (the state still holds it), with the new pitch ratio.
    SeriesState& series = s.prop.series;
    series.J = sel.J;
    evaluateSeries(s, st.PDsel, st.EAR, st.Z);
    st.PDEL = operatingPower(in.N, series.KQ, in.D, in.RHO);
    sel.J = st.Jsel;
    sel.KT = series.KT;
    sel.KQ = series.KQ;
    sel.ETA0 = series.ETA0;
    sel.PoD = st.PDsel;
    sel.PD = st.PDEL;
    st.THRc = operatingThrust(in.N, sel.KT, in.D, in.RHO);
  } else if (s.IOPT == 2 || s.IOPT == 4) {
    st.PDsel = sel.PoD;
    st.PDEL = sel.PD;
    st.THRc = operatingThrust(in.N, sel.KT, in.D, in.RHO);
    sel.KQ = sel.KQ / 10.0f;
  }
}

void writeSelectedPropeller(Run& run) {
  const InputData& in = run.s.in;
  const StageState& st = run.s.prop.stage;
  const SelectedPropeller& sel = run.s.prop.sel;
  RecordSink& rep = run.report;
  write(rep, "(//2X,54('='))");
  write(rep, "(10X,'SECILEN PERVANE')");
  write(rep, "(2X,54('='))");
  write(rep, "(2X,'DEVIR            -     N  = ',F8.3,' RPM')", {in.N});
  write(rep, "(2X,'KANAT SAYISI     -     Z  = ',I4  )", {truncatedInt(st.Z)});
  write(rep, "(2X,'ILERLEME KATSAYISI   - J  = ',F5.3)", {sel.J});
  write(rep, "(2X,'ITME SABITI      -    Kt  = ',F5.3)", {sel.KT});
  write(rep, "(2X,'MOMENT SABITI    -  10Kq  = ',F5.3)", {sel.KQ * 10.0f});
  write(rep, "(2X,'ACIK SU VERIMI   - ETA-0  = ',F5.3)", {sel.ETA0});
  write(rep, "(2X,'PIC ORANI - P/D  - SABIT  = ',F5.3)", {sel.PoD});
  write(rep, "(2X,'ACINIM ALANI ORANI - EAR  = ',F5.3)", {st.EAR});
  write(rep, "(2X,'PERVANE CAPI  - DIAM      = ',F8.3, ' m')", {in.D});
  write(rep, "(2X,'HATVE MIKTARI  - P        = ',F8.3, ' m')", {sel.PoD * in.D});
  write(rep, "(2X,54('='))");
}

}  // namespace

void runPowerChain(Run& run) {
  reestimateFactors(run);
  checkEfficiency(run);
  writePowerChain(run);
  fixOperatingPoint(run);
  writeSelectedPropeller(run);
}

void propulsionFactorsPerSpeed(Run& run) {
  RunState& s = run.s;
  const InputData& in = s.in;
  const SelectedPropeller& sel = s.prop.sel;
  for (int i = 1; i <= in.NV; ++i) {
    const float CV = viscousCoefficient(s.sp.RV(i), in.VS(i), in.RHO, in.S);
    const PropulsionFactors f = stageFactors(s, in.D, sel.PoD, s.prop.stage.EAR, CV);
    s.sp.w(i) = f.w;
    s.sp.t(i) = f.t;
    s.sp.etarr(i) = f.etarr;
  }
}

}  // namespace gemi
