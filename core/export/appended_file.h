#pragma once
// The file a text list is appended to. Where the new list can be written as a whole new file
// that takes the old one's place - the old bytes copied first, the owner, group, permission bits
// and extended attributes kept - a killed save leaves the old file exactly as it was, never part
// of the list. That is not possible for a file with other names (hard links, which a new file
// would split off), one whose owner or attributes this user cannot give a new file, a folder
// that takes no new file, or a device; there the list is appended in place. Either
// way, a missing file is created, and unless Commit completes the file is put back as it was:
// the copy dropped, or the file cut back to its old length or removed if this save made it.
#include <cstdint>
#include <memory>
#include <optional>
#include <string>

#include "core/export/file_output.h"
#include "core/export/replacement_file.h"

namespace brixel {

class AppendedFile {
 public:
  // Throws SaveError.
  AppendedFile(const std::string& path, const platform::FileSystem& fs);
  ~AppendedFile();
  AppendedFile(const AppendedFile&) = delete;
  AppendedFile& operator=(const AppendedFile&) = delete;

  FileOutput& Output() { return copy_ ? copy_->Output() : *in_place_; }
  // Puts every byte on the disk and closes the file; on failure rolls back and throws SaveError.
  void Commit();
  void RollBack() noexcept;

 private:
  void OpenInPlace(const std::string& path, bool regular);

  const platform::FileSystem& fs_;
  std::optional<ReplacementFile> copy_;  // the whole new list, when it can stand in for the old
  std::optional<FileOutput> in_place_;   // otherwise the old file itself
  bool created_ = false;
  std::uint64_t old_size_ = 0;
  bool regular_ = true;  // devices and pipes cannot be cut back
  bool done_ = false;
};

}  // namespace brixel
