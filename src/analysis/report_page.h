// rapor.html: the whole result of a run on one self-contained page (UTF-8,
// Turkish, styles and plots inline, no scripts, no external links or fonts),
// built from the results record and laid out to print one section a page.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "analysis/plot_files.h"
#include "analysis/results.h"

namespace gemi::analysis {

inline constexpr const char* kReportPage = "rapor.html";

// What the page shows besides the results record.
struct PageContext {
  std::string runDate;                 // date and time of the run, as shown ("2026-12-08 09:12 UTC")
  std::string shipTitle;               // the input file's first comment line, as read (any code page)
  std::string legacyReport;            // the program's report file as written; empty: no such section
  std::string legacyReportName;        // its file name
};

// The page's text. Sections, in order, each a <section> with its id, present
// only when its stage ran: gemi, uygulanabilirlik (checks applied), direnc
// (speeds computed), pervane (the propeller stage started), guc (power chain
// or service rows formed), bitis (always), rapor (a report text given).
std::string reportPage(const Results& r, const std::vector<NamedPlot>& plots, const PageContext& ctx);

// Writes the page into `dir` (temporary file, renamed) and appends its name
// to r.meta.files.
void writeReportPage(Results& r, const std::vector<NamedPlot>& plots, const PageContext& ctx,
                     const std::filesystem::path& dir);

// The plots of `r` and, with `html`, the page into `dir`, their names
// appended to r.meta.files: the page shows the run's date (UTC), the first
// line of `inputText` and the program's report as the run left it in `dir`.
void writePlotsAndPage(Results& r, bool html, std::string_view inputText, const std::filesystem::path& dir);

// Text of the program's single-byte code page as UTF-8. The report is ASCII
// but for the Turkish letters of a few names (0xFC in "Kruger"); comment lines
// of an input file written by a Turkish Windows editor arrive the same way.
// Read as Windows-1254 (ISO-8859-9 with printable characters in 0x80-0x9F);
// its five unassigned bytes become U+FFFD.
std::string windows1254ToUtf8(std::string_view text);

// `text` unchanged when it is valid UTF-8, else read as Windows-1254.
std::string asUtf8(std::string_view text);

// The first line of an input file (line end and trailing blanks removed), as read.
std::string firstLine(std::string_view text);

}  // namespace gemi::analysis
