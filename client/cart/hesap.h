#pragma once
// The arithmetic of the product dialog: rounding by the number formatter,
// the cascaded discounts and the amounts shown, the VAT strip of F4.
#include <array>

namespace vlm {

// The four discount rates of a line, in percent.
using Oranlar = std::array<double, 4>;

// Rounds to two decimals the way the amounts are printed: the value is
// formatted with "#,###,##.00" (15 significant digits, then halves away from
// zero), the thousands separators are removed and the text is read back.
// NaN and infinities give 0.
double Yuvarla(double x);
// The same with three decimals ("#,###,##.000").
double Yuvarla3(double x);

// The amounts of the product dialog.
struct Tutarlar {
  double brut = 0;      // price × quantity
  double net = 0;       // after the cascaded discounts, not rounded
  double indirim = 0;   // brut − net, not rounded (the discount amount box)
  double netSatir = 0;  // net, rounded
  double netBirim = 0;  // net line / quantity, rounded; 0 when the quantity is 0
  double kdvDahil = 0;  // net unit price with VAT, rounded ("KDV Dahil:")
  double tutar = 0;     // "KDV Dahil:" × quantity, rounded ("Tutar:")
};

// Computes the amounts of a line: the discounts cascade in order, each on
// what the previous ones left, and rates of 0 or below are skipped. Every
// amount is finite: a value that is not a finite number counts as 0.
Tutarlar Hesapla(double fiyat, double miktar, const Oranlar& oranlar, double kdv);

// True when the four rates add up to more than 1.
bool IskontoVar(const Oranlar& oranlar);

// Strips an 18 % VAT from a tax-inclusive price.
double KdvCikar(double fiyat);

}  // namespace vlm
