#include "frame.h"

#include <QtEndian>

#include "error.h"

namespace vlm {

QByteArray frameHeader(qsizetype payloadSize) {
  QByteArray h(kFrameHeaderSize, Qt::Uninitialized);
  qToBigEndian(quint32(payloadSize), h.data());
  return h;
}

QByteArray encodeFrame(QByteArrayView payload) {
  QByteArray f = frameHeader(payload.size());
  f.append(payload.data(), payload.size());
  return f;
}

qsizetype frameLength(const char* header, qsizetype maxFrameSize) {
  const quint32 n = qFromBigEndian<quint32>(header);
  if (n == 0) throw Error(QStringLiteral("Bad frame: empty"));
  if (qsizetype(n) > maxFrameSize)
    throw Error(
        QStringLiteral("Bad frame: %1 bytes, more than the limit of %2").arg(n).arg(maxFrameSize));
  return qsizetype(n);
}

void FrameDecoder::feed(QByteArrayView bytes) {
  // Drop what has been taken before the buffer grows again.
  if (pos_ > 0 && pos_ == buffer_.size()) {
    buffer_.clear();
    pos_ = 0;
  } else if (pos_ > 65536 && pos_ > buffer_.size() / 2) {
    buffer_.remove(0, pos_);
    pos_ = 0;
  }
  buffer_.append(bytes.data(), bytes.size());
  checkHeader();
}

void FrameDecoder::checkHeader() {
  if (need_ < 0 && pending() >= kFrameHeaderSize)
    need_ = frameLength(buffer_.constData() + pos_, max_);
}

bool FrameDecoder::takeFrame(QByteArray& payload) {
  checkHeader();
  if (need_ < 0 || pending() < kFrameHeaderSize + need_) return false;
  payload = buffer_.mid(pos_ + kFrameHeaderSize, need_);
  pos_ += kFrameHeaderSize + need_;
  need_ = -1;
  return true;
}

}  // namespace vlm
