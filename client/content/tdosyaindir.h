#pragma once
// The update window: downloads the installer of the new version, starts it
// and ends the program.
#include <QDialog>

class QLabel;
class QProgressBar;

namespace vlm {

class Connection;
class KurulumIndirici;

class Tdosyaindir : public QDialog {
  Q_OBJECT
 public:
  // _y: the version the server published.
  static Tdosyaindir* Yeni(QWidget* AOwner, int _y);
  Tdosyaindir(QWidget* AOwner, int _y);

  bool basladi = false;
  Connection* bag = nullptr;  // the main connection, handed over; the download does not use it
  QLabel* sLabel1 = nullptr;
  QWidget* Panel1 = nullptr;
  QLabel* bilgi = nullptr;
  QProgressBar* ProgressBar1 = nullptr;

  // Starts the download the first time only.
  void FormActivate();
  void KurulumIndir();
  void KurulumCalistir(const QString& yol);
  void NetHTTPClient1ReceiveData(qint64 AContentLength, qint64 AReadCount);
  void NetHTTPClient1RequestError(const QString& AError);

 protected:
  bool event(QEvent* e) override;

 private:
  KurulumIndirici* indirici_;
};

}  // namespace vlm
