#pragma once
// Product search: the rules of the search box and the stock list, without
// widgets.
#include <QChar>
#include <QLocale>
#include <QString>

namespace vlm {

class Connection;
class DataSet;
class TSonucBilgisi;

// A typed character as the search box takes it: Turkish letters become their
// plain Latin letters (ğ g, ü u, ş s, ö o, ç c, ı I, İ I and the capitals);
// every other character stays.
QChar AramaHarfiKatla(QChar c);

// True when the text, trimmed, has at least three characters.
bool AramaMetniYeterli(const QString& metin);

// The text of the drawn "Fiyat Bilgisi" cell: list price, the campaign price
// when above 0, net price and price with VAT, each line ending in "\r\n".
QString FiyatBilgisiMetni(double listeFiyat, double kampanyaFiyat, double netFiyat, double kdvDahil,
                          const QLocale& yerel = QLocale());

// The stock list is wide (four price columns, row height 60) from this
// window width on; narrower it folds them into "Fiyat Bilgisi" (row height 100).
inline constexpr int kGenisPencere = 1153;
inline bool StokListesiGenis(int pencereGenisligi) {
  return pencereGenisligi >= kGenisPencere;
}

// The search body: a private copy of the login record, a clone of the main
// connection, StokAraGetir, the packet into stok (display updates suspended
// meanwhile), the IND1 check, the amount format. Returns true when it failed.
bool StokAra(const Connection& bagc, const TSonucBilgisi& sbilgi, const QString& metin,
             DataSet& stok);

}  // namespace vlm
