#pragma once
// Puts the main window's content together: each subsystem takes its place
// in the frame (lists on their tabs, start-up steps, flows between them).
namespace vlm {

class TForm1;
class StokListesi;

struct AnaPencereParcalari {
  StokListesi* stokListesi = nullptr;
};

// Builds every subsystem's part of the main window; the parts are owned by
// the window.
AnaPencereParcalari AnaPencereyiKur(TForm1& form);

}  // namespace vlm
