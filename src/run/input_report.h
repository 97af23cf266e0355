// The input section of the report ("GIRIS BILGILERI"); forms Stot and (1+K2)eff.
#pragma once

#include <vector>

#include "run/run.h"

namespace gemi {

// Appendages that count (wetted area above 0.1 m2), in catalogue order, with
// their total area and area-weighted form factor (0 when the total is 0.1 m2
// or less).
struct AppendageTotals {
  std::vector<int> listed;  // catalogue numbers j
  float Stot = 0.0f;
  float K2eff = 0.0f;
};

AppendageTotals appendageTotals(const InputData& in, const AppendageCatalogue& app);

// Writes the input section to the report and keeps Stot and (1+K2)eff in the
// run state.
void writeInputReport(Run& run);

}  // namespace gemi
