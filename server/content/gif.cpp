#include "gif.h"

#include <gif_lib.h>

#include <stdexcept>
#include <vector>

namespace vlm::server {

namespace {

constexpr int kR = 6, kG = 7, kB = 6;

int level(int v, int levels) {
  return (v * (levels - 1) + 127) / 255;
}

int writeToArray(GifFileType* gif, const GifByteType* data, int length) {
  static_cast<QByteArray*>(gif->UserData)->append(reinterpret_cast<const char*>(data), length);
  return length;
}

void check(int result, const char* what) {
  if (result == GIF_ERROR) throw std::runtime_error(std::string("GIF yazılamadı: ") + what);
}

}  // namespace

QByteArray encodeGif(const QList<QImage>& frames, int delayCs) {
  if (frames.isEmpty()) throw std::runtime_error("GIF için kare yok");
  const int w = frames.first().width(), h = frames.first().height();

  GifColorType colors[256] = {};
  for (int r = 0; r < kR; ++r)
    for (int g = 0; g < kG; ++g)
      for (int b = 0; b < kB; ++b) {
        GifColorType& c = colors[(r * kG + g) * kB + b];
        c.Red = GifByteType(r * 255 / (kR - 1));
        c.Green = GifByteType(g * 255 / (kG - 1));
        c.Blue = GifByteType(b * 255 / (kB - 1));
      }

  QByteArray out;
  int error = 0;
  GifFileType* gif = EGifOpen(&out, writeToArray, &error);
  if (!gif) throw std::runtime_error("GIF yazılamadı: açılamadı");
  ColorMapObject* map = GifMakeMapObject(256, colors);
  auto fail = [&](const char* what) {
    EGifCloseFile(gif, &error);
    GifFreeMapObject(map);
    throw std::runtime_error(std::string("GIF yazılamadı: ") + what);
  };
  EGifSetGifVersion(gif, true);
  if (EGifPutScreenDesc(gif, w, h, 8, 0, map) == GIF_ERROR) fail("ekran");
  if (frames.size() > 1) {
    GifByteType app[] = {'N', 'E', 'T', 'S', 'C', 'A', 'P', 'E', '2', '.', '0'};
    GifByteType loop[] = {1, 0, 0};
    if (EGifPutExtensionLeader(gif, APPLICATION_EXT_FUNC_CODE) == GIF_ERROR ||
        EGifPutExtensionBlock(gif, sizeof app, app) == GIF_ERROR ||
        EGifPutExtensionBlock(gif, sizeof loop, loop) == GIF_ERROR ||
        EGifPutExtensionTrailer(gif) == GIF_ERROR)
      fail("döngü");
  }
  std::vector<GifPixelType> line(static_cast<size_t>(w));
  for (const QImage& frame : frames) {
    const QImage img = frame.convertToFormat(QImage::Format_RGB32).scaled(w, h);
    GifByteType control[] = {0x04, GifByteType(delayCs & 0xFF), GifByteType(delayCs >> 8), 0};
    if (EGifPutExtension(gif, GRAPHICS_EXT_FUNC_CODE, sizeof control, control) == GIF_ERROR)
      fail("kare bilgisi");
    if (EGifPutImageDesc(gif, 0, 0, w, h, false, nullptr) == GIF_ERROR) fail("kare");
    for (int y = 0; y < h; ++y) {
      const QRgb* px = reinterpret_cast<const QRgb*>(img.constScanLine(y));
      for (int x = 0; x < w; ++x)
        line[size_t(x)] =
            GifPixelType((level(qRed(px[x]), kR) * kG + level(qGreen(px[x]), kG)) * kB +
                         level(qBlue(px[x]), kB));
      if (EGifPutLine(gif, line.data(), w) == GIF_ERROR) fail("satır");
    }
  }
  const int closed = EGifCloseFile(gif, &error);
  GifFreeMapObject(map);
  check(closed, "kapanış");
  return out;
}

}  // namespace vlm::server
