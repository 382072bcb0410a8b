#pragma once
// The order confirmation "Sipariş Onay": delivery mode, cargo type and
// company, a note, the order's summary and the overdue-balance warning.
// "Evet" closes with OK once the three choices are made; the caller then
// saves the order (SiparisGonder) with td, kt, KN and the note.
#include <QDialog>

#include "dataset.h"

class QComboBox;
class QLabel;
class QPlainTextEdit;
class QPushButton;

namespace vlm {

class Connection;
class RadioGroup;
class TSonucBilgisi;

class TONAYSIP : public QDialog {
  Q_OBJECT
 public:
  // Stores the arguments, writes the summary and the warning and loads the
  // delivery modes and cargo types on a clone of _c.
  TONAYSIP(QWidget* AOwner, Connection* _c, const QString& mesaj, const TSonucBilgisi* _sbilgi,
           const QString& _toplam);
  static TONAYSIP* Ac(QWidget* AOwner, Connection* _c, const QString& mesaj,
                      const TSonucBilgisi* _sbilgi, const QString& _toplam) {
    return new TONAYSIP(AOwner, _c, mesaj, _sbilgi, _toplam);
  }
  ~TONAYSIP() override;

  // A cargo type was chosen: its companies into `kargo` and the list.
  void boxkargoClick();
  // A company was chosen: its warning under the list.
  void kargocomboChange();
  // "Evet": the checks, then the choices and OK.
  void Button1Click();

  Connection* bagc;
  const TSonucBilgisi* sbilgi;
  QString toplam;
  int td = 0;
  int kt = 0;
  int KN = 0;
  DataSet kargo;

  RadioGroup* teslimbox = nullptr;
  RadioGroup* boxkargo = nullptr;
  QComboBox* kargocombo = nullptr;
  QLabel* uyarikargo = nullptr;
  QPlainTextEdit* aciklamagir = nullptr;
  QLabel* Label2 = nullptr;        // the summary
  QLabel* Label3 = nullptr;        // the overdue-balance warning
  QLabel* Label1 = nullptr;        // the question
  QPushButton* Button1 = nullptr;  // "Evet"
  QPushButton* Button2 = nullptr;  // "Hayır"

 protected:
  void showEvent(QShowEvent* olay) override;

 private:
  QWidget* kutularKur();
  void listeleriYukle();
};

}  // namespace vlm
