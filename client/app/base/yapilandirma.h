#pragma once
// Configuration values of the build (hosts, addresses, ports). Each can be
// overridden at run time by an environment variable of the same name, for
// the demo and the tests.
#include <QString>

namespace vlm {

QString SunucuHost();  // VLM_SUNUCU_HOST: public host of the application server
QString WebHost();     // VLM_WEB_HOST: host (and port) of the web side; the server host by default
QString YerelWebHost();     // VLM_YEREL_WEB_HOST: the same inside the distributor's network
QString YerelSunucu();      // VLM_YEREL_SUNUCU: the server inside the distributor's network
QString FirmaDisIp();       // VLM_FIRMA_DIS_IP: public address of the distributor's network
QString IpEchoAdresi();     // VLM_IPECHO_URL: the IP-echo service
QString WebSitesiAdresi();  // VLM_WEB_ADRESI: the distributor's web site (home page)
int SunucuPortu();          // VLM_SUNUCU_PORT: port of the application server
QString
IletisimMetni();  // VLM_ILETISIM: the distributor's address and numbers, lines joined by "|"
QString KurulumAdresi();  // VLM_KURULUM_URL: the installer of the new version

// The host name of an address ("http://www.example.com/x" gives "www.example.com").
QString AdresinHostu(const QString& adres);

}  // namespace vlm
