// Propulsion factors. Expected values: the regressions evaluated in double
// precision by a python script written from the formulas (intermediate
// values of that trail quoted per case).
#include <gtest/gtest.h>

#include "propulsion/propfac.h"

namespace gemi {
namespace {

// A cargo-ship-like hull: B/Ta = 3.52, CP = 0.645, Ta/D = 1.5.
PropfacInput shipA() {
  return {.L = 120, .B = 19, .Ta = 5.4f, .Tf = 5, .CB = 0.6f, .Cm = 0.93f, .Cwp = 0.76f, .S = 2600, .lcb = -2.5f,
          .Cstern = -10, .D = 3.6f, .PoD = 1.0f, .EAR = 0.65f, .NPROP = 1, .CV = 0.002f, .IPOD = 0};
}

// Ship A with some inputs changed.
template <class Change>
PropfacInput shipA(Change change) {
  PropfacInput in = shipA();
  change(in);
  return in;
}

struct PropfacCase {
  const char* what;
  PropfacInput in;
  double t, w, etarr;
};

const PropfacCase kCases[] = {
    // C8 = S B / (Ta L D) = 21.176269, C9 = C8, C11 = Ta/D = 1.5, C19 = 0.008659, t1 = 0.181585
    {"single screw, narrow hull", shipA(), 0.163074140, 0.220974396, 1.005870774},
    {"no count given: single screw", shipA([](PropfacInput& in) { in.NPROP = 0; }), 0.163074140, 0.220974396,
     1.005870774},
    // B/Ta = 6.4: C8 = (7 B/Ta - 25) S / ((B/Ta - 3) L D) = 80.882353 > 28, so
    // C9 = 32 - 16/(C8 - 24) = 31.718718; Ta/D = 2.083 > 2: C11 = 2.086853;
    // CP = 0.765 >= 0.7: C19 = 0.075378; t1 = 0.268152
    {"single screw, wide full hull: the second formulas",
     {.L = 150, .B = 32, .Ta = 5, .Tf = 4.6f, .CB = 0.75f, .Cm = 0.98f, .Cwp = 0.85f, .S = 5000, .lcb = 1.5f,
      .Cstern = 10, .D = 2.4f, .PoD = 0.8f, .EAR = 0.5f, .NPROP = 0, .CV = 0.0018f},
     0.306752957, 0.518869574, 1.016970727},
    // Boundaries of the single-screw branches. B/Ta = 4, C8 = 1792 * 16 / (4 * 128 * 2) = 28
    // exactly (kept as C9), Ta/D = 2 exactly (C11 = 2), CP = 0.7 exactly: the second C19
    // formula, 0.077714 (the first would give 0.077640).
    {"C8 = 28, Ta/D = 2, CP = 0.7 exactly",
     {.L = 128, .B = 16, .Ta = 4, .Tf = 4, .CB = 0.7f, .Cm = 1.0f, .Cwp = 0.8f, .S = 1792, .lcb = 0, .Cstern = 0,
      .D = 2, .EAR = 0.55f, .NPROP = 1, .CV = 0.002f},
     0.213413929, 0.371213103, 1.011674000},
    // B/Ta = 5 exactly takes the wide-hull C8: 30.092593, C9 = 29.37386
    {"B/Ta = 5 exactly", shipA([](PropfacInput& in) { in.B = 20, in.Ta = 4, in.Tf = 4; }), 0.175224427, 0.263418208,
     1.005870774},
    {"CP = 0.7 exactly on ship A", shipA([](PropfacInput& in) { in.CB = 0.7f, in.Cm = 1.0f; }), 0.168164458,
     0.307110699, 1.009942000},
    // The area ratio enters single screw only, the pitch twin screw only.
    {"single screw, low area ratio and coarse pitch", shipA([](PropfacInput& in) { in.EAR = 0.4f, in.PoD = 1.3f; }),
     0.163074140, 0.220974396, 1.020640774},
    // twin screw: dr = 0.355409, t1 = 0.128005
    {"twin screw", shipA([](PropfacInput& in) { in.NPROP = 2; }), 0.107730234, 0.115955855, 0.988306653},
    // etarr falls by 0.06325 * 0.3
    {"twin screw, low area ratio and coarse pitch",
     shipA([](PropfacInput& in) { in.NPROP = 2, in.EAR = 0.4f, in.PoD = 1.3f; }), 0.107730234, 0.115955855,
     0.988306653 - 0.06325 * 0.3},
    // A tractor pod replaces wake and thrust deduction only; any other value: shafts.
    {"single tractor pod", shipA([](PropfacInput& in) { in.IPOD = 1; }), 0.072767383, 0.060976791, 1.005870774},
    {"twin tractor pods", shipA([](PropfacInput& in) { in.IPOD = 1, in.NPROP = 2; }), 0.072767383, 0.060976791,
     0.988306653},
    {"pod kind 2: shafts", shipA([](PropfacInput& in) { in.IPOD = 2; }), 0.163074140, 0.220974396, 1.005870774},
};

TEST(Propfac, FactorsOfEachHullAndInstallation) {
  for (const PropfacCase& c : kCases) {
    SCOPED_TRACE(c.what);
    const PropulsionFactors f = PROPFAC(c.in);
    EXPECT_NEAR(f.t, c.t, 3e-6);
    EXPECT_NEAR(f.w, c.w, 3e-6);
    EXPECT_NEAR(f.etarr, c.etarr, 3e-6);
  }
}

}  // namespace
}  // namespace gemi
