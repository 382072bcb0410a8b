#pragma once
// Rules of the grid that need no window: the column weights, the export's
// file extension, the order of Turkish texts and the letter folding of the
// incremental search.
#include <QByteArray>
#include <QByteArrayView>
#include <QList>
#include <QString>
#include <QStringView>
#include <string>
#include <vector>

namespace vlm {

// Column widths by weight: U = (gridWidth - 30) / (sum of the weights),
// truncated to a whole number, and each column's width is its weight times U.
// The weights are those of the visible columns, in any order; the result has
// one width per weight, in the same order. When the weights sum to 0 (or
// less) the result is empty: no width is set at all. A grid narrower than 30
// pixels gives widths of 0, never negative ones; a negative weight counts as 0.
std::vector<int> weightedWidths(int gridWidth, const std::vector<int>& weights);

// The file name the spreadsheet export writes: the chosen name with its
// extension replaced by "xls" ("a.xlsx" -> "a.xls", "a" -> "a.xls"). Only the
// last part of the path counts ("dir.v2/rapor" -> "dir.v2/rapor.xls").
QString withXlsExtension(const QString& path);

// Compares two UTF-8 texts in Turkish alphabetical order (a b c ç d e f g ğ h
// ı i j k l m n o ö p q r s ş t u ü v w x y z), letters without regard to
// case first; texts equal so compare by their bytes. Blanks and punctuation
// come before digits, digits before letters, other characters after them.
// Returns <0, 0 or >0.
int compareTurkish(QByteArrayView a, QByteArrayView b);

// A key whose byte order (memcmp, shorter first) is the letter order of
// compareTurkish: texts whose keys are equal differ only in case, and
// compareTurkish then decides by their bytes. For sorting many texts.
QByteArray turkishSortKey(QByteArrayView utf8);
// The same appended to `out`.
void appendTurkishSortKey(std::string& out, QByteArrayView utf8);

// The incremental search: true when `text` starts with `prefix`, letters
// compared without regard to case (ı, i, I and İ all match each other).
// `prefix` must come from searchKey().
struct SearchKey {
  std::vector<char32_t> folded;
  bool isEmpty() const { return folded.empty(); }
};
SearchKey searchKey(QStringView prefix);
bool startsWithFolded(QByteArrayView utf8Text, const SearchKey& key);
bool startsWithFolded(QStringView text, const SearchKey& key);

}  // namespace vlm
