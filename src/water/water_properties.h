// Density, kinematic viscosity and vapour pressure of fresh and salt water
// between 0 and 30 degrees Celsius (ITTC 1963 tables, cubic spline between
// the tabulated temperatures).
#pragma once

#include <optional>

namespace gemi {

struct Run;

inline constexpr int kFreshWater = 1;  // any other kind: salt water
inline constexpr int kSaltWater = 0;

struct WaterProperties {
  float PV = 0;    // vapour pressure, N/m2
  float NU = 0;    // kinematic viscosity, m2/s
  float RHOW = 0;  // density, kg/m3
};

// Properties at temperature T (deg C); nothing outside 0 .. 30 (or for NaN).
std::optional<WaterProperties> waterProperties(int kind, float T);

// The same for a run: a temperature outside the tables is reported on the
// console, the run pauses and then stops.
WaterProperties waterProperties(Run& run, int kind, float T);

}  // namespace gemi
