#include <iostream>

#include "run/process.h"

int main() {
  // First of all, before any file is opened.
  const int closed = gemi::openStandardDescriptors();
  if (closed < 0) return 1;
  gemi::ignoreBrokenPipe();
  std::ios::sync_with_stdio(false);
  std::cin.tie(&std::cout);
  // A console that was closed takes no text: the run fails at once, touching no file.
  if (closed & (1 << 1)) std::cout.setstate(std::ios::badbit);
  const int status = gemi::runInStartFolder(std::cin, std::cout);
  if (std::cout.good()) return status;
  std::cerr << "gemiguc: KONSOL YAZILAMADI (standart cikis kapali, dolu veya okuyani olmayan bir boru); "
               "calisma basarili sayilmaz.\n";
  return status != 0 ? status : 1;
}
