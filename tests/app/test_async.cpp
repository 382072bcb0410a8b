#include "async.h"
#include "error.h"
#include "mesaj.h"
#include "uithread.h"

#include <QCoreApplication>
#include <QSignalSpy>
#include <QTest>
#include <QThread>
#include <atomic>

using namespace vlm;

class AsyncTest : public QObject {
  Q_OBJECT
 private Q_SLOTS:
  void continuationRunsOnUiThreadAfterTheProcedure() {
    QThread* arkaPlan = nullptr;
    QThread* devamIpligi = nullptr;
    std::atomic<bool> bitti = false;
    bool devamdaBittiMi = false;
    auto gorev = Async([&] {
      arkaPlan = QThread::currentThread();
      QThread::msleep(20);
      bitti = true;
    });
    gorev->Await([&] {
      devamIpligi = QThread::currentThread();
      devamdaBittiMi = bitti;
    });
    QVERIFY(devamIpligi == nullptr);  // Await returns at once
    QTRY_VERIFY(devamIpligi != nullptr);
    QVERIFY(arkaPlan != QThread::currentThread());
    QCOMPARE(devamIpligi, QThread::currentThread());
    QVERIFY(devamdaBittiMi);
  }

  void errorIsRaisedOnUiThreadAfterTheContinuation() {
    QStringList sira;
    QThread* hataIpligi = nullptr;
    setErrorHook([&](const std::exception_ptr& e) {
      hataIpligi = QThread::currentThread();
      sira << QStringLiteral("hata:") + errorText(e);
    });
    Async([] { throw Error(QStringLiteral("Sunucu hatası")); })->Await([&] {
      sira << QStringLiteral("devam");
    });
    QTRY_COMPARE(sira.size(), 2);
    QCOMPARE(sira, QStringList({"devam", "hata:Sunucu hatası"}));
    QCOMPARE(hataIpligi, QThread::currentThread());
    setErrorHook({});
  }

  void defaultErrorDisplayShowsTheText() {
    ScriptedMessages m;
    Async([] { throw std::runtime_error("beklenmeyen"); })->Await({});
    QTRY_COMPARE(m.shown().size(), 1);
    QCOMPARE(m.shown()[0].metin, QStringLiteral("beklenmeyen"));
  }

  void continuationDroppedWhenContextIsGone() {
    std::atomic<bool> basla = false;
    bool calisti = false;
    auto* baglam = new QObject;
    Async([&] {
      while (!basla) QThread::msleep(1);
    })->Await([&] { calisti = true; }, baglam);
    delete baglam;
    basla = true;
    QTest::qWait(100);
    QVERIFY(!calisti);
  }

  void messageBoxFromPoolThreadIsHandedToUiThread() {
    ScriptedMessages m;
    m.queue(mrNo);
    int sonuc = 0;
    bool bitti = false;
    Async([&] {
      sonuc = MesajGoster(QStringLiteral("Devam?"), mtSoru, mbYes | mbNo, mbYes);
    })->Await([&] { bitti = true; });
    QTRY_VERIFY(bitti);
    QCOMPARE(sonuc, int(mrNo));
    QCOMPARE(m.texts(), QStringList{"Devam?"});
  }

  void runOnUiThreadWaits() {
    int deger = 0;
    bool bitti = false;
    Async([&] {
      runOnUiThread([&] {
        QVERIFY(onUiThread());
        deger = 42;
      });
      QCOMPARE(deger, 42);  // the worker waited for the UI thread
    })->Await([&] { bitti = true; });
    QTRY_VERIFY(bitti);
  }
};

QTEST_GUILESS_MAIN(AsyncTest)
#include "test_async.moc"
