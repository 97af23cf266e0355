// Form factor (1+k) of the bare hull by published regression formulas, for
// comparison with the Holtrop & Mennen value.
#pragma once

namespace gemi {

struct FormFactors {
  float FnB = 0, VmB = 0, RnB = 0;  // Froude number, model speed and Reynolds number of the BSRA formula
  float BSRA = 0, GRIG2 = 0, WATA = 0, CONN = 0, WRIGHT = 0;
};

// CB on Lbp, T mean draught, S wetted surface; `scale` is the model scale of
// the BSRA formula and NU the kinematic viscosity of its tank water (m2/s).
FormFactors computeFormFactors(float Lwl, float Lbp, float B, float T, float CB, float S, float GRAV, float scale,
                               float NU);

}  // namespace gemi
