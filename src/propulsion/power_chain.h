// The propeller stage after the search: propulsion factors with the selected
// propeller, the check of the assumed propulsive efficiency, the power chain
// from effective to engine power, the operating point of the selected
// propeller at the trial speed and its report, and the propulsion factors at
// every speed of the list.
#pragma once

#include "run/run.h"

namespace gemi {

// True when the assumed and computed efficiencies agree within 0.01. The
// limit itself passes, also when the two decimals the user and the program
// work with are not exact in binary (0.59 against 0.60); a computed value
// that is not a number never agrees.
bool efficienciesAgree(float assumed, float computed);

struct PowerChain {
  float Pb = 0;   // brake power at the trial speed, PEtr / (etad etas), kW
  float Pbm = 0;  // required engine power, Pb / MCR, kW
  float Pbd = 0;  // power delivered to the propellers, etas Pb, kW
};
PowerChain powerChain(float PEtr, float etad, float etas, float MCR);

// Advance coefficient at the trial speed: (1 - w) Vtrial 0.5144 / (N/60 D).
float operatingAdvance(float w, float Vtrial, float N, float D);
// Delivered power of one propeller, kW: (N/60)^2 N KQ D^5 RHO 6.28318 / 60 / 1000.
float operatingPower(float N, float KQ, float D, float RHO);
// Thrust of one propeller, kN: (N/60)^2 KT D^4 RHO / 1000.
float operatingThrust(float N, float KT, float D, float RHO);

// Efficiency check (console message, pause and stop when it fails), power
// chain report, operating point and the "SECILEN PERVANE" block.
void runPowerChain(Run& run);

// w(i), t(i), etarr(i) for every speed with the selected propeller.
void propulsionFactorsPerSpeed(Run& run);

}  // namespace gemi
