#include "proxim.h"

#include <type_traits>

#include "connection.h"
#include "error.h"
#include "objectform.h"

namespace vlm {

namespace {

// Input parameters by their C++ type; the kind is checked by the parameter.
void setArg(Param& p, qint32 v) {
  p.setInt32(v);
}
void setArg(Param& p, double v) {
  p.setDouble(v);
}
void setArg(Param& p, const QString& v) {
  p.setWideString(v);
}
// The record goes over in its object form and is freed here: the caller
// gave it to the call.
void setArg(Param& p, std::unique_ptr<TSonucBilgisi>&& v) {
  if (!v) {
    p.setJsonText(QByteArray());
    return;
  }
  p.setJsonText(toObjectForm(v.get()));
  v.reset();
}
// An output parameter: sent empty, read back after the call.
void setArg(Param& p, qint64*) {
  if (!p.isOutput() || p.kind() != ValueKind::Int64)
    throw Error(QStringLiteral("Parameter %1 is no 64-bit output").arg(QLatin1String(p.name())));
  p.setNull();
}

template <class T>
void getArg(Param&, const T&) {}
void getArg(Param& p, qint64* out) {
  *out = p.getInt64();
}

}  // namespace

TServerMethods1Client::TServerMethods1Client(Connection* connection) : connection_(connection) {
  if (!connection_ || !connection_->isOpen())
    throw Error(
        QStringLiteral("Connection cannot be nil.  Make sure the connection has been opened."));
}

TServerMethods1Client::~TServerMethods1Client() = default;

Command& TServerMethods1Client::command(Op op) {
  auto& slot = commands_[size_t(op)];
  if (!slot) {
    auto c = std::make_unique<Command>(connection_);
    c->setCommandType(QStringLiteral("DataSnap.ServerMethod"));
    c->setText(commandText(operation(op)));
    c->prepare();
    slot = std::move(c);
  }
  return *slot;
}

template <class R, class... A>
R TServerMethods1Client::call(Op op, A&&... args) {
  Command& c = command(op);
  if (int(sizeof...(A)) != int(c.operation()->params.size()))
    throw Error(QStringLiteral("Wrong number of parameters for %1").arg(c.text()));
  int i = 0;
  (setArg(c.param(i++), std::forward<A>(args)), ...);
  c.executeUpdate();
  i = 0;
  (getArg(c.param(i++), args), ...);

  const int result = c.operation()->resultOrdinal();
  if constexpr (std::is_void_v<R>) {
    return;
  } else if constexpr (std::is_same_v<R, qint32>) {
    return c.param(result).getInt32();
  } else if constexpr (std::is_same_v<R, bool>) {
    return c.param(result).getBoolean();
  } else if constexpr (std::is_same_v<R, QString>) {
    return c.param(result).getWideString();
  } else if constexpr (std::is_same_v<R, QByteArray>) {
    return c.packet(result);
  } else if constexpr (std::is_same_v<R, TableReader*>) {
    return c.reader(result);
  } else if constexpr (std::is_same_v<R, QIODevice*>) {
    return c.stream(result);
  } else {
    static_assert(std::is_pointer_v<R>);
    return static_cast<R>(c.record(result));  // the command checked the class
  }
}

TSonucBilgisi* TServerMethods1Client::BuyukGetir(const QString& idsi) {
  return call<TSonucBilgisi*>(Op::BuyukGetir, idsi);
}

QByteArray TServerMethods1Client::StokAraGetir(const QString& kod,
                                               std::unique_ptr<TSonucBilgisi> bilgi) {
  return call<QByteArray>(Op::StokAraGetir, kod, std::move(bilgi));
}

QByteArray TServerMethods1Client::YenilerVer2(qint32 carino) {
  return call<QByteArray>(Op::YenilerVer2, carino);
}

QByteArray TServerMethods1Client::KampanyaliVer2(qint32 cario, qint32 satici) {
  return call<QByteArray>(Op::KampanyaliVer2, cario, satici);
}

QByteArray TServerMethods1Client::SepetVer2(qint32 carino) {
  return call<QByteArray>(Op::SepetVer2, carino);
}

qint32 TServerMethods1Client::SepetEkle2(std::unique_ptr<TSonucBilgisi> bilgim, qint32 carino,
                                         qint32 stokno, const QString& barkod,
                                         const QString& stokadi, double miktar, double kdv,
                                         double fiyat, double ind1, qint32 verenid, qint32 k,
                                         double ind2, double ind3, double ind4) {
  return call<qint32>(Op::SepetEkle2, std::move(bilgim), carino, stokno, barkod, stokadi, miktar,
                      kdv, fiyat, ind1, verenid, k, ind2, ind3, ind4);
}

qint32 TServerMethods1Client::SepetGuncelle2(std::unique_ptr<TSonucBilgisi> bilgim, qint32 carino,
                                             qint32 stokno, const QString& barkod,
                                             const QString& stokadi, double miktar, double kdv,
                                             double fiyat, double ind1, qint32 verenid,
                                             qint32 _sepetsirano, double ind2, double ind3,
                                             double ind4) {
  return call<qint32>(Op::SepetGuncelle2, std::move(bilgim), carino, stokno, barkod, stokadi,
                      miktar, kdv, fiyat, ind1, verenid, _sepetsirano, ind2, ind3, ind4);
}

qint32 TServerMethods1Client::SepetSatirSil(std::unique_ptr<TSonucBilgisi> bilgi, qint32 satirno,
                                            const QString& aciklamam) {
  return call<qint32>(Op::SepetSatirSil, std::move(bilgi), satirno, aciklamam);
}

qint32 TServerMethods1Client::SepetHepsiniSil(std::unique_ptr<TSonucBilgisi> bilgi) {
  return call<qint32>(Op::SepetHepsiniSil, std::move(bilgi));
}

void TServerMethods1Client::SepetSecimGuncelle(qint32 sirano, qint32 secim) {
  call<void>(Op::SepetSecimGuncelle, sirano, secim);
}

QString TServerMethods1Client::CariVadeGunGecmismiBul(qint32 carino) {
  return call<QString>(Op::CariVadeGunGecmismiBul, carino);
}

TableReader* TServerMethods1Client::TeslimVer() {
  return call<TableReader*>(Op::TeslimVer);
}

TableReader* TServerMethods1Client::KargoVer() {
  return call<TableReader*>(Op::KargoVer);
}

TableReader* TServerMethods1Client::KargolarVer(qint32 gn) {
  return call<TableReader*>(Op::KargolarVer, gn);
}

bool TServerMethods1Client::SiparisKaydet(std::unique_ptr<TSonucBilgisi> BB, qint32 _carino,
                                          qint32 _teslim, qint32 _kargo, const QString& _aciklama,
                                          qint32 _verenid, qint32 _kargoyeni) {
  return call<bool>(Op::SiparisKaydet, std::move(BB), _carino, _teslim, _kargo, _aciklama, _verenid,
                    _kargoyeni);
}

TableReader* TServerMethods1Client::BakiyelerVer2(qint32 carino) {
  return call<TableReader*>(Op::BakiyelerVer2, carino);
}

qint32 TServerMethods1Client::BakiyeDuzenle(std::unique_ptr<TSonucBilgisi> k, qint32 stokno,
                                            qint32 sepetsirano, qint32 siparissirano, double Adet,
                                            double Bakiye, const QString& barkod) {
  return call<qint32>(Op::BakiyeDuzenle, std::move(k), stokno, sepetsirano, siparissirano, Adet,
                      Bakiye, barkod);
}

qint32 TServerMethods1Client::BakiyeDegistir(std::unique_ptr<TSonucBilgisi> k, qint32 stokno,
                                             qint32 sepetsirano, qint32 siparissirano, double Adet,
                                             double Bakiye, const QString& barkod) {
  return call<qint32>(Op::BakiyeDegistir, std::move(k), stokno, sepetsirano, siparissirano, Adet,
                      Bakiye, barkod);
}

qint32 TServerMethods1Client::BakiyeFiyatDegistir(std::unique_ptr<TSonucBilgisi> k, qint32 stokno,
                                                  qint32 sepetsirano, qint32 siparissirano,
                                                  double Adet, double Bakiye, const QString& barkod,
                                                  double fiyat, double ind) {
  return call<qint32>(Op::BakiyeFiyatDegistir, std::move(k), stokno, sepetsirano, siparissirano,
                      Adet, Bakiye, barkod, fiyat, ind);
}

TSiparisDipAyrinti* TServerMethods1Client::SiparisAytintisiDip(qint32 carino, qint32 siranosu) {
  return call<TSiparisDipAyrinti*>(Op::SiparisAytintisiDip, carino, siranosu);
}

TableReader* TServerMethods1Client::TumSiparislerVer(qint32 carino, qint32 stokno) {
  return call<TableReader*>(Op::TumSiparislerVer, carino, stokno);
}

QByteArray TServerMethods1Client::StokHareketVer(qint32 carino, qint32 stokno) {
  return call<QByteArray>(Op::StokHareketVer, carino, stokno);
}

QIODevice* TServerMethods1Client::ResimVer5(qint32 stokno, qint64& boy) {
  return call<QIODevice*>(Op::ResimVer5, stokno, &boy);
}

TableReader* TServerMethods1Client::OncekiSiparisler(qint32 carino) {
  return call<TableReader*>(Op::OncekiSiparisler, carino);
}

TableReader* TServerMethods1Client::SiparisAyrintisi2(qint32 carino, qint32 idnosu) {
  return call<TableReader*>(Op::SiparisAyrintisi2, carino, idnosu);
}

TableReader* TServerMethods1Client::CariEkstreVer(qint32 carino) {
  return call<TableReader*>(Op::CariEkstreVer, carino);
}

TableReader* TServerMethods1Client::FaturaGetir(qint32 carino, qint32 idnosu) {
  return call<TableReader*>(Op::FaturaGetir, carino, idnosu);
}

TableReader* TServerMethods1Client::FaturaAltGetir(qint32 idnosu) {
  return call<TableReader*>(Op::FaturaAltGetir, idnosu);
}

TableReader* TServerMethods1Client::Tahsilat(qint32 idnosu) {
  return call<TableReader*>(Op::Tahsilat, idnosu);
}

qint32 TServerMethods1Client::SanalposSiranoVer(qint32 idnosu) {
  return call<qint32>(Op::SanalposSiranoVer, idnosu);
}

QIODevice* TServerMethods1Client::SAnalPosPdfVer(qint32 sirano, qint64& boy) {
  return call<QIODevice*>(Op::SAnalPosPdfVer, sirano, &boy);
}

TableReader* TServerMethods1Client::RaporAlinanSiparisler(std::unique_ptr<TSonucBilgisi> bilgi,
                                                          double tarih1, double tarih2) {
  return call<TableReader*>(Op::RaporAlinanSiparisler, std::move(bilgi), tarih1, tarih2);
}

TableReader* TServerMethods1Client::RaporEnCokSatilanStoklar(std::unique_ptr<TSonucBilgisi> bilgi,
                                                             double tarih1, double tarih2) {
  return call<TableReader*>(Op::RaporEnCokSatilanStoklar, std::move(bilgi), tarih1, tarih2);
}

TableReader* TServerMethods1Client::CariAra(std::unique_ptr<TSonucBilgisi> bil,
                                            const QString& aranan) {
  return call<TableReader*>(Op::CariAra, std::move(bil), aranan);
}

TableReader* TServerMethods1Client::CariSepetVer(std::unique_ptr<TSonucBilgisi> bil, qint32 n) {
  return call<TableReader*>(Op::CariSepetVer, std::move(bil), n);
}

qint32 TServerMethods1Client::SepetSayisi(std::unique_ptr<TSonucBilgisi> bil) {
  return call<qint32>(Op::SepetSayisi, std::move(bil));
}

TTusSonuclari* TServerMethods1Client::TusSonuclariVer(std::unique_ptr<TSonucBilgisi> bil) {
  return call<TTusSonuclari*>(Op::TusSonuclariVer, std::move(bil));
}

QIODevice* TServerMethods1Client::RaporGetir(qint32 raporno, qint32 bolum, qint32 idno,
                                             qint32 carino, const QString& saticiadi, double tarih1,
                                             double tarih2, qint64& size) {
  return call<QIODevice*>(Op::RaporGetir, raporno, bolum, idno, carino, saticiadi, tarih1, tarih2,
                          &size);
}

TableReader* TServerMethods1Client::BalonGetir(std::unique_ptr<TSonucBilgisi> bil) {
  return call<TableReader*>(Op::BalonGetir, std::move(bil));
}

QString TServerMethods1Client::KayanYaziGetir() {
  return call<QString>(Op::KayanYaziGetir);
}

QIODevice* TServerMethods1Client::BannerResimVer(qint64& size) {
  return call<QIODevice*>(Op::BannerResimVer, &size);
}

QIODevice* TServerMethods1Client::BannerResimVer2(qint64& size) {
  return call<QIODevice*>(Op::BannerResimVer2, &size);
}

QIODevice* TServerMethods1Client::BannerResimVer3(qint64& size) {
  return call<QIODevice*>(Op::BannerResimVer3, &size);
}

qint32 TServerMethods1Client::AcilisReklamAdet() {
  return call<qint32>(Op::AcilisReklamAdet);
}

TAcilisEkran* TServerMethods1Client::AcilisREklamVer(qint32 sira) {
  return call<TAcilisEkran*>(Op::AcilisREklamVer, sira);
}

TAcilisEkranlariki* TServerMethods1Client::AcilisEkranlarVer2() {
  return call<TAcilisEkranlariki*>(Op::AcilisEkranlarVer2);
}

TMobilCariBilgisi* TServerMethods1Client::MobilCariBilgisiGetir(qint32 sirano,
                                                                const QString& _idsi) {
  return call<TMobilCariBilgisi*>(Op::MobilCariBilgisiGetir, sirano, _idsi);
}

qint32 TServerMethods1Client::MailGonserCari(const QString& idsi, const QString& baslik,
                                             const QString& firmaadi, const QString& adres1,
                                             const QString& adres2, const QString& ilce,
                                             const QString& sehir, const QString& telefon,
                                             const QString& fax, const QString& vd,
                                             const QString& vn, const QString& yetkili,
                                             const QString& kullaniciadi, const QString& sifre,
                                             const QString& mail, const QString& kargoambar) {
  return call<qint32>(Op::MailGonserCari, idsi, baslik, firmaadi, adres1, adres2, ilce, sehir,
                      telefon, fax, vd, vn, yetkili, kullaniciadi, sifre, mail, kargoambar);
}

qint32 TServerMethods1Client::MailGonserCariNormal(
    const QString& idsi, const QString& baslik, const QString& firmaadi, const QString& adres1,
    const QString& adres2, const QString& ilce, const QString& sehir, const QString& telefon,
    const QString& fax, const QString& vd, const QString& vn, const QString& yetkili,
    const QString& kullaniciadi, const QString& sifre, const QString& mail,
    const QString& kargoambar, const QString& konu) {
  return call<qint32>(Op::MailGonserCariNormal, idsi, baslik, firmaadi, adres1, adres2, ilce, sehir,
                      telefon, fax, vd, vn, yetkili, kullaniciadi, sifre, mail, kargoambar, konu);
}
}  // namespace vlm
