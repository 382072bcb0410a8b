#include "adresler.h"
#include "disip.h"
#include "scriptedhttp.h"
#include "seams.h"

#include <QDeadlineTimer>
#include <QFuture>
#include <QTest>
#include <QtConcurrent/QtConcurrentRun>

using namespace vlm;
using vlm::test::HttpAnswer;
using vlm::test::ScriptedHttp;

class DisIpTest : public QObject {
  Q_OBJECT

  // The lookup blocks; the scripted server answers from this thread's loop.
  static QString attempt(const QString& url, QString* why = nullptr) {
    QFuture<QString> f = QtConcurrent::run([url, why] { return DisIpDene(url, why); });
    QDeadlineTimer deadline(20000);
    while (!f.isFinished() && !deadline.hasExpired()) QTest::qWait(5);
    return f.isFinished() ? f.result() : QStringLiteral("timed out");
  }

 private Q_SLOTS:
  void dottedAddresses() {
    const std::pair<const char*, bool> cases[] = {
        {"85.105.12.7", true}, {"0.0.0.0", true},   {"255.255.255.255", true},
        {"256.1.1.1", false},  {"1.2.3", false},    {"1.2.3.4.5", false},
        {"a.b.c.d", false},    {" 1.2.3.4", false}, {"1..3.4", false},
        {"1234.1.1.1", false}, {"", false},         {"::1", false}};
    for (const auto& [text, ok] : cases) QCOMPARE(Ipv4Mu(QString::fromLatin1(text)), ok);
  }

  void oneAttempt() {
    struct Case {
      const char* name;
      HttpAnswer answer;
      QString expected;
    };
    const Case cases[] = {
        {"plain", {200, "OK", "text/plain", "85.105.12.7"}, "85.105.12.7"},
        {"blanks and newline", {200, "OK", "text/plain", "  85.105.12.7\r\n"}, "85.105.12.7"},
        {"not an address", {200, "OK", "text/html", "<html>hello</html>"}, ""},
        {"huge", {200, "OK", "text/plain", QByteArray(5 * 1024 * 1024, '1')}, ""},
        {"error status", {503, "Service Unavailable", "text/plain", "85.105.12.7"}, ""},
    };
    for (const Case& c : cases) {
      ScriptedHttp http;
      http.fallback = c.answer;
      QString why;
      QCOMPARE(attempt(http.url("/ip"), &why), c.expected);
      if (c.expected.isEmpty()) QVERIFY2(!why.isEmpty(), c.name);
    }
    quint16 port;
    {
      ScriptedHttp gone;
      port = gone.serverPort();
    }
    QString why;
    QCOMPARE(attempt(QStringLiteral("http://127.0.0.1:%1/").arg(port), &why), QString());
    QVERIFY(!why.isEmpty());
  }

  void retriesUntilTheEchoAnswers() {
    ScriptedHttp http;
    http.queue({500, "Internal Server Error", "text/plain", ""});
    http.queue({200, "OK", "text/plain", "garbage"});
    http.fallback = {200, "OK", "text/plain", "10.1.2.3"};
    qputenv("VLM_IPECHO_URL", http.url("/").toUtf8());
    std::atomic<int> waits = 0;
    setWaitHook([&](int ms) {
      QCOMPARE(ms, 1000);
      ++waits;
    });
    QFuture<QString> f = QtConcurrent::run([] { return DisIpVer(); });
    QTRY_VERIFY_WITH_TIMEOUT(f.isFinished(), 20000);
    QCOMPARE(f.result(), QStringLiteral("10.1.2.3"));
    QCOMPARE(waits.load(), 2);
    QCOMPARE(http.requests().size(), 3);

    // Cancelled from outside, the endless loop gives up.
    std::atomic<bool> cancel = false;
    qputenv("VLM_IPECHO_URL", "http://127.0.0.1:1/");
    setWaitHook([&](int) { cancel = true; });
    QCOMPARE(DisIpVer(&cancel), QString());
    setWaitHook({});
  }

  void addressSets() {
    qputenv("VLM_SUNUCU_HOST", "b2b.velmora.example");
    qputenv("VLM_WEB_HOST", "");
    qputenv("VLM_YEREL_SUNUCU", "192.168.1.10");
    qputenv("VLM_YEREL_WEB_HOST", "192.168.1.10:8080");
    qputenv("VLM_FIRMA_DIS_IP", "85.105.12.7");
    AdresleriAyarla(false);
    QCOMPARE(SunucuAdresi(), QStringLiteral("b2b.velmora.example"));
    QCOMPARE(ResimAdresi(), QStringLiteral("http://b2b.velmora.example/resimgoster.ashx?id="));
    QCOMPARE(WebAdresi(), QStringLiteral("http://b2b.velmora.example/"));
    QVERIFY(FirmaAgindaMi(QStringLiteral("85.105.12.7")));
    QVERIFY(!FirmaAgindaMi(QStringLiteral("85.105.12.70")));
    QVERIFY(!FirmaAgindaMi(QStringLiteral(" 85.105.12.7")));
    AdresleriAyarla(true);
    QCOMPARE(SunucuAdresi(), QStringLiteral("192.168.1.10"));
    QCOMPARE(ResimAdresi(), QStringLiteral("http://192.168.1.10:8080/resimgoster.ashx?id="));
    QCOMPARE(WebAdresi(), QStringLiteral("http://192.168.1.10:8080/"));
  }
};

QTEST_GUILESS_MAIN(DisIpTest)
#include "test_disip.moc"
