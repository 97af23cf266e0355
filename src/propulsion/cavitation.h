// Area-ratio and cavitation checks of the selected propeller at the trial
// speed: Keller's required area ratio, the cavitation number at 0.7 R, the
// thrust loading, Burrill's back-cavitation lines, the Wageningen criterion
// and the blade tip speed. Computation only; the dialogue writes the results.
#pragma once

namespace gemi {

// Keller's required expanded area ratio for blade number Z, thrust per
// propeller Tp (kN), shaft immersion Hsd (m) and diameter D (m). The 0.2 of
// the single-screw formula is used whatever the number of propellers.
float kellerAreaRatio(float Z, float Tp, float GRAV, float RHO, float Hsd, float D);

struct CavitationInput {
  float N = 0;    // propeller revolutions, rpm
  float D = 0;    // diameter, m
  float Va = 0;   // advance speed, knots
  float GRAV = 0, RHO = 0;
  float Hsd = 0;  // shaft immersion, m
  float PoD = 0;  // pitch ratio of the selected propeller
  float EAR = 0;  // area ratio in use
  float Tp = 0;   // thrust per propeller, kN
};

struct CavitationResult {
  float VR2 = 0;     // squared inflow speed at 0.7 R, m2/s2
  float Sigma = 0;   // cavitation number at 0.7 R
  float AP = 0;      // projected blade area, m2
  float Tauc = 0;    // thrust loading coefficient (fixed sea-water density)
  float EARwag = 0;  // minimum EAR by the Wageningen criterion
  float Vtip = 0;    // tip speed, m/s
  bool sigmaInLimits = false;  // 0.18 <= Sigma <= 1.5: Burrill's diagram applies
  // Burrill's minimum area ratios; computed only within the limits.
  float EAR25 = 0, EAR50 = 0, EARup = 0;
};

CavitationResult cavitationChecks(const CavitationInput& in);

// Thrust loadings of Burrill's diagram at cavitation number `sigma` (meant
// for 0.18 <= sigma <= 1.5, where the checks read it): the 2.5 % and 5 %
// back-cavitation lines and the upper limit, as the checks use them.
struct BurrillLoadings {
  float tauc25 = 0, tauc50 = 0, taucUp = 0;
};
BurrillLoadings burrillLoadings(float sigma);

}  // namespace gemi
