#pragma once
// A picture control that fetches its picture from a web address in the
// background and shows it when it has arrived; proportional, centred and
// transparent over whatever lies behind it.
#include <QPixmap>
#include <QPointer>
#include <QWidget>

class QNetworkAccessManager;
class QNetworkReply;

namespace vlm {

class TAsyncResim : public QWidget {
  Q_OBJECT
 public:
  explicit TAsyncResim(QWidget* AOwner = nullptr);
  ~TAsyncResim() override;

  const QString& Url() const { return FUrl; }
  // A different value starts a download; the same value again does nothing;
  // the empty text starts nothing.
  void setUrl(const QString& url);

  const QPixmap& resim() const { return resim_; }
  void setResim(const QPixmap& resim);

  // Sets the picture from downloaded bytes; false when the type is not one
  // of the four or the bytes do not decode (the old picture stays).
  bool ResimAta(const QString& icerikTuru, const QByteArray& veri);

  // Answers larger than this are dropped while they arrive.
  static constexpr qint64 kEnBuyukResim = 16 * 1024 * 1024;

 Q_SIGNALS:
  void resimDegisti();

 protected:
  void paintEvent(QPaintEvent*) override;

 private:
  void Basla();
  void Geldi(QNetworkReply* yanit);

  QString FUrl;
  QNetworkAccessManager* FHTTPClient;
  QPointer<QNetworkReply> yanit_;
  QPixmap resim_;
};

}  // namespace vlm
