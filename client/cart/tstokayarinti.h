#pragma once
// The product dialog "Sepete Ekle": a product's header, its picture, the
// quantity, price and discounts with the amounts they give. The add flows
// (urunekle.h) fill it, show it modally and send the line on OK; the cart
// view uses it to change a line.
#include <QDialog>

class QLabel;
class QPushButton;
class QSpinBox;

namespace vlm {

class NumberEdit;
class PictureBox;
class TAsyncResim;

class Tstokayarinti : public QDialog {
  Q_OBJECT
 public:
  // The dialog for product _stokno (its web picture), owned by AOwner.
  Tstokayarinti(QWidget* AOwner, int _stokno);
  static Tstokayarinti* Ac(QWidget* AOwner, int _stokno) {
    return new Tstokayarinti(AOwner, _stokno);
  }
  ~Tstokayarinti() override;

  // Recomputes the discount amount, "KDV Dahil:" and "Tutar:" from the
  // quantity, the price, the four rates and kdvoran.
  void Hesapla();
  // The four rates add up to more than 1.
  bool IskontoVar() const;
  // Divides the price by 1.18 (a price typed with its 18 % VAT) and
  // recomputes; only while the price can be edited.
  void KdvCikar();
  // Runs when the dialog is shown: amounts, the discount line's visibility,
  // the web picture's address.
  void FormShow();
  // Customer types 1 and 2: the price and the four rates become editable.
  void KilidiAc();
  // The quantity box's value; 1 when its text is not a whole number.
  int Miktar() const;
  // The quantity box's text as it was when the dialog closed with OK (the
  // box puts its last value back into an emptied text when it loses focus).
  const QString& AdetMetni() const { return adetMetni_; }
  void done(int sonuc) override;

  int stokno;
  double kdvoran = 0;

  QLabel* barkod = nullptr;
  QLabel* adi = nullptr;
  QLabel* finishkod = nullptr;
  QLabel* marka = nullptr;
  QLabel* model = nullptr;
  PictureBox* Image1 = nullptr;
  TAsyncResim* AsyncResim1 = nullptr;
  QSpinBox* adet = nullptr;
  QLabel* fiyatlbl = nullptr;  // "Fiyat:"
  NumberEdit* birimfiyat = nullptr;
  QLabel* indirimoran = nullptr;  // "İndirim:"
  NumberEdit* indtutar = nullptr;
  NumberEdit* kdvdahiltutar = nullptr;
  NumberEdit* geneltutar = nullptr;
  QWidget* GridPanel2 = nullptr;
  NumberEdit* edindirim1 = nullptr;
  NumberEdit* edindirim2 = nullptr;
  NumberEdit* edindirim3 = nullptr;
  NumberEdit* edindirim4 = nullptr;
  QPushButton* ParcaliTus1 = nullptr;  // "Sipariş ekle"
  QPushButton* ParcaliTus2 = nullptr;  // "Vazgeç"

  // The built-in picture shown until the product's own arrives.
  static QPixmap yerTutucuResim();

 protected:
  bool eventFilter(QObject* nesne, QEvent* olay) override;
  bool event(QEvent* olay) override;
  void showEvent(QShowEvent* olay) override;

 private:
  QWidget* baslikKur();
  QWidget* resimKur();
  QWidget* tutarlarKur();
  QWidget* iskontoKur();
  QWidget* dugmelerKur();
  QList<NumberEdit*> sayiKutulari() const;

  QString adetMetni_;
};

}  // namespace vlm
