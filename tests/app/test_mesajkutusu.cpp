#include "mesajkutusu.h"

#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QTest>

using namespace vlm;

namespace {
MesajIstegi istek(const QString& metin, int tur, MesajDugmeleri dugmeler, MesajDugmesi v) {
  MesajIstegi i;
  i.metin = metin;
  i.tur = tur;
  i.dugmeler = dugmeler;
  i.varsayilan = v;
  return i;
}
}  // namespace

class MesajKutusuTest : public QObject {
  Q_OBJECT
 private Q_SLOTS:
  void initTestCase() {
    QApplication::setApplicationDisplayName(QStringLiteral("Velmora Otomotiv B2B"));
  }

  void yesNoDefaultNoEnterGivesNo() {
    MesajKutusu kutu(istek("Silinsin mi ?", mtSoru, mbYes | mbNo, mbNo));
    kutu.show();
    QVERIFY(QTest::qWaitForWindowExposed(&kutu));
    QCOMPARE(kutu.windowTitle(), QStringLiteral("Soru"));
    QCOMPARE(kutu.dugmeler().size(), 2);
    QCOMPARE(kutu.dugmeler()[0]->text(), QStringLiteral("Evet"));
    QCOMPARE(kutu.dugmeler()[1]->text(), QStringLiteral("Hayır"));
    QPushButton* hayir = kutu.dugme(mbNo);
    QTRY_COMPARE(QApplication::focusWidget(), hayir);
    // The default button comes first in the tab order.
    QCOMPARE(hayir->nextInFocusChain(), kutu.dugme(mbYes));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    QVERIFY(!kutu.isVisible());
    QCOMPARE(kutu.sonuc(), int(mrNo));
  }

  void closingTheBoxGivesCancel() {
    MesajKutusu kutu(istek("Silinsin mi ?", mtSoru, mbYes | mbNo, mbNo));
    kutu.show();
    QVERIFY(QTest::qWaitForWindowExposed(&kutu));
    QVERIFY(kutu.close());
    QCOMPARE(kutu.sonuc(), int(mrCancel));

    MesajKutusu kutu2(istek("Tamam ?", mtBilgi, mbOK, mbOK));
    kutu2.show();
    QTest::keyClick(&kutu2, Qt::Key_Escape);
    QCOMPARE(kutu2.sonuc(), int(mrCancel));
  }

  void titlesByKindAndPlainBox() {
    const std::pair<int, QString> turler[] = {{mtUyari, "Uyarı"},
                                              {mtHata, "Hata"},
                                              {mtBilgi, "Bilgi"},
                                              {mtSoru, "Soru"},
                                              {7, "Velmora Otomotiv B2B"}};
    for (const auto& [tur, baslik] : turler) {
      MesajKutusu kutu(istek("x", tur, mbOK, mbOK));
      QCOMPARE(kutu.windowTitle(), baslik);
    }
    MesajIstegi duz = istek("Connection refused", mtHata, mbOK, mbOK);
    duz.duz = true;
    MesajKutusu kutu(duz);
    QCOMPARE(kutu.windowTitle(), QStringLiteral("Velmora Otomotiv B2B"));
    QCOMPARE(kutu.findChild<QLabel*>("metin")->text(), QStringLiteral("Connection refused"));
    QCOMPARE(kutu.font().pointSize(), 15);
  }

  void allButtonCaptionsInOrder() {
    MesajKutusu kutu(istek("x", mtSoru,
                           mbYes | mbNo | mbOK | mbCancel | mbAbort | mbRetry | mbIgnore |
                               mbNoToAll | mbYesToAll | mbHelp,
                           mbRetry));
    QStringList basliklar;
    for (auto* b : kutu.dugmeler()) basliklar << b->text();
    QCOMPARE(basliklar, QStringList({"Evet", "Hayır", "Tamam", "Vazgeç", "İptal", "Tekrar", "Atla",
                                     "Tümüne Hayır", "Tümüne Evet", "Yardım"}));
    kutu.show();
    QTRY_COMPARE(QApplication::focusWidget(), kutu.dugme(mbRetry));
    kutu.dugme(mbIgnore)->click();
    QCOMPARE(kutu.sonuc(), int(mrIgnore));
  }
};

QTEST_MAIN(MesajKutusuTest)
#include "test_mesajkutusu.moc"
