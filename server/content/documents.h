#pragma once
// The PDF documents the server hands out: virtual-POS payment receipts and
// the representative desk's reports, filled from the store.
#include <QByteArray>
#include <QDate>
#include <QDateTime>
#include <QString>

#include "store/store.h"

namespace vlm::server {

struct ReceiptData {
  QString accountCode, accountName, docNo, cardMasked, authCode;
  QDateTime date;
  double amount = 0;
  int installments = 1;
};
QByteArray receiptPdf(const ReceiptData& r);

// Report 6 for one account: its card and statement up to `date`.
QByteArray accountSummaryPdf(Store& store, int accountId, const QString& sellerName,
                             const QDate& date);
// Report 6 without an account: balances and terms of the accounts in
// `scope`, only those of representative `sellerName` unless it is "." or
// empty.
QByteArray receivablesPdf(Store& store, const Scope& scope, const QString& sellerName,
                          const QDate& date);
// Report 7: one account's invoiced and collected amounts per month.
QByteArray salesTablePdf(Store& store, int accountId, const QString& sellerName, const QDate& from,
                         const QDate& to);

}  // namespace vlm::server
