// Summary and characteristics tables over all speeds, and the correction of
// the wave resistance by the factors of the input.
#include "reports/summary_rows.h"
#include "reports/tables.h"
#include "reports/wave_correction.h"

namespace gemi {
namespace {

void writeExplanations(Run& run) {
  RecordSink& out = run.report;
  write(out, "(1X,84('='))");
  write(out, "(/8X,'ACIKLAMALAR')");
  write(out, "(3X,'Fn  : Froude sayisi')");
  write(out, "(3X,'Vs  : Gemi Hizi - knot')");
  write(out, "(3X,'Rs  : Surtunme direnci - kN')");
  write(out, "(3X,'Rv  : Viskoz direnc - kN')");
  write(out, "(3X,'Rw  : Dalga direnci - kN')");
  write(out, "(3X,'Ra  : Model-Gemi Korelasyon direnci - kN')");
  write(out, "(3X,'Rapp: Takinti direnci - kN')");
  write(out, "(3X,'Rbl : Balbli bas direnci - kN')");
  write(out, "(3X,'Rtr : Ayna kic direnci - kN')");
  write(out, "(3X,'Rbt : Bas itici acikligi direnci - kN - ',I2,    ' adet')", {run.s.in.NBT});
  write(out, "(3X,'Raa : Ruzgar direnci - kN')");
  write(out, "(3X,'Rt  : Toplam direnc (Rv+Rw+Ra+Rapp+Rbl+Rtr+Rbt+Raa)- kN')");
  write(out, "(1X,77('='))");
}

// Non-dimensional coefficients and effective power per speed.
void writeCharacteristicsRows(Run& run) {
  const SpeedResults& sp = run.s.sp;
  for (int i = 1; i <= run.s.in.NV; ++i) {
    write(run.report, "(1X,I2,2X,F5.2,2X,7(F7.3,2X),I5,2X,F6.2)",
          {i, run.s.in.VS(i), sp.Fn(i), sp.Rn(i) * 1.0e-9f, sp.CF(i) * 1000.0f, sp.CV(i) * 1000.0f,
           sp.CR(i) * 1000.0f, sp.CA(i) * 1000.0f, sp.CT(i) * 1000.0f, truncatedInt(sp.PE(i)),
           sp.RAPP(i, 0) / sp.RTOTAL(i) * 100.0f});
  }
  write(run.report, "(1X,87('='))");
}

}  // namespace

void writeSummaryRows(Run& run, const SpeedArray& rw) {
  const SpeedResults& sp = run.s.sp;
  for (int i = 1; i <= run.s.in.NV; ++i) {
    write(run.report, "(1X,I2,1X,F5.3,1X,F5.2,1X,10(F6.1,1X))",
          {i, sp.Fn(i), run.s.in.VS(i), sp.RF(i), sp.RV(i), rw(i), sp.RA(i), sp.RAPP(i, 0), sp.Rbulb(i), sp.Rayna(i),
           sp.Rbot(i), sp.RAIR(i), sp.RTOTAL(i)});
  }
}

void writeSummaryTables(Run& run) {
  const InputData& in = run.s.in;
  SpeedResults& sp = run.s.sp;

  write(run.report,
        "(/,/,/,10X,'HOLTROP - MENNEN GUC TAHMIN YONTEMI HESAP OZETI - I',/,1X,84('='),/,6X,'Fn','   Vs',6X,'Rs',5X,'Rv',5X,'Rw',5X,'Ra',5X,'Rapp',3X,'Rbl',4X,'Rtr',4X,'Rbt',4X,'Raa',5X,'Rt',/,1X,84('='))");
  writeSummaryRows(run, sp.RW);
  writeExplanations(run);

  write(run.report,
        "(/,/,/,14X,'GEMI DIRENC KARAKTERISTIKLERI - ORJINAL HESAP',/,1X,87('='),/,8X,'Vs',5X,'Fn',8X,'Rn',7X,'Cf',7X,'Cv',7X,'Cr',7X,'Ca',7X,'Ct',6X,'Pe',4X,'Rapp',/,7X,'kts',13X,'/10^9',4X,'*1000',4X,'*1000',4X,'*1000',4X,'*1000',3X,'*1000',6X,'KW',5X,'%Rt',/,1X,87('='))");
  writeCharacteristicsRows(run);

  if (!waveCorrectionRequested(in.NDF, in.DF)) {
    write(run.report, "(/A/)", {" Dalga direnci duzeltmesi yapilmamistir."});
    return;
  }
  const SpeedArray DFV = waveCorrectionFactors(in.NDF, in.DF, in.VS, in.NV);
  applyWaveCorrection(sp, DFV, in.VS, in.NV, in.RHO, in.S);
  write(run.report,
        "(/,/,14X,'GEMI DIRENC KARAKTERISTIKLERI - DUZENLENMIS HESAP',/,1X,87('='),/,8X,'Vs',5X,'Fn',8X,'Rn',7X,'Cf',7X,'Cv',7X,'Cr',7X,'Ca',7X,'Ct',6X,'Pe',4X,'Rapp',/,7X,'kts',13X,'/10^9',4X,'*1000',4X,'*1000',4X,'*1000',4X,'*1000',3X,'*1000',6X,'KW',5X,'%Rt',/,1X,87('='))");
  writeCharacteristicsRows(run);
}

}  // namespace gemi
