#include "stokarama.h"

#include <gtest/gtest.h>

using namespace vlm;

TEST(AramaHarfiKatla, TurkishLettersBecomePlainLatin) {
  const std::pair<char16_t, char16_t> cases[] = {
      {u'ğ', u'g'}, {u'ü', u'u'}, {u'ş', u's'}, {u'i', u'i'}, {u'ö', u'o'}, {u'ç', u'c'},
      {u'Ğ', u'G'}, {u'Ü', u'U'}, {u'Ş', u'S'}, {u'İ', u'I'}, {u'Ö', u'O'}, {u'Ç', u'C'},
      {u'ı', u'I'}, {u'a', u'a'}, {u'5', u'5'}, {u' ', u' '}, {u'é', u'é'}};
  for (const auto& [typed, result] : cases)
    EXPECT_EQ(AramaHarfiKatla(QChar(typed)), QChar(result)) << int(typed);
}

TEST(AramaMetniYeterli, AtLeastThreeCharactersAfterTrimming) {
  EXPECT_FALSE(AramaMetniYeterli("  ab "));
  EXPECT_FALSE(AramaMetniYeterli(""));
  EXPECT_FALSE(AramaMetniYeterli("   "));
  EXPECT_TRUE(AramaMetniYeterli("abc"));
  EXPECT_TRUE(AramaMetniYeterli(" a b "));
}

TEST(FiyatBilgisiMetni, CampaignLineOnlyAboveZero) {
  const QLocale tr(QLocale::Turkish, QLocale::Turkey);
  EXPECT_EQ(FiyatBilgisiMetni(1234.5, 0, 1000, 1180, tr),
            QStringLiteral("Liste Fiyatı: 1.234,50\r\nNetFiyat: 1.000,00\r\nKDV li Fiyat: "
                           "1.180,00\r\n"));
  EXPECT_EQ(FiyatBilgisiMetni(100, 12.5, 90, 106.2, tr),
            QStringLiteral("Liste Fiyatı: 100,00\r\nKampanyalı Fiyat: 12,50\r\nNetFiyat: "
                           "90,00\r\nKDV li Fiyat: 106,20\r\n"));
  EXPECT_EQ(FiyatBilgisiMetni(100, -1, 90, 106.2, tr).count("\r\n"), 3);
}

TEST(StokListesiGenis, FromWindowWidth1153) {
  EXPECT_FALSE(StokListesiGenis(1152));
  EXPECT_TRUE(StokListesiGenis(1153));
  EXPECT_TRUE(StokListesiGenis(1920));
  EXPECT_FALSE(StokListesiGenis(0));
}
