#include "anapencere.h"

#include "stoklistesi.h"
#include "urunekle.h"
#include "tform1.h"

namespace vlm {

AnaPencereParcalari AnaPencereyiKur(TForm1& form) {
  AnaPencereParcalari p;
  p.stokListesi = new StokListesi(form);
  p.stokListesi->sepeteEkleAkisi = [&form](StokListesi& l) { StokListesindenEkle(form, l.stok()); };
  return p;
}

}  // namespace vlm
