#pragma once
// Which picture a web answer holds, by its Content-Type.
#include <QByteArray>
#include <QString>

namespace vlm {

// The reader format of a picture type: drops the first six characters (the
// "image/"), lower-cases the rest and takes exactly "png", "bmp", "jpeg" or
// "jpg". Anything else, a type with parameters included, gives an empty text.
QByteArray ResimBicimi(const QString& icerikTuru);

}  // namespace vlm
