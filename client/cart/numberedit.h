#pragma once
// A line edit for amounts: it shows its value in the amount format
// "#,###,##0.00" at every moment, also while the user types (sayiduzen.h).
#include <QLineEdit>

#include "sayiduzen.h"

namespace vlm {

class NumberEdit : public QLineEdit {
  Q_OBJECT
 public:
  explicit NumberEdit(QWidget* parent = nullptr);

  // The value shown; a value that is not a finite number is taken as 0.
  double value() const { return deger_; }
  void setValue(double deger);

  const SayiKurali& kural() const { return kural_; }
  void setKural(const SayiKurali& kural) { kural_ = kural; }

 Q_SIGNALS:
  void valueEdited(double deger);

 protected:
  void keyPressEvent(QKeyEvent* e) override;

 private:
  void duzenlendi(const QString& metin);

  double deger_ = 0;
  QString onceki_;  // the text before the edit
  SayiKurali kural_;
};

}  // namespace vlm
