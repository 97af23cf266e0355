// rapor.html without a browser: the sections of the stages that ran, table
// rows per speed, a self-contained page, every input text escaped, the
// legacy report converted to UTF-8.
#include "analysis/report_page.h"

#include "analysis/command_line.h"

#include <gtest/gtest.h>

#include "page_support.h"

namespace gemi::testing {
namespace {

// The ids of the page's sections, in order.
std::vector<std::string> sectionsOf(const std::string& html) {
  std::vector<std::string> ids;
  const std::string key = "<section id=\"";
  for (std::size_t p = html.find(key); p != std::string::npos; p = html.find(key, p + 1)) {
    const std::size_t start = p + key.size();
    ids.push_back(html.substr(start, html.find('"', start) - start));
  }
  return ids;
}

// The text of section `id` (empty when absent).
std::string sectionText(const std::string& html, const std::string& id) {
  const std::size_t p = html.find("<section id=\"" + id + "\"");
  if (p == std::string::npos) return "";
  return html.substr(p, html.find("</section>", p) - p);
}

// Body rows of the table whose caption starts with `caption` in `text`.
std::size_t bodyRows(const std::string& text, const std::string& caption) {
  const std::size_t p = text.find("<caption>" + caption);
  if (p == std::string::npos) return 0;
  const std::size_t body = text.find("<tbody>", p), end = text.find("</tbody>", p);
  return occurrences(text.substr(body, end - body), "<tr");
}

TEST(ReportPage, ExamplePageHasEverySectionAndOneRowPerSpeed) {
  CompanionCase c(exampleInput());
  ASSERT_EQ(c.run().status, 0) << c.err;
  ASSERT_TRUE(c.has("rapor.html"));
  const std::string html = c.file("rapor.html");
  EXPECT_EQ(sectionsOf(html),
            (std::vector<std::string>{"gemi", "uygulanabilirlik", "direnc", "pervane", "guc", "bitis", "rapor"}));
  EXPECT_EQ(bodyRows(sectionText(html, "direnc"), "Direnç tablosu"), 7u);
  EXPECT_EQ(bodyRows(sectionText(html, "guc"), "Servis tablosu"), 7u);
  // The four plots inline, each with its own clip path.
  EXPECT_EQ(occurrences(html, "<svg "), 4u);
  for (const char* id : {"direnc-clip", "guc-clip", "acik_su-clip", "burrill-clip"})
    EXPECT_EQ(occurrences(html, std::string("id=\"") + id), 1u) << id;
  // Figures of the README: Pb 35256.68 kW, reachable speed 25.35 kn, the
  // two applicability findings, the settled efficiency loop.
  EXPECT_TRUE(contains(sectionText(html, "guc"), "35256.68"));
  EXPECT_TRUE(contains(sectionText(html, "guc"), "25.35 knot"));
  EXPECT_TRUE(contains(sectionText(html, "uygulanabilirlik"), "2 bulgu"));
  EXPECT_TRUE(contains(sectionText(html, "bitis"), "Hesap tamamlandı"));
  EXPECT_TRUE(contains(sectionText(html, "bitis"), "0.600 → 0.686"));
  // The legacy report whole, in a collapsed section, its 0xFC as "ü".
  const std::string legacy = sectionText(html, "rapor");
  EXPECT_TRUE(contains(legacy, "<details>"));
  EXPECT_FALSE(contains(legacy, "<details open"));
  EXPECT_TRUE(contains(legacy, "(Krüger (1976))"));
  // Every line of the report, and six of the section's own markup.
  EXPECT_EQ(occurrences(legacy, "\n"), occurrences(c.file("KR-22-03-2017.SON"), "\n") + 6);
  EXPECT_TRUE(contains(readFile(c.outDir() / "sonuc.json"), "\"rapor.html\""));

  // Self-contained: no script, nothing loaded from elsewhere (the only URI is
  // the SVG namespace name, which is not fetched), print rules present.
  EXPECT_TRUE(html.rfind("<!DOCTYPE html>\n<html lang=\"tr\">\n<head>\n<meta charset=\"utf-8\">", 0) == 0);
  for (const char* banned : {"<script", "<link", "<img", "<iframe", "src=", "href=", "@import", "url(http", "@font-face"})
    EXPECT_FALSE(contains(html, banned)) << banned;
  EXPECT_EQ(occurrences(html, "http"), occurrences(html, "xmlns=\"http://www.w3.org/2000/svg\""));
  for (const char* rule : {"@media print", "break-before: page", "break-inside: avoid", "width: 100%"})
    EXPECT_TRUE(contains(html, rule)) << rule;
}

// A run that stops at the efficiency check has the ship, the checks, the
// resistance and the propeller selected so far, but no power section; the
// stop message is shown. A run with --html=false writes no page.
TEST(ReportPage, StoppedRunLacksTheLaterSectionsAndHtmlCanBeLeftOut) {
  CompanionCase stopped(exampleInput());
  stopped.opt.etad = 0.6f;
  ASSERT_EQ(stopped.run().status, 3) << stopped.out;
  const std::string html = stopped.file("rapor.html");
  EXPECT_EQ(sectionsOf(html), (std::vector<std::string>{"gemi", "uygulanabilirlik", "direnc", "pervane", "bitis", "rapor"}));
  EXPECT_TRUE(contains(sectionText(html, "bitis"), "Hesap durdu: "));
  EXPECT_TRUE(contains(sectionText(html, "bitis"), "ETAD"));
  EXPECT_EQ(occurrences(html, "<svg "), 2u);  // direnc, burrill

  CompanionCase none(exampleInput());
  none.opt.html = false;
  ASSERT_EQ(none.run().status, 0);
  EXPECT_FALSE(none.has("rapor.html"));
  EXPECT_FALSE(contains(none.file("sonuc.json"), "rapor.html"));
}

TEST(ReportPage, HtmlOptionOnByDefault) {
  const std::pair<std::vector<const char*>, bool> cases[] = {
      {{"gemiguc-analiz"}, true},
      {{"gemiguc-analiz", "--html"}, true},
      {{"gemiguc-analiz", "--html=false"}, false},
      {{"gemiguc-analiz", "--html=true", "a.TSK"}, true},
  };
  for (const auto& [args, html] : cases) {
    analysis::Options opt;
    std::ostringstream out, err;
    ASSERT_EQ(analysis::parseCommandLine(static_cast<int>(args.size()), args.data(), opt, out, err), -1) << err.str();
    EXPECT_EQ(opt.html, html) << args.back();
  }
}

// The ship's comment lines can hold anything: markup in the first one is
// shown as text, a Windows-1254 letter becomes its UTF-8 form, and the
// input file's own name is escaped as well.
TEST(ReportPage, InputTextIsEscaped) {
  std::string input = exampleInput();
  input.replace(0, input.find('\n'), "* <script>alert('x')</script> & <b onclick=\"y\">Gemi \xDD\xFE\xFD</b>\r");
  TempDir dir;
  const auto file = dir.path() / "a<b>&.TSK";
  writeFile(file, input);
  CompanionCase c(exampleInput());
  c.opt.input = file;
  c.opt.outDir = dir.path() / "out";
  ASSERT_EQ(c.run().status, 0) << c.err;
  const std::string html = readFile(dir.path() / "out/rapor.html");
  EXPECT_TRUE(contains(html, "&lt;script&gt;alert(&apos;x&apos;)&lt;/script&gt; &amp; &lt;b onclick=&quot;y&quot;&gt;Gemi İşı&lt;/b&gt;"));
  EXPECT_FALSE(contains(html, "<script"));
  EXPECT_FALSE(contains(html, "<b "));
  EXPECT_FALSE(contains(html, "a<b>"));
  EXPECT_TRUE(contains(html, "a&lt;b&gt;&amp;.TSK"));
}

TEST(ReportPage, Windows1254BytesBecomeUtf8) {
  const std::pair<std::string, std::string> cases[] = {
      {"Kr\xFCger\n", "Krüger\n"},
      {"\xD0\xDD\xDE\xF0\xFD\xFE", "ĞİŞğış"},  // the six letters where the code page differs from Latin-1
      {"\xC7\xE7\xD6\xF6\xDC", "ÇçÖöÜ"},         // those it shares with Latin-1
      {"\x80 \x93x\x94 \x96", "€ “x” –"},       // 0x80 .. 0x9F
      {"\x81\x9D", "\uFFFD\uFFFD"},                 // unassigned
  };
  for (const auto& [in, out] : cases) EXPECT_EQ(analysis::windows1254ToUtf8(in), out) << in;
  // UTF-8 is kept; any invalid sequence sends the whole text through the code page.
  EXPECT_EQ(analysis::asUtf8("Gemi İşı"), "Gemi İşı");
  EXPECT_EQ(analysis::asUtf8("İ \xDD\xFE"), "Ä° İş");
  EXPECT_EQ(analysis::asUtf8("\xC0\xAF"), "À¯");  // an overlong '/' is not UTF-8
}

}  // namespace
}  // namespace gemi::testing
