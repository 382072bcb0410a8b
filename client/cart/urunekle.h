#pragma once
// Putting a product of one of the main window's lists into the server cart:
// the routing of a double click, the three add flows with the product
// dialog, and the main window's cart calls (its connection bagc, its login
// record sbilgi, its cart dataset sepet).
#include <QString>
#include <functional>
#include <optional>

#include "hesap.h"

namespace vlm {

class DataSet;
class PictureBox;
class TForm1;
class Tstokayarinti;

// ---- Entry points of the lists ---------------------------------------------
// A double click on a row of a list (and the stock list's popup entry
// "Sepete Ekle") calls its list's function with the list's dataset on the
// focused row. Without a current row nothing happens. The dataset is placed
// on the row of that row's STOK_STOKNO, the cart is loaded when it is not
// yet (when that fails, nothing more happens), and a product already in the
// cart opens the change flow of its line instead of the list's add flow.
void StokListesindenEkle(TForm1& form, DataSet& stok);
void YeniListesindenEkle(TForm1& form, DataSet& YENILER);
void KampanyaListesindenEkle(TForm1& form, DataSet& kampstok);

// The change flow of a cart line: called with form.sepet on the line and the
// line's SIRANO. The cart view installs it; until then a product already in
// the cart opens nothing.
using SatirDegistirAkisi = std::function<void(TForm1& form, int sirano)>;
void setSatirDegistirAkisi(SatirDegistirAkisi akis);

// ---- The add flows (the list's dataset on the product) ---------------------
void StokEkle(TForm1& form, DataSet& stok, int stokno);
void YeniStokEkle(TForm1& form, DataSet& YENILER, int stokno);
void KampanyaliStokEkle(TForm1& form, DataSet& kampstok, int stokno);

// The quantity of a dialog closed with OK: its text read as a number. A
// text that is not a number is shown by the general error display, followed
// by `sonuc` (what was left undone), and gives nothing, so that nothing is
// sent.
std::optional<double> DiyalogMiktari(const Tstokayarinti& d, const QString& sonuc);

// ---- The main window's cart calls ------------------------------------------
// Reloads form.sepet from the server (on a clone of bagc).
void SepetGetir(TForm1& form);
// Sends the current row of liste with these amounts (SepetEkle2 on bagc);
// a stored line reloads the cart.
void SepeteEkle(TForm1& form, DataSet& liste, double miktar, double fiyat, double isk1, double isk2,
                double isk3, double isk4);
// The product's picture from the server into the image; on any failure the
// image keeps what it shows.
void UrunResmiAl(TForm1& form, int stokno, PictureBox* resim);

}  // namespace vlm
