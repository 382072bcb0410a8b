// BaglantiAc: eleven attempts 500 ms apart, each failure's text in a plain
// box, the final message only with report 1; a server that comes up during
// the attempts; the boxes handed to the user-interface thread from a pool
// thread.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QThread>
#include <QtConcurrent/QtConcurrentRun>
#include <memory>

#include "baglantiac.h"
#include "connection.h"
#include "mesaj.h"
#include "netsocket.h"
#include "rpcserver.h"
#include "seams.h"

using namespace vlm;

namespace {

// A port where nothing listens (taken once, then let go).
quint16 freePort() {
  NetListener l;
  l.listen("127.0.0.1", 0);
  return l.port();
}

// Records the thread each box was shown on.
class ThreadRecordingMessages : public ScriptedMessages {
 public:
  int show(const MesajIstegi& istek) override {
    threads.append(QThread::currentThread());
    return ScriptedMessages::show(istek);
  }
  QList<QThread*> threads;
};

class BaglantiAcTest : public ::testing::Test {
 protected:
  void SetUp() override {
    setWaitHook([this](int ms) {
      waits.append(ms);
      if (onWait) onWait(waits.size());
    });
    conn.setHostName("127.0.0.1");
    conn.setPort(freePort());
    conn.setReadTimeout(2000);
  }
  void TearDown() override { setWaitHook({}); }

  ThreadRecordingMessages boxes;
  QList<int> waits;
  std::function<void(int)> onWait;
  Connection conn;
};

}  // namespace

TEST_F(BaglantiAcTest, NothingListensWithReport1) {
  EXPECT_FALSE(BaglantiAc(&conn, 1));
  EXPECT_FALSE(conn.isOpen());
  const auto shown = boxes.shown();
  ASSERT_EQ(shown.size(), 12);
  for (int i = 0; i < 11; ++i) {
    EXPECT_TRUE(shown[i].duz) << i;  // a plain box with the connection's own text
    EXPECT_TRUE(shown[i].metin.contains("Connection refused")) << shown[i].metin.toStdString();
  }
  EXPECT_FALSE(shown[11].duz);
  EXPECT_EQ(shown[11].metin, QString::fromUtf8("Bağlantı Kurulamıyor Lütfen Tekrar Deneyin ...!"));
  EXPECT_EQ(shown[11].tur, int(mtHata));
  EXPECT_EQ(shown[11].dugmeler, MesajDugmeleri(mbOK));
  EXPECT_EQ(shown[11].varsayilan, mbOK);
  EXPECT_EQ(waits, QList<int>(11, 500));
}

TEST_F(BaglantiAcTest, NothingListensWithReport0) {
  EXPECT_FALSE(BaglantiAc(&conn, 0));
  EXPECT_EQ(boxes.shown().size(), 11);
  for (const auto& m : boxes.shown()) EXPECT_TRUE(m.duz);
  EXPECT_EQ(waits.size(), 11);
}

TEST_F(BaglantiAcTest, ServerComesUpDuringTheAttempts) {
  RpcServer server;
  server.registerOperation("KayanYaziGetir", [](Call& c) { c.setResult(QString("x")); });
  onWait = [&](int n) {
    if (n == 3) server.listen("127.0.0.1", quint16(conn.port()));
  };
  EXPECT_TRUE(BaglantiAc(&conn, 1));
  EXPECT_TRUE(conn.isOpen());
  EXPECT_EQ(boxes.shown().size(), 3);  // three failures, no final message
  EXPECT_EQ(waits.size(), 3);

  // An open connection is closed and opened again.
  boxes.clear();
  EXPECT_TRUE(BaglantiAc(&conn, 1));
  EXPECT_TRUE(boxes.shown().isEmpty());
  EXPECT_TRUE(BaglantiAc(&conn, 1));
  EXPECT_EQ(server.connectionsAccepted(), 3);
}

TEST_F(BaglantiAcTest, BoxesFromAPoolThreadShowOnTheUiThread) {
  auto future = QtConcurrent::run([this] { return BaglantiAc(&conn, 1); });
  while (!future.isFinished()) {
    QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
  }
  EXPECT_FALSE(future.result());
  ASSERT_EQ(boxes.threads.size(), 12);
  for (QThread* t : boxes.threads) EXPECT_EQ(t, QCoreApplication::instance()->thread());
}

int main(int argc, char** argv) {
  QCoreApplication app(argc, argv);
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
