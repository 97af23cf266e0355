#include "run/run.h"

#include <string>

namespace gemi {

Run::Run(std::istream& consoleIn, std::ostream& consoleOut, std::filesystem::path workDir, RunOutputs outs)
    : outputs(outs),
      consoleSink_(consoleOut),
      con(outs.echoConsole ? static_cast<RecordSink&>(consoleSink_) : discardSink_),
      conIn(consoleIn, "konsol"),
      dir(std::move(workDir)),
      reportSink_(reportFile),
      report(outs.writeFiles ? static_cast<RecordSink&>(reportSink_) : discardSink_) {}

void stopRun(Run& run, std::string_view cause, std::string message) {
  run.s.ending.kind = RunEnding::Kind::Stopped;
  run.s.ending.cause = std::string(cause);
  run.s.ending.message = std::move(message);
  throw StopRun{};
}

std::string statementText(std::string_view tmpl, std::initializer_list<Item> items) {
  std::string text;
  for (const std::string& rec : FormatTemplate::get(tmpl).render(std::span<const Item>(items.begin(), items.size())))
    for (const char c : rec)
      if (c != ' ' || (!text.empty() && text.back() != ' ')) text += c;  // fields' leading blanks collapse
  if (!text.empty() && text.back() == ' ') text.pop_back();
  return text;
}

void checkConsole(Run& run) {
  if (!run.consoleGood()) throw ReadFailure(kConsoleFailure);
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
