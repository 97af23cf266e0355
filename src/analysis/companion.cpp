#include "analysis/companion.h"

#include <charconv>
#include <cmath>
#include <fstream>
#include <iterator>
#include <sstream>
#include <system_error>

#include "analysis/command_line.h"
#include "analysis/report_page.h"
#include "format/format_template.h"
#include "run/driver.h"
#include "run/run.h"

namespace gemi::analysis {

namespace fs = std::filesystem;

std::string dialogueAnswers(const std::string& etadText, int Z, const std::optional<float>& EAR) {
  std::string a = etadText + "\n" + std::to_string(Z) + "\n";
  a += EAR ? "E\n" + floatText(*EAR) + "\n" : std::string("H\n");
  // Pauses (efficiency check, open-water table, closing, ...) take empty lines.
  for (int k = 0; k < 8; ++k) a += '\n';
  return a;
}

std::string efficiencyAsTyped(float etadComputed) {
  const Item items[] = {etadComputed};
  std::string shown = FormatTemplate::get("(F5.3)").render(items).front();
  shown.erase(0, shown.find_first_not_of(' '));
  if (!shown.empty() && shown[0] == '.') shown.insert(0, "0");
  return shown;
}

// The run's ending in the companion's terms (a run that did not end is a
// fault of the program).
EndKind endKindOf(const RunEnding& e) {
  switch (e.kind) {
    case RunEnding::Kind::Completed: return EndKind::Completed;
    case RunEnding::Kind::Stopped: return EndKind::Stopped;
    case RunEnding::Kind::ReadFailure: return EndKind::ReadFailure;
    default: return EndKind::InternalFault;
  }
}

namespace {

// True when the run stopped at the efficiency check (assumed and computed
// efficiency more than 0.01 apart).
bool stoppedAtEfficiencyCheck(const RunState& s) {
  return s.ending.kind == RunEnding::Kind::Stopped && s.ending.cause == "verim" && s.prop.stage.etadC != 0.0f;
}

float parsed(const std::string& text) {
  float v = 0.0f;
  std::from_chars(text.data(), text.data() + text.size(), v);
  return v;
}

std::string fixed(float v, int decimals) {
  if (!std::isfinite(v)) return floatText(v);
  char buf[64];
  const auto r = std::to_chars(buf, buf + sizeof buf, v, std::chars_format::fixed, decimals);
  return std::string(buf, r.ptr);
}

// The files that an earlier run may have left and this one may not write:
// they would look like results of this run. (The model report is written
// afresh when the run gets that far with a model scale.)
void removeOldExports(const fs::path& dir) {
  for (const char* name : {kResistanceCsv, kPropulsionCsv, kOpenWaterCsv, kSearchCsv, kJsonFile, kModelReportFileName,
                           kResistanceSvg, kPowerSvg, kOpenWaterSvg, kBurrillSvg, kReportPage}) {
    std::error_code ec;
    fs::remove(dir / name, ec);
  }
}

// The output folder, created when missing; a folder that cannot be created
// or written to is named in the message.
std::optional<std::string> prepareFolder(const fs::path& dir) {
  std::error_code ec;
  fs::create_directories(dir, ec);
  if (ec || !fs::is_directory(dir))
    return "CIKTI KLASORU OLUSTURULAMADI: " + dir.string() + (ec ? " (" + ec.message() + ")" : std::string());
  const fs::path probe = dir / ".gemiguc-analiz-yazma-denemesi";
  {
    std::ofstream f(probe, std::ios::binary | std::ios::trunc);
    f << "x";
    f.close();
    if (f.fail()) {
      fs::remove(probe, ec);
      return "CIKTI KLASORUNE YAZILAMIYOR: " + dir.string();
    }
  }
  fs::remove(probe, ec);
  return std::nullopt;
}

void writeSummary(std::ostream& out, const Results& r, const fs::path& dir) {
  const InputData& in = r.input;
  out << "\nGemi: Lwl = " << fixed(in.Lwl, 2) << " m, B = " << fixed(in.B, 2) << " m, T = " << fixed(r.hull.T, 2)
      << " m, hacim = " << fixed(in.V, 1) << " m3, CB = " << fixed(r.hull.CB, 3) << "\n";
  if (const Column* vs = findColumn(r.resistance, "Vs_kn")) {
    for (std::size_t i = 0; i < vs->values.size(); ++i) {
      if (std::fabs(vs->values[i] - in.Vtrial) >= 0.001f) continue;
      out << "Deneme hizi " << fixed(in.Vtrial, 2) << " kn: RTOTAL = "
          << fixed(findColumn(r.resistance, "RTOTAL_kN")->values[i], 2)
          << " kN, PE = " << fixed(findColumn(r.resistance, "PE_kW")->values[i], 1) << " kW\n";
    }
  }
  if (r.propeller) {
    const PropellerResults& p = *r.propeller;
    if (p.operatingPoint)
      out << "Pervane (" << (p.NSERIES == 2 ? "Gawn" : "Wageningen B") << "): D = " << fixed(p.D, 3)
          << " m, N = " << fixed(p.N, 2) << " 1/dk, P/D = " << fixed(p.PoD, 3) << ", EAR = " << fixed(p.EAR, 3)
          << ", Z = " << fixed(p.Z, 0) << ", eta0 = " << fixed(p.ETA0, 3) << "\n";
    if (p.etadAssumed)
      out << "etad: varsayilan " << fixed(*p.etadAssumed, 3)
          << (p.etadComputed ? ", hesaplanan " + fixed(*p.etadComputed, 3) : std::string()) << "\n";
    if (p.powerChain) out << "Pb = " << fixed(p.Pb, 2) << " kW, Pbm = " << fixed(p.Pbm, 2) << " kW\n";
  }
  if (r.reach) {
    if (r.reach->beyondList)
      out << "Ulasilacak hiz: " << fixed(r.reach->V, 2) << " kn'nin uzerinde (hiz listesinin otesinde)\n";
    else
      out << "Ulasilacak hiz: " << fixed(r.reach->V, 2) << " kn\n";
  }
  switch (r.end) {
    case EndKind::Completed: out << "Bitis: hesap tamamlandi\n"; break;
    case EndKind::Stopped: out << "Bitis: hesap durdu: " << r.endMessage << "\n"; break;
    case EndKind::ReadFailure: out << "Bitis: okuma hatasi: " << r.endMessage << "\n"; break;
    case EndKind::InternalFault: out << "Bitis: program ic hatasi: " << r.endMessage << "\n"; break;
  }
  for (const std::string& w : r.meta.warnings) out << "UYARI: " << w << "\n";
  out << "Yazilan dosyalar (" << dir.string() << "):";
  for (const std::string& f : r.meta.files) out << " " << f;
  out << "\n";
}

}  // namespace

Calculation calculate(const std::string& inputText, const Options& opt, const fs::path& dir, bool writeFiles,
                      std::ostream& transcript, std::ostream& notes, const std::string& firstEtad) {
  Calculation c;
  // One run of the calculation; files are written only when asked.
  std::ostringstream discard;
  auto runOnce = [&](const std::string& etadText, bool files) {
    std::istringstream answers(dialogueAnswers(etadText, opt.Z, opt.EAR));
    RunOptions ro;
    ro.workDir = dir;
    ro.inputText = inputText;
    ro.outputs.writeFiles = files;
    ro.outputs.echoConsole = opt.verbose;
    RunState s;
    runProgram(answers, opt.verbose ? transcript : discard, ro, &s);
    return s;
  };

  if (opt.etad) {
    c.etadText = floatText(*opt.etad);
    c.etadTried.push_back(*opt.etad);
    c.state = runOnce(c.etadText, writeFiles);
    return c;
  }
  // The efficiency loop: the computed efficiency does not depend on the
  // assumed one, so the second run normally settles. Only a run that is
  // the last writes files: a first run that did not stop at the check is
  // repeated with files when they are wanted.
  std::string etadText = firstEtad;
  bool written = !writeFiles;
  for (int k = 1; k <= kMaxEfficiencyRuns; ++k) {
    c.etadTried.push_back(parsed(etadText));
    const bool files = writeFiles && k > 1;
    c.state = runOnce(etadText, files);
    written = written || files;
    c.settled = !stoppedAtEfficiencyCheck(c.state);
    if (c.settled) break;
    const std::string next = efficiencyAsTyped(c.state.prop.stage.etadC);
    if (k == kMaxEfficiencyRuns) {
      notes << "Verim " << kMaxEfficiencyRuns << " calismada oturmadi (son hesaplanan etad = " << next << ")\n";
      break;
    }
    notes << "Calisma " << k << ": varsayilan etad = " << etadText << ", hesaplanan = " << next
          << "; etad = " << next << " ile yeniden calistiriliyor\n";
    etadText = next;
  }
  if (!written) c.state = runOnce(etadText, true);
  if (c.settled && c.etadTried.size() > 1)
    notes << "Verim " << c.etadTried.size() << ". calismada oturdu: etad = " << etadText << "\n";
  c.etadText = etadText;
  return c;
}

Outcome runCompanion(const Options& opt, std::ostream& out, std::ostream& err) {
  Outcome o;
  // The input file: its own text, or a TOML ship or settings written in the
  // program's layout; read before anything is written.
  std::string inputText;
  try {
    inputText = opt.inputText ? *opt.inputText : inputTextOf(opt.input, opt.settings);
  } catch (const ShipInputError& e) {
    err << e.what() << "\n";
    o.status = exitStatusFor(EndKind::ReadFailure);
    return o;
  } catch (const VariantOptionError& e) {
    err << "gemiguc-analiz: " << e.what() << "\n";
    o.status = kBadOptionStatus;
    return o;
  }
  std::error_code ec;
  o.outDir = opt.outDir ? *opt.outDir : opt.input.parent_path() / "analiz";
  if (const auto fault = prepareFolder(o.outDir)) {
    err << *fault << "\n";
    o.status = exitStatusFor(EndKind::ReadFailure);
    return o;
  }
  removeOldExports(o.outDir);

  RunMeta meta;
  meta.version = std::string("gemiguc-analiz ") + kAnalysisVersion + " (hesap " + kCalculationVersion + ")";
  meta.input = opt.input.string();
  out << meta.version << ": " << opt.input.string() << "\n";

  Calculation calc = calculate(inputText, opt, o.outDir, true, out, out);
  o.state = std::move(calc.state);
  meta.etadTried = std::move(calc.etadTried);

  const RunState& s = o.state;
  const EndKind end = endKindOf(s.ending);
  if (s.in.NSERIES == 2 && s.prop.stage.ITR != 0 && opt.Z != 3)
    out << "Gawn serisi 3 kanatlidir: --z " << opt.Z << " yerine Z = 3 kullanildi\n";
  for (const char* name : {kEchoFileName, kReportFileName, kModelReportFileName})
    if (fs::exists(o.outDir / name, ec)) meta.files.push_back(name);
  Results r = buildResults(s, end, s.ending.message, std::move(meta));
  try {
    writeTables(r, o.outDir);
    writePlotsAndPage(r, opt.html, inputText, o.outDir);
    writeJson(r, o.outDir);
  } catch (const std::exception& e) {
    err << e.what() << "\n";
    o.status = exitStatusFor(EndKind::ReadFailure);
    o.results = std::move(r);
    return o;
  }
  writeSummary(out, r, o.outDir);
  for (const std::string& line : applicabilityConsoleLines(r.applicability)) out << line << "\n";
  if (end == EndKind::ReadFailure || end == EndKind::InternalFault) err << r.endMessage << "\n";
  o.status = r.exitStatus;
  o.results = std::move(r);
  return o;
}

}  // namespace gemi::analysis
