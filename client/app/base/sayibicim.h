#pragma once
// Number formats: "#,###,##0.00" and the like, with the locale's separators.
#include <QLocale>
#include <QString>

namespace vlm {

class DataSet;

// The amount format of the lists.
inline constexpr const char* kTutarBicimi = "#,###,##0.00";

// Formats a number by a pattern of '#', '0', ',' and '.': a ',' before the
// decimal point groups thousands; '0' is a digit always written, '#' one
// written only when it is not a leading (or trailing) zero. The number is first
// taken to 15 significant decimal digits and then rounded half away from zero,
// so 0.125 gives 0.13 and 1.005 gives 1.01. Characters other than those four
// are written as they stand. NaN and infinities give "NAN", "INF" and "-INF".
QString FormatFloat(const QString& bicim, double deger, const QLocale& yerel = QLocale());

// Reads a number written with the locale's separators (group separators are
// skipped). ok is false for a text that is not a number.
double MetniSayiyaCevir(const QString& metin, bool* ok = nullptr, const QLocale& yerel = QLocale());

// Sets the display format of the dataset's floating-point columns (not
// currency or decimal ones) to the amount format.
void SayiBicimle(DataSet& veri);

}  // namespace vlm
