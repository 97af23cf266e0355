#include <filesystem>
#include <iostream>

#include "run/driver.h"

int main() {
  std::ios::sync_with_stdio(false);
  std::cin.tie(&std::cout);
  return gemi::runProgram(std::cin, std::cout, std::filesystem::current_path());
}
