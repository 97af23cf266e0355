// Wake fraction, thrust deduction and relative rotative efficiency by a
// dozen published empirical formulas, written to the report for the user's
// information only (the calculation itself uses the Holtrop & Mennen factors).
#pragma once

#include "format/format_template.h"
#include "run/per_speed.h"

namespace gemi {

// Ship data of the survey: block, prismatic and waterplane coefficients,
// length, breadth, mean draught (m), propeller diameter (m), displacement.
struct SurveyShip {
  float Cb = 0, Cp = 0, Cwp = 0, L = 0, B = 0, T = 0, Dp = 0, Dep = 0;
};

struct SurveyValues {
  // Single screw wake fractions.
  float wTaylor1 = 0, wTroost = 0, wKruger1 = 0, wHeckscherCargo1 = 0, wCaldwell1 = 0, wHeckscherTrawler = 0,
        wSchneekluth = 0;
  // Papmehl's speed-dependent wake, per speed of the list.
  SpeedArray FnPapmehl, wPapmehl;
  // Twin screw wake fractions.
  float wTaylor2 = 0, wKruger2 = 0, wHeckscherCargo2 = 0, wCaldwell2 = 0;
  // Thrust deduction: single screw, then twin screw (the SSPA values are factors on w).
  float tTaylor1 = 0, tHeckscherCargo1 = 0, tHeckscherTrawler = 0, tDacknwardt1 = 0, tSSPA1 = 0;
  float tTaylor2 = 0, tHeckscherCargo2 = 0, tDacknwardt2 = 0, tSSPA2 = 0, tHoltropMennen = 0;
  float etarHelm = 0;  // relative rotative efficiency, small single-screw ships
};

SurveyValues computePropulsionSurvey(const SurveyShip& ship, const SpeedArray& VS, int NV);

// The survey block, to the report.
void writePropulsionSurvey(RecordSink& report, const SurveyShip& ship, const SpeedArray& VS, int NV);

// The survey preceded by its header of main dimensions, as written after the
// selected-propeller report. Dep is the displacement mass in tonnes
// (RHO * V * 0.001); T the mean draught. A waterplane coefficient below 0.1
// is replaced in `Cwp` (the caller's variable, normally the run state's
// input value) by 0.625 Cb/Cm + 0.375 before the survey uses it.
void writePropulsionSurveyWithHeader(RecordSink& report, float Lwl, float B, float T, float Dep, float Cm, float& Cwp,
                                     int NV, const SpeedArray& VS, float D);

}  // namespace gemi
