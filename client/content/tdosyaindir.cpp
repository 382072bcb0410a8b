#include "tdosyaindir.h"

#include "async.h"
#include "error.h"
#include "guncelleme.h"
#include "mesaj.h"
#include "seams.h"
#include "yapilandirma.h"

#include <QEvent>
#include <QFile>
#include <QLabel>
#include <QProgressBar>
#include <QVBoxLayout>
#include <limits>

namespace vlm {

Tdosyaindir* Tdosyaindir::Yeni(QWidget* AOwner, int _y) {
  return new Tdosyaindir(AOwner, _y);
}

Tdosyaindir::Tdosyaindir(QWidget* AOwner, int _y)
    : QDialog(AOwner), indirici_(new KurulumIndirici(this)) {
  setObjectName(QStringLiteral("dosyaindir"));
  setWindowTitle(QStringLiteral("Dosya İndir"));
  setWindowFlags(Qt::Tool | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
  setFixedSize(543, 309);
  setStyleSheet(
      QStringLiteral("#dosyaindir { background: #ffffff; }"
                     "#Panel1 { background: #f3eeee; border-top: 2px solid #b21220; }"
                     "QProgressBar { border: 1px solid #8e0c1a; border-radius: 3px; "
                     "background: white; height: 16px; }"
                     "QProgressBar::chunk { background: #b21220; }"));

  auto* ana = new QVBoxLayout(this);
  ana->setContentsMargins(0, 0, 0, 0);
  ana->setSpacing(0);
  sLabel1 = new QLabel(GuncellemeNotu(_y));
  sLabel1->setObjectName(QStringLiteral("sLabel1"));
  sLabel1->setAlignment(Qt::AlignCenter);
  sLabel1->setWordWrap(true);
  QFont f(QStringLiteral("Tahoma"));
  f.setPixelSize(27);
  sLabel1->setFont(f);
  sLabel1->setStyleSheet(QStringLiteral("color: rgb(67, 76, 88); background: transparent;"));
  ana->addWidget(sLabel1, 1);

  Panel1 = new QWidget;
  Panel1->setObjectName(QStringLiteral("Panel1"));
  Panel1->setAttribute(Qt::WA_StyledBackground);
  Panel1->setFixedHeight(58);
  auto* alt = new QVBoxLayout(Panel1);
  alt->setContentsMargins(10, 6, 10, 8);
  bilgi = new QLabel(QStringLiteral("bilgi"));
  bilgi->setObjectName(QStringLiteral("bilgi"));
  QFont bf(QStringLiteral("Tahoma"));
  bf.setPixelSize(13);
  bf.setBold(true);
  bilgi->setFont(bf);
  alt->addWidget(bilgi);
  ProgressBar1 = new QProgressBar;
  ProgressBar1->setObjectName(QStringLiteral("ProgressBar1"));
  ProgressBar1->setTextVisible(false);
  ProgressBar1->setRange(0, 100);
  ProgressBar1->setValue(0);
  alt->addWidget(ProgressBar1);
  ana->addWidget(Panel1);

  connect(indirici_, &KurulumIndirici::ilerleme, this,
          [this](qint64 okunan, qint64 toplam) { NetHTTPClient1ReceiveData(toplam, okunan); });
  connect(indirici_, &KurulumIndirici::hata, this, &Tdosyaindir::NetHTTPClient1RequestError);
  connect(indirici_, &KurulumIndirici::bitti, this, &Tdosyaindir::KurulumCalistir);
  connect(indirici_, &KurulumIndirici::yazmaHatasi, this, [](const QString& metin) {
    // Not being able to write the installer is reported; the window stays.
    GenelHataGoster(std::make_exception_ptr(Error(metin)));
  });
}

bool Tdosyaindir::event(QEvent* e) {
  const bool sonuc = QDialog::event(e);
  if (e->type() == QEvent::WindowActivate) FormActivate();
  return sonuc;
}

void Tdosyaindir::FormActivate() {
  if (basladi) return;
  basladi = true;
  KurulumIndir();
}

void Tdosyaindir::KurulumIndir() {
  const QString yol = KurulumDosyasi();
  if (QFile::exists(yol)) QFile::remove(yol);  // an old one that stays is left silently
  indirici_->baslat(KurulumAdresi(), yol);
}

void Tdosyaindir::NetHTTPClient1ReceiveData(qint64 AContentLength, qint64 AReadCount) {
  if (AContentLength <= 0) return;
  bilgi->setText(IlerlemeMetni(AReadCount, AContentLength));
  // The bar counts bytes; beyond its range it counts kilobytes.
  const int olcek = AContentLength > std::numeric_limits<int>::max() ? 1024 : 1;
  ProgressBar1->setMaximum(int(AContentLength / olcek));
  ProgressBar1->setValue(int(AReadCount / olcek));
}

void Tdosyaindir::NetHTTPClient1RequestError(const QString& AError) {
  MesajIstegi istek;
  istek.metin = QStringLiteral("Hata Oluştu !\r\nHata: ") + AError;
  istek.tur = mtHata;
  istek.duz = true;
  if (auto* s = messageService()) s->show(istek);
  SurecSonlandir(0);
}

void Tdosyaindir::KurulumCalistir(const QString& yol) {
  KabukAc(yol, QStringLiteral("/silent"));
  SurecSonlandir(0);
}

}  // namespace vlm
