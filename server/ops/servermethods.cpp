#include "servermethods.h"

#include <cmath>

#include "content/documents.h"
#include "daycount.h"
#include "error.h"

namespace vlm::server {

namespace {

FieldType fieldType(ColumnType t) {
  switch (t) {
    case ColumnType::Integer: return FieldType::Integer;
    case ColumnType::Float: return FieldType::Float;
    case ColumnType::Text: return FieldType::String;
    case ColumnType::Memo: return FieldType::Memo;
    case ColumnType::Date: return FieldType::Date;
    case ColumnType::DateTime: return FieldType::DateTime;
  }
  return FieldType::String;
}

bool finiteIn(double v, double lo, double hi) {
  return std::isfinite(v) && v >= lo && v <= hi;
}

// A discount rate as the server keeps it: 0 to 100, anything else 0.
double rate(double v) {
  return finiteIn(v, 0, 100) ? v : 0;
}

constexpr double kMaxQuantity = 100000;
constexpr double kMaxPrice = 1e9;
constexpr int kMaxNote = 2000;

Scope scopeOf(const Login& l) {
  switch (l.customerType) {
    case 1: return {Scope::Seller, l.sellerId};
    case 2: return {Scope::All, 0};
    default: return {Scope::Account, l.accountId};
  }
}

QDate dayOf(double dayNumber) {
  const QDateTime dt = fromDayCount(dayNumber);
  return dt.isValid() ? dt.date() : QDate();
}

QString hexText(const QByteArray& bytes) {
  return QString::fromLatin1(bytes.toHex().toUpper());
}

std::unique_ptr<TAcilisEkran> screen(const Announcement& a) {
  auto e = std::make_unique<TAcilisEkran>();
  e->SetSiraNo(a.position);
  e->SetResim(hexText(a.jpeg));
  e->SetBaslik(a.title);
  e->SetArama(a.action);
  return e;
}

}  // namespace

std::unique_ptr<DataSet> toDataSet(const Table& table) {
  auto ds = std::make_unique<DataSet>();
  for (const Column& c : table.columns) ds->addField(c.name, fieldType(c.type));
  ds->reserve(table.rowCount());
  const int n = int(table.columns.size());
  for (const QVariantList& row : table.rows) {
    const int r = ds->appendRow();
    for (int c = 0; c < n; ++c) {
      const QVariant& v = row[c];
      switch (table.columns[c].type) {
        case ColumnType::Integer: ds->setInteger(r, c, v.toLongLong()); break;
        case ColumnType::Float: ds->setFloat(r, c, v.toDouble()); break;
        case ColumnType::Text:
        case ColumnType::Memo: ds->setString(r, c, v.toString()); break;
        case ColumnType::Date:
          if (v.toDate().isValid()) ds->setDayCount(r, c, toDayCount(v.toDate()));
          break;
        case ColumnType::DateTime:
          if (v.toDateTime().isValid()) ds->setDayCount(r, c, toDayCount(v.toDateTime()));
          break;
      }
    }
  }
  ds->first();
  return ds;
}

TServerMethods1::TServerMethods1(Store& store) : TServerMethods1(store, Options{}) {}
TServerMethods1::TServerMethods1(Store& store, Options options)
    : store_(store), options_(std::move(options)) {}

QDate TServerMethods1::today() const {
  return options_.today ? options_.today() : QDate::currentDate();
}

Caller TServerMethods1::caller(const TSonucBilgisi* record) {
  if (!record) throw Error(QStringLiteral("Oturum bilgisi gönderilmedi"));
  const auto login = store_.userLogin(record->ADI(), record->SIFRE());
  if (!login || !login->active) throw Error(QStringLiteral("Oturum bilgisi geçersiz"));
  Caller c;
  c.login = *login;
  c.scope = scopeOf(*login);
  c.accountId = login->customerType >= 3 ? login->accountId : accountFor(c, record->CARINO());
  return c;
}

int TServerMethods1::accountFor(const Caller& c, int carino) {
  if (c.login.customerType >= 3) return carino == c.login.accountId ? carino : 0;
  return carino > 0 && store_.accountInScope(carino, c.scope) ? carino : 0;
}

// ---- Login ----

std::unique_ptr<TSonucBilgisi> TServerMethods1::BuyukGetir(const QString& idsi) {
  auto r = std::make_unique<TSonucBilgisi>();
  r->SetBILGISAYARID(idsi);
  r->SetVersion(store_.setting(QStringLiteral("version"), QStringLiteral("2")).toInt());
  const auto l = store_.workstationLogin(idsi);
  if (!l) return r;  // Varmi stays false
  r->SetVarmi(true);
  r->SetSirano(l->userId);
  r->SetADI(l->login);
  r->SetSIFRE(l->password);
  r->SetAKTIF(l->active ? 1 : 0);
  r->SetKullanicimail(l->userMail);
  r->SetMusteriTipi(l->customerType);
  r->SetCARINO(l->accountId);
  r->Setcarikod(l->accountCode);
  r->SetCariAdi(l->accountName);
  r->SetSaticiNo(l->sellerId);
  r->SetSaticiAdi(l->sellerName);
  r->SetSaticiTelefon(l->sellerPhone);
  r->SetSaticiMail(l->sellerMail);
  r->SetBilgiSayarAdi(l->computerName);
  r->SetBilgisayarKullanici(l->osUser);
  r->SetIcip(l->localIp);
  r->SetDisip(l->publicIp);
  return r;
}

// ---- Catalogue ----

TServerMethods1::Tablo TServerMethods1::products(Table t, int accountId, int customerType,
                                                 bool campaignList) {
  const Rates account = store_.accountDiscounts(accountId).value_or(Rates{0, 0, 0, 0});
  const int list = t.indexOf(QStringLiteral("LISTEFIYAT1"));
  const int camp = t.indexOf(QStringLiteral("KAMPFIYAT"));
  const int price = t.indexOf(QStringLiteral("FIYAT"));
  const int vat = t.indexOf(QStringLiteral("KDV"));
  const int k = t.indexOf(QStringLiteral("K"));
  const int ind1 = t.addColumn(QStringLiteral("IND1"), ColumnType::Float);
  for (const char* name : {"IND2", "IND3", "IND4"}) t.addColumn(name, ColumnType::Float);
  const int indirim = t.addColumn(QStringLiteral("INDIRIM"), ColumnType::Float);
  const int text = t.addColumn(QStringLiteral("INDIRIMYAZI"), ColumnType::Text);
  const int net = t.addColumn(QStringLiteral("NETFIYAT"), ColumnType::Float);
  const int gross = t.addColumn(QStringLiteral("KDVDAHIL"), ColumnType::Float);
  for (QVariantList& row : t.rows) {
    // Retail dealers (type 4) buy at list price with their discounts.
    if (customerType == 4 && !campaignList) row[camp] = 0.0;
    const bool campaign = row[camp].toDouble() > 0;
    row[k] = campaign ? 1 : 0;
    const double p = campaign ? row[camp].toDouble() : row[list].toDouble();
    row[price] = p;
    const Rates rates = campaign ? Rates{0, 0, 0, 0} : account;
    for (int i = 0; i < 4; ++i) row[ind1 + i] = rates[i];
    row[indirim] = yuvarla(effectiveRate(rates));
    row[text] = ratesText(rates);
    const double n = yuvarla(cascade(p, rates));
    row[net] = n;
    row[gross] = yuvarla(n * (1 + row[vat].toDouble() / 100.0));
  }
  return toDataSet(t);
}

TServerMethods1::Tablo TServerMethods1::StokAraGetir(const QString& kod,
                                                     const TSonucBilgisi* bilgi) {
  const Caller c = caller(bilgi);
  const QString folded = foldText(kod).trimmed();
  return products(store_.searchProducts(folded, compactText(kod), options_.searchLimit),
                  c.accountId, c.login.customerType, false);
}

TServerMethods1::Tablo TServerMethods1::YenilerVer2(int carino) {
  return products(store_.newProducts(), carino, 3, false);
}

TServerMethods1::Tablo TServerMethods1::KampanyaliVer2(int cario, int satici) {
  Table t = store_.campaignProducts();
  if (satici == 4) t.rows.clear();  // retail dealers have no campaign list
  return products(std::move(t), cario, satici, true);
}

// ---- Cart ----

TServerMethods1::Tablo TServerMethods1::SepetVer2(int carino) {
  return toDataSet(store_.cartLines(carino));
}

int TServerMethods1::SepetEkle2(const TSonucBilgisi* bilgim, int carino, int stokno, const QString&,
                                const QString&, double miktar, double, double fiyat, double ind1,
                                int, int, double ind2, double ind3, double ind4) {
  const Caller c = caller(bilgim);
  const int account = accountFor(c, carino);
  const auto product = store_.product(stokno);
  if (account == 0 || !product || !finiteIn(miktar, 1e-9, kMaxQuantity)) return 0;
  const bool campaign = product->campaignPrice > 0 && c.login.customerType != 4;
  CartLine line;
  line.accountId = account;
  line.productId = stokno;
  line.quantity = miktar;
  line.vat = product->vat;
  if (c.login.customerType <= 2) {
    // Representatives may set price and discounts.
    line.price = finiteIn(fiyat, 0, kMaxPrice) ? fiyat : product->listPrice;
    line.rates = {rate(ind1), rate(ind2), rate(ind3), rate(ind4)};
  } else {
    // Dealers buy at the catalogue's price with their own discounts.
    line.price = campaign ? product->campaignPrice : product->listPrice;
    line.rates =
        campaign ? Rates{0, 0, 0, 0} : store_.accountDiscounts(account).value_or(Rates{0, 0, 0, 0});
  }
  store_.addCartLine(line, c.login.userId, campaign ? 1 : 0);
  return 1;
}

int TServerMethods1::SepetGuncelle2(const TSonucBilgisi* bilgim, int carino, int, const QString&,
                                    const QString&, double miktar, double, double fiyat,
                                    double ind1, int, int _sepetsirano, double ind2, double ind3,
                                    double ind4) {
  const Caller c = caller(bilgim);
  const int account = accountFor(c, carino);
  auto line = store_.cartLine(_sepetsirano);
  if (account == 0 || !line || line->accountId != account || !finiteIn(miktar, 1e-9, kMaxQuantity))
    return 0;
  line->quantity = miktar;
  if (c.login.customerType <= 2) {
    if (finiteIn(fiyat, 0, kMaxPrice)) line->price = fiyat;
    line->rates = {rate(ind1), rate(ind2), rate(ind3), rate(ind4)};
  }
  return store_.updateCartLine(*line, c.login.userId) ? 1 : 0;
}

int TServerMethods1::SepetSatirSil(const TSonucBilgisi* bilgi, int satirno, const QString&) {
  const Caller c = caller(bilgi);
  return c.accountId > 0 && store_.deleteCartLine(c.accountId, satirno) ? 1 : 0;
}

int TServerMethods1::SepetHepsiniSil(const TSonucBilgisi* bilgi) {
  const Caller c = caller(bilgi);
  return c.accountId > 0 ? store_.clearCart(c.accountId) : 0;
}

void TServerMethods1::SepetSecimGuncelle(int sirano, int secim) {
  store_.markCartLine(sirano, secim != 0);
}

QString TServerMethods1::CariVadeGunGecmismiBul(int carino) {
  const auto card = store_.accountCard(carino);
  if (!card) return {};
  // Collections pay the oldest debits first; what is left of debits older
  // than the payment term is overdue.
  const Table t = store_.statement(carino);
  double credit = 0;
  for (int r = 0; r < t.rowCount(); ++r) credit += t.value(r, QStringLiteral("ALACAK")).toDouble();
  const QDate limit = today().addDays(-card->account.paymentDays);
  double overdue = 0;
  QDate oldest;
  for (int r = 0; r < t.rowCount(); ++r) {
    const double debit = t.value(r, QStringLiteral("BORC")).toDouble();
    const double paid = std::min(debit, credit);
    credit -= paid;
    const QDate d = t.value(r, QStringLiteral("TARIH")).toDate();
    if (debit - paid > 0.005 && d < limit) {
      overdue += debit - paid;
      if (!oldest.isValid()) oldest = d;
    }
  }
  if (overdue < 0.01) return {};
  return QStringLiteral(
             "Vadesi geçmiş bakiyeniz %1 TL (en eski %2 günlük). "
             "Lütfen ödemenizi yapınız.")
      .arg(turkishMoney(overdue))
      .arg(oldest.daysTo(today()));
}

TServerMethods1::Tablo TServerMethods1::TeslimVer() {
  return toDataSet(store_.deliveryModes());
}
TServerMethods1::Tablo TServerMethods1::KargoVer() {
  return toDataSet(store_.cargoTypes());
}
TServerMethods1::Tablo TServerMethods1::KargolarVer(int gn) {
  return toDataSet(store_.cargoCompanies(gn));
}

bool TServerMethods1::SiparisKaydet(const TSonucBilgisi* BB, int _carino, int _teslim, int _kargo,
                                    const QString& _aciklama, int, int _kargoyeni) {
  const Caller c = caller(BB);
  const int account = accountFor(c, _carino);
  if (account == 0) return false;
  auto holds = [](const Table& t, const QString& column, int id) {
    for (int r = 0; r < t.rowCount(); ++r)
      if (t.value(r, column).toInt() == id) return true;
    return false;
  };
  if (!holds(store_.deliveryModes(), QStringLiteral("ID"), _teslim) ||
      !holds(store_.cargoTypes(), QStringLiteral("ID"), _kargo) ||
      !holds(store_.cargoCompanies(_kargo), QStringLiteral("SIRANO"), _kargoyeni))
    return false;
  OrderPlacement p{account, c.login.userId, _teslim, _kargo, _kargoyeni, _aciklama.left(kMaxNote)};
  return store_.placeOrder(p).has_value();
}

// ---- Orders and balances ----

TServerMethods1::Tablo TServerMethods1::BakiyelerVer2(int carino) {
  return toDataSet(store_.orderLines(carino, 0, 0, true));
}

int TServerMethods1::changeBalance(const TSonucBilgisi* k, int siparissirano, double newBalance) {
  const Caller c = caller(k);
  const auto line = store_.orderLine(siparissirano);
  if (!line || accountFor(c, line->accountId) == 0) return 0;
  const double left = line->quantity - line->delivered;  // what could still be delivered
  if (!finiteIn(newBalance, 0, left)) return 0;
  return store_.setOrderLineCancelled(siparissirano, left - newBalance) ? 1 : 0;
}

int TServerMethods1::BakiyeDuzenle(const TSonucBilgisi* k, int, int, int siparissirano, double,
                                   double, const QString&) {
  return changeBalance(k, siparissirano, 0);
}

int TServerMethods1::BakiyeDegistir(const TSonucBilgisi* k, int, int, int siparissirano, double,
                                    double Bakiye, const QString&) {
  if (!(Bakiye > 0)) return 0;
  return changeBalance(k, siparissirano, Bakiye);
}

int TServerMethods1::BakiyeFiyatDegistir(const TSonucBilgisi* k, int, int, int siparissirano,
                                         double, double, const QString&, double fiyat, double ind) {
  const Caller c = caller(k);
  if (c.login.customerType != 2) return 0;  // only managers change prices
  const auto line = store_.orderLine(siparissirano);
  if (!line || accountFor(c, line->accountId) == 0 || line->open() <= 0 ||
      !finiteIn(fiyat, 0.000001, kMaxPrice) || !finiteIn(ind, 0, 100))
    return 0;
  return store_.setOrderLinePrice(siparissirano, fiyat, {ind, 0, 0, 0}) ? 1 : 0;
}

std::unique_ptr<TSiparisDipAyrinti> TServerMethods1::SiparisAytintisiDip(int, int siranosu) {
  auto r = std::make_unique<TSiparisDipAyrinti>();
  if (const auto f = store_.orderFooter(siranosu)) {
    r->SetDurumu(f->status);
    r->SetTeslimCinsi(f->deliveryKind);
    r->SetKargoCinsi(f->cargoKind);
    r->SetKargo(f->cargoCompany);
    r->SetVeren(f->placedBy);
    r->SetSizinMesaj(f->customerNote);
    r->SetBizimMesaj(f->ourNote);
    r->SetSaticiNotu(f->sellerNote);
  }
  return r;
}

TServerMethods1::Tablo TServerMethods1::TumSiparislerVer(int carino, int stokno) {
  return toDataSet(store_.orderLines(carino, 0, stokno, false));
}

TServerMethods1::Tablo TServerMethods1::StokHareketVer(int carino, int stokno) {
  return toDataSet(store_.stockMovements(carino, stokno));
}

QByteArray TServerMethods1::ResimVer5(int stokno) {
  const auto p = store_.productPicture(stokno);
  return p ? p->data : QByteArray();
}

// ---- Account and documents ----

TServerMethods1::Tablo TServerMethods1::OncekiSiparisler(int carino) {
  return toDataSet(store_.previousOrders(carino));
}

TServerMethods1::Tablo TServerMethods1::SiparisAyrintisi2(int carino, int idnosu) {
  // Order number 0 names no order (orderLines would take it as "all").
  return toDataSet(store_.orderLines(carino, idnosu > 0 ? idnosu : -1, 0, false));
}

TServerMethods1::Tablo TServerMethods1::CariEkstreVer(int carino) {
  return toDataSet(store_.statement(carino));
}

TServerMethods1::Tablo TServerMethods1::FaturaGetir(int carino, int idnosu) {
  return toDataSet(store_.invoiceLines(carino, idnosu));
}

TServerMethods1::Tablo TServerMethods1::FaturaAltGetir(int idnosu) {
  return toDataSet(store_.invoiceTotals(idnosu));
}

TServerMethods1::Tablo TServerMethods1::Tahsilat(int idnosu) {
  return toDataSet(store_.collection(idnosu));
}

int TServerMethods1::SanalposSiranoVer(int idnosu) {
  return store_.posPaymentOf(idnosu);
}

QByteArray TServerMethods1::SAnalPosPdfVer(int sirano) {
  return store_.posReceipt(sirano).value_or(QByteArray());
}

TServerMethods1::Tablo TServerMethods1::RaporAlinanSiparisler(const TSonucBilgisi* bilgi,
                                                              double tarih1, double tarih2) {
  const Caller c = caller(bilgi);
  QDate from = dayOf(tarih1), to = dayOf(tarih2);
  if (from > to) std::swap(from, to);
  return toDataSet(store_.ordersTaken(c.scope, from, to));
}

TServerMethods1::Tablo TServerMethods1::RaporEnCokSatilanStoklar(const TSonucBilgisi* bilgi,
                                                                 double tarih1, double tarih2) {
  const Caller c = caller(bilgi);
  QDate from = dayOf(tarih1), to = dayOf(tarih2);
  if (from > to) std::swap(from, to);
  return toDataSet(store_.bestSellers(c.scope, from, to));
}

// ---- Sales representative desk ----

TServerMethods1::Tablo TServerMethods1::CariAra(const TSonucBilgisi* bil, const QString& aranan) {
  const Caller c = caller(bil);
  return toDataSet(store_.customers(c.scope, 0, foldText(aranan).trimmed()));
}

TServerMethods1::Tablo TServerMethods1::CariSepetVer(const TSonucBilgisi* bil, int n) {
  const Caller c = caller(bil);
  return toDataSet(store_.customers(c.scope, n >= 1 && n <= 7 ? n : -1, {}));
}

int TServerMethods1::SepetSayisi(const TSonucBilgisi* bil) {
  return store_.customersWithCart(caller(bil).scope);
}

std::unique_ptr<TTusSonuclari> TServerMethods1::TusSonuclariVer(const TSonucBilgisi* bil) {
  const StatusCounts s = store_.statusCounts(caller(bil).scope);
  auto r = std::make_unique<TTusSonuclari>();
  r->SetAlindi(s.received);
  r->SetOnaylandi(s.approved);
  r->SetGoruldu(s.seen);
  r->SetParcaliHazirlandi(s.partlyPrepared);
  r->SetHazirlandi(s.prepared);
  r->SetSevkEdildi(s.dispatched);
  return r;
}

QByteArray TServerMethods1::RaporGetir(int raporno, int, int idno, int carino,
                                       const QString& saticiadi, double tarih1, double tarih2) {
  const auto user = store_.user(idno);
  if (!user || !user->active) return {};
  Login l;
  l.customerType = user->customerType;
  l.accountId = user->accountId;
  l.sellerId = user->sellerId;
  const Scope scope = scopeOf(l);
  QDate from = dayOf(tarih1), to = dayOf(tarih2);
  if (!from.isValid()) from = today();
  if (!to.isValid()) to = from;
  if (carino > 0 && !store_.accountInScope(carino, scope)) return {};
  if (raporno == 6)
    return carino > 0 ? accountSummaryPdf(store_, carino, saticiadi, from)
                      : receivablesPdf(store_, scope, saticiadi, from);
  if (raporno == 7 && carino > 0) {
    if (from > to) std::swap(from, to);
    return salesTablePdf(store_, carino, saticiadi, from, to);
  }
  return {};
}

// ---- Content and notifications ----

TServerMethods1::Tablo TServerMethods1::BalonGetir(const TSonucBilgisi* bil) {
  const Caller c = caller(bil);
  const Counters n = store_.counters(c.accountId);
  Table t;
  t.columns = {{"SEPET", ColumnType::Integer},
               {"YENI", ColumnType::Integer},
               {"KAMPANYA", ColumnType::Integer},
               {"DUYURU", ColumnType::Integer},
               {"BAKIYE", ColumnType::Float}};
  t.rows.append({n.cartLines, n.newProducts, c.login.customerType == 4 ? 0 : n.campaignProducts,
                 n.announcements, n.openBalances});
  return toDataSet(t);
}

QString TServerMethods1::KayanYaziGetir() {
  return store_.setting(QStringLiteral("kayanyazi"));
}

QByteArray TServerMethods1::BannerResimVer() {
  const auto p = store_.banner(1);
  return p ? p->data : QByteArray();
}
QByteArray TServerMethods1::BannerResimVer2() {
  const auto p = store_.banner(2);
  return p ? p->data : QByteArray();
}
QByteArray TServerMethods1::BannerResimVer3() {
  const auto p = store_.banner(3);
  return p ? p->data : QByteArray();
}

int TServerMethods1::AcilisReklamAdet() {
  return int(store_.announcements().size());
}

std::unique_ptr<TAcilisEkran> TServerMethods1::AcilisREklamVer(int sira) {
  const QList<Announcement> all = store_.announcements();
  if (sira < 0 || sira >= all.size()) return std::make_unique<TAcilisEkran>();
  return screen(all[sira]);
}

std::unique_ptr<TAcilisEkranlariki> TServerMethods1::AcilisEkranlarVer2() {
  auto r = std::make_unique<TAcilisEkranlariki>();
  for (const Announcement& a : store_.announcements()) r->Ekranlar().push_back(screen(a));
  return r;
}

// ---- Requests and mail ----

std::unique_ptr<TMobilCariBilgisi> TServerMethods1::MobilCariBilgisiGetir(int,
                                                                          const QString& _idsi) {
  auto r = std::make_unique<TMobilCariBilgisi>();
  r->SetBILGISAYARID(_idsi);
  const auto l = store_.workstationLogin(_idsi);
  if (!l) return r;
  r->SetKULLANICIADI(l->login);
  r->SetSIFRE(l->password);
  r->SetMAIL(l->userMail);
  r->SetSATICIADI(l->sellerName);
  r->SetSATICITELEFON(l->sellerPhone);
  r->SetSATICIMAIL(l->sellerMail);
  const auto card = store_.accountCard(l->accountId);
  if (!card) return r;
  const Account& a = card->account;
  r->SetCARINO(card->id);
  r->SetCARIKOD(a.code);
  r->SetCARIADI(a.name);
  r->SetOzelKod(a.specialCode);
  r->SetAnaGrup(a.mainGroup);
  r->SetAltGrup(a.subGroup);
  r->SetADRES1(a.address1);
  r->SetADRES2(a.address2);
  r->SetILCE(a.district);
  r->SetSEHIR(a.city);
  r->SetULKE(a.country);
  r->SetTEL1(a.phone1);
  r->SetTEL2(a.phone2);
  r->SetFAX1(a.fax1);
  r->SetFAX2(a.fax2);
  r->SetGSM(a.gsm);
  r->SetEMAIL(a.email);
  r->SetYETKILI(a.contact);
  r->SetVERGIDAIRESI(a.taxOffice);
  r->SetVERGINO(a.taxNumber);
  r->SetTLBORC(yuvarla(card->debit));
  r->SetTLALACAK(yuvarla(card->credit));
  r->SetTLBAKIYE(yuvarla(card->debit - card->credit));
  return r;
}

namespace {

QString requestBody(const QStringList& labels, const QStringList& values) {
  QStringList lines;
  for (int i = 0; i < labels.size(); ++i)
    lines << labels[i] + QStringLiteral(": ") + values.value(i);
  return lines.join(QStringLiteral("\r\n"));
}

const QStringList kFirmLabels = {
    "Bilgisayar ID", "Firma Adı", "Adres",   "Adres2",        "İlçe",  "Şehir", "Telefon",    "Fax",
    "Vergi Dairesi", "Vergi No",  "Yetkili", "Kullanıcı Adı", "Şifre", "Mail",  "Kargo Ambar"};

}  // namespace

int TServerMethods1::request(const QString& kind, const QString& idsi, const QString& baslik,
                             const QString& body) {
  OutboxEntry e;
  e.created = QDateTime::currentDateTime();
  e.kind = kind;
  e.identity = idsi.left(200);
  e.recipient = store_.setting(QStringLiteral("mail.to"));
  e.subject = baslik.left(200);
  e.body = body.left(20000);
  return store_.addOutbox(e) > 0 ? 1 : 0;
}

int TServerMethods1::MailGonserCari(const QString& idsi, const QString& baslik,
                                    const QString& firmaadi, const QString& adres1,
                                    const QString& adres2, const QString& ilce,
                                    const QString& sehir, const QString& telefon,
                                    const QString& fax, const QString& vd, const QString& vn,
                                    const QString& yetkili, const QString& kullaniciadi,
                                    const QString& sifre, const QString& mail,
                                    const QString& kargoambar) {
  return request(
      QStringLiteral("sifre"), idsi, baslik,
      requestBody(kFirmLabels, {idsi, firmaadi, adres1, adres2, ilce, sehir, telefon, fax, vd, vn,
                                yetkili, kullaniciadi, sifre, mail, kargoambar}));
}

int TServerMethods1::MailGonserCariNormal(const QString& idsi, const QString& baslik,
                                          const QString& firmaadi, const QString& adres1,
                                          const QString& adres2, const QString& ilce,
                                          const QString& sehir, const QString& telefon,
                                          const QString& fax, const QString& vd, const QString& vn,
                                          const QString& yetkili, const QString& kullaniciadi,
                                          const QString&, const QString& mail,
                                          const QString& kargoambar, const QString& konu) {
  // The password is not repeated in an ordinary mail.
  QStringList labels = kFirmLabels;
  labels.removeAt(12);
  return request(QStringLiteral("mail"), idsi, baslik,
                 konu + QStringLiteral("\r\n\r\n") +
                     requestBody(labels, {idsi, firmaadi, adres1, adres2, ilce, sehir, telefon, fax,
                                          vd, vn, yetkili, kullaniciadi, mail, kargoambar}));
}

}  // namespace vlm::server
