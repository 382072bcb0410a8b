#pragma once
// A static picture: drawn proportionally, centred, never larger than the
// control.
#include <QPixmap>
#include <QWidget>

namespace vlm {

class PictureBox : public QWidget {
  Q_OBJECT
 public:
  explicit PictureBox(QWidget* parent = nullptr);

  const QPixmap& picture() const { return picture_; }
  void setPicture(const QPixmap& picture);

 protected:
  void paintEvent(QPaintEvent*) override;

 private:
  QPixmap picture_;
};

}  // namespace vlm
