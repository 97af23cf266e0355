// Propeller searches on the open-water series: optimum pitch ratio for a
// given diameter (KT/J^2 constant) or given revolutions (KT/J^4 constant),
// the smallest pitch ratio that delivers the thrust for given diameter and
// revolutions, and the operating point of a fully given propeller.
//
// Each writes its table and findings to the console and the report and fills
// the selected propeller (run.s.prop.sel, its RPM in run.s.in.N, its diameter
// in run.s.in.D). The optimum searches also fill the candidate list
// (NSEL, candJ, candPoD). Z is a reference: the Gawn series sets it to 3.
// The series state is left at the selected propeller's J, KT, KQ, ETA0.
// An optimum search without any candidate writes why and stops the run; so
// does a pitch search in which no pitch ratio gives positive KT and KQ.
#pragma once

#include <vector>

#include "propulsion/open_water_series.h"
#include "propulsion/propeller_state.h"

namespace gemi {

struct Run;

// Power-coefficient quantities of a propeller point.
float deltaOf(float J);            // delta = 101.2658 / J
float BpOf(float KQ, float J);     // Bp = 33.06746 (KQ / J^5)^0.5

// What selects and corrects the series in every evaluation of a search.
struct SeriesChoice {
  int NSERIES = 1;
  float CPFLAG = 0;
};

// One candidate propeller of an optimum search, at its interpolated J.
struct Candidate {
  float PoD = 0, J = 0, KT = 0, KQ = 0, ETA0 = 0;
};

// The candidates of an optimum search in the order found, and the choice
// among them (index into `cand`, -1 when there is none).
struct OptimumSearchResult {
  float target = 0;  // KT/J^2 or KT/J^4 to be met
  std::vector<Candidate> cand;
  int chosen = -1;     // first highest ETA0 in truncated thousandths
  float lastPoD = 0;   // largest pitch ratio swept
};

// The sweeps of the optimum searches without any output: J4 = false for
// KT/J^2 = target, true for KT/J^4 = target. `series` is the state the
// evaluations run on (its DP, VAP, RPMP as the caller left them). `path` is
// how the series is evaluated; every path gives the same result bit for bit.
OptimumSearchResult sweepOptimum(bool J4, float target, float EAR, float& Z, SeriesChoice choice,
                                 SeriesState& series, SeriesPath path = fastestSeriesPath());

// The pitch sweep for given diameter and revolutions, without output: the
// smallest pitch ratio whose thrust exceeds T (kN). The evaluations carry the
// scale correction (series.RPMP = RPM, series.VAP = VA). Without enough
// thrust up to P/D 1.4 the result is the last pitch ratio with positive KT
// and KQ, and `reached` is false; `valid` is false when there was none.
struct PitchSearchResult {
  bool valid = false, reached = false;
  bool below = false;  // some pitch ratio with positive thrust gave less than the thrust required
  float J = 0, PoD = 0, KT = 0, KQ = 0, ETA0 = 0;
  float Q = 0;   // torque, N m
  float PD = 0;  // delivered power, kW
  float Tp = 0;  // thrust, N
};
PitchSearchResult sweepPitch(float T, float D, float RPM, float VA, float RHO, float EAR, float& Z,
                             SeriesChoice choice, SeriesState& series);

// The searches as the propeller stage calls them (T thrust per propeller kN,
// VA advance speed m/s, RHO kg/m3).
void OPTKTJ2(Run& run, float T, float D, float VA, float RHO, float& Z, float EAR);
void OPTKTJ4(Run& run, float T, float RPM, float& D, float VA, float RHO, float& Z, float EAR);
void PDSRCH(Run& run, float T, float D, float RPM, float VA, float RHO, float& Z, float EAR);
void GIVENP(Run& run, float PoD, float RPM, float D, float VA, float RHO, float& Z, float EAR);

}  // namespace gemi
