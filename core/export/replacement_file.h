#pragma once
// A temporary file beside the target that takes the target's place only when it is complete, so
// a failed save leaves an existing file as it was. The temporary name is plain ASCII, for
// libraries that open files by narrow names.
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "core/export/file_output.h"

namespace brixel {

// Whether a bare file name is one of the temporary names below: a scan that runs while a list is
// being written beside it must not list the list's own half-written file.
bool IsReplacementTempName(std::string_view name);

class ReplacementFile {
 public:
  // Checks the target and creates the temporary file. Throws SaveError.
  ReplacementFile(const std::string& target, const platform::FileSystem& fs);
  ~ReplacementFile();
  ReplacementFile(const ReplacementFile&) = delete;
  ReplacementFile& operator=(const ReplacementFile&) = delete;

  FileOutput& Output() { return *output_; }
  const std::string& Target() const { return target_; }

  // Closes this side's handle so another writer can fill the temporary file by its path.
  const std::string& HandOver();
  // Puts the bytes on the disk, closes the file and renames it over the target. On failure the
  // temporary file is removed and SaveError thrown.
  void Commit();

 private:
  void Discard() noexcept;

  const platform::FileSystem& fs_;
  std::string target_;
  std::string temp_;
  std::optional<FileOutput> output_;
  bool done_ = false;
};

}  // namespace brixel
