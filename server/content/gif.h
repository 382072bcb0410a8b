#pragma once
// GIF pictures written with giflib (Qt reads GIF but cannot write it).
#include <QByteArray>
#include <QImage>
#include <QList>

namespace vlm::server {

// An animated GIF of the frames (all of the first frame's size), each shown
// for `delayCs` hundredths of a second, looping for ever. Colours are
// mapped onto a fixed 252-colour palette. Throws on a giflib error.
QByteArray encodeGif(const QList<QImage>& frames, int delayCs);

}  // namespace vlm::server
