// State of the propeller stage: the open-water series evaluation record, the
// selected propeller, the candidate list of the optimum searches.
#pragma once

#include "propulsion/stage_state.h"
#include "run/per_speed.h"

namespace gemi {

// Shared evaluation record of the open-water series routines.
struct SeriesState {
  float J = 0, KT = 0, KQ = 0, ETA0 = 0;
  float DP = 0, VAP = 0, RPMP = 0;  // inputs of the Reynolds-number correction
};

// The selected propeller. Its rate of revolutions is the input N and its
// diameter the input D (one variable each, in InputData).
struct SelectedPropeller {
  float J = 0, KT = 0;
  float KQ = 0;     // 10 KQ as the searches leave it, KQ after the power chain
  float ETA0 = 0;
  float PoD = 0;    // pitch ratio P/D
  float PD = 0;     // delivered power per propeller, kW
};

inline constexpr int kMaxCandidates = 1000;

struct PropellerState {
  SeriesState series;
  SelectedPropeller sel;
  int NSEL = 0;                        // candidates of the last optimum search
  Table1<float, kMaxCandidates> candJ, candPoD;
  StageState stage;                    // values of the propeller stage at the trial speed
};

}  // namespace gemi
