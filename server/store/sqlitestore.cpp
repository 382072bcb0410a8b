// The storage interface on SQLite through Qt Sql: one connection per
// thread, WAL journal, every value bound.
#include <QDir>
#include <QFileInfo>
#include <QSqlError>

#include "store/schema.h"
#include "store/sqlconnection.h"
#include "store/store.h"

namespace vlm::server {

QString orderStatusText(int status) {
  switch (status) {
    case 2: return QStringLiteral("Alındı");
    case 3: return QStringLiteral("Onaylandı");
    case 4: return QStringLiteral("Görüldü");
    case 5: return QStringLiteral("Parçalı Hazırlandı");
    case 6: return QStringLiteral("Hazırlandı");
    case 7: return QStringLiteral("Sevk Edildi");
  }
  return QStringLiteral("Bilinmiyor");
}

namespace {

constexpr auto I = ColumnType::Integer;
constexpr auto F = ColumnType::Float;
constexpr auto T = ColumnType::Text;
constexpr auto M = ColumnType::Memo;
constexpr auto D = ColumnType::Date;
constexpr auto DT = ColumnType::DateTime;

QString iso(const QDateTime& dt) {
  return (dt.isValid() ? dt : QDateTime::currentDateTime())
      .toString(QStringLiteral("yyyy-MM-ddTHH:mm:ss"));
}
QString iso(const QDate& d) {
  return d.isValid() ? d.toString(Qt::ISODate) : QString();
}
QVariant nullIfZero(int id) {
  return id > 0 ? QVariant(id) : QVariant(QMetaType(QMetaType::Int));
}

// SQL of the status text of an order, in step with orderStatusText.
const QString kStatusText = QStringLiteral(
    "CASE o.status WHEN 2 THEN 'Alındı' WHEN 3 THEN 'Onaylandı' WHEN 4 THEN 'Görüldü' "
    "WHEN 5 THEN 'Parçalı Hazırlandı' WHEN 6 THEN 'Hazırlandı' WHEN 7 THEN 'Sevk Edildi' "
    "ELSE 'Bilinmiyor' END");

// Quantity still owed on received orders, per product.
const QString kReceivedOrders = QStringLiteral(
    "(SELECT COALESCE(SUM(MAX(r.quantity - r.delivered - r.cancelled, 0)), 0) "
    "FROM order_lines r WHERE r.product_id = p.id)");

const QString kOpen = QStringLiteral("MAX(l.quantity - l.delivered - l.cancelled, 0)");

// Columns that every product list carries, before the account's prices.
QList<Col> productColumns() {
  return {
      {"DURUM", I, "p.state"},
      {"OEM1", M, "p.oem1"},
      {"OEM2", M, "p.oem2"},
      {"OEM3", M, "p.oem3"},
      {"OEM4", M, "p.oem4"},
      {"BARKOD", T, "p.code"},
      {"ADI", T, "p.name"},
      {"STOK_STOKNO", I, "p.id"},
      {"FINISHKOD", T, "p.finish_code"},
      {"URETICIKODU", T, "p.producer_code"},
      {"RESIM", I, "(p.picture_id IS NOT NULL)"},
      {"BARKOD_BARKODNO", T, "p.barcode_no"},
      {"DIGERADI", T, "p.other_name"},
      {"DPKOD", T, "p.dp_code"},
      {"OEMNO", T, "p.oem_no"},
      {"BIRIM", T, "p.unit"},
      {"MARKA", T, "p.make"},
      {"MODEL", T, "p.model"},
      {"ANAGRUP", T, "p.grp"},
      {"OZELKOD", T, "p.special_code"},
      {"KALAN", F, "p.stock"},
      {"PKOD", T, "p.p_code"},
      {"KDV", F, "p.vat"},
      {"ALINANSIPARIS", F, kReceivedOrders},
      {"VERILENSIPARIS", F, "p.on_order"},
      {"LISTEFIYAT1", F, "p.list_price"},
      {"ESKIFIYAT", F, "p.list_price"},
      {"KAMPFIYAT", F, "p.campaign_price"},
      {"FIYAT", F, "p.list_price"},
      {"Y", I, "p.is_new"},
      {"K", I, "(p.campaign_price > 0)"},
  };
}

// Columns shared by cart lines and order lines. `l` is the line, `p` the
// product, `a` the account, `u` the placing user; `kind` tells which.
enum class LineKind { Cart, Order };
QList<Col> lineColumns(LineKind kind) {
  const bool cart = kind == LineKind::Cart;
  const QString created = cart ? QStringLiteral("l.created") : QStringLiteral("o.created");
  QList<Col> cols = {
      {"SEC", I, cart ? "l.selected" : "0"},
      {"VERILISTARIHI", DT, created},
      {"BARKOD", T, "p.code"},
      {"FINISHKOD", T, "p.finish_code"},
      {"OEMNO", T, "p.oem_no"},
      {"STOKADI", T, "p.name"},
      {"MIKTAR", F, "l.quantity"},
      {"BIRIMFIYAT", F, "l.price"},
      {"TUTAR", F, "l.gross"},
      {"INDIRIMYAZI", T, "''"},
      {"NETBIRIMFIYAT", F, "l.net_unit"},
      {"KDV", F, "l.vat"},
      {"VERGITUTARI", F, "l.vat_amount"},
      {"NETTUTAR", F, "l.net"},
      {"VEREN", T, "COALESCE(u.login, '')"},
      {"DURUM", I, "p.state"},
      {"SIPARISNO", I, cart ? "0" : "o.id"},
      {"TARIH", D, "substr(" + created + ", 1, 10)"},
      {"KUR", T, "'TL'"},
      {"SAAT", T, "substr(" + created + ", 12, 5)"},
      {"ACIKLAMA", T, "l.note"},
      {"OEM1", M, "p.oem1"},
      {"OEM2", M, "p.oem2"},
      {"OEM3", M, "p.oem3"},
      {"OEM4", M, "p.oem4"},
      {"DIGERADI", T, "p.other_name"},
      {"DPKOD", T, "p.dp_code"},
      {"MARKA", T, "p.make"},
      {"MODEL", T, "p.model"},
      {"ANAGRUP", T, "p.grp"},
      {"OZELKOD", T, "p.special_code"},
      {"PKOD", T, "p.p_code"},
      {"INDIRIMORANI1", F, "l.disc1"},
      {"INDIRIMORANI2", F, "l.disc2"},
      {"INDIRIMORANI3", F, "l.disc3"},
      {"INDIRIMORANI4", F, "l.disc4"},
      {"SIRANO", I, cart ? "l.id" : "l.cart_line_id"},
      {"CARINO", I, "a.id"},
      {"AKTAR", I, "0"},
      {"STOKNO", I, "p.id"},
      {"INDIRIMTUTAR", F, "l.discount"},
      {"KURTL", F, "1.0"},
      {"VERENIDNO", I, "COALESCE(u.id, 0)"},
      {"TESLIMID", I, cart ? "0" : "COALESCE(o.delivery_id, 0)"},
      {"KARGOID", I, cart ? "0" : "COALESCE(o.cargo_type_id, 0)"},
      {"IDNO", I, cart ? "l.id" : "o.id"},
      {"VERENSIRANO", I, "COALESCE(u.id, 0)"},
      {"CARIKOD", T, "a.code"},
      {"CARIADI", T, "a.name"},
      {"STOK_STOKNO", I, "p.id"},
      {"URETICIKODU", T, "p.producer_code"},
      {"K", I, "l.campaign"},
      {"KALAN", F, cart ? "p.stock" : kOpen},
  };
  if (!cart) {
    cols += {
        {"ILKFIYAT", F, "l.first_price"},
        {"TESLIMEDILEN", F, "l.delivered"},
        {"ELDEKI", F, "p.stock"},
        {"ALINANSIPARIS", F, kReceivedOrders},
        {"VERILENSIPARIS", F, "p.on_order"},
        {"TESLIM", T, "COALESCE(dm.name, '')"},
        {"KARGO", T, "COALESCE(ct.name, '')"},
        {"STOKHAR_NO", I, "l.id"},
    };
  }
  return cols;
}

// INDIRIMYAZI from the four rate columns, row by row.
void fillRatesText(Table& t) {
  const int text = t.indexOf(QStringLiteral("INDIRIMYAZI"));
  const int r1 = t.indexOf(QStringLiteral("INDIRIMORANI1"));
  if (text < 0 || r1 < 0) return;
  for (QVariantList& row : t.rows) {
    const Rates r{row[r1].toDouble(), row[r1 + 1].toDouble(), row[r1 + 2].toDouble(),
                  row[r1 + 3].toDouble()};
    row[text] = ratesText(r);
  }
}

// The statement's running balance and debtor/creditor mark.
QString balanceSql() {
  return QStringLiteral("SUM(m.debit - m.credit) OVER (ORDER BY m.date, m.id)");
}

// Customers a scope covers, as an SQL condition on `a` with one bound value.
QString scopeCondition(const Scope& s) {
  switch (s.kind) {
    case Scope::All: return QStringLiteral("(? IS NOT NULL)");
    case Scope::Seller: return QStringLiteral("a.seller_id = ?");
    case Scope::Account: return QStringLiteral("a.id = ?");
  }
  return QStringLiteral("0");
}
QVariant scopeValue(const Scope& s) {
  return s.kind == Scope::All ? QVariant(0) : QVariant(s.id);
}

class SqliteStore final : public Store {
 public:
  explicit SqliteStore(const QString& path) : pool_(path) { migrate(); }

  QSqlDatabase db() { return pool_.database(); }

  // ---- transactions ----
  void transaction(const std::function<void()>& work) override {
    thread_local int depth = 0;
    if (depth > 0) {
      work();
      return;
    }
    QSqlDatabase d = db();
    Sql(d, QStringLiteral("BEGIN IMMEDIATE")).exec();
    ++depth;
    try {
      work();
      --depth;
      Sql(d, QStringLiteral("COMMIT")).exec();
    } catch (...) {
      depth = 0;
      QSqlQuery rollback(d);
      rollback.exec(QStringLiteral("ROLLBACK"));
      throw;
    }
  }

  void migrate() {
    QSqlDatabase d = db();
    {
      QSqlQuery q(d);
      q.exec(QStringLiteral("PRAGMA journal_mode=WAL"));
    }
    Sql(d, QStringLiteral("CREATE TABLE IF NOT EXISTS schema_version(version INTEGER NOT NULL)"))
        .exec();
    transaction([&] {
      int version = currentVersion(d);
      if (version < 0) {
        Sql(d, QStringLiteral("INSERT INTO schema_version(version) VALUES (0)")).exec();
        version = 0;
      }
      const auto& steps = migrations();
      if (version > steps.size())
        throw StoreError("Veritabanı bu sunucudan yeni (şema sürümü " + std::to_string(version) +
                         ")");
      for (int v = version; v < steps.size(); ++v) {
        for (const QString& stmt : steps[v]) Sql(d, stmt).exec();
        Sql(d, QStringLiteral("UPDATE schema_version SET version = ?")).bind(v + 1).exec();
      }
    });
  }

  static int currentVersion(const QSqlDatabase& d) {
    Sql q(d, QStringLiteral("SELECT version FROM schema_version"));
    q.exec();
    return q.next() ? q.value(0).toInt() : -1;
  }

  int schemaVersion() override { return currentVersion(db()); }

  // ---- settings ----
  QString setting(const QString& key, const QString& fallback) override {
    Sql q(db(), QStringLiteral("SELECT value FROM settings WHERE key = ?"));
    q.bind(key).exec();
    return q.next() ? q.value(0).toString() : fallback;
  }
  void setSetting(const QString& key, const QString& value) override {
    Sql(db(), QStringLiteral("INSERT INTO settings(key, value) VALUES (?, ?) "
                             "ON CONFLICT(key) DO UPDATE SET value = excluded.value"))
        .bind(key)
        .bind(value)
        .exec();
  }

  int insert(const QString& text, const QVariantList& values) {
    Sql q(db(), text);
    for (const QVariant& v : values) q.bind(v);
    q.exec();
    return int(q.lastId());
  }

  // ---- seeding ----
  int addSeller(const Seller& s) override {
    return insert(QStringLiteral("INSERT INTO sellers(name, phone, mail) VALUES (?, ?, ?)"),
                  {s.name, s.phone, s.mail});
  }

  int addAccount(const Account& a) override {
    return insert(
        QStringLiteral(
            "INSERT INTO accounts(code, name, name_key, special_code, main_group, sub_group, "
            "address1, address2, district, city, country, phone1, phone2, fax1, fax2, gsm, email, "
            "contact, tax_office, tax_number, kod1, kod2, kod3, kod4, kod5, seller_id, disc1, "
            "disc2, disc3, disc4, payment_days, overdue_days, overdue_months) VALUES "
            "(?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?)"),
        {a.code,
         a.name,
         foldText(a.code + QLatin1Char(' ') + a.name + QLatin1Char(' ') + a.contact +
                  QLatin1Char(' ') + a.city),
         a.specialCode,
         a.mainGroup,
         a.subGroup,
         a.address1,
         a.address2,
         a.district,
         a.city,
         a.country,
         a.phone1,
         a.phone2,
         a.fax1,
         a.fax2,
         a.gsm,
         a.email,
         a.contact,
         a.taxOffice,
         a.taxNumber,
         a.kod1,
         a.kod2,
         a.kod3,
         a.kod4,
         a.kod5,
         nullIfZero(a.sellerId),
         a.discounts[0],
         a.discounts[1],
         a.discounts[2],
         a.discounts[3],
         a.paymentDays,
         a.overdueCheckDays,
         a.overdueCheckMonths});
  }

  int addUser(const User& u) override {
    return insert(QStringLiteral("INSERT INTO users(login, password, mail, active, customer_type, "
                                 "account_id, seller_id) VALUES (?,?,?,?,?,?,?)"),
                  {u.login, u.password, u.mail, u.active ? 1 : 0, u.customerType,
                   nullIfZero(u.accountId), nullIfZero(u.sellerId)});
  }

  void bindWorkstation(const QString& identity, int userId) override {
    Sql(db(), QStringLiteral("INSERT INTO workstations(identity, user_id) VALUES (?, ?) "
                             "ON CONFLICT(identity) DO UPDATE SET user_id = excluded.user_id"))
        .bind(identity)
        .bind(userId)
        .exec();
  }

  std::optional<User> user(int userId) override {
    Sql q(db(), QStringLiteral("SELECT login, password, mail, active, customer_type, "
                               "COALESCE(account_id, 0), COALESCE(seller_id, 0) "
                               "FROM users WHERE id = ?"));
    q.bind(userId).exec();
    if (!q.next()) return std::nullopt;
    User u;
    u.login = q.value(0).toString();
    u.password = q.value(1).toString();
    u.mail = q.value(2).toString();
    u.active = q.value(3).toInt() == 1;
    u.customerType = q.value(4).toInt();
    u.accountId = q.value(5).toInt();
    u.sellerId = q.value(6).toInt();
    return u;
  }

  int addPicture(const Picture& p) override {
    return insert(QStringLiteral("INSERT INTO pictures(mime, data) VALUES (?, ?)"),
                  {QString::fromLatin1(p.mime), p.data});
  }

  int addProduct(const Product& p) override {
    const QString all =
        QStringList{p.code,  p.name, p.otherName, p.barcodeNo, p.finishCode, p.producerCode,
                    p.oemNo, p.oem1, p.oem2,      p.oem3,      p.oem4}
            .join(QLatin1Char(' '));
    QStringList compact;
    for (const QString& s : {p.code, p.barcodeNo, p.producerCode, p.oemNo, p.oem1, p.oem2, p.oem3,
                             p.oem4, p.finishCode})
      if (!s.isEmpty()) compact << compactText(s);
    return insert(
        QStringLiteral(
            "INSERT INTO products(code, name, other_name, barcode_no, finish_code, producer_code, "
            "oem_no, oem1, oem2, oem3, oem4, unit, make, model, grp, special_code, dp_code, "
            "p_code, department, vat, list_price, campaign_price, is_new, state, stock, on_order, "
            "picture_id, search_key, compact_key) VALUES "
            "(?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?)"),
        {p.code,
         p.name,
         p.otherName,
         p.barcodeNo,
         p.finishCode,
         p.producerCode,
         p.oemNo,
         p.oem1,
         p.oem2,
         p.oem3,
         p.oem4,
         p.unit,
         p.make,
         p.model,
         p.group,
         p.specialCode,
         p.dpCode,
         p.pCode,
         p.department,
         p.vat,
         p.listPrice,
         p.campaignPrice,
         p.isNew ? 1 : 0,
         p.state,
         p.stock,
         p.onOrder,
         nullIfZero(p.pictureId),
         foldText(all),
         compact.join(QLatin1Char(' '))});
  }

  int addDeliveryMode(const QString& name) override {
    return insert(QStringLiteral("INSERT INTO delivery_modes(name) VALUES (?)"), {name});
  }
  int addCargoType(const QString& name) override {
    return insert(QStringLiteral("INSERT INTO cargo_types(name) VALUES (?)"), {name});
  }
  int addCargoCompany(int typeId, const QString& name, const QString& warning) override {
    return insert(
        QStringLiteral("INSERT INTO cargo_companies(cargo_type_id, name, warning) VALUES (?,?,?)"),
        {typeId, name, warning});
  }

  int insertOrderLine(int orderId, const OrderLineInput& l) {
    const LineAmounts a = lineAmounts(l.quantity, l.price, l.rates, l.vat);
    return insert(
        QStringLiteral("INSERT INTO order_lines(order_id, product_id, cart_line_id, quantity, "
                       "delivered, price, first_price, vat, disc1, disc2, disc3, disc4, gross, "
                       "discount, net, net_unit, vat_amount, campaign, note) VALUES "
                       "(?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?)"),
        {orderId, l.productId, l.cartLineId, l.quantity, std::min(l.delivered, l.quantity), l.price,
         l.firstPrice > 0 ? l.firstPrice : l.price, l.vat, l.rates[0], l.rates[1], l.rates[2],
         l.rates[3], a.gross, a.discount, a.net, a.netUnit, a.vat, l.campaign, l.note});
  }

  int addOrder(const Order& o) override {
    int id = 0;
    transaction([&] {
      id = insert(QStringLiteral("INSERT INTO orders(account_id, user_id, created, status, "
                                 "delivery_id, cargo_type_id, cargo_company_id, customer_note, "
                                 "our_note, seller_note) VALUES (?,?,?,?,?,?,?,?,?,?)"),
                  {o.accountId, nullIfZero(o.userId), iso(o.created), o.status,
                   nullIfZero(o.deliveryId), nullIfZero(o.cargoTypeId),
                   nullIfZero(o.cargoCompanyId), o.customerNote, o.ourNote, o.sellerNote});
      for (const OrderLineInput& l : o.lines) insertOrderLine(id, l);
    });
    return id;
  }

  int addInvoice(const Invoice& inv) override {
    int id = 0;
    transaction([&] {
      id = insert(
          QStringLiteral("INSERT INTO invoices(account_id, date, kind, doc_no, "
                         "seller_name, payment_days, waybill_no, waybill_date, "
                         "order_doc_no, order_date) VALUES (?,?,?,?,?,?,?,?,?,?)"),
          {inv.accountId, iso(inv.date), inv.kind, inv.docNo, inv.sellerName, inv.paymentDays,
           inv.waybillNo, iso(inv.waybillDate), inv.orderDocNo, iso(inv.orderDate)});
      for (const InvoiceLine& l : inv.lines) {
        const LineAmounts a = lineAmounts(l.quantity, l.price, l.rates, l.vat);
        insert(
            QStringLiteral("INSERT INTO invoice_lines(invoice_id, product_id, quantity, price, "
                           "vat, disc1, disc2, disc3, disc4, expense, gross, discount, net, "
                           "net_unit, vat_amount, note) VALUES (?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?)"),
            {id, l.productId, l.quantity, l.price, l.vat, l.rates[0], l.rates[1], l.rates[2],
             l.rates[3], l.expense, a.gross, a.discount, a.net, a.netUnit, a.vat, l.note});
      }
    });
    return id;
  }

  int addCollection(const Collection& c) override {
    return insert(QStringLiteral("INSERT INTO collections(account_id, date, kind, type, doc_no, "
                                 "due, amount, description, ref) VALUES (?,?,?,?,?,?,?,?,?)"),
                  {c.accountId, iso(c.date), c.kind, c.type, c.docNo, iso(c.due), c.amount,
                   c.description, c.ref});
  }

  int addPosPayment(const PosPayment& p) override {
    return insert(
        QStringLiteral("INSERT INTO pos_payments(collection_id, date, card_masked, "
                       "auth_code, amount, installments, receipt) VALUES (?,?,?,?,?,?,?)"),
        {p.collectionId, iso(p.date), p.cardMasked, p.authCode, p.amount, p.installments,
         p.receiptPdf});
  }

  int addMovement(const Movement& m) override {
    return insert(
        QStringLiteral("INSERT INTO movements(account_id, date, kind_name, doc_no, "
                       "debit, credit, description, doc_id) VALUES (?,?,?,?,?,?,?,?)"),
        {m.accountId, iso(m.date), m.kindName, m.docNo, m.debit, m.credit, m.description, m.docId});
  }

  void setBanner(int slot, const Picture& p) override {
    Sql(db(),
        QStringLiteral("INSERT INTO banners(slot, mime, data) VALUES (?,?,?) ON CONFLICT(slot) "
                       "DO UPDATE SET mime = excluded.mime, data = excluded.data"))
        .bind(slot)
        .bind(QString::fromLatin1(p.mime))
        .bind(p.data)
        .exec();
  }

  int addAnnouncement(const Announcement& a) override {
    return insert(
        QStringLiteral("INSERT INTO announcements(position, title, action, jpeg) VALUES (?,?,?,?)"),
        {a.position, a.title, a.action, a.jpeg});
  }

  qint64 productCount() override {
    Sql q(db(), QStringLiteral("SELECT COUNT(*) FROM products"));
    q.exec();
    return q.next() ? q.value(0).toLongLong() : 0;
  }

  QList<int> accountIds() override {
    Sql q(db(), QStringLiteral("SELECT id FROM accounts ORDER BY id"));
    q.exec();
    QList<int> ids;
    while (q.next()) ids << q.value(0).toInt();
    return ids;
  }

  // ---- login ----
  std::optional<Login> loginQuery(const QString& from, const QString& where,
                                  const QVariantList& binds) {
    Sql q(db(),
          QStringLiteral("SELECT u.id, u.login, u.password, u.mail, u.active, u.customer_type, "
                         "COALESCE(a.id, 0), COALESCE(a.code, ''), COALESCE(a.name, ''), "
                         "COALESCE(s.id, 0), COALESCE(s.name, ''), COALESCE(s.phone, ''), "
                         "COALESCE(s.mail, ''), ") +
              from +
              QStringLiteral(" LEFT JOIN accounts a ON a.id = u.account_id "
                             "LEFT JOIN sellers s ON s.id = "
                             "COALESCE(u.seller_id, a.seller_id) WHERE ") +
              where);
    for (const QVariant& b : binds) q.bind(b);
    q.exec();
    if (!q.next()) return std::nullopt;
    Login l;
    l.userId = q.value(0).toInt();
    l.login = q.value(1).toString();
    l.password = q.value(2).toString();
    l.userMail = q.value(3).toString();
    l.active = q.value(4).toInt() == 1;
    l.customerType = q.value(5).toInt();
    l.accountId = q.value(6).toInt();
    l.accountCode = q.value(7).toString();
    l.accountName = q.value(8).toString();
    l.sellerId = q.value(9).toInt();
    l.sellerName = q.value(10).toString();
    l.sellerPhone = q.value(11).toString();
    l.sellerMail = q.value(12).toString();
    l.computerName = q.value(13).toString();
    l.osUser = q.value(14).toString();
    l.localIp = q.value(15).toString();
    l.publicIp = q.value(16).toString();
    return l;
  }

  std::optional<Login> workstationLogin(const QString& identity) override {
    return loginQuery(QStringLiteral("w.computer_name, w.os_user, w.local_ip, w.public_ip "
                                     "FROM workstations w JOIN users u ON u.id = w.user_id"),
                      QStringLiteral("w.identity = ?"), {identity});
  }

  std::optional<Login> userLogin(const QString& login, const QString& password) override {
    return loginQuery(QStringLiteral("'', '', '', '' FROM users u"),
                      QStringLiteral("u.login = ? AND u.password = ? ORDER BY u.id LIMIT 1"),
                      {login, password});
  }

  void noteWorkstation(const QString& identity, const QString& computerName, const QString& osUser,
                       const QString& localIp, const QString& publicIp) override {
    Sql(db(), QStringLiteral("UPDATE workstations SET computer_name = ?, os_user = ?, "
                             "local_ip = ?, public_ip = ?, last_seen = ? WHERE identity = ?"))
        .bind(computerName)
        .bind(osUser)
        .bind(localIp)
        .bind(publicIp)
        .bind(iso(QDateTime::currentDateTime()))
        .bind(identity)
        .exec();
  }

  std::optional<AccountCard> accountCard(int accountId) override {
    Sql q(db(), QStringLiteral(
                    "SELECT a.code, a.name, a.special_code, a.main_group, a.sub_group, a.address1, "
                    "a.address2, a.district, a.city, a.country, a.phone1, a.phone2, a.fax1, "
                    "a.fax2, a.gsm, a.email, a.contact, a.tax_office, a.tax_number, "
                    "COALESCE(a.seller_id, 0), a.disc1, a.disc2, a.disc3, a.disc4, "
                    "a.payment_days, COALESCE(s.name, ''), COALESCE(s.phone, ''), "
                    "COALESCE(s.mail, ''), "
                    "(SELECT COALESCE(SUM(debit), 0) FROM movements WHERE account_id = a.id), "
                    "(SELECT COALESCE(SUM(credit), 0) FROM movements WHERE account_id = a.id), "
                    "COALESCE(u.login, ''), COALESCE(u.password, ''), COALESCE(u.mail, '') "
                    "FROM accounts a LEFT JOIN sellers s ON s.id = a.seller_id "
                    "LEFT JOIN users u ON u.id = (SELECT MIN(id) FROM users "
                    "  WHERE account_id = a.id AND customer_type IN (3, 4)) "
                    "WHERE a.id = ?"));
    q.bind(accountId).exec();
    if (!q.next()) return std::nullopt;
    AccountCard c;
    c.id = accountId;
    Account& a = c.account;
    QString* texts[] = {&a.code,     &a.name,     &a.specialCode, &a.mainGroup, &a.subGroup,
                        &a.address1, &a.address2, &a.district,    &a.city,      &a.country,
                        &a.phone1,   &a.phone2,   &a.fax1,        &a.fax2,      &a.gsm,
                        &a.email,    &a.contact,  &a.taxOffice,   &a.taxNumber};
    int i = 0;
    for (QString* t : texts) *t = q.value(i++).toString();
    a.sellerId = q.value(i++).toInt();
    for (double& d : a.discounts) d = q.value(i++).toDouble();
    a.paymentDays = q.value(i++).toInt();
    c.sellerName = q.value(i++).toString();
    c.sellerPhone = q.value(i++).toString();
    c.sellerMail = q.value(i++).toString();
    c.debit = q.value(i++).toDouble();
    c.credit = q.value(i++).toDouble();
    c.login = q.value(i++).toString();
    c.password = q.value(i++).toString();
    c.userMail = q.value(i++).toString();
    return c;
  }

  std::optional<Rates> accountDiscounts(int accountId) override {
    Sql q(db(), QStringLiteral("SELECT disc1, disc2, disc3, disc4 FROM accounts WHERE id = ?"));
    q.bind(accountId).exec();
    if (!q.next()) return std::nullopt;
    return Rates{q.value(0).toDouble(), q.value(1).toDouble(), q.value(2).toDouble(),
                 q.value(3).toDouble()};
  }

  bool accountInScope(int accountId, const Scope& scope) override {
    Sql q(db(),
          QStringLiteral("SELECT 1 FROM accounts a WHERE a.id = ? AND ") + scopeCondition(scope));
    q.bind(accountId).bind(scopeValue(scope)).exec();
    return q.next();
  }

  // ---- catalogue ----
  Table searchProducts(const QString& folded, const QString& compact, int limit) override {
    if (folded.isEmpty()) return selectTable(db(), productColumns(), "FROM products p WHERE 0");
    return selectTable(db(), productColumns(),
                       QStringLiteral("FROM products p WHERE p.search_key LIKE ? ESCAPE '\\' "
                                      "OR (? <> '' AND p.compact_key LIKE ? ESCAPE '\\') "
                                      "ORDER BY p.code, p.id LIMIT ?"),
                       {likeContains(folded), compact, likeContains(compact), limit});
  }

  Table newProducts() override {
    return selectTable(db(), productColumns(),
                       QStringLiteral("FROM products p WHERE p.is_new = 1 ORDER BY p.id DESC"));
  }

  Table campaignProducts() override {
    return selectTable(
        db(), productColumns(),
        QStringLiteral("FROM products p WHERE p.campaign_price > 0 ORDER BY p.grp, p.code"));
  }

  std::optional<ProductInfo> product(int productId) override {
    Sql q(db(), QStringLiteral("SELECT code, name, vat, list_price, campaign_price FROM products "
                               "WHERE id = ?"));
    q.bind(productId).exec();
    if (!q.next()) return std::nullopt;
    return ProductInfo{productId,
                       q.value(0).toString(),
                       q.value(1).toString(),
                       q.value(2).toDouble(),
                       q.value(3).toDouble(),
                       q.value(4).toDouble()};
  }

  std::optional<Picture> pictureQuery(const QString& text, int id) {
    Sql q(db(), text);
    q.bind(id).exec();
    if (!q.next()) return std::nullopt;
    return Picture{q.value(0).toString().toLatin1(), q.value(1).toByteArray()};
  }

  std::optional<Picture> productPicture(int productId) override {
    return pictureQuery(QStringLiteral("SELECT pi.mime, pi.data FROM products p JOIN pictures pi "
                                       "ON pi.id = p.picture_id WHERE p.id = ?"),
                        productId);
  }

  std::optional<Picture> webPicture(int id) override {
    if (auto p = productPicture(id)) return p;
    constexpr int kBannerBase = 900000;
    if (id > kBannerBase && id <= kBannerBase + 3) return banner(id - kBannerBase);
    return std::nullopt;
  }

  Table stockMovements(int accountId, int productId) override {
    QList<Col> cols = {
        {"TARIH", D, "substr(i.date, 1, 10)"},
        {"TURU", T, "i.kind"},
        {"EVRAKSERI", T, "substr(i.doc_no, 1, 3)"},
        {"EVRAKSIRA", T, "substr(i.doc_no, 4)"},
        {"MIKTAR", F, "l.quantity"},
        {"TLBIRIMFIYAT", F, "l.price"},
        {"TLVERGI", F, "l.vat_amount"},
        {"TLTUTAR", F, "l.gross"},
        {"TOPLAMINDIRIM", F, "l.discount"},
        {"NETBIRIMFIYAT", F, "l.net_unit"},
        {"NETTLTUTAR", F, "l.net"},
        {"KDVDAHILBIRIMFIYAT", F, "ROUND(l.net_unit * (1 + l.vat / 100.0), 2)"},
        {"KDVDAHILTUTAR", F, "ROUND(l.net + l.vat_amount, 2)"},
        {"BARKOD", T, "p.code"},
    };
    for (int k = 1; k <= 8; ++k)
      cols.append({QStringLiteral("INDIRIM%1").arg(k), F,
                   k <= 4 ? QStringLiteral("l.disc%1").arg(k) : QStringLiteral("0.0")});
    cols += {
        {"MASRAF1", F, "l.expense"},      {"MASRAF2", F, "0.0"},
        {"TOPLAMMASRAF", F, "l.expense"}, {"VADE", I, "i.payment_days"},
        {"STOKCARIKOD", T, "a.code"},     {"SATICI", T, "i.seller_name"},
    };
    return selectTable(db(), cols,
                       QStringLiteral("FROM invoice_lines l JOIN invoices i ON i.id = l.invoice_id "
                                      "JOIN products p ON p.id = l.product_id "
                                      "JOIN accounts a ON a.id = i.account_id "
                                      "WHERE i.account_id = ? AND l.product_id = ? "
                                      "ORDER BY i.date, l.id"),
                       {accountId, productId});
  }

  // ---- cart ----
  Table cartLines(int accountId) override {
    Table t = selectTable(db(), lineColumns(LineKind::Cart),
                          QStringLiteral("FROM cart_lines l JOIN products p ON p.id = l.product_id "
                                         "JOIN accounts a ON a.id = l.account_id "
                                         "LEFT JOIN users u ON u.id = l.user_id "
                                         "WHERE l.account_id = ? ORDER BY l.id"),
                          {accountId});
    fillRatesText(t);
    return t;
  }

  std::optional<CartLine> cartLine(int lineId) override {
    Sql q(db(), QStringLiteral("SELECT account_id, product_id, quantity, price, vat, disc1, disc2, "
                               "disc3, disc4, selected FROM cart_lines WHERE id = ?"));
    q.bind(lineId).exec();
    if (!q.next()) return std::nullopt;
    CartLine l;
    l.id = lineId;
    l.accountId = q.value(0).toInt();
    l.productId = q.value(1).toInt();
    l.quantity = q.value(2).toDouble();
    l.price = q.value(3).toDouble();
    l.vat = q.value(4).toDouble();
    for (int i = 0; i < 4; ++i) l.rates[i] = q.value(5 + i).toDouble();
    l.selected = q.value(9).toInt() != 0;
    return l;
  }

  int addCartLine(const CartLine& l, int userId, int campaign) override {
    const LineAmounts a = lineAmounts(l.quantity, l.price, l.rates, l.vat);
    return insert(QStringLiteral(
                      "INSERT INTO cart_lines(account_id, product_id, quantity, price, vat, disc1, "
                      "disc2, disc3, disc4, gross, discount, net, net_unit, vat_amount, campaign, "
                      "selected, user_id, created) VALUES (?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?)"),
                  {l.accountId, l.productId, l.quantity, l.price, l.vat, l.rates[0], l.rates[1],
                   l.rates[2], l.rates[3], a.gross, a.discount, a.net, a.netUnit, a.vat, campaign,
                   l.selected ? 1 : 0, nullIfZero(userId), iso(QDateTime::currentDateTime())});
  }

  bool updateCartLine(const CartLine& l, int userId) override {
    const LineAmounts a = lineAmounts(l.quantity, l.price, l.rates, l.vat);
    Sql q(db(), QStringLiteral("UPDATE cart_lines SET quantity = ?, price = ?, disc1 = ?, "
                               "disc2 = ?, disc3 = ?, disc4 = ?, gross = ?, discount = ?, net = ?, "
                               "net_unit = ?, vat_amount = ?, user_id = COALESCE(?, user_id) "
                               "WHERE id = ? AND account_id = ?"));
    for (const QVariant& v :
         QVariantList{l.quantity, l.price, l.rates[0], l.rates[1], l.rates[2], l.rates[3], a.gross,
                      a.discount, a.net, a.netUnit, a.vat, nullIfZero(userId), l.id, l.accountId})
      q.bind(v);
    q.exec();
    return q.affected() > 0;
  }

  bool deleteCartLine(int accountId, int lineId) override {
    Sql q(db(), QStringLiteral("DELETE FROM cart_lines WHERE id = ? AND account_id = ?"));
    q.bind(lineId).bind(accountId).exec();
    return q.affected() > 0;
  }

  int clearCart(int accountId) override {
    Sql q(db(), QStringLiteral("DELETE FROM cart_lines WHERE account_id = ?"));
    q.bind(accountId).exec();
    return q.affected();
  }

  bool markCartLine(int lineId, bool selected) override {
    Sql q(db(), QStringLiteral("UPDATE cart_lines SET selected = ? WHERE id = ?"));
    q.bind(selected ? 1 : 0).bind(lineId).exec();
    return q.affected() > 0;
  }

  std::optional<int> placeOrder(const OrderPlacement& p) override {
    std::optional<int> orderId;
    transaction([&] {
      QSqlDatabase d = db();
      int marked = 0;
      {
        Sql q(d, QStringLiteral(
                     "SELECT COUNT(*) FROM cart_lines WHERE account_id = ? AND selected = 1"));
        q.bind(p.accountId).exec();
        marked = q.next() ? q.value(0).toInt() : 0;
      }
      if (marked == 0) return;
      const int id =
          insert(QStringLiteral(
                     "INSERT INTO orders(account_id, user_id, created, status, delivery_id, "
                     "cargo_type_id, cargo_company_id, customer_note) VALUES (?,?,?,2,?,?,?,?)"),
                 {p.accountId, nullIfZero(p.userId), iso(QDateTime::currentDateTime()),
                  nullIfZero(p.deliveryId), nullIfZero(p.cargoTypeId), nullIfZero(p.cargoCompanyId),
                  p.note});
      Sql(d,
          QStringLiteral(
              "INSERT INTO order_lines(order_id, product_id, cart_line_id, quantity, price, "
              "first_price, vat, disc1, disc2, disc3, disc4, gross, discount, net, net_unit, "
              "vat_amount, campaign, note) SELECT ?, product_id, id, quantity, price, price, "
              "vat, disc1, disc2, disc3, disc4, gross, discount, net, net_unit, vat_amount, "
              "campaign, note FROM cart_lines WHERE account_id = ? AND selected = 1 ORDER BY id"))
          .bind(id)
          .bind(p.accountId)
          .exec();
      Sql(d, QStringLiteral("DELETE FROM cart_lines WHERE account_id = ? AND selected = 1"))
          .bind(p.accountId)
          .exec();
      orderId = id;
    });
    return orderId;
  }

  // ---- reference lists ----
  Table deliveryModes() override {
    return selectTable(db(), {{"ID", I, "id"}, {"ADI", T, "name"}},
                       QStringLiteral("FROM delivery_modes ORDER BY id"));
  }
  Table cargoTypes() override {
    return selectTable(db(), {{"ID", I, "id"}, {"ADI", T, "name"}},
                       QStringLiteral("FROM cargo_types ORDER BY id"));
  }
  Table cargoCompanies(int typeId) override {
    return selectTable(db(),
                       {{"ADI", T, "name"},
                        {"SIRANO", I, "id"},
                        {"UYARI", T, "warning"},
                        {"KARGOTURU", I, "cargo_type_id"}},
                       QStringLiteral("FROM cargo_companies WHERE cargo_type_id = ? ORDER BY id"),
                       {typeId});
  }

  // ---- orders ----
  // Per-order sums of the lines, joined as `s`.
  static QString orderSums() {
    return QStringLiteral(
        "LEFT JOIN (SELECT order_id, SUM(vat_amount) AS vat, SUM(net) AS net, "
        "SUM(gross) AS gross FROM order_lines GROUP BY order_id) s ON s.order_id = o.id ");
  }
  static QString orderJoins() {
    return QStringLiteral(
        "JOIN accounts a ON a.id = o.account_id LEFT JOIN users u ON u.id = o.user_id "
        "LEFT JOIN delivery_modes dm ON dm.id = o.delivery_id "
        "LEFT JOIN cargo_types ct ON ct.id = o.cargo_type_id "
        "LEFT JOIN cargo_companies cc ON cc.id = o.cargo_company_id ");
  }

  // Columns of an order's header and totals; `s` holds the line sums.
  static QList<Col> orderParties() {
    return {{"KUR", T, "'TL'"},
            {"KURTL", F, "1.0"},
            {"VERENIDNO", I, "COALESCE(u.id, 0)"},
            {"KARGO", T, "COALESCE(ct.name, '')"},
            {"TESLIM", T, "COALESCE(dm.name, '')"},
            {"VEREN", T, "COALESCE(u.login, '')"},
            {"CARIKOD", T, "a.code"},
            {"CARIADI", T, "a.name"}};
  }
  static QList<Col> orderTotals() {
    return {{"VERGI", F, "ROUND(COALESCE(s.vat, 0), 2)"},
            {"NETTUTAR", F, "ROUND(COALESCE(s.net, 0), 2)"},
            {"TUTAR", F, "ROUND(COALESCE(s.net, 0) + COALESCE(s.vat, 0), 2)"}};
  }
  static QList<Col> orderState() {
    return {{"DURUM", T, kStatusText}, {"KARGOADI", T, "COALESCE(cc.name, '')"}};
  }

  Table previousOrders(int accountId) override {
    return selectTable(
        db(),
        QList<Col>{{"CARINO", I, "a.id"}, {"IDNO", I, "o.id"}, {"TARIH", DT, "o.created"}} +
            orderParties() + orderTotals() + orderState() +
            QList<Col>{{"VERENINNOTU", M, "o.customer_note"}, {"ALANNOTU", M, "o.our_note"}},
        QStringLiteral("FROM orders o ") + orderJoins() + orderSums() +
            QStringLiteral("WHERE o.account_id = ? ORDER BY o.created DESC, o.id DESC"),
        {accountId});
  }

  Table orderLines(int accountId, int orderId, int productId, bool openOnly) override {
    QString where = QStringLiteral("WHERE o.account_id = ?");
    QVariantList binds{accountId};
    if (orderId != 0) {
      where += QStringLiteral(" AND o.id = ?");
      binds << orderId;
    }
    if (productId > 0) {
      where += QStringLiteral(" AND l.product_id = ?");
      binds << productId;
    }
    if (openOnly) where += QStringLiteral(" AND ") + kOpen + QStringLiteral(" > 0");
    Table t = selectTable(db(), lineColumns(LineKind::Order),
                          QStringLiteral("FROM order_lines l JOIN orders o ON o.id = l.order_id "
                                         "JOIN products p ON p.id = l.product_id ") +
                              orderJoins() + where +
                              QStringLiteral(" ORDER BY o.created DESC, o.id DESC, l.id"),
                          binds);
    fillRatesText(t);
    return t;
  }

  std::optional<OrderFooter> orderFooter(int orderId) override {
    Sql q(db(), QStringLiteral("SELECT ") + kStatusText +
                    QStringLiteral(", COALESCE(dm.name, ''), COALESCE(ct.name, ''), "
                                   "COALESCE(cc.name, ''), COALESCE(u.login, ''), o.customer_note, "
                                   "o.our_note, o.seller_note FROM orders o ") +
                    orderJoins() + QStringLiteral("WHERE o.id = ?"));
    q.bind(orderId).exec();
    if (!q.next()) return std::nullopt;
    OrderFooter f;
    f.status = q.value(0).toString();
    f.deliveryKind = q.value(1).toString();
    f.cargoKind = q.value(2).toString();
    f.cargoCompany = q.value(3).toString();
    f.placedBy = q.value(4).toString();
    f.customerNote = q.value(5).toString();
    f.ourNote = q.value(6).toString();
    f.sellerNote = q.value(7).toString();
    return f;
  }

  std::optional<OrderLineInfo> orderLine(int lineId) override {
    Sql q(db(), QStringLiteral("SELECT l.order_id, o.account_id, l.product_id, l.quantity, "
                               "l.delivered, l.cancelled, l.price, l.vat, l.disc1, l.disc2, "
                               "l.disc3, l.disc4 FROM order_lines l "
                               "JOIN orders o ON o.id = l.order_id WHERE l.id = ?"));
    q.bind(lineId).exec();
    if (!q.next()) return std::nullopt;
    OrderLineInfo l;
    l.id = lineId;
    l.orderId = q.value(0).toInt();
    l.accountId = q.value(1).toInt();
    l.productId = q.value(2).toInt();
    l.quantity = q.value(3).toDouble();
    l.delivered = q.value(4).toDouble();
    l.cancelled = q.value(5).toDouble();
    l.price = q.value(6).toDouble();
    l.vat = q.value(7).toDouble();
    for (int i = 0; i < 4; ++i) l.rates[i] = q.value(8 + i).toDouble();
    return l;
  }

  bool setOrderLineCancelled(int lineId, double cancelled) override {
    Sql q(db(), QStringLiteral("UPDATE order_lines SET cancelled = ? WHERE id = ?"));
    q.bind(cancelled).bind(lineId).exec();
    return q.affected() > 0;
  }

  bool setOrderLinePrice(int lineId, double price, const Rates& rates) override {
    bool done = false;
    transaction([&] {
      const auto line = orderLine(lineId);
      if (!line) return;
      const LineAmounts a = lineAmounts(line->quantity, price, rates, line->vat);
      Sql q(db(), QStringLiteral("UPDATE order_lines SET price = ?, disc1 = ?, disc2 = ?, "
                                 "disc3 = ?, disc4 = ?, gross = ?, discount = ?, net = ?, "
                                 "net_unit = ?, vat_amount = ? WHERE id = ?"));
      for (const QVariant& v : QVariantList{price, rates[0], rates[1], rates[2], rates[3], a.gross,
                                            a.discount, a.net, a.netUnit, a.vat, lineId})
        q.bind(v);
      q.exec();
      done = q.affected() > 0;
    });
    return done;
  }

  // ---- account documents ----
  Table statement(int accountId) override {
    return selectTable(
        db(),
        {{"CARINO", I, "m.account_id"},
         {"TARIH", D, "substr(m.date, 1, 10)"},
         {"TURADI", T, "m.kind_name"},
         {"EVRAK", T, "m.doc_no"},
         {"BORC", F, "m.debit"},
         {"ALACAK", F, "m.credit"},
         {"KUR", T, "'TL'"},
         {"BAKIYE", F, "ROUND(" + balanceSql() + ", 2)"},
         {"D", T,
          "CASE WHEN ROUND(" + balanceSql() + ", 2) > 0 THEN 'B' WHEN ROUND(" + balanceSql() +
              ", 2) < 0 THEN 'A' ELSE ' ' END"},
         {"IDNO", I, "m.doc_id"},
         {"ACIKLAMA", T, "m.description"}},
        QStringLiteral("FROM movements m WHERE m.account_id = ? ORDER BY m.date, m.id"),
        {accountId});
  }

  Table invoiceLines(int accountId, int invoiceId) override {
    QList<Col> cols = {
        {"OEMNO", T, "p.oem_no"},
        {"STOKADI", T, "p.name"},
        {"FINISHKOD", T, "p.finish_code"},
        {"MARKA", T, "p.make"},
        {"MODEL", T, "p.model"},
        {"ANAGRUP", T, "p.grp"},
        {"BIRIM", T, "p.unit"},
        {"STOKHAR_MIKTAR", F, "l.quantity"},
        {"STOKHAR_TLBIRIMFIYATI", F, "l.price"},
        {"STOKHAR_TLTUTAR", F, "l.gross"},
    };
    for (int k = 1; k <= 8; ++k)
      cols.append({QStringLiteral("STOKHAR_INDIRIM%1").arg(k), F,
                   k <= 4 ? QStringLiteral("l.disc%1").arg(k) : QStringLiteral("0.0")});
    cols += {
        {"KDV", F, "l.vat"},
        {"STOKHAR_TOPLAMINDIRIM", F, "l.discount"},
        {"STOKHAR_TOPLAMMASRAF", F, "l.expense"},
        {"STOKHAR_NETTLBIRIMFIYATI", F, "l.net_unit"},
        {"STOKHAR_NETTLTUTAR", F, "l.net"},
        {"OZELKOD", T, "p.special_code"},
        {"BARKOD", T, "p.code"},
        {"STOKHAR_HAREKETTARIHI", D, "substr(i.date, 1, 10)"},
        {"STOKHAR_HAREKETTIPI2", T, "i.kind"},
        {"EVRAKNO", T, "i.doc_no"},
        {"STOKHAR_TLVERGI", F, "l.vat_amount"},
        {"IRSALIYEEVRAKNO", T, "i.waybill_no"},
        {"STOKHAR_IRSTARIHI", D, "i.waybill_date"},
        {"SATIRACIKLMASI", T, "l.note"},
        {"STOKHAR_SAAT", T, "substr(i.date, 12, 5)"},
        {"STOKHAR_VADE", I, "i.payment_days"},
        {"SIPARISEVRAKNO", T, "i.order_doc_no"},
        {"SIPARISTARIHI", D, "i.order_date"},
        {"IRSALIYETIP2", T, "'Satış İrsaliyesi'"},
        {"STOKHAR_DOVIZBIRIMFIYATI", F, "0.0"},
        {"STOKHAR_DOVIZVERGI", F, "0.0"},
        {"STOKHAR_DOVIZTUTAR", F, "0.0"},
        {"STOKHAR_PARTI", T, "''"},
        {"STOKHAR_BEDEN", T, "''"},
        {"STOKHAR_RENK", T, "''"},
        {"STOKHAR_MASRAF1", F, "l.expense"},
        {"STOKHAR_MASRAF2", F, "0.0"},
        {"STOKHAR_DOVIZTOPLAMINDIRIM", F, "0.0"},
        {"STOKHAR_DOVIZTOPLAMMASRAF", F, "0.0"},
        {"STOKHAR_NETDOVIZBIRIMFIYATI", F, "0.0"},
        {"STOKHAR_NETDOVIZTUTAR", F, "0.0"},
        {"STOKHAR_KURTL", F, "1.0"},
        {"SIPARISTIPI", T, "'Alınan Sipariş'"},
        {"IRSALIYETIPINO", I, "1"},
        {"STOKCARIKOD", T, "a.code"},
        {"SUBE_NO", I, "0"},
        {"STOKHAR_CARINO", I, "a.id"},
        {"KUR_KURSIMGE", T, "'TL'"},
        {"SATICIADI", T, "i.seller_name"},
        {"URETICIKODU", T, "p.producer_code"},
        {"DPKOD", T, "p.dp_code"},
        {"ENADI", T, "p.other_name"},
        {"PKOD", T, "p.p_code"},
        {"BELGENO", T, "i.doc_no"},
        {"IDNO", I, "i.id"},
    };
    return selectTable(db(), cols,
                       QStringLiteral("FROM invoice_lines l JOIN invoices i ON i.id = l.invoice_id "
                                      "JOIN products p ON p.id = l.product_id "
                                      "JOIN accounts a ON a.id = i.account_id "
                                      "WHERE i.account_id = ? AND i.id = ? ORDER BY l.id"),
                       {accountId, invoiceId});
  }

  Table invoiceTotals(int invoiceId) override {
    return selectTable(
        db(),
        {{"IDNO", I, "i.id"},
         {"EVRAKNO", T, "i.doc_no"},
         {"TOPLAM", F, "ROUND(COALESCE(SUM(l.gross), 0), 2)"},
         {"TOPLAMINDIRIM", F, "ROUND(COALESCE(SUM(l.discount), 0), 2)"},
         {"TOPLAMMASRAF", F, "ROUND(COALESCE(SUM(l.expense), 0), 2)"},
         {"MATRAH", F, "ROUND(COALESCE(SUM(l.net + l.expense), 0), 2)"},
         {"KDVTUTAR", F, "ROUND(COALESCE(SUM(l.vat_amount), 0), 2)"},
         {"KDVDAHIL", F, "ROUND(COALESCE(SUM(l.net + l.expense + l.vat_amount), 0), 2)"}},
        QStringLiteral("FROM invoices i LEFT JOIN invoice_lines l ON l.invoice_id = i.id "
                       "WHERE i.id = ? GROUP BY i.id"),
        {invoiceId});
  }

  Table collection(int collectionId) override {
    return selectTable(db(),
                       {{"Tarih", D, "substr(c.date, 1, 10)"},
                        {"Türü", T, "c.kind"},
                        {"Cins", T, "c.type"},
                        {"EvrakNo", T, "c.doc_no"},
                        {"Vade", D, "c.due"},
                        {"Tutar", F, "c.amount"},
                        {"Kur", T, "'TL'"},
                        {"KurTL", F, "1.0"},
                        {"Açıklama", T, "c.description"},
                        {"Döviz Tutar", F, "0.0"},
                        {"Ref", T, "c.ref"},
                        {"Saat", T, "substr(c.date, 12, 5)"}},
                       QStringLiteral("FROM collections c WHERE c.id = ?"), {collectionId});
  }

  int posPaymentOf(int collectionId) override {
    Sql q(db(), QStringLiteral("SELECT id FROM pos_payments WHERE collection_id = ?"));
    q.bind(collectionId).exec();
    return q.next() ? q.value(0).toInt() : 0;
  }

  std::optional<QByteArray> posReceipt(int posPaymentId) override {
    Sql q(db(), QStringLiteral("SELECT receipt FROM pos_payments WHERE id = ?"));
    q.bind(posPaymentId).exec();
    if (!q.next() || q.value(0).isNull()) return std::nullopt;
    return q.value(0).toByteArray();
  }

  // ---- desk and reports ----
  Table customers(const Scope& scope, int kind, const QString& folded) override {
    auto rate = [](int k) {
      return QStringLiteral("(CASE WHEN a.disc%1 > 0 THEN 1 - a.disc%1 / 100.0 ELSE 1 END)").arg(k);
    };
    QList<Col> cols = {
        {"CARIKOD", T, "a.code"},
        {"CARIADI", T, "a.name"},
        {"SATICISI", T, "COALESCE(s.name, '')"},
        {"TLBAKIYE", F, "ROUND(COALESCE(b.balance, 0), 2)"},
        {"DURUM", T,
         "CASE WHEN ROUND(COALESCE(b.balance, 0), 2) > 0 THEN 'B' "
         "WHEN ROUND(COALESCE(b.balance, 0), 2) < 0 THEN 'A' ELSE '' END"},
        {"SEPET", I, "COALESCE(c.n, 0)"},
        {"ALINDI", I, "COALESCE(o.s2, 0)"},
        {"ONAYLANDI", I, "COALESCE(o.s3, 0)"},
        {"GORULDU", I, "COALESCE(o.s4, 0)"},
        {"HAZIRLANDI", I, "COALESCE(o.s6, 0)"},
        {"PARCALIHAZIRLANDI", I, "COALESCE(o.s5, 0)"},
        {"SEVKEDILDI", I, "COALESCE(o.s7, 0)"},
        {"CARINO", I, "a.id"},
        {"OZELKOD", T, "a.special_code"},
        {"KOD1", T, "a.kod1"},
        {"KOD2", T, "a.kod2"},
        {"KOD3", T, "a.kod3"},
        {"KOD4", T, "a.kod4"},
        {"KOD5", T, "a.kod5"},
        {"TEL1", T, "a.phone1"},
        {"TEL2", T, "a.phone2"},
        {"ILCE", T, "a.district"},
        {"IL", T, "a.city"},
        {"GSM", T, "a.gsm"},
        {"YETKILI", T, "a.contact"},
        {"INDIRIM", F,
         "ROUND(100.0 - 100.0 * " + rate(1) + " * " + rate(2) + " * " + rate(3) + " * " + rate(4) +
             ", 2)"},
        {"VADE", I, "a.payment_days"},
        {"VADEKONTROLGUN", I, "a.overdue_days"},
        {"VADEKONTROLAY", I, "a.overdue_months"},
        {"VERGIDAIRESI", T, "a.tax_office"},
        {"VERGINO", T, "a.tax_number"},
        {"ADRES1", T, "a.address1"},
        {"ADRES2", T, "a.address2"},
        {"ANAGRUP", T, "a.main_group"},
        {"ALTGRUP", T, "a.sub_group"},
        {"FAX1", T, "a.fax1"},
        {"FAX2", T, "a.fax2"},
        {"EMAIL", T, "a.email"},
    };
    QString where = QStringLiteral("WHERE ") + scopeCondition(scope);
    QVariantList binds{scopeValue(scope)};
    if (kind == 0 && !folded.isEmpty()) {
      where += QStringLiteral(" AND a.name_key LIKE ? ESCAPE '\\'");
      binds << likeContains(folded);
    } else if (kind == 1) {
      where += QStringLiteral(" AND COALESCE(c.n, 0) > 0");
    } else if (kind >= 2 && kind <= 7) {
      where += QStringLiteral(" AND COALESCE(o.s%1, 0) > 0").arg(kind);
    } else if (kind != 0) {
      where += QStringLiteral(" AND 0");
    }
    return selectTable(
        db(), cols,
        QStringLiteral(
            "FROM accounts a LEFT JOIN sellers s ON s.id = a.seller_id "
            "LEFT JOIN (SELECT account_id, SUM(debit - credit) AS balance FROM movements "
            "  GROUP BY account_id) b ON b.account_id = a.id "
            "LEFT JOIN (SELECT account_id, COUNT(*) AS n FROM cart_lines GROUP BY account_id) c "
            "  ON c.account_id = a.id "
            "LEFT JOIN (SELECT account_id, SUM(status = 2) AS s2, SUM(status = 3) AS s3, "
            "  SUM(status = 4) AS s4, SUM(status = 5) AS s5, SUM(status = 6) AS s6, "
            "  SUM(status = 7) AS s7 FROM orders GROUP BY account_id) o ON o.account_id = a.id ") +
            where + QStringLiteral(" ORDER BY a.code"),
        binds);
  }

  int customersWithCart(const Scope& scope) override {
    Sql q(db(), QStringLiteral("SELECT COUNT(*) FROM accounts a WHERE ") + scopeCondition(scope) +
                    QStringLiteral(" AND EXISTS (SELECT 1 FROM cart_lines c "
                                   "WHERE c.account_id = a.id)"));
    q.bind(scopeValue(scope)).exec();
    return q.next() ? q.value(0).toInt() : 0;
  }

  StatusCounts statusCounts(const Scope& scope) override {
    Sql q(db(), QStringLiteral("SELECT COALESCE(SUM(o.status = 2), 0), "
                               "COALESCE(SUM(o.status = 3), 0), COALESCE(SUM(o.status = 4), 0), "
                               "COALESCE(SUM(o.status = 5), 0), COALESCE(SUM(o.status = 6), 0), "
                               "COALESCE(SUM(o.status = 7), 0) FROM orders o "
                               "JOIN accounts a ON a.id = o.account_id WHERE ") +
                    scopeCondition(scope));
    q.bind(scopeValue(scope)).exec();
    StatusCounts c;
    if (q.next()) {
      c.received = q.value(0).toInt();
      c.approved = q.value(1).toInt();
      c.seen = q.value(2).toInt();
      c.partlyPrepared = q.value(3).toInt();
      c.prepared = q.value(4).toInt();
      c.dispatched = q.value(5).toInt();
    }
    return c;
  }

  Table ordersTaken(const Scope& scope, const QDate& from, const QDate& to) override {
    return selectTable(db(),
                       QList<Col>{{"SATICIADI", T, "COALESCE(sl.name, '')"},
                                  {"IDNO", F, "o.id"},
                                  {"CARINO", I, "a.id"},
                                  {"TARIH", D, "substr(o.created, 1, 10)"}} +
                           orderParties() + orderState() + orderTotals(),
                       QStringLiteral("FROM orders o ") + orderJoins() + orderSums() +
                           QStringLiteral("LEFT JOIN sellers sl ON sl.id = a.seller_id WHERE ") +
                           scopeCondition(scope) +
                           QStringLiteral(" AND substr(o.created, 1, 10) BETWEEN ? AND ? "
                                          "ORDER BY sl.name, o.created, o.id"),
                       {scopeValue(scope), iso(from), iso(to)});
  }

  Table bestSellers(const Scope& scope, const QDate& from, const QDate& to) override {
    return selectTable(
        db(),
        {{"BARKOD", T, "p.code"},
         {"KOD", T, "p.producer_code"},
         {"ADI", T, "p.name"},
         {"DEPARTMAN", T, "p.department"},
         {"MIKTAR", F, "SUM(l.quantity)"},
         {"NETTUTAR", F, "ROUND(SUM(l.net), 2)"},
         {"TLVERGI", F, "ROUND(SUM(l.vat_amount), 2)"},
         {"TUTAR", F, "ROUND(SUM(l.net + l.vat_amount), 2)"}},
        QStringLiteral("FROM order_lines l JOIN orders o ON o.id = l.order_id "
                       "JOIN accounts a ON a.id = o.account_id "
                       "JOIN products p ON p.id = l.product_id WHERE ") +
            scopeCondition(scope) +
            QStringLiteral(" AND substr(o.created, 1, 10) BETWEEN ? AND ? "
                           "GROUP BY p.id ORDER BY SUM(l.quantity) DESC, p.code LIMIT 500"),
        {scopeValue(scope), iso(from), iso(to)});
  }

  Table monthlyTotals(int accountId, const QDate& from, const QDate& to) override {
    return selectTable(
        db(),
        {{"AY", T, "substr(m.date, 1, 7)"},
         {"BORC", F, "ROUND(SUM(m.debit), 2)"},
         {"ALACAK", F, "ROUND(SUM(m.credit), 2)"},
         {"ADET", I, "COUNT(*)"}},
        QStringLiteral("FROM movements m WHERE m.account_id = ? AND substr(m.date, 1, 10) "
                       "BETWEEN ? AND ? GROUP BY substr(m.date, 1, 7) ORDER BY 1"),
        {accountId, iso(from), iso(to)});
  }

  Counters counters(int accountId) override {
    Sql q(db(),
          QStringLiteral("SELECT (SELECT COUNT(*) FROM cart_lines WHERE account_id = ?), "
                         "(SELECT COUNT(*) FROM products WHERE is_new = 1), "
                         "(SELECT COUNT(*) FROM products WHERE campaign_price > 0), "
                         "(SELECT COUNT(*) FROM announcements), "
                         "(SELECT COUNT(*) FROM order_lines l JOIN orders o ON o.id = l.order_id "
                         "  WHERE o.account_id = ? AND ") +
              kOpen + QStringLiteral(" > 0)"));
    q.bind(accountId).bind(accountId).exec();
    Counters c;
    if (q.next()) {
      c.cartLines = q.value(0).toInt();
      c.newProducts = q.value(1).toInt();
      c.campaignProducts = q.value(2).toInt();
      c.announcements = q.value(3).toInt();
      c.openBalances = q.value(4).toDouble();
    }
    return c;
  }

  // ---- content ----
  std::optional<Picture> banner(int slot) override {
    return pictureQuery(QStringLiteral("SELECT mime, data FROM banners WHERE slot = ?"), slot);
  }

  QList<Announcement> announcements() override {
    Sql q(db(), QStringLiteral("SELECT id, title, action, jpeg FROM announcements "
                               "ORDER BY position, id"));
    q.exec();
    QList<Announcement> list;
    while (q.next())
      list.append({q.value(0).toInt(), q.value(1).toString(), q.value(2).toString(),
                   q.value(3).toByteArray()});
    return list;
  }

  // ---- outbox ----
  int addOutbox(const OutboxEntry& e) override {
    return insert(QStringLiteral("INSERT INTO outbox(created, kind, identity, recipient, subject, "
                                 "body, sent) VALUES (?,?,?,?,?,?,0)"),
                  {iso(e.created), e.kind, e.identity, e.recipient, e.subject, e.body});
  }

  QList<OutboxEntry> outbox(bool unsentOnly) override {
    Sql q(db(), QStringLiteral("SELECT id, created, kind, identity, recipient, subject, body, sent "
                               "FROM outbox ") +
                    (unsentOnly ? QStringLiteral("WHERE sent = 0 ") : QString()) +
                    QStringLiteral("ORDER BY id"));
    q.exec();
    QList<OutboxEntry> list;
    while (q.next()) {
      OutboxEntry e;
      e.id = q.value(0).toInt();
      e.created = QDateTime::fromString(q.value(1).toString(), Qt::ISODate);
      e.kind = q.value(2).toString();
      e.identity = q.value(3).toString();
      e.recipient = q.value(4).toString();
      e.subject = q.value(5).toString();
      e.body = q.value(6).toString();
      e.sent = q.value(7).toInt() != 0;
      list.append(e);
    }
    return list;
  }

  void markSent(int outboxId) override {
    Sql(db(), QStringLiteral("UPDATE outbox SET sent = 1 WHERE id = ?")).bind(outboxId).exec();
  }

 private:
  ConnectionPool pool_;
};

}  // namespace

std::unique_ptr<Store> openSqliteStore(const QString& path) {
  const QFileInfo info(path);
  if (!info.absoluteDir().exists() && !QDir().mkpath(info.absolutePath()))
    throw StoreError("Veritabanı klasörü oluşturulamadı: " + info.absolutePath().toStdString());
  return std::make_unique<SqliteStore>(path);
}

}  // namespace vlm::server
