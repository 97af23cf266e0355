#include "run/driver.h"

#include <fstream>
#include <iostream>

#include "propulsion/propeller_stage.h"
#include "reports/speed_block.h"
#include "reports/tables.h"
#include "run/input_file.h"
#include "run/input_report.h"
#include "run/run.h"

namespace gemi {
namespace {

void writeTitleBlock(Run& run);   // step 5
void selectPropellerTask(Run& run);  // step 7
void writeClosing(Run& run);      // step 18

void writeTitleBlock(Run&) {}
void selectPropellerTask(Run&) {}
void writeClosing(Run&) {}

void runSteps(Run& run) {
  // Steps 1-4: catalogue, files, input data file and its echo.
  std::ifstream tskFile(run.file(kInputFileName));
  std::ofstream crlFile(run.file(kEchoFileName));
  RecordReader tsk(tskFile, kInputFileName);
  StreamSink echo(crlFile);
  readInputFile(run, tsk, echo);
  // Steps 5-8.
  writeTitleBlock(run);
  writeInputReport(run);
  selectPropellerTask(run);
  // Step 9: the speed loop.
  for (int i = 1; i <= run.s.in.NV; ++i) resistanceSpeedStep(run, i);
  // Steps 10-15.
  writeSupplementaryEstimates(run);
  writeSummaryTables(run);
  writeModelAndFormFactors(run);
  runModelReport(run);
  if (!tooFewSpeedsForPropulsion(run)) {
    writeAppendageAndCorrectedSummary(run);
    // Steps 16-17.
    if (run.s.in.NOPROP == 0) runPropellerStage(run);
  }
  writeClosing(run);
}

}  // namespace

int runProgram(std::istream& consoleIn, std::ostream& consoleOut, const std::filesystem::path& workDir) {
  Run run(consoleIn, consoleOut, workDir);
  run.reportFile.open(run.file(kReportFileName));
  try {
    runSteps(run);
  } catch (const StopRun&) {
  }
  run.report.flush();
  writeList(run.con, {"Stop - Program terminated."});
  run.con.flush();
  return 0;
}

}  // namespace gemi
