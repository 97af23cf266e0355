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
      "(gemiguc ile ayni), direnc.csv, sevk.csv, acik_su.csv, arama.csv, direnc.svg, guc.svg,\n"
      "acik_su.svg, burrill.svg, rapor.html, sonuc.json.\n"
      "Cikis kodlari: 0 hesap tamamlandi, 3 hesap tasarim gerekcesiyle durdu, 1 okuma/yazma hatasi,\n"
      "2 gecersiz secenek.\n"
      "Tarama (--tara, listeli --z/--ear/--etad, birden cok girdi): varyantlar.csv, tek taranan degerde\n"
      "varyantlar.svg; cikis kodu 0 her varyant calisti, 1 girdi okunamadi, 2 gecersiz secenek,\n"
      "130 Ctrl-C ile durduruldu (tablo eksik olarak isaretlenir).");

  std::string input = opt.input.string(), etad = "oto", z, ear, out_dir;
  bool verbose = false, html = opt.html;
  std::vector<std::string> inputs{input}, settings, ranges;
  std::string tskOf, tomlOf;
  unsigned jobs = 0;
  bool every = false, overwrite = false;
  app.add_option("GIRDI", inputs,
                 "Girdi dosyasi: programin .TSK dosyasi veya .toml gemi dosyasi (varsayilan ./KR-22-03-2017.TSK); "
                 "birden cok dosya tek varyant tablosunda karsilastirilir")
      ->type_name("DOSYA...");
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
  app.add_option("--set", settings, "Girdi degerini adiyla degistirir (tekrarlanabilir; ornek B=33, VS=15,17,19)")
      ->type_name("AD=DEGER")
      ->allow_extra_args(false)
      ->group(kGroup);
  app.add_option("--tara", ranges,
                 "Degeri bir aralikta veya listede tarar (tekrarlanabilir; kartezyen carpim): AD=BASLA:BITIS:ADIM "
                 "veya AD=a,b,c; --z, --ear, --etad de liste veya aralik alir")
      ->type_name("AD=ARALIK")
      ->allow_extra_args(false)
      ->group(kGroup);
  app.add_option("-j", jobs, "Taramada ayni anda calisan varyant sayisi (varsayilan: tum cekirdekler)")
      ->type_name("N")
      ->check(CLI::Range(1u, 1024u).description(""))
      ->group(kGroup);
  app.add_flag("--hepsi", every, "Taramada her varyantin kendi dosyalarini da kendi alt klasorune yazar")->group(kGroup);
  app.add_option("--tsk-yaz", tomlOf, "TOML gemi dosyasindan programin girdi dosyasini (KR-22-03-2017.TSK) yazar")
      ->type_name("X.toml")
      ->group(kGroup);
  app.add_option("--toml-yaz", tskOf, "Girdi dosyasindan TOML gemi dosyasini (X.toml) yazar")
      ->type_name("X.TSK")
      ->group(kGroup);
  app.add_flag("--uzerine-yaz", overwrite, "--tsk-yaz ve --toml-yaz var olan dosyanin uzerine yazar")->group(kGroup);
  app.add_flag("--html", html, "rapor.html sayfasini yazar (varsayilan; --html=false yazmaz)")->group(kGroup);

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
  opt.verbose = verbose;
  opt.input = inputs.front();
  opt.inputs.assign(inputs.begin(), inputs.end());
  opt.settings = settings;
  opt.jobs = jobs;
  opt.everyVariantsFiles = every;
  opt.overwrite = overwrite;
  try {
    for (const std::string& s : settings) checkSetting(s);
    for (const std::string& r : ranges) opt.axes.push_back(parseAxis(r));
    // --z, --ear and --etad with a list or a range sweep; one value is an answer.
    const std::pair<std::string_view, std::string*> answers[] = {
        {kBladesName, &z}, {kAreaRatioName, &ear}, {kEfficiencyName, &etad}};
    for (const auto& [name, text] : answers) {
      if (text->find_first_of(",:") == std::string::npos) continue;
      opt.axes.push_back(parseAxis(name, *text));
      *text = name == kEfficiencyName ? "oto" : "";
    }
  } catch (const VariantOptionError& e) {
    return bad(e.what());
  }
  if (!tomlOf.empty() || !tskOf.empty()) {
    if (!tomlOf.empty() && !tskOf.empty()) return bad("--tsk-yaz ile --toml-yaz birlikte verilemez");
    if (app.count("GIRDI") > 0 || !settings.empty() || !opt.axes.empty())
      return bad("--tsk-yaz ve --toml-yaz yalnizca donusturur: girdi dosyasi, --set veya tarama ile verilmez");
    if (!tomlOf.empty()) opt.tomlToTsk = tomlOf;
    if (!tskOf.empty()) opt.tskToToml = tskOf;
  }
  if (every && opt.axes.empty() && inputs.size() < 2)
    return bad("--hepsi yalnizca taramada (--tara, liste, birden cok girdi dosyasi) kullanilir");
  opt.html = html;
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
