#pragma once
// Stock-list-like rows for the grid's tests and benchmark: the columns of
// the product search result with believable values, the same for a given
// seed.
#include <QPainter>
#include <QRandomGenerator>
#include <QStringList>

#include "dataset.h"
#include "gridcolumn.h"
#include "pictures.h"
#include "sayibicim.h"

namespace vlm::sample {

inline void addStockFields(DataSet& ds) {
  const struct {
    const char* name;
    FieldType type;
  } fields[] = {
      {"DURUM", FieldType::Integer},
      {"OEM1", FieldType::Memo},
      {"OEM2", FieldType::Memo},
      {"OEM3", FieldType::Memo},
      {"OEM4", FieldType::Memo},
      {"BARKOD", FieldType::String},
      {"ADI", FieldType::String},
      {"STOK_STOKNO", FieldType::Integer},
      {"FINISHKOD", FieldType::String},
      {"URETICIKODU", FieldType::String},
      {"RESIM", FieldType::Integer},
      {"BARKOD_BARKODNO", FieldType::Integer},
      {"DIGERADI", FieldType::String},
      {"DPKOD", FieldType::String},
      {"OEMNO", FieldType::String},
      {"BIRIM", FieldType::String},
      {"MARKA", FieldType::String},
      {"MODEL", FieldType::String},
      {"ANAGRUP", FieldType::String},
      {"OZELKOD", FieldType::String},
      {"KALAN", FieldType::Float},
      {"PKOD", FieldType::String},
      {"KDV", FieldType::Float},
      {"ALINANSIPARIS", FieldType::Float},
      {"VERILENSIPARIS", FieldType::Float},
      {"LISTEFIYAT1", FieldType::Float},
      {"KAMPFIYAT", FieldType::Float},
      {"FIYAT", FieldType::Float},
      {"Y", FieldType::Integer},
      {"K", FieldType::Integer},
      {"INDIRIMYAZI", FieldType::String},
      {"NETFIYAT", FieldType::Float},
      {"KDVDAHIL", FieldType::Float},
      {"IND1", FieldType::Float},
      {"IND2", FieldType::Float},
      {"IND3", FieldType::Float},
      {"IND4", FieldType::Float},
  };
  for (const auto& f : fields) ds.addField(QString::fromLatin1(f.name), f.type);
}

// Fills `ds` (columns added when it has none) with `rows` products.
inline void fillStock(DataSet& ds, int rows, quint32 seed = 7) {
  static const QStringList parts = {"FREN BALATASI ÖN",
                                    "FREN DİSKİ ARKA",
                                    "YAĞ FİLTRESİ",
                                    "HAVA FİLTRESİ",
                                    "POLEN FİLTRESİ",
                                    "YAKIT FİLTRESİ",
                                    "AMORTİSÖR ÖN SAĞ",
                                    "AMORTİSÖR ARKA SOL",
                                    "DEBRİYAJ SETİ",
                                    "TRİGER SETİ",
                                    "DEVİRDAİM POMPASI",
                                    "ROT BAŞI SAĞ",
                                    "ROTİL ALT",
                                    "SALINCAK ÖN SOL",
                                    "BUJİ",
                                    "ATEŞLEME BOBİNİ",
                                    "SİLECEK SÜPÜRGESİ",
                                    "FAR AMPULÜ H7",
                                    "TERMOSTAT",
                                    "RADYATÖR",
                                    "ŞARJ DİNAMOSU",
                                    "MARŞ MOTORU",
                                    "V KAYIŞI",
                                    "ÇEKİ DEMİRİ",
                                    "EGZOZ SUSTURUCU",
                                    "ÖN TAMPON BRAKETİ",
                                    "KAPI KOLU İÇ",
                                    "CAM KRİKOSU",
                                    "Z ROT",
                                    "ÜST TABLA",
                                    "ĞIRTLAK HORTUMU",
                                    "İNTERCOOLER HORTUMU"};
  static const QStringList makes = {"BOSCH", "VALEO",  "MANN",  "SACHS", "TRW",
                                    "FEBI",  "MAHLE",  "GATES", "NGK",   "LEMFÖRDER",
                                    "SKF",   "DELPHI", "İNA",   "ÇELİK", "ŞAHİN OTO"};
  static const QStringList models = {"DOBLO",  "LINEA", "EGEA",   "CLIO", "MEGANE", "FOCUS",
                                     "FIESTA", "CORSA", "ASTRA",  "GOLF", "PASSAT", "POLO",
                                     "ŞAHİN",  "DOĞAN", "KARTAL", "ÜNO",  "TOROS",  "COROLLA"};
  static const QStringList groups = {"FREN",     "FİLTRE",  "SÜSPANSİYON", "MOTOR",
                                     "ELEKTRİK", "KAPORTA", "ŞANZIMAN"};
  static const QStringList units = {"ADET", "TAKIM", "METRE", "ÇİFT"};
  static const QStringList special = {"A", "B", "C", "İTHAL", "YERLİ", "OEM"};
  if (ds.fieldCount() == 0) addStockFields(ds);
  QRandomGenerator rnd(seed);
  ds.disableControls();
  ds.reserve(ds.rowCount() + rows);
  const int base = ds.rowCount();
  for (int i = 0; i < rows; ++i) {
    const int r = ds.appendRow();
    const int no = base + i + 1;
    auto set = [&](const char* name, const QVariant& v) {
      ds.setValue(r, ds.fieldIndex(QString::fromLatin1(name)), v);
    };
    const QString make = makes[int(rnd.bounded(makes.size()))];
    const QString part = parts[int(rnd.bounded(parts.size()))];
    const QString model = models[int(rnd.bounded(models.size()))];
    set("DURUM", int(rnd.bounded(6)));
    set("OEM1", QStringLiteral("%1\r\n%2")
                    .arg(7700000 + rnd.bounded(99999))
                    .arg(46000000 + rnd.bounded(999999)));
    set("OEM2", QString::number(5900000 + rnd.bounded(99999)));
    set("BARKOD", QStringLiteral("%1-%2").arg(make.left(3)).arg(100000 + no));
    set("ADI", QString(part + QLatin1Char(' ') + model));
    set("STOK_STOKNO", no);
    set("FINISHKOD", QStringLiteral("FK%1").arg(no % 9000 + 1000));
    set("URETICIKODU",
        QStringLiteral("%1.%2").arg(rnd.bounded(900) + 100).arg(rnd.bounded(90) + 10));
    set("RESIM", int(rnd.bounded(3) != 0));
    set("BARKOD_BARKODNO", 860000 + no);
    set("DIGERADI", QString(model + QLatin1Char(' ') + part.toLower()));
    set("DPKOD", QStringLiteral("D%1").arg(no % 500));
    set("OEMNO", QString::number(9000000 + rnd.bounded(999999)));
    set("BIRIM", units[int(rnd.bounded(units.size()))]);
    set("MARKA", make);
    set("MODEL", model);
    set("ANAGRUP", groups[int(rnd.bounded(groups.size()))]);
    set("OZELKOD", special[int(rnd.bounded(special.size()))]);
    set("KALAN", double(rnd.bounded(250)));
    set("PKOD", QStringLiteral("P%1").arg(no % 97));
    set("KDV", 20.0);
    set("ALINANSIPARIS", double(rnd.bounded(40)));
    set("VERILENSIPARIS", double(rnd.bounded(40)));
    const double list = (rnd.bounded(200000) + 500) / 100.0;
    const bool campaign = rnd.bounded(5) == 0;
    const double ind1 = 10.0 * rnd.bounded(5), ind2 = 5.0 * rnd.bounded(3);
    const double net = list * (1 - ind1 / 100) * (1 - ind2 / 100);
    set("LISTEFIYAT1", list);
    set("KAMPFIYAT", campaign ? list * 0.85 : 0.0);
    set("FIYAT", list);
    set("Y", int(rnd.bounded(8) == 0));
    set("K", int(campaign));
    set("INDIRIMYAZI", QStringLiteral("%1+%2").arg(ind1).arg(ind2));
    set("NETFIYAT", net);
    set("KDVDAHIL", net * 1.2);
    set("IND1", ind1);
    set("IND2", ind2);
    set("IND3", 0.0);
    set("IND4", 0.0);
  }
  SayiBicimle(ds);
  ds.first();
  ds.enableControls();
}

inline QString durumYazisi(const QVariant& v) {
  return stokDurumAdi(v.toInt());
}

// The text of the drawn price cell.
inline QString fiyatBilgisi(const DataSet& ds, int row) {
  auto amount = [&](const char* f) {
    return FormatFloat(QString::fromLatin1(kTutarBicimi),
                       ds.floatValue(row, ds.fieldIndex(QString::fromLatin1(f))));
  };
  QString s = QStringLiteral("Liste Fiyatı: ") + amount("LISTEFIYAT1") + QStringLiteral("\r\n");
  if (ds.floatValue(row, ds.fieldIndex(u"KAMPFIYAT")) > 0)
    s += QStringLiteral("Kampanyalı Fiyat: ") + amount("KAMPFIYAT") + QStringLiteral("\r\n");
  s += QStringLiteral("NetFiyat: ") + amount("NETFIYAT") + QStringLiteral("\r\n");
  s += QStringLiteral("KDV li Fiyat: ") + amount("KDVDAHIL") + QStringLiteral("\r\n");
  return s;
}

// The stock list's columns, as its window configures them.
inline QList<GridColumn> stockColumns() {
  auto picture = [](auto f) { return [f](const QVariant& v) { return f(v); }; };
  return {
      GridColumn("DURUM", "Durum", 1)
          .picture(picture([](const QVariant& v) { return stokDurumResmi(v.toInt()); }),
                   durumYazisi),
      GridColumn("OEM1", "Oem1", 2).hide(),
      GridColumn("OEM2", "Oem2", 2).hide(),
      GridColumn("OEM3", "Oem3", 2).hide(),
      GridColumn("OEM4", "Oem4", 2).hide(),
      GridColumn("BARKOD", "Barkod", 2),
      GridColumn("ADI", "Açıklama", 3),
      GridColumn("STOK_STOKNO", {}, 1).hide().noChooser(),
      GridColumn("FINISHKOD", "Finish Kod", 2).hide(),
      GridColumn("URETICIKODU", "Üretici Kod", 2).hide(),
      GridColumn("RESIM", "Resim", 1).picture(picture([](const QVariant& v) {
        return v.toInt() == 1 ? resimVarResmi() : QPixmap();
      })),
      GridColumn("BARKOD_BARKODNO", {}, 1).hide().noChooser(),
      GridColumn("DIGERADI", "Diğer Adı", 3).hide(),
      GridColumn("DPKOD", {}, 2).hide().noChooser(),
      GridColumn("OEMNO", "Oem No", 2).hide(),
      GridColumn("BIRIM", "Birim", 1).hide(),
      GridColumn("MARKA", "Marka", 2),
      GridColumn("MODEL", "Model", 2),
      GridColumn("ANAGRUP", "Ana Grup", 2).hide(),
      GridColumn("OZELKOD", "Özel Kod", 2),
      GridColumn("KALAN", {}, 1),
      GridColumn("PKOD", {}, 1).hide().noChooser(),
      GridColumn("KDV", {}, 1).hide(),
      GridColumn("ALINANSIPARIS", {}, 1).hide(),
      GridColumn("VERILENSIPARIS", {}, 1).hide(),
      GridColumn("LISTEFIYAT1", "Liste Fiyatı", 2),
      GridColumn("KAMPFIYAT", "Kampanyalı Fiyat", 2),
      GridColumn("FIYAT", "Liste Fiyatı", 2).hide(),
      GridColumn("Y", "Yeni", 1).picture(picture([](const QVariant& v) {
        return yeniResmi(v.toInt() != 0);
      })),
      GridColumn("K", "Kampanyalı", 1).picture(picture([](const QVariant& v) {
        return kampanyaResmi(v.toInt() > 0);
      })),
      GridColumn("INDIRIMYAZI", "İndirim Oran", 2).align(Qt::AlignCenter),
      GridColumn("NETFIYAT", "Net Fiyatı", 2),
      GridColumn("KDVDAHIL", "KDV Dahil Fiyat", 3),
      GridColumn("FIYATBILGISI", "Fiyat Bilgisi", 2)
          .hide()
          .textBy(fiyatBilgisi)
          .drawnBy([](QPainter* p, const GridCellPaint& c) {
            p->fillRect(c.rect, c.background);
            QString text = fiyatBilgisi(*c.dataSet, c.row);
            text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
            p->drawText(c.rect.adjusted(10, 0, -10, 0),
                        Qt::AlignRight | Qt::AlignVCenter | Qt::TextWordWrap, text.trimmed());
          }),
  };
}

}  // namespace vlm::sample
