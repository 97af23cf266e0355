// Hull values formed by the resistance step. They do not depend on speed but
// are recomputed at every speed step; the last step's values stay for the
// stages after the speed loop.
#pragma once

namespace gemi {

// Form coefficients, length of run and stern parameter of the hull.
struct HullForm {
  float T = 0, CB = 0, CP = 0;             // mean draught, coefficients on Lbp
  float CBlwl = 0, CWPlwl = 0, CPlwl = 0;  // coefficients on Lwl
  float lcb = 0;                           // LCB in per cent of Lwl from 0.5 Lwl, + forward
  float LR = 0, C = 0, Lvr = 0;            // length of run, stern parameter, Lwl/V^(1/3)
};

struct HullValues : HullForm {
  float VS = 0, Fn = 0;             // last speed (knots) and its Froude number
  float FFH = 0, FFN = 0, FFG = 0;  // form factors: H&M bare hull, final (1+k), Grigson-1
  int IV = 0;                       // number of the speed step that formed these values (0: none yet)
};

}  // namespace gemi
