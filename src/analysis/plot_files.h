// The companion's plots from the results record: one mapping from the record
// to the plots' data, the SVG documents of the stages that ran, and their
// files in the output folder.
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "analysis/plots.h"
#include "analysis/results.h"

namespace gemi::analysis {

inline constexpr const char* kResistanceSvg = "direnc.svg";
inline constexpr const char* kPowerSvg = "guc.svg";
inline constexpr const char* kOpenWaterSvg = "acik_su.svg";
inline constexpr const char* kBurrillSvg = "burrill.svg";

// The data of each plot; a plot whose stage did not run is absent:
//   resistance  the resistance table has rows
//   power       the minimum-service rows over the speeds were formed
//   openWater   the open-water table of the selected propeller was formed
//   burrill     the cavitation checks ran (Sigma and Tauc formed)
struct PlotData {
  std::optional<ResistanceCurves> resistance;
  std::optional<PowerCurves> power;
  std::optional<OpenWaterCurves> openWater;
  std::optional<BurrillPoint> burrill;
};
PlotData plotData(const Results& r);

// One plot of a run: its file name and SVG document.
struct NamedPlot {
  std::string file;
  std::string svg;
};

// The plots of `r` in the order direnc, guc, acik_su, burrill (absent ones left out).
std::vector<NamedPlot> renderPlots(const Results& r);

// Writes `plots` into `dir` (each through a temporary file) and appends
// their names to r.meta.files. Throws std::runtime_error naming a file that
// cannot be written.
void writePlots(Results& r, const std::vector<NamedPlot>& plots, const std::filesystem::path& dir);

// One line naming the selected propeller: series, Z, EAR, P/D, D, N.
std::string propellerLine(const PropellerResults& p);

}  // namespace gemi::analysis
