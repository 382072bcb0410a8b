#pragma once
// A small busy animation: a turning ring of dots, shown while a list loads.
#include <QTimer>
#include <QWidget>

namespace vlm {

class BusyIndicator : public QWidget {
  Q_OBJECT
 public:
  explicit BusyIndicator(QWidget* parent = nullptr);
  QSize sizeHint() const override { return {28, 28}; }
  bool isAnimating() const { return timer_.isActive(); }

 protected:
  void paintEvent(QPaintEvent*) override;
  void showEvent(QShowEvent*) override;
  void hideEvent(QHideEvent*) override;

 private:
  QTimer timer_;
  int step_ = 0;
};

}  // namespace vlm
