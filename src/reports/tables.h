// Tables over all speeds that follow the speed loop.
#pragma once

#include "run/run.h"

namespace gemi {

// Andersen & Guldhammer, Guldhammer & Harwald and the first survey of
// empirical propulsion coefficients (only with a propeller described).
void writeSupplementaryEstimates(Run& run);
// Summary and characteristics tables with the wave-resistance correction.
void writeSummaryTables(Run& run);
// Model characteristics and the form-factor comparison.
void writeModelAndFormFactors(Run& run);
// Model resistance report "TANK_ANALIZI_DEGERI.SON", or its removal.
void runModelReport(Run& run);
// Speed-count check before the propeller stage; true when too few speeds were
// given (its lines are then written and the run goes to its closing).
bool tooFewSpeedsForPropulsion(Run& run);
// Appendage resistance table and the corrected summary.
void writeAppendageAndCorrectedSummary(Run& run);

}  // namespace gemi
