#pragma once
// The file a text list is appended to. Opening creates a missing file; unless Commit completes,
// the file is put back as it was: cut back to its old length, or removed if this save made it.
#include <cstdint>
#include <memory>
#include <string>

#include "core/export/file_output.h"

namespace brixel {

class AppendedFile {
 public:
  // Throws SaveError.
  AppendedFile(const std::string& path, const platform::FileSystem& fs);
  ~AppendedFile();
  AppendedFile(const AppendedFile&) = delete;
  AppendedFile& operator=(const AppendedFile&) = delete;

  FileOutput& Output() { return output_; }
  // Puts every byte on the disk and closes the file; on failure rolls back and throws SaveError.
  void Commit();
  void RollBack() noexcept;

 private:
  static FileOutput Open(const std::string& path, const platform::FileSystem& fs, bool& created,
                         std::uint64_t& old_size);

  const platform::FileSystem& fs_;
  bool created_ = false;
  std::uint64_t old_size_ = 0;
  bool regular_ = true;  // devices and pipes cannot be cut back
  bool done_ = false;
  FileOutput output_;
};

}  // namespace brixel
