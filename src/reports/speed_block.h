// One speed step of the resistance prediction, written to the report as it
// is computed; fills the per-speed results at index i.
#pragma once

#include "run/run.h"

namespace gemi {

void resistanceSpeedStep(Run& run, int i);

}  // namespace gemi
