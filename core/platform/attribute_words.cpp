#include "core/platform/attribute_words.h"

#include <algorithm>
#include <array>

namespace brixel {

namespace {
constexpr std::array<std::uint32_t, 16> kListedFiles{1,  2,  3,  4,  6,  7,   32,  33,
                                                     34, 35, 36, 38, 39, 128, 288, 8224};
constexpr std::array<std::uint32_t, 12> kWalkedFolders{16, 17, 18, 19, 20, 21, 22, 48, 49, 2066, 2071, 8208};
}  // namespace

bool IsListedFileAttributes(std::uint32_t attributes) {
  return std::find(kListedFiles.begin(), kListedFiles.end(), attributes) != kListedFiles.end();
}

bool IsWalkedFolderAttributes(std::uint32_t attributes) {
  return std::find(kWalkedFolders.begin(), kWalkedFolders.end(), attributes) != kWalkedFolders.end();
}

}  // namespace brixel
