#pragma once
// A radio group: a captioned box with one radio button per entry, stacked,
// each entry carrying an identity beside its name. At most one entry is
// selected; -1 means none.
#include <QGroupBox>
#include <QList>

class QButtonGroup;
class QRadioButton;
class QVBoxLayout;

namespace vlm {

class RadioGroup : public QGroupBox {
  Q_OBJECT
 public:
  explicit RadioGroup(const QString& baslik, QWidget* parent = nullptr);

  void clear();
  void addItem(const QString& ad, int kimlik);
  int count() const { return static_cast<int>(dugmeler_.size()); }
  QString itemText(int i) const;
  int itemId(int i) const;
  QRadioButton* button(int i) const;

  // The selected entry, -1 when none.
  int itemIndex() const;
  // Selects an entry (-1 clears the selection); no click is reported.
  void setItemIndex(int i);

 Q_SIGNALS:
  // The user clicked an entry (a click on the selected one too).
  void clicked(int i);

 private:
  QButtonGroup* grup_;
  QVBoxLayout* yerlesim_;
  QList<QRadioButton*> dugmeler_;
  QList<int> kimlikler_;
};

}  // namespace vlm
