// Rows shared by the resistance summaries before and after the correction.
#pragma once

#include "run/run.h"

namespace gemi {

// One row per speed of the resistance components (kN); the wave column
// takes `rw` (the wave resistance, or the corrected residual resistance).
void writeSummaryRows(Run& run, const SpeedArray& rw);

}  // namespace gemi
