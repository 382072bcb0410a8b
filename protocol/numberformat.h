#pragma once
// Real numbers as text: the shortest general decimal form with at most 15
// significant digits, "." as decimal separator, no thousands separators,
// whole values without a fraction, and the exponent form with an upper-case
// "E" when the value is very large (16 or more digits before the point) or
// very small (below 0.0001): 0.18, 20, 1250.75, 1E20, 1.5E-7.
#include <QByteArray>
#include <QString>

namespace vlm {

// Not-finite values give "NAN", "INF" and "-INF".
QByteArray formatReal(double v);
// The same with the decimal separator of the default locale.
QString formatRealLocal(double v);

}  // namespace vlm
