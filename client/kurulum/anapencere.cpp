#include "anapencere.h"

#include "stoklistesi.h"
#include "tform1.h"

namespace vlm {

AnaPencereParcalari AnaPencereyiKur(TForm1& form) {
  AnaPencereParcalari p;
  p.stokListesi = new StokListesi(form);
  return p;
}

}  // namespace vlm
