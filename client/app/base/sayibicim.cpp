#include "sayibicim.h"

#include "dataset.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace vlm {

namespace {

struct Desen {
  QString onEk, sonEk;  // literal text before and after the digits
  int enAzTamsayi = 0;  // '0's before the point
  bool gruplu = false;
  int enAzKesir = 0;   // '0's after the point
  int enCokKesir = 0;  // '0's and '#'s after the point
};

Desen coz(const QString& bicim) {
  Desen d;
  // Only the first section of "pos;neg;zero" is used.
  const QString s = bicim.section(QLatin1Char(';'), 0, 0);
  qsizetype ilk = -1, son = -1;
  for (qsizetype i = 0; i < s.size(); ++i) {
    const QChar c = s[i];
    if (c == '#' || c == '0' || c == ',' || c == '.') {
      if (ilk < 0) ilk = i;
      son = i;
    }
  }
  if (ilk < 0) {
    d.onEk = s;
    return d;
  }
  d.onEk = s.left(ilk);
  d.sonEk = s.mid(son + 1);
  bool kesirde = false;
  for (qsizetype i = ilk; i <= son; ++i) {
    const QChar c = s[i];
    if (c == '.') {
      kesirde = true;
    } else if (c == ',') {
      if (!kesirde) d.gruplu = true;
    } else if (c == '0') {
      if (kesirde) {
        d.enAzKesir = d.enCokKesir + 1;
        ++d.enCokKesir;
      } else {
        ++d.enAzTamsayi;
      }
    } else if (c == '#') {
      if (kesirde) ++d.enCokKesir;
    }
  }
  return d;
}

}  // namespace

QString FormatFloat(const QString& bicim, double deger, const QLocale& yerel) {
  if (std::isnan(deger)) return QStringLiteral("NAN");
  if (std::isinf(deger)) return deger > 0 ? QStringLiteral("INF") : QStringLiteral("-INF");
  const Desen d = coz(bicim);

  // 15 significant digits: d0.d1...d14 times ten to the exponent.
  char buf[40];
  std::snprintf(buf, sizeof buf, "%.14e", std::fabs(deger));
  QByteArray rakam;
  rakam.reserve(16);
  const char* p = buf;
  for (; *p && *p != 'e'; ++p)
    if (*p >= '0' && *p <= '9') rakam.append(*p);
  const int us = std::atoi(p + 1);
  int nokta = us + 1;  // digits before the decimal point
  if (deger == 0) {
    rakam = "0";
    nokta = 1;
  }

  // Round half away from zero at enCokKesir decimals.
  const int tut = nokta + d.enCokKesir;  // digits to keep
  if (tut < 0) {
    rakam = "0";
    nokta = 1;
  } else if (tut < rakam.size()) {
    const bool yukari = rakam[tut] >= '5';
    rakam.truncate(tut);
    if (yukari) {
      int i = tut - 1;
      while (i >= 0 && rakam[i] == '9') {
        rakam[i] = '0';
        --i;
      }
      if (i >= 0) {
        rakam[i] = char(rakam[i] + 1);
      } else {
        rakam.prepend('1');
        ++nokta;
      }
    }
    if (rakam.isEmpty()) {
      rakam = "0";
      nokta = 1;
    }
  }

  // Split into whole and fraction digits.
  QString tam, kesir;
  for (int i = 0; i < nokta; ++i) tam.append(i < rakam.size() && i >= 0 ? QChar(rakam[i]) : '0');
  for (int i = 0; i < d.enCokKesir; ++i) {
    const int j = nokta + i;
    kesir.append(j >= 0 && j < rakam.size() ? QChar(rakam[j]) : QChar('0'));
  }
  while (tam.size() > 1 && tam.startsWith('0')) tam.remove(0, 1);
  if (tam == QLatin1String("0")) tam.clear();
  while (kesir.size() > d.enAzKesir && kesir.endsWith('0')) kesir.chop(1);
  while (tam.size() < d.enAzTamsayi) tam.prepend('0');

  const bool sifir = !std::any_of(tam.begin(), tam.end(), [](QChar c) { return c != '0'; }) &&
                     !std::any_of(kesir.begin(), kesir.end(), [](QChar c) { return c != '0'; });

  if (d.gruplu && tam.size() > 3) {
    const QString ayirici = yerel.groupSeparator();
    QString g;
    const qsizetype n = tam.size();
    for (qsizetype i = 0; i < n; ++i) {
      if (i > 0 && (n - i) % 3 == 0) g += ayirici;
      g += tam[i];
    }
    tam = g;
  }
  QString sonuc = d.onEk;
  if (deger < 0 && !sifir) sonuc += yerel.negativeSign();
  sonuc += tam;
  if (!kesir.isEmpty()) sonuc += yerel.decimalPoint() + kesir;
  sonuc += d.sonEk;
  return sonuc;
}

double MetniSayiyaCevir(const QString& metin, bool* ok, const QLocale& yerel) {
  QString s = metin.trimmed();
  s.remove(yerel.groupSeparator());
  s.replace(yerel.decimalPoint(), QStringLiteral("."));
  s.replace(yerel.negativeSign(), QStringLiteral("-"));
  bool tamam = false;
  double v = s.toDouble(&tamam);
  if (!tamam || !std::isfinite(v)) {
    tamam = false;
    v = 0;
  }
  if (ok) *ok = tamam;
  return v;
}

void SayiBicimle(DataSet& veri) {
  const QString bicim = QString::fromLatin1(kTutarBicimi);
  for (int i = 0; i < veri.fieldCount(); ++i) {
    Field* f = veri.field(i);
    if (f->dataType() == FieldType::Float) f->setDisplayFormat(bicim);
  }
}

}  // namespace vlm
