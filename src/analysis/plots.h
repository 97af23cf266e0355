// The companion program's plots, built from plain data: resistance
// components and power over speed, the open-water curves of the selected
// propeller, Burrill's diagram with the operating point, and a variant sweep.
// Each function returns the SVG document; writeSvgFile stores one.
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace gemi::analysis {

// direnc.svg: resistance components over speed, kN. Every array runs over
// the speeds of `Vs` (knots); a shorter array ends its curve early, a
// non-finite value breaks it. A component that is zero (or not finite) at
// every speed is not drawn but named in a remark.
struct ResistanceCurves {
  std::vector<float> Vs;
  std::vector<float> RF, RAPP, RW, Rbulb, Rayna, Rbot, RAIR, RA, RTOTAL;
};
std::string resistancePlot(const ResistanceCurves& c);

// guc.svg: effective power, delivered power of all propellers and brake
// power over speed (kW), the brake power available to propulsion as a line
// and the speed it reaches.
struct PowerCurves {
  std::vector<float> Vs;            // knots
  std::vector<float> PE, PDT, PB;   // kW
  std::optional<float> available;   // brake power available to propulsion, kW (none: no engine given)
  std::optional<float> reachable;   // the speed that power reaches, knots
  bool reachableBeyondList = false; // the power exceeds the need at the fastest speed of the list
};
std::string powerPlot(const PowerCurves& c);

// acik_su.svg: KT, 10KQ and ETA0 of the selected propeller over J, with the
// operating point.
struct OpenWaterCurves {
  std::string propeller;  // one line naming the propeller (series, Z, EAR, P/D, D), shown under the title
  std::vector<float> J, KT, KQ10, ETA0;
  float Jop = 0, KTop = 0, KQ10op = 0, ETA0op = 0;  // operating point (KQ10op = 10 KQ)
};
std::string openWaterPlot(const OpenWaterCurves& c);

// burrill.svg: Burrill's diagram, thrust loading tau_c over the cavitation
// number at 0.7 R on a logarithmic axis, with the 2.5 % and 5 % back-
// cavitation lines and the upper limit exactly as the cavitation checks
// compute them (over 0.18 <= sigma <= 1.5, where the checks read them), and
// the operating point.
struct BurrillPoint {
  float sigma = 0;  // cavitation number at 0.7 R
  float tauc = 0;   // thrust loading coefficient
};
std::string burrillPlot(const BurrillPoint& op);

// varyantlar.svg: quantities over one swept input value, one panel each
// (stacked, sharing the swept axis), e.g. the reachable speed, Pb and eta0
// over the diameter. Non-finite values (a variant that stopped) leave gaps.
struct SweepQuantity {
  std::string caption;        // quantity with its unit, "Pb (kW)"
  std::vector<float> values;  // one per swept value
};
struct VariantSweep {
  std::string title;               // "Varyantlar: pervane çapı"
  std::string xCaption;            // swept quantity with its unit, "Pervane çapı D (m)"
  std::vector<float> x;            // swept values
  std::vector<SweepQuantity> quantities;
  std::optional<float> baseX;      // the input file's own value, marked in every panel
};
std::string variantSweepPlot(const VariantSweep& s);

// Writes `svg` to `file` through a temporary file beside it, so that a
// failed write never leaves a truncated plot under the final name. Throws
// std::runtime_error naming the file when it cannot be written.
void writeSvgFile(const std::filesystem::path& file, const std::string& svg);

}  // namespace gemi::analysis
