#include "demo.h"

#include <QRandomGenerator>

#include "content/documents.h"
#include "content/pictures.h"

namespace vlm::server {

namespace {

// A small deterministic generator (the same numbers on every platform).
class Dice {
 public:
  explicit Dice(quint32 seed) : s_(seed ? seed : 1) {}
  quint32 next() {
    s_ ^= s_ << 13;
    s_ ^= s_ >> 17;
    s_ ^= s_ << 5;
    return s_;
  }
  int below(int n) { return n <= 0 ? 0 : int(next() % quint32(n)); }
  int between(int lo, int hi) { return lo + below(hi - lo + 1); }
  bool chance(int percent) { return below(100) < percent; }
  double real(double lo, double hi) { return lo + (hi - lo) * (next() % 1000000) / 1000000.0; }
  template <typename T, size_t N>
  const T& pick(const T (&list)[N]) {
    return list[below(int(N))];
  }
  QString digits(int n) {
    QString s;
    for (int i = 0; i < n; ++i) s += QChar(u'0' + below(10));
    return s;
  }
  QString letters(int n) {
    static const char kLetters[] = "ABCDEFGHJKLMNPRSTUVYZ";
    QString s;
    for (int i = 0; i < n; ++i) s += QLatin1Char(kLetters[below(int(sizeof kLetters) - 1)]);
    return s;
  }

 private:
  quint32 s_;
};

struct PartKind {
  const char* name;
  const char* group;
  int picture;
  double minPrice, maxPrice;
  const char* unit;
};

const PartKind kKinds[] = {
    {"Fren Balatası", "FREN SİSTEMİ", 4, 180, 1400, "TAKIM"},
    {"Fren Diski", "FREN SİSTEMİ", 0, 450, 3200, "ADET"},
    {"Fren Kaliperi", "FREN SİSTEMİ", 0, 900, 5200, "ADET"},
    {"Fren Hortumu", "FREN SİSTEMİ", 3, 90, 420, "ADET"},
    {"El Fren Teli", "FREN SİSTEMİ", 3, 120, 600, "ADET"},
    {"Yağ Filtresi", "FİLTRE", 1, 45, 380, "ADET"},
    {"Hava Filtresi", "FİLTRE", 1, 70, 520, "ADET"},
    {"Polen Filtresi", "FİLTRE", 1, 60, 450, "ADET"},
    {"Yakıt Filtresi", "FİLTRE", 1, 80, 700, "ADET"},
    {"Amortisör", "SÜSPANSİYON", 2, 650, 4200, "ADET"},
    {"Helezon Yayı", "SÜSPANSİYON", 2, 400, 1900, "ADET"},
    {"Rotil", "SÜSPANSİYON", 2, 150, 900, "ADET"},
    {"Salıncak", "SÜSPANSİYON", 2, 600, 3400, "ADET"},
    {"Viraj Askı Rotu", "SÜSPANSİYON", 2, 110, 650, "ADET"},
    {"Amortisör Takozu", "SÜSPANSİYON", 2, 120, 700, "ADET"},
    {"Triger Seti", "MOTOR", 3, 900, 5600, "SET"},
    {"V Kayışı", "MOTOR", 3, 90, 600, "ADET"},
    {"Su Pompası", "MOTOR", 0, 450, 2600, "ADET"},
    {"Conta Takımı", "MOTOR", 4, 250, 2200, "TAKIM"},
    {"Motor Takozu", "MOTOR", 2, 300, 1800, "ADET"},
    {"Enjektör", "MOTOR", 5, 1200, 7800, "ADET"},
    {"Buji", "MOTOR", 5, 60, 420, "ADET"},
    {"Debriyaj Seti", "ŞANZIMAN", 0, 1800, 9600, "SET"},
    {"Debriyaj Rulmanı", "ŞANZIMAN", 0, 250, 1400, "ADET"},
    {"Aks Körüğü", "ŞANZIMAN", 3, 90, 480, "ADET"},
    {"Aks Mili", "ŞANZIMAN", 2, 1400, 7200, "ADET"},
    {"Radyatör", "SOĞUTMA", 4, 1200, 6400, "ADET"},
    {"Termostat", "SOĞUTMA", 5, 150, 900, "ADET"},
    {"Fan Motoru", "SOĞUTMA", 0, 700, 3900, "ADET"},
    {"Radyatör Hortumu", "SOĞUTMA", 3, 80, 520, "ADET"},
    {"Alternatör", "ELEKTRİK", 0, 2400, 11800, "ADET"},
    {"Marş Motoru", "ELEKTRİK", 0, 2100, 9800, "ADET"},
    {"Ateşleme Bobini", "ELEKTRİK", 5, 350, 2100, "ADET"},
    {"Oksijen Sensörü", "ELEKTRİK", 5, 600, 3600, "ADET"},
    {"Far Ampulü", "AYDINLATMA", 5, 40, 380, "ADET"},
    {"Stop Lambası", "AYDINLATMA", 4, 300, 2600, "ADET"},
    {"Sis Farı", "AYDINLATMA", 5, 350, 2400, "ADET"},
    {"Sinyal Lambası", "AYDINLATMA", 4, 120, 900, "ADET"},
    {"Tampon", "KAPORTA", 4, 900, 5200, "ADET"},
    {"Çamurluk", "KAPORTA", 4, 700, 3800, "ADET"},
    {"Kapı Kolu", "KAPORTA", 2, 90, 650, "ADET"},
    {"Ayna Camı", "KAPORTA", 1, 120, 800, "ADET"},
    {"Egzoz Susturucusu", "EGZOZ", 1, 800, 4600, "ADET"},
    {"Egzoz Contası", "EGZOZ", 3, 30, 220, "ADET"},
    {"Rot Başı", "DİREKSİYON", 2, 140, 850, "ADET"},
    {"Direksiyon Kutusu", "DİREKSİYON", 4, 3200, 16800, "ADET"},
    {"Hidrolik Pompası", "DİREKSİYON", 0, 1600, 7900, "ADET"},
    {"Klima Kompresörü", "KLİMA", 0, 3800, 17500, "ADET"},
    {"Klima Kurutucusu", "KLİMA", 1, 220, 1200, "ADET"},
    {"Kalorifer Radyatörü", "KLİMA", 4, 500, 2900, "ADET"},
};

const char* const kPositions[] = {"",       "",       "",         "Ön",       "Arka", "Sağ", "Sol",
                                  "Ön Sağ", "Ön Sol", "Arka Sağ", "Arka Sol", "Üst",  "Alt"};
// Invented vehicle makes and model names.
const char* const kMakes[] = {"Arvena", "Belkor",  "Calvira", "Devrana", "Elmora", "Fenrik",
                              "Gorvan", "Halvena", "Ilmatra", "Korvel",  "Lumera", "Morvesa"};
const char* const kModels[] = {"Meltem", "Poyraz", "Lodos",  "Yakamoz", "Dalga", "Nehir",
                               "Serin",  "Toprak", "Orkide", "Lale",    "Martı", "Gökkuşağı"};
const char* const kEngines[] = {"1.2", "1.4", "1.6", "1.6 D", "1.9 D", "2.0", "2.0 D", "1.3 D"};
const char* const kMakers[] = {"TKP", "DMR", "ALP", "SRN", "KRT", "YLD", "BGT", "NVA"};
const char* const kSpecial[] = {"YERLİ", "İTHAL", "OEM", "MUADİL", "A SINIFI"};
const char* const kFirmWords[] = {
    "Kuzeyyıldız", "Yeşilvadi",  "Mavikaya",  "Gümüşsu",   "Dört Mevsim", "Karatepe",
    "Akçaağaç",    "Beyazkule",  "Dereboyu",  "Gökçedağ",  "Kızılırmak",  "Lacivert",
    "Mercankaya",  "Narlıbahçe", "Ormanaltı", "Pınarbaşı", "Sarıkum",     "Tuzgölü",
    "Uluçınar",    "Yıldıztepe", "Zümrütova", "Altınoluk", "Bozkırlı",    "Çamlıkaya"};
const char* const kFirmTails[] = {"Oto Yedek Parça Ltd. Şti.", "Otomotiv San. ve Tic. Ltd. Şti.",
                                  "Oto Parça", "Motorlu Araçlar Tic.", "Yedek Parça A.Ş."};
const char* const kFirstNames[] = {"Selin", "Murat", "Elif",  "Burak", "Zeynep", "Kerem",
                                   "Derya", "Onur",  "Gizem", "Emre",  "Pelin",  "Tolga",
                                   "Aslı",  "Caner", "Nazlı", "Sinan"};
const char* const kLastNames[] = {"Ufukdere", "Taşyaka", "Kumsallı", "Dereboy",
                                  "Ilgazlı",  "Tunaboy", "Çamlısu",  "Karapınarlı",
                                  "Akyamaç",  "Göksuyu", "Yelkovan", "Tepebaşlı"};
struct Place {
  const char* city;
  const char* district;
  const char* area;
};
const Place kPlaces[] = {{"İstanbul", "İkitelli", "0212"},    {"Ankara", "Ostim", "0312"},
                         {"İzmir", "Bornova", "0232"},        {"Bursa", "Nilüfer", "0224"},
                         {"Konya", "Selçuklu", "0332"},       {"Adana", "Seyhan", "0322"},
                         {"Antalya", "Kepez", "0242"},        {"Kayseri", "Melikgazi", "0352"},
                         {"Eskişehir", "Tepebaşı", "0222"},   {"Samsun", "İlkadım", "0362"},
                         {"Gaziantep", "Şehitkamil", "0342"}, {"Trabzon", "Ortahisar", "0462"}};
const char* const kStreets[] = {"Sanayi Sitesi", "Oto Sanayi", "Yedek Parçacılar Çarşısı",
                                "Organize Sanayi Bölgesi", "Küçük Sanayi Sitesi"};
const char* const kCustomerNotes[] = {"",
                                      "",
                                      "Acil lazım, bugün çıkarsa sevinirim.",
                                      "Kargo ile gönderilsin.",
                                      "Faturayı şirkete kesiniz.",
                                      ""};
const char* const kOurNotes[] = {"", "Stoktan çıktı.", "Eksik parça tedarik ediliyor.",
                                 "Depodan hazırlanıyor.", ""};

QString personName(Dice& d) {
  return QString::fromUtf8(d.pick(kFirstNames)) + QLatin1Char(' ') +
         QString::fromUtf8(d.pick(kLastNames));
}

QString phone(Dice& d, const char* area) {
  return QStringLiteral("0(%1) %2 %3 %4")
      .arg(QString::fromLatin1(area).mid(1), d.digits(3), d.digits(2), d.digits(2));
}

QString slug(const QString& s) {
  return foldText(s).toLower().remove(QLatin1Char(' '));
}

double price(Dice& d, double lo, double hi) {
  // Log-uniform between lo and hi, to kuruş; most parts are cheap.
  const double x = lo * std::pow(hi / lo, d.real(0, 1));
  return yuvarla(x);
}

struct Catalogue {
  QList<int> ids;
  QList<ProductInfo> info;
};

Catalogue makeCatalogue(Store& store, const DemoOptions& o, Dice& d) {
  QList<int> pictures;
  for (int i = 0; i < o.distinctPictures; ++i)
    pictures << store.addPicture(
        {"image/jpeg", encodeImage(productImage(i, (i * 47) % 360), "JPG", 82)});

  Catalogue c;
  for (int i = 0; i < o.products; ++i) {
    const PartKind& k = kKinds[i % int(std::size(kKinds))];
    const QString make = QString::fromUtf8(d.pick(kMakes));
    const QString modelWord = QString::fromUtf8(d.pick(kModels));
    const int year = d.between(2006, 2021);
    Product p;
    const QString pos = QString::fromUtf8(d.pick(kPositions));
    p.name = (pos.isEmpty() ? QString() : pos + QLatin1Char(' ')) + QString::fromUtf8(k.name) +
             QLatin1Char(' ') + make + QLatin1Char(' ') + modelWord;
    p.group = QString::fromUtf8(k.group);
    p.department = p.group;
    p.code = foldText(p.group).left(3) + QStringLiteral("%1").arg(i + 1, 6, 10, QLatin1Char('0'));
    p.otherName = foldText(QString::fromUtf8(k.name)) + QLatin1Char(' ') + foldText(make);
    p.barcodeNo = QStringLiteral("20") + d.digits(11);
    p.producerCode = QString::fromLatin1(d.pick(kMakers)) + QLatin1Char('-') + d.digits(5);
    p.finishCode = QStringLiteral("F") + d.digits(6);
    p.oemNo = d.letters(2) + d.digits(5) + QLatin1Char('-') + d.letters(1) + d.digits(2);
    p.oem1 = p.oemNo;
    if (d.chance(60))
      p.oem2 = d.digits(3) + QLatin1Char(' ') + d.digits(3) + QLatin1Char(' ') + d.digits(3);
    if (d.chance(30)) p.oem3 = d.letters(1) + d.digits(7);
    if (d.chance(10)) p.oem4 = d.digits(10);
    p.unit = QString::fromLatin1(k.unit);
    p.make = make;
    p.model = QStringLiteral("%1 %2 (%3-%4)")
                  .arg(modelWord, QString::fromLatin1(d.pick(kEngines)))
                  .arg(year)
                  .arg(std::min(year + d.between(3, 8), 2024));
    p.specialCode = QString::fromUtf8(d.pick(kSpecial));
    p.dpCode = QStringLiteral("D") + d.digits(3);
    p.pCode = QStringLiteral("P") + d.digits(2);
    p.vat = 20;
    p.listPrice = price(d, k.minPrice, k.maxPrice);
    if (d.chance(3)) p.campaignPrice = yuvarla(p.listPrice * d.real(0.7, 0.9));
    p.isNew = d.chance(2);
    const int roll = d.below(100);
    p.state = roll < 62 ? 1 : roll < 72 ? 0 : roll < 81 ? 2 : roll < 88 ? 3 : roll < 94 ? 4 : 5;
    p.stock = p.state == 1 ? d.between(1, 240) : p.state == 2 ? d.between(1, 3) : 0;
    p.onOrder = p.state == 3 || p.state == 5 ? d.between(5, 120) : 0;
    if (i % 4 == 0)
      p.pictureId = pictures.value(k.picture + 6 * (i / 4 % (o.distinctPictures / 6)));
    const int id = store.addProduct(p);
    c.ids << id;
    c.info << ProductInfo{id, p.code, p.name, p.vat, p.listPrice, p.campaignPrice};
  }
  return c;
}

struct People {
  QList<int> sellers;
  QList<QString> sellerNames;
  QList<int> accounts;
  QList<DemoUser> users;
};

QString login(const QString& stem, int n) {
  return stem + QStringLiteral("%1").arg(n);
}

DemoUser addUser(Store& store, const QString& loginName, int type, int accountId, int sellerId,
                 quint32 seed) {
  User u;
  u.login = loginName;
  u.password = makePassword(seed);
  u.mail = loginName.toLower() + QStringLiteral("@velmora.example");
  u.customerType = type;
  u.accountId = accountId;
  u.sellerId = sellerId;
  DemoUser du;
  du.userId = store.addUser(u);
  du.login = u.login;
  du.password = u.password;
  du.customerType = type;
  du.accountId = accountId;
  du.identity = QStringLiteral("DEMO-") + u.login;
  store.bindWorkstation(du.identity, du.userId);
  return du;
}

People makePeople(Store& store, const DemoOptions& o, Dice& d) {
  People p;
  for (int s = 0; s < o.sellers; ++s) {
    const QString name = personName(d);
    p.sellerNames << name;
    p.sellers << store.addSeller(
        {name,
         QStringLiteral("0(5%1) %2 %3 %4").arg(d.digits(2), d.digits(3), d.digits(2), d.digits(2)),
         slug(name).replace(QLatin1Char('.'), QString()) + QStringLiteral("@velmora.example")});
  }
  for (int a = 0; a < o.accounts; ++a) {
    const Place& place = kPlaces[a % int(std::size(kPlaces))];
    Account acc;
    const QString word = QString::fromUtf8(kFirmWords[a % int(std::size(kFirmWords))]);
    acc.code = QStringLiteral("120.01.%1").arg(a + 1, 4, 10, QLatin1Char('0'));
    acc.name = word + QLatin1Char(' ') + QString::fromUtf8(d.pick(kFirmTails));
    acc.specialCode = a % 3 == 0 ? QStringLiteral("BAYİ") : QStringLiteral("SERVİS");
    acc.mainGroup = QStringLiteral("YURTİÇİ");
    acc.subGroup = QString::fromUtf8(place.city).toUpper();
    acc.address1 = QString::fromUtf8(d.pick(kStreets)) +
                   QStringLiteral(" %1. Blok No: %2").arg(d.between(1, 12)).arg(d.between(1, 80));
    acc.address2 = QStringLiteral("%1. Cadde").arg(d.between(1, 40));
    acc.district = QString::fromUtf8(place.district);
    acc.city = QString::fromUtf8(place.city);
    acc.phone1 = phone(d, place.area);
    acc.phone2 = d.chance(50) ? phone(d, place.area) : QString();
    acc.fax1 = phone(d, place.area);
    acc.gsm =
        QStringLiteral("0(5%1) %2 %3 %4").arg(d.digits(2), d.digits(3), d.digits(2), d.digits(2));
    acc.email = QStringLiteral("siparis@") + slug(word) + QStringLiteral(".example");
    acc.contact = personName(d);
    acc.taxOffice = QString::fromUtf8(place.district);
    acc.taxNumber = d.digits(10);
    acc.kod1 = QStringLiteral("B%1").arg(d.between(1, 5));
    acc.sellerId = p.sellers.value(a % std::max(1, o.sellers));
    const double base[] = {0, 5, 10, 15, 20};
    acc.discounts = {base[d.below(5)], d.chance(50) ? 5.0 : 0.0, d.chance(20) ? 2.5 : 0.0, 0};
    acc.paymentDays = 30 + 15 * d.below(5);
    acc.overdueCheckDays = 7;
    p.accounts << store.addAccount(acc);
  }
  int n3 = 0, n4 = 0;
  for (int a = 0; a < p.accounts.size(); ++a) {
    const bool retail = a % 5 == 4;
    p.users << addUser(store,
                       retail ? login(QStringLiteral("PERAKENDE"), ++n4)
                              : login(QStringLiteral("UYE"), 100 + (++n3)),
                       retail ? 4 : 3, p.accounts[a], 0, o.seed + 7919u * quint32(a + 1));
  }
  for (int s = 0; s < p.sellers.size(); ++s)
    p.users << addUser(store, login(QStringLiteral("PLASYER"), s + 1), 1, 0, p.sellers[s],
                       o.seed + 104729u * quint32(s + 1));
  p.users << addUser(store, QStringLiteral("MUDUR1"), 2, 0, p.sellers.value(0), o.seed + 31u);
  return p;
}

struct Reference {
  QList<int> delivery, cargoTypes;
  QList<QList<int>> companies;
};

Reference makeReference(Store& store) {
  Reference r;
  for (const char* name : {"Gel Al", "Kargo ile", "Servis Aracı ile", "Ambar ile"})
    r.delivery << store.addDeliveryMode(QString::fromUtf8(name));
  struct Company {
    const char* name;
    const char* warning;
  };
  const std::pair<const char*, QList<Company>> types[] = {
      {"Alıcı Ödemeli",
       {{"Yıldızyolu Kargo", "Alıcı ödemeli gönderilerde kargo ücreti teslimatta tahsil edilir."},
        {"Dörtyol Lojistik", ""}}},
      {"Gönderici Ödemeli", {{"Hızırlı Kargo", "16:00'dan sonraki siparişler ertesi gün çıkar."}}},
      {"Anlaşmalı Ambar",
       {{"Anadolu Ambarı", "Ambar teslimleri hafta içi yapılır."},
        {"Karayolu Nakliyat", ""},
        {"Ege Hattı Ambar", "Sadece Ege bölgesine gönderim yapılır."}}},
  };
  for (const auto& [type, companies] : types) {
    const int t = store.addCargoType(QString::fromUtf8(type));
    r.cargoTypes << t;
    QList<int> ids;
    for (const Company& c : companies)
      ids << store.addCargoCompany(t, QString::fromUtf8(c.name), QString::fromUtf8(c.warning));
    r.companies << ids;
  }
  return r;
}

// Orders, invoices, collections and the statement of one account.
void makeHistory(Store& store, const DemoOptions& o, Dice& d, const Catalogue& cat,
                 const Reference& ref, const People& people, int a, int& docNo) {
  const int accountId = people.accounts[a];
  const DemoUser& owner = people.users[a];
  const auto card = store.accountCard(accountId);
  const Rates rates = card->account.discounts;
  const QString seller = people.sellerNames.value(a % std::max(1, o.sellers));
  const QDateTime start(o.today.addDays(-200), QTime(9, 0));

  const double opening = yuvarla(d.real(-2000, 15000));
  Movement dev;
  dev.accountId = accountId;
  dev.date = start;
  dev.kindName = QStringLiteral("Devir");
  dev.docNo = QStringLiteral("DVR%1").arg(a + 1, 6, 10, QLatin1Char('0'));
  dev.description = QStringLiteral("Önceki dönemden devir");
  (opening >= 0 ? dev.debit : dev.credit) = std::abs(opening);
  store.addMovement(dev);

  double owed = std::max(0.0, opening);
  for (int n = 0; n < o.ordersPerAccount; ++n) {
    // Older orders are spread over the period; the last one is today's.
    const int age = n == o.ordersPerAccount - 1 ? 0 : d.between(1, 190);
    Order ord;
    ord.accountId = accountId;
    ord.userId = owner.userId;
    ord.created = QDateTime(o.today.addDays(-age), QTime(d.between(8, 17), d.between(0, 59)));
    ord.status = age > 20 ? (d.chance(85) ? 7 : 5) : 2 + d.below(6);
    const int t = d.below(int(ref.cargoTypes.size()));
    ord.deliveryId = ref.delivery.value(d.below(int(ref.delivery.size())));
    ord.cargoTypeId = ref.cargoTypes.value(t);
    ord.cargoCompanyId = ref.companies.value(t).value(d.below(int(ref.companies.value(t).size())));
    ord.customerNote = QString::fromUtf8(d.pick(kCustomerNotes));
    ord.ourNote = QString::fromUtf8(d.pick(kOurNotes));
    if (d.chance(20)) ord.sellerNote = QStringLiteral("Müşteri ile görüşüldü, ödeme haftaya.");
    const int lines = d.between(1, 6);
    Invoice inv;
    for (int l = 0; l < lines; ++l) {
      const ProductInfo& p = cat.info[d.below(int(cat.info.size()))];
      OrderLineInput line;
      line.productId = p.id;
      line.quantity = d.between(1, 12);
      const bool campaign = p.campaignPrice > 0;
      line.price = campaign ? p.campaignPrice : p.listPrice;
      line.firstPrice = line.price;
      line.vat = p.vat;
      line.rates = campaign ? Rates{0, 0, 0, 0} : rates;
      line.campaign = campaign ? 1 : 0;
      if (ord.status == 7)
        line.delivered = d.chance(80) ? line.quantity : std::floor(line.quantity / 2);
      else if (ord.status == 5)
        line.delivered = std::floor(line.quantity / 2);
      ord.lines << line;
      if (line.delivered > 0)
        inv.lines << InvoiceLine{p.id, line.delivered, line.price, line.vat, 0, line.rates, {}};
    }
    store.addOrder(ord);
    if (inv.lines.isEmpty()) continue;

    inv.accountId = accountId;
    inv.date = ord.created.addDays(std::min(2, age));
    inv.docNo = QStringLiteral("SFA%1").arg(++docNo, 6, 10, QLatin1Char('0'));
    inv.sellerName = seller;
    inv.paymentDays = card->account.paymentDays;
    inv.waybillNo = QStringLiteral("IRS%1").arg(docNo, 6, 10, QLatin1Char('0'));
    inv.waybillDate = inv.date.date();
    inv.orderDocNo = QStringLiteral("SIP%1").arg(docNo, 6, 10, QLatin1Char('0'));
    inv.orderDate = ord.created.date();
    const int invoiceId = store.addInvoice(inv);
    double total = 0;
    for (const InvoiceLine& l : inv.lines)
      total += lineAmounts(l.quantity, l.price, l.rates, l.vat).total;
    total = yuvarla(total);
    Movement m;
    m.accountId = accountId;
    m.date = inv.date;
    m.kindName = inv.kind;
    m.docNo = inv.docNo;
    m.debit = total;
    m.description = QStringLiteral("Sipariş teslimatı");
    m.docId = invoiceId;
    store.addMovement(m);
    owed += total;
  }

  // Collections every month or so, part of what is owed.
  const char* const types[] = {"Nakit", "Havale", "Kredi Kartı", "Kredi Kartı", "Çek"};
  for (int k = 0; k < std::max(2, o.ordersPerAccount / 2); ++k) {
    if (owed <= 0) break;
    Collection c;
    c.accountId = accountId;
    c.date = QDateTime(o.today.addDays(-180 + 40 * k + d.below(20)), QTime(d.between(9, 17), 15));
    if (c.date.date() > o.today) c.date = QDateTime(o.today, QTime(9, 30));
    c.type = QString::fromUtf8(d.pick(types));
    c.amount = yuvarla(owed * d.real(0.3, 0.7));
    c.docNo = QStringLiteral("THS%1").arg(++docNo, 6, 10, QLatin1Char('0'));
    c.due = c.type == QStringLiteral("Çek") ? c.date.date().addDays(60) : c.date.date();
    c.description = c.type + QStringLiteral(" ile tahsilat");
    c.ref = d.digits(8);
    const int collectionId = store.addCollection(c);
    Movement m;
    m.accountId = accountId;
    m.date = c.date;
    m.kindName = c.kind;
    m.docNo = c.docNo;
    m.credit = c.amount;
    m.description = c.description;
    m.docId = collectionId;
    store.addMovement(m);
    owed -= c.amount;
    if (c.type == QStringLiteral("Kredi Kartı")) {
      PosPayment pos;
      pos.collectionId = collectionId;
      pos.date = c.date;
      pos.cardMasked = QStringLiteral("5%1 **** **** %2").arg(d.digits(3), d.digits(4));
      pos.authCode = d.digits(6);
      pos.amount = c.amount;
      pos.installments = d.chance(30) ? 3 : 1;
      // The receipt is made when the payment is recorded.
      pos.receiptPdf = receiptPdf({card->account.code, card->account.name, c.docNo, pos.cardMasked,
                                   pos.authCode, pos.date, pos.amount, pos.installments});
      store.addPosPayment(pos);
    }
  }

  // Something waiting in the cart of every third account.
  if (a % 3 == 0) {
    for (int l = 0; l < 2; ++l) {
      const ProductInfo& p = cat.info[d.below(int(cat.info.size()))];
      CartLine line;
      line.accountId = accountId;
      line.productId = p.id;
      line.quantity = d.between(1, 5);
      line.price = p.listPrice;
      line.vat = p.vat;
      line.rates = rates;
      store.addCartLine(line, owner.userId, 0);
    }
  }
}

void makeContent(Store& store, const DemoOptions& o) {
  store.setBanner(1, {"image/gif", headerBannerGif()});
  store.setBanner(2, {"image/gif", upperBannerGif()});
  store.setBanner(3, {"image/bmp", lowerBannerBmp()});
  struct Screen {
    const char* title;
    const char* headline;
    const char* subline;
    const char* action;
    int hue;
  };
  const Screen screens[] = {
      {"Bahar Kampanyası Başladı", "BAHAR KAMPANYASI", "SECILI URUNLERDE %20 INDIRIM", "#KAMPANYA#",
       350},
      {"Yeni Ürünler Stokta", "YENI URUNLER", "HER HAFTA YENI PARCALAR", "#YENİ#", 200},
      {"Fren Balatalarında Fırsat", "FREN BALATALARI", "TUM MARKALARDA STOKTA", "BALATA", 20},
      {"Aynı Gün Kargo", "AYNI GUN KARGO", "16:00'YA KADAR VERILEN SIPARISLER", "", 120},
  };
  int pos = 0;
  for (const Screen& s : screens)
    store.addAnnouncement({++pos, QString::fromUtf8(s.title), QString::fromUtf8(s.action),
                           encodeImage(announcementImage(QString::fromUtf8(s.headline),
                                                         QString::fromUtf8(s.subline), s.hue),
                                       "JPG", 80)});
  store.setSetting(QStringLiteral("version"), QStringLiteral("2"));
  store.setSetting(QStringLiteral("kayanyazi"),
                   QStringLiteral("<b>Velmora Otomotiv</b> B2B sistemine hoş geldiniz. "
                                  "Saat <font color=\"red\">16:00</font>'ya kadar verilen "
                                  "siparişler aynı gün kargoya verilir."));
  store.setSetting(QStringLiteral("mail.to"), QStringLiteral("siparis@velmora.example"));
  store.setSetting(QStringLiteral("demo.today"), o.today.toString(Qt::ISODate));
}

}  // namespace

DemoOptions DemoOptions::demo() {
  return {};
}

DemoOptions DemoOptions::fixture() {
  DemoOptions o;
  o.products = 240;
  o.accounts = 6;
  o.sellers = 2;
  o.ordersPerAccount = 4;
  o.distinctPictures = 12;
  o.seed = 7;
  o.today = QDate(2024, 6, 14);
  return o;
}

QString makePassword(quint32 seed) {
  Dice d(seed * 2654435761u + 1);
  d.next();
  static const char kChars[] = "ABCDEFGHJKLMNPRSTUVYZ23456789";
  QString s;
  for (int i = 0; i < 6; ++i) s += QLatin1Char(kChars[d.below(int(sizeof kChars) - 1)]);
  return s;
}

QList<DemoUser> generateDemo(Store& store, const DemoOptions& o) {
  Dice d(o.seed);
  People people;
  store.transaction([&] {
    const Catalogue cat = makeCatalogue(store, o, d);
    people = makePeople(store, o, d);
    const Reference ref = makeReference(store);
    int docNo = 0;
    for (int a = 0; a < people.accounts.size(); ++a)
      makeHistory(store, o, d, cat, ref, people, a, docNo);
    makeContent(store, o);
  });
  return people.users;
}

DemoUser registerWorkstation(Store& store, const QString& identity, int customerType) {
  if (const auto known = store.workstationLogin(identity)) {
    DemoUser u;
    u.identity = identity;
    u.login = known->login;
    u.password = known->password;
    u.userId = known->userId;
    u.customerType = known->customerType;
    u.accountId = known->accountId;
    return u;
  }
  DemoUser result;
  store.transaction([&] {
    const QList<int> accounts = store.accountIds();
    if (accounts.isEmpty())
      throw std::runtime_error("Veritabanında cari yok; önce demo verisi oluşturun");
    const quint32 seed = quint32(qHash(identity, 0));
    const int account = accounts[int(seed % quint32(accounts.size()))];
    const auto card = store.accountCard(account);
    const int type = std::clamp(customerType, 1, 4);
    const QString stem = type == 1   ? QStringLiteral("PLASYER")
                         : type == 2 ? QStringLiteral("MUDUR")
                         : type == 4 ? QStringLiteral("PERAKENDE")
                                     : QStringLiteral("UYE");
    const QString loginName = stem + QString::number(5000 + seed % 5000);
    result = addUser(store, loginName, type, type >= 3 ? account : 0,
                     card ? card->account.sellerId : 0, seed);
    result.identity = identity;
    store.bindWorkstation(identity, result.userId);
  });
  return result;
}

}  // namespace vlm::server
