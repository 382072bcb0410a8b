#include "pdf.h"

#include <hpdf.h>

#include <stdexcept>

namespace vlm::server {

namespace {
constexpr double kMargin = 40;
constexpr double kLine = 14;

// libharu calls this from C code: note the error, raise it later.
void onError(HPDF_STATUS error, HPDF_STATUS, void* user) {
  HPDF_STATUS* slot = static_cast<HPDF_STATUS*>(user);
  if (*slot == HPDF_OK) *slot = error;
}
}  // namespace

QByteArray toLatin5(const QString& text) {
  QByteArray out;
  out.reserve(text.size());
  for (QChar c : text) {
    const char16_t u = c.unicode();
    switch (u) {
      case u'Ğ': out += char(0xD0); continue;
      case u'İ': out += char(0xDD); continue;
      case u'Ş': out += char(0xDE); continue;
      case u'ğ': out += char(0xF0); continue;
      case u'ı': out += char(0xFD); continue;
      case u'ş': out += char(0xFE); continue;
      case 0xD0:
      case 0xDD:
      case 0xDE:
      case 0xF0:
      case 0xFD:
      case 0xFE: out += '?'; continue;
    }
    out += u < 0x100 ? char(u) : '?';
  }
  return out;
}

struct PdfWriter::Impl {
  HPDF_STATUS error = HPDF_OK;
  HPDF_Doc doc = nullptr;
  HPDF_Page page = nullptr;
  HPDF_Font regular = nullptr, bold = nullptr;
  double y = 0, height = 0;

  void newPage() {
    page = HPDF_AddPage(doc);
    HPDF_Page_SetSize(page, HPDF_PAGE_SIZE_A4, HPDF_PAGE_PORTRAIT);
    height = HPDF_Page_GetHeight(page);
    y = height - kMargin;
  }
  void need(double h) {
    if (y - h < kMargin) newPage();
  }
  void text(double x, const QString& s, HPDF_Font font, double size, bool alignRight = false) {
    const QByteArray bytes = toLatin5(s);
    HPDF_Page_BeginText(page);
    HPDF_Page_SetFontAndSize(page, font, size);
    double at = x;
    if (alignRight) at -= HPDF_Page_TextWidth(page, bytes.constData());
    HPDF_Page_TextOut(page, at, y, bytes.constData());
    HPDF_Page_EndText(page);
  }
};

PdfWriter::PdfWriter() : d(std::make_unique<Impl>()) {
  d->doc = HPDF_New(onError, &d->error);
  if (!d->doc) throw std::runtime_error("PDF belgesi oluşturulamadı");
  HPDF_SetCompressionMode(d->doc, HPDF_COMP_ALL);
  d->regular = HPDF_GetFont(d->doc, "Helvetica", "ISO8859-9");
  d->bold = HPDF_GetFont(d->doc, "Helvetica-Bold", "ISO8859-9");
  d->newPage();
}

PdfWriter::~PdfWriter() {
  if (d->doc) HPDF_Free(d->doc);
}

void PdfWriter::title(const QString& text) {
  d->need(30);
  d->text(kMargin, text, d->bold, 16);
  d->y -= 26;
}

void PdfWriter::line(const QString& text, bool bold) {
  d->need(kLine);
  d->text(kMargin, text, bold ? d->bold : d->regular, 10);
  d->y -= kLine;
}

void PdfWriter::space(double points) {
  d->y -= points;
}

void PdfWriter::row(const QStringList& cells, const QList<double>& widths, const QList<bool>& right,
                    bool bold) {
  d->need(kLine);
  double x = kMargin;
  for (int i = 0; i < cells.size() && i < widths.size(); ++i) {
    const bool r = i < right.size() && right[i];
    d->text(r ? x + widths[i] - 4 : x, cells[i], bold ? d->bold : d->regular, 9, r);
    x += widths[i];
  }
  d->y -= kLine;
}

void PdfWriter::rule() {
  d->need(6);
  HPDF_Page_SetLineWidth(d->page, 0.5);
  HPDF_Page_MoveTo(d->page, kMargin, d->y + 10);
  HPDF_Page_LineTo(d->page, HPDF_Page_GetWidth(d->page) - kMargin, d->y + 10);
  HPDF_Page_Stroke(d->page);
  d->y -= 4;
}

QByteArray PdfWriter::bytes() {
  HPDF_SaveToStream(d->doc);
  const HPDF_UINT32 size = HPDF_GetStreamSize(d->doc);
  QByteArray out(qsizetype(size), Qt::Uninitialized);
  HPDF_UINT32 read = size;
  HPDF_ReadFromStream(d->doc, reinterpret_cast<HPDF_BYTE*>(out.data()), &read);
  out.truncate(qsizetype(read));
  HPDF_ResetStream(d->doc);
  if (d->error != HPDF_OK)
    throw std::runtime_error("PDF belgesi yazılamadı (hata " + std::to_string(d->error) + ")");
  return out;
}

}  // namespace vlm::server
