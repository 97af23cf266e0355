#include "analysis/plot_files.h"

#include <cmath>
#include <limits>

#include "analysis/svg.h"
#include "propulsion/characteristics.h"

namespace gemi::analysis {
namespace {

std::vector<float> valuesOf(const Table& t, const char* name) {
  const Column* c = findColumn(t, name);
  return c ? c->values : std::vector<float>{};
}

}  // namespace

std::string propellerLine(const PropellerResults& p) {
  return std::string(p.NSERIES == 2 ? "Gawn" : "Wageningen B") + ", Z = " + fixedNumber(p.Z, 0) +
         ", EAR = " + fixedNumber(p.EAR, 3) + ", P/D = " + fixedNumber(p.PoD, 3) + ", D = " + fixedNumber(p.D, 2) +
         " m, N = " + fixedNumber(p.N, 2) + " rpm";
}

PlotData plotData(const Results& r) {
  PlotData d;
  if (!r.resistance.empty() && !r.resistance.front().values.empty()) {
    const Table& t = r.resistance;
    d.resistance = ResistanceCurves{valuesOf(t, "Vs_kn"),    valuesOf(t, "RF_kN"),   valuesOf(t, "RAPP_kN"),
                                    valuesOf(t, "RW_kN"),    valuesOf(t, "Rbulb_kN"), valuesOf(t, "Rayna_kN"),
                                    valuesOf(t, "Rbot_kN"),  valuesOf(t, "RAIR_kN"), valuesOf(t, "RA_kN"),
                                    valuesOf(t, "RTOTAL_kN")};
  }
  if (!r.propulsion.empty() && !r.propulsion.front().values.empty()) {
    const Table& t = r.propulsion;
    PowerCurves c;
    c.Vs = valuesOf(t, "Vs_kn");
    c.PE = valuesOf(t, "PE_kW");
    c.PDT = valuesOf(t, "PDT_kW");
    c.PB = valuesOf(t, "PB_kW");
    if (r.reach) {
      c.available = r.reach->Pav;
      c.reachableBeyondList = r.reach->beyondList;
      if (!r.reach->beyondList) c.reachable = r.reach->V;
    } else if (r.used.Pengine > 0.1f) {
      // An engine is given but the reachable speed was not found (no root in
      // the list stops the run): the line is drawn and the plot says so.
      const InputData& in = r.used;
      c.available = availablePower(in.Seamar, in.NPROP, in.Pengine, in.MCR, in.PTO);
    }
    d.power = std::move(c);
  }
  if (!r.openWater.empty() && !r.openWater.front().values.empty() && r.propeller) {
    const PropellerResults& p = *r.propeller;
    OpenWaterCurves c;
    c.propeller = propellerLine(p);
    c.J = valuesOf(r.openWater, "J");
    c.KT = valuesOf(r.openWater, "KT");
    c.KQ10 = valuesOf(r.openWater, "10KQ");
    c.ETA0 = valuesOf(r.openWater, "ETA0");
    if (p.operatingPoint) {
      c.Jop = p.J, c.KTop = p.KT, c.KQ10op = 10.0f * p.KQ, c.ETA0op = p.ETA0;
    } else {
      c.Jop = std::numeric_limits<float>::quiet_NaN();
    }
    d.openWater = std::move(c);
  }
  // The cavitation number stays 0 until the cavitation checks form it.
  if (r.propeller && r.propeller->Sigma != 0.0f) d.burrill = BurrillPoint{r.propeller->Sigma, r.propeller->Tauc};
  return d;
}

std::vector<NamedPlot> renderPlots(const Results& r) {
  const PlotData d = plotData(r);
  std::vector<NamedPlot> plots;
  if (d.resistance) plots.push_back({kResistanceSvg, resistancePlot(*d.resistance)});
  if (d.power) plots.push_back({kPowerSvg, powerPlot(*d.power)});
  if (d.openWater) plots.push_back({kOpenWaterSvg, openWaterPlot(*d.openWater)});
  if (d.burrill) plots.push_back({kBurrillSvg, burrillPlot(*d.burrill)});
  return plots;
}

void writePlots(Results& r, const std::vector<NamedPlot>& plots, const std::filesystem::path& dir) {
  for (const NamedPlot& p : plots) {
    writeSvgFile(dir / p.file, p.svg);
    r.meta.files.push_back(p.file);
  }
}

}  // namespace gemi::analysis
