// The propeller stage: trial-speed lookup, selection dialogue, searches,
// cavitation checks, power chain and the characteristics over speed.
#pragma once

#include "run/run.h"

namespace gemi {

void runPropellerStage(Run& run);

}  // namespace gemi
