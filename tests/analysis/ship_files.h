// Ships for the tests of the ship files: the reference inputs with their
// console answers, the example in both forms, and generated ships.
#pragma once

#include <filesystem>
#include <random>
#include <string>
#include <vector>

#include "../support/run_harness.h"
#include "analysis/ship_input.h"

namespace gemi::analysis {

struct ReferenceShip {
  std::string name;
  std::string tsk;
  std::string answers;
};

inline std::filesystem::path testData() { return std::filesystem::path(GEMI_SOURCE_DIR) / "tests/analysis/data"; }

// The reference inputs (as handed to an independent implementation) and the
// example, each with the console answers that run it to its end.
inline std::vector<ReferenceShip> referenceShips() {
  std::vector<ReferenceShip> ships{{"example", testing::exampleInput(), "0.686\n4\nH\n\n\n"}};
  for (const char* name : {"p1", "p2", "p3"}) {
    const std::string base = std::string("reference-") + name;
    ships.push_back(
        {name, testing::readFile(testData() / (base + ".TSK")), testing::readFile(testData() / (base + ".answers"))});
  }
  return ships;
}

inline std::string exampleToml() {
  return testing::readFile(std::filesystem::path(GEMI_SOURCE_DIR) / "examples/KR-22-03-2017.toml");
}

// A ship the program reads without a refusal, its reals drawn with all their
// digits: ascending speeds with the trial speed among them, a propeller or
// none, values left at zero now and then.
inline ShipValues generatedShip(unsigned seed) {
  std::mt19937 random(seed);
  auto real = [&](float lo, float hi) { return std::uniform_real_distribution<float>(lo, hi)(random); };
  auto sometimesZero = [&](float lo, float hi) { return random() % 3 == 0 ? 0.0f : real(lo, hi); };
  ShipValues v;
  v.RHO = real(995, 1030), v.GRAV = real(9.78f, 9.83f);
  v.Lwl = real(40, 300), v.Lbp = v.Lwl * real(0.95f, 1.0f), v.B = v.Lwl * real(0.1f, 0.2f);
  v.Tf = v.B * real(0.25f, 0.45f), v.Ta = v.Tf * real(0.95f, 1.15f);
  v.V = v.Lbp * v.B * v.Tf * real(0.5f, 0.85f), v.LCB = real(-4, 3);
  v.ABT = sometimesZero(1, 30), v.HB = v.ABT > 0 ? real(1, 5) : 0.0f, v.AT = sometimesZero(0.5f, 20);
  v.Cm = real(0.8f, 0.995f), v.Cwp = real(0.65f, 0.9f),
  v.Cstern = static_cast<float>(static_cast<int>(random() % 5) * 5 - 10);
  v.IE = sometimesZero(8, 40), v.S = sometimesZero(500, 9000);
  v.MSCALE = sometimesZero(10, 40), v.TEMPm = v.MSCALE > 0 ? real(10, 25) : 0.0f;
  v.HFP = sometimesZero(5, 25), v.ONYUZ = sometimesZero(50, 600);
  const int speeds = 1 + static_cast<int>(random() % 50);
  float speed = real(5, 12);
  for (int i = 0; i < speeds; ++i) v.VS.push_back(speed += real(0.1f, 1.5f));
  v.Vtrial = v.VS[random() % v.VS.size()];
  for (int j = 0; j < kAppendages; ++j) {
    v.AREA[static_cast<std::size_t>(j)] = random() % 2 ? 0.0f : real(1, 60);
    v.FF2[static_cast<std::size_t>(j)] = random() % 2 ? 0.0f : real(1.2f, 3.0f);
  }
  v.NBT = static_cast<int>(random() % 3), v.DBT = v.NBT > 0 ? real(1, 3) : 0.0f;
  v.D = sometimesZero(2, 9), v.N = sometimesZero(60, 300), v.PDin = random() % 2 ? 0.0f : real(0.6f, 1.4f);
  v.Hs = sometimesZero(1, 4), v.CPFLAG = static_cast<float>(random() % 2);
  v.NPROP = 1 + static_cast<int>(random() % 2), v.NSERIES = 1 + static_cast<int>(random() % 2);
  v.IPOD = static_cast<int>(random() % 2);
  v.Pengine = sometimesZero(1000, 60000), v.MCR = real(0.7f, 1.0f), v.PTO = sometimesZero(50, 500);
  v.Seamar = real(0, 0.3f), v.etas = real(0.95f, 0.99f);
  v.FFDF = real(0.9f, 1.1f), v.WFAC = real(0.9f, 1.1f), v.TFAC = real(0.9f, 1.1f), v.ERFAC = real(0.9f, 1.1f);
  v.ROUGH = random() % 2 ? 0.0f : real(0, 200);
  const int factors = static_cast<int>(random() % 11);
  for (int k = 0; k < factors; ++k) v.DF.push_back(real(0.8f, 1.2f));
  return v;
}

}  // namespace gemi::analysis
