// The vector paths of the open-water series against the scalar evaluation:
// bit for bit the same KT, KQ, ETA0 over a grid of J, P/D, EAR, Z and both
// series, plain, controllable pitch and with the Reynolds-number correction
// (diameter given, diameter following from J); and whole optimum sweeps on
// every path equal to the sweep as written before (one scalar evaluation
// per J): candidates, choice and the state the sweep leaves.
#include <gtest/gtest.h>

#include <bit>
#include <cstdint>
#include <string>
#include <vector>

#include "numeric/spline_roots.h"
#include "propulsion/open_water_series.h"
#include "propulsion/propeller_search.h"

namespace gemi {
namespace {

constexpr SeriesPath kVectorPaths[] = {SeriesPath::Sse2, SeriesPath::Avx2, SeriesPath::Avx512};

std::string nameOf(SeriesPath path) {
  switch (path) {
    case SeriesPath::Scalar: return "Scalar";
    case SeriesPath::Sse2: return "Sse2";
    case SeriesPath::Avx2: return "Avx2";
    case SeriesPath::Avx512: return "Avx512";
  }
  return "?";
}

std::uint32_t bitsOf(float x) { return std::bit_cast<std::uint32_t>(x); }

// Series inputs fixed over a sweep of J.
struct Case {
  int NSERIES;
  float CPFLAG;
  SeriesState st;  // DP, VAP, RPMP of the scale correction
  const char* what;
};

const Case kCases[] = {
    {1, 0.0f, {}, "B plain"},
    {2, 0.0f, {}, "Gawn plain"},
    {1, 1.0f, {}, "B controllable pitch"},
    {2, 1.0f, {}, "Gawn controllable pitch"},
    {1, 0.0f, {.DP = 5.2f, .VAP = 6.1f, .RPMP = 118.0f}, "B corrected, diameter given"},
    {2, 1.0f, {.DP = 3.6f, .VAP = 9.0f, .RPMP = 150.0f}, "Gawn CP corrected, diameter given"},
    {1, 0.0f, {.VAP = 4.829f, .RPMP = 150.0f}, "B corrected, diameter from J"},
    {1, 1.0f, {.VAP = 5.0f, .RPMP = 0.0f}, "B CP corrected, no revolutions (infinite diameter)"},
    {2, 0.0f, {.VAP = 7.5f, .RPMP = 96.0f}, "Gawn corrected, diameter from J"},
};

// J from 0 (a zero J gives infinities and NaN in ETA0) to beyond the last
// positive thrust, 61 values: not a multiple of any lane count.
std::vector<float> advanceGrid() {
  std::vector<float> J;
  for (int i = 0; i < 61; ++i) J.push_back(0.0273f * static_cast<float>(i));
  return J;
}

TEST(SeriesPaths, VectorLanesEqualTheScalarEvaluationBitForBit) {
  const std::vector<float> J = advanceGrid();
  const int n = static_cast<int>(J.size());
  const float pitches[] = {0.5f, 0.73f, 0.96f, 1.2f, 1.4f};
  const float areas[] = {0.3f, 0.499f, 0.747f, 1.05f};
  int compared = 0;
  for (SeriesPath path : kVectorPaths) {
    if (!seriesPathAvailable(path)) continue;
    for (const Case& c : kCases) {
      for (float PoD : pitches) {
        for (float EAR : areas) {
          for (int blades = 2; blades <= 7; ++blades) {
            SCOPED_TRACE(nameOf(path) + " " + c.what + " P/D " + std::to_string(PoD) + " EAR " +
                         std::to_string(EAR) + " Z " + std::to_string(blades));
            float Zv = static_cast<float>(blades);
            const SeriesSweep sweep(path, c.NSERIES, PoD, EAR, Zv, c.CPFLAG, c.st);
            std::vector<float> KT(J.size()), KQ(J.size()), ETA0(J.size());
            sweep.evaluate(J.data(), n, KT.data(), KQ.data(), ETA0.data());

            for (std::size_t i = 0; i < J.size(); ++i) {
              SeriesState st = c.st;
              st.J = J[i];
              float Zs = static_cast<float>(blades);
              evaluateSeries(c.NSERIES, PoD, EAR, Zs, c.CPFLAG, st);
              ASSERT_EQ(Zv, Zs);
              ASSERT_EQ(bitsOf(KT[i]), bitsOf(st.KT)) << "J " << J[i] << ": " << KT[i] << " vs " << st.KT;
              ASSERT_EQ(bitsOf(KQ[i]), bitsOf(st.KQ)) << "J " << J[i] << ": " << KQ[i] << " vs " << st.KQ;
              ASSERT_EQ(bitsOf(ETA0[i]), bitsOf(st.ETA0)) << "J " << J[i] << ": " << ETA0[i] << " vs " << st.ETA0;
              ++compared;
            }
          }
        }
      }
    }
  }
  if (compared == 0) GTEST_SKIP() << "no vector path on this processor";
}

TEST(SeriesPaths, ShortBlocksAndOtherSeriesNumbers) {
  // One J, and a block shorter than every lane count, give the scalar values;
  // a series number other than 1 or 2 evaluates nothing on every path and
  // leaves the state's values, as evaluateSeries does.
  const float J[] = {0.41f, 0.77f, 1.03f};
  SeriesState given{.J = 0.0f, .KT = 7.0f, .KQ = 8.0f, .ETA0 = 9.0f};
  for (SeriesPath path : {SeriesPath::Scalar, SeriesPath::Sse2, SeriesPath::Avx2, SeriesPath::Avx512}) {
    SCOPED_TRACE(nameOf(path));
    float Z = 5.0f;
    const SeriesSweep b(path, 1, 0.9f, 0.6f, Z, 0.0f, SeriesState{});
    for (int n = 1; n <= 3; ++n) {
      float KT[3], KQ[3], ETA0[3];
      b.evaluate(J, n, KT, KQ, ETA0);
      for (int i = 0; i < n; ++i) {
        SeriesState st{.J = J[i]};
        BSERIES(0.9f, 0.6f, 5.0f, 0.0f, st);
        EXPECT_EQ(bitsOf(KT[i]), bitsOf(st.KT));
        EXPECT_EQ(bitsOf(ETA0[i]), bitsOf(st.ETA0));
      }
    }
    const SeriesSweep none(path, 3, 0.9f, 0.6f, Z, 0.0f, given);
    float KT[3], KQ[3], ETA0[3];
    none.evaluate(J, 3, KT, KQ, ETA0);
    EXPECT_EQ(KT[2], 7.0f);
    EXPECT_EQ(KQ[2], 8.0f);
    EXPECT_EQ(ETA0[2], 9.0f);
    EXPECT_EQ(Z, 5.0f);
  }
}

// The optimum sweep written out as it stood before the series went into
// vector lanes: one evaluateSeries per J, up to the first negative KT.
OptimumSearchResult referenceSweep(bool J4, float target, float EAR, float& Z, int NSERIES, float CPFLAG,
                                   SeriesState& st) {
  OptimumSearchResult r;
  r.target = target;
  float PoD = 0.5f;
  for (int k = 0; k < 90; ++k) {
    r.lastPoD = PoD;
    std::vector<float> Js, ys;
    float J = 0.1f;
    for (int i = 0; i < 1400; ++i) {
      st.J = J;
      evaluateSeries(NSERIES, PoD, EAR, Z, CPFLAG, st);
      if (st.KT < 0.0f) break;
      Js.push_back(J);
      ys.push_back(J4 ? st.KT / (J * J * (J * J)) : st.KT / (J * J));
      J += 0.001f;
    }
    for (std::size_t i = 0; i + 1 < Js.size(); ++i) {
      const float y0 = ys[i], y1 = ys[i + 1];
      if (!(y0 >= target && target >= y1)) continue;
      st.J = y1 == y0 ? Js[i] : Js[i] + (target - y0) * (Js[i + 1] - Js[i]) / (y1 - y0);
      evaluateSeries(NSERIES, PoD, EAR, Z, CPFLAG, st);
      r.cand.push_back({PoD, st.J, st.KT, st.KQ, st.ETA0});
    }
    PoD += 0.01f;
  }
  if (!r.cand.empty()) {
    std::vector<float> eta;
    for (const Candidate& c : r.cand) eta.push_back(c.ETA0);
    r.chosen = IMAXR(static_cast<int>(eta.size()), eta);
  }
  return r;
}

void expectSameSweep(const OptimumSearchResult& a, const OptimumSearchResult& b) {
  ASSERT_EQ(a.cand.size(), b.cand.size());
  EXPECT_EQ(a.chosen, b.chosen);
  EXPECT_EQ(bitsOf(a.lastPoD), bitsOf(b.lastPoD));
  for (std::size_t k = 0; k < a.cand.size(); ++k) {
    SCOPED_TRACE("candidate " + std::to_string(k + 1));
    EXPECT_EQ(bitsOf(a.cand[k].PoD), bitsOf(b.cand[k].PoD));
    EXPECT_EQ(bitsOf(a.cand[k].J), bitsOf(b.cand[k].J));
    EXPECT_EQ(bitsOf(a.cand[k].KT), bitsOf(b.cand[k].KT));
    EXPECT_EQ(bitsOf(a.cand[k].KQ), bitsOf(b.cand[k].KQ));
    EXPECT_EQ(bitsOf(a.cand[k].ETA0), bitsOf(b.cand[k].ETA0));
  }
}

TEST(SeriesPaths, OptimumSweepsEqualTheScalarSweep) {
  struct Sweep {
    bool J4;
    float target, EAR, Z;
    Case c;
  };
  const Sweep sweeps[] = {
      {false, 0.7030895f, 0.499f, 4.0f, kCases[0]},  // the example ship's search
      {true, 2.7210932f, 0.499f, 4.0f, kCases[0]},
      {false, 0.5f, 0.9f, 4.0f, kCases[1]},          // Gawn: Z becomes 3
      {false, 1.3f, 0.65f, 6.0f, kCases[2]},
      {true, 0.9f, 0.8f, 3.0f, kCases[3]},
      {false, 0.45f, 0.55f, 5.0f, kCases[4]},
      {true, 2.7210932f, 0.499f, 4.0f, kCases[6]},   // a diameter per J
      {false, 0.2f, 1.0f, 7.0f, kCases[8]},
      {false, 40.0f, 0.4f, 2.0f, kCases[0]},         // no candidate at all
  };
  for (const Sweep& w : sweeps) {
    float Zs = w.Z;
    SeriesState scalarState = w.c.st;
    const OptimumSearchResult scalar = referenceSweep(w.J4, w.target, w.EAR, Zs, w.c.NSERIES, w.c.CPFLAG, scalarState);
    for (SeriesPath path : {SeriesPath::Scalar, SeriesPath::Sse2, SeriesPath::Avx2, SeriesPath::Avx512}) {
      if (!seriesPathAvailable(path)) continue;
      SCOPED_TRACE(nameOf(path) + " " + w.c.what + " target " + std::to_string(w.target));
      float Zv = w.Z;
      SeriesState st = w.c.st;
      const OptimumSearchResult r = sweepOptimum(w.J4, w.target, w.EAR, Zv, {w.c.NSERIES, w.c.CPFLAG}, st, path);
      expectSameSweep(r, scalar);
      EXPECT_EQ(Zv, Zs);
      // the state as the last evaluation left it
      EXPECT_EQ(bitsOf(st.J), bitsOf(scalarState.J));
      EXPECT_EQ(bitsOf(st.KT), bitsOf(scalarState.KT));
      EXPECT_EQ(bitsOf(st.KQ), bitsOf(scalarState.KQ));
      EXPECT_EQ(bitsOf(st.ETA0), bitsOf(scalarState.ETA0));
    }
  }
}

}  // namespace
}  // namespace gemi
