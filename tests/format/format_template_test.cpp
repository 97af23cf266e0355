// Rendering of format templates. Every expected string is written by hand
// from the rendering rules; exact decimal values of floats quoted in comments
// come from python3 (decimal.Decimal of the float32 value).
#include "format/format_template.h"

#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <limits>
#include <sstream>
#include <string>
#include <vector>

namespace gemi {
namespace {

using Records = std::vector<std::string>;

Records render(std::string_view tmpl, std::initializer_list<Item> items = {}) {
  return FormatTemplate::get(tmpl).render(std::span<const Item>(items.begin(), items.size()));
}

std::string one(std::string_view tmpl, std::initializer_list<Item> items = {}) {
  Records r = render(tmpl, items);
  EXPECT_EQ(r.size(), 1u) << tmpl;
  return r.empty() ? std::string() : r[0];
}

std::string F(float v, int w, int d) {
  return one("(F" + std::to_string(w) + "." + std::to_string(d) + ")", {v});
}

TEST(RealField, WidthAndOverflow) {
  EXPECT_EQ(F(1234.5f, 6, 1), "1234.5");
  EXPECT_EQ(F(12345.0f, 6, 1), "******");
  EXPECT_EQ(F(-0.25f, 5, 2), " -.25");
  EXPECT_EQ(F(-0.25f, 3, 2), "***");
  EXPECT_EQ(F(-12.25f, 7, 3), "-12.250");
  // Rounding can carry into a new digit: 9.9996 is 9.99960041... -> 10.000.
  EXPECT_EQ(F(9.9996f, 6, 3), "10.000");
  // 0.9996 is 0.99959999...; it rounds to 1.000, five characters for four columns.
  EXPECT_EQ(F(0.9996f, 4, 3), "****");
  EXPECT_EQ(F(3.4e38f, 8, 2), "********");
  EXPECT_EQ(F(1e10f, 14, 1), " 10000000000.0");
  // 16777217 is not a float; the nearest is 16777216.
  EXPECT_EQ(F(16777217.0f, 10, 0), " 16777216.");
}

TEST(RealField, NoZeroBeforeThePoint) {
  EXPECT_EQ(F(0.5f, 6, 3), "  .500");
  EXPECT_EQ(F(0.5f, 4, 3), ".500");
  EXPECT_EQ(F(0.0f, 6, 3), "  .000");
  EXPECT_EQ(F(4.0f, 2, 0), "4.");
  EXPECT_EQ(F(0.3f, 2, 0), "0.");  // d = 0: the one case with a zero before the point
  EXPECT_EQ(F(0.7f, 3, 0), " 1.");
}

TEST(RealField, RoundsHalfAwayFromZeroOnTheExactValue) {
  // Exact ties: rounding to even would give .12, 2., .62, -2.
  EXPECT_EQ(F(0.125f, 4, 2), " .13");
  EXPECT_EQ(F(2.5f, 3, 0), " 3.");
  EXPECT_EQ(F(0.625f, 4, 2), " .63");
  EXPECT_EQ(F(-2.5f, 4, 0), " -3.");
  // Written like ties but not ties in binary:
  // 1.005f = 1.00499999523..., 2.675f = 2.67499995231..., 0.15f = 0.15000000596...
  EXPECT_EQ(F(1.005f, 5, 2), " 1.00");
  EXPECT_EQ(F(2.675f, 5, 2), " 2.67");
  EXPECT_EQ(F(0.15f, 4, 1), "  .2");
  // 123.4567f = 123.45670318603515625.
  EXPECT_EQ(F(123.4567f, 7, 3), "123.457");
}

TEST(RealField, NegativeValuesRoundingToZero) {
  // 0.0004f = 0.00039999998..., -0.00004f = -0.0000399999...: magnitude below 10^-4 -> no sign.
  EXPECT_EQ(F(0.0004f, 6, 3), "  .000");
  EXPECT_EQ(F(-0.00004f, 6, 3), "  .000");
  // -0.0004f has a magnitude above 10^-4: the sign stays though it rounds to zero.
  EXPECT_EQ(F(-0.0004f, 6, 3), " -.000");
  EXPECT_EQ(F(-0.0f, 6, 3), "  .000");
  EXPECT_EQ(F(-1e-45f, 6, 3), "  .000");
  // d = 0: the limit is 0.1.
  EXPECT_EQ(F(-0.3f, 3, 0), "-0.");
  EXPECT_EQ(F(-0.04f, 3, 0), " 0.");
}

TEST(RealField, NonFiniteValues) {
  const float nan = std::numeric_limits<float>::quiet_NaN();
  const float inf = std::numeric_limits<float>::infinity();
  EXPECT_EQ(F(nan, 8, 3), "     NaN");
  EXPECT_EQ(F(nan, 3, 1), "NaN");
  EXPECT_EQ(F(nan, 2, 0), "**");
  EXPECT_EQ(F(inf, 8, 2), "Infinity");
  EXPECT_EQ(F(inf, 10, 2), "  Infinity");
  EXPECT_EQ(F(inf, 7, 2), "    Inf");
  EXPECT_EQ(F(inf, 2, 0), "**");
  EXPECT_EQ(F(-inf, 9, 2), "-Infinity");
  EXPECT_EQ(F(-inf, 8, 2), "    -Inf");
  EXPECT_EQ(F(-inf, 3, 0), "***");
}

TEST(IntField, ValuesAndTruncatedReals) {
  EXPECT_EQ(one("(I2)", {100}), "**");
  EXPECT_EQ(one("(I3)", {-5}), " -5");
  EXPECT_EQ(one("(I11)", {INT_MIN}), "-2147483648");
  EXPECT_EQ(one("(I10)", {INT_MIN}), "**********");
  // Truncation toward zero.
  EXPECT_EQ(one("(I5)", {truncatedInt(123.9f)}), "  123");
  EXPECT_EQ(one("(I4)", {truncatedInt(-7.9f)}), "  -7");
  EXPECT_EQ(one("(I11)", {truncatedInt(-2147483648.0f)}), "-2147483648");
  EXPECT_EQ(one("(I10)", {truncatedInt(2147483520.0f)}), "2147483520");  // largest float below 2^31
  // Not representable as int: asterisks, whatever the width.
  EXPECT_EQ(one("(I5)", {truncatedInt(std::numeric_limits<float>::quiet_NaN())}), "*****");
  EXPECT_EQ(one("(I4)", {truncatedInt(std::numeric_limits<float>::infinity())}), "****");
  EXPECT_EQ(one("(I12)", {truncatedInt(2147483648.0f)}), "************");
  EXPECT_EQ(one("(I12)", {truncatedInt(-3e9f)}), "************");
}

TEST(TextField, WidthRules) {
  const std::string t32(32, 'k');
  EXPECT_EQ(one("(A40)", {t32}), std::string(8, ' ') + t32);
  std::string t80;
  for (int k = 0; k < 8; ++k) t80 += "0123456789";
  EXPECT_EQ(one("(A40)", {t80}), t80.substr(0, 40));
  EXPECT_EQ(one("(2X,A)", {"ab  "}), "  ab  ");  // full length, trailing blanks kept
  const std::string label = "GIRIS ACISI (HESAPLANAN) ..............";
  ASSERT_EQ(label.size(), 39u);
  EXPECT_EQ(one("(2X,A40,'=',F8.2,' derece')", {label, 12.5f}), "   " + label + "=   12.50 derece");
}

TEST(ItemKinds, MismatchShowsAsterisks) {
  EXPECT_EQ(one("(F6.2)", {"text"}), "******");
  EXPECT_EQ(one("(I3)", {2.5f}), "***");
  EXPECT_EQ(one("(F5.1)", {3}), "*****");
  EXPECT_EQ(one("(A4)", {1.5f}), "****");
}

TEST(Templates, RecordEnds) {
  EXPECT_EQ(render("(/)"), Records({"", ""}));
  EXPECT_EQ(render("(//)"), Records({"", "", ""}));
  EXPECT_EQ(render("(4/5X,'**** DATA GIRISI HATASI ****')"),
            Records({"", "", "", "", "     **** DATA GIRISI HATASI ****"}));
  EXPECT_EQ(render("(2X,54('=')//)"), Records({"  " + std::string(54, '='), "", ""}));
  EXPECT_EQ(render("(/A/)", {"x"}), Records({"", "x", ""}));
  EXPECT_EQ(render("(3/1X'HATA - PERVANE KAVITASYON SAYISI - Sigma = ',   F6.3,' LIMITLERIN DISINDA KALDI.')", {1.6f}),
            Records({"", "", "", " HATA - PERVANE KAVITASYON SAYISI - Sigma =  1.600 LIMITLERIN DISINDA KALDI."}));
}

TEST(Templates, GroupsRepeatsAndLiterals) {
  EXPECT_EQ(one("(60('='))"), std::string(60, '='));
  EXPECT_EQ(one("(7X,'|',57('-'),'|')"), "       |" + std::string(57, '-') + "|");
  EXPECT_EQ(one("('it''s',2X,'a, (b)')"), "it's  a, (b)");
  // 1X,I2,2X,F5.2,2X, seven F7.3 each followed by 2X, then I5,2X,F6.2.
  EXPECT_EQ(one("(1X,I2,2X,F5.2,2X,7(F7.3,2X),I5,2X,F6.2)",
                {3, 0.25f, 1.0f, -0.5f, 123.4567f, 1000.0f, 0.0f, 9.5f, -12.25f, 1234, 45.5f}),
            std::string(" ") + " 3" + "  " + "  .25" + "  " +  //
                "  1.000  " + "  -.500  " + "123.457  " + "*******  " + "   .000  " + "  9.500  " + "-12.250  " +
                " 1234" + "  " + " 45.50");
  // Repeated descriptors: 2F8.3 is F8.3,F8.3.
  EXPECT_EQ(one("(1X,I2,2F8.3)", {7, 1.5f, 2.25f}), "  7   1.500   2.250");
}

TEST(Templates, CommasLeftOutAndBlankRuns) {
  EXPECT_EQ(one("('  PRIZMATIK KATSAYI(Lpp YE GORE) ------> CP = ',F5.3', >1 OLDU. - STOP')", {1.02f}),
            "  PRIZMATIK KATSAYI(Lpp YE GORE) ------> CP = 1.020, >1 OLDU. - STOP");
  EXPECT_EQ(one("(1X'BU DURUMDA BURRIL ANALIZI YAPILAMAZ.')"), " BU DURUMDA BURRIL ANALIZI YAPILAMAZ.");
  EXPECT_EQ(one("(2X,                                                    '  Rt = Pe/(0.5144*Vs) = ',F8.2,"
                "'/(0.5144*',F6.3,') = ',F8.2' kN' )",
                {10000.0f, 25.0f, 777.6f}),
            "    Rt = Pe/(0.5144*Vs) = 10000.00/(0.5144*25.000) =   777.60 kN");
  EXPECT_EQ(render("(/2X,                                                    '  Onemli Not:x'/        4x,'y.')"),
            Records({"", "    Onemli Not:x", "    y."}));
  EXPECT_EQ(render("(2X,'VARSAYILAN VERIM = ',F5.3,                        ' ILE HESAPLANAN VERIM ', "
                   "F5.3/'  BIRBIRLERINDEN',            ' FARKLI CIKTIGI ICIN PROGRAMI '/'  ETAD = ',F5.3,"
                   "            ' YE YAKIN BIR DEGER ILE YENIDEN BASLATMAK GEREKIR - STOP'//)",
                   {0.6f, 0.65f, 0.65f}),
            Records({"  VARSAYILAN VERIM =  .600 ILE HESAPLANAN VERIM  .650",
                     "  BIRBIRLERINDEN FARKLI CIKTIGI ICIN PROGRAMI ",
                     "  ETAD =  .650 YE YAKIN BIR DEGER ILE YENIDEN BASLATMAK GEREKIR - STOP", "", ""}));
}

TEST(Templates, ExhaustedItemList) {
  // Stops at the sixth F8.3: one record with the integer and five values.
  EXPECT_EQ(render("(I3,50F8.3)", {5, 15.0f, 17.0f, 19.0f, 21.0f, 23.0f}),
            Records({"  5  15.000  17.000  19.000  21.000  23.000"}));
  // Literals before the next data descriptor are still written.
  EXPECT_EQ(one("(' |',F7.3,' |',I7,' |')", {1.0f}), " |  1.000 |");
  EXPECT_EQ(one("(2X,'A=',F5.2,' m')"), "  A=");
}

TEST(Templates, Reversion) {
  // Back to the last top-level group "3(F5.1)", in a new record.
  EXPECT_EQ(render("(1X,I2,3(F5.1))", {1, 1.0f, 2.0f, 3.0f, 4.0f, 5.0f}),
            Records({"  1  1.0  2.0  3.0", "  4.0  5.0"}));
  // No group: back to the start.
  EXPECT_EQ(render("(I3)", {1, 2, 3}), Records({"  1", "  2", "  3"}));
  EXPECT_EQ(render("(1X,2(I2),'|',(I2))", {1, 2, 3, 4, 5}), Records({"  1 2| 3", " 4", " 5"}));
  // Items but no data descriptor: the text once, the items unused.
  EXPECT_EQ(render("('x')", {1, 2}), Records({"x"}));
}

TEST(Templates, ParsedOnceAndMalformedRefused) {
  const FormatTemplate& a = FormatTemplate::get("(2X,'cache',I3)");
  const FormatTemplate& b = FormatTemplate::get(std::string("(2X,'cache',I3)"));
  EXPECT_EQ(&a, &b);
  EXPECT_THROW(FormatTemplate::get("(F5)"), std::invalid_argument);
  EXPECT_THROW(FormatTemplate::get("(2X"), std::invalid_argument);
  EXPECT_THROW(FormatTemplate::get("(Q5)"), std::invalid_argument);
  EXPECT_THROW(FormatTemplate::get("('open)"), std::invalid_argument);
}

// Expected records below were printed by gfortran 12 (print *, ...), a second
// implementation of list-directed output.
TEST(FreeForm, RecordsStartWithABlank) {
  const struct {
    std::vector<Item> items;
    std::string record;
  } cases[] = {
      {{}, ""},
      {{"PROGRAM CALISMASI TAMAMLANDI."}, " PROGRAM CALISMASI TAMAMLANDI."},
      {{"|--------|", "------|"}, " |--------|------|"},
      {{5}, "           5"},
      {{"ab", 5, "cd"}, " ab           5 cd"},
      {{1.0f}, "   1.00000000    "},
      {{"x", 1.5f, 2.5e10f, -3.25e-5f, 0.0f}, " x   1.50000000       2.49999995E+10  -3.25000001E-05   0.00000000    "},
      {{123456789.0f, 0.1f, 0.09f}, "   123456792.      0.100000001       9.00000036E-02"},
  };
  for (const auto& c : cases) EXPECT_EQ(renderList(c.items), Records({c.record}));
}

TEST(Sinks, ConsoleCarriageControlAndFileRecords) {
  std::ostringstream con;
  ConsoleSink c(con);
  for (const char* rec : {" a", "0b", "1c", "+d", "", "xe"}) c.record(rec);
  EXPECT_EQ(con.str(), "a\n\nb\n\nc\nd\n\ne\n");

  std::ostringstream file;
  StreamSink f(file);
  write(f, "(' (Kr\xFCger (1976))',F5.3)", {0.5f});
  write(f, "(/)");
  EXPECT_EQ(file.str(), " (Kr\xFCger (1976)) .500\n\n\n");

  std::ostringstream con2;
  ConsoleSink c2(con2);
  writeList(c2, {"Stop - Program terminated."});
  writeList(c2);
  EXPECT_EQ(con2.str(), "Stop - Program terminated.\n\n");
}

}  // namespace
}  // namespace gemi
