// Reader of the input data file "KR-22-03-2017.TSK" and writer of its echo.
#pragma once

#include "format/format_template.h"
#include "format/record_reader.h"
#include "run/run.h"

namespace gemi {

// Reads every record into the run state and echoes it; applies the defaults
// and conversions; refuses a trial speed outside the speed list (stop).
void readInputFile(Run& run, RecordReader& tsk, RecordSink& echo);

}  // namespace gemi
