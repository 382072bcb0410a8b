#pragma once
// The reference server on loopback over the demo fixture, with the cart
// operations of the product dialog noted as they arrive: SepetEkle2's values
// in order, the number of SepetVer2 calls. A test may script the answer of
// SepetEkle2 or ResimVer5.
#include <QStringList>
#include <functional>
#include <mutex>
#include <optional>

#include "harness.h"

namespace vlm::test {

// One SepetEkle2 as the server received it.
struct EkleCagrisi {
  QString kullanici;  // ADI of the login record sent
  qint32 carino = 0, stokno = 0;
  QString barkod, stokadi;
  double miktar = 0, kdv = 0, fiyat = 0, ind1 = 0;
  qint32 verenid = 0, k = 0;
  double ind2 = 0, ind3 = 0, ind4 = 0;
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
  void sifirla() {
    std::lock_guard<std::mutex> kilit(mutex_);
    eklemeler_.clear();
    sepetVer_ = 0;
    ekleSonucu_.reset();
    resimCevabi_ = nullptr;
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
  // The account's cart as the server keeps it.
  std::unique_ptr<DataSet> sepet(int carino) {
    auto c = harness_->connect();
    return server::test::fromPacket(TServerMethods1Client(c.get()).SepetVer2(carino));
  }

 private:
  void kaydet(RpcServer& rpc) {
    rpc.registerOperation(QStringLiteral("SepetEkle2"), [this](Call& c) {
      const auto bilgi = c.record<TSonucBilgisi>(0);
      EkleCagrisi e{bilgi ? bilgi->ADI() : QString(),
                    c.int32(1),
                    c.int32(2),
                    c.text(3),
                    c.text(4),
                    c.real(5),
                    c.real(6),
                    c.real(7),
                    c.real(8),
                    c.int32(9),
                    c.int32(10),
                    c.real(11),
                    c.real(12),
                    c.real(13)};
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
  int sepetVer_ = 0;
  std::optional<int> ekleSonucu_;
  std::function<void(Call&)> resimCevabi_;
  std::unique_ptr<server::test::ServerHarness> harness_;
};

}  // namespace vlm::test
