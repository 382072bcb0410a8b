#pragma once
// The workstation values as Linux gives them. The system trees (/sys, /dev)
// and the host name are parameters, so that a fake tree can stand in.
#ifndef _WIN32
#include <QByteArray>
#include <QString>

namespace vlm::lnx {

// The host name up to its first dot; empty when longer than 15 characters.
QString BilgisayarAdi();
// The passwd entry of the real user, else $USER, else $LOGNAME; empty when
// longer than 15 characters.
QString KullaniciAdi();
// The first IPv4 address of the name; "127.0.0.1" when it does not resolve.
QString IcIp(const QByteArray& konakAdi);
// The same for the host's own name.
QString IcIp();

// The adapters of <sysKoku>/class/net with a six-byte hardware address, in
// interface index order (loopback included: its zero address passes on to the
// next one). An adapter whose address cannot be read is a failing adapter.
QString MacAdresi(const QString& sysKoku = QStringLiteral("/sys"));

// The serial number of the first physical disk of <sysKoku>/block (one with a
// device behind it, not removable, by name), from the device's own serial
// files, its SCSI unit serial page, or its <devKoku>/disk/by-id name; upper
// case, blanks at the ends trimmed; empty when none can be read.
QString DiskSeriNo(const QString& sysKoku = QStringLiteral("/sys"),
                   const QString& devKoku = QStringLiteral("/dev"));

}  // namespace vlm::lnx
#endif
