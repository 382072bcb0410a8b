#include "kurallar.h"

namespace vlm {

std::u16string AdSinirla(std::u16string ad) {
  if (ad.size() > kAdUzunlukSiniri) ad.clear();
  return ad;
}

std::string MacBicimle(const MacBaytlari& adres) {
  static constexpr char kHane[] = "0123456789ABCDEF";
  std::string metin;
  metin.reserve(17);
  for (std::size_t i = 0; i < adres.size(); ++i) {
    if (i > 0) metin += '-';
    metin += kHane[adres[i] >> 4];
    metin += kHane[adres[i] & 0x0F];
  }
  return metin;
}

namespace {

int HaneDegeri(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

bool BoslukMu(unsigned char c) {
  return c <= ' ' || c == 0x7F;
}

}  // namespace

std::optional<MacBaytlari> MacCoz(std::string_view metin) {
  while (!metin.empty() && (metin.back() == '\n' || metin.back() == '\r')) metin.remove_suffix(1);
  // "xx:" five times and "xx" once.
  if (metin.size() != 17) return std::nullopt;
  MacBaytlari adres{};
  for (std::size_t i = 0; i < adres.size(); ++i) {
    const std::size_t p = i * 3;
    if (i > 0 && metin[p - 1] != ':') return std::nullopt;
    const int yuksek = HaneDegeri(metin[p]);
    const int dusuk = HaneDegeri(metin[p + 1]);
    if (yuksek < 0 || dusuk < 0) return std::nullopt;
    adres[i] = static_cast<unsigned char>(yuksek * 16 + dusuk);
  }
  return adres;
}

std::string MacAdresiSec(std::size_t adaptorSayisi, const AdaptorDurumu& durum) {
  static const std::string kSifir = "00-00-00-00-00-00";
  std::string sonuc;
  for (std::size_t i = 0; i < adaptorSayisi; ++i) {
    if (const auto adres = durum(i)) sonuc = MacBicimle(*adres);
    if (sonuc != kSifir) break;
  }
  return sonuc;
}

std::string Kirp(std::string_view metin) {
  std::size_t bas = 0;
  std::size_t son = metin.size();
  while (bas < son && BoslukMu(static_cast<unsigned char>(metin[bas]))) ++bas;
  while (son > bas && BoslukMu(static_cast<unsigned char>(metin[son - 1]))) --son;
  return std::string(metin.substr(bas, son - bas));
}

std::string BosluklariSil(std::string_view metin) {
  std::string sonuc;
  sonuc.reserve(metin.size());
  for (char c : metin)
    if (c != ' ') sonuc += c;
  return sonuc;
}

std::string AsciiBuyut(std::string metin) {
  for (char& c : metin)
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  return metin;
}

std::string BilgisayarIdOlustur(const std::function<std::string()>& diskSeriNo,
                                const std::function<std::string()>& macAdresi) {
  std::string kimlik;
  try {
    kimlik = Kirp(diskSeriNo());
  } catch (...) {
    kimlik.clear();
  }
  if (kimlik.empty()) {
    try {
      kimlik = Kirp(macAdresi());
    } catch (...) {
      kimlik.clear();
    }
  }
  return BosluklariSil(kimlik);
}

}  // namespace vlm
