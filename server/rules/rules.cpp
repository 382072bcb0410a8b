#include "rules.h"

#include <cmath>

namespace vlm::server {

QString foldText(const QString& text) {
  QString out;
  out.reserve(text.size());
  for (QChar c : text) {
    switch (c.unicode()) {
      case 0x011F:
      case 0x011E: out += QLatin1Char('G'); break;
      case 0x00FC:
      case 0x00DC: out += QLatin1Char('U'); break;
      case 0x015F:
      case 0x015E: out += QLatin1Char('S'); break;
      case 0x0131:
      case 0x0130:
      case 0x0069: out += QLatin1Char('I'); break;
      case 0x00F6:
      case 0x00D6: out += QLatin1Char('O'); break;
      case 0x00E7:
      case 0x00C7: out += QLatin1Char('C'); break;
      default: out += c.toUpper();
    }
  }
  return out;
}

QString compactText(const QString& text) {
  const QString folded = foldText(text);
  QString out;
  out.reserve(folded.size());
  for (QChar c : folded)
    if (c.isLetterOrNumber()) out += c;
  return out;
}

double yuvarla(double x) {
  if (!std::isfinite(x)) return 0;
  // The 15-digit decimal form decides, so 1.005 (stored as 1.00499...) is a half.
  const double ax = std::fabs(x);
  const int intDigits = ax < 1 ? 1 : int(std::floor(std::log10(ax))) + 1;
  const QString digits = QString::number(ax, 'f', std::max(3, 15 - intDigits));
  const int dot = digits.indexOf(QLatin1Char('.'));
  const QString frac = digits.mid(dot + 1, 3);
  qint64 cents = digits.left(dot).toLongLong() * 100 + frac.left(2).toLongLong();
  if (frac.at(2) >= QLatin1Char('5')) ++cents;
  const double r = double(cents) / 100.0;
  return x < 0 ? -r : r;
}

double cascade(double amount, const Rates& rates) {
  double n = amount;
  for (double d : rates)
    if (d > 0) n -= n * d / 100.0;
  return n;
}

static QString shortNumber(double x) {
  QString s = QString::number(x, 'g', 15);
  s.replace(QLatin1Char('.'), QLatin1Char(','));
  return s;
}

QString ratesText(const Rates& rates) {
  QStringList parts;
  for (double d : rates)
    if (d > 0) parts << shortNumber(d);
  return parts.isEmpty() ? QStringLiteral("0") : parts.join(QLatin1Char('+'));
}

double effectiveRate(const Rates& rates) {
  return 100.0 - cascade(100.0, rates);
}

LineAmounts lineAmounts(double quantity, double unitPrice, const Rates& rates, double vatRate) {
  LineAmounts a;
  a.gross = yuvarla(quantity * unitPrice);
  a.net = yuvarla(cascade(quantity * unitPrice, rates));
  a.discount = yuvarla(a.gross - a.net);
  a.netUnit = quantity > 0 ? yuvarla(a.net / quantity) : 0;
  a.vat = yuvarla(a.net * vatRate / 100.0);
  a.total = yuvarla(a.net + a.vat);
  return a;
}

QString turkishMoney(double x) {
  const double r = yuvarla(x);
  const qint64 cents = qint64(std::llround(std::fabs(r) * 100));
  QString whole = QString::number(cents / 100);
  for (int i = whole.size() - 3; i > 0; i -= 3) whole.insert(i, QLatin1Char('.'));
  const QString frac = QStringLiteral("%1").arg(cents % 100, 2, 10, QLatin1Char('0'));
  return (r < 0 ? QStringLiteral("-") : QString()) + whole + QLatin1Char(',') + frac;
}

}  // namespace vlm::server
