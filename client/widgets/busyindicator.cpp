#include "busyindicator.h"

#include <QPainter>
#include <QtMath>

namespace vlm {

BusyIndicator::BusyIndicator(QWidget* parent) : QWidget(parent) {
  setAttribute(Qt::WA_TransparentForMouseEvents);
  timer_.setInterval(90);
  connect(&timer_, &QTimer::timeout, this, [this] {
    step_ = (step_ + 1) % 12;
    update();
  });
  setFixedSize(sizeHint());
}

void BusyIndicator::showEvent(QShowEvent*) {
  timer_.start();
}
void BusyIndicator::hideEvent(QHideEvent*) {
  timer_.stop();
}

void BusyIndicator::paintEvent(QPaintEvent*) {
  QPainter p(this);
  p.setRenderHint(QPainter::Antialiasing);
  const QPointF c = rect().center() + QPointF(0.5, 0.5);
  const qreal r = qMin(width(), height()) / 2.0 - 4;
  for (int i = 0; i < 12; ++i) {
    const int age = (step_ - i + 12) % 12;
    QColor col(178, 18, 32);
    col.setAlphaF(1.0 - age / 12.0 * 0.85);
    p.setBrush(col);
    p.setPen(Qt::NoPen);
    const qreal a = i * M_PI / 6.0;
    p.drawEllipse(QPointF(c.x() + r * qCos(a), c.y() + r * qSin(a)), 2.6, 2.6);
  }
}

}  // namespace vlm
