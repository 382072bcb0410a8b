#include "tform1.h"

#include "async.h"
#include "busyindicator.h"
#include "buyukharfkutusu.h"
#include "connection.h"
#include "istasyon.h"
#include "marquee.h"
#include "mesaj.h"
#include "pictures.h"
#include "seams.h"
#include "uithread.h"
#include "yapilandirma.h"

#include <QApplication>
#include <QCloseEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHash>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QTabBar>
#include <QTabWidget>
#include <QToolButton>
#include <QVBoxLayout>

namespace vlm {

namespace {

TForm1::GirisPenceresi& girisPenceresi() {
  static TForm1::GirisPenceresi g;
  return g;
}

QHash<QString, TForm1::BaslangicAdimi>& baslangicAdimlari() {
  static QHash<QString, TForm1::BaslangicAdimi> adimlar;
  return adimlar;
}

QLabel* etiket(const QString& metin, Qt::Alignment hiza, const QString& ad = QString()) {
  auto* l = new QLabel(metin);
  l->setAlignment(hiza | Qt::AlignVCenter);
  if (!ad.isEmpty()) l->setObjectName(ad);
  return l;
}

}  // namespace

void TForm1::setGirisPenceresi(GirisPenceresi giris) {
  girisPenceresi() = std::move(giris);
}

const QStringList& TForm1::baslangicAdimSirasi() {
  static const QStringList sira = {
      QStringLiteral("AnaBilgiAl"),       QStringLiteral("KayanYaziAl"),
      QStringLiteral("BannerREsimAl"),    QStringLiteral("BannerREsimAlUst"),
      QStringLiteral("BannerREsimAlAlt"), QStringLiteral("AcilisReklamAdetAl"),
      QStringLiteral("BalonYaz")};
  return sira;
}

void TForm1::baslangicAdimiEkle(const QString& ad, BaslangicAdimi adim) {
  Q_ASSERT(baslangicAdimSirasi().contains(ad));
  baslangicAdimlari().insert(ad, std::move(adim));
}

TForm1::TForm1(QWidget* parent)
    : QWidget(parent),
      bagc(std::make_unique<Connection>()),
      sbilgi(std::make_unique<TSonucBilgisi>()) {
  setObjectName(QStringLiteral("Form1"));
  kur();
}

TForm1::~TForm1() = default;

void TForm1::kur() {
  QFont f(QStringLiteral("Tahoma"));
  f.setPixelSize(13);
  f.setBold(true);
  setFont(f);
  resize(1350, 652);

  auto* ana = new QVBoxLayout(this);
  ana->setContentsMargins(0, 0, 0, 0);
  ana->setSpacing(0);
  ana->addWidget(baslikPaneliKur());

  RxGIFAnimator2 = new QLabel;
  RxGIFAnimator2->setObjectName(QStringLiteral("RxGIFAnimator2"));
  RxGIFAnimator2->setScaledContents(true);
  RxGIFAnimator2->setFixedHeight(0);
  ana->addWidget(RxGIFAnimator2);

  ana->addWidget(aramaPaneliKur());
  ana->addWidget(sekmeleriKur(), 1);
  ana->addWidget(lejantKur());
  ana->addWidget(altSeritKur());
  araedit->setFocus(Qt::OtherFocusReason);
  setFocusProxy(nullptr);
}

QWidget* TForm1::baslikPaneliKur() {
  Panel1 = new QWidget;
  Panel1->setObjectName(QStringLiteral("Panel1"));
  Panel1->setFixedHeight(100);
  Panel1->setAutoFillBackground(true);
  Panel1->setStyleSheet(QStringLiteral(
      "#Panel1 { background: qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 #ffffff, "
      "stop:1 #efe9e9); border-bottom: 3px solid #b21220; }"));
  auto* h = new QHBoxLayout(Panel1);
  h->setContentsMargins(8, 4, 8, 7);
  h->setSpacing(10);

  Image1 = new QLabel;
  Image1->setObjectName(QStringLiteral("Image1"));
  Image1->setPixmap(logoResmi(QSize(260, 86)));
  Image1->setFixedSize(260, 86);
  h->addWidget(Image1);

  GridPanel1 = new QWidget;
  GridPanel1->setObjectName(QStringLiteral("GridPanel1"));
  auto* g = new QGridLayout(GridPanel1);
  g->setContentsMargins(0, 0, 0, 0);
  g->setVerticalSpacing(2);
  g->setColumnStretch(0, 18);
  g->setColumnStretch(1, 82);
  const Qt::Alignment sag = Qt::AlignRight, sol = Qt::AlignLeft;
  g->addWidget(etiket(QStringLiteral("Kullanıcı: "), sag), 0, 0);
  g->addWidget(kullanicilbl = etiket(QString(), sol, QStringLiteral("kullanicilbl")), 0, 1);
  g->addWidget(etiket(QStringLiteral("Firma: "), sag), 1, 0);
  g->addWidget(cariadilbl = etiket(QString(), sol, QStringLiteral("cariadilbl")), 1, 1);
  g->addWidget(etiket(QStringLiteral("Temsilci: "), sag), 2, 0);
  g->addWidget(saticilbl = etiket(QString(), sol, QStringLiteral("saticilbl")), 2, 1);
  for (QLabel* l : {kullanicilbl, cariadilbl, saticilbl}) {
    l->setStyleSheet(QStringLiteral("color: #8e0c1a;"));
    l->setTextInteractionFlags(Qt::TextSelectableByMouse);
  }
  h->addWidget(GridPanel1, 1);

  RxGIFAnimator1 = new QLabel;
  RxGIFAnimator1->setObjectName(QStringLiteral("RxGIFAnimator1"));
  RxGIFAnimator1->setFixedWidth(409);
  RxGIFAnimator1->setScaledContents(true);
  h->addWidget(RxGIFAnimator1);

  Genelmenu = new QMenu(this);
  Genelmenu->setObjectName(QStringLiteral("Genelmenu"));
  M1 = Genelmenu->addAction(QStringLiteral("Mail Gönder"));
  M1->setObjectName(QStringLiteral("M1"));
  Genelmenu->addSeparator();
  N4 = Genelmenu->addAction(QStringLiteral("Şifre Değiştirme İsteği"));
  N4->setObjectName(QStringLiteral("N4"));
  Genelmenu->addSeparator();
  webSitesi = Genelmenu->addAction(QString());
  webSitesi->setObjectName(QStringLiteral("webSitesi"));
  connect(webSitesi, &QAction::triggered, this, &TForm1::WebSitesiClick);
  Genelmenu->addSeparator();
  G1 = Genelmenu->addAction(QStringLiteral("Çıkış"));
  G1->setObjectName(QStringLiteral("G1"));
  connect(G1, &QAction::triggered, this, &TForm1::G1Click);
  Genelmenu->addSeparator();
  R1 = Genelmenu->addAction(QStringLiteral("Raporlar"));
  R1->setObjectName(QStringLiteral("R1"));
  R1->setVisible(false);

  Button3 = new QToolButton;
  Button3->setObjectName(QStringLiteral("Button3"));
  Button3->setIcon(QIcon(menuResmi(48)));
  Button3->setIconSize(QSize(48, 48));
  Button3->setPopupMode(QToolButton::MenuButtonPopup);
  Button3->setMenu(Genelmenu);
  Button3->setAutoRaise(true);
  Button3->setFocusPolicy(Qt::NoFocus);
  h->addWidget(Button3);
  return Panel1;
}

QWidget* TForm1::aramaPaneliKur() {
  Panel2 = new QWidget;
  Panel2->setObjectName(QStringLiteral("Panel2"));
  Panel2->setFixedHeight(35);
  Panel2->setStyleSheet(QStringLiteral(
      "#Panel2 { background: #f7f3f3; border-bottom: 1px solid #d9cfcf; }"
      "#Panel2 QToolButton { background: #b21220; border: 1px solid #8e0c1a; border-radius: 4px; }"
      "#Panel2 QToolButton:hover { background: #cf2231; }"
      "#Panel2 QToolButton:pressed { background: #8e0c1a; }"
      "#musteritus { color: white; background: #5c2c32; border: 1px solid #3d1c20; "
      "border-radius: 4px; padding: 3px 12px; }"));
  auto* h = new QHBoxLayout(Panel2);
  h->setContentsMargins(8, 2, 8, 2);
  h->setSpacing(6);
  auto* buyutec = new QLabel;
  buyutec->setPixmap(buyutecResmi(24));
  h->addWidget(buyutec);

  araedit = new BuyukHarfKutusu;
  araedit->setObjectName(QStringLiteral("araedit"));
  araedit->setFixedWidth(340);
  QFont af(QStringLiteral("Tahoma"));
  af.setPixelSize(20);
  araedit->setFont(af);
  h->addWidget(araedit);

  SpeedButton2 = new QToolButton;
  SpeedButton2->setObjectName(QStringLiteral("SpeedButton2"));
  SpeedButton2->setToolTip(QStringLiteral("Ara"));
  SpeedButton2->setIcon(QIcon(araResmi(22)));
  SpeedButton2->setIconSize(QSize(22, 22));
  SpeedButton2->setFixedSize(31, 29);
  h->addWidget(SpeedButton2);

  SpeedButton1 = new QToolButton;
  SpeedButton1->setObjectName(QStringLiteral("SpeedButton1"));
  SpeedButton1->setToolTip(QStringLiteral("Temizle"));
  SpeedButton1->setIcon(QIcon(temizleResmi(22)));
  SpeedButton1->setIconSize(QSize(22, 22));
  SpeedButton1->setFixedSize(31, 29);
  h->addWidget(SpeedButton1);

  h->addSpacing(10);
  musteritus = new QPushButton(QStringLiteral("Başka Cari Seç"));
  musteritus->setObjectName(QStringLiteral("musteritus"));
  musteritus->setVisible(false);
  h->addWidget(musteritus);

  const std::pair<BusyIndicator**, const char*> animasyonlar[] = {
      {&gifstokara, "gifstokara"},       {&gifyeniler, "gifyeniler"},
      {&gifkampanyali, "gifkampanyali"}, {&gifduyuru, "gifduyuru"},
      {&gifoncekiler, "gifoncekiler"},   {&gifsepet, "gifsepet"},
      {&gifekstre, "gifekstre"}};
  for (const auto& [alan, ad] : animasyonlar) {
    *alan = new BusyIndicator;
    (*alan)->setObjectName(QString::fromLatin1(ad));
    (*alan)->setVisible(false);
    h->addWidget(*alan);
  }
  h->addStretch(1);
  return Panel2;
}

QWidget* TForm1::sekmeleriKur() {
  sPageControl1 = new QTabWidget;
  sPageControl1->setObjectName(QStringLiteral("sPageControl1"));
  sPageControl1->setDocumentMode(false);
  sPageControl1->setIconSize(QSize(32, 32));
  QTabBar* bar = sPageControl1->tabBar();
  bar->setProperty("sekmeBoyutu", QSize(120, 45));
  bar->setExpanding(false);
  bar->setUsesScrollButtons(true);
  bar->setDrawBase(false);
  QFont tf(QStringLiteral("Tahoma"));
  tf.setPixelSize(13);
  tf.setBold(true);
  bar->setFont(tf);

  struct Sekme {
    QWidget** alan;
    const char* ad;
    QString baslik;
    int resim;
  };
  const Sekme sekmeler[] = {
      {&sstoklistesi, "sstoklistesi", QStringLiteral("Stok Listesi"), 0},
      {&ssepet, "ssepet", QStringLiteral("Sepet"), 8},
      {&sonceki, "sonceki", QStringLiteral("Önceki Siparişler"), 3},
      {&sccariekstre, "sccariekstre", QStringLiteral("Cari Ekstre"), 1},
      {&syeniler, "syeniler", QStringLiteral("Yeni Stoklar"), 10},
      {&skampanyali, "skampanyali", QStringLiteral("Kampanyalı Stoklar"), 6},
      {&sTabSheetduyuru, "sTabSheetduyuru", QStringLiteral("Duyurular"), 5},
      {&sTabbakiyeler, "sTabbakiyeler", QStringLiteral("Bakiyeler"), 7},
  };
  for (const Sekme& s : sekmeler) {
    *s.alan = new QWidget;
    (*s.alan)->setObjectName(QString::fromLatin1(s.ad));
    sPageControl1->addTab(*s.alan, sekmeResmi(s.resim, 32), s.baslik);
  }
  return sPageControl1;
}

QWidget* TForm1::lejantKur() {
  Panel3 = new QWidget;
  Panel3->setObjectName(QStringLiteral("Panel3"));
  Panel3->setFixedHeight(27);
  Panel3->setStyleSheet(
      QStringLiteral("#Panel3 { background: #ffffff; border-top: 1px solid #d9cfcf; }"));
  auto* h = new QHBoxLayout(Panel3);
  h->setContentsMargins(8, 0, 8, 0);
  h->setSpacing(2);
  h->addWidget(new QLabel(QStringLiteral("Durum Açıklaması:    ")));
  const std::pair<int, QString> lejant[] = {
      {1, QStringLiteral(" Stok mevcut  ")},  {2, QStringLiteral(" Telefon Açınız  ")},
      {3, QStringLiteral(" Yolda  ")},        {5, QStringLiteral(" Tedarik Sürecinde ")},
      {4, QStringLiteral(" Özel Sipariş  ")}, {0, QStringLiteral(" Yok  ")}};
  for (const auto& [durum, baslik] : lejant) {
    auto* resim = new QLabel;
    resim->setPixmap(stokDurumResmi(durum, 20));
    h->addWidget(resim);
    auto* l = new QLabel(baslik);
    l->setObjectName(QStringLiteral("lejant%1").arg(durum));
    h->addWidget(l);
  }
  h->addStretch(1);
  return Panel3;
}

QWidget* TForm1::altSeritKur() {
  Panel5 = new QWidget;
  Panel5->setObjectName(QStringLiteral("Panel5"));
  Panel5->setFixedHeight(40);
  Panel5->setStyleSheet(QStringLiteral(
      "#Panel5 { background: qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 #8e0c1a, "
      "stop:1 #5e0811); }"));
  auto* h = new QHBoxLayout(Panel5);
  h->setContentsMargins(0, 0, 0, 0);
  kayanyazi = new Marquee;
  kayanyazi->setObjectName(QStringLiteral("kayanyazi"));
  QFont mf(QStringLiteral("Arial"));
  mf.setPixelSize(24);
  kayanyazi->setFont(mf);
  QPalette pal = kayanyazi->palette();
  pal.setColor(QPalette::WindowText, Qt::white);
  kayanyazi->setPalette(pal);
  kayanyazi->setItemSpacing(5);
  h->addWidget(kayanyazi);
  return Panel5;
}

void TForm1::FormCreate() {
  _acilisadet = 0;
  _acilisgoruldu = false;
  setWindowTitle(QStringLiteral("Velmora Otomotiv B2B Programı"));
  QApplication::setApplicationDisplayName(QStringLiteral("Velmora Otomotiv B2B"));
  // Message boxes of the whole program use a 15-point font (MesajKutusu).
  // The login record exists from construction on; here it gets this
  // workstation's values, which the login refreshes.
  sbilgi->SetBilgiSayarAdi(BilgisayarAdiVer());
  sbilgi->SetBilgisayarKullanici(KullaniciAdiVer());
  sbilgi->SetIcip(IcIpVer());
  sbilgi->SetBILGISAYARID(BilgisayarIdVer());
  bagc->setPort(SunucuPortu());
  webSitesi->setText(AdresinHostu(WebSitesiAdresi()));
  GirisYap();
  BaslangicGoreviBaslat();
}

void TForm1::GirisYap() {
  if (girisPenceresi()) {
    if (!girisPenceresi()(*this)) {
      SurecSonlandir(0);
      return;
    }
    if (sbilgi->Disip().trimmed().isEmpty()) {
      SurecSonlandir(0);
      return;
    }
  }
  MusteriTipineUyarla(sbilgi->MusteriTipi());
}

void TForm1::MusteriTipineUyarla(int musteriTipi) {
  if (musteriTipi == 1 || musteriTipi == 2) {
    musteritus->setVisible(true);
    R1->setVisible(true);
  } else if (musteriTipi == 4) {
    sPageControl1->setTabVisible(sPageControl1->indexOf(skampanyali), false);
  }
  Q_EMIT musteriTipiUyarlandi(musteriTipi);
}

void TForm1::AnaBilgiAl() {
  runOnUiThread([this] {
    kullanicilbl->setText(sbilgi->ADI());
    cariadilbl->setText(sbilgi->CariAdi());
    saticilbl->setText(sbilgi->SaticiAdi() + QStringLiteral(" Telefonu: ") +
                       sbilgi->SaticiTelefon() + QStringLiteral(" email: ") + sbilgi->SaticiMail());
  });
}

void TForm1::BaslangicGoreviBaslat() {
  baslangicBitti_ = false;
  const auto adimlar = baslangicAdimlari();
  Async([this, adimlar] {
    for (const QString& ad : baslangicAdimSirasi()) {
      if (ad == QLatin1String("AnaBilgiAl"))
        AnaBilgiAl();
      else if (const auto adim = adimlar.value(ad))
        adim(*this);
    }
  })
      ->Await(
          [this] {
            baslangicBitti_ = true;
            AcilisReklamGoster();
          },
          this);
}

void TForm1::AcilisReklamGoster() {}

QString TForm1::sekmeBasligi(QWidget* sayfa) const {
  return sPageControl1->tabText(sPageControl1->indexOf(sayfa));
}

void TForm1::sekmeBasligiYaz(QWidget* sayfa, const QString& baslik) {
  runOnUiThread([&] { sPageControl1->setTabText(sPageControl1->indexOf(sayfa), baslik); });
}

void TForm1::G1Click() {
  close();
}

void TForm1::WebSitesiClick() {
  KabukAc(WebSitesiAdresi());
  araedit->selectAll();
  araedit->setFocus(Qt::OtherFocusReason);
}

void TForm1::closeEvent(QCloseEvent* e) {
  const int cevap = MesajGoster(QStringLiteral("Programdan Çıkmak İstiyor musunuz ?"), mtSoru,
                                mbYes | mbNo, mbYes);
  if (cevap == mrYes) {
    SurecSonlandir(0);
    // Under a test the process goes on: the window still refuses to close.
  }
  e->ignore();
}

}  // namespace vlm
