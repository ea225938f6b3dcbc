#pragma once
// Buffered writing into one platform file, counting the bytes written. Any failure becomes a
// SaveError naming the file and the cause.
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "core/platform/file_system.h"

namespace brixel {

class FileOutput {
 public:
  FileOutput(std::unique_ptr<platform::WritableFile> file, std::string path);

  void Write(std::string_view bytes) {
    if (buffer_.size() + bytes.size() > kBufferSize) Flush();
    buffer_.append(bytes);
    position_ += bytes.size();
  }
  void WriteZeros(std::uint64_t count);
  // Overwrites bytes already written, at an offset counted like Position.
  void PatchAt(std::uint64_t offset, std::string_view bytes);
  // Bytes written through this output so far.
  std::uint64_t Position() const { return position_; }

  void Flush();
  void Sync();
  void Close();
  bool IsOpen() const { return file_ != nullptr; }
  // Drops the file without a report (the caller is already failing).
  void Abandon() noexcept;
  platform::WritableFile* File() { return file_.get(); }

  const std::string& Path() const { return path_; }

 private:
  static constexpr std::size_t kBufferSize = 1 << 20;
  [[noreturn]] void Fail(const std::error_code& ec) const;

  std::unique_ptr<platform::WritableFile> file_;
  std::string path_;
  std::string buffer_;
  std::uint64_t position_ = 0;
};

}  // namespace brixel
