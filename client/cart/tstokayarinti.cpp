#include "tstokayarinti.h"

#include "adresler.h"
#include "hesap.h"
#include "numberedit.h"
#include "picturebox.h"
#include "tasyncresim.h"

#include <QApplication>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QPainter>
#include <QPainterPath>
#include <QPushButton>
#include <QScreen>
#include <QSpinBox>
#include <QVBoxLayout>
#include <cmath>

namespace vlm {

namespace {

const char* const kStil =
    "#stokayarinti { background: qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 #ffffff, "
    "stop:0.6 #f6f1f1, stop:1 #e8dedf); border-top: 5px solid #b21220; }"
    "#baslikKart, #resimCercevesi, #tutarKart { background: white; border: 1px solid #e3d9d9; "
    "border-radius: 5px; }"
    "#baslikKart { border-left: 4px solid #b21220; }"
    "#GridPanel2 { background: #faf5f5; border: 1px solid #e3d9d9; border-radius: 5px; }"
    "QLabel[rol=\"baslik\"] { color: #8e0c1a; font-weight: bold; }"
    "QLabel[rol=\"deger\"] { color: #262626; }"
    "QLabel[rol=\"tutar\"] { color: #3a2a2c; font-weight: bold; }"
    "QLabel[rol=\"isk\"] { color: #8e0c1a; font-weight: bold; }"
    "QLineEdit[rol=\"sayi\"] { border: 1px solid #cdbfbf; border-radius: 3px; padding: 2px 6px; "
    "background: white; font-size: 15px; min-height: 24px; selection-background-color: #b21220; }"
    "QLineEdit[rol=\"sayi\"]:read-only { background: #f5f1f1; color: #303030; }"
    "QLineEdit[rol=\"sayi\"]:focus { border: 1px solid #b21220; }"
    "#geneltutar { color: #b21220; font-weight: bold; font-size: 17px; }"
    "#ParcaliTus1 { color: white; font-weight: bold; background: #b21220; border: 1px solid "
    "#8e0c1a; border-radius: 4px; padding: 6px 18px; }"
    "#ParcaliTus1:hover { background: #cf2231; }"
    "#ParcaliTus1:pressed { background: #8e0c1a; }"
    "#ParcaliTus2 { color: #3a2a2c; background: #f1ebeb; border: 1px solid #cdbfbf; "
    "border-radius: 4px; padding: 6px 18px; }"
    "#ParcaliTus2:hover { background: #e8dfdf; }";

QLabel* etiket(const QString& metin, const char* rol, const QString& ad = QString()) {
  auto* l = new QLabel(metin);
  l->setProperty("rol", QLatin1String(rol));
  if (!ad.isEmpty()) l->setObjectName(ad);
  return l;
}

// A card of the window: a styled panel with a grid inside.
QGridLayout* kart(QWidget*& panel, const char* ad, const QMargins& kenar) {
  panel = new QWidget;
  panel->setObjectName(QLatin1String(ad));
  panel->setAttribute(Qt::WA_StyledBackground);
  auto* g = new QGridLayout(panel);
  g->setContentsMargins(kenar);
  return g;
}

NumberEdit* sayiKutusu(const char* ad, bool saltOkunur = true) {
  auto* k = new NumberEdit;
  k->setObjectName(QLatin1String(ad));
  k->setProperty("rol", QStringLiteral("sayi"));
  k->setReadOnly(saltOkunur);
  return k;
}

}  // namespace

Tstokayarinti::Tstokayarinti(QWidget* AOwner, int _stokno) : QDialog(AOwner), stokno(_stokno) {
  setObjectName(QStringLiteral("stokayarinti"));
  setWindowTitle(QStringLiteral("Sepete Ekle"));
  setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint |
                 Qt::MSWindowsFixedSizeDialogHint);
  setFixedSize(662, 631);
  if (QScreen* ekran = QApplication::primaryScreen())
    move(ekran->availableGeometry().center() - rect().center());
  QFont f(QStringLiteral("Tahoma"));
  f.setPixelSize(13);
  setFont(f);
  setStyleSheet(QLatin1String(kStil));

  auto* ana = new QVBoxLayout(this);
  ana->setContentsMargins(16, 17, 16, 14);
  ana->setSpacing(10);
  ana->addWidget(baslikKur());
  auto* orta = new QHBoxLayout;
  orta->setSpacing(10);
  orta->addWidget(resimKur(), 1);
  orta->addWidget(tutarlarKur(), 1);
  ana->addLayout(orta, 1);
  ana->addWidget(iskontoKur());
  ana->addWidget(dugmelerKur());

  for (NumberEdit* k : sayiKutulari()) {
    k->installEventFilter(this);
    connect(k, &NumberEdit::valueEdited, this, &Tstokayarinti::Hesapla);
  }
  adet->installEventFilter(this);
  connect(adet, &QSpinBox::textChanged, this, &Tstokayarinti::Hesapla);  // adetChange
  connect(ParcaliTus1, &QPushButton::clicked, this, &QDialog::accept);
  connect(ParcaliTus2, &QPushButton::clicked, this, &QDialog::reject);

  setTabOrder(adet, birimfiyat);
  setTabOrder(birimfiyat, edindirim1);
  setTabOrder(edindirim1, edindirim2);
  setTabOrder(edindirim2, edindirim3);
  setTabOrder(edindirim3, edindirim4);
  setTabOrder(edindirim4, ParcaliTus1);
  setTabOrder(ParcaliTus1, ParcaliTus2);
  adet->setFocus(Qt::OtherFocusReason);
}

Tstokayarinti::~Tstokayarinti() = default;

QWidget* Tstokayarinti::baslikKur() {
  QWidget* panel = nullptr;
  QGridLayout* g = kart(panel, "baslikKart", {14, 8, 14, 8});
  g->setHorizontalSpacing(10);
  g->setVerticalSpacing(3);
  g->setColumnStretch(1, 1);
  const std::pair<const char*, QLabel**> satirlar[] = {{"Barkod:", &barkod},
                                                       {"Açıklama:", &adi},
                                                       {"Finish Kod:", &finishkod},
                                                       {"Marka:", &marka},
                                                       {"Model:", &model}};
  static const char* const adlar[] = {"barkod", "adi", "finishkod", "marka", "model"};
  int satir = 0;
  for (const auto& [baslik, alan] : satirlar) {
    g->addWidget(etiket(QString::fromUtf8(baslik), "baslik"), satir, 0, Qt::AlignRight);
    *alan = etiket(QString(), "deger", QLatin1String(adlar[satir]));
    (*alan)->setTextInteractionFlags(Qt::TextSelectableByMouse);
    g->addWidget(*alan, satir, 1);
    ++satir;
  }
  QFont kalin = adi->font();
  kalin.setBold(true);
  barkod->setFont(kalin);
  adi->setFont(kalin);
  return panel;
}

QWidget* Tstokayarinti::resimKur() {
  QWidget* panel = nullptr;
  QGridLayout* g = kart(panel, "resimCercevesi", {8, 8, 8, 8});
  Image1 = new PictureBox;
  Image1->setObjectName(QStringLiteral("Image1"));
  Image1->setPicture(yerTutucuResim());
  AsyncResim1 = new TAsyncResim;
  AsyncResim1->setObjectName(QStringLiteral("AsyncResim1"));
  // Both in the same cell: the web picture lies over the static one.
  g->addWidget(Image1, 0, 0);
  g->addWidget(AsyncResim1, 0, 0);
  return panel;
}

QWidget* Tstokayarinti::tutarlarKur() {
  QWidget* panel = nullptr;
  QGridLayout* g = kart(panel, "tutarKart", {14, 12, 14, 12});
  g->setHorizontalSpacing(10);
  g->setVerticalSpacing(10);
  g->setColumnStretch(1, 1);

  adet = new QSpinBox;
  adet->setObjectName(QStringLiteral("adet"));
  adet->setRange(1, 10000);
  adet->setValue(1);
  adet->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
  adet->setButtonSymbols(QAbstractSpinBox::UpDownArrows);
  QFont af = adet->font();
  af.setPixelSize(15);
  adet->setFont(af);
  adet->setMinimumHeight(30);

  birimfiyat = sayiKutusu("birimfiyat");
  indtutar = sayiKutusu("indtutar");
  kdvdahiltutar = sayiKutusu("kdvdahiltutar");
  geneltutar = sayiKutusu("geneltutar");

  fiyatlbl = etiket(QStringLiteral("Fiyat:"), "tutar", QStringLiteral("fiyatlbl"));
  indirimoran = etiket(QStringLiteral("İndirim:"), "tutar", QStringLiteral("indirimoran"));
  indirimoran->setWordWrap(true);
  const std::pair<QLabel*, QWidget*> satirlar[] = {
      {etiket(QStringLiteral("Adet:"), "tutar"), adet},
      {fiyatlbl, birimfiyat},
      {indirimoran, indtutar},
      {etiket(QStringLiteral("KDV Dahil:"), "tutar"), kdvdahiltutar},
      {etiket(QStringLiteral("Tutar:"), "tutar"), geneltutar}};
  int satir = 0;
  g->setRowStretch(satir++, 1);
  for (const auto& [baslik, kutu] : satirlar) {
    baslik->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    baslik->setMinimumWidth(120);
    g->addWidget(baslik, satir, 0);
    g->addWidget(kutu, satir, 1);
    ++satir;
  }
  g->setRowStretch(satir, 1);
  return panel;
}

QWidget* Tstokayarinti::iskontoKur() {
  QGridLayout* g = kart(GridPanel2, "GridPanel2", {12, 6, 12, 8});
  g->setHorizontalSpacing(12);
  g->setVerticalSpacing(2);
  const std::pair<const char*, NumberEdit**> kutular[] = {
      {"İsk", &edindirim1}, {"İsk2", &edindirim2}, {"İsk3", &edindirim3}, {"İsk4", &edindirim4}};
  static const char* const adlar[] = {"edindirim1", "edindirim2", "edindirim3", "edindirim4"};
  int sutun = 0;
  for (const auto& [baslik, kutu] : kutular) {
    auto* l = etiket(QString::fromUtf8(baslik), "isk");
    l->setAlignment(Qt::AlignCenter);
    g->addWidget(l, 0, sutun);
    *kutu = sayiKutusu(adlar[sutun]);
    (*kutu)->setKural({-100, 100});
    g->addWidget(*kutu, 1, sutun);
    g->setColumnStretch(sutun, 1);
    ++sutun;
  }
  GridPanel2->setVisible(false);
  return GridPanel2;
}

QWidget* Tstokayarinti::dugmelerKur() {
  auto* serit = new QWidget;
  auto* h = new QHBoxLayout(serit);
  h->setContentsMargins(0, 0, 0, 0);
  h->setSpacing(10);
  h->addStretch(1);
  ParcaliTus1 = new QPushButton(QStringLiteral("Sipariş ekle"));
  ParcaliTus1->setObjectName(QStringLiteral("ParcaliTus1"));
  ParcaliTus2 = new QPushButton(QStringLiteral("Vazgeç"));
  ParcaliTus2->setObjectName(QStringLiteral("ParcaliTus2"));
  for (QPushButton* b : {ParcaliTus1, ParcaliTus2}) {
    // Enter in the boxes does not press a button of its own accord.
    b->setAutoDefault(false);
    b->setDefault(false);
    b->setMinimumSize(150, 38);
    b->setCursor(Qt::PointingHandCursor);
    h->addWidget(b);
  }
  return serit;
}

QList<NumberEdit*> Tstokayarinti::sayiKutulari() const {
  return {birimfiyat, indtutar,   kdvdahiltutar, geneltutar,
          edindirim1, edindirim2, edindirim3,    edindirim4};
}

int Tstokayarinti::Miktar() const {
  bool tamam = false;
  const int q = QLocale().toInt(adet->text().trimmed(), &tamam);
  return tamam ? q : 1;
}

void Tstokayarinti::done(int sonuc) {
  if (sonuc == QDialog::Accepted) adetMetni_ = adet->text();
  QDialog::done(sonuc);
}

void Tstokayarinti::Hesapla() {
  const Tutarlar t = vlm::Hesapla(
      birimfiyat->value(), Miktar(),
      {edindirim1->value(), edindirim2->value(), edindirim3->value(), edindirim4->value()},
      kdvoran);
  indtutar->setValue(t.indirim);
  kdvdahiltutar->setValue(t.kdvDahil);
  geneltutar->setValue(t.tutar);
}

bool Tstokayarinti::IskontoVar() const {
  return vlm::IskontoVar(
      {edindirim1->value(), edindirim2->value(), edindirim3->value(), edindirim4->value()});
}

void Tstokayarinti::KdvCikar() {
  // The box keeps the price as it shows it, so the price sent is the one seen.
  birimfiyat->setValue(Yuvarla(vlm::KdvCikar(birimfiyat->value())));
  Hesapla();
}

void Tstokayarinti::KilidiAc() {
  for (NumberEdit* k : {birimfiyat, edindirim1, edindirim2, edindirim3, edindirim4})
    k->setReadOnly(false);
}

void Tstokayarinti::FormShow() {
  Hesapla();
  const bool iskonto = IskontoVar();
  indirimoran->setVisible(iskonto);
  indtutar->setVisible(iskonto);
  AsyncResim1->setUrl(ResimAdresi() + QString::number(stokno));
}

void Tstokayarinti::showEvent(QShowEvent* olay) {
  QDialog::showEvent(olay);
  if (!olay->spontaneous()) FormShow();
}

bool Tstokayarinti::event(QEvent* olay) {
  if (olay->type() == QEvent::WindowActivate) adet->selectAll();  // FormActivate
  return QDialog::event(olay);
}

bool Tstokayarinti::eventFilter(QObject* nesne, QEvent* olay) {
  if (olay->type() == QEvent::KeyPress) {
    const int tus = static_cast<QKeyEvent*>(olay)->key();
    const bool enter = tus == Qt::Key_Return || tus == Qt::Key_Enter;
    if (enter && nesne == adet) {
      accept();
      return true;
    }
    if (enter && nesne == birimfiyat) return true;
  } else if (olay->type() == QEvent::KeyRelease) {
    auto* k = qobject_cast<NumberEdit*>(nesne);
    if (k && sayiKutulari().contains(k)) {  // birimfiyatKeyUp
      if (static_cast<QKeyEvent*>(olay)->key() == Qt::Key_F4) {
        KdvCikar();
        return true;
      }
      Hesapla();
    }
  }
  return QDialog::eventFilter(nesne, olay);
}

QPixmap Tstokayarinti::yerTutucuResim() {
  // A brake disc with its calliper, in the quiet colours of the window.
  const int b = 240;
  QPixmap pm(b, b);
  pm.fill(Qt::transparent);
  QPainter p(&pm);
  p.setRenderHint(QPainter::Antialiasing);
  const QPointF m(b / 2.0, b / 2.0);
  const QColor gri(214, 206, 207), koyuGri(188, 178, 179), acikKirmizi(231, 178, 183);
  p.setPen(Qt::NoPen);
  p.setBrush(gri);
  p.drawEllipse(m, 92, 92);
  p.setBrush(QColor(236, 231, 231));
  p.drawEllipse(m, 80, 80);
  // Ventilation holes on the friction ring.
  p.setBrush(gri);
  for (int i = 0; i < 24; ++i) {
    const double a = i * 2 * M_PI / 24;
    const double r = (i % 2) ? 68 : 56;
    p.drawEllipse(QPointF(m.x() + r * std::cos(a), m.y() + r * std::sin(a)), 3.2, 3.2);
  }
  // The hub with its five bolts.
  p.setBrush(koyuGri);
  p.drawEllipse(m, 38, 38);
  p.setBrush(QColor(245, 241, 241));
  p.drawEllipse(m, 14, 14);
  for (int i = 0; i < 5; ++i) {
    const double a = -M_PI / 2 + i * 2 * M_PI / 5;
    p.drawEllipse(QPointF(m.x() + 26 * std::cos(a), m.y() + 26 * std::sin(a)), 4.5, 4.5);
  }
  // The calliper over the upper right of the disc.
  QPainterPath kaliper;
  kaliper.arcMoveTo(QRectF(m.x() - 104, m.y() - 104, 208, 208), 20);
  kaliper.arcTo(QRectF(m.x() - 104, m.y() - 104, 208, 208), 20, 60);
  kaliper.arcTo(QRectF(m.x() - 70, m.y() - 70, 140, 140), 80, -60);
  kaliper.closeSubpath();
  p.setBrush(acikKirmizi);
  p.drawPath(kaliper);
  return pm;
}

}  // namespace vlm
