#pragma once
// The stock list: the search box's behaviour, the background search and the
// grid of the tab "Stok Listesi".
#include <QObject>
#include <memory>

class QMenu;
class QAction;

namespace vlm {

class DataSet;
class Grid;
class TForm1;

class StokListesi : public QObject {
  Q_OBJECT
 public:
  // Places the grid on the form's stock-list tab and takes over the search
  // box and the "Ara" and "Temizle" buttons.
  explicit StokListesi(TForm1& form);
  ~StokListesi() override;

  DataSet& stok() { return *stok_; }
  Grid* cxGrid1 = nullptr;
  QMenu* popstok = nullptr;
  QAction* sepeteEkle = nullptr;
  QAction* siparisleriGoster = nullptr;
  QAction* stokHareketleri = nullptr;
  QAction* siparisBakiyeleriniz = nullptr;

  // Enter in the search box (also "Ara").
  void Ara();
  void SpeedButton2Click();  // "Ara"
  void SpeedButton1Click();  // "Temizle"
  void StokSutunGenislikleri();
  bool aramaSuruyor() const { return suruyor_; }
  // The customer-type rules of the list's columns.
  void MusteriTipineUyarla(int musteriTipi);

  // The flows a row leads to; installed by the modules that own them.
  std::function<void(StokListesi&)> sepeteEkleAkisi;
  std::function<void(int stokno)> siparislerAkisi;
  std::function<void(int stokno)> hareketlerAkisi;

 protected:
  bool eventFilter(QObject* nesne, QEvent* olay) override;

 private:
  void sonuclandir(bool hata);
  void cxGrid1DBTableView1DblClick();
  int odaktakiStokNo() const;

  TForm1& form_;
  std::unique_ptr<DataSet> stok_;
  bool suruyor_ = false;
};

}  // namespace vlm
