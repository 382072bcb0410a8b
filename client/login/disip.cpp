#include "disip.h"

#include "seams.h"
#include "yapilandirma.h"

#include <httplib.h>
#include <QUrl>

namespace vlm {

namespace {
// An echo answer is a few bytes; anything longer is not one.
constexpr std::size_t kEnCokYanit = 256;
}  // namespace

bool Ipv4Mu(const QString& metin) {
  const QStringList parcalar = metin.split(QLatin1Char('.'));
  if (parcalar.size() != 4) return false;
  for (const QString& p : parcalar) {
    if (p.isEmpty() || p.size() > 3) return false;
    for (QChar c : p)
      if (c < '0' || c > '9') return false;
    if (p.toInt() > 255) return false;
  }
  return true;
}

QString DisIpDene(const QString& adres, QString* hata) {
  const QUrl url(adres);
  if (!url.isValid() || url.scheme() != QLatin1String("http") || url.host().isEmpty()) {
    if (hata) *hata = QStringLiteral("Geçersiz adres: ") + adres;
    return QString();
  }
  httplib::Client istemci(url.host().toStdString(), url.port(80));
  istemci.set_connection_timeout(15, 0);
  istemci.set_read_timeout(1, 500000);
  istemci.set_follow_location(true);
  std::string govde;
  bool cokUzun = false;
  QString yol = url.path(QUrl::FullyEncoded);
  if (yol.isEmpty()) yol = QStringLiteral("/");
  if (url.hasQuery()) yol += QLatin1Char('?') + url.query(QUrl::FullyEncoded);
  const auto sonuc = istemci.Get(yol.toStdString(), [&](const char* veri, std::size_t n) {
    govde.append(veri, n);
    cokUzun = govde.size() > kEnCokYanit;
    return !cokUzun;
  });
  if (cokUzun) {
    if (hata) *hata = QStringLiteral("Yanıt bir adres değil");
    return QString();
  }
  if (!sonuc) {
    if (hata) *hata = QString::fromStdString(httplib::to_string(sonuc.error()));
    return QString();
  }
  if (sonuc->status < 200 || sonuc->status >= 300) {
    if (hata) *hata = QStringLiteral("HTTP %1").arg(sonuc->status);
    return QString();
  }
  const QString ip = QString::fromUtf8(govde.data(), qsizetype(govde.size())).trimmed();
  if (!Ipv4Mu(ip)) {
    if (hata) *hata = QStringLiteral("Yanıt bir adres değil");
    return QString();
  }
  return ip;
}

QString DisIpVer(const std::atomic<bool>* iptal) {
  for (;;) {
    if (iptal && *iptal) return QString();
    const QString ip = DisIpDene(IpEchoAdresi());
    if (!ip.isEmpty()) return ip;
    Bekle(1000);
  }
}

}  // namespace vlm
