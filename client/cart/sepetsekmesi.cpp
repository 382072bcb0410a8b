#include "sepetsekmesi.h"

#include "async.h"
#include "busyindicator.h"
#include "buyukharfkutusu.h"
#include "connection.h"
#include "dataset.h"
#include "grid.h"
#include "mesaj.h"
#include "modal.h"
#include "numberedit.h"
#include "picturebox.h"
#include "pictures.h"
#include "sayibicim.h"
#include "sekme.h"
#include "sepetislem.h"
#include "sepetkurallari.h"
#include "tform1.h"
#include "tonaysip.h"
#include "tstokayarinti.h"
#include "uithread.h"
#include "urunekle.h"

#include <QAction>
#include <QGroupBox>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QHash>
#include <QLabel>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QScreen>
#include <QSpinBox>
#include <QTabWidget>
#include <QThread>
#include <QVBoxLayout>
#include <algorithm>
#include <cmath>
#include <limits>

namespace vlm {

namespace {

const QString kBaslik = QStringLiteral("Sepet");
const QString kSec = QStringLiteral("SEC");

const char* const kStil =
    "#sepetSeridi, #sepetAltSerit { background: #f7f3f3; }"
    "#sepetSeridi { border-bottom: 1px solid #e0d5d5; }"
    "#sepetAltSerit { border-top: 1px solid #e0d5d5; }"
    "#ssepet QPushButton { color: #3a2a2c; background: #f1ebeb; border: 1px solid #cdbfbf; "
    "border-radius: 4px; padding: 5px 16px; font-weight: bold; }"
    "#ssepet QPushButton:hover { background: #e8dfdf; }"
    "#ssepet QPushButton:disabled { color: #a89a9b; }"
    "#ssepet QPushButton#Button1 { color: white; background: #b21220; border: 1px solid #8e0c1a; "
    "padding: 7px 34px; font-size: 15px; }"
    "#ssepet QPushButton#Button1:hover { background: #cf2231; }"
    "#ssepet QPushButton#Button1:pressed { background: #8e0c1a; }"
    "#ssepet QPushButton#Button1:disabled { background: #c98b91; }"
    "#lbluyarbakiye { color: #e0141e; font-weight: bold; }";

// An amount column: a number is never broken over two lines.
GridColumn tutarSutunu(const char* alan, const char* baslik) {
  GridColumn c(QString::fromLatin1(alan), QString::fromUtf8(baslik), 1);
  c.wordWrap = false;
  return c;
}

QList<GridColumn> sepetSutunlari() {
  QList<GridColumn> s;
  s << GridColumn(kSec, "Seç", 1).checkBox().align(Qt::AlignCenter)
    << GridColumn("VERILISTARIHI", "Sipariş Tarihi", 1).format("dd.MM.yy HH:mm")
    << GridColumn("BARKOD", "Barkod", 2) << GridColumn("FINISHKOD", "FinishKod", 2)
    << GridColumn("OEMNO", "OEMNo", 2) << GridColumn("STOKADI", "Stok Açıklama", 3)
    << tutarSutunu("MIKTAR", "Miktar") << tutarSutunu("BIRIMFIYAT", "Birim Fiyat")
    << tutarSutunu("TUTAR", "Tutar")
    << GridColumn("INDIRIMYAZI", "İndirim Oran", 2).align(Qt::AlignCenter)
    << tutarSutunu("NETBIRIMFIYAT", "Net Fiyat") << tutarSutunu("KDV", "")
    << tutarSutunu("VERGITUTARI", "Vergi Tutarı") << tutarSutunu("NETTUTAR", "Net Tutar")
    << GridColumn("VEREN", "Veren", 1);
  s << GridColumn("DURUM", "Durum", 1)
           .picture([](const QVariant& v) { return stokDurumResmi(v.toInt(), 24); },
                    [](const QVariant& v) { return SepetDurumAdi(v.toInt()); })
           .align(Qt::AlignCenter);
  // Hidden; the column chooser offers them.
  s << GridColumn("SIPARISNO", "Sipariş No", 0).hide() << GridColumn("TARIH", "Tarih", 1).hide()
    << GridColumn("KUR", "Kur", 1).hide() << GridColumn("SAAT", "Saat", 1).hide()
    << GridColumn("ACIKLAMA", "Açıklama", 1).hide();
  for (int i = 1; i <= 4; ++i) s << GridColumn(QStringLiteral("OEM%1").arg(i), QString(), 1).hide();
  s << GridColumn("DIGERADI", QString(), 1).hide() << GridColumn("DPKOD", QString(), 1).hide()
    << GridColumn("MARKA", "Marka", 1).hide() << GridColumn("MODEL", "Model", 1).hide()
    << GridColumn("ANAGRUP", "Ana Grup", 1).hide() << GridColumn("OZELKOD", "Özel Kod", 1).hide()
    << GridColumn("PKOD", QString(), 1).hide() << GridColumn("INDIRIMORANI4", QString(), 0).hide();
  // Hidden and not offered.
  const std::pair<const char*, const char*> gizli[] = {{"SIRANO", ""},
                                                       {"CARINO", ""},
                                                       {"AKTAR", ""},
                                                       {"STOKNO", ""},
                                                       {"INDIRIMORANI1", "İndirim Oranı %"},
                                                       {"INDIRIMORANI2", ""},
                                                       {"INDIRIMORANI3", ""},
                                                       {"INDIRIMTUTAR", "İndirim Tutar"},
                                                       {"KURTL", ""},
                                                       {"VERENIDNO", ""},
                                                       {"TESLIMID", ""},
                                                       {"KARGOID", ""},
                                                       {"IDNO", ""},
                                                       {"VERENSIRANO", ""},
                                                       {"CARIKOD", "Cari Kod"},
                                                       {"CARIADI", "Cari Adı"},
                                                       {"STOK_STOKNO", ""},
                                                       {"URETICIKODU", ""},
                                                       {"KALAN", "Kalan"}};
  for (const auto& [alan, baslik] : gizli) {
    const QString ad = QString::fromLatin1(alan);
    const bool sifir = ad == u"SIRANO" || ad == u"CARINO" || ad == u"AKTAR" || ad == u"STOKNO";
    s << GridColumn(ad, QString::fromUtf8(baslik), sifir ? 0 : 1).hide().noChooser();
  }
  return s;
}

// A strip of buttons across the tab, added to its layout.
QHBoxLayout* serit(QVBoxLayout* yerlesim, const char* ad, int dikey) {
  auto* w = new QWidget;
  w->setObjectName(QLatin1String(ad));
  w->setAttribute(Qt::WA_StyledBackground);
  auto* h = new QHBoxLayout(w);
  h->setContentsMargins(8, dikey, 8, dikey);
  h->setSpacing(8);
  yerlesim->addWidget(w);
  return h;
}

QPushButton* dugme(const QString& metin, const char* ad) {
  auto* b = new QPushButton(metin);
  b->setObjectName(QLatin1String(ad));
  b->setAutoDefault(false);
  b->setCursor(Qt::PointingHandCursor);
  return b;
}

QLabel* toplamEtiketi(QGridLayout* g, int satir, const QString& baslik, const char* ad) {
  g->addWidget(new QLabel(baslik), satir, 0);
  auto* l = new QLabel(TutarYazisi(0));
  l->setObjectName(QLatin1String(ad));
  l->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
  g->addWidget(l, satir, 1);
  return l;
}

// A product dialog filled from a cart line, as the change flow shows it.
std::unique_ptr<Tstokayarinti> degisimDiyalogu(TForm1& form, const SepetSatiri& satir) {
  std::unique_ptr<Tstokayarinti> d(Tstokayarinti::Ac(&form, satir.stokno));
  UrunResmiAl(form, satir.stokno, d->Image1);
  d->barkod->setText(satir.barkod);
  d->adi->setText(satir.stokadi);
  d->marka->setText(satir.marka);
  d->finishkod->setText(satir.finishkod);
  d->model->setText(satir.model);
  d->kdvoran = satir.kdv;
  d->edindirim1->setValue(satir.oranlar[0]);
  d->edindirim2->setValue(satir.oranlar[1]);
  d->edindirim3->setValue(satir.oranlar[2]);
  d->edindirim4->setValue(satir.oranlar[3]);
  const int tip = form.sbilgi->MusteriTipi();
  if (tip == 1 || tip == 2) {
    d->KilidiAc();
    d->GridPanel2->setVisible(true);
  }
  d->birimfiyat->setValue(satir.birimfiyat);
  // A line above the box's limit keeps its quantity: an OK meant for the
  // price must not cut it down.
  const double m = std::isfinite(satir.miktar) ? satir.miktar : 1;
  const int miktar = int(std::lround(std::clamp(m, 1.0, double(std::numeric_limits<int>::max()))));
  d->adet->setMaximum(std::max(d->adet->maximum(), miktar));
  d->adet->setValue(miktar);
  return d;
}

}  // namespace

// The link between the cart dataset and the tab: the dataset holds it in its
// observer, so it ends with the dataset.
struct SepetSekmesi::Izleyici {
  SepetSekmesi* sekme = nullptr;
};

SepetSekmesi::SepetSekmesi(TForm1& form) : QObject(&form), form_(form) {
  setObjectName(QStringLiteral("sepetsekmesi"));
  QWidget* sayfa = form.ssepet;
  sayfa->setStyleSheet(QLatin1String(kStil));
  auto* yerlesim = new QVBoxLayout(sayfa);
  yerlesim->setContentsMargins(0, 0, 0, 0);
  yerlesim->setSpacing(0);

  QHBoxLayout* sh = serit(yerlesim, "sepetSeridi", 5);
  Button4 = dugme(QStringLiteral("Hepsini Seç"), "Button4");
  Button5 = dugme(QStringLiteral("Seçimleri Kaldır"), "Button5");
  lbluyarbakiye = new QLabel;
  lbluyarbakiye->setObjectName(QStringLiteral("lbluyarbakiye"));
  lbluyarbakiye->setWordWrap(true);
  QFont uf = lbluyarbakiye->font();
  uf.setPixelSize(14);
  uf.setBold(true);
  lbluyarbakiye->setFont(uf);
  sh->addWidget(Button4);
  sh->addWidget(Button5);
  sh->addSpacing(10);
  sh->addWidget(lbluyarbakiye, 1);

  cxGrid2 = new Grid;
  cxGrid2->setObjectName(QStringLiteral("cxGrid2"));
  GridLook gorunum = GridLook::standard();
  gorunum.rowHeight = 60;
  gorunum.headerHeight = 40;
  // The weights leave a column some sixty pixels on a common screen: the
  // captions get all of it, in a slightly smaller face.
  gorunum.headerFont = gorunum.effectiveHeaderFont();
  gorunum.headerFont.setPixelSize(12);
  gorunum.headerFontSet = true;
  cxGrid2->setLook(gorunum);
  cxGrid2->setHeaderFilters(false);
  cxGrid2->setIncrementalSearch(true);
  cxGrid2->setColumns(sepetSutunlari());
  cxGrid2->setFooterSummaries({GridSummary(GridSummary::Count, "VERILISTARIHI"),
                               GridSummary(GridSummary::Sum, "MIKTAR"),
                               GridSummary(GridSummary::Sum, "NETTUTAR")});
  cxGrid2->setDataSet(&form.sepet);
  yerlesim->addWidget(cxGrid2, 1);

  QHBoxLayout* ah = serit(yerlesim, "sepetAltSerit", 6);
  Button1 = dugme(QStringLiteral("Gönder"), "Button1");
  Button2 = dugme(QStringLiteral("Excel Kaydet"), "Button2");
  ah->addWidget(Button1);
  ah->addWidget(Button2);
  ah->addStretch(1);

  // The totals: kept up to date, never shown; "Gönder" reads them.
  mesajGrubu = new QGroupBox(QStringLiteral("Mesaj"), sayfa);
  mesajGrubu->setObjectName(QStringLiteral("mesajGrubu"));
  auto* tg = new QGridLayout(mesajGrubu);
  aratoplaml = toplamEtiketi(tg, 0, QStringLiteral("Toplam:"), "aratoplaml");
  indiriml = toplamEtiketi(tg, 1, QStringLiteral("İndirim Toplam:"), "indiriml");
  nettutarl = toplamEtiketi(tg, 2, QStringLiteral("Ara Toplam:"), "nettutarl");
  vergil = toplamEtiketi(tg, 3, QStringLiteral("Vergi:"), "vergil");
  geneltoplaml = toplamEtiketi(tg, 4, QStringLiteral("Genel Toplam:"), "geneltoplaml");
  QFont kalin = geneltoplaml->font();
  kalin.setBold(true);
  geneltoplaml->setFont(kalin);
  mesajGrubu->setVisible(false);

  popsepet = new QMenu(cxGrid2);
  popsepet->setObjectName(QStringLiteral("popsepet"));
  satirDegistir = popsepet->addAction(QStringLiteral("Satır Değiştir"));
  popsepet->addSeparator();
  satirSil = popsepet->addAction(QStringLiteral("Satır Sil"));
  popsepet->addSeparator();
  hepsiniSil = popsepet->addAction(QStringLiteral("Hepsini Sil"));
  cxGrid2->setPopupMenu(popsepet);

  connect(satirDegistir, &QAction::triggered, this, &SepetSekmesi::cxGridDBTableView1DblClick);
  connect(satirSil, &QAction::triggered, this, &SepetSekmesi::SatirSilClick);
  connect(hepsiniSil, &QAction::triggered, this, &SepetSekmesi::HepsiniSilClick);
  connect(cxGrid2, &Grid::rowDoubleClicked, this, &SepetSekmesi::cxGridDBTableView1DblClick);
  connect(cxGrid2, &Grid::resized, this, [this] {
    if (cxGrid2->isEnabled()) SutunGenislikleri();
  });
  connect(Button4, &QPushButton::clicked, this, &SepetSekmesi::Button4Click);
  connect(Button5, &QPushButton::clicked, this, &SepetSekmesi::Button5Click);
  connect(Button1, &QPushButton::clicked, this, &SepetSekmesi::Button1Click);
  connect(Button2, &QPushButton::clicked, this, &SepetSekmesi::Button2Click);
  connect(form.sPageControl1, &QTabWidget::currentChanged, this, [this](int i) {
    if (form_.sPageControl1->widget(i) == form_.ssepet) ssepetShow();
  });
  connect(&form, &TForm1::musteriTipiUyarlandi, this, &SepetSekmesi::MusteriTipineUyarla);

  // Whoever reloads the cart (an added or changed line, a deletion, an
  // order), the counter and the totals follow.
  auto izleyici = std::make_shared<Izleyici>();
  izleyici->sekme = this;
  izleyici_ = izleyici;
  izleyiciNo_ = form.sepet.addObserver([izleyici](const DataSetChange& d) {
    if (d.kind != DataSetChange::Reset) return;
    SepetSekmesi* s = izleyici->sekme;
    if (!s) return;
    if (onUiThread())
      s->sepetDegisti();
    else
      QMetaObject::invokeMethod(s, &SepetSekmesi::sepetDegisti, Qt::QueuedConnection);
  });
  SutunGenislikleri();
}

SepetSekmesi::~SepetSekmesi() {
  // A task that will not finish now must not leave the wait cursor behind.
  if (beklemeImleci_) QGuiApplication::restoreOverrideCursor();
  // The link lives as long as the dataset holds the observer.
  if (const auto izleyici = izleyici_.lock()) {
    izleyici->sekme = nullptr;
    form_.sepet.removeObserver(izleyiciNo_);
  }
}

void SepetSekmesi::sepetDegisti() {
  if (yuklemeSuruyor_) return;  // the reload's continuation does it
  form_.sekmeBasligiYaz(form_.ssepet, SayacliBaslik(form_.sepet.rowCount(), kBaslik));
  SepetToplamHesapla();
}

void SepetSekmesi::mesgulBasla() {
  mesgul_ = true;
  form_.gifsepet->setVisible(true);
  cxGrid2->setEnabled(false);
  for (QPushButton* b : {Button4, Button5, Button1, Button2}) b->setEnabled(false);
  for (QAction* a : {satirDegistir, satirSil, hepsiniSil}) a->setEnabled(false);
}

void SepetSekmesi::mesgulBitir() {
  cxGrid2->setEnabled(true);
  for (QPushButton* b : {Button4, Button5, Button1, Button2}) b->setEnabled(true);
  for (QAction* a : {satirDegistir, satirSil, hepsiniSil}) a->setEnabled(true);
  form_.gifsepet->setVisible(false);
  mesgul_ = false;
  // The tab was shown again while the task ran: its reload comes now.
  if (bekleyenGosterim_) {
    bekleyenGosterim_ = false;
    if (form_.sPageControl1->currentWidget() == form_.ssepet) ssepetShow();
  }
}

void SepetSekmesi::ssepetShow() {
  if (mesgul_) {
    bekleyenGosterim_ = true;
    return;
  }
  lbluyarbakiye->clear();
  mesgulBasla();
  yuklemeSuruyor_ = true;
  form_.sepet.disableControls();
  cxGrid2->detach();
  cxGrid2->beginUpdate();
  CariBakiyeUyariBak();

  // The rows come into a dataset of their own and replace the cart's on the
  // user-interface thread, where every other reload of the cart runs too.
  auto yeni = std::make_shared<DataSet>();
  auto yuklendi = std::make_shared<bool>(false);
  const quint64 surum = form_.sepet.version();
  const Connection* bagc = form_.bagc.get();
  const TSonucBilgisi* sbilgi = form_.sbilgi.get();
  Async([=] { *yuklendi = SepetGetir(*bagc, *sbilgi, *yeni); })
      ->Await(
          [this, yeni, yuklendi, surum] {
            // A reload made meanwhile by a flow of the lists is as new as this one.
            if (*yuklendi && form_.sepet.version() == surum) form_.sepet.takeFrom(*yeni);
            form_.sekmeBasligiYaz(form_.ssepet, SayacliBaslik(form_.sepet.rowCount(), kBaslik));
            SepetToplamHesapla();
            form_.sepet.enableControls();
            yuklemeSuruyor_ = false;
            cxGrid2->attach();
            cxGrid2->endUpdate();
            mesgulBitir();
            SutunGenislikleri();
          },
          this);
}

void SepetSekmesi::SepetToplamHesapla() {
  const SepetToplamlari t = vlm::SepetToplamHesapla(form_.sepet);
  aratoplaml->setText(TutarYazisi(t.toplam));
  indiriml->setText(TutarYazisi(t.indirim));
  nettutarl->setText(TutarYazisi(t.araToplam));
  vergil->setText(TutarYazisi(t.vergi));
  geneltoplaml->setText(TutarYazisi(t.genelToplam));
}

int SepetSekmesi::odaktakiSirano() const {
  const int satir = cxGrid2->focusedRow();
  const int c = form_.sepet.fieldIndex(u"SIRANO");
  if (mesgul_ || satir < 0 || c < 0) return -1;
  return form_.sepet.intValue(satir, c);
}

void SepetSekmesi::cxGridDBTableView1DblClick() {
  const int sirano = odaktakiSirano();
  if (sirano < 0 || !form_.sepet.locate(u"SIRANO", sirano)) return;
  if (cxGrid2->focusedField().compare(kSec, Qt::CaseInsensitive) != 0) {
    SatirDegistir(form_, sirano);
    return;
  }
  Field* sec = form_.sepet.fieldByName(kSec);
  if (!sec) return;
  const int yeni = sec->asInteger() == 0 ? 1 : 0;
  sec->setAsInteger(yeni);
  SecimKaydet(*form_.bagc, sirano, yeni);
  SepetToplamHesapla();
}

void SepetSekmesi::Button4Click() {
  secimleriYaz(1);
}

void SepetSekmesi::Button5Click() {
  secimleriYaz(0);
}

void SepetSekmesi::secimleriYaz(int secim) {
  if (mesgul_) return;
  QList<int> siranolar;
  const int c = form_.sepet.fieldIndex(u"SIRANO");
  if (c >= 0 && form_.sepet.fieldIndex(kSec) >= 0) {
    siranolar.reserve(form_.sepet.rowCount());
    for (int r = 0; r < form_.sepet.rowCount(); ++r) siranolar.append(form_.sepet.intValue(r, c));
  }
  const auto bitti = [this] {
    SepetToplamHesapla();
    if (form_.araedit->isEnabled()) {
      form_.araedit->selectAll();
      form_.araedit->setFocus(Qt::OtherFocusReason);
    }
  };
  if (siranolar.isEmpty()) {
    bitti();
    return;
  }

  // One call per line, each on a clone of its own: in the background, so
  // that a long cart leaves the window responsive, with the wait cursor up.
  mesgulBasla();
  QGuiApplication::setOverrideCursor(Qt::WaitCursor);
  beklemeImleci_ = true;
  auto giden = std::make_shared<QList<int>>();
  const Connection* bagc = form_.bagc.get();
  Async([=] { *giden = SecimleriKaydet(*bagc, siranolar, secim); })
      ->Await(
          [this, giden, secim, bitti] {
            QGuiApplication::restoreOverrideCursor();
            beklemeImleci_ = false;
            // Only the lines whose mark the server has are marked here: a
            // server that went away half way leaves the rest as they were.
            // The cart may have been reloaded meanwhile; lines are found by
            // their number.
            const int c = form_.sepet.fieldIndex(u"SIRANO");
            const int s = form_.sepet.fieldIndex(kSec);
            if (c >= 0 && s >= 0) {
              QHash<int, int> satirlar;
              for (int r = 0; r < form_.sepet.rowCount(); ++r)
                satirlar.insert(form_.sepet.intValue(r, c), r);
              form_.sepet.disableControls();
              for (const int sirano : *giden)
                if (const auto it = satirlar.constFind(sirano); it != satirlar.cend())
                  form_.sepet.setInteger(*it, s, secim);
              yuklemeSuruyor_ = true;  // the totals come below, once
              form_.sepet.enableControls();
              yuklemeSuruyor_ = false;
            }
            mesgulBitir();
            bitti();
          },
          this);
}

void SepetSekmesi::SatirSilClick() {
  const int sirano = odaktakiSirano();
  if (sirano < 0 || !form_.sepet.locate(u"SIRANO", sirano)) return;
  const SepetSatiri satir = SepetSatiriOku(form_.sepet);
  if (MesajGoster(QStringLiteral("Satırı silmek istiyor musunuz "), mtSoru, mbYes | mbNo, mbNo) !=
      mrYes)
    return;
  if (!SepetSatirSil(*form_.bagc, *form_.sbilgi, satir)) return;
  SepetGetir(form_);
  MesajGoster(QStringLiteral("Satır silindi !"), mtBilgi, mbOK, mbOK);
}

void SepetSekmesi::HepsiniSilClick() {
  if (mesgul_ || !VeriVarmi(form_.sepet)) return;
  if (MesajGoster(QStringLiteral("Tüm Sepeti Silmek İstiyor musunuz "), mtSoru, mbYes | mbNo,
                  mbNo) != mrYes)
    return;
  if (!SepetHepsiniSil(*form_.bagc, *form_.sbilgi)) return;
  MesajGoster(QStringLiteral("Sepet Silindi !"), mtBilgi, mbOK, mbOK);
  SepetGetir(form_);
}

void SepetSekmesi::Button1Click() {
  if (mesgul_) return;
  if (!SecimVarmi(form_.sepet)) {
    MesajGoster(QStringLiteral("Gönderilecek Parça Yok "), mtUyari, mbOK, mbOK);
    return;
  }
  const std::unique_ptr<TONAYSIP> onay(TONAYSIP::Ac(&form_, form_.bagc.get(), lbluyarbakiye->text(),
                                                    form_.sbilgi.get(), geneltoplaml->text()));
  if (ModalGoster(onay.get()) != QDialog::Accepted) return;
  if (SiparisGonder(form_, onay->KN, onay->kt, onay->aciklamagir->toPlainText(), onay->td)) {
    MesajGoster(QStringLiteral("Siparişiniz Gönderildi !"), mtBilgi, mbOK, mbOK);
    SepetGetir(form_);
  } else {
    MesajGoster(QStringLiteral("Sipariş Göndermede Hata"), mtHata, mbOK, mbOK);
  }
}

void SepetSekmesi::Button2Click() {
  if (!mesgul_) cxGrid2->excelKaydet();
}

void SepetSekmesi::SutunGenislikleri() {
  const QScreen* ekran = form_.screen();
  SutunGenislikleri(ekran ? ekran->geometry().width() : 0);
}

void SepetSekmesi::SutunGenislikleri(int ekranGenisligi) {
  if (SepetSutunlariAgirlikla(ekranGenisligi))
    cxGrid2->applyWeights();
  else
    cxGrid2->bestFit();
}

void SepetSekmesi::MusteriTipineUyarla(int musteriTipi) {
  if (musteriTipi == 1 || musteriTipi == 2) {
    cxGrid2->setColumnVisible(u"KALAN", true);
    cxGrid2->setColumnInChooser(u"KALAN", true);
  } else if (musteriTipi == 3) {
    cxGrid2->setColumnVisible(u"DURUM", false);
    cxGrid2->setColumnInChooser(u"DURUM", false);
  }
}

void SepetSekmesi::CariBakiyeUyariBak() {
  // The thread works on a clone of its own and hands its text over to the
  // user-interface thread; only the latest check writes the label.
  std::shared_ptr<const Connection> kaynak = form_.bagc->clone();
  const int carino = form_.sbilgi->CARINO();
  const int sira = ++bakiyeSirasi_;
  ++bakiyeKontrolleri_;
  const QPointer<SepetSekmesi> sekme(this);
  QThread* is = QThread::create([kaynak, carino, sira, sekme] {
    const QString uyari = vlm::CariBakiyeUyariBak(*kaynak, carino);
    QMetaObject::invokeMethod(
        qApp,
        [sekme, sira, uyari] {
          if (!sekme) return;
          --sekme->bakiyeKontrolleri_;
          if (sira == sekme->bakiyeSirasi_) sekme->lbluyarbakiye->setText(uyari);
        },
        Qt::QueuedConnection);
  });
  is->setObjectName(QStringLiteral("CariBakiyeUyariBak"));
  connect(is, &QThread::finished, is, &QObject::deleteLater);
  is->start();
}

// ---- The main window's cart flows ------------------------------------------

void SatirDegistir(TForm1& form, int sirano) {
  if (SatirTamsayi(form.sepet, u"SIRANO") != sirano && !form.sepet.locate(u"SIRANO", sirano))
    return;
  const SepetSatiri satir = SepetSatiriOku(form.sepet);
  const std::unique_ptr<Tstokayarinti> d = degisimDiyalogu(form, satir);
  if (ModalGoster(d.get()) != QDialog::Accepted) return;
  const std::optional<double> miktar = DiyalogMiktari(*d, QStringLiteral("Satır değiştirilmedi."));
  if (!miktar) return;
  SepetSatirGuncelle(form, satir, *miktar, d->birimfiyat->value());
  SepetGetir(form);
}

void SepetSatirGuncelle(TForm1& form, const SepetSatiri& satir, double miktar, double fiyat) {
  SepetSatirGuncelle(*form.bagc, *form.sbilgi, satir, miktar, fiyat, form.sepet);
}

bool SiparisGonder(TForm1& form, int KN, int kt, const QString& aciklama, int td) {
  return SiparisGonder(*form.bagc, *form.sbilgi, KN, kt, aciklama, td);
}

}  // namespace vlm
