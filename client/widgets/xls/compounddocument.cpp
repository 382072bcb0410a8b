#include "compounddocument.h"

#include "biffbuffer.h"

#include <QtGlobal>

namespace vlm::xls {

namespace {

constexpr std::uint32_t kFreeSector = 0xFFFFFFFF;
constexpr std::uint32_t kEndOfChain = 0xFFFFFFFE;
constexpr std::uint32_t kFatSector = 0xFFFFFFFD;
constexpr std::uint32_t kDifatSector = 0xFFFFFFFC;
constexpr std::uint32_t kNoStream = 0xFFFFFFFF;

constexpr std::uint32_t kIdsPerSector = CompoundDocument::kSectorSize / 4;  // 128
constexpr std::uint32_t kHeaderDifatSlots = 109;
constexpr std::uint32_t kDirectoryEntrySize = 128;

std::uint32_t ceilDiv(std::uint64_t a, std::uint64_t b) {
  return std::uint32_t((a + b - 1) / b);
}

enum EntryType : std::uint8_t { kUnused = 0, kStream = 2, kRoot = 5 };

void directoryEntry(ByteBuffer& out, const QString& name, EntryType type, std::uint32_t child,
                    std::uint32_t start, std::uint64_t size) {
  const std::size_t at = out.size();
  out.zeros(kDirectoryEntrySize);
  if (type != kUnused) {
    // Name: UTF-16 with its terminating zero, at most 31 characters.
    const QString n = name.left(31);
    for (int i = 0; i < n.size(); ++i) out.set16(at + 2 * i, n.at(i).unicode());
    out.set16(at + 64, std::uint16_t((n.size() + 1) * 2));
    out.set8(at + 66, type);
    out.set8(at + 67, 1);  // black: a single entry per level is a valid red-black tree
  }
  out.set32(at + 68, kNoStream);  // left sibling
  out.set32(at + 72, kNoStream);  // right sibling
  out.set32(at + 76, child);
  if (type != kUnused) {
    out.set32(at + 116, start);
    out.set32(at + 120, std::uint32_t(size));
    out.set32(at + 124, std::uint32_t(size >> 32));
  }
}

}  // namespace

CompoundDocument::CompoundDocument(const QString& streamName, std::uint64_t streamSize)
    : name_(streamName), streamSize_(streamSize) {
  Q_ASSERT(streamSize >= kMiniStreamCutoff && streamSize <= kMaxStreamSize);
  streamSectors_ = ceilDiv(streamSize, kSectorSize);
  // The FAT covers every sector, its own and the DIFAT's included; growing
  // one may grow the other, so settle them together.
  for (;;) {
    const std::uint64_t total = std::uint64_t(streamSectors_) + 1 + fatSectors_ + difatSectors_;
    const std::uint32_t fat = ceilDiv(total, kIdsPerSector);
    const std::uint32_t difat =
        fat > kHeaderDifatSlots ? ceilDiv(fat - kHeaderDifatSlots, kIdsPerSector - 1) : 0;
    if (fat == fatSectors_ && difat == difatSectors_) break;
    fatSectors_ = fat;
    difatSectors_ = difat;
  }
}

QByteArray CompoundDocument::header() const {
  ByteBuffer h;
  static const std::uint8_t kSignature[8] = {0xD0, 0xCF, 0x11, 0xE0, 0xA1, 0xB1, 0x1A, 0xE1};
  h.append(kSignature, 8);
  h.zeros(16);    // class id
  h.u16(0x003E);  // minor version
  h.u16(0x0003);  // major version 3: 512-byte sectors
  h.u16(0xFFFE);  // little-endian
  h.u16(9);       // sector size 2^9
  h.u16(6);       // mini sector size 2^6
  h.zeros(6);     // reserved
  h.u32(0);       // directory sectors (always 0 in version 3)
  h.u32(fatSectors_);
  h.u32(directorySector());
  h.u32(0);  // transaction signature
  h.u32(kMiniStreamCutoff);
  h.u32(kEndOfChain);  // no mini FAT
  h.u32(0);
  h.u32(difatSectors_ ? firstDifatSector() : kEndOfChain);
  h.u32(difatSectors_);
  for (std::uint32_t i = 0; i < kHeaderDifatSlots; ++i)
    h.u32(i < fatSectors_ ? firstFatSector() + i : kFreeSector);
  Q_ASSERT(h.size() == kSectorSize);
  return QByteArray(h.data(), qsizetype(h.size()));
}

int CompoundDocument::streamPadding() const {
  return int(std::uint64_t(streamSectors_) * kSectorSize - streamSize_);
}

QByteArray CompoundDocument::tables() const {
  ByteBuffer t;
  t.reserve(std::size_t(1 + fatSectors_ + difatSectors_) * kSectorSize);

  // Directory: the root storage with the one stream as its child.
  directoryEntry(t, QStringLiteral("Root Entry"), kRoot, 1, kEndOfChain, 0);
  directoryEntry(t, name_, kStream, kNoStream, 0, streamSize_);
  directoryEntry(t, QString(), kUnused, kNoStream, 0, 0);
  directoryEntry(t, QString(), kUnused, kNoStream, 0, 0);

  // FAT: the stream's chain, the directory's, then the FAT and DIFAT
  // sectors marked as such; the rest of the last FAT sector is free.
  for (std::uint32_t s = 0; s < streamSectors_; ++s)
    t.u32(s + 1 < streamSectors_ ? s + 1 : kEndOfChain);
  t.u32(kEndOfChain);
  for (std::uint32_t s = 0; s < fatSectors_; ++s) t.u32(kFatSector);
  for (std::uint32_t s = 0; s < difatSectors_; ++s) t.u32(kDifatSector);
  const std::uint32_t used = streamSectors_ + 1 + fatSectors_ + difatSectors_;
  for (std::uint32_t s = used; s < fatSectors_ * kIdsPerSector; ++s) t.u32(kFreeSector);

  // DIFAT sectors: 127 FAT sector numbers each, then the next DIFAT sector.
  std::uint32_t fat = kHeaderDifatSlots;
  for (std::uint32_t d = 0; d < difatSectors_; ++d) {
    for (std::uint32_t i = 0; i < kIdsPerSector - 1; ++i, ++fat)
      t.u32(fat < fatSectors_ ? firstFatSector() + fat : kFreeSector);
    t.u32(d + 1 < difatSectors_ ? firstDifatSector() + d + 1 : kEndOfChain);
  }
  return QByteArray(t.data(), qsizetype(t.size()));
}

std::uint64_t CompoundDocument::fileSize() const {
  return std::uint64_t(kSectorSize) *
         (1 + std::uint64_t(streamSectors_) + 1 + fatSectors_ + difatSectors_);
}

}  // namespace vlm::xls
