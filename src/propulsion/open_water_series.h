// Open-water characteristics of the systematic propeller series: thrust
// coefficient KT, torque coefficient KQ and efficiency ETA0 over advance
// coefficient J, pitch ratio, area ratio and blade number, with the
// controllable-pitch and Reynolds-number (scale) corrections.
#pragma once

#include "propulsion/propeller_state.h"

namespace gemi {

struct Run;
struct RunState;

// Wageningen B-series (Reynolds number 2e6). Reads st.J, st.DP, st.VAP,
// st.RPMP; writes st.KT, st.KQ (not 10 KQ), st.ETA0. CPFLAG within 0.001 of 1
// marks a controllable-pitch propeller. No allocation, no output.
void BSERIES(float PoD, float EAR, float Z, float CPFLAG, SeriesState& st);

// Gawn/Burrill three-bladed series: the B-series terms with the Gawn
// coefficients. A blade number more than 0.01 away from 3 is set to 3 in the
// caller's variable, which keeps that value for the rest of the run.
void GSERIES(float PoD, float EAR, float& Z, float CPFLAG, SeriesState& st);

// Series chosen by NSERIES: 1 BSERIES, 2 GSERIES; any other value evaluates
// nothing and the state keeps its values.
void evaluateSeries(int NSERIES, float PoD, float EAR, float& Z, float CPFLAG, SeriesState& st);

// The same with NSERIES, CPFLAG and the series state of the run.
void evaluateSeries(RunState& s, float PoD, float EAR, float& Z);

// Reynolds-number correction of a full-scale propeller against the series
// tested at model scale: the amounts to subtract from KT and KQ.
struct ReynoldsCorrection {
  float DKT = 0, DKQ = 0;
};
// D diameter (m), blade number, thickness-chord ratio t/c, chord-diameter
// ratio c/D, model-to-ship diameter ratio s, model revolutions nm (rps),
// kinematic viscosities nu1 (used) and nu2 (kept for the call's shape only).
ReynoldsCorrection RECORR(float D, float PoD, int blades, float tc, float cD, float s, float nm, float nu1, float nu2);

// The line naming the series used (console, then report); nothing for an
// NSERIES other than 1 or 2.
void SERMSG(Run& run);

}  // namespace gemi
