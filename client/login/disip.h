#pragma once
// The workstation's public IPv4 address, as an IP-echo web service sees it.
#include <QString>
#include <atomic>

namespace vlm {

// One attempt: an HTTP GET of the echo address, 15 s to connect, 1.5 s to
// read. Returns the trimmed answer when it is a dotted IPv4 address; an
// empty text otherwise, with the reason in hata.
QString DisIpDene(const QString& adres, QString* hata = nullptr);

// Asks again every second until an attempt succeeds. With iptal set by
// another thread the loop gives up and returns an empty text.
QString DisIpVer(const std::atomic<bool>* iptal = nullptr);

// "85.105.12.7": four decimal numbers from 0 to 255, nothing else.
bool Ipv4Mu(const QString& metin);

}  // namespace vlm
