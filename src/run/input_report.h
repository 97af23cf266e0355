// The input section of the report ("GIRIS BILGILERI"); forms Stot and (1+K2)eff.
#pragma once

#include "run/run.h"

namespace gemi {

void writeInputReport(Run& run);

}  // namespace gemi
