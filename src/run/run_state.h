// The state of one run: every input value under its report name, the
// appendage catalogue, the speed-independent hull values, the per-speed
// results and the propeller-stage values. One record is created per run and
// handed to every stage.
#pragma once

#include <array>
#include <string>

#include "propulsion/propeller_state.h"
#include "resistance/hull_values.h"
#include "run/per_speed.h"

namespace gemi {

inline constexpr int kAppendages = 11;
inline constexpr int kMaxCorrectionFactors = 10;

// Values of the input data file "KR-22-03-2017.TSK", after the reader's
// defaults and conversions.
struct InputData {
  float RHO = 0, GRAV = 0;          // water density kg/m3, gravity m/s2
  float Lwl = 0, Lbp = 0, B = 0;    // lengths and breadth, m
  float Tf = 0, Ta = 0;             // draughts fore and aft, m
  float V = 0;                      // displacement volume, m3
  float LCB = 0;                    // centre of buoyancy, m from Lbp/2, + forward
  float ABT = 0, HB = 0;            // bulb section area m2, its centre height m
  float AT = 0;                     // immersed transom area, m2
  float Cm = 0, Cwp = 0;            // midship and waterplane coefficients
  float Cstern = 0;                 // stern shape parameter
  float IE = 0;                     // half angle of entrance, deg (< 1: estimated)
  float S = 0;                      // wetted surface, m2 (< 1: estimated)
  float MSCALE = 0, TEMPm = 0;      // model scale, model basin temperature degC
  float HFP = 0, ONYUZ = 0;         // height at FP m, frontal area of deckhouses m2
  int NV = 0;                       // number of speeds
  SpeedArray VS;                    // speeds, knots
  float Vtrial = 0;                 // sea-trial speed, knots
  Table1<float, kAppendages> AREA;  // appendage wetted areas, m2
  Table1<float, kAppendages> FF2in; // appendage form factors as read
  int NBT = 0;                      // bow-thruster tunnels
  float DBT = 0;                    // tunnel diameter, m
  float D = 0;                      // propeller diameter, m (also the selected propeller's D)
  float N = 0;                      // propeller rpm (also the selected propeller's RPM)
  float PDin = 0;                   // given pitch ratio
  float Hs = 0, Hsd = 0;            // shaft height above base, shaft immersion, m
  float HsRead = 0;                 // Hs as written in the file (0 there: Hs = 0.32 Ta)
  float CPFLAG = 0;                 // 1 = controllable pitch
  int NPROP = 0, NSERIES = 0, IPOD = 0;
  float Pengine = 0, MCR = 0;       // installed power kW, engine margin
  float PTO = 0;                    // shaft generator power, kW
  float Seamar = 0;                 // sea margin
  float etas = 0;                   // shaft efficiency
  float FFDF = 0, WFAC = 0, TFAC = 0, ERFAC = 0;
  float ROUGH = 0;                  // correlation allowance selector
  int NDF = 0;                      // number of wave-resistance correction factors
  Table1<float, kMaxCorrectionFactors> DF;
  int NOPROP = 0;                   // 1 = no propeller described
};

// Appendage catalogue: names (30 characters) and form factors (1+k2).
struct AppendageCatalogue {
  Table1<std::string, kAppendages> name;
  Table1<float, kAppendages> FF2;
  float Stot = 0;    // total area of the listed appendages (area > 0.1 m2)
  float K2eff = 0;   // (1+K2)eff, their area-weighted form factor
};

// Results per speed, i = 1 .. NV (filled by the resistance step, the
// correction overwrites CR, CT, RTOTAL, PE; w, t, etarr by the propeller stage).
struct SpeedResults {
  SpeedArray Fn, Rn, CF, CV, RF, RV, RW, Rbulb, Rayna, Rbot, RAIR, CA, RA, RTOTAL, CT, CR, PE;
  SpeedArray w, t, etarr;
  int computed = 0;  // speeds 1 .. computed went through the resistance step
  // The values before the correction of the wave resistance, and the factors
  // applied (set when the input asks for a correction).
  bool waveCorrected = false;
  SpeedArray DFV, CR0, CT0, RTOTAL0, PE0;
  // RAPP(i, 0) total appendage resistance, RAPP(i, j) appendage j, kN.
  float& RAPP(int i, int j) { return rapp_(i).at(checkJ(j)); }
  float RAPP(int i, int j) const { return rapp_(i).at(checkJ(j)); }

 private:
  static std::size_t checkJ(int j) {
    if (j < 0 || j > kAppendages) throw std::out_of_range("appendage index " + std::to_string(j));
    return static_cast<std::size_t>(j);
  }
  Table1<std::array<float, kAppendages + 1>, kMaxSpeeds> rapp_;
};

// How the run ended. Completed: the closing was reached (with or without a
// propeller stage); Stopped: one of the program's stops, `cause` naming which
// ("verim" for the efficiency check, ...) and `message` its reason in one
// line; ReadFailure and InternalFault: the run failed, `message` says why.
struct RunEnding {
  enum class Kind { NotEnded, Completed, Stopped, ReadFailure, InternalFault };
  Kind kind = Kind::NotEnded;
  std::string cause;
  std::string message;
};

struct RunState {
  InputData given;    // the input values as read, before the stages fill in D, N, S, IE
  InputData in;
  AppendageCatalogue app;
  int IOPT = 0;       // propeller task (1..4, 0 = none)
  float DISPW = 0;    // weight displacement, N
  HullValues hull;    // speed-independent hull values and last speed step's scalars
  SpeedResults sp;
  PropellerState prop;  // open-water series, selected propeller, propeller stage
  RunEnding ending;
};

}  // namespace gemi
