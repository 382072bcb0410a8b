#include "tgirisform.h"

#include "adresler.h"
#include "async.h"
#include "ayar.h"
#include "baglantiac.h"
#include "busyindicator.h"
#include "buyukharfkutusu.h"
#include "connection.h"
#include "disip.h"
#include "guncelleme.h"
#include "istasyon.h"
#include "mesaj.h"
#include "modal.h"
#include "pictures.h"
#include "proxim.h"
#include "records.h"
#include "seams.h"
#include "tdosyaindir.h"
#include "tformistekyeni.h"
#include "yapilandirma.h"

#include <QApplication>
#include <QCheckBox>
#include <QFile>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QScreen>
#include <QUrl>
#include <QVBoxLayout>
#include <QWebEngineView>

namespace vlm {

namespace {
Tgirisform::CariSecici& cariSecici() {
  static Tgirisform::CariSecici s;
  return s;
}

QLabel* kirmiziEtiket(const QString& metin) {
  auto* l = new QLabel(metin);
  l->setStyleSheet(QStringLiteral(
      "color: white; font-weight: bold; background: rgb(226, 10, 23); padding: 3px;"));
  return l;
}
}  // namespace

void Tgirisform::setCariSecici(CariSecici secici) {
  cariSecici() = std::move(secici);
}

Tgirisform::Tgirisform(QWidget* owner)
    : QDialog(owner), iptal_(std::make_shared<std::atomic<bool>>(false)) {
  setObjectName(QStringLiteral("girisform"));
  setWindowTitle(QStringLiteral("Giriş"));
  // A tool window with a task-bar button of its own.
  setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowCloseButtonHint |
                 Qt::MSWindowsFixedSizeDialogHint);
  setFixedSize(368, 550);
  if (QScreen* ekran = QApplication::primaryScreen())
    move(ekran->availableGeometry().center() - rect().center());
  QFont f(QStringLiteral("Tahoma"));
  f.setPixelSize(13);
  setFont(f);

  auto* ana = new QVBoxLayout(this);
  ana->setContentsMargins(24, 18, 24, 18);
  ana->setSpacing(8);
  auto* logo = new QLabel;
  logo->setPixmap(logoResmi(QSize(300, 100)));
  logo->setAlignment(Qt::AlignCenter);
  ana->addWidget(logo);

  Label1 = new QLabel(IletisimMetni());
  Label1->setObjectName(QStringLiteral("Label1"));
  Label1->setAlignment(Qt::AlignCenter);
  Label1->setStyleSheet(QStringLiteral("color: #4a3a3c;"));
  ana->addWidget(Label1);
  ana->addStretch(1);

  auto* kutular = new QGridLayout;
  kutular->setHorizontalSpacing(0);
  kutular->setVerticalSpacing(8);
  kutular->addWidget(kirmiziEtiket(QStringLiteral(" Kullanıcı Adı:")), 0, 0);
  adi = new BuyukHarfKutusu;
  adi->setObjectName(QStringLiteral("adi"));
  kutular->addWidget(adi, 0, 1);
  kutular->addWidget(kirmiziEtiket(QStringLiteral(" Şifre:")), 1, 0);
  sifre = new BuyukHarfKutusu;
  sifre->setObjectName(QStringLiteral("sifre"));
  sifre->setEchoMode(QLineEdit::Password);
  kutular->addWidget(sifre, 1, 1);
  for (QLineEdit* e : {static_cast<QLineEdit*>(adi), static_cast<QLineEdit*>(sifre)}) {
    e->setMinimumHeight(28);
    e->installEventFilter(this);
  }
  ana->addLayout(kutular);

  benihatirla = new QCheckBox(QStringLiteral("Beni hatırla"));
  benihatirla->setObjectName(QStringLiteral("benihatirla"));
  benihatirla->setChecked(true);
  ana->addWidget(benihatirla);

  auto* dugmeler = new QHBoxLayout;
  Button1 = new QPushButton(QStringLiteral("Giriş"));
  Button1->setObjectName(QStringLiteral("Button1"));
  Button2 = new QPushButton(QStringLiteral("Vazgeç"));
  Button2->setObjectName(QStringLiteral("Button2"));
  for (QPushButton* b : {Button1, Button2}) {
    b->setMinimumHeight(34);
    b->setAutoDefault(false);
  }
  Button1->setStyleSheet(QStringLiteral(
      "QPushButton { color: white; font-weight: bold; background: #b21220; border: 1px solid "
      "#8e0c1a; border-radius: 4px; } QPushButton:disabled { background: #c98d93; }"));
  RxGIFAnimator1 = new BusyIndicator;
  RxGIFAnimator1->setObjectName(QStringLiteral("RxGIFAnimator1"));
  RxGIFAnimator1->setVisible(false);
  dugmeler->addWidget(Button1, 1);
  dugmeler->addWidget(Button2, 1);
  dugmeler->addWidget(RxGIFAnimator1);
  ana->addLayout(dugmeler);
  connect(Button1, &QPushButton::clicked, this, &Tgirisform::Button1Click);
  connect(Button2, &QPushButton::clicked, this, &Tgirisform::Button2Click);

  setTabOrder(Button1, Button2);
  setTabOrder(Button2, benihatirla);
  setTabOrder(benihatirla, adi);
  setTabOrder(adi, sifre);
  adi->setFocus(Qt::OtherFocusReason);

  // FormCreate: the public addresses, the identity, the settings.
  AdresleriAyarla(false);
  idsi = BilgisayarIdVer();
  AyarOku();
}

Tgirisform::~Tgirisform() {
  *iptal_ = true;
}

void Tgirisform::paintEvent(QPaintEvent*) {
  QPainter p(this);
  QLinearGradient g(0, 0, 0, height());
  g.setColorAt(0, QColor(255, 255, 255));
  g.setColorAt(0.55, QColor(244, 238, 238));
  g.setColorAt(1, QColor(222, 206, 208));
  p.fillRect(rect(), g);
  p.fillRect(QRect(0, 0, width(), 5), QColor(178, 18, 32));
}

void Tgirisform::AyarOku() {
  const QString yol = AyarDosyasi();
  if (yol.isEmpty() || !QFile::exists(yol)) return;
  const Ayarlar a = AyarOkuDosya(yol);
  benihatirla->setChecked(a.hatirla);
  if (benihatirla->isChecked()) {
    adi->setText(a.isim);
    sifre->setText(a.sifre);
  }
}

void Tgirisform::AyarKaydet() {
  AyarYazDosya(AyarDosyasi(), Ayarlar{adi->text(), sifre->text(), benihatirla->isChecked()});
}

bool Tgirisform::eventFilter(QObject* nesne, QEvent* olay) {
  if (olay->type() == QEvent::KeyPress) {
    const int tus = static_cast<QKeyEvent*>(olay)->key();
    if (tus == Qt::Key_Return || tus == Qt::Key_Enter) {
      if (nesne == adi) return adiKeyDown();
      if (nesne == sifre) return sifreKeyDown();
    }
  }
  return QDialog::eventFilter(nesne, olay);
}

bool Tgirisform::adiKeyDown() {
  if (adi->text().trimmed().isEmpty()) {
    QApplication::beep();
    StandartMesaj(QStringLiteral("Lütfen kullanıcı adını giriniz !"), mtUyari);
    adi->selectAll();
    adi->setFocus(Qt::OtherFocusReason);
    return true;
  }
  sifre->selectAll();
  sifre->setFocus(Qt::OtherFocusReason);
  return true;
}

bool Tgirisform::sifreKeyDown() {
  if (sifre->text().trimmed().isEmpty()) {
    QApplication::beep();
    StandartMesaj(QStringLiteral("Lütfen kullanıcı şifresini giriniz !"), mtUyari);
    sifre->selectAll();
    sifre->setFocus(Qt::OtherFocusReason);
    return true;
  }
  if (Button1->isEnabled()) Button1Click();
  return true;
}

void Tgirisform::Button1Click() {
  calisiyor_ = true;
  Button1->setText(QStringLiteral("Bağlanıyor..."));
  Button1->setEnabled(false);
  RxGIFAnimator1->setVisible(true);
  auto disip = std::make_shared<QString>();
  auto iptal = iptal_;
  Async([disip, iptal] {
    *disip = DisIpVer(iptal.get());
    if (FirmaAgindaMi(*disip)) AdresleriAyarla(true);
  })
      ->Await(
          [this, disip] {
            Button1->setText(QStringLiteral("Giriş!"));
            RxGIFAnimator1->setVisible(false);
            Devamet(*disip);
          },
          this);
}

void Tgirisform::Button2Click() {
  SurecSonlandir(0);
}

void Tgirisform::hataylaDon(const QString& metin, int tur) {
  MesajGoster(metin, tur, mbOK, mbOK);
  Button1->setEnabled(true);
  adi->selectAll();
  adi->setFocus(Qt::OtherFocusReason);
  calisiyor_ = false;
}

void Tgirisform::Devamet(const QString& disip) {
  if (disip.trimmed().isEmpty()) {
    MesajGoster(QStringLiteral("Bağlantı Kurulamıyor Lütfen Tekrar Deneyiniz !"), mtHata, mbOK,
                mbOK);
    Button1->setEnabled(true);
    calisiyor_ = false;
    return;
  }
  Bilgim->SetDisip(disip);
  bagim->setHostName(SunucuAdresi());
  auto dogrusonuc = std::make_shared<bool>(false);
  Async([this, dogrusonuc] { *dogrusonuc = BilgiGetir(); })
      ->Await(
          [this, dogrusonuc] {
            // The decision chain.
            RxGIFAnimator1->setVisible(false);
            if (!*dogrusonuc) {
              hataylaDon(QStringLiteral("Bağlantı Kurulamadı !"), mtHata);
              return;
            }
            if (Bilgim->Version() != kProgramSurumu) GuncellemeIndir();
            if (!Bilgim->Varmi()) {
              IstekFormuGoster(WebAdresi());
              SurecSonlandir(0);
              return;
            }
            const QString hatali =
                QStringLiteral("Kullanıcı Adı ve Şifre Hatalı Lütfen Tekrar Deneyiniz !");
            if (adi->text() != Bilgim->ADI() || sifre->text() != Bilgim->SIFRE()) {
              hataylaDon(hatali, mtUyari);
              return;
            }
            AyarKaydet();
            if (Bilgim->AKTIF() != 1) {
              hataylaDon(hatali, mtUyari);
              return;
            }
            if (Bilgim->MusteriTipi() == 1 || Bilgim->MusteriTipi() == 2) {
              if (!CariSec()) {
                SurecSonlandir(0);
                return;
              }
            }
            calisiyor_ = false;
            accept();
          },
          this);
}

bool Tgirisform::BilgiGetir() {
  std::unique_ptr<Connection> klon = bagim->clone();
  if (!BaglantiAc(klon.get(), 0)) return false;
  try {
    TServerMethods1Client proxy(klon.get());
    TSonucBilgisi* kayit = proxy.BuyukGetir(idsi);
    if (!kayit) {
      klon->close();
      return false;
    }
    Bilgim->Kopyala(*kayit);
  } catch (...) {
    klon->close();
    return false;
  }
  klon->close();
  Bilgim->SetBilgiSayarAdi(BilgisayarAdiVer());
  Bilgim->SetBilgisayarKullanici(KullaniciAdiVer());
  Bilgim->SetIcip(IcIpVer());
  Bilgim->SetBILGISAYARID(BilgisayarIdVer());
  Bilgim->SetDisip(DisIpVer(iptal_.get()));
  return true;
}

void Tgirisform::GuncellemeIndir() {
  std::unique_ptr<Tdosyaindir> pencere(Tdosyaindir::Yeni(this, Bilgim->Version()));
  pencere->bag = bagim;
  ModalGoster(pencere.get());
}

void Tgirisform::IstekFormuGoster(const QString& webAdresi) {
  Tformistekyeni pencere(this);
  pencere.setWindowTitle(QStringLiteral("Velmora Otomotiv B2B İstek Formu"));
  pencere.sitem->setUrl(QUrl(webAdresi +
                             QStringLiteral("formmailgonder.aspx?carino=0&kullanici= &id=") +
                             BilgisayarIdVer()));
  ModalGoster(&pencere);
}

bool Tgirisform::CariSec() {
  return cariSecici() ? cariSecici()(*this) : true;
}

bool GirisPenceresiniCalistir(QWidget* sahip, Connection* baglanti, TSonucBilgisi* bilgi) {
  Tgirisform giris(sahip);
  giris.bagim = baglanti;
  giris.Bilgim = bilgi;
  return ModalGoster(&giris) == QDialog::Accepted;
}

}  // namespace vlm
