#include "mesaj.h"
#include "sekme.h"
#include "yapilandirma.h"

#include <gtest/gtest.h>

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
