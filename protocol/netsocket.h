#pragma once
// Blocking TCP sockets with timeouts, usable from whichever thread holds
// them. A connection of the client is opened on one thread and may be used
// later by another (one at a time), which QTcpSocket does not allow; so both
// sides of the wire protocol use these.
#include <QByteArray>
#include <QString>
#include <cstdint>
#include <vector>

namespace vlm {

class NetSocket {
 public:
  NetSocket() = default;
  explicit NetSocket(std::intptr_t handle) : handle_(handle) {}
  ~NetSocket();
  NetSocket(NetSocket&& o) noexcept;
  NetSocket& operator=(NetSocket&& o) noexcept;
  NetSocket(const NetSocket&) = delete;
  NetSocket& operator=(const NetSocket&) = delete;

  // Connects to host:port, trying each address of the host name; gives up
  // after timeoutMs. vlm::Error with the system's reason on failure.
  static NetSocket connectTo(const QString& host, quint16 port, int timeoutMs);

  bool isValid() const { return handle_ != kInvalid; }
  // Sends everything; vlm::Error when the peer has gone or it does not take
  // the bytes within timeoutMs.
  void sendAll(const char* data, qsizetype size, int timeoutMs);
  // Reads exactly `size` bytes, waiting at most timeoutMs for each part.
  // vlm::Error on timeout, on a reset and when the peer closes before the
  // end; `atStart` tells whether the close came before the first byte.
  void recvExact(char* data, qsizetype size, int timeoutMs, bool* closedAtStart = nullptr);
  // Stops both directions; a thread blocked in a read returns at once.
  void shutdown();
  void close();

  static constexpr std::intptr_t kInvalid = -1;

 private:
  std::intptr_t handle_ = kInvalid;
};

// A listening socket.
class NetListener {
 public:
  NetListener() = default;
  ~NetListener();
  NetListener(const NetListener&) = delete;
  NetListener& operator=(const NetListener&) = delete;

  // Binds to the address ("127.0.0.1", "0.0.0.0", "::") and port (0: any
  // free one); vlm::Error on failure.
  void listen(const QString& address, quint16 port);
  quint16 port() const { return port_; }
  bool isListening() const { return handle_ != NetSocket::kInvalid; }
  // Waits up to timeoutMs for a connection; an invalid socket when none came.
  NetSocket accept(int timeoutMs);
  void close();

 private:
  std::intptr_t handle_ = NetSocket::kInvalid;
  quint16 port_ = 0;
};

}  // namespace vlm

namespace vlm {

// One frame out: header and payload (given whole or in pieces).
void sendFrame(NetSocket& s, const QByteArray& payload, int timeoutMs);
void sendFrame(NetSocket& s, const std::vector<QByteArray>& pieces, int timeoutMs);
// One frame in. The first byte may take idleTimeoutMs (-1: no limit), the
// rest timeoutMs per part. Returns false when the peer closed the
// connection cleanly before a new frame began; vlm::Error for a bad header,
// a frame over the limit, a timeout or a connection lost within the frame.
bool recvFrame(NetSocket& s, QByteArray& payload, qsizetype maxFrameSize, int idleTimeoutMs,
               int timeoutMs);

}  // namespace vlm
