#include "numeric/spline_roots.h"

#include <cmath>
#include <vector>

#include "format/format_template.h"
#include "run/run.h"

namespace gemi {

void SPLCOEF(std::span<const float> tau, std::span<SplinePiece> cc, int n, int ibcbeg, int ibcend) {
  // Written with the knot number counted from 1, as the algorithm is usually
  // stated: C(k, i) is derivative k-1 at knot i.
  auto C = [&](int k, int i) -> float& { return cc[static_cast<std::size_t>(i - 1)][static_cast<std::size_t>(k - 1)]; };
  auto TAU = [&](int i) { return tau[static_cast<std::size_t>(i - 1)]; };
  const int l = n - 1;

  for (int m = 2; m <= n; ++m) {
    C(3, m) = TAU(m) - TAU(m - 1);
    C(4, m) = (C(1, m) - C(1, m - 1)) / C(3, m);
  }

  // First equation, from the left end condition.
  bool interior = true;  // whether the interior equations are set up
  if (ibcbeg == 0 && n <= 2) {
    C(4, 1) = 1.0f;
    C(3, 1) = 1.0f;
    C(2, 1) = 2.0f * C(4, 2);
    interior = false;
  } else if (ibcbeg == 0) {
    // not-a-knot: third derivative continuous across the second knot
    C(4, 1) = C(3, 3);
    C(3, 1) = C(3, 2) + C(3, 3);
    C(2, 1) = ((C(3, 2) + 2.0f * C(3, 1)) * C(4, 2) * C(3, 3) + C(3, 2) * C(3, 2) * C(4, 3)) / C(3, 1);
  } else {
    if (ibcbeg == 1) {  // slope given in C(2,1)
      C(4, 1) = 1.0f;
      C(3, 1) = 0.0f;
    } else {  // second derivative given in C(2,1)
      C(4, 1) = 2.0f;
      C(3, 1) = 1.0f;
      C(2, 1) = 3.0f * C(4, 2) - C(3, 2) / 2.0f * C(2, 1);
    }
    if (n == 2) interior = false;
  }

  // Forward elimination over the interior knots; equation m then reads
  // C(4,m) s(m) + C(3,m) s(m+1) = C(2,m).
  enum class Last { Eliminate, Pivot, None } last;
  float g = 0.0f;
  if (interior) {
    for (int m = 2; m <= l; ++m) {
      g = -C(3, m + 1) / C(4, m - 1);
      C(2, m) = g * C(2, m - 1) + 3.0f * (C(3, m) * C(4, m + 1) + C(3, m + 1) * C(4, m));
      C(4, m) = g * C(3, m - 1) + 2.0f * (C(3, m) + C(3, m + 1));
    }
  }

  // Last equation, from the right end condition.
  if (ibcend == 1) {
    last = Last::None;  // slope given: the system is ready for back substitution
  } else if (ibcend == 0) {
    if (interior && !(n == 3 && ibcbeg == 0)) {
      g = C(3, n - 1) + C(3, n);
      C(2, n) = ((C(3, n) + 2.0f * g) * C(4, n) * C(3, n - 1) +
                 C(3, n) * C(3, n) * (C(1, n - 1) - C(1, n - 2)) / C(3, n - 1)) /
                g;
      g = -g / C(4, n - 1);
      C(4, n) = C(3, n - 1);
      last = Last::Eliminate;
    } else if (interior || ibcbeg > 0) {
      // n = 3 with not-a-knot at both ends (the parabola), or n = 2 with a
      // condition given at the left end
      C(2, n) = 2.0f * C(4, n);
      C(4, n) = 1.0f;
      last = Last::Pivot;
    } else {
      // n = 2 and not-a-knot at both ends: the straight line
      C(2, n) = C(4, n);
      last = Last::None;
    }
  } else {  // second derivative given in C(2,n)
    C(2, n) = 3.0f * C(4, n) + C(3, n) / 2.0f * C(2, n);
    C(4, n) = 2.0f;
    last = Last::Pivot;
  }
  if (last == Last::Pivot) g = -1.0f / C(4, n - 1);
  if (last != Last::None) {
    C(4, n) = g * C(3, n - 1) + C(4, n);
    C(2, n) = (g * C(2, n - 1) + C(2, n)) / C(4, n);
  }

  // Back substitution for the slopes.
  for (int j = l; j >= 1; --j) C(2, j) = (C(2, j) - C(3, j) * C(2, j + 1)) / C(4, j);

  // Second and third derivatives at the left end of each interval from the
  // values and slopes at its ends.
  for (int i = 2; i <= n; ++i) {
    const float dtau = C(3, i);
    const float divdf1 = (C(1, i) - C(1, i - 1)) / dtau;
    const float divdf3 = C(2, i - 1) + C(2, i) - 2.0f * divdf1;
    C(3, i - 1) = 2.0f * (divdf1 - C(2, i - 1) - divdf3) / dtau;
    C(4, i - 1) = (divdf3 / dtau) * (6.0f / dtau);
  }
}

Location LOCATE(RecordSink& console, std::span<const float> x, float xx, int n) {
  Location loc;
  const float first = x[0], lastX = x[static_cast<std::size_t>(n - 1)];
  if (xx < first || xx > lastX) {
    write(console, "(' ** NOKTA ARALIGIN DISINDA **')");
    return loc;
  }
  loc.found = true;
  if (std::fabs(xx - first) <= 1.0E-6f) {
    loc.i = 0;
  } else if (std::fabs(xx - lastX) <= 1.0E-6f) {
    loc.i = n - 2;
  } else {
    for (int i = 0; i < n - 1; ++i) {
      if (x[static_cast<std::size_t>(i)] <= xx && xx < x[static_cast<std::size_t>(i + 1)]) {
        loc.i = i;
        break;
      }
    }
  }
  return loc;
}

void SPLVAL(RecordSink& console, int n, float xx, float& yy, std::span<const float> tau,
            std::span<const SplinePiece> c) {
  const Location loc = LOCATE(console, tau, xx, n);
  if (!loc.found) return;
  const SplinePiece& p = c[static_cast<std::size_t>(loc.i)];
  const float h = xx - tau[static_cast<std::size_t>(loc.i)];
  yy = p[0] + h * (p[1] + h * (p[2] + h * p[3] / 3.0f) / 2.0f);
}

float ROOTSP(Run& run, int n, std::span<const float> x, std::span<const float> y, float y0) {
  const auto un = static_cast<std::size_t>(n);
  std::vector<float> knots(x.begin(), x.begin() + n);
  std::vector<SplinePiece> c(un);
  float fmin = 0.0f, fmax = 0.0f;
  for (std::size_t i = 0; i < un; ++i) {
    c[i][0] = y[i] - y0;
    if (c[i][0] < fmin) fmin = c[i][0];
    if (c[i][0] > fmax) fmax = c[i][0];
  }
  auto noRoot = [&]() {
    write(run.con, "(/,/,' VERILEN ARALIKTA KOK YOKTUR - STOP')");
    stopRun(run, "kok_yok", "VERILEN ARALIKTA KOK YOKTUR");
  };
  if (n < 2) noRoot();  // one point is no range to search

  SPLCOEF(knots, c, n, 0, 0);
  auto spline = [&](float at) {
    float v = 0.0f;
    SPLVAL(run.con, n, at, v, knots, c);
    return v;
  };

  float a = knots[0], b = knots[un - 1];
  float fa = spline(a), fb = spline(b);
  const float range = fmax - fmin;
  if (fa * fb > 0.0f) noRoot();
  if (fa * fb == 0.0f) return std::fabs(fa) <= 1.0E-5f ? a : b;

  // Regula falsi, at most 100 steps. The ends keep opposite signs, so
  // fb - fa cannot vanish; the guard only protects against products that
  // underflow to zero.
  float xroot = a;
  for (int step = 0; step < 100; ++step) {
    if (fb == fa) break;
    const float xn = (fb * a - fa * b) / (fb - fa);
    xroot = xn;
    const float f = spline(xn);
    if (std::fabs(f) < 1.0E-5f || std::fabs(f / range) < 1.0E-5f) break;
    if (f * fa >= 0.0f) {
      a = xn;
      fa = f;
    } else {
      b = xn;
      fb = f;
    }
  }
  return xroot;
}

void SORTA(int n, std::span<float> a) {
  for (int i = 0; i < n - 1; ++i) {
    int smallest = i;
    for (int k = i + 1; k < n; ++k) {
      if (a[static_cast<std::size_t>(k)] < a[static_cast<std::size_t>(smallest)]) smallest = k;
    }
    if (smallest != i) std::swap(a[static_cast<std::size_t>(i)], a[static_cast<std::size_t>(smallest)]);
  }
}

int IMAXR(int n, std::span<const float> a) {
  int imax = 0;
  float ref = a[0];
  for (int i = 1; i < n; ++i) {
    const float v = a[static_cast<std::size_t>(i)];
    if (std::trunc(1000.0f * v) > std::trunc(1000.0f * ref)) {
      ref = v;
      imax = i;
    }
  }
  return imax;
}

}  // namespace gemi
