// Wave resistance by Holtrop & Mennen's 1984 re-analysis: a low-speed formula
// up to Fn = 0.40, a high-speed formula above Fn = 0.55 and an interpolation
// between them.
#pragma once

#include "resistance/hull_values.h"
#include "run/run_state.h"

namespace gemi {

// The coefficients carry the report's names: C4 is the publication's c7, C5
// its c16, C3 the transom coefficient c5, C2 the bulb coefficient c2; C6 and
// C15 are both its c15, banded by Lwl^3/V and by Lwl/V^(1/3).
struct WaveCoefficients {
  float C4 = 0, C5 = 0, M1 = 0, C6 = 0, M2 = 0, LAMDA = 0, C1 = 0, C3 = 0, C2 = 0;
  float C17 = 0, M3 = 0, C15 = 0, M4 = 0;
};

// Coefficients at Froude number Fn with the half angle of entrance IE (deg);
// only M2 and M4 depend on the speed.
WaveCoefficients waveCoefficients(const InputData& in, const HullForm& h, float IE, float Fn);

// The banded coefficients: C4 by B/Lwl (0.11, 0.25), C5 by CP on Lbp (0.80)
// with the polynomial in CPlwl, C6 by Lwl^3/V (512, 1727), C15 by Lvr (8, 12).
float coefficientC4(float BoverL);
float coefficientC5(float CP, float CPlwl);
float coefficientC6(float Lwl, float V);
float coefficientC15(float Lvr);

enum class SpeedRange { Low, Transition, High };
// Low up to and including Fn = 0.40, high above 0.55, the transition between.
SpeedRange speedRange(float Fn);

// Wave resistance in kN of a ship of weight displacement DISPW (N).
float waveResistance(const WaveCoefficients& w, float Fn, float DISPW);

// Wave-resistance coefficient RW / (0.5 RHO Vms^2 S).
float waveResistanceCoefficient(float RW, float RHO, float VS, float S);

}  // namespace gemi
