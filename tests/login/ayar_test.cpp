// The settings file: what it writes, what it reads back, and what it makes of
// files it did not write.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <sys/stat.h>

#include <ostream>

#include "ayar.h"

namespace vlm {

bool operator==(const Ayarlar& a, const Ayarlar& b) {
  return a.isim == b.isim && a.sifre == b.sifre && a.hatirla == b.hatirla;
}
void PrintTo(const Ayarlar& a, std::ostream* os) {
  *os << '{' << a.isim.toStdString() << '|' << a.sifre.toStdString() << '|' << a.hatirla << '}';
}

namespace {

QByteArray Utf16(const QString& metin, bool kucukSonlu) {
  QByteArray bayt = kucukSonlu ? QByteArray("\xFF\xFE") : QByteArray("\xFE\xFF");
  for (QChar c : metin) {
    const char yuksek = static_cast<char>(c.unicode() >> 8);
    const char dusuk = static_cast<char>(c.unicode() & 0xFF);
    bayt += kucukSonlu ? dusuk : yuksek;
    bayt += kucukSonlu ? yuksek : dusuk;
  }
  return bayt;
}

class AyarDosyasiTest : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(dizin_.isValid()); }

  QString yol() const { return dizin_.filePath(QStringLiteral("ayar.ini")); }
  void Yaz(const QByteArray& icerik) {
    QFile dosya(yol());
    ASSERT_TRUE(dosya.open(QIODevice::WriteOnly | QIODevice::Truncate));
    dosya.write(icerik);
  }
  QByteArray Icerik() const {
    QFile dosya(yol());
    return dosya.open(QIODevice::ReadOnly) ? dosya.readAll() : QByteArray();
  }
  mode_t Izinler() const {
    struct stat st {};
    return ::stat(QFile::encodeName(yol()).constData(), &st) == 0 ? (st.st_mode & 07777) : 0;
  }

  QTemporaryDir dizin_;
};

TEST_F(AyarDosyasiTest, ReadsBackWhatItWrote) {
  const Ayarlar durumlar[] = {
      {"ALİ", "ŞİFRE123", true},        {"", "", false},
      {"İĞÜŞÖÇ ığüşöç", "ÇÖĞ", false},  {"  BOŞLUK  ", " X ", true},
      {"\"TIRNAK\"", "'A'", false},     {"\"", "'", true},
      {"A=B;C#D", "[kullanici]", true}, {"; YORUM", "=", false},
  };
  for (const Ayarlar& a : durumlar) {
    ASSERT_TRUE(AyarYazDosya(yol(), a));
    EXPECT_EQ(AyarOkuDosya(yol()), a);
  }
  // Rewriting replaces the keys instead of adding them again.
  const QByteArray metin = Icerik();
  EXPECT_EQ(metin.count("isim="), 1);
  EXPECT_EQ(metin.count("hatırla="), 1);
}

TEST_F(AyarDosyasiTest, FileTextIsPlainUtf8) {
  ASSERT_TRUE(AyarYazDosya(yol(), {"ALİ", "ŞİFRE", true}));
  EXPECT_EQ(Icerik(), QByteArray("[kullanici]\nisim=ALİ\nsifre=ŞİFRE\nhatırla=1\n"));
  ASSERT_TRUE(AyarYazDosya(yol(), {"VELİ", "", false}));
  EXPECT_EQ(Icerik(), QByteArray("[kullanici]\nisim=VELİ\nsifre=\nhatırla=0\n"));
}

TEST_F(AyarDosyasiTest, ValuesCannotBreakTheirLine) {
  ASSERT_TRUE(AyarYazDosya(yol(), {"AD\nhatırla=0", "Ş\r\n[x]", true}));
  EXPECT_EQ(AyarOkuDosya(yol()), (Ayarlar{"ADhatırla=0", "Ş[x]", true}));
}

TEST_F(AyarDosyasiTest, OwnerOnly) {
  ASSERT_TRUE(AyarYazDosya(yol(), {"A", "B", true}));
  EXPECT_EQ(Izinler(), mode_t(0600));
  // A file left readable by others by an older writer is tightened.
  ASSERT_EQ(::chmod(QFile::encodeName(yol()).constData(), 0644), 0);
  ASSERT_TRUE(AyarYazDosya(yol(), {"A", "C", true}));
  EXPECT_EQ(Izinler(), mode_t(0600));
  // Nothing of the temporary copy is left behind.
  EXPECT_EQ(QDir(dizin_.path()).entryList(QDir::Files), QStringList{"ayar.ini"});
}

TEST_F(AyarDosyasiTest, ReadsWhatItCanOfForeignFiles) {
  const Ayarlar varsayilan{"", "", true};
  const struct {
    const char* durum;
    QByteArray icerik;
    Ayarlar beklenen;
  } durumlar[] = {
      {"empty", "", varsayilan},
      {"line breaks of Windows",
       "[kullanici]\r\nisim=ALİ\r\nsifre=12\r\nhatırla=0\r\n",
       {"ALİ", "12", false}},
      {"truncated in a key", "[kullanici]\nisim=ALİ\nsif", {"ALİ", "", true}},
      {"truncated in a letter", "[kullanici]\nisim=AL\xC4", {"AL", "", true}},
      {"truncated in the section", "[kullan", varsayilan},
      {"Windows-1254",
       "[kullanici]\r\nisim=AL\xDD\r\nsifre=\xDE\xD0\xFE\r\nhat\xFDrla=0\r\n",
       {"ALİ", "ŞĞş", false}},
      {"UTF-16 little-endian with mark",
       Utf16(QStringLiteral("[kullanici]\r\nisim=ÇAĞRI\r\nsifre=Ş1\r\nhatırla=0\r\n"), true),
       {"ÇAĞRI", "Ş1", false}},
      {"UTF-16 big-endian with mark",
       Utf16(QStringLiteral("[kullanici]\nisim=ÇAĞRI\nhatırla=1\n"), false),
       {"ÇAĞRI", "", true}},
      {"UTF-16 truncated to an odd length",
       Utf16(QStringLiteral("[kullanici]\nisim=ÇAĞRI\n"), true).chopped(1),
       {"ÇAĞRI", "", true}},
      {"UTF-8 with mark", "\xEF\xBB\xBF[kullanici]\nisim=ÖZ\n", {"ÖZ", "", true}},
      {"unknown keys, sections, comments; names without regard to case",
       "isim=ÖNCE\n[baska]\nisim=X\n[ KULLANICI ]\n; isim=Y\nrenk=mavi\nISIM = ALİ \n"
       "isim=İKİNCİ\nsifre = \" a \" \nbozuk satır\n=değer\n",
       {"ALİ", " a ", true}},
      {"the first section of the name counts",
       "[kullanici]\nisim=A\n[kullanici]\nisim=B\nsifre=C\n",
       {"A", "", true}},
      {"hatırla not a number", "[kullanici]\nhatırla=evet\n", varsayilan},
      {"hatırla empty", "[kullanici]\nhatırla=\n", varsayilan},
      {"hatırla 2", "[kullanici]\nhatırla=2\n", varsayilan},
      {"hatırla padded 0", "[kullanici]\nhatırla= 0 \n", {"", "", false}},
      {"zeros", QByteArray(4096, '\0'), varsayilan},
      {"binary junk", QByteArray("\x00\xFF\xFE\x01[kullanici]\x80\x81\n\x9F=\xFF", 18), varsayilan},
  };
  for (const auto& d : durumlar) {
    Yaz(d.icerik);
    EXPECT_EQ(AyarOkuDosya(yol()), d.beklenen) << d.durum;
  }
}

TEST_F(AyarDosyasiTest, HugeFileIsReadFromItsStart) {
  QByteArray icerik = "[kullanici]\nisim=ALİ\n";
  icerik += QByteArray(8 << 20, 'x');
  icerik += "\nsifre=SONDA\n";
  Yaz(icerik);
  EXPECT_EQ(AyarOkuDosya(yol()), (Ayarlar{"ALİ", "", true}));
}

TEST_F(AyarDosyasiTest, WritingKeepsWhatElseTheFileHolds) {
  const struct {
    const char* durum;
    QByteArray once, sonra;
  } durumlar[] = {
      {"other sections and keys",
       "; yorum\n[baska]\nx=1\n\n[KULLANICI]\nrenk=mavi\nisim=ESKİ\n\n[son]\ny=2\n",
       "; yorum\n[baska]\nx=1\n\n[KULLANICI]\nrenk=mavi\nisim=YENİ\nsifre=S\nhatırla=0\n\n"
       "[son]\ny=2\n"},
      {"no such section", "[baska]\nx=1",
       "[baska]\nx=1\n\n[kullanici]\nisim=YENİ\nsifre=S\nhatırla=0\n"},
      {"Windows-1254 turned into UTF-8", "[kullanici]\r\nhat\xFDrla=1\r\n\xDE=\xFE\r\n",
       "[kullanici]\nhatırla=0\nŞ=ş\nisim=YENİ\nsifre=S\n"},
  };
  for (const auto& d : durumlar) {
    Yaz(d.once);
    ASSERT_TRUE(AyarYazDosya(yol(), {"YENİ", "S", false})) << d.durum;
    EXPECT_EQ(Icerik(), d.sonra) << d.durum;
  }
}

TEST_F(AyarDosyasiTest, NowhereToReadOrWrite) {
  const Ayarlar varsayilan{"", "", true};
  const QString eksikKlasor = dizin_.filePath(QStringLiteral("yok/ayar.ini"));
  EXPECT_EQ(AyarOkuDosya(eksikKlasor), varsayilan);
  EXPECT_FALSE(AyarYazDosya(eksikKlasor, {"A", "B", true}));
  EXPECT_FALSE(QFileInfo::exists(eksikKlasor));

  EXPECT_EQ(AyarOkuDosya(QString()), varsayilan);
  EXPECT_FALSE(AyarYazDosya(QString(), {"A", "B", true}));

  ASSERT_TRUE(QDir(dizin_.path()).mkdir(QStringLiteral("klasor.ini")));
  const QString klasor = dizin_.filePath(QStringLiteral("klasor.ini"));
  EXPECT_EQ(AyarOkuDosya(klasor), varsayilan);
  EXPECT_FALSE(AyarYazDosya(klasor, {"A", "B", true}));
}

// The file in the settings folder, found through the environment the way the
// login window finds it.
class AyarKlasoruTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(dizin_.isValid());
    eski_ = qgetenv("XDG_CONFIG_HOME");
  }
  void TearDown() override {
    eski_.isNull() ? qunsetenv("XDG_CONFIG_HOME") : qputenv("XDG_CONFIG_HOME", eski_);
  }
  QTemporaryDir dizin_;
  QByteArray eski_;
};

TEST_F(AyarKlasoruTest, FileInTheSettingsFolder) {
  qputenv("XDG_CONFIG_HOME", QFile::encodeName(dizin_.path()));
  const QString yol = AyarDosyasi();
  EXPECT_EQ(yol, dizin_.path() + QStringLiteral("/vadava/ayar.ini"));
  ASSERT_TRUE(AyarYazDosya(yol, {"ALİ", "Ş", false}));
  EXPECT_EQ(AyarOkuDosya(AyarDosyasi()), (Ayarlar{"ALİ", "Ş", false}));
}

TEST_F(AyarKlasoruTest, FolderThatCannotBeCreated) {
  QFile engel(dizin_.filePath(QStringLiteral("dosya")));
  ASSERT_TRUE(engel.open(QIODevice::WriteOnly));
  engel.close();
  qputenv("XDG_CONFIG_HOME", QFile::encodeName(engel.fileName()));
  const QString yol = AyarDosyasi();
  EXPECT_EQ(AyarOkuDosya(yol), (Ayarlar{"", "", true}));
  EXPECT_FALSE(AyarYazDosya(yol, {"A", "B", true}));
}

}  // namespace
}  // namespace vlm
