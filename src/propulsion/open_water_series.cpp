#include "propulsion/open_water_series.h"

#include <cmath>

#include "propulsion/b_series_terms.h"
#include "run/run.h"

namespace gemi {

namespace {

// The Gawn/Burrill series: the B-series terms with these coefficients
// replaced (term number counted from 1; the exponents stay).
struct Replacement {
  int term;
  float c;
};
inline constexpr Replacement kGawnKT[] = {
    {1, -0.05586363f}, {2, -0.21730109f}, {3, 0.2605314f},  {7, 0.37812278f},  {15, 0.00241157f},
    {16, -0.00053002f}, {18, 0.02634542f}, {19, 0.04360136f}, {20, -0.03118493f}, {21, 0.01249215f},
};
inline constexpr Replacement kGawnKQ[] = {
    {1, 0.00515898f},   {2, 0.01606668f},   {3, -0.0441153f},  {4, 0.00682223f},   {6, -0.07732967f},
    {8, 0.16937502f},   {19, 0.01290435f},  {20, 0.02445084f}, {21, 0.00700643f},  {22, -0.02719046f},
    {23, -0.01664586f}, {24, 0.0300449f},   {25, -0.03369749f},
};

template <std::size_t N, std::size_t R>
constexpr std::array<SeriesTerm, N> replaced(std::array<SeriesTerm, N> terms, const Replacement (&rep)[R]) {
  for (const Replacement& r : rep) terms[static_cast<std::size_t>(r.term - 1)].c = r.c;
  return terms;
}

inline constexpr auto kGawnSeriesKT = replaced(kBSeriesKT, kGawnKT);
inline constexpr auto kGawnSeriesKQ = replaced(kBSeriesKQ, kGawnKQ);

// x^0 .. x^6 as an integer power is formed by repeated squaring:
// x^3 = x * x^2, x^5 = x * x^4, x^6 = x^2 * x^4.
struct PowerTable {
  float p[7];
  explicit PowerTable(float x) {
    p[0] = 1.0f;
    p[1] = x;
    p[2] = x * x;
    p[3] = x * p[2];
    p[4] = p[2] * p[2];
    p[5] = x * p[4];
    p[6] = p[2] * p[4];
  }
};

template <std::size_t N>
float sumTerms(const std::array<SeriesTerm, N>& terms, const PowerTable& J, const PowerTable& P,
               const PowerTable& E, const PowerTable& Z) {
  float sum = 0.0f;
  for (const SeriesTerm& k : terms) sum += k.c * J.p[k.s] * P.p[k.t] * E.p[k.u] * Z.p[k.v];
  return sum;
}

constexpr float kTwoPi = 6.2831855f;

struct BladeSection {
  int blades;
  float tc, cD;  // thickness-chord and chord-diameter ratios
};

// Steps shared by both series once the coefficient tables are chosen: the
// sums, the efficiency, the controllable-pitch loss and the scale correction.
template <typename SectionOf>
void evaluate(const std::array<SeriesTerm, kKtTerms>& kt, const std::array<SeriesTerm, kKqTerms>& kq, float PoD,
              float EAR, float Z, float CPFLAG, SeriesState& st, SectionOf sectionOf) {
  const float J = st.J;
  const PowerTable pj(J), pp(PoD), pe(EAR), pz(Z);
  st.KT = sumTerms(kt, pj, pp, pe, pz);
  st.KQ = sumTerms(kq, pj, pp, pe, pz);
  st.ETA0 = st.KT / st.KQ * J / kTwoPi;

  // Controllable pitch: 2 % efficiency loss carried by the thrust.
  if (std::fabs(CPFLAG - 1.0f) < 0.001f) {
    st.ETA0 = 0.98f * st.ETA0;
    st.KT = st.ETA0 * st.KQ * kTwoPi / J;
  }

  // Scale correction from the series' model Reynolds number to full scale.
  if (st.VAP >= 0.001f || st.RPMP >= 0.001f) {
    float D = st.DP;
    if (st.DP < 0.001f) D = st.VAP / ((st.RPMP / 60.0f) * J);
    const float s = 0.24f / D;
    const BladeSection sec = sectionOf(D);
    const ReynoldsCorrection d = RECORR(D, PoD, sec.blades, sec.tc, sec.cD, s, 10.0f, 1.13902E-6f, 1.18831E-6f);
    st.KT = st.KT - d.DKT;
    st.KQ = st.KQ - d.DKQ;
    st.ETA0 = st.KT / st.KQ * J / kTwoPi;
  }
}

}  // namespace

void BSERIES(float PoD, float EAR, float Z, float CPFLAG, SeriesState& st) {
  evaluate(kBSeriesKT, kBSeriesKQ, PoD, EAR, Z, CPFLAG, st, [&](float D) {
    // blade number truncated (a value beyond any integer counts as none)
    const int blades = std::fabs(Z) < 1.0e9f ? static_cast<int>(Z) : 0;
    const float c = (blades == 3 ? 2.1475f : 2.073f) * EAR * D / Z;
    const float t = (0.0185f - 0.00125f * Z) * D;
    return BladeSection{blades, t / c, c / D};
  });
}

void GSERIES(float PoD, float EAR, float& Z, float CPFLAG, SeriesState& st) {
  if (std::fabs(Z - 3.0f) > 0.01f) Z = 3.0f;
  evaluate(kGawnSeriesKT, kGawnSeriesKQ, PoD, EAR, Z, CPFLAG, st,
           [](float) { return BladeSection{3, 0.0225f, 0.7f}; });
}

void evaluateSeries(int NSERIES, float PoD, float EAR, float& Z, float CPFLAG, SeriesState& st) {
  if (NSERIES == 1) {
    BSERIES(PoD, EAR, Z, CPFLAG, st);
  } else if (NSERIES == 2) {
    GSERIES(PoD, EAR, Z, CPFLAG, st);
  }
}

void evaluateSeries(RunState& s, float PoD, float EAR, float& Z) {
  evaluateSeries(s.in.NSERIES, PoD, EAR, Z, s.in.CPFLAG, s.prop.series);
}

ReynoldsCorrection RECORR(float D, float PoD, int blades, float tc, float cD, float s, float nm, float nu1,
                          float /*nu2*/) {
  const float c = cD * D;
  // Model-scale section: both lengths divided by the scale ratio s.
  const float cx = cD * D / s;
  const float Dx = D / s;
  const float Re = nm * cx * 3.1415927f * Dx * 0.75f / nu1;
  const float CDm = 2.0f * (1.0f + 2.0f * tc) * (0.044f / std::pow(Re, 0.1667f) - 5.0f / std::pow(Re, 0.6667f));
  // Full-scale section drag with a roughness of 30 micrometres.
  const float CDs = 2.0f * (1.0f + 2.0f * tc) * std::pow(1.89f + 1.62f * std::log10(c / 3.0E-5f), -2.5f);
  const float DCD = CDs - CDm;
  const float z = static_cast<float>(blades);
  return {0.28f * z * cD * PoD * DCD, 0.248f * z * cD * DCD};
}

void SERMSG(Run& run) {
  if (run.s.in.NSERIES == 1) {
    writeBoth(run, "(' HESAPLARDA WAGENINGEN B SERISI KULLANILMISTIR')");
  } else if (run.s.in.NSERIES == 2) {
    writeBoth(run, "(' HESAPLARDA GAWN / BURRIL SERISI KULLANILMISTIR')");
  }
}

}  // namespace gemi
