// Propulsion characteristics of the selected propeller over the speed list:
// its open-water table, the revolutions, efficiencies and delivered power
// needed at every speed, and the speed that the installed power reaches.
#pragma once

#include <array>

#include "run/run.h"

namespace gemi {

// OpenWaterTable and ServiceRow are declared with the propeller state
// (propulsion/propeller_state.h), which keeps them after the run.

// Advance coefficients of the table: the grid while KT >= 0 (evaluated on the
// series state as it stands), plus Jtrial, ascending. A trial J within 1e-5
// of a grid value is not added a second time: the spline through the table
// needs distinct abscissae.
int openWaterAdvanceList(RunState& s, float PoD, float EAR, float& Z, float Jtrial,
                         std::array<float, kOpenWaterPoints>& J);

// The table at those points, each with the Reynolds-number correction of the
// full-scale propeller (diameter D, RPM).
OpenWaterTable openWaterTable(RunState& s, float PoD, float EAR, float& Z, float Jtrial, float D, float RPM);

// The row for a speed VS (knots) with effective power PE (kW) and the
// propulsion factors w, t, etarr of that speed: the revolutions where the
// propeller's thrust curve meets the required thrust, then the open-water
// point at those revolutions.
ServiceRow serviceRow(const OpenWaterTable& ow, float VS, float PE, float w, float t, float etarr, float D,
                      float RHO, int NPROP);

// Brake power still available for propulsion, kW.
float availablePower(float Seamar, int NPROP, float Pengine, float MCR, float PTO);

// Writes the characteristics (console and report), with the pause between
// the box and the table on the console, and the reachable speed.
void writePropulsionCharacteristics(Run& run);

}  // namespace gemi
