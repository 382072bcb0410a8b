// Windows sources of the workstation values and the known folders.
#ifdef _WIN32
#ifndef _WIN32_WINNT
#define _WIN32_WINNT 0x0601
#endif
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include "istasyon_win.h"

// Winsock 2 before windows.h, windows.h before the rest.
#include <winsock2.h>

#include <windows.h>

#include <nb30.h>
#include <objbase.h>
#include <oleauto.h>
#include <shlobj.h>
#include <wbemidl.h>

#include <algorithm>
#include <cstring>
#include <stdexcept>

#include "kurallar.h"

namespace vlm::win {

namespace {

// Room for 15 characters and the terminator.
constexpr DWORD kAdTamponu = kAdUzunlukSiniri + 1;

std::string Utf8(const wchar_t* metin) {
  if (!metin || !*metin) return {};
  const int uzunluk = WideCharToMultiByte(CP_UTF8, 0, metin, -1, nullptr, 0, nullptr, nullptr);
  if (uzunluk <= 1) return {};
  std::string sonuc(static_cast<std::size_t>(uzunluk), '\0');
  WideCharToMultiByte(CP_UTF8, 0, metin, -1, sonuc.data(), uzunluk, nullptr, nullptr);
  sonuc.resize(static_cast<std::size_t>(uzunluk - 1));
  return sonuc;
}

// Releases a COM interface at the end of its scope.
template <class T>
class ComPtr {
 public:
  ComPtr() = default;
  ComPtr(const ComPtr&) = delete;
  ComPtr& operator=(const ComPtr&) = delete;
  ~ComPtr() {
    if (p_) p_->Release();
  }
  T** adres() { return &p_; }
  T* get() const { return p_; }
  T* operator->() const { return p_; }

 private:
  T* p_ = nullptr;
};

class Bstr {
 public:
  explicit Bstr(const wchar_t* metin) : b_(SysAllocString(metin)) {
    if (!b_) throw std::runtime_error("SysAllocString");
  }
  Bstr(const Bstr&) = delete;
  Bstr& operator=(const Bstr&) = delete;
  ~Bstr() { SysFreeString(b_); }
  operator BSTR() const { return b_; }

 private:
  BSTR b_;
};

// COM for the calling thread, for the length of one query. A thread that
// already runs another apartment model keeps it and is not uninitialised.
class ComOturumu {
 public:
  ComOturumu() : hr_(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)) {
    if (FAILED(hr_) && hr_ != RPC_E_CHANGED_MODE) throw std::runtime_error("CoInitializeEx");
  }
  ComOturumu(const ComOturumu&) = delete;
  ComOturumu& operator=(const ComOturumu&) = delete;
  ~ComOturumu() {
    if (SUCCEEDED(hr_)) CoUninitialize();
  }

 private:
  HRESULT hr_;
};

void Dogrula(HRESULT hr, const char* islem) {
  if (FAILED(hr)) throw std::runtime_error(islem);
}

// How long one step of the WMI answer may take before the serial number is
// given up (and the identity falls back to the adapter address).
constexpr long kWmiZamanAsimi = 10000;

}  // namespace

std::wstring BilgisayarAdi() {
  wchar_t ad[kAdTamponu] = {};
  DWORD uzunluk = kAdTamponu;
  if (!GetComputerNameW(ad, &uzunluk)) return {};
  return std::wstring(ad, std::min<DWORD>(uzunluk, kAdUzunlukSiniri));
}

std::wstring KullaniciAdi() {
  wchar_t ad[kAdTamponu] = {};
  DWORD uzunluk = kAdTamponu;
  if (!GetUserNameW(ad, &uzunluk)) return {};
  // The length counts the terminator.
  return std::wstring(ad, uzunluk > 0 ? std::min<DWORD>(uzunluk - 1, kAdUzunlukSiniri) : 0);
}

std::string IcIp() {
  WSADATA veri;
  if (WSAStartup(MAKEWORD(1, 1), &veri) != 0) return "127.0.0.1";
  std::string sonuc = "127.0.0.1";
  char ad[256] = {};
  if (gethostname(ad, sizeof ad) == 0) {
    ad[sizeof ad - 1] = '\0';
    const hostent* konak = gethostbyname(ad);
    if (konak && konak->h_addrtype == AF_INET && konak->h_length == sizeof(in_addr) &&
        konak->h_addr_list && konak->h_addr_list[0]) {
      in_addr adres;
      std::memcpy(&adres, konak->h_addr_list[0], sizeof adres);
      if (const char* metin = inet_ntoa(adres)) sonuc = metin;
    }
  }
  WSACleanup();
  return sonuc;
}

std::string MacAdresi() {
  LANA_ENUM adaptorler = {};
  NCB ncb = {};
  ncb.ncb_command = NCBENUM;
  ncb.ncb_buffer = reinterpret_cast<PUCHAR>(&adaptorler);
  ncb.ncb_length = sizeof adaptorler;
  if (Netbios(&ncb) != NRC_GOODRET) return {};
  // The count byte is the system's word; never read past the list it fills.
  const std::size_t sayi = std::min<std::size_t>(adaptorler.length, sizeof adaptorler.lana);

  return MacAdresiSec(sayi, [&](std::size_t i) -> std::optional<MacBaytlari> {
    NCB sifirla = {};
    sifirla.ncb_command = NCBRESET;
    sifirla.ncb_lana_num = adaptorler.lana[i];
    Netbios(&sifirla);

    // The adapter status answers 60 bytes; the name table behind them does not
    // fit, which the call reports as an incomplete message.
    unsigned char cevap[60] = {};
    NCB durum = {};
    durum.ncb_command = NCBASTAT;
    durum.ncb_lana_num = adaptorler.lana[i];
    std::memcpy(durum.ncb_callname, "*               ", NCBNAMSZ);
    durum.ncb_buffer = cevap;
    durum.ncb_length = sizeof cevap;
    const UCHAR kod = Netbios(&durum);
    if (kod != NRC_GOODRET && kod != NRC_INCOMP) return std::nullopt;
    MacBaytlari adres;
    std::memcpy(adres.data(), cevap, adres.size());
    return adres;
  });
}

std::string DiskSeriNo() {
  ComOturumu com;

  ComPtr<IWbemLocator> bulucu;
  Dogrula(CoCreateInstance(CLSID_WbemLocator, nullptr, CLSCTX_INPROC_SERVER, IID_IWbemLocator,
                           reinterpret_cast<void**>(bulucu.adres())),
          "WbemLocator");
  // The local computer's root\CIMV2 namespace.
  ComPtr<IWbemServices> servis;
  Dogrula(bulucu->ConnectServer(Bstr(L"ROOT\\CIMV2"), nullptr, nullptr, nullptr, 0, nullptr,
                                nullptr, servis.adres()),
          "ConnectServer");
  Dogrula(
      CoSetProxyBlanket(servis.get(), RPC_C_AUTHN_WINNT, RPC_C_AUTHZ_NONE, nullptr,
                        RPC_C_AUTHN_LEVEL_CALL, RPC_C_IMP_LEVEL_IMPERSONATE, nullptr, EOAC_NONE),
      "CoSetProxyBlanket");

  ComPtr<IEnumWbemClassObject> liste;
  Dogrula(
      servis->ExecQuery(
          Bstr(L"WQL"),
          Bstr(
              LR"(SELECT SerialNumber FROM Win32_DiskDrive WHERE DeviceID="\\\\.\\PHYSICALDRIVE0")"),
          WBEM_FLAG_FORWARD_ONLY | WBEM_FLAG_RETURN_IMMEDIATELY, nullptr, liste.adres()),
      "ExecQuery");

  // The last object wins; there is normally one.
  std::string sonuc;
  for (;;) {
    ComPtr<IWbemClassObject> nesne;
    ULONG gelen = 0;
    const HRESULT hr = liste->Next(kWmiZamanAsimi, 1, nesne.adres(), &gelen);
    Dogrula(hr, "Next");
    if (hr == WBEM_S_TIMEDOUT) throw std::runtime_error("Next");
    if (gelen == 0) break;
    VARIANT deger;
    VariantInit(&deger);
    Dogrula(nesne->Get(L"SerialNumber", 0, &deger, nullptr, nullptr), "SerialNumber");
    sonuc = deger.vt == VT_BSTR ? AsciiBuyut(Utf8(deger.bstrVal)) : std::string();
    VariantClear(&deger);
  }
  return sonuc;
}

std::wstring KlasorYolu(BilinenKlasor klasor) {
  const KNOWNFOLDERID* kimlik = &FOLDERID_RoamingAppData;
  switch (klasor) {
    case BilinenKlasor::DolasanUygulamaVerisi: kimlik = &FOLDERID_RoamingAppData; break;
    case BilinenKlasor::YerelUygulamaVerisi: kimlik = &FOLDERID_LocalAppData; break;
    case BilinenKlasor::Belgeler: kimlik = &FOLDERID_Documents; break;
  }
  PWSTR yol = nullptr;
  std::wstring sonuc;
  if (SUCCEEDED(SHGetKnownFolderPath(*kimlik, 0, nullptr, &yol)) && yol) sonuc = yol;
  CoTaskMemFree(yol);
  while (sonuc.size() > 3 && (sonuc.back() == L'\\' || sonuc.back() == L'/')) sonuc.pop_back();
  return sonuc;
}

}  // namespace vlm::win
#endif
