#include "stoklistesi.h"

#include "async.h"
#include "busyindicator.h"
#include "buyukharfkutusu.h"
#include "connection.h"
#include "dataset.h"
#include "grid.h"
#include "mesaj.h"
#include "pictures.h"
#include "sekme.h"
#include "stokarama.h"
#include "tform1.h"

#include <QAction>
#include <QKeyEvent>
#include <QMenu>
#include <QPainter>
#include <QTabWidget>
#include <QToolButton>
#include <QVBoxLayout>

namespace vlm {

namespace {

const QString kBaslik = QStringLiteral("Stok Listesi");
const QString kFiyatBilgisi = QStringLiteral("FIYATBILGISI");
const char* const kFiyatSutunlari[] = {"LISTEFIYAT1", "KAMPFIYAT", "NETFIYAT", "KDVDAHIL"};

QString durumAdi(const QVariant& v) {
  return stokDurumAdi(v.toInt());
}

double sayi(const DataSet& ds, int row, const char* alan) {
  const int c = ds.fieldIndex(QString::fromLatin1(alan));
  return c < 0 ? 0.0 : ds.floatValue(row, c);
}

QString fiyatBilgisi(const DataSet& ds, int row) {
  return FiyatBilgisiMetni(sayi(ds, row, "LISTEFIYAT1"), sayi(ds, row, "KAMPFIYAT"),
                           sayi(ds, row, "NETFIYAT"), sayi(ds, row, "KDVDAHIL"));
}

QList<GridColumn> stokSutunlari() {
  QList<GridColumn> s;
  s << GridColumn("DURUM", "Durum", 1)
           .picture([](const QVariant& v) { return stokDurumResmi(v.toInt(), 24); }, durumAdi)
           .align(Qt::AlignCenter);
  for (int i = 1; i <= 4; ++i)
    s << GridColumn(QStringLiteral("OEM%1").arg(i), QStringLiteral("Oem%1").arg(i), 2).hide();
  s << GridColumn("BARKOD", "Barkod", 2) << GridColumn("ADI", "Açıklama", 3)
    << GridColumn("STOK_STOKNO", QString(), 1).hide().noChooser()
    << GridColumn("FINISHKOD", "Finish Kod", 2).hide()
    << GridColumn("URETICIKODU", "Üretici Kod", 2).hide();
  s << GridColumn("RESIM", "Resim", 1)
           .picture(
               [](const QVariant& v) { return v.toInt() == 1 ? resimVarResmi(24) : QPixmap(); },
               [](const QVariant& v) {
                 return v.toInt() == 1 ? QStringLiteral("Var") : QStringLiteral("Yok");
               })
           .align(Qt::AlignCenter);
  s << GridColumn("BARKOD_BARKODNO", QString(), 1).hide().noChooser()
    << GridColumn("DIGERADI", "Diğer Adı", 3).hide()
    << GridColumn("DPKOD", QString(), 2).hide().noChooser()
    << GridColumn("OEMNO", "Oem No", 2).hide() << GridColumn("BIRIM", "Birim", 1).hide()
    << GridColumn("MARKA", "Marka", 2) << GridColumn("MODEL", "Model", 2)
    << GridColumn("ANAGRUP", "Ana Grup", 2).hide() << GridColumn("OZELKOD", "Özel Kod", 2)
    << GridColumn("KALAN", QString(), 1).hide().noChooser()
    << GridColumn("PKOD", QString(), 1).hide().noChooser() << GridColumn("KDV", QString(), 1).hide()
    << GridColumn("ALINANSIPARIS", QString(), 1).hide().noChooser()
    << GridColumn("VERILENSIPARIS", QString(), 1).hide().noChooser()
    << GridColumn("LISTEFIYAT1", "Liste Fiyatı", 2)
    << GridColumn("KAMPFIYAT", "Kampanyalı Fiyat", 2)
    << GridColumn("FIYAT", "Liste Fiyatı", 2).hide();
  s << GridColumn("Y", "Yeni", 1)
           .picture([](const QVariant& v) { return yeniResmi(v.toInt() == 1, 24); },
                    [](const QVariant& v) {
                      return v.toInt() == 1 ? QStringLiteral("Yeni") : QStringLiteral("-");
                    })
           .align(Qt::AlignCenter);
  s << GridColumn("K", "Kampanyalı", 1)
           .picture([](const QVariant& v) { return kampanyaResmi(v.toInt() > 0, 24); },
                    [](const QVariant& v) {
                      return v.toInt() > 0 ? QStringLiteral("Kampanyalı") : QStringLiteral("-");
                    })
           .align(Qt::AlignCenter);
  s << GridColumn("INDIRIMYAZI", "İndirim Oran", 2).align(Qt::AlignCenter)
    << GridColumn("NETFIYAT", "Net Fiyatı", 2) << GridColumn("KDVDAHIL", "KDV Dahil Fiyat", 3);
  s << GridColumn(kFiyatBilgisi, "Fiyat Bilgisi", 2)
           .drawnBy([](QPainter* p, const GridCellPaint& h) {
             p->fillRect(h.rect, h.background);
             p->setPen(h.textColor);
             p->setFont(h.font);
             p->drawText(h.rect.adjusted(10, 0, -10, 0),
                         Qt::AlignRight | Qt::AlignVCenter | Qt::TextWordWrap,
                         fiyatBilgisi(*h.dataSet, h.row)
                             .replace(QStringLiteral("\r\n"), QStringLiteral("\n"))
                             .trimmed());
           })
           .textBy(fiyatBilgisi)
           .noSort();
  return s;
}

}  // namespace

StokListesi::StokListesi(TForm1& form)
    : QObject(&form), form_(form), stok_(std::make_unique<DataSet>()) {
  setObjectName(QStringLiteral("stoklistesi"));
  cxGrid1 = new Grid;
  cxGrid1->setObjectName(QStringLiteral("cxGrid1"));
  GridLook gorunum = GridLook::standard();
  gorunum.headerHeight = 40;
  cxGrid1->setLook(gorunum);
  cxGrid1->setColumns(stokSutunlari());
  cxGrid1->setFooterSummaries({GridSummary(GridSummary::Count, "OEM1")});
  cxGrid1->setDataSet(stok_.get());
  auto* yerlesim = new QVBoxLayout(form.sstoklistesi);
  yerlesim->setContentsMargins(0, 0, 0, 0);
  yerlesim->addWidget(cxGrid1);

  popstok = new QMenu(cxGrid1);
  popstok->setObjectName(QStringLiteral("popstok"));
  sepeteEkle = popstok->addAction(QStringLiteral("Sepete Ekle"));
  popstok->addSeparator();
  siparisleriGoster = popstok->addAction(QStringLiteral("Siparişleri Göster"));
  stokHareketleri = popstok->addAction(QStringLiteral("Stok Hareketleri"));
  popstok->addSeparator();
  siparisBakiyeleriniz = popstok->addAction(QStringLiteral("Sipariş Bakiyeleriniz"));
  cxGrid1->setPopupMenu(popstok);
  connect(sepeteEkle, &QAction::triggered, this, &StokListesi::cxGrid1DBTableView1DblClick);
  connect(siparisleriGoster, &QAction::triggered, this, [this] {
    const int no = odaktakiStokNo();
    if (no >= 0 && siparislerAkisi) siparislerAkisi(no);
  });
  connect(stokHareketleri, &QAction::triggered, this, [this] {
    const int no = odaktakiStokNo();
    if (no >= 0 && hareketlerAkisi) hareketlerAkisi(no);
  });
  connect(cxGrid1, &Grid::rowDoubleClicked, this, &StokListesi::cxGrid1DBTableView1DblClick);
  connect(cxGrid1, &Grid::resized, this, [this] {
    if (form_.araedit->isEnabled()) StokSutunGenislikleri();
  });

  form.araedit->installEventFilter(this);
  connect(form.SpeedButton2, &QToolButton::clicked, this, &StokListesi::SpeedButton2Click);
  connect(form.SpeedButton1, &QToolButton::clicked, this, &StokListesi::SpeedButton1Click);
  connect(&form, &TForm1::musteriTipiUyarlandi, this, &StokListesi::MusteriTipineUyarla);
  StokSutunGenislikleri();
}

StokListesi::~StokListesi() = default;

bool StokListesi::eventFilter(QObject* nesne, QEvent* olay) {
  if (nesne == form_.araedit && olay->type() == QEvent::KeyPress) {
    auto* tus = static_cast<QKeyEvent*>(olay);
    if (tus->key() == Qt::Key_Return || tus->key() == Qt::Key_Enter) {
      Ara();
      return true;
    }
    // Turkish letters typed into the box become plain Latin capitals.
    const QString metin = tus->text();
    if (metin.size() == 1) {
      const QChar katli = AramaHarfiKatla(metin[0]);
      if (katli != metin[0]) {
        form_.araedit->insert(QString(katli).toUpper());
        return true;
      }
    }
  }
  return QObject::eventFilter(nesne, olay);
}

void StokListesi::Ara() {
  if (suruyor_) return;
  form_.sPageControl1->setCurrentWidget(form_.sstoklistesi);
  if (!AramaMetniYeterli(form_.araedit->text())) {
    MesajGoster(QStringLiteral("Lütfen en az 3 harf giriniz !"), mtUyari, mbOK, mbOK);
    return;
  }
  const QString metin = form_.araedit->text();
  suruyor_ = true;
  form_.araedit->setEnabled(false);
  form_.gifstokara->setVisible(true);
  cxGrid1->detach();
  cxGrid1->beginUpdate();
  cxGrid1->clearFilter();
  auto hata = std::make_shared<bool>(true);
  const Connection* bagc = form_.bagc.get();
  const TSonucBilgisi* sbilgi = form_.sbilgi.get();
  DataSet* stok = stok_.get();
  Async([=] {
    *hata = StokAra(*bagc, *sbilgi, metin, *stok);
  })->Await([this, hata] { sonuclandir(*hata); }, this);
}

void StokListesi::sonuclandir(bool hata) {
  form_.araedit->setEnabled(true);
  cxGrid1->attach();
  cxGrid1->endUpdate();
  form_.araedit->selectAll();
  form_.araedit->setFocus(Qt::OtherFocusReason);
  form_.gifstokara->setVisible(false);
  suruyor_ = false;
  if (!hata) {
    form_.sekmeBasligiYaz(form_.sstoklistesi, SayacliBaslik(stok_->rowCount(), kBaslik));
    StokSutunGenislikleri();
    return;
  }
  if (stok_->fieldCount() > 0) stok_->clear();
  MesajGoster(QStringLiteral("Bağlantı Kurulamıyor Lütfen Tekrar Deneyin ...!"), mtHata, mbOK,
              mbOK);
  form_.sekmeBasligiYaz(form_.sstoklistesi, kBaslik);
}

void StokListesi::SpeedButton2Click() {
  if (form_.araedit->isEnabled()) Ara();
}

void StokListesi::SpeedButton1Click() {
  if (!form_.araedit->isEnabled()) return;
  if (stok_->fieldCount() > 0) {
    stok_->clear();
    form_.sekmeBasligiYaz(form_.sstoklistesi, kBaslik);
  }
  form_.sPageControl1->setCurrentWidget(form_.sstoklistesi);
  cxGrid1->clearFilter();
  form_.araedit->clear();
  form_.araedit->selectAll();
  form_.araedit->setFocus(Qt::OtherFocusReason);
}

void StokListesi::StokSutunGenislikleri() {
  cxGrid1->beginUpdate();
  const bool genis = StokListesiGenis(form_.width());
  for (const char* alan : kFiyatSutunlari)
    cxGrid1->setColumnVisible(QString::fromLatin1(alan), genis);
  cxGrid1->setColumnVisible(kFiyatBilgisi, !genis);
  cxGrid1->setRowHeight(genis ? 60 : 100);
  cxGrid1->applyWeights(cxGrid1->width());
  if (!genis) {
    for (const char* alan : {"OEM1", "OEM2", "OEM3"})
      cxGrid1->setColumnWidth(QString::fromLatin1(alan), 80);
    cxGrid1->setColumnWidth(kFiyatBilgisi, 150);
  }
  cxGrid1->endUpdate();
}

void StokListesi::MusteriTipineUyarla(int musteriTipi) {
  if (musteriTipi == 1 || musteriTipi == 2) {
    for (const char* alan : {"KALAN", "ALINANSIPARIS", "VERILENSIPARIS"}) {
      cxGrid1->setColumnVisible(QString::fromLatin1(alan), true);
      cxGrid1->setColumnInChooser(QString::fromLatin1(alan), true);
    }
  } else if (musteriTipi == 4) {
    for (const char* alan : {"KAMPFIYAT", "K"}) {
      cxGrid1->setColumnVisible(QString::fromLatin1(alan), false);
      cxGrid1->setColumnInChooser(QString::fromLatin1(alan), false);
    }
  }
}

int StokListesi::odaktakiStokNo() const {
  const int satir = cxGrid1->focusedRow();
  const int c = stok_->fieldIndex(u"STOK_STOKNO");
  if (satir < 0 || c < 0) return -1;
  return stok_->intValue(satir, c);
}

void StokListesi::cxGrid1DBTableView1DblClick() {
  const int no = odaktakiStokNo();
  if (no < 0) return;
  stok_->locate(u"STOK_STOKNO", no);
  if (sepeteEkleAkisi) sepeteEkleAkisi(*this);
}

}  // namespace vlm
