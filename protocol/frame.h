#pragma once
// Frames: a 4-byte length (unsigned, big-endian) followed by that many bytes
// of payload, one CBOR data item. A length of 0 or above the limit ends the
// connection.
#include <QByteArray>
#include <QByteArrayView>

namespace vlm {

// The default largest payload, both ways.
inline constexpr qsizetype kDefaultMaxFrameSize = 128 * 1024 * 1024;
inline constexpr qsizetype kFrameHeaderSize = 4;

// The header of a payload of this size.
QByteArray frameHeader(qsizetype payloadSize);
// Header plus payload.
QByteArray encodeFrame(QByteArrayView payload);
// The payload length of a header; vlm::Error when it is 0 or above the limit.
qsizetype frameLength(const char* header, qsizetype maxFrameSize);

// Cuts a byte stream into frames, however the bytes arrive.
class FrameDecoder {
 public:
  explicit FrameDecoder(qsizetype maxFrameSize = kDefaultMaxFrameSize) : max_(maxFrameSize) {}
  // Adds received bytes; a bad header raises vlm::Error (and the decoder is
  // then of no further use).
  void feed(QByteArrayView bytes);
  // Takes the next whole frame's payload; false when none is complete.
  bool takeFrame(QByteArray& payload);
  // Bytes received that do not yet make a whole frame.
  qsizetype pending() const { return buffer_.size() - pos_; }

 private:
  void checkHeader();
  qsizetype max_;
  QByteArray buffer_;
  qsizetype pos_ = 0;
  qsizetype need_ = -1;  // payload length of the frame at pos_, once known
};

}  // namespace vlm
