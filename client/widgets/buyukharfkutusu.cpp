#include "buyukharfkutusu.h"

namespace vlm {

BuyukHarfKutusu::BuyukHarfKutusu(QWidget* parent) : QLineEdit(parent) {
  connect(this, &QLineEdit::textEdited, this, [this](const QString& metin) {
    const QString buyuk = metin.toUpper();
    if (buyuk == metin) return;
    const int imlec = cursorPosition();
    setText(buyuk);
    setCursorPosition(std::min<int>(imlec, buyuk.size()));
  });
}

}  // namespace vlm
