#include "tonaysip.h"

#include "mesaj.h"
#include "radiogroup.h"
#include "records.h"
#include "sepetislem.h"
#include "sepetkurallari.h"

#include <QComboBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace vlm {

namespace {

const char* const kStil =
    "#TONAYSIP { background: qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 #ffffff, "
    "stop:0.7 #f6f1f1, stop:1 #ece3e4); }"
    "QGroupBox { background: white; border: 1px solid #e0d5d5; border-top: 3px solid #b21220; "
    "border-radius: 4px; margin-top: 0; padding-top: 26px; font-weight: bold; }"
    "QGroupBox::title { subcontrol-origin: padding; subcontrol-position: top left; "
    "padding: 6px 10px; color: #8e0c1a; }"
    "QRadioButton { font-weight: normal; spacing: 7px; }"
    "QComboBox { font-weight: normal; padding: 3px 6px; border: 1px solid #cdbfbf; "
    "border-radius: 3px; background: white; }"
    "#uyarikargo { color: #8e0c1a; font-weight: normal; }"
    "#aciklamagir { font-weight: bold; border: 1px solid #cdbfbf; border-radius: 3px; }"
    "#ozet { background: white; border: 1px solid #e0d5d5; border-left: 4px solid #b21220; "
    "border-radius: 4px; }"
    "#Label3 { color: #c8141e; }"
    "#Button1 { color: white; font-weight: bold; background: #b21220; border: 1px solid "
    "#8e0c1a; border-radius: 4px; padding: 7px 34px; }"
    "#Button1:hover { background: #cf2231; }"
    "#Button1:pressed { background: #8e0c1a; }"
    "#Button2 { color: #3a2a2c; background: #f1ebeb; border: 1px solid #cdbfbf; "
    "border-radius: 4px; padding: 7px 30px; }"
    "#Button2:hover { background: #e8dfdf; }";

QFont sabitAralikli(int piksel) {
  QFont f(QStringLiteral("Courier New"));
  f.setStyleHint(QFont::Monospace);
  f.setFixedPitch(true);
  f.setPixelSize(piksel);
  f.setBold(true);
  return f;
}

// A captioned box of the top strip, `pay` its share of the width.
QVBoxLayout* kutu(QHBoxLayout* serit, const QString& baslik, const char* ad, int pay) {
  auto* g = new QGroupBox(baslik);
  g->setObjectName(QLatin1String(ad));
  auto* v = new QVBoxLayout(g);
  v->setContentsMargins(10, 10, 10, 8);
  serit->addWidget(g, pay);
  return v;
}

}  // namespace

TONAYSIP::TONAYSIP(QWidget* AOwner, Connection* _c, const QString& mesaj,
                   const TSonucBilgisi* _sbilgi, const QString& _toplam)
    : QDialog(AOwner), bagc(_c), sbilgi(_sbilgi), toplam(_toplam) {
  setObjectName(QStringLiteral("TONAYSIP"));
  setWindowTitle(QStringLiteral("Sipariş Onay"));
  setWindowFlags(Qt::Dialog | Qt::Tool | Qt::WindowTitleHint | Qt::WindowCloseButtonHint |
                 Qt::MSWindowsFixedSizeDialogHint);
  setFixedSize(894, 526);
  QFont f(QStringLiteral("Tahoma"));
  f.setPixelSize(13);
  setFont(f);
  setStyleSheet(QLatin1String(kStil));

  auto* ana = new QVBoxLayout(this);
  ana->setContentsMargins(14, 14, 14, 14);
  ana->setSpacing(10);
  ana->addWidget(kutularKur(), 1);

  auto* ozet = new QWidget;
  ozet->setObjectName(QStringLiteral("ozet"));
  ozet->setAttribute(Qt::WA_StyledBackground);
  auto* oy = new QVBoxLayout(ozet);
  oy->setContentsMargins(12, 8, 12, 8);
  oy->setSpacing(6);
  Label2 = new QLabel;
  Label2->setObjectName(QStringLiteral("Label2"));
  Label2->setFont(sabitAralikli(15));
  Label2->setTextInteractionFlags(Qt::TextSelectableByMouse);
  oy->addWidget(Label2);
  Label3 = new QLabel;
  Label3->setObjectName(QStringLiteral("Label3"));
  Label3->setFont(sabitAralikli(14));
  Label3->setWordWrap(true);
  oy->addWidget(Label3);
  ana->addWidget(ozet);

  Label1 = new QLabel(QStringLiteral("Yukarıda bilgileri verilen siparişi onaylıyor musunuz ?"));
  Label1->setObjectName(QStringLiteral("Label1"));
  Label1->setAlignment(Qt::AlignCenter);
  QFont bf = font();
  bf.setBold(true);
  bf.setPixelSize(15);
  Label1->setFont(bf);
  ana->addWidget(Label1);

  auto* dugmeler = new QHBoxLayout;
  dugmeler->addStretch(1);
  Button1 = new QPushButton(QStringLiteral("Evet"));
  Button1->setObjectName(QStringLiteral("Button1"));
  Button1->setAutoDefault(false);
  dugmeler->addWidget(Button1);
  dugmeler->addSpacing(16);
  Button2 = new QPushButton(QStringLiteral("Hayır"));
  Button2->setObjectName(QStringLiteral("Button2"));
  Button2->setAutoDefault(false);
  dugmeler->addWidget(Button2);
  dugmeler->addStretch(1);
  ana->addLayout(dugmeler);

  connect(boxkargo, &RadioGroup::clicked, this, &TONAYSIP::boxkargoClick);
  connect(kargocombo, &QComboBox::currentIndexChanged, this, &TONAYSIP::kargocomboChange);
  connect(Button1, &QPushButton::clicked, this, &TONAYSIP::Button1Click);
  connect(Button2, &QPushButton::clicked, this, &QDialog::reject);

  Label3->setText(mesaj);
  Label3->setVisible(!mesaj.isEmpty());
  Label2->setText(SiparisOzeti(*sbilgi, toplam));
  listeleriYukle();
}

TONAYSIP::~TONAYSIP() = default;

QWidget* TONAYSIP::kutularKur() {
  auto* serit = new QWidget;
  auto* h = new QHBoxLayout(serit);
  h->setContentsMargins(0, 0, 0, 0);
  h->setSpacing(10);

  teslimbox = new RadioGroup(QStringLiteral("Teslim Durumu"));
  teslimbox->setObjectName(QStringLiteral("teslimbox"));
  h->addWidget(teslimbox, 2);
  boxkargo = new RadioGroup(QStringLiteral("Kargo Türleri"));
  boxkargo->setObjectName(QStringLiteral("boxkargo"));
  h->addWidget(boxkargo, 2);

  QVBoxLayout* kv = kutu(h, QStringLiteral("Kargo"), "kargoKutusu", 2);
  kargocombo = new QComboBox;
  kargocombo->setObjectName(QStringLiteral("kargocombo"));
  kargocombo->setEditable(false);
  kv->addWidget(kargocombo);
  uyarikargo = new QLabel;
  uyarikargo->setObjectName(QStringLiteral("uyarikargo"));
  uyarikargo->setWordWrap(true);
  uyarikargo->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  kv->addWidget(uyarikargo, 1);

  QVBoxLayout* mv = kutu(h, QStringLiteral("Mesaj"), "mesajKutusu", 3);
  aciklamagir = new QPlainTextEdit;
  aciklamagir->setObjectName(QStringLiteral("aciklamagir"));
  QFont af = font();
  af.setBold(true);
  aciklamagir->setFont(af);
  mv->addWidget(aciklamagir);
  return serit;
}

void TONAYSIP::listeleriYukle() {
  const SiparisListeleri l = SiparisListeleriOku(*bagc);
  teslimbox->clear();
  for (const Secenek& s : l.teslim) teslimbox->addItem(s.ad, s.kimlik);
  teslimbox->setItemIndex(TeslimOnSecimi(teslimbox->count()));
  boxkargo->clear();
  for (const Secenek& s : l.kargoTurleri) boxkargo->addItem(s.ad, s.kimlik);
}

void TONAYSIP::showEvent(QShowEvent* olay) {
  QDialog::showEvent(olay);
  if (QWidget* sahip = parentWidget()) move(sahip->window()->geometry().center() - rect().center());
}

void TONAYSIP::boxkargoClick() {
  uyarikargo->clear();
  const int i = boxkargo->itemIndex();
  if (i < 0) return;
  const QSignalBlocker sessiz(kargocombo);
  // Without the new type's companies the old ones must not stay choosable.
  if (!KargolarOku(*bagc, boxkargo->itemId(i), kargo)) {
    kargo.clear();
    kargocombo->clear();
    return;
  }
  kargocombo->clear();
  kargocombo->addItem(QStringLiteral(" "));
  const int ad = kargo.fieldIndex(u"ADI");
  for (int r = 0; r < kargo.rowCount(); ++r) kargocombo->addItem(kargo.stringValue(r, ad));
  if (kargocombo->count() == 2) {
    kargocombo->setCurrentIndex(1);
    kargocomboChange();
  }
}

void TONAYSIP::kargocomboChange() {
  try {
    if (kargo.fieldIndex(u"ADI") >= 0 && kargo.locate(u"ADI", kargocombo->currentText())) {
      uyarikargo->setText(SatirMetin(kargo, u"UYARI"));
      return;
    }
  } catch (...) {
  }
  uyarikargo->clear();
}

void TONAYSIP::Button1Click() {
  const QString eksik =
      SiparisOnayEksigi(teslimbox->itemIndex(), boxkargo->itemIndex(), kargocombo->currentIndex());
  if (!eksik.isEmpty()) {
    MesajGoster(eksik, mtUyari, mbOK, mbOK);
    if (teslimbox->itemIndex() >= 0 && boxkargo->itemIndex() >= 0)
      kargocombo->setFocus(Qt::OtherFocusReason);
    return;
  }
  if (kargo.locate(u"ADI", kargocombo->currentText())) KN = SatirTamsayi(kargo, u"SIRANO");
  td = teslimbox->itemId(teslimbox->itemIndex());
  kt = boxkargo->itemId(boxkargo->itemIndex());
  accept();
}

}  // namespace vlm
