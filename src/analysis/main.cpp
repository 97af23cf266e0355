// gemiguc-analiz: the calculation of gemiguc without its dialogue, with
// tables and a JSON record of the results.
#include <iostream>

#include "analysis/command_line.h"
#include "analysis/companion.h"

int main(int argc, char** argv) {
  std::ios::sync_with_stdio(false);
  gemi::analysis::Options opt;
  const int status = gemi::analysis::parseCommandLine(argc, argv, opt, std::cout, std::cerr);
  if (status >= 0) return status;
  return gemi::analysis::runCompanion(opt, std::cout, std::cerr).status;
}
