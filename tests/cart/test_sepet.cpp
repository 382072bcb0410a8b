// The cart tab's rules (totals, marks, the order's checks) and its calls
// against the reference server on loopback.
#include <gtest/gtest.h>

#include <QLocale>
#include <cmath>
#include <limits>

#include "dataset.h"
#include "mesaj.h"
#include "seams.h"
#include "sepetislem.h"
#include "sepetkurallari.h"
#include "sunucutesti.h"

using namespace vlm;

namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
const QString kBaglantiYok = QStringLiteral("Bağlantı Kurulamıyor Lütfen Tekrar Deneyin ...!");

using test::Turkce;

// A cart line for the totals: its mark and three amounts; NaN stands for a
// NULL cell.
struct Satir {
  int sec;
  double tutar, indirim, vergi;
};

DataSet sepetVerisi(const QList<Satir>& satirlar) {
  DataSet ds;
  ds.addField(QStringLiteral("SEC"), FieldType::Integer);
  ds.addField(QStringLiteral("TUTAR"), FieldType::Float);
  ds.addField(QStringLiteral("INDIRIMTUTAR"), FieldType::Float);
  ds.addField(QStringLiteral("VERGITUTARI"), FieldType::Float);
  for (const Satir& s : satirlar) {
    const int r = ds.appendRow();
    ds.setInteger(r, 0, s.sec);
    const double d[] = {s.tutar, s.indirim, s.vergi};
    for (int c = 0; c < 3; ++c)
      if (!std::isnan(d[c])) ds.setFloat(r, c + 1, d[c]);
  }
  return ds;
}

void toplamlarAyni(const SepetToplamlari& t, const std::array<double, 5>& beklenen) {
  EXPECT_DOUBLE_EQ(t.toplam, beklenen[0]);
  EXPECT_DOUBLE_EQ(t.indirim, beklenen[1]);
  EXPECT_DOUBLE_EQ(t.araToplam, beklenen[2]);
  EXPECT_DOUBLE_EQ(t.vergi, beklenen[3]);
  EXPECT_DOUBLE_EQ(t.genelToplam, beklenen[4]);
}

}  // namespace

// ---- Totals ------------------------------------------------------------------

TEST_F(Turkce, TotalsOfTheMarkedLinesWithTheRunningRounding) {
  struct Case {
    const char* ad;
    QList<Satir> satirlar;
    std::array<double, 5> beklenen;  // toplam, indirim, ara, vergi, genel
  };
  const Case cases[] = {
      {"no lines", {}, {0, 0, 0, 0, 0}},
      {"lines without marks", {{0, 100, 10, 18}, {0, 50, 0, 9}}, {0, 0, 0, 0, 0}},
      {"marked and unmarked",
       {{1, 100, 10, 16.2}, {0, 999, 99, 99}, {1, 50.5, 0, 9.09}},
       {150.5, 10, 140.5, 25.29, 165.79}},
      // Each running sum is rounded after every addition: three halves of a
      // cent make three cents, not the two that rounding the sum would give.
      {"running rounding",
       {{1, 0.005, 0.005, 0.005}, {1, 0.005, 0, 0.005}, {1, 0.005, 0, 0.005}},
       {0.03, 0.01, 0.02, 0.03, 0.05}},
      {"a mark other than 1 is no mark",
       {{2, 100, 0, 0}, {-1, 100, 0, 0}, {1, 1, 0, 0}},
       {1, 0, 1, 0, 1}},
      {"NULL amounts count 0", {{1, kNaN, kNaN, kNaN}, {1, 10, kNaN, 1.8}}, {10, 0, 10, 1.8, 11.8}},
      {"grouping and cents",
       {{1, 1234567.891, 1000.004, 0.996}},
       {1234567.89, 1000, 1233567.89, 1, 1233568.89}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.ad);
    const DataSet ds = sepetVerisi(c.satirlar);
    toplamlarAyni(SepetToplamHesapla(ds), c.beklenen);
  }
}

TEST_F(Turkce, MissingOrBrokenAmountColumnsCountZeroNeverNaN) {
  // A cart without INDIRIMTUTAR, with a NaN and an infinity in its amounts.
  DataSet ds;
  ds.addField(QStringLiteral("SEC"), FieldType::Integer);
  ds.addField(QStringLiteral("TUTAR"), FieldType::Float);
  ds.addField(QStringLiteral("VERGITUTARI"), FieldType::String);
  const QList<std::tuple<double, QString>> satirlar = {
      {100, QStringLiteral("18")},
      {kNaN, QStringLiteral("abc")},
      {std::numeric_limits<double>::infinity(), QString()},
      {5.55, QStringLiteral("1")}};
  for (const auto& [tutar, vergi] : satirlar) {
    const int r = ds.appendRow();
    ds.setInteger(r, 0, 1);
    ds.setFloat(r, 1, tutar);
    if (!vergi.isEmpty()) ds.setString(r, 2, vergi);
  }
  ds.setRecNo(2);
  const SepetToplamlari t = SepetToplamHesapla(ds);
  toplamlarAyni(t, {105.55, 0, 105.55, 19, 124.55});
  EXPECT_EQ(ds.recNo(), 2);  // the current row stays
  EXPECT_EQ(TutarYazisi(t.genelToplam), QStringLiteral("124,55"));

  // Without a SEC column nothing is marked.
  DataSet secsiz;
  secsiz.addField(QStringLiteral("TUTAR"), FieldType::Float);
  secsiz.setFloat(secsiz.appendRow(), 0, 10);
  toplamlarAyni(SepetToplamHesapla(secsiz), {0, 0, 0, 0, 0});
  EXPECT_EQ(TutarYazisi(0), QStringLiteral("0,00"));
  EXPECT_EQ(TutarYazisi(1234567.5), QStringLiteral("1.234.567,50"));
}

// A thousand lines: the totals stay exact to the cent, as a sum in whole
// cents gives them.
TEST_F(Turkce, ThousandLinesStayExactToTheCent) {
  QList<Satir> satirlar;
  qint64 kurus[3] = {0, 0, 0};
  for (int i = 0; i < 1000; ++i) {
    const qint64 t = 1999 + 37 * i, d = 3 * i % 700, v = (t - d) * 18 / 100;
    satirlar.append({1, t / 100.0, d / 100.0, v / 100.0});
    kurus[0] += t;
    kurus[1] += d;
    kurus[2] += v;
  }
  const DataSet ds = sepetVerisi(satirlar);
  toplamlarAyni(SepetToplamHesapla(ds),
                {kurus[0] / 100.0, kurus[1] / 100.0, (kurus[0] - kurus[1]) / 100.0,
                 kurus[2] / 100.0, (kurus[0] - kurus[1] + kurus[2]) / 100.0});
}

// ---- Questions about a dataset ---------------------------------------------------

TEST(Sepet, VeriVarmiAndSecimVarmi) {
  DataSet kapali;
  EXPECT_FALSE(VeriVarmi(kapali));
  EXPECT_FALSE(SecimVarmi(kapali));
  DataSet bos;
  bos.addField(QStringLiteral("SEC"), FieldType::Integer);
  EXPECT_FALSE(VeriVarmi(bos));
  EXPECT_FALSE(SecimVarmi(bos));

  DataSet ds = sepetVerisi({{0, 1, 0, 0}, {0, 1, 0, 0}, {1, 1, 0, 0}, {1, 1, 0, 0}});
  ds.first();
  EXPECT_TRUE(VeriVarmi(ds));
  EXPECT_TRUE(SecimVarmi(ds));
  EXPECT_EQ(ds.recNo(), 2);  // on the first marked row
  ds.setInteger(2, 0, 0);
  ds.setInteger(3, 0, 0);
  EXPECT_FALSE(SecimVarmi(ds));
  EXPECT_TRUE(ds.eof());  // past the last row
}

TEST(Sepet, LineAsTheChangeFlowReadsIt) {
  DataSet ds;
  for (const char* ad : {"SIRANO", "STOKNO"})
    ds.addField(QString::fromLatin1(ad), FieldType::Integer);
  for (const char* ad : {"BARKOD", "STOKADI", "MARKA", "FINISHKOD", "MODEL"})
    ds.addField(QString::fromLatin1(ad), FieldType::String);
  for (const char* ad : {"KDV", "MIKTAR", "BIRIMFIYAT", "INDIRIMORANI1", "INDIRIMORANI2",
                         "INDIRIMORANI3", "INDIRIMORANI4"})
    ds.addField(QString::fromLatin1(ad), FieldType::Float);
  for (int i = 0; i < 2; ++i) {
    const int r = ds.appendRow();
    ds.setInteger(r, 0, 70 + r);
    ds.setInteger(r, 1, 500 + r);
    ds.setString(r, 2, QStringLiteral("FR-%1").arg(r));
    ds.setString(r, 3, QStringLiteral("FREN BALATASI Ö"));
    ds.setString(r, 4, QStringLiteral("MARKA"));
    ds.setString(r, 5, QStringLiteral("FK"));
    ds.setString(r, 6, QStringLiteral("MODEL"));
    const double sayilar[] = {18, 4, 125.5, 10, 5, 2.5, 1};
    for (int c = 0; c < 7; ++c) ds.setFloat(r, 7 + c, sayilar[c]);
  }
  ds.setRecNo(1);
  const SepetSatiri s = SepetSatiriOku(ds);
  EXPECT_EQ(s.sirano, 71);
  EXPECT_EQ(s.stokno, 501);
  EXPECT_EQ(s.barkod, QStringLiteral("FR-1"));
  EXPECT_EQ(s.stokadi, QStringLiteral("FREN BALATASI Ö"));
  EXPECT_EQ(s.kdv, 18);
  EXPECT_EQ(s.miktar, 4);
  EXPECT_EQ(s.birimfiyat, 125.5);
  EXPECT_EQ(s.oranlar, (Oranlar{10, 5, 2.5, 1}));
  EXPECT_EQ(SatirSilAciklamasi(s), QStringLiteral("FR-1-FREN BALATASI Ö"));
  // A dataset without the columns gives an empty line, not an error.
  EXPECT_EQ(SepetSatiriOku(DataSet()).sirano, 0);
}

// ---- The order confirmation --------------------------------------------------------

TEST(Sepet, SummaryPreselectionAndChecksOfTheConfirmation) {
  TSonucBilgisi b;
  b.SetADI(QStringLiteral("UYE101"));
  b.SetCariAdi(QStringLiteral("ÖZGÜR OTO"));
  EXPECT_EQ(SiparisOzeti(b, QStringLiteral("1.234,50")),
            QStringLiteral("Kullanıcı: UYE101\nCari     : ÖZGÜR OTO\nTutar    : 1.234,50"));

  for (const auto& [adet, secilen] : {std::pair{0, -1}, {1, 0}, {2, 1}, {3, 1}, {4, 1}})
    EXPECT_EQ(TeslimOnSecimi(adet), secilen) << adet;

  struct Case {
    int teslim, tur, kargo;
    const char* eksik;
  };
  const Case cases[] = {
      {-1, -1, -1, "Lütfen Teslim Durumu Seçiniz !"},
      {-1, 0, 1, "Lütfen Teslim Durumu Seçiniz !"},
      {0, -1, 1, "Lütfen Kargo Türünü Seçiniz !"},
      {1, 0, 0, "Lütfen Kargo  Seçiniz !"},  // the blank first entry
      {1, 0, -1, "Lütfen Kargo  Seçiniz !"},
      {1, 2, 1, ""},
  };
  for (const Case& c : cases)
    EXPECT_EQ(SiparisOnayEksigi(c.teslim, c.tur, c.kargo), QString::fromUtf8(c.eksik))
        << c.teslim << c.tur << c.kargo;
  EXPECT_EQ(SepetDurumAdi(1), QStringLiteral("Var"));
  EXPECT_EQ(SepetDurumAdi(5), QStringLiteral("Tedarik Sürecinde"));
  EXPECT_EQ(SepetDurumAdi(9), QStringLiteral("9"));
  EXPECT_FALSE(SepetSutunlariAgirlikla(1152));
  EXPECT_TRUE(SepetSutunlariAgirlikla(1153));
}

// ---- Against the server --------------------------------------------------------------

namespace {

class Sunucu : public test::SunucuTesti {
 protected:
  void SetUp() override {
    SunucuTesti::SetUp();
    bilgi = s->giris(3);
    s->sepetiBosalt(*bilgi);
  }

  // The cart's lines as the server keeps them, by SIRANO.
  QList<int> siranolar() {
    const auto ds = s->sepet(bilgi->CARINO());
    QList<int> l;
    for (int r = 0; r < ds->rowCount(); ++r) l << ds->intValue(r, ds->fieldIndex(u"SIRANO"));
    return l;
  }
  QList<int> isaretliler() {
    const auto ds = s->sepet(bilgi->CARINO());
    QList<int> l;
    for (int r = 0; r < ds->rowCount(); ++r)
      if (ds->intValue(r, ds->fieldIndex(u"SEC")) == 1)
        l << ds->intValue(r, ds->fieldIndex(u"SIRANO"));
    return l;
  }

  std::unique_ptr<TSonucBilgisi> bilgi;
};

}  // namespace

TEST_F(Sunucu, EveryLineItsOwnMarkCall) {
  s->sepeteDoldur(*bilgi, 20);
  const QList<int> satirlar = siranolar();
  ASSERT_EQ(satirlar.size(), 20);
  const auto bagc = s->baglanti();
  QList<int> ilerleme;
  EXPECT_EQ(SecimleriKaydet(*bagc, satirlar, 1, [&](int n) { ilerleme << n; }), satirlar);
  ASSERT_EQ(s->secimler().size(), 20);
  for (int i = 0; i < 20; ++i) EXPECT_EQ(s->secimler()[i], std::pair(satirlar[i], 1));
  EXPECT_EQ(ilerleme.size(), 20);
  EXPECT_EQ(isaretliler(), satirlar);
  EXPECT_FALSE(bagc->isOpen());  // each call on a clone of its own

  EXPECT_TRUE(SecimKaydet(*bagc, satirlar[3], 0));
  EXPECT_EQ(isaretliler().size(), 19);
  EXPECT_TRUE(mesajlar.shown().isEmpty());
}

// The server goes away after the seventh mark: the eighth line's connection
// fails (eleven attempts and the message, once), no further line is tried,
// and exactly the seven lines the server has are reported.
TEST_F(Sunucu, ServerGoneHalfWayStopsAndReportsOnlyWhatArrived) {
  s->sepeteDoldur(*bilgi, 30);
  const QList<int> satirlar = siranolar();
  const auto bagc = s->baglanti();
  const int port = bagc->port();
  s->secimSonrasi([&](int n) {
    if (n == 7) bagc->setPort(1);  // nothing listens there
  });
  const QList<int> giden = SecimleriKaydet(*bagc, satirlar, 1);
  EXPECT_EQ(giden, satirlar.mid(0, 7));
  EXPECT_EQ(s->secimler().size(), 7);
  EXPECT_EQ(mesajlar.shown().size(), 12);
  EXPECT_EQ(mesajlar.texts().last(), kBaglantiYok);
  bagc->setPort(port);
  EXPECT_EQ(isaretliler(), giden);
}

TEST_F(Sunucu, LineChangeSendsStoknoZeroAndTheStoredRates) {
  const auto yonetici = s->giris(2);  // rates are the manager's to set
  s->sepetiBosalt(*yonetici);
  auto c = s->h().connect();
  TServerMethods1Client p(c.get());
  const auto urunler = s->h().methods->StokAraGetir(QStringLiteral("A"), yonetici.get());
  const int stokno = urunler->intValue(3, urunler->fieldIndex(u"STOK_STOKNO"));
  ASSERT_EQ(p.SepetEkle2(server::test::copy(*yonetici), yonetici->CARINO(), stokno, "", "", 2, 0,
                         80, 10, 0, 0, 5, 2.5, 1),
            1);
  DataSet sepet;
  ASSERT_TRUE(SepetGetir(*s->baglanti(), *yonetici, sepet));
  const SepetSatiri satir = SepetSatiriOku(sepet);
  ASSERT_EQ(satir.oranlar, (Oranlar{10, 5, 2.5, 1}));
  s->sifirla();

  const auto bagc = s->baglanti();
  EXPECT_EQ(SepetSatirGuncelle(*bagc, *yonetici, satir, 6, 95.5, sepet), 1);
  ASSERT_EQ(s->guncellemeler().size(), 1);
  const test::GuncelleCagrisi g = s->guncellemeler()[0];
  EXPECT_EQ(g.kullanici, yonetici->ADI());
  EXPECT_EQ(g.carino, yonetici->CARINO());
  EXPECT_EQ(g.stokno, 0);
  EXPECT_EQ(g.barkod, satir.barkod);
  EXPECT_EQ(g.stokadi, satir.stokadi);
  EXPECT_EQ(g.miktar, 6);
  EXPECT_EQ(g.kdv, std::lround(satir.kdv));
  EXPECT_EQ(g.fiyat, 95.5);
  EXPECT_EQ(g.verenid, yonetici->Sirano());
  EXPECT_EQ(g.sepetsirano(), satir.sirano);
  EXPECT_EQ((Oranlar{g.ind1, g.ind2, g.ind3, g.ind4}), (Oranlar{10, 5, 2.5, 1}));
  EXPECT_EQ(s->sepetVerSayisi(), 1);  // reloaded after the change
  EXPECT_EQ(SatirSayi(sepet, u"MIKTAR"), 6);
  EXPECT_EQ(SatirSayi(sepet, u"BIRIMFIYAT"), 95.5);
  EXPECT_FALSE(bagc->isOpen());

  // A refused change reloads nothing here.
  s->sifirla();
  SepetSatiri yok = satir;
  yok.sirano = 999999;
  EXPECT_EQ(SepetSatirGuncelle(*bagc, *yonetici, yok, 1, 1, sepet), 0);
  EXPECT_EQ(s->sepetVerSayisi(), 0);
}

TEST_F(Sunucu, DeleteOneLineAndTheWholeCart) {
  s->sepeteDoldur(*bilgi, 3);
  DataSet sepet;
  ASSERT_TRUE(SepetGetir(*s->baglanti(), *bilgi, sepet));
  sepet.setRecNo(1);
  const auto bagc = s->baglanti();
  EXPECT_TRUE(SepetSatirSil(*bagc, *bilgi, SepetSatiriOku(sepet)));
  EXPECT_EQ(siranolar().size(), 2);
  EXPECT_FALSE(siranolar().contains(SatirTamsayi(sepet, u"SIRANO")));
  EXPECT_TRUE(SepetHepsiniSil(*bagc, *bilgi));
  EXPECT_TRUE(siranolar().isEmpty());
  EXPECT_FALSE(bagc->isOpen());
  EXPECT_TRUE(mesajlar.shown().isEmpty());
}

TEST_F(Sunucu, OrderListsCompaniesAndTheOrder) {
  const auto bagc = s->baglanti();
  const SiparisListeleri l = SiparisListeleriOku(*bagc);
  ASSERT_EQ(l.teslim.size(), 4);
  EXPECT_EQ(l.teslim[1].ad, QStringLiteral("Kargo ile"));
  ASSERT_EQ(l.kargoTurleri.size(), 3);
  EXPECT_EQ(l.kargoTurleri[1].ad, QStringLiteral("Gönderici Ödemeli"));

  DataSet kargo;
  ASSERT_TRUE(KargolarOku(*bagc, l.kargoTurleri[0].kimlik, kargo));
  ASSERT_EQ(kargo.rowCount(), 2);
  kargo.first();
  EXPECT_EQ(SatirMetin(kargo, u"ADI"), QStringLiteral("Yıldızyolu Kargo"));
  EXPECT_FALSE(SatirMetin(kargo, u"UYARI").isEmpty());
  const int sirket = SatirTamsayi(kargo, u"SIRANO");
  EXPECT_FALSE(bagc->isOpen());

  s->sepeteDoldur(*bilgi, 3);
  const QList<int> satirlar = siranolar();
  ASSERT_EQ(SecimleriKaydet(*bagc, satirlar.mid(0, 2), 1).size(), 2);
  EXPECT_TRUE(SiparisGonder(*bagc, *bilgi, sirket, l.kargoTurleri[0].kimlik,
                            QStringLiteral("Öğleden önce"), l.teslim[1].kimlik));
  ASSERT_EQ(s->siparisler().size(), 1);
  const test::SiparisCagrisi o = s->siparisler()[0];
  EXPECT_EQ(o.kullanici, bilgi->ADI());
  EXPECT_EQ(o.carino, bilgi->CARINO());
  EXPECT_EQ(o.teslim, l.teslim[1].kimlik);
  EXPECT_EQ(o.kargo, l.kargoTurleri[0].kimlik);
  EXPECT_EQ(o.aciklama, QStringLiteral("Öğleden önce"));
  EXPECT_EQ(o.verenid, bilgi->Sirano());
  EXPECT_EQ(o.kargoyeni, sirket);
  EXPECT_EQ(siranolar(), satirlar.mid(2));  // the marked lines left the cart

  // The server's refusal comes back as it is.
  s->siparisSonucu(false);
  EXPECT_FALSE(SiparisGonder(*bagc, *bilgi, sirket, l.kargoTurleri[0].kimlik, QString(),
                             l.teslim[1].kimlik));
  EXPECT_TRUE(mesajlar.shown().isEmpty());
}

TEST_F(Sunucu, NoConnection) {
  auto kapali = std::make_unique<Connection>();
  kapali->setHostName(QStringLiteral("127.0.0.1"));
  kapali->setPort(1);
  const SepetSatiri satir;
  DataSet sepet;
  struct Case {
    const char* ad;
    std::function<bool()> cagri;  // true when it behaved
    bool sonMesaj;                // the connection message after the attempts
  };
  const Case cases[] = {
      {"mark", [&] { return SecimGonder(*kapali, 1, 1) == SecimSonucu::BaglantiYok; }, true},
      {"marks",
       [&] {
         return SecimleriKaydet(*kapali, {1, 2, 3}, 1).isEmpty();
       },
       true},
      {"change", [&] { return SepetSatirGuncelle(*kapali, *bilgi, satir, 1, 1, sepet) == -1; },
       true},
      {"delete", [&] { return !SepetSatirSil(*kapali, *bilgi, satir); }, true},
      {"delete all", [&] { return !SepetHepsiniSil(*kapali, *bilgi); }, true},
      {"lists", [&] { return SiparisListeleriOku(*kapali).teslim.isEmpty(); }, true},
      {"companies", [&] { return !KargolarOku(*kapali, 1, sepet); }, true},
      {"order", [&] { return !SiparisGonder(*kapali, *bilgi, 1, 1, QString(), 1); }, true},
      // The overdue check is quiet: only the attempts' own boxes.
      {"overdue", [&] { return CariBakiyeUyariBak(*kapali, bilgi->CARINO()).isEmpty(); }, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.ad);
    mesajlar.clear();
    EXPECT_TRUE(c.cagri());
    EXPECT_EQ(mesajlar.shown().size(), c.sonMesaj ? 12 : 11);
    EXPECT_EQ(mesajlar.texts().contains(kBaglantiYok), c.sonMesaj);
  }
  EXPECT_TRUE(s->secimler().isEmpty());
  EXPECT_TRUE(s->siparisler().isEmpty());
}

TEST_F(Sunucu, OverdueWarningAsTheServerGivesIt) {
  const auto bagc = s->baglanti();
  s->bakiyeUyarisi(QStringLiteral("Vadesi geçmiş bakiyeniz 1.250,00 TL"));
  EXPECT_EQ(CariBakiyeUyariBak(*bagc, bilgi->CARINO()),
            QStringLiteral("Vadesi geçmiş bakiyeniz 1.250,00 TL"));
  s->bakiyeUyarisi(QString());
  EXPECT_EQ(CariBakiyeUyariBak(*bagc, bilgi->CARINO()), QString());
  EXPECT_EQ(s->bakiyeSorgusu(), 2);
  EXPECT_TRUE(mesajlar.shown().isEmpty());
}
