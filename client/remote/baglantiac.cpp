#include "baglantiac.h"

#include "connection.h"
#include "error.h"
#include "mesaj.h"
#include "seams.h"

namespace vlm {

namespace {
constexpr int kDenemeSayisi = 11;
constexpr int kBekleme = 500;
}  // namespace

QString BaglantiKurulamiyorMetni() {
  return QStringLiteral("Bağlantı Kurulamıyor Lütfen Tekrar Deneyin ...!");
}

bool BaglantiAc(Connection* baglanti, int rapor) {
  if (!baglanti) return false;
  baglanti->close();
  int sayac = 0;
  do {
    try {
      baglanti->open();
      return true;
    } catch (...) {
      ShowMessage(errorText(std::current_exception()));
      baglanti->close();
      ++sayac;
      Bekle(kBekleme);
    }
  } while (sayac < kDenemeSayisi);
  if (rapor == 1) MesajGoster(BaglantiKurulamiyorMetni(), mtHata, mbOK, mbOK);
  return false;
}

}  // namespace vlm
