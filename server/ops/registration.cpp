#include "registration.h"

namespace vlm::server {

namespace {

// A table result as the operation sends it.
void table(Call& c, const std::unique_ptr<DataSet>& t) {
  if (c.operation().result == ValueKind::Packet)
    c.setPacket(*t);
  else
    c.setReader(*t);
}

}  // namespace

void registerOperations(RpcServer& server, TServerMethods1& m) {
  auto on = [&server](const char* name, Handler h) {
    server.registerOperation(QString::fromLatin1(name), std::move(h));
  };
  using R = TSonucBilgisi;

  on("BuyukGetir", [&m](Call& c) { c.setResult(m.BuyukGetir(c.text(0)).get()); });
  on("StokAraGetir", [&m](Call& c) { table(c, m.StokAraGetir(c.text(0), c.record<R>(1).get())); });
  on("YenilerVer2", [&m](Call& c) { table(c, m.YenilerVer2(c.int32(0))); });
  on("KampanyaliVer2", [&m](Call& c) { table(c, m.KampanyaliVer2(c.int32(0), c.int32(1))); });

  on("SepetVer2", [&m](Call& c) { table(c, m.SepetVer2(c.int32(0))); });
  on("SepetEkle2", [&m](Call& c) {
    c.setResult(qint32(m.SepetEkle2(c.record<R>(0).get(), c.int32(1), c.int32(2), c.text(3),
                                    c.text(4), c.real(5), c.real(6), c.real(7), c.real(8),
                                    c.int32(9), c.int32(10), c.real(11), c.real(12), c.real(13))));
  });
  on("SepetGuncelle2", [&m](Call& c) {
    c.setResult(qint32(m.SepetGuncelle2(
        c.record<R>(0).get(), c.int32(1), c.int32(2), c.text(3), c.text(4), c.real(5), c.real(6),
        c.real(7), c.real(8), c.int32(9), c.int32(10), c.real(11), c.real(12), c.real(13))));
  });
  on("SepetSatirSil", [&m](Call& c) {
    c.setResult(qint32(m.SepetSatirSil(c.record<R>(0).get(), c.int32(1), c.text(2))));
  });
  on("SepetHepsiniSil",
     [&m](Call& c) { c.setResult(qint32(m.SepetHepsiniSil(c.record<R>(0).get()))); });
  on("SepetSecimGuncelle", [&m](Call& c) { m.SepetSecimGuncelle(c.int32(0), c.int32(1)); });
  on("CariVadeGunGecmismiBul",
     [&m](Call& c) { c.setResult(m.CariVadeGunGecmismiBul(c.int32(0))); });
  on("TeslimVer", [&m](Call& c) { table(c, m.TeslimVer()); });
  on("KargoVer", [&m](Call& c) { table(c, m.KargoVer()); });
  on("KargolarVer", [&m](Call& c) { table(c, m.KargolarVer(c.int32(0))); });
  on("SiparisKaydet", [&m](Call& c) {
    c.setResult(m.SiparisKaydet(c.record<R>(0).get(), c.int32(1), c.int32(2), c.int32(3), c.text(4),
                                c.int32(5), c.int32(6)));
  });
  on("BakiyelerVer2", [&m](Call& c) { table(c, m.BakiyelerVer2(c.int32(0))); });
  on("BakiyeDuzenle", [&m](Call& c) {
    c.setResult(qint32(m.BakiyeDuzenle(c.record<R>(0).get(), c.int32(1), c.int32(2), c.int32(3),
                                       c.real(4), c.real(5), c.text(6))));
  });
  on("BakiyeDegistir", [&m](Call& c) {
    c.setResult(qint32(m.BakiyeDegistir(c.record<R>(0).get(), c.int32(1), c.int32(2), c.int32(3),
                                        c.real(4), c.real(5), c.text(6))));
  });
  on("BakiyeFiyatDegistir", [&m](Call& c) {
    c.setResult(
        qint32(m.BakiyeFiyatDegistir(c.record<R>(0).get(), c.int32(1), c.int32(2), c.int32(3),
                                     c.real(4), c.real(5), c.text(6), c.real(7), c.real(8))));
  });
  on("SiparisAytintisiDip",
     [&m](Call& c) { c.setResult(m.SiparisAytintisiDip(c.int32(0), c.int32(1)).get()); });
  on("TumSiparislerVer", [&m](Call& c) { table(c, m.TumSiparislerVer(c.int32(0), c.int32(1))); });
  on("StokHareketVer", [&m](Call& c) { table(c, m.StokHareketVer(c.int32(0), c.int32(1))); });
  on("ResimVer5", [&m](Call& c) { c.setStream(m.ResimVer5(c.int32(0))); });

  on("OncekiSiparisler", [&m](Call& c) { table(c, m.OncekiSiparisler(c.int32(0))); });
  on("SiparisAyrintisi2", [&m](Call& c) { table(c, m.SiparisAyrintisi2(c.int32(0), c.int32(1))); });
  on("CariEkstreVer", [&m](Call& c) { table(c, m.CariEkstreVer(c.int32(0))); });
  on("FaturaGetir", [&m](Call& c) { table(c, m.FaturaGetir(c.int32(0), c.int32(1))); });
  on("FaturaAltGetir", [&m](Call& c) { table(c, m.FaturaAltGetir(c.int32(0))); });
  on("Tahsilat", [&m](Call& c) { table(c, m.Tahsilat(c.int32(0))); });
  on("SanalposSiranoVer", [&m](Call& c) { c.setResult(qint32(m.SanalposSiranoVer(c.int32(0)))); });
  on("SAnalPosPdfVer", [&m](Call& c) { c.setStream(m.SAnalPosPdfVer(c.int32(0))); });
  on("RaporAlinanSiparisler", [&m](Call& c) {
    table(c, m.RaporAlinanSiparisler(c.record<R>(0).get(), c.real(1), c.real(2)));
  });
  on("RaporEnCokSatilanStoklar", [&m](Call& c) {
    table(c, m.RaporEnCokSatilanStoklar(c.record<R>(0).get(), c.real(1), c.real(2)));
  });

  on("CariAra", [&m](Call& c) { table(c, m.CariAra(c.record<R>(0).get(), c.text(1))); });
  on("CariSepetVer", [&m](Call& c) { table(c, m.CariSepetVer(c.record<R>(0).get(), c.int32(1))); });
  on("SepetSayisi", [&m](Call& c) { c.setResult(qint32(m.SepetSayisi(c.record<R>(0).get()))); });
  on("TusSonuclariVer",
     [&m](Call& c) { c.setResult(m.TusSonuclariVer(c.record<R>(0).get()).get()); });
  on("RaporGetir", [&m](Call& c) {
    c.setStream(m.RaporGetir(c.int32(0), c.int32(1), c.int32(2), c.int32(3), c.text(4), c.real(5),
                             c.real(6)));
  });

  on("BalonGetir", [&m](Call& c) { table(c, m.BalonGetir(c.record<R>(0).get())); });
  on("KayanYaziGetir", [&m](Call& c) { c.setResult(m.KayanYaziGetir()); });
  on("BannerResimVer", [&m](Call& c) { c.setStream(m.BannerResimVer()); });
  on("BannerResimVer2", [&m](Call& c) { c.setStream(m.BannerResimVer2()); });
  on("BannerResimVer3", [&m](Call& c) { c.setStream(m.BannerResimVer3()); });
  on("AcilisReklamAdet", [&m](Call& c) { c.setResult(qint32(m.AcilisReklamAdet())); });
  on("AcilisREklamVer", [&m](Call& c) { c.setResult(m.AcilisREklamVer(c.int32(0)).get()); });
  on("AcilisEkranlarVer2", [&m](Call& c) { c.setResult(m.AcilisEkranlarVer2().get()); });

  on("MobilCariBilgisiGetir",
     [&m](Call& c) { c.setResult(m.MobilCariBilgisiGetir(c.int32(0), c.text(1)).get()); });
  on("MailGonserCari", [&m](Call& c) {
    c.setResult(
        qint32(m.MailGonserCari(c.text(0), c.text(1), c.text(2), c.text(3), c.text(4), c.text(5),
                                c.text(6), c.text(7), c.text(8), c.text(9), c.text(10), c.text(11),
                                c.text(12), c.text(13), c.text(14), c.text(15))));
  });
  on("MailGonserCariNormal", [&m](Call& c) {
    c.setResult(qint32(m.MailGonserCariNormal(c.text(0), c.text(1), c.text(2), c.text(3), c.text(4),
                                              c.text(5), c.text(6), c.text(7), c.text(8), c.text(9),
                                              c.text(10), c.text(11), c.text(12), c.text(13),
                                              c.text(14), c.text(15), c.text(16))));
  });
}

}  // namespace vlm::server
