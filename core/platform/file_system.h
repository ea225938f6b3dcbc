#pragma once
// The file calls a save makes, behind one seam: the list writers reach the disk only through a
// FileSystem, so each platform brings its own calls (POSIX descriptors, Win32 handles) and tests
// can put a failing layer in its place. Calls report failure through an error code, never throw.
// Paths are UTF-8.
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <system_error>

namespace brixel::platform {

// A file open for writing. Destroying it closes it without a report; call Close to get one.
class WritableFile {
 public:
  virtual ~WritableFile() = default;
  // Writes all of data at the end (a file opened for appending) or at the write position.
  virtual void Write(std::string_view data, std::error_code& ec) = 0;
  // Writes at an absolute offset; the write position does not move.
  virtual void WriteAt(std::uint64_t offset, std::string_view data, std::error_code& ec) = 0;
  virtual void Truncate(std::uint64_t size, std::error_code& ec) = 0;
  // Puts the bytes on the disk: a full disk that the system reports late shows here.
  virtual void Sync(std::error_code& ec) = 0;
  virtual void Close(std::error_code& ec) = 0;
};

class FileSystem {
 public:
  virtual ~FileSystem() = default;
  // Opens a file for appending, creating it when missing. `created` tells whether this call made
  // it, `size` how long it was before.
  virtual std::unique_ptr<WritableFile> OpenForAppend(const std::string& path, bool& created,
                                                      std::uint64_t& size, std::error_code& ec) const = 0;
  // Creates a file that must not exist yet, for writing from its start.
  virtual std::unique_ptr<WritableFile> CreateNew(const std::string& path, std::error_code& ec) const = 0;
  // Renames from to to in one step, replacing a file at to.
  virtual void Replace(const std::string& from, const std::string& to, std::error_code& ec) const = 0;
  virtual void Remove(const std::string& path, std::error_code& ec) const = 0;
};

// The platform's own calls.
const FileSystem& NativeFileSystem();

}  // namespace brixel::platform
