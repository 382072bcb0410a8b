#pragma once
// The login window: finds the public address, chooses the server, fetches
// the login record bound to this workstation and checks the typed name and
// password against it.
#include <QDialog>
#include <atomic>
#include <functional>
#include <memory>

class QCheckBox;
class QLabel;
class QPushButton;

namespace vlm {

class BusyIndicator;
class BuyukHarfKutusu;
class Connection;
class TSonucBilgisi;

class Tgirisform : public QDialog {
  Q_OBJECT
 public:
  explicit Tgirisform(QWidget* owner = nullptr);
  ~Tgirisform() override;

  // Given by the caller before the window is shown.
  Connection* bagim = nullptr;
  TSonucBilgisi* Bilgim = nullptr;
  QString idsi;  // the workstation identity

  QLabel* Label1 = nullptr;  // the distributor's contact text
  QCheckBox* benihatirla = nullptr;
  BuyukHarfKutusu* adi = nullptr;
  BuyukHarfKutusu* sifre = nullptr;
  QPushButton* Button1 = nullptr;  // "Giriş"
  QPushButton* Button2 = nullptr;  // "Vazgeç"
  BusyIndicator* RxGIFAnimator1 = nullptr;

  void AyarOku();
  void AyarKaydet();
  void Button1Click();
  void Button2Click();
  void Devamet(const QString& disip);
  bool BilgiGetir();
  void GuncellemeIndir();
  void IstekFormuGoster(const QString& webAdresi);
  bool CariSec();

  // The customer selection of a sales representative; returns true when it
  // closed with OK. Installed by the sales module.
  using CariSecici = std::function<bool(Tgirisform&)>;
  static void setCariSecici(CariSecici secici);

  // True while a login attempt runs (the first or the second phase).
  bool calisiyor() const { return calisiyor_; }

 protected:
  bool eventFilter(QObject* nesne, QEvent* olay) override;
  void paintEvent(QPaintEvent* e) override;

 private:
  bool adiKeyDown();
  bool sifreKeyDown();
  void hataylaDon(const QString& metin, int tur);

  std::shared_ptr<std::atomic<bool>> iptal_;
  bool calisiyor_ = false;
};

// Runs the login for the main window: the window modally on the connection
// and the login record. True when it closed with OK.
bool GirisPenceresiniCalistir(QWidget* sahip, Connection* baglanti, TSonucBilgisi* bilgi);

}  // namespace vlm
