#pragma once
// The rules of the cart tab and of the order confirmation, without windows:
// the totals of the marked lines, the questions about a dataset, a cart
// line as the change flow reads it, the order summary, the checks of the
// confirmation window.
#include <QList>
#include <QString>

#include "hesap.h"

namespace vlm {

class DataSet;
class TSonucBilgisi;

// ---- Totals -------------------------------------------------------------

// The five totals of the marked lines ("Toplam:", "İndirim Toplam:",
// "Ara Toplam:", "Vergi:", "Genel Toplam:").
struct SepetToplamlari {
  double toplam = 0;       // sum of TUTAR
  double indirim = 0;      // sum of INDIRIMTUTAR
  double araToplam = 0;    // toplam − indirim
  double vergi = 0;        // sum of VERGITUTARI
  double genelToplam = 0;  // araToplam + vergi
};

// Walks every row whose SEC is 1 and adds its TUTAR, INDIRIMTUTAR and
// VERGITUTARI, rounding each running sum after every addition (Yuvarla);
// then araToplam and genelToplam, each rounded. A missing or NULL amount
// column, or a value that is not a finite number, counts as 0. The current
// row does not move.
SepetToplamlari SepetToplamHesapla(const DataSet& sepet);

// An amount as the labels show it: "#,###,##0.00" with the locale's
// separators.
QString TutarYazisi(double tutar);

// ---- Questions about a dataset --------------------------------------------

// The dataset is open (has columns) and has at least one row.
bool VeriVarmi(const DataSet& veri);
// VeriVarmi holds and a row has SEC equal to 1. Moves the current row to
// the first marked row (or past the last row when there is none).
bool SecimVarmi(DataSet& veri);

// ---- A cart line ------------------------------------------------------------

// What the change flow and the line calls read of a cart line.
struct SepetSatiri {
  int sirano = 0;  // the line's number in the server cart
  int stokno = 0;
  QString barkod, stokadi, marka, finishkod, model;
  double kdv = 0, miktar = 0, birimfiyat = 0;
  Oranlar oranlar{0, 0, 0, 0};  // INDIRIMORANI1 … INDIRIMORANI4
};
// The current row of the cart dataset.
SepetSatiri SepetSatiriOku(const DataSet& sepet);
// The description sent with a deleted line: BARKOD, "-" and STOKADI.
QString SatirSilAciklamasi(const SepetSatiri& satir);

// ---- The stock state of a line ----------------------------------------------

// The caption of a DURUM value in the cart: 0 "Yok", 1 "Var", 2 "Telefon
// Açınız", 3 "Yolda", 4 "Özel Sipariş", 5 "Tedarik Sürecinde"; others as
// their digits.
QString SepetDurumAdi(int durum);

// ---- Column widths ------------------------------------------------------------

// Screens wider than this size the columns by weight; narrower ones best-fit.
inline constexpr int kSepetGenisEkran = 1152;
inline bool SepetSutunlariAgirlikla(int ekranGenisligi) {
  return ekranGenisligi > kSepetGenisEkran;
}

// ---- The order confirmation ----------------------------------------------------

// One entry of a list the server gives with identities (delivery modes,
// cargo types).
struct Secenek {
  int kimlik = 0;
  QString ad;
};

// The three lines of the summary: user, account and amount, the colons
// aligned for a fixed-pitch font.
QString SiparisOzeti(const TSonucBilgisi& sbilgi, const QString& toplam);

// The delivery mode selected when the list is loaded: the second entry, the
// only one, or none (-1).
int TeslimOnSecimi(int adet);

// The first thing "Evet" misses, or an empty text: a delivery mode, a cargo
// type, a company (index 0 is the blank entry; -1 is nothing selected).
QString SiparisOnayEksigi(int teslim, int kargoTuru, int kargo);

}  // namespace vlm
