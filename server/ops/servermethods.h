#pragma once
// TServerMethods1: the server's operations with their business rules. Each
// method has the parameters of its operation in order; table results come
// back as datasets (sent as data packet or table reader by the caller),
// records as records, streams as bytes. Errors are vlm::Error with a text
// for the user. The methods only call the storage interface.
#include <QByteArray>
#include <QDate>
#include <QString>
#include <functional>
#include <memory>

#include "dataset.h"
#include "records.h"
#include "store/store.h"

namespace vlm::server {

// One generic step from a storage result table to the wire's dataset:
// integers as Integer, amounts as Float, texts as String or Memo, dates as
// Date or DateTime, each column under its own name.
std::unique_ptr<DataSet> toDataSet(const Table& table);

// The caller behind a login record, as the database knows it.
struct Caller {
  Login login;
  int accountId = 0;  // the account the caller works for now
  Scope scope;        // the accounts the caller may work for
};

class TServerMethods1 {
 public:
  struct Options {
    // The day the overdue check counts from; the current date when empty.
    std::function<QDate()> today;
    // Most rows a product search returns.
    int searchLimit = 5000;
  };
  explicit TServerMethods1(Store& store);
  TServerMethods1(Store& store, Options options);

  using Tablo = std::unique_ptr<DataSet>;

  // Login
  std::unique_ptr<TSonucBilgisi> BuyukGetir(const QString& idsi);
  // Catalogue
  Tablo StokAraGetir(const QString& kod, const TSonucBilgisi* bilgi);
  Tablo YenilerVer2(int carino);
  Tablo KampanyaliVer2(int cario, int satici);
  // Cart and ordering
  Tablo SepetVer2(int carino);
  int SepetEkle2(const TSonucBilgisi* bilgim, int carino, int stokno, const QString& barkod,
                 const QString& stokadi, double miktar, double kdv, double fiyat, double ind1,
                 int verenid, int k, double ind2, double ind3, double ind4);
  int SepetGuncelle2(const TSonucBilgisi* bilgim, int carino, int stokno, const QString& barkod,
                     const QString& stokadi, double miktar, double kdv, double fiyat, double ind1,
                     int verenid, int _sepetsirano, double ind2, double ind3, double ind4);
  int SepetSatirSil(const TSonucBilgisi* bilgi, int satirno, const QString& aciklamam);
  int SepetHepsiniSil(const TSonucBilgisi* bilgi);
  void SepetSecimGuncelle(int sirano, int secim);
  QString CariVadeGunGecmismiBul(int carino);
  Tablo TeslimVer();
  Tablo KargoVer();
  Tablo KargolarVer(int gn);
  bool SiparisKaydet(const TSonucBilgisi* BB, int _carino, int _teslim, int _kargo,
                     const QString& _aciklama, int _verenid, int _kargoyeni);
  Tablo BakiyelerVer2(int carino);
  int BakiyeDuzenle(const TSonucBilgisi* k, int stokno, int sepetsirano, int siparissirano,
                    double Adet, double Bakiye, const QString& barkod);
  int BakiyeDegistir(const TSonucBilgisi* k, int stokno, int sepetsirano, int siparissirano,
                     double Adet, double Bakiye, const QString& barkod);
  int BakiyeFiyatDegistir(const TSonucBilgisi* k, int stokno, int sepetsirano, int siparissirano,
                          double Adet, double Bakiye, const QString& barkod, double fiyat,
                          double ind);
  std::unique_ptr<TSiparisDipAyrinti> SiparisAytintisiDip(int carino, int siranosu);
  Tablo TumSiparislerVer(int carino, int stokno);
  Tablo StokHareketVer(int carino, int stokno);
  QByteArray ResimVer5(int stokno);
  // Account and documents
  Tablo OncekiSiparisler(int carino);
  Tablo SiparisAyrintisi2(int carino, int idnosu);
  Tablo CariEkstreVer(int carino);
  Tablo FaturaGetir(int carino, int idnosu);
  Tablo FaturaAltGetir(int idnosu);
  Tablo Tahsilat(int idnosu);
  int SanalposSiranoVer(int idnosu);
  QByteArray SAnalPosPdfVer(int sirano);
  Tablo RaporAlinanSiparisler(const TSonucBilgisi* bilgi, double tarih1, double tarih2);
  Tablo RaporEnCokSatilanStoklar(const TSonucBilgisi* bilgi, double tarih1, double tarih2);
  // Sales representative desk
  Tablo CariAra(const TSonucBilgisi* bil, const QString& aranan);
  Tablo CariSepetVer(const TSonucBilgisi* bil, int n);
  int SepetSayisi(const TSonucBilgisi* bil);
  std::unique_ptr<TTusSonuclari> TusSonuclariVer(const TSonucBilgisi* bil);
  QByteArray RaporGetir(int raporno, int bolum, int idno, int carino, const QString& saticiadi,
                        double tarih1, double tarih2);
  // Content and notifications
  Tablo BalonGetir(const TSonucBilgisi* bil);
  QString KayanYaziGetir();
  QByteArray BannerResimVer();
  QByteArray BannerResimVer2();
  QByteArray BannerResimVer3();
  int AcilisReklamAdet();
  std::unique_ptr<TAcilisEkran> AcilisREklamVer(int sira);
  std::unique_ptr<TAcilisEkranlariki> AcilisEkranlarVer2();
  // Requests and mail
  std::unique_ptr<TMobilCariBilgisi> MobilCariBilgisiGetir(int sirano, const QString& _idsi);
  int MailGonserCari(const QString& idsi, const QString& baslik, const QString& firmaadi,
                     const QString& adres1, const QString& adres2, const QString& ilce,
                     const QString& sehir, const QString& telefon, const QString& fax,
                     const QString& vd, const QString& vn, const QString& yetkili,
                     const QString& kullaniciadi, const QString& sifre, const QString& mail,
                     const QString& kargoambar);
  int MailGonserCariNormal(const QString& idsi, const QString& baslik, const QString& firmaadi,
                           const QString& adres1, const QString& adres2, const QString& ilce,
                           const QString& sehir, const QString& telefon, const QString& fax,
                           const QString& vd, const QString& vn, const QString& yetkili,
                           const QString& kullaniciadi, const QString& sifre, const QString& mail,
                           const QString& kargoambar, const QString& konu);

  // The caller of a login record: its user must exist, be active and have
  // the record's name and password. Raises vlm::Error otherwise.
  Caller caller(const TSonucBilgisi* record);

 private:
  QDate today() const;
  // The account `carino` when the caller may work for it, else 0.
  int accountFor(const Caller& c, int carino);
  Tablo products(Table t, int accountId, int customerType, bool campaignList);
  int changeBalance(const TSonucBilgisi* k, int siparissirano, double newBalance);
  // A request or mail into the outbox; 1 when stored.
  int request(const QString& kind, const QString& idsi, const QString& baslik, const QString& body);

  Store& store_;
  Options options_;
};

}  // namespace vlm::server
