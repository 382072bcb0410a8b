// The frame decoder and the messages: bytes as they come off a socket, cut
// into frames, each read as a handshake, a request and a reply.
#include <cstddef>
#include <cstdint>
#include <functional>

#include "error.h"
#include "frame.h"
#include "message.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 1) return 0;
  // The first byte chooses how the bytes arrive: in pieces of 1 to 256.
  const qsizetype step = qsizetype(data[0]) + 1;
  const QByteArray bytes(reinterpret_cast<const char*>(data + 1), qsizetype(size - 1));
  vlm::FrameDecoder decoder(1 << 16);
  try {
    for (qsizetype i = 0; i < bytes.size(); i += step) {
      decoder.feed(QByteArrayView(bytes).sliced(i, qMin(step, bytes.size() - i)));
      QByteArray frame;
      while (decoder.takeFrame(frame)) {
        // Each frame read as every message there is.
        const std::function<void()> readers[] = {
            [&] { vlm::decodeHello(frame); }, [&] { vlm::checkWelcome(frame); },
            [&] { vlm::decodeRequest(frame); }, [&] { vlm::decodeReply(frame); }};
        for (const auto& read : readers) {
          try {
            read();
          } catch (const vlm::Error&) {
          }
        }
      }
    }
  } catch (const vlm::Error&) {
    // A bad header: the connection would end here.
  }
  return 0;
}
