#include "anapencere.h"

#include "sepetsekmesi.h"
#include "stoklistesi.h"
#include "tform1.h"
#include "urunekle.h"

namespace vlm {

AnaPencereParcalari AnaPencereyiKur(TForm1& form) {
  AnaPencereParcalari p;
  p.stokListesi = new StokListesi(form);
  p.sepet = new SepetSekmesi(form);
  // A double click in the stock list puts the product into the cart, or
  // opens the change of its line when the cart holds it already.
  p.stokListesi->sepeteEkleAkisi = [&form](StokListesi& l) { StokListesindenEkle(form, l.stok()); };
  setSatirDegistirAkisi(&SatirDegistir);
  return p;
}

}  // namespace vlm
