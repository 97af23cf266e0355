// The command line: options, Turkish help, exit status 2 for bad input, and
// numbers read with a point decimal whatever the locale.
#include "analysis/command_line.h"

#include <gtest/gtest.h>

#include <clocale>
#include <sstream>

#include "../support/run_harness.h"

namespace gemi::testing {
namespace {

using analysis::Options;

struct Parsed {
  int status;
  Options opt;
  std::string out, err;
};

Parsed parse(std::vector<std::string> args) {
  args.insert(args.begin(), "gemiguc-analiz");
  std::vector<const char*> argv;
  for (const auto& a : args) argv.push_back(a.c_str());
  Parsed p;
  std::ostringstream out, err;
  p.status = analysis::parseCommandLine(static_cast<int>(argv.size()), argv.data(), p.opt, out, err);
  p.out = out.str();
  p.err = err.str();
  return p;
}

TEST(CommandLine, OptionsAreTakenAsGiven) {
  const Parsed d = parse({});
  EXPECT_EQ(d.status, -1);
  EXPECT_EQ(d.opt.input, "KR-22-03-2017.TSK");
  EXPECT_FALSE(d.opt.etad);
  EXPECT_EQ(d.opt.Z, 4);
  EXPECT_FALSE(d.opt.EAR);
  EXPECT_FALSE(d.opt.outDir);
  EXPECT_FALSE(d.opt.verbose);

  const Parsed p = parse({"gemi/ornek.TSK", "--etad", "0.686", "--z", "5", "--ear", ".75", "--cikti", "cikti", "--ayrintili"});
  EXPECT_EQ(p.status, -1) << p.err;
  EXPECT_EQ(p.opt.input, "gemi/ornek.TSK");
  EXPECT_EQ(p.opt.etad, 0.686f);
  EXPECT_EQ(p.opt.Z, 5);
  EXPECT_EQ(p.opt.EAR, 0.75f);
  EXPECT_EQ(p.opt.outDir, std::filesystem::path("cikti"));
  EXPECT_TRUE(p.opt.verbose);
  EXPECT_FALSE(parse({"--etad", "oto"}).opt.etad);
}

TEST(CommandLine, BadOptionsAndValuesEndWithStatusTwo) {
  const std::vector<std::vector<std::string>> bad = {
      {"--bilinmeyen"}, {"--etad", "0,686"}, {"--etad", "abc"}, {"--etad", "1"}, {"--etad", "0"},
      {"--etad", "nan"}, {"--z", "4.5"}, {"--z", "9"}, {"--ear", "-0.2"}, {"--ear", "0.7x"},
      {"--z"}, {"a.TSK", "b.TSK"}};
  for (const auto& args : bad) {
    const Parsed p = parse(args);
    EXPECT_EQ(p.status, 2) << args.front();
    EXPECT_TRUE(contains(p.err, "gemiguc-analiz: ")) << p.err;
    EXPECT_TRUE(p.out.empty());
  }
}

TEST(CommandLine, HelpAndVersion) {
  const Parsed h = parse({"--help"});
  EXPECT_EQ(h.status, 0);
  for (const char* word : {"Kullanim", "SECENEKLER", "--etad", "--cikti", "--ayrintili", "Cikis kodlari"})
    EXPECT_TRUE(contains(h.out, word)) << word;
  EXPECT_EQ(parse({"-h"}).status, 0);
  const Parsed v = parse({"--version"});
  EXPECT_EQ(v.status, 0);
  EXPECT_TRUE(contains(v.out, "gemiguc-analiz 1.0.0"));
}

TEST(CommandLine, NumbersReadWithAPointInAnyLocale) {
  // A locale with a decimal comma, where strtod would stop at the point
  // (where that locale is installed; the C locale otherwise).
  const std::string old = std::setlocale(LC_NUMERIC, nullptr);
  std::setlocale(LC_NUMERIC, "tr_TR.UTF-8");
  EXPECT_EQ(analysis::parseReal("0.15"), 0.15f);
  EXPECT_EQ(analysis::parseReal(".686"), 0.686f);
  EXPECT_EQ(analysis::parseReal("+1e-1"), 0.1f);
  EXPECT_FALSE(analysis::parseReal("0,15"));
  EXPECT_FALSE(analysis::parseReal(""));
  EXPECT_FALSE(analysis::parseReal("inf"));
  EXPECT_EQ(parse({"--ear", "0.15"}).opt.EAR, 0.15f);
  std::setlocale(LC_NUMERIC, old.c_str());
}

}  // namespace
}  // namespace gemi::testing
