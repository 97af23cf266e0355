#include "run/run.h"

#include <string>

namespace gemi {

Run::Run(std::istream& consoleIn, std::ostream& consoleOut, std::filesystem::path workDir)
    : con(consoleOut), conIn(consoleIn, "konsol"), dir(std::move(workDir)), report(reportFile) {}

void stopRun(Run&) { throw StopRun{}; }

void checkConsole(Run& run) {
  if (!run.con.good())
    throw ReadFailure("KONSOL YAZILAMADI: standart cikis kapali, dolu veya okuyani olmayan bir boru; "
                      "calismanin mesajlari ve sorulari gorulemez.");
}

void flushBeforeWaiting(Run& run) {
  run.report.flush();
  run.con.flush();
  checkConsole(run);
}

void pauseRun(Run& run, std::string_view prompt) {
  writeList(run.con, {prompt});
  flushBeforeWaiting(run);
  std::string line;
  run.conIn.next(line);  // end of input: treated as an empty line
}

void closeWritten(std::ofstream& file, const std::filesystem::path& path) {
  if (file.is_open()) file.close();
  if (file.fail())  // also set when the file could not be created at all
    throw ReadFailure("DOSYA YAZILAMADI: " + path.string() + " dosyasina kayitlarin hepsi yazilamadi (disk dolu mu?)");
}

void writeBoth(Run& run, std::string_view tmpl, std::initializer_list<Item> items) {
  write(run.con, tmpl, items);
  write(run.report, tmpl, items);
}

}  // namespace gemi
