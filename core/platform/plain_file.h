#pragma once
// Reading a small file the program takes its settings from. The file sits where anyone may have
// put anything under its name - a folder, a FIFO that would block the read for ever, a link to a
// device that never ends - so only a regular file is read, never with a call that can block, and
// never past a limit. Paths are UTF-8.
#include <cstddef>
#include <string>

namespace brixel::platform {

struct PlainFileRead {
  enum class Status {
    Read,     // bytes holds the file, or its first `limit` bytes when cut
    Missing,  // nothing of that name
    Unusable  // something that is no regular file, or a file that could not be read
  };
  Status status = Status::Unusable;
  std::string bytes;
  bool cut = false;  // the file is longer than the limit
};

// Never throws.
PlainFileRead ReadPlainFile(const std::string& path, std::size_t limit) noexcept;

// Creates an empty file unless something - even a link that leads nowhere - already has the
// name. Reports nothing: a file that cannot be made is simply not there.
void CreateEmptyFile(const std::string& path) noexcept;

}  // namespace brixel::platform
