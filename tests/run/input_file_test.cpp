// Reading the input data file: records, their echo, the defaults and
// conversions, and every way the file can be refused.
#include <gtest/gtest.h>

#include <string>

#include "../support/run_harness.h"

namespace gemi {
namespace {

using testing::contains;
using testing::exampleInput;
using testing::linesOf;
using testing::runCase;
using testing::withRecord;

// Comment lines of the example start with "* "; value echoes never do
// (an overflowing field starts with asterisks, but not with "* ").
bool isComment(const std::string& line) { return line.rfind("* ", 0) == 0; }

// The line of the echo file that follows the last comment line of record `no`.
std::string echoOfRecord(const std::string& echo, int no) {
  int seen = 0;
  for (const std::string& line : linesOf(echo)) {
    if (isComment(line)) continue;
    if (++seen == no) return line;
  }
  return "<record " + std::to_string(no) + " not echoed>";
}

TEST(InputFile, ExampleIsEchoedRecordByRecord) {
  const auto r = runCase(exampleInput());
  // Every comment line is echoed cut or padded to 80 columns, in file order.
  const auto in = linesOf(exampleInput());
  const auto echo = linesOf(r.echo);
  int comments = 0;
  for (const auto& line : in) comments += isComment(line);
  int echoed = 0;
  for (const auto& line : echo) {
    if (!isComment(line)) continue;
    EXPECT_EQ(line.size(), 80u) << line;
    ++echoed;
  }
  EXPECT_EQ(echoed, comments);
  // 43 value records; record 43 echoes its heading and one line per factor (none here).
  EXPECT_EQ(echo.size(), static_cast<std::size_t>(comments) + 43);
  // Value echoes rendered by hand from the record templates.
  EXPECT_EQ(echoOfRecord(r.echo, 1), "1025.00   9.8100");  // (F7.2,2X,F7.4)
  EXPECT_EQ(echoOfRecord(r.echo, 2), " 205.000");           // (F8.3)
  EXPECT_EQ(echoOfRecord(r.echo, 5), "  10.000  10.000");   // (2F8.3)
  EXPECT_EQ(echoOfRecord(r.echo, 6), " 37500.000");         // (F10.3)
  EXPECT_EQ(echoOfRecord(r.echo, 7), "  -1.538");           // -1.5375 is 1.53750002 in float: rounds up
  EXPECT_EQ(echoOfRecord(r.echo, 11), "    .980    .750");
  EXPECT_EQ(echoOfRecord(r.echo, 17), "  7  15.000  17.000  19.000  21.000  23.000  25.000  27.000");
  EXPECT_EQ(echoOfRecord(r.echo, 19), "  50.000   1.500");
  EXPECT_EQ(echoOfRecord(r.echo, 30), "   0      .000");      // (I4,2X,F8.3)
  EXPECT_EQ(echoOfRecord(r.echo, 34), "    .000");            // Hs echoed as read, before its default
  EXPECT_EQ(echoOfRecord(r.echo, 36), "   1   1   0");        // (3I4)
  EXPECT_EQ(echoOfRecord(r.echo, 37), "********    .850");   // 30000.000 is 9 wide: F8.3 overflows
  EXPECT_EQ(echoOfRecord(r.echo, 42), "      .0 Micron");     // (F8.1,A)
  EXPECT_EQ(echoOfRecord(r.echo, 43), " Dalga Direnc Duzeltme Faktorleri");
  EXPECT_EQ(echo.back(), " Dalga Direnc Duzeltme Faktorleri");
}

TEST(InputFile, ExampleValuesAndConversions) {
  const auto r = runCase(exampleInput());
  const InputData& in = r.state.in;
  EXPECT_EQ(in.RHO, 1025.0f);
  EXPECT_EQ(in.V, 37500.0f);
  EXPECT_EQ(in.LCB, -1.5375f);
  ASSERT_EQ(in.NV, 7);
  for (int i = 1; i <= 7; ++i) EXPECT_EQ(in.VS(i), 13.0f + 2.0f * i);
  EXPECT_EQ(in.Vtrial, 25.0f);
  EXPECT_EQ(r.state.app.FF2(1), 1.5f);   // given form factor replaces 1.75
  EXPECT_EQ(r.state.app.FF2(2), 1.40f);  // 0 keeps the default
  // Hs = 0 gives Hs = 0.32 Ta = 3.2 and Hsd = Ta - Hs = 6.8 (float32: 6.80000019).
  EXPECT_FLOAT_EQ(in.Hsd, 6.8f);
  EXPECT_EQ(in.NOPROP, 0);
  EXPECT_EQ(in.NPROP, 1);
  EXPECT_EQ(in.NSERIES, 1);
  EXPECT_EQ(in.NDF, 0);
}

TEST(InputFile, ValuesOverTwoLinesAndExtraValues) {
  std::string text = withRecord(exampleInput(), 2, "206.5 999 888");  // extras ignored, the next comment line still read
  text = withRecord(text, 18, "23");
  text = withRecord(text, 17, "7 15 17 19\n 21, 23 25\n27");
  const auto r = runCase(text);
  EXPECT_EQ(r.state.in.Lwl, 206.5f);
  EXPECT_EQ(r.state.in.Lbp, 205.0f);
  ASSERT_EQ(r.state.in.NV, 7);
  EXPECT_EQ(r.state.in.VS(4), 21.0f);
  EXPECT_EQ(r.state.in.VS(7), 27.0f);
  EXPECT_EQ(r.state.in.Vtrial, 23.0f);
  EXPECT_EQ(echoOfRecord(r.echo, 17), "  7  15.000  17.000  19.000  21.000  23.000  25.000  27.000");
}

TEST(InputFile, RepeatCountsSlashAndCrLf) {
  std::string text = withRecord(exampleInput(), 41, "4*1.25");
  text = withRecord(text, 43, "3 2*1.1 /");  // the third factor is not given and stays 0
  text = withRecord(text, 16, "9.5 /");      // ONYUZ keeps its initial 0 (a zero draught is refused)
  std::string crlf;
  for (const auto& line : linesOf(text)) crlf += line + "\r\n";
  const auto r = runCase(crlf);
  const InputData& in = r.state.in;
  EXPECT_EQ(in.FFDF, 1.25f);
  EXPECT_EQ(in.ERFAC, 1.25f);
  EXPECT_EQ(in.HFP, 9.5f);
  EXPECT_EQ(in.ONYUZ, 0.0f);
  ASSERT_EQ(in.NDF, 3);
  EXPECT_EQ(in.DF(2), 1.1f);
  EXPECT_EQ(in.DF(3), 0.0f);
  // CRLF line ends never reach the echo: comment lines stay 80 columns.
  EXPECT_EQ(r.echo.find('\r'), std::string::npos);
  const auto echo = linesOf(r.echo);
  EXPECT_EQ(echo[echo.size() - 3], "   1    1.100");
  EXPECT_EQ(echo.back(), "   3     .000");
}

TEST(InputFile, FormFactorReplacementThreshold) {
  std::string text = withRecord(exampleInput(), 19, "50 0.001");  // |FF2in| <= 0.001: default 1.75
  text = withRecord(text, 20, "5 0.002");                           // replaces 1.40
  text = withRecord(text, 21, "5 -0.5");                            // negative, above 0.001 in size
  text = withRecord(text, 22, "5 -0.001");                          // keeps 3.00
  const auto r = runCase(text);
  EXPECT_EQ(r.state.app.FF2(1), 1.75f);
  EXPECT_EQ(r.state.app.FF2(2), 0.002f);
  EXPECT_EQ(r.state.app.FF2(3), -0.5f);
  EXPECT_EQ(r.state.app.FF2(4), 3.00f);
  EXPECT_EQ(r.state.in.FF2in(1), 0.001f);
  EXPECT_EQ(echoOfRecord(r.echo, 19), "  50.000    .001");  // the echo shows the value as read
}

TEST(InputFile, ShaftDepthAndPropellerPresence) {
  // Hs = 0.005 counts as 0: Hsd = Ta - 0.32 Ta = 0.68 * 12 = 8.16.
  auto r = runCase(withRecord(withRecord(exampleInput(), 5, "12 12"), 34, "0.005"));
  EXPECT_FLOAT_EQ(r.state.in.Hsd, 8.16f);
  r = runCase(withRecord(exampleInput(), 34, "2.5"));
  EXPECT_EQ(r.state.in.Hsd, 7.5f);
  // D and N both below 0.001 in size: no propeller.
  r = runCase(withRecord(withRecord(exampleInput(), 31, "0.0009"), 32, "-0.0009"));
  EXPECT_EQ(r.state.in.NOPROP, 1);
  r = runCase(withRecord(exampleInput(), 31, "0.001"));
  EXPECT_EQ(r.state.in.NOPROP, 0);
}

// Console lines of the trial-speed refusal, rendered by hand: four empty
// records, then the texts with the console's carriage-control column removed.
std::string trialSpeedRefusal(const std::string& vtrial, const std::string& v1, const std::string& vn) {
  return "\n\n\n\n    **** DATA GIRISI HATASI ****\n"
         "   SEYIR HIZI Vtrial = " + vtrial + " knots\n"
         "   Vs(1)=" + v1 + " --- Vs(n)=" + vn + " knots\n"
         "   GIRILEN HIZ ARALIGI DISINDA GIRILDI - STOP\n\n\nStop - Program terminated.\n";
}

TEST(InputFile, TrialSpeedOutsideTheListStopsAfterRecord18) {
  const struct {
    const char *vtrial, *shown, *echoed;
  } cases[] = {{"27.01", " 27.01", "  27.010"}, {"14.99", " 14.99", "  14.990"}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.vtrial);
    const auto r = runCase(withRecord(exampleInput(), 18, c.vtrial));
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.console, trialSpeedRefusal(c.shown, " 15.00", " 27.00"));
    EXPECT_EQ(r.report, "");  // stopped before the title block
    // The echo holds everything up to record 18 and nothing of record 19.
    const auto echo = linesOf(r.echo);
    EXPECT_EQ(echo.back(), c.echoed);
    EXPECT_TRUE(contains(echo[echo.size() - 2], "KAYIT 18"));
  }
  // The ends of the speed list themselves pass.
  for (const char* vtrial : {"15", "27"}) EXPECT_TRUE(contains(runCase(withRecord(exampleInput(), 18, vtrial)).report, "GIRIS BILGILERI"));
}

// The refusal of `values` as record `no`: record, name, value and rule on the console, then the stop.
void expectRefusal(int no, const std::string& values, const std::string& valueLine, const std::string& rule) {
  SCOPED_TRACE(values);
  const auto r = runCase(withRecord(exampleInput(), no, values));
  EXPECT_EQ(r.status, 0) << r.console;
  EXPECT_EQ(r.console, "\n\n\n\n    **** DATA GIRISI HATASI ****\n" + valueLine + "\n   " + rule +
                           " - STOP\n\n\nStop - Program terminated.\n");
  EXPECT_EQ(r.report, "");
}

TEST(InputFile, SpeedAndFactorCountsOutsideTheirTablesAreRefused) {
  const std::string nv = "HIZ SAYISI 1 ILE 50 ARASINDA OLMALIDIR", ndf = "NDF 0 ILE 10 ARASINDA OLMALIDIR";
  const std::string tooMany = "51 " + std::string(51 * 3, ' ');
  expectRefusal(17, tooMany, "   KAYIT 17 - HIZ SAYISI NV =      51", nv);
  expectRefusal(17, "0 15", "   KAYIT 17 - HIZ SAYISI NV =       0", nv);
  expectRefusal(43, "11 11*1.0", "   KAYIT 43 - DUZELTME FAKTORU SAYISI NDF =      11", ndf);
  expectRefusal(43, "-1", "   KAYIT 43 - DUZELTME FAKTORU SAYISI NDF =      -1", ndf);
  // The count as read is echoed, then nothing more.
  EXPECT_EQ(linesOf(runCase(withRecord(exampleInput(), 17, tooMany)).echo).back(), " 51");
  // The limits themselves are accepted: 50 speeds, 10 factors.
  std::string speeds = "50";
  for (int i = 1; i <= 50; ++i) speeds += " " + std::to_string(10 + i);
  const auto r = runCase(withRecord(withRecord(withRecord(exampleInput(), 17, speeds), 18, "30"), 43, "10 10*1.02"));
  EXPECT_EQ(r.state.in.VS(50), 60.0f);
  EXPECT_EQ(r.state.in.DF(10), 1.02f);
  EXPECT_TRUE(contains(r.report, "CIKIS BILGILERI"));
}

// Values without physical meaning are refused with their record, before any
// of them reaches the calculation (NaN, Infinity or asterisks in a report
// that looks complete). F12.4 renders -1025 as "  -1025.0000", -205 as "   -205.0000", 0 as "       .0000".
TEST(InputFile, ValuesWithoutPhysicalMeaningAreRefused) {
  const struct {
    int no;
    const char* values;
    const char* valueLine;
    const char* rule;
  } cases[] = {
      {1, "-1025 9.81", "   KAYIT  1 - SU YOGUNLUGU RHO =  -1025.0000", "SU YOGUNLUGU RHO SIFIRDAN BUYUK OLMALIDIR"},
      {1, "1025 0", "   KAYIT  1 - YERCEKIMI IVMESI GRAV =       .0000", "YERCEKIMI IVMESI GRAV SIFIRDAN BUYUK OLMALIDIR"},
      {2, "0", "   KAYIT  2 - SU HATTI BOYU Lwl =       .0000", "SU HATTI BOYU Lwl SIFIRDAN BUYUK OLMALIDIR"},
      {3, "-205", "   KAYIT  3 - DIKMELER ARASI BOY Lbp =   -205.0000", "DIKMELER ARASI BOY Lbp SIFIRDAN BUYUK OLMALIDIR"},
      {4, "0", "   KAYIT  4 - KALIP GENISLIGI B =       .0000", "KALIP GENISLIGI B SIFIRDAN BUYUK OLMALIDIR"},
      {5, "0 10", "   KAYIT  5 - BAS DRAFTI Tf =       .0000", "BAS DRAFTI Tf SIFIRDAN BUYUK OLMALIDIR"},
      {5, "10 -1", "   KAYIT  5 - KIC DRAFTI Ta =     -1.0000", "KIC DRAFTI Ta SIFIRDAN BUYUK OLMALIDIR"},
      {6, "0", "   KAYIT  6 - DEPLASMAN HACMI V =       .0000", "DEPLASMAN HACMI V SIFIRDAN BUYUK OLMALIDIR"},
      {17, "3 0 15 25", "   KAYIT 17 - HIZ VS(1) =       .0000", "HIZ VS(1) SIFIRDAN BUYUK OLMALIDIR"},
      {17, "3 -15 15 25", "   KAYIT 17 - HIZ VS(1) =    -15.0000", "HIZ VS(1) SIFIRDAN BUYUK OLMALIDIR"},
      {17, "3 15 25 20", "   KAYIT 17 - HIZ VS(3) =     20.0000",
       "HIZLAR KUCUKTEN BUYUGE SIRALI OLMALI, HER HIZ BIR ONCEKINDEN (VS(2)) BUYUK"},
      {17, "3 15 15 25", "   KAYIT 17 - HIZ VS(2) =     15.0000",
       "HIZLAR KUCUKTEN BUYUGE SIRALI OLMALI, HER HIZ BIR ONCEKINDEN (VS(1)) BUYUK"},
      {17, "3 27 25 15", "   KAYIT 17 - HIZ VS(2) =     25.0000",
       "HIZLAR KUCUKTEN BUYUGE SIRALI OLMALI, HER HIZ BIR ONCEKINDEN (VS(1)) BUYUK"},
  };
  for (const auto& c : cases) expectRefusal(c.no, c.values, c.valueLine, c.rule);
  // A descending list is refused as such, not as a trial speed outside the range.
  const auto r = runCase(withRecord(exampleInput(), 17, "3 27 25 15"));
  EXPECT_FALSE(contains(r.console, "HIZ ARALIGI DISINDA")) << r.console;
  // Merely unusual values pass: fresh water, a smaller gravity, a very small ship, one speed.
  std::string unusual = withRecord(withRecord(exampleInput(), 1, "1000 9.7"), 6, "0.5");
  unusual = withRecord(withRecord(unusual, 17, "1 25"), 18, "25");
  EXPECT_TRUE(contains(runCase(unusual).report, "CIKIS BILGILERI"));
}

TEST(InputFile, PropellerDataUnfitForThePropellerStageIsRefused) {
  expectRefusal(36, "0 1 0", "   KAYIT 36 - PERVANE SAYISI NPROP =       0",
                "PERVANE HESABI ICIN NPROP EN AZ 1 OLMALIDIR");
  expectRefusal(36, "1 3 0", "   KAYIT 36 - PERVANE SERISI NSERIES =       3",
                "NSERIES 1 (WAGENINGEN B) VEYA 2 (GAWN) OLMALIDIR");
  expectRefusal(37, "30000 0", "   KAYIT 37 - MAKINA MARJINI MCR =       .0000",
                "PERVANE HESABI ICIN MCR SIFIRDAN BUYUK OLMALIDIR");
  expectRefusal(40, "-0.5", "   KAYIT 40 - TRANSMISYON VERIMI etas =      -.5000",
                "PERVANE HESABI ICIN etas SIFIRDAN BUYUK OLMALIDIR");
  // Without a propeller the same values pass: the propeller stage does not run.
  std::string noProp = withRecord(withRecord(exampleInput(), 31, "0"), 36, "0 7 0");
  noProp = withRecord(withRecord(noProp, 37, "0 0"), 40, "0");
  EXPECT_TRUE(contains(runCase(noProp).report, "CIKIS BILGILERI"));
}

TEST(InputFile, ReadFailuresNameFileRecordLineAndWhatWasExpected) {
  struct Case {
    int record;
    std::string values;
    int line;  // line of the example file holding the record
  };
  for (const Case& c : {Case{6, "abc", 24}, Case{17, "3.0 15 17 19", 55}, Case{36, "1 1.5 0", 109}}) {
    const auto r = runCase(withRecord(exampleInput(), c.record, c.values));
    EXPECT_EQ(r.status, 1) << c.values;
    EXPECT_TRUE(contains(r.console, "KR-22-03-2017.TSK")) << r.console;
    EXPECT_TRUE(contains(r.console, "kayit " + std::to_string(c.record) + " ")) << r.console;
    EXPECT_TRUE(contains(r.console, "satir " + std::to_string(c.line))) << r.console;
    EXPECT_TRUE(contains(r.console, "beklendi")) << r.console;
    EXPECT_TRUE(contains(r.console, "sayida aciklama satiri olmali")) << r.console;  // where to look
    EXPECT_FALSE(contains(r.console, "Stop - Program terminated.")) << r.console;
    EXPECT_EQ(r.report, "");
    // Every record before the faulty one is in the echo, flushed.
    const auto in = linesOf(exampleInput());
    const auto echo = linesOf(r.echo);
    ASSERT_EQ(echo.size(), static_cast<std::size_t>(c.line - 1)) << r.echo;
    std::string lastComment = in[c.line - 2];
    lastComment.resize(80, ' ');
    EXPECT_EQ(echo.back(), lastComment);
  }
}

TEST(InputFile, EndOfFileBeforeAllRecords) {
  const auto in = linesOf(exampleInput());
  // Cut after the 3rd comment line in front of record 31 (comments of 31 start at line 86).
  std::string cut;
  for (int k = 0; k < 88; ++k) cut += in[k] + "\n";
  const auto r = runCase(cut);
  EXPECT_EQ(r.status, 1);
  EXPECT_TRUE(contains(r.console, "kayit 31 ")) << r.console;
  EXPECT_TRUE(contains(r.console, "KR-22-03-2017.TSK")) << r.console;
  EXPECT_EQ(linesOf(r.echo).size(), 88u);
  // A file cut inside a record that spans lines: the read runs off the end.
  const auto r2 = runCase(withRecord(exampleInput(), 43, "3 1.0"));
  EXPECT_EQ(r2.status, 1);
  EXPECT_TRUE(contains(r2.console, "kayit 43 ")) << r2.console;
}

}  // namespace
}  // namespace gemi
