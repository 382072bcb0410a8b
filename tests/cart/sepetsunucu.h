#pragma once
// The reference server on loopback over the demo fixture, with the cart
// operations noted as they arrive: SepetEkle2's, SepetGuncelle2's and
// SiparisKaydet's values in order, the marks of SepetSecimGuncelle, the
// number of SepetVer2 calls. A test may script the answer of SepetEkle2,
// ResimVer5, SiparisKaydet or CariVadeGunGecmismiBul, and look on after
// each mark.
#include <QStringList>
#include <functional>
#include <mutex>
#include <optional>

#include "harness.h"

namespace vlm::test {

// One SepetEkle2 or SepetGuncelle2 as the server received it. The two take
// the same parameters but the eleventh: SepetEkle2's campaign flag k,
// SepetGuncelle2's line number _sepetsirano.
struct SatirCagrisi {
  QString kullanici;  // ADI of the login record sent
  qint32 carino = 0, stokno = 0;
  QString barkod, stokadi;
  double miktar = 0, kdv = 0, fiyat = 0, ind1 = 0;
  qint32 verenid = 0, k = 0;
  double ind2 = 0, ind3 = 0, ind4 = 0;
  qint32 sepetsirano() const { return k; }

  SatirCagrisi() = default;

  explicit SatirCagrisi(const Call& c) {
    const auto bilgi = c.record<TSonucBilgisi>(0);
    kullanici = bilgi ? bilgi->ADI() : QString();
    carino = c.int32(1);
    stokno = c.int32(2);
    barkod = c.text(3);
    stokadi = c.text(4);
    miktar = c.real(5);
    kdv = c.real(6);
    fiyat = c.real(7);
    ind1 = c.real(8);
    verenid = c.int32(9);
    k = c.int32(10);
    ind2 = c.real(11);
    ind3 = c.real(12);
    ind4 = c.real(13);
  }
};
using EkleCagrisi = SatirCagrisi;
using GuncelleCagrisi = SatirCagrisi;

// One SiparisKaydet as the server received it.
struct SiparisCagrisi {
  QString kullanici;
  qint32 carino = 0, teslim = 0, kargo = 0;
  QString aciklama;
  qint32 verenid = 0, kargoyeni = 0;
};

class SepetSunucusu {
 public:
  SepetSunucusu()
      : harness_(std::make_unique<server::test::ServerHarness>(
            true, server::DemoOptions::fixture(), [this](RpcServer& rpc) { kaydet(rpc); })) {}

  server::test::ServerHarness& h() { return *harness_; }

  // A connection of the client to this server, closed.
  std::unique_ptr<Connection> baglanti() const {
    auto c = std::make_unique<Connection>();
    c->setHostName(QStringLiteral("127.0.0.1"));
    c->setPort(harness_->rpc.port());
    c->setReadTimeout(20000);
    return c;
  }

  // The login record of the first demo user of a type; types 1 and 2 work
  // on the account of the first dealer.
  std::unique_ptr<TSonucBilgisi> giris(int musteriTipi) {
    auto c = harness_->connect();
    auto bilgi = harness_->login(*c, harness_->user(musteriTipi));
    if (musteriTipi <= 2) bilgi->SetCARINO(harness_->user(3).accountId);
    return bilgi;
  }

  QList<EkleCagrisi> eklemeler() const {
    std::lock_guard<std::mutex> kilit(mutex_);
    return eklemeler_;
  }
  int sepetVerSayisi() const {
    std::lock_guard<std::mutex> kilit(mutex_);
    return sepetVer_;
  }
  QList<GuncelleCagrisi> guncellemeler() const {
    std::lock_guard<std::mutex> kilit(mutex_);
    return guncellemeler_;
  }
  QList<SiparisCagrisi> siparisler() const {
    std::lock_guard<std::mutex> kilit(mutex_);
    return siparisler_;
  }
  // The marks received, as (sirano, secim) in order.
  QList<std::pair<int, int>> secimler() const {
    std::lock_guard<std::mutex> kilit(mutex_);
    return secimler_;
  }
  int bakiyeSorgusu() const {
    std::lock_guard<std::mutex> kilit(mutex_);
    return bakiyeSorgusu_;
  }
  void sifirla() {
    std::lock_guard<std::mutex> kilit(mutex_);
    eklemeler_.clear();
    guncellemeler_.clear();
    siparisler_.clear();
    secimler_.clear();
    sepetVer_ = 0;
    bakiyeSorgusu_ = 0;
    ekleSonucu_.reset();
    siparisSonucu_.reset();
    bakiyeUyarisi_.reset();
    resimCevabi_ = nullptr;
    secimSonrasi_ = nullptr;
  }
  // The next SiparisKaydet calls answer this without storing anything.
  void siparisSonucu(bool sonuc) {
    std::lock_guard<std::mutex> kilit(mutex_);
    siparisSonucu_ = sonuc;
  }
  // CariVadeGunGecmismiBul answers this.
  void bakiyeUyarisi(const QString& metin) {
    std::lock_guard<std::mutex> kilit(mutex_);
    bakiyeUyarisi_ = metin;
  }
  // Runs on the server's thread after each stored mark, with their count.
  void secimSonrasi(std::function<void(int)> f) {
    std::lock_guard<std::mutex> kilit(mutex_);
    secimSonrasi_ = std::move(f);
  }
  // The next SepetEkle2 calls answer this without storing anything.
  void ekleSonucu(int sonuc) {
    std::lock_guard<std::mutex> kilit(mutex_);
    ekleSonucu_ = sonuc;
  }
  // ResimVer5 answers through this instead of the server.
  void resimCevabi(std::function<void(Call&)> cevap) {
    std::lock_guard<std::mutex> kilit(mutex_);
    resimCevabi_ = std::move(cevap);
  }

  // Empties the account's cart.
  void sepetiBosalt(const TSonucBilgisi& bilgi) {
    auto c = harness_->connect();
    TServerMethods1Client(c.get()).SepetHepsiniSil(server::test::copy(bilgi));
  }
  // Puts `adet` lines into the account's cart straight through the server's
  // methods, the fixture's products in turn with their list prices and
  // rates, quantities 1, 2, 3 …; returns their products in order.
  QList<int> sepeteDoldur(const TSonucBilgisi& bilgi, int adet) {
    const auto urunler = harness_->methods->StokAraGetir(QStringLiteral("A"), &bilgi);
    const auto sayi = [&](int r, const char16_t* ad) {
      return urunler->floatValue(r, urunler->fieldIndex(ad));
    };
    QList<int> eklenen;
    for (int i = 0; i < adet; ++i) {
      const int r = i % urunler->rowCount();
      const int stokno = urunler->intValue(r, urunler->fieldIndex(u"STOK_STOKNO"));
      if (harness_->methods->SepetEkle2(&bilgi, bilgi.CARINO(), stokno, QString(), QString(),
                                        1 + i % 7, 0, sayi(r, u"FIYAT"), sayi(r, u"IND1"),
                                        bilgi.Sirano(), 0, sayi(r, u"IND2"), sayi(r, u"IND3"),
                                        sayi(r, u"IND4")) != 1)
        throw std::runtime_error("the line was not stored");
      eklenen << stokno;
    }
    return eklenen;
  }
  // The account's cart as the server keeps it.
  std::unique_ptr<DataSet> sepet(int carino) {
    auto c = harness_->connect();
    return server::test::fromPacket(TServerMethods1Client(c.get()).SepetVer2(carino));
  }

 private:
  void kaydet(RpcServer& rpc) {
    rpc.registerOperation(QStringLiteral("SepetEkle2"), [this](Call& c) {
      const auto bilgi = c.record<TSonucBilgisi>(0);
      const EkleCagrisi e(c);
      std::optional<int> sonuc;
      {
        std::lock_guard<std::mutex> kilit(mutex_);
        eklemeler_.append(e);
        sonuc = ekleSonucu_;
      }
      if (sonuc) {
        c.setResult(qint32(*sonuc));
        return;
      }
      c.setResult(qint32(harness_->methods->SepetEkle2(bilgi.get(), e.carino, e.stokno, e.barkod,
                                                       e.stokadi, e.miktar, e.kdv, e.fiyat, e.ind1,
                                                       e.verenid, e.k, e.ind2, e.ind3, e.ind4)));
    });
    rpc.registerOperation(QStringLiteral("SepetVer2"), [this](Call& c) {
      {
        std::lock_guard<std::mutex> kilit(mutex_);
        ++sepetVer_;
      }
      c.setPacket(*harness_->methods->SepetVer2(c.int32(0)));
    });
    rpc.registerOperation(QStringLiteral("SepetGuncelle2"), [this](Call& c) {
      const auto bilgi = c.record<TSonucBilgisi>(0);
      const GuncelleCagrisi g(c);
      {
        std::lock_guard<std::mutex> kilit(mutex_);
        guncellemeler_.append(g);
      }
      c.setResult(qint32(harness_->methods->SepetGuncelle2(
          bilgi.get(), g.carino, g.stokno, g.barkod, g.stokadi, g.miktar, g.kdv, g.fiyat, g.ind1,
          g.verenid, g.sepetsirano(), g.ind2, g.ind3, g.ind4)));
    });
    rpc.registerOperation(QStringLiteral("SepetSecimGuncelle"), [this](Call& c) {
      harness_->methods->SepetSecimGuncelle(c.int32(0), c.int32(1));
      std::function<void(int)> sonra;
      int n = 0;
      {
        std::lock_guard<std::mutex> kilit(mutex_);
        secimler_.append({c.int32(0), c.int32(1)});
        n = int(secimler_.size());
        sonra = secimSonrasi_;
      }
      if (sonra) sonra(n);
    });
    rpc.registerOperation(QStringLiteral("SiparisKaydet"), [this](Call& c) {
      const auto bilgi = c.record<TSonucBilgisi>(0);
      const SiparisCagrisi s{bilgi ? bilgi->ADI() : QString(),
                             c.int32(1),
                             c.int32(2),
                             c.int32(3),
                             c.text(4),
                             c.int32(5),
                             c.int32(6)};
      std::optional<bool> sonuc;
      {
        std::lock_guard<std::mutex> kilit(mutex_);
        siparisler_.append(s);
        sonuc = siparisSonucu_;
      }
      if (!sonuc)
        sonuc = harness_->methods->SiparisKaydet(bilgi.get(), s.carino, s.teslim, s.kargo,
                                                 s.aciklama, s.verenid, s.kargoyeni);
      c.setResult(*sonuc);
    });
    rpc.registerOperation(QStringLiteral("CariVadeGunGecmismiBul"), [this](Call& c) {
      std::optional<QString> uyari;
      {
        std::lock_guard<std::mutex> kilit(mutex_);
        ++bakiyeSorgusu_;
        uyari = bakiyeUyarisi_;
      }
      c.setResult(uyari ? *uyari : harness_->methods->CariVadeGunGecmismiBul(c.int32(0)));
    });
    rpc.registerOperation(QStringLiteral("ResimVer5"), [this](Call& c) {
      std::function<void(Call&)> cevap;
      {
        std::lock_guard<std::mutex> kilit(mutex_);
        cevap = resimCevabi_;
      }
      if (cevap)
        cevap(c);
      else
        c.setStream(harness_->methods->ResimVer5(c.int32(0)));
    });
  }

  mutable std::mutex mutex_;
  QList<EkleCagrisi> eklemeler_;
  QList<GuncelleCagrisi> guncellemeler_;
  QList<SiparisCagrisi> siparisler_;
  QList<std::pair<int, int>> secimler_;
  int sepetVer_ = 0;
  int bakiyeSorgusu_ = 0;
  std::optional<int> ekleSonucu_;
  std::optional<bool> siparisSonucu_;
  std::optional<QString> bakiyeUyarisi_;
  std::function<void(Call&)> resimCevabi_;
  std::function<void(int)> secimSonrasi_;
  std::unique_ptr<server::test::ServerHarness> harness_;
};

}  // namespace vlm::test
