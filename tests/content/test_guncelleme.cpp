#include "guncelleme.h"
#include "mesaj.h"
#include "scriptedhttp.h"
#include "seams.h"
#include "tdosyaindir.h"

#include <QFile>
#include <QLabel>
#include <QProgressBar>
#include <QTemporaryDir>
#include <QTest>

using namespace vlm;
using vlm::test::HttpAnswer;
using vlm::test::ScriptedHttp;

class GuncellemeTest : public QObject {
  Q_OBJECT
  QTemporaryDir dir_;
  QList<int> exits_;
  QList<QPair<QString, QString>> opened_;

  QString installer() const { return dir_.path() + "/VLMSetup.exe"; }

 private Q_SLOTS:
  void initTestCase() {
    qputenv("XDG_DATA_HOME", dir_.path().toUtf8());
    setExitHook([this](int kod) { exits_ << kod; });
    setShellHook([this](const QString& h, const QString& p) { opened_ << qMakePair(h, p); });
  }
  void init() {
    exits_.clear();
    opened_.clear();
    QFile::remove(installer());
  }

  void noticeAndProgressTexts() {
    QCOMPARE(GuncellemeNotu(3),
             QStringLiteral("Velmora Otomotiv B2B Programının\r\nYeni versiyonu "
                            "indirilecektir\r\nLütfen Bekleyiniz...!\r\nVersion: 3-2"));
    QCOMPARE(GuncellemeNotu(1).right(5), QStringLiteral(": 1-2"));
    const QLocale tr(QLocale::Turkish, QLocale::Turkey);
    const qint64 mb = 1024 * 1024;
    QCOMPARE(IlerlemeMetni(mb * 3 / 2, 3 * mb, tr),
             QStringLiteral("Bilgi: %50,00  İndirilen: 1,50/3,00 Mb"));
    QCOMPARE(IlerlemeMetni(mb * 3 / 2, 3 * mb, QLocale::c()),
             QStringLiteral("Bilgi: %50.00  İndirilen: 1.50/3.00 Mb"));
    QCOMPARE(IlerlemeMetni(1500 * mb, 3000 * mb, tr),  // no thousands separators
             QStringLiteral("Bilgi: %50,00  İndirilen: 1500,00/3000,00 Mb"));
    QCOMPARE(IlerlemeMetni(10, 0, tr), QString());
    QCOMPARE(IlerlemeMetni(10, -1, tr), QString());
  }

  void progressHandlerUpdatesLabelAndBar() {
    QLocale::setDefault(QLocale(QLocale::Turkish, QLocale::Turkey));
    Tdosyaindir w(nullptr, 3);
    w.NetHTTPClient1ReceiveData(0, 100);  // no total: nothing changes
    QCOMPARE(w.bilgi->text(), QStringLiteral("bilgi"));
    QCOMPARE(w.ProgressBar1->value(), 0);
    const qint64 mb = 1024 * 1024;
    w.NetHTTPClient1ReceiveData(3 * mb, mb * 3 / 2);
    QCOMPARE(w.bilgi->text(), QStringLiteral("Bilgi: %50,00  İndirilen: 1,50/3,00 Mb"));
    QCOMPARE(w.ProgressBar1->maximum(), int(3 * mb));
    QCOMPARE(w.ProgressBar1->value(), int(mb * 3 / 2));
    if (qEnvironmentVariableIsSet("VLM_TEST_SHOTS"))
      w.grab().save(qEnvironmentVariable("VLM_TEST_SHOTS") + "/dosyaindir.png");
    QLocale::setDefault(QLocale::c());
  }

  void downloadSavesStartsAndEnds() {
    ScriptedHttp http;
    const QByteArray body(300 * 1024, 'x');
    http.fallback = HttpAnswer{200, "OK", "application/octet-stream", body};
    qputenv("VLM_KURULUM_URL", http.url("/exe/VLMSetup.exe").toUtf8());
    QFile eski(installer());
    QVERIFY(eski.open(QIODevice::WriteOnly));
    eski.write("old installer");
    eski.close();

    Tdosyaindir w(nullptr, 3);
    QCOMPARE(w.windowTitle(), QStringLiteral("Dosya İndir"));
    w.FormActivate();
    w.FormActivate();  // a second activation starts nothing
    QTRY_COMPARE(exits_, QList<int>{0});
    QCOMPARE(http.requests().size(), 1);
    const QByteArray req = http.requests()[0];
    QVERIFY(req.startsWith("GET /exe/VLMSetup.exe HTTP/1.1"));
    QVERIFY(
        req.contains("User-Agent: Mozilla/5.0 (Windows NT 10.0; Win64; x64) AppleWebKit/537.36"));
    QVERIFY(req.contains("Accept-Language: en-US,tr-TR;q=0.8,tr;q=0.6,en;q=0.4"));
    QCOMPARE(opened_.size(), 1);
    QCOMPARE(opened_[0].first, installer());
    QCOMPARE(opened_[0].second, QStringLiteral("/silent"));
    QFile f(installer());
    QVERIFY(f.open(QIODevice::ReadOnly));
    QCOMPARE(f.readAll(), body);
    QVERIFY(w.bilgi->text().startsWith(QStringLiteral("Bilgi: %100")));
  }

  void failuresShowTheErrorStartNothingAndEnd() {
    struct Case {
      const char* name;
      HttpAnswer answer;
      bool refused;
      QString expected;
    };
    const Case cases[] = {
        {"not found",
         {404, "Not Found", "text/html", "<html>yok</html>"},
         false,
         "Hata Oluştu !\r\nHata: 404 Not Found"},
        {"server error",
         {500, "Internal Server Error", "text/html", "boom"},
         false,
         "Hata Oluştu !\r\nHata: 500 Internal Server Error"},
        {"refused", {}, true, "Hata Oluştu !\r\nHata: Connection refused"},
    };
    for (const Case& c : cases) {
      exits_.clear();
      opened_.clear();
      ScriptedMessages m;
      int port = 0;
      {
        ScriptedHttp http;
        http.fallback = c.answer;
        port = http.serverPort();
        if (!c.refused) {
          qputenv("VLM_KURULUM_URL", http.url("/exe/VLMSetup.exe").toUtf8());
          Tdosyaindir w(nullptr, 3);
          w.FormActivate();
          QTRY_COMPARE(exits_, QList<int>{0});
        }
      }
      if (c.refused) {
        qputenv("VLM_KURULUM_URL",
                QStringLiteral("http://127.0.0.1:%1/exe/VLMSetup.exe").arg(port).toUtf8());
        Tdosyaindir w(nullptr, 3);
        w.FormActivate();
        QTRY_COMPARE(exits_, QList<int>{0});
      }
      QCOMPARE(m.texts(), QStringList{c.expected});
      QVERIFY2(opened_.isEmpty(), c.name);
      QVERIFY2(!QFile::exists(installer()), c.name);
    }
  }

  void unknownLengthStillCompletes() {
    ScriptedHttp http;
    HttpAnswer a;
    a.body = QByteArray(5000, 'y');
    a.sendLength = false;
    http.fallback = a;
    qputenv("VLM_KURULUM_URL", http.url("/exe/VLMSetup.exe").toUtf8());
    Tdosyaindir w(nullptr, 3);
    w.FormActivate();
    QTRY_COMPARE(exits_, QList<int>{0});
    QCOMPARE(w.bilgi->text(), QStringLiteral("bilgi"));
    QCOMPARE(w.ProgressBar1->value(), 0);
    QCOMPARE(opened_.size(), 1);
    QCOMPARE(QFileInfo(installer()).size(), 5000);
  }
};

QTEST_MAIN(GuncellemeTest)
#include "test_guncelleme.moc"
