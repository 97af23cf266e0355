// Reader of the input data file. The file is a fixed sequence of comment
// lines, which are only echoed, and free-form value records; every record is
// written to the echo file as the program understood it, so that the user can
// see which value landed where.
#include "run/input_file.h"

#include <cmath>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace gemi {
namespace {

Item echoItem(const ListTarget& t) {
  if (const auto* i = std::get_if<int*>(&t)) return Item(**i);
  return Item(*std::get<float*>(t));
}

class InputRecords {
 public:
  InputRecords(Run& run, RecordReader& tsk, RecordSink& echo) : run_(run), tsk_(tsk), echo_(echo) {}

  // The `count` comment lines in front of record `no`, echoed unchanged.
  void comments(int no, int count) {
    for (int k = 1; k <= count; ++k) {
      const std::string what = "kayit " + std::to_string(no) + " oncesindeki aciklama satiri " +
                               std::to_string(k) + "/" + std::to_string(count);
      write(echo_, "(A80)", {tsk_.readText(80, what)});
    }
  }

  // Value record `no` read free-form into `targets` and echoed with `tmpl`.
  // `expected` says what the record holds, for the message of a failed read.
  void values(int no, std::string_view expected, std::vector<ListTarget> targets, std::string_view tmpl,
              std::initializer_list<Item> trailing = {}) {
    tsk_.readList(targets, describe(no, expected));
    std::vector<Item> items;
    for (const auto& t : targets) items.push_back(echoItem(t));
    items.insert(items.end(), trailing.begin(), trailing.end());
    write(echo_, tmpl, items);
  }

  // Value record `no` holding a count followed by that many reals, read in
  // one free-form read (the count decides how many values follow). A count
  // outside 1..max (0..max when `zeroAllowed`) ends the read after the count.
  // Returns whether the count was within its limits.
  bool countedValues(int no, std::string_view expected, int& count, float* values, int max, bool zeroAllowed) {
    const int least = zeroAllowed ? 0 : 1;
    auto within = [&] { return count >= least && count <= max; };
    tsk_.readList(
        [&](std::size_t k) -> std::optional<ListTarget> {
          if (k == 0) return ListTarget(&count);
          if (!within() || static_cast<int>(k) > count) return std::nullopt;
          return ListTarget(&values[k - 1]);
        },
        describe(no, expected));
    return within();
  }

  // Refuses the file: the value, its record and the rule on the console,
  // then the ordinary stop.
  [[noreturn]] void refuse(int no, std::string_view name, Item value, std::string_view rule) {
    write(run_.con, "(4/5X,'**** DATA GIRISI HATASI ****')");
    if (value.kind == Item::Kind::Int)
      write(run_.con, "(4X,'KAYIT',I3,' - ',A,' =',I8)", {no, name, value});
    else
      write(run_.con, "(4X,'KAYIT',I3,' - ',A,' =',F12.4)", {no, name, value});
    write(run_.con, "(4X,A,' - STOP')", {rule});
    writeList(run_.con);
    writeList(run_.con);
    const std::string shown = value.kind == Item::Kind::Int ? statementText("(I8)", {value}) : statementText("(F12.4)", {value});
    stopRun(run_, "girdi", "KAYIT " + std::to_string(no) + " - " + std::string(name) + " = " + shown + ": " + std::string(rule));
  }

  // A quantity that has a meaning only above zero (a length, a volume, a
  // density): zero or less makes every result of the method meaningless.
  void positive(int no, std::string_view name, float value) {
    if (!(value > 0.0f)) refuse(no, name, value, std::string(name) + " SIFIRDAN BUYUK OLMALIDIR");
  }

  RecordSink& echo() { return echo_; }

 private:
  static std::string describe(int no, std::string_view expected) {
    return "kayit " + std::to_string(no) + " (" + std::string(expected) + ")";
  }

  Run& run_;
  RecordReader& tsk_;
  RecordSink& echo_;
};

// The speeds must be above zero and strictly ascending: the interpolation
// and the spline over speed need distinct speeds in order.
void checkSpeedList(Run& run, InputRecords& r) {
  const InputData& in = run.s.in;
  for (int i = 1; i <= in.NV; ++i) {
    const std::string name = "HIZ VS(" + std::to_string(i) + ")";
    r.positive(17, name, in.VS(i));
    if (i > 1 && !(in.VS(i) > in.VS(i - 1)))
      r.refuse(17, name, in.VS(i),
               "HIZLAR KUCUKTEN BUYUGE SIRALI OLMALI, HER HIZ BIR ONCEKINDEN (VS(" + std::to_string(i - 1) +
                   ")) BUYUK");
  }
}

// The sea-trial speed must lie within the speed list, where the propeller is
// selected; outside it the run cannot go on.
void checkTrialSpeed(Run& run) {
  const InputData& in = run.s.in;
  if (!(in.VS(in.NV) < in.Vtrial || in.VS(1) > in.Vtrial)) return;
  write(run.con, "(4/5X,'**** DATA GIRISI HATASI ****')");
  write(run.con, "(4X,'SEYIR HIZI Vtrial = ', F6.2,' knots')", {in.Vtrial});
  write(run.con, "(4X,'Vs(1)=',F6.2,' --- Vs(n)=',F6.2, ' knots')", {in.VS(1), in.VS(in.NV)});
  write(run.con, "(4X,'GIRILEN HIZ ARALIGI DISINDA GIRILDI - STOP')");
  writeList(run.con);
  writeList(run.con);
  stopRun(run, "seyir_hizi",
          statementText("('SEYIR HIZI Vtrial = ',F6.2,' knot GIRILEN HIZ ARALIGI ',F6.2,' -',F6.2,' knot DISINDA')",
                        {in.Vtrial, in.VS(1), in.VS(in.NV)}));
}

}  // namespace

void readInputFile(Run& run, RecordReader& tsk, RecordSink& echo) {
  // The values as read are kept however the reading ends (a refused value
  // included), before later stages fill in D, N, S or IE.
  struct KeepGiven {
    RunState& s;
    ~KeepGiven() { s.given = s.in; }
  } keepGiven{run.s};
  InputData& in = run.s.in;
  AppendageCatalogue& app = run.s.app;
  InputRecords r(run, tsk, echo);

  r.comments(1, 13);
  r.values(1, "RHO su yogunlugu (kg/m3) ve GRAV yercekimi ivmesi (m/sn2), iki sayi", {&in.RHO, &in.GRAV},
           "(F7.2,2X,F7.4)");
  r.positive(1, "SU YOGUNLUGU RHO", in.RHO);
  r.positive(1, "YERCEKIMI IVMESI GRAV", in.GRAV);
  r.comments(2, 1);
  r.values(2, "Lwl su hatti boyu (m), bir sayi", {&in.Lwl}, "(F8.3)");
  r.positive(2, "SU HATTI BOYU Lwl", in.Lwl);
  r.comments(3, 1);
  r.values(3, "Lbp dikmeler arasi boy (m), bir sayi", {&in.Lbp}, "(F8.3)");
  r.positive(3, "DIKMELER ARASI BOY Lbp", in.Lbp);
  r.comments(4, 1);
  r.values(4, "B kalip genisligi (m), bir sayi", {&in.B}, "(F8.3)");
  r.positive(4, "KALIP GENISLIGI B", in.B);
  r.comments(5, 1);
  r.values(5, "Tf bas ve Ta kic draftlari (m), iki sayi", {&in.Tf, &in.Ta}, "(2F8.3)");
  r.positive(5, "BAS DRAFTI Tf", in.Tf);
  r.positive(5, "KIC DRAFTI Ta", in.Ta);
  r.comments(6, 1);
  r.values(6, "V deplasman hacmi (m3), bir sayi", {&in.V}, "(F10.3)");
  r.positive(6, "DEPLASMAN HACMI V", in.V);
  r.comments(7, 1);
  r.values(7, "LCB sephiye merkezi (m, Lbp/2 den, ileri +), bir sayi", {&in.LCB}, "(F8.3)");
  r.comments(8, 1);
  r.values(8, "ABT balb kesit alani (m2), bir sayi", {&in.ABT}, "(F8.3)");
  r.comments(9, 1);
  r.values(9, "HB balb kesit alani merkezinin yuksekligi (m), bir sayi", {&in.HB}, "(F8.3)");
  r.comments(10, 1);
  r.values(10, "AT batik ayna kic alani (m2), bir sayi", {&in.AT}, "(F8.3)");
  r.comments(11, 1);
  r.values(11, "Cm orta kesit ve Cwp su hatti narinlik katsayilari, iki sayi", {&in.Cm, &in.Cwp}, "(2F8.3)");
  r.comments(12, 6);
  r.values(12, "Cstern kic form parametresi, bir sayi", {&in.Cstern}, "(F8.3)");
  r.comments(13, 1);
  r.values(13, "IE giris yari acisi (derece), bir sayi", {&in.IE}, "(F8.3)");
  r.comments(14, 1);
  r.values(14, "S islak yuzey alani (m2), bir sayi", {&in.S}, "(F8.3)");
  r.comments(15, 3);
  r.values(15, "MSCALE model olcegi ve TEMPm tank suyu sicakligi (C), iki sayi", {&in.MSCALE, &in.TEMPm},
           "(2F8.3)");
  r.comments(16, 3);
  r.values(16, "HFP bas dikmede tekne yuksekligi (m) ve ONYUZ on yuz alani (m2), iki sayi", {&in.HFP, &in.ONYUZ},
           "(2F8.3)");

  r.comments(17, 1);
  const bool speedCountValid =
      r.countedValues(17, "NV hiz sayisi (tam sayi, 1-50) ve ardindan NV adet hiz VS (knot)", in.NV, in.VS.data(),
                      kMaxSpeeds, false);
  std::vector<Item> speeds{in.NV};
  for (int i = 1; speedCountValid && i <= in.NV; ++i) speeds.push_back(in.VS(i));
  write(r.echo(), "(I3,50F8.3)", speeds);
  if (!speedCountValid) r.refuse(17, "HIZ SAYISI NV", in.NV, "HIZ SAYISI 1 ILE 50 ARASINDA OLMALIDIR");
  checkSpeedList(run, r);

  r.comments(18, 1);
  r.values(18, "Vtrial seyir tecrubesi hizi (knot), bir sayi", {&in.Vtrial}, "(F8.3)");
  checkTrialSpeed(run);

  for (int j = 1; j <= kAppendages; ++j) {
    const int no = 18 + j;
    r.comments(no, j == 1 ? 3 : 1);
    r.values(no, "takinti " + std::to_string(j) + " islak alani (m2) ve form faktoru (1+k2), iki sayi",
             {&in.AREA(j), &in.FF2in(j)}, "(2F8.3)");
    if (std::abs(in.FF2in(j)) > 0.001f) app.FF2(j) = in.FF2in(j);
  }

  r.comments(30, 3);
  r.values(30, "NBT bas itici tunel sayisi (tam sayi) ve DBT tunel capi (m)", {&in.NBT, &in.DBT}, "(I4,2X,F8.3)");
  r.comments(31, 8);
  r.values(31, "D pervane capi (m), bir sayi", {&in.D}, "(F8.3)");
  r.comments(32, 1);
  r.values(32, "N pervane devri (d/dak), bir sayi", {&in.N}, "(F8.3)");
  r.comments(33, 1);
  r.values(33, "PDin pervane hatve orani, bir sayi", {&in.PDin}, "(F8.3)");
  in.NOPROP = (std::abs(in.D) < 0.001f && std::abs(in.N) < 0.001f) ? 1 : 0;
  const bool propellerDue = in.NOPROP == 0;

  r.comments(34, 2);
  r.values(34, "Hs saft merkezinin taban cizgisinden yuksekligi (m), bir sayi", {&in.Hs}, "(F8.3)");
  in.HsRead = in.Hs;
  if (std::abs(in.Hs) < 0.01f) in.Hs = 0.32f * in.Ta;
  in.Hsd = in.Ta - in.Hs;

  r.comments(35, 2);
  r.values(35, "CPFLAG pervane tipi (1 = ayarli hatveli), bir sayi", {&in.CPFLAG}, "(F8.3)");
  r.comments(36, 4);
  r.values(36, "NPROP pervane sayisi, NSERIES seri no ve IPOD (uc tam sayi)", {&in.NPROP, &in.NSERIES, &in.IPOD},
           "(3I4)");
  if (propellerDue && in.NPROP < 1)
    r.refuse(36, "PERVANE SAYISI NPROP", in.NPROP, "PERVANE HESABI ICIN NPROP EN AZ 1 OLMALIDIR");
  if (propellerDue && in.NSERIES != 1 && in.NSERIES != 2)
    r.refuse(36, "PERVANE SERISI NSERIES", in.NSERIES,
             "NSERIES 1 (WAGENINGEN B) VEYA 2 (GAWN) OLMALIDIR");

  r.comments(37, 2);
  r.values(37, "Pengine toplam makina gucu (kW) ve MCR makina marjini, iki sayi", {&in.Pengine, &in.MCR},
           "(2F8.3)");
  if (propellerDue && !(in.MCR > 0.0f))
    r.refuse(37, "MAKINA MARJINI MCR", in.MCR, "PERVANE HESABI ICIN MCR SIFIRDAN BUYUK OLMALIDIR");
  r.comments(38, 1);
  r.values(38, "PTO saft jeneratoru gucu (kW), bir sayi", {&in.PTO}, "(F8.3)");
  r.comments(39, 1);
  r.values(39, "Seamar deniz marjini (oran), bir sayi", {&in.Seamar}, "(F8.3)");
  r.comments(40, 1);
  r.values(40, "etas transmisyon (saft) verimi, bir sayi", {&in.etas}, "(F8.3)");
  if (propellerDue && !(in.etas > 0.0f))
    r.refuse(40, "TRANSMISYON VERIMI etas", in.etas, "PERVANE HESABI ICIN etas SIFIRDAN BUYUK OLMALIDIR");

  r.comments(41, 6);
  r.values(41, "FFDF, WFAC, TFAC ve ERFAC duzeltme carpanlari, dort sayi",
           {&in.FFDF, &in.WFAC, &in.TFAC, &in.ERFAC}, "(4F8.3)");
  r.comments(42, 3);
  r.values(42, "ROUGH puruzluluk (mikron) veya CA*1000, bir sayi", {&in.ROUGH}, "(F8.1,A)", {" Micron"});

  r.comments(43, 8);
  const bool factorCountValid = r.countedValues(
      43, "NDF duzeltme faktoru sayisi (tam sayi, 0-10) ve ardindan NDF adet faktor DF", in.NDF, in.DF.data(),
      kMaxCorrectionFactors, true);
  write(echo, "(A)", {" Dalga Direnc Duzeltme Faktorleri"});
  for (int k = 1; factorCountValid && k <= in.NDF; ++k) write(echo, "(I4,1X,F8.3)", {k, in.DF(k)});
  if (!factorCountValid)
    r.refuse(43, "DUZELTME FAKTORU SAYISI NDF", in.NDF, "NDF 0 ILE 10 ARASINDA OLMALIDIR");
}

}  // namespace gemi
