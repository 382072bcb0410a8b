#pragma once
// The process-wide addresses chosen at login: the application server, the
// web image handler and the web site. Set once by the login, read everywhere
// afterwards (from any thread).
#include <QString>

namespace vlm {

QString SunucuAdresi();  // host of the application server
QString ResimAdresi();   // "http://HOST/resimgoster.ashx?id=", a number is appended
QString WebAdresi();     // "http://HOST/"

// The public set (the defaults) or the distributor's local set.
void AdresleriAyarla(bool yerelAg);

// True when the workstation's public address is the distributor's own, that
// is, when it sits in the distributor's network (exact comparison).
bool FirmaAgindaMi(const QString& disIp);

}  // namespace vlm
