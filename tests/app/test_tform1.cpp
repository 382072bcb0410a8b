#include "busyindicator.h"
#include "buyukharfkutusu.h"
#include "mesaj.h"
#include "seams.h"
#include "stil.h"
#include "tform1.h"

#include <QAction>
#include <QApplication>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QTabBar>
#include <QTabWidget>
#include <QTest>
#include <QThread>

using namespace vlm;

namespace {
// Counts the pure red pixels of a picture of the widget.
int redPixels(QWidget* w) {
  const QImage img = w->grab().toImage();
  int n = 0;
  for (int y = 0; y < img.height(); ++y)
    for (int x = 0; x < img.width(); ++x)
      if (img.pixelColor(x, y) == QColor(255, 0, 0)) ++n;
  return n;
}
}  // namespace

class TForm1Test : public QObject {
  Q_OBJECT
  QList<int> exits_;
  QStringList opened_;

 private Q_SLOTS:
  void initTestCase() {
    TTabColorControlStyleHook::kaydet();
    StilUygula(QStringLiteral("Allports Red"));
    setExitHook([this](int kod) { exits_ << kod; });
    setShellHook([this](const QString& hedef, const QString&) { opened_ << hedef; });
  }
  void init() {
    exits_.clear();
    opened_.clear();
  }

  void frameHasItsControls() {
    TForm1 f;
    for (const char* ad :
         {"Panel1", "Image1", "GridPanel1", "kullanicilbl", "cariadilbl", "saticilbl", "Button3",
          "RxGIFAnimator1", "RxGIFAnimator2", "Panel2", "araedit", "SpeedButton2", "SpeedButton1",
          "musteritus", "sPageControl1", "Panel3", "Panel5", "kayanyazi"})
      QVERIFY2(f.findChild<QWidget*>(ad), ad);
    for (const char* ad : {"gifstokara", "gifyeniler", "gifkampanyali", "gifduyuru", "gifoncekiler",
                           "gifsepet", "gifekstre"}) {
      auto* b = f.findChild<BusyIndicator*>(ad);
      QVERIFY2(b && b->isHidden(), ad);
    }
    QVERIFY(f.musteritus->isHidden());
    QCOMPARE(f.Panel1->height(), 100);
    QCOMPARE(f.RxGIFAnimator2->maximumHeight(), 0);
    QCOMPARE(f.RxGIFAnimator1->width(), 409);
    QCOMPARE(f.araedit->width(), 340);

    const QStringList tabs = {"sstoklistesi", "ssepet",      "sonceki",         "sccariekstre",
                              "syeniler",     "skampanyali", "sTabSheetduyuru", "sTabbakiyeler"};
    const QStringList captions = {"Stok Listesi", "Sepet",        "Önceki Siparişler",
                                  "Cari Ekstre",  "Yeni Stoklar", "Kampanyalı Stoklar",
                                  "Duyurular",    "Bakiyeler"};
    QCOMPARE(f.sPageControl1->count(), 8);
    for (int i = 0; i < 8; ++i) {
      QCOMPARE(f.sPageControl1->widget(i)->objectName(), tabs[i]);
      QCOMPARE(f.sPageControl1->tabText(i), captions[i]);
      QVERIFY(!f.sPageControl1->tabIcon(i).isNull());
    }

    QStringList menu;
    for (QAction* a : f.Genelmenu->actions())
      menu << (a->isSeparator() ? QStringLiteral("-") : a->text());
    QCOMPARE(menu, QStringList({"Mail Gönder", "-", "Şifre Değiştirme İsteği", "-", "", "-",
                                "Çıkış", "-", "Raporlar"}));
    QVERIFY(!f.R1->isVisible());
  }

  void formCreateSetsCaptionsAndWebEntry() {
    qputenv("VLM_WEB_ADRESI", "http://www.velmora.example/");
    TForm1 f;
    f.FormCreate();
    QCOMPARE(f.windowTitle(), QStringLiteral("Velmora Otomotiv B2B Programı"));
    QCOMPARE(QApplication::applicationDisplayName(), QStringLiteral("Velmora Otomotiv B2B"));
    QCOMPARE(f.webSitesi->text(), QStringLiteral("www.velmora.example"));
    QTRY_VERIFY(f.baslangicBitti());

    f.show();
    QVERIFY(QTest::qWaitForWindowActive(&f));
    QTRY_VERIFY(f.araedit->hasFocus());  // the search box has the initial focus
    f.araedit->setText(QStringLiteral("FREN"));
    f.webSitesi->trigger();
    QCOMPARE(opened_, QStringList{"http://www.velmora.example/"});
    QCOMPARE(f.araedit->selectedText(), QStringLiteral("FREN"));
    QTRY_VERIFY(f.araedit->hasFocus());
  }

  void closeQuestion() {
    TForm1 f;
    f.show();
    QVERIFY(QTest::qWaitForWindowExposed(&f));
    ScriptedMessages m;
    const std::pair<int, QList<int>> answers[] = {
        {mrNo, {}}, {mrCancel, {}}, {mrYes, {0}}};  // close box of the question gives 2
    for (const auto& [answer, expectedExits] : answers) {
      m.clear();
      exits_.clear();
      m.queue(answer);
      f.G1->trigger();  // "Çıkış" asks the window to close
      QCOMPARE(m.shown().size(), 1);
      const MesajIstegi& soru = m.shown()[0];
      QCOMPARE(soru.metin, QStringLiteral("Programdan Çıkmak İstiyor musunuz ?"));
      QCOMPARE(soru.tur, int(mtSoru));
      QCOMPARE(soru.dugmeler, unsigned(mbYes | mbNo));
      QCOMPARE(soru.varsayilan, mbYes);
      QCOMPARE(exits_, expectedExits);
      QVERIFY(f.isVisible());  // the window itself never closes normally
    }
    m.clear();
    m.queue(mrNo);
    QVERIFY(!f.close());  // the window's close button asks the same question
    QCOMPARE(m.shown().size(), 1);
  }

  void customerTypes() {
    struct Case {
      int tip;
      bool baskaCari, raporlar, kampanyaSekmesi;
    };
    const Case cases[] = {{1, true, true, true},   {2, true, true, true},
                          {3, false, false, true}, {4, false, false, false},
                          {5, false, false, true}, {0, false, false, true}};
    for (const Case& c : cases) {
      TForm1 f;
      f.MusteriTipineUyarla(c.tip);
      QCOMPARE(!f.musteritus->isHidden(), c.baskaCari);
      QCOMPARE(f.R1->isVisible(), c.raporlar);
      QCOMPARE(f.sPageControl1->isTabVisible(f.sPageControl1->indexOf(f.skampanyali)),
               c.kampanyaSekmesi);
    }
  }

  void loginOutcomesAndHeaderLabels() {
    struct Case {
      const char* name;
      bool ok;
      QString disip;
      int tip;
      QList<int> exits;
    };
    const Case cases[] = {
        {"cancelled", false, "85.1.2.3", 1, {0}},
        {"no public address", true, "   ", 1, {0}},
        {"type 1", true, "85.1.2.3", 1, {}},
        {"type 4", true, "85.1.2.3", 4, {}},
    };
    for (const Case& c : cases) {
      exits_.clear();
      TForm1::setGirisPenceresi([&c](TForm1& f) {
        f.sbilgi->SetDisip(c.disip);
        f.sbilgi->SetMusteriTipi(c.tip);
        f.sbilgi->SetADI(QStringLiteral("BAYİ1"));
        f.sbilgi->SetCariAdi(QStringLiteral("Örnek Ticaret"));
        f.sbilgi->SetSaticiAdi(QStringLiteral("SATICI 1"));
        f.sbilgi->SetSaticiTelefon(QStringLiteral("0212 555 00 00 "));
        f.sbilgi->SetSaticiMail(QStringLiteral("satici@velmora.example"));
        return c.ok;
      });
      TForm1 f;
      f.GirisYap();
      QCOMPARE(exits_, c.exits);
      if (!c.exits.isEmpty()) continue;
      QCOMPARE(!f.musteritus->isHidden(), c.tip == 1);
      QCOMPARE(f.sPageControl1->isTabVisible(f.sPageControl1->indexOf(f.skampanyali)), c.tip != 4);
      f.AnaBilgiAl();
      QCOMPARE(f.kullanicilbl->text(), QStringLiteral("BAYİ1"));
      QCOMPARE(f.cariadilbl->text(), QStringLiteral("Örnek Ticaret"));
      QCOMPARE(f.saticilbl->text(), QStringLiteral("SATICI 1 Telefonu: 0212 555 00 00  email: "
                                                   "satici@velmora.example"));
    }
    TForm1::setGirisPenceresi({});
  }

  void startUpStepsRunInOrderOnAWorker() {
    QStringList ran;
    QList<QThread*> threads;
    for (const QString& ad : {QStringLiteral("BalonYaz"), QStringLiteral("KayanYaziAl"),
                              QStringLiteral("AcilisReklamAdetAl")})
      TForm1::baslangicAdimiEkle(ad, [ad, &ran, &threads](TForm1&) {
        ran << ad;
        threads << QThread::currentThread();
      });
    TForm1 f;
    f.sbilgi->SetADI(QStringLiteral("X"));
    f.FormCreate();
    QTRY_VERIFY(f.baslangicBitti());
    QCOMPARE(ran, QStringList({"KayanYaziAl", "AcilisReklamAdetAl", "BalonYaz"}));
    for (QThread* t : threads) QVERIFY(t != QThread::currentThread());
    for (const QString& ad : {"BalonYaz", "KayanYaziAl", "AcilisReklamAdetAl"})
      TForm1::baslangicAdimiEkle(ad, {});
  }

  void tabPainterDrawsCounterInRed() {
    TForm1 f;
    f.resize(1366, 700);
    f.show();
    QVERIFY(QTest::qWaitForWindowExposed(&f));
    QTabBar* bar = f.sPageControl1->tabBar();
    QCOMPARE(bar->tabRect(0).size(), QSize(120, 45));
    f.sekmeBasligiYaz(f.sstoklistesi, QStringLiteral("0=Stok Listesi"));
    f.sekmeBasligiYaz(f.ssepet, QStringLiteral("Sepet"));
    QCOMPARE(redPixels(bar), 0);
    f.sekmeBasligiYaz(f.ssepet, QStringLiteral("12=Sepet"));
    QVERIFY(redPixels(bar) > 20);
    f.sekmeBasligiYaz(f.ssepet, QStringLiteral("3,5=Bakiyeler"));
    QCOMPARE(redPixels(bar), 0);
    if (qEnvironmentVariableIsSet("VLM_TEST_SHOTS")) {
      f.sekmeBasligiYaz(f.ssepet, QStringLiteral("12=Sepet"));
      f.grab().save(qEnvironmentVariable("VLM_TEST_SHOTS") + "/tform1.png");
    }
  }
};

QTEST_MAIN(TForm1Test)
#include "test_tform1.moc"
