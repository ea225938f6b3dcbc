#include "core/export/compound_file.h"

#include "core/export/biff_record.h"

namespace brixel {

namespace {

constexpr std::uint32_t kFreeSector = 0xFFFFFFFF;
constexpr std::uint32_t kEndOfChain = 0xFFFFFFFE;
constexpr std::uint32_t kFatSector = 0xFFFFFFFD;
constexpr std::uint32_t kDifatSector = 0xFFFFFFFC;
constexpr std::uint32_t kNoStream = 0xFFFFFFFF;
constexpr std::uint64_t kIdsPerSector = 128;
constexpr std::uint64_t kHeaderFatSlots = 109;
constexpr std::uint64_t kFatIdsPerDifatSector = 127;  // the last slot links to the next DIFAT sector

using biff::PutU16;
using biff::PutU32;
using biff::PutU64;
using biff::PutU8;

std::uint64_t CeilDiv(std::uint64_t a, std::uint64_t b) {
  return (a + b - 1) / b;
}

// One 128-byte directory entry.
void PutDirectoryEntry(std::string& out, std::u16string_view name, std::uint8_t type, std::uint32_t child,
                       std::uint32_t start, std::uint64_t size) {
  const std::size_t begin = out.size();
  for (char16_t c : name) PutU16(out, c);
  out.resize(begin + 64, '\0');
  PutU16(out, static_cast<std::uint16_t>(name.empty() ? 0 : (name.size() + 1) * 2));
  PutU8(out, type);
  PutU8(out, type == 0 ? 0 : 1);  // black
  PutU32(out, kNoStream);         // left sibling
  PutU32(out, kNoStream);         // right sibling
  PutU32(out, child);
  out.resize(out.size() + 16 + 4 + 8 + 8, '\0');  // CLSID, state bits, created, modified
  PutU32(out, start);
  PutU64(out, size);
}

}  // namespace

CompoundFile::CompoundFile(std::uint64_t stream_size)
    : stream_size_(stream_size), stream_sectors_(CeilDiv(stream_size, kSectorSize)) {
  // The FAT covers every sector, its own and the DIFAT's included: grow both until they fit.
  for (;;) {
    const std::uint64_t total = stream_sectors_ + fat_sectors_ + difat_sectors_ + 1;
    const std::uint64_t fat = CeilDiv(total, kIdsPerSector);
    const std::uint64_t difat =
        fat > kHeaderFatSlots ? CeilDiv(fat - kHeaderFatSlots, kFatIdsPerDifatSector) : 0;
    if (fat == fat_sectors_ && difat == difat_sectors_) break;
    fat_sectors_ = fat;
    difat_sectors_ = difat;
  }
}

void CompoundFile::WriteTrailer(FileOutput& out) const {
  out.WriteZeros(stream_sectors_ * kSectorSize - stream_size_);

  // FAT: the stream is one chain; then the FAT's own, the DIFAT's and the directory's sectors.
  std::string sector;
  sector.reserve(kSectorSize);
  const std::uint64_t entries = fat_sectors_ * kIdsPerSector;
  for (std::uint64_t id = 0; id < entries; ++id) {
    std::uint32_t value;
    if (id + 1 < stream_sectors_)
      value = static_cast<std::uint32_t>(id + 1);
    else if (id + 1 == stream_sectors_)
      value = kEndOfChain;
    else if (id < FirstDifatSector())
      value = kFatSector;
    else if (id < DirectorySector())
      value = kDifatSector;
    else if (id == DirectorySector())
      value = kEndOfChain;
    else
      value = kFreeSector;
    PutU32(sector, value);
    if (sector.size() == kSectorSize) {
      out.Write(sector);
      sector.clear();
    }
  }

  // DIFAT: the FAT sector ids past the header's 109, 127 to a sector, each sector linking the next.
  for (std::uint64_t d = 0; d < difat_sectors_; ++d) {
    sector.clear();
    for (std::uint64_t slot = 0; slot < kFatIdsPerDifatSector; ++slot) {
      const std::uint64_t fat_index = kHeaderFatSlots + d * kFatIdsPerDifatSector + slot;
      PutU32(sector, fat_index < fat_sectors_ ? static_cast<std::uint32_t>(FirstFatSector() + fat_index)
                                              : kFreeSector);
    }
    PutU32(sector,
           d + 1 < difat_sectors_ ? static_cast<std::uint32_t>(FirstDifatSector() + d + 1) : kEndOfChain);
    out.Write(sector);
  }

  out.Write(DirectorySectorBytes());
}

std::string CompoundFile::DirectorySectorBytes() const {
  std::string dir;
  dir.reserve(kSectorSize);
  PutDirectoryEntry(dir, u"Root Entry", 5, 1, kEndOfChain, 0);
  PutDirectoryEntry(dir, u"Workbook", 2, kNoStream, 0, stream_size_);
  PutDirectoryEntry(dir, u"", 0, kNoStream, 0, 0);
  PutDirectoryEntry(dir, u"", 0, kNoStream, 0, 0);
  return dir;
}

std::string CompoundFile::Header() const {
  std::string h;
  h.reserve(kHeaderSize);
  h += "\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1";
  h.append(16, '\0');  // CLSID
  PutU16(h, 0x003E);   // minor version
  PutU16(h, 0x0003);   // major version 3: 512-byte sectors
  PutU16(h, 0xFFFE);   // little-endian
  PutU16(h, 9);        // sector shift
  PutU16(h, 6);        // mini sector shift
  h.append(6, '\0');
  PutU32(h, 0);  // directory sectors: always 0 in version 3
  PutU32(h, static_cast<std::uint32_t>(fat_sectors_));
  PutU32(h, DirectorySector());
  PutU32(h, 0);  // transaction signature
  PutU32(h, static_cast<std::uint32_t>(kMinStreamSize));
  PutU32(h, kEndOfChain);  // no mini FAT
  PutU32(h, 0);
  PutU32(h, difat_sectors_ > 0 ? FirstDifatSector() : kEndOfChain);
  PutU32(h, static_cast<std::uint32_t>(difat_sectors_));
  for (std::uint64_t i = 0; i < kHeaderFatSlots; ++i)
    PutU32(h, i < fat_sectors_ ? static_cast<std::uint32_t>(FirstFatSector() + i) : kFreeSector);
  return h;
}

}  // namespace brixel
