#include "resimturu.h"

namespace vlm {

QByteArray ResimBicimi(const QString& icerikTuru) {
  const QString tur = icerikTuru.mid(6).toLower();
  if (tur == QLatin1String("png")) return "png";
  if (tur == QLatin1String("bmp")) return "bmp";
  if (tur == QLatin1String("jpeg") || tur == QLatin1String("jpg")) return "jpeg";
  return QByteArray();
}

}  // namespace vlm
