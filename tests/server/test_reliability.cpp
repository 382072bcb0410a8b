// The server under load and under bad input: many connections at once,
// callers that vanish, malformed frames, wrong parameters, unknown
// operations, and a restart on the same database. Each gets a clear error
// or a closed connection, and the others are served on.
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <thread>
#include <vector>

#include "error.h"
#include "frame.h"
#include "harness.h"
#include "message.h"
#include "netsocket.h"

using namespace vlm;
using namespace vlm::server;
using namespace vlm::server::test;

namespace {

// The server still answers a plain call on a fresh connection.
void expectServing(const ServerHarness& h) {
  auto c = h.connect();
  TServerMethods1Client proxy(c.get());
  EXPECT_FALSE(proxy.KayanYaziGetir().isEmpty());
}

NetSocket rawConnection(const ServerHarness& h, bool handshake) {
  NetSocket s = NetSocket::connectTo(QStringLiteral("127.0.0.1"), h.rpc.port(), 5000);
  if (handshake) {
    sendFrame(s, encodeHello(), 5000);
    char header[4];
    s.recvExact(header, 4, 5000);
    QByteArray welcome(frameLength(header, kDefaultMaxFrameSize), Qt::Uninitialized);
    s.recvExact(welcome.data(), welcome.size(), 5000);
    checkWelcome(welcome);
  }
  return s;
}

// True when the server closes the socket (or resets it) within the time.
bool closedByServer(NetSocket& s) {
  char byte;
  bool atStart = false;
  try {
    s.recvExact(&byte, 1, 5000, &atStart);
  } catch (const Error&) {
    return true;
  }
  return false;
}

}  // namespace

TEST(Reliability, FiftyConnectionsSearchAndChangeTheCartTogether) {
  ServerHarness h;
  auto c0 = h.connect();
  const auto dealer = h.login(*c0, h.user(3));
  const int account = dealer->CARINO();
  const int before = fromPacket(TServerMethods1Client(c0.get()).SepetVer2(account))->rowCount();

  constexpr int kConnections = 50, kRounds = 6;
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(60);
  std::atomic<int> added{0}, errors{0}, rounds{0};
  std::vector<std::thread> threads;
  for (int t = 0; t < kConnections; ++t)
    threads.emplace_back([&, t] {
      try {
        auto c = h.connect();
        TServerMethods1Client proxy(c.get());
        for (int i = 0; i < kRounds && std::chrono::steady_clock::now() < deadline; ++i) {
          auto found = fromPacket(proxy.StokAraGetir(i % 2 ? "FRE" : "FIL", copy(*dealer)));
          found->setRecNo(t % std::max(1, found->rowCount()));
          const int product = found->fieldByName(u"STOK_STOKNO")->asInteger();
          if (proxy.SepetEkle2(copy(*dealer), account, product, "", "", 1 + t, 20, 0, 0, 0, 0, 0, 0,
                               0) == 1)
            ++added;
          else
            ++errors;
          const int n = fromPacket(proxy.SepetVer2(account))->rowCount();
          if (n < before + 1) ++errors;
          ++rounds;
        }
      } catch (const std::exception& e) {
        ADD_FAILURE() << e.what();
        ++errors;
      }
    });
  for (auto& t : threads) t.join();
  EXPECT_EQ(errors.load(), 0);
  EXPECT_EQ(added.load(), rounds.load());
  EXPECT_GT(rounds.load(), kConnections);
  auto cart = fromPacket(TServerMethods1Client(c0.get()).SepetVer2(account));
  EXPECT_EQ(cart->rowCount(), before + added.load());
}

TEST(Reliability, ACallerThatVanishesMidCallLeavesTheOthersServed) {
  ServerHarness h;
  {
    // Half a request, then gone.
    NetSocket s = rawConnection(h, true);
    const QByteArray payload =
        encodeRequest({QStringLiteral("TServerMethods1.KayanYaziGetir"), {}});
    const QByteArray frame = encodeFrame(payload);
    s.sendAll(frame.constData(), frame.size() / 2, 5000);
    s.close();
  }
  {
    // A whole request, gone before the reply.
    NetSocket s = rawConnection(h, true);
    auto c = h.connect();
    const auto dealer = h.login(*c, h.user(3));
    const QByteArray frame =
        encodeFrame(encodeRequest({QStringLiteral("TServerMethods1.StokAraGetir"),
                                   {Value::text(QStringLiteral("A")),
                                    Value::bytes(ValueKind::Json, toObjectForm(dealer.get()))}}));
    s.sendAll(frame.constData(), frame.size(), 5000);
    s.close();
  }
  expectServing(h);
}

TEST(Reliability, MalformedFramesCloseOnlyTheirConnection) {
  ServerHarness h;
  struct Case {
    const char* what;
    bool handshake;
    QByteArray bytes;
  } cases[] = {
      {"garbage instead of a hello", false, QByteArray("GET / HTTP/1.1\r\nHost: x\r\n\r\n")},
      {"a zero length", true, QByteArray(4, '\0')},
      {"a length over the limit", true, QByteArray("\x7f\xff\xff\xff", 4)},
      {"a frame that is not CBOR", true, encodeFrame(QByteArray("\xff\xff\xff\xff", 4))},
  };
  for (const Case& c : cases) {
    NetSocket s = rawConnection(h, c.handshake);
    s.sendAll(c.bytes.constData(), c.bytes.size(), 5000);
    EXPECT_TRUE(closedByServer(s)) << c.what;
  }
  expectServing(h);
}

TEST(Reliability, WrongParametersAndUnknownOperationsGetAnError) {
  ServerHarness h;
  auto c = h.connect();
  struct Case {
    const char* what;
    Request request;
  } cases[] = {
      {"text for an integer",
       {QStringLiteral("TServerMethods1.SepetVer2"), {Value::text(QStringLiteral("x"))}}},
      {"too few parameters", {QStringLiteral("TServerMethods1.SepetVer2"), {}}},
      {"a record that is not JSON",
       {QStringLiteral("TServerMethods1.SepetSayisi"), {Value::bytes(ValueKind::Json, "{nope")}}},
      {"an unknown operation", {QStringLiteral("TServerMethods1.Yok"), {}}},
      {"an unknown class", {QStringLiteral("Baska.KayanYaziGetir"), {}}},
  };
  for (const Case& k : cases) {
    const Reply r = c->execute(k.request);
    EXPECT_TRUE(r.failed) << k.what;
    EXPECT_FALSE(r.error.isEmpty()) << k.what;
    // The same connection goes on.
    TServerMethods1Client proxy(c.get());
    EXPECT_FALSE(proxy.KayanYaziGetir().isEmpty()) << k.what;
  }
}

TEST(Reliability, ASecondStartOnTheSameDatabaseKeepsItsData) {
  QTemporaryDir dir;
  const QString path = dir.filePath(QStringLiteral("kalici.db"));
  int account = 0, line = 0;
  qint64 products = 0;
  {
    auto store = openSqliteStore(path);
    const auto users = generateDemo(*store, DemoOptions::fixture());
    products = store->productCount();
    account = users.first().accountId;
    TServerMethods1 m(*store);
    RpcServer rpc;
    registerOperations(rpc, m);
    rpc.listen(QStringLiteral("127.0.0.1"), 0);
    Connection c;
    c.setHostName(QStringLiteral("127.0.0.1"));
    c.setPort(rpc.port());
    c.open();
    TServerMethods1Client proxy(&c);
    auto login = std::make_unique<TSonucBilgisi>();
    login->Kopyala(*proxy.BuyukGetir(users.first().identity));
    auto found = fromPacket(proxy.StokAraGetir(QStringLiteral("FIL"), copy(*login)));
    ASSERT_EQ(
        proxy.SepetEkle2(copy(*login), account, found->fieldByName(u"STOK_STOKNO")->asInteger(), "",
                         "", 7, 20, 0, 0, 0, 0, 0, 0, 0),
        1);
    auto cart = fromPacket(proxy.SepetVer2(account));
    cart->last();
    line = cart->fieldByName(u"SIRANO")->asInteger();
  }
  auto store = openSqliteStore(path);
  EXPECT_EQ(store->productCount(), products);
  const auto line2 = store->cartLine(line);
  ASSERT_TRUE(line2.has_value());
  EXPECT_EQ(line2->quantity, 7);
  EXPECT_EQ(line2->accountId, account);
}
