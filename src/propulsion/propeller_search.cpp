#include "propulsion/propeller_search.h"

#include <cmath>

#include "propulsion/open_water_series.h"
#include "run/run.h"

namespace gemi {

float deltaOf(float J) { return 101.2658f / J; }

float BpOf(float KQ, float J) {
  const float J2 = J * J;
  const float J5 = J * (J2 * J2);
  return 33.06746f * std::pow(KQ / J5, 0.5f);
}

OptimumSearchResult sweepOptimum(bool, float target, float, float&, SeriesChoice, SeriesState&) {
  OptimumSearchResult r;
  r.target = target;
  return r;
}

void OPTKTJ2(Run&, float, float, float, float, float&, float) {}
void OPTKTJ4(Run&, float, float, float&, float, float, float&, float) {}
void PDSRCH(Run&, float, float, float, float, float, float&, float) {}
void GIVENP(Run&, float, float, float, float, float, float&, float) {}

}  // namespace gemi
