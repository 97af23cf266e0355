// Applicability of the methods to the ship of a run: whether the hull, the
// propeller and its position lie inside the data the resistance method and
// the propeller series were fitted to. The checks read the run state after the
// run and change no computed value; a finding never stops a run.
//
// Interface for the exports (one object per check that applied):
//   ad     <- ApplicabilityCheck::name
//   deger  <- value
//   alt    <- lower  (NaN: no lower limit; write null)
//   ust    <- upper  (NaN: no upper limit; write null)
//   durum  <- statusWord(status): "icinde", "disinda" or "bilgi"
//   kaynak <- source
// and on a console one line per finding: applicabilityConsoleLines(checks).
// Every text is ASCII Turkish.
#pragma once

#include <array>
#include <string>
#include <vector>

#include "run/run_state.h"

namespace gemi {

enum class ApplicabilityStatus {
  Inside,   // the value lies within the range ("icinde")
  Outside,  // a finding: the value lies outside the range ("disinda")
  Info,     // a note: the method changes its formula there, or a softer limit is passed ("bilgi")
};

// "icinde", "disinda", "bilgi".
const char* statusWord(ApplicabilityStatus s);

struct ApplicabilityCheck {
  std::string name;    // "CP", "L/B", "B/T", "Fn", "Z", "EAR", "P/D", "EAR-Z", "Z-Gawn", "Hs-D/2",
                       // "Hsd-D/2", "Vtip", "Sigma"
  float value = 0;     // the ship's value (may be non-finite for a nonsensical hull)
  float lower = 0;     // lower limit, NaN when there is none
  float upper = 0;     // upper limit, NaN when there is none
  ApplicabilityStatus status = ApplicabilityStatus::Inside;
  std::string source;  // where the range comes from
  std::string line;    // one console line describing the finding (or that the value is inside)
  std::string brief;   // the same in at most 43 characters, for the closing box of the report
};

// The checks that apply to the run as it went: the hull checks once a speed
// step formed the hull values, one Froude-number row per speed range met by
// the speeds computed, the series checks once a propeller was selected, the
// Gawn blade number once it was answered, tip speed and cavitation number once
// the cavitation checks ran. Rows in the order of the table in applicability.cpp.
std::vector<ApplicabilityCheck> checkApplicability(const RunState& s);

// Number of checks whose value lies outside its range (the findings; notes are not counted).
int countOutside(const std::vector<ApplicabilityCheck>& checks);

// Console lines: one per finding and note (findings first); one line saying
// that every value is inside when there is none.
std::vector<std::string> applicabilityConsoleLines(const std::vector<ApplicabilityCheck>& checks);

// The 48-column notice box that closes the report (15 records, framed): the
// advice to verify the design, then the findings and notes as many as fit, or
// the ship's values inside the methods' data.
std::array<std::string, 15> closingNoticeBox(const std::vector<ApplicabilityCheck>& checks);

}  // namespace gemi
