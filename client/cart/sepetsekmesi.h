#pragma once
// The cart tab "Sepet": the grid of the server cart with its marks, the
// buttons that mark all or none, the overdue-balance warning, "Gönder" with
// the order confirmation, "Excel Kaydet", and the popup that changes or
// deletes lines. The totals of the marked lines live in labels that are
// never shown; the confirmation reads "Genel Toplam:" from them.
#include <QObject>
#include <memory>

class QAction;
class QGroupBox;
class QLabel;
class QMenu;
class QPushButton;

namespace vlm {

class DataSet;
class Grid;
class TForm1;
struct SepetSatiri;

class SepetSekmesi : public QObject {
  Q_OBJECT
 public:
  // Places the grid and the buttons on the form's cart tab and reloads the
  // cart each time the tab is shown.
  explicit SepetSekmesi(TForm1& form);
  ~SepetSekmesi() override;

  Grid* cxGrid2 = nullptr;
  QMenu* popsepet = nullptr;
  QAction* satirDegistir = nullptr;  // "Satır Değiştir"
  QAction* satirSil = nullptr;       // "Satır Sil"
  QAction* hepsiniSil = nullptr;     // "Hepsini Sil"
  QPushButton* Button4 = nullptr;    // "Hepsini Seç"
  QPushButton* Button5 = nullptr;    // "Seçimleri Kaldır"
  QLabel* lbluyarbakiye = nullptr;
  QPushButton* Button1 = nullptr;   // "Gönder"
  QPushButton* Button2 = nullptr;   // "Excel Kaydet"
  QGroupBox* mesajGrubu = nullptr;  // "Mesaj", never shown
  QLabel* aratoplaml = nullptr;     // "Toplam:"
  QLabel* indiriml = nullptr;       // "İndirim Toplam:"
  QLabel* nettutarl = nullptr;      // "Ara Toplam:"
  QLabel* vergil = nullptr;         // "Vergi:"
  QLabel* geneltoplaml = nullptr;   // "Genel Toplam:"

  // The tab became visible: the overdue check on its own thread and the
  // reload in the background, the grid detached and disabled meanwhile.
  void ssepetShow();
  // The five totals of the marked lines into their labels.
  void SepetToplamHesapla();
  // A double click on a row, or "Satır Değiştir": on the "Seç" column the
  // mark of the focused line turns round, on any other the line's change
  // flow opens.
  void cxGridDBTableView1DblClick();
  void Button4Click();  // "Hepsini Seç"
  void Button5Click();  // "Seçimleri Kaldır"
  void SatirSilClick();
  void HepsiniSilClick();
  void Button1Click();  // "Gönder"
  void Button2Click();  // "Excel Kaydet"
  // The width rule by the screen's width (or by the width given).
  void SutunGenislikleri();
  void SutunGenislikleri(int ekranGenisligi);
  // The customer-type rules of the columns.
  void MusteriTipineUyarla(int musteriTipi);
  // Starts the overdue-balance check on a thread of its own; its text goes
  // into lbluyarbakiye.
  void CariBakiyeUyariBak();

  // A background task of the tab (reload, marking all or none) is running.
  bool mesgul() const { return mesgul_; }
  // Overdue checks whose answer has not arrived yet.
  int bakiyeKontrolleri() const { return bakiyeKontrolleri_; }

 private:
  void sepetDegisti();
  void mesgulBasla();
  void mesgulBitir();
  void secimleriYaz(int secim);
  int odaktakiSirano() const;

  TForm1& form_;
  struct Izleyici;
  std::weak_ptr<Izleyici> izleyici_;
  int izleyiciNo_ = 0;
  bool mesgul_ = false;
  bool yuklemeSuruyor_ = false;
  bool bekleyenGosterim_ = false;
  bool beklemeImleci_ = false;
  int bakiyeKontrolleri_ = 0;
  int bakiyeSirasi_ = 0;
};

// ---- The main window's cart flows ------------------------------------------
// The change flow of a cart line, form.sepet on the line: the product dialog
// with the line's values; on OK the quantity and the price go to the server
// and the cart is reloaded. Installed as the lists' SatirDegistirAkisi.
void SatirDegistir(TForm1& form, int sirano);
// SepetGuncelle2 for the line with the dialog's quantity and price.
void SepetSatirGuncelle(TForm1& form, const SepetSatiri& satir, double miktar, double fiyat);
// SiparisKaydet with the confirmation's choices.
bool SiparisGonder(TForm1& form, int KN, int kt, const QString& aciklama, int td);

}  // namespace vlm
