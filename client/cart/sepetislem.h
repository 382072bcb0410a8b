#pragma once
// The cart on the server as the product lists use it: reloading the cart
// dataset, sending a product row as a new line, the product picture. No
// windows here; the main window's wrappers (urunekle.h) pass its connection,
// login record and cart dataset.
#include <QImage>
#include <QString>
#include <QStringView>
#include <exception>
#include <optional>

#include "hesap.h"

namespace vlm {

class Connection;
class DataSet;
class TSonucBilgisi;

// Cells of the current row by column name; a missing column reads as 0 or "".
qint32 SatirTamsayi(const DataSet& veri, QStringView sutun);
double SatirSayi(const DataSet& veri, QStringView sutun);
QString SatirMetin(const DataSet& veri, QStringView sutun);

// Reloads `sepet` with the account's cart (SepetVer2 with the login record's
// CARINO) on a clone of `bagc`, and gives its real columns the amount
// format. False when the clone could not be opened (reported; `sepet` keeps
// its rows). A failure of SepetVer2 itself is raised. Runs on any thread.
bool SepetGetir(const Connection& bagc, const TSonucBilgisi& sbilgi, DataSet& sepet);

// Sends the current row of `liste` as a new cart line: SepetEkle2 on `bagc`
// (opened, reporting a failure, and closed afterwards) with a copy of the
// login record, its CARINO, the row's STOK_STOKNO, BARKOD and ADI, miktar,
// the row's KDV as a whole number, fiyat, isk[0], the login record's Sirano,
// the row's K as a whole number, isk[1], isk[2], isk[3]. A result of 1
// reloads `sepet`. Returns SepetEkle2's result, or -1 when `bagc` could not
// be opened. A failure of SepetEkle2 itself is raised.
int SepeteEkle(Connection& bagc, const TSonucBilgisi& sbilgi, const DataSet& liste, DataSet& sepet,
               double miktar, double fiyat, const Oranlar& isk);

// The product's picture from the server: `bagc` opened (reporting a
// failure), ResimVer5, the stream copy, a JPEG decoded; `bagc` closed again.
// Nothing when the size is 0, the copy is not of the reported size or the
// bytes do not decode. An error on the way is shown in a plain box as its
// kind, ": " and its text, and gives nothing.
std::optional<QImage> UrunResmiOku(Connection& bagc, int stokno);

// The kind of an error, as its class is named ("Error", "bad_alloc").
QString HataTuru(const std::exception_ptr& hata);

}  // namespace vlm
