// The grid's rules that need no window: column weights, the export's file
// name, Turkish order and the incremental search's letter matching.
#include <gtest/gtest.h>

#include <QByteArray>
#include <QString>
#include <algorithm>

#include "gridrules.h"

using namespace vlm;

TEST(WeightRule, TableOfWidthsAndWeights) {
  struct Case {
    int width;
    std::vector<int> weights;
    std::vector<int> expected;
  };
  const Case cases[] = {
      // U = (width - 30) / sum, truncated; each width = weight * U.
      {1030, {1, 2, 3, 4}, {100, 200, 300, 400}},
      {1153, {1, 2, 3, 2, 2, 1}, {102, 204, 306, 204, 204, 102}},  // 1123 / 11 = 102.09
      {1152, {1, 2, 3, 2, 2, 1}, {102, 204, 306, 204, 204, 102}},  // 1122 / 11 = 102
      {1151, {1, 2, 3, 2, 2, 1}, {101, 202, 303, 202, 202, 101}},  // 1121 / 11 = 101.9
      {530, {3}, {498}},              // 500 / 3 = 166.7: the unit is truncated first
      {100, {1, 0, 2}, {23, 0, 46}},  // a weight 0 column gets width 0
      {45, {2, 2}, {6, 6}},           // 15 / 4 = 3.75
      {30, {1, 1}, {0, 0}},
      {10, {1, 2}, {0, 0}},  // narrower than 30: no negative widths
      {500, {0, 0, 0}, {}},  // sum 0: nothing is set at all
      {500, {}, {}},
      {500, {-2, 0}, {}},  // negative weights count as 0
      {530, {-1, 5}, {0, 500}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << "width " << c.width);
    EXPECT_EQ(weightedWidths(c.width, c.weights), c.expected);
  }
}

TEST(XlsExtension, ReplacesTheLastExtension) {
  const std::pair<const char*, const char*> cases[] = {
      {"/home/u/liste.xlsx", "/home/u/liste.xls"},
      {"/home/u/liste", "/home/u/liste.xls"},
      {"/home/u/liste.xls", "/home/u/liste.xls"},
      {"/home/u/liste.txt", "/home/u/liste.xls"},
      {"/tmp/a.b/rapor", "/tmp/a.b/rapor.xls"},
      {"C:\\Belgeler.v2\\sepet", "C:\\Belgeler.v2\\sepet.xls"},
      {"/tmp/sepet.2024.xls", "/tmp/sepet.2024.xls"},
      {"/tmp/.xls", "/tmp/.xls"},
  };
  for (const auto& [in, out] : cases)
    EXPECT_EQ(withXlsExtension(QString::fromUtf8(in)), QString::fromUtf8(out)) << in;
}

TEST(TurkishOrder, SortsByTheTurkishAlphabet) {
  // Each text sorts before the next.
  const char* ordered[] = {"",   " A", "123", "9", "A",    "ab", "ABC", "Ç",    "çam", "ÇAY",
                           "D",  "ğ",  "H",   "I", "ılık", "İ",  "iki", "İNCE", "O",   "ÖN",
                           "öz", "P",  "S",   "Ş", "şu",   "U",  "Ü",   "Z",    "Жук"};
  std::vector<QByteArray> texts;
  for (const char* t : ordered) texts.push_back(QByteArray(t));
  for (size_t i = 0; i + 1 < texts.size(); ++i) {
    EXPECT_LT(compareTurkish(texts[i], texts[i + 1]), 0)
        << texts[i].constData() << " < " << texts[i + 1].constData();
    EXPECT_GT(compareTurkish(texts[i + 1], texts[i]), 0);
  }
  std::vector<QByteArray> shuffled(texts.rbegin(), texts.rend());
  std::sort(shuffled.begin(), shuffled.end(),
            [](const QByteArray& a, const QByteArray& b) { return compareTurkish(a, b) < 0; });
  EXPECT_EQ(shuffled, texts);
  // The sort key puts them in the same order.
  for (size_t i = 0; i + 1 < texts.size(); ++i)
    EXPECT_LT(turkishSortKey(texts[i]), turkishSortKey(texts[i + 1])) << texts[i].constData();
  EXPECT_EQ(turkishSortKey("fren"), turkishSortKey("FREN"));
  EXPECT_EQ(compareTurkish("FREN", "FREN"), 0);
  // Case only: a fixed order, never "equal" for different texts.
  EXPECT_NE(compareTurkish("fren", "FREN"), 0);
  EXPECT_EQ(compareTurkish("fren", "FREN"), -compareTurkish("FREN", "fren"));
  // Broken UTF-8 compares without reading past the end.
  EXPECT_NE(compareTurkish(QByteArray("A\xC3"), QByteArray("A\xC3\x87")), 0);
  EXPECT_NE(compareTurkish(QByteArray("\xFF\xFE"), QByteArray("A")), 0);
}

TEST(IncrementalSearch, MatchesLettersWithoutRegardToCase) {
  struct Case {
    const char* text;
    const char* prefix;
    bool match;
  };
  const Case cases[] = {
      {"FREN BALATASI", "fren", true},
      {"FREN BALATASI", "FREN B", true},
      {"FREN BALATASI", "fren c", false},
      {"İNCE", "inc", true},
      {"INCE", "inc", true},
      {"ılık", "IL", true},
      {"ŞAFT", "şa", true},
      {"SAFT", "şa", false},
      {"ÇELİK", "çel", true},
      {"ÜNO", "ü", true},
      {"AB", "ABC", false},
      {"", "a", false},
      {"123-45", "123", true},
  };
  for (const Case& c : cases) {
    const SearchKey key = searchKey(QString::fromUtf8(c.prefix));
    EXPECT_EQ(startsWithFolded(QByteArrayView(c.text), key), c.match)
        << c.text << " / " << c.prefix;
    EXPECT_EQ(startsWithFolded(QStringView(QString::fromUtf8(c.text)), key), c.match)
        << c.text << " / " << c.prefix;
  }
}
