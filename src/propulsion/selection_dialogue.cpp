#include "propulsion/selection_dialogue.h"

#include <cmath>
#include <string>
#include <string_view>

#include "numeric/interp.h"
#include "propulsion/cavitation.h"
#include "propulsion/propeller_search.h"
#include "propulsion/stage_common.h"

namespace gemi {
namespace {

// How often an answer out of its range is asked again before the run ends
// with a read failure.
constexpr int kAskAgain = 3;

// After an answer out of its range: what is accepted, then the question
// again; after kAskAgain of them the read fails.
void askAgain(Run& run, int& invalid, std::string_view question, const std::string& what,
              const std::string& accepted) {
  if (++invalid > kAskAgain)
    throw ReadFailure(run.conIn.failureMessage(run.conIn.lineNumber(), what,
                                               "gecersiz cevap " + std::to_string(invalid) +
                                                   " kez verildi; " + accepted + "."));
  write(run.con, "(/4X,'GECERSIZ CEVAP - ',A)", {accepted});
  write(run.con, question);
}

// One free-form real from the console into `value`, asked again while
// `valid` does not hold; a "/" answer leaves it as it is. `question` is the
// template that asked it.
template <typename Valid>
void readAnswer(Run& run, float& value, std::string_view question, const std::string& what, Valid valid,
                const std::string& accepted) {
  for (int invalid = 0;;) {
    flushBeforeWaiting(run);
    const ListTarget target[] = {&value};
    run.conIn.readList(target, what);
    if (valid(value)) return;
    askAgain(run, invalid, question, what, accepted);
  }
}

// Yes/no answer read by its first character: "E" or "e" (evet) means yes,
// "H" or "h" (hayir) and an empty line no; any other answer is asked again.
bool readYes(Run& run, std::string_view question) {
  for (int invalid = 0;;) {
    flushBeforeWaiting(run);
    const char c = run.conIn.readText(1)[0];
    if (c == 'E' || c == 'e') return true;
    if (c == 'H' || c == 'h' || c == ' ') return false;
    askAgain(run, invalid, question, "evet/hayir cevabi", "CEVAP E (EVET) VEYA H (HAYIR) OLMALIDIR");
  }
}

void writeOptimumHeading(Run& run) {
  RecordSink& rep = run.report;
  write(rep, "(3/1X,64('='))");
  write(rep, "(2X,' OPTIMUM PERVANENIN TESPITI')");
  write(rep, "(1X,64('='))");
  write(rep, R"((                                                       2X,'(Pervane makinadan aldigi gucu absorbe etmelidir.'/         2X,' Boylece optimum devir (RPM) maximum pervane verimine karsi gelir.)'))");
  write(rep, "(1X,64('='))");
}

// Assumed efficiency, delivered power, advance speed and thrust per propeller.
void askEfficiencyAndThrust(Run& run) {
  const InputData& in = run.s.in;
  StageState& st = run.s.prop.stage;
  constexpr std::string_view kQuestion =
      "(/4X,                                                    'BASLANGIC ICIN GENEL VERIMI GIRIN - etad ==> (0.50-0.70)')";
  write(run.con, kQuestion);
  readAnswer(run, st.etad, kQuestion, "genel sevk verimi etad", [](float v) { return v > 0.0f && v < 1.0f; },
             "GENEL SEVK VERIMI etad 0 DAN BUYUK VE 1 DEN KUCUK OLMALIDIR");
  st.etadIn = st.etad;
  write(run.report, "(4X,'BASLANGIC ICIN VARSAYILAN etaD = ',F5.3,         2X,'OLARAK ALINMISTIR')", {st.etad});

  st.Pd = st.PEtr / st.etad;
  st.Va = (1.0f - st.w) * in.Vtrial;
  write(run.report, "(2X,                                                    '  Pd = Pe/etad = ',F8.2,'/',F5.3,' = ',F8.2,' kW' )",
        {st.PEtr, st.etad, st.Pd});
  write(run.report, "(2X,                                                    '  Va = Vs(trial)*(1-w) = ',F6.3,'*(1 -',F5.3,') = ',F6.3,  ' knots' )",
        {in.Vtrial, st.w, st.Va});
  write(run.report, "(2X,'  Pervane Sayisi - NPROP = ',I2)", {in.NPROP});

  st.Rt = st.PEtr / (in.Vtrial * kKnot);
  st.Tp = st.Rt / (1.0f - st.t) / static_cast<float>(in.NPROP);
  write(run.report, "(2X,                                                    '  Rt = Pe/(0.5144*Vs) = ',F8.2,'/(0.5144*',F6.3,') = ',F8.2' kN' )",
        {st.PEtr, in.Vtrial, st.Rt});
  write(run.report, "(2X,                                                    '  T  = ( Rt/(1-t) ) / Nprop = (',F8.2,'/(1-',F5.3,') ) / ',  I2,' = ',F8.2,' kN' )",
        {st.Rt, st.t, in.NPROP, st.Tp});
  write(run.report, "(///)");
}

void writeDiameterNote(Run& run) {
  write(run.con, "(/2X,                                                    '  Onemli Not:Kullanilan optimizasyon secenegi geregi olarak'/        4x,'pervane capi KELLER formulu nde belirli degildir.')");
  static constexpr const char* kNote[] = {
      "Bu durumda duzlenmis acinim alani tahminini KELLER ",
      "bagintisina birakmak yanlis sonuc verir.",
      "Bu zorluk, programin tekrarli calistirmalari ile",
      "BURRIL bagintisi sonuclari kullanilarak asilmalidir.",
      "Bu durumda sorulan secenege EVET cevabi ile birlikte",
      "daha dusuk acinim alani orani girmek yerinde olur.",
      "(Tasarim Ekibi)",
  };
  for (const char* line : kNote) write(run.con, "(4X,A)", {line});
  writeList(run.con);
}

// Blade number, Keller's area ratio and the user's choice of area ratio.
void askBladesAndAreaRatio(Run& run) {
  const InputData& in = run.s.in;
  StageState& st = run.s.prop.stage;
  constexpr std::string_view kBladesQuestion = "(//4X,'PERVANE KANAT SAYISINI (Z) GIRIN')";
  write(run.con, kBladesQuestion);
  // The series are defined for whole blade numbers 2 to 7 only.
  readAnswer(run, st.Z, kBladesQuestion, "kanat sayisi Z",
             [](float z) { return z >= 2.0f && z <= 7.0f && z == std::floor(z); },
             "KANAT SAYISI Z 2 ILE 7 ARASINDA BIR TAM SAYI OLMALIDIR");
  st.Zasked = st.Z;
  st.bladesAnswered = true;
  if (in.NSERIES == 2) st.Z = 3.0f;  // the Gawn/Burrill series is three-bladed

  st.EAR = kellerAreaRatio(st.Z, st.Tp, in.GRAV, in.RHO, in.Hsd, in.D);
  st.EARkel = st.EAR;
  write(run.con, "(//4X,'KELLER FORMULUNE GORE GEREKLI ACINIM ALANI ORANI - Ear = ', F5.3,/'    OLARAK BULUNMUSTUR')", {st.EAR});
  if (run.s.IOPT == 3) writeDiameterNote(run);

  constexpr std::string_view kChangeQuestion =
      "(4X,                                                     'DUZLENMIS ACINIM ALANINI DEGISTIRMEK ISTER MISINIZ (E / H)' )";
  write(run.con, kChangeQuestion);
  if (readYes(run, kChangeQuestion)) {
    constexpr std::string_view kAreaQuestion = "(//2X,'PERVANE DUZLENMIS ACININ ALANI ORANINI GIRIN')";
    write(run.con, kAreaQuestion);
    readAnswer(run, st.EAR, kAreaQuestion, "acinim alani orani EAR", [](float v) { return v > 0.0f; },
               "ACINIM ALANI ORANI EAR 0 DAN BUYUK OLMALIDIR");
  }
  write(run.con, "(4/)");

  RecordSink& rep = run.report;
  write(rep, "(//2X,54('='))");
  write(rep, "(2X,                                                    'KELLER KAVITASYON KRITERINE GORE ACINIM ALANI KONTROLU')");
  write(rep, "(2X,54('='))");
  write(rep, "(2X,'Mevcut EAR = ',F6.3,' /         Keller EAR = ' ,F6.3)", {st.EAR, st.EARkel});
  write(rep, "(2X,54('=')//)");
}

// The search that the given quantities call for; it fills the selected
// propeller, and N or D where it finds them.
void runSearch(Run& run) {
  InputData& in = run.s.in;
  StageState& st = run.s.prop.stage;
  writeBoth(run, "(3X,'========= GEREKEN PERVANE HESABI ======== ')");
  const float VAms = st.Va * kKnot;
  switch (run.s.IOPT) {
    case 1: OPTKTJ2(run, st.Tp, in.D, VAms, in.RHO, st.Z, st.EAR); break;
    case 2: PDSRCH(run, st.Tp, in.D, in.N, VAms, in.RHO, st.Z, st.EAR); break;
    case 3: OPTKTJ4(run, st.Tp, in.N, in.D, VAms, in.RHO, st.Z, st.EAR); break;
    case 4: GIVENP(run, in.PDin, in.N, in.D, VAms, in.RHO, st.Z, st.EAR); break;
    default:
      // Diameter and revolutions (each compared with 0.1) set no task: there
      // is no propeller to search for or to evaluate, and every later step
      // would work on an empty one (zero efficiency, infinite power).
      writeBoth(run, "(/,' ** GIRILEN CAP (D) VE DEVIR (N) ILE PERVANE HESABI SECILEMIYOR **')");
      writeBoth(run, "(' D VE N DEN EN AZ BIRI 0.1 DEN BUYUK OLMALI, HICBIRI 0.1 E ESIT OLMAMALIDIR.')");
      stopRun(run, "pervane_gorevi", "GIRILEN CAP (D) VE DEVIR (N) ILE PERVANE HESABI SECILEMIYOR");
  }
  // From here on the series carry the Reynolds-number correction of this propeller.
  SeriesState& series = run.s.prop.series;
  series.DP = in.D;
  series.VAP = VAms;
  series.RPMP = in.N;
}

void writeSigmaOutsideLimits(Run& run, float sigma) {
  write(run.con, "(3/1X'HATA - PERVANE KAVITASYON SAYISI - Sigma = ',    F6.3,' LIMITLERIN DISINDA KALDI.')", {sigma});
  write(run.con, "(1X,'LIMITLER  0.18<Sigma<1.5 dir.')");
  write(run.con, "(1X'BU DURUMDA BURRIL ANALIZI YAPILAMAZ.')");
  write(run.con, "(1X'LUTFEN SAFT DERINLIGINI VEYA PERVANE DEVRINI DEGISTIRIN.')");
  write(run.report, "(3/1X'HATA - PERVANE KAVITASYON SAYISI - Sigma = ',   F6.3,' LIMITLERIN DISINDA KALDI.')", {sigma});
  write(run.report, "(1X,'LIMITLER  0.18<Sigma<1.5 dir.')");
  write(run.report, "(1X'BU DURUMDA BURRIL ANALIZI YAPILAMAZ.')");
  write(run.report, "(1X,'LUTFEN SAFT DERINLIGINI VEYA PERVANE DEVRINI DEGISTIRIN.')");
}

void writeCheckBlocks(RecordSink& out, const StageState& st) {
  write(out, "(//2X,54('='))");
  write(out, "(2X,                                                     'BURRIL KAVITASYON KRITERINE GORE ACINIM ALANI KONTROLU')");
  write(out, "(2X,54('='))");
  write(out, "(2X,'Mevcut EAR = ',F6.3,' =>  ',' Sigma = ',         F5.3,' Tauc = ',F5.3)", {st.EAR, st.Sigma, st.Tauc});
  write(out, "(2X,'%2.5 Sirt Kavitasyon Hattina Gore Min. EAR = ',   F6.3)", {st.EAR25});
  write(out, "(2X,'%5.0 Sirt Kavitasyon Hattina Gore Min. EAR = ',   F6.3)", {st.EAR50});
  write(out, "(2X,'Tavsiye edilen ust sinir icin Minimum  EAR = ',   F6.3)", {st.EARup});
  write(out, "(2X,54('='))");
  writeList(out);
  write(out, "(2X,54('='))");
  write(out, "(2X,                                                     'UC HIZINA GORE KANAT UCU GIRDABI TEHLIKESI KONTROLU')");
  write(out, "(2X,'Vtip = ',F6.3,' m/s',2X,'(Vtip < 30 m/s olmali - Yaklasik)')", {st.Vtip});
  write(out, "(2X,54('='))");
  writeList(out);
  write(out, "(2X,54('='))");
  write(out, "(2X,                                                     'WAGENINGEN KAVITASYON KRIT. GORE ACINIM ALANI KONTROLU')");
  write(out, "(2X,54('='))");
  write(out, "(2X,'Min. EAR = ',F6.3)", {st.EARwag});
  write(out, "(2X,54('='))");
}

void writeTipVortexBlock(RecordSink& rep, float vtip) {
  writeList(rep);
  write(rep, "(2X,54('='))");
  write(rep, "(2X,                                                    'KANAT UCU GIRDABI (TIP VORTEX) TEHLIKESI KONTROLU')");
  write(rep, "(2X,54('='))");
  write(rep, "(2X,'Vtip = ',F6.3,' m/s',2X,'(Vtip-Kanat ucu hizi<30 m/s olmali)')", {vtip});
  write(rep, "(2X,54('='))");
}

void runCavitationChecks(Run& run) {
  const InputData& in = run.s.in;
  StageState& st = run.s.prop.stage;
  CavitationInput c;
  c.N = in.N;
  c.D = in.D;
  c.Va = st.Va;
  c.GRAV = in.GRAV;
  c.RHO = in.RHO;
  c.Hsd = in.Hsd;
  c.PoD = run.s.prop.sel.PoD;
  c.EAR = st.EAR;
  c.Tp = st.Tp;
  const CavitationResult r = cavitationChecks(c);
  st.VR2 = r.VR2;
  st.Sigma = r.Sigma;
  st.AP = r.AP;
  st.Tauc = r.Tauc;
  st.EARwag = r.EARwag;
  st.Vtip = r.Vtip;
  if (r.sigmaInLimits) {
    st.burrill = true;
    st.EAR25 = r.EAR25;
    st.EAR50 = r.EAR50;
    st.EARup = r.EARup;
    writeList(run.con);
    writeList(run.con);
    writeCheckBlocks(run.con, st);
    writeCheckBlocks(run.report, st);
  } else {
    writeSigmaOutsideLimits(run, st.Sigma);
  }
  writeTipVortexBlock(run.report, st.Vtip);
}

}  // namespace

int trialSpeedIndex(const InputData& in, float tolerance) {
  for (int i = 1; i <= in.NV; ++i)
    if (std::fabs(in.VS(i) - in.Vtrial) < tolerance) return i;
  return 0;
}

void runSelectionDialogue(Run& run) {
  InputData& in = run.s.in;
  StageState& st = run.s.prop.stage;
  if (in.D < 0.05f) in.D = in.Ta / 2.0f;

  st.ITR = trialSpeedIndex(in, 0.001f);
  if (st.ITR == 0) {
    write(run.con, "(/// ' SEYIR TECRUBESI HIZI Vtrial = ',F6.3,           ' knot HIZLAR LISTESINDE BULUNAMADI - STOP')",
          {in.Vtrial});
    stopRun(run, "seyir_hizi", statementText("('SEYIR TECRUBESI HIZI Vtrial = ',F6.3,' knot HIZLAR LISTESINDE BULUNAMADI')",
                                            {in.Vtrial}));
  }

  // First estimate of the propulsion factors, before any propeller is chosen.
  trialSpeedFactors(run.s, in.Ta / 2.0f, 0.85f, 0.65f);

  writeOptimumHeading(run);
  st.PEtr = interp(run, in.NV, in.VS.data(), run.s.sp.PE.data(), in.Vtrial, 0.0f, kInterpSpline);
  askEfficiencyAndThrust(run);
  askBladesAndAreaRatio(run);
  runSearch(run);
  st.propellerSelected = true;
  runCavitationChecks(run);
  st.cavitationChecked = true;
}

}  // namespace gemi
