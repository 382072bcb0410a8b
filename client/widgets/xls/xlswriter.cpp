#include "xlswriter.h"

#include "biffbuffer.h"
#include "compounddocument.h"

#include <QDate>
#include <QDateTime>
#include <QDir>
#include <QHashFunctions>
#include <QSaveFile>
#include <QTime>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <initializer_list>
#include <optional>
#include <vector>

namespace vlm {

namespace {

using xls::ByteBuffer;
using xls::CompoundDocument;

// BIFF8 record types.
enum RecordType : std::uint16_t {
  kBof = 0x0809,
  kEof = 0x000A,
  kInterfaceHdr = 0x00E1,
  kMms = 0x00C1,
  kInterfaceEnd = 0x00E2,
  kWriteAccess = 0x005C,
  kCodePage = 0x0042,
  kDsf = 0x0161,
  kTabId = 0x013D,
  kWindowProtect = 0x0019,
  kProtect = 0x0012,
  kPassword = 0x0013,
  kProt4Rev = 0x01AF,
  kProt4RevPass = 0x01BC,
  kWindow1 = 0x003D,
  kBackup = 0x0040,
  kHideObj = 0x008D,
  kDateMode = 0x0022,
  kPrecision = 0x000E,
  kRefreshAll = 0x01B7,
  kBookBool = 0x00DA,
  kFont = 0x0031,
  kFormat = 0x041E,
  kXf = 0x00E0,
  kStyle = 0x0293,
  kBoundSheet = 0x0085,
  kSst = 0x00FC,
  kContinue = 0x003C,
  kExtSst = 0x00FF,
  kIndex = 0x020B,
  kCalcMode = 0x000D,
  kCalcCount = 0x000C,
  kRefMode = 0x000F,
  kIteration = 0x0011,
  kDelta = 0x0010,
  kSaveRecalc = 0x005F,
  kPrintHeaders = 0x002A,
  kPrintGridlines = 0x002B,
  kGridSet = 0x0082,
  kGuts = 0x0080,
  kDefaultRowHeight = 0x0225,
  kWsBool = 0x0081,
  kDefColWidth = 0x0055,
  kColInfo = 0x007D,
  kDimensions = 0x0200,
  kRow = 0x0208,
  kDbCell = 0x00D7,
  kWindow2 = 0x023E,
  kNumber = 0x0203,
  kRk = 0x027E,
  kLabelSst = 0x00FD,
  kBoolErr = 0x0205,
};

constexpr std::size_t kMaxRecordData = 8224;
constexpr int kRowsPerBlock = 32;
constexpr int kDataRowsPerSheet = kXlsRowsPerSheet - 1;
constexpr int kMaxSheets = 4096;
constexpr int kMaxTextLength = 32767;
constexpr int kRowRecordSize = 20;

// XF 0-14 are the style XFs, 15 the default cell XF; ours follow.
constexpr std::uint16_t kDefaultCellXf = 15;
constexpr std::uint16_t kFirstCellXf = 16;
// BIFF has no font 4: the fifth FONT record is font 5.
constexpr std::uint16_t kRegularFont = 0;
constexpr std::uint16_t kBoldFont = 5;
constexpr std::uint16_t kFirstCustomFormat = 164;
constexpr std::uint8_t kErrorNum = 0x24;  // #NUM!

// Column widths, in characters.
constexpr int kMinWidth = 4;
constexpr int kMaxTextWidth = 50;
constexpr int kMaxWidth = 100;
constexpr int kBooleanWidth = 6;  // "YANLIŞ"

// ---- Unicode strings -------------------------------------------------------

// BIFF8 stores a string in one byte per character when every character fits
// (Latin-1), otherwise in UTF-16.
bool needsWide(const QChar* p, qsizetype n) {
  for (qsizetype i = 0; i < n; ++i)
    if (p[i].unicode() > 0xFF) return true;
  return false;
}

void putChars(ByteBuffer& out, const QChar* p, qsizetype n, bool wide) {
  if (wide) {
    std::uint8_t* d = out.grow(std::size_t(n) * 2);
    for (qsizetype i = 0; i < n; ++i) ByteBuffer::put16(d + 2 * i, p[i].unicode());
  } else {
    std::uint8_t* d = out.grow(std::size_t(n));
    for (qsizetype i = 0; i < n; ++i) d[i] = std::uint8_t(p[i].unicode());
  }
}

// A string outside the SST: its length in one byte (font and sheet names) or
// in two, a flags byte, the characters.
enum class LengthField { Byte = 1, Word = 2 };

void putString(ByteBuffer& out, const QString& s, LengthField length) {
  const bool wide = needsWide(s.constData(), s.size());
  if (length == LengthField::Byte)
    out.u8(std::uint8_t(s.size()));
  else
    out.u16(std::uint16_t(s.size()));
  out.u8(wide ? 1 : 0);
  putChars(out, s.constData(), s.size(), wide);
}
std::uint16_t stringSize(const QString& s, LengthField length) {
  return std::uint16_t(int(length) + 1 + s.size() * (needsWide(s.constData(), s.size()) ? 2 : 1));
}

// Cuts a text to n characters without splitting a surrogate pair.
QString cutText(const QString& s, qsizetype n) {
  if (s.size() <= n) return s;
  if (n > 0 && s.at(n - 1).isHighSurrogate()) --n;
  return s.left(n);
}

// ---- Small records ---------------------------------------------------------

void putBof(ByteBuffer& out, std::uint16_t substream) {
  out.record(kBof, 16);
  out.u16(0x0600);  // BIFF8
  out.u16(substream);
  out.u16(0x0DBB);  // build
  out.u16(0x07CC);  // year
  out.u32(0);       // file history
  out.u32(0x0006);  // lowest BIFF version that can read the file
}

// Records that hold a single two-byte value, in the order given.
struct ValueRecord {
  RecordType type;
  std::uint16_t value;
};
void putValueRecords(ByteBuffer& out, std::initializer_list<ValueRecord> records) {
  for (const ValueRecord& r : records) {
    out.record(r.type, 2);
    out.u16(r.value);
  }
}

// ---- Shared strings --------------------------------------------------------

// The workbook's table of distinct texts; cells refer to it by index.
class SharedStrings {
 public:
  std::uint32_t add(const QString& s) {
    ++total_;
    // Open addressing on the texts' hashes: a big list has hundreds of
    // thousands of distinct texts, and this is the export's busiest path.
    if ((strings_.size() + 1) * 2 > slots_.size()) grow();
    const auto hash = std::uint32_t(qHash(QStringView(s), 0));
    const std::size_t mask = slots_.size() - 1;
    for (std::size_t i = hash & mask;; i = (i + 1) & mask) {
      Slot& slot = slots_[i];
      if (slot.index == 0) {
        strings_.push_back(s);
        slot = {hash, std::uint32_t(strings_.size())};
        return slot.index - 1;
      }
      if (slot.hash == hash && strings_[slot.index - 1] == s) return slot.index - 1;
    }
  }

  // SST with its CONTINUE records, then EXTSST. `out` holds the workbook
  // stream from its start, so positions in it are stream positions.
  void write(ByteBuffer& out) const;

 private:
  struct Slot {
    std::uint32_t hash = 0;
    std::uint32_t index = 0;  // one more than the string's index; 0 is a free slot
  };

  void grow() {
    std::vector<Slot> old(std::max<std::size_t>(1024, slots_.size() * 2));
    old.swap(slots_);
    const std::size_t mask = slots_.size() - 1;
    for (const Slot& slot : old) {
      if (slot.index == 0) continue;
      std::size_t i = slot.hash & mask;
      while (slots_[i].index != 0) i = (i + 1) & mask;
      slots_[i] = slot;
    }
  }

  std::vector<Slot> slots_;
  std::vector<QString> strings_;
  std::uint32_t total_ = 0;
};

void SharedStrings::write(ByteBuffer& out) const {
  const auto unique = std::uint32_t(strings_.size());
  // EXTSST points at every n-th string, in at most 128 buckets.
  const std::uint32_t perBucket = std::max<std::uint32_t>(8, (unique + 127) / 128);
  struct Bucket {
    std::uint32_t streamPos;
    std::uint16_t recordOffset;
  };
  std::vector<Bucket> buckets;

  std::size_t recordStart = out.size();
  out.record(kSst, 0);
  out.u32(total_);
  out.u32(unique);
  auto room = [&] { return kMaxRecordData - (out.size() - recordStart - 4); };
  auto closeRecord = [&] {
    out.set16(recordStart + 2, std::uint16_t(out.size() - recordStart - 4));
  };
  auto nextRecord = [&] {
    closeRecord();
    recordStart = out.size();
    out.record(kContinue, 0);
  };

  for (std::uint32_t i = 0; i < unique; ++i) {
    const QString& s = strings_[i];
    const QChar* p = s.constData();
    const qsizetype n = s.size();
    const bool wide = needsWide(p, n);
    const std::size_t charSize = wide ? 2 : 1;
    // The length, the flags and the first character (a whole surrogate
    // pair) are never split from each other.
    const std::size_t firstChars = n == 0 ? 0 : (n > 1 && p[0].isHighSurrogate() ? 2 : 1);
    if (room() < 3 + firstChars * charSize) nextRecord();
    if (i % perBucket == 0)
      buckets.push_back({std::uint32_t(out.size()), std::uint16_t(out.size() - recordStart)});
    out.u16(std::uint16_t(n));
    out.u8(wide ? 1 : 0);
    qsizetype done = 0;
    for (;;) {
      qsizetype part = std::min<qsizetype>(n - done, qsizetype(room() / charSize));
      // A surrogate pair stays within one record.
      if (part > 0 && done + part < n && p[done + part - 1].isHighSurrogate()) --part;
      putChars(out, p + done, part, wide);
      done += part;
      if (done == n) break;
      // The rest goes on in a CONTINUE record that repeats the flags.
      nextRecord();
      out.u8(wide ? 1 : 0);
    }
  }
  closeRecord();

  out.record(kExtSst, std::uint16_t(2 + 8 * buckets.size()));
  out.u16(std::uint16_t(perBucket));
  for (const Bucket& b : buckets) {
    out.u32(b.streamPos);
    out.u16(b.recordOffset);
    out.u16(0);
  }
}

// ---- Number formats and cell formats ---------------------------------------

class CellFormats {
 public:
  // The XF index of a cell format with the font and the number format code.
  std::uint16_t xf(std::uint16_t font, const QString& code) {
    const std::uint16_t format = formatIndex(code);
    for (std::size_t i = 0; i < xfs_.size(); ++i)
      if (xfs_[i].font == font && xfs_[i].format == format) return std::uint16_t(kFirstCellXf + i);
    xfs_.push_back({font, format});
    return std::uint16_t(kFirstCellXf + xfs_.size() - 1);
  }

  // FONT, FORMAT, XF and STYLE records.
  void write(ByteBuffer& out) const;

 private:
  struct Xf {
    std::uint16_t font;
    std::uint16_t format;
  };
  std::uint16_t formatIndex(const QString& code);

  std::vector<QString> custom_;  // formats from 164 on
  std::vector<Xf> xfs_;
};

std::uint16_t CellFormats::formatIndex(const QString& code) {
  // Built-in formats need no FORMAT record.
  static const std::pair<const char*, std::uint16_t> kBuiltIn[] = {
      {"General", 0}, {"0", 1},      {"0.00", 2},      {"#,##0", 3}, {"#,##0.00", 4},
      {"0%", 9},      {"0.00%", 10}, {"0.00E+00", 11}, {"@", 49}};
  if (code.isEmpty()) return 0;
  for (const auto& [text, index] : kBuiltIn)
    if (code == QLatin1String(text)) return index;
  const QString c = cutText(code, 255);
  for (std::size_t i = 0; i < custom_.size(); ++i)
    if (custom_[i] == c) return std::uint16_t(kFirstCustomFormat + i);
  custom_.push_back(c);
  return std::uint16_t(kFirstCustomFormat + custom_.size() - 1);
}

void putFont(ByteBuffer& out, bool bold) {
  const QString name = QStringLiteral("Arial");
  out.record(kFont, std::uint16_t(14 + stringSize(name, LengthField::Byte)));
  out.u16(200);           // 10 points, in twentieths
  out.u16(bold ? 1 : 0);  // the old bold flag, kept beside the weight; not italic
  out.u16(0x7FFF);        // automatic colour
  out.u16(bold ? 700 : 400);
  out.u16(0);   // no super- or subscript
  out.u8(0);    // not underlined
  out.u8(2);    // family: swiss
  out.u8(162);  // character set: Turkish
  out.u8(0);
  putString(out, name, LengthField::Byte);
}

void putXf(ByteBuffer& out, std::uint16_t font, std::uint16_t format, bool style,
           std::uint8_t usedAttributes) {
  out.record(kXf, 20);
  out.u16(font);
  out.u16(format);
  out.u16(style ? 0xFFF5 : 0x0001);  // style: locked, no parent; cell: locked, parent 0
  out.u8(0x20);                      // general alignment, bottom
  out.u8(0);                         // no rotation
  out.u8(0);                         // no indent
  out.u8(usedAttributes);
  out.u32(0);       // no borders
  out.u32(0);       // no fill
  out.u16(0x20C0);  // system window colours for the pattern
}

void CellFormats::write(ByteBuffer& out) const {
  for (int i = 0; i < 4; ++i) putFont(out, false);
  putFont(out, true);  // font 5

  for (std::size_t i = 0; i < custom_.size(); ++i) {
    out.record(kFormat, std::uint16_t(2 + stringSize(custom_[i], LengthField::Word)));
    out.u16(std::uint16_t(kFirstCustomFormat + i));
    putString(out, custom_[i], LengthField::Word);
  }

  putXf(out, kRegularFont, 0, true, 0x00);  // the Normal style
  for (int i = 1; i < 15; ++i) putXf(out, kRegularFont, 0, true, 0xF4);
  putXf(out, kRegularFont, 0, false, 0x00);  // default cell XF 15
  // Every attribute of our cell XFs is their own.
  for (const Xf& x : xfs_) putXf(out, x.font, x.format, false, 0xFC);

  out.record(kStyle, 4);
  out.u16(0x8000);  // built-in style on XF 0
  out.u8(0);        // Normal
  out.u8(0xFF);
}

// ---- Values ----------------------------------------------------------------

// Excel's day number (1900 date system) of a date and clock time, or none for
// a date outside 1 March 1900 .. 31 December 9999. Excel counts a 29 February
// 1900 that never was, so its numbers for the first two months of 1900 are
// one off from every other reader's: those dates are better kept as text.
std::optional<double> excelDate(const QDate& date, const QTime& time) {
  static const QDate kDayZero(1899, 12, 30);
  const qint64 days = kDayZero.daysTo(date);
  if (days < 61 || days > 2958465) return std::nullopt;
  double serial = double(days);
  if (time.isValid()) serial += time.msecsSinceStartOfDay() / 86400000.0;
  return serial;
}

bool isNumericType(int type) {
  switch (type) {
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
    case QMetaType::Long:
    case QMetaType::ULong:
    case QMetaType::Short:
    case QMetaType::UShort:
    case QMetaType::Char:
    case QMetaType::SChar:
    case QMetaType::UChar:
    case QMetaType::Double:
    case QMetaType::Float:
    case QMetaType::Bool: return true;
    default: return false;
  }
}

// The RK form of a number (4 bytes instead of 8) when it holds the value
// exactly: a 30-bit integer, the same divided by 100, or a double whose low
// 34 bits are zero.
std::optional<std::uint32_t> toRk(double v) {
  constexpr double kMin = -536870912.0, kMax = 536870911.0;
  if (v >= kMin && v <= kMax && v == std::trunc(v))
    return (std::uint32_t(std::int32_t(v)) << 2) | 2;
  const double hundredfold = std::nearbyint(v * 100.0);
  if (hundredfold >= kMin && hundredfold <= kMax) {
    // Readers divide by 100 or multiply by 0.01; both must give v back.
    const auto i = std::int32_t(hundredfold);
    if (double(i) / 100.0 == v && double(i) * 0.01 == v) return (std::uint32_t(i) << 2) | 3;
  }
  const auto bits = std::bit_cast<std::uint64_t>(v);
  if ((bits & 0x3FFFFFFFFull) == 0) return std::uint32_t(bits >> 32);
  return std::nullopt;
}

void putCellHeader(ByteBuffer& out, std::uint16_t type, std::uint16_t length, std::uint16_t row,
                   std::uint16_t col, std::uint16_t xf) {
  std::uint8_t* p = out.grow(10);
  ByteBuffer::put16(p, type);
  ByteBuffer::put16(p + 2, length);
  ByteBuffer::put16(p + 4, row);
  ByteBuffer::put16(p + 6, col);
  ByteBuffer::put16(p + 8, xf);
}

void putNumber(ByteBuffer& out, std::uint16_t row, std::uint16_t col, std::uint16_t xf, double v) {
  if (!std::isfinite(v)) {
    putCellHeader(out, kBoolErr, 8, row, col, xf);
    out.u8(kErrorNum);
    out.u8(1);  // an error, not a Boolean
  } else if (const auto rk = toRk(v)) {
    putCellHeader(out, kRk, 10, row, col, xf);
    out.u32(*rk);
  } else {
    putCellHeader(out, kNumber, 14, row, col, xf);
    out.f64(v);
  }
}

// Characters a number takes in a cell with the column's format.
struct NumberLayout {
  int decimals = -1;  // -1: General
  bool grouping = false;

  explicit NumberLayout(const QString& code) {
    const QString section = code.section(QLatin1Char(';'), 0, 0);
    if (section.isEmpty() || section.compare(QLatin1String("General"), Qt::CaseInsensitive) == 0)
      return;
    grouping = section.contains(QLatin1Char(','));
    decimals = 0;
    const qsizetype dot = section.indexOf(QLatin1Char('.'));
    if (dot >= 0)
      for (qsizetype i = dot + 1; i < section.size(); ++i) {
        const QChar c = section.at(i);
        if (c != QLatin1Char('0') && c != QLatin1Char('#') && c != QLatin1Char('?')) break;
        ++decimals;
      }
  }

  int width(double v) const {
    double a = std::fabs(v);
    int digits = 1;
    for (double limit = 10; a >= limit && digits < 16; limit *= 10) ++digits;
    int w = digits + (v < 0 ? 1 : 0);
    if (grouping) w += (digits - 1) / 3;
    if (decimals > 0) w += decimals + 1;
    // General shows up to about eleven characters of a fraction.
    if (decimals < 0 && a != std::trunc(a)) w = std::max(w + 2, 11);
    return w;
  }
};

// ---- The workbook ----------------------------------------------------------

struct ColumnPlan {
  XlsColumn::Kind kind;
  std::uint16_t xf;
  NumberLayout layout;
  int fixedWidth;  // dates and Booleans
};

struct Sheet {
  QString name;
  ByteBuffer head;                     // BOF and INDEX, made once the sheet's position is known
  ByteBuffer body;                     // everything after INDEX
  std::vector<std::uint32_t> dbCells;  // positions in body
  std::uint32_t defColWidth = 0;       // position in body
  std::uint32_t firstRow = 0, endRow = 0;
};

class WorkbookBuilder {
 public:
  WorkbookBuilder(const QList<XlsColumn>& columns, int rowCount, const XlsCellSource& source);

  // Builds the workbook stream in memory.
  void build();
  std::uint64_t streamSize() const { return streamSize_; }
  // Writes the stream, padded to streamSize().
  bool write(QIODevice& out) const;

 private:
  void buildSheet(Sheet& sheet, int firstRow, int rowCount, bool active);
  bool putCell(ByteBuffer& out, std::uint16_t row, int col, const QVariant& v, int& width);
  bool putText(ByteBuffer& out, std::uint16_t row, int col, const QString& s, int& width);
  void buildGlobals();

  const QList<XlsColumn>& columns_;
  const int rowCount_;
  const XlsCellSource& source_;
  std::vector<ColumnPlan> plans_;
  std::uint16_t headerXf_ = 0;
  CellFormats formats_;
  SharedStrings strings_;
  std::vector<Sheet> sheets_;
  ByteBuffer globals_;
  ByteBuffer blockCells_;
  std::uint64_t streamSize_ = 0;
};

WorkbookBuilder::WorkbookBuilder(const QList<XlsColumn>& columns, int rowCount,
                                 const XlsCellSource& source)
    : columns_(columns), rowCount_(rowCount), source_(source) {
  headerXf_ = formats_.xf(kBoldFont, QString());
  for (const XlsColumn& c : columns_) {
    QString code = c.numberFormat;
    if (code.isEmpty() && c.kind == XlsColumn::Date) code = QStringLiteral("dd.mm.yyyy");
    if (code.isEmpty() && c.kind == XlsColumn::DateTime)
      code = QStringLiteral("dd.mm.yyyy hh:mm:ss");
    int fixed = 0;
    if (c.kind == XlsColumn::Date || c.kind == XlsColumn::DateTime) fixed = int(code.size());
    if (c.kind == XlsColumn::Boolean) fixed = kBooleanWidth;
    plans_.push_back({c.kind, formats_.xf(kRegularFont, code), NumberLayout(code), fixed});
  }
}

void WorkbookBuilder::build() {
  const int sheetCount = std::max(1, (rowCount_ + kDataRowsPerSheet - 1) / kDataRowsPerSheet);
  sheets_.resize(std::size_t(sheetCount));
  for (int i = 0; i < sheetCount; ++i) {
    const int first = i * kDataRowsPerSheet;
    sheets_[i].name = QStringLiteral("Sayfa%1").arg(i + 1);
    buildSheet(sheets_[i], first, std::min(kDataRowsPerSheet, rowCount_ - first), i == 0);
  }
  buildGlobals();
}

bool WorkbookBuilder::putText(ByteBuffer& out, std::uint16_t row, int col, const QString& s,
                              int& width) {
  if (s.isEmpty()) return false;
  const std::uint32_t index = strings_.add(cutText(s, kMaxTextLength));
  putCellHeader(out, kLabelSst, 10, row, std::uint16_t(col), plans_[col].xf);
  out.u32(index);
  width = std::max(width, int(std::min<qsizetype>(s.size(), kMaxTextWidth)));
  return true;
}

bool WorkbookBuilder::putCell(ByteBuffer& out, std::uint16_t row, int col, const QVariant& v,
                              int& width) {
  if (!v.isValid() || v.isNull()) return false;
  const ColumnPlan& plan = plans_[col];
  const int type = v.typeId();
  switch (plan.kind) {
    case XlsColumn::Text: break;
    case XlsColumn::Number: {
      double d = 0;
      bool ok = isNumericType(type);
      if (ok) {
        d = v.toDouble();
      } else if (type == QMetaType::QString || type == QMetaType::QByteArray) {
        d = v.toString().toDouble(&ok);
        ok = ok && std::isfinite(d);
      }
      if (!ok) break;
      putNumber(out, row, std::uint16_t(col), plan.xf, d);
      width = std::max(width, plan.layout.width(d));
      return true;
    }
    case XlsColumn::Date:
    case XlsColumn::DateTime: {
      std::optional<double> serial;
      if (type == QMetaType::QDate) {
        const QDate d = v.toDate();
        if (!d.isValid()) return false;
        serial = excelDate(d, QTime());
        if (!serial) return putText(out, row, col, d.toString(QStringLiteral("dd.MM.yyyy")), width);
      } else if (type == QMetaType::QDateTime) {
        const QDateTime dt = v.toDateTime();
        if (!dt.isValid()) return false;
        serial = excelDate(dt.date(), dt.time());
        if (!serial)
          return putText(out, row, col, dt.toString(QStringLiteral("dd.MM.yyyy hh:mm:ss")), width);
      } else if (type == QMetaType::QTime) {
        const QTime t = v.toTime();
        if (!t.isValid()) return false;
        serial = t.msecsSinceStartOfDay() / 86400000.0;
      } else {
        break;
      }
      putNumber(out, row, std::uint16_t(col), plan.xf, *serial);
      width = std::max(width, plan.fixedWidth);
      return true;
    }
    case XlsColumn::Boolean:
      putCellHeader(out, kBoolErr, 8, row, std::uint16_t(col), plan.xf);
      out.u8(v.toBool() ? 1 : 0);
      out.u8(0);  // a Boolean, not an error
      width = std::max(width, plan.fixedWidth);
      return true;
  }
  return putText(out, row, col, v.toString(), width);
}

void WorkbookBuilder::buildSheet(Sheet& sheet, int firstRow, int rowCount, bool active) {
  ByteBuffer& b = sheet.body;
  const int columnCount = int(columns_.size());

  // Automatic calculation, A1 references, no iteration.
  putValueRecords(b, {{kCalcMode, 1}, {kCalcCount, 100}, {kRefMode, 1}, {kIteration, 0}});
  b.record(kDelta, 8);
  b.f64(0.001);
  putValueRecords(b, {{kSaveRecalc, 1}, {kPrintHeaders, 0}, {kPrintGridlines, 0}, {kGridSet, 1}});
  b.record(kGuts, 8);
  b.zeros(8);
  b.record(kDefaultRowHeight, 4);
  b.u16(0);
  b.u16(0x00FF);
  putValueRecords(b, {{kWsBool, 0x04C1}});
  sheet.defColWidth = std::uint32_t(b.size());
  putValueRecords(b, {{kDefColWidth, 8}});
  // Widths are filled in once the rows are known.
  const std::size_t colInfos = b.size();
  for (int c = 0; c < columnCount; ++c) {
    b.record(kColInfo, 12);
    b.u16(std::uint16_t(c));
    b.u16(std::uint16_t(c));
    b.u16(0);
    b.u16(kDefaultCellXf);
    b.u16(0);
    b.u16(0);
  }
  const std::size_t dimensions = b.size();
  b.record(kDimensions, 14);
  b.zeros(14);

  std::vector<int> widths(std::size_t(columnCount), kMinWidth);
  struct RowCells {
    std::uint16_t row, firstCol, endCol;
    std::uint32_t start;  // offset of the row's first cell in blockCells_
  };
  RowCells rows[kRowsPerBlock];
  int firstCol = columnCount, endCol = 0;
  bool anyRow = false;
  int emptyBlocks = 0;  // blocks without cells since the last block with some

  // Rows go in blocks of 32 (rows 0-31, 32-63, ...): the block's ROW
  // records, its cells, then a DBCELL record that points back at them;
  // INDEX lists the DBCELLs.
  const int sheetRows = rowCount + 1;
  for (int blockStart = 0; blockStart < sheetRows; blockStart += kRowsPerBlock) {
    ByteBuffer& cells = blockCells_;
    cells.clear();
    int count = 0;
    const int blockEnd = std::min(sheetRows, blockStart + kRowsPerBlock);
    for (int r = blockStart; r < blockEnd; ++r) {
      const auto start = std::uint32_t(cells.size());
      const auto row = std::uint16_t(r);
      int first = -1, last = -1;
      for (int c = 0; c < columnCount; ++c) {
        bool written;
        if (r == 0) {
          const QString& caption = columns_[c].caption;
          written = !caption.isEmpty();
          if (written) {
            putCellHeader(cells, kLabelSst, 10, 0, std::uint16_t(c), headerXf_);
            cells.u32(strings_.add(cutText(caption, kMaxTextLength)));
            // Bold takes a little more room.
            widths[c] = std::max(widths[c], int(caption.size() + caption.size() / 8 + 1));
          }
        } else {
          written = putCell(cells, row, c, source_(firstRow + r - 1, c), widths[c]);
        }
        if (written) {
          if (first < 0) first = c;
          last = c;
        }
      }
      if (first >= 0) rows[count++] = {row, std::uint16_t(first), std::uint16_t(last + 1), start};
      if (first >= 0) {
        firstCol = std::min(firstCol, first);
        endCol = std::max(endCol, last + 1);
        if (!anyRow) sheet.firstRow = std::uint32_t(r);
        sheet.endRow = std::uint32_t(r + 1);
        anyRow = true;
      }
    }
    if (count == 0) {
      ++emptyBlocks;
      continue;
    }
    // A block between used ones that has no cells still gets its DBCELL,
    // pointing nowhere, so that INDEX lists every block of the used rows.
    if (sheet.dbCells.size() > 0)
      for (; emptyBlocks > 0; --emptyBlocks) {
        sheet.dbCells.push_back(std::uint32_t(b.size()));
        b.record(kDbCell, 4);
        b.u32(0);
      }
    emptyBlocks = 0;

    const std::size_t firstRowRecord = b.size();
    for (int i = 0; i < count; ++i) {
      b.record(kRow, 16);
      b.u16(rows[i].row);
      b.u16(rows[i].firstCol);
      b.u16(rows[i].endCol);
      b.u16(0x00FF);  // default height
      b.u16(0);
      b.u16(0);
      b.u16(0x0100);
      b.u16(kDefaultCellXf);
    }
    const std::size_t cellStart = b.size();
    b.append(cells);
    const std::size_t dbCell = b.size();
    b.record(kDbCell, std::uint16_t(4 + 2 * count));
    b.u32(std::uint32_t(dbCell - firstRowRecord));
    // The first row's cells counted from the end of the first ROW record,
    // every later row's from the previous row's first cell.
    b.u16(std::uint16_t(cellStart + rows[0].start - (firstRowRecord + kRowRecordSize)));
    for (int i = 1; i < count; ++i) b.u16(std::uint16_t(rows[i].start - rows[i - 1].start));
    sheet.dbCells.push_back(std::uint32_t(dbCell));
  }

  b.set32(dimensions + 4, sheet.firstRow);
  b.set32(dimensions + 8, sheet.endRow);
  b.set16(dimensions + 12, std::uint16_t(anyRow ? firstCol : 0));
  b.set16(dimensions + 14, std::uint16_t(anyRow ? endCol : 0));
  for (int c = 0; c < columnCount; ++c)
    b.set16(colInfos + std::size_t(c) * 16 + 8,
            std::uint16_t((std::min(widths[c], kMaxWidth) + 2) * 256));

  b.record(kWindow2, 18);
  // Grid lines, headers, zeros, automatic grid colour, outline symbols; the
  // first sheet is the selected and shown one.
  b.u16(active ? 0x06B6 : 0x00B6);
  b.u16(0);     // top row
  b.u16(0);     // left column
  b.u16(0x40);  // grid line colour
  b.zeros(10);
  b.record(kEof, 0);
}

void WorkbookBuilder::buildGlobals() {
  ByteBuffer& g = globals_;
  putBof(g, 0x0005);
  putValueRecords(g, {{kInterfaceHdr, 1200}, {kMms, 0}});
  g.record(kInterfaceEnd, 0);
  {
    const QString user = QStringLiteral("Velmora");
    g.record(kWriteAccess, 112);
    const std::size_t start = g.size();
    putString(g, user, LengthField::Word);
    const std::size_t used = g.size() - start;
    std::memset(g.grow(112 - used), ' ', 112 - used);
  }
  putValueRecords(g, {{kCodePage, 1200}, {kDsf, 0}});  // UTF-16
  g.record(kTabId, std::uint16_t(2 * sheets_.size()));
  for (std::size_t i = 0; i < sheets_.size(); ++i) g.u16(std::uint16_t(i + 1));
  putValueRecords(
      g, {{kWindowProtect, 0}, {kProtect, 0}, {kPassword, 0}, {kProt4Rev, 0}, {kProt4RevPass, 0}});
  g.record(kWindow1, 18);
  g.u16(0);
  g.u16(0);
  g.u16(15000);  // width and height, in twips
  g.u16(9000);
  g.u16(0x0038);  // scroll bars and sheet tabs shown
  g.u16(0);       // active sheet
  g.u16(0);       // first tab shown
  g.u16(1);       // selected sheets
  g.u16(600);     // tab bar width, per mille
  // The 1900 date system, full precision.
  putValueRecords(g, {{kBackup, 0},
                      {kHideObj, 0},
                      {kDateMode, 0},
                      {kPrecision, 1},
                      {kRefreshAll, 0},
                      {kBookBool, 0}});
  formats_.write(g);

  std::vector<std::size_t> boundSheets;
  for (const Sheet& s : sheets_) {
    boundSheets.push_back(g.size() + 4);
    g.record(kBoundSheet, std::uint16_t(6 + stringSize(s.name, LengthField::Byte)));
    g.u32(0);  // position of the sheet's BOF, set below
    g.u8(0);   // visible
    g.u8(0);   // worksheet
    putString(g, s.name, LengthField::Byte);
  }
  strings_.write(g);
  g.record(kEof, 0);

  // The sheets follow the globals, each as BOF, INDEX, body.
  std::uint64_t pos = g.size();
  for (std::size_t i = 0; i < sheets_.size(); ++i) {
    Sheet& s = sheets_[i];
    g.set32(boundSheets[i], std::uint32_t(pos));
    putBof(s.head, 0x0010);
    const auto count = std::uint16_t(s.dbCells.size());
    const std::uint64_t body = pos + s.head.size() + 4 + 16 + 4 * count;
    s.head.record(kIndex, std::uint16_t(16 + 4 * count));
    s.head.u32(0);
    s.head.u32(s.firstRow);
    s.head.u32(s.endRow);
    s.head.u32(std::uint32_t(body + s.defColWidth));
    for (std::uint32_t db : s.dbCells) s.head.u32(std::uint32_t(body + db));
    pos = body + s.body.size();
  }
  // Below 4096 bytes the stream would belong in the mini stream; padding
  // after the last EOF keeps it a regular stream.
  streamSize_ = std::max<std::uint64_t>(pos, CompoundDocument::kMiniStreamCutoff);
}

bool WorkbookBuilder::write(QIODevice& out) const {
  auto put = [&out](const char* p, std::size_t n) { return out.write(p, qint64(n)) == qint64(n); };
  bool ok = put(globals_.data(), globals_.size());
  std::uint64_t written = globals_.size();
  for (const Sheet& s : sheets_) {
    ok = ok && put(s.head.data(), s.head.size()) && put(s.body.data(), s.body.size());
    written += s.head.size() + s.body.size();
  }
  if (ok && written < streamSize_) {
    const QByteArray zeros(qsizetype(streamSize_ - written), '\0');
    ok = put(zeros.constData(), std::size_t(zeros.size()));
  }
  return ok;
}

QString writeFailed(const QString& path, const QString& reason) {
  return QStringLiteral("\"%1\" dosyası yazılamadı: %2")
      .arg(QDir::toNativeSeparators(path), reason);
}

}  // namespace

bool writeXls(const QString& path, const QList<XlsColumn>& columns, int rowCount,
              const XlsCellSource& cell, QString* error) {
  auto fail = [error](const QString& text) {
    if (error) *error = text;
    return false;
  };
  if (columns.size() > kXlsMaxColumns)
    return fail(
        QStringLiteral("Excel dosyasına en fazla %1 sütun yazılabilir; listede %2 sütun var.")
            .arg(kXlsMaxColumns)
            .arg(columns.size()));
  if (rowCount < 0 || rowCount / (kXlsRowsPerSheet - 1) >= kMaxSheets)
    return fail(
        QStringLiteral("Excel dosyasına yazılacak satır sayısı geçersiz: %1.").arg(rowCount));
  if (rowCount > 0 && !columns.isEmpty() && !cell)
    return fail(QStringLiteral("Excel dosyasına yazılacak satırların kaynağı yok."));

  // Opened first, so that an unwritable name fails before the work is done.
  QSaveFile file(path);
  if (!file.open(QIODevice::WriteOnly)) return fail(writeFailed(path, file.errorString()));

  WorkbookBuilder workbook(columns, rowCount, cell);
  workbook.build();
  if (workbook.streamSize() > CompoundDocument::kMaxStreamSize) {
    file.cancelWriting();
    return fail(writeFailed(path, QStringLiteral("liste bir Excel dosyası için fazla büyük.")));
  }
  const CompoundDocument document(QStringLiteral("Workbook"), workbook.streamSize());
  const QByteArray header = document.header();
  const QByteArray padding(document.streamPadding(), '\0');
  const QByteArray tables = document.tables();
  bool ok = file.write(header) == header.size() && workbook.write(file) &&
            file.write(padding) == padding.size() && file.write(tables) == tables.size();
  if (!ok) {
    const QString reason = file.errorString();
    file.cancelWriting();
    return fail(writeFailed(path, reason));
  }
  if (!file.commit()) return fail(writeFailed(path, file.errorString()));
  return true;
}

}  // namespace vlm
