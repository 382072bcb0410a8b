#include "adresler.h"

#include "yapilandirma.h"

#include <QMutex>
#include <QMutexLocker>

namespace vlm {

namespace {
struct Adresler {
  QString sunucu, resim, web;
};
QMutex g_kilit;
bool g_kuruldu = false;
Adresler g_adresler;

Adresler takim(bool yerel) {
  const QString sunucu = yerel ? YerelSunucu() : SunucuHost();
  const QString web = yerel ? YerelWebHost() : WebHost();
  return {sunucu, QStringLiteral("http://") + web + QStringLiteral("/resimgoster.ashx?id="),
          QStringLiteral("http://") + web + QLatin1Char('/')};
}

Adresler oku() {
  QMutexLocker kilit(&g_kilit);
  if (!g_kuruldu) {
    g_adresler = takim(false);
    g_kuruldu = true;
  }
  return g_adresler;
}
}  // namespace

QString SunucuAdresi() {
  return oku().sunucu;
}
QString ResimAdresi() {
  return oku().resim;
}
QString WebAdresi() {
  return oku().web;
}

void AdresleriAyarla(bool yerelAg) {
  const Adresler a = takim(yerelAg);
  QMutexLocker kilit(&g_kilit);
  g_adresler = a;
  g_kuruldu = true;
}

bool FirmaAgindaMi(const QString& disIp) {
  return disIp == FirmaDisIp();
}

}  // namespace vlm
