#include "inidocument.h"

#include <QStringDecoder>

namespace vlm {

namespace {

// Windows-1254 from 0x80 to 0x9F; unassigned bytes keep their own value.
constexpr char16_t kCp1254C1[32] = {0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
                                    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x008E, 0x008F,
                                    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
                                    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x009E, 0x0178};

char16_t Cp1254(unsigned char b) {
  if (b >= 0x80 && b <= 0x9F) return kCp1254C1[b - 0x80];
  switch (b) {
    case 0xD0: return u'Ğ';
    case 0xDD: return u'İ';
    case 0xDE: return u'Ş';
    case 0xF0: return u'ğ';
    case 0xFD: return u'ı';
    case 0xFE: return u'ş';
    default: return b;  // the rest is Latin-1
  }
}

QString DecodeCp1254(const QByteArray& bytes) {
  QString text(bytes.size(), Qt::Uninitialized);
  for (qsizetype i = 0; i < bytes.size(); ++i)
    text[i] = QChar(Cp1254(static_cast<unsigned char>(bytes[i])));
  return text;
}

QString Decode(QStringDecoder::Encoding encoding, const QByteArray& bytes, bool* valid = nullptr) {
  // A stateful decoder keeps an incomplete last character to itself instead
  // of calling it an error: a truncated file is still valid up to there.
  QStringDecoder decoder(encoding);
  QString text = decoder.decode(bytes);
  if (valid) *valid = !decoder.hasError();
  return text;
}

std::optional<QString> SectionName(const QString& line) {
  const QString t = line.trimmed();
  if (!t.startsWith(QLatin1Char('['))) return std::nullopt;
  const qsizetype end = t.indexOf(QLatin1Char(']'));
  return (end < 0 ? t.mid(1) : t.mid(1, end - 1)).trimmed();
}

bool IsQuoted(const QString& v) {
  return v.size() >= 2 && (v.front() == QLatin1Char('"') || v.front() == QLatin1Char('\'')) &&
         v.back() == v.front();
}

bool KeyLine(const QString& line, QString* key, QString* value) {
  const QString t = line.trimmed();
  if (t.startsWith(QLatin1Char(';')) || t.startsWith(QLatin1Char('#'))) return false;
  const qsizetype eq = t.indexOf(QLatin1Char('='));
  if (eq <= 0) return false;
  *key = t.left(eq).trimmed();
  QString v = t.mid(eq + 1).trimmed();
  if (IsQuoted(v)) v = v.mid(1, v.size() - 2);
  *value = v;
  return !key->isEmpty();
}

bool SameName(const QString& a, const QString& b) {
  return QString::compare(a, b, Qt::CaseInsensitive) == 0;
}

QString EncodeValue(QString v) {
  v.remove(QLatin1Char('\r')).remove(QLatin1Char('\n')).remove(QChar(u'\0'));
  if (!v.isEmpty() && (v.front().isSpace() || v.back().isSpace() || IsQuoted(v)))
    return QLatin1Char('"') + v + QLatin1Char('"');
  return v;
}

}  // namespace

QString IniDocument::decode(const QByteArray& bytes) {
  if (bytes.startsWith("\xFF\xFE")) return Decode(QStringDecoder::Utf16LE, bytes.mid(2));
  if (bytes.startsWith("\xFE\xFF")) return Decode(QStringDecoder::Utf16BE, bytes.mid(2));
  if (bytes.startsWith("\xEF\xBB\xBF")) return Decode(QStringDecoder::Utf8, bytes.mid(3));
  bool valid = false;
  QString text = Decode(QStringDecoder::Utf8, bytes, &valid);
  return valid ? text : DecodeCp1254(bytes);
}

IniDocument IniDocument::fromBytes(const QByteArray& bytes) {
  return fromText(decode(bytes));
}

IniDocument IniDocument::fromText(const QString& text) {
  IniDocument doc;
  if (text.isEmpty()) return doc;
  doc.lines_ = text.split(QLatin1Char('\n'));
  if (doc.lines_.back().isEmpty()) doc.lines_.removeLast();
  for (QString& line : doc.lines_)
    if (line.endsWith(QLatin1Char('\r'))) line.chop(1);
  return doc;
}

std::optional<QString> IniDocument::value(const QString& section, const QString& key) const {
  bool inside = false;
  for (const QString& line : lines_) {
    if (const auto name = SectionName(line)) {
      if (inside) break;  // only the first section of that name counts
      inside = SameName(*name, section);
      continue;
    }
    QString k, v;
    if (inside && KeyLine(line, &k, &v) && SameName(k, key)) return v;
  }
  return std::nullopt;
}

void IniDocument::setValue(const QString& section, const QString& key, const QString& value) {
  const QString newLine = key + QLatin1Char('=') + EncodeValue(value);
  qsizetype insertAt = -1;
  bool inside = false;
  for (qsizetype i = 0; i < lines_.size(); ++i) {
    if (const auto name = SectionName(lines_[i])) {
      if (inside) break;
      inside = SameName(*name, section);
      if (inside) insertAt = i + 1;
      continue;
    }
    if (!inside) continue;
    QString k, v;
    if (KeyLine(lines_[i], &k, &v) && SameName(k, key)) {
      lines_[i] = newLine;
      return;
    }
    if (!lines_[i].trimmed().isEmpty()) insertAt = i + 1;
  }
  if (insertAt >= 0) {
    lines_.insert(insertAt, newLine);
    return;
  }
  if (!lines_.isEmpty() && !lines_.back().trimmed().isEmpty()) lines_.append(QString());
  lines_.append(QLatin1Char('[') + section + QLatin1Char(']'));
  lines_.append(newLine);
}

QByteArray IniDocument::toUtf8() const {
#ifdef _WIN32
  const QLatin1String newline("\r\n");
#else
  const QLatin1String newline("\n");
#endif
  QString text;
  for (const QString& line : lines_) text += line + newline;
  return text.toUtf8();
}

}  // namespace vlm
