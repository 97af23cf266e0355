// Towing-tank model of scale 1/MSCALE: model resistance at the Froude
// numbers of the ship's speed list (form-factor method) and the model speeds
// at which a fixed set of resistance readings would be measured.
#pragma once

#include <array>

#include "run/per_speed.h"
#include "water/water_properties.h"

namespace gemi {

struct Run;

inline constexpr float kModelGravity = 9.80665f;  // m/s2, standard gravity of the tank
inline constexpr int kModelReadings = 70;

struct ModelResistance {
  SpeedArray Fn, Vm, Rn, Cfm, Cvm, Cwm, Ctm, Rtm;  // Rtm in N
  // False when the model resistance does not increase strictly over the
  // speed list: the speeds of the readings are then not interpolated.
  bool increasing = true;
  int M = 0;  // readings inside the range of the model resistances
  std::array<float, kModelReadings> reading{}, speed{};  // kg, model speed m/s
};

// CR: ship's residuary coefficients; FF: form factor (1+k); S wetted surface
// (m2); Lwl (m); modelWater: fresh water at the tank temperature.
ModelResistance computeModelResistance(int NV, const SpeedArray& CR, const SpeedArray& VS, float FF, float MSCALE,
                                       float S, float Lwl, const WaterProperties& modelWater);

// Writes "TANK_ANALIZI_DEGERI.SON" in the run's folder (the tank temperature
// outside the water tables stops the run after the title block).
void writeModelReport(Run& run, int NV, const SpeedArray& CR, const SpeedArray& VS, float FF, float MSCALE, float S,
                      float Lwl, float TEMPm);

}  // namespace gemi
