#pragma once
// The distributor's web side over HTTP (Qt HttpServer): the home page, the
// image handler, the request form for unregistered workstations, the
// IP-echo service and the installer download.
//
//   /                          home page
//   /resimgoster.ashx?id=N     product picture N, or banner 900001..900003
//   /formmailgonder.aspx?...   request form (GET) and its submission (POST)
//   /ip                        the caller's address as plain text
//   /exe/VLMSetup.exe          the installer
#include <QByteArray>
#include <QHostAddress>
#include <QString>
#include <memory>

#include "store/store.h"

class QHttpServer;

namespace vlm::server {

class WebSite {
 public:
  struct Options {
    QString installerPath;  // empty: a small placeholder is served
  };
  WebSite(Store& store, Options options);
  ~WebSite();

  // Listens on the address and port (0: any free one); returns the port, 0
  // when it could not listen.
  quint16 listen(const QHostAddress& address, quint16 port);

 private:
  Store& store_;
  Options options_;
  std::unique_ptr<QHttpServer> http_;
};

// The dotted IPv4 form of an address, also for IPv4-mapped IPv6 ones.
QString plainAddress(const QHostAddress& address);

}  // namespace vlm::server
