#include "sepetkurallari.h"

#include "dataset.h"
#include "records.h"
#include "sayibicim.h"
#include "sepetislem.h"

#include <cmath>

namespace vlm {

namespace {

// A cell of a column that may be missing; NULL, missing and non-finite
// values are 0.
double tutar(const DataSet& veri, int row, int col) {
  if (col < 0 || veri.isNull(row, col)) return 0;
  const double x = veri.floatValue(row, col);
  return std::isfinite(x) ? x : 0;
}

}  // namespace

SepetToplamlari SepetToplamHesapla(const DataSet& sepet) {
  SepetToplamlari t;
  const int sec = sepet.fieldIndex(u"SEC");
  const int tut = sepet.fieldIndex(u"TUTAR");
  const int ind = sepet.fieldIndex(u"INDIRIMTUTAR");
  const int ver = sepet.fieldIndex(u"VERGITUTARI");
  if (sec >= 0) {
    for (int r = 0; r < sepet.rowCount(); ++r) {
      if (sepet.intValue(r, sec) != 1) continue;
      t.toplam = Yuvarla(t.toplam + tutar(sepet, r, tut));
      t.indirim = Yuvarla(t.indirim + tutar(sepet, r, ind));
      t.vergi = Yuvarla(t.vergi + tutar(sepet, r, ver));
    }
  }
  t.araToplam = Yuvarla(t.toplam - t.indirim);
  t.genelToplam = Yuvarla(t.araToplam + t.vergi);
  return t;
}

QString TutarYazisi(double tutar) {
  return FormatFloat(QLatin1String(kTutarBicimi), tutar);
}

bool VeriVarmi(const DataSet& veri) {
  return veri.fieldCount() > 0 && !veri.isEmpty();
}

bool SecimVarmi(DataSet& veri) {
  if (!VeriVarmi(veri)) return false;
  const int sec = veri.fieldIndex(u"SEC");
  if (sec < 0) {
    veri.last();
    veri.next();
    return false;
  }
  for (veri.first(); !veri.eof(); veri.next())
    if (veri.intValue(veri.recNo(), sec) == 1) return true;
  return false;
}

SepetSatiri SepetSatiriOku(const DataSet& sepet) {
  SepetSatiri s;
  s.sirano = SatirTamsayi(sepet, u"SIRANO");
  s.stokno = SatirTamsayi(sepet, u"STOKNO");
  s.barkod = SatirMetin(sepet, u"BARKOD");
  s.stokadi = SatirMetin(sepet, u"STOKADI");
  s.marka = SatirMetin(sepet, u"MARKA");
  s.finishkod = SatirMetin(sepet, u"FINISHKOD");
  s.model = SatirMetin(sepet, u"MODEL");
  s.kdv = SatirSayi(sepet, u"KDV");
  s.miktar = SatirSayi(sepet, u"MIKTAR");
  s.birimfiyat = SatirSayi(sepet, u"BIRIMFIYAT");
  s.oranlar = {SatirSayi(sepet, u"INDIRIMORANI1"), SatirSayi(sepet, u"INDIRIMORANI2"),
               SatirSayi(sepet, u"INDIRIMORANI3"), SatirSayi(sepet, u"INDIRIMORANI4")};
  return s;
}

QString SatirSilAciklamasi(const SepetSatiri& satir) {
  return satir.barkod + QLatin1Char('-') + satir.stokadi;
}

QString SepetDurumAdi(int durum) {
  switch (durum) {
    case 0: return QStringLiteral("Yok");
    case 1: return QStringLiteral("Var");
    case 2: return QStringLiteral("Telefon Açınız");
    case 3: return QStringLiteral("Yolda");
    case 4: return QStringLiteral("Özel Sipariş");
    case 5: return QStringLiteral("Tedarik Sürecinde");
    default: return QString::number(durum);
  }
}

QString SiparisOzeti(const TSonucBilgisi& sbilgi, const QString& toplam) {
  return QStringLiteral("Kullanıcı: ") + sbilgi.ADI() + QLatin1Char('\n') +
         QStringLiteral("Cari     : ") + sbilgi.CariAdi() + QLatin1Char('\n') +
         QStringLiteral("Tutar    : ") + toplam;
}

int TeslimOnSecimi(int adet) {
  if (adet >= 2) return 1;
  return adet == 1 ? 0 : -1;
}

QString SiparisOnayEksigi(int teslim, int kargoTuru, int kargo) {
  if (teslim < 0) return QStringLiteral("Lütfen Teslim Durumu Seçiniz !");
  if (kargoTuru < 0) return QStringLiteral("Lütfen Kargo Türünü Seçiniz !");
  if (kargo <= 0) return QStringLiteral("Lütfen Kargo  Seçiniz !");
  return QString();
}

}  // namespace vlm
