// The compound document's tables at the sizes where they change shape: where
// the FAT needs one more sector, where the header's 109 FAT slots run out and
// where a DIFAT sector is full. The workbook tests meet one size only.
#include "compounddocument.h"

#include <gtest/gtest.h>

#include <QtEndian>

#include <utility>
#include <vector>

namespace vlm::xls {
namespace {

constexpr std::uint32_t kFree = 0xFFFFFFFF, kEnd = 0xFFFFFFFE, kFat = 0xFFFFFFFD,
                        kDifat = 0xFFFFFFFC;

std::uint32_t at(const QByteArray& b, qsizetype pos) {
  return qFromLittleEndian<quint32>(b.constData() + pos);
}

// Reads the tables the way a reader does and checks every chain.
void checkLayout(std::uint32_t streamSectors) {
  SCOPED_TRACE(streamSectors);
  const std::uint64_t size = std::uint64_t(streamSectors) * 512 - 7;
  const CompoundDocument doc(QStringLiteral("Workbook"), size);
  const QByteArray header = doc.header();
  const QByteArray tables = doc.tables();
  ASSERT_EQ(header.size(), 512);
  ASSERT_EQ(doc.streamPadding(), 7);
  ASSERT_EQ(512 + std::uint64_t(streamSectors) * 512 + std::uint64_t(tables.size()),
            doc.fileSize());
  const auto total = std::uint32_t(doc.fileSize() / 512 - 1);
  // A sector after the stream, from the tables.
  auto sector = [&](std::uint32_t s) {
    EXPECT_GE(s, streamSectors);
    EXPECT_LT(s, total);
    return tables.mid(qsizetype(s - streamSectors) * 512, 512);
  };

  // FAT sectors: the header's 109 slots, then the DIFAT chain.
  std::vector<std::uint32_t> fatSectors;
  for (int i = 0; i < 109; ++i)
    if (at(header, 76 + 4 * i) != kFree) fatSectors.push_back(at(header, 76 + 4 * i));
  std::vector<std::uint32_t> difatSectors;
  for (std::uint32_t s = at(header, 68); s != kEnd;) {
    ASSERT_LT(difatSectors.size(), total) << "the DIFAT chain loops";
    difatSectors.push_back(s);
    const QByteArray d = sector(s);
    for (int i = 0; i < 127; ++i)
      if (at(d, 4 * i) != kFree) fatSectors.push_back(at(d, 4 * i));
    s = at(d, 508);
  }
  EXPECT_EQ(at(header, 44), fatSectors.size());
  EXPECT_EQ(at(header, 72), difatSectors.size());
  // No more FAT sectors than the file needs.
  EXPECT_EQ(fatSectors.size(), (total + 127) / 128);

  std::vector<std::uint32_t> fat;
  for (std::uint32_t s : fatSectors) {
    const QByteArray d = sector(s);
    for (int i = 0; i < 128; ++i) fat.push_back(at(d, 4 * i));
  }
  std::vector<bool> used(total);
  std::uint32_t usedCount = 0;
  ASSERT_GE(fat.size(), total);
  auto mark = [&](std::uint32_t s, std::uint32_t entry) {
    EXPECT_EQ(fat.at(s), entry) << "sector " << s;
    ASSERT_LT(s, total);
    EXPECT_FALSE(used[s]) << "sector " << s << " used twice";
    used[s] = true;
    ++usedCount;
  };
  for (std::uint32_t s : fatSectors) mark(s, kFat);
  for (std::uint32_t s : difatSectors) mark(s, kDifat);
  for (std::uint32_t s = 0; s < streamSectors; ++s) mark(s, s + 1 < streamSectors ? s + 1 : kEnd);
  const std::uint32_t directory = at(header, 48);
  mark(directory, kEnd);
  EXPECT_EQ(usedCount, total) << "a sector lost";
  for (std::size_t s = total; s < fat.size(); ++s) EXPECT_EQ(fat[s], kFree);
  // The directory's Workbook entry: its first sector and size.
  const QByteArray dir = sector(directory);
  EXPECT_EQ(at(dir, 128 + 116), 0u);
  EXPECT_EQ(at(dir, 128 + 120), std::uint32_t(size));
}

TEST(CompoundDocumentTest, TablesHoldAtEverySize) {
  // Every stream size up to past two DIFAT sectors (a FAT sector covers 128
  // sectors, the header lists 109 FAT sectors, a DIFAT sector 127 more),
  // checked where the number of FAT or DIFAT sectors changes.
  std::pair<std::uint32_t, std::uint32_t> shape{0, 0};
  int changes = 0;
  for (std::uint32_t n = 9; n < (109 + 2 * 127 + 2) * 128; ++n) {
    const CompoundDocument doc(QStringLiteral("Workbook"), std::uint64_t(n) * 512);
    if (std::pair(doc.fatSectorCount(), doc.difatSectorCount()) == shape) continue;
    shape = {doc.fatSectorCount(), doc.difatSectorCount()};
    ++changes;
    for (std::uint32_t m = n - 1; m <= n + 1; ++m) checkLayout(m);
    if (HasFailure()) break;
  }
  EXPECT_GT(changes, 360);
}

}  // namespace
}  // namespace vlm::xls
