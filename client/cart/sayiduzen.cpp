#include "sayiduzen.h"

#include "sayibicim.h"

#include <algorithm>
#include <cmath>

namespace vlm {

namespace {

bool rakam(QChar c) {
  return c >= QLatin1Char('0') && c <= QLatin1Char('9');
}

QString rakamlar(QStringView s) {
  QString r;
  for (const QChar c : s)
    if (rakam(c)) r += c;
  return r;
}

}  // namespace

QString SayiKutusuMetni(double deger, const QLocale& yerel) {
  if (!std::isfinite(deger)) deger = 0;
  return FormatFloat(QLatin1String(kTutarBicimi), deger, yerel);
}

SayiDuzenSonucu SayiDuzenle(const QString& eski, const QString& yeniHam, int imlec,
                            const SayiKurali& kural, const QLocale& yerel) {
  const QChar ayirici = yerel.decimalPoint().at(0);
  const QChar eksi = yerel.negativeSign().at(0);
  QString yeni = yeniHam;
  imlec = std::clamp(imlec, 0, int(yeni.size()));

  bool kesreAtla = false;
  if (yeni.count(ayirici) > 1) {
    // A separator typed where there is one already: the caret goes behind it.
    if (imlec > 0 && yeni[imlec - 1] == ayirici) {
      yeni.remove(imlec - 1, 1);
      --imlec;
      kesreAtla = true;
    }
    const qsizetype ilk = yeni.indexOf(ayirici);
    for (qsizetype i = yeni.size() - 1; i > ilk; --i) {
      if (yeni[i] != ayirici) continue;
      yeni.remove(i, 1);
      if (i < imlec) --imlec;
    }
  } else if (!yeni.contains(ayirici)) {
    // The separator itself was deleted: keep the text, caret in front of it.
    const qsizetype p = eski.indexOf(ayirici);
    if (p >= 0 && QString(eski).remove(p, 1) == yeni) {
      SayiDuzenSonucu s;
      s.metin = eski;
      s.imlec = int(p);
      s.deger = MetniSayiyaCevir(eski, nullptr, yerel);
      return s;
    }
  }

  const qsizetype ayiriciYeri = yeni.indexOf(ayirici);
  const QStringView butun(yeni);
  const QStringView tamKismi = ayiriciYeri < 0 ? butun : butun.left(ayiriciYeri);
  const QStringView kesirKismi = ayiriciYeri < 0 ? QStringView() : butun.mid(ayiriciYeri + 1);
  const bool imlecKesirde = kesreAtla || (ayiriciYeri >= 0 && imlec > ayiriciYeri);

  QString tam = rakamlar(tamKismi);
  int tamOnce = int(rakamlar(tamKismi.left(std::min<qsizetype>(imlec, tamKismi.size()))).size());
  QString kesir = rakamlar(kesirKismi);
  int kesirOnce = kesreAtla || !imlecKesirde
                      ? 0
                      : int(rakamlar(butun.mid(ayiriciYeri + 1, imlec - ayiriciYeri - 1)).size());

  // The "0" of a value below 1 only holds the place: a digit typed in front
  // of it takes its place.
  const QString eskiTam = rakamlar(
      QStringView(eski).left(eski.contains(ayirici) ? eski.indexOf(ayirici) : eski.size()));
  if (eskiTam == QLatin1String("0") && !imlecKesirde && tamOnce > 0 && tam.size() > 1 &&
      tam.mid(tamOnce) == QLatin1String("0"))
    tam.truncate(tamOnce);
  while (!tam.isEmpty() && tam[0] == QLatin1Char('0')) {
    tam.remove(0, 1);
    if (tamOnce > 0) --tamOnce;
  }
  kesir.truncate(2);
  kesirOnce = std::min(kesirOnce, 2);
  while (kesir.size() < 2) kesir += QLatin1Char('0');

  const bool negatif = kural.enAz < 0 && yeni.count(eksi) % 2 == 1;
  const QString sayi = (tam.isEmpty() ? QStringLiteral("0") : tam) + QLatin1Char('.') + kesir;
  double deger = sayi.toDouble();
  if (negatif) deger = -deger;

  SayiDuzenSonucu s;
  if (!std::isfinite(deger) || deger > kural.enCok || deger < kural.enAz) {
    s.metin = eski;
    s.imlec = std::clamp(imlec - int(yeniHam.size() - eski.size()), 0, int(eski.size()));
    s.deger = MetniSayiyaCevir(eski, nullptr, yerel);
    s.reddedildi = true;
    return s;
  }
  s.deger = deger == 0 ? 0 : deger;
  s.metin = SayiKutusuMetni(deger, yerel);
  // A sign typed on a zero stays in sight until the digits come.
  if (negatif && deger == 0) s.metin.prepend(eksi);
  const int yeniAyirici = int(s.metin.indexOf(ayirici));
  if (imlecKesirde) {
    s.imlec = yeniAyirici + 1 + kesirOnce;
  } else if (tam.isEmpty()) {
    s.imlec = yeniAyirici;  // behind the place-holding "0"
  } else {
    int i = s.metin.startsWith(eksi) ? 1 : 0;
    for (int n = 0; n < tamOnce && i < s.metin.size(); ++i)
      if (rakam(s.metin[i])) ++n;
    s.imlec = i;
  }
  return s;
}

}  // namespace vlm
