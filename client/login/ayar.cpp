#include "ayar.h"

#include <QFile>
#include <QSaveFile>

#include "inidocument.h"
#include "istasyon.h"

namespace vlm {

namespace {

const QString kBolum = QStringLiteral("kullanici");
const QString kIsim = QStringLiteral("isim");
const QString kSifre = QStringLiteral("sifre");
const QString kHatirla = QStringLiteral("hatırla");

// A settings file is a few lines; whatever lies beyond this is not read.
constexpr qint64 kOkumaSiniri = 1 << 20;

IniDocument DosyaOku(const QString& yol) {
  if (yol.isEmpty()) return {};
  QFile dosya(yol);
  if (!dosya.open(QIODevice::ReadOnly)) return {};
  return IniDocument::fromBytes(dosya.read(kOkumaSiniri));
}

}  // namespace

QString AyarDosyasi() {
  const QString klasor = AyarKlasoru();
  return klasor.isEmpty() ? QString() : klasor + QStringLiteral("/ayar.ini");
}

Ayarlar AyarOkuDosya(const QString& yol) {
  const IniDocument ini = DosyaOku(yol);
  Ayarlar ayarlar;
  ayarlar.isim = ini.value(kBolum, kIsim).value_or(QString());
  ayarlar.sifre = ini.value(kBolum, kSifre).value_or(QString());
  bool sayi = false;
  const int hatirla = ini.value(kBolum, kHatirla).value_or(QString()).toInt(&sayi);
  ayarlar.hatirla = !sayi || hatirla != 0;
  return ayarlar;
}

bool AyarYazDosya(const QString& yol, const Ayarlar& ayarlar) {
  if (yol.isEmpty()) return false;
  IniDocument ini = DosyaOku(yol);
  ini.setValue(kBolum, kIsim, ayarlar.isim);
  ini.setValue(kBolum, kSifre, ayarlar.sifre);
  ini.setValue(kBolum, kHatirla, ayarlar.hatirla ? QStringLiteral("1") : QStringLiteral("0"));

  // The file holds a password: the new copy is its owner's alone from the
  // start, and takes the old one's place only when it is complete.
  QSaveFile dosya(yol);
  if (!dosya.open(QIODevice::WriteOnly)) return false;
  if (!dosya.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner)) {
    dosya.cancelWriting();
    return false;
  }
  const QByteArray icerik = ini.toUtf8();
  if (dosya.write(icerik) != icerik.size()) {
    dosya.cancelWriting();
    return false;
  }
  return dosya.commit();
}

}  // namespace vlm
