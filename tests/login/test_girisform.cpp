#include "adresler.h"
#include "ayar.h"
#include "busyindicator.h"
#include "buyukharfkutusu.h"
#include "connection.h"
#include "istasyon.h"
#include "mesaj.h"
#include "modal.h"
#include "records.h"
#include "rpcserver.h"
#include "scriptedhttp.h"
#include "seams.h"
#include "tformistekyeni.h"
#include "tgirisform.h"

#include <QCheckBox>
#include <QFile>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QWebEngineView>
#include <mutex>

using namespace vlm;
using vlm::test::HttpAnswer;
using vlm::test::ScriptedHttp;

namespace {

// The login record the scripted server hands out, one per case.
struct Answer {
  QString adi = QStringLiteral("BAYI1");
  QString sifre = QStringLiteral("GIZLI");
  int aktif = 1;
  bool varmi = true;
  int version = 2;
  int tip = 3;
};

}  // namespace

class GirisFormTest : public QObject {
  Q_OBJECT
  QTemporaryDir dir_;
  std::unique_ptr<ScriptedHttp> echo_;
  RpcServer rpc_;
  std::mutex mutex_;
  Answer answer_;
  int calls_ = 0;
  QList<int> exits_;
  QStringList windows_;  // the modal windows, as "objectName|title|address"

  void setAnswer(const Answer& a) {
    std::lock_guard<std::mutex> l(mutex_);
    answer_ = a;
  }

  struct Login {
    std::unique_ptr<Connection> bag = std::make_unique<Connection>();
    std::unique_ptr<TSonucBilgisi> bilgi = std::make_unique<TSonucBilgisi>();
    std::unique_ptr<Tgirisform> form;
    explicit Login(quint16 port) {
      bag->setPort(port);
      bag->setReadTimeout(5000);
      form = std::make_unique<Tgirisform>();
      form->bagim = bag.get();
      form->Bilgim = bilgi.get();
    }
    // Presses "Giriş" and waits until the attempt has ended one way or another.
    void run(const QList<int>& exits) {
      form->Button1Click();
      QTRY_VERIFY_WITH_TIMEOUT(!form->calisiyor() || !exits.isEmpty(), 20000);
    }
  };

  QString iniPath() const { return AyarDosyasi(); }

 private Q_SLOTS:
  void initTestCase() {
    qputenv("XDG_CONFIG_HOME", dir_.filePath("config").toUtf8());
    qputenv("XDG_DATA_HOME", dir_.filePath("data").toUtf8());
    qputenv("VLM_SUNUCU_HOST", "localhost");
    qputenv("VLM_YEREL_SUNUCU", "127.0.0.1");
    qputenv("VLM_FIRMA_DIS_IP", "10.99.99.99");
    echo_ = std::make_unique<ScriptedHttp>();
    echo_->fallback = HttpAnswer{200, "OK", "text/plain", "85.1.2.3\n"};
    qputenv("VLM_IPECHO_URL", echo_->url("/").toUtf8());
    rpc_.registerOperation("BuyukGetir", [this](Call& call) {
      std::lock_guard<std::mutex> l(mutex_);
      ++calls_;
      TSonucBilgisi r;
      r.SetBILGISAYARID(call.text(0));
      r.SetADI(answer_.adi);
      r.SetSIFRE(answer_.sifre);
      r.SetAKTIF(answer_.aktif);
      r.SetVarmi(answer_.varmi);
      r.SetVersion(answer_.version);
      r.SetMusteriTipi(answer_.tip);
      r.SetCARINO(1024);
      r.SetCariAdi(QStringLiteral("Örnek Ticaret"));
      r.SetDisip(QStringLiteral("1.1.1.1"));  // the client puts its own in
      call.setResult(&r);
    });
    rpc_.listen();
    setExitHook([this](int kod) { exits_ << kod; });
    setWaitHook([](int) {});
    setModalHook([this](QDialog* d) {
      QString adres;
      if (auto* f = qobject_cast<Tformistekyeni*>(d))
        adres = QString::fromUtf8(f->sitem->url().toEncoded());
      windows_ << d->objectName() + "|" + d->windowTitle() + "|" + adres;
      return int(QDialog::Rejected);
    });
  }

  void init() {
    exits_.clear();
    windows_.clear();
    calls_ = 0;
    setAnswer(Answer{});
    QFile::remove(iniPath());
    echo_->fallback = HttpAnswer{200, "OK", "text/plain", "85.1.2.3\n"};
    Tgirisform::setCariSecici({});
  }

  void windowLayout() {
    Login l(rpc_.port());
    Tgirisform& f = *l.form;
    QCOMPARE(f.windowTitle(), QStringLiteral("Giriş"));
    QCOMPARE(f.size(), QSize(368, 550));
    QVERIFY(f.benihatirla->isChecked());
    QCOMPARE(f.benihatirla->text(), QStringLiteral("Beni hatırla"));
    QCOMPARE(f.Button1->text(), QStringLiteral("Giriş"));
    QCOMPARE(f.Button2->text(), QStringLiteral("Vazgeç"));
    QCOMPARE(f.sifre->echoMode(), QLineEdit::Password);
    QVERIFY(f.RxGIFAnimator1->isHidden());
    QCOMPARE(f.idsi, BilgisayarIdVer());
    // Tab order: "Giriş", "Vazgeç", "Beni hatırla", name, password.
    const auto next = [](QWidget* w) {
      do w = w->nextInFocusChain();
      while (!(w->focusPolicy() & Qt::TabFocus));
      return w;
    };
    QCOMPARE(next(f.Button1), static_cast<QWidget*>(f.Button2));
    QCOMPARE(next(f.Button2), static_cast<QWidget*>(f.benihatirla));
    QCOMPARE(next(f.benihatirla), static_cast<QWidget*>(f.adi));
    QCOMPARE(next(f.adi), static_cast<QWidget*>(f.sifre));
    f.show();
    QVERIFY(QTest::qWaitForWindowActive(&f));
    QTRY_COMPARE(QApplication::focusWidget(), static_cast<QWidget*>(f.adi));
    QTest::keyClicks(f.adi, "bayi1");
    QCOMPARE(f.adi->text(), QStringLiteral("BAYI1"));
    if (qEnvironmentVariableIsSet("VLM_TEST_SHOTS"))
      f.grab().save(qEnvironmentVariable("VLM_TEST_SHOTS") + "/girisform.png");
  }

  void enterInTheBoxes() {
    Login l(rpc_.port());
    Tgirisform& f = *l.form;
    f.show();
    QVERIFY(QTest::qWaitForWindowActive(&f));
    ScriptedMessages m;
    f.adi->setText("   ");
    QTest::keyClick(f.adi, Qt::Key_Return);
    QCOMPARE(m.texts(), QStringList{"Lütfen kullanıcı adını giriniz !"});
    QVERIFY(m.shown()[0].standart);
    QCOMPARE(m.shown()[0].tur, int(mtUyari));
    f.adi->setText("BAYI1");
    QTest::keyClick(f.adi, Qt::Key_Return);
    QTRY_VERIFY(f.sifre->hasFocus());
    QTest::keyClick(f.sifre, Qt::Key_Return);
    QCOMPARE(m.texts().last(), QStringLiteral("Lütfen kullanıcı şifresini giriniz !"));
    QCOMPARE(calls_, 0);
    f.sifre->setText("GIZLI");
    QTest::keyClick(f.sifre, Qt::Key_Return);  // Enter in the password box logs in
    QTRY_COMPARE(f.result(), int(QDialog::Accepted));
  }

  void decisionChain() {
    struct Case {
      const char* name;
      Answer answer;
      QString typedName, typedPassword;
      bool accepted;
      QStringList messages;
      QStringList windows;
      QList<int> exits;
      bool iniWritten;
    };
    const QString hatali =
        QStringLiteral("Kullanıcı Adı ve Şifre Hatalı Lütfen Tekrar Deneyiniz !");
    const QString istek = QStringLiteral(
                              "formistekyeni|Velmora Otomotiv B2B İstek Formu|http://localhost/"
                              "formmailgonder.aspx?carino=0&kullanici=%20&id=") +
                          BilgisayarIdVer();
    Answer aktif0;
    aktif0.aktif = 0;
    Answer v3;
    v3.version = 3;
    v3.varmi = false;
    Answer v1;
    v1.version = 1;
    Answer kucuk;
    kucuk.adi = QStringLiteral("bayi1");
    const Case cases[] = {
        {"correct", {}, "BAYI1", "GIZLI", true, {}, {}, {}, true},
        {"wrong password", {}, "BAYI1", "YANLIS", false, {hatali}, {}, {}, false},
        {"wrong name", {}, "BAYI2", "GIZLI", false, {hatali}, {}, {}, false},
        {"password differs in case", {}, "BAYI1", "gizli", false, {hatali}, {}, {}, false},
        {"name with a blank", {}, "BAYI1 ", "GIZLI", false, {hatali}, {}, {}, false},
        {"record name in lower case", kucuk, "BAYI1", "GIZLI", false, {hatali}, {}, {}, false},
        {"inactive", aktif0, "BAYI1", "GIZLI", false, {hatali}, {}, {}, true},
        {"update then request form",
         v3,
         "BAYI1",
         "GIZLI",
         false,
         {},
         {"dosyaindir|Dosya İndir|", istek},
         {0},
         false},
        {"older version updates too",
         v1,
         "BAYI1",
         "GIZLI",
         true,
         {},
         {"dosyaindir|Dosya İndir|"},
         {},
         true},
    };
    for (const Case& c : cases) {
      init();
      setAnswer(c.answer);
      Login l(rpc_.port());
      Tgirisform& f = *l.form;
      f.adi->setText(c.typedName);
      f.sifre->setText(c.typedPassword);
      ScriptedMessages m;
      bool iniBeforeMessage = false;
      m.onShow = [&](const MesajIstegi&) { iniBeforeMessage = QFile::exists(iniPath()); };
      l.run(exits_);
      QTRY_VERIFY(!f.calisiyor() || !exits_.isEmpty());
      QCOMPARE(f.result() == QDialog::Accepted, c.accepted);
      QCOMPARE(m.texts(), c.messages);
      QCOMPARE(windows_, c.windows);
      QCOMPARE(exits_, c.exits);
      QCOMPARE(QFile::exists(iniPath()), c.iniWritten);
      if (!c.messages.isEmpty()) {
        QCOMPARE(m.shown()[0].tur, int(mtUyari));
        QCOMPARE(iniBeforeMessage, c.iniWritten);  // the file comes first, then the message
        QVERIFY(f.Button1->isEnabled());
        QCOMPARE(f.Button1->text(), QStringLiteral("Giriş!"));
      }
      if (c.accepted) {
        QCOMPARE(l.bilgi->CariAdi(), QStringLiteral("Örnek Ticaret"));
        QCOMPARE(l.bilgi->Disip(), QStringLiteral("85.1.2.3"));
        QCOMPARE(l.bilgi->BILGISAYARID(), BilgisayarIdVer());
        QCOMPARE(l.bilgi->BilgiSayarAdi(), BilgisayarAdiVer());
        const Ayarlar a = AyarOkuDosya(iniPath());
        QCOMPARE(a.isim, c.typedName);
        QCOMPARE(a.sifre, c.typedPassword);
        QVERIFY(a.hatirla);
      }
    }
  }

  void rememberBox() {
    QVERIFY(AyarYazDosya(iniPath(), Ayarlar{"ESKI", "PAROLA", false}));
    {
      Login l(rpc_.port());
      QVERIFY(!l.form->benihatirla->isChecked());
      QCOMPARE(l.form->adi->text(), QString());
      QCOMPARE(l.form->sifre->text(), QString());
    }
    const Ayarlar a = AyarOkuDosya(iniPath());
    QCOMPARE(a.isim, QStringLiteral("ESKI"));
    QCOMPARE(a.sifre, QStringLiteral("PAROLA"));
    QVERIFY(AyarYazDosya(iniPath(), Ayarlar{"ESKI", "PAROLA", true}));
    Login l(rpc_.port());
    QVERIFY(l.form->benihatirla->isChecked());
    QCOMPARE(l.form->adi->text(), QStringLiteral("ESKI"));
    QCOMPARE(l.form->sifre->text(), QStringLiteral("PAROLA"));

    // Unticked at the login: the file keeps the values, the box says 0.
    l.form->adi->setText("BAYI1");
    l.form->sifre->setText("GIZLI");
    l.form->benihatirla->setChecked(false);
    l.run(exits_);
    QTRY_COMPARE(l.form->result(), int(QDialog::Accepted));
    const Ayarlar b = AyarOkuDosya(iniPath());
    QCOMPARE(b.isim, QStringLiteral("BAYI1"));
    QVERIFY(!b.hatirla);
  }

  void unreachableServer() {
    quint16 closed;
    {
      RpcServer gone;
      gone.listen();
      closed = gone.port();
    }
    Login l(closed);
    l.form->adi->setText("BAYI1");
    l.form->sifre->setText("GIZLI");
    ScriptedMessages m;
    l.run(exits_);
    QTRY_VERIFY_WITH_TIMEOUT(!l.form->calisiyor(), 30000);
    QCOMPARE(m.shown().size(), 12);
    for (int i = 0; i < 11; ++i) QVERIFY(m.shown()[i].duz);  // each attempt's own text
    QCOMPARE(m.texts().last(), QStringLiteral("Bağlantı Kurulamadı !"));
    QCOMPARE(m.shown().last().tur, int(mtHata));
    QVERIFY(l.form->Button1->isEnabled());
    QCOMPARE(l.form->Button1->text(), QStringLiteral("Giriş!"));
    QVERIFY(exits_.isEmpty());
  }

  void echoDownThenUp() {
    echo_->queue({503, "Service Unavailable", "text/plain", ""});
    echo_->queue({200, "OK", "text/plain", "<html>not an address</html>"});
    const int before = echo_->requests().size();
    Login l(rpc_.port());
    l.form->adi->setText("BAYI1");
    l.form->sifre->setText("GIZLI");
    l.run(exits_);
    QTRY_COMPARE(l.form->result(), int(QDialog::Accepted));
    // Two failures, the first phase's answer, the second phase's lookup.
    QCOMPARE(echo_->requests().size() - before, 4);
  }

  void localNetworkSwitchesAllThreeAddresses() {
    for (const bool local : {true, false}) {
      qputenv("VLM_FIRMA_DIS_IP", local ? "85.1.2.3" : "10.99.99.99");
      Login l(rpc_.port());
      QCOMPARE(SunucuAdresi(), QStringLiteral("localhost"));  // public set at creation
      l.form->adi->setText("BAYI1");
      l.form->sifre->setText("GIZLI");
      l.run(exits_);
      QTRY_COMPARE(l.form->result(), int(QDialog::Accepted));
      const QString host = local ? "127.0.0.1" : "localhost";
      QCOMPARE(SunucuAdresi(), host);
      QCOMPARE(l.bag->hostName(), host);
      QCOMPARE(ResimAdresi(), "http://" + host + "/resimgoster.ashx?id=");
      QCOMPARE(WebAdresi(), "http://" + host + "/");
    }
    qputenv("VLM_FIRMA_DIS_IP", "10.99.99.99");
  }

  void customerSelectionAndCancel() {
    Answer a;
    a.tip = 1;
    for (const bool ok : {true, false}) {
      init();
      setAnswer(a);
      int asked = 0;
      Tgirisform::setCariSecici([&](Tgirisform& f) {
        ++asked;
        return ok;
      });
      Login l(rpc_.port());
      l.form->adi->setText("BAYI1");
      l.form->sifre->setText("GIZLI");
      l.run(exits_);
      QTRY_VERIFY(l.form->result() == QDialog::Accepted || !exits_.isEmpty());
      QCOMPARE(asked, 1);
      QCOMPARE(exits_, ok ? QList<int>{} : QList<int>{0});
    }
    exits_.clear();
    Login l(rpc_.port());
    l.form->Button2->click();  // "Vazgeç"
    QCOMPARE(exits_, QList<int>{0});
  }
};

QTEST_MAIN(GirisFormTest)
#include "test_girisform.moc"
