#pragma once
// A line edit that turns letters into capitals, as they are typed and as they
// are pasted; the caret stays where it was.
#include <QLineEdit>

namespace vlm {

class BuyukHarfKutusu : public QLineEdit {
  Q_OBJECT
 public:
  explicit BuyukHarfKutusu(QWidget* parent = nullptr);
};

}  // namespace vlm
