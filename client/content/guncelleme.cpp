#include "guncelleme.h"

#include "istasyon.h"

#include <QDir>
#include <QFile>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QSaveFile>

namespace vlm {

QString GuncellemeNotu(int yayinlananSurum) {
  return QStringLiteral(
             "Velmora Otomotiv B2B Programının\r\nYeni versiyonu indirilecektir\r\nLütfen "
             "Bekleyiniz...!\r\nVersion: ") +
         QString::number(yayinlananSurum) + QLatin1Char('-') + QString::number(kProgramSurumu);
}

QString IlerlemeMetni(qint64 okunan, qint64 toplam, const QLocale& yerel) {
  if (toplam <= 0) return QString();
  const double yuzde = double(okunan) / double(toplam) * 100.0;
  const auto iki = [&yerel](double v) {
    QLocale l = yerel;
    l.setNumberOptions(QLocale::OmitGroupSeparator);
    return l.toString(v, 'f', 2);
  };
  return QStringLiteral("Bilgi: %") + iki(yuzde) + QStringLiteral("  İndirilen: ") +
         iki(okunan / 1024.0 / 1024.0) + QLatin1Char('/') + iki(toplam / 1024.0 / 1024.0) +
         QStringLiteral(" Mb");
}

QString KurulumDosyasi() {
  return YerelVeriKlasoru() + QDir::separator() + QStringLiteral("VLMSetup.exe");
}

KurulumIndirici::KurulumIndirici(QObject* parent)
    : QObject(parent), ag_(new QNetworkAccessManager(this)) {}

KurulumIndirici::~KurulumIndirici() {
  if (yanit_) {
    yanit_->disconnect(this);
    yanit_->abort();
  }
}

void KurulumIndirici::baslat(const QString& adres, const QString& hedef) {
  QNetworkRequest istek{QUrl(adres)};
  istek.setRawHeader("Accept",
                     "text/html,application/xhtml+xml,application/xml;q=0.9,image/webp,"
                     "image/apng,*/*;q=0.8");
  // Qt asks for "gzip, deflate" itself and then unpacks the body; setting
  // the header here would hand over the packed bytes.
  istek.setRawHeader("Accept-Language", "en-US,tr-TR;q=0.8,tr;q=0.6,en;q=0.4");
  istek.setRawHeader("User-Agent",
                     "Mozilla/5.0 (Windows NT 10.0; Win64; x64) AppleWebKit/537.36 (KHTML, like "
                     "Gecko) Chrome/60.0.3112.32 Safari/537.36");
  istek.setAttribute(QNetworkRequest::RedirectPolicyAttribute,
                     QNetworkRequest::NoLessSafeRedirectPolicy);
  istek.setAttribute(QNetworkRequest::CookieLoadControlAttribute, QNetworkRequest::Manual);
  istek.setAttribute(QNetworkRequest::CookieSaveControlAttribute, QNetworkRequest::Manual);
  istek.setTransferTimeout(60000);

  dosya_ = std::make_unique<QSaveFile>(hedef);
  yazmaHatasi_.clear();
  if (!dosya_->open(QIODevice::WriteOnly)) yazmaHatasi_ = dosya_->errorString();

  yanit_ = ag_->get(istek);
  // The total is the length the server reported; without one it is 0, even
  // where Qt reports the bytes received as the total at the end.
  connect(yanit_, &QNetworkReply::downloadProgress, this, [this](qint64 okunan, qint64) {
    if (!yanit_) return;
    const QVariant uzunluk = yanit_->header(QNetworkRequest::ContentLengthHeader);
    Q_EMIT ilerleme(okunan, uzunluk.isValid() ? uzunluk.toLongLong() : 0);
  });
  connect(yanit_, &QNetworkReply::readyRead, this, &KurulumIndirici::veriGeldi);
  connect(yanit_, &QNetworkReply::finished, this, &KurulumIndirici::tamamlandi);
}

void KurulumIndirici::veriGeldi() {
  const QByteArray parca = yanit_->readAll();
  if (yazmaHatasi_.isEmpty() && dosya_->write(parca) != parca.size())
    yazmaHatasi_ = dosya_->errorString();
}

void KurulumIndirici::tamamlandi() {
  QNetworkReply* y = yanit_;
  y->deleteLater();
  yanit_.clear();
  if (y->bytesAvailable() > 0 && yazmaHatasi_.isEmpty()) {
    const QByteArray parca = y->readAll();
    if (dosya_->write(parca) != parca.size()) yazmaHatasi_ = dosya_->errorString();
  }
  const int durum = y->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
  if (y->error() != QNetworkReply::NoError) {
    dosya_->cancelWriting();
    dosya_.reset();
    // An error status reads "... server replied: Not Found"; say the status plainly.
    QString metin = y->errorString();
    if (durum >= 400) {
      const QString neden = y->attribute(QNetworkRequest::HttpReasonPhraseAttribute).toString();
      metin = QString::number(durum) + (neden.isEmpty() ? QString() : QLatin1Char(' ') + neden);
    }
    Q_EMIT hata(metin);
    return;
  }
  if (durum != 0 && (durum < 200 || durum >= 300)) {
    dosya_->cancelWriting();
    dosya_.reset();
    const QString neden = y->attribute(QNetworkRequest::HttpReasonPhraseAttribute).toString();
    Q_EMIT hata(QString::number(durum) + (neden.isEmpty() ? QString() : QLatin1Char(' ') + neden));
    return;
  }
  if (yazmaHatasi_.isEmpty() && !dosya_->commit()) yazmaHatasi_ = dosya_->errorString();
  const QString hedef = dosya_->fileName();
  dosya_.reset();
  if (!yazmaHatasi_.isEmpty()) {
    Q_EMIT yazmaHatasi(yazmaHatasi_);
    return;
  }
  Q_EMIT bitti(hedef);
}

}  // namespace vlm
