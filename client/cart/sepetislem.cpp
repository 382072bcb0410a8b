#include "sepetislem.h"

#include "baglantiac.h"
#include "connection.h"
#include "dataset.h"
#include "error.h"
#include "mesaj.h"
#include "proxim.h"
#include "records.h"
#include "sayibicim.h"
#include "streamcopy.h"
#include "tablereader.h"

#include <cmath>
#include <typeinfo>
#if defined(__GNUC__)
#include <cxxabi.h>
#include <cstdlib>
#endif

namespace vlm {

namespace {

// Closes the connection when the step of work is over, also on an error.
struct Kapat {
  Connection& baglanti;
  ~Kapat() { baglanti.close(); }
};

std::unique_ptr<TSonucBilgisi> kopya(const TSonucBilgisi& kaynak) {
  auto k = std::make_unique<TSonucBilgisi>();
  k->Kopyala(kaynak);
  return k;
}

QString sinifAdi(const std::type_info& tur) {
  QString ad = QString::fromLatin1(tur.name());
#if defined(__GNUC__)
  int durum = 0;
  if (char* acik = abi::__cxa_demangle(tur.name(), nullptr, nullptr, &durum)) {
    if (durum == 0) ad = QString::fromLatin1(acik);
    std::free(acik);
  }
#endif
  return ad.section(QStringLiteral("::"), -1);
}

}  // namespace

qint32 SatirTamsayi(const DataSet& veri, QStringView sutun) {
  const Field* f = veri.fieldByName(sutun);
  return f ? f->asInteger() : 0;
}

double SatirSayi(const DataSet& veri, QStringView sutun) {
  const Field* f = veri.fieldByName(sutun);
  return f ? f->asFloat() : 0;
}

QString SatirMetin(const DataSet& veri, QStringView sutun) {
  const Field* f = veri.fieldByName(sutun);
  return f ? f->asString() : QString();
}

bool SepetGetir(const Connection& bagc, const TSonucBilgisi& sbilgi, DataSet& sepet) {
  const std::unique_ptr<Connection> klon = bagc.clone();
  if (!BaglantiAc(klon.get(), 1)) return false;
  Kapat kapat{*klon};
  TServerMethods1Client proxy(klon.get());
  sepet.loadFromPacket(proxy.SepetVer2(sbilgi.CARINO()));
  SayiBicimle(sepet);
  return true;
}

int SepeteEkle(Connection& bagc, const TSonucBilgisi& sbilgi, const DataSet& liste, DataSet& sepet,
               double miktar, double fiyat, const Oranlar& isk) {
  auto bilgim = kopya(sbilgi);
  if (!BaglantiAc(&bagc, 1)) return -1;
  Kapat kapat{bagc};
  TServerMethods1Client proxy(&bagc);
  const int sonuc = proxy.SepetEkle2(
      std::move(bilgim), sbilgi.CARINO(), SatirTamsayi(liste, u"STOK_STOKNO"),
      SatirMetin(liste, u"BARKOD"), SatirMetin(liste, u"ADI"), miktar, SatirTamsayi(liste, u"KDV"),
      fiyat, isk[0], sbilgi.Sirano(), SatirTamsayi(liste, u"K"), isk[1], isk[2], isk[3]);
  if (sonuc == 1) SepetGetir(bagc, sbilgi, sepet);
  return sonuc;
}

std::optional<QImage> UrunResmiOku(Connection& bagc, int stokno) {
  if (!BaglantiAc(&bagc, 1)) return std::nullopt;
  Kapat kapat{bagc};
  try {
    TServerMethods1Client proxy(&bagc);
    qint64 boy = 0;
    QIODevice* akis = proxy.ResimVer5(stokno, boy);  // sets boy: read it only afterwards
    if (boy == 0) return std::nullopt;
    const std::optional<QByteArray> baytlar = copyStream(akis, boy);
    if (!baytlar) return std::nullopt;
    QImage resim;
    if (!resim.loadFromData(*baytlar, "JPEG") || resim.isNull()) return std::nullopt;
    return resim;
  } catch (...) {
    const std::exception_ptr hata = std::current_exception();
    ShowMessage(HataTuru(hata) + QStringLiteral(": ") + errorText(hata));
    return std::nullopt;
  }
}

SecimSonucu SecimGonder(const Connection& bagc, int sirano, int secim) {
  const std::unique_ptr<Connection> klon = bagc.clone();
  if (!BaglantiAc(klon.get(), 1)) return SecimSonucu::BaglantiYok;
  Kapat kapat{*klon};
  try {
    TServerMethods1Client(klon.get()).SepetSecimGuncelle(sirano, secim);
    return SecimSonucu::Gitti;
  } catch (...) {
    return SecimSonucu::CagriHatasi;
  }
}

bool SecimKaydet(const Connection& bagc, int sirano, int secim) {
  return SecimGonder(bagc, sirano, secim) == SecimSonucu::Gitti;
}

QList<int> SecimleriKaydet(const Connection& bagc, const QList<int>& siranolar, int secim,
                           const std::function<void(int)>& ilerleme) {
  QList<int> giden;
  giden.reserve(siranolar.size());
  int yapilan = 0;
  for (const int sirano : siranolar) {
    const SecimSonucu s = SecimGonder(bagc, sirano, secim);
    if (s == SecimSonucu::BaglantiYok) break;
    if (s == SecimSonucu::Gitti) giden.append(sirano);
    if (ilerleme) ilerleme(++yapilan);
  }
  return giden;
}

int SepetSatirGuncelle(Connection& bagc, const TSonucBilgisi& sbilgi, const SepetSatiri& satir,
                       double miktar, double fiyat, DataSet& sepet) {
  auto bilgim = kopya(sbilgi);
  if (!BaglantiAc(&bagc, 1)) return -1;
  Kapat kapat{bagc};
  const int sonuc = TServerMethods1Client(&bagc).SepetGuncelle2(
      std::move(bilgim), sbilgi.CARINO(), 0, satir.barkod, satir.stokadi, miktar,
      std::lround(satir.kdv), fiyat, satir.oranlar[0], sbilgi.Sirano(), satir.sirano,
      satir.oranlar[1], satir.oranlar[2], satir.oranlar[3]);
  if (sonuc == 1) SepetGetir(bagc, sbilgi, sepet);
  return sonuc;
}

bool SepetSatirSil(Connection& bagc, const TSonucBilgisi& sbilgi, const SepetSatiri& satir) {
  auto bilgi = kopya(sbilgi);
  if (!BaglantiAc(&bagc, 1)) return false;
  Kapat kapat{bagc};
  TServerMethods1Client(&bagc).SepetSatirSil(std::move(bilgi), satir.sirano,
                                             SatirSilAciklamasi(satir));
  return true;
}

bool SepetHepsiniSil(Connection& bagc, const TSonucBilgisi& sbilgi) {
  auto bilgi = kopya(sbilgi);
  if (!BaglantiAc(&bagc, 1)) return false;
  Kapat kapat{bagc};
  TServerMethods1Client(&bagc).SepetHepsiniSil(std::move(bilgi));
  return true;
}

QString CariBakiyeUyariBak(const Connection& bagc, int carino) {
  const std::unique_ptr<Connection> klon = bagc.clone();
  if (!BaglantiAc(klon.get(), 0)) return QString();
  Kapat kapat{*klon};
  try {
    return TServerMethods1Client(klon.get()).CariVadeGunGecmismiBul(carino);
  } catch (...) {
    return QString();
  }
}

namespace {
// The rows of a reader as (identity, name), read by position.
QList<Secenek> secenekler(TableReader* okuyucu) {
  QList<Secenek> l;
  if (!okuyucu) return l;
  while (okuyucu->next()) l.append({okuyucu->getInt32(0), okuyucu->getString(1)});
  return l;
}
}  // namespace

SiparisListeleri SiparisListeleriOku(const Connection& bagc) {
  SiparisListeleri l;
  const std::unique_ptr<Connection> klon = bagc.clone();
  if (!BaglantiAc(klon.get(), 1)) return l;
  Kapat kapat{*klon};
  l.teslim = secenekler(TServerMethods1Client(klon.get()).TeslimVer());
  l.kargoTurleri = secenekler(TServerMethods1Client(klon.get()).KargoVer());
  return l;
}

bool KargolarOku(Connection& bagc, int kargoTuru, DataSet& kargo) {
  if (!BaglantiAc(&bagc, 1)) return false;
  Kapat kapat{bagc};
  TServerMethods1Client proxy(&bagc);
  TableReader* okuyucu = proxy.KargolarVer(kargoTuru);
  DataSet yeni;
  if (okuyucu) yeni.loadFromReader(*okuyucu);
  kargo.takeFrom(yeni);
  return true;
}

bool SiparisGonder(Connection& bagc, const TSonucBilgisi& sbilgi, int KN, int kt,
                   const QString& aciklama, int td) {
  auto BB = kopya(sbilgi);
  if (!BaglantiAc(&bagc, 1)) return false;
  Kapat kapat{bagc};
  return TServerMethods1Client(&bagc).SiparisKaydet(std::move(BB), sbilgi.CARINO(), td, kt,
                                                    aciklama, sbilgi.Sirano(), KN);
}

QString HataTuru(const std::exception_ptr& hata) {
  try {
    std::rethrow_exception(hata);
  } catch (const std::exception& e) {
    return sinifAdi(typeid(e));
  } catch (...) {
    return QStringLiteral("Exception");
  }
}

}  // namespace vlm
