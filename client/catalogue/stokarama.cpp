#include "stokarama.h"

#include "baglantiac.h"
#include "connection.h"
#include "dataset.h"
#include "proxim.h"
#include "records.h"
#include "sayibicim.h"

namespace vlm {

QChar AramaHarfiKatla(QChar c) {
  switch (c.unicode()) {
    case 0x011F: return QLatin1Char('g');  // ğ
    case 0x00FC: return QLatin1Char('u');  // ü
    case 0x015F: return QLatin1Char('s');  // ş
    case 0x00F6: return QLatin1Char('o');  // ö
    case 0x00E7: return QLatin1Char('c');  // ç
    case 0x011E: return QLatin1Char('G');  // Ğ
    case 0x00DC: return QLatin1Char('U');  // Ü
    case 0x015E: return QLatin1Char('S');  // Ş
    case 0x0130: return QLatin1Char('I');  // İ
    case 0x00D6: return QLatin1Char('O');  // Ö
    case 0x00C7: return QLatin1Char('C');  // Ç
    case 0x0131: return QLatin1Char('I');  // ı
    default: return c;
  }
}

bool AramaMetniYeterli(const QString& metin) {
  return metin.trimmed().size() >= 3;
}

QString FiyatBilgisiMetni(double listeFiyat, double kampanyaFiyat, double netFiyat, double kdvDahil,
                          const QLocale& yerel) {
  const QString bicim = QString::fromLatin1(kTutarBicimi);
  const QString satirSonu = QStringLiteral("\r\n");
  QString metin =
      QStringLiteral("Liste Fiyatı: ") + FormatFloat(bicim, listeFiyat, yerel) + satirSonu;
  if (kampanyaFiyat > 0)
    metin +=
        QStringLiteral("Kampanyalı Fiyat: ") + FormatFloat(bicim, kampanyaFiyat, yerel) + satirSonu;
  metin += QStringLiteral("NetFiyat: ") + FormatFloat(bicim, netFiyat, yerel) + satirSonu;
  metin += QStringLiteral("KDV li Fiyat: ") + FormatFloat(bicim, kdvDahil, yerel) + satirSonu;
  return metin;
}

bool StokAra(const Connection& bagc, const TSonucBilgisi& sbilgi, const QString& metin,
             DataSet& stok) {
  auto kopya = std::make_unique<TSonucBilgisi>();
  kopya->Kopyala(sbilgi);
  std::unique_ptr<Connection> klon = bagc.clone();
  if (!BaglantiAc(klon.get(), 0)) return true;
  stok.disableControls();
  bool hata = false;
  try {
    TServerMethods1Client proxy(klon.get());
    stok.loadFromPacket(proxy.StokAraGetir(metin, std::move(kopya)));
    if (!stok.fieldByName(u"IND1")) throw std::runtime_error("IND1");
    SayiBicimle(stok);
  } catch (...) {
    hata = true;
  }
  stok.enableControls();
  klon->close();
  return hata;
}

}  // namespace vlm
