#include "documents.h"

#include "content/pdf.h"

namespace vlm::server {

namespace {

const QString kFirm = QStringLiteral("Velmora Otomotiv");

QString day(const QDate& d) {
  return d.toString(QStringLiteral("dd.MM.yyyy"));
}

void header(PdfWriter& pdf, const QString& title, const QString& subtitle) {
  pdf.title(kFirm + QStringLiteral(" - ") + title);
  pdf.line(subtitle);
  pdf.line(QStringLiteral("Düzenlenme: ") +
           QDateTime::currentDateTime().toString(QStringLiteral("dd.MM.yyyy HH:mm")));
  pdf.space();
}

}  // namespace

QByteArray receiptPdf(const ReceiptData& r) {
  PdfWriter pdf;
  header(pdf, QStringLiteral("Sanal POS Ödeme Makbuzu"), QStringLiteral("Evrak No: ") + r.docNo);
  const QList<double> w{150, 300};
  const QList<std::pair<QString, QString>> rows = {
      {QStringLiteral("Cari Kod"), r.accountCode},
      {QStringLiteral("Cari Adı"), r.accountName},
      {QStringLiteral("İşlem Tarihi"), r.date.toString(QStringLiteral("dd.MM.yyyy HH:mm"))},
      {QStringLiteral("Kart No"), r.cardMasked},
      {QStringLiteral("Taksit"),
       r.installments > 1 ? QString::number(r.installments) : QStringLiteral("Peşin")},
      {QStringLiteral("Onay Kodu"), r.authCode},
      {QStringLiteral("Tutar"), turkishMoney(r.amount) + QStringLiteral(" TL")},
  };
  for (const auto& [k, v] : rows) pdf.row({k + QStringLiteral(":"), v}, w);
  pdf.space(16);
  pdf.line(
      QStringLiteral("Bu makbuz sanal POS üzerinden yapılan kartlı ödemeniz için düzenlenmiştir."));
  return pdf.bytes();
}

QByteArray accountSummaryPdf(Store& store, int accountId, const QString& sellerName,
                             const QDate& date) {
  PdfWriter pdf;
  const auto card = store.accountCard(accountId);
  header(pdf, QStringLiteral("Cari Özeti"), QStringLiteral("Tarih: ") + day(date));
  if (!card) {
    pdf.line(QStringLiteral("Cari bulunamadı."));
    return pdf.bytes();
  }
  const Account& a = card->account;
  pdf.line(a.code + QStringLiteral("  ") + a.name, true);
  pdf.line(a.address1 + QStringLiteral(" ") + a.address2);
  pdf.line(a.district + QStringLiteral(" / ") + a.city);
  pdf.line(QStringLiteral("Tel: ") + a.phone1 + QStringLiteral("   Yetkili: ") + a.contact);
  pdf.line(QStringLiteral("Temsilci: ") + (sellerName.isEmpty() ? card->sellerName : sellerName));
  pdf.line(QStringLiteral("Vade: %1 gün").arg(a.paymentDays));
  pdf.space();

  const Table t = store.statement(accountId);
  const QList<double> w{70, 110, 90, 80, 80, 85};
  const QList<bool> right{false, false, false, true, true, true};
  pdf.row({"Tarih", "Tür", "Evrak", "Borç", "Alacak", "Bakiye"}, w, right, true);
  pdf.rule();
  double debit = 0, credit = 0, balance = 0;
  int shown = 0;
  for (int r = 0; r < t.rowCount(); ++r) {
    const QDate d = t.value(r, "TARIH").toDate();
    if (d > date) break;
    debit += t.value(r, "BORC").toDouble();
    credit += t.value(r, "ALACAK").toDouble();
    balance = t.value(r, "BAKIYE").toDouble();
    if (t.rowCount() - r > 40) continue;  // the last forty movements
    pdf.row({day(d), t.value(r, "TURADI").toString(), t.value(r, "EVRAK").toString(),
             turkishMoney(t.value(r, "BORC").toDouble()),
             turkishMoney(t.value(r, "ALACAK").toDouble()), turkishMoney(balance)},
            w, right);
    ++shown;
  }
  pdf.rule();
  pdf.row({"Toplam", "", "", turkishMoney(debit), turkishMoney(credit), turkishMoney(balance)}, w,
          right, true);
  pdf.space();
  pdf.line(QStringLiteral("Bakiye: ") + turkishMoney(std::abs(balance)) +
               (balance > 0   ? QStringLiteral(" TL (Borçlu)")
                : balance < 0 ? QStringLiteral(" TL (Alacaklı)")
                              : QStringLiteral(" TL")),
           true);
  return pdf.bytes();
}

QByteArray receivablesPdf(Store& store, const Scope& scope, const QString& sellerName,
                          const QDate& date) {
  PdfWriter pdf;
  const bool allSellers =
      sellerName.trimmed().isEmpty() || sellerName.trimmed() == QStringLiteral(".");
  header(pdf, QStringLiteral("Cari Toplu Alacak Vadeleri"),
         QStringLiteral("Tarih: ") + day(date) +
             (allSellers ? QString() : QStringLiteral("   Temsilci: ") + sellerName));
  const Table t = store.customers(scope, 0, {});
  const QList<double> w{80, 220, 50, 85, 80};
  const QList<bool> right{false, false, true, true, false};
  pdf.row({"Cari Kod", "Cari Adı", "Vade", "Bakiye", "Temsilci"}, w, right, true);
  pdf.rule();
  double total = 0;
  int count = 0;
  for (int r = 0; r < t.rowCount(); ++r) {
    const QString seller = t.value(r, "SATICISI").toString();
    if (!allSellers && seller != sellerName) continue;
    const double balance = t.value(r, "TLBAKIYE").toDouble();
    if (balance <= 0) continue;
    total += balance;
    ++count;
    pdf.row(
        {t.value(r, "CARIKOD").toString(), t.value(r, "CARIADI").toString().left(42),
         QStringLiteral("%1 gün").arg(t.value(r, "VADE").toInt()), turkishMoney(balance), seller},
        w, right);
  }
  pdf.rule();
  pdf.row({QStringLiteral("%1 cari").arg(count), "", "", turkishMoney(total), ""}, w, right, true);
  return pdf.bytes();
}

QByteArray salesTablePdf(Store& store, int accountId, const QString& sellerName, const QDate& from,
                         const QDate& to) {
  PdfWriter pdf;
  const auto card = store.accountCard(accountId);
  header(
      pdf, QStringLiteral("Cari Alış Satış Tablosu"),
      day(from) + QStringLiteral(" - ") + day(to) + QStringLiteral("   Temsilci: ") + sellerName);
  if (!card) {
    pdf.line(QStringLiteral("Cari bulunamadı."));
    return pdf.bytes();
  }
  pdf.line(card->account.code + QStringLiteral("  ") + card->account.name, true);
  pdf.space();
  const Table t = store.monthlyTotals(accountId, from, to);
  const QList<double> w{90, 110, 110, 110, 60};
  const QList<bool> right{false, true, true, true, true};
  pdf.row({"Ay", "Satış (Borç)", "Tahsilat (Alacak)", "Fark", "Hareket"}, w, right, true);
  pdf.rule();
  double debit = 0, credit = 0;
  for (int r = 0; r < t.rowCount(); ++r) {
    const double d = t.value(r, "BORC").toDouble(), c = t.value(r, "ALACAK").toDouble();
    debit += d;
    credit += c;
    pdf.row({t.value(r, "AY").toString(), turkishMoney(d), turkishMoney(c), turkishMoney(d - c),
             t.value(r, "ADET").toString()},
            w, right);
  }
  pdf.rule();
  pdf.row({"Toplam", turkishMoney(debit), turkishMoney(credit), turkishMoney(debit - credit), ""},
          w, right, true);
  return pdf.bytes();
}

}  // namespace vlm::server
