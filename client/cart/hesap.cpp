#include "hesap.h"

#include "sayibicim.h"

#include <QLocale>
#include <cmath>

namespace vlm {

namespace {

double bicimleVeOku(const char* bicim, double x) {
  const QLocale yerel;
  QString metin = FormatFloat(QLatin1String(bicim), x, yerel);
  metin.remove(yerel.groupSeparator());
  bool tamam = false;
  const double sonuc = MetniSayiyaCevir(metin, &tamam, yerel);
  return tamam ? sonuc : 0;
}

double sonlu(double x) {
  return std::isfinite(x) ? x : 0;
}

}  // namespace

double Yuvarla(double x) {
  return bicimleVeOku("#,###,##.00", x);
}

double Yuvarla3(double x) {
  return bicimleVeOku("#,###,##.000", x);
}

Tutarlar Hesapla(double fiyat, double miktar, const Oranlar& oranlar, double kdv) {
  fiyat = sonlu(fiyat);
  miktar = sonlu(miktar);
  kdv = sonlu(kdv);
  Tutarlar t;
  t.brut = sonlu(fiyat * miktar);
  double n = t.brut;
  for (const double oran : oranlar)
    if (std::isfinite(oran) && oran > 0) n = sonlu(n - n * oran / 100);
  t.net = n;
  t.indirim = sonlu(t.brut - t.net);
  t.netSatir = Yuvarla(t.net);
  t.netBirim = miktar != 0 ? Yuvarla(t.netSatir / miktar) : 0;
  t.kdvDahil = Yuvarla(t.netBirim * (1 + kdv / 100));
  t.tutar = Yuvarla(t.kdvDahil * miktar);
  return t;
}

bool IskontoVar(const Oranlar& oranlar) {
  double toplam = 0;
  for (const double oran : oranlar) toplam += oran;
  return toplam > 1;
}

double KdvCikar(double fiyat) {
  return fiyat / 1.18;
}

}  // namespace vlm
