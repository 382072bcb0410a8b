#pragma once
// The one way every caller takes a stream result: from position 0, in
// chunks of 1024 bytes, each chunk that holds at least one byte appended,
// stopping after the first read that returns fewer than 1024 bytes; the copy
// is kept only when its length equals the size the server reported.
#include <QByteArray>
#include <optional>

class QIODevice;

namespace vlm {

inline constexpr qint64 kStreamChunk = 1024;

// The copied bytes, or nothing: when the reported size is 0 (nothing to
// take), when there is no stream, or when the copy's length differs from
// the reported size (dropped silently).
std::optional<QByteArray> copyStream(QIODevice* stream, qint64 reportedSize);

}  // namespace vlm
