// Every operation over the real protocol on loopback: the columns and types
// the client reads, and the business rules.
#include <gtest/gtest.h>

#include <QImage>

#include "daycount.h"
#include "error.h"
#include "harness.h"
#include "streamcopy.h"

using namespace vlm;
using namespace vlm::server;
using namespace vlm::server::test;

namespace {

// "NAME:t NAME:t ..." ("~" stands for a blank in a name) with t = i integer, f float, s text, m
// memo, d date, t date-time.
void expectColumns(const DataSet& ds, const char* beklenen, const char* op) {
  for (const QString& item :
       QString::fromUtf8(beklenen).split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
    const QString name =
        item.section(QLatin1Char(':'), 0, 0).replace(QLatin1Char('~'), QLatin1Char(' '));
    const QChar t = item.section(QLatin1Char(':'), 1, 1).at(0);
    const FieldType want = t == u'i'   ? FieldType::Integer
                           : t == u'f' ? FieldType::Float
                           : t == u's' ? FieldType::String
                           : t == u'm' ? FieldType::Memo
                           : t == u'd' ? FieldType::Date
                                       : FieldType::DateTime;
    const Field* f = ds.fieldByName(name);
    ASSERT_NE(f, nullptr) << op << ": no column " << name.toStdString();
    EXPECT_EQ(f->fieldName(), name) << op;
    EXPECT_EQ(fieldTypeName(f->dataType()), fieldTypeName(want))
        << op << ": " << name.toStdString();
  }
}

const char* const kProduct =
    "DURUM:i OEM1:m OEM2:m OEM3:m OEM4:m BARKOD:s ADI:s STOK_STOKNO:i FINISHKOD:s URETICIKODU:s "
    "RESIM:i BARKOD_BARKODNO:s DIGERADI:s DPKOD:s OEMNO:s BIRIM:s MARKA:s MODEL:s ANAGRUP:s "
    "OZELKOD:s KALAN:f PKOD:s KDV:f ALINANSIPARIS:f VERILENSIPARIS:f LISTEFIYAT1:f KAMPFIYAT:f "
    "FIYAT:f Y:i K:i INDIRIMYAZI:s NETFIYAT:f KDVDAHIL:f IND1:f IND2:f IND3:f IND4:f INDIRIM:f "
    "ESKIFIYAT:f";
const char* const kLine =
    "SEC:i VERILISTARIHI:t BARKOD:s FINISHKOD:s OEMNO:s STOKADI:s MIKTAR:f BIRIMFIYAT:f TUTAR:f "
    "INDIRIMYAZI:s NETBIRIMFIYAT:f KDV:f VERGITUTARI:f NETTUTAR:f VEREN:s DURUM:i SIPARISNO:i "
    "TARIH:d KUR:s SAAT:s ACIKLAMA:s OEM1:m OEM2:m OEM3:m OEM4:m DIGERADI:s DPKOD:s MARKA:s "
    "MODEL:s ANAGRUP:s OZELKOD:s PKOD:s INDIRIMORANI1:f INDIRIMORANI2:f INDIRIMORANI3:f "
    "INDIRIMORANI4:f SIRANO:i CARINO:i AKTAR:i STOKNO:i INDIRIMTUTAR:f KURTL:f VERENIDNO:i "
    "TESLIMID:i KARGOID:i IDNO:i VERENSIRANO:i CARIKOD:s CARIADI:s STOK_STOKNO:i URETICIKODU:s "
    "KALAN:f";
const char* const kOrderLine =
    "ILKFIYAT:f TESLIMEDILEN:f ELDEKI:f ALINANSIPARIS:f VERILENSIPARIS:f TESLIM:s KARGO:s "
    "STOKHAR_NO:i";
const char* const kCustomer =
    "CARIKOD:s CARIADI:s SATICISI:s TLBAKIYE:f DURUM:s SEPET:i ALINDI:i ONAYLANDI:i GORULDU:i "
    "HAZIRLANDI:i PARCALIHAZIRLANDI:i CARINO:i OZELKOD:s KOD1:s KOD2:s KOD3:s KOD4:s KOD5:s "
    "TEL1:s TEL2:s ILCE:s IL:s GSM:s YETKILI:s INDIRIM:f VADE:i VADEKONTROLGUN:i VADEKONTROLAY:i "
    "VERGIDAIRESI:s VERGINO:s ADRES1:s ADRES2:s ANAGRUP:s ALTGRUP:s FAX1:s FAX2:s EMAIL:s";

class Operations : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { h = new ServerHarness(); }
  static void TearDownTestSuite() {
    delete h;
    h = nullptr;
  }
  void SetUp() override {
    conn = h->connect();
    proxy = std::make_unique<TServerMethods1Client>(conn.get());
    dealer = h->login(*conn, h->user(3));
  }
  // A dealer's account with its statement and documents.
  int account() const { return dealer->CARINO(); }
  int cartRows() { return fromPacket(proxy->SepetVer2(account()))->rowCount(); }
  int addLine(int product, double qty) {
    return proxy->SepetEkle2(copy(*dealer), account(), product, "x", "y", qty, 20, 1, 0,
                             dealer->Sirano(), 0, 0, 0, 0);
  }
  int firstProduct() {
    auto ds = fromPacket(proxy->StokAraGetir(QStringLiteral("FRE"), copy(*dealer)));
    return ds->fieldByName(QStringLiteral("STOK_STOKNO"))->asInteger();
  }

  static ServerHarness* h;
  std::unique_ptr<Connection> conn;
  std::unique_ptr<TServerMethods1Client> proxy;
  std::unique_ptr<TSonucBilgisi> dealer;
};
ServerHarness* Operations::h = nullptr;

}  // namespace

TEST_F(Operations, TablesCarryTheColumnsTheClientReads) {
  const int a = account();
  expectColumns(*fromPacket(proxy->StokAraGetir(QStringLiteral("FREN"), copy(*dealer))), kProduct,
                "StokAraGetir");
  expectColumns(*fromPacket(proxy->YenilerVer2(a)), kProduct, "YenilerVer2");
  expectColumns(*fromPacket(proxy->KampanyaliVer2(a, 3)), kProduct, "KampanyaliVer2");
  expectColumns(*fromPacket(proxy->SepetVer2(a)), kLine, "SepetVer2");
  for (auto* r : {proxy->BakiyelerVer2(a), proxy->TumSiparislerVer(a, 0)}) {
    auto ds = fromReader(r);
    expectColumns(*ds, kLine, "order lines");
    expectColumns(*ds, kOrderLine, "order lines");
  }
  auto orders = fromReader(proxy->OncekiSiparisler(a));
  ASSERT_GT(orders->rowCount(), 0);
  expectColumns(*orders,
                "CARINO:i IDNO:i TARIH:t KUR:s KURTL:f VERENIDNO:i KARGO:s TESLIM:s VEREN:s "
                "CARIKOD:s CARIADI:s VERGI:f NETTUTAR:f TUTAR:f DURUM:s KARGOADI:s "
                "VERENINNOTU:m ALANNOTU:m",
                "OncekiSiparisler");
  const int order = orders->fieldByName(QStringLiteral("IDNO"))->asInteger();
  auto detail = fromReader(proxy->SiparisAyrintisi2(a, order));
  EXPECT_GT(detail->rowCount(), 0);
  expectColumns(*detail, kLine, "SiparisAyrintisi2");

  auto statement = fromReader(proxy->CariEkstreVer(a));
  expectColumns(*statement,
                "CARINO:i TARIH:d TURADI:s EVRAK:s BORC:f ALACAK:f KUR:s BAKIYE:f D:s IDNO:i "
                "ACIKLAMA:s",
                "CariEkstreVer");
  int invoice = 0, collection = 0;
  for (int r = 0; r < statement->rowCount(); ++r) {
    const QString kind = statement->stringValue(r, statement->fieldIndex(u"TURADI"));
    const int id = statement->intValue(r, statement->fieldIndex(u"IDNO"));
    if (kind.contains(QStringLiteral("Fatura"))) invoice = id;
    if (kind == QStringLiteral("Tahsilat")) collection = id;
  }
  ASSERT_GT(invoice, 0);
  ASSERT_GT(collection, 0);
  auto lines = fromReader(proxy->FaturaGetir(a, invoice));
  EXPECT_GT(lines->rowCount(), 0);
  expectColumns(*lines,
                "STOKHAR_HAREKETTARIHI:d STOKHAR_HAREKETTIPI2:s SATICIADI:s EVRAKNO:s "
                "STOKHAR_VADE:i OEMNO:s STOKADI:s FINISHKOD:s MARKA:s MODEL:s ANAGRUP:s BIRIM:s "
                "STOKHAR_MIKTAR:f STOKHAR_TLBIRIMFIYATI:f STOKHAR_TLTUTAR:f STOKHAR_INDIRIM1:f "
                "STOKHAR_INDIRIM2:f STOKHAR_INDIRIM8:f KDV:f STOKHAR_TOPLAMINDIRIM:f "
                "STOKHAR_TOPLAMMASRAF:f STOKHAR_NETTLBIRIMFIYATI:f STOKHAR_NETTLTUTAR:f "
                "OZELKOD:s BARKOD:s STOKHAR_TLVERGI:f IRSALIYEEVRAKNO:s STOKHAR_IRSTARIHI:d "
                "SATIRACIKLMASI:s STOKHAR_SAAT:s SIPARISEVRAKNO:s SIPARISTARIHI:d "
                "IRSALIYETIP2:s STOKHAR_KURTL:f STOKCARIKOD:s STOKHAR_CARINO:i BELGENO:s IDNO:i",
                "FaturaGetir");
  expectColumns(*fromReader(proxy->FaturaAltGetir(invoice)),
                "TOPLAM:f TOPLAMINDIRIM:f MATRAH:f KDVDAHIL:f KDVTUTAR:f", "FaturaAltGetir");
  auto tah = fromReader(proxy->Tahsilat(collection));
  EXPECT_EQ(tah->rowCount(), 1);
  expectColumns(*tah,
                "Tarih:d Türü:s Cins:s EvrakNo:s Vade:d Tutar:f Kur:s KurTL:f Açıklama:s "
                "Döviz~Tutar:f Ref:s Saat:s",
                "Tahsilat");

  const int product = firstProduct();
  expectColumns(*fromPacket(proxy->StokHareketVer(a, product)),
                "TARIH:d TURU:s EVRAKSERI:s EVRAKSIRA:s MIKTAR:f TLBIRIMFIYAT:f TLVERGI:f "
                "TLTUTAR:f TOPLAMINDIRIM:f NETBIRIMFIYAT:f NETTLTUTAR:f KDVDAHILBIRIMFIYAT:f "
                "KDVDAHILTUTAR:f BARKOD:s INDIRIM1:f INDIRIM8:f MASRAF1:f MASRAF2:f "
                "TOPLAMMASRAF:f VADE:i STOKCARIKOD:s SATICI:s",
                "StokHareketVer");

  auto manager = h->login(*conn, h->user(2));
  const double today = toDayCount(DemoOptions::fixture().today);
  auto taken = fromReader(proxy->RaporAlinanSiparisler(copy(*manager), today - 365, today));
  EXPECT_GT(taken->rowCount(), 0);
  expectColumns(*taken,
                "SATICIADI:s IDNO:f CARINO:i TARIH:d KUR:s KURTL:f VERENIDNO:i KARGO:s TESLIM:s "
                "VEREN:s CARIKOD:s CARIADI:s DURUM:s KARGOADI:s VERGI:f NETTUTAR:f TUTAR:f",
                "RaporAlinanSiparisler");
  auto sold = fromReader(proxy->RaporEnCokSatilanStoklar(copy(*manager), today - 365, today));
  EXPECT_GT(sold->rowCount(), 0);
  expectColumns(*sold, "BARKOD:s KOD:s ADI:s DEPARTMAN:s MIKTAR:f NETTUTAR:f TLVERGI:f TUTAR:f",
                "RaporEnCokSatilanStoklar");
  expectColumns(*fromReader(proxy->CariAra(copy(*manager), QString())), kCustomer, "CariAra");
  expectColumns(*fromReader(proxy->CariSepetVer(copy(*manager), 1)), kCustomer, "CariSepetVer");
  expectColumns(*fromReader(proxy->KargolarVer(1)), "ADI:s SIRANO:i UYARI:s", "KargolarVer");

  // Read by position: (identity, name) and the counter row.
  for (auto* r : {proxy->TeslimVer(), proxy->KargoVer()}) {
    auto ds = fromReader(r);
    ASSERT_GT(ds->rowCount(), 1);
    EXPECT_EQ(ds->field(0)->dataType(), FieldType::Integer);
    EXPECT_EQ(ds->field(1)->dataType(), FieldType::String);
  }
  auto balon = fromReader(proxy->BalonGetir(copy(*dealer)));
  ASSERT_EQ(balon->rowCount(), 1);
  for (int c = 0; c < 4; ++c) EXPECT_EQ(balon->field(c)->dataType(), FieldType::Integer);
  EXPECT_EQ(balon->field(4)->dataType(), FieldType::Float);
}

TEST_F(Operations, LoginRecordOfAKnownAndAnUnknownWorkstation) {
  const DemoUser& u = h->user(3);
  EXPECT_TRUE(dealer->Varmi());
  EXPECT_EQ(dealer->ADI(), u.login);
  EXPECT_EQ(dealer->SIFRE(), u.password);
  EXPECT_EQ(dealer->AKTIF(), 1);
  EXPECT_EQ(dealer->MusteriTipi(), 3);
  EXPECT_EQ(dealer->Version(), 2);
  EXPECT_EQ(dealer->CARINO(), u.accountId);
  EXPECT_FALSE(dealer->CariAdi().isEmpty());
  EXPECT_FALSE(dealer->SaticiAdi().isEmpty());
  TSonucBilgisi* unknown = proxy->BuyukGetir(QStringLiteral("BILINMEYEN-123"));
  ASSERT_NE(unknown, nullptr);
  EXPECT_FALSE(unknown->Varmi());
  EXPECT_EQ(unknown->BILGISAYARID(), QStringLiteral("BILINMEYEN-123"));
  EXPECT_TRUE(unknown->ADI().isEmpty());
}

TEST_F(Operations, SearchFoldsLettersAndPricesWithTheAccountsDiscounts) {
  auto upper = fromPacket(proxy->StokAraGetir(QStringLiteral("BALATASI"), copy(*dealer)));
  auto turkish = fromPacket(proxy->StokAraGetir(QStringLiteral("balatası"), copy(*dealer)));
  ASSERT_GT(upper->rowCount(), 0);
  EXPECT_EQ(upper->rowCount(), turkish->rowCount());
  const auto card = h->store->accountCard(account());
  const Rates rates = card->account.discounts;
  for (int r = 0; r < upper->rowCount(); ++r) {
    upper->setRecNo(r);
    auto f = [&](const char* n) { return upper->fieldByName(QString::fromLatin1(n))->asFloat(); };
    EXPECT_TRUE(
        foldText(upper->fieldByName(u"ADI")->asString()).contains(QStringLiteral("BALATASI")));
    if (upper->fieldByName(u"K")->asInteger() > 0) {
      EXPECT_EQ(f("FIYAT"), f("KAMPFIYAT"));
      EXPECT_EQ(f("IND1"), 0);
    } else {
      EXPECT_EQ(f("FIYAT"), f("LISTEFIYAT1"));
      EXPECT_EQ(f("IND1"), rates[0]);
      EXPECT_EQ(f("IND2"), rates[1]);
      EXPECT_EQ(upper->fieldByName(u"INDIRIMYAZI")->asString(), ratesText(rates));
    }
    EXPECT_DOUBLE_EQ(f("NETFIYAT"),
                     yuvarla(cascade(f("FIYAT"), {f("IND1"), f("IND2"), f("IND3"), f("IND4")})));
    EXPECT_DOUBLE_EQ(f("KDVDAHIL"), yuvarla(f("NETFIYAT") * (1 + f("KDV") / 100)));
  }
  // OEM numbers match with or without their separators.
  const QString oem = upper->fieldByName(u"OEMNO")->asString();
  auto byOem =
      fromPacket(proxy->StokAraGetir(QString(oem).remove(QLatin1Char('-')), copy(*dealer)));
  EXPECT_GE(byOem->rowCount(), 1);
  EXPECT_EQ(fromPacket(proxy->StokAraGetir(QStringLiteral("   "), copy(*dealer)))->rowCount(), 0);
}

TEST_F(Operations, CartAddChangeMarkAndOrder) {
  proxy->SepetHepsiniSil(copy(*dealer));
  const int product = firstProduct();
  struct Case {
    int product;
    double qty;
    int result;
  } cases[] = {{product, 2, 1}, {product, 0, 0}, {product, -1, 0}, {999999, 1, 0}};
  for (const Case& c : cases) EXPECT_EQ(addLine(c.product, c.qty), c.result) << c.qty;
  EXPECT_EQ(addLine(product, 3), 1);

  auto cart = fromPacket(proxy->SepetVer2(account()));
  ASSERT_EQ(cart->rowCount(), 2);
  // A dealer's line carries the catalogue price, not the one sent.
  const auto info = h->store->product(product);
  EXPECT_NE(cart->fieldByName(u"BIRIMFIYAT")->asFloat(), 1.0);
  EXPECT_TRUE(cart->fieldByName(u"BIRIMFIYAT")->asFloat() == info->listPrice ||
              cart->fieldByName(u"BIRIMFIYAT")->asFloat() == info->campaignPrice);
  const int first = cart->intValue(0, cart->fieldIndex(u"SIRANO"));
  const int second = cart->intValue(1, cart->fieldIndex(u"SIRANO"));

  EXPECT_EQ(proxy->SepetGuncelle2(copy(*dealer), account(), 0, "", "", 5, 20, 1, 0,
                                  dealer->Sirano(), first, 0, 0, 0),
            1);
  EXPECT_EQ(proxy->SepetGuncelle2(copy(*dealer), account(), 0, "", "", 0, 20, 1, 0,
                                  dealer->Sirano(), first, 0, 0, 0),
            0);
  cart = fromPacket(proxy->SepetVer2(account()));
  EXPECT_EQ(cart->floatValue(0, cart->fieldIndex(u"MIKTAR")), 5);

  const auto kargo = fromReader(proxy->KargoVer());
  const int type = kargo->intValue(0, 0);
  const int company = fromReader(proxy->KargolarVer(type))->fieldByName(u"SIRANO")->asInteger();
  const int delivery = fromReader(proxy->TeslimVer())->intValue(1, 0);
  const int ordersBefore = fromReader(proxy->OncekiSiparisler(account()))->rowCount();

  // Nothing marked: false and nothing changes.
  EXPECT_FALSE(proxy->SiparisKaydet(copy(*dealer), account(), delivery, type, "not",
                                    dealer->Sirano(), company));
  EXPECT_EQ(cartRows(), 2);
  proxy->SepetSecimGuncelle(first, 1);
  // An unknown delivery mode or a company of another cargo type is refused.
  EXPECT_FALSE(
      proxy->SiparisKaydet(copy(*dealer), account(), 999, type, "not", dealer->Sirano(), company));
  EXPECT_FALSE(
      proxy->SiparisKaydet(copy(*dealer), account(), delivery, type, "not", dealer->Sirano(), 999));
  EXPECT_EQ(cartRows(), 2);
  EXPECT_TRUE(proxy->SiparisKaydet(copy(*dealer), account(), delivery, type,
                                   QStringLiteral("Hızlı gönderin"), dealer->Sirano(), company));
  cart = fromPacket(proxy->SepetVer2(account()));
  ASSERT_EQ(cart->rowCount(), 1);
  EXPECT_EQ(cart->fieldByName(u"SIRANO")->asInteger(), second);

  auto orders = fromReader(proxy->OncekiSiparisler(account()));
  ASSERT_EQ(orders->rowCount(), ordersBefore + 1);
  orders->first();  // newest first
  EXPECT_EQ(orders->fieldByName(u"VERENINNOTU")->asString(), QStringLiteral("Hızlı gönderin"));
  EXPECT_EQ(orders->fieldByName(u"DURUM")->asString(), QStringLiteral("Alındı"));
  const int order = orders->fieldByName(u"IDNO")->asInteger();
  TSiparisDipAyrinti* foot = proxy->SiparisAytintisiDip(0, order);
  EXPECT_EQ(foot->SizinMesaj(), QStringLiteral("Hızlı gönderin"));
  EXPECT_EQ(foot->Durumu(), QStringLiteral("Alındı"));
  auto lines = fromReader(proxy->SiparisAyrintisi2(account(), order));
  ASSERT_EQ(lines->rowCount(), 1);
  EXPECT_EQ(lines->fieldByName(u"MIKTAR")->asFloat(), 5);
  EXPECT_EQ(lines->fieldByName(u"KALAN")->asFloat(), 5);

  // The open balance: set to 2, then deleted.
  const int line = lines->fieldByName(u"STOKHAR_NO")->asInteger();
  auto balance = [&] {
    auto b = fromReader(proxy->BakiyelerVer2(account()));
    return b->locate(u"STOKHAR_NO", line) ? b->fieldByName(u"KALAN")->asFloat() : 0.0;
  };
  EXPECT_EQ(balance(), 5);
  EXPECT_EQ(proxy->BakiyeDegistir(copy(*dealer), product, 0, line, 2, 2, ""), 1);
  EXPECT_EQ(balance(), 2);
  EXPECT_EQ(proxy->BakiyeDegistir(copy(*dealer), product, 0, line, 9, 9, ""), 0);
  EXPECT_EQ(proxy->BakiyeFiyatDegistir(copy(*dealer), 0, 0, line, 5, 5, "", 10, 5), 0);
  auto manager = h->login(*conn, h->user(2));
  manager->SetCARINO(account());
  EXPECT_EQ(proxy->BakiyeFiyatDegistir(copy(*manager), 0, 0, line, 5, 5, "", 10, 5), 1);
  auto after = fromReader(proxy->BakiyelerVer2(account()));
  ASSERT_TRUE(after->locate(u"STOKHAR_NO", line));
  EXPECT_EQ(after->fieldByName(u"BIRIMFIYAT")->asFloat(), 10);
  EXPECT_EQ(after->fieldByName(u"NETTUTAR")->asFloat(), 47.5);
  EXPECT_EQ(proxy->BakiyeDuzenle(copy(*dealer), product, 0, line, 5, 2, ""), 1);
  EXPECT_EQ(balance(), 0);

  // Deleting lines.
  EXPECT_EQ(proxy->SepetSatirSil(copy(*dealer), second, "x"), 1);
  EXPECT_EQ(proxy->SepetSatirSil(copy(*dealer), second, "x"), 0);
  EXPECT_EQ(cartRows(), 0);
}

TEST_F(Operations, CountersAgreeWithTheData) {
  proxy->SepetHepsiniSil(copy(*dealer));
  addLine(firstProduct(), 1);
  addLine(firstProduct(), 2);
  auto balon = fromReader(proxy->BalonGetir(copy(*dealer)));
  EXPECT_EQ(balon->intValue(0, 0), 2);
  EXPECT_EQ(balon->intValue(0, 1), fromPacket(proxy->YenilerVer2(account()))->rowCount());
  EXPECT_EQ(balon->intValue(0, 2), fromPacket(proxy->KampanyaliVer2(account(), 3))->rowCount());
  EXPECT_EQ(balon->intValue(0, 3), proxy->AcilisReklamAdet());
  EXPECT_EQ(balon->floatValue(0, 4), fromReader(proxy->BakiyelerVer2(account()))->rowCount());
  EXPECT_EQ(fromPacket(proxy->KampanyaliVer2(account(), 4))->rowCount(), 0);

  auto manager = h->login(*conn, h->user(2));
  const int withCart = proxy->SepetSayisi(copy(*manager));
  EXPECT_GE(withCart, 1);
  EXPECT_EQ(fromReader(proxy->CariSepetVer(copy(*manager), 1))->rowCount(), withCart);
  TTusSonuclari* t = proxy->TusSonuclariVer(copy(*manager));
  const int states[] = {t->Alindi(),     t->Onaylandi(), t->Goruldu(), t->ParcaliHazirlandi(),
                        t->Hazirlandi(), t->SevkEdildi()};
  auto all = fromReader(proxy->CariAra(copy(*manager), QString()));
  const char* columns[] = {"ALINDI",     "ONAYLANDI", "GORULDU", "PARCALIHAZIRLANDI",
                           "HAZIRLANDI", "SEVKEDILDI"};
  for (int i = 0; i < 6; ++i) {
    int sum = 0;
    for (int r = 0; r < all->rowCount(); ++r)
      sum += all->intValue(r, all->fieldIndex(QString::fromLatin1(columns[i])));
    EXPECT_EQ(states[i], sum) << columns[i];
  }
  // A representative sees only his own customers; a dealer only himself.
  auto rep = h->login(*conn, h->user(1));
  const int repCustomers = fromReader(proxy->CariAra(copy(*rep), QString()))->rowCount();
  EXPECT_GT(repCustomers, 0);
  EXPECT_LT(repCustomers, all->rowCount());
  EXPECT_EQ(fromReader(proxy->CariAra(copy(*dealer), QString()))->rowCount(), 1);
  auto found = fromReader(proxy->CariAra(copy(*manager), dealer->CariAdi().left(5).toLower()));
  EXPECT_GE(found->rowCount(), 1);
}

TEST_F(Operations, StatementDocumentsAndReceipts) {
  auto st = fromReader(proxy->CariEkstreVer(account()));
  st->last();
  TMobilCariBilgisi* card = proxy->MobilCariBilgisiGetir(0, h->user(3).identity);
  EXPECT_EQ(card->CARINO(), account());
  EXPECT_EQ(card->KULLANICIADI(), dealer->ADI());
  EXPECT_NEAR(st->fieldByName(u"BAKIYE")->asFloat(), card->TLBAKIYE(), 0.005);
  EXPECT_NEAR(card->TLBAKIYE(), card->TLBORC() - card->TLALACAK(), 0.005);

  int receipts = 0;
  for (int id : h->store->accountIds()) {
    auto s = fromReader(proxy->CariEkstreVer(id));
    for (int r = 0; r < s->rowCount(); ++r) {
      if (s->stringValue(r, s->fieldIndex(u"TURADI")) != QStringLiteral("Tahsilat")) continue;
      const int doc = s->intValue(r, s->fieldIndex(u"IDNO"));
      fromReader(proxy->Tahsilat(doc));
      const int pos = proxy->SanalposSiranoVer(doc);
      if (pos <= 0) continue;
      qint64 size = 0;
      QIODevice* stream = proxy->SAnalPosPdfVer(pos, size);
      const auto pdf = copyStream(stream, size);
      ASSERT_TRUE(pdf.has_value());
      EXPECT_TRUE(pdf->startsWith("%PDF-"));
      ++receipts;
    }
  }
  EXPECT_GT(receipts, 0);
  qint64 none = -1;
  proxy->SAnalPosPdfVer(999999, none);
  EXPECT_EQ(none, 0);
  EXPECT_FALSE(proxy->CariVadeGunGecmismiBul(account()).isNull());
}

TEST_F(Operations, PicturesBannersAnnouncementsAndReports) {
  struct Banner {
    QIODevice* (TServerMethods1Client::*op)(qint64&);
    const char* magic;
  } banners[] = {{&TServerMethods1Client::BannerResimVer, "GIF89a"},
                 {&TServerMethods1Client::BannerResimVer2, "GIF89a"},
                 {&TServerMethods1Client::BannerResimVer3, "BM"}};
  for (const Banner& b : banners) {
    qint64 size = 0;
    QIODevice* s = ((*proxy).*(b.op))(size);
    const auto bytes = copyStream(s, size);
    ASSERT_TRUE(bytes.has_value());
    EXPECT_TRUE(bytes->startsWith(b.magic));
  }
  auto stock = fromPacket(proxy->StokAraGetir(QStringLiteral("A"), copy(*dealer)));
  ASSERT_TRUE(stock->locate(u"RESIM", 1));
  qint64 size = 0;
  const int pictured = stock->fieldByName(u"STOK_STOKNO")->asInteger();
  QIODevice* stream = proxy->ResimVer5(pictured, size);
  const auto jpeg = copyStream(stream, size);
  ASSERT_TRUE(jpeg.has_value());
  EXPECT_TRUE(jpeg->startsWith("\xFF\xD8")) << jpeg->left(8).toHex().toStdString();
  EXPECT_FALSE(QImage::fromData(*jpeg, "JPEG").isNull());

  const int count = proxy->AcilisReklamAdet();
  TAcilisEkranlariki* all = proxy->AcilisEkranlarVer2();
  ASSERT_EQ(int(all->Ekranlar().size()), count);
  ASSERT_GT(count, 0);
  TAcilisEkran* first = proxy->AcilisREklamVer(0);
  EXPECT_EQ(first->Baslik(), all->Ekranlar()[0]->Baslik());
  EXPECT_EQ(first->Arama(), QStringLiteral("#KAMPANYA#"));
  const QByteArray picture = QByteArray::fromHex(first->Resim().toLatin1());
  EXPECT_FALSE(QImage::fromData(picture, "JPEG").isNull());
  EXPECT_TRUE(proxy->AcilisREklamVer(count)->Baslik().isEmpty());
  EXPECT_FALSE(proxy->KayanYaziGetir().trimmed().isEmpty());

  const double day = toDayCount(DemoOptions::fixture().today);
  auto rep = h->login(*conn, h->user(1));
  for (int report : {6, 7}) {
    qint64 n = 0;
    QIODevice* stream = proxy->RaporGetir(report, report, rep->Sirano(), 0, ".", day, day, n);
    const auto pdf = copyStream(stream, n);
    EXPECT_EQ(pdf.has_value(), report == 6) << report;
  }
  auto customers = fromReader(proxy->CariAra(copy(*rep), QString()));
  const int customer = customers->fieldByName(u"CARINO")->asInteger();
  qint64 n = 0;
  QIODevice* report = proxy->RaporGetir(7, 7, rep->Sirano(), customer, "x", day - 90, day, n);
  const auto pdf = copyStream(report, n);
  ASSERT_TRUE(pdf.has_value());
  EXPECT_TRUE(pdf->startsWith("%PDF-"));
}

TEST_F(Operations, MailAndRequestsGoToTheOutbox) {
  const int before = int(h->store->outbox(false).size());
  proxy->MailGonserCari("ID1", "Şifre Değiştirme İsteği", "Firma", "", "", "", "", "", "", "", "",
                        "", "UYE", "YENI", "a@b.example", "");
  proxy->MailGonserCariNormal("ID1", "Konu", "Firma", "", "", "", "", "", "", "", "", "", "UYE",
                              "GIZLI", "", "", "\"Merhaba dünya\",Teşekkürler");
  const auto box = h->store->outbox(false);
  ASSERT_EQ(box.size(), before + 2);
  EXPECT_EQ(box[before].kind, QStringLiteral("sifre"));
  EXPECT_TRUE(box[before].body.contains(QStringLiteral("YENI")));
  EXPECT_EQ(box[before + 1].kind, QStringLiteral("mail"));
  EXPECT_TRUE(box[before + 1].body.startsWith(QStringLiteral("\"Merhaba dünya\",Teşekkürler")));
  EXPECT_FALSE(box[before + 1].body.contains(QStringLiteral("GIZLI")));
}

TEST_F(Operations, ALoginRecordWithAWrongPasswordIsRefused) {
  auto forged = copy(*dealer);
  forged->SetSIFRE(QStringLiteral("YANLIS"));
  EXPECT_THROW(proxy->StokAraGetir(QStringLiteral("FREN"), std::move(forged)), vlm::Error);
  EXPECT_THROW(proxy->SepetSayisi(nullptr), vlm::Error);
  // Another dealer's account cannot be filled through this record.
  int other = 0;
  for (int id : h->store->accountIds())
    if (id != account()) other = id;
  EXPECT_EQ(
      proxy->SepetEkle2(copy(*dealer), other, firstProduct(), "", "", 1, 20, 1, 0, 0, 0, 0, 0, 0),
      0);
  // The connection still serves.
  EXPECT_FALSE(proxy->KayanYaziGetir().isEmpty());
}
