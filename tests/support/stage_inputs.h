// Inputs for stages called directly: speed lists and scripted console answers.
#pragma once

#include <gtest/gtest.h>

#include <initializer_list>
#include <string>

#include "run/run.h"
#include "run_harness.h"

namespace gemi::testing {

// A speed array (1-based) holding `v` in order.
inline SpeedArray speedsOf(std::initializer_list<float> v) {
  SpeedArray a;
  int i = 1;
  for (float x : v) a(i++) = x;
  return a;
}

// The console answer after those the run took so far.
inline std::string nextAnswer(Run& run) {
  std::string line;
  EXPECT_TRUE(run.conIn.next(line)) << "console input used up";
  return line;
}

}  // namespace gemi::testing
