#pragma once
// The Windows attribute-word rules of the scan. The test is for equality with whole words, not
// for bits: a compressed file (2080) is not listed, a read-only system file (5) is not listed,
// a folder with the reparse-point bit (junctions, linked folders) is never walked.
#include <cstdint>

namespace brixel {

bool IsListedFileAttributes(std::uint32_t attributes);
bool IsWalkedFolderAttributes(std::uint32_t attributes);

}  // namespace brixel
