#include "netsocket.h"

#include <QDeadlineTimer>
#include <cerrno>
#include <cstring>

#include "error.h"

#ifdef _WIN32
#include <winsock2.h>
#include <ws2tcpip.h>
using socklen_t = int;
#define VLM_POLL WSAPoll
#else
#include <fcntl.h>
#include <netdb.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>
#define VLM_POLL ::poll
#endif

namespace vlm {

namespace {

#ifdef _WIN32
using Native = SOCKET;
struct WinsockStartup {
  WinsockStartup() {
    WSADATA d;
    WSAStartup(MAKEWORD(2, 2), &d);
  }
} g_winsock;
int lastError() {
  return WSAGetLastError();
}
bool wouldBlock(int e) {
  return e == WSAEWOULDBLOCK || e == WSAEINPROGRESS;
}
bool interrupted(int e) {
  return e == WSAEINTR;
}
void closeNative(Native s) {
  closesocket(s);
}
void setNonBlocking(Native s, bool on) {
  u_long v = on ? 1 : 0;
  ioctlsocket(s, FIONBIO, &v);
}
QString errorText(int e) {
  wchar_t buf[512] = {};
  FormatMessageW(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, DWORD(e), 0,
                 buf, 511, nullptr);
  return QString::fromWCharArray(buf).trimmed();
}
constexpr int kSendFlags = 0;
#else
using Native = int;
int lastError() {
  return errno;
}
bool wouldBlock(int e) {
  return e == EWOULDBLOCK || e == EAGAIN || e == EINPROGRESS;
}
bool interrupted(int e) {
  return e == EINTR;
}
void closeNative(Native s) {
  ::close(s);
}
void setNonBlocking(Native s, bool on) {
  const int flags = fcntl(s, F_GETFL, 0);
  fcntl(s, F_SETFL, on ? (flags | O_NONBLOCK) : (flags & ~O_NONBLOCK));
}
QString errorText(int e) {
  return QString::fromLocal8Bit(std::strerror(e));
}
constexpr int kSendFlags = MSG_NOSIGNAL;
#endif

Native native(std::intptr_t h) {
  return static_cast<Native>(h);
}

// Waits until the socket can be read (or written); false on timeout.
bool waitFor(Native s, bool write, const QDeadlineTimer& deadline) {
  for (;;) {
    pollfd p{};
    p.fd = s;
    p.events = write ? POLLOUT : POLLIN;
    const qint64 left = deadline.remainingTime();
    const int r = VLM_POLL(&p, 1, left < 0 ? -1 : int(qMin<qint64>(left, 1 << 30)));
    if (r > 0) return true;
    if (r == 0) return false;
    if (!interrupted(lastError())) return true;  // let the following call report it
  }
}

void setNoDelay(Native s) {
  int one = 1;
  setsockopt(s, IPPROTO_TCP, TCP_NODELAY, reinterpret_cast<const char*>(&one), sizeof one);
}

}  // namespace

// ---------------------------------------------------------------------------
// NetSocket

NetSocket::~NetSocket() {
  close();
}

NetSocket::NetSocket(NetSocket&& o) noexcept : handle_(o.handle_) {
  o.handle_ = kInvalid;
}

NetSocket& NetSocket::operator=(NetSocket&& o) noexcept {
  if (this != &o) {
    close();
    handle_ = o.handle_;
    o.handle_ = kInvalid;
  }
  return *this;
}

void NetSocket::close() {
  if (handle_ != kInvalid) {
    closeNative(native(handle_));
    handle_ = kInvalid;
  }
}

void NetSocket::shutdown() {
  if (handle_ == kInvalid) return;
#ifdef _WIN32
  ::shutdown(native(handle_), SD_BOTH);
#else
  ::shutdown(native(handle_), SHUT_RDWR);
#endif
}

NetSocket NetSocket::connectTo(const QString& host, quint16 port, int timeoutMs) {
  const QString where = QStringLiteral("%1:%2").arg(host).arg(port);
  addrinfo hints{};
  hints.ai_family = AF_UNSPEC;
  hints.ai_socktype = SOCK_STREAM;
  hints.ai_protocol = IPPROTO_TCP;
  addrinfo* list = nullptr;
  const QByteArray portText = QByteArray::number(port);
  const int gai = getaddrinfo(host.toUtf8().constData(), portText.constData(), &hints, &list);
  if (gai != 0 || !list) throw Error(QStringLiteral("Cannot resolve host name %1").arg(host));

  const QDeadlineTimer deadline(timeoutMs < 0 ? QDeadlineTimer::Forever
                                              : QDeadlineTimer(timeoutMs));
  QString reason = QStringLiteral("no address");
  for (addrinfo* a = list; a; a = a->ai_next) {
    const Native s = ::socket(a->ai_family, a->ai_socktype, a->ai_protocol);
#ifdef _WIN32
    if (s == INVALID_SOCKET) {
#else
    if (s < 0) {
#endif
      reason = errorText(lastError());
      continue;
    }
    setNonBlocking(s, true);
    int rc = ::connect(s, a->ai_addr, socklen_t(a->ai_addrlen));
    int err = rc == 0 ? 0 : lastError();
    if (rc != 0 && wouldBlock(err)) {
      if (!waitFor(s, true, deadline)) {
        closeNative(s);
        reason = QStringLiteral("Connection timed out");
        continue;
      }
      socklen_t len = sizeof err;
      getsockopt(s, SOL_SOCKET, SO_ERROR, reinterpret_cast<char*>(&err), &len);
    }
    if (err != 0) {
      closeNative(s);
      reason = errorText(err);
      continue;
    }
    setNonBlocking(s, false);
    setNoDelay(s);
    freeaddrinfo(list);
    return NetSocket(std::intptr_t(s));
  }
  freeaddrinfo(list);
  throw Error(QStringLiteral("Cannot connect to %1: %2").arg(where, reason));
}

void NetSocket::sendAll(const char* data, qsizetype size, int timeoutMs) {
  if (handle_ == kInvalid) throw Error(QStringLiteral("Not connected"));
  const Native s = native(handle_);
  while (size > 0) {
    const QDeadlineTimer deadline(timeoutMs < 0 ? QDeadlineTimer::Forever
                                                : QDeadlineTimer(timeoutMs));
    if (!waitFor(s, true, deadline)) throw Error(QStringLiteral("Write timed out"));
    const int chunk = int(qMin<qsizetype>(size, 1 << 20));
    const auto n = ::send(s, data, chunk, kSendFlags);
    if (n < 0) {
      const int e = lastError();
      if (interrupted(e) || wouldBlock(e)) continue;
      throw Error(QStringLiteral("Connection lost: %1").arg(errorText(e)));
    }
    data += n;
    size -= n;
  }
}

void NetSocket::recvExact(char* data, qsizetype size, int timeoutMs, bool* closedAtStart) {
  if (closedAtStart) *closedAtStart = false;
  if (handle_ == kInvalid) throw Error(QStringLiteral("Not connected"));
  const Native s = native(handle_);
  qsizetype got = 0;
  while (got < size) {
    const QDeadlineTimer deadline(timeoutMs < 0 ? QDeadlineTimer::Forever
                                                : QDeadlineTimer(timeoutMs));
    if (!waitFor(s, false, deadline)) throw Error(QStringLiteral("Read timed out"));
    const int chunk = int(qMin<qsizetype>(size - got, 1 << 20));
    const auto n = ::recv(s, data + got, chunk, 0);
    if (n == 0) {
      if (got == 0 && closedAtStart) *closedAtStart = true;
      throw Error(QStringLiteral("Connection closed by the server"));
    }
    if (n < 0) {
      const int e = lastError();
      if (interrupted(e) || wouldBlock(e)) continue;
      throw Error(QStringLiteral("Connection lost: %1").arg(errorText(e)));
    }
    got += n;
  }
}

// ---------------------------------------------------------------------------
// NetListener

NetListener::~NetListener() {
  close();
}

void NetListener::close() {
  if (handle_ != NetSocket::kInvalid) {
    closeNative(native(handle_));
    handle_ = NetSocket::kInvalid;
  }
}

void NetListener::listen(const QString& address, quint16 port) {
  close();
  addrinfo hints{};
  hints.ai_family = AF_UNSPEC;
  hints.ai_socktype = SOCK_STREAM;
  hints.ai_flags = AI_PASSIVE | AI_NUMERICHOST;
  addrinfo* list = nullptr;
  const QByteArray portText = QByteArray::number(port);
  if (getaddrinfo(address.toUtf8().constData(), portText.constData(), &hints, &list) != 0 || !list)
    throw Error(QStringLiteral("Bad listening address %1").arg(address));
  const Native s = ::socket(list->ai_family, list->ai_socktype, list->ai_protocol);
#ifdef _WIN32
  if (s == INVALID_SOCKET) {
#else
  if (s < 0) {
#endif
    freeaddrinfo(list);
    throw Error(QStringLiteral("Cannot listen: %1").arg(errorText(lastError())));
  }
#ifndef _WIN32
  int one = 1;
  setsockopt(s, SOL_SOCKET, SO_REUSEADDR, &one, sizeof one);
#endif
  if (::bind(s, list->ai_addr, socklen_t(list->ai_addrlen)) != 0 || ::listen(s, 64) != 0) {
    const int e = lastError();
    closeNative(s);
    freeaddrinfo(list);
    throw Error(
        QStringLiteral("Cannot listen on %1:%2: %3").arg(address).arg(port).arg(errorText(e)));
  }
  freeaddrinfo(list);
  sockaddr_storage bound{};
  socklen_t len = sizeof bound;
  getsockname(s, reinterpret_cast<sockaddr*>(&bound), &len);
  port_ = bound.ss_family == AF_INET6 ? ntohs(reinterpret_cast<sockaddr_in6*>(&bound)->sin6_port)
                                      : ntohs(reinterpret_cast<sockaddr_in*>(&bound)->sin_port);
  handle_ = std::intptr_t(s);
}

NetSocket NetListener::accept(int timeoutMs) {
  if (handle_ == NetSocket::kInvalid) return NetSocket();
  const Native l = native(handle_);
  const QDeadlineTimer deadline(timeoutMs < 0 ? QDeadlineTimer::Forever
                                              : QDeadlineTimer(timeoutMs));
  if (!waitFor(l, false, deadline)) return NetSocket();
  const Native s = ::accept(l, nullptr, nullptr);
#ifdef _WIN32
  if (s == INVALID_SOCKET) return NetSocket();
#else
  if (s < 0) return NetSocket();
#endif
  setNoDelay(s);
  return NetSocket(std::intptr_t(s));
}

}  // namespace vlm

#include "frame.h"

namespace vlm {

void sendFrame(NetSocket& s, const QByteArray& payload, int timeoutMs) {
  // Small frames go out in one piece; big ones without copying the payload.
  if (payload.size() < 65536) {
    const QByteArray f = encodeFrame(payload);
    s.sendAll(f.constData(), f.size(), timeoutMs);
    return;
  }
  const QByteArray h = frameHeader(payload.size());
  s.sendAll(h.constData(), h.size(), timeoutMs);
  s.sendAll(payload.constData(), payload.size(), timeoutMs);
}

void sendFrame(NetSocket& s, const std::vector<QByteArray>& pieces, int timeoutMs) {
  qsizetype total = 0;
  for (const QByteArray& p : pieces) total += p.size();
  // Small pieces are gathered with the header; large ones go as they are.
  QByteArray gathered = frameHeader(total);
  for (const QByteArray& p : pieces) {
    if (p.size() < 65536) {
      gathered += p;
      continue;
    }
    s.sendAll(gathered.constData(), gathered.size(), timeoutMs);
    gathered.clear();
    s.sendAll(p.constData(), p.size(), timeoutMs);
  }
  if (!gathered.isEmpty()) s.sendAll(gathered.constData(), gathered.size(), timeoutMs);
}

bool recvFrame(NetSocket& s, QByteArray& payload, qsizetype maxFrameSize, int idleTimeoutMs,
               int timeoutMs) {
  char header[kFrameHeaderSize];
  bool closedAtStart = false;
  try {
    s.recvExact(header, 1, idleTimeoutMs, &closedAtStart);
  } catch (const Error&) {
    if (closedAtStart) return false;
    throw;
  }
  s.recvExact(header + 1, kFrameHeaderSize - 1, timeoutMs);
  const qsizetype n = frameLength(header, maxFrameSize);
  payload.resize(n);
  s.recvExact(payload.data(), n, timeoutMs);
  return true;
}

}  // namespace vlm
