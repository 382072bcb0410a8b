#include "numberformat.h"

#include <QLocale>
#include <charconv>
#include <cmath>
#include <cstdlib>

namespace vlm {

QByteArray formatReal(double v) {
  if (std::isnan(v)) return QByteArrayLiteral("NAN");
  if (std::isinf(v)) return v < 0 ? QByteArrayLiteral("-INF") : QByteArrayLiteral("INF");
  if (v == 0) return QByteArrayLiteral("0");

  // 15 significant digits: d.dddddddddddddde±x, whatever the C locale says.
  char buf[40];
  const auto res = std::to_chars(buf, buf + sizeof buf - 1, v, std::chars_format::scientific, 14);
  *res.ptr = 0;
  const char* p = buf;
  QByteArray out;
  if (*p == '-') {
    out += '-';
    ++p;
  }
  QByteArray digits;
  for (; *p && *p != 'e'; ++p)
    if (*p != '.') digits += *p;
  const int exp10 = std::atoi(p + 1);  // value = d.ddd × 10^exp10
  while (digits.size() > 1 && digits.endsWith('0')) digits.chop(1);

  // The point sits after `point` digits (as in 0.ddd × 10^point).
  const int point = exp10 + 1;
  if (point > 15 || point < -3) {
    out += digits.at(0);
    if (digits.size() > 1) {
      out += '.';
      out += digits.mid(1);
    }
    out += 'E';
    out += QByteArray::number(exp10);
    return out;
  }
  if (point <= 0) {
    out += "0.";
    out += QByteArray(-point, '0');
    out += digits;
  } else if (point >= digits.size()) {
    out += digits;
    out += QByteArray(point - digits.size(), '0');
  } else {
    out += digits.left(point);
    out += '.';
    out += digits.mid(point);
  }
  return out;
}

QString formatRealLocal(double v) {
  QString s = QString::fromLatin1(formatReal(v));
  const QString sep = QLocale().decimalPoint();
  if (sep != QLatin1String(".")) s.replace(QLatin1Char('.'), sep);
  return s;
}

}  // namespace vlm
