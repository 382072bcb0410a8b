#pragma once
// The storage interface of the application server. The operations, the web
// side and the demo generator talk to the database only through it; the
// SQL lives behind it (SqliteStore), so another engine can be added by
// implementing this class.
#include <QByteArray>
#include <QDate>
#include <QDateTime>
#include <QList>
#include <QString>
#include <functional>
#include <memory>
#include <optional>

#include "rules/rules.h"
#include "store/table.h"

namespace vlm::server {

// ---- Entities as the seeding and admin code writes them ----

struct Seller {
  QString name, phone, mail;
};

struct Account {
  QString code, name, specialCode, mainGroup, subGroup;
  QString address1, address2, district, city, country = QStringLiteral("TÜRKİYE");
  QString phone1, phone2, fax1, fax2, gsm, email, contact, taxOffice, taxNumber;
  QString kod1, kod2, kod3, kod4, kod5;
  int sellerId = 0;
  Rates discounts{0, 0, 0, 0};
  int paymentDays = 30;      // VADE
  int overdueCheckDays = 0;  // VADEKONTROLGUN
  int overdueCheckMonths = 0;
};

struct User {
  QString login, password, mail;
  bool active = true;
  int customerType = 3;  // 1 representative, 2 manager, 3 dealer, 4 retail dealer
  int accountId = 0;     // 0: none (representatives choose one)
  int sellerId = 0;
};

struct Picture {
  QByteArray mime;  // "image/jpeg", "image/gif", "image/bmp"
  QByteArray data;
};

struct Product {
  QString code, name, otherName, barcodeNo, finishCode, producerCode;
  QString oemNo, oem1, oem2, oem3, oem4;
  QString unit = QStringLiteral("ADET"), make, model, group, specialCode, dpCode, pCode;
  QString department;
  double vat = 20, listPrice = 0, campaignPrice = 0;
  bool isNew = false;
  int state = 1;  // DURUM 0..5
  double stock = 0, onOrder = 0;
  int pictureId = 0;  // 0: none
};

struct OrderLineInput {
  int productId = 0;
  double quantity = 0, price = 0, firstPrice = 0, vat = 20;
  Rates rates{0, 0, 0, 0};
  double delivered = 0;
  int campaign = 0;
  int cartLineId = 0;
  QString note;
};

struct Order {
  int accountId = 0, userId = 0, deliveryId = 0, cargoTypeId = 0, cargoCompanyId = 0;
  QDateTime created;
  int status = 2;  // 2 Alındı ... 7 Sevk Edildi
  QString customerNote, ourNote, sellerNote;
  QList<OrderLineInput> lines;
};

struct InvoiceLine {
  int productId = 0;
  double quantity = 0, price = 0, vat = 20, expense = 0;
  Rates rates{0, 0, 0, 0};
  QString note;
};

struct Invoice {
  int accountId = 0;
  QDateTime date;
  QString kind = QStringLiteral("Satış Faturası");
  QString docNo, sellerName, waybillNo, orderDocNo;
  QDate waybillDate, orderDate;
  int paymentDays = 30;
  QList<InvoiceLine> lines;
};

struct Collection {
  int accountId = 0;
  QDateTime date;
  QString kind = QStringLiteral("Tahsilat");  // or "Tediye"
  QString type;                               // Nakit, Kredi Kartı, Çek, Havale
  QString docNo, description, ref;
  QDate due;
  double amount = 0;
};

struct PosPayment {
  int collectionId = 0;
  QDateTime date;
  QString cardMasked, authCode;
  double amount = 0;
  int installments = 1;
  QByteArray receiptPdf;
};

struct Movement {
  int accountId = 0;
  QDateTime date;
  QString kindName;  // TURADI
  QString docNo, description;
  double debit = 0, credit = 0;
  int docId = 0;
};

struct Announcement {
  int position = 0;
  QString title, action;
  QByteArray jpeg;
};

struct OutboxEntry {
  int id = 0;
  QDateTime created;
  QString kind;  // "mail", "sifre", "istek"
  QString identity, recipient, subject, body;
  bool sent = false;
};

// ---- What the queries hand back besides tables ----

struct Login {
  int userId = 0;
  QString login, password, userMail;
  bool active = false;
  int customerType = 1;
  int accountId = 0;
  QString accountCode, accountName;
  int sellerId = 0;
  QString sellerName, sellerPhone, sellerMail;
  QString computerName, osUser, localIp, publicIp;
};

struct AccountCard {
  Account account;
  int id = 0;
  QString sellerName, sellerPhone, sellerMail;
  double debit = 0, credit = 0;  // sums of the statement
  QString login, password, userMail;
};

struct ProductInfo {
  int id = 0;
  QString code, name;
  double vat = 0, listPrice = 0, campaignPrice = 0;
};

struct CartLine {
  int id = 0, accountId = 0, productId = 0;
  double quantity = 0, price = 0, vat = 0;
  Rates rates{0, 0, 0, 0};
  bool selected = false;
};

struct OrderLineInfo {
  int id = 0, orderId = 0, accountId = 0, productId = 0;
  double quantity = 0, delivered = 0, cancelled = 0, price = 0, vat = 0;
  Rates rates{0, 0, 0, 0};
  double open() const { return std::max(0.0, quantity - delivered - cancelled); }
};

struct OrderFooter {
  QString status, deliveryKind, cargoKind, cargoCompany, placedBy;
  QString customerNote, ourNote, sellerNote;
};

struct OrderPlacement {
  int accountId = 0, userId = 0, deliveryId = 0, cargoTypeId = 0, cargoCompanyId = 0;
  QString note;
};

// Whose customers a user sees: all of them, one representative's, or one.
struct Scope {
  enum Kind { All, Seller, Account } kind = Account;
  int id = 0;
};

struct StatusCounts {
  int received = 0, approved = 0, seen = 0, partlyPrepared = 0, prepared = 0, dispatched = 0;
};

struct Counters {
  int cartLines = 0, newProducts = 0, campaignProducts = 0, announcements = 0;
  double openBalances = 0;
};

class Store {
 public:
  virtual ~Store() = default;

  // One write transaction around `work`; nested calls join the outer one.
  // An exception out of `work` rolls everything back and is rethrown.
  virtual void transaction(const std::function<void()>& work) = 0;
  virtual int schemaVersion() = 0;

  // Settings: "version", "kayanyazi", "web.home", ...
  virtual QString setting(const QString& key, const QString& fallback = {}) = 0;
  virtual void setSetting(const QString& key, const QString& value) = 0;

  // ---- Seeding and administration ----
  virtual int addSeller(const Seller& s) = 0;
  virtual int addAccount(const Account& a) = 0;
  virtual int addUser(const User& u) = 0;
  virtual void bindWorkstation(const QString& identity, int userId) = 0;
  virtual int addPicture(const Picture& p) = 0;
  virtual int addProduct(const Product& p) = 0;
  virtual int addDeliveryMode(const QString& name) = 0;
  virtual int addCargoType(const QString& name) = 0;
  virtual int addCargoCompany(int cargoTypeId, const QString& name, const QString& warning) = 0;
  virtual int addOrder(const Order& o) = 0;
  virtual int addInvoice(const Invoice& i) = 0;
  virtual int addCollection(const Collection& c) = 0;
  virtual int addPosPayment(const PosPayment& p) = 0;
  virtual int addMovement(const Movement& m) = 0;
  virtual void setBanner(int slot, const Picture& p) = 0;
  virtual int addAnnouncement(const Announcement& a) = 0;
  virtual qint64 productCount() = 0;
  virtual QList<int> accountIds() = 0;
  virtual std::optional<User> user(int userId) = 0;

  // ---- Login and account cards ----
  virtual std::optional<Login> workstationLogin(const QString& identity) = 0;
  // The active or inactive user with this login name and password.
  virtual std::optional<Login> userLogin(const QString& login, const QString& password) = 0;
  virtual void noteWorkstation(const QString& identity, const QString& computerName,
                               const QString& osUser, const QString& localIp,
                               const QString& publicIp) = 0;
  virtual std::optional<AccountCard> accountCard(int accountId) = 0;
  virtual std::optional<Rates> accountDiscounts(int accountId) = 0;
  virtual bool accountInScope(int accountId, const Scope& scope) = 0;

  // ---- Catalogue ----
  // Products whose folded search key holds `folded` or whose compact key
  // holds `compact`, by code, at most `limit` rows. Columns of the stock
  // list without the account's prices.
  virtual Table searchProducts(const QString& folded, const QString& compact, int limit) = 0;
  virtual Table newProducts() = 0;
  virtual Table campaignProducts() = 0;
  virtual std::optional<ProductInfo> product(int productId) = 0;
  virtual std::optional<Picture> productPicture(int productId) = 0;
  // Product picture for a product number, else a banner picture by its
  // web number.
  virtual std::optional<Picture> webPicture(int id) = 0;
  virtual Table stockMovements(int accountId, int productId) = 0;

  // ---- Cart ----
  virtual Table cartLines(int accountId) = 0;
  virtual std::optional<CartLine> cartLine(int lineId) = 0;
  virtual int addCartLine(const CartLine& line, int userId, int campaign) = 0;
  virtual bool updateCartLine(const CartLine& line, int userId) = 0;
  virtual bool deleteCartLine(int accountId, int lineId) = 0;
  virtual int clearCart(int accountId) = 0;
  virtual bool markCartLine(int lineId, bool selected) = 0;
  // Turns the account's marked cart lines into one order and removes them
  // from the cart, atomically. No marked line: nothing changes, nullopt.
  virtual std::optional<int> placeOrder(const OrderPlacement& p) = 0;

  // ---- Reference lists ----
  virtual Table deliveryModes() = 0;
  virtual Table cargoTypes() = 0;
  virtual Table cargoCompanies(int cargoTypeId) = 0;

  // ---- Orders and balances ----
  virtual Table previousOrders(int accountId) = 0;
  // Lines of the account's orders: of one order unless `orderId` is 0, of
  // one product unless `productId` is 0, only open balances if `openOnly`.
  virtual Table orderLines(int accountId, int orderId, int productId, bool openOnly) = 0;
  virtual std::optional<OrderFooter> orderFooter(int orderId) = 0;
  virtual std::optional<OrderLineInfo> orderLine(int lineId) = 0;
  virtual bool setOrderLineCancelled(int lineId, double cancelled) = 0;
  virtual bool setOrderLinePrice(int lineId, double price, const Rates& rates) = 0;

  // ---- Account documents ----
  virtual Table statement(int accountId) = 0;
  virtual Table invoiceLines(int accountId, int invoiceId) = 0;
  virtual Table invoiceTotals(int invoiceId) = 0;
  virtual Table collection(int collectionId) = 0;
  virtual int posPaymentOf(int collectionId) = 0;
  virtual std::optional<QByteArray> posReceipt(int posPaymentId) = 0;

  // ---- Representative desk and reports ----
  // Customers in scope; `kind` 0 filters by `folded` text over code and
  // name (empty: all), 1 those with cart lines, 2..7 those with orders in
  // that state.
  virtual Table customers(const Scope& scope, int kind, const QString& folded) = 0;
  virtual int customersWithCart(const Scope& scope) = 0;
  virtual StatusCounts statusCounts(const Scope& scope) = 0;
  virtual Table ordersTaken(const Scope& scope, const QDate& from, const QDate& to) = 0;
  virtual Table bestSellers(const Scope& scope, const QDate& from, const QDate& to) = 0;
  // Invoiced and collected amounts per month of one account.
  virtual Table monthlyTotals(int accountId, const QDate& from, const QDate& to) = 0;
  virtual Counters counters(int accountId) = 0;

  // ---- Content ----
  virtual std::optional<Picture> banner(int slot) = 0;
  virtual QList<Announcement> announcements() = 0;

  // ---- Outbox ----
  virtual int addOutbox(const OutboxEntry& e) = 0;
  virtual QList<OutboxEntry> outbox(bool unsentOnly) = 0;
  virtual void markSent(int outboxId) = 0;
};

// Opens (creating and migrating when needed) an SQLite database file.
std::unique_ptr<Store> openSqliteStore(const QString& path);

// Order states, as numbered by the representative desk's list kinds.
QString orderStatusText(int status);

}  // namespace vlm::server
