// The per-speed block of the report: the Holtrop & Mennen calculation of one
// speed, each value written as soon as it is known, and the per-speed results
// stored for the tables and the propeller stage.
#include "reports/speed_block.h"

#include <string>
#include <string_view>

#include "resistance/additional.h"
#include "resistance/hull_form.h"
#include "resistance/viscous.h"
#include "resistance/wave.h"

namespace gemi {
namespace {

constexpr std::string_view kCpStopPrompt = "  BITIRMEK ICIN `ENTER`TUSUNA BASIN ";

// A text in a blank-padded character field of the given width.
std::string padded(std::string_view text, std::size_t width) {
  std::string s(text.substr(0, width));
  s.resize(width, ' ');
  return s;
}

// Value labels are 80-character fields; an A40 item shows their first 40 characters.
std::string label(std::string_view text) { return padded(text, 80); }

void writePrismaticStop(RecordSink& out, const HullForm& h, float Cm) {
  write(out, "('  PRIZMATIK KATSAYI(Lpp YE GORE) ------> CP = ',F5.3', >1 OLDU. - STOP')", {h.CP});
  write(out, "('  CM DE YANLISLIK OLABILIR.- STOP')");
  write(out, "('  CB = ',F5.3,'  CM = ',F5.3,' ')", {h.CB, Cm});
}

// Opening records of the block: speed number, speed in knots and m/s, Froude number.
void writeSpeedLines(Run& run, int i, float VS, float Fn) {
  RecordSink& r = run.report;
  write(r, "(/'  HESAP HIZI NO = ',I2)", {i});
  write(r, "('  GEMI HIZI -------------------------> VS = ',F5.2, ' knot')", {VS});
  write(r, "('  GEMI HIZI -------------------------> VS = ',F5.2, ' m/s')", {metresPerSecond(VS)});
  write(r, "(2X,'FROUDE SAYISI ---------------------> Fn =',F6.3)", {Fn});
}

void writeHullForm(RecordSink& r, const HullForm& h) {
  write(r, "('  BLOK KATSAYISI (Lpp YE GORE) ------> CB = ',F5.3, '   ')", {h.CB});
  write(r, "('  PRIZMATIK KATSAYI (Lpp YE GORE) ---> CP = ',      F5.3,'   ')", {h.CP});
  write(r, "('  BLOK KATSAYISI (Lwl YE GORE) ---> CBlwl = ',F5.3, '   ')", {h.CBlwl});
  write(r, "('  SU HATTI N.K. (Lwl YE GORE) ---> CWPlwl = ',F5.3, '   ')", {h.CWPlwl});
  write(r, "(2X,'CIKIS BOYU ------------------------> LR = ',F6.3,' m')", {h.LR});
  write(r, "(2X,'C PARAMETRESI ----------------------> C =',F6.3)", {h.C});
}

// Wetted surface: estimated and written over the input when the input is
// below 1, otherwise the given value beside the two estimates.
void wettedSurface(Run& run, const HullForm& h) {
  InputData& in = run.s.in;
  RecordSink& r = run.report;
  const WettedSurfaceEstimates e = wettedSurfaceEstimates(in, h, run.s.app.Stot);
  if (in.S < 1.0f) {
    in.S = e.Sest;
    write(r, "(2X,'TAHMINI ISLAK YUZEY(takinti haric) -> S =',F9.2, ' m2')", {in.S});
    write(r, "(2X,'TAHMINI ISLAK YUZEY(takinti haric) -> S =',F9.2, ' m2 (Zuzur Uvuvud Formulu)')", {e.STaylan});
  } else {
    write(r, "(2X,'TAHMINI ISLAK YUZEY (takinti haric)-> S =',F9.2, ' m2')", {e.Sest});
    write(r, "(2X,'TAHMINI ISLAK YUZEY(takinti haric) -> S =',F9.2, ' m2 (Zuzur Uvuvud Formulu)')", {e.STaylan});
    write(r, "(2X,'GERCEK ISLAK YUZEY (Takinti haric) -> S =',F9.2, ' m2')", {in.S});
  }
}

void writeViscous(RecordSink& r, const FormFactors& f, float FFDF, const Friction& fr) {
  write(r, "(2X,'CIPLAK TEKNE FORM FAKTORU ------> (1+k) = ',F6.3 )", {f.FFH});
  write(r, "(2X,'FORM FAKTORU DUZELTME KATS.----->  FFDF = ',F6.3 )", {FFDF});
  write(r, "(2X,'NIHAI CIP. TEKNE FORM FAKTORU --> (1+k) = ',F6.3 )", {f.FFN});
  write(r, "(2X,'GRIGSON-1 FORM FAKTORU ---------> (1+k) = ',F6.3 )", {f.FFG});
  write(r, "(2X,'SURTUNME DIRENC KATSAYISI ----> CF*1000 = ',F6.3)", {fr.CF * 1000.0f});
  write(r, "(2X,'FORM DIRENCI KATSAYISI  ------> CV*1000 = ',F6.3)", {fr.CV * 1000.0f});
  write(r, "(2X,'SURTUNME DIRENCI ------------------> RF = ',F8.2,' kN')", {fr.RF});
}

// Resistance of every appendage kind, listed whatever its area, and their total.
void appendages(Run& run, int i, float VS, float CF) {
  RunState& s = run.s;
  RecordSink& r = run.report;
  write(r, "(/2X,'TAKINTI DIRENCI HESABI ')");
  write(r, "(2X,                                                    'NO TAKINTI ISMI                     ALAN     FORM    DIRENC')");
  write(r, "(2X,                                                    '                                     m2     FAKTOR    (kN) ')");
  s.sp.RAPP(i, 0) = 0.0f;
  for (int j = 1; j <= kAppendages; ++j) {
    s.sp.RAPP(i, j) = appendageResistance(VS, s.app.FF2(j), s.in.AREA(j), s.in.RHO, CF);
    write(r, "(2X,I2,1X,A30,1X,F7.3,2X,F7.3,2X,F7.3)",
          {j, padded(s.app.name(j), 30), s.in.AREA(j), s.app.FF2(j), s.sp.RAPP(i, j)});
    s.sp.RAPP(i, 0) = s.sp.RAPP(i, 0) + s.sp.RAPP(i, j);
  }
  write(r, "(5X,A,15X,F8.3,10X,F8.3)", {"TOPLAM DEGERLER", s.app.Stot, s.sp.RAPP(i, 0)});
  writeList(r);
}

void writeAir(RecordSink& r, const AirResistance& a, float ONYUZ) {
  if (a.deckBelowDraught) {
    write(r, "(2X,' BAS DIKMEDEKI GEMI YUKSEKLIGI BAS DRAFTTAN KUCUK  GIRILDI.')");
    write(r, "(2X,' BU DURUMDA RUZGAR DIRENCI HESAPLANMAZ.')");
  } else if (a.given) {
    write(r, "(2X,'GEMI ON YUZEY ALANI -----------> D*B*CM = ',F6.2,' m2')", {a.AFH});
    write(r, "(2X,'GUVERTE EVI/YUK ON YUZEY ALANI -> ONYUZ = ',F6.2,' m2')", {ONYUZ});
    write(r, "(2X,'RUZGAR DIRENCI KATSAYISI ----> CAA*1000 = ',F6.3)", {a.CAA * 1000.0f});
  }
  write(r, "(2X,'RUZGAR DIRENCI ------------------> RAIR = ',F8.2,' kN')", {a.RAIR});
}

void writeEntranceAngle(RecordSink& r, float IEest, float IE) {
  write(r, "(2X,A40,'=',F8.2,' derece')", {label("TAHMINI SU HATTI YARIM GIRIS ACISI > IE"), IEest});
  write(r, "(2X,A40,'=',F8.2,' derece')", {label("SU HATTI YARIM GIRIS ACISI > IE(derece) - HESAPLANAN"), IE});
}

void writeWaveCoefficients(RecordSink& r, const WaveCoefficients& w) {
  write(r, "(2X,'KATSAYI ---------------------------> C4 = ',F6.2)", {w.C4});
  write(r, "(2X,'KATSAYI ---------------------------> C5 = ',     F6.2)", {w.C5});
  write(r, "(2X,'PARAMETRE -------------------------> M1 = ',     F9.2)", {w.M1});
  write(r, "(2X,'KATSAYI ---------------------------> C6 = ',     F6.2)", {w.C6});
  write(r, "(2X,'PARAMETRE -------------------------> M2 = '      ,F9.2)", {w.M2});
  write(r, "(2X,'PARAMETRE ----------------------> LAMDA = '      ,F9.2)", {w.LAMDA});
  write(r, "(2X,'KATSAYI ---------------------------> C1 = ',F6.2)", {w.C1});
  write(r, "(2X,'KATSAYI ---------------------------> C3 = '      ,F6.2)", {w.C3});
  write(r, "(2X,'KATSAYI ---------------------------> C2 = '      ,F6.2)", {w.C2});
  write(r, "(2X,'KATSAYI --------------------------> C17 = '      ,F6.2)", {w.C17});
  write(r, "(2X,'PARAMETRE -------------------------> M3 = '      ,F6.2)", {w.M3});
  write(r, "(2X,'KATSAYI --------------------------> C15 = '      ,F6.2)", {w.C15});
  write(r, "(2X,'PARAMETRE -------------------------> M4 = '      ,F6.2)", {w.M4});
}

void writeWaveRange(RecordSink& r, SpeedRange range, float RW) {
  constexpr std::string_view rwLine = "(2X,'DALGA DIRENCI ---------------------> Rw = ',     F9.2,' kN')";
  switch (range) {
    case SpeedRange::Low:
      write(r, "(2X,'YAVAS HIZ BOLGESI LIMITLERI HESABI Fn<0.40')");
      write(r, rwLine, {RW});
      break;
    case SpeedRange::High:
      write(r, "(2X,'YUKSEK HIZ BOLGESI LIMITLERI HESABI Fn>0.55'     )");
      write(r, rwLine, {RW});
      break;
    case SpeedRange::Transition:
      write(r, "(2X,'GECIS HIZI BOLGESI LIMITLERI HESABI 0.40<Fn<0.55')");
      break;
  }
}

// The bulb centre lies too high for the immersion formula: console only, then stop.
[[noreturn]] void stopForBulbImmersion(Run& run) {
  write(run.con, "(//)");
  write(run.con, "(2X,'*** BALP ALAN MERK. YUKSEKLIGI ASIRI OLABILIR ***  ')");
  write(run.con, "(2X,A,1X,F6.3,A)", {"HB=", run.s.in.HB, " m"});
  write(run.con, "(2X,'*** PROGRAM BURADA DURACAK ***')");
  pauseRun(run);
  stopRun(run, "balb", statementText("('BALP ALAN MERKEZI YUKSEKLIGI ASIRI OLABILIR (HB =',F7.3,' m)')", {run.s.in.HB}));
}

void writeCorrelation(RecordSink& r, const Correlation& c) {
  write(r, "(2X,'MODEL-GEMI KORELASYON KATSAYISI-CA*1000 = ',F5.3 ,' (HOLTROP TAHMINI) ')", {c.CAH * 1000.0f});
  if (c.direct)
    write(r, "(2X,'MODEL-GEMI KORELASYON KATSAYISI-CA*1000 = ',F5.3 ,' (DOGRUDAN ATAMA) ')", {c.CAdirect * 1000.0f});
  if (c.ittc)
    write(r, "(2X,'MODEL-GEMI KORELASYON KATSAYISI-CA*1000 = ',F5.3 ,' (ITTC YONTEMI) ')", {c.CAittc * 1000.0f});
  write(r, "(2X,'MODEL-GEMI KORELASYON KATSAYISI-CA*1000 = ',F5.3)", {c.CA * 1000.0f});
}

}  // namespace

void resistanceSpeedStep(Run& run, int i) {
  RunState& s = run.s;
  InputData& in = s.in;
  RecordSink& r = run.report;

  // Speed and Froude number.
  const float VS = in.VS(i);
  const float Fn = froudeNumber(VS, in.GRAV, in.Lwl);
  s.hull.VS = VS;
  s.hull.Fn = Fn;
  s.hull.IV = i;
  writeSpeedLines(run, i, VS, Fn);

  // Form coefficients; an impossible prismatic coefficient ends the run.
  const HullForm h = hullForm(in);
  static_cast<HullForm&>(s.hull) = h;
  if (prismaticTooLarge(h.CP)) {
    writePrismaticStop(run.con, h, in.Cm);
    writePrismaticStop(r, h, in.Cm);
    pauseRun(run, kCpStopPrompt);
    stopRun(run, "prizmatik",
            statementText("('PRIZMATIK KATSAYI CP = ',F5.3,' > 1 OLDU; CM DE YANLISLIK OLABILIR (CB = ',F5.3,', CM = ',F5.3,')')",
                          {h.CP, h.CB, in.Cm}));
  }
  writeHullForm(r, h);
  wettedSurface(run, h);

  // Viscous resistance and appendages.
  const FormFactors ff = formFactors(in, h);
  s.hull.FFH = ff.FFH;
  s.hull.FFN = ff.FFN;
  s.hull.FFG = ff.FFG;
  const Friction fr = friction(VS, in.Lwl, in.RHO, in.S, ff.FFN);
  s.sp.Rn(i) = fr.Rn;
  s.sp.CF(i) = fr.CF;
  s.sp.CV(i) = fr.CV;
  writeViscous(r, ff, in.FFDF, fr);
  appendages(run, i, VS, fr.CF);

  // Air resistance, then the half angle of entrance.
  const AirResistance air = airResistance(in, in.S, VS);
  writeAir(r, air, in.ONYUZ);
  const float IEest = entranceAngleEstimate(in, h);
  if (in.IE < 1.0f) in.IE = IEest;
  writeEntranceAngle(r, IEest, in.IE);

  // Wave resistance.
  const WaveCoefficients w = waveCoefficients(in, h, in.IE, Fn);
  writeWaveCoefficients(r, w);
  const float RW = waveResistance(w, Fn, s.DISPW);
  writeWaveRange(r, speedRange(Fn), RW);

  // Bulb, transom and bow-thruster tunnels.
  const BulbResistance bulb = bulbResistance(in, VS);
  if (bulb.immersionTooSmall) stopForBulbImmersion(run);
  if (bulb.waveBreaking) write(r, "(2X,'*** BALP BOLGESINDA ASIRI DALGA KIRILMASI VAR *** ')");
  write(r, "(2X,'BALP DIRENCI -------------------> Rbulb = '      ,F8.2,' kN')", {bulb.Rbulb});
  const float Rayna = transomResistance(in, h.CWPlwl, VS);
  write(r, "(2X,'AYNA KIC DIRENCI ---------------> Rayna = '      ,F8.2,' kN')", {Rayna});
  const float Rbot = bowThrusterResistance(in, VS);
  write(r, "(2X,'BAS ITICI DIRENC ARTISI --------> Rbot  = '      ,F6.2,' kN')", {Rbot});
  write(r, "(2X,'DALGA DIRENCI ---------------------> RW = '      ,F8.2,' kN')", {RW});
  const float CW = waveResistanceCoefficient(RW, in.RHO, VS, in.S);
  write(r, "(2X,'DALGA DIRENC KATSAYISI -------> CW*1000 = ',F6.3)", {CW * 1000.0f});

  // Correlation allowance.
  const Correlation c = correlationAllowance(in, h.CBlwl, w.C2);
  s.sp.CA(i) = c.CA;
  writeCorrelation(r, c);

  // Totals and effective power.
  ResistanceParts parts;
  parts.RV = ff.FFN * fr.RF;
  parts.Rbot = Rbot;
  parts.RW = RW;
  parts.Rayna = Rayna;
  parts.Rbulb = bulb.Rbulb;
  parts.Rapp = s.sp.RAPP(i, 0);
  parts.CA = c.CA;
  parts.CV = fr.CV;
  const Totals t = totals(parts, in.RHO, VS, in.S);
  s.sp.CT(i) = t.CT;
  s.sp.CR(i) = t.CR;
  write(r, "(2X,A40,'=',F8.2,' kN')", {label("MODEL-GEMI KORELASYON DIRENCI - RA(kN)"), t.RA});
  write(r, "(2X,A40,'=',F8.2,' kN')", {label("TOPLAM DIRENC - RTOTAL(kN)"), t.RTOTAL});
  write(r, "(2X,A40,'=',F10.3,' kW')", {label("EFEKTIF GUC - PE(kW)"), t.PE});
  write(r, "(60('='))");

  s.sp.RTOTAL(i) = t.RTOTAL;
  s.sp.RW(i) = RW;
  s.sp.Fn(i) = Fn;
  s.sp.RV(i) = parts.RV;
  s.sp.RA(i) = t.RA;
  s.sp.PE(i) = t.PE;
  s.sp.RF(i) = fr.RF;
  s.sp.Rayna(i) = Rayna;
  s.sp.Rbulb(i) = bulb.Rbulb;
  s.sp.Rbot(i) = Rbot;
  s.sp.RAIR(i) = air.RAIR;
  s.sp.computed = i;
}

}  // namespace gemi
