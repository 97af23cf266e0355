// Wake fraction and thrust deduction from the main proportions by the
// Andersen & Guldhammer and the Guldhammer & Harwald methods, written to the
// report with their intermediate terms (for the user's information).
#pragma once

#include "format/format_template.h"

namespace gemi {

// Andersen & Guldhammer with the actual propeller diameter D (m);
// V displacement volume (m3), B breadth, T mean draught, L length (m).
struct AndersenGuldhammer {
  float Cb = 0, BL = 0, DL = 0;
  float a = 0, b = 0, c = 0, w1 = 0, w2 = 0, w = 0;
  float d = 0, e = 0, f = 0, t1 = 0, t2 = 0, t = 0;
};
AndersenGuldhammer computeAndersenGuldhammer(float V, float B, float T, float L, float D);
AndersenGuldhammer writeAndersenGuldhammer(RecordSink& report, float V, float B, float T, float L, float D);

// Guldhammer & Harwald with the assumed diameter 0.6 T and the aft draught Ta.
struct GuldhammerHarwald {
  float Cb = 0, DL = 0;
  float w1 = 0, w2 = 0, w3 = 0, w = 0;
  float t1 = 0, t2 = 0, t3 = 0, t = 0;
};
GuldhammerHarwald computeGuldhammerHarwald(float V, float B, float Ta, float T, float L);
GuldhammerHarwald writeGuldhammerHarwald(RecordSink& report, float V, float B, float Ta, float T, float L);

}  // namespace gemi
