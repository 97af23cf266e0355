// The named values of the input file: their table, reading through the
// program's reader, writing in the program's layout, and setting one value
// from text.
#include "analysis/ship_input.h"

#include <algorithm>
#include <bit>
#include <cctype>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <fstream>
#include <iterator>
#include <optional>
#include <sstream>
#include <tuple>
#include <utility>

#include "analysis/decimal.h"
#include "format/record_reader.h"
#include "run/driver.h"
#include "run/input_file.h"
#include "run/run.h"

namespace gemi::analysis {
namespace {

// The number of comment lines in front of records 1 .. 43 (fixed by the reader).
constexpr std::array<int, kInputRecords> kCommentCounts{13, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 6, 1, 1, 3,
                                                        3,  1, 1, 3, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 3,
                                                        8,  1, 1, 2, 2, 4, 2, 1, 1, 1, 6, 3, 8};

// The comment lines of the bundled example, records 1 .. 43 one after the other.
constexpr std::string_view kExampleComments[] = {
    "* GEMI GUC KARAKTERISTIKLERI - GIRDI DOSYASI (ornek: tek pervaneli yuk gemisi)",
    "* Dosya adi degismez: KR-22-03-2017.TSK, programin calistigi klasorde durur.",
    "* Aciklama satirlarinin SAYISI sabittir; icerikleri serbesttir, okunmaz.",
    "* Degerler bosluk veya virgulle ayrilir; ondalik ayrac NOKTADIR (12.5).",
    "* Tam sayi istenen yerde nokta yazilmaz (7, 7.0 degil).",
    "* Bir kayit birden fazla satira yayilabilir; fazla degerler yok sayilir.",
    "* Birimler: uzunluk m, alan m2, hacim m3, hiz knot, guc kW, aci derece.",
    "* Program bu dosyanin yankisini KR-22-03-2017.CRL dosyasina yazar,",
    "* sonuclari KR-22-03-2017.SON raporuna yazar.",
    "* Ayrintili bilgi: README.md dosyasi, \"Preparing an input file\" bolumu.",
    "* KAYIT 1: deniz suyu yogunlugu RHO (kg/m3) ve yercekimi ivmesi GRAV (m/sn2)",
    "* ornek: tuzlu su 1025, tatli su 1000",
    "*  RHO     GRAV",
    "* KAYIT 2: su hatti boyu Lwl (m)",
    "* KAYIT 3: dikmeler arasi boy Lbp (m)",
    "* KAYIT 4: kalip genisligi B (m)",
    "* KAYIT 5: bas draft Tf ve kic draft Ta (m)",
    "* KAYIT 6: deplasman hacmi V (m3)",
    "* KAYIT 7: boyuna sephiye merkezi LCB (m), Lbp/2 den, ileri arti, geri eksi",
    "* KAYIT 8: balb kesit alani ABT (m2), bas dikmedeki enine kesitte; balb yoksa 0",
    "* KAYIT 9: ABT alaninin agirlik merkezinin taban cizgisinden yuksekligi HB (m)",
    "* KAYIT 10: batik ayna kic alani AT (m2), durgun suda; ayna batik degilse 0",
    "* KAYIT 11: orta kesit narinlik katsayisi Cm ve su hatti narinlik katsayisi Cwp",
    "* KAYIT 12: kic form parametresi Cstern (boyutsuz); kic bicimine gore secilir:",
    "*    -25  : dubali (pram) kic, gondol ile",
    "*    -10  : V bicimli kesitler",
    "*      0  : normal kesitler",
    "*     10  : U bicimli kesitler",
    "*  deger ara bicimler icin ara degerlerden secilebilir",
    "* KAYIT 13: su hatti giris yari acisi IE (derece); 1 den kucukse tahmin edilir",
    "* KAYIT 14: takintisiz islak yuzey S (m2); 1 den kucukse tahmin edilir",
    "* KAYIT 15: model olcegi MSCALE (model = gemi / MSCALE) ve tank suyu sicakligi",
    "*           TEMPm (derece C); MSCALE 1 veya kucukse model raporu yazilmaz",
    "*  MSCALE   TEMPm",
    "* KAYIT 16: bas dikmede tabandan guverteye tekne yuksekligi HFP (m) ve",
    "*           ust yapi ile yukun ruzgar goren on yuz alani ONYUZ (m2)",
    "*  HFP     ONYUZ",
    "* KAYIT 17: hiz sayisi NV (tam sayi, 1-50) ve artan sirada NV adet hiz VS (knot)",
    "* KAYIT 18: seyir tecrubesi hizi Vtrial (knot); hiz listesinin icinde olmali",
    "* KAYITLAR 19-29: takinti islak alani AREA (m2) ve form faktoru (1+k2);",
    "*   form faktoru 0 ise programin varsayilan degeri kullanilir; takinti yoksa 0 0",
    "* KAYIT 19: takinti 1, skeg arkasindaki dumen (varsayilan 1.75)",
    "* KAYIT 20: takinti 2, tek pervaneli gemi dumeni (varsayilan 1.40)",
    "* KAYIT 21: takinti 3, cift pervaneli gemi dumeni (varsayilan 2.80)",
    "* KAYIT 22: takinti 4, saft braketleri (varsayilan 3.00)",
    "* KAYIT 23: takinti 5, skeg (varsayilan 1.75)",
    "* KAYIT 24: takinti 6, strut bosalari (varsayilan 3.00)",
    "* KAYIT 25: takinti 7, bosalar (varsayilan 2.00)",
    "* KAYIT 26: takinti 8, saftlar (varsayilan 3.00)",
    "* KAYIT 27: takinti 9, stabilizer finleri (varsayilan 2.80)",
    "* KAYIT 28: takinti 10, sonar domu (varsayilan 2.70)",
    "* KAYIT 29: takinti 11, yalpa omurgasi (varsayilan 1.40)",
    "* KAYIT 30: bas itici tunel sayisi NBT (tam sayi) ve tunel capi DBT (m);",
    "*           bas itici yoksa 0 0",
    "*  NBT   DBT",
    "* KAYIT 31: pervane capi D (m)",
    "*   Pervane gorevi D, N ve PDin degerlerinden secilir:",
    "*   D verilir, N = 0      : verilen cap icin en uygun devir aranir",
    "*   D ve N verilir        : hatve orani aranir",
    "*   D = 0, N verilir      : verilen devir icin en uygun cap aranir",
    "*   D, N ve PDin verilir  : verilen pervane degerlendirilir",
    "*   D = 0 ve N = 0        : pervane hesabi yapilmaz, yalniz direnc hesaplanir",
    "*  D (m)",
    "* KAYIT 32: pervane devri N (devir/dakika); 0 = aranacak",
    "* KAYIT 33: verilen pervanenin hatve orani PDin (P/D); 0 = aranacak",
    "* KAYIT 34: saft merkez cizgisinin taban cizgisinden yuksekligi Hs (m);",
    "*           0 girilirse 0.32 x Ta alinir",
    "* KAYIT 35: pervane tipi CPFLAG: 1 = ayarli hatveli pervane,",
    "*           baska her deger = sabit hatveli pervane",
    "* KAYIT 36: pervane sayisi NPROP (tam sayi), pervane serisi NSERIES",
    "*           (1 = Wageningen B serisi, 2 = Gawn serisi) ve IPOD",
    "*           (1 = pod tipi sevk sistemi, 0 = geleneksel saft)",
    "*  NPROP  NSERIES  IPOD",
    "* KAYIT 37: toplam makina gucu Pengine (kW) ve makina marjini MCR (makinanin",
    "*           calisacagi surekli guc orani, ornek 0.85)",
    "* KAYIT 38: saft jeneratoru gucu PTO (kW); yoksa 0",
    "* KAYIT 39: deniz marjini Seamar (oran, ornek 0.15 = yuzde 15)",
    "* KAYIT 40: transmisyon (saft) verimi etas",
    "* KAYIT 41: duzeltme carpanlari, normalde hepsi 1:",
    "*   FFDF  : tekne form faktoru (1+k) duzeltme carpani",
    "*   WFAC  : iz katsayisi w carpani",
    "*   TFAC  : emme katsayisi t carpani",
    "*   ERFAC : donme verimi etaR carpani",
    "*  FFDF  WFAC  TFAC  ERFAC",
    "* KAYIT 42: ROUGH: 0 = model-gemi korelasyon payi programca tahmin edilir,",
    "*           0 ile 1 arasi = CA*1000 dogrudan verilir,",
    "*           1 den buyuk = tekne puruzlulugu (mikron, ornek 150)",
    "* KAYIT 43: dalga direnci duzeltme faktoru sayisi NDF (tam sayi, 0-10) ve",
    "*           NDF adet faktor DF; faktorler ilk hizdan son hiza kadar esit",
    "*           aralikli hizlara aittir ve dalga direncini carparak duzeltir.",
    "*           Duzeltme istenmiyorsa yalniz 0 yazilir.",
    "*   ornek: 3  1.0  1.05  1.1  (uc faktor: ilk, orta ve son hiz icin)",
    "*   Faktor 1 den buyukse dalga direnci artar, kucukse azalir.",
    "*   Bu dosya bu kayitla biter.",
    "*  NDF   DF(1) ... DF(NDF)",
};

constexpr std::array<std::string_view, kAppendages> kAreaNames{"AREA1", "AREA2", "AREA3", "AREA4",  "AREA5", "AREA6",
                                                               "AREA7", "AREA8", "AREA9", "AREA10", "AREA11"};
constexpr std::array<std::string_view, kAppendages> kFormNames{"FF2_1", "FF2_2", "FF2_3", "FF2_4",  "FF2_5", "FF2_6",
                                                               "FF2_7", "FF2_8", "FF2_9", "FF2_10", "FF2_11"};
constexpr std::array<std::string_view, kAppendages> kAreaComments{"takinti 1 islak alani: skeg arkasindaki dumen",
                                                                  "takinti 2 islak alani: tek pervaneli gemi dumeni",
                                                                  "takinti 3 islak alani: cift pervaneli gemi dumeni",
                                                                  "takinti 4 islak alani: saft braketleri",
                                                                  "takinti 5 islak alani: skeg",
                                                                  "takinti 6 islak alani: strut bosalari",
                                                                  "takinti 7 islak alani: bosalar",
                                                                  "takinti 8 islak alani: saftlar",
                                                                  "takinti 9 islak alani: stabilizer finleri",
                                                                  "takinti 10 islak alani: sonar domu",
                                                                  "takinti 11 islak alani: yalpa omurgasi"};
constexpr std::array<std::string_view, kAppendages> kFormComments{
    "takinti 1 form faktoru (1+k2)",  "takinti 2 form faktoru (1+k2)", "takinti 3 form faktoru (1+k2)",
    "takinti 4 form faktoru (1+k2)",  "takinti 5 form faktoru (1+k2)", "takinti 6 form faktoru (1+k2)",
    "takinti 7 form faktoru (1+k2)",  "takinti 8 form faktoru (1+k2)", "takinti 9 form faktoru (1+k2)",
    "takinti 10 form faktoru (1+k2)", "takinti 11 form faktoru (1+k2)"};
// The catalogue's form factors in words (the program's own values are in fillAppendageCatalogue).
constexpr std::array<std::string_view, kAppendages> kFormDefaults{
    "0 (katalog: 1.75)", "0 (katalog: 1.40)", "0 (katalog: 2.80)", "0 (katalog: 3.00)",
    "0 (katalog: 1.75)", "0 (katalog: 3.00)", "0 (katalog: 2.00)", "0 (katalog: 3.00)",
    "0 (katalog: 2.80)", "0 (katalog: 2.70)", "0 (katalog: 1.40)"};

using RefFn = ValueRef (*)(ShipValues&);

template <std::size_t... J>
constexpr std::array<RefFn, sizeof...(J)> areaRefs(std::index_sequence<J...>) {
  return {[](ShipValues& v) -> ValueRef { return &v.AREA[J]; }...};
}
template <std::size_t... J>
constexpr std::array<RefFn, sizeof...(J)> formRefs(std::index_sequence<J...>) {
  return {[](ShipValues& v) -> ValueRef { return &v.FF2[J]; }...};
}

#define GEMI_REF(member) [](ShipValues& v) -> ValueRef { return &v.member; }

std::vector<ValueInfo> buildTable() {
  using K = ValueKind;
  using R = DefaultRule;
  const std::string_view none;
  std::vector<ValueInfo> t{
      {"RHO", K::Real, 1, "kg/m3", "su yogunlugu (tuzlu su 1025, tatli su 1000)", R::Required, 0, none, 0,
       GEMI_REF(RHO)},
      {"GRAV", K::Real, 1, "m/s2", "yercekimi ivmesi", R::Required, 0, none, 0, GEMI_REF(GRAV)},
      {"Lwl", K::Real, 2, "m", "su hatti boyu", R::Required, 0, none, 0, GEMI_REF(Lwl)},
      {"Lbp", K::Real, 3, "m", "dikmeler arasi boy", R::Required, 0, none, 0, GEMI_REF(Lbp)},
      {"B", K::Real, 4, "m", "kalip genisligi", R::Required, 0, none, 0, GEMI_REF(B)},
      {"Tf", K::Real, 5, "m", "bas draft", R::Required, 0, none, 0, GEMI_REF(Tf)},
      {"Ta", K::Real, 5, "m", "kic draft", R::Required, 0, none, 0, GEMI_REF(Ta)},
      {"V", K::Real, 6, "m3", "deplasman hacmi", R::Required, 0, none, 0, GEMI_REF(V)},
      {"LCB", K::Real, 7, "m", "boyuna sephiye merkezi, Lbp/2 den, ileri arti", R::Required, 0, none, 0, GEMI_REF(LCB)},
      {"ABT", K::Real, 8, "m2", "bas dikmede balb kesit alani", R::Fixed, 0, "0 (balb yok)", 0, GEMI_REF(ABT)},
      {"HB", K::Real, 9, "m", "ABT alaninin merkezinin tabandan yuksekligi", R::WithBulb, 0,
       "ABT > 0 ise gerekli, yoksa 0", 0, GEMI_REF(HB)},
      {"AT", K::Real, 10, "m2", "batik ayna kic alani", R::Fixed, 0, "0 (ayna batik degil)", 0, GEMI_REF(AT)},
      {"Cm", K::Real, 11, "", "orta kesit narinlik katsayisi", R::Required, 0, none, 0, GEMI_REF(Cm)},
      {"Cwp", K::Real, 11, "", "su hatti narinlik katsayisi", R::Required, 0, none, 0, GEMI_REF(Cwp)},
      {"Cstern", K::Real, 12, "", "kic form parametresi: -25 dubali kic, -10 V, 0 normal, 10 U kesitler", R::Required,
       0, none, 0, GEMI_REF(Cstern)},
      {"IE", K::Real, 13, "derece", "su hatti giris yari acisi; 1 den kucukse tahmin edilir", R::Fixed, 0,
       "0 (tahmin edilir)", 0, GEMI_REF(IE)},
      {"S", K::Real, 14, "m2", "takintisiz islak yuzey; 1 den kucukse tahmin edilir", R::Fixed, 0, "0 (tahmin edilir)",
       0, GEMI_REF(S)},
      {"MSCALE", K::Real, 15, "", "model olcegi (model = gemi / MSCALE); 1 veya kucukse model raporu yok", R::Fixed, 0,
       "0 (model raporu yazilmaz)", 0, GEMI_REF(MSCALE)},
      {"TEMPm", K::Real, 15, "derece C", "model tanki suyu sicakligi", R::WithModelScale, 0,
       "MSCALE > 1 ise gerekli, yoksa 0", 0, GEMI_REF(TEMPm)},
      {"HFP", K::Real, 16, "m", "bas dikmede tabandan guverteye tekne yuksekligi", R::Fixed, 0,
       "0 (hava direnci hesaplanmaz)", 0, GEMI_REF(HFP)},
      {"ONYUZ", K::Real, 16, "m2", "ust yapi ve yukun ruzgar goren on yuz alani", R::Fixed, 0,
       "0 (hava direnci hesaplanmaz)", 0, GEMI_REF(ONYUZ)},
      {"VS", K::RealList, 17, "knot", "hizlar, artan sirada, 1 ile 50 adet", R::Required, 0, none, 0, GEMI_REF(VS)},
      {"Vtrial", K::Real, 18, "knot", "seyir tecrubesi hizi, hiz listesinin icinde", R::Required, 0, none, 0,
       GEMI_REF(Vtrial)},
  };
  constexpr auto areas = areaRefs(std::make_index_sequence<kAppendages>{});
  constexpr auto forms = formRefs(std::make_index_sequence<kAppendages>{});
  for (int j = 1; j <= kAppendages; ++j) {
    const auto k = static_cast<std::size_t>(j - 1);
    t.push_back({kAreaNames[k], K::Real, 18 + j, "m2", kAreaComments[k], R::Fixed, 0, "0 (takinti yok)", j, areas[k]});
    t.push_back({kFormNames[k], K::Real, 18 + j, "", kFormComments[k], R::Fixed, 0, kFormDefaults[k], j, forms[k]});
  }
  const std::vector<ValueInfo> rest{
      {"NBT", K::Integer, 30, "", "bas itici tunel sayisi", R::Fixed, 0, "0 (bas itici yok)", 0, GEMI_REF(NBT)},
      {"DBT", K::Real, 30, "m", "bas itici tunel capi", R::WithThrusters, 0, "NBT > 0 ise gerekli, yoksa 0", 0,
       GEMI_REF(DBT)},
      {"D", K::Real, 31, "m", "pervane capi; 0 = aranacak", R::Fixed, 0, "0 (aranacak)", 0, GEMI_REF(D)},
      {"N", K::Real, 32, "d/dak", "pervane devri; 0 = aranacak", R::Fixed, 0, "0 (aranacak)", 0, GEMI_REF(N)},
      {"PDin", K::Real, 33, "", "verilen pervanenin hatve orani P/D; 0 = aranacak", R::Fixed, 0, "0 (aranacak)", 0,
       GEMI_REF(PDin)},
      {"Hs", K::Real, 34, "m", "saft merkezinin taban cizgisinden yuksekligi", R::Fixed, 0, "0 (0.32 Ta alinir)", 0,
       GEMI_REF(Hs)},
      {"CPFLAG", K::Real, 35, "", "pervane tipi: 1 = ayarli hatveli, baska deger = sabit hatveli", R::Fixed, 0,
       "0 (sabit hatveli)", 0, GEMI_REF(CPFLAG)},
      {"NPROP", K::Integer, 36, "", "pervane sayisi", R::Fixed, 1, "1", 0, GEMI_REF(NPROP)},
      {"NSERIES", K::Integer, 36, "", "pervane serisi: 1 = Wageningen B, 2 = Gawn", R::Fixed, 1, "1 (Wageningen B)", 0,
       GEMI_REF(NSERIES)},
      {"IPOD", K::Integer, 36, "", "1 = pod tipi sevk sistemi, 0 = geleneksel saft", R::Fixed, 0, "0 (saft)", 0,
       GEMI_REF(IPOD)},
      {"Pengine", K::Real, 37, "kW", "bir saftin makina gucu (birden cok pervanede bir saftinki)", R::Fixed, 0,
       "0 (ulasilacak hiz hesaplanmaz)", 0, GEMI_REF(Pengine)},
      {"MCR", K::Real, 37, "", "makina marjini, surekli guc orani (ornek 0.85)", R::WithPropeller, 0,
       "D veya N verilmisse gerekli, yoksa 0", 0, GEMI_REF(MCR)},
      {"PTO", K::Real, 38, "kW", "saft jeneratoru gucu", R::Fixed, 0, "0 (saft jeneratoru yok)", 0, GEMI_REF(PTO)},
      {"Seamar", K::Real, 39, "", "deniz marjini, oran (ornek 0.15)", R::Fixed, 0, "0 (marj yok)", 0, GEMI_REF(Seamar)},
      {"etas", K::Real, 40, "", "transmisyon (saft) verimi (ornek 0.98)", R::WithPropeller, 0,
       "D veya N verilmisse gerekli, yoksa 0", 0, GEMI_REF(etas)},
      {"FFDF", K::Real, 41, "", "tekne form faktoru (1+k) duzeltme carpani", R::Fixed, 1, "1", 0, GEMI_REF(FFDF)},
      {"WFAC", K::Real, 41, "", "iz katsayisi w carpani", R::Fixed, 1, "1", 0, GEMI_REF(WFAC)},
      {"TFAC", K::Real, 41, "", "emme katsayisi t carpani", R::Fixed, 1, "1", 0, GEMI_REF(TFAC)},
      {"ERFAC", K::Real, 41, "", "donme verimi etaR carpani", R::Fixed, 1, "1", 0, GEMI_REF(ERFAC)},
      {"ROUGH", K::Real, 42, "",
       "0 = korelasyon payi CA tahmin edilir; 0 ile 1 arasi = CA*1000; 1 ve ustu = puruzluluk (mikron)", R::Fixed, 0,
       "0 (CA tahmin edilir)", 0, GEMI_REF(ROUGH)},
      {"DF", K::RealList, 43, "",
       "dalga direnci duzeltme faktorleri, ilk hizdan son hiza esit aralikli hizlar icin, en cok 10", R::Fixed, 0,
       "bos liste (duzeltme yok)", 0, GEMI_REF(DF)},
  };
  t.insert(t.end(), rest.begin(), rest.end());
  return t;
}

#undef GEMI_REF

std::size_t listLimit(const ValueInfo& info) {
  return info.name == "VS" ? static_cast<std::size_t>(kMaxSpeeds) : static_cast<std::size_t>(kMaxCorrectionFactors);
}

std::string lower(std::string_view s) {
  std::string out(s);
  for (char& c : out) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return out;
}

std::size_t editDistance(const std::string& a, const std::string& b) {
  std::vector<std::size_t> row(b.size() + 1);
  for (std::size_t j = 0; j <= b.size(); ++j) row[j] = j;
  for (std::size_t i = 1; i <= a.size(); ++i) {
    std::size_t diagonal = row[0];
    row[0] = i;
    for (std::size_t j = 1; j <= b.size(); ++j) {
      const std::size_t above = row[j];
      row[j] = std::min({row[j] + 1, row[j - 1] + 1, diagonal + (a[i - 1] == b[j - 1] ? 0 : 1)});
      diagonal = above;
    }
  }
  return row[b.size()];
}

// The reader's echo, kept with the number of the line the reader had taken
// when each record was echoed: the comment records among them are the lines
// the reader took as comments.
class EchoCapture : public RecordSink {
 public:
  explicit EchoCapture(const RecordReader& reader) : reader_(reader) {}
  void record(std::string_view) override { lines_.push_back(reader_.lineNumber()); }
  const std::vector<int>& lines() const { return lines_; }

 private:
  const RecordReader& reader_;
  std::vector<int> lines_;
};

std::vector<std::string> splitLines(std::string_view text) {
  std::vector<std::string> lines;
  std::size_t start = 0;
  while (start < text.size()) {
    std::size_t end = text.find('\n', start);
    if (end == std::string_view::npos) end = text.size();
    std::string line(text.substr(start, end - start));
    if (!line.empty() && line.back() == '\r') line.pop_back();
    lines.push_back(std::move(line));
    start = end + 1;
  }
  return lines;
}

// The comment lines per record, found from the echo: every record but the
// last echoes its comment lines, then its values as one record. Empty when
// the echo does not have that shape.
std::vector<std::vector<std::string>> commentsFromEcho(const std::vector<int>& echoLines,
                                                       const std::vector<std::string>& textLines) {
  std::vector<std::vector<std::string>> comments;
  std::size_t k = 0;
  for (int no = 1; no <= kInputRecords; ++no) {
    std::vector<std::string> lines;
    for (int c = 0; c < kCommentCounts[static_cast<std::size_t>(no - 1)]; ++c, ++k) {
      if (k >= echoLines.size()) return {};
      const int line = echoLines[k];
      if (line < 1 || static_cast<std::size_t>(line) > textLines.size()) return {};
      lines.push_back(textLines[static_cast<std::size_t>(line - 1)]);
    }
    comments.push_back(std::move(lines));
    ++k;  // the record's values
  }
  return comments;
}

ShipValues valuesOf(const InputData& in) {
  ShipValues v;
  v.RHO = in.RHO, v.GRAV = in.GRAV, v.Lwl = in.Lwl, v.Lbp = in.Lbp, v.B = in.B, v.Tf = in.Tf, v.Ta = in.Ta;
  v.V = in.V, v.LCB = in.LCB, v.ABT = in.ABT, v.HB = in.HB, v.AT = in.AT, v.Cm = in.Cm, v.Cwp = in.Cwp;
  v.Cstern = in.Cstern, v.IE = in.IE, v.S = in.S, v.MSCALE = in.MSCALE, v.TEMPm = in.TEMPm, v.HFP = in.HFP;
  v.ONYUZ = in.ONYUZ;
  for (int i = 1; i <= in.NV; ++i) v.VS.push_back(in.VS(i));
  v.Vtrial = in.Vtrial;
  for (int j = 1; j <= kAppendages; ++j) {
    v.AREA[static_cast<std::size_t>(j - 1)] = in.AREA(j);
    v.FF2[static_cast<std::size_t>(j - 1)] = in.FF2in(j);
  }
  v.NBT = in.NBT, v.DBT = in.DBT, v.D = in.D, v.N = in.N, v.PDin = in.PDin, v.Hs = in.HsRead;
  v.CPFLAG = in.CPFLAG, v.NPROP = in.NPROP, v.NSERIES = in.NSERIES, v.IPOD = in.IPOD;
  v.Pengine = in.Pengine, v.MCR = in.MCR, v.PTO = in.PTO, v.Seamar = in.Seamar, v.etas = in.etas;
  v.FFDF = in.FFDF, v.WFAC = in.WFAC, v.TFAC = in.TFAC, v.ERFAC = in.ERFAC, v.ROUGH = in.ROUGH;
  for (int k = 1; k <= in.NDF; ++k) v.DF.push_back(in.DF(k));
  return v;
}

// The console lines of a refusal as one line of text.
std::string oneLine(const std::string& console) {
  std::string out;
  for (const std::string& line : splitLines(console)) {
    const auto first = line.find_first_not_of(' ');
    if (first == std::string::npos) continue;
    const auto last = line.find_last_not_of(' ');
    if (!out.empty()) out += ' ';
    out += line.substr(first, last - first + 1);
  }
  return out;
}

// A lone value of the file read by the program's reader: one word, no
// separators, the whole of it a number of the kind of `target`.
bool readWord(std::string_view word, ListTarget target) {
  if (word.empty() || word.find_first_of(" \t,/*") != std::string_view::npos) return false;
  std::istringstream in{std::string(word)};
  RecordReader reader(in, "deger");
  try {
    const ListTarget targets[] = {target};
    reader.readList(targets);
  } catch (const ReadFailure&) {
    return false;
  }
  return true;
}

std::string_view trimmed(std::string_view s) {
  while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
  while (!s.empty() && (s.back() == ' ' || s.back() == '\t')) s.remove_suffix(1);
  return s;
}

[[noreturn]] void refuse(std::string message) { throw ShipInputError({InputFault{"", 0, 0, std::move(message)}}); }

std::string inQuotes(std::string_view s) { return "\"" + std::string(s) + "\""; }

}  // namespace

bool sameValues(const ShipValues& a, const ShipValues& b) {
  auto bits = [](float f) { return std::bit_cast<std::uint32_t>(f); };
  ShipValues ca = a, cb = b;  // the table's references are to values that may be set
  for (const ValueInfo& info : valueTable()) {
    const ValueRef ra = info.ref(ca);
    const ValueRef rb = info.ref(cb);
    if (auto* ia = std::get_if<int*>(&ra)) {
      if (**ia != *std::get<int*>(rb)) return false;
    } else if (auto* fa = std::get_if<float*>(&ra)) {
      if (bits(**fa) != bits(*std::get<float*>(rb))) return false;
    } else {
      const auto& la = *std::get<std::vector<float>*>(ra);
      const auto& lb = *std::get<std::vector<float>*>(rb);
      if (la.size() != lb.size()) return false;
      for (std::size_t k = 0; k < la.size(); ++k)
        if (bits(la[k]) != bits(lb[k])) return false;
    }
  }
  return true;
}

std::span<const ValueInfo> valueTable() {
  static const std::vector<ValueInfo> table = buildTable();
  return table;
}

const ValueInfo* findValue(std::string_view name) {
  for (const ValueInfo& info : valueTable())
    if (info.name == name) return &info;
  return nullptr;
}

std::vector<std::string_view> closestNames(std::string_view name, std::span<const std::string_view> names) {
  const std::string wanted = lower(name);
  struct Candidate {
    std::size_t distance, lengthGap, order;
    std::string_view name;
  };
  std::vector<Candidate> near;
  for (std::size_t k = 0; k < names.size(); ++k) {
    const std::string candidate = lower(names[k]);
    const std::size_t d = editDistance(wanted, candidate);
    // Near: a few letters off (a quarter of a long name: Turkish letters take
    // two bytes), and not a whole short name replaced.
    if (d > std::max<std::size_t>(2, wanted.size() / 4) || d >= std::max(wanted.size(), candidate.size())) continue;
    const std::size_t gap =
        wanted.size() > candidate.size() ? wanted.size() - candidate.size() : candidate.size() - wanted.size();
    near.push_back({d, gap, k, names[k]});
  }
  std::sort(near.begin(), near.end(), [](const Candidate& a, const Candidate& b) {
    return std::tie(a.distance, a.lengthGap, a.order) < std::tie(b.distance, b.lengthGap, b.order);
  });
  std::vector<std::string_view> out;
  for (std::size_t k = 0; k < near.size() && k < 3; ++k) out.push_back(near[k].name);
  return out;
}

std::string InputFault::text() const {
  std::string out;
  if (!file.empty()) out += file + ":";
  if (line > 0) out += std::to_string(line) + ":" + std::to_string(column) + ":";
  if (!out.empty()) out += " ";
  return out + message;
}

namespace {
std::string joined(const std::vector<InputFault>& faults) {
  std::string out;
  for (const InputFault& f : faults) out += (out.empty() ? "" : "\n") + f.text();
  return out;
}
}  // namespace

ShipInputError::ShipInputError(std::vector<InputFault> faults)
    : std::runtime_error(joined(faults)), faults_(std::move(faults)) {}

ShipValues readTskText(std::string_view text, const std::string& source) {
  std::istringstream consoleIn;
  std::ostringstream consoleOut;
  Run run(consoleIn, consoleOut, ".", RunOutputs{false, true});  // the refusals on the console, no file touched
  fillAppendageCatalogue(run.s.app);
  std::istringstream tskText{std::string(text)};
  RecordReader tsk(tskText, source);
  EchoCapture echo(tsk);
  try {
    readInputFile(run, tsk, echo);
  } catch (const ReadFailure& e) {
    refuse(std::string(e.what()) + " Her kayittan once README tablosundaki sayida aciklama satiri olmali.");
  } catch (const StopRun&) {
    run.con.flush();
    refuse(source + ": " + oneLine(consoleOut.str()));
  }
  ShipValues values = valuesOf(run.s.in);
  values.comments = commentsFromEcho(echo.lines(), splitLines(text));
  return values;
}

ShipValues readTskFile(const std::filesystem::path& file) {
  std::ifstream in(file, std::ios::binary);
  if (!in.is_open() || std::filesystem::is_directory(file)) refuse("GIRDI DOSYASI BULUNAMADI: " + file.string());
  const std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  return readTskText(text, file.filename().string());
}

std::optional<float> readRealWord(std::string_view word) {
  float v = 0;
  if (!readWord(word, &v)) return std::nullopt;
  return v;
}

std::optional<int> readIntegerWord(std::string_view word) {
  int v = 0;
  if (!readWord(word, &v)) return std::nullopt;
  return v;
}

std::string formatReal(float v) {
  std::string s = shortestDecimal(v);
  if (s.find_first_of(".eEn") == std::string::npos) s += ".0";  // a real, not an integer
  return s;
}

std::string writeTsk(const ShipValues& values) {
  ShipValues v = values;  // the table's references are to values that may be set
  const auto table = valueTable();
  std::string out;
  std::size_t example = 0;
  for (int no = 1; no <= kInputRecords; ++no) {
    const auto idx = static_cast<std::size_t>(no - 1);
    const int count = kCommentCounts[idx];
    const bool own = values.comments.size() == static_cast<std::size_t>(kInputRecords) &&
                     values.comments[idx].size() == static_cast<std::size_t>(count);
    for (int c = 0; c < count; ++c, ++example) {
      out += own ? values.comments[idx][static_cast<std::size_t>(c)] : std::string(kExampleComments[example]);
      out += '\n';
    }
    std::string record;
    for (const ValueInfo& info : table) {
      if (info.record != no) continue;
      if (!record.empty()) record += "   ";
      const ValueRef ref = info.ref(v);
      if (auto* i = std::get_if<int*>(&ref)) {
        record += std::to_string(**i);
      } else if (auto* f = std::get_if<float*>(&ref)) {
        record += formatReal(**f);
      } else {
        const auto& list = *std::get<std::vector<float>*>(ref);
        record += std::to_string(list.size());
        for (std::size_t k = 0; k < list.size(); ++k) record += (k == 0 ? "   " : "  ") + formatReal(list[k]);
      }
    }
    out += record + '\n';
  }
  return out;
}

void setValue(ShipValues& values, std::string_view name, std::string_view text) {
  name = trimmed(name);
  if (name == "NV" || name == "NDF") {
    refuse(std::string(name) +
           " ayrica verilmez: " + (name == "NV" ? "hiz sayisi VS listesinin" : "faktor sayisi DF listesinin") +
           " uzunlugudur (ornek: " + (name == "NV" ? "VS=15,17,19" : "DF=1.0,1.05,1.1") + ").");
  }
  const ValueInfo* info = findValue(name);
  if (!info) {
    std::vector<std::string_view> names;
    for (const ValueInfo& i : valueTable()) names.push_back(i.name);
    std::string msg = "bilinmeyen ad " + inQuotes(name);
    const auto near = closestNames(name, names);
    if (!near.empty()) {
      msg += "; bunu mu demek istediniz: ";
      for (std::size_t k = 0; k < near.size(); ++k) msg += (k ? ", " : "") + std::string(near[k]);
      msg += "?";
    }
    refuse(msg + " (adlar README tablosundaki gibidir)");
  }
  text = trimmed(text);
  const std::string what = std::string(info->name) + " (" + std::string(info->comment) + ")";
  const ValueRef ref = info->ref(values);
  if (auto* i = std::get_if<int*>(&ref)) {
    int v = 0;
    if (!readWord(text, &v)) refuse(what + ": tam sayi (noktasiz, ornek 1) beklendi, " + inQuotes(text) + " bulundu");
    **i = v;
  } else if (auto* f = std::get_if<float*>(&ref)) {
    float v = 0;
    if (!readWord(text, &v))
      refuse(what + ": tek bir sayi beklendi (ondalik ayrac nokta, ornek 12.5), " + inQuotes(text) + " bulundu");
    **f = v;
  } else {
    std::vector<float> list;
    if (!text.empty()) {
      std::size_t start = 0;
      for (;;) {
        const std::size_t comma = text.find(',', start);
        const std::string_view word =
            trimmed(text.substr(start, comma == std::string_view::npos ? std::string_view::npos : comma - start));
        float v = 0;
        if (!readWord(word, &v))
          refuse(what + ": virgulle ayrilmis sayilar beklendi (ornek 15,17,19), " + inQuotes(word) + " bulundu");
        list.push_back(v);
        if (comma == std::string_view::npos) break;
        start = comma + 1;
      }
    }
    if (list.empty()) refuse(what + ": liste bos; en az bir sayi verilmeli (ornek 15,17,19)");
    if (list.size() > listLimit(*info))
      refuse(what + ": en cok " + std::to_string(listLimit(*info)) + " deger verilebilir, " +
             std::to_string(list.size()) + " verildi");
    *std::get<std::vector<float>*>(ref) = std::move(list);
  }
}

void setValue(ShipValues& values, std::string_view assignment) {
  const std::size_t eq = assignment.find('=');
  if (eq == std::string_view::npos) refuse("AD=DEGER bekleniyor (ornek B=33), " + inQuotes(assignment) + " bulundu");
  setValue(values, assignment.substr(0, eq), assignment.substr(eq + 1));
}

}  // namespace gemi::analysis
