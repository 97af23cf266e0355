#include "water/water_properties.h"

#include <array>

#include "numeric/interp.h"
#include "run/run.h"

namespace gemi {
namespace {

constexpr int kWaterRows = 31;  // 0 .. 30 deg C in steps of 1
constexpr std::array<float, kWaterRows> kTemp{0.0f,  1.0f,  2.0f,  3.0f,  4.0f,  5.0f,  6.0f,  7.0f,
                                              8.0f,  9.0f,  10.0f, 11.0f, 12.0f, 13.0f, 14.0f, 15.0f,
                                              16.0f, 17.0f, 18.0f, 19.0f, 20.0f, 21.0f, 22.0f, 23.0f,
                                              24.0f, 25.0f, 26.0f, 27.0f, 28.0f, 29.0f, 30.0f};
// Kinematic viscosity, m2/s * 10^6.
constexpr std::array<float, kWaterRows> kNuFresh{
    1.78667f, 1.72701f, 1.67040f, 1.61665f, 1.56557f, 1.51698f, 1.47070f, 1.42667f, 1.38471f, 1.34463f, 1.30641f,
    1.26988f, 1.23495f, 1.20159f, 1.16964f, 1.13902f, 1.10966f, 1.08155f, 1.05456f, 1.02865f, 1.00374f, 0.97984f,
    0.95682f, 0.93471f, 0.91340f, 0.89292f, 0.87313f, 0.85409f, 0.83572f, 0.81798f, 0.80091f};
constexpr std::array<float, kWaterRows> kNuSalt{
    1.82844f, 1.76915f, 1.71306f, 1.65988f, 1.60940f, 1.56142f, 1.51584f, 1.47242f, 1.43102f, 1.39152f, 1.35383f,
    1.31773f, 1.28324f, 1.25028f, 1.21862f, 1.18831f, 1.15916f, 1.13125f, 1.10438f, 1.07854f, 1.05372f, 1.02981f,
    1.00678f, 0.98457f, 0.96315f, 0.94252f, 0.92255f, 0.90331f, 0.88470f, 0.86671f, 0.84931f};
// Density, kg/m3.
constexpr std::array<float, kWaterRows> kRhoFresh{
    999.8f, 999.8f, 999.9f, 999.9f, 999.9f, 999.9f, 999.9f, 999.8f, 999.8f, 999.7f, 999.6f,
    999.5f, 999.4f, 999.3f, 999.1f, 999.0f, 998.9f, 998.7f, 998.5f, 998.3f, 998.1f, 997.9f,
    997.7f, 997.4f, 997.2f, 996.9f, 996.7f, 996.4f, 996.2f, 995.9f, 995.6f};
constexpr std::array<float, kWaterRows> kRhoSalt{
    1028.0f, 1027.9f, 1027.8f, 1027.8f, 1027.7f, 1027.6f, 1027.4f, 1027.3f, 1027.1f, 1027.0f, 1026.9f,
    1026.7f, 1026.6f, 1026.3f, 1026.1f, 1025.9f, 1025.7f, 1025.4f, 1025.2f, 1025.0f, 1024.7f, 1024.4f,
    1024.1f, 1023.8f, 1023.5f, 1023.2f, 1022.9f, 1022.6f, 1022.3f, 1022.0f, 1021.7f};

// Vapour pressure of water, N/m2 (same for fresh and salt water).
constexpr int kVapourRows = 22;
constexpr std::array<float, kVapourRows> kVapourTemp{0.0f,  2.0f,  4.0f,  6.0f,  8.0f,  10.0f, 12.0f, 14.0f,
                                                     15.0f, 16.0f, 18.0f, 20.0f, 22.0f, 24.0f, 26.0f, 28.0f,
                                                     30.0f, 32.0f, 34.0f, 36.0f, 38.0f, 40.0f};
constexpr std::array<float, kVapourRows> kVapour{608.012f, 706.078f, 813.951f, 932.0f,  1069.0f, 1226.0f,
                                                 1402.0f,  1598.0f,  1706.0f,  1814.0f, 2059.0f, 2334.0f,
                                                 2638.0f,  2981.0f,  3364.0f,  3785.0f, 4236.0f, 4756.0f,
                                                 5315.0f,  5943.0f,  6619.0f,  7375.0f};

float spline(const auto& x, const auto& y, float t) {
  return interp(static_cast<int>(x.size()), x.data(), y.data(), t, 0.0f, kInterpSpline);
}

}  // namespace

std::optional<WaterProperties> waterProperties(int kind, float T) {
  if (!(T >= 0.0f && T <= 30.0f)) return std::nullopt;
  const bool fresh = kind == kFreshWater;
  WaterProperties w;
  w.PV = spline(kVapourTemp, kVapour, T);
  w.NU = spline(kTemp, fresh ? kNuFresh : kNuSalt, T);
  w.RHOW = spline(kTemp, fresh ? kRhoFresh : kRhoSalt, T);
  w.NU = w.NU / 1.0e6f;
  return w;
}

WaterProperties waterProperties(Run& run, int kind, float T) {
  if (auto w = waterProperties(kind, T)) return *w;
  write(run.con, "(///' MODEL DENEY SICAKLIGI TABLO DISI - STOP')");
  write(run.con, "(2X,'T =',F8.2,' derece')", {T});
  pauseRun(run);
  stopRun(run, "su_sicakligi", statementText("('MODEL DENEY SICAKLIGI TABLO DISI (T =',F8.2,' derece)')", {T}));
}

}  // namespace gemi
