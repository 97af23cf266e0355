#include "water/model_resistance.h"

#include <cmath>
#include <fstream>

#include "numeric/interp.h"
#include "run/run.h"
#include "run/run_files.h"

namespace gemi {
namespace {

// Standard resistance readings of the tank, kg, ascending.
constexpr std::array<float, kModelReadings> kReadings{
    0.2f,  0.3f,  0.4f,  0.5f,  0.6f,  0.7f,  0.75f, 0.8f,  0.9f,  1.0f,   1.1f,   1.2f,   1.25f,  1.3f,
    1.4f,  1.5f,  1.6f,  1.7f,  1.75f, 1.8f,  1.9f,  2.0f,  2.1f,  2.2f,   2.25f,  2.3f,   2.4f,   2.5f,
    2.6f,  2.7f,  2.75f, 2.8f,  2.9f,  3.0f,  3.25f, 3.5f,  4.0f,  5.0f,   6.0f,   7.0f,   8.0f,   9.0f,
    10.0f, 11.0f, 12.0f, 13.0f, 14.0f, 15.0f, 16.0f, 17.0f, 18.0f, 19.0f,  20.0f,  22.0f,  24.0f,  26.0f,
    28.0f, 30.0f, 35.0f, 40.0f, 45.0f, 50.0f, 60.0f, 70.0f, 80.0f, 90.0f, 100.0f, 120.0f, 130.0f, 140.0f};

constexpr const char* kCredit = "Gemi Insaati Bolumu ";  // 20 characters

}  // namespace

ModelResistance computeModelResistance(int NV, const SpeedArray& CR, const SpeedArray& VS, float FF, float MSCALE,
                                       float S, float Lwl, const WaterProperties& water) {
  constexpr float g = kModelGravity;
  ModelResistance r;
  for (int i = 1; i <= NV; ++i) r.Fn(i) = VS(i) * 0.5144f / std::sqrt(Lwl * g);
  const float modelArea = S / (MSCALE * MSCALE);
  SpeedArray Rkg;  // model resistance in kg
  for (int i = 1; i <= NV; ++i) {
    r.Vm(i) = std::sqrt(Lwl * g / MSCALE) * r.Fn(i);
    r.Rn(i) = r.Vm(i) * (Lwl / MSCALE) / water.NU;
    const float logRn = std::log10(r.Rn(i)) - 2.0f;
    r.Cfm(i) = 0.075f / (logRn * logRn);
    r.Cvm(i) = r.Cfm(i) * FF;
    r.Cwm(i) = CR(i);
    r.Ctm(i) = CR(i) + r.Cvm(i);
    r.Rtm(i) = r.Vm(i) * r.Vm(i) * r.Ctm(i) * modelArea * water.RHOW * 0.5f;
    Rkg(i) = r.Rtm(i) / g;
  }
  // The model speed of a reading is found by the spline through
  // (resistance, speed); it needs resistances that rise with speed.
  for (int i = 2; i <= NV; ++i)
    if (!(Rkg(i) > Rkg(i - 1))) r.increasing = false;  // also for NaN
  if (!r.increasing) return r;
  for (float R : kReadings) {
    if (Rkg(1) < R && R < Rkg(NV)) {
      r.reading[static_cast<std::size_t>(r.M)] = R;
      r.speed[static_cast<std::size_t>(r.M)] = interp(NV, Rkg.data(), r.Vm.data(), R, 0.0f, kInterpSpline);
      ++r.M;
    }
  }
  return r;
}

void writeModelReport(Run& run, int NV, const SpeedArray& CR, const SpeedArray& VS, float FF, float MSCALE, float S,
                      float Lwl, float TEMPm) {
  constexpr float g = kModelGravity;
  std::ofstream file;
  if (run.outputs.writeFiles) openForWriting(file, run.file(kModelReportFileName));
  StreamSink fileOut(file);
  RecordSink& out = run.fileSink(fileOut);
  write(out, "(1X,72('-'))");
  write(out, "(1X,'! Program: TANK-ANALIZI     Ver: 15/03/2005      ',A,'  !')", {kCredit});
  write(out, "(' !',70X,'!')");
  write(out, "(' !',13X,'MODEL DIRENC DEGERI HESAP PROGRAMI',22X,     ' !')");
  write(out, "(1X,72('-'))");
  out.flush();
  const WaterProperties ship = waterProperties(run, kSaltWater, 15.0f);
  const WaterProperties model = waterProperties(run, kFreshWater, TEMPm);
  const ModelResistance r = computeModelResistance(NV, CR, VS, FF, MSCALE, S, Lwl, model);

  write(out, "(//20X,'MODELE AIT DEGERLER  ')");
  write(out, "(1X,70('-'))");
  write(out, "(' No   Vs    Vm      Fn      Rn     Cfm     Cvm     Cwm     Ctm     Rtm  ' )");
  write(out, "('     (kn) (m/s)          (*1E7)                                    (kg) ' )");
  write(out, "(1X,70('-'))");
  for (int i = 1; i <= NV; ++i) {
    write(out, "(1X,I2,1X,F5.2,1X,F5.2,1X,5(F7.3,1X),2(F7.3,1X),F6.1)",
          {i, VS(i), r.Vm(i), r.Fn(i), r.Rn(i) / 1.0e7f, 1000.0f * r.Cfm(i), 1000.0f * r.Cvm(i),
           1000.0f * r.Cwm(i), 1000.0f * r.Ctm(i), r.Rtm(i) / g});
  }
  write(out, "(1X,70('-'))");

  write(out, "(//10X,'OLCUM DEGERLERI ')");
  write(out, "(1X,43('-'))");
  write(out, "(' No    Vm      Rtm     Ctm        Fn      Vs' )");
  write(out, "('     (m/s)    (kg)   *1000             (knot)' )");
  write(out, "(1X,43('-'))");
  const float modelArea = S / (MSCALE * MSCALE);
  for (int m = 1; m <= r.M; ++m) {
    const float V = r.speed[static_cast<std::size_t>(m - 1)];
    const float R = r.reading[static_cast<std::size_t>(m - 1)];
    const float Fn = V / std::sqrt(Lwl * g / MSCALE);
    const float Vs = std::sqrt(Lwl * g) * Fn / 0.5144f;
    const float Ct = R * g / (modelArea * (V * V) * model.RHOW * 0.5f);
    write(out, "(1X,I2,2X,F5.3,2X,F6.2,2X,F7.3,4X,'(',F5.3,2X,F5.2,')')", {m, V, R, 1000.0f * Ct, Fn, Vs});
  }
  write(out, "(1X,43('-'))");
  if (!r.increasing)
    write(out, "(1X,A)", {"MODEL DIRENCI HIZLA SUREKLI ARTMADIGINDAN OLCUM DEGERLERI HESAPLANMADI."});

  write(out, "(//10X,'GIRIS ve HESAP BILGILERI  ')");
  write(out,
        "(' -----------------------------------------------',/,' Model Olcegi..................: 1/',F5.1,/,' Form Faktoru - (1 + k) .......: ',F6.3,' (tahmin)',/,' -----------------------------------------------',/,/,'                                   Gemi /  Model',/,' -----------------------------------------------',/,' Su Hatti Boylari - m .........: ',F6.2,' / ',F6.3,/,' Islak Yuzey Alani - m2 .......: ',F6.1,' / ',F6.3,/,' Su Sicakliklari - der. .......: ',F6.1,' / ',F6.1,/,' Su Yogunluklari - kg/m3 ......: ',F6.1,' / ',F6.1,/,' Su Viskoziteleri - m2/s*10^6..: ',F6.3,' / ',F6.3,/,' -----------------------------------------------',/)",
        {MSCALE, FF, Lwl, Lwl / MSCALE, S, modelArea, 15.0f, TEMPm, ship.RHOW, model.RHOW, ship.NU * 1.0e6f,
         model.NU * 1.0e6f});
  if (run.outputs.writeFiles) closeWritten(file, run.file(kModelReportFileName));
}

}  // namespace gemi
