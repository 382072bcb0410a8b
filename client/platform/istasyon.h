#pragma once
// The workstation's values and the user's folders. Plain functions without
// state: each call asks the system again, from any thread. None reports an
// error: a value that cannot be had is the empty text.
#include <QString>

namespace vlm {

// Computer name; empty when longer than 15 characters.
QString BilgisayarAdiVer();
// Name of the signed-in user; empty when longer than 15 characters.
QString KullaniciAdiVer();
// Local IPv4 address in dotted form, "127.0.0.1" when it cannot be found.
QString IcIpVer();
// First network adapter address, "AA-BB-CC-DD-EE-FF".
QString MacAdresiVer();
// Serial number of the first physical disk, upper case.
QString DiskSeriNoVer();
// The workstation identity the server knows this machine by: the disk serial
// number, else the adapter address, without any blank.
QString BilgisayarIdVer();

// Folders, with "/" as separator and without a trailing one; each is created
// when missing. Empty when the system cannot name the folder.
//
// The per-user settings folder: the roaming application-data folder on
// Windows, the XDG configuration folder elsewhere, then "vadava".
QString AyarKlasoru();
// The user's local (non-roaming) application-data folder.
QString YerelVeriKlasoru();
// The user's Documents folder.
QString BelgelerKlasoru();

// taban + "/" + alt (alt may be empty), created when missing. The path is
// returned even when it cannot be created, so that reading from it finds
// nothing and writing to it fails; an empty taban gives the empty text.
QString KlasorHazirla(const QString& taban, const QString& alt = QString());

}  // namespace vlm
