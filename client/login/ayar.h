#pragma once
// The settings file "ayar.ini": the last user name and password and whether
// the login window should remember them. Section "kullanici", keys "isim",
// "sifre", "hatırla" ("1" or "0"); written as UTF-8.
#include <QString>

namespace vlm {

struct Ayarlar {
  QString isim;
  QString sifre;
  bool hatirla = true;
};

// The file's path in the settings folder; empty when there is no folder.
QString AyarDosyasi();

// Reads what can be read: a missing, empty, truncated or foreign-encoded file
// or an empty path gives the defaults for whatever it lacks (empty texts,
// "hatırla" ticked). A "hatırla" that is not a number counts as ticked.
Ayarlar AyarOkuDosya(const QString& yol);

// Writes the three keys, keeping whatever else the file holds. The file is
// replaced atomically and readable and writable by its owner only. Returns
// false (and leaves any old file as it was) when it cannot be written.
bool AyarYazDosya(const QString& yol, const Ayarlar& ayarlar);

}  // namespace vlm
