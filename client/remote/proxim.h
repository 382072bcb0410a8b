#pragma once
// The operation proxy: one method per server operation of TServerMethods1,
// with the operation's parameters in order, output parameters by reference,
// and its result.
//
// Ownership: a record passed in is consumed by the call (pass a fresh copy
// made with Kopyala); a record, table reader or stream that a method
// returns belongs to the proxy and lives until the same operation is called
// again through this proxy or the proxy is destroyed. A data packet is a
// value of its own. Every failure (the server's error, a broken connection,
// a reply or record the client cannot read) raises vlm::Error.
#include <QByteArray>
#include <QIODevice>
#include <QString>
#include <array>
#include <memory>

#include "command.h"
#include "operations.h"
#include "records.h"
#include "tablereader.h"

namespace vlm {

class Connection;

class TServerMethods1Client {
 public:
  // Refuses a missing or closed connection with "Connection cannot be nil.
  // Make sure the connection has been opened."
  explicit TServerMethods1Client(Connection* connection);
  ~TServerMethods1Client();
  TServerMethods1Client(const TServerMethods1Client&) = delete;
  TServerMethods1Client& operator=(const TServerMethods1Client&) = delete;

  bool instanceOwner() const { return true; }

  TSonucBilgisi* BuyukGetir(const QString& idsi);
  QByteArray StokAraGetir(const QString& kod, std::unique_ptr<TSonucBilgisi> bilgi);
  QByteArray YenilerVer2(qint32 carino);
  QByteArray KampanyaliVer2(qint32 cario, qint32 satici);
  QByteArray SepetVer2(qint32 carino);
  qint32 SepetEkle2(std::unique_ptr<TSonucBilgisi> bilgim, qint32 carino, qint32 stokno,
                    const QString& barkod, const QString& stokadi, double miktar, double kdv,
                    double fiyat, double ind1, qint32 verenid, qint32 k, double ind2, double ind3,
                    double ind4);
  qint32 SepetGuncelle2(std::unique_ptr<TSonucBilgisi> bilgim, qint32 carino, qint32 stokno,
                        const QString& barkod, const QString& stokadi, double miktar, double kdv,
                        double fiyat, double ind1, qint32 verenid, qint32 _sepetsirano, double ind2,
                        double ind3, double ind4);
  qint32 SepetSatirSil(std::unique_ptr<TSonucBilgisi> bilgi, qint32 satirno,
                       const QString& aciklamam);
  qint32 SepetHepsiniSil(std::unique_ptr<TSonucBilgisi> bilgi);
  void SepetSecimGuncelle(qint32 sirano, qint32 secim);
  QString CariVadeGunGecmismiBul(qint32 carino);
  TableReader* TeslimVer();
  TableReader* KargoVer();
  TableReader* KargolarVer(qint32 gn);
  bool SiparisKaydet(std::unique_ptr<TSonucBilgisi> BB, qint32 _carino, qint32 _teslim,
                     qint32 _kargo, const QString& _aciklama, qint32 _verenid, qint32 _kargoyeni);
  TableReader* BakiyelerVer2(qint32 carino);
  qint32 BakiyeDuzenle(std::unique_ptr<TSonucBilgisi> k, qint32 stokno, qint32 sepetsirano,
                       qint32 siparissirano, double Adet, double Bakiye, const QString& barkod);
  qint32 BakiyeDegistir(std::unique_ptr<TSonucBilgisi> k, qint32 stokno, qint32 sepetsirano,
                        qint32 siparissirano, double Adet, double Bakiye, const QString& barkod);
  qint32 BakiyeFiyatDegistir(std::unique_ptr<TSonucBilgisi> k, qint32 stokno, qint32 sepetsirano,
                             qint32 siparissirano, double Adet, double Bakiye,
                             const QString& barkod, double fiyat, double ind);
  TSiparisDipAyrinti* SiparisAytintisiDip(qint32 carino, qint32 siranosu);
  TableReader* TumSiparislerVer(qint32 carino, qint32 stokno);
  QByteArray StokHareketVer(qint32 carino, qint32 stokno);
  QIODevice* ResimVer5(qint32 stokno, qint64& boy);
  TableReader* OncekiSiparisler(qint32 carino);
  TableReader* SiparisAyrintisi2(qint32 carino, qint32 idnosu);
  TableReader* CariEkstreVer(qint32 carino);
  TableReader* FaturaGetir(qint32 carino, qint32 idnosu);
  TableReader* FaturaAltGetir(qint32 idnosu);
  TableReader* Tahsilat(qint32 idnosu);
  qint32 SanalposSiranoVer(qint32 idnosu);
  QIODevice* SAnalPosPdfVer(qint32 sirano, qint64& boy);
  TableReader* RaporAlinanSiparisler(std::unique_ptr<TSonucBilgisi> bilgi, double tarih1,
                                     double tarih2);
  TableReader* RaporEnCokSatilanStoklar(std::unique_ptr<TSonucBilgisi> bilgi, double tarih1,
                                        double tarih2);
  TableReader* CariAra(std::unique_ptr<TSonucBilgisi> bil, const QString& aranan);
  TableReader* CariSepetVer(std::unique_ptr<TSonucBilgisi> bil, qint32 n);
  qint32 SepetSayisi(std::unique_ptr<TSonucBilgisi> bil);
  TTusSonuclari* TusSonuclariVer(std::unique_ptr<TSonucBilgisi> bil);
  QIODevice* RaporGetir(qint32 raporno, qint32 bolum, qint32 idno, qint32 carino,
                        const QString& saticiadi, double tarih1, double tarih2, qint64& size);
  TableReader* BalonGetir(std::unique_ptr<TSonucBilgisi> bil);
  QString KayanYaziGetir();
  QIODevice* BannerResimVer(qint64& size);
  QIODevice* BannerResimVer2(qint64& size);
  QIODevice* BannerResimVer3(qint64& size);
  qint32 AcilisReklamAdet();
  TAcilisEkran* AcilisREklamVer(qint32 sira);
  TAcilisEkranlariki* AcilisEkranlarVer2();
  TMobilCariBilgisi* MobilCariBilgisiGetir(qint32 sirano, const QString& _idsi);
  qint32 MailGonserCari(const QString& idsi, const QString& baslik, const QString& firmaadi,
                        const QString& adres1, const QString& adres2, const QString& ilce,
                        const QString& sehir, const QString& telefon, const QString& fax,
                        const QString& vd, const QString& vn, const QString& yetkili,
                        const QString& kullaniciadi, const QString& sifre, const QString& mail,
                        const QString& kargoambar);
  qint32 MailGonserCariNormal(const QString& idsi, const QString& baslik, const QString& firmaadi,
                              const QString& adres1, const QString& adres2, const QString& ilce,
                              const QString& sehir, const QString& telefon, const QString& fax,
                              const QString& vd, const QString& vn, const QString& yetkili,
                              const QString& kullaniciadi, const QString& sifre,
                              const QString& mail, const QString& kargoambar, const QString& konu);

 private:
  Command& command(Op op);
  template <class R, class... A>
  R call(Op op, A&&... args);

  Connection* connection_;
  std::array<std::unique_ptr<Command>, size_t(Op::Count)> commands_;
};

}  // namespace vlm
