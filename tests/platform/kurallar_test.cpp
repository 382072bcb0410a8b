// The rules behind the workstation values, fed with made-up system answers.
#include <gtest/gtest.h>

#include <stdexcept>
#include <vector>

#include "kurallar.h"

namespace vlm {
namespace {

TEST(AdSinirla, FifteenCharactersFitSixteenDoNot) {
  const struct {
    std::u16string ad, beklenen;
  } durumlar[] = {
      {u"", u""},
      {u"PC1", u"PC1"},
      {u"DESKTOP-ABCDEFG", u"DESKTOP-ABCDEFG"},  // 15
      {u"DESKTOP-ABCDEFGH", u""},                // 16
      {u"ŞİĞÜÖÇışğüöçabc", u"ŞİĞÜÖÇışğüöçabc"},  // 15 Turkish letters are 15 characters
      {u"ŞİĞÜÖÇışğüöçabcd", u""},
  };
  for (const auto& d : durumlar) EXPECT_EQ(AdSinirla(d.ad), d.beklenen);
}

TEST(MacBicimle, UpperCaseHexJoinedByDashes) {
  EXPECT_EQ(MacBicimle({0x00, 0x1a, 0x2B, 0xc3, 0xff, 0x09}), "00-1A-2B-C3-FF-09");
  EXPECT_EQ(MacBicimle({}), "00-00-00-00-00-00");
}

TEST(MacCoz, OnlyExactlySixBytes) {
  const struct {
    const char* metin;
    std::optional<MacBaytlari> beklenen;
  } durumlar[] = {
      {"02:fc:00:00:00:01\n", MacBaytlari{0x02, 0xfc, 0, 0, 0, 1}},
      {"AA:BB:CC:DD:EE:FF", MacBaytlari{0xaa, 0xbb, 0xcc, 0xdd, 0xee, 0xff}},
      {"00:00:00:00:00:00\r\n", MacBaytlari{}},
      {"", std::nullopt},
      {"\n", std::nullopt},
      {"00:00:00:00\n", std::nullopt},                          // a tunnel's four bytes
      {"80:00:00:48:fe:80:00:00:00:00:00:00\n", std::nullopt},  // longer
      {"aa-bb-cc-dd-ee-ff", std::nullopt},
      {"aa:bb:cc:dd:ee:fg", std::nullopt},
      {"aa:bb:cc:dd:ee:ff:", std::nullopt},
  };
  for (const auto& d : durumlar) EXPECT_EQ(MacCoz(d.metin), d.beklenen) << d.metin;
}

constexpr MacBaytlari kSifir{};
constexpr MacBaytlari kGercek{0x00, 0x1A, 0x2B, 0x3C, 0x4D, 0x5E};
constexpr MacBaytlari kIkinci{0x02, 0x00, 0x00, 0x00, 0x00, 0x02};

TEST(MacAdresiSec, WalksAdaptersInOrder) {
  using Cevap = std::optional<MacBaytlari>;
  const struct {
    const char* ad;
    std::vector<Cevap> cevaplar;
    std::string beklenen;
    std::size_t sorulan;  // how many adapters were asked
  } durumlar[] = {
      {"no adapters", {}, "", 0},
      {"first answers", {kGercek, kIkinci}, "00-1A-2B-3C-4D-5E", 1},
      {"zero moves on", {kSifir, kGercek, kIkinci}, "00-1A-2B-3C-4D-5E", 2},
      {"first fails: empty, later ones unasked", {std::nullopt, kGercek}, "", 1},
      {"all zero", {kSifir, kSifir}, "00-00-00-00-00-00", 2},
      // A failing adapter after a zero one leaves the zero text, which goes on.
      {"zero, fails, real", {kSifir, std::nullopt, kGercek}, "00-1A-2B-3C-4D-5E", 3},
      {"zero then fails", {kSifir, std::nullopt}, "00-00-00-00-00-00", 2},
  };
  for (const auto& d : durumlar) {
    std::size_t sorulan = 0;
    const std::string sonuc = MacAdresiSec(d.cevaplar.size(), [&](std::size_t i) {
      ++sorulan;
      return d.cevaplar.at(i);
    });
    EXPECT_EQ(sonuc, d.beklenen) << d.ad;
    EXPECT_EQ(sorulan, d.sorulan) << d.ad;
  }
}

TEST(Metin, TrimRemoveBlanksUpperCase) {
  EXPECT_EQ(Kirp("  WD-123 \t\r\n"), "WD-123");
  EXPECT_EQ(Kirp(" \n\t "), "");
  EXPECT_EQ(Kirp("ç "), "ç");  // bytes of a UTF-8 letter are not blanks
  EXPECT_EQ(BosluklariSil(" A B  C "), "ABC");
  EXPECT_EQ(BosluklariSil("A\tB"), "A\tB");  // only the space character
  EXPECT_EQ(AsciiBuyut("wd-abc_xyz 09"), "WD-ABC_XYZ 09");
  EXPECT_EQ(AsciiBuyut("çiı"), "çIı");  // letters a to z only
}

TEST(BilgisayarIdOlustur, SerialElseAdapterWithoutBlanks) {
  auto sabit = [](std::string s) { return [s] { return s; }; };
  auto hata = [] { return []() -> std::string { throw std::runtime_error("WMI"); }; };
  const struct {
    const char* ad;
    std::function<std::string()> seri, mac;
    std::string beklenen;
  } durumlar[] = {
      {"serial", sabit("WD-WCC4E1234567"), sabit("00-1A-2B-3C-4D-5E"), "WD-WCC4E1234567"},
      {"inner and trailing blanks", sabit("  S3Z1NB0K 123456X    "), sabit("x"), "S3Z1NB0K123456X"},
      {"serial only blanks: adapter, dashes kept", sabit("     "), sabit("00-1A-2B-3C-4D-5E"),
       "00-1A-2B-3C-4D-5E"},
      {"empty serial", sabit(""), sabit(" 00-1A-2B-3C-4D-5E "), "00-1A-2B-3C-4D-5E"},
      {"serial source fails", hata(), sabit("00-1A-2B-3C-4D-5E"), "00-1A-2B-3C-4D-5E"},
      {"both fail", hata(), hata(), ""},
      {"nothing anywhere", sabit(""), sabit(""), ""},
      {"serial with a line break", sabit("OVERLAYBLK\n"), sabit("x"), "OVERLAYBLK"},
  };
  for (const auto& d : durumlar) EXPECT_EQ(BilgisayarIdOlustur(d.seri, d.mac), d.beklenen) << d.ad;
}

TEST(BilgisayarIdOlustur, AdapterAskedOnlyWithoutSerial) {
  int sorulan = 0;
  const auto mac = [&] {
    ++sorulan;
    return std::string("00-1A-2B-3C-4D-5E");
  };
  EXPECT_EQ(BilgisayarIdOlustur([] { return std::string("SN1"); }, mac), "SN1");
  EXPECT_EQ(sorulan, 0);
}

}  // namespace
}  // namespace vlm
