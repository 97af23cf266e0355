#include "analysis/command_line.h"

#include <CLI/CLI.hpp>
#include <charconv>
#include <cmath>

namespace gemi::analysis {

std::optional<float> parseReal(const std::string& text) {
  const char* first = text.data();
  const char* last = first + text.size();
  if (first != last && *first == '+') ++first;
  float v = 0.0f;
  const auto r = std::from_chars(first, last, v, std::chars_format::general);
  if (r.ec != std::errc() || r.ptr != last || !std::isfinite(v)) return std::nullopt;
  return v;
}

namespace {

constexpr const char* kGroup = "SECENEKLER";

std::string versionText() {
  return std::string("gemiguc-analiz ") + kAnalysisVersion + " (hesap surumu " + kCalculationVersion + ")";
}

// CLI11 words of the help text in Turkish.
void turkishLabels(CLI::App& app) {
  auto f = app.get_formatter();
  f->label("Usage", "Kullanim");
  f->label("OPTIONS", "SECENEKLER");
  f->label("Positionals", "KONUMSAL");
  f->label("REQUIRED", "GEREKLI");
  f->label("TEXT", "METIN");
  f->column_width(26);
}

// A command-line error in Turkish, with CLI11's own words where they name
// what was given.
std::string turkishError(const CLI::ParseError& e) {
  const std::string what = e.what();
  if (dynamic_cast<const CLI::ExtrasError*>(&e)) return "bilinmeyen secenek veya fazla arguman: " + what;
  if (dynamic_cast<const CLI::ArgumentMismatch*>(&e)) return "secenegin degeri eksik veya fazla: " + what;
  return "komut satiri hatasi: " + what;
}

}  // namespace

int parseCommandLine(int argc, const char* const* argv, Options& opt, std::ostream& out, std::ostream& err) {
  CLI::App app("Gemi direnci ve sevk hesabini diyalogsuz calistirir; tablolar (CSV) ve sonuc.json yazar.",
               "gemiguc-analiz");
  turkishLabels(app);
  app.set_help_flag("-h,--help", "Bu yardimi gosterir");
  app.set_version_flag("--version", versionText(), "Surumu gosterir");
  app.get_help_ptr()->group(kGroup);
  app.get_version_ptr()->group(kGroup);
  app.footer(
      "Ciktilar (cikti klasorunde): KR-22-03-2017.CRL, KR-22-03-2017.SON, gerekirse TANK_ANALIZI_DEGERI.SON\n"
      "(gemiguc ile ayni), direnc.csv, sevk.csv, acik_su.csv, arama.csv, sonuc.json.\n"
      "Cikis kodlari: 0 hesap tamamlandi, 3 hesap tasarim gerekcesiyle durdu, 1 okuma/yazma hatasi,\n"
      "2 gecersiz secenek.");

  std::string input = opt.input.string(), etad = "oto", z, ear, out_dir;
  bool verbose = false;
  app.add_option("GIRDI", input, "Girdi dosyasi (varsayilan ./KR-22-03-2017.TSK)")->type_name("DOSYA");
  app.add_option("--etad", etad,
                 "Varsayilan genel sevk verimi; oto (varsayilan): 0.600 ile baslar, verim kontrolu durdurursa "
                 "hesaplanan verimle en cok 5 kez yeniden calisir")
      ->type_name("X|oto")
      ->group(kGroup);
  app.add_option("--z", z, "Kanat sayisi (varsayilan 4; Gawn serisi 3 alir)")->type_name("N")->group(kGroup);
  app.add_option("--ear", ear, "Acinim alani orani (varsayilan: Keller degeri kalir)")->type_name("X")->group(kGroup);
  app.add_option("--cikti", out_dir, "Cikti klasoru (varsayilan: girdi dosyasinin yanindaki analiz/)")
      ->type_name("KLASOR")
      ->group(kGroup);
  app.add_flag("--ayrintili", verbose, "Programin kendi konsol dokumunu de gosterir")->group(kGroup);

  try {
    app.parse(argc, argv);
  } catch (const CLI::CallForHelp&) {
    out << app.help();
    return 0;
  } catch (const CLI::CallForVersion&) {
    out << versionText() << "\n";
    return 0;
  } catch (const CLI::ParseError& e) {
    err << "gemiguc-analiz: " << turkishError(e) << "\n" << "Yardim icin: gemiguc-analiz --help\n";
    return kBadOptionStatus;
  }

  auto bad = [&](const std::string& what) {
    err << "gemiguc-analiz: " << what << "\n" << "Yardim icin: gemiguc-analiz --help\n";
    return kBadOptionStatus;
  };
  opt.input = input;
  opt.verbose = verbose;
  if (etad != "oto") {
    const auto v = parseReal(etad);
    // The dialogue takes an efficiency above 0 and below 1 only.
    if (!v || !(*v > 0.0f && *v < 1.0f))
      return bad("--etad icin 0 ile 1 arasinda (ikisi de haric) bir sayi (ondalik ayrac nokta) veya oto gerekir: '" +
                 etad + "'");
    opt.etad = v;
  }
  if (!z.empty()) {
    int n = 0;
    const auto r = std::from_chars(z.data(), z.data() + z.size(), n);
    if (r.ec != std::errc() || r.ptr != z.data() + z.size() || n < 2 || n > 7)
      return bad("--z icin 2 ile 7 arasinda bir tam sayi gerekir: '" + z + "'");
    opt.Z = n;
  }
  if (!ear.empty()) {
    const auto v = parseReal(ear);
    if (!v || !(*v > 0.0f && *v <= 2.0f))
      return bad("--ear icin 0 ile 2 arasinda bir sayi (ondalik ayrac nokta) gerekir: '" + ear + "'");
    opt.EAR = v;
  }
  if (!out_dir.empty()) opt.outDir = out_dir;
  return -1;
}

}  // namespace gemi::analysis
