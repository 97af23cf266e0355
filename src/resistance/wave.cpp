#include "resistance/wave.h"

#include <cmath>

#include "resistance/hull_form.h"

namespace gemi {
namespace {

// Amplitude of the cosine term: 0.4 c15 exp(-0.034 Fn^-3.29).
float cosineAmplitude(float c15, float Fn) { return 0.4f * c15 * std::exp(-0.034f * std::pow(Fn, -3.29f)); }

// Specific wave resistance RW/(weight displacement) of the low-speed formula.
float lowSpeedRatio(const WaveCoefficients& w, float Fn) {
  return w.C1 * w.C2 * w.C3 * std::exp(w.M1 * std::pow(Fn, -0.9f) + w.M2 * std::cos(w.LAMDA * (1.0f / (Fn * Fn))));
}

float highSpeedRatio(const WaveCoefficients& w, float Fn) {
  return w.C17 * w.C2 * w.C3 * std::exp(w.M3 * std::pow(Fn, -0.9f) + w.M4 * std::cos(w.LAMDA / Fn / Fn));
}

// Between Fn = 0.40 and 0.55 the ratio runs linearly from the mean of the low-
// and high-speed formulas at 0.40 to the high-speed formula at 0.55. The powers
// of the two fixed Froude numbers are single-precision constants.
float transitionRatio(const WaveCoefficients& w, float Fn) {
  const float M2at040 = 0.4f * w.C6 * std::exp(-0.6929494f);
  const float M4at040 = 0.4f * w.C15 * std::exp(-0.6929494f);
  const float RWA04 = w.C1 * w.C2 * w.C3 * std::exp(w.M1 * 2.2811089f + M2at040 * std::cos(w.LAMDA * 6.2499995f));
  const float RWB04 = w.C17 * w.C2 * w.C3 * std::exp(w.M3 * 2.2811089f + M4at040 * std::cos(w.LAMDA * 6.2499995f));
  const float RWM04 = 0.5f * RWB04 + 0.5f * RWA04;
  const float M4at055 = 0.4f * w.C15 * std::exp(-0.24304442f);
  const float RWB055 =
      w.C17 * w.C2 * w.C3 * std::exp(w.M3 * 1.7126695f + M4at055 * std::cos(w.LAMDA / 0.55f / 0.55f));
  return RWM04 + (10.0f * Fn - 4.0f) * (RWB055 - RWM04) / 1.5f;
}

}  // namespace

float coefficientC4(float r) {
  if (r < 0.11f) return 0.229577f * std::pow(r, 0.3333f);
  if (r <= 0.25f) return r;
  return 0.5f - 0.0625f / r;
}

float coefficientC5(float CP, float CPlwl) {
  if (CP > 0.80f) return 1.73014f - 0.7067f * CPlwl;
  return 8.0798f * CPlwl - 13.8673f * (CPlwl * CPlwl) + 6.9844f * (CPlwl * CPlwl * CPlwl);
}

float coefficientC6(float Lwl, float V) {
  const float x = Lwl * Lwl * Lwl / V;
  if (x > 1727.0f) return 0.0f;
  if (x < 512.0f) return -1.69385f;
  return -1.69385f + (Lwl / std::pow(V, 0.3333f) - 8.0f) / 2.36f;
}

float coefficientC15(float Lvr) {
  if (Lvr < 8.0f) return -1.69385f;
  if (Lvr >= 12.0f) return 0.0f;
  return -1.69385f + (Lvr - 8.0f) / 2.36f;
}

WaveCoefficients waveCoefficients(const InputData& in, const HullForm& h, float IE, float Fn) {
  WaveCoefficients w;
  w.C4 = coefficientC4(in.B / in.Lwl);
  // The band is chosen on Lbp, the polynomial uses the coefficient on Lwl.
  w.C5 = coefficientC5(h.CP, h.CPlwl);
  w.M1 = 0.0140407f * in.Lwl / h.T - 1.75254f / h.Lvr - 4.79323f * in.B / in.Lwl - w.C5;

  w.C6 = coefficientC6(in.Lwl, in.V);
  w.M2 = cosineAmplitude(w.C6, Fn);

  if (in.Lwl / in.B > 12.0f)
    w.LAMDA = 1.446f * h.CPlwl - 0.36f;
  else
    w.LAMDA = 1.446f * h.CPlwl - 0.03f * in.Lwl / in.B;

  w.C1 = 2223105.0f * std::pow(w.C4, 3.7861f) * std::pow(h.T / in.B, 1.0796f) / std::pow(90.0f - IE, 1.37565f);
  w.C3 = 1.0f - 0.8f * in.AT / (in.B * h.T * in.Cm);

  w.C2 = 1.0f;
  if (in.ABT > 0.0f) {
    const float Cbulb =
        0.56f * std::pow(in.ABT, 1.5f) / (in.B * h.T * (0.31f * std::sqrt(in.ABT) + in.Tf - in.HB));
    w.C2 = std::exp(-1.89f * std::sqrt(Cbulb));
  }

  w.C17 = 6919.3f * std::pow(in.Cm, -1.3346f) * std::pow(in.V / (in.Lwl * in.Lwl * in.Lwl), 2.00977f) *
          std::pow(in.Lwl / in.B - 2.0f, 1.40692f);
  w.M3 = -7.2035f * std::pow(in.B / in.Lwl, 0.326869f) * std::pow(h.T / in.B, 0.605375f);

  w.C15 = coefficientC15(h.Lvr);
  w.M4 = cosineAmplitude(w.C15, Fn);
  return w;
}

SpeedRange speedRange(float Fn) {
  if (Fn <= 0.40f) return SpeedRange::Low;
  if (Fn > 0.55f) return SpeedRange::High;
  return SpeedRange::Transition;
}

float waveResistance(const WaveCoefficients& w, float Fn, float DISPW) {
  float q = 0.0f;
  switch (speedRange(Fn)) {
    case SpeedRange::Low: q = lowSpeedRatio(w, Fn); break;
    case SpeedRange::High: q = highSpeedRatio(w, Fn); break;
    case SpeedRange::Transition: q = transitionRatio(w, Fn); break;
  }
  return DISPW * q / 1000.0f;
}

float waveResistanceCoefficient(float RW, float RHO, float VS, float S) {
  const float Vms = metresPerSecond(VS);
  return RW * 1000.0f / (0.5f * RHO * (Vms * Vms) * S);
}

}  // namespace gemi
