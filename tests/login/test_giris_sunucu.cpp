// The login against the reference server and its demo accounts.
#include "harness.h"
#include "buyukharfkutusu.h"
#include "mesaj.h"
#include "modal.h"
#include "scriptedhttp.h"
#include "seams.h"
#include "tgirisform.h"

#include <QTest>

using namespace vlm;
using vlm::server::test::ServerHarness;
using vlm::test::HttpAnswer;
using vlm::test::ScriptedHttp;

class GirisSunucuTest : public QObject {
  Q_OBJECT
  QTemporaryDir dir_;
  std::unique_ptr<ServerHarness> server_;
  std::unique_ptr<ScriptedHttp> echo_;
  QList<int> exits_;

private Q_SLOTS:
  void initTestCase() {
    qputenv("XDG_CONFIG_HOME", dir_.filePath("config").toUtf8());
    qputenv("VLM_SUNUCU_HOST", "127.0.0.1");
    qputenv("VLM_FIRMA_DIS_IP", "10.99.99.99");
    server_ = std::make_unique<ServerHarness>();
    echo_ = std::make_unique<ScriptedHttp>();
    echo_->fallback = HttpAnswer{200, "OK", "text/plain", "85.1.2.3"};
    qputenv("VLM_IPECHO_URL", echo_->url("/").toUtf8());
    setExitHook([this](int kod) { exits_ << kod; });
    setWaitHook([](int) {});
    setModalHook([](QDialog*) { return int(QDialog::Rejected); });
  }

  void demoAccounts() {
    struct Case {
      int tip;
      bool rightPassword;
      bool accepted;
    };
    const Case cases[] = {{3, true, true}, {4, true, true}, {3, false, false}, {2, true, true}};
    for (const Case& c : cases) {
      const auto& u = server_->user(c.tip);
      Connection bag;
      bag.setPort(server_->rpc.port());
      TSonucBilgisi bilgi;
      Tgirisform f;
      f.bagim = &bag;
      f.Bilgim = &bilgi;
      f.idsi = u.identity;
      f.adi->setText(u.login);
      f.sifre->setText(c.rightPassword ? u.password : u.password + "X");
      ScriptedMessages m;
      f.Button1Click();
      QTRY_VERIFY_WITH_TIMEOUT(!f.calisiyor(), 20000);
      QCOMPARE(f.result() == QDialog::Accepted, c.accepted);
      if (c.accepted) {
        QVERIFY(m.texts().isEmpty());
        QCOMPARE(bilgi.ADI(), u.login);
        QCOMPARE(bilgi.MusteriTipi(), c.tip);
        QCOMPARE(bilgi.CARINO(), u.accountId);
        if (c.tip >= 3) QVERIFY(!bilgi.CariAdi().isEmpty());  // a manager (2) has no account yet
        QCOMPARE(bilgi.Disip(), QStringLiteral("85.1.2.3"));
      } else {
        QCOMPARE(m.texts(),
                 QStringList{"Kullanıcı Adı ve Şifre Hatalı Lütfen Tekrar Deneyiniz !"});
      }
    }
    QVERIFY(exits_.isEmpty());
  }

  void unknownWorkstationOpensTheRequestForm() {
    QStringList windows;
    setModalHook([&](QDialog* d) {
      windows << d->objectName();
      return int(QDialog::Rejected);
    });
    Connection bag;
    bag.setPort(server_->rpc.port());
    TSonucBilgisi bilgi;
    Tgirisform f;
    f.bagim = &bag;
    f.Bilgim = &bilgi;
    f.idsi = QStringLiteral("BILINMEYEN-ISTASYON");
    f.adi->setText("X");
    f.sifre->setText("Y");
    exits_.clear();
    f.Button1Click();
    QTRY_COMPARE_WITH_TIMEOUT(exits_, QList<int>{0}, 20000);
    QCOMPARE(windows, QStringList{"formistekyeni"});
    QVERIFY(!bilgi.Varmi());
  }
};

QTEST_MAIN(GirisSunucuTest)
#include "test_giris_sunucu.moc"
