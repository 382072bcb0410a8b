#pragma once
// Downloading the installer of a new program version.
#include <QLocale>
#include <QObject>
#include <QPointer>
#include <QString>
#include <memory>

class QNetworkAccessManager;
class QNetworkReply;
class QSaveFile;

namespace vlm {

// This client's own version; the server publishes the current one.
inline constexpr int kProgramSurumu = 2;

// The notice of the update window for the published version.
QString GuncellemeNotu(int yayinlananSurum);

// "Bilgi: %50,00  İndirilen: 1,50/3,00 Mb" for 1.5 of 3 MiB; empty when the
// total length is not above 0 (nothing is shown then).
QString IlerlemeMetni(qint64 okunan, qint64 toplam, const QLocale& yerel = QLocale());

// The installer's place: the local application-data folder and "VLMSetup.exe".
QString KurulumDosyasi();

// One download of the installer: a GET with the browser-like headers of the
// program, redirects followed, no cookies kept, 60 s timeouts. The body is
// written to the target file as it arrives and kept only when the whole
// transfer succeeded with a success status.
class KurulumIndirici : public QObject {
  Q_OBJECT
 public:
  explicit KurulumIndirici(QObject* parent = nullptr);
  ~KurulumIndirici() override;

  // Starts the download of adres into hedef. Returns at once.
  void baslat(const QString& adres, const QString& hedef);
  bool calisiyor() const { return !yanit_.isNull(); }

 Q_SIGNALS:
  void ilerleme(qint64 okunan, qint64 toplam);
  // The file is in place.
  void bitti(const QString& hedef);
  // The transfer failed (network, timeout, an error status); nothing was kept.
  void hata(const QString& metin);
  // The file could not be written.
  void yazmaHatasi(const QString& metin);

 private:
  void veriGeldi();
  void tamamlandi();

  QNetworkAccessManager* ag_;
  QPointer<QNetworkReply> yanit_;
  std::unique_ptr<QSaveFile> dosya_;
  QString yazmaHatasi_;
};

}  // namespace vlm
