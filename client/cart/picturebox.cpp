#include "picturebox.h"

#include <QPainter>

namespace vlm {

PictureBox::PictureBox(QWidget* parent) : QWidget(parent) {}

void PictureBox::setPicture(const QPixmap& picture) {
  picture_ = picture;
  update();
}

void PictureBox::paintEvent(QPaintEvent*) {
  if (picture_.isNull()) return;
  QPainter p(this);
  p.setRenderHint(QPainter::SmoothPixmapTransform);
  QSize boyut = picture_.size() / picture_.devicePixelRatio();
  if (boyut.width() > width() || boyut.height() > height())
    boyut = boyut.scaled(size(), Qt::KeepAspectRatio);
  const QRect hedef(QPoint((width() - boyut.width()) / 2, (height() - boyut.height()) / 2), boyut);
  p.drawPixmap(hedef, picture_);
}

}  // namespace vlm
