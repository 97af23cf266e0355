// Open-water characteristics of the systematic propeller series: thrust
// coefficient KT, torque coefficient KQ and efficiency ETA0 over advance
// coefficient J, pitch ratio, area ratio and blade number, with the
// controllable-pitch and Reynolds-number (scale) corrections.
#pragma once

#include <array>

#include "propulsion/b_series_terms.h"
#include "propulsion/propeller_state.h"

namespace gemi {

struct Run;
struct RunState;

// Wageningen B-series (Reynolds number 2e6). Reads st.J, st.DP, st.VAP,
// st.RPMP; writes st.KT, st.KQ (not 10 KQ), st.ETA0. CPFLAG within 0.001 of 1
// marks a controllable-pitch propeller. No allocation, no output.
void BSERIES(float PoD, float EAR, float Z, float CPFLAG, SeriesState& st);

// Gawn/Burrill three-bladed series: the B-series terms with the Gawn
// coefficients. A blade number more than 0.01 away from 3 is set to 3 in the
// caller's variable, which keeps that value for the rest of the run.
void GSERIES(float PoD, float EAR, float& Z, float CPFLAG, SeriesState& st);

// Series chosen by NSERIES: 1 BSERIES, 2 GSERIES; any other value evaluates
// nothing and the state keeps its values.
void evaluateSeries(int NSERIES, float PoD, float EAR, float& Z, float CPFLAG, SeriesState& st);

// The same with NSERIES, CPFLAG and the series state of the run.
void evaluateSeries(RunState& s, float PoD, float EAR, float& Z);

// The ways of evaluating the series over many advance coefficients: one at a
// time (the evaluation above), or several side by side in the processor's
// vector unit (4, 8 or 16 lanes). Every way gives bit for bit the results of
// the evaluation above: each lane forms the same products and sums them in
// the same order.
enum class SeriesPath { Scalar, Sse2, Avx2, Avx512 };

// Whether this processor can take the path (Scalar always can).
bool seriesPathAvailable(SeriesPath path);

// The widest path this processor takes; Scalar where none fits.
SeriesPath fastestSeriesPath();

// The series for one pitch ratio, area ratio and blade number, evaluated at
// many advance coefficients. What does not depend on J is formed once
// (the terms without J, the scale correction at a given diameter).
class SeriesSweep {
 public:
  // `st` gives DP, VAP, RPMP (and, for an NSERIES other than 1 or 2, the KT,
  // KQ, ETA0 that every evaluation leaves as they are). The Gawn series sets
  // Z to 3 here as GSERIES does.
  SeriesSweep(SeriesPath path, int NSERIES, float PoD, float EAR, float& Z, float CPFLAG, const SeriesState& st);

  // KT, KQ, ETA0 at J[0 .. n), each what evaluateSeries leaves in the state
  // for that J.
  void evaluate(const float* J, int n, float* KT, float* KQ, float* ETA0) const;

  // The Reynolds-number correction each evaluation subtracts: once for a
  // given diameter (DP), or at every J when the diameter follows from VAP,
  // RPMP and J.
  enum class Correction { None, Fixed, PerAdvance };

  // The prepared values of one sweep (used by the vector paths).
  struct Prepared {
    const SeriesTerm* kt = nullptr;  // terms of the chosen series
    const SeriesTerm* kq = nullptr;
    std::array<float, kKtTerms> ktFixed{};  // terms without J: c (P/D)^t EAR^u Z^v
    std::array<float, kKqTerms> kqFixed{};
    float P[7] = {}, E[7] = {}, Zp[7] = {};  // powers 0..6 of P/D, EAR, Z
    bool controllablePitch = false;
    Correction correction = Correction::None;
    float DKT = 0, DKQ = 0;                  // the fixed correction
    bool gawn = false;                       // the section of the per-J correction
    float PoD = 0, EAR = 0, Z = 0, VAP = 0, RPMP = 0;
  };

 private:
  SeriesPath path_;
  int NSERIES_;
  float PoD_, EAR_, Z_, CPFLAG_;
  SeriesState st_;
  Prepared prep_;
};

// Reynolds-number correction of a full-scale propeller against the series
// tested at model scale: the amounts to subtract from KT and KQ.
struct ReynoldsCorrection {
  float DKT = 0, DKQ = 0;
};
// D diameter (m), blade number, thickness-chord ratio t/c, chord-diameter
// ratio c/D, model-to-ship diameter ratio s, model revolutions nm (rps),
// kinematic viscosities nu1 (used) and nu2 (kept for the call's shape only).
ReynoldsCorrection RECORR(float D, float PoD, int blades, float tc, float cD, float s, float nm, float nu1, float nu2);

// The line naming the series used (console, then report); nothing for an
// NSERIES other than 1 or 2.
void SERMSG(Run& run);

}  // namespace gemi
