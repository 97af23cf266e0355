#include "estimates/propulsion_survey.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace gemi {

SurveyValues computePropulsionSurvey(const SurveyShip& s, const SpeedArray& VS, int NV) {
  SurveyValues v;
  const float Cb = s.Cb, Cp = s.Cp;
  v.wTaylor1 = 0.50f * Cb - 0.05f;
  v.wTroost = 0.25f + 2.5f * ((Cb - 0.6f) * (Cb - 0.6f));
  v.wKruger1 = 0.75f * Cb - 0.24f;
  v.wHeckscherCargo1 = 0.70f * Cp - 0.18f;
  v.wCaldwell1 = Cb / 3.0f + 0.01f;
  v.wHeckscherTrawler = 0.77f * Cp - 0.28f;
  v.wSchneekluth = 0.50f * Cp * (1.6f / (1.0f + s.Dp / s.T)) * (16.0f / (10.0f + s.L / s.B));
  // Papmehl: the wake falls with the Froude number.
  for (int i = 1; i <= NV; ++i) {
    v.FnPapmehl(i) = VS(i) * 0.5144f / std::sqrt(9.81f * s.L);
    v.wPapmehl(i) = 0.165f * Cb * (std::pow(s.Dep, 0.333f) / s.Dp) - 0.1f * (v.FnPapmehl(i) - 0.2f);
  }
  v.wTaylor2 = 0.55f * Cb - 0.20f;
  v.wKruger2 = 0.81f * Cb - 0.34f;
  v.wHeckscherCargo2 = 0.70f * Cp - 0.30f;
  v.wCaldwell2 = Cb / 3.0f + 0.03f;
  v.tTaylor1 = 0.60f * v.wTaylor1;
  v.tHeckscherCargo1 = 0.50f * Cp - 0.12f;
  v.tHeckscherTrawler = 0.77f * Cp - 0.30f;
  v.tDacknwardt1 = 0.50f * Cp - 0.15f;
  v.tSSPA1 = 1.57f - 2.3f * Cb / s.Cwp + 1.5f * Cb;
  v.tTaylor2 = 1.25f * v.wTaylor2;
  v.tHeckscherCargo2 = 0.50f * Cp - 0.18f;
  v.tDacknwardt2 = 0.52f * Cp - 0.18f;
  v.tSSPA2 = 1.67f - 2.3f * Cb / s.Cwp + 1.5f * Cb;
  v.tHoltropMennen = 0.325f * Cb - 0.1885f * s.Dp / std::sqrt(s.B * s.T);
  v.etarHelm = 0.826f + 0.01f * s.L / std::pow(s.Dep, 0.333f) + 0.02f * s.B / s.T + 0.1f * Cb / Cp;
  return v;
}

void writePropulsionSurvey(RecordSink& out, const SurveyShip& s, const SpeedArray& VS, int NV) {
  const SurveyValues v = computePropulsionSurvey(s, VS, NV);
  write(out, "(2X,54('='))");
  write(out, "('  (Bu formuller kullaniciyi bilgilendirmek amaci ile  verilmistir.)')");
  write(out, "('  (Program Holtrop `un sevk katsayilarini kullanir)  ')");
  write(out, "(2X,54('='))");
  write(out, "('   Cb = ', F5.3)", {s.Cb});
  write(out, "('   Cp = ', F5.3)", {s.Cp});
  write(out, "('   Cm = ', F5.3)", {s.Cb / s.Cp});
  write(out, "('  Cwp = ', F5.3)", {s.Cwp});
  write(out, "('   L  = ', F6.1, ' m')", {s.L});
  write(out, "('   B  = ', F5.2, ' m')", {s.B});
  write(out, "('   T  = ', F5.2, ' m')", {s.T});
  write(out, "('   Dp = ', F5.2, ' m')", {s.Dp});
  write(out, "('  Dep = ', F6.0, ' t')", {s.Dep});

  write(out, "(/'   Efektif Iz Katsayisi - w')");
  write(out, "(/'   Tek Pervaneli Gemiler   ')");
  write(out, "('   0.50Cb-0.05 = ', F5.3, ' (Taylor)' )", {v.wTaylor1});
  write(out, "('   0.25Cb+2.5(Cb-0.6)^2 = ', F5.3, ' (Troost-Kargo Gemileri)' )", {v.wTroost});
  write(out, "('   0.75Cb-0.24 = ', F5.3, ' (Kr\xFC" "ger (1976))' )", {v.wKruger1});
  write(out, "('   0.70Cp-0.18 = ', F5.3, ' (Heckscher-Kargo Gemileri)' )", {v.wHeckscherCargo1});
  write(out, "('   Cb/3+0.01   = ',F5.3,' (Caldwell-Romorkor 0.47<Cb<0.56)')", {v.wCaldwell1});
  write(out, "('   0.77Cp-0.28 = ', F5.3, ' (Heckscher-Trawlers)' )", {v.wHeckscherTrawler});
  write(out, "('   0.50Cp(1.6/(1+Dp/T))(16/10+L/B)) = ', F5.3,      ' (Schneekluth (1988) - Kargo Gemileri)' )",
        {v.wSchneekluth});
  write(out, "('   0.165Cb(Dep^0.333/Dp)-0.1*(Fn-0.2) - Papmehl (HizaBagli)')");
  write(out, "('     Vs     Fn     w')");
  for (int i = 1; i <= NV; ++i) write(out, "(3X,F5.2,2X,2(F5.3,2X))", {VS(i), v.FnPapmehl(i), v.wPapmehl(i)});
  writeList(out);

  write(out, "(/'   Cift Pervaneli Gemiler   ')");
  write(out, "('   0.55Cb-0.20 = ', F5.3, ' (Taylor)' )", {v.wTaylor2});
  write(out, "('   0.81Cb-0.34 = ', F5.3, ' (Kr\xFC" "ger (1976))' )", {v.wKruger2});
  write(out, "('   0.70Cp-0.30 = ', F5.3, ' (Heckscher-Kargo Gemileri)' )", {v.wHeckscherCargo2});
  write(out, "('   Cb/3+0.03   = ',F5.3,' (Caldwell-Romorkor 0.47<Cb<0.56)')", {v.wCaldwell2});

  write(out, "(//)");
  write(out, "('   Emme Katsayisi - t')");
  write(out, "(/'   Tek Pervaneli Gemiler   ')");
  write(out, "('         0.60*w = ', F5.3, ' (Taylor)' )", {v.tTaylor1});
  write(out, "('   0.50*Cp-0.12 = ', F5.3, ' (Heckscher-Kargo Gemisi)' )", {v.tHeckscherCargo1});
  write(out, "('   0.77*Cp-0.30 = ', F5.3, ' (Heckscher-Trawlers   )' )", {v.tHeckscherTrawler});
  write(out, "('   0.50*Cp-0.15 = ', F5.3, ' (Dacknwardt-kargo Gemisi' )", {v.tDacknwardt1});
  write(out, "('   w*(1.57-2.3Cb/Cwp+1.5Cb) = ', 'w*',F5.3, ' (SSPA - Kargo Gemisi' )", {v.tSSPA1});

  write(out, "(/'   Cift Pervaneli Gemiler   ')");
  write(out, "('         1.25*w = ', F5.3, ' (Taylor)' )", {v.tTaylor2});
  write(out, "('   0.50*Cp-0.18 = ', F5.3, ' (Heckscher-Kargo Gemisi)' )", {v.tHeckscherCargo2});
  write(out, "('   0.52*Cp-0.18 = ', F5.3, ' (Dacknwardt-kargo Gemisi' )", {v.tDacknwardt2});
  write(out, "('   w*(1.67-2.3Cb/Cwp+1.5Cb) = ', 'w*',F5.3, ' (SSPA - Kargo Gemisi' )", {v.tSSPA2});
  write(out, "('   0.325*Cb-0.1885*Dp/(B*T)^0.5 = ',F5.3, ' (Holtrop ve Mennen(1978)' )", {v.tHoltropMennen});

  writeList(out);
  write(out, "('   Rolatif Donme Verimi - eta_r')");
  write(out, "('   eta_r = 0.95 - 1.05 - Tek Pervaneli Gemiler ')");
  write(out, "('   eta_r = 1.0 (Tek Pervane); 0.98 (Cift Pervane) - Alte and Baur (1986) ')");
  write(out, "('   0.826+0.01L/Dep^0.333+0.02B/T+0.1*Cm = ', F5.3,  ' (Helm(1980) Tek Pervaneli Kucuk Gemiler)' )",
        {v.etarHelm});
  write(out, "('   eta_r = 1.02-1.06 (Tek Pervane) - Jensen(1994) ')");
  write(out, "(2X,54('='))");
  write(out, "(5/)");
}

void writePropulsionSurveyWithHeader(RecordSink& out, float Lwl, float B, float T, float Dep, float Cm, float& Cwp,
                                     int NV, const SpeedArray& VS, float D) {
  write(out, "(//A)", {" *** DIGER YONTEMLERE AIT SEVK KATSAYILARI  ****"});
  write(out, "(1X,'L=',F6.2,' m. - B=',F6.3,' m. - T=',F6.3,    ' m. - Depl=',F8.2,' ton')", {Lwl, B, T, Dep});
  write(out, "(1X,'Cm=',F6.3,' - Cwp=',F6.3)", {Cm, Cwp});
  // The speed line holds 15 speeds; a longer list goes on in further
  // records of the same layout.
  constexpr int kPerRecord = 15;
  int first = 1;
  do {
    std::vector<Item> items{Item(NV), Item("-")};
    for (int i = first; i <= std::min(NV, first + kPerRecord - 1); ++i) items.emplace_back(VS(i));
    write(out, "(I3,1X,A,1X,15F8.3)", items);
    first += kPerRecord;
  } while (first <= NV);
  write(out, "(1X,'Dp=',F6.3,' m')", {D});
  const float volume = Dep / 1.025f;
  const float Cb = volume / (T * B * Lwl);
  const float Cp = Cb / Cm;
  if (Cwp < 0.1f) Cwp = 0.625f * Cb / Cm + 0.375f;
  writePropulsionSurvey(out, {Cb, Cp, Cwp, Lwl, B, T, D, Dep}, VS, NV);
}

}  // namespace gemi
