#include "propulsion/cavitation.h"

#include <cmath>

#include "numeric/interp.h"
#include "propulsion/stage_common.h"

namespace gemi {
namespace {

// Burrill's diagram: thrust loading against cavitation number at 0.7 R for
// 2.5 % and 5 % back cavitation.
constexpr float kSigma25[8] = {0.18f, 0.29f, 0.40f, 0.50f, 0.60f, 0.80f, 1.00f, 1.50f};
constexpr float kTauc25[8] = {0.020f, 0.110f, 0.140f, 0.165f, 0.180f, 0.210f, 0.250f, 0.290f};
constexpr float kSigma50[7] = {0.15f, 0.21f, 0.30f, 0.40f, 0.60f, 1.00f, 1.50f};
constexpr float kTauc50[7] = {0.030f, 0.100f, 0.135f, 0.170f, 0.220f, 0.300f, 0.330f};

// Atmospheric minus vapour pressure plus the static head at the shaft, Pa.
float pressureAtShaft(float GRAV, float RHO, float Hsd) { return GRAV * RHO * Hsd + 98300.0f; }

// Projected area per unit expanded area ratio: disc area times 1.067 - 0.229 P/D.
float projectedAreaFactor(float D, float PoD) { return (D * D * kPi / 4.0f) * (1.067f - 0.229f * PoD); }

// Minimum area ratio that keeps the thrust loading at Tauc (with the input density).
float areaRatioForLoading(const CavitationInput& in, float tauc, float VR2) {
  return (in.Tp * 1000.0f / (in.RHO * tauc * VR2 * 0.5f)) / projectedAreaFactor(in.D, in.PoD);
}

}  // namespace

float kellerAreaRatio(float Z, float Tp, float GRAV, float RHO, float Hsd, float D) {
  return (0.3f * Z + 1.3f) * Tp * 1000.0f / (pressureAtShaft(GRAV, RHO, Hsd) * D * D) + 0.2f;
}

BurrillLoadings burrillLoadings(float sigma) {
  BurrillLoadings b;
  b.tauc25 = interp(8, kSigma25, kTauc25, sigma, 0.0f, kInterpParabola);
  b.tauc50 = interp(7, kSigma50, kTauc50, sigma, 0.0f, kInterpParabola);
  const float s = sigma;
  b.taucUp = 0.056f * (s * s * s) - 0.1968f * (s * s) + 0.382f * s + 0.0331f;
  return b;
}

CavitationResult cavitationChecks(const CavitationInput& in) {
  CavitationResult r;
  const float rotation = in.N * kPi / 60.0f * in.D * 0.7f;
  const float va = in.Va * kKnot;
  r.VR2 = rotation * rotation + va * va;
  const float p = pressureAtShaft(in.GRAV, in.RHO, in.Hsd);
  r.Sigma = p / (in.RHO * r.VR2 * 0.5f);
  r.AP = projectedAreaFactor(in.D, in.PoD) * in.EAR;
  r.Tauc = in.Tp * 1000.0f / (r.AP * r.VR2 * 512.5f);
  const float APW = (in.Tp * 1000.0f / 9.81f) /
                    (std::pow(p / 9.81f, 0.75f) * std::pow(va, 0.5f) * 1.84f);
  r.EARwag = APW / projectedAreaFactor(in.D, in.PoD);
  r.Vtip = kPi * in.N * in.D / 60.0f;
  // Written as a test that a NaN cavitation number fails: without a valid
  // number Burrill's diagram cannot be read.
  r.sigmaInLimits = r.Sigma >= 0.18f && r.Sigma <= 1.5f;
  if (r.sigmaInLimits) {
    const BurrillLoadings b = burrillLoadings(r.Sigma);
    r.EAR25 = areaRatioForLoading(in, b.tauc25, r.VR2);
    r.EAR50 = areaRatioForLoading(in, b.tauc50, r.VR2);
    r.EARup = areaRatioForLoading(in, b.taucUp, r.VR2);
  }
  return r;
}

}  // namespace gemi
