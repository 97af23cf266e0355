// Console answers out of their range are asked again, never carried into the
// calculation: a run with invalid answers followed by valid ones writes the
// report of the valid answers byte for byte, and says on the console what is
// accepted.
#include <gtest/gtest.h>

#include <string>

#include "../support/run_harness.h"

namespace gemi {
namespace {

using namespace gemi::testing;

const std::string kPauses = "\n\n\n\n\n\n\n";

TEST(SelectionDialogue, InvalidAnswersAreAskedAgain) {
  const struct {
    const char* answers;    // with invalid answers
    const char* reference;  // the same run answered validly at once
    const char* accepted;   // what the console says is accepted
  } cases[] = {
      {"1.2\n0.686\n4\nH\n", "0.686\n4\nH\n", "etad 0 DAN BUYUK VE 1 DEN KUCUK"},
      {"0\n-0.5\n1\n0.686\n4\nH\n", "0.686\n4\nH\n", "etad 0 DAN BUYUK VE 1 DEN KUCUK"},
      {"0.686\n12\n4\nH\n", "0.686\n4\nH\n", "2 ILE 7 ARASINDA BIR TAM SAYI"},
      {"0.686\n4.5\n1\n8\n4\nH\n", "0.686\n4\nH\n", "2 ILE 7 ARASINDA BIR TAM SAYI"},
      {"0.686\n4\ny\nx\nH\n", "0.686\n4\nH\n", "CEVAP E (EVET) VEYA H (HAYIR)"},
      {"0.686\n4\nE\n0\n-1\n0.9\n", "0.686\n4\nE\n0.9\n", "EAR 0 DAN BUYUK"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.answers);
    const RunResult asked = runCase(exampleInput(), c.answers + kPauses);
    const RunResult direct = runCase(exampleInput(), c.reference + kPauses);
    EXPECT_EQ(asked.status, direct.status) << asked.console;
    EXPECT_TRUE(asked.report == direct.report) << "the invalid answer reached the report";
    EXPECT_TRUE(contains(asked.console, std::string("GECERSIZ CEVAP - ")));
    EXPECT_TRUE(contains(asked.console, c.accepted)) << asked.console;
    EXPECT_FALSE(contains(direct.console, "GECERSIZ CEVAP"));
  }
}

// Three times asked again, then a read failure; the partial report says so on its last line.
TEST(SelectionDialogue, AFourthInvalidAnswerIsAReadFailure) {
  const RunResult passes = runCase(exampleInput(), "12\n12\n12\n0.686\n4\nH\n" + kPauses);
  EXPECT_EQ(passes.status, 0) << passes.console;
  const RunResult r = runCase(exampleInput(), "12\n12\n12\n12\n0.686\n4\nH\n" + kPauses);
  EXPECT_EQ(r.status, kReadFailureStatus);
  EXPECT_TRUE(contains(r.console, "gecersiz cevap 4 kez verildi")) << r.console;
  EXPECT_FALSE(contains(r.console, "Stop - Program terminated."));
  const auto last = lastLines(r.report, 1);
  ASSERT_EQ(last.size(), 1u);
  EXPECT_TRUE(contains(last[0], "RAPOR EKSIK")) << last[0];
  EXPECT_TRUE(contains(last[0], "gecersiz cevap 4 kez verildi")) << last[0];
}

}  // namespace
}  // namespace gemi
