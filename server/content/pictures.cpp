#include "pictures.h"

#include <QBuffer>
#include <QHash>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>

#include "content/gif.h"
#include "rules/rules.h"

namespace vlm::server {

namespace {

// 5×7 glyphs, one string of 35 cells per character, row by row.
const QHash<QChar, const char*>& glyphs() {
  static const QHash<QChar, const char*> g = {
      {'A', ".###.#...##...#######...##...##...#"},  {'B', "####.#...#####.#...##...##...#####."},
      {'C', ".###.#...##....#....#....#...#.###."},  {'D', "####.#...##...##...##...##...#####."},
      {'E', "######....####.#....#....#....#####"},  {'F', "######....####.#....#....#....#...."},
      {'G', ".###.#...##....#.####...##...#.####"},  {'H', "#...##...#######...##...##...##...#"},
      {'I', ".###...#....#....#....#....#...###."},  {'J', "..###...#....#....#.#..#.#..#..##.."},
      {'K', "#...##..#.#.#..##...#.#..#..#.#...#"},  {'L', "#....#....#....#....#....#....#####"},
      {'M', "#...###.###.#.##...##...##...##...#"},  {'N', "#...###..##.#.##..###...##...##...#"},
      {'O', ".###.#...##...##...##...##...#.###."},  {'P', "####.#...##...#####.#....#....#...."},
      {'Q', ".###.#...##...##...##.#.##..#..##.#"},  {'R', "####.#...##...#####.#.#..#..#.#...#"},
      {'S', ".####.....#.....###.....#....#####."},  {'T', "#####..#....#....#....#....#....#.."},
      {'U', "#...##...##...##...##...##...#.###."},  {'V', "#...##...##...##...##...#.#.#...#.."},
      {'W', "#...##...##...##.#.##.#.###.###...#"},  {'X', "#...##...#.#.#...#...#.#.#...##...#"},
      {'Y', "#...##...#.#.#...#....#....#....#.."},  {'Z', "#####....#...#...#...#...#....#####"},
      {'0', ".###.#...##..###.#.###..##...#.###."},  {'1', "..#...##....#....#....#....#...###."},
      {'2', ".###.#...#....#...#...#...#...#####"},  {'3', "#####...#...#.....#.....##...#.###."},
      {'4', "...#...##..#.#.#..#.#####...#....#."},  {'5', "######....####.....#....##...#.###."},
      {'6', "..##..#...#....####.#...##...#.###."},  {'7', "#####....#...#...#...#....#....#..."},
      {'8', ".###.#...##...#.###.#...##...#.###."},  {'9', ".###.#...##...#.####....#...#..##.."},
      {'%', "##...##..#...#...#...#...#..##...##"},  {'-', "...............#####..............."},
      {'.', "..............................##..."},  {'!', "..#....#....#....#....#.........#.."},
      {':', ".......##...##.......##...##......."},  {'/', "....#....#...#...#...#...#....#...."},
      {'+', ".......#....#..#####..#....#......."},  {',', "......................##....#...#.."},
      {'\'', "..#....#...#......................."},
  };
  return g;
}

}  // namespace

int pixelTextWidth(const QString& text, int scale) {
  return int(text.size()) * 6 * scale;
}

void drawPixelText(QImage& img, int x, int y, const QString& text, int scale, QColor color) {
  const QString folded = foldText(text);
  QPainter p(&img);
  p.setPen(Qt::NoPen);
  p.setBrush(color);
  int cx = x;
  for (QChar ch : folded) {
    if (const char* cells = glyphs().value(ch, nullptr)) {
      for (int r = 0; r < 7; ++r)
        for (int c = 0; c < 5; ++c)
          if (cells[r * 5 + c] == '#') p.drawRect(cx + c * scale, y + r * scale, scale, scale);
    }
    cx += 6 * scale;
  }
}

QByteArray encodeImage(const QImage& img, const char* format, int quality) {
  QByteArray out;
  QBuffer buffer(&out);
  buffer.open(QIODevice::WriteOnly);
  if (!img.save(&buffer, format, quality)) throw std::runtime_error("Resim yazılamadı");
  return out;
}

QImage productImage(int kind, int hue) {
  QImage img(320, 240, QImage::Format_RGB32);
  img.fill(QColor(246, 247, 249));
  QPainter p(&img);
  p.setRenderHint(QPainter::Antialiasing);
  const QColor base = QColor::fromHsv(hue % 360, 90, 170);
  const QColor dark = base.darker(170);
  QRadialGradient shine(140, 100, 150);
  shine.setColorAt(0, base.lighter(150));
  shine.setColorAt(1, base);
  p.setPen(QPen(dark, 3));
  p.setBrush(shine);
  switch (kind % 6) {
    case 0:  // a disc with holes
      p.drawEllipse(QPointF(160, 120), 95, 95);
      p.setBrush(QColor(246, 247, 249));
      p.drawEllipse(QPointF(160, 120), 30, 30);
      for (int i = 0; i < 5; ++i) {
        const double a = i * 2 * M_PI / 5;
        p.drawEllipse(QPointF(160 + 55 * std::cos(a), 120 + 55 * std::sin(a)), 8, 8);
      }
      break;
    case 1:  // a cylinder filter
      p.drawRoundedRect(110, 40, 100, 160, 14, 14);
      for (int y = 60; y < 190; y += 12) p.drawLine(112, y, 208, y);
      break;
    case 2:  // a shock absorber
      p.drawRect(145, 20, 30, 120);
      p.drawRect(135, 130, 50, 90);
      for (int y = 40; y < 130; y += 14) p.drawArc(120, y, 80, 14, 0, 180 * 16);
      break;
    case 3: {  // a belt
      QPainterPath path;
      path.addRoundedRect(40, 50, 240, 140, 70, 70);
      p.setBrush(Qt::NoBrush);
      p.setPen(QPen(dark, 14));
      p.drawPath(path);
      break;
    }
    case 4:  // a pad
      p.drawRoundedRect(50, 70, 220, 100, 40, 40);
      p.setBrush(dark);
      p.drawRoundedRect(60, 150, 200, 18, 6, 6);
      break;
    default:  // a bulb
      p.drawEllipse(QPointF(160, 95), 60, 60);
      p.setBrush(dark);
      p.drawRect(135, 150, 50, 60);
      break;
  }
  p.end();
  return img;
}

namespace {

QImage gradientStrip(int w, int h, QColor from, QColor to) {
  QImage img(w, h, QImage::Format_RGB32);
  QPainter p(&img);
  QLinearGradient g(0, 0, w, h);
  g.setColorAt(0, from);
  g.setColorAt(1, to);
  p.fillRect(img.rect(), g);
  return img;
}

}  // namespace

QByteArray headerBannerGif() {
  const QString lines[] = {QStringLiteral("VELMORA OTOMOTIV"), QStringLiteral("B2B SIPARIS"),
                           QStringLiteral("7/24 HIZMET")};
  QList<QImage> frames;
  for (int i = 0; i < 3; ++i) {
    QImage img =
        gradientStrip(409, 100, QColor(53, 64, 81), QColor::fromHsv(200 + 20 * i, 160, 200));
    const int w = pixelTextWidth(lines[i], 4);
    drawPixelText(img, (409 - w) / 2, 36, lines[i], 4, Qt::white);
    frames << img;
  }
  return encodeGif(frames, 150);
}

QByteArray upperBannerGif() {
  const QString lines[] = {QStringLiteral("BAHAR KAMPANYASI: SECILI URUNLERDE %20 INDIRIM"),
                           QStringLiteral("SIPARISLERINIZ 16:00'YA KADAR AYNI GUN KARGODA")};
  QList<QImage> frames;
  for (int i = 0; i < 2; ++i) {
    QImage img = gradientStrip(1000, 60, QColor(226, 10, 23), QColor(140, 0, 20));
    drawPixelText(img, (1000 - pixelTextWidth(lines[i], 3)) / 2, 20, lines[i], 3, Qt::white);
    frames << img;
  }
  return encodeGif(frames, 300);
}

QByteArray lowerBannerBmp() {
  QImage img = gradientStrip(1200, 40, QColor(239, 239, 239), QColor(210, 240, 249));
  const QString text = QStringLiteral("YENI URUNLER  -  KAMPANYALI URUNLER  -  HIZLI TESLIMAT");
  drawPixelText(img, 20, 9, text, 3, QColor(53, 64, 81));
  return encodeImage(img, "BMP");
}

QImage announcementImage(const QString& headline, const QString& subline, int hue) {
  QImage img = gradientStrip(600, 400, QColor::fromHsv(hue % 360, 170, 210),
                             QColor::fromHsv((hue + 40) % 360, 200, 90));
  {
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(255, 255, 255, 40));
    p.drawEllipse(QPointF(480, 80), 160, 160);
    p.drawEllipse(QPointF(90, 360), 120, 120);
  }
  drawPixelText(img, (600 - pixelTextWidth(headline, 5)) / 2, 150, headline, 5, Qt::white);
  drawPixelText(img, (600 - pixelTextWidth(subline, 3)) / 2, 220, subline, 3,
                QColor(255, 240, 200));
  return img;
}

}  // namespace vlm::server
