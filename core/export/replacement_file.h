#pragma once
// A new file beside the target that takes the target's place only when it is complete, so a
// failed save leaves an existing file as it was. Where the system allows (Linux, on file systems
// with O_TMPFILE) the new file has no name until it is complete - it is linked under a temporary
// name just before the rename - so a save that is killed leaves nothing behind; elsewhere
// (Windows, other file systems) it is a named temporary file from the start, which a killed save
// can leave. A target reached through symbolic links is the file they lead to: the new file goes
// beside it and replaces it, and the links stay. The new file keeps the target's owner and group
// (a save that cannot keep them is refused) and its permission bits. Temporary names are plain
// ASCII, for libraries that open files by narrow names.
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "core/export/file_output.h"
#include "core/platform/file_system.h"

namespace brixel {

// Whether a bare file name is one of the temporary names below: a scan that runs while a list is
// being written beside it must not list the list's own half-written file.
bool IsReplacementTempName(std::string_view name);

class ReplacementFile {
 public:
  enum class Start {
    Empty,         // a page or workbook written whole
    CopyOfTarget,  // the target's bytes, owner, group and extended attributes, for an append; the
                   // new file takes the target's place only if the target has not changed meanwhile
  };

  // Checks the target and creates the new file. Throws SaveError.
  ReplacementFile(const std::string& target, const platform::FileSystem& fs);
  // The same for a target already checked (CheckSaveTarget). Throws SaveError, also when the copy
  // cannot be made or given what the target carries.
  ReplacementFile(const std::string& target, platform::FileFacts checked, const platform::FileSystem& fs,
                  Start start);
  ~ReplacementFile();
  ReplacementFile(const ReplacementFile&) = delete;
  ReplacementFile& operator=(const ReplacementFile&) = delete;

  FileOutput& Output() { return *output_; }
  const std::string& Target() const { return target_; }

  // A path by which another writer can fill the new file. Where the system lets two handles
  // share it, this side's handle stays open (and keeps a nameless file alive); elsewhere it is
  // closed first.
  const std::string& HandOver();
  // Puts the bytes on the disk, names the file, closes it and renames it over the target. On
  // failure the new file is removed and SaveError thrown.
  void Commit();

 private:
  void Create(Start start);
  void GiveName();
  void Discard() noexcept;

  const platform::FileSystem& fs_;
  std::string target_;           // as the user named it
  platform::FileFacts checked_;  // checked_.real_path is the file replaced
  bool keep_unchanged_ = false;
  std::string folder_;  // of the file replaced: the new file goes there
  std::string temp_;    // the new file's name; empty while it has none
  std::string handed_over_;
  std::optional<FileOutput> output_;
  bool done_ = false;
};

}  // namespace brixel
