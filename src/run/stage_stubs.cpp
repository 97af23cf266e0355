// Placeholders for stages not built yet; each is replaced by its real implementation.
#include "propulsion/propeller_stage.h"
#include "reports/speed_block.h"
#include "reports/tables.h"
#include "run/input_file.h"
#include "run/input_report.h"

namespace gemi {
}  // namespace gemi
