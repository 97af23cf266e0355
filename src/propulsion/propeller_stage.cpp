#include "propulsion/propeller_stage.h"

#include "estimates/propulsion_survey.h"
#include "propulsion/characteristics.h"
#include "propulsion/power_chain.h"
#include "propulsion/selection_dialogue.h"

namespace gemi {

void runPropellerStage(Run& run) {
  // Trial-speed dialogue, search and cavitation checks; efficiency check,
  // power chain and the selected propeller.
  runSelectionDialogue(run);
  runPowerChain(run);

  // The other methods' propulsion coefficients for the ship with this
  // propeller, the Holtrop & Mennen factors at every speed, and the
  // characteristics over speed.
  InputData& in = run.s.in;
  writePropulsionSurveyWithHeader(run.report, in.Lwl, in.B, run.s.hull.T, in.RHO * in.V * 0.001f, in.Cm, in.Cwp,
                                  in.NV, in.VS, in.D);
  propulsionFactorsPerSpeed(run);
  writePropulsionCharacteristics(run);
}

}  // namespace gemi
