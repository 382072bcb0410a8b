#pragma once
// The rules behind the workstation values, apart from the system calls that
// feed them. Free of Qt: the Windows sources use them as well.
#include <array>
#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace vlm {

// Computer and user names are asked for with room for 15 characters and the
// terminator; a longer name does not fit and gives the empty text.
inline constexpr std::size_t kAdUzunlukSiniri = 15;
std::u16string AdSinirla(std::u16string ad);

// A network adapter's hardware address.
using MacBaytlari = std::array<unsigned char, 6>;

// Six bytes as two upper-case hexadecimal digits each, joined by "-".
std::string MacBicimle(const MacBaytlari& adres);

// Reads "aa:bb:cc:dd:ee:ff" (a trailing line break allowed); anything that is
// not exactly six bytes gives nothing.
std::optional<MacBaytlari> MacCoz(std::string_view metin);

// The status of adapter number i (0 based, in the system's order): its address,
// or nothing when the status call failed.
using AdaptorDurumu = std::function<std::optional<MacBaytlari>(std::size_t)>;

// Walks the adapters in order. An adapter that answers sets the result; the
// search goes on only while the result is "00-00-00-00-00-00", so a failing
// first adapter ends it with the empty text.
std::string MacAdresiSec(std::size_t adaptorSayisi, const AdaptorDurumu& durum);

// Trims blanks and control characters at both ends.
std::string Kirp(std::string_view metin);

// Removes every blank (space character), wherever it stands.
std::string BosluklariSil(std::string_view metin);

// Upper case for the letters a to z only; other bytes stay as they are.
std::string AsciiBuyut(std::string metin);

// The workstation identity: the disk serial number, trimmed; when that is
// empty (or its source fails with an exception) the adapter address, trimmed;
// then every blank removed. Each source is asked only when needed.
std::string BilgisayarIdOlustur(const std::function<std::string()>& diskSeriNo,
                                const std::function<std::string()>& macAdresi);

}  // namespace vlm
