#pragma once
// Tab captions with counters: "12=Sepet" shows "Sepet" with a red 12.
#include <QString>

namespace vlm {

struct TSonuc {
  int sayi = 0;
  QString baslik;
};

// Splits a caption at its first "=": the title after it (at most 100
// characters) and the counter before it. Without "=" the whole caption is the
// title and the counter 0; a counter that is not a whole number counts as 0.
void SekmeBasligiCoz(const QString& baslik, TSonuc& sonuc);
TSonuc SekmeBasligiCoz(const QString& baslik);

// The caption that carries a counter: "12=Sepet".
QString SayacliBaslik(int sayi, const QString& baslik);

}  // namespace vlm
