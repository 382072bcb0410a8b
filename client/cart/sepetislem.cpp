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
