#include "resistance/hull_form.h"

#include <cmath>

namespace gemi {

float froudeNumber(float VS, float GRAV, float Lwl) { return metresPerSecond(VS) / std::sqrt(GRAV * Lwl); }

HullForm hullForm(const InputData& in) {
  HullForm h;
  h.T = (in.Ta + in.Tf) / 2.0f;
  h.CB = in.V / (h.T * in.B * in.Lbp);
  h.CP = h.CB / in.Cm;
  h.CBlwl = in.V / (h.T * in.B * in.Lwl);
  h.CWPlwl = in.Cwp * in.Lbp / in.Lwl;
  // The waterline ends at the fore perpendicular: the overhang Lwl - Lbp lies aft.
  h.lcb = 100.0f * (((in.Lwl - in.Lbp) + in.Lbp / 2.0f + in.LCB) / in.Lwl - 0.5f);
  h.CPlwl = h.CBlwl / in.Cm;
  h.LR = in.Lwl * (1.0f - h.CPlwl + 0.06f * h.CPlwl * h.lcb / (4.0f * h.CPlwl - 1.0f));
  if (h.LR < 0.0f) h.LR = in.Lwl / 2.0f;
  h.C = 1.0f + 0.011f * in.Cstern;
  h.Lvr = in.Lwl / std::pow(in.V, 0.33333334f);
  return h;
}

WettedSurfaceEstimates wettedSurfaceEstimates(const InputData& in, const HullForm& h, float Stot) {
  WettedSurfaceEstimates e;
  e.Sest = in.Lwl * (2.0f * h.T + in.B) * std::sqrt(in.Cm) *
               (0.453f + 0.4425f * h.CBlwl - 0.2862f * in.Cm - 0.003467f * in.B / h.T + 0.3696f * h.CWPlwl) +
           2.38f * in.ABT / h.CBlwl + Stot;
  e.STaylan = 1.85f * h.T * in.Lwl + in.V / h.T + Stot;
  return e;
}

float entranceAngleEstimate(const InputData& in, const HullForm& h) {
  const float CPlwl = h.CBlwl / in.Cm;
  const float trimmedLcb = h.lcb + 6.8f * (in.Ta - in.Tf) / h.T;
  return 125.67f * in.B / in.Lwl - 162.25f * (CPlwl * CPlwl) + 234.32f * (CPlwl * CPlwl * CPlwl) +
         0.1551f * (trimmedLcb * trimmedLcb * trimmedLcb);
}

}  // namespace gemi
