#include "yapilandirma.h"

#include <QUrl>

namespace vlm {

namespace {
QString deger(const char* ad, const char* varsayilan) {
  const QByteArray env = qgetenv(ad);
  return env.isEmpty() ? QString::fromUtf8(varsayilan) : QString::fromUtf8(env);
}
}  // namespace

QString SunucuHost() {
  return deger("VLM_SUNUCU_HOST", VLM_DEFAULT_SUNUCU_HOST);
}
QString YerelSunucu() {
  return deger("VLM_YEREL_SUNUCU", VLM_DEFAULT_YEREL_SUNUCU);
}
QString WebHost() {
  const QString h = qEnvironmentVariable("VLM_WEB_HOST", QStringLiteral(VLM_DEFAULT_WEB_HOST));
  return h.isEmpty() ? SunucuHost() : h;
}
QString YerelWebHost() {
  const QString h =
      qEnvironmentVariable("VLM_YEREL_WEB_HOST", QStringLiteral(VLM_DEFAULT_YEREL_WEB_HOST));
  return h.isEmpty() ? YerelSunucu() : h;
}
QString FirmaDisIp() {
  return deger("VLM_FIRMA_DIS_IP", VLM_DEFAULT_FIRMA_DIS_IP);
}
QString IpEchoAdresi() {
  return deger("VLM_IPECHO_URL", VLM_DEFAULT_IPECHO_URL);
}
QString WebSitesiAdresi() {
  return deger("VLM_WEB_ADRESI", VLM_DEFAULT_WEB_ADRESI);
}
QString IletisimMetni() {
  return deger("VLM_ILETISIM", VLM_DEFAULT_ILETISIM).replace(QLatin1Char('|'), QLatin1Char('\n'));
}
QString KurulumAdresi() {
  return deger("VLM_KURULUM_URL", VLM_DEFAULT_KURULUM_URL);
}
int SunucuPortu() {
  bool ok = false;
  const int p = deger("VLM_SUNUCU_PORT", VLM_DEFAULT_SUNUCU_PORT).toInt(&ok);
  return ok && p > 0 && p < 65536 ? p : 9090;
}

QString AdresinHostu(const QString& adres) {
  const QUrl url = QUrl::fromUserInput(adres);
  return url.host().isEmpty() ? adres : url.host();
}

}  // namespace vlm
