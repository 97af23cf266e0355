// The opening of the propeller stage at the trial speed: starting diameter,
// trial speed in the speed list, first propulsion factors, the console
// questions (assumed efficiency, blade number, area ratio), the propeller
// search chosen by IOPT and the cavitation and tip-speed checks.
#pragma once

#include "run/run.h"

namespace gemi {

// Index of the first speed within `tolerance` knots of the trial speed, or 0
// when there is none.
int trialSpeedIndex(const InputData& in, float tolerance);

// Leads the dialogue and writes its console and report records. Stops the
// run when the trial speed is not in the speed list; a missing console answer
// ends it through the reader's failure.
void runSelectionDialogue(Run& run);

}  // namespace gemi
