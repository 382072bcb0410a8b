#pragma once
// The cart on the server: reloading the cart dataset, sending a product row
// as a new line, the product picture; the cart view's marks, line changes
// and deletions; the order with its lists and the overdue-balance warning.
// No windows here; the main window's wrappers (urunekle.h, sepetsekmesi.h)
// pass its connection, login record and cart dataset.
#include <QImage>
#include <QList>
#include <QString>
#include <QStringView>
#include <exception>
#include <functional>
#include <optional>

#include "hesap.h"
#include "sepetkurallari.h"

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

// ---- The cart view ---------------------------------------------------------

// What became of one mark sent to the server.
enum class SecimSonucu {
  Gitti,        // the server has it
  BaglantiYok,  // the connection could not be opened (reported)
  CagriHatasi,  // SepetSecimGuncelle failed (silent); the server may or may not have it
};
// SepetSecimGuncelle(sirano, secim) on a fresh clone of `bagc`, opened
// reporting a failure and closed afterwards. Runs on any thread.
SecimSonucu SecimGonder(const Connection& bagc, int sirano, int secim);
// The same as a Boolean: false when the mark did not go through.
bool SecimKaydet(const Connection& bagc, int sirano, int secim);
// Sends one mark per line, in order, each on its own clone. Stops at the
// first line whose connection cannot be opened: the server is gone, and
// every further line would only repeat the attempts. Returns the lines
// whose mark the server has. `ilerleme`, when given, hears the number of
// lines done after each.
QList<int> SecimleriKaydet(const Connection& bagc, const QList<int>& siranolar, int secim,
                           const std::function<void(int)>& ilerleme = {});

// SepetGuncelle2 on `bagc` (opened reporting a failure, closed afterwards)
// with a copy of the login record, its CARINO, stokno 0, the line's BARKOD
// and STOKADI, miktar, the line's KDV as a whole number, fiyat, the line's
// first rate, the login record's Sirano, the line's number and its other
// three rates: whatever rates a dialog showed, the line's own are sent. A
// result of 1 reloads `sepet`. Returns the result, or -1 when `bagc` could
// not be opened. A failure of SepetGuncelle2 itself is raised.
int SepetSatirGuncelle(Connection& bagc, const TSonucBilgisi& sbilgi, const SepetSatiri& satir,
                       double miktar, double fiyat, DataSet& sepet);
// SepetSatirSil of the line on `bagc` with a copy of the login record and
// the line's description; the result is not looked at. False when `bagc`
// could not be opened (reported).
bool SepetSatirSil(Connection& bagc, const TSonucBilgisi& sbilgi, const SepetSatiri& satir);
// SepetHepsiniSil on `bagc` with a copy of the login record; the result is
// not looked at. False when `bagc` could not be opened (reported).
bool SepetHepsiniSil(Connection& bagc, const TSonucBilgisi& sbilgi);

// The overdue-balance warning of the account: CariVadeGunGecmismiBul on a
// clone of `bagc` opened without the final failure message. Empty when the
// clone cannot be opened or the call fails. Runs on any thread.
QString CariBakiyeUyariBak(const Connection& bagc, int carino);

// ---- The order ----------------------------------------------------------------

// The delivery modes (TeslimVer) and the cargo types (KargoVer), both read
// by position, on one clone of `bagc` opened reporting a failure. Empty
// lists when it cannot be opened.
struct SiparisListeleri {
  QList<Secenek> teslim;
  QList<Secenek> kargoTurleri;
};
SiparisListeleri SiparisListeleriOku(const Connection& bagc);
// The companies of a cargo type (KargolarVer) into `kargo`, on `bagc`
// opened reporting a failure and closed afterwards. False when it could not
// be opened (`kargo` is then left as it was).
bool KargolarOku(Connection& bagc, int kargoTuru, DataSet& kargo);
// SiparisKaydet on `bagc` (opened reporting a failure, closed afterwards)
// with a copy of the login record, its CARINO, the delivery mode, the cargo
// type, the note, the login record's Sirano and the company. Returns the
// server's answer; false when `bagc` could not be opened.
bool SiparisGonder(Connection& bagc, const TSonucBilgisi& sbilgi, int KN, int kt,
                   const QString& aciklama, int td);

// The kind of an error, as its class is named ("Error", "bad_alloc").
QString HataTuru(const std::exception_ptr& hata);

}  // namespace vlm
