// The input section of the report: hull data, speed list, appendages with
// their totals, water and propeller data.
#include "run/input_report.h"

#include <cmath>
#include <vector>

namespace gemi {

AppendageTotals appendageTotals(const InputData& in, const AppendageCatalogue& app) {
  AppendageTotals t;
  float weighted = 0.0f;
  for (int j = 1; j <= kAppendages; ++j) {
    if (!(in.AREA(j) > 0.1f)) continue;
    t.listed.push_back(j);
    t.Stot = t.Stot + in.AREA(j);
    weighted = weighted + in.AREA(j) * app.FF2(j);
  }
  t.K2eff = t.Stot > 0.1f ? weighted / t.Stot : 0.0f;
  return t;
}

void writeInputReport(Run& run) {
  const InputData& in = run.s.in;
  RecordSink& rep = run.report;

  write(rep, "(60('='))");
  write(rep, "(10X,'HOLTROP & MENNEN GUC TAHMINI PROGRAMI',/,20X,'GIRIS BILGILERI',/,60('='))");
  write(rep, "(/)");
  write(rep, "(2X,'SU HATTI BOYU     Lwl=',F8.3,' m')", {in.Lwl});
  write(rep, "(2X,'KAIMELERARASI BOY Lbp=',F8.3,' m')", {in.Lbp});
  write(rep, "(2X,'KALIP GENISLIGI     B=',F8.3,' m')", {in.B});
  write(rep, "(2X,'BAS DRAFT          Tf=',F8.3,' m')", {in.Tf});
  write(rep, "(2X,'KIC DRAFT          Ta=',F8.3,' m')", {in.Ta});
  write(rep, "(2X,'DEPLASMAN HACMI    V =',F9.3,' m3')", {in.V});
  write(rep, "(2X,'LCB               LCB=',F8.3,' m Lbp/2 den')", {in.LCB});
  write(rep, "(2X,'BALP KESIT ALANI  ABT=',F8.3,' m')", {in.ABT});
  write(rep, "(2X,'B.K.A. AGIR. MERK BL DEN YUKS. HB=',F8.3,' m')", {in.HB});
  write(rep, "(2X,'BATIK AYNA KIC ALANI AT=',F8.3,' m2')", {in.AT});
  write(rep, "(2X,'ORTA KESIT N.K. - Cm =',F5.3)", {in.Cm});
  write(rep, "(2X,'YUKLU SU HATTI N.K - Cwp =',F5.3)", {in.Cwp});
  write(rep, "(2X,'KIC FORM PARAMETRESI Cstern=',F8.3)", {in.Cstern});
  write(rep, "(60('='))");

  write(rep, "(10X,'HIZ HESAPLAMA ARALIGI -(KNOTS) ')");
  for (int i = 1; i <= in.NV; ++i) write(rep, "(20X,I2,'-',F8.3)", {i, in.VS(i)});
  write(rep, "(2X,A40,F8.3,' knots')", {"SEYIR TECRUBESI HIZI - Vseyir = ", in.Vtrial});
  write(rep, "(60('='))");

  write(rep, "(2X, '   MEVCUT TAKINTILAR')");
  write(rep, "(2X,                                                      3X,31('-'),3X,'ALAN',5X,'FORM FAKTORU')");
  write(rep, "(2X,                                                      3X,'           ',23X,' m2 ',8X,'   (1+k2)   ')");
  const AppendageTotals totals = appendageTotals(in, run.s.app);
  int n = 0;
  for (int j : totals.listed) {
    ++n;
    write(rep, "(1X,I2,'-',1X,A30,2X,F8.3,9X,F5.3)", {n, run.s.app.name(j), in.AREA(j), run.s.app.FF2(j)});
  }
  write(rep, "(60('-'))");
  run.s.app.Stot = totals.Stot;
  run.s.app.K2eff = totals.K2eff;
  write(rep, "(2X,'TOPLAM TAKINTI ALANI - Stot = ',F6.2,' m2')", {run.s.app.Stot});
  write(rep, "(2X,'TAKINTI EFEKTIF FORM FAKTORU (1+K2)eff=',F6.3)", {run.s.app.K2eff});
  write(rep, "(60('='))");

  write(rep, "(2X,'AKISKAN YOGUNLUGU - RHO = ',F9.2,' kg/m3 ')", {in.RHO});
  write(rep, "(2X,'YERCEKIMI IVMESI - GRAV = ',F9.5,' m/sn2 ')", {in.GRAV});
  write(rep, "(60('='))");

  if (std::abs(in.D) >= 0.05f) {
    write(rep, "(2X,A40)", {"----------- PERVANE BILGILERI ----------"});
    write(rep, "(2X,'PERVANE CAPI - D = ',F6.3,' m')", {in.D});
    write(rep, "(2X,'PERVANE SAYISI - NPROP = ',I3)", {in.NPROP});
    write(rep, "(2X,'PERVANE SAFT DERINLIGI - Hsd = ',F6.3,' m')", {in.Hsd});
    write(rep, "(2X,'MAX. SUREKLI MAKINA DEVRI - MCR = ',F6.3)", {in.MCR});
  }
  write(rep, "(60('='))");
}

}  // namespace gemi
