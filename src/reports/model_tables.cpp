// Model-scale table, form-factor comparison, model report, speed-count check,
// appendage table and the corrected resistance summary.
#include <cmath>
#include <filesystem>
#include <string>

#include "reports/form_factors.h"
#include "reports/summary_rows.h"
#include "reports/tables.h"
#include "water/model_resistance.h"
#include "water/water_properties.h"

namespace gemi {
namespace {

// The ship's coefficients carried to a model of equal Froude number.
void writeModelTable(Run& run, const WaterProperties& water) {
  const InputData& in = run.s.in;
  const SpeedResults& sp = run.s.sp;
  const float FF = run.s.hull.FFN;
  const float modelArea = in.S / (in.MSCALE * in.MSCALE);
  write(run.report, "(/,/,/,14X,'MODEL DIRENC KARAKTERISTIKLERI',/,1X,90('='),/,7X,'Vm',7X,'Fn',7X,'Rn',7X,'Cf',7X,'Cv',7X,'Cr',7X,'Ct',7X,'Rm',7X,'Rm',7X,'FD',/,7X,'m/s',13X,'/10^6',4X,'*1000',4X,'*1000',4X,'*1000',4X,'*1000',4X,'  Kg  ',4X,'  N  ',4X,'  N  ',/,1X,90('='))");
  for (int i = 1; i <= in.NV; ++i) {
    const float Vm = std::sqrt(in.GRAV * in.Lwl / in.MSCALE) * sp.Fn(i);
    const float Rnm = (in.Lwl / in.MSCALE) * Vm / water.NU;
    const float logRn = std::log10(Rnm) - 2.0f;
    const float CFm = 0.075f / (logRn * logRn);
    const float CVm = CFm * FF;
    const float CRm = sp.CR(i);
    const float CTm = CVm + CRm;
    const float RMm = modelArea * (Vm * Vm) * water.RHOW * CTm * 0.5f;
    // Skin-friction correction force between model and ship.
    const float FDm = ((CFm - sp.CF(i)) * FF - sp.CA(i)) * modelArea * (Vm * Vm) * water.RHOW * 0.5f;
    write(run.report, "(1X,I2,2X,F5.2,2X,6(F7.3,2X),3(F7.2,2X))",
          {i, Vm, sp.Fn(i), Rnm * 1.0e-6f, CFm * 1000.0f, CVm * 1000.0f, CRm * 1000.0f, CTm * 1000.0f,
           RMm / in.GRAV, RMm, FDm});
  }
  write(run.report, "(1X,90('='))");
}

void writeFormFactors(Run& run, const FormFactors& f) {
  RecordSink& out = run.report;
  write(out, "(/5X,'ACIKLAMALAR')");
  write(out, "(3X,'Fn  : Froude sayisi')");
  write(out, "(3X,'Vs  : Gemi Hizi - knot')");
  write(out, "(3X,'Cf  : Surtunme direnc katasyisi')");
  write(out, "(3X,'Cv  : Form direnc katsayisi')");
  write(out, "(3X,'Cr  : Artik (dalga) direnc katsayisi')");
  write(out, "(3X,'Ca  : Model/Gemi korelasyon katsayisi')");
  write(out, "(3X,'Ct  : Toplam direnc katsayisi')");
  write(out, "(3X,'1+k : ',F5.3,' Form Faktoru ( 1+k = '          F5.3,' - Grigson-1, ',F5.3,' - BSRA )')",
        {run.s.hull.FFN, run.s.hull.FFG, f.BSRA});
  write(out, "(28X,'( 1+k = ',F5.3,                                 ' - Grigson-2, ',F5.3,' - Watanabe )')",
        {f.GRIG2, f.WATA});
  write(out, "(28X,'( 1+k = ',F5.3,                                 ' - Conn & Ferguson, ',F5.3,' - Wright )')",
        {f.CONN, f.WRIGHT});
  write(out, "(1X,77('='))");
}

std::string padded(const std::string& text, std::size_t width) {
  std::string s = text.substr(0, width);
  s.resize(width, ' ');
  return s;
}

}  // namespace

void writeModelAndFormFactors(Run& run) {
  InputData& in = run.s.in;
  const HullValues& h = run.s.hull;
  WaterProperties water;
  if (in.MSCALE > 0.01f) {
    water = waterProperties(run, kFreshWater, in.TEMPm);
    writeModelTable(run, water);
  }
  // Without a model scale the BSRA formula is taken for a model of a quarter
  // of the ship's length in fresh water at 15 degrees; its Froude number is
  // formed with that scale.
  float scale = in.MSCALE;
  if (scale <= 0.01f) {
    scale = in.Lbp / 4.0f;
    water = waterProperties(run, kFreshWater, 15.0f);
    in.MSCALE = 0.0f;
  }
  const FormFactors f = computeFormFactors(in.Lwl, in.Lbp, in.B, h.T, h.CB, in.S, in.GRAV, scale, water.NU);
  writeFormFactors(run, f);
}

void runModelReport(Run& run) {
  const InputData& in = run.s.in;
  if (in.MSCALE > 1.0f) {
    writeModelReport(run, in.NV, run.s.sp.CR, in.VS, run.s.hull.FFN, in.MSCALE, in.S, in.Lwl, in.TEMPm);
    return;
  }
  // No model report of an earlier run may remain.
  if (!run.outputs.writeFiles) return;
  std::error_code ignored;
  std::filesystem::remove(run.file(kModelReportFileName), ignored);
}

bool tooFewSpeedsForPropulsion(Run& run) {
  if (run.s.in.NOPROP != 0 || run.s.in.NV >= 4) return false;
  constexpr const char* kLine1 = "(3X,'HIZ SAYISI 4 den KUCUK GIRILDI BU DURUMDA SEVK ANALIZI YAPILAMAZ')";
  constexpr const char* kLine2 = "(3X,'     PROGRAM DURDURULDU')";
  writeList(run.report);
  write(run.report, kLine1);
  write(run.report, kLine2);
  write(run.con, kLine1);
  write(run.con, kLine2);
  return true;
}

void writeAppendageAndCorrectedSummary(Run& run) {
  const InputData& in = run.s.in;
  const AppendageCatalogue& app = run.s.app;
  SpeedResults& sp = run.s.sp;
  RecordSink& out = run.report;

  write(out, "(//14X,'TAKINTI DIRENC DEGERLERI (kN) - DUZENLENMIS HESAP')");
  write(out, "(2X,A)", {" No   Vs       1      2      3      4      5      6      7      8      9      10     11    Top"});
  for (int i = 1; i <= in.NV; ++i) {
    std::vector<Item> items{Item(i), Item(in.VS(i))};
    for (int j = 1; j <= kAppendages; ++j) items.emplace_back(sp.RAPP(i, j));
    items.emplace_back(sp.RAPP(i, 0));
    write(out, "(2X,I2,2X,F5.2,2X,12F7.2)", items);
  }
  std::vector<Item> areas{Item("AREA-[m2]")}, factors{Item("(1+k)-[-]")};
  for (int j = 1; j <= kAppendages; ++j) {
    areas.emplace_back(in.AREA(j));
    factors.emplace_back(app.FF2(j));
  }
  write(out, "(2X,A,2X,12F7.2)", areas);
  write(out, "(2X,A,2X,12F7.2)", factors);
  write(out, "(/2X,A)", {"TAKINTI ACIKLAMALARI"});
  for (int j = 1; j <= kAppendages; ++j) {
    const std::string name = padded(app.name(j), 30);
    write(out, "(2X,I2,A,2X,A)", {j, "-", name});
  }

  // Corrected summary: the wave column holds the residual resistance after the correction.
  SpeedArray RwC;
  for (int i = 1; i <= in.NV; ++i) {
    const float Vms = in.VS(i) * 0.5144f;
    RwC(i) = Vms * Vms * in.RHO * in.S * 0.5f * sp.CR(i) / 1000.0f;
  }
  write(out, "(/,/,/,10X,'HOLTROP - MENNEN GUC TAHMIN YONTEMI HESAP OZETI - DUZENLENMIS HESAP',/,1X,84('='),/,6X,'Fn','   Vs',6X,'Rs',5X,'Rv',5X,'Rw',5X,'Ra',5X,'Rapp',3X,'Rbl',4X,'Rtr',4X,'Rbt',4X,'Raa',5X,'Rt',/,1X,84('='))");
  writeSummaryRows(run, RwC);
  write(out, "(1X,84('='))");
}

}  // namespace gemi
