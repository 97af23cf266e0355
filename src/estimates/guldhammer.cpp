#include "estimates/guldhammer.h"

#include <algorithm>

namespace gemi {
namespace {

// Terms shared by both methods: the wake and thrust deduction of the hull
// form, as functions of block coefficient and breadth-length ratio.
struct FormTerms {
  float a, b, c, w1, d, e, f, t1;
};

FormTerms formTerms(float Cb, float BL) {
  FormTerms k{};
  const float fullness = (0.98f - Cb) * (0.98f - Cb) * (0.98f - Cb);
  k.a = 0.10f * BL + 0.149f;
  k.b = 0.05f * BL + 0.449f;
  k.c = 585.0f - 5027.0f * BL + 11700.0f * (BL * BL);
  k.w1 = k.a + k.b / (k.c * fullness + 1.0f);
  k.d = 0.625f * BL + 0.08f;
  k.e = 0.165f - 0.25f * BL;
  k.f = 825.0f - 8060.0f * BL + 20300.0f * (BL * BL);
  k.t1 = k.d + k.e / (k.f * fullness + 1.0f);
  return k;
}

float blockCoefficient(float V, float L, float T, float B) { return V / (L * T * B); }

void writeMainDimensions(RecordSink& out, float B, float L, float T) {
  write(out, "('   B  = ', F10.5, ' m' )", {B});
  write(out, "('   L  = ', F10.5, ' m' )", {L});
  write(out, "('   T  = ', F10.5, ' m' )", {T});
}

}  // namespace

AndersenGuldhammer computeAndersenGuldhammer(float V, float B, float T, float L, float D) {
  AndersenGuldhammer r;
  r.Cb = blockCoefficient(V, L, T, B);
  r.BL = B / L;
  r.DL = D / L;
  const FormTerms k = formTerms(r.Cb, r.BL);
  r.a = k.a;
  r.b = k.b;
  r.c = k.c;
  r.w1 = k.w1;
  r.w2 = -0.18f + 0.00756f / (r.DL + 0.002f);
  r.w = r.w1 + r.w2;
  r.d = k.d;
  r.e = k.e;
  r.f = k.f;
  r.t1 = k.t1;
  r.t2 = 2.0f * (r.DL - 0.04f);
  r.t = r.t1 + r.t2;
  return r;
}

GuldhammerHarwald computeGuldhammerHarwald(float V, float B, float Ta, float T, float L) {
  GuldhammerHarwald r;
  r.Cb = blockCoefficient(V, L, T, B);
  r.DL = 0.6f * T / L;
  const FormTerms k = formTerms(r.Cb, B / L);
  r.w1 = k.w1;
  r.w2 = 0.025f * Ta / (100.0f * ((r.Cb - 0.7f) * (r.Cb - 0.7f)) + 1.0f);
  r.w3 = std::min(0.00756f / (r.DL + 0.002f) - 0.18f, 0.1f);
  r.w = r.w1 + r.w2 + r.w3;
  r.t1 = k.t1;
  r.t2 = -0.01f * Ta;
  r.t3 = 2.0f * (r.DL - 0.04f);
  r.t = r.t1 + r.t2 + r.t3;
  return r;
}

AndersenGuldhammer writeAndersenGuldhammer(RecordSink& out, float V, float B, float T, float L, float D) {
  const AndersenGuldhammer r = computeAndersenGuldhammer(V, B, T, L, D);
  write(out, "(5/)");
  write(out, "(2X,54('='))");
  write(out, "('  ANDERSENN&GULDHAMMER YONTEMI - SEVK KATSAYILARI    ')");
  write(out, "('  Andersenn&Guldhammer (CADMO,1986 procs`) paper     ')");
  write(out, "('  (Bu formuller kullaniciyi bilgilendirmek amaci ile verilmistir.)')");
  write(out, "('  (Program Holtrop `un sevk katsayilarini kullanir)  ')");
  write(out, "(2X,54('='))");
  writeMainDimensions(out, B, L, T);
  write(out, "('   D0  = ', F10.5, ' m' )", {D});
  write(out, "('   Cb = ', F5.3)", {r.Cb});
  write(out, "('  B/L = ', F10.5 )", {r.BL});
  write(out, "('  D/L = ', F10.5 )", {r.DL});
  write(out, "(2X,54('-'))");
  write(out, "('  a  = 0.10*B/L + 0.149 = ', F7.5)", {r.a});
  write(out, "('  b  = 0.05*B/L + 0.449 = ', F7.5)", {r.b});
  write(out, "('  c  = 585 - 5027*(B/L) + 11700*(B/L)**2 = ', F10.5)", {r.c});
  write(out, "('  w1 = a + b / (c*(0.98 - Cb)**3+1) = ', F6.4)", {r.w1});
  write(out, "('  w2 = -0.18+0.00756/(D0/L+0.002)   = ', F6.4)", {r.w2});
  write(out, "('  w  = w1 + w2 = ', F7.4)", {r.w});
  write(out, "(2X,54('-'))");
  write(out, "('  d  = 0.625*B/L + 0.08 = ', F7.4)", {r.d});
  write(out, "('  e  = 0.165 - 0.25*B/L = ', F7.4)", {r.e});
  write(out, "('  f  = 825 - 8060*B/L + 20300*(B/L)**2 = ', F7.4)", {r.f});
  write(out, "('  t1 = d + e / (f*(0.98 - Cb)**3+1) = ', F7.4)", {r.t1});
  write(out, "('  t2 = 2.*(D/L-0.04) = ', F7.4)", {r.t2});
  write(out, "('  t  = t1 + t2 = ', F7.4)", {r.t});
  write(out, "(2X,54('-'))");
  write(out, "(/2X,54('='))");
  write(out, "(5/)");
  return r;
}

GuldhammerHarwald writeGuldhammerHarwald(RecordSink& out, float V, float B, float Ta, float T, float L) {
  const GuldhammerHarwald r = computeGuldhammerHarwald(V, B, Ta, T, L);
  write(out, "(2X,54('='))");
  write(out, "('  GULDHAMMER&HARWALD YONTEMI - SEVK KATSAYILARI      ')");
  write(out, "('  (Bu formuller kullaniciyi bilgilendirmek amaci ile  verilmistir.)')");
  write(out, "('  (Program Holtrop `un sevk katsayilarini kullanir)  ')");
  write(out, "(2X,54('='))");
  writeMainDimensions(out, B, L, T);
  write(out, "('  Taft= ', F10.5, ' m' )", {Ta});
  write(out, "('   Cb = ', F5.3)", {r.Cb});
  write(out, "(2X,54('-'))");
  write(out, "('   w1 = ', F6.4)", {r.w1});
  write(out, "('   w2 = ', F6.4)", {r.w2});
  write(out, "('   w3 = ', F6.4)", {r.w3});
  write(out, "('    w = w1+w2+w3 = ', F6.4)", {r.w});
  write(out, "('   t1 = ', F6.4)", {r.t1});
  write(out, "('   t2 = ', F6.4)", {r.t2});
  write(out, "('   t3 = ', F6.4)", {r.t3});
  write(out, "('    t = t1+t2+t3 = ', F6.4)", {r.t});
  write(out, "(/2X,54('='))");
  write(out, "(5/)");
  return r;
}

}  // namespace gemi
