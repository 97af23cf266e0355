#include "reports/wave_correction.h"

#include <cmath>

#include "numeric/interp.h"

namespace gemi {

bool waveCorrectionRequested(int NDF, const Table1<float, kMaxCorrectionFactors>& DF) {
  bool requested = false;
  for (int j = 1; j <= NDF; ++j)
    if (std::fabs(DF(j) - 1.0f) > 0.01f) requested = true;
  return requested;
}

SpeedArray waveCorrectionFactors(int NDF, const Table1<float, kMaxCorrectionFactors>& DF, const SpeedArray& VS,
                                 int NV) {
  SpeedArray DFV;
  const float first = VS(1), last = VS(NV);
  for (int i = 1; i <= NV; ++i) {
    if (NDF == 1) {
      DFV(i) = DF(1);
    } else if (NDF == 2) {
      const float span = last - first;
      DFV(i) = span != 0.0f ? DF(1) + (VS(i) - first) * (DF(2) - DF(1)) / span : DF(1);
    }
  }
  if (NDF < 3) return DFV;
  // Factor points equally spaced over the speed list, its ends exactly.
  Table1<float, kMaxCorrectionFactors> XDF;
  const float DXDF = (last - first) / static_cast<float>(NDF - 1);
  for (int j = 1; j <= NDF; ++j) {
    XDF(j) = static_cast<float>(j - 1) * DXDF + first;
    if (j == 1) XDF(j) = first;
    if (j == NDF) XDF(j) = last;
  }
  for (int i = 1; i <= NV; ++i) DFV(i) = interp(NDF, XDF.data(), DF.data(), VS(i), DFV(i), kInterpParabola);
  return DFV;
}

void applyWaveCorrection(SpeedResults& sp, const SpeedArray& DFV, const SpeedArray& VS, int NV, float RHO, float S) {
  sp.waveCorrected = true;
  sp.DFV = DFV;
  sp.CR0 = sp.CR;
  sp.CT0 = sp.CT;
  sp.RTOTAL0 = sp.RTOTAL;
  sp.PE0 = sp.PE;
  for (int i = 1; i <= NV; ++i) {
    const float Vms = VS(i) * 0.5144f;
    sp.CR(i) = DFV(i) * sp.CR(i);
    sp.CT(i) = (sp.CV(i) + sp.CA(i)) + sp.CR(i);
    sp.RTOTAL(i) = Vms * Vms * sp.CT(i) * RHO * S / 2.0f * 0.001f;
    sp.PE(i) = sp.RTOTAL(i) * VS(i) * 0.5144f;
  }
}

}  // namespace gemi
