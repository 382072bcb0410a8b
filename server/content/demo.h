#pragma once
// The demo data: an invented Turkish spare-parts distributor with its
// catalogue, dealers, representatives, orders, statements, invoices,
// collections, banners and announcements. The same code makes the small
// deterministic fixture of the tests.
#include <QDate>
#include <QList>
#include <QString>

#include "store/store.h"

namespace vlm::server {

struct DemoOptions {
  int products = 20000;
  int accounts = 24;
  int sellers = 4;
  int ordersPerAccount = 8;
  int distinctPictures = 36;
  quint32 seed = 20240517;
  QDate today = QDate::currentDate();

  // The full demo catalogue.
  static DemoOptions demo();
  // The small fixture of the tests: same shapes, fixed seed and day.
  static DemoOptions fixture();
};

struct DemoUser {
  QString identity, login, password;
  int userId = 0;
  int customerType = 0;
  int accountId = 0;
};

// Fills an empty database; returns the users bound to demo workstations
// (identity "DEMO-" + login).
QList<DemoUser> generateDemo(Store& store, const DemoOptions& options);

// Binds `identity` to a new user of the given customer type on a demo
// account (type 1 on a representative, 2 without account), or returns the
// user it is bound to already.
DemoUser registerWorkstation(Store& store, const QString& identity, int customerType);

// A password of plain capitals and digits without the letters I and O,
// which the client's capitalising boxes could turn into other letters.
QString makePassword(quint32 seed);

}  // namespace vlm::server
