#pragma once
// The OLE2 compound file (version 3, 512-byte sectors) around a single "Workbook" stream, laid
// out for streaming: the 512-byte header first (written last, over a placeholder), the stream in
// consecutive sectors, then the FAT sectors, the DIFAT sectors a big stream needs past the
// header's 109 FAT slots, and one directory sector.
#include <cstdint>
#include <string>

#include "core/export/file_output.h"

namespace brixel {

class CompoundFile {
 public:
  static constexpr std::uint64_t kHeaderSize = 512;
  static constexpr std::uint64_t kSectorSize = 512;
  // Readers look a stream below this size up in the mini stream, which this layout has none of,
  // so a shorter stream is padded with zero bytes after its last record.
  static constexpr std::uint64_t kMinStreamSize = 4096;
  // Version 3 stream sizes are 32-bit; readers treat sizes from 2 GiB on as suspect.
  static constexpr std::uint64_t kMaxStreamSize = 0x7FFFFFFF;

  // stream_size: the stream's length, already padded to kMinStreamSize.
  explicit CompoundFile(std::uint64_t stream_size);

  std::uint64_t StreamSectors() const { return stream_sectors_; }
  std::uint64_t FatSectors() const { return fat_sectors_; }
  std::uint64_t DifatSectors() const { return difat_sectors_; }

  // After the stream: pads its last sector, then writes the FAT, DIFAT and directory sectors.
  void WriteTrailer(FileOutput& out) const;
  // The 512-byte header.
  std::string Header() const;

 private:
  std::uint32_t FirstFatSector() const { return static_cast<std::uint32_t>(stream_sectors_); }
  std::uint32_t FirstDifatSector() const {
    return static_cast<std::uint32_t>(stream_sectors_ + fat_sectors_);
  }
  std::uint32_t DirectorySector() const {
    return static_cast<std::uint32_t>(stream_sectors_ + fat_sectors_ + difat_sectors_);
  }
  std::string DirectorySectorBytes() const;

  std::uint64_t stream_size_;
  std::uint64_t stream_sectors_;
  std::uint64_t fat_sectors_ = 0;
  std::uint64_t difat_sectors_ = 0;
};

}  // namespace brixel
