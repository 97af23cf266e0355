// gemiguc-analiz: the calculation of gemiguc without its dialogue, with
// tables and a JSON record of the results; ship files by name, conversions
// and sweeps of variants.
#include <unistd.h>

#include <iostream>

#include "analysis/command_line.h"
#include "analysis/companion.h"
#include "analysis/sweep.h"

int main(int argc, char** argv) {
  std::ios::sync_with_stdio(false);
  gemi::analysis::Options opt;
  const int status = gemi::analysis::parseCommandLine(argc, argv, opt, std::cout, std::cerr);
  if (status >= 0) return status;
  // The progress line of a sweep only where a person watches it.
  const bool progress = isatty(STDERR_FILENO) == 1;
  return gemi::analysis::runAnalysis(opt, progress, std::cout, std::cerr);
}
