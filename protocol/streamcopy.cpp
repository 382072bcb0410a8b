#include "streamcopy.h"

#include <QIODevice>

namespace vlm {

std::optional<QByteArray> copyStream(QIODevice* stream, qint64 reportedSize) {
  if (!stream) return std::nullopt;
  stream->seek(0);
  if (reportedSize == 0) return std::nullopt;
  QByteArray copy;
  char chunk[kStreamChunk];
  for (;;) {
    const qint64 n = stream->read(chunk, kStreamChunk);
    if (n > 0) copy.append(chunk, n);
    if (n < kStreamChunk) break;
  }
  if (copy.size() != reportedSize) return std::nullopt;
  return copy;
}

}  // namespace vlm
