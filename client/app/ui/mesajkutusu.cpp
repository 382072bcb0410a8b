#include "mesajkutusu.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QStyle>
#include <QVBoxLayout>

namespace vlm {

namespace {
int g_yaziBoyutu = 15;

// The order in which the toolkit lays out the buttons.
constexpr MesajDugmesi kSira[] = {mbYes,    mbNo,  mbOK,      mbCancel,   mbAbort, mbRetry,
                                  mbIgnore, mbAll, mbNoToAll, mbYesToAll, mbHelp};

QWidget* anaPencere() {
  if (QWidget* w = QApplication::activeWindow()) return w;
  for (QWidget* w : QApplication::topLevelWidgets())
    if (w->isVisible() && w->objectName() == QLatin1String("Form1")) return w;
  return nullptr;
}
}  // namespace

int MesajKutusu::yaziBoyutu() {
  return g_yaziBoyutu;
}
void MesajKutusu::setYaziBoyutu(int pt) {
  g_yaziBoyutu = pt;
}

MesajKutusu::MesajKutusu(const MesajIstegi& istek, QWidget* parent) : QDialog(parent) {
  setObjectName(QStringLiteral("MesajKutusu"));
  setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                 Qt::WindowCloseButtonHint);
  const QString baslik = istek.duz        ? QString()
                         : istek.standart ? StandartMesajBasligi(istek.tur)
                                          : MesajBasligi(istek.tur);
  setWindowTitle(baslik.isEmpty() ? QApplication::applicationDisplayName() : baslik);
  QFont f = font();
  f.setPointSize(g_yaziBoyutu);
  f.setBold(false);
  setFont(f);

  auto* ana = new QVBoxLayout(this);
  auto* ust = new QHBoxLayout;
  QStyle::StandardPixmap simge = QStyle::SP_CustomBase;
  if (!istek.duz) {
    switch (istek.tur) {
      case mtUyari: simge = QStyle::SP_MessageBoxWarning; break;
      case mtHata: simge = QStyle::SP_MessageBoxCritical; break;
      case mtBilgi: simge = QStyle::SP_MessageBoxInformation; break;
      case mtSoru: simge = QStyle::SP_MessageBoxQuestion; break;
      default: break;
    }
  }
  if (simge != QStyle::SP_CustomBase) {
    auto* resim = new QLabel;
    resim->setPixmap(style()->standardIcon(simge).pixmap(40, 40));
    resim->setAlignment(Qt::AlignTop);
    ust->addWidget(resim);
    ust->addSpacing(12);
  }
  auto* metin = new QLabel(istek.metin);
  metin->setObjectName(QStringLiteral("metin"));
  metin->setTextFormat(Qt::PlainText);
  metin->setWordWrap(istek.metin.size() > 80);
  metin->setTextInteractionFlags(Qt::TextSelectableByMouse);
  ust->addWidget(metin, 1);
  ana->addLayout(ust);
  ana->addSpacing(10);

  auto* alt = new QHBoxLayout;
  alt->addStretch();
  QPushButton* varsayilan = nullptr;
  for (MesajDugmesi d : kSira) {
    if (!(istek.dugmeler & d)) continue;
    auto* b = new QPushButton(istek.standart && d == mbOK ? QStringLiteral("OK") : DugmeBasligi(d));
    b->setAutoDefault(true);
    b->setMinimumWidth(90);
    connect(b, &QPushButton::clicked, this, [this, d] {
      sonuc_ = DugmeSonucu(d);
      QDialog::done(sonuc_);
    });
    dugmeler_.append(b);
    turler_.append(d);
    alt->addWidget(b);
    if (d == istek.varsayilan) varsayilan = b;
  }
  if (dugmeler_.isEmpty()) {  // a box always has a way out
    auto* b = new QPushButton(DugmeBasligi(mbOK));
    connect(b, &QPushButton::clicked, this, [this] {
      sonuc_ = mrOk;
      QDialog::done(sonuc_);
    });
    dugmeler_.append(b);
    turler_.append(mbOK);
    alt->addWidget(b);
  }
  if (!varsayilan) varsayilan = dugmeler_.first();
  alt->addStretch();
  ana->addLayout(alt);

  // The default button comes first in the tab order and has the focus.
  QWidget* onceki = varsayilan;
  for (QPushButton* b : dugmeler_) {
    if (b == varsayilan) continue;
    setTabOrder(onceki, b);
    onceki = b;
  }
  varsayilan->setDefault(true);
  varsayilan->setFocus(Qt::OtherFocusReason);
}

QPushButton* MesajKutusu::dugme(MesajDugmesi d) const {
  const qsizetype i = turler_.indexOf(d);
  return i < 0 ? nullptr : dugmeler_.at(i);
}

void MesajKutusu::done(int r) {
  // Escape and the close button end here with Rejected: the result is Cancel.
  if (r == QDialog::Rejected) sonuc_ = mrCancel;
  QDialog::done(r);
}

int QtMessageService::show(const MesajIstegi& istek) {
  QWidget* sahip = anaPencere();
  MesajKutusu kutu(istek, sahip);
  kutu.adjustSize();
  const QRect alan =
      sahip ? sahip->frameGeometry() : QApplication::primaryScreen()->availableGeometry();
  kutu.move(alan.center() - kutu.rect().center());
  if (!istek.duz && istek.tur >= mtUyari && istek.tur <= mtSoru) QApplication::beep();
  kutu.exec();
  return kutu.sonuc();
}

}  // namespace vlm
