#pragma once
// The program's message box: Turkish titles and button captions, the default
// button first in the tab order.
#include "mesaj.h"

#include <QDialog>
#include <QList>

class QPushButton;

namespace vlm {

class MesajKutusu : public QDialog {
  Q_OBJECT
 public:
  MesajKutusu(const MesajIstegi& istek, QWidget* parent = nullptr);
  // The result code after the box has closed (2 when it was closed by its
  // close button or Escape).
  int sonuc() const { return sonuc_; }
  QPushButton* dugme(MesajDugmesi d) const;
  const QList<QPushButton*>& dugmeler() const { return dugmeler_; }

  static int yaziBoyutu();            // point size of the text
  static void setYaziBoyutu(int pt);  // "message boxes use a 15-point font"

 protected:
  void done(int r) override;

 private:
  int sonuc_ = mrCancel;
  QList<QPushButton*> dugmeler_;
  QList<MesajDugmesi> turler_;
};

// The message service that shows real boxes.
class QtMessageService : public MessageService {
 public:
  int show(const MesajIstegi& istek) override;
};

}  // namespace vlm
