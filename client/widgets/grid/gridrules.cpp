#include "gridrules.h"

#include <algorithm>
#include <cstring>

namespace vlm {

std::vector<int> weightedWidths(int gridWidth, const std::vector<int>& weights) {
  long long sum = 0;
  for (int w : weights) sum += std::max(w, 0);
  if (sum <= 0) return {};
  const long long unit = std::max(0LL, (static_cast<long long>(gridWidth) - 30) / sum);
  std::vector<int> widths;
  widths.reserve(weights.size());
  for (int w : weights) widths.push_back(static_cast<int>(std::max(w, 0) * unit));
  return widths;
}

QString withXlsExtension(const QString& path) {
  const qsizetype slash = std::max(path.lastIndexOf(QLatin1Char('/')), path.lastIndexOf('\\'));
  const qsizetype dot = path.lastIndexOf(QLatin1Char('.'));
  const QString stem = dot > slash ? path.left(dot) : path;
  return stem + QStringLiteral(".xls");
}

namespace {

// Turkish alphabet positions of the letters; -1 for anything else.
int letterRank(char32_t c) {
  if (c >= 'a' && c <= 'z') c = c - 'a' + 'A';
  switch (c) {
    case 'A':
    case 0xC2:
    case 0xE2: return 0;
    case 'B': return 1;
    case 'C': return 2;
    case 0xC7:
    case 0xE7: return 3;  // Ç
    case 'D': return 4;
    case 'E': return 5;
    case 'F': return 6;
    case 'G': return 7;
    case 0x11E:
    case 0x11F: return 8;  // Ğ
    case 'H': return 9;
    case 0x131: return 10;  // ı; 'I' below
    case 0x130:
    case 0xCE:
    case 0xEE: return 11;  // İ, î
    case 'J': return 12;
    case 'K': return 13;
    case 'L': return 14;
    case 'M': return 15;
    case 'N': return 16;
    case 'O': return 17;
    case 0xD6:
    case 0xF6: return 18;  // Ö
    case 'P': return 19;
    case 'Q': return 20;
    case 'R': return 21;
    case 'S': return 22;
    case 0x15E:
    case 0x15F: return 23;  // Ş
    case 'T': return 24;
    case 'U':
    case 0xDB:
    case 0xFB: return 25;
    case 0xDC:
    case 0xFC: return 26;  // Ü
    case 'V': return 27;
    case 'W': return 28;
    case 'X': return 29;
    case 'Y': return 30;
    case 'Z': return 31;
    default: return -1;
  }
}

int rankOf(char32_t c) {
  if (c == 'I') return 10;  // dotless capital
  if (c == 'i') return 11;  // dotted small
  return letterRank(c);
}

// Sort weight of one character.
quint32 weightOfSlow(char32_t c) {
  if (c < 0x80) {
    if (c >= '0' && c <= '9') return 0x100 + (c - '0');
    const int r = rankOf(c);
    if (r >= 0) return 0x200 + quint32(r);
    return c;
  }
  const int r = rankOf(c);
  if (r >= 0) return 0x200 + quint32(r);
  return 0x1000 + c;
}

struct AsciiWeights {
  quint32 w[128];
  AsciiWeights() {
    for (char32_t c = 0; c < 128; ++c) w[c] = weightOfSlow(c);
  }
};

quint32 weightOf(char32_t c) {
  static const AsciiWeights ascii;
  if (c < 0x80) return ascii.w[c];
  const int r = rankOf(c);
  if (r >= 0) return 0x200 + quint32(r);
  return 0x1000 + c;
}

// The next code point of UTF-8 text; a stray byte stands for itself.
char32_t nextCodePoint(const char* s, qsizetype n, qsizetype& i) {
  const auto b0 = static_cast<unsigned char>(s[i]);
  if (b0 < 0x80) {
    ++i;
    return b0;
  }
  int len = 0;
  char32_t cp = 0;
  if ((b0 & 0xE0) == 0xC0) {
    len = 2;
    cp = b0 & 0x1F;
  } else if ((b0 & 0xF0) == 0xE0) {
    len = 3;
    cp = b0 & 0x0F;
  } else if ((b0 & 0xF8) == 0xF0) {
    len = 4;
    cp = b0 & 0x07;
  } else {
    ++i;
    return 0xDC00 + b0;
  }
  if (i + len > n) {
    ++i;
    return 0xDC00 + b0;
  }
  for (int k = 1; k < len; ++k) {
    const auto b = static_cast<unsigned char>(s[i + k]);
    if ((b & 0xC0) != 0x80) {
      ++i;
      return 0xDC00 + b0;
    }
    cp = (cp << 6) | (b & 0x3F);
  }
  i += len;
  return cp;
}

// Folding for the incremental search: letters by their alphabet position with
// the two i's merged, anything else as itself.
char32_t foldForSearch(char32_t c) {
  int r = rankOf(c);
  if (r == 11) r = 10;
  if (r >= 0) return 0x200000 + char32_t(r);
  return c;
}

}  // namespace

int compareTurkish(QByteArrayView a, QByteArrayView b) {
  const char* pa = a.data();
  const char* pb = b.data();
  const qsizetype na = a.size(), nb = b.size();
  // Equal leading bytes are equal characters: skip them, back to the start
  // of the character they end in.
  qsizetype i = 0;
  const qsizetype n = std::min(na, nb);
  while (i < n && pa[i] == pb[i]) ++i;
  if (i == na && i == nb) return 0;
  while (i > 0 && (static_cast<unsigned char>(pa[i]) & 0xC0) == 0x80) --i;
  qsizetype j = i;
  while (i < na && j < nb) {
    const auto ca = static_cast<unsigned char>(pa[i]);
    const auto cb = static_cast<unsigned char>(pb[j]);
    if (ca < 0x80 && cb < 0x80) {
      if (ca != cb) {
        const quint32 wa = weightOf(ca), wb = weightOf(cb);
        if (wa != wb) return wa < wb ? -1 : 1;
      }
      ++i;
      ++j;
      continue;
    }
    const quint32 wa = weightOf(nextCodePoint(pa, na, i));
    const quint32 wb = weightOf(nextCodePoint(pb, nb, j));
    if (wa != wb) return wa < wb ? -1 : 1;
  }
  if (i < na) return 1;
  if (j < nb) return -1;
  const int c = std::memcmp(pa, pb, size_t(std::min(na, nb)));
  if (c != 0) return c < 0 ? -1 : 1;
  return na == nb ? 0 : (na < nb ? -1 : 1);
}

void appendTurkishSortKey(std::string& out, QByteArrayView utf8) {
  // Two bytes per character; the rare weights from 0xF000 up take four,
  // starting with 0xF0, which keeps both the order and the prefixes.
  const char* p = utf8.data();
  const qsizetype n = utf8.size();
  const size_t start = out.size();
  out.resize(start + size_t(n) * 4);
  char* o = out.data() + start;
  for (qsizetype i = 0; i < n;) {
    const quint32 w = weightOf(nextCodePoint(p, n, i));
    if (w < 0xF000) {
      *o++ = char(w >> 8);
      *o++ = char(w & 0xFF);
    } else {
      *o++ = char(0xF0);
      *o++ = char(w >> 16);
      *o++ = char((w >> 8) & 0xFF);
      *o++ = char(w & 0xFF);
    }
  }
  out.resize(size_t(o - out.data()));
}

QByteArray turkishSortKey(QByteArrayView utf8) {
  std::string key;
  appendTurkishSortKey(key, utf8);
  return QByteArray(key.data(), qsizetype(key.size()));
}

SearchKey searchKey(QStringView prefix) {
  SearchKey k;
  for (char32_t c : prefix.toUcs4()) k.folded.push_back(foldForSearch(c));
  return k;
}

bool startsWithFolded(QByteArrayView utf8Text, const SearchKey& key) {
  const char* p = utf8Text.data();
  const qsizetype n = utf8Text.size();
  qsizetype i = 0;
  for (char32_t want : key.folded) {
    if (i >= n) return false;
    if (foldForSearch(nextCodePoint(p, n, i)) != want) return false;
  }
  return true;
}

bool startsWithFolded(QStringView text, const SearchKey& key) {
  qsizetype i = 0;
  for (char32_t want : key.folded) {
    if (i >= text.size()) return false;
    char32_t c = text[i].unicode();
    if (text[i].isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate()) {
      c = QChar::surrogateToUcs4(text[i], text[i + 1]);
      ++i;
    }
    ++i;
    if (foldForSearch(c) != want) return false;
  }
  return true;
}

}  // namespace vlm
