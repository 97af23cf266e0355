// Viscous resistance: bare-hull form factor, ITTC-1957 friction, frictional
// resistance of the wetted surface and appendage resistance.
#pragma once

#include "resistance/hull_values.h"
#include "run/run_state.h"

namespace gemi {

struct FormFactors {
  float FFH = 0;  // Holtrop & Mennen 1984 (1+k1) with the stern correction
  float FFN = 0;  // final (1+k): FFDF x FFH, or exactly 1 when FFDF < 0.05
  float FFG = 0;  // Grigson-1, for comparison only
};
FormFactors formFactors(const InputData& in, const HullForm& h);

struct Friction {
  float Rn = 0;  // Reynolds number on Lwl (sea water at 15 degC)
  float CF = 0;  // ITTC-1957 friction coefficient
  float CV = 0;  // viscous-resistance coefficient (1+k) CF
  float RF = 0;  // frictional resistance of S, kN
};
Friction friction(float VS, float Lwl, float RHO, float S, float FFN);

// Resistance of one appendage kind, kN: 0.5 RHO Vms^2 AREA (1+k2) CF.
float appendageResistance(float VS, float FF2, float AREA, float RHO, float CF);

}  // namespace gemi
