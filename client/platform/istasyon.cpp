#include "istasyon.h"

#include <QDir>

#include "kurallar.h"

#ifdef _WIN32
#include "istasyon_win.h"
#else
#include <QStandardPaths>

#include "istasyon_linux.h"
#endif

namespace vlm {

#ifdef _WIN32

QString BilgisayarAdiVer() {
  return QString::fromStdWString(win::BilgisayarAdi());
}
QString KullaniciAdiVer() {
  return QString::fromStdWString(win::KullaniciAdi());
}
QString IcIpVer() {
  return QString::fromStdString(win::IcIp());
}
QString MacAdresiVer() {
  return QString::fromStdString(win::MacAdresi());
}

static std::string DiskSeriNoHam() {
  return win::DiskSeriNo();
}

static QString BilinenKlasor(win::BilinenKlasor klasor) {
  return QDir::fromNativeSeparators(QString::fromStdWString(win::KlasorYolu(klasor)));
}
QString AyarKlasoru() {
  return KlasorHazirla(BilinenKlasor(win::BilinenKlasor::DolasanUygulamaVerisi),
                       QStringLiteral("vadava"));
}
QString YerelVeriKlasoru() {
  return KlasorHazirla(BilinenKlasor(win::BilinenKlasor::YerelUygulamaVerisi));
}
QString BelgelerKlasoru() {
  return KlasorHazirla(BilinenKlasor(win::BilinenKlasor::Belgeler));
}

#else

QString BilgisayarAdiVer() {
  return lnx::BilgisayarAdi();
}
QString KullaniciAdiVer() {
  return lnx::KullaniciAdi();
}
QString IcIpVer() {
  return lnx::IcIp();
}
QString MacAdresiVer() {
  return lnx::MacAdresi();
}

static std::string DiskSeriNoHam() {
  return lnx::DiskSeriNo().toStdString();
}

QString AyarKlasoru() {
  return KlasorHazirla(QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation),
                       QStringLiteral("vadava"));
}
QString YerelVeriKlasoru() {
  return KlasorHazirla(QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation));
}
QString BelgelerKlasoru() {
  return KlasorHazirla(QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation));
}

#endif

QString DiskSeriNoVer() {
  try {
    return QString::fromStdString(DiskSeriNoHam());
  } catch (...) {
    return {};
  }
}

QString BilgisayarIdVer() {
  return QString::fromStdString(
      BilgisayarIdOlustur(DiskSeriNoHam, [] { return MacAdresiVer().toStdString(); }));
}

QString KlasorHazirla(const QString& taban, const QString& alt) {
  if (taban.isEmpty()) return {};
  QString yol = QDir::cleanPath(alt.isEmpty() ? taban : taban + QLatin1Char('/') + alt);
  QDir().mkpath(yol);
  return yol;
}

}  // namespace vlm
