#pragma once
// The request form: a frame around an embedded web browser, opened on the
// distributor's request page for a workstation that is not registered.
#include <QDialog>

class QPushButton;
class QWebEngineView;

namespace vlm {

class Tformistekyeni : public QDialog {
  Q_OBJECT
 public:
  explicit Tformistekyeni(QWidget* parent = nullptr);

  QWebEngineView* sitem = nullptr;
  QPushButton* Button1 = nullptr;  // "Kapat"

  void Button1Click();
};

}  // namespace vlm
