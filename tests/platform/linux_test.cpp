// The Linux sources against fake /sys and /dev trees, and the real machine.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <pwd.h>
#include <unistd.h>

#include <thread>
#include <vector>

#include "istasyon.h"
#include "istasyon_linux.h"

namespace vlm {
namespace {

class SahteAgac : public ::testing::Test {
 public:
  QString kok() const { return dizin_.path(); }

  void Yaz(const QString& yol, const QByteArray& icerik) {
    const QString tam = kok() + QLatin1Char('/') + yol;
    ASSERT_TRUE(QDir().mkpath(QFileInfo(tam).path()));
    QFile dosya(tam);
    ASSERT_TRUE(dosya.open(QIODevice::WriteOnly));
    dosya.write(icerik);
  }
  void Klasor(const QString& yol) { ASSERT_TRUE(QDir().mkpath(kok() + QLatin1Char('/') + yol)); }
  void Bag(const QString& yol, const QString& hedef) {
    const QString tam = kok() + QLatin1Char('/') + yol;
    ASSERT_TRUE(QDir().mkpath(QFileInfo(tam).path()));
    ASSERT_TRUE(QFile::link(hedef, tam));
  }

 private:
  QTemporaryDir dizin_;
};

// ---- Adapter address -------------------------------------------------------

struct Arabirim {
  const char* ad;
  const char* ifindex;  // nullptr: no file
  const char* addrLen;  // nullptr: no file
  const char* address;  // nullptr: unreadable (a folder in its place)
};

TEST_F(SahteAgac, AdaptersInIndexOrder) {
  const struct {
    const char* durum;
    std::vector<Arabirim> arabirimler;
    const char* beklenen;
  } durumlar[] = {
      {"no adapters", {}, ""},
      {"loopback alone", {{"lo", "1", "6", "00:00:00:00:00:00\n"}}, "00-00-00-00-00-00"},
      {"loopback passes on; index order, not name order",
       {{"eth0", "4", "6", "02:fc:00:00:00:01\n"},
        {"ifb0", "2", "6", "62:7b:4c:3d:bd:e8\n"},
        {"lo", "1", "6", "00:00:00:00:00:00\n"}},
       "62-7B-4C-3D-BD-E8"},
      {"numeric order of indexes",
       {{"a", "10", "6", "0a:00:00:00:00:0a\n"}, {"b", "9", "6", "09:00:00:00:00:09\n"}},
       "09-00-00-00-00-09"},
      {"no six-byte address: not an adapter",
       {{"lo", "1", "6", "00:00:00:00:00:00\n"},
        {"tunl0", "2", "4", "00:00:00:00\n"},
        {"tun0", "3", "0", "\n"},
        {"eth0", "5", "6", "52:54:00:12:34:56\n"}},
       "52-54-00-12-34-56"},
      {"first adapter unreadable ends the search",
       {{"eth0", "1", "6", nullptr}, {"eth1", "2", "6", "52:54:00:12:34:56\n"}},
       ""},
      {"garbage address counts as failing",
       {{"eth0", "1", "6", "not an address\n"}, {"eth1", "2", "6", "52:54:00:12:34:56\n"}},
       ""},
      {"unreadable index goes last",
       {{"eth0", nullptr, "6", "52:54:00:00:00:01\n"}, {"eth1", "7", "6", "52:54:00:00:00:02\n"}},
       "52-54-00-00-00-02"},
      {"missing addr_len still counts",
       {{"eth0", "3", nullptr, "52:54:00:00:00:03\n"}},
       "52-54-00-00-00-03"},
  };
  int n = 0;
  for (const auto& d : durumlar) {
    const QString sys = QStringLiteral("sys%1").arg(n++);
    Klasor(sys + QStringLiteral("/class/net"));
    for (const Arabirim& a : d.arabirimler) {
      const QString yol = sys + QStringLiteral("/class/net/") + QLatin1String(a.ad);
      Klasor(yol);
      if (a.ifindex) Yaz(yol + QStringLiteral("/ifindex"), a.ifindex);
      if (a.addrLen) Yaz(yol + QStringLiteral("/addr_len"), a.addrLen);
      if (a.address)
        Yaz(yol + QStringLiteral("/address"), a.address);
      else
        Klasor(yol + QStringLiteral("/address"));
    }
    EXPECT_EQ(lnx::MacAdresi(kok() + QLatin1Char('/') + sys), QLatin1String(d.beklenen)) << d.durum;
  }
  EXPECT_EQ(lnx::MacAdresi(kok() + QStringLiteral("/nowhere")), QString());
}

// ---- Disk serial number ------------------------------------------------------

TEST_F(SahteAgac, SerialOfTheFirstPhysicalDisk) {
  // A SCSI unit serial page: peripheral byte, page 0x80, length, serial.
  const QByteArray vpd = QByteArray("\x00\x80\x00\x0D", 4) + "  wd-wcc4e123";
  const struct {
    const char* durum;
    std::function<void(SahteAgac*, const QString&)> kur;
    const char* beklenen;
  } durumlar[] = {
      {"no block devices", [](SahteAgac*, const QString&) {}, ""},
      {"virtio disk's own serial, upper case",
       [](SahteAgac* t, const QString& s) {
         t->Klasor(s + "/block/loop0");
         t->Klasor(s + "/block/zram0");
         t->Klasor(s + "/block/vda/device");
         t->Yaz(s + "/block/vda/serial", "overlayblk");
       },
       "OVERLAYBLK"},
      {"NVMe controller serial, padded",
       [](SahteAgac* t, const QString& s) {
         t->Yaz(s + "/block/nvme0n1/device/serial", "S4EWNX0r123456      \n");
       },
       "S4EWNX0R123456"},
      {"SCSI serial page",
       [&](SahteAgac* t, const QString& s) { t->Yaz(s + "/block/sda/device/vpd_pg80", vpd); },
       "WD-WCC4E123"},
      {"removable disk skipped",
       [](SahteAgac* t, const QString& s) {
         t->Yaz(s + "/block/sda/removable", "1\n");
         t->Yaz(s + "/block/sda/device/serial", "usbstick");
         t->Yaz(s + "/block/sdb/removable", "0\n");
         t->Yaz(s + "/block/sdb/device/serial", "fixed");
       },
       "FIXED"},
      {"only the first disk counts",
       [](SahteAgac* t, const QString& s) {
         t->Klasor(s + "/block/sda/device");
         t->Yaz(s + "/block/sdb/device/serial", "second");
       },
       ""},
      {"by-id name when the tree has none",
       [](SahteAgac* t, const QString& s) {
         t->Klasor(s + "/block/sda/device");
         t->Yaz(s + "/block/sda/device/vpd_pg80", QByteArray("\x00\x83\x00\x02xx", 6));
         t->Bag(s + "/dev/disk/by-id/ata-Samsung_SSD_860_EVO_500GB_S3Z1NB0K123456X-part1",
                "../../sda1");
         t->Bag(s + "/dev/disk/by-id/wwn-0x5002538e40a1b2c3", "../../sda");
         t->Bag(s + "/dev/disk/by-id/ata-Samsung_SSD_860_EVO_500GB_S3Z1NB0K123456X", "../../sda");
         t->Bag(s + "/dev/disk/by-id/ata-OTHER_DISK_ZZZ", "../../sdb");
       },
       "S3Z1NB0K123456X"},
      {"virtio by-id",
       [](SahteAgac* t, const QString& s) {
         t->Klasor(s + "/block/vda/device");
         t->Bag(s + "/dev/disk/by-id/virtio-abc123", "../../vda");
       },
       "ABC123"},
  };
  int n = 0;
  for (const auto& d : durumlar) {
    const QString s = QStringLiteral("t%1").arg(n++);  // both /sys and /dev
    Klasor(s);
    d.kur(this, s);
    const QString tam = kok() + QLatin1Char('/') + s;
    EXPECT_EQ(lnx::DiskSeriNo(tam, tam + "/dev"), QLatin1String(d.beklenen)) << d.durum;
  }
}

// ---- Local address -----------------------------------------------------------

TEST(IcIp, FirstAddressOfTheNameElseLoopback) {
  const struct {
    QByteArray ad;
    QString beklenen;
  } durumlar[] = {
      {"localhost", "127.0.0.1"},
      {"10.1.2.3", "10.1.2.3"},
      {"", "127.0.0.1"},
      {"no-such-host.invalid", "127.0.0.1"},
  };
  for (const auto& d : durumlar) EXPECT_EQ(lnx::IcIp(d.ad), d.beklenen) << d.ad.constData();
}

// ---- This machine ------------------------------------------------------------

TEST(BuMakine, ValuesHaveTheirShape) {
  const QString ad = BilgisayarAdiVer();
  EXPECT_LE(ad.size(), 15);
  EXPECT_FALSE(ad.contains(QLatin1Char('.')));

  if (const passwd* pw = getpwuid(getuid())) {
    const QString beklenen = QString::fromLocal8Bit(pw->pw_name);
    EXPECT_EQ(KullaniciAdiVer(), beklenen.size() <= 15 ? beklenen : QString());
  }

  static const QRegularExpression ipv4(QStringLiteral("^\\d{1,3}(\\.\\d{1,3}){3}$"));
  EXPECT_TRUE(ipv4.match(IcIpVer()).hasMatch()) << IcIpVer().toStdString();

  const QString mac = MacAdresiVer();
  static const QRegularExpression macBicimi(QStringLiteral("^([0-9A-F]{2}-){5}[0-9A-F]{2}$"));
  EXPECT_TRUE(mac.isEmpty() || macBicimi.match(mac).hasMatch()) << mac.toStdString();

  const QString seri = DiskSeriNoVer();
  EXPECT_EQ(seri, seri.toUpper());
  const QString kimlik = BilgisayarIdVer();
  EXPECT_FALSE(kimlik.contains(QLatin1Char(' ')));
  EXPECT_EQ(kimlik, seri.trimmed().isEmpty() ? mac : QString(seri).remove(QLatin1Char(' ')));
}

TEST(BuMakine, AnyThreadGivesTheSameValues) {
  const QString beklenen = BilgisayarIdVer() + BilgisayarAdiVer() + KullaniciAdiVer() + IcIpVer();
  std::vector<QString> sonuclar(4);
  std::vector<std::thread> isler;
  for (QString& s : sonuclar)
    isler.emplace_back(
        [&s] { s = BilgisayarIdVer() + BilgisayarAdiVer() + KullaniciAdiVer() + IcIpVer(); });
  for (auto& t : isler) t.join();
  for (const QString& s : sonuclar) EXPECT_EQ(s, beklenen);
}

// ---- Folders -----------------------------------------------------------------

class Klasorler : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(dizin_.isValid());
    eski_ = {qgetenv("HOME"), qgetenv("XDG_CONFIG_HOME"), qgetenv("XDG_DATA_HOME")};
    qputenv("HOME", dizin_.path().toUtf8() + "/ev");
    qputenv("XDG_CONFIG_HOME", dizin_.path().toUtf8() + "/ayarlar");
    qputenv("XDG_DATA_HOME", dizin_.path().toUtf8() + "/veri/");
  }
  void TearDown() override {
    const char* adlar[] = {"HOME", "XDG_CONFIG_HOME", "XDG_DATA_HOME"};
    for (int i = 0; i < 3; ++i)
      eski_[i].isNull() ? qunsetenv(adlar[i]) : qputenv(adlar[i], eski_[i]);
  }
  QTemporaryDir dizin_;
  std::vector<QByteArray> eski_;
};

TEST_F(Klasorler, CreatedWhenMissingWithoutTrailingSeparator) {
  const struct {
    QString (*islev)();
    QString beklenen;
  } durumlar[] = {
      {AyarKlasoru, dizin_.path() + "/ayarlar/vadava"},
      {YerelVeriKlasoru, dizin_.path() + "/veri"},
      {BelgelerKlasoru, dizin_.path() + "/ev/Documents"},
  };
  for (const auto& d : durumlar) {
    ASSERT_FALSE(QFileInfo::exists(d.beklenen));
    EXPECT_EQ(d.islev(), d.beklenen);
    EXPECT_TRUE(QFileInfo(d.beklenen).isDir());
    EXPECT_EQ(d.islev(), d.beklenen) << "second call";
  }
}

TEST_F(Klasorler, FolderThatCannotBeCreated) {
  // A file where the configuration folder should be: the path still comes
  // back, so that reading finds nothing and writing fails.
  QFile engel(dizin_.path() + "/dosya");
  ASSERT_TRUE(engel.open(QIODevice::WriteOnly));
  engel.close();
  qputenv("XDG_CONFIG_HOME", dizin_.path().toUtf8() + "/dosya");
  EXPECT_EQ(AyarKlasoru(), dizin_.path() + "/dosya/vadava");
  EXPECT_FALSE(QFileInfo::exists(dizin_.path() + "/dosya/vadava"));

  EXPECT_EQ(KlasorHazirla(QString(), QStringLiteral("vadava")), QString());
  EXPECT_EQ(KlasorHazirla(dizin_.path() + "/a//b/", QString()), dizin_.path() + "/a/b");
}

}  // namespace
}  // namespace vlm
