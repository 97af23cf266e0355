#include "propulsion/propfac.h"

#include <cmath>

namespace gemi {

namespace {

PropulsionFactors singleScrew(const PropfacInput& in, float CP, float CP1) {
  const float L = in.L, B = in.B, Ta = in.Ta, D = in.D, lcb = in.lcb;

  // Holtrop & Mennen thrust deduction, with the diameter over sqrt(Ta B).
  const float dr = std::sqrt(D * D / (Ta * B));
  const float t1 = 0.25014f * std::pow(B / L, 0.28956f) / std::pow(dr, 0.2624f) /
                       std::pow(0.0225f * lcb + 1.0f - CP, 0.01762f) +
                   0.0015f * in.Cstern;

  float C8;
  if (B / Ta < 5.0f) {
    C8 = in.S * B / (Ta * L * D);
  } else {
    C8 = (7.0f * B / Ta - 25.0f) * in.S / ((B / Ta - 3.0f) * L * D);
  }
  const float C9 = C8 <= 28.0f ? C8 : 32.0f - 16.0f / (C8 - 24.0f);

  const float TaD = Ta / D;
  const float C11 = TaD <= 2.0f ? TaD : 0.0833333f * (TaD * TaD * TaD) + 1.333333f;

  float C19;
  if (CP < 0.7f) {
    C19 = 0.12997f / (0.95f - in.CB) - 0.11056f / (0.95f - CP);
  } else {
    C19 = 0.18567f / (1.3571f - in.Cm) - 0.71276f + 0.38648f * CP;
  }
  const float C20 = 1.0f + 0.015f * in.Cstern;

  const float CV = in.CV;
  PropulsionFactors f;
  f.w = ((0.93405f * C11 * CV / (1.0f - CP1) + 0.050776f) * (L * CV * C9 / Ta) +
         0.27915f * std::sqrt((B / L) / (1.0f - CP1)) + C19) *
        C20;
  f.etarr = 0.9922f - 0.05908f * in.EAR + 0.07424f * (CP - 0.0225f * lcb);
  // Mean of the wake-based estimate and the direct regression.
  f.t = ((1.57f - 2.3f * in.CB / in.Cwp + 1.5f * in.CB) * f.w + t1) / 2.0f;
  return f;
}

PropulsionFactors twinScrew(const PropfacInput& in, float CP) {
  const float CB = in.CB;
  const float dr = std::sqrt(in.D * in.D / (in.Ta * in.B));
  const float t1 = 0.325f * CB - 0.1885f * dr;
  PropulsionFactors f;
  f.w = 10.0f * CB * in.CV + 0.3095f * CB - 0.23f * dr;
  f.t = ((1.67f - 2.3f * CB / in.Cwp + 1.5f * CB) * f.w + t1) / 2.0f;
  f.etarr = 0.9737f + 0.111f * (CP - 0.0225f * in.lcb) - 0.06325f * in.PoD;
  return f;
}

}  // namespace

PropulsionFactors PROPFAC(const PropfacInput& in) {
  const float T = (in.Ta + in.Tf) / 2.0f;
  const float CP = in.CB / in.Cm;
  const float CP1 = 1.45f * CP - 0.315f - 0.0225f * in.lcb;

  PropulsionFactors f = in.NPROP < 2 ? singleScrew(in, CP, CP1) : twinScrew(in, CP);

  // Tractor pod: wake and thrust deduction from the pod regressions on the
  // mean draught; the rotative efficiency of the shaft branch stays.
  if (in.IPOD == 1) {
    const float root = std::sqrt(in.B * T);
    f.t = 0.099768f * in.CB + 0.21593f - 0.56056f * in.D / root;
    f.w = 0.18566f * in.D / root + 56.724f * in.CB * in.CV + 0.18053f * in.CB - 0.18265228f;
  }
  return f;
}

}  // namespace gemi
