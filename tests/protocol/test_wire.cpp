// Frames, messages and value kinds, the operation table and the stream copy
// rule, without a network.
#include <gtest/gtest.h>

#include <QBuffer>
#include <QCborStreamWriter>
#include <QSet>

#include "error.h"
#include "frame.h"
#include "message.h"
#include "operations.h"
#include "streamcopy.h"

using namespace vlm;

TEST(Frame, DecoderCutsFramesHoweverBytesArrive) {
  const QByteArray a = "first", b(70000, 'x'), c = "c";
  const QByteArray wire = encodeFrame(a) + encodeFrame(b) + encodeFrame(c);
  EXPECT_EQ(wire.left(4), QByteArray::fromHex("00000005"));
  for (qsizetype step : {qsizetype(1), qsizetype(3), qsizetype(4096), wire.size()}) {
    FrameDecoder d;
    QList<QByteArray> got;
    for (qsizetype i = 0; i < wire.size(); i += step) {
      d.feed(QByteArrayView(wire).sliced(i, qMin(step, wire.size() - i)));
      QByteArray f;
      while (d.takeFrame(f)) got << f;
    }
    EXPECT_EQ(got, (QList<QByteArray>{a, b, c})) << step;
    EXPECT_EQ(d.pending(), 0);
  }
}

TEST(Frame, BadHeadersRaise) {
  {
    FrameDecoder d(1000);
    EXPECT_THROW(d.feed(frameHeader(1001)), Error);
  }
  {
    FrameDecoder d;
    EXPECT_THROW(d.feed(QByteArray(4, '\0')), Error);  // an empty frame
  }
  {
    FrameDecoder d;  // "GET / HTTP/1.1" reads as a length of about 1.2 GB
    EXPECT_THROW(d.feed("GET / HTTP/1.1\r\n"), Error);
  }
  {
    FrameDecoder d;  // a truncated frame is simply not complete
    d.feed(encodeFrame("hello").left(7));
    QByteArray f;
    EXPECT_FALSE(d.takeFrame(f));
    EXPECT_EQ(d.pending(), 7);
  }
}

TEST(Message, HandshakeAndRefusal) {
  EXPECT_EQ(decodeHello(encodeHello()), kProtocolVersion);
  EXPECT_EQ(decodeHello(encodeHello(7)), 7);
  EXPECT_NO_THROW(checkWelcome(encodeWelcome()));
  try {
    checkWelcome(encodeError("Unsupported protocol version 7"));
    FAIL();
  } catch (const Error& e) {
    EXPECT_EQ(e.message(), QString("Unsupported protocol version 7"));
  }
  EXPECT_THROW(checkWelcome(encodeHello(2)), Error);
  EXPECT_THROW(checkWelcome("garbage"), Error);
  EXPECT_THROW(decodeHello(encodeRequest({"TServerMethods1.X", {}})), Error);
  // The exact bytes of a hello, as documented.
  EXPECT_EQ(encodeHello().toHex(), QByteArray("a26870726f746f636f6c6756"
                                              "4c4d2d5250436776657273696f6e01")
                                       .toLower());
}

TEST(Message, EveryValueKindRoundTrips) {
  const QByteArray packet = QByteArray::fromHex("a0");
  const std::vector<Value> values = {
      Value::int32(-17),
      Value::int32(std::numeric_limits<qint32>::max()),
      Value::text(QString::fromUtf8("Örnek ğüşıöçİ")),
      Value::text(QString()),
      Value::real(0.18),
      Value::real(20),
      Value::boolean(true),
      Value::boolean(false),
      Value::int64(std::numeric_limits<qint64>::min()),
      Value::bytes(ValueKind::Json, R"({"type":"x"})"),
      Value::null(ValueKind::Json),
      Value::bytes(ValueKind::Packet, packet),
      Value::bytes(ValueKind::Reader, QByteArray::fromHex("9f80ff")),
      Value::bytes(ValueKind::Stream, QByteArray(2048, '\xab')),
      Value::bytes(ValueKind::Packet, QByteArray(100000, '\x01')),  // large ones travel apart
      Value::bytes(ValueKind::Stream, QByteArray(70000, '\x02')),
      Value::bytes(ValueKind::Stream, QByteArray("")),
      Value::null(ValueKind::Stream),
      Value::null(ValueKind::Int64),
  };
  const Request req{"TServerMethods1.Deneme", values};
  const Request back = decodeRequest(encodeRequest(req));
  EXPECT_EQ(back.command, req.command);
  ASSERT_EQ(back.params.size(), values.size());
  for (size_t i = 0; i < values.size(); ++i) EXPECT_TRUE(back.params[i] == values[i]) << i;

  Reply reply;
  for (size_t i = 0; i < values.size(); ++i) reply.params.emplace_back(int(i), values[i]);
  const Reply r2 = decodeReply(encodeReply(reply));
  EXPECT_FALSE(r2.failed);
  ASSERT_EQ(r2.params.size(), values.size());
  for (size_t i = 0; i < values.size(); ++i) {
    EXPECT_EQ(r2.params[i].first, int(i));
    EXPECT_TRUE(r2.params[i].second == values[i]) << i;
  }

  const Reply err = decodeReply(encodeError(QString::fromUtf8("Sunucu hatası")));
  EXPECT_TRUE(err.failed);
  EXPECT_EQ(err.error, QString::fromUtf8("Sunucu hatası"));
}

TEST(Message, ValueEncodingsAsDocumented) {
  auto encoded = [](const Value& v) {
    QByteArray out;
    encodeValue(out, v);
    return out.toHex();
  };
  EXPECT_EQ(encoded(Value::int32(1024)),
            "82"
            "65696e743332"
            "190400");
  EXPECT_EQ(encoded(Value::text("bayi1")),
            "82"
            "66737472696e67"
            "656261796931");
  EXPECT_EQ(encoded(Value::real(0.18)),
            "82"
            "66646f75626c65"
            "fb3fc70a3d70a3d70a");
  EXPECT_EQ(encoded(Value::boolean(true)),
            "82"
            "67626f6f6c65616e"
            "f5");
  EXPECT_EQ(encoded(Value::int64(2048)),
            "82"
            "65696e743634"
            "190800");
  EXPECT_EQ(encoded(Value::null(ValueKind::Json)),
            "82"
            "646a736f6e"
            "f6");
  EXPECT_EQ(encoded(Value::bytes(ValueKind::Packet, QByteArray::fromHex("a0"))),
            "82"
            "667061636b6574"
            "d81841a0");
  EXPECT_EQ(encoded(Value::bytes(ValueKind::Stream, "AB")),
            "82"
            "6673747265616d"
            "424142");
}

TEST(Message, BadPayloadsRaise) {
  auto withValue = [](const QByteArray& valueHex) -> QByteArray {
    // {"params": [[2, <value>]]}
    return QByteArray::fromHex(
               "a1"
               "66706172616d73"
               "81"
               "82"
               "02") +
           QByteArray::fromHex(valueHex);
  };
  EXPECT_NO_THROW(decodeReply(withValue("82 65696e743332 01")));
  const QByteArray cases[] = {
      QByteArray(),
      "garbage",
      encodeReply({}).left(3),
      encodeReply({}) + "x",
      withValue("82 65696e743332 1b0000000100000000"),  // int32 out of range
      withValue("82 65696e743332 6131"),                // text for int32
      withValue("82 65696e743136 01"),                  // unknown kind
      withValue("82 667061636b6574 41a0"),              // packet without its tag
      withValue("83 65696e743332 01 01"),               // three items
      withValue("82 6673747265616d 5a7fffffff"),        // a huge stream claimed
      QByteArray::fromHex("a1 66706172616d73 81 82 1904d2 82 65696e743332 01"),  // ordinal 1234
      QByteArray::fromHex("a1 6378797a 00"),                                     // unknown member
  };
  for (const QByteArray& bad : cases)
    EXPECT_THROW(decodeReply(bad), Error) << bad.toHex().toStdString();
  const QByteArray good =
      encodeRequest({"TServerMethods1.X", {Value::text("abc"), Value::int32(1)}});
  for (qsizetype cut = 0; cut < good.size(); ++cut)
    EXPECT_THROW(decodeRequest(good.left(cut)), Error) << cut;
}

TEST(Operations, TableHoldsTheFortyNine) {
  const auto ops = operations();
  ASSERT_EQ(ops.size(), 49u);
  QSet<QString> names;
  int takingRecord = 0;
  for (const auto& op : ops) {
    names.insert(QString::fromLatin1(op.name));
    EXPECT_EQ(findOperation(QString::fromLatin1(op.name)), &op);
    bool record = false;
    for (const auto& p : op.params) record |= p.kind == ValueKind::Json;
    takingRecord += record;
    EXPECT_EQ(op.hasResult && op.result == ValueKind::Json, op.recordType != nullptr) << op.name;
  }
  EXPECT_EQ(names.size(), 49);
  EXPECT_EQ(takingRecord, 16);
  EXPECT_EQ(findOperation(u"Yok"), nullptr);
  EXPECT_EQ(commandText(operation(Op::SepetVer2)), QString("TServerMethods1.SepetVer2"));

  // Ordinals: the declared parameters, then the result.
  const OperationSpec& resim = operation(Op::ResimVer5);
  EXPECT_STREQ(resim.params[0].name, "stokno");
  EXPECT_STREQ(resim.params[1].name, "boy");
  EXPECT_TRUE(resim.isOutput(1));
  EXPECT_EQ(resim.resultOrdinal(), 2);
  EXPECT_EQ(resim.kindAt(2), ValueKind::Stream);
  EXPECT_EQ(operation(Op::BannerResimVer).resultOrdinal(), 1);
  EXPECT_EQ(operation(Op::SepetEkle2).params.size(), 14u);
  EXPECT_STREQ(operation(Op::SepetGuncelle2).params[10].name, "_sepetsirano");
  EXPECT_EQ(operation(Op::MailGonserCariNormal).params.size(), 17u);
  EXPECT_FALSE(operation(Op::SepetSecimGuncelle).hasResult);
}

namespace {
// A stream that hands out at most `step` bytes per read and counts reads.
class TricklingDevice : public QIODevice {
 public:
  TricklingDevice(QByteArray data, qint64 step) : data_(std::move(data)), step_(step) {
    open(QIODevice::ReadOnly);
  }
  int reads = 0;

 protected:
  qint64 readData(char* out, qint64 max) override {
    ++reads;
    const qint64 n = qMin(qMin(max, step_), qint64(data_.size()) - pos());
    if (n <= 0) return 0;
    memcpy(out, data_.constData() + pos(), size_t(n));
    return n;
  }
  qint64 writeData(const char*, qint64) override { return -1; }
  bool isSequential() const override { return false; }
  qint64 size() const override { return data_.size(); }

 private:
  QByteArray data_;
  qint64 step_;
};
}  // namespace

TEST(StreamCopy, TheRule) {
  const QByteArray bytes(2048, '\x5a');
  {
    TricklingDevice d(bytes, 1 << 20);
    d.seek(100);  // the copy starts at position 0 whatever the position was
    const auto copy = copyStream(&d, 2048);
    ASSERT_TRUE(copy.has_value());
    EXPECT_EQ(*copy, bytes);
    EXPECT_EQ(d.reads, 3);  // two full chunks and an empty read
  }
  {
    TricklingDevice d(bytes, 1 << 20);
    EXPECT_FALSE(copyStream(&d, 0).has_value());  // size 0: nothing to take
    EXPECT_EQ(d.reads, 0);
  }
  {
    // A short read stops the copy: shorter than reported, dropped.
    TricklingDevice d(bytes, 1000);
    EXPECT_FALSE(copyStream(&d, 2048).has_value());
  }
  {
    // Less than the server reported, or more: dropped.
    TricklingDevice shorter(bytes.left(1500), 1 << 20);
    EXPECT_FALSE(copyStream(&shorter, 2048).has_value());
    TricklingDevice longer(bytes, 1 << 20);
    EXPECT_FALSE(copyStream(&longer, 100).has_value());
  }
  {
    TricklingDevice d(bytes.left(1500), 1 << 20);
    const auto copy = copyStream(&d, 1500);
    ASSERT_TRUE(copy.has_value());
    EXPECT_EQ(copy->size(), 1500);
  }
  EXPECT_FALSE(copyStream(nullptr, 10).has_value());
}
