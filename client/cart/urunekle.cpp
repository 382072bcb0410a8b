#include "urunekle.h"

#include "async.h"
#include "dataset.h"
#include "error.h"
#include "modal.h"
#include "numberedit.h"
#include "picturebox.h"
#include "sayibicim.h"
#include "sepetislem.h"
#include "tform1.h"
#include "tstokayarinti.h"

#include <QLabel>
#include <QSpinBox>
#include <memory>

namespace vlm {

namespace {

SatirDegistirAkisi& satirDegistirAkisi() {
  static SatirDegistirAkisi akis;
  return akis;
}

enum class Liste { Stok, Yeni, Kampanya };

// The routing of a double click.
void yonlendir(TForm1& form, DataSet& liste, void (*listeAkisi)(TForm1&, DataSet&, int)) {
  if (liste.recNo() < 0 || !liste.fieldByName(u"STOK_STOKNO")) return;
  const int stokno = SatirTamsayi(liste, u"STOK_STOKNO");
  liste.locate(u"STOK_STOKNO", stokno);
  // Without the cart there is no telling whether the product is in it: a
  // cart that cannot be loaded (already reported) stops here.
  if (form.sepet.fieldCount() == 0 && !SepetGetir(*form.bagc, *form.sbilgi, form.sepet)) return;
  if (form.sepet.fieldByName(u"STOKNO") && form.sepet.locate(u"STOKNO", stokno)) {
    if (const SatirDegistirAkisi& akis = satirDegistirAkisi())
      akis(form, SatirTamsayi(form.sepet, u"SIRANO"));
    return;
  }
  listeAkisi(form, liste, stokno);
}

// Fills the dialog from the row, shows it and sends the line on OK.
void ekle(TForm1& form, DataSet& liste, int stokno, Liste tur) {
  const std::unique_ptr<Tstokayarinti> d(Tstokayarinti::Ac(&form, stokno));
  UrunResmiAl(form, stokno, d->Image1);
  d->kdvoran = SatirSayi(liste, u"KDV");
  d->barkod->setText(SatirMetin(liste, u"BARKOD"));
  d->adi->setText(SatirMetin(liste, u"ADI"));
  d->marka->setText(SatirMetin(liste, u"MARKA"));
  d->finishkod->setText(SatirMetin(liste, u"FINISHKOD"));
  d->model->setText(SatirMetin(liste, u"MODEL"));
  const int tip = form.sbilgi->MusteriTipi();
  const bool yetkili = tip == 1 || tip == 2;
  if (yetkili) d->KilidiAc();

  const int k = SatirTamsayi(liste, u"K");
  const QString yazi = SatirMetin(liste, u"INDIRIMYAZI");
  const QString kampanyali = QStringLiteral("Kampanyalı ") + yazi;
  bool fiyatlar = true;
  switch (tur) {
    case Liste::Stok:
      d->GridPanel2->setVisible(yetkili);
      fiyatlar = k >= 0;  // a negative flag leaves price and rates at 0
      if (k > 0) {
        d->fiyatlbl->setText(QStringLiteral("Kampanyalı Fiyat:"));
        d->indirimoran->setText(kampanyali);
      } else if (k == 0) {
        d->indirimoran->setText(QStringLiteral("İndirim: %") + yazi);
      }
      break;
    case Liste::Yeni:
      d->GridPanel2->setVisible(yetkili);
      if (k > 0) {
        d->fiyatlbl->setText(QStringLiteral("Kampanyalı Fiyat:"));
        d->indirimoran->setText(kampanyali);
      } else {
        d->indirimoran->setText(QStringLiteral("İndirim:  % ") + yazi);
      }
      break;
    case Liste::Kampanya:
      d->fiyatlbl->setText(QStringLiteral("Kampanyalı Fiyat:"));
      d->indirimoran->setText(kampanyali);
      break;
  }
  if (fiyatlar) {
    d->birimfiyat->setValue(SatirSayi(liste, u"FIYAT"));
    d->edindirim1->setValue(SatirSayi(liste, u"IND1"));
    d->edindirim2->setValue(SatirSayi(liste, u"IND2"));
    d->edindirim3->setValue(SatirSayi(liste, u"IND3"));
    d->edindirim4->setValue(SatirSayi(liste, u"IND4"));
  }

  if (ModalGoster(d.get()) != QDialog::Accepted) return;
  const std::optional<double> miktar = DiyalogMiktari(*d, QStringLiteral("Ürün sepete eklenmedi."));
  if (!miktar) return;
  SepeteEkle(form, liste, *miktar, d->birimfiyat->value(), d->edindirim1->value(),
             d->edindirim2->value(), d->edindirim3->value(), d->edindirim4->value());
}

}  // namespace

std::optional<double> DiyalogMiktari(const Tstokayarinti& d, const QString& sonuc) {
  const QString adetMetni = d.AdetMetni();
  bool tamam = false;
  const double miktar = MetniSayiyaCevir(adetMetni, &tamam);
  if (tamam) return miktar;
  GenelHataGoster(std::make_exception_ptr(
      Error(QStringLiteral("Adet bir sayı değil: \"%1\". ").arg(adetMetni) + sonuc)));
  return std::nullopt;
}

void setSatirDegistirAkisi(SatirDegistirAkisi akis) {
  satirDegistirAkisi() = std::move(akis);
}

void StokListesindenEkle(TForm1& form, DataSet& stok) {
  yonlendir(form, stok, &StokEkle);
}
void YeniListesindenEkle(TForm1& form, DataSet& YENILER) {
  yonlendir(form, YENILER, &YeniStokEkle);
}
void KampanyaListesindenEkle(TForm1& form, DataSet& kampstok) {
  yonlendir(form, kampstok, &KampanyaliStokEkle);
}

void StokEkle(TForm1& form, DataSet& stok, int stokno) {
  ekle(form, stok, stokno, Liste::Stok);
}
void YeniStokEkle(TForm1& form, DataSet& YENILER, int stokno) {
  ekle(form, YENILER, stokno, Liste::Yeni);
}
void KampanyaliStokEkle(TForm1& form, DataSet& kampstok, int stokno) {
  ekle(form, kampstok, stokno, Liste::Kampanya);
}

void SepetGetir(TForm1& form) {
  SepetGetir(*form.bagc, *form.sbilgi, form.sepet);
}

void SepeteEkle(TForm1& form, DataSet& liste, double miktar, double fiyat, double isk1, double isk2,
                double isk3, double isk4) {
  SepeteEkle(*form.bagc, *form.sbilgi, liste, form.sepet, miktar, fiyat, {isk1, isk2, isk3, isk4});
}

void UrunResmiAl(TForm1& form, int stokno, PictureBox* resim) {
  if (const std::optional<QImage> r = UrunResmiOku(*form.bagc, stokno))
    resim->setPicture(QPixmap::fromImage(*r));
}

}  // namespace vlm
