#include "sekme.h"

namespace vlm {

void SekmeBasligiCoz(const QString& baslik, TSonuc& sonuc) {
  const qsizetype esit = baslik.indexOf(QLatin1Char('='));
  if (esit < 0) {
    sonuc.baslik = baslik;
    sonuc.sayi = 0;
    return;
  }
  sonuc.baslik = baslik.mid(esit + 1, 100);
  bool ok = false;
  const int sayi = baslik.left(esit).trimmed().toInt(&ok);
  sonuc.sayi = ok ? sayi : 0;
}

TSonuc SekmeBasligiCoz(const QString& baslik) {
  TSonuc s;
  SekmeBasligiCoz(baslik, s);
  return s;
}

QString SayacliBaslik(int sayi, const QString& baslik) {
  return QString::number(sayi) + QLatin1Char('=') + baslik;
}

}  // namespace vlm
