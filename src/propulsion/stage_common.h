// Small pieces shared by the steps of the propeller stage: the viscous
// resistance coefficient of one speed, the propulsion factors with the user's
// multipliers, and the rounding of reals to the integers the reports print.
#pragma once

#include "format/format_template.h"
#include "propulsion/propfac.h"
#include "run/run_state.h"

namespace gemi {

inline constexpr float kKnot = 0.5144f;       // m/s per knot
inline constexpr float kPi = 3.14159274f;     // pi in single precision

// Viscous resistance RV (kN) of a speed V (knots) made non-dimensional on the
// bare-hull wetted surface: RV 1000 / ((V 0.5144)^2 RHO S 0.5).
float viscousCoefficient(float RV, float Vknots, float RHO, float S);

// Holtrop & Mennen propulsion factors of the ship with a propeller of
// diameter D, pitch ratio PoD and area ratio EAR at the viscous coefficient
// CV, multiplied by WFAC, TFAC and ERFAC of the input.
PropulsionFactors stageFactors(const RunState& s, float D, float PoD, float EAR, float CV);

// The factors at the trial speed (index ITR of the stage state) into the
// stage state's CVtr, w, t and etarr.
void trialSpeedFactors(RunState& s, float D, float PoD, float EAR);

// Integer item of a real rounded to the nearest integer, halves away from
// zero; not a number or beyond the integer range prints as asterisks.
Item roundedInt(float x);

}  // namespace gemi
