#include "propulsion/stage_common.h"

#include <cmath>

namespace gemi {

float viscousCoefficient(float RV, float Vknots, float RHO, float S) {
  const float v = Vknots * kKnot;
  return RV * 1000.0f / (v * v * RHO * S * 0.5f);
}

PropulsionFactors stageFactors(const RunState& s, float D, float PoD, float EAR, float CV) {
  const InputData& in = s.in;
  PropfacInput p;
  p.L = in.Lwl;
  p.B = in.B;
  p.Ta = in.Ta;
  p.Tf = in.Tf;
  p.CB = s.hull.CBlwl;
  p.Cm = in.Cm;
  p.Cwp = s.hull.CWPlwl;
  p.S = in.S;
  p.lcb = s.hull.lcb;
  p.Cstern = in.Cstern;
  p.D = D;
  p.PoD = PoD;
  p.EAR = EAR;
  p.NPROP = in.NPROP;
  p.CV = CV;
  p.IPOD = in.IPOD;
  PropulsionFactors f = PROPFAC(p);
  f.w = f.w * in.WFAC;
  f.t = f.t * in.TFAC;
  f.etarr = f.etarr * in.ERFAC;
  return f;
}

void trialSpeedFactors(RunState& s, float D, float PoD, float EAR) {
  StageState& st = s.prop.stage;
  st.CVtr = viscousCoefficient(s.sp.RV(st.ITR), s.in.Vtrial, s.in.RHO, s.in.S);
  const PropulsionFactors f = stageFactors(s, D, PoD, EAR, st.CVtr);
  st.w = f.w;
  st.t = f.t;
  st.etarr = f.etarr;
}

Item roundedInt(float x) { return truncatedInt(std::round(x)); }

}  // namespace gemi
