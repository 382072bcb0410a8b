#pragma once
// The compound document (OLE2 structured storage, version 3, 512-byte
// sectors) that holds an .xls file's single "Workbook" stream.
//
// Layout: the 512-byte header, the stream in consecutive sectors, one
// directory sector, the FAT sectors, then the DIFAT sectors that list the FAT
// sectors the header's 109 slots cannot hold (streams above about 7 MB).
#include <QByteArray>
#include <QString>
#include <cstdint>

namespace vlm::xls {

class CompoundDocument {
 public:
  static constexpr int kSectorSize = 512;
  // Streams shorter than this belong in the mini stream, which this writer
  // does not use: the caller pads its stream up to this size.
  static constexpr std::uint32_t kMiniStreamCutoff = 4096;
  // The largest stream this writer lays out (sector numbers stay far from
  // the reserved values).
  static constexpr std::uint64_t kMaxStreamSize = 0x7FFFFFFF;

  // streamSize must lie between kMiniStreamCutoff and kMaxStreamSize.
  CompoundDocument(const QString& streamName, std::uint64_t streamSize);

  // Written first, then the stream, then streamPadding() zero bytes, then
  // tables().
  QByteArray header() const;
  int streamPadding() const;
  QByteArray tables() const;

  std::uint64_t fileSize() const;
  std::uint32_t fatSectorCount() const { return fatSectors_; }
  std::uint32_t difatSectorCount() const { return difatSectors_; }

 private:
  QString name_;
  std::uint64_t streamSize_;
  std::uint32_t streamSectors_ = 0;
  std::uint32_t fatSectors_ = 0;
  std::uint32_t difatSectors_ = 0;

  std::uint32_t directorySector() const { return streamSectors_; }
  std::uint32_t firstFatSector() const { return streamSectors_ + 1; }
  std::uint32_t firstDifatSector() const { return firstFatSector() + fatSectors_; }
};

}  // namespace vlm::xls
