#pragma once
// The demo pictures: product photos (JPEG), the three banners (GIF, GIF,
// BMP) and the announcements (JPEG), drawn with QImage. Captions use a
// built-in 5×7 pixel font, so no font files and no GUI are needed.
#include <QByteArray>
#include <QColor>
#include <QImage>
#include <QString>

namespace vlm::server {

// Draws `text` (folded to plain capitals) at (x, y) with pixels of
// `scale` × `scale`.
void drawPixelText(QImage& img, int x, int y, const QString& text, int scale, QColor color);
int pixelTextWidth(const QString& text, int scale);

QByteArray encodeImage(const QImage& img, const char* format, int quality = -1);

// A product photo of part kind `kind` (0..n) in the colour `hue` (0..359).
QImage productImage(int kind, int hue);
QByteArray headerBannerGif();  // 409 × 100, three frames
QByteArray upperBannerGif();   // 1000 × 60, two frames
QByteArray lowerBannerBmp();   // 1200 × 40
QImage announcementImage(const QString& headline, const QString& subline, int hue);

}  // namespace vlm::server
