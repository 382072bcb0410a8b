#pragma once
// The program's pictures, drawn at run time so that they stay sharp at any
// size and need no image files.
#include <QIcon>
#include <QPixmap>

namespace vlm {

// Stock state of a product (DURUM): 0 none, 1 in stock, 2 call us, 3 on the
// way, 4 special order, 5 being supplied. Other values: a grey question mark.
QPixmap stokDurumResmi(int durum, int boyut = 24);
// The name of a stock state: "Yok", "Stok mevcut", "Telefon Açınız", "Yolda",
// "Özel Sipariş", "Tedarik Sürecinde"; other values as their number.
QString stokDurumAdi(int durum);
// Flags of the product lists: new (Y), campaign (K), has a picture (RESIM).
QPixmap yeniResmi(bool yeni, int boyut = 24);
QPixmap kampanyaResmi(bool kampanyali, int boyut = 24);
QPixmap resimVarResmi(int boyut = 24);

// Tab pictures by index (0 list, 1 statement, 3 previous orders, 5
// announcements, 6 campaign, 7 balances, 8 cart, 10 new), white on clear.
QIcon sekmeResmi(int indeks, int boyut = 32);

// The distributor's logo for the header, the menu button's picture, the
// magnifier of the search panel, and the small pictures of "Ara"/"Temizle".
QPixmap logoResmi(const QSize& boyut);
QPixmap menuResmi(int boyut = 48);
QPixmap buyutecResmi(int boyut = 24);
QPixmap araResmi(int boyut = 24);
QPixmap temizleResmi(int boyut = 24);

}  // namespace vlm
