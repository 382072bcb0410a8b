// Linux sources of the workstation values.
#ifndef _WIN32
#include "istasyon_linux.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStringList>

#include <arpa/inet.h>
#include <netdb.h>
#include <netinet/in.h>
#include <pwd.h>
#include <sys/socket.h>
#include <sys/utsname.h>
#include <unistd.h>

#include <algorithm>
#include <climits>
#include <vector>

#include "kurallar.h"

namespace vlm::lnx {

namespace {

QString Sinirla(const QString& ad) {
  return QString::fromStdU16String(AdSinirla(ad.toStdU16String()));
}

// Files under /sys are small; a fake or broken one must not be read whole.
constexpr qint64 kSysDosyaSiniri = 4096;

bool Oku(const QString& yol, QByteArray* icerik) {
  QFile dosya(yol);
  if (!dosya.open(QIODevice::ReadOnly)) return false;
  *icerik = dosya.read(kSysDosyaSiniri);
  return true;
}

QByteArray OkuYaDaBos(const QString& yol) {
  QByteArray icerik;
  Oku(yol, &icerik);
  return icerik;
}

QString SeriNoMetni(const QByteArray& ham) {
  QByteArray metin = ham;
  if (const qsizetype nul = metin.indexOf('\0'); nul >= 0) metin.truncate(nul);
  return QString::fromStdString(AsciiBuyut(Kirp(metin.toStdString())));
}

// SCSI unit serial number page: byte 1 the page code 0x80, bytes 2 and 3 the
// length, the serial number behind them.
QByteArray Vpd80SeriNo(const QByteArray& sayfa) {
  if (sayfa.size() < 4 || static_cast<unsigned char>(sayfa[1]) != 0x80) return {};
  const int uzunluk =
      (static_cast<unsigned char>(sayfa[2]) << 8) | static_cast<unsigned char>(sayfa[3]);
  return sayfa.mid(4, std::min<qsizetype>(uzunluk, sayfa.size() - 4));
}

// "ata-MODEL_SERIAL", "nvme-MODEL_SERIAL", "scsi-0ATA_MODEL_SERIAL",
// "usb-VENDOR_MODEL_SERIAL-0:0": the serial is the last "_" part;
// "virtio-SERIAL": everything after the bus.
QString KimlikAdindanSeriNo(const QString& ad) {
  static const QStringList kModelliVeriYollari = {QStringLiteral("ata-"), QStringLiteral("nvme-"),
                                                  QStringLiteral("scsi-"), QStringLiteral("usb-")};
  if (ad.startsWith(QLatin1String("virtio-"))) return ad.mid(7);
  for (const QString& onek : kModelliVeriYollari) {
    if (!ad.startsWith(onek)) continue;
    const qsizetype ayrac = ad.lastIndexOf(QLatin1Char('_'));
    if (ayrac < 0) return {};
    QString seri = ad.mid(ayrac + 1);
    if (onek == QLatin1String("usb-")) seri = seri.section(QLatin1Char('-'), 0, 0);
    return seri;
  }
  return {};
}

QString ByIdSeriNo(const QString& devKoku, const QString& disk) {
  QDir klasor(devKoku + QStringLiteral("/disk/by-id"));
  const QStringList adlar =
      klasor.entryList(QDir::AllEntries | QDir::System | QDir::NoDotAndDotDot, QDir::Name);
  for (const QString& ad : adlar) {
    if (ad.contains(QLatin1String("-part"))) continue;
    const QFileInfo bilgi(klasor.filePath(ad));
    if (!bilgi.isSymLink() || QFileInfo(bilgi.symLinkTarget()).fileName() != disk) continue;
    const QString seri = KimlikAdindanSeriNo(ad);
    if (!seri.trimmed().isEmpty()) return seri;
  }
  return {};
}

QString IlkFizikselDisk(const QString& sysKoku) {
  QDir blok(sysKoku + QStringLiteral("/block"));
  const QStringList adlar =
      blok.entryList(QDir::Dirs | QDir::System | QDir::NoDotAndDotDot, QDir::Name);
  for (const QString& ad : adlar) {
    const QString yol = blok.filePath(ad);
    // Loop, RAM, compressed-RAM and mapper devices have no device behind them.
    if (!QFileInfo::exists(yol + QStringLiteral("/device"))) continue;
    if (OkuYaDaBos(yol + QStringLiteral("/removable")).trimmed() == "1") continue;
    return ad;
  }
  return {};
}

}  // namespace

QString BilgisayarAdi() {
  char ad[HOST_NAME_MAX + 1] = {};
  QString sonuc;
  if (gethostname(ad, sizeof ad) == 0) {
    ad[sizeof ad - 1] = '\0';
    sonuc = QString::fromLocal8Bit(ad);
  } else if (utsname sistem; uname(&sistem) == 0) {
    sonuc = QString::fromLocal8Bit(sistem.nodename);
  }
  return Sinirla(sonuc.section(QLatin1Char('.'), 0, 0));
}

QString KullaniciAdi() {
  QString ad;
  long boyut = sysconf(_SC_GETPW_R_SIZE_MAX);
  std::vector<char> tampon(static_cast<std::size_t>(boyut > 0 ? boyut : 16384));
  passwd kayit{};
  passwd* bulunan = nullptr;
  if (getpwuid_r(getuid(), &kayit, tampon.data(), tampon.size(), &bulunan) == 0 && bulunan &&
      bulunan->pw_name)
    ad = QString::fromLocal8Bit(bulunan->pw_name);
  if (ad.isEmpty()) ad = qEnvironmentVariable("USER");
  if (ad.isEmpty()) ad = qEnvironmentVariable("LOGNAME");
  return Sinirla(ad);
}

QString IcIp(const QByteArray& konakAdi) {
  const QString geriDonus = QStringLiteral("127.0.0.1");
  if (konakAdi.isEmpty()) return geriDonus;
  addrinfo ipucu{};
  ipucu.ai_family = AF_INET;
  ipucu.ai_socktype = SOCK_STREAM;
  addrinfo* cevap = nullptr;
  if (getaddrinfo(konakAdi.constData(), nullptr, &ipucu, &cevap) != 0 || !cevap) return geriDonus;
  QString sonuc = geriDonus;
  if (cevap->ai_family == AF_INET && cevap->ai_addr) {
    const auto* adres = reinterpret_cast<const sockaddr_in*>(cevap->ai_addr);
    char metin[INET_ADDRSTRLEN] = {};
    if (inet_ntop(AF_INET, &adres->sin_addr, metin, sizeof metin))
      sonuc = QString::fromLatin1(metin);
  }
  freeaddrinfo(cevap);
  return sonuc;
}

QString IcIp() {
  char ad[256] = {};
  if (gethostname(ad, sizeof ad) != 0) return QStringLiteral("127.0.0.1");
  ad[sizeof ad - 1] = '\0';
  return IcIp(QByteArray(ad));
}

QString MacAdresi(const QString& sysKoku) {
  struct Adaptor {
    long sira;
    QString yol;
  };
  QDir ag(sysKoku + QStringLiteral("/class/net"));
  std::vector<Adaptor> adaptorler;
  const QStringList adlar =
      ag.entryList(QDir::Dirs | QDir::System | QDir::NoDotAndDotDot, QDir::Name);
  for (const QString& ad : adlar) {
    const QString yol = ag.filePath(ad);
    // Only adapters with a six-byte hardware address take part; tunnels and
    // the like have none to give.
    QByteArray uzunluk;
    if (Oku(yol + QStringLiteral("/addr_len"), &uzunluk) && uzunluk.trimmed() != "6") continue;
    bool sayi = false;
    const long sira = OkuYaDaBos(yol + QStringLiteral("/ifindex")).trimmed().toLong(&sayi);
    adaptorler.push_back({sayi ? sira : LONG_MAX, yol});
  }
  std::stable_sort(adaptorler.begin(), adaptorler.end(),
                   [](const Adaptor& a, const Adaptor& b) { return a.sira < b.sira; });

  return QString::fromStdString(
      MacAdresiSec(adaptorler.size(), [&](std::size_t i) -> std::optional<MacBaytlari> {
        QByteArray adres;
        if (!Oku(adaptorler[i].yol + QStringLiteral("/address"), &adres)) return std::nullopt;
        return MacCoz(adres.toStdString());
      }));
}

QString DiskSeriNo(const QString& sysKoku, const QString& devKoku) {
  const QString disk = IlkFizikselDisk(sysKoku);
  if (disk.isEmpty()) return {};
  const QString yol = sysKoku + QStringLiteral("/block/") + disk;
  for (const QString& dosya : {QStringLiteral("/device/serial"), QStringLiteral("/serial")}) {
    const QString seri = SeriNoMetni(OkuYaDaBos(yol + dosya));
    if (!seri.isEmpty()) return seri;
  }
  const QString seri =
      SeriNoMetni(Vpd80SeriNo(OkuYaDaBos(yol + QStringLiteral("/device/vpd_pg80"))));
  if (!seri.isEmpty()) return seri;
  return SeriNoMetni(ByIdSeriNo(devKoku, disk).toUtf8());
}

}  // namespace vlm::lnx
#endif
