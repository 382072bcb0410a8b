#include "tasyncresim.h"

#include "resimturu.h"

#include <QImage>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QPainter>

namespace vlm {

TAsyncResim::TAsyncResim(QWidget* AOwner)
    : QWidget(AOwner), FHTTPClient(new QNetworkAccessManager(this)) {
  setAttribute(Qt::WA_TranslucentBackground);
  setAutoFillBackground(false);
}

TAsyncResim::~TAsyncResim() {
  // A transfer in flight is stopped; its answer never reaches the control.
  if (yanit_) {
    yanit_->disconnect(this);
    yanit_->abort();
  }
}

void TAsyncResim::setUrl(const QString& url) {
  if (url == FUrl) return;
  FUrl = url;
  Basla();
}

void TAsyncResim::Basla() {
  if (FUrl.isEmpty()) return;
  QNetworkReply* yanit = FHTTPClient->get(QNetworkRequest(QUrl(FUrl)));
  yanit_ = yanit;
  connect(yanit, &QNetworkReply::downloadProgress, this, [yanit](qint64 okunan, qint64 toplam) {
    if (okunan > kEnBuyukResim || toplam > kEnBuyukResim) yanit->abort();
  });
  connect(yanit, &QNetworkReply::finished, this, [this, yanit] { Geldi(yanit); });
}

void TAsyncResim::Geldi(QNetworkReply* yanit) {
  yanit->deleteLater();
  if (yanit->error() != QNetworkReply::NoError) return;
  const QByteArray veri = yanit->readAll();
  if (veri.isEmpty()) return;
  const QString tur = QString::fromLatin1(yanit->rawHeader("Content-Type"));
  if (ResimAta(tur, veri)) update();
}

bool TAsyncResim::ResimAta(const QString& icerikTuru, const QByteArray& veri) {
  const QByteArray bicim = ResimBicimi(icerikTuru);
  if (bicim.isEmpty()) return false;
  QImage resim;
  if (!resim.loadFromData(veri, bicim.constData()) || resim.isNull()) return false;
  setResim(QPixmap::fromImage(resim));
  return true;
}

void TAsyncResim::setResim(const QPixmap& resim) {
  resim_ = resim;
  update();
  Q_EMIT resimDegisti();
}

void TAsyncResim::paintEvent(QPaintEvent*) {
  if (resim_.isNull()) return;
  QPainter p(this);
  p.setRenderHint(QPainter::SmoothPixmapTransform);
  const QSize boyut = resim_.size().scaled(size(), Qt::KeepAspectRatio);
  const QRect hedef(QPoint((width() - boyut.width()) / 2, (height() - boyut.height()) / 2), boyut);
  p.drawPixmap(hedef, resim_);
}

}  // namespace vlm
