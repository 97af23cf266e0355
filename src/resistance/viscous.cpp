#include "resistance/viscous.h"

#include <cmath>

#include "resistance/hull_form.h"

namespace gemi {

FormFactors formFactors(const InputData& in, const HullForm& h) {
  FormFactors f;
  f.FFH = 0.93f + 0.487118f * h.C * std::pow(in.B / in.Lwl, 1.06806f) * std::pow(h.T / in.Lwl, 0.46106f) *
                      std::pow(in.Lwl / h.LR, 0.121563f) * std::pow(h.Lvr * h.Lvr * h.Lvr, 0.36486f) *
                      std::pow(1.0f - h.CPlwl, -0.604247f);
  f.FFH = f.FFH * (1.0f + 0.003f * in.Cstern);
  // A correction factor below 0.05 switches the form effect off altogether.
  f.FFN = in.FFDF < 0.05f ? 1.0f : in.FFDF * f.FFH;
  const float cubeStern = in.Cstern * in.Cstern * in.Cstern;
  f.FFG = 1.01f + 0.257059f *
                      std::exp(0.0190287f * in.Cstern - 2.24964e-5f * cubeStern +
                               0.468814f * (in.Ta - in.Tf) / h.T) *
                      std::pow(h.T / in.B, 0.405704f) * std::pow(in.B / in.Lwl, 1.34654f) *
                      std::pow(1.0f - h.CPlwl, -1.98695f) * std::pow(1.0f - h.CWPlwl, 0.475205f) *
                      std::pow(h.CPlwl, -2.91432f);
  return f;
}

Friction friction(float VS, float Lwl, float RHO, float S, float FFN) {
  Friction f;
  f.Rn = VS * Lwl * 0.5144f / 1.18831e-6f;
  const float d = std::log10(f.Rn) - 2.0f;
  f.CF = 0.075f / (d * d);
  f.CV = f.CF * FFN;
  const float Vms = metresPerSecond(VS);
  f.RF = RHO / 2.0f * (Vms * Vms) * f.CF * S / 1000.0f;
  return f;
}

float appendageResistance(float VS, float FF2, float AREA, float RHO, float CF) {
  const float Vms = metresPerSecond(VS);
  return (Vms * Vms) * FF2 * AREA * (RHO / 2.0f) * CF / 1000.0f;
}

}  // namespace gemi
