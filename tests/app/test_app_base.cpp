#include "dataset.h"
#include "mesaj.h"
#include "sayibicim.h"
#include "sekme.h"
#include "yapilandirma.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

using namespace vlm;

TEST(SekmeBasligiCoz, SplitsCounterAndTitle) {
  struct Case {
    QString caption;
    int sayi;
    QString baslik;
  };
  const QString uzun = QString(120, QLatin1Char('x'));
  const Case cases[] = {
      {"0=Stok Listesi", 0, "Stok Listesi"},
      {"12=Sepet", 12, "Sepet"},
      {"Önceki Siparişler", 0, "Önceki Siparişler"},
      {"3,5=Bakiyeler", 0, "Bakiyeler"},  // not a whole number: no counter
      {"3.5=Bakiyeler", 0, "Bakiyeler"},
      {"=Sepet", 0, "Sepet"},
      {"-4=Sepet", -4, "Sepet"},  // read, but only counters above 0 are drawn
      {"7=a=b", 7, "a=b"},        // the first "=" splits
      {"5=", 5, ""},
      {"", 0, ""},
      {"1=" + uzun, 1, QString(100, QLatin1Char('x'))},  // the title is cut at 100
      {uzun, 0, uzun},                                   // without "=" nothing is cut
  };
  for (const Case& c : cases) {
    TSonuc s;
    s.sayi = 99;
    SekmeBasligiCoz(c.caption, s);
    EXPECT_EQ(s.sayi, c.sayi) << c.caption.toStdString();
    EXPECT_EQ(s.baslik, c.baslik) << c.caption.toStdString();
  }
  EXPECT_EQ(SayacliBaslik(12, "Sepet"), "12=Sepet");
}

TEST(MesajGoster, TitlesCaptionsAndResults) {
  EXPECT_EQ(MesajBasligi(mtUyari), "Uyarı");
  EXPECT_EQ(MesajBasligi(mtHata), "Hata");
  EXPECT_EQ(MesajBasligi(mtBilgi), "Bilgi");
  EXPECT_EQ(MesajBasligi(mtSoru), "Soru");
  EXPECT_EQ(MesajBasligi(mtOzel), "");
  EXPECT_EQ(MesajBasligi(-1), "");

  const std::tuple<MesajDugmesi, const char*, int> dugmeler[] = {{mbYes, "Evet", 6},
                                                                 {mbNo, "Hayır", 7},
                                                                 {mbOK, "Tamam", 1},
                                                                 {mbCancel, "Vazgeç", 2},
                                                                 {mbAbort, "İptal", 3},
                                                                 {mbRetry, "Tekrar", 4},
                                                                 {mbIgnore, "Atla", 5},
                                                                 {mbYesToAll, "Tümüne Evet", 10},
                                                                 {mbNoToAll, "Tümüne Hayır", 9},
                                                                 {mbHelp, "Yardım", 11}};
  for (const auto& [d, baslik, sonuc] : dugmeler) {
    EXPECT_EQ(DugmeBasligi(d), QString::fromUtf8(baslik));
    EXPECT_EQ(DugmeSonucu(d), sonuc);
  }
}

TEST(MesajGoster, GoesThroughTheService) {
  ScriptedMessages m;
  m.queue(mrNo);
  EXPECT_EQ(MesajGoster("Silinsin mi ?", mtSoru, mbYes | mbNo, mbNo), mrNo);
  // An empty queue answers with the default button, as Enter would.
  EXPECT_EQ(MesajGoster("Tamam mı ?", mtSoru, mbYes | mbNo, mbYes), mrYes);
  ShowMessage("Socket Error # 10061");
  ASSERT_EQ(m.shown().size(), 3);
  EXPECT_EQ(m.shown()[0].tur, mtSoru);
  EXPECT_EQ(m.shown()[0].varsayilan, mbNo);
  EXPECT_TRUE(m.shown()[2].duz);
  EXPECT_EQ(m.shown()[2].dugmeler, unsigned(mbOK));
  EXPECT_EQ(m.texts().last(), "Socket Error # 10061");
}

TEST(Yapilandirma, HostOfAnAddress) {
  EXPECT_EQ(AdresinHostu("http://www.velmora.example/"), "www.velmora.example");
  EXPECT_EQ(AdresinHostu("https://b2b.example.com:8080/a/b?x=1"), "b2b.example.com");
  EXPECT_EQ(AdresinHostu("www.example.com"), "www.example.com");
}

TEST(FormatFloat, AmountFormatInTurkishLocale) {
  const QLocale tr(QLocale::Turkish, QLocale::Turkey);
  const double nan = std::numeric_limits<double>::quiet_NaN();
  const double inf = std::numeric_limits<double>::infinity();
  const std::tuple<const char*, double, const char*> cases[] = {
      {"#,###,##0.00", 1234.5, "1.234,50"},
      {"#,###,##0.00", 0, "0,00"},
      {"#,###,##0.00", -1234.567, "-1.234,57"},
      {"#,###,##0.00", 1234567.891, "1.234.567,89"},
      {"#,###,##0.00", 999.995, "1.000,00"},
      {"#,###,##0.00", 0.125, "0,13"},  // an exact binary half: away from zero
      {"#,###,##0.00", -0.125, "-0,13"},
      {"#,###,##0.00", 2.675, "2,68"},  // 2.67499999... in binary, 2.675 in 15 digits
      {"#,###,##0.00", 1.005, "1,01"},
      {"#,###,##0.00", 0.004, "0,00"},
      {"#,###,##0.00", -0.004, "0,00"},  // no sign on a zero
      {"#,###,##0.00", 0.005, "0,01"},
      {"#,###,##0.00", 1e20, "100.000.000.000.000.000.000,00"},
      {"#,###,##.00", 0.5, ",50"},  // no digit is forced before the point
      {"#,###,##.00", 12.345, "12,35"},
      {"0.##", 2.5, "2,5"},
      {"0.##", 3, "3"},
      {"0", 2.5, "3"},
      {"0", -2.5, "-3"},
      {"#,###,##0.00", nan, "NAN"},
      {"#,###,##0.00", inf, "INF"},
      {"#,###,##0.00", -inf, "-INF"},
  };
  for (const auto& [bicim, deger, beklenen] : cases)
    EXPECT_EQ(FormatFloat(bicim, deger, tr), QString::fromUtf8(beklenen)) << bicim << " " << deger;
  EXPECT_EQ(FormatFloat("#,###,##0.00", 1234.5, QLocale::c()), "1,234.50");
}

TEST(FormatFloat, ReadsBackWhatItWrote) {
  const QLocale tr(QLocale::Turkish, QLocale::Turkey);
  bool ok = false;
  EXPECT_DOUBLE_EQ(MetniSayiyaCevir("1.234,50", &ok, tr), 1234.5);
  EXPECT_TRUE(ok);
  EXPECT_DOUBLE_EQ(MetniSayiyaCevir("-0,13", &ok, tr), -0.13);
  EXPECT_DOUBLE_EQ(MetniSayiyaCevir(",50", &ok, tr), 0.5);
  for (const char* bad : {"", "abc", "1,2,3", "NAN", "INF"}) {
    EXPECT_EQ(MetniSayiyaCevir(bad, &ok, tr), 0) << bad;
    EXPECT_FALSE(ok) << bad;
  }
}

TEST(SayiBicimle, FormatsOnlyFloatColumns) {
  DataSet ds;
  ds.addField("ADET", FieldType::Integer);
  ds.addField("FIYAT", FieldType::Float);
  ds.addField("TUTAR", FieldType::Currency);
  ds.addField("KOD", FieldType::String);
  ds.addField("ORAN", FieldType::Float);
  ds.field(2)->setDisplayFormat("0.0");
  SayiBicimle(ds);
  EXPECT_EQ(ds.field(0)->displayFormat(), "");
  EXPECT_EQ(ds.field(1)->displayFormat(), "#,###,##0.00");
  EXPECT_EQ(ds.field(2)->displayFormat(), "0.0");
  EXPECT_EQ(ds.field(3)->displayFormat(), "");
  EXPECT_EQ(ds.field(4)->displayFormat(), "#,###,##0.00");
}
