// The dialog's arithmetic, the number boxes' editing rule and the cart calls
// against the reference server on loopback.
#include <gtest/gtest.h>

#include <QBuffer>
#include <QImage>
#include <QLocale>
#include <cmath>
#include <limits>

#include "dataset.h"
#include "error.h"
#include "hesap.h"
#include "mesaj.h"
#include "sayiduzen.h"
#include "seams.h"
#include "sepetislem.h"
#include "sunucutesti.h"

using namespace vlm;

namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInf = std::numeric_limits<double>::infinity();

using test::Turkce;

}  // namespace

// ---- Rounding --------------------------------------------------------------

TEST_F(Turkce, YuvarlaRoundsHalvesAwayFromZeroAsPrinted) {
  struct Case {
    double x, yuvarla, yuvarla3;
  };
  const Case cases[] = {
      // Exact binary halves: banker's rounding would give 0.12, 0.62, 0.062.
      {0.125, 0.13, 0.125},
      {-0.125, -0.13, -0.125},
      {0.625, 0.63, 0.625},
      {-0.625, -0.63, -0.625},
      {0.0625, 0.06, 0.063},
      {-0.0625, -0.06, -0.063},
      {0.3125, 0.31, 0.313},
      {-0.3125, -0.31, -0.313},
      // Not binary halves, but printed as such: printf gives 1.00 and 2.67.
      {1.005, 1.01, 1.005},
      {2.675, 2.68, 2.675},
      {-2.675, -2.68, -2.675},
      {1.0005, 1.0, 1.001},
      // Thousands separators are removed before reading back.
      {1234567.125, 1234567.13, 1234567.125},
      {-1234567.125, -1234567.13, -1234567.125},
      {99.995, 100.0, 99.995},
      {0.004, 0.0, 0.004},
      {-0.004, 0.0, -0.004},
      {0, 0, 0},
      {256.5, 256.5, 256.5},
  };
  for (const Case& c : cases) {
    EXPECT_DOUBLE_EQ(Yuvarla(c.x), c.yuvarla) << c.x;
    EXPECT_DOUBLE_EQ(Yuvarla3(c.x), c.yuvarla3) << c.x;
  }
  for (const double bozuk : {kNaN, kInf, -kInf}) {
    EXPECT_EQ(Yuvarla(bozuk), 0);
    EXPECT_EQ(Yuvarla3(bozuk), 0);
  }
}

TEST(Yuvarla, SameInTheCLocale) {
  QLocale::setDefault(QLocale::c());
  EXPECT_DOUBLE_EQ(Yuvarla(1234567.125), 1234567.13);
  EXPECT_DOUBLE_EQ(Yuvarla(-0.625), -0.63);
  EXPECT_DOUBLE_EQ(Yuvarla3(-0.0625), -0.063);
}

// ---- Amounts ---------------------------------------------------------------

TEST_F(Turkce, HesaplaCascadesSkipsAndRounds) {
  struct Case {
    const char* ad;
    double fiyat, miktar;
    Oranlar oranlar;
    double kdv;
    Tutarlar beklenen;  // brut, net, indirim, netSatir, netBirim, kdvDahil, tutar
  };
  // clang-format off
  const Case cases[] = {
      {"worked example", 100, 3, {10, 5, 0, 0}, 18, {300, 256.5, 43.5, 256.5, 85.5, 100.89, 302.67}},
      {"no discounts", 100, 3, {0, 0, 0, 0}, 18, {300, 300, 0, 300, 100, 118, 354}},
      {"negative rate skipped", 100, 3, {-10, 5, 0, 0}, 18, {300, 285, 15, 285, 95, 112.1, 336.3}},
      {"all four cascade", 200, 1, {10, 10, 10, 10}, 20,
       {200, 131.22, 68.78, 131.22, 131.22, 157.46, 157.46}},
      // The discount amount is not rounded; the rest is.
      {"unrounded discount", 0.333, 3, {10, 0, 0, 0}, 18, {0.999, 0.8991, 0.0999, 0.9, 0.3, 0.35, 1.05}},
      // "Tutar:" is the rounded unit price with VAT times the quantity
      // (82.67), not the net line with VAT (82.68).
      {"line from the unit price", 10.01, 7, {0, 0, 0, 0}, 18,
       {70.07, 70.07, 0, 70.07, 10.01, 11.81, 82.67}},
      {"quantity 0", 100, 0, {10, 0, 0, 0}, 18, {0, 0, 0, 0, 0, 0, 0}},
  };
  // clang-format on
  for (const Case& c : cases) {
    SCOPED_TRACE(c.ad);
    const Tutarlar t = Hesapla(c.fiyat, c.miktar, c.oranlar, c.kdv);
    EXPECT_NEAR(t.brut, c.beklenen.brut, 1e-9);
    EXPECT_NEAR(t.net, c.beklenen.net, 1e-9);
    EXPECT_NEAR(t.indirim, c.beklenen.indirim, 1e-9);
    EXPECT_DOUBLE_EQ(t.netSatir, c.beklenen.netSatir);
    EXPECT_DOUBLE_EQ(t.netBirim, c.beklenen.netBirim);
    EXPECT_DOUBLE_EQ(t.kdvDahil, c.beklenen.kdvDahil);
    EXPECT_DOUBLE_EQ(t.tutar, c.beklenen.tutar);
  }
}

TEST_F(Turkce, HesaplaNeverGivesNaNOrInfinity) {
  const double huge = std::numeric_limits<double>::max();
  const struct {
    double fiyat, miktar;
    Oranlar oranlar;
    double kdv;
  } cases[] = {
      {kNaN, 3, {10, 0, 0, 0}, 18},        {100, kInf, {0, 0, 0, 0}, 18},
      {huge, 10000, {0, 0, 0, 0}, 18},     {100, 3, {kNaN, kInf, -kInf, 5}, 18},
      {100, 3, {0, 0, 0, 0}, kInf},        {-kInf, -kInf, {huge, huge, 0, 0}, kNaN},
      {1e300, 1e300, {0, 0, 0, 0}, 1e300},
  };
  for (const auto& c : cases) {
    const Tutarlar t = Hesapla(c.fiyat, c.miktar, c.oranlar, c.kdv);
    for (const double v : {t.brut, t.net, t.indirim, t.netSatir, t.netBirim, t.kdvDahil, t.tutar})
      EXPECT_TRUE(std::isfinite(v)) << c.fiyat << " " << c.miktar;
    EXPECT_EQ(SayiKutusuMetni(t.tutar).contains(QLatin1String("N")), false);
  }
  // A rate that is not a number is skipped like a rate of 0.
  EXPECT_DOUBLE_EQ(Hesapla(100, 3, {kNaN, 5, 0, 0}, 18).tutar, 336.3);
}

TEST(IskontoVar, SumAboveOne) {
  const std::pair<Oranlar, bool> cases[] = {
      {{0, 0, 0, 0}, false},   {{0.5, 0.5, 0, 0}, false}, {{0.5, 0.6, 0, 0}, true},
      {{1, 0, 0, 0}, false},   {{0, 0, 0, 1.01}, true},   {{10, 5, 0, 0}, true},
      {{-5, 3, 2, 1.5}, true},
  };
  for (const auto& [oranlar, var] : cases) EXPECT_EQ(IskontoVar(oranlar), var);
}

TEST_F(Turkce, KdvCikarStripsEighteenPercent) {
  EXPECT_EQ(SayiKutusuMetni(KdvCikar(118)), QStringLiteral("100,00"));
  EXPECT_DOUBLE_EQ(Yuvarla(KdvCikar(118)), 100);
  EXPECT_DOUBLE_EQ(Yuvarla(KdvCikar(100)), 84.75);  // again at each press
  EXPECT_EQ(KdvCikar(0), 0);
}

// ---- Number boxes ----------------------------------------------------------

namespace {

struct Kutu {
  QString metin;
  int imlec;
  double deger;
  bool reddedildi = false;
};

// Applies keys as a line edit would, then the box's rule after each:
// '\b' backspace, '\x7f' delete, '\x01' home, '\x05' end, '\x02' left,
// '\x06' right; anything else is typed.
Kutu tuslar(Kutu k, const QString& tuslar, SayiKurali kural = {}) {
  for (const QChar c : tuslar) {
    QString yeni = k.metin;
    int imlec = k.imlec;
    switch (c.unicode()) {
      case 0x01: k.imlec = 0; continue;
      case 0x05: k.imlec = int(k.metin.size()); continue;
      case 0x02: k.imlec = std::max(0, k.imlec - 1); continue;
      case 0x06: k.imlec = std::min(int(k.metin.size()), k.imlec + 1); continue;
      case '\b':
        if (imlec == 0) continue;
        yeni.remove(--imlec, 1);
        break;
      case 0x7f:
        if (imlec >= yeni.size()) continue;
        yeni.remove(imlec, 1);
        break;
      default: yeni.insert(imlec++, c);
    }
    const SayiDuzenSonucu s = SayiDuzenle(k.metin, yeni, imlec, kural);
    k.metin = s.metin;
    k.imlec = s.imlec;
    k.reddedildi = s.reddedildi;
    if (!s.reddedildi) k.deger = s.deger;
  }
  return k;
}

}  // namespace

TEST_F(Turkce, NumberBoxKeepsTheAmountFormatWhileTyped) {
  const SayiKurali oran{-100, 100};
  struct Case {
    const char* ad;
    Kutu once;
    QString tuslar;
    SayiKurali kural;
    Kutu sonra;
  };
  const Case cases[] = {
      {"digits over the place-holding zero", {"0,00", 0, 0}, "1234", {}, {"1.234,00", 5, 1234}},
      {"digits behind the zero", {"0,00", 1, 0}, "07", {}, {"7,00", 1, 7}},
      {"separator jumps to the fraction", {"1.234,00", 5, 1234}, ",5", {}, {"1.234,50", 7, 1234.5}},
      {"fraction digits are written over", {"1,50", 2, 1.5}, "7", {}, {"1,75", 3, 1.75}},
      {"third fraction digit dropped", {"1,75", 4, 1.75}, "9", {}, {"1,75", 4, 1.75}},
      {"backspace in the fraction", {"1.234,50", 8, 1234.5}, "\b\b", {}, {"1.234,00", 6, 1234}},
      {"backspace over the separator", {"1.234,00", 6, 1234}, "\b", {}, {"1.234,00", 5, 1234}},
      {"backspace regroups", {"1.234,00", 5, 1234}, "\b", {}, {"123,00", 3, 123}},
      {"delete before a group separator", {"1.234,00", 0, 1234}, "\x7f", {}, {"234,00", 0, 234}},
      {"letters are dropped", {"5,00", 1, 5}, "x", {}, {"5,00", 1, 5}},
      {"all digits deleted", {"5,00", 1, 5}, "\b", {}, {"0,00", 1, 0}},
      {"price over the limit refused",
       {"999.999.999,99", 11, 999999999.99},
       "9",
       {},
       {"999.999.999,99", 11, 999999999.99, true}},
      {"no sign in the price box", {"5,00", 0, 5}, "-", {}, {"5,00", 0, 5}},
      {"sign in a rate box", {"0,00", 0, 0}, "-5", oran, {"-5,00", 2, -5}},
      {"sign typed twice turns back", {"-5,00", 0, -5}, "-", oran, {"5,00", 0, 5}},
      {"rate over 100 refused", {"15,00", 2, 15}, "0", oran, {"15,00", 2, 15, true}},
      {"rate below -100 refused", {"-15,00", 3, -15}, "0", oran, {"-15,00", 3, -15, true}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.ad);
    const Kutu k = tuslar(c.once, c.tuslar, c.kural);
    EXPECT_EQ(k.metin, c.sonra.metin);
    EXPECT_EQ(k.imlec, c.sonra.imlec);
    EXPECT_DOUBLE_EQ(k.deger, c.sonra.deger);
    EXPECT_EQ(k.reddedildi, c.sonra.reddedildi);
  }
}

TEST_F(Turkce, NumberBoxTakesPastedText) {
  const std::tuple<const char*, const char*, double> cases[] = {
      {"1.234.567,891", "1.234.567,89", 1234567.89},
      {"abc", "0,00", 0},
      {"12,3,4", "12,34", 12.34},
      {"  42 ", "42,00", 42},
      {"", "0,00", 0},
      {"1e308", "1.308,00", 1308},  // digits only: never a huge or infinite value
  };
  for (const auto& [yapistir, metin, deger] : cases) {
    const QString y = QString::fromUtf8(yapistir);
    const SayiDuzenSonucu s = SayiDuzenle(QStringLiteral("5,00"), y, int(y.size()), {});
    EXPECT_EQ(s.metin, QString::fromUtf8(metin)) << yapistir;
    EXPECT_DOUBLE_EQ(s.deger, deger) << yapistir;
  }
  EXPECT_EQ(SayiKutusuMetni(kNaN), QStringLiteral("0,00"));
  EXPECT_EQ(SayiKutusuMetni(-kInf), QStringLiteral("0,00"));
  EXPECT_EQ(SayiKutusuMetni(1234.5), QStringLiteral("1.234,50"));
}

TEST(NumberBox, CLocaleSeparators) {
  QLocale::setDefault(QLocale::c());
  const Kutu k = tuslar({"0.00", 0, 0}, "1234.5");
  EXPECT_EQ(k.metin, QStringLiteral("1,234.50"));
  EXPECT_DOUBLE_EQ(k.deger, 1234.5);
}

// ---- The cart on the server ------------------------------------------------

namespace {

QByteArray jpeg(QSize boyut = {40, 30}) {
  QImage img(boyut, QImage::Format_RGB32);
  img.fill(QColor(200, 30, 40));
  QByteArray b;
  QBuffer buf(&b);
  buf.open(QIODevice::WriteOnly);
  img.save(&buf, "JPEG");
  return b;
}

class Sunucu : public test::SunucuTesti {
 protected:
  // The stock list of a search, on its first row.
  std::unique_ptr<DataSet> stok(const TSonucBilgisi& bilgi, const QString& aranan) {
    auto c = s->h().connect();
    return server::test::fromPacket(
        TServerMethods1Client(c.get()).StokAraGetir(aranan, server::test::copy(bilgi)));
  }
};

}  // namespace

TEST_F(Sunucu, SepeteEkleSendsTheRowAndItsAmountsInOrder) {
  const auto bilgi = s->giris(2);  // a manager: the server keeps price and rates as sent
  s->sepetiBosalt(*bilgi);
  auto liste = stok(*bilgi, QStringLiteral("FRE"));
  ASSERT_GT(liste->rowCount(), 2);
  liste->setRecNo(2);
  const auto bagc = s->baglanti();
  DataSet sepet;

  EXPECT_EQ(SepeteEkle(*bagc, *bilgi, *liste, sepet, 3, 123.45, {10, 5, 2.5, 0}), 1);

  ASSERT_EQ(s->eklemeler().size(), 1);
  const test::EkleCagrisi e = s->eklemeler()[0];
  EXPECT_EQ(e.kullanici, bilgi->ADI());
  EXPECT_EQ(e.carino, bilgi->CARINO());
  EXPECT_EQ(e.stokno, SatirTamsayi(*liste, u"STOK_STOKNO"));
  EXPECT_EQ(e.barkod, SatirMetin(*liste, u"BARKOD"));
  EXPECT_EQ(e.stokadi, SatirMetin(*liste, u"ADI"));
  EXPECT_EQ(e.miktar, 3);
  EXPECT_EQ(e.kdv, SatirTamsayi(*liste, u"KDV"));
  EXPECT_EQ(e.fiyat, 123.45);
  EXPECT_EQ(e.ind1, 10);
  EXPECT_EQ(e.verenid, bilgi->Sirano());
  EXPECT_EQ(e.k, SatirTamsayi(*liste, u"K"));
  EXPECT_EQ(e.ind2, 5);
  EXPECT_EQ(e.ind3, 2.5);
  EXPECT_EQ(e.ind4, 0);
  EXPECT_FALSE(bagc->isOpen());  // closed after the call

  // The line the server stored, and the reloaded cart.
  const auto sunucuda = s->sepet(bilgi->CARINO());
  ASSERT_EQ(sunucuda->rowCount(), 1);
  EXPECT_EQ(SatirTamsayi(*sunucuda, u"STOKNO"), e.stokno);
  EXPECT_EQ(SatirMetin(*sunucuda, u"BARKOD"), e.barkod);
  EXPECT_EQ(SatirSayi(*sunucuda, u"MIKTAR"), 3);
  EXPECT_EQ(SatirSayi(*sunucuda, u"BIRIMFIYAT"), 123.45);
  EXPECT_EQ(SatirSayi(*sunucuda, u"INDIRIMORANI1"), 10);
  EXPECT_EQ(SatirSayi(*sunucuda, u"INDIRIMORANI2"), 5);
  EXPECT_EQ(SatirSayi(*sunucuda, u"INDIRIMORANI3"), 2.5);
  EXPECT_EQ(SatirSayi(*sunucuda, u"INDIRIMORANI4"), 0);
  EXPECT_EQ(SatirSayi(*sunucuda, u"KDV"), e.kdv);
  EXPECT_EQ(SatirTamsayi(*sunucuda, u"VERENIDNO"), bilgi->Sirano());
  EXPECT_EQ(s->sepetVerSayisi(), 2);  // the reload, and this check
  ASSERT_EQ(sepet.rowCount(), 1);
  EXPECT_EQ(SatirTamsayi(sepet, u"STOKNO"), e.stokno);
  EXPECT_EQ(sepet.fieldByName(u"NETTUTAR")->displayFormat(), QStringLiteral("#,###,##0.00"));
  EXPECT_TRUE(mesajlar.shown().isEmpty());
}

TEST_F(Sunucu, ResultOtherThanOneSendsNothingMore) {
  const auto bilgi = s->giris(3);
  auto liste = stok(*bilgi, QStringLiteral("FRE"));
  ASSERT_GT(liste->rowCount(), 0);
  const auto bagc = s->baglanti();
  DataSet sepet;
  sepet.addField(QStringLiteral("ESKI"), FieldType::Integer);
  for (const int sonuc : {0, 2, -1}) {
    s->sifirla();
    s->ekleSonucu(sonuc);
    EXPECT_EQ(SepeteEkle(*bagc, *bilgi, *liste, sepet, 1, 1, {}), sonuc);
    EXPECT_EQ(s->eklemeler().size(), 1);
    EXPECT_EQ(s->sepetVerSayisi(), 0);
    EXPECT_TRUE(sepet.fieldByName(u"ESKI"));  // not reloaded
  }
  EXPECT_TRUE(mesajlar.shown().isEmpty());
}

TEST_F(Sunucu, NoConnectionSendsNothingAndKeepsTheCart) {
  const auto bilgi = s->giris(3);
  auto liste = stok(*bilgi, QStringLiteral("FRE"));
  auto kapali = std::make_unique<Connection>();
  kapali->setHostName(QStringLiteral("127.0.0.1"));
  kapali->setPort(1);  // nothing listens there
  DataSet sepet;
  ASSERT_TRUE(SepetGetir(*s->baglanti(), *bilgi, sepet));
  const int satirlar = sepet.rowCount();
  const quint64 surum = sepet.version();

  EXPECT_EQ(SepeteEkle(*kapali, *bilgi, *liste, sepet, 1, 1, {}), -1);
  EXPECT_FALSE(SepetGetir(*kapali, *bilgi, sepet));
  EXPECT_FALSE(UrunResmiOku(*kapali, 1).has_value());
  EXPECT_TRUE(s->eklemeler().isEmpty());
  EXPECT_EQ(sepet.rowCount(), satirlar);
  EXPECT_EQ(sepet.version(), surum);
  // Three times eleven attempts, each closed with the connection message.
  const QStringList metinler = mesajlar.texts();
  ASSERT_EQ(metinler.size(), 36);
  EXPECT_EQ(metinler.count(QStringLiteral("Bağlantı Kurulamıyor Lütfen Tekrar Deneyin ...!")), 3);
}

TEST_F(Sunucu, ProductPictureByTheStreamCopyRule) {
  const QByteArray resim = jpeg();
  const QByteArray uzun(3000, 'x');
  struct Case {
    const char* ad;
    std::function<void(Call&)> cevap;  // empty: the server's own picture
    bool resimVar;
    QString mesaj;
  };
  const Case cases[] = {
      {"a JPEG of the reported size", [&](Call& c) { c.setStream(resim); }, true, {}},
      {"size 0", [](Call& c) { c.setStream({}); }, false, {}},
      {"size 0 with bytes behind it",
       [&](Call& c) {
         c.setOutput(1, 0);
         c.setStream(resim);
       },
       false,
       {}},
      {"more bytes than reported",
       [&](Call& c) {
         c.setOutput(1, resim.size() - 10);
         c.setStream(resim);
       },
       false,
       {}},
      {"fewer bytes than reported",
       [&](Call& c) {
         c.setOutput(1, qint64(1) << 40);
         c.setStream(resim);
       },
       false,
       {}},
      {"not a JPEG", [&](Call& c) { c.setStream(uzun); }, false, {}},
      {"a JPEG cut short", [&](Call& c) { c.setStream(resim.left(resim.size() / 2)); }, false, {}},
      {"an error of the server", [](Call&) { throw Error(QStringLiteral("Resim okunamadı")); },
       false, QStringLiteral("Error: Resim okunamadı")},
  };
  const auto bagc = s->baglanti();
  for (const Case& c : cases) {
    SCOPED_TRACE(c.ad);
    s->sifirla();
    s->resimCevabi(c.cevap);
    mesajlar.clear();
    const std::optional<QImage> r = UrunResmiOku(*bagc, 5);
    EXPECT_EQ(r.has_value(), c.resimVar);
    if (r) {
      EXPECT_EQ(r->size(), QSize(40, 30));
    }
    EXPECT_EQ(mesajlar.texts(), c.mesaj.isEmpty() ? QStringList() : QStringList{c.mesaj});
    EXPECT_FALSE(bagc->isOpen());
  }

  // The fixture's own pictures: one product in four has one.
  s->sifirla();
  mesajlar.clear();
  const auto bilgi = s->giris(3);
  auto liste = stok(*bilgi, QStringLiteral("A"));
  ASSERT_TRUE(liste->locate(u"RESIM", 1));
  EXPECT_TRUE(UrunResmiOku(*bagc, SatirTamsayi(*liste, u"STOK_STOKNO")).has_value());
  ASSERT_TRUE(liste->locate(u"RESIM", 0));
  EXPECT_FALSE(UrunResmiOku(*bagc, SatirTamsayi(*liste, u"STOK_STOKNO")).has_value());
  EXPECT_TRUE(mesajlar.shown().isEmpty());
}

TEST(HataTuru, NamesTheErrorsClass) {
  EXPECT_EQ(HataTuru(std::make_exception_ptr(Error(QStringLiteral("x")))), "Error");
  EXPECT_EQ(HataTuru(std::make_exception_ptr(std::runtime_error("x"))), "runtime_error");
  EXPECT_EQ(HataTuru(std::make_exception_ptr(std::bad_alloc())), "bad_alloc");
  EXPECT_EQ(HataTuru(std::make_exception_ptr(42)), "Exception");
}
