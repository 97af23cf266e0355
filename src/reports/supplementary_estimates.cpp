// Supplementary propulsion estimates after the speed loop (with a propeller).
#include "estimates/guldhammer.h"
#include "estimates/propulsion_survey.h"
#include "reports/tables.h"

namespace gemi {

void writeSupplementaryEstimates(Run& run) {
  const InputData& in = run.s.in;
  const HullValues& h = run.s.hull;
  if (!(in.NPROP >= 1 && in.D > 0.01f)) return;
  // The Holtrop & Mennen propulsion factors of the propeller stage replace
  // these estimates; they are shown for information only.
  writeAndersenGuldhammer(run.report, in.V, in.B, h.T, in.Lbp, in.D);
  writeGuldhammerHarwald(run.report, in.V, in.B, in.Ta, h.T, in.Lbp);
  writePropulsionSurvey(run.report, {h.CB, h.CP, h.CWPlwl, in.Lbp, in.B, h.T, in.D, in.V}, in.VS, in.NV);
}

}  // namespace gemi
