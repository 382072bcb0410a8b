#pragma once
// Business arithmetic and text rules of the application server: letter
// folding for searches, rounding, discount cascades, line amounts, the
// Turkish number format. No database, no network.
#include <QString>
#include <QStringList>
#include <array>

namespace vlm::server {

// Upper-case text with Turkish letters replaced by their plain Latin
// capitals (ğ→G, ü→U, ş→S, ı→I, i→I, ö→O, ç→C, İ→I, ...), the form the
// client sends typed search texts in.
QString foldText(const QString& text);
// foldText without blanks and punctuation: "1K0-615 301" → "1K0615301".
QString compactText(const QString& text);

// Rounds to two decimals, halves away from zero, on the number's
// 15-digit decimal form (1.005 → 1.01, 2.675 → 2.68, -0.125 → -0.13).
double yuvarla(double x);

using Rates = std::array<double, 4>;

// The price after the rates, each applied to what the previous ones left;
// rates of 0 or below are skipped. Not rounded.
double cascade(double amount, const Rates& rates);
// The rates as display text: the positive ones joined by "+", decimals
// with a comma ("10+5", "7,5"); "0" when none is positive.
QString ratesText(const Rates& rates);
// The single rate equal to the cascade of the four, in percent.
double effectiveRate(const Rates& rates);

// Amounts of one cart, order or invoice line.
struct LineAmounts {
  double gross = 0;     // quantity × unit price
  double discount = 0;  // gross − net
  double net = 0;       // after the cascaded discounts
  double netUnit = 0;   // net / quantity
  double vat = 0;       // net × VAT rate
  double total = 0;     // net + vat
};
LineAmounts lineAmounts(double quantity, double unitPrice, const Rates& rates, double vatRate);

// "#,###,##0.00" with Turkish separators: 1234.5 → "1.234,50".
QString turkishMoney(double x);

}  // namespace vlm::server
