#include "propulsion/open_water_series.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <utility>

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

// The section of a B-series blade at diameter D: the blade number truncated
// (a value beyond any integer counts as none), Keller's chord and the
// thickness of the series' blades.
BladeSection bSeriesSection(float EAR, float Z, float D) {
  const int blades = std::fabs(Z) < 1.0e9f ? static_cast<int>(Z) : 0;
  const float c = (blades == 3 ? 2.1475f : 2.073f) * EAR * D / Z;
  const float t = (0.0185f - 0.00125f * Z) * D;
  return BladeSection{blades, t / c, c / D};
}

BladeSection gawnSection() { return BladeSection{3, 0.0225f, 0.7f}; }

ReynoldsCorrection correctionAt(float D, float PoD, const BladeSection& sec) {
  const float s = 0.24f / D;
  return RECORR(D, PoD, sec.blades, sec.tc, sec.cD, s, 10.0f, 1.13902E-6f, 1.18831E-6f);
}

bool isControllablePitch(float CPFLAG) { return std::fabs(CPFLAG - 1.0f) < 0.001f; }
bool isCorrected(const SeriesState& st) { return st.VAP >= 0.001f || st.RPMP >= 0.001f; }

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
  if (isControllablePitch(CPFLAG)) {
    st.ETA0 = 0.98f * st.ETA0;
    st.KT = st.ETA0 * st.KQ * kTwoPi / J;
  }

  // Scale correction from the series' model Reynolds number to full scale.
  if (isCorrected(st)) {
    float D = st.DP;
    if (st.DP < 0.001f) D = st.VAP / ((st.RPMP / 60.0f) * J);
    const ReynoldsCorrection d = correctionAt(D, PoD, sectionOf(D));
    st.KT = st.KT - d.DKT;
    st.KQ = st.KQ - d.DKQ;
    st.ETA0 = st.KT / st.KQ * J / kTwoPi;
  }
}

// ---- several advance coefficients side by side ------------------------------
//
// Each lane of a vector holds one J and goes through exactly the scalar
// evaluation's operations in its order: the J-free product of a term without
// J (formed once per sweep as the scalar evaluation forms it, J^0 = 1 in its
// place), and for a term with J the product c J^s (P/D)^t EAR^u Z^v from the
// left, the factors with exponent 0 left out (a product with 1 is exact); the
// terms summed from the first to the last; the efficiency, the
// controllable-pitch loss and the scale correction as above. No step is
// fused or reordered (the build contracts nothing: -ffp-contract=off).

#define GEMI_LANES_INLINE inline __attribute__((always_inline))

using Prepared = SeriesSweep::Prepared;

template <int W>
struct Lanes {
  typedef float V __attribute__((vector_size(W * sizeof(float))));
};

template <bool Torque>
constexpr const auto& exponentsOf() {
  if constexpr (Torque) {
    return kBSeriesKQ;
  } else {
    return kBSeriesKT;
  }
}

// sum += term I of KT (Torque false) or KQ
template <typename V, bool Torque, std::size_t I>
GEMI_LANES_INLINE void addTerm(V& sum, const Prepared& p, const V (&Jp)[4]) {
  constexpr SeriesTerm k = exponentsOf<Torque>()[I];
  if constexpr (k.s == 0) {
    sum = sum + (Torque ? p.kqFixed[I] : p.ktFixed[I]);
  } else {
    V t = (Torque ? p.kq : p.kt)[I].c * Jp[k.s];
    if constexpr (k.t != 0) t = t * p.P[k.t];
    if constexpr (k.u != 0) t = t * p.E[k.u];
    if constexpr (k.v != 0) t = t * p.Zp[k.v];
    sum = sum + t;
  }
}

template <typename V, bool Torque, std::size_t... I>
GEMI_LANES_INLINE void sumLanes(V& sum, const Prepared& p, const V (&Jp)[4], std::index_sequence<I...>) {
  sum = V{};
  (addTerm<V, Torque, I>(sum, p, Jp), ...);  // in term order
}

template <int W>
GEMI_LANES_INLINE void evaluateLanes(const Prepared& p, const float* J, int n, float* KT, float* KQ, float* ETA0) {
  using V = typename Lanes<W>::V;
  for (int i = 0; i < n; i += W) {
    const int m = std::min(W, n - i);
    float jb[W];
    if (m == W) {
      std::memcpy(jb, J + i, sizeof jb);
    } else {
      for (int k = 0; k < W; ++k) jb[k] = k < m ? J[i + k] : 1.0f;  // unused lanes at J = 1
    }
    V j;
    std::memcpy(&j, jb, sizeof j);
    const V Jp[4] = {V{}, j, j * j, j * (j * j)};
    V kt, kq;
    sumLanes<V, false>(kt, p, Jp, std::make_index_sequence<kKtTerms>{});
    sumLanes<V, true>(kq, p, Jp, std::make_index_sequence<kKqTerms>{});
    V eta = kt / kq * j / kTwoPi;

    if (p.controllablePitch) {
      eta = 0.98f * eta;
      kt = eta * kq * kTwoPi / j;
    }

    if (p.correction == SeriesSweep::Correction::Fixed) {
      kt = kt - p.DKT;
      kq = kq - p.DKQ;
      eta = kt / kq * j / kTwoPi;
    } else if (p.correction == SeriesSweep::Correction::PerAdvance) {
      // the diameter follows from J: one correction per lane
      float a[W] = {}, b[W] = {};
      for (int k = 0; k < m; ++k) {
        const float D = p.VAP / ((p.RPMP / 60.0f) * jb[k]);
        const ReynoldsCorrection d = correctionAt(D, p.PoD, p.gawn ? gawnSection() : bSeriesSection(p.EAR, p.Z, D));
        a[k] = d.DKT;
        b[k] = d.DKQ;
      }
      V dkt, dkq;
      std::memcpy(&dkt, a, sizeof dkt);
      std::memcpy(&dkq, b, sizeof dkq);
      kt = kt - dkt;
      kq = kq - dkq;
      eta = kt / kq * j / kTwoPi;
    }

    if (m == W) {
      std::memcpy(KT + i, &kt, sizeof kt);
      std::memcpy(KQ + i, &kq, sizeof kq);
      std::memcpy(ETA0 + i, &eta, sizeof eta);
    } else {
      float ob[3][W];
      std::memcpy(ob[0], &kt, sizeof kt);
      std::memcpy(ob[1], &kq, sizeof kq);
      std::memcpy(ob[2], &eta, sizeof eta);
      std::copy_n(ob[0], m, KT + i);
      std::copy_n(ob[1], m, KQ + i);
      std::copy_n(ob[2], m, ETA0 + i);
    }
  }
}

#if defined(__x86_64__) && defined(__GNUC__)
#define GEMI_X86_LANES 1
__attribute__((target("avx512f"))) void lanes16(const Prepared& p, const float* J, int n, float* KT, float* KQ,
                                                 float* ETA0) {
  evaluateLanes<16>(p, J, n, KT, KQ, ETA0);
}
__attribute__((target("avx2"))) void lanes8(const Prepared& p, const float* J, int n, float* KT, float* KQ,
                                             float* ETA0) {
  evaluateLanes<8>(p, J, n, KT, KQ, ETA0);
}
void lanes4(const Prepared& p, const float* J, int n, float* KT, float* KQ, float* ETA0) {  // SSE2: every x86-64
  evaluateLanes<4>(p, J, n, KT, KQ, ETA0);
}
#endif

}  // namespace

void BSERIES(float PoD, float EAR, float Z, float CPFLAG, SeriesState& st) {
  evaluate(kBSeriesKT, kBSeriesKQ, PoD, EAR, Z, CPFLAG, st, [&](float D) { return bSeriesSection(EAR, Z, D); });
}

void GSERIES(float PoD, float EAR, float& Z, float CPFLAG, SeriesState& st) {
  if (std::fabs(Z - 3.0f) > 0.01f) Z = 3.0f;
  evaluate(kGawnSeriesKT, kGawnSeriesKQ, PoD, EAR, Z, CPFLAG, st, [](float) { return gawnSection(); });
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

bool seriesPathAvailable(SeriesPath path) {
  switch (path) {
    case SeriesPath::Scalar: return true;
#ifdef GEMI_X86_LANES
    case SeriesPath::Sse2: return true;
    case SeriesPath::Avx2: return __builtin_cpu_supports("avx2");
    case SeriesPath::Avx512: return __builtin_cpu_supports("avx512f");
#endif
    default: return false;
  }
}

SeriesPath fastestSeriesPath() {
  for (SeriesPath path : {SeriesPath::Avx512, SeriesPath::Avx2, SeriesPath::Sse2})
    if (seriesPathAvailable(path)) return path;
  return SeriesPath::Scalar;
}

SeriesSweep::SeriesSweep(SeriesPath path, int NSERIES, float PoD, float EAR, float& Z, float CPFLAG,
                         const SeriesState& st)
    : path_(path), NSERIES_(NSERIES), PoD_(PoD), EAR_(EAR), Z_(Z), CPFLAG_(CPFLAG), st_(st) {
  if (NSERIES == 2 && std::fabs(Z - 3.0f) > 0.01f) Z = 3.0f;  // as GSERIES
  Z_ = Z;
  // The lanes take the two series only; a path the processor lacks falls back.
  if ((NSERIES != 1 && NSERIES != 2) || !seriesPathAvailable(path)) path_ = SeriesPath::Scalar;
  if (path_ == SeriesPath::Scalar) return;

  Prepared& p = prep_;
  p.gawn = NSERIES == 2;
  const auto& kt = p.gawn ? kGawnSeriesKT : kBSeriesKT;
  const auto& kq = p.gawn ? kGawnSeriesKQ : kBSeriesKQ;
  p.kt = kt.data();
  p.kq = kq.data();
  const PowerTable pj(1.0f), pp(PoD), pe(EAR), pz(Z_);
  std::copy_n(pp.p, 7, p.P);
  std::copy_n(pe.p, 7, p.E);
  std::copy_n(pz.p, 7, p.Zp);
  // the scalar evaluation's product with J^0 = 1 in its place
  for (std::size_t i = 0; i < kt.size(); ++i) {
    const SeriesTerm& k = kt[i];
    if (k.s == 0) p.ktFixed[i] = k.c * pj.p[k.s] * pp.p[k.t] * pe.p[k.u] * pz.p[k.v];
  }
  for (std::size_t i = 0; i < kq.size(); ++i) {
    const SeriesTerm& k = kq[i];
    if (k.s == 0) p.kqFixed[i] = k.c * pj.p[k.s] * pp.p[k.t] * pe.p[k.u] * pz.p[k.v];
  }
  p.controllablePitch = isControllablePitch(CPFLAG);
  p.PoD = PoD;
  p.EAR = EAR;
  p.Z = Z_;
  p.VAP = st.VAP;
  p.RPMP = st.RPMP;
  if (!isCorrected(st)) {
    p.correction = Correction::None;
  } else if (st.DP < 0.001f) {
    p.correction = Correction::PerAdvance;
  } else {
    p.correction = Correction::Fixed;
    const float D = st.DP;
    const ReynoldsCorrection d = correctionAt(D, PoD, p.gawn ? gawnSection() : bSeriesSection(EAR, Z_, D));
    p.DKT = d.DKT;
    p.DKQ = d.DKQ;
  }
}

void SeriesSweep::evaluate(const float* J, int n, float* KT, float* KQ, float* ETA0) const {
  switch (path_) {
#ifdef GEMI_X86_LANES
    case SeriesPath::Avx512: lanes16(prep_, J, n, KT, KQ, ETA0); return;
    case SeriesPath::Avx2: lanes8(prep_, J, n, KT, KQ, ETA0); return;
    case SeriesPath::Sse2: lanes4(prep_, J, n, KT, KQ, ETA0); return;
#endif
    default: break;
  }
  SeriesState st = st_;
  for (int i = 0; i < n; ++i) {
    float Z = Z_;
    st.J = J[i];
    evaluateSeries(NSERIES_, PoD_, EAR_, Z, CPFLAG_, st);
    KT[i] = st.KT;
    KQ[i] = st.KQ;
    ETA0[i] = st.ETA0;
  }
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
