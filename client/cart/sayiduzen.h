#pragma once
// The editing rule of the dialog's number boxes: whatever the user types,
// pastes or deletes, the box shows its value in the amount format
// "#,###,##0.00" at every moment, with the caret kept beside the digit it
// was next to.
#include <QLocale>
#include <QString>

namespace vlm {

// The values a box accepts.
struct SayiKurali {
  double enAz = 0;
  double enCok = 999999999.99;
};

struct SayiDuzenSonucu {
  QString metin;            // the box's new text
  int imlec = 0;            // the caret in it
  double deger = 0;         // the value it shows
  bool reddedildi = false;  // out of range: the old text stays
};

// The text of a value in the amount format; NaN and infinities show 0.
QString SayiKutusuMetni(double deger, const QLocale& yerel = QLocale());

// Rebuilds the text `yeni` (what the edit left, caret at `imlec`) that came
// from `eski`. Digits before the decimal separator are the whole part (group
// separators and other characters are dropped, leading zeros removed); the
// fraction keeps its first two digits and is filled with zeros. Typing the
// decimal separator again moves the caret behind the one there is; deleting
// the separator only moves the caret in front of it. A negative sign counts
// only where the rule allows values below 0 (each further sign turns it
// round). A value outside the rule is refused.
SayiDuzenSonucu SayiDuzenle(const QString& eski, const QString& yeni, int imlec,
                            const SayiKurali& kural, const QLocale& yerel = QLocale());

}  // namespace vlm
