#pragma once
// The program's main window: header, search panel, tabs, status legend and
// the scrolling text at the bottom.
#include "records.h"

#include <QWidget>
#include <functional>
#include <memory>
#include <utility>
#include <vector>

class QAction;
class QLabel;
class QLineEdit;
class QMenu;
class QPushButton;
class QTabWidget;
class QToolButton;

namespace vlm {

class BusyIndicator;
class BuyukHarfKutusu;
class Connection;
class Marquee;

class TForm1 : public QWidget {
  Q_OBJECT
 public:
  explicit TForm1(QWidget* parent = nullptr);
  ~TForm1() override;

  // The start-up sequence: caption, login, customer-type adaptation and the
  // start-up background task. The process ends inside it when the login fails.
  void FormCreate();
  void GirisYap();
  // Fills the three header labels; from any thread, done on the UI thread.
  void AnaBilgiAl();
  // Applies the customer type's rules to tabs, columns and menu entries.
  void MusteriTipineUyarla(int musteriTipi);
  // "Çıkış": asks the window to close.
  void G1Click();
  void WebSitesiClick();

  // The login window, run modally by GirisYap; returns true when it closed
  // with OK and the login record is filled. Installed by the login module;
  // without one the window opens with an empty login record.
  using GirisPenceresi = std::function<bool(TForm1&)>;
  static void setGirisPenceresi(GirisPenceresi giris);

  // A step of the start-up background task, run on its worker thread. The
  // steps run in this order, each finishing before the next: AnaBilgiAl,
  // KayanYaziAl, BannerREsimAl, BannerREsimAlUst, BannerREsimAlAlt,
  // AcilisReklamAdetAl, BalonYaz. A module installs the step it owns.
  using BaslangicAdimi = std::function<void(TForm1&)>;
  static void baslangicAdimiEkle(const QString& ad, BaslangicAdimi adim);
  static const QStringList& baslangicAdimSirasi();
  // Runs when the start-up task has ended, on the UI thread.
  void AcilisReklamGoster();
  bool baslangicBitti() const { return baslangicBitti_; }

  // State of the window.
  std::unique_ptr<Connection> bagc;       // the main connection; tasks work on clones
  std::unique_ptr<TSonucBilgisi> sbilgi;  // the login record, for the whole run
  int _acilisadet = 0;
  bool _acilisgoruldu = false;

  // Controls, by their names.
  QWidget* Panel1 = nullptr;
  QLabel* Image1 = nullptr;
  QWidget* GridPanel1 = nullptr;
  QLabel* kullanicilbl = nullptr;
  QLabel* cariadilbl = nullptr;
  QLabel* saticilbl = nullptr;
  QToolButton* Button3 = nullptr;
  QMenu* Genelmenu = nullptr;
  QAction* M1 = nullptr;
  QAction* N4 = nullptr;
  QAction* webSitesi = nullptr;
  QAction* G1 = nullptr;
  QAction* R1 = nullptr;
  QLabel* RxGIFAnimator1 = nullptr;
  QLabel* RxGIFAnimator2 = nullptr;
  QWidget* Panel2 = nullptr;
  BuyukHarfKutusu* araedit = nullptr;
  QToolButton* SpeedButton2 = nullptr;
  QToolButton* SpeedButton1 = nullptr;
  QPushButton* musteritus = nullptr;
  BusyIndicator* gifstokara = nullptr;
  BusyIndicator* gifyeniler = nullptr;
  BusyIndicator* gifkampanyali = nullptr;
  BusyIndicator* gifduyuru = nullptr;
  BusyIndicator* gifoncekiler = nullptr;
  BusyIndicator* gifsepet = nullptr;
  BusyIndicator* gifekstre = nullptr;
  QTabWidget* sPageControl1 = nullptr;
  QWidget* sstoklistesi = nullptr;
  QWidget* ssepet = nullptr;
  QWidget* sonceki = nullptr;
  QWidget* sccariekstre = nullptr;
  QWidget* syeniler = nullptr;
  QWidget* skampanyali = nullptr;
  QWidget* sTabSheetduyuru = nullptr;
  QWidget* sTabbakiyeler = nullptr;
  QWidget* Panel3 = nullptr;
  QWidget* Panel5 = nullptr;
  Marquee* kayanyazi = nullptr;

  // The caption of a tab page, and writing it (from any thread).
  QString sekmeBasligi(QWidget* sayfa) const;
  void sekmeBasligiYaz(QWidget* sayfa, const QString& baslik);

 Q_SIGNALS:
  // After the customer-type rules of the frame: each list applies its own.
  void musteriTipiUyarlandi(int musteriTipi);

protected:
  void closeEvent(QCloseEvent* e) override;  // FormCloseQuery

 private:
  void kur();
  QWidget* baslikPaneliKur();
  QWidget* aramaPaneliKur();
  QWidget* sekmeleriKur();
  QWidget* lejantKur();
  QWidget* altSeritKur();
  void BaslangicGoreviBaslat();

  bool baslangicBitti_ = false;
};

}  // namespace vlm
