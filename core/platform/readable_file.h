#pragma once
// A regular file open for reading anywhere in it, as a tag reader wants it (tags sit at the start
// and at the end). Only OpenFolder::OpenFileForReading makes one, and it opens nothing but a regular
// file: a FIFO, a device or a folder of the same name is refused before a byte is read.
#include <cstddef>
#include <cstdint>
#include <system_error>

#include "core/platform/entry_facts.h"

namespace brixel::platform {

class ReadableFile {
 public:
  virtual ~ReadableFile() = default;
  // Reads up to `size` bytes from `offset`; fewer only at the end of the file, none past it. On
  // failure sets ec and returns 0.
  virtual std::size_t ReadAt(std::uint64_t offset, char* buffer, std::size_t size, std::error_code& ec) = 0;
  // The file's size and last change as they were when it was opened.
  virtual const EntryFacts& Facts() const = 0;
};

}  // namespace brixel::platform
