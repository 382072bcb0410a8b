// The six records and their object form, compared as exact text.
#include <gtest/gtest.h>

#include <QLocale>

#include "error.h"
#include "objectform.h"
#include "records.h"

using namespace vlm;

namespace {

QString u8(const char* s) {
  return QString::fromUtf8(s);
}

void fillLogin(TSonucBilgisi& b) {
  b.SetBILGISAYARID("ABC123XYZ");
  b.SetCARINO(1024);
  b.SetCariAdi(u8("Örnek Ticaret"));
  b.Setcarikod("120.01.0042");
  b.SetSirano(17);
  b.SetADI("bayi1");
  b.SetSIFRE("gizli");
  b.SetSaticiNo(3);
  b.SetSaticiAdi("SATICI 1");
  b.SetAKTIF(1);
  b.SetVarmi(true);
  b.SetBilgiSayarAdi("MAGAZA-PC");
  b.SetBilgisayarKullanici("kasa");
  b.SetDisip("85.105.12.7");
  b.SetIcip("192.168.1.20");
  b.SetMusteriTipi(4);
  b.SetVersion(2);
}

const char kLoginJson[] =
    R"({"type":"baglantiu.TSonucBilgisi","id":1,"fields":{"FBILGISAYARID":"ABC123XYZ",)"
    R"("FSaticiMail":"","FSirano":17,"FCariAdi":"Örnek Ticaret","FSIFRE":"gizli",)"
    R"("FSaticiNo":3,"FCARINO":1024,"FAKTIF":1,"FKullanicimail":"","FADI":"bayi1",)"
    R"("FSaticiTelefon":"","Fcarikod":"120.01.0042","FVarmi":true,"FSaticiAdi":"SATICI 1",)"
    R"("FBilgiSayarAdi":"MAGAZA-PC","FDisip":"85.105.12.7","FIcip":"192.168.1.20",)"
    R"("FBilgisayarKullanici":"kasa","FMusteriTipi":4,"FVersion":2}})";

std::unique_ptr<TAcilisEkran> screen(int no, const char* resim, const char* baslik,
                                     const char* arama) {
  auto e = std::make_unique<TAcilisEkran>();
  e->SetSiraNo(no);
  e->SetResim(resim);
  e->SetBaslik(u8(baslik));
  e->SetArama(u8(arama));
  return e;
}

}  // namespace

TEST(ObjectForm, LoginRecordExample) {
  TSonucBilgisi b;
  fillLogin(b);
  EXPECT_EQ(toObjectForm(&b), QByteArray(kLoginJson));

  auto back = fromObjectFormAs<TSonucBilgisi>(kLoginJson);
  ASSERT_TRUE(back);
  EXPECT_EQ(toObjectForm(back.get()), QByteArray(kLoginJson));
  EXPECT_EQ(back->CariAdi(), u8("Örnek Ticaret"));
  EXPECT_TRUE(back->Varmi());
}

TEST(ObjectForm, ListOfTwoScreensExample) {
  TAcilisEkranlariki liste;
  liste.Ekranlar().push_back(screen(1, "FFD8", "Kampanya", "#KAMPANYA#"));
  liste.Ekranlar().push_back(screen(2, "", "Yeni ürünler", "#YENİ#"));
  const QByteArray expected =
      R"({"type":"mobilstokunit.TAcilisEkranlariki","id":1,"fields":{"FEkranlar":[)"
      R"({"type":"mobilstokunit.TAcilisEkran","id":2,"fields":{"FSiraNo":1,"FResim":"FFD8",)"
      R"("FBaslik":"Kampanya","FArama":"#KAMPANYA#"}},)"
      R"({"type":"mobilstokunit.TAcilisEkran","id":3,"fields":{"FSiraNo":2,"FResim":"",)"
      R"("FBaslik":"Yeni ürünler","FArama":"#YENİ#"}}]}})";
  EXPECT_EQ(toObjectForm(&liste), expected);

  auto back = fromObjectFormAs<TAcilisEkranlariki>(expected);
  ASSERT_EQ(back->Ekranlar().size(), 2u);
  EXPECT_EQ(back->Ekranlar()[1]->Arama(), u8("#YENİ#"));
  EXPECT_TRUE(back->Ekranlar()[1]->Resim().isEmpty());
  EXPECT_EQ(toObjectForm(back.get()), expected);

  TAcilisEkranlariki bos;
  EXPECT_EQ(toObjectForm(&bos),
            QByteArray(
                R"({"type":"mobilstokunit.TAcilisEkranlariki","id":1,"fields":{"FEkranlar":[]}})"));
}

TEST(ObjectForm, RealNumbersWhateverTheLocale) {
  QLocale::setDefault(QLocale(QLocale::Turkish, QLocale::Turkey));
  TMobilCariBilgisi c;
  c.SetTLBAKIYE(1250.75);
  c.SetTLBORC(3000);
  c.SetTLALACAK(0.18);
  const QByteArray json = toObjectForm(&c);
  EXPECT_TRUE(json.contains(R"("FTLBORC":3000,"FTLALACAK":0.18,)")) << json.constData();
  EXPECT_TRUE(json.contains(R"("FTLBAKIYE":1250.75,)")) << json.constData();
  c.SetTLBORC(20.0);
  c.SetTLALACAK(1e20);
  EXPECT_TRUE(toObjectForm(&c).contains(R"("FTLBORC":20,"FTLALACAK":1E20,)"));
  auto back = fromObjectFormAs<TMobilCariBilgisi>(toObjectForm(&c));
  EXPECT_EQ(back->TLALACAK(), 1e20);
  EXPECT_EQ(back->TLBAKIYE(), 1250.75);
  QLocale::setDefault(QLocale::c());

  c.SetTLBORC(std::numeric_limits<double>::infinity());
  EXPECT_THROW(toObjectForm(&c), Error);
}

TEST(ObjectForm, EscapesTexts) {
  TSiparisDipAyrinti d;
  d.SetSizinMesaj(u8("\"tırnak\" \\ ters\r\nyeni\tsatır\x01"));
  const QByteArray json = toObjectForm(&d);
  EXPECT_TRUE(
      json.contains(u8(R"("FSizinMesaj":"\"tırnak\" \\ ters\r\nyeni\tsatır\u0001")").toUtf8()))
      << json.constData();
  EXPECT_EQ(fromObjectFormAs<TSiparisDipAyrinti>(json)->SizinMesaj(), d.SizinMesaj());
}

TEST(ObjectForm, ReadingKeepsStartingValuesAndTakesAnyOrder) {
  // Without "FMusteriTipi" and "FVersion", fields in another order.
  auto b = fromObjectFormAs<TSonucBilgisi>(
      R"({"fields":{"FVarmi":false,"FCARINO":5,"FADI":"x"},"id":1,"type":"baglantiu.TSonucBilgisi"})");
  EXPECT_EQ(b->MusteriTipi(), 1);
  EXPECT_EQ(b->Version(), 1);
  EXPECT_EQ(b->CARINO(), 5);
  EXPECT_EQ(b->ADI(), "x");

  auto d = fromObjectFormAs<TSiparisDipAyrinti>(
      R"({"type":"baglantiu.TSiparisDipAyrinti","id":1,"fields":{"FKargo":"MNG","FDurumu":"Onay"}})");
  EXPECT_EQ(d->Kargo(), "MNG");
  EXPECT_EQ(d->Durumu(), "Onay");
  EXPECT_TRUE(d->Veren().isEmpty());
  EXPECT_TRUE(d->SaticiNotu().isEmpty());

  EXPECT_EQ(fromObjectForm("null"), nullptr);
  EXPECT_EQ(fromObjectFormAs<TTusSonuclari>(" null "), nullptr);

  // A repeated object comes back as the same values.
  auto l = fromObjectFormAs<TAcilisEkranlariki>(
      R"({"type":"mobilstokunit.TAcilisEkranlariki","id":1,"fields":{"FEkranlar":[)"
      R"({"type":"mobilstokunit.TAcilisEkran","id":2,"fields":{"FSiraNo":7}},)"
      R"({"type":"mobilstokunit.TAcilisEkran","ref":2}]}})");
  ASSERT_EQ(l->Ekranlar().size(), 2u);
  EXPECT_EQ(l->Ekranlar()[1]->SiraNo(), 7);
  EXPECT_NE(l->Ekranlar()[0].get(), l->Ekranlar()[1].get());
}

TEST(ObjectForm, BadRecordsRaise) {
  const char* cases[] = {
      "",
      "{",
      "[1,2]",
      "42",
      R"({"type":"baglantiu.TYok","id":1,"fields":{}})",                        // unknown type
      R"({"type":"baglantiu.TSonucBilgisi","id":1,"fields":{"FYok":1}})",       // unknown field
      R"({"type":"baglantiu.TSonucBilgisi","id":1,"fields":{"FCARINO":"1"}})",  // text for number
      R"({"type":"baglantiu.TSonucBilgisi","id":1,"fields":{"FCARINO":1.5}})",
      R"({"type":"baglantiu.TSonucBilgisi","id":1,"fields":{"FCARINO":3000000000}})",
      R"({"type":"baglantiu.TSonucBilgisi","id":1,"fields":{"FADI":12}})",
      R"({"type":"baglantiu.TSonucBilgisi","id":1,"fields":{"FVarmi":1}})",
      R"({"type":"mobilstokunit.TMobilCariBilgisi","id":1,"fields":{"FTLBORC":"3"}})",
      R"({"type":"mobilstokunit.TAcilisEkranlariki","id":1,"fields":{"FEkranlar":{}}})",
      R"({"type":"mobilstokunit.TAcilisEkranlariki","id":1,"fields":{"FEkranlar":[)"
      R"({"type":"baglantiu.TTusSonuclari","id":2,"fields":{}}]}})",  // wrong element type
      R"({"type":"mobilstokunit.TAcilisEkranlariki","id":1,"fields":{"FEkranlar":[)"
      R"({"type":"mobilstokunit.TAcilisEkran","ref":1}]}})",  // a ref to itself
      R"({"type":"baglantiu.TSonucBilgisi","fields":{}})",    // no id
      R"({"type":"baglantiu.TSonucBilgisi","id":1})",         // no fields
      R"({"id":1,"fields":{}})",                              // no type
      R"({"type":"baglantiu.TSonucBilgisi","id":1,"fields":{},"extra":0})",
      R"({"type":"baglantiu.TSonucBilgisi","id":6.6e84,"fields":{}})",  // found by fuzzing
      R"({"type":"mobilstokunit.TAcilisEkranlariki","id":1,"fields":{"FEkranlar":[)"
      R"({"type":"mobilstokunit.TAcilisEkran","ref":-1e300}]}})",
  };
  for (const char* json : cases) EXPECT_THROW(fromObjectForm(json), Error) << json;

  // The right JSON of the wrong class.
  EXPECT_THROW(fromObjectFormAs<TTusSonuclari>(kLoginJson), Error);
}

TEST(Records, StartingValuesAndKopyala) {
  TSonucBilgisi yeni;
  EXPECT_EQ(yeni.MusteriTipi(), 1);
  EXPECT_EQ(yeni.Version(), 1);
  EXPECT_EQ(yeni.CARINO(), 0);
  EXPECT_FALSE(yeni.Varmi());
  EXPECT_TRUE(yeni.ADI().isEmpty());

  TSonucBilgisi kaynak;
  fillLogin(kaynak);
  TSonucBilgisi kopya;
  kopya.Kopyala(kaynak);
  EXPECT_EQ(toObjectForm(&kopya), toObjectForm(&kaynak));
  kopya.SetCariAdi("Başka");
  kopya.SetCARINO(1);
  EXPECT_EQ(kaynak.CariAdi(), u8("Örnek Ticaret"));
  EXPECT_EQ(kaynak.CARINO(), 1024);

  // Copying from a record with empty texts empties the target's.
  TSonucBilgisi dolu;
  fillLogin(dolu);
  dolu.Kopyala(TSonucBilgisi());
  EXPECT_EQ(toObjectForm(&dolu), toObjectForm(&yeni));

  TMobilCariBilgisi m1, m2;
  m1.SetTLBAKIYE(-12.5);
  m1.SetILCE(u8("Kadıköy"));
  m2.Kopyala(m1);
  EXPECT_EQ(m2.TLBAKIYE(), -12.5);
  EXPECT_EQ(m2.ILCE(), u8("Kadıköy"));

  TTusSonuclari t1, t2;
  t1.SetGoruldu(9);
  t2.Kopyala(t1);
  EXPECT_EQ(t2.Goruldu(), 9);

  TSiparisDipAyrinti d1, d2;
  d2.SetSaticiNotu("eski");
  d1.SetKargoCinsi("Kara");
  d2.Kopyala(d1);
  EXPECT_EQ(d2.KargoCinsi(), "Kara");
  EXPECT_TRUE(d2.SaticiNotu().isEmpty());
}

TEST(Records, EveryTypeRoundTrips) {
  for (const char* type :
       {TSonucBilgisi::kTypeName, TSiparisDipAyrinti::kTypeName, TTusSonuclari::kTypeName,
        TMobilCariBilgisi::kTypeName, TAcilisEkran::kTypeName, TAcilisEkranlariki::kTypeName}) {
    auto r = createRecord(QString::fromLatin1(type));
    ASSERT_TRUE(r) << type;
    EXPECT_STREQ(r->typeName(), type);
    const QByteArray json = toObjectForm(r.get());
    EXPECT_EQ(toObjectForm(fromObjectForm(json).get()), json) << type;
  }
  EXPECT_EQ(createRecord(u"baglantiu.TYok"), nullptr);
}
