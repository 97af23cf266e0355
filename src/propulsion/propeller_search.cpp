#include "propulsion/propeller_search.h"

#include <algorithm>
#include <array>
#include <cmath>

#include "numeric/spline_roots.h"
#include "propulsion/open_water_series.h"
#include "run/run.h"

namespace gemi {

namespace {

constexpr float kTwoPiPower = 6.28318f;  // 2 pi in the power formula
constexpr float kTwoPi = 6.2831855f;     // 2 pi in the efficiency

// Integer powers by repeated squaring (x^4 = (x^2)^2, x^5 = x x^4).
float pow2(float x) { return x * x; }
float pow4(float x) { return pow2(x) * pow2(x); }
float pow5(float x) { return x * pow4(x); }

constexpr int kAdvanceSteps = 1400;  // J = 0.100 .. 1.499

// Pitch ratios of the optimum searches: 0.50 upward in steps of 0.01 added
// one by one in single precision, as many as the range 0.5 .. 1.4 holds with
// 1.4 itself left out. The count is formed from the single-precision
// constants in double precision: (1.4 - 0.5 + 0.01) / 0.01 = 90.9999996,
// 90 values (a single-precision quotient would round up to exactly 91).
int optimumPitchCount() {
  const double first = 0.5f, last = 1.4f, step = 0.01f;
  return static_cast<int>((last - first + step) / step);
}

float torque(float KQ, float D, float n, float RHO) { return KQ * pow5(D) * pow2(n) * RHO; }
float thrust(float KT, float D, float n, float RHO) { return KT * pow4(D) * pow2(n) * RHO; }
float power(float Q, float n) { return Q * n * kTwoPiPower / 1000.0f; }

// ---- report lines shared by the searches ---------------------------------

bool controllablePitch(const Run& run) { return std::fabs(run.s.in.CPFLAG - 1.0f) < 0.001f; }

void writeControllablePitchLines(Run& run) {
  if (!controllablePitch(run)) return;
  write(run.con, "(' HESAPLARDA C.P. PERVANE DUZELTMESI YAPILMISTIR')");
  write(run.report, "(' (HESAPLARDA C.P. PERVANE DUZELTMESI YAPILMISTIR)    '/)");
}

void writePitchLine(Run& run, float PoD, float J, float KT, float KQ, float ETA0) {
  writeBoth(run,
            "(' P/D=',F5.3,/,1X,'J=',F6.3,1X,'Kt=',F6.3,1X,'10Kq=',F6.3,1X,'eta=',F6.3,/,1X,'Bp=',F9.4,1X,'delta=',F9.4)",
            {PoD, J, KT, 10.0f * KQ, ETA0, BpOf(KQ, J), deltaOf(J)});
}

void writeThrustLine(Run& run, float T, float VA, float RHO, float Z, float EAR, float D) {
  writeBoth(run,
            "(1X,'T=',F10.2,' kN  Va=',F8.3,' m/s  RHO = ',F6.1,' kg/m3',/,' Z = ',F2.0,' EAR = ',F5.3,' D = ',F6.3,' m')",
            {T, VA, RHO, Z, EAR, D});
}

void writeRevolutionsLine(Run& run, float n, float RPM, float Q, float PD) {
  writeBoth(run, "(' RPS=',F7.3,' dev/san',1X,'RPM=',F7.2,1X,'TORK=',F8.3,' kNm',1X,'Pd=',F7.1,' kW')",
            {n, RPM, Q / 1000.0f, PD});
}

// The search's table kept in the run state, line by line as listed.
void storeSearchTable(Run& run, bool J4, const OptimumSearchResult& r) {
  SearchTable& t = run.s.prop.search;
  t = {true, J4, r.target, {}, r.chosen + 1};
  for (const Candidate& c : r.cand)
    t.rows.push_back({c.PoD, c.J, c.KT, 10.0f * c.KQ, c.ETA0, BpOf(c.KQ, c.J), deltaOf(c.J)});
}

// The table of an optimum search: heading, one line per candidate, closing
// rule. Without any candidate there is no propeller to choose: the run says
// so and stops.
void writeOptimumTable(Run& run, bool J4, const OptimumSearchResult& r) {
  const char* const kRule = "---|-------|-------|--------|--------|--------|------------|----------|";
  const char* const kColumns = " i    P/D      J       Kt      10Kq     eta0       Bp          delta";
  const char* const kReportColumns = " i    P/D      J       Kt      10Kq     eta0       Bp         delta";
  const char* const kHeading = J4 ? "(//5X,'Pervane Karakteristikleri - Kt/J^4 = ',F6.3/)"
                                  : "(//5X,'Pervane Karakteristikleri - Kt/J^2 = ',F6.3/)";
  storeSearchTable(run, J4, r);
  write(run.con, kHeading, {r.target});
  writeList(run.con, {kRule});
  writeList(run.con, {kColumns});
  writeList(run.con, {kRule});
  write(run.report, kHeading, {r.target});
  if (J4) {
    writeList(run.report, {kRule});
    writeList(run.report, {kReportColumns});
    writeList(run.report, {kRule});
  } else {
    writeList(run.report, {kReportColumns});
    writeList(run.report, {"---|-------|-------|--------|--------|--------|------------|---------|"});
  }

  int m = 0;
  for (const Candidate& c : r.cand) {
    ++m;
    writeBoth(run, "(1X,I2,2F8.3,3F9.4,1X,2(F10.4,3X))",
              {m, c.PoD, c.J, c.KT, 10.0f * c.KQ, c.ETA0, BpOf(c.KQ, c.J), deltaOf(c.J)});
  }

  const char* const kClose = "---|-------|-------|--------|--------|--------|----- ------|-----------|";
  writeList(run.con, {kClose});
  writeList(run.report, {J4 ? kClose : "---|-------|-------|--------|--------|--------|-----------|-----------|"});

  if (r.chosen < 0) {
    const float firstPoD = 0.5f;
    const float lastPoD = r.lastPoD;
    const char* const kWhich = J4 ? "(/,' ** DEVIR SAYISI VERILEN OPTIMUM PERVANE ARAMASINDA UYGUN PERVANE BULUNAMADI **')"
                                  : "(/,' ** CAPI VERILEN OPTIMUM PERVANE ARAMASINDA UYGUN PERVANE BULUNAMADI **')";
    writeBoth(run, kWhich);
    writeBoth(run,
              J4 ? "(' ISTENEN Kt/J^4 =',F10.4,' DEGERINE P/D =',F5.2,' -',F5.2,' ARALIGINDA ULASILAMIYOR.')"
                 : "(' ISTENEN Kt/J^2 =',F10.4,' DEGERINE P/D =',F5.2,' -',F5.2,' ARALIGINDA ULASILAMIYOR.')",
              {r.target, firstPoD, lastPoD});
    writeBoth(run, "(' ITME, CAP VE DEVIR DEGERLERINI KONTROL EDINIZ.')");
    stopRun(run, "pervane_bulunamadi",
            statementText(J4 ? "('OPTIMUM PERVANE ARAMASINDA UYGUN PERVANE BULUNAMADI: ISTENEN Kt/J^4 =',F10.4,' DEGERINE P/D =',F5.2,' -',F5.2,' ARALIGINDA ULASILAMIYOR')"
                             : "('OPTIMUM PERVANE ARAMASINDA UYGUN PERVANE BULUNAMADI: ISTENEN Kt/J^2 =',F10.4,' DEGERINE P/D =',F5.2,' -',F5.2,' ARALIGINDA ULASILAMIYOR')",
                          {r.target, firstPoD, lastPoD}));
  }
}

// A propeller that gives no positive thrust (or absorbs negative torque) at the
// advance coefficient fixed by the given diameter and revolutions is windmilling:
// its efficiency, power and thrust mean nothing, so the run ends with the reason.
[[noreturn]] void stopForNegativeThrust(Run& run, float J) {
  writeBoth(run, "(' J =',F7.3,' ICIN Kt VEYA Kq SIFIRDAN KUCUK; CAP VE DEVIR DEGERLERINI KONTROL EDINIZ.')", {J});
  stopRun(run, "negatif_itme",
          statementText("('J =',F7.3,' ICIN Kt VEYA Kq SIFIRDAN KUCUK; CAP VE DEVIR DEGERLERINI KONTROL EDINIZ')", {J}));
}

void storeCandidates(Run& run, const OptimumSearchResult& r) {
  PropellerState& p = run.s.prop;
  const int n = static_cast<int>(r.cand.size());
  p.NSEL = n < kMaxCandidates ? n : kMaxCandidates;
  for (int k = 1; k <= p.NSEL; ++k) {
    p.candJ(k) = r.cand[static_cast<std::size_t>(k - 1)].J;
    p.candPoD(k) = r.cand[static_cast<std::size_t>(k - 1)].PoD;
  }
}

// The selected propeller; the series state is left as an evaluation at its
// own advance coefficient would leave it.
void storeSelected(Run& run, float PoD, float J, float KT, float KQ, float ETA0, float PD) {
  run.s.prop.choice = {true, PoD, J, KT, KQ, ETA0, PD};
  SelectedPropeller& sel = run.s.prop.sel;
  sel.J = J;
  sel.KT = KT;
  sel.KQ = 10.0f * KQ;
  sel.ETA0 = ETA0;
  sel.PoD = PoD;
  sel.PD = PD;
  SeriesState& st = run.s.prop.series;
  st.J = J;
  st.KT = KT;
  st.KQ = KQ;
  st.ETA0 = ETA0;
}

SeriesChoice choiceOf(const Run& run) { return {run.s.in.NSERIES, run.s.in.CPFLAG}; }

}  // namespace

float deltaOf(float J) { return 101.2658f / J; }

float BpOf(float KQ, float J) { return 33.06746f * std::pow(KQ / pow5(J), 0.5f); }

OptimumSearchResult sweepOptimum(bool J4, float target, float EAR, float& Z, SeriesChoice choice,
                                 SeriesState& st, SeriesPath path) {
  OptimumSearchResult r;
  r.target = target;
  r.cand.reserve(2 * 90);  // one candidate per pitch ratio, two on a tie

  // The advance coefficients of every pitch ratio's sweep, accumulated in
  // single precision from 0.1, and the power of J the thrust is divided by.
  std::array<float, kAdvanceSteps> grid, gridPower;
  float Jg = 0.1f;
  for (std::size_t i = 0; i < grid.size(); ++i) {
    grid[i] = Jg;
    gridPower[i] = J4 ? pow4(Jg) : pow2(Jg);
    Jg += 0.001f;
  }

  // Each sweep runs up to the first negative KT. The series is evaluated a
  // block of J at a time (several side by side on a vector path); the points
  // of a block beyond that KT are not used.
  constexpr int kBlock = 32;
  std::array<float, kBlock> KT, KQ, ETA0;
  std::array<float, kAdvanceSteps> ys;  // KT/J^2 or KT/J^4 of one pitch ratio's sweep at grid[i], reused
  const int pitches = optimumPitchCount();
  float PoD = 0.5f;
  for (int k = 0; k < pitches; ++k) {
    r.lastPoD = PoD;
    const SeriesSweep series(path, choice.NSERIES, PoD, EAR, Z, choice.CPFLAG, st);
    int kept = 0;
    for (int first = 0; first < kAdvanceSteps; first += kBlock) {
      const int n = std::min(kBlock, kAdvanceSteps - first);
      series.evaluate(&grid[static_cast<std::size_t>(first)], n, KT.data(), KQ.data(), ETA0.data());
      int used = 0;
      while (used < n && !(KT[static_cast<std::size_t>(used)] < 0.0f)) ++used;
      for (int i = 0; i < used; ++i)
        ys[static_cast<std::size_t>(first + i)] =
            KT[static_cast<std::size_t>(i)] / gridPower[static_cast<std::size_t>(first + i)];
      kept += used;
      // the state as the last evaluation made leaves it: the negative KT, or the last J
      const int last = used < n ? used : n - 1;
      st.J = grid[static_cast<std::size_t>(first + last)];
      st.KT = KT[static_cast<std::size_t>(last)];
      st.KQ = KQ[static_cast<std::size_t>(last)];
      st.ETA0 = ETA0[static_cast<std::size_t>(last)];
      if (used < n) break;
    }

    // Closed bracket: a target equal to a sweep value belongs to both
    // neighbouring intervals.
    for (int i = 0; i + 1 < kept; ++i) {
      const float y0 = ys[static_cast<std::size_t>(i)], y1 = ys[static_cast<std::size_t>(i + 1)];
      if (!(y0 >= target && target >= y1)) continue;
      const float J0 = grid[static_cast<std::size_t>(i)], J1 = grid[static_cast<std::size_t>(i + 1)];
      // equal ends (both on the target) leave nothing to interpolate
      st.J = y1 == y0 ? J0 : J0 + (target - y0) * (J1 - J0) / (y1 - y0);
      evaluateSeries(choice.NSERIES, PoD, EAR, Z, choice.CPFLAG, st);
      r.cand.push_back({PoD, st.J, st.KT, st.KQ, st.ETA0});
    }
    PoD += 0.01f;
  }

  if (!r.cand.empty()) {
    std::vector<float> eta(r.cand.size());
    for (std::size_t k = 0; k < r.cand.size(); ++k) eta[k] = r.cand[k].ETA0;
    r.chosen = IMAXR(static_cast<int>(eta.size()), eta);
  }
  return r;
}

void OPTKTJ2(Run& run, float T, float D, float VA, float RHO, float& Z, float EAR) {
  const float g = T * 1000.0f / (RHO * pow2(VA) * pow2(D));
  const OptimumSearchResult r = sweepOptimum(false, g, EAR, Z, choiceOf(run), run.s.prop.series);
  writeOptimumTable(run, false, r);

  const Candidate& c = r.cand[static_cast<std::size_t>(r.chosen)];
  const float n = VA / (c.J * D);
  const float RPM = 60.0f * n;
  const float Q = c.KQ * RHO * pow2(n) * pow5(D);
  const float PD = power(Q, n);

  writeBoth(run, "(/,' SECILEN PERVANE = ',I2,'. PERVANEDIR')", {r.chosen + 1});
  writeControllablePitchLines(run);
  writePitchLine(run, c.PoD, c.J, c.KT, c.KQ, c.ETA0);
  writeThrustLine(run, T, VA, RHO, Z, EAR, D);
  writeRevolutionsLine(run, n, RPM, Q, PD);
  SERMSG(run);

  storeSelected(run, c.PoD, c.J, c.KT, c.KQ, c.ETA0, PD);
  run.s.in.N = RPM;
  run.s.in.D = D;
  storeCandidates(run, r);
}

void OPTKTJ4(Run& run, float T, float RPM, float& D, float VA, float RHO, float& Z, float EAR) {
  const float n = RPM / 60.0f;
  const float g = pow2(n) * T / (pow4(VA) * RHO) * 1000.0f;
  const OptimumSearchResult r = sweepOptimum(true, g, EAR, Z, choiceOf(run), run.s.prop.series);
  writeOptimumTable(run, true, r);

  const Candidate& c = r.cand[static_cast<std::size_t>(r.chosen)];
  D = VA / (c.J * n);
  const float Q = torque(c.KQ, D, n, RHO);
  const float PD = power(Q, n);

  SERMSG(run);
  writeBoth(run, "(/,' SECILEN PERVANE = ',I2,'. PERVANEDIR')", {r.chosen + 1});
  writeControllablePitchLines(run);
  writePitchLine(run, c.PoD, c.J, c.KT, c.KQ, c.ETA0);
  writeThrustLine(run, T, VA, RHO, Z, EAR, D);
  writeRevolutionsLine(run, n, RPM, Q, PD);

  storeSelected(run, c.PoD, c.J, c.KT, c.KQ, c.ETA0, PD);
  run.s.in.N = RPM;
  run.s.in.D = D;
  storeCandidates(run, r);
}

PitchSearchResult sweepPitch(float T, float D, float RPM, float VA, float RHO, float EAR, float& Z,
                             SeriesChoice choice, SeriesState& st) {
  PitchSearchResult r;
  st.RPMP = RPM;
  const float n = RPM / 60.0f;
  const float J = VA / (n * D);
  r.J = J;
  float PoD = 0.5f;
  for (int k = 0; k < 9000; ++k) {
    st.VAP = VA;
    st.J = J;
    evaluateSeries(choice.NSERIES, PoD, EAR, Z, choice.CPFLAG, st);
    // points with negative (or undefined) KT or KQ are skipped
    if (st.KT >= 0.0f && st.KQ >= 0.0f) {
      r.valid = true;
      r.PoD = PoD;
      r.KT = st.KT;
      r.KQ = st.KQ;
      r.Q = torque(st.KQ, D, n, RHO);
      r.PD = power(r.Q, n);
      r.Tp = thrust(st.KT, D, n, RHO);
      r.ETA0 = st.KT / st.KQ * J / kTwoPi;
      if (r.Tp / 1000.0f > T) {
        r.reached = true;
        break;
      }
      r.below = true;
    }
    PoD += 0.0001f;
  }
  return r;
}

void PDSRCH(Run& run, float T, float D, float RPM, float VA, float RHO, float& Z, float EAR) {
  const PitchSearchResult r = sweepPitch(T, D, RPM, VA, RHO, EAR, Z, choiceOf(run), run.s.prop.series);
  if (!r.valid) {
    writeBoth(run, "(/,' ** VERILEN CAP VE DEVIRDE HICBIR P/D DEGERI (.50 - 1.40) POZITIF ITME VERMIYOR **')");
    stopForNegativeThrust(run, r.J);
  }
  writeBoth(run,
            "(1X,'T=',F10.2,' kN  Va=',F8.3,' m/s  RHO = ',F6.1,' kg/m3',/,' Z = ',F2.0,' EAR = ',F5.3,' D = ',F6.3,' m',' P/D = ',F6.3)",
            {r.Tp / 1000.0f, VA, RHO, Z, EAR, D, r.PoD});
  if (!r.reached) {
    writeBoth(run, "(' ** UYARI: GEREKEN ITME (',F8.2,' kN) P/D = 1.4 DEGERINE KADAR SAGLANAMADI **')", {T});
  } else if (!r.below) {
    // Already the smallest pitch ratio that gives positive thrust overshoots the
    // requirement: the diameter or the revolutions are too large for this ship,
    // and the propeller shown is not one that delivers the thrust required.
    writeBoth(run, "(' ** UYARI: GEREKEN ITME (',F8.2,' kN) EN KUCUK P/D =',F6.3,' ILE BILE ASILDI; CAP VEYA DEVIR FAZLA **')",
              {T, r.PoD});
  }
  writeControllablePitchLines(run);
  SERMSG(run);

  storeSelected(run, r.PoD, r.J, r.KT, r.KQ, r.ETA0, r.PD);
  run.s.in.D = D;
}

void GIVENP(Run& run, float PoD, float RPM, float D, float VA, float RHO, float& Z, float EAR) {
  SeriesState& st = run.s.prop.series;
  const float n = RPM / 60.0f;
  st.J = VA / (n * D);
  evaluateSeries(run.s, PoD, EAR, Z);
  if (!(st.KT >= 0.0f && st.KQ >= 0.0f)) {
    writeBoth(run, "(/,' ** VERILEN PERVANE (P/D =',F6.3,') BU CAP VE DEVIRDE POZITIF ITME VERMIYOR **')", {PoD});
    stopForNegativeThrust(run, st.J);
  }
  const float Q = torque(st.KQ, D, n, RHO);
  const float Tp = thrust(st.KT, D, n, RHO);
  const float PD = power(Q, n);

  writeBoth(run, "(/,' BELIRLENEN PERVANE KULLANILMISTIR.')");
  writeControllablePitchLines(run);
  writePitchLine(run, PoD, st.J, st.KT, st.KQ, st.ETA0);
  writeThrustLine(run, Tp / 1000.0f, VA, RHO, Z, EAR, D);
  writeRevolutionsLine(run, n, RPM, Q, PD);
  SERMSG(run);

  storeSelected(run, PoD, st.J, st.KT, st.KQ, st.ETA0, PD);
  run.s.in.N = RPM;
  run.s.in.D = D;
}

}  // namespace gemi
