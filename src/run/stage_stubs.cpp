// Placeholders for stages not built yet; each is replaced by its real implementation.
#include "propulsion/propeller_stage.h"
#include "reports/speed_block.h"
#include "reports/tables.h"
#include "run/input_file.h"
#include "run/input_report.h"

namespace gemi {
void readInputFile(Run&, RecordReader&, RecordSink&) {}
void writeInputReport(Run&) {}
void writeSummaryTables(Run&) {}
void writeModelAndFormFactors(Run&) {}
void runModelReport(Run&) {}
bool tooFewSpeedsForPropulsion(Run&) { return false; }
void writeAppendageAndCorrectedSummary(Run&) {}
}  // namespace gemi
