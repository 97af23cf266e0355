// Propulsion characteristics of the selected propeller over the speed list:
// its open-water table, the revolutions, efficiencies and delivered power
// needed at every speed, and the speed that the installed power reaches.
#pragma once

#include <array>

#include "run/run.h"

namespace gemi {

// Open-water table of the selected propeller: the J grid 0.200, 0.225, ...
// up to the first negative thrust, with the trial point's J inserted.
inline constexpr int kOpenWaterPoints = 42;
struct OpenWaterTable {
  int n = 0;
  std::array<float, kOpenWaterPoints> J{}, KT{}, KQ{}, ETA0{};
};

// Advance coefficients of the table: the grid while KT >= 0 (evaluated on the
// series state as it stands), plus Jtrial, ascending. A trial J within 1e-5
// of a grid value is not added a second time: the spline through the table
// needs distinct abscissae.
int openWaterAdvanceList(RunState& s, float PoD, float EAR, float& Z, float Jtrial,
                         std::array<float, kOpenWaterPoints>& J);

// The table at those points, each with the Reynolds-number correction of the
// full-scale propeller (diameter D, RPM).
OpenWaterTable openWaterTable(RunState& s, float PoD, float EAR, float& Z, float Jtrial, float D, float RPM);

// One row of the minimum-service table.
struct ServiceRow {
  float RPM = 0, J = 0, KT = 0, KQ = 0, ETA0 = 0;
  float ETAH = 0, ETAD = 0;
  float PD = 0;   // delivered power per propeller, kW
  float PDT = 0;  // delivered power of all propellers, kW
};

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
