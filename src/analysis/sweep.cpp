#include "analysis/sweep.h"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <condition_variable>
#include <csignal>
#include <limits>
#include <mutex>
#include <sstream>
#include <thread>
#include <unistd.h>

#include "analysis/companion.h"
#include "analysis/command_line.h"
#include "analysis/plots.h"
#include "analysis/toml_input.h"
#include "reports/applicability.h"

namespace gemi::analysis {

namespace fs = std::filesystem;

namespace {

constexpr float kNone = std::numeric_limits<float>::quiet_NaN();

// Ctrl-C during a sweep: the handler only raises this flag; the sweep stops
// taking new variants and writes the rows it has. The handler is installed
// for the duration of the runs and reset by the first signal, so a second
// Ctrl-C ends the program at once.
std::atomic<bool> interruptRequested{false};
static_assert(std::atomic<bool>::is_always_lock_free);

extern "C" void onInterrupt(int) { interruptRequested.store(true); }

class InterruptWatch {
 public:
  InterruptWatch() {
    interruptRequested.store(false);
    struct sigaction sa {};
    sa.sa_handler = onInterrupt;
    sigemptyset(&sa.sa_mask);
    sa.sa_flags = SA_RESETHAND;
    installed_ = sigaction(SIGINT, &sa, &previous_) == 0;
  }
  ~InterruptWatch() {
    if (installed_) sigaction(SIGINT, &previous_, nullptr);
  }
  InterruptWatch(const InterruptWatch&) = delete;
  InterruptWatch& operator=(const InterruptWatch&) = delete;

 private:
  struct sigaction previous_ {};
  bool installed_ = false;
};

std::string csvField(const std::string& text) {
  if (text.find_first_of(",\"\n\r") == std::string::npos) return text;
  std::string q = "\"";
  for (char c : text) {
    if (c == '"') q += '"';
    q += c == '\n' || c == '\r' ? ' ' : c;
  }
  return q + "\"";
}

std::string number(float v) { return std::isfinite(v) ? floatText(v) : std::string(); }

std::string secondsText(double s) {
  if (s < 60) return std::to_string(static_cast<int>(s + 0.5)) + " s";
  const int m = static_cast<int>(s / 60);
  return std::to_string(m) + " dk " + std::to_string(static_cast<int>(s - 60.0 * m)) + " s";
}

}  // namespace

std::string burrillVerdict(float EAR, const std::optional<float>& EAR25, const std::optional<float>& EAR50) {
  if (!EAR25 || !EAR50) return "yok";
  if (EAR >= *EAR25) return "2.5";
  if (EAR >= *EAR50) return "5";
  return "5_ustu";
}

std::string sweepCsv(const std::vector<SweepAxis>& axes, const std::vector<std::string>& fileNames,
                     const std::vector<VariantRow>& rows, bool complete) {
  const bool files = fileNames.size() > 1;
  std::string out = "varyant";
  if (files) out += ",girdi";
  for (const SweepAxis& a : axes) out += "," + csvField(a.name);
  out +=
      ",RTOTAL_kN,PE_kW,D_m,N_1_min,P_D,EAR_pervane,Z_pervane,ETA0,etad_hesaplanan,Pb_kW,Pbm_kW,Sigma,burrill,"
      "Vtip_m_s,Vulas_kn,Vulas_liste_otesi,bulgu,bitis\n";
  std::size_t done = 0;
  for (std::size_t i = 0; i < rows.size(); ++i) {
    const VariantRow& r = rows[i];
    if (!r.done) continue;
    ++done;
    out += std::to_string(i + 1);
    if (files) out += "," + csvField(r.file < fileNames.size() ? fileNames[r.file] : std::string());
    for (const float v : r.axisValues) out += "," + number(v);
    for (const float v : {r.RTOTAL, r.PE, r.D, r.N, r.PoD, r.EAR, r.Z, r.ETA0, r.etad, r.Pb, r.Pbm, r.Sigma})
      out += "," + number(v);
    out += "," + csvField(r.burrill);
    for (const float v : {r.Vtip, r.Vreach, r.beyondList, r.findings}) out += "," + number(v);
    out += "," + csvField(r.ending) + "\n";
  }
  if (!complete)
    out += "# TAMAMLANMADI: " + std::to_string(done) + " / " + std::to_string(rows.size()) +
           " varyant hesaplandi (kullanici durdurdu)\n";
  return out;
}

VariantRow rowOf(const Results& r, const RunState& s, std::size_t file, const std::vector<float>& axisValues) {
  VariantRow row;
  row.done = true;
  row.file = file;
  row.axisValues = axisValues;
  row.RTOTAL = row.PE = kNone;
  if (const Column* vs = findColumn(r.resistance, "Vs_kn")) {
    for (std::size_t i = 0; i < vs->values.size(); ++i) {
      if (std::fabs(vs->values[i] - r.input.Vtrial) >= 0.001f) continue;
      row.RTOTAL = findColumn(r.resistance, "RTOTAL_kN")->values[i];
      row.PE = findColumn(r.resistance, "PE_kW")->values[i];
      break;
    }
  }
  row.D = row.N = row.PoD = row.EAR = row.Z = row.ETA0 = row.etad = row.Pb = row.Pbm = row.Sigma = row.Vtip = kNone;
  if (r.propeller) {
    const PropellerResults& p = *r.propeller;
    if (p.operatingPoint) row.D = p.D, row.N = p.N, row.PoD = p.PoD, row.ETA0 = p.ETA0;
    if (p.Z != 0.0f) row.Z = p.Z, row.EAR = p.EAR;
    if (p.etadComputed) row.etad = *p.etadComputed;
    if (p.powerChain) row.Pb = p.Pb, row.Pbm = p.Pbm;
    if (p.Sigma != 0.0f) {
      row.Sigma = p.Sigma, row.Vtip = p.Vtip;
      row.burrill = burrillVerdict(p.EAR, p.EAR25, p.EAR50);
    }
  }
  row.Vreach = row.beyondList = kNone;
  if (r.reach) row.Vreach = r.reach->V, row.beyondList = r.reach->beyondList ? 1.0f : 0.0f;
  row.findings = static_cast<float>(countOutside(checkApplicability(s)));
  row.end = r.end;
  row.ending = r.end == EndKind::Completed ? std::string("tamamlandi") : r.endMessage;
  return row;
}

std::size_t runInParallel(std::size_t count, unsigned jobs, const std::function<void(std::size_t, unsigned)>& work,
                          const std::atomic<bool>& stop, const std::function<void(std::size_t)>& tick) {
  if (jobs == 0) jobs = std::max(1u, std::thread::hardware_concurrency());
  jobs = static_cast<unsigned>(std::min<std::size_t>(jobs, std::max<std::size_t>(count, 1)));
  std::atomic<std::size_t> next{0};
  std::size_t done = 0, running = jobs;
  std::mutex m;
  std::condition_variable changed;
  std::exception_ptr fault;
  auto worker = [&](unsigned t) {
    for (;;) {
      if (stop.load()) break;
      const std::size_t i = next.fetch_add(1);
      if (i >= count) break;
      try {
        work(i, t);
      } catch (...) {
        std::lock_guard lock(m);
        if (!fault) fault = std::current_exception();
      }
      std::lock_guard lock(m);
      ++done;
      changed.notify_one();
    }
    std::lock_guard lock(m);
    --running;
    changed.notify_one();
  };
  std::vector<std::thread> threads;
  for (unsigned t = 0; t < jobs; ++t) threads.emplace_back(worker, t);
  {
    std::unique_lock lock(m);
    while (running > 0) {
      changed.wait_for(lock, std::chrono::milliseconds(200));
      const std::size_t now = done;
      lock.unlock();
      tick(now);
      lock.lock();
    }
  }
  for (std::thread& t : threads) t.join();
  tick(done);
  if (fault) std::rethrow_exception(fault);
  return done;
}

bool isSweep(const Options& opt) { return !opt.axes.empty() || opt.inputs.size() > 1; }

namespace {

// A variant's row: the calculation without files (the efficiency loop
// included), or, with --hepsi, a whole companion run into its own folder.
// `etadHint` is the efficiency the previous variant of this thread settled
// at, where this one's loop starts; it is updated.
VariantRow runVariant(const Options& opt, const VariantSet& set, const fs::path& dir,
                      const std::vector<fs::path>& inputs, const std::vector<std::string>& stems, std::size_t index,
                      std::string& etadHint) {
  const Variant v = set.at(index);
  Options vo = opt;
  vo.Z = v.answers.Z;
  vo.EAR = v.answers.EAR;
  vo.etad = v.answers.etad;
  vo.verbose = false;
  vo.settings.clear();
  vo.axes.clear();
  std::ostringstream sink;
  if (opt.everyVariantsFiles) {
    vo.input = inputs[v.file];
    vo.inputText = v.inputText;
    vo.outDir = dir / set.folderName(v, stems);
    std::ostringstream faults;
    const Outcome o = runCompanion(vo, sink, faults);
    if (o.results) return rowOf(*o.results, o.state, v.file, v.axisValues);
    VariantRow row;  // the variant's folder could not be written
    row.done = true;
    row.file = v.file;
    row.axisValues = v.axisValues;
    row.RTOTAL = row.PE = row.D = row.N = row.PoD = row.EAR = row.Z = row.ETA0 = row.etad = row.Pb = row.Pbm =
        row.Sigma = row.Vtip = row.Vreach = row.beyondList = row.findings = kNone;
    row.end = EndKind::ReadFailure;
    row.ending = faults.str();
    while (!row.ending.empty() && row.ending.back() == '\n') row.ending.pop_back();
    return row;
  }
  const Calculation c = calculate(v.inputText, vo, dir, false, sink, sink, etadHint);
  if (!vo.etad && c.settled && c.state.prop.stage.etadC != 0.0f) etadHint = c.etadText;
  const Results r = buildResults(c.state, endKindOf(c.state.ending), c.state.ending.message, RunMeta{});
  return rowOf(r, c.state, v.file, v.axisValues);
}

// The input file's own value of the swept quantity, marked in the plot.
std::optional<float> baseValue(const Options& opt, const ShipValues& ship, const std::string& name) {
  if (name == kBladesName) return static_cast<float>(opt.Z);
  if (name == kAreaRatioName) return opt.EAR;
  if (name == kEfficiencyName) return opt.etad;
  const ValueInfo* info = findValue(name);
  if (!info) return std::nullopt;
  ShipValues copy = ship;
  const ValueRef ref = info->ref(copy);
  if (auto* i = std::get_if<int*>(&ref)) return static_cast<float>(**i);
  if (auto* f = std::get_if<float*>(&ref)) return **f;
  return std::nullopt;
}

std::string axisCaption(const std::string& name) {
  const ValueInfo* info = findValue(name);
  if (name == kBladesName) return "Kanat sayisi Z";
  if (name == kAreaRatioName) return "Acinim alani orani EAR";
  if (name == kEfficiencyName) return "Varsayilan etad";
  if (!info) return name;
  return std::string(info->comment.substr(0, info->comment.find(';'))) + " " + name +
         (info->unit.empty() ? std::string() : " (" + std::string(info->unit) + ")");
}

void writePlot(const Options& opt, const ShipValues& ship, const SweepAxis& axis, const std::vector<VariantRow>& rows,
               const fs::path& dir) {
  VariantSweep plot;
  plot.title = "Varyantlar: " + axis.name;
  plot.xCaption = axisCaption(axis.name);
  SweepQuantity reach{"Ulasilacak hiz (kn)", {}}, pb{"Pb (kW)", {}}, eta0{"eta0", {}};
  for (const VariantRow& r : rows) {
    if (!r.done) continue;
    plot.x.push_back(r.axisValues.front());
    reach.values.push_back(r.Vreach);
    pb.values.push_back(r.Pb);
    eta0.values.push_back(r.ETA0);
  }
  plot.quantities = {reach, pb, eta0};
  plot.baseX = baseValue(opt, ship, axis.name);
  writeSvgFile(dir / kSweepSvg, variantSweepPlot(plot));
}

}  // namespace

int runSweep(const Options& opt, bool progress, std::ostream& out, std::ostream& err, const std::atomic<bool>* stop) {
  auto bad = [&](const std::string& what) {
    err << "gemiguc-analiz: " << what << "\n";
    return kBadOptionStatus;
  };
  // The options first: nothing is read for a sweep that cannot be formed.
  try {
    for (const std::string& s : opt.settings) checkSetting(s);
  } catch (const VariantOptionError& e) {
    return bad(e.what());
  }
  const std::vector<fs::path> inputs = opt.inputs.empty() ? std::vector<fs::path>{opt.input} : opt.inputs;
  std::vector<ShipValues> ships;
  std::vector<std::string> names, stems;
  for (const fs::path& f : inputs) {
    try {
      ships.push_back(readShipFile(f));
    } catch (const ShipInputError& e) {
      err << e.what() << "\n";
      return exitStatusFor(EndKind::ReadFailure);
    }
    names.push_back(f.string());
    stems.push_back(f.stem().string());
  }
  std::optional<VariantSet> set;
  try {
    set.emplace(ships, opt.settings, opt.axes, Answers{opt.Z, opt.EAR, opt.etad});
  } catch (const VariantOptionError& e) {
    return bad(e.what());
  }

  const fs::path dir = opt.outDir ? *opt.outDir : inputs.front().parent_path() / "analiz";
  std::error_code ec;
  fs::create_directories(dir, ec);
  if (ec || !fs::is_directory(dir)) {
    err << "CIKTI KLASORU OLUSTURULAMADI: " << dir.string() << "\n";
    return exitStatusFor(EndKind::ReadFailure);
  }
  // A table of an earlier sweep would look like this one's.
  for (const char* name : {kSweepCsv, kSweepSvg}) fs::remove(dir / name, ec);

  const std::size_t total = set->size();
  const unsigned jobs = opt.jobs ? opt.jobs : std::max(1u, std::thread::hardware_concurrency());
  out << "gemiguc-analiz " << kAnalysisVersion << ": " << total << " varyant, " << jobs << " paralel calisma\n";

  std::vector<VariantRow> rows(total);
  std::optional<InterruptWatch> watch;
  if (!stop) watch.emplace();
  const std::atomic<bool>& stopFlag = stop ? *stop : interruptRequested;
  const auto started = std::chrono::steady_clock::now();
  auto tick = [&](std::size_t done) {
    if (!progress) return;
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
    const double rate = seconds > 0 ? static_cast<double>(done) / seconds : 0.0;
    err << "\r" << done << "/" << total << " varyant, " << static_cast<long>(rate + 0.5) << " varyant/s";
    if (rate > 0 && done < total) err << ", kalan " << secondsText(static_cast<double>(total - done) / rate);
    err << "    " << std::flush;
  };
  std::size_t done = 0;
  // Each thread's last settled efficiency (each thread writes only its own).
  std::vector<std::string> hints(jobs, "0.600");
  try {
    done = runInParallel(
        total, jobs,
        [&](std::size_t i, unsigned t) { rows[i] = runVariant(opt, *set, dir, inputs, stems, i, hints[t]); },
        stopFlag, tick);
  } catch (const std::exception& e) {
    err << "PROGRAM IC HATASI: " << e.what() << "\n";
    return exitStatusFor(EndKind::InternalFault);
  }
  watch.reset();
  if (progress) err << "\n";
  const bool complete = done == total && std::all_of(rows.begin(), rows.end(), [](const VariantRow& r) { return r.done; });

  try {
    writeWhole(dir, kSweepCsv, sweepCsv(set->axes(), names, rows, complete));
    if (set->axes().size() == 1 && inputs.size() == 1) writePlot(opt, ships.front(), set->axes().front(), rows, dir);
  } catch (const std::exception& e) {
    err << e.what() << "\n";
    return exitStatusFor(EndKind::ReadFailure);
  }
  std::size_t completed = 0, faults = 0, ran = 0;
  for (const VariantRow& r : rows) {
    ran += r.done;
    completed += r.done && r.end == EndKind::Completed;
    faults += r.done && r.end == EndKind::InternalFault;
  }
  out << ran << " varyant hesaplandi: " << completed << " tamamlandi, " << ran - completed
      << " durdu (nedeni bitis sutununda)\n";
  out << "Yazilan dosyalar (" << dir.string() << "): " << kSweepCsv
      << (set->axes().size() == 1 && inputs.size() == 1 ? std::string(" ") + kSweepSvg : std::string()) << "\n";
  if (!complete) {
    err << "Tarama durduruldu: " << ran << " / " << total << " varyant hesaplandi; tablo eksik olarak isaretlendi\n";
    return kInterruptedStatus;
  }
  return faults ? exitStatusFor(EndKind::InternalFault) : 0;
}

int runAnalysis(const Options& opt, bool progress, std::ostream& out, std::ostream& err) {
  if (opt.tomlToTsk || opt.tskToToml) {
    try {
      const fs::path written = opt.tomlToTsk ? tomlToTsk(*opt.tomlToTsk, opt.outDir, opt.overwrite)
                                             : tskToToml(*opt.tskToToml, opt.outDir, opt.overwrite);
      out << "Yazildi: " << written.string() << "\n";
      return 0;
    } catch (const ShipInputError& e) {
      err << e.what() << "\n";
    } catch (const ConversionError& e) {
      err << e.what() << "\n";
    }
    return exitStatusFor(EndKind::ReadFailure);
  }
  if (isSweep(opt)) return runSweep(opt, progress, out, err);
  return runCompanion(opt, out, err).status;
}

}  // namespace gemi::analysis
