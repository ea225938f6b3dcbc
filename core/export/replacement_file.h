#pragma once
// A new file beside the target that takes the target's place only when it is complete, so a
// failed or stopped save leaves an existing file as it was. Where the system allows (Linux, on
// file systems with O_TMPFILE) the new file has no name until it is complete - it is linked under
// a temporary name just before the rename, or straight under the target's name when nothing had
// it - so a save that is killed leaves nothing behind; elsewhere (Windows, other file systems) it
// is a named temporary file from the start, which a killed save can leave. A target reached
// through symbolic links is the file they lead to: the new file goes beside it and replaces it,
// and the links stay. The target is looked up once and locked for the whole save; the rename
// happens only if it is still the file found, unchanged. The new file keeps the target's owner
// and group (a save that cannot keep them is refused) and its permission bits. Temporary names are
// plain ASCII, for libraries that open files by narrow names.
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <system_error>

#include "core/export/file_output.h"
#include "core/export/save_error.h"
#include "core/platform/file_system.h"
#include "core/work/work_control.h"

namespace brixel {

// Whether a bare file name is one of the temporary names below: a scan that runs while a list is
// being written beside it must not list the list's own half-written file.
bool IsReplacementTempName(std::string_view name);

class ReplacementFile {
 public:
  enum class Start {
    Empty,         // a page or workbook written whole
    CopyOfTarget,  // the target's bytes, owner, group and extended attributes, for an append
  };

  // Why no new file could be made to stand in for the target: the step and the system's answer.
  class Refused : public SaveError {
   public:
    enum class Step { Create, Owner, Attributes, Copy };
    Refused(std::string_view path, Step failed_step, std::error_code ec, std::string_view text)
        : SaveError(SaveMessage(path, text)), step(failed_step), cause(ec) {}
    Step step;
    std::error_code cause;
  };

  // Looks the target up, checks it, locks it and creates the new file. Throws SaveError.
  ReplacementFile(const std::string& target, const platform::FileSystem& fs, const WorkControl& control);
  // The same for a target already looked up, checked and locked (ResolveSaveTarget), which must
  // outlive this object. Throws Refused when the new file cannot be made or given what the target
  // carries.
  ReplacementFile(const std::string& target, platform::TargetFile& found, Start start,
                  const WorkControl& control);
  ~ReplacementFile();
  ReplacementFile(const ReplacementFile&) = delete;
  ReplacementFile& operator=(const ReplacementFile&) = delete;

  FileOutput& Output() { return *output_; }
  const std::string& Target() const { return target_; }
  const WorkControl& Control() const { return control_; }

  // A path by which another writer can fill the new file. Where the system lets two handles
  // share it, this side's handle stays open (and keeps a nameless file alive); elsewhere it is
  // closed first.
  const std::string& HandOver();
  // Puts the bytes on the disk, names the file and renames it over the target, looking at the
  // stop last just before the name or the rename. False: stopped, and the new file is gone. On
  // failure the new file is removed and SaveError thrown.
  bool Commit();

 private:
  void Create(Start start);
  bool Publish();
  void GiveTempName();
  void Discard() noexcept;

  std::unique_ptr<platform::TargetFile> owned_;
  platform::TargetFile* found_;
  std::string target_;  // as the user named it
  WorkControl control_;
  std::string temp_;  // the new file's name in the target's folder; empty while it has none
  std::string handed_over_;
  std::optional<FileOutput> output_;
  bool done_ = false;
};

}  // namespace brixel
