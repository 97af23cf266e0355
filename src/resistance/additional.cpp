#include "resistance/additional.h"

#include <cmath>

#include "resistance/hull_form.h"

namespace gemi {

AirResistance airResistance(const InputData& in, float S, float VS) {
  AirResistance a;
  if (!(in.HFP > 0.1f && in.ONYUZ > 0.1f)) return a;
  a.given = true;
  const float h = in.HFP - in.Tf;
  if (h < 0.0f) {
    a.deckBelowDraught = true;
    return a;
  }
  a.AFH = in.B * in.Cm * h;
  a.CAA = 0.001f * (a.AFH + in.ONYUZ) / S;
  const float Vms = metresPerSecond(VS);
  a.RAIR = a.CAA * (in.RHO / 2.0f) * (Vms * Vms) * S / 1000.0f;
  return a;
}

BulbResistance bulbResistance(const InputData& in, float VS) {
  BulbResistance b;
  if (!(in.ABT > 0.0f)) return b;
  const float Vms = metresPerSecond(VS);
  const float q = std::sqrt(in.ABT);
  float PBR = (in.Tf - 1.5f * in.HB) / (0.56f * q);
  const float immersion = in.GRAV * (in.Tf - in.HB - 0.25f * q) + 0.15f * (Vms * Vms);
  if (immersion < 0.0f) {
    b.immersionTooSmall = true;
    return b;
  }
  const float Fni = Vms / std::pow(immersion, 0.5f);
  float e = -3.0f * (PBR * PBR);
  if (PBR < 0.0f) {
    // Bulb centre above two thirds of the fore draught: excessive wave
    // breaking, penalised by a positive exponent.
    PBR = in.Tf - 1.5f * in.HB;
    e = 5.0f * (PBR * PBR);
    b.waveBreaking = true;
  }
  b.Rbulb = 0.11f * std::exp(e) * (Fni * Fni * Fni) * std::pow(in.ABT, 1.5f) * in.GRAV * in.RHO /
            (1.0f + Fni * Fni) / 1000.0f;
  return b;
}

float transomResistance(const InputData& in, float CWPlwl, float VS) {
  if (!(in.AT > 0.0f)) return 0.0f;
  const float Vms = metresPerSecond(VS);
  const float FnT = Vms / std::pow(2.0f * in.GRAV * in.AT / in.B / (1.0f + CWPlwl), 0.5f);
  const float CTR = FnT < 5.0f ? 0.2f * (1.0f - 0.2f * FnT) : 0.0f;
  const float Rayna = (Vms * Vms) * in.RHO * CTR * in.AT * 0.5f / 1000.0f;
  return Rayna < 0.0f ? 0.0f : Rayna;
}

float bowThrusterResistance(const InputData& in, float VS) {
  if (in.NBT <= 0) return 0.0f;
  const float Vms = metresPerSecond(VS);
  // 0.023561945 = pi x 0.0075, the tunnel-opening coefficient.
  return (Vms * Vms) * (in.DBT * in.DBT) * in.RHO * 0.023561945f * static_cast<float>(in.NBT) / 1000.0f;
}

Correlation correlationAllowance(const InputData& in, float CBlwl, float C2) {
  Correlation c;
  float draughtRatio = in.Tf / in.Lwl;
  if (draughtRatio > 0.04f) draughtRatio = 0.04f;
  const float CB2 = CBlwl * CBlwl;
  c.CAH = (0.04f - draughtRatio) * std::sqrt(in.Lwl / 7.5f) * (CB2 * CB2) * C2 * 0.003f +
          (0.006f * std::pow(in.Lwl + 100.0f, -0.16f) - 0.00205f);
  c.CA = c.CAH;
  if (in.ROUGH > 0.0f && in.ROUGH < 1.0f) {
    c.direct = true;
    c.CAdirect = in.ROUGH * 0.001f;
    c.CA = c.CAdirect;
  }
  if (in.ROUGH > 0.999f) {
    c.ittc = true;
    c.CAittc = 0.001f * (105.0f * std::pow(in.ROUGH * 1e-6f / in.Lwl, 0.3333333f) - 0.64f);
    c.CA = c.CAittc;
  }
  return c;
}

Totals totals(const ResistanceParts& p, float RHO, float VS, float S) {
  Totals t;
  const float Vms = metresPerSecond(VS);
  t.RA = RHO / 2.0f * (Vms * Vms) * p.CA * S / 1000.0f;
  t.RTOTAL = p.RV + p.Rbot + p.RW + p.Rayna + p.Rbulb + p.Rapp + t.RA;
  t.CT = t.RTOTAL * 1000.0f / (0.5f * RHO * (Vms * Vms) * S);
  t.CR = t.CT - (p.CA + p.CV);
  t.PE = Vms * t.RTOTAL;
  return t;
}

}  // namespace gemi
