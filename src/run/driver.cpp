// The run from the input file to the closing, and the one place where every
// way of ending a run is handled.
#include "run/driver.h"

#include <array>
#include <exception>
#include <filesystem>
#include <fstream>
#include <optional>
#include <sstream>
#include <string>

#include "propulsion/propeller_stage.h"
#include "reports/applicability.h"
#include "reports/speed_block.h"
#include "reports/tables.h"
#include "run/input_file.h"
#include "run/input_report.h"
#include "run/run.h"
#include "run/run_files.h"

namespace gemi {

void fillAppendageCatalogue(AppendageCatalogue& app) {
  struct Entry {
    const char* name;
    float ff2;
  };
  static constexpr std::array<Entry, kAppendages> kCatalogue{{
      {"SKEG ARKASINDAKI DUMEN", 1.75f},
      {"TEK PERVANELI GEMI DUMENI", 1.40f},
      {"CIFT PERVANELI GEMI DUMENI", 2.80f},
      {"SAFT BRAKETLERI", 3.00f},
      {"SKEG", 1.75f},
      {"STRUT BOSALARI", 3.00f},
      {"BOSALAR", 2.00f},
      {"SAFTLAR", 3.00f},
      {"STABILIZER FINLERI", 2.80f},
      {"SONAR DOMU", 2.70f},
      {"YALPA OMURGASI", 1.40f},
  }};
  for (int j = 1; j <= kAppendages; ++j) {
    std::string name = kCatalogue[j - 1].name;
    name.resize(30, ' ');
    app.name(j) = name;
    app.FF2(j) = kCatalogue[j - 1].ff2;
  }
}

int propellerTask(float D, float N, float PDin) {
  int iopt = 0;
  if (D > 0.1f && N < 0.1f) iopt = 1;  // diameter given: optimum revolutions
  if (D > 0.1f && N > 0.1f) iopt = 2;  // diameter and revolutions given: pitch ratio
  if (D < 0.1f && N > 0.1f) iopt = 3;  // revolutions given: optimum diameter
  if (D > 0.1f && N > 0.1f && PDin > 0.1f) iopt = 4;  // a given propeller is evaluated
  return iopt;
}

namespace {

// The 53-column credits box of the closing.
constexpr std::array<const char*, 7> kCreditsBox{
    "=====================================================",
    "=     GEMI GUC KARAKTERISTIKLERI HESAP PROGRAMI     =",
    "=  Direnc tahmini, sevk faktorleri, pervane secimi  =",
    "=   Gemi tasarimi dersleri ve projeleri icin        =",
    "=   hazirlanmistir. Yazan: Tasarim Ekibi            =",
    "=          Iyi calismalar dileriz.                  =",
    "=====================================================",
};

// Step 5.
void writeTitleBlock(Run& run) {
  writeBoth(run, "(1X,72('-'))");
  writeBoth(run, "(1X,'! Program: KR-22-03-2017  Versiyon: 22-03-2017   Yazan: Tasarim Ekibi  !')");
  writeBoth(run, "(' !',70X,'!')");
  writeBoth(run, "(' !',13X,'GEMI GUC KARAKTERISTILERI HESAP PROGRAMI',16X,' !')");
  writeBoth(run, "(1X,72('-'))");
}

// Step 8.
void writeOutputHeader(Run& run) {
  for (int k = 0; k < 3; ++k) writeList(run.report);
  run.s.DISPW = run.s.in.GRAV * run.s.in.RHO * run.s.in.V;
  write(run.report, "(60('='))");
  write(run.report, "(10X,'HOLTROP & MENNEN GUC TAHMINI PROGRAMI',/,20X,'CIKIS BILGILERI',/,60('='))");
}

// Step 18: credits, the final pause, the notice appended to the report.
[[noreturn]] void writeClosing(Run& run) {
  writeList(run.con);
  writeList(run.con);
  for (const char* line : kCreditsBox) writeList(run.con, {line});
  writeList(run.con);
  writeList(run.con);
  writeList(run.con, {"PROGRAM CALISMASI TAMAMLANDI. BITIRMEK ICIN `ENTER` TUSUNA BASIN"});
  writeList(run.con);
  pauseRun(run);
  for (int k = 0; k < 5; ++k) writeList(run.report);
  // The notice box carries the verdict on the methods' ranges.
  if (!run.report.discards())
    for (const std::string& line : closingNoticeBox(checkApplicability(run.s))) writeList(run.report, {line});
  run.s.ending.kind = RunEnding::Kind::Completed;
  throw StopRun{};
}

// Steps 2-4: the input data file (or the text given for it) is read and
// echoed; the echo is closed, the report stays open. The input file is
// opened and checked before any output is emptied, and a model report of an
// earlier run goes first: a run that stops before the model step must not
// leave it beside the new report.
void readAndEchoInput(Run& run, const std::optional<std::string>& inputText) {
  const bool files = run.outputs.writeFiles;
  std::optional<InputFile> tskFile;
  std::istringstream tskText;
  if (inputText) {
    tskText.str(*inputText);
  } else {
    const std::array<std::filesystem::path, 3> outputs{run.file(kReportFileName), run.file(kEchoFileName),
                                                       run.file(kModelReportFileName)};
    tskFile.emplace(run.file(kInputFileName), outputs);
  }
  if (files) {
    removeOldOutput(run.file(kModelReportFileName));
    openForWriting(run.reportFile, run.file(kReportFileName));
  }
  std::ofstream crlFile;
  if (files) openForWriting(crlFile, run.file(kEchoFileName));
  RecordReader tsk(inputText ? static_cast<std::istream&>(tskText) : tskFile->stream(), kInputFileName);
  StreamSink crl(crlFile);
  RecordSink& echo = run.fileSink(crl);
  auto closeEcho = [&] {
    if (files) closeWritten(crlFile, run.file(kEchoFileName));
  };
  try {
    readInputFile(run, tsk, echo);
  } catch (const StopRun&) {
    closeEcho();
    throw;
  } catch (const ReadFailure& e) {
    // Most such faults in a hand-edited file are a comment line too many or
    // too few in front of a record: say where to look.
    throw ReadFailure(std::string(e.what()) + " Her kayittan once README tablosundaki sayida aciklama satiri" +
                      " olmali; dogru okunan kayitlar " + kEchoFileName + " dosyasindadir.");
  }
  closeEcho();
}

void runSteps(Run& run, const std::optional<std::string>& inputText) {
  // Step 1: appendage catalogue.
  fillAppendageCatalogue(run.s.app);
  // Steps 2-4: files; the input data file is read and echoed.
  readAndEchoInput(run, inputText);
  // Steps 5-6.
  writeTitleBlock(run);
  writeInputReport(run);
  // Steps 7-8.
  run.s.IOPT = propellerTask(run.s.in.D, run.s.in.N, run.s.in.PDin);
  writeOutputHeader(run);
  // Step 9: the speed loop.
  for (int i = 1; i <= run.s.in.NV; ++i) resistanceSpeedStep(run, i);
  // Step 10.
  writeSupplementaryEstimates(run);
  // Step 11.
  writeList(run.con);
  writeList(run.con);
  // Steps 12-15.
  writeSummaryTables(run);
  writeModelAndFormFactors(run);
  runModelReport(run);
  if (!tooFewSpeedsForPropulsion(run)) {
    writeAppendageAndCorrectedSummary(run);
    // Steps 16-17.
    if (run.s.in.NOPROP == 0) runPropellerStage(run);
  }
  // Step 18.
  writeClosing(run);
}

// The run up to its stop; every ordinary stop ends with the report closed.
void runToStop(Run& run, const std::optional<std::string>& inputText) {
  try {
    runSteps(run, inputText);
  } catch (const StopRun&) {
  }
  if (run.outputs.writeFiles) closeWritten(run.reportFile, run.file(kReportFileName));
}

// A failed run: its message on the console, and as the last line of a
// report the run left open with records in it, so that the file alone says
// it is incomplete and why (an empty report claims nothing); the caller
// returns `status`.
int failRun(Run& run, const std::string& message, int status) {
  if (run.reportFile.is_open() && run.reportFile.tellp() > 0) {
    writeList(run.report, {"*** RAPOR EKSIK - CALISMA YARIDA KALDI: " + message});
    run.reportFile.close();
  }
  return reportFailure(run.con, message, status);
}

}  // namespace

int reportFailure(RecordSink& con, const std::string& message, int status) {
  writeList(con);
  writeList(con, {message});
  writeList(con, {"PROGRAM DURDURULDU (cikis kodu " + std::to_string(status) + ")"});
  con.flush();
  return status;
}

int runProgram(std::istream& consoleIn, std::ostream& consoleOut, const std::filesystem::path& workDir,
               RunState* finalState) {
  return runProgram(consoleIn, consoleOut, RunOptions{workDir, std::nullopt, RunOutputs{}}, finalState);
}

int runProgram(std::istream& consoleIn, std::ostream& consoleOut, const RunOptions& options, RunState* finalState) {
  // Declared before the run: the lock is dropped only after the run's files are closed.
  std::optional<FolderLock> lock;
  Run run(consoleIn, consoleOut, options.workDir, options.outputs);
  int status = 0;
  auto failed = [&](RunEnding::Kind kind, const std::string& message, int code) {
    run.s.ending = RunEnding{kind, {}, message};
    return failRun(run, message, code);
  };
  try {
    checkConsole(run);
    // A run that writes no file leaves the folder to others.
    if (options.outputs.writeFiles) lock.emplace(run.dir);
    runToStop(run, options.inputText);
  } catch (const ReadFailure& e) {
    status = failed(RunEnding::Kind::ReadFailure, e.what(), kReadFailureStatus);
  } catch (const std::exception& e) {
    status = failed(RunEnding::Kind::InternalFault, std::string("PROGRAM IC HATASI: ") + e.what(),
                    kInternalFaultStatus);
  } catch (...) {
    status = failed(RunEnding::Kind::InternalFault, "PROGRAM IC HATASI: bilinmeyen hata", kInternalFaultStatus);
  }
  if (status == 0) {
    writeList(run.con, {"Stop - Program terminated."});
    run.con.flush();
    // A console that took no text (closed, full, a broken pipe) is no success.
    if (!run.consoleGood()) {
      run.s.ending = RunEnding{RunEnding::Kind::ReadFailure, {}, kConsoleFailure};
      status = kReadFailureStatus;
    }
  }
  if (finalState) *finalState = run.s;
  return status;
}

}  // namespace gemi
