// The client against a real server of the wire protocol over loopback TCP:
// every value kind, all 49 proxy methods, the calling convention's edge
// cases, clones and many connections at once.
#include <gtest/gtest.h>

#include <QLocale>
#include <QThread>
#include <atomic>
#include <thread>

#include "command.h"
#include "connection.h"
#include "datapacket.h"
#include "error.h"
#include "objectform.h"
#include "proxim.h"
#include "rpcserver.h"
#include "streamcopy.h"

using namespace vlm;

namespace {

QString u8(const char* s) {
  return QString::fromUtf8(s);
}

DataSet smallTable(int rows) {
  DataSet ds;
  ds.addField("NO", FieldType::Integer);
  ds.addField("ADI", FieldType::String);
  ds.addField("FIYAT", FieldType::Float);
  for (int i = 0; i < rows; ++i) {
    const int r = ds.appendRow();
    ds.setInteger(r, 0, i + 1);
    ds.setString(r, 1, u8("Ürün %1").arg(i + 1));
    ds.setFloat(r, 2, (i + 1) * 0.18);
  }
  return ds;
}

std::unique_ptr<Connection> openConnection(quint16 port) {
  auto c = std::make_unique<Connection>();
  c->setHostName("127.0.0.1");
  c->setPort(port);
  c->setReadTimeout(10000);
  c->open();
  return c;
}

std::unique_ptr<TSonucBilgisi> login(int carino) {
  auto b = std::make_unique<TSonucBilgisi>();
  b->SetCARINO(carino);
  b->SetADI("bayi1");
  b->SetMusteriTipi(4);
  return b;
}

// Echo operations of every kind, for the round trip through the library.
using K = ValueKind;
constexpr ParamSpec kInt32[] = {{"v", K::Int32}};
constexpr ParamSpec kString[] = {{"v", K::WideString}};
constexpr ParamSpec kDouble[] = {{"v", K::Double}};
constexpr ParamSpec kBool[] = {{"v", K::Boolean}};
constexpr ParamSpec kInt64[] = {{"v", K::Int64}};
constexpr ParamSpec kJson[] = {{"v", K::Json}};
constexpr ParamSpec kStream[] = {{"n", K::Int32}, {"size", K::Int64, true}};
const OperationSpec kEchoOps[] = {
    {"EchoInt32", kInt32, true, K::Int32},    {"EchoString", kString, true, K::WideString},
    {"EchoDouble", kDouble, true, K::Double}, {"EchoBool", kBool, true, K::Boolean},
    {"EchoInt64", kInt64, true, K::Int64},    {"EchoJson", kJson, true, K::Json},
    {"MakePacket", kInt32, true, K::Packet},  {"MakeReader", kInt32, true, K::Reader},
    {"MakeStream", kStream, true, K::Stream},
};

}  // namespace

class Remote : public ::testing::Test {
 protected:
  void SetUp() override {}
  void start() {
    server.listen();
    conn = openConnection(server.port());
  }
  RpcServer server;
  std::unique_ptr<Connection> conn;
};

TEST_F(Remote, EveryValueKindRoundTrips) {
  for (const auto& op : kEchoOps) {
    if (QByteArray(op.name).startsWith("Echo")) {
      server.registerOperation(op, [](Call& c) { c.setResultValue(c.param(0)); });
    }
  }
  server.registerOperation(kEchoOps[6], [](Call& c) { c.setPacket(smallTable(c.int32(0))); });
  server.registerOperation(kEchoOps[7], [](Call& c) { c.setReader(smallTable(c.int32(0))); });
  server.registerOperation(kEchoOps[8],
                           [](Call& c) { c.setStream(QByteArray(c.int32(0), '\x7f')); });
  start();

  const std::vector<Value> values = {
      Value::int32(0),
      Value::int32(std::numeric_limits<qint32>::min()),
      Value::text(u8("Örnek Ticaret ğüşıöçİ 🚗")),
      Value::text(""),
      Value::real(0.18),
      Value::real(20.0),
      Value::real(-1e300),
      Value::real(45351.75),  // a date as day number
      Value::boolean(true),
      Value::boolean(false),
      Value::int64(std::numeric_limits<qint64>::max()),
      Value::int64(-1),
      Value::bytes(K::Json, toObjectForm(login(5).get())),
      Value::null(K::Json),
  };
  for (const Value& v : values) {
    const OperationSpec* op = nullptr;
    for (const auto& e : kEchoOps)
      if (QByteArray(e.name).startsWith("Echo") && e.params[0].kind == v.kind()) op = &e;
    ASSERT_TRUE(op);
    Command cmd(conn.get());
    cmd.prepare(*op);
    EXPECT_EQ(cmd.text(), QString("TServerMethods1.") + op->name);
    cmd.param(0).setValue(v);
    cmd.executeUpdate();
    EXPECT_TRUE(cmd.param(1).value() == v) << op->name;
  }

  Command packet(conn.get());
  packet.prepare(kEchoOps[6]);
  packet.param(0).setInt32(1000);
  packet.executeUpdate();
  DataSet ds;
  ds.loadFromPacket(packet.packet(1));
  EXPECT_EQ(ds.rowCount(), 1000);
  EXPECT_EQ(ds.stringValue(999, 1), u8("Ürün 1000"));

  Command reader(conn.get());
  reader.prepare(kEchoOps[7]);
  reader.param(0).setInt32(3);
  reader.executeUpdate();
  TableReader* rd = reader.reader(1);
  ASSERT_TRUE(rd);
  int rows = 0;
  while (rd->next()) EXPECT_EQ(rd->getInt32(0), ++rows);
  EXPECT_EQ(rows, 3);

  Command stream(conn.get());
  stream.prepare(kEchoOps[8]);
  for (int n : {0, 1, 1024, 2048, 70000}) {
    stream.param(0).setInt32(n);
    stream.executeUpdate();  // the same command again
    EXPECT_EQ(stream.param(1).getInt64(), n);
    QIODevice* s = stream.stream(2);
    ASSERT_TRUE(s);
    const auto copy = copyStream(s, stream.param(1).getInt64());
    EXPECT_EQ(copy.has_value(), n > 0);
    if (copy) {
      EXPECT_EQ(*copy, QByteArray(n, '\x7f'));
    }
  }
}

// A server that answers all 49 operations with values of their result
// kinds, reading every input with the accessor of its declared kind.
TEST_F(Remote, AllFortyNineOperations) {
  QStringList calls;
  std::mutex m;
  for (const OperationSpec& op : operations()) {
    server.registerOperation(QString::fromLatin1(op.name), [&, op = &op](Call& c) {
      QStringList args;
      for (size_t i = 0; i < op->params.size(); ++i) {
        switch (op->params[i].kind) {
          case K::Int32: args << QString::number(c.int32(int(i))); break;
          case K::WideString: args << c.text(int(i)); break;
          case K::Double: args << QString::number(c.real(int(i))); break;
          case K::Json: {
            auto r = c.record(int(i));
            args << (r ? QString::number(r->CARINO()) : QString("null"));
            break;
          }
          case K::Int64: args << (c.param(int(i)).isNull() ? "out" : "?"); break;
          default: args << "?";
        }
      }
      {
        std::lock_guard lock(m);
        calls << QString::fromLatin1(op->name) + '(' + args.join(',') + ')';
      }
      if (!op->hasResult) return;
      switch (op->result) {
        case K::Int32: c.setResult(qint32(7)); break;
        case K::Boolean: c.setResult(true); break;
        case K::WideString: c.setResult(u8("metin ğ")); break;
        case K::Packet: c.setPacket(smallTable(2)); break;
        case K::Reader: c.setReader(smallTable(2)); break;
        case K::Stream: c.setStream("abc"); break;
        case K::Json: {
          auto r = createRecord(QString::fromLatin1(op->recordType));
          c.setResult(r.get());
          break;
        }
        default: break;
      }
    });
  }
  start();

  TServerMethods1Client p(conn.get());
  auto packetRows = [](const QByteArray& packet) {
    DataSet ds;
    ds.loadFromPacket(packet);
    return ds.rowCount();
  };
  auto readerRows = [](TableReader* r) {
    int n = 0;
    while (r && r->next()) ++n;
    return n;
  };
  // The size arrives with the call, so the copy comes after it.
  auto streamOf = [](auto call) {
    qint64 n = -1;
    QIODevice* s = call(n);
    return copyStream(s, n).value_or("-");
  };
  const QString t = "t";

  EXPECT_FALSE(p.BuyukGetir("ABC")->Varmi());
  EXPECT_EQ(packetRows(p.StokAraGetir("fren", login(1))), 2);
  EXPECT_EQ(packetRows(p.YenilerVer2(1)), 2);
  EXPECT_EQ(packetRows(p.KampanyaliVer2(1, 4)), 2);
  EXPECT_EQ(packetRows(p.SepetVer2(1)), 2);
  EXPECT_EQ(p.SepetEkle2(login(2), 1, 2, t, t, 1.5, 0.18, 10, 0, 17, 0, 0, 0, 0), 7);
  EXPECT_EQ(p.SepetGuncelle2(login(3), 1, 2, t, t, 1.5, 0.18, 10, 0, 17, 99, 0, 0, 0), 7);
  EXPECT_EQ(p.SepetSatirSil(login(4), 5, t), 7);
  EXPECT_EQ(p.SepetHepsiniSil(login(5)), 7);
  p.SepetSecimGuncelle(5, 1);
  EXPECT_EQ(p.CariVadeGunGecmismiBul(1), u8("metin ğ"));
  EXPECT_EQ(readerRows(p.TeslimVer()), 2);
  EXPECT_EQ(readerRows(p.KargoVer()), 2);
  EXPECT_EQ(readerRows(p.KargolarVer(3)), 2);
  EXPECT_TRUE(p.SiparisKaydet(login(6), 1, 2, 3, t, 17, 4));
  EXPECT_EQ(readerRows(p.BakiyelerVer2(1)), 2);
  EXPECT_EQ(p.BakiyeDuzenle(login(7), 1, 2, 3, 4, 5, t), 7);
  EXPECT_EQ(p.BakiyeDegistir(login(8), 1, 2, 3, 4, 5, t), 7);
  EXPECT_EQ(p.BakiyeFiyatDegistir(login(9), 1, 2, 3, 4, 5, t, 6, 7), 7);
  EXPECT_TRUE(p.SiparisAytintisiDip(0, 12)->Durumu().isEmpty());
  EXPECT_EQ(readerRows(p.TumSiparislerVer(1, 2)), 2);
  EXPECT_EQ(packetRows(p.StokHareketVer(1, 2)), 2);
  EXPECT_EQ(streamOf([&](qint64& size) { return p.ResimVer5(2, size); }), "abc");
  EXPECT_EQ(readerRows(p.OncekiSiparisler(1)), 2);
  EXPECT_EQ(readerRows(p.SiparisAyrintisi2(1, 2)), 2);
  EXPECT_EQ(readerRows(p.CariEkstreVer(1)), 2);
  EXPECT_EQ(readerRows(p.FaturaGetir(1, 2)), 2);
  EXPECT_EQ(readerRows(p.FaturaAltGetir(2)), 2);
  EXPECT_EQ(readerRows(p.Tahsilat(2)), 2);
  EXPECT_EQ(p.SanalposSiranoVer(2), 7);
  EXPECT_EQ(streamOf([&](qint64& size) { return p.SAnalPosPdfVer(3, size); }), "abc");
  EXPECT_EQ(readerRows(p.RaporAlinanSiparisler(login(10), 45000, 45030.5)), 2);
  EXPECT_EQ(readerRows(p.RaporEnCokSatilanStoklar(login(11), 45000, 45030.5)), 2);
  EXPECT_EQ(readerRows(p.CariAra(login(12), t)), 2);
  EXPECT_EQ(readerRows(p.CariSepetVer(login(13), 2)), 2);
  EXPECT_EQ(p.SepetSayisi(login(14)), 7);
  EXPECT_EQ(p.TusSonuclariVer(login(15))->Alindi(), 0);
  EXPECT_EQ(streamOf([&](qint64& size) { return p.RaporGetir(1, 2, 3, 4, t, 45000, 45001, size); }),
            "abc");
  EXPECT_EQ(readerRows(p.BalonGetir(login(16))), 2);
  EXPECT_EQ(p.KayanYaziGetir(), u8("metin ğ"));
  EXPECT_EQ(streamOf([&](qint64& size) { return p.BannerResimVer(size); }), "abc");
  EXPECT_EQ(streamOf([&](qint64& size) { return p.BannerResimVer2(size); }), "abc");
  EXPECT_EQ(streamOf([&](qint64& size) { return p.BannerResimVer3(size); }), "abc");
  EXPECT_EQ(p.AcilisReklamAdet(), 7);
  EXPECT_EQ(p.AcilisREklamVer(0)->SiraNo(), 0);
  EXPECT_TRUE(p.AcilisEkranlarVer2()->Ekranlar().empty());
  EXPECT_EQ(p.MobilCariBilgisiGetir(0, "ABC")->CARINO(), 0);
  EXPECT_EQ(p.MailGonserCari(t, t, t, t, t, t, t, t, t, t, t, t, t, t, t, t), 7);
  EXPECT_EQ(p.MailGonserCariNormal(t, t, t, t, t, t, t, t, t, t, t, t, t, t, t, t, "konu"), 7);

  ASSERT_EQ(calls.size(), 49);
  EXPECT_EQ(calls[0], "BuyukGetir(ABC)");
  EXPECT_EQ(calls[5], "SepetEkle2(2,1,2,t,t,1.5,0.18,10,0,17,0,0,0,0)");
  EXPECT_EQ(calls[22], "ResimVer5(2,out)");
  EXPECT_EQ(calls[48], "MailGonserCariNormal(t,t,t,t,t,t,t,t,t,t,t,t,t,t,t,t,konu)");
  EXPECT_EQ(server.connectionsAccepted(), 1);  // one connection carried all
}

TEST_F(Remote, CallingConventionEdgeCases) {
  std::atomic<int> nullRecords{0};
  std::atomic<double> miktar{0}, kdv{0};
  server.registerOperation("SepetHepsiniSil", [&](Call& c) {
    auto r = c.record(0);
    if (!r) ++nullRecords;
    c.setResult(qint32(r ? r->CARINO() : -1));
  });
  server.registerOperation("SepetEkle2", [&](Call& c) {
    miktar = c.real(5);
    kdv = c.real(6);
    c.setResult(qint32(1));
  });
  server.registerOperation("BuyukGetir", [](Call& c) {
    const QString id = c.text(0);
    if (id == "eksik")  // without FMusteriTipi and FVersion
      c.setResultValue(Value::bytes(
          K::Json,
          R"({"type":"baglantiu.TSonucBilgisi","id":1,"fields":{"FCARINO":9,"FVarmi":true}})"));
    else if (id == "fazla")
      c.setResultValue(Value::bytes(
          K::Json, R"({"type":"baglantiu.TSonucBilgisi","id":1,"fields":{"FYeniAlan":1}})"));
    else if (id == "tur")
      c.setResultValue(
          Value::bytes(K::Json, R"({"type":"baglantiu.TTusSonuclari","id":1,"fields":{}})"));
    else if (id == "bos")
      c.setResult(static_cast<const TRecord*>(nullptr));
    else
      throw Error(u8("Tanınmayan iş istasyonu: ") + id);
  });
  server.registerOperation("ResimVer5", [](Call& c) {
    const int n = c.int32(0);
    if (n == 1) {  // reports more than it sends
      c.setOutput(1, 2048);
      c.setStream(QByteArray(1000, 'x'));
    } else {
      c.setStream(QByteArray(n, 'x'));
    }
  });
  start();
  TServerMethods1Client p(conn.get());

  // A missing record goes as null and the operation still runs.
  EXPECT_EQ(p.SepetHepsiniSil(nullptr), -1);
  EXPECT_EQ(nullRecords, 1);
  // The record passed in is gone after the call; the server saw it.
  auto copy = login(1024);
  EXPECT_EQ(p.SepetHepsiniSil(std::move(copy)), 1024);
  EXPECT_FALSE(copy);

  // Missing fields keep their starting values.
  TSonucBilgisi* b = p.BuyukGetir("eksik");
  ASSERT_TRUE(b);
  EXPECT_EQ(b->CARINO(), 9);
  EXPECT_EQ(b->MusteriTipi(), 1);
  EXPECT_EQ(b->Version(), 1);
  // An unknown field, or a record of another class, fails the call.
  EXPECT_THROW(p.BuyukGetir("fazla"), Error);
  EXPECT_THROW(p.BuyukGetir("tur"), Error);
  // A null result is no record.
  EXPECT_EQ(p.BuyukGetir("bos"), nullptr);
  // The server's error comes with its text; the connection stays usable.
  try {
    p.BuyukGetir("XYZ");
    FAIL();
  } catch (const Error& e) {
    EXPECT_EQ(e.message(), u8("Tanınmayan iş istasyonu: XYZ"));
  }
  EXPECT_TRUE(conn->isOpen());

  // Streams of size 0, 2048 and a short one.
  qint64 boy = -1;
  QIODevice* s = p.ResimVer5(0, boy);
  EXPECT_EQ(boy, 0);
  EXPECT_FALSE(copyStream(s, boy).has_value());
  s = p.ResimVer5(2048, boy);
  EXPECT_EQ(boy, 2048);
  EXPECT_EQ(copyStream(s, boy).value_or(QByteArray()).size(), 2048);
  s = p.ResimVer5(1, boy);
  EXPECT_EQ(boy, 2048);
  EXPECT_FALSE(copyStream(s, boy).has_value());

  // Reals cross exactly whatever the locale says.
  QLocale::setDefault(QLocale(QLocale::Turkish, QLocale::Turkey));
  EXPECT_EQ(p.SepetEkle2(login(1), 1, 2, "B", "S", 20.0, 0.18, 1, 0, 1, 0, 0, 0, 0), 1);
  QLocale::setDefault(QLocale::c());
  EXPECT_EQ(miktar.load(), 20.0);
  EXPECT_EQ(kdv.load(), 0.18);
}

TEST_F(Remote, ProxyNeedsAnOpenConnection) {
  start();
  const QString text = "Connection cannot be nil.  Make sure the connection has been opened.";
  for (Connection* c : {static_cast<Connection*>(nullptr), conn.get()}) {
    if (c) c->close();
    try {
      TServerMethods1Client p(c);
      FAIL();
    } catch (const Error& e) {
      EXPECT_EQ(e.message(), text);
    }
  }
}

TEST_F(Remote, ClonesAreIndependent) {
  server.registerOperation("AcilisReklamAdet",
                           [](Call& c) { c.setResult(qint32(c.connectionId())); });
  start();
  conn->setParam(Connection::kDSProxyPort, "8091");
  auto clone = conn->clone();
  EXPECT_FALSE(clone->isOpen());
  EXPECT_EQ(clone->params(), conn->params());
  EXPECT_EQ(clone->readTimeout(), conn->readTimeout());
  clone->setHostName("example.invalid");
  EXPECT_EQ(conn->hostName(), QString("127.0.0.1"));
  clone->setHostName("127.0.0.1");
  clone->open();
  TServerMethods1Client a(conn.get());
  TServerMethods1Client b(clone.get());
  EXPECT_NE(a.AcilisReklamAdet(), b.AcilisReklamAdet());  // two connections
  clone->close();
  EXPECT_TRUE(conn->isOpen());
  EXPECT_EQ(a.AcilisReklamAdet(), 1);

  Connection fresh;
  EXPECT_EQ(fresh.name(), QString("DataSnapCONNECTION"));
  EXPECT_FALSE(fresh.loginPrompt());
  EXPECT_EQ(fresh.param("DriverName"), QString("DataSnap"));
  EXPECT_EQ(fresh.param("CommunicationProtocol"), QString("tcp/ip"));
  EXPECT_EQ(fresh.param("Port"), QString("9090"));
  EXPECT_EQ(fresh.param("DatasnapContext"), QString("datasnap/"));
  EXPECT_EQ(fresh.param("Filters"), QString("{}"));
  EXPECT_EQ(fresh.param("DSProxyPort"), QString("8090"));
}

TEST_F(Remote, ManyConnectionsAtOnce) {
  server.registerOperation("SepetVer2", [](Call& c) {
    QThread::msleep(2);  // overlap the calls
    c.setPacket(smallTable(c.int32(0)));
  });
  start();
  constexpr int kThreads = 8, kCalls = 20;
  std::atomic<int> good{0};
  std::vector<std::thread> threads;
  for (int t = 0; t < kThreads; ++t) {
    threads.emplace_back([&, t] {
      try {
        auto c = conn->clone();  // each thread its own clone
        c->open();
        TServerMethods1Client p(c.get());
        for (int i = 0; i < kCalls; ++i) {
          DataSet ds;
          ds.loadFromPacket(p.SepetVer2(t * 3 + i % 5));
          if (ds.rowCount() == t * 3 + i % 5) ++good;
        }
      } catch (...) {
      }
    });
  }
  for (auto& th : threads) th.join();
  EXPECT_EQ(good, kThreads * kCalls);
  EXPECT_GE(server.connectionsAccepted(), kThreads + 1);
}
