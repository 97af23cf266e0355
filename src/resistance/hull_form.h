// Speed, Froude number, form coefficients, wetted surface and half angle of
// entrance of the hull (Holtrop & Mennen, waterline length as L).
#pragma once

#include "resistance/hull_values.h"
#include "run/run_state.h"

namespace gemi {

// Ship speed in m/s from knots (1 knot = 0.5144 m/s). Every formula that
// needs the speed in m/s converts afresh.
inline float metresPerSecond(float VS) { return VS * 0.5144f; }

// Froude number on the waterline length.
float froudeNumber(float VS, float GRAV, float Lwl);

// Form coefficients, lcb, length of run (Lwl/2 when the regression gives a
// negative run), stern parameter and Lwl/V^(1/3).
HullForm hullForm(const InputData& in);

// A prismatic coefficient above this cannot belong to a real hull.
inline bool prismaticTooLarge(float CP) { return CP > 0.999f; }

// The two wetted-surface estimates, both including the appendage area Stot:
// Holtrop & Mennen's regression and the simple length-draught formula.
struct WettedSurfaceEstimates {
  float Sest = 0;
  float STaylan = 0;
};
WettedSurfaceEstimates wettedSurfaceEstimates(const InputData& in, const HullForm& h, float Stot);

// Half angle of entrance of the waterline, degrees (Holtrop & Mennen 1982).
float entranceAngleEstimate(const InputData& in, const HullForm& h);

}  // namespace gemi
