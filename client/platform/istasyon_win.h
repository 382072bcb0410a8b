#pragma once
// The workstation values as Windows gives them. Free of Qt; texts are UTF-16
// (std::wstring) as the system has them, or ASCII/UTF-8 (std::string).
#ifdef _WIN32
#include <string>

namespace vlm::win {

// GetComputerNameW with room for 15 characters; empty on failure.
std::wstring BilgisayarAdi();
// GetUserNameW with room for 15 characters; empty on failure (a longer name).
std::wstring KullaniciAdi();
// Winsock 1.1: the first address of the host's own name; "127.0.0.1" when the
// socket library does not start or the name does not resolve.
std::string IcIp();
// NetBIOS adapter status of the LAN adapters, in their order.
std::string MacAdresi();
// WMI: SerialNumber of \\.\PHYSICALDRIVE0, letters a to z in upper case.
// Throws std::runtime_error when COM or WMI fails.
std::string DiskSeriNo();

// The shell's known folders; empty when the shell cannot report them.
enum class BilinenKlasor { DolasanUygulamaVerisi, YerelUygulamaVerisi, Belgeler };
std::wstring KlasorYolu(BilinenKlasor klasor);

}  // namespace vlm::win
#endif
