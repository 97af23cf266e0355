// State of the propeller stage: the open-water series evaluation record, the
// selected propeller, the candidate list of the optimum searches.
#pragma once

#include <array>
#include <vector>

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

// One line of an optimum search's table as the report lists it.
struct SearchRow {
  float PoD = 0, J = 0, KT = 0, KQ10 = 0, ETA0 = 0, Bp = 0, delta = 0;
};

// The table of the optimum search that ran (KT/J^2 or KT/J^4 constant).
struct SearchTable {
  bool listed = false;   // an optimum search wrote its table
  bool J4 = false;       // KT/J^4 (revolutions given) instead of KT/J^2
  float target = 0;      // KT/J^2 or KT/J^4 to be met
  std::vector<SearchRow> rows;
  int chosen = 0;        // number of the selected line (1 ..), 0 when none
};

// The propeller as the search (or the evaluation of a given propeller) chose
// it, before the operating point at the trial speed replaces it.
struct SearchChoice {
  bool made = false;
  float PoD = 0, J = 0, KT = 0, KQ = 0, ETA0 = 0;
  float PD = 0;  // delivered power per propeller, kW
};

// Open-water table of the selected propeller: the J grid 0.200, 0.225, ...
// up to the first negative thrust, with the trial point's J inserted.
inline constexpr int kOpenWaterPoints = 42;
struct OpenWaterTable {
  int n = 0;
  std::array<float, kOpenWaterPoints> J{}, KT{}, KQ{}, ETA0{};
};

// One row of the minimum-service table.
struct ServiceRow {
  float RPM = 0, J = 0, KT = 0, KQ = 0, ETA0 = 0;
  float ETAH = 0, ETAD = 0;
  float PD = 0;   // delivered power per propeller, kW
  float PDT = 0;  // delivered power of all propellers, kW
  float PB = 0;   // brake power of all propellers, PDT / etas, kW
  float PBM = 0;  // engine power needed at the engine margin, PB / MCR, kW
};

// The speed that the installed power reaches.
struct ReachableSpeed {
  bool computed = false;    // the line was written (an engine power is given)
  bool beyondList = false;  // the power suffices beyond the fastest speed of the list
  float V = 0;              // knots (the fastest speed of the list when beyondList)
  float Pav = 0;            // brake power available to propulsion, kW
};

struct PropellerState {
  SeriesState series;
  SelectedPropeller sel;
  int NSEL = 0;                        // candidates of the last optimum search
  Table1<float, kMaxCandidates> candJ, candPoD;
  StageState stage;                    // values of the propeller stage at the trial speed
  SearchTable search;                  // the optimum search's table
  SearchChoice choice;                 // the search's choice
  OpenWaterTable ow;                   // open-water table of the selected propeller (n = 0: not formed)
  std::vector<ServiceRow> service;     // minimum-service rows, one per speed (empty: not formed)
  ReachableSpeed reach;
};

}  // namespace gemi
