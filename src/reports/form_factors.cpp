#include "reports/form_factors.h"

#include <cmath>

namespace gemi {

FormFactors computeFormFactors(float Lwl, float Lbp, float B, float T, float CB, float S, float GRAV, float scale,
                               float NU) {
  FormFactors f;
  // BSRA: at the Froude number of its model tests, on a model of the given scale.
  f.FnB = (0.0505f / std::pow(CB, 1.244f)) * std::pow(scale, 0.178f);
  f.VmB = std::sqrt(GRAV * Lbp / scale) * f.FnB;
  f.RnB = (Lbp / scale) * f.VmB / NU;
  f.BSRA = std::pow(B / T, 0.08f) * std::pow(B / Lbp, 0.3195f) * (std::pow(f.RnB, 0.025f) * 1.893f) *
           std::pow(f.FnB, 0.124f) * std::pow(CB, 0.2286f);
  f.GRIG2 = (S / (Lwl * Lwl)) * std::sqrt(CB * B / Lwl) * 3.3f + 1.028f;
  const float LB = Lwl / B;
  f.WATA = CB * 25.6f / ((LB * LB) * std::sqrt(B / T)) + 0.905f;
  const float fullness = CB * B / Lwl;
  f.CONN = (fullness * fullness) * 18.7f + 1.0f;
  f.WRIGHT = std::pow(B / Lbp, 0.3856f) * (B / T) * std::pow(CB, 0.1526f) * 0.132184f + 1.0f;
  return f;
}

}  // namespace gemi
