// Correction of the wave (residual) resistance by factors given over the
// speed range: the residual coefficient of every speed is scaled, and the
// total resistance and effective power are formed again.
#pragma once

#include "run/run_state.h"

namespace gemi {

// True when at least one of the NDF factors differs from 1 by more than 0.01.
bool waveCorrectionRequested(int NDF, const Table1<float, kMaxCorrectionFactors>& DF);

// Factor at each speed of the list. Three or more factors belong to equally
// spaced speeds from VS(1) to VS(NV) and are interpolated by the three-point
// parabola; a single factor applies at every speed; two are interpolated
// linearly between the first and the last speed.
SpeedArray waveCorrectionFactors(int NDF, const Table1<float, kMaxCorrectionFactors>& DF, const SpeedArray& VS,
                                 int NV);

// Scales CR(i) by DFV(i) and forms CT, RTOTAL (kN) and PE (kW) again, with
// sea water density RHO (kg/m3) and wetted surface S (m2). The values before
// the correction and the factors stay in sp (CR0, CT0, RTOTAL0, PE0, DFV).
void applyWaveCorrection(SpeedResults& sp, const SpeedArray& DFV, const SpeedArray& VS, int NV, float RHO, float S);

}  // namespace gemi
