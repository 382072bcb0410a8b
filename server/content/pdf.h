#pragma once
// PDF documents for receipts and reports, written with libharu. Texts are
// set in the standard Helvetica font with the Turkish (ISO 8859-9) code
// page, so Turkish letters print as they are.
#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>
#include <memory>

namespace vlm::server {

class PdfWriter {
 public:
  PdfWriter();
  ~PdfWriter();
  PdfWriter(const PdfWriter&) = delete;
  PdfWriter& operator=(const PdfWriter&) = delete;

  void title(const QString& text);
  void line(const QString& text, bool bold = false);
  void space(double points = 8);
  // A table row: texts at the given column positions (points from the
  // left margin); `right` marks columns drawn right-aligned at their end.
  void row(const QStringList& cells, const QList<double>& widths, const QList<bool>& right = {},
           bool bold = false);
  void rule();

  // The finished document.
  QByteArray bytes();

 private:
  struct Impl;
  std::unique_ptr<Impl> d;
};

// A text in the ISO 8859-9 code page; letters outside it become "?".
QByteArray toLatin5(const QString& text);

}  // namespace vlm::server
