#pragma once
// The application object: the general error display for exceptions that reach
// the event loop, and the program-wide set-up.
#include <QApplication>

namespace vlm {

class Uygulama : public QApplication {
  Q_OBJECT
 public:
  Uygulama(int& argc, char** argv);
  bool notify(QObject* receiver, QEvent* event) override;
};

// Registers the tab painter, applies the style, installs the real message
// boxes and file dialogs. Called once after the application object exists.
void UygulamaHazirla();

}  // namespace vlm
