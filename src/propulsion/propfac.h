// Hull-propeller interaction factors by the Holtrop & Mennen regressions:
// wake fraction, thrust deduction and relative rotative efficiency, with the
// tractor-pod replacement of wake and thrust deduction.
#pragma once

namespace gemi {

// Arguments in the order the callers list them. The callers pass Lwl as L,
// CBlwl as CB and CWPlwl as Cwp; lcb is per cent of Lwl forward of midships.
struct PropfacInput {
  float L = 0, B = 0, Ta = 0, Tf = 0;
  float CB = 0, Cm = 0, Cwp = 0;
  float S = 0;       // bare-hull wetted surface, m2
  float lcb = 0;
  float Cstern = 0;
  float D = 0;       // propeller diameter, m
  float PoD = 0;     // pitch ratio
  float EAR = 0;     // expanded area ratio
  int NPROP = 0;     // < 2: single screw
  float CV = 0;      // viscous resistance coefficient at the speed in question
  int IPOD = 0;      // 1: tractor pod
};

struct PropulsionFactors {
  float t = 0;      // thrust deduction fraction
  float w = 0;      // wake fraction
  float etarr = 0;  // relative rotative efficiency
};

// The factors before the user's multipliers WFAC, TFAC, ERFAC (the callers
// apply them). No checks: D, Ta, L, Cm, Cwp must be positive.
PropulsionFactors PROPFAC(const PropfacInput& in);

}  // namespace gemi
