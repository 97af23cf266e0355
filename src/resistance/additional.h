// Additional resistances (air, bulbous bow, immersed transom, bow-thruster
// tunnels), the model-ship correlation allowance and the totals of one speed.
#pragma once

#include "run/run_state.h"

namespace gemi {

// Air resistance of hull and deckhouses, from the frontal areas above water.
struct AirResistance {
  bool given = false;             // HFP and ONYUZ both above 0.1 m
  bool deckBelowDraught = false;  // HFP below Tf: nothing computed
  float AFH = 0;                  // frontal area of the hull above water, m2
  float CAA = 0;                  // air-resistance coefficient
  float RAIR = 0;                 // kN
};
AirResistance airResistance(const InputData& in, float S, float VS);

// Bulbous-bow resistance (Holtrop & Mennen 1984).
struct BulbResistance {
  bool immersionTooSmall = false;  // the immersion term is negative: no result
  bool waveBreaking = false;       // bulb centre above 2/3 Tf
  float Rbulb = 0;                 // kN
};
BulbResistance bulbResistance(const InputData& in, float VS);

// Immersed-transom resistance, kN (never negative).
float transomResistance(const InputData& in, float CWPlwl, float VS);

// Resistance of the bow-thruster tunnel openings, kN.
float bowThrusterResistance(const InputData& in, float VS);

// Correlation allowance: Holtrop & Mennen's estimate, replaced by a directly
// given value (0 < ROUGH < 1) and then by the ITTC-1978 roughness allowance
// (ROUGH > 0.999 micrometres). The two tests follow each other, so a value
// between 0.999 and 1 ends with the ITTC allowance.
struct Correlation {
  float CAH = 0;
  bool direct = false;
  float CAdirect = 0;
  bool ittc = false;
  float CAittc = 0;
  float CA = 0;  // the value used
};
Correlation correlationAllowance(const InputData& in, float CBlwl, float C2);

// The resistance components of one speed, kN.
struct ResistanceParts {
  float RV = 0;  // (1+k) RF
  float Rbot = 0, RW = 0, Rayna = 0, Rbulb = 0, Rapp = 0;
  float CA = 0, CV = 0;
};
struct Totals {
  float RA = 0;      // correlation resistance, kN
  float RTOTAL = 0;  // kN; the air resistance is not part of it
  float CT = 0, CR = 0;
  float PE = 0;      // effective power, kW
};
Totals totals(const ResistanceParts& p, float RHO, float VS, float S);

}  // namespace gemi
