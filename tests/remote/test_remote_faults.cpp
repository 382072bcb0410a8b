// Bad input on both sides. The client against a server that answers one
// scripted reply (a truncated frame, a frame over the limit, garbage, a
// wrong handshake, a reply of the wrong kind, a dropped connection, no
// answer at all): each a clear exception and a closed connection. The server
// against garbage: a closed connection, and it goes on serving others.
#include <gtest/gtest.h>

#include <QThread>
#include <atomic>
#include <functional>
#include <thread>

#include "connection.h"
#include "error.h"
#include "frame.h"
#include "message.h"
#include "netsocket.h"
#include "proxim.h"
#include "rpcserver.h"

using namespace vlm;

namespace {

// Accepts one connection and plays a script on it in its own thread.
class ScriptedServer {
 public:
  using Script = std::function<void(NetSocket&)>;
  explicit ScriptedServer(Script script) : script_(std::move(script)) {
    listener_.listen("127.0.0.1", 0);
    thread_ = std::thread([this] {
      NetSocket s = listener_.accept(5000);
      if (!s.isValid()) return;
      try {
        script_(s);
      } catch (...) {
      }
      // Keep the socket open until the test is done with it.
      while (!stop_) QThread::msleep(5);
    });
  }
  ~ScriptedServer() {
    stop_ = true;
    thread_.join();
  }
  quint16 port() const { return listener_.port(); }

 private:
  Script script_;
  NetListener listener_;
  std::thread thread_;
  std::atomic<bool> stop_{false};
};

QByteArray readFrame(NetSocket& s) {
  QByteArray f;
  recvFrame(s, f, kDefaultMaxFrameSize, 5000, 5000);
  return f;
}

void send(NetSocket& s, const QByteArray& bytes) {
  s.sendAll(bytes.constData(), bytes.size(), 5000);
}

// Handshake as a good server does, then read the request.
void welcomeAndRead(NetSocket& s) {
  readFrame(s);
  sendFrame(s, encodeWelcome(), 5000);
  readFrame(s);
}

std::unique_ptr<Connection> connectionTo(quint16 port) {
  auto c = std::make_unique<Connection>();
  c->setHostName("127.0.0.1");
  c->setPort(port);
  c->setReadTimeout(300);
  return c;
}

QByteArray replyWith(int ordinal, const Value& v) {
  Reply r;
  r.params.emplace_back(ordinal, v);
  return encodeReply(r);
}

}  // namespace

TEST(ClientFaults, BadRepliesRaiseAndCloseTheConnection) {
  struct Case {
    const char* what;
    ScriptedServer::Script script;
  };
  const Case cases[] = {
      {"truncated frame",
       [](NetSocket& s) {
         welcomeAndRead(s);
         send(s, frameHeader(100) + "short");
         s.shutdown();
       }},
      {"frame over the limit",
       [](NetSocket& s) {
         welcomeAndRead(s);
         send(s, QByteArray::fromHex("ffffffff"));
       }},
      {"empty frame",
       [](NetSocket& s) {
         welcomeAndRead(s);
         send(s, frameHeader(0));
       }},
      {"garbage bytes",
       [](NetSocket& s) {
         welcomeAndRead(s);
         sendFrame(s, "\xff\x00 definitely not CBOR", 5000);
       }},
      {"reply of the wrong kind",
       [](NetSocket& s) {
         welcomeAndRead(s);
         sendFrame(s, replyWith(1, Value::text("7")), 5000);
       }},
      {"reply without the result",
       [](NetSocket& s) {
         welcomeAndRead(s);
         sendFrame(s, encodeReply(Reply{}), 5000);
       }},
      {"reply with a null number",
       [](NetSocket& s) {
         welcomeAndRead(s);
         sendFrame(s, replyWith(1, Value::null(ValueKind::Int32)), 5000);
       }},
      {"reply at a wrong ordinal",
       [](NetSocket& s) {
         welcomeAndRead(s);
         sendFrame(s, replyWith(0, Value::int32(1)), 5000);
       }},
      {"dropped in the middle of a reply",
       [](NetSocket& s) {
         welcomeAndRead(s);
         const QByteArray f = encodeFrame(replyWith(1, Value::int32(1)));
         send(s, f.left(f.size() - 2));
         s.shutdown();
       }},
      {"closed without a reply",
       [](NetSocket& s) {
         welcomeAndRead(s);
         s.shutdown();
       }},
      {"never answers", [](NetSocket& s) { welcomeAndRead(s); }},
  };
  for (const Case& c : cases) {
    ScriptedServer server(c.script);
    auto conn = connectionTo(server.port());
    ASSERT_NO_THROW(conn->open()) << c.what;
    TServerMethods1Client p(conn.get());
    try {
      p.SepetSayisi(nullptr);
      ADD_FAILURE() << c.what << ": no exception";
    } catch (const Error& e) {
      EXPECT_FALSE(e.message().isEmpty()) << c.what;
    }
    EXPECT_FALSE(conn->isOpen()) << c.what;
  }
}

TEST(ClientFaults, BadHandshakesFailTheOpening) {
  struct Case {
    const char* what;
    ScriptedServer::Script script;
    const char* text;  // part of the error's text
  };
  const Case cases[] = {
      {"garbage", [](NetSocket& s) { readFrame(s), sendFrame(s, "garbage", 5000); }, "handshake"},
      {"a newer version", [](NetSocket& s) { readFrame(s), sendFrame(s, encodeHello(2), 5000); },
       "version 2"},
      {"a refusal",
       [](NetSocket& s) { readFrame(s), sendFrame(s, encodeError("Sunucu bakımda"), 5000); },
       "Sunucu bakımda"},
      {"no answer", [](NetSocket& s) { readFrame(s); }, "timed out"},
      {"closes at once", [](NetSocket& s) { s.shutdown(); }, "closed"},
      {"HTTP", [](NetSocket& s) { readFrame(s), send(s, "HTTP/1.1 400 Bad Request\r\n\r\n"); },
       "Bad frame"},
  };
  for (const Case& c : cases) {
    ScriptedServer server(c.script);
    auto conn = connectionTo(server.port());
    try {
      conn->open();
      ADD_FAILURE() << c.what << ": opened";
    } catch (const Error& e) {
      EXPECT_TRUE(e.message().contains(QString::fromUtf8(c.text)))
          << c.what << ": " << e.message().toStdString();
    }
    EXPECT_FALSE(conn->isOpen()) << c.what;
  }
}

TEST(ClientFaults, NothingListening) {
  NetListener l;
  l.listen("127.0.0.1", 0);
  const quint16 port = l.port();
  l.close();
  auto conn = connectionTo(port);
  EXPECT_THROW(conn->open(), Error);
  conn->setHostName("");
  EXPECT_THROW(conn->open(), Error);
  conn->setHostName("127.0.0.1");
  conn->setPort(0);
  EXPECT_THROW(conn->open(), Error);
  EXPECT_FALSE(conn->isOpen());
}

namespace {
// Sends raw bytes to the server and tells whether it ended the connection
// (possibly after an error frame).
bool serverHangsUp(quint16 port, const QByteArray& bytes) {
  NetSocket s = NetSocket::connectTo("127.0.0.1", port, 5000);
  send(s, bytes);
  QByteArray f;
  try {
    while (recvFrame(s, f, kDefaultMaxFrameSize, 5000, 5000)) {
    }
    return true;  // closed cleanly
  } catch (const Error& e) {
    return !e.message().contains("timed out");
  }
}
}  // namespace

TEST(ServerFaults, BadInputEndsOnlyThatConnection) {
  RpcServer server;
  server.setReadTimeout(500);
  server.setMaxFrameSize(1 << 16);
  server.registerOperation("KayanYaziGetir", [](Call& c) { c.setResult(QString("kayan")); });
  server.listen();
  const quint16 port = server.port();

  const QByteArray hello = encodeFrame(encodeHello());
  const QByteArray cases[] = {
      "GET / HTTP/1.1\r\nHost: x\r\n\r\n",
      QByteArray::fromHex("00000000"),
      encodeFrame("garbage"),
      encodeFrame(encodeHello(2)),
      hello + frameHeader(1 << 20),         // request over the limit
      hello + encodeFrame("\x01\x02\x03"),  // a request that is no request
      hello + encodeFrame(encodeRequest({"TServerMethods1.KayanYaziGetir", {}})).left(9),  // cut
      hello.left(3),  // a handshake that never completes
  };
  for (const QByteArray& bad : cases)
    EXPECT_TRUE(serverHangsUp(port, bad)) << bad.toHex().toStdString();

  // Still serving, and a wrong request gets an error reply, not a hang-up.
  Connection conn;
  conn.setHostName("127.0.0.1");
  conn.setPort(port);
  conn.open();
  TServerMethods1Client p(&conn);
  EXPECT_EQ(p.KayanYaziGetir(), QString("kayan"));
  try {
    p.AcilisReklamAdet();  // not registered
    FAIL();
  } catch (const Error& e) {
    EXPECT_EQ(e.message(), QString("Server method TServerMethods1.AcilisReklamAdet not found"));
  }
  EXPECT_TRUE(conn.isOpen());
  EXPECT_EQ(p.KayanYaziGetir(), QString("kayan"));

  // Parameters that do not fit the operation: an error reply.
  Request wrong{"TServerMethods1.KayanYaziGetir", {Value::int32(1)}};
  const Reply r = conn.execute(wrong);
  EXPECT_TRUE(r.failed);
  EXPECT_TRUE(conn.isOpen());
  server.close();
  EXPECT_EQ(server.connectionCount(), 0);
}

TEST(ServerFaults, HandlerErrorsAndMissingResults) {
  RpcServer server;
  server.registerOperation("SepetSayisi", [](Call& c) {
    if (!c.record(0)) throw std::runtime_error("no record");
  });
  server.registerOperation("AcilisReklamAdet", [](Call& c) { c.setResult(true); });
  server.registerOperation("KayanYaziGetir", [](Call& c) { c.text(0); });
  server.listen();
  Connection conn;
  conn.setHostName("127.0.0.1");
  conn.setPort(server.port());
  conn.open();
  TServerMethods1Client p(&conn);
  auto message = [](const std::function<void()>& f) {
    try {
      f();
    } catch (const Error& e) {
      return e.message();
    }
    return QString("no error");
  };
  EXPECT_EQ(message([&] { p.SepetSayisi(nullptr); }), "no record");
  EXPECT_EQ(message([&] { p.SepetSayisi(std::make_unique<TSonucBilgisi>()); }),
            "SepetSayisi set no result");
  EXPECT_EQ(message([&] { p.AcilisReklamAdet(); }),
            "Output 0 of AcilisReklamAdet is of kind int32, not boolean");
  EXPECT_EQ(message([&] { p.KayanYaziGetir(); }), "KayanYaziGetir has no parameter 0");
  EXPECT_TRUE(conn.isOpen());
  EXPECT_THROW(server.registerOperation("Yok", [](Call&) {}), Error);
}
