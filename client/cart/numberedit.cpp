#include "numberedit.h"

#include <QKeyEvent>
#include <cmath>

namespace vlm {

NumberEdit::NumberEdit(QWidget* parent) : QLineEdit(parent) {
  setAlignment(Qt::AlignRight | Qt::AlignVCenter);
  setText(onceki_ = SayiKutusuMetni(0));
  connect(this, &QLineEdit::textEdited, this, &NumberEdit::duzenlendi);
}

void NumberEdit::setValue(double deger) {
  deger_ = std::isfinite(deger) ? deger : 0;
  setText(onceki_ = SayiKutusuMetni(deger_));
}

void NumberEdit::keyPressEvent(QKeyEvent* e) {
  const QChar ayirici = QLocale().decimalPoint().at(0);
  if (!isReadOnly() && !hasSelectedText()) {
    const int imlec = cursorPosition();
    // Deleting the decimal separator steps over it.
    if (e->key() == Qt::Key_Backspace && e->modifiers() == Qt::NoModifier && imlec > 0 &&
        text().at(imlec - 1) == ayirici) {
      setCursorPosition(imlec - 1);
      return;
    }
    if (e->key() == Qt::Key_Delete && e->modifiers() == Qt::NoModifier && imlec < text().size() &&
        text().at(imlec) == ayirici) {
      setCursorPosition(imlec + 1);
      return;
    }
  }
  // The keypad's decimal key types the locale's separator.
  if ((e->modifiers() & Qt::KeypadModifier) &&
      (e->key() == Qt::Key_Period || e->key() == Qt::Key_Comma)) {
    QKeyEvent yerine(e->type(), e->key(), e->modifiers(), QString(ayirici), e->isAutoRepeat(),
                     ushort(e->count()));
    QLineEdit::keyPressEvent(&yerine);
    e->setAccepted(yerine.isAccepted());
    return;
  }
  QLineEdit::keyPressEvent(e);
}

void NumberEdit::duzenlendi(const QString& metin) {
  const SayiDuzenSonucu s = SayiDuzenle(onceki_, metin, cursorPosition(), kural_);
  setText(onceki_ = s.metin);
  setCursorPosition(s.imlec);
  if (s.reddedildi) return;
  deger_ = s.deger;
  Q_EMIT valueEdited(deger_);
}

}  // namespace vlm
