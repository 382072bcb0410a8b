// Links the Windows sources into a small program, so that the cross build
// proves every system function they call resolves against its library.
#include <cstdio>
#include <exception>

#include "istasyon_win.h"
#include "kurallar.h"

int main() {
  using namespace vlm::win;
  std::printf("%ls %ls %s %s\n", BilgisayarAdi().c_str(), KullaniciAdi().c_str(), IcIp().c_str(),
              MacAdresi().c_str());
  try {
    std::printf("%s\n", DiskSeriNo().c_str());
  } catch (const std::exception& e) {
    std::printf("%s\n", e.what());
  }
  std::printf("%ls\n", KlasorYolu(BilinenKlasor::DolasanUygulamaVerisi).c_str());
  std::printf("%s\n", vlm::BilgisayarIdOlustur(DiskSeriNo, MacAdresi).c_str());
  return 0;
}
