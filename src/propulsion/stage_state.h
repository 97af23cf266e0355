// Values of the propeller stage at the trial speed: the selection dialogue,
// the cavitation checks, the power chain and the operating point. They live
// in the run state (PropellerState::stage) so that every later step of the
// stage reads what the earlier ones left.
#pragma once

namespace gemi {

struct StageState {
  int ITR = 0;         // index of the trial speed in the speed list
  float CVtr = 0;      // viscous resistance coefficient at the trial speed
  float w = 0, t = 0, etarr = 0;  // propulsion factors at the trial speed (with WFAC, TFAC, ERFAC)
  float PEtr = 0;      // effective power at the trial speed, kW
  float etad = 0;      // overall propulsive efficiency: assumed, after the power chain the computed one
  float etadIn = 0;    // the efficiency as the user gave it
  float Pd = 0;        // delivered power needed, PEtr / etad, kW
  float Va = 0;        // advance speed, knots
  float Rt = 0;        // resistance at the trial speed from PEtr, kN
  float Tp = 0;        // thrust per propeller, kN
  float Z = 0;         // blade number (real; the Gawn series forces 3)
  float EAR = 0;       // expanded area ratio in use
  float EARkel = 0;    // Keller's area ratio
  // Cavitation checks.
  float VR2 = 0;       // squared inflow speed at 0.7 R, m2/s2
  float Sigma = 0;     // cavitation number at 0.7 R
  float AP = 0;        // projected blade area, m2
  float Tauc = 0;      // thrust loading coefficient
  float EARwag = 0;    // minimum EAR, Wageningen criterion
  float EAR25 = 0, EAR50 = 0, EARup = 0;  // minimum EAR, Burrill 2.5 %, 5 %, upper limit
  bool burrill = false;  // Sigma within Burrill's limits: EAR25, EAR50, EARup were formed
  float Vtip = 0;      // blade tip speed, m/s
  // Power chain and operating point.
  float etadC = 0;     // propulsive efficiency of the selected propeller
  float Pb = 0, Pbm = 0, Pbd = 0;  // brake, engine and delivered power, kW
  float Jsel = 0;      // advance coefficient of the operating point
  float PDsel = 0;     // pitch ratio of the operating point
  float PDEL = 0;      // delivered power of one propeller at the operating point, kW
  float THRc = 0;      // thrust of one propeller at the operating point, kN
  // How far the stage got, for the checks that read the state after the run.
  float Zasked = 0;              // blade number as answered (the Gawn series then takes 3)
  bool bladesAnswered = false;   // the blade number was answered
  bool propellerSelected = false;  // the search or the evaluation left a selected propeller
  bool cavitationChecked = false;  // Sigma, Tauc and Vtip hold the checks' values
};

}  // namespace gemi
