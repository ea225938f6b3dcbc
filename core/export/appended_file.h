#pragma once
// The file a text list is appended to. Where the new list can be written as a whole new file
// that takes the old one's place - the old bytes copied first, the owner, group, permission bits
// and extended attributes kept - a killed save leaves the old file exactly as it was, never part
// of the list. Where no such copy can stand in for the file, the list is appended to the file
// itself, where a killed save can leave part of it (InPlaceCause). For the causes that lie in the
// file or its folder that happens on its own; a copy that cannot be made for want of room, or
// fails, is refused unless the caller allows the file itself (InPlaceRefused). Either way a
// missing file is created, a file that is no text list is refused (text_list_guard.h), the file
// is locked for the whole save, and unless Commit completes the file is put back as it was: the
// copy dropped, or the file cut back to its old length or removed if this save made it.
#include <cstdint>
#include <memory>
#include <optional>
#include <string>

#include "core/export/file_output.h"
#include "core/export/replacement_file.h"
#include "core/export/save_error.h"
#include "core/work/work_control.h"

namespace brixel {

// Why a text list goes into the file itself rather than into a copy that takes its place.
enum class InPlaceCause {
  NotARegularFile,       // a device or a pipe
  HardLinks,             // the file has other names, which a new file would split off
  AppendsOnly,           // the file takes appends only (chattr +a)
  FolderTakesNoRenames,  // its folder takes new names, but no renames (chattr +a)
  AttributesNotKept,     // this user cannot give a new file the owner, group or attributes
  FolderTakesNoNewFile,  // this user may write the file but not its folder
  NoRoomForCopy,         // the disk has no room for the copy: only with the caller's leave
  CopyFailed,            // the copy could not be made: only with the caller's leave
};

// Whether a cause needs the caller's leave (ListWriterOptions::in_place_allowed).
bool InPlaceNeedsLeave(InPlaceCause cause);

// A text list refused before anything was written, because it could only go into the file
// itself; the message names the file, the cause and, for want of room, the room needed.
class InPlaceRefused : public SaveError {
 public:
  InPlaceRefused(std::string_view path, InPlaceCause why_in_place, std::string_view why, std::uint64_t needed,
                 std::uint64_t free)
      : SaveError(SaveMessage(path, why)), cause(why_in_place), room_needed(needed), room_free(free) {}
  InPlaceCause cause;
  std::uint64_t room_needed;  // bytes the copy takes (NoRoomForCopy)
  std::uint64_t room_free;    // bytes free beside the file
};

class AppendedFile {
 public:
  // Throws SaveError: NotATextList, InPlaceRefused, SaveStopped among them.
  AppendedFile(const std::string& path, const platform::FileSystem& fs, const WorkControl& control,
               bool in_place_allowed);
  ~AppendedFile();
  AppendedFile(const AppendedFile&) = delete;
  AppendedFile& operator=(const AppendedFile&) = delete;

  FileOutput& Output() { return copy_ ? copy_->Output() : *in_place_; }
  // Why the list goes into the file itself; nothing when a copy takes its place.
  std::optional<InPlaceCause> InPlace() const { return in_place_cause_; }
  // Puts every byte on the disk and closes the file, looking at the stop just before the end.
  // False: stopped, and rolled back. On failure rolls back and throws SaveError.
  bool Commit();
  void RollBack() noexcept;

 private:
  void OpenInPlace();
  InPlaceCause CauseOf(const ReplacementFile::Refused& refused, std::string& why) const;

  std::string path_;
  std::unique_ptr<platform::TargetFile> found_;
  WorkControl control_;
  std::optional<ReplacementFile> copy_;  // the whole new list, when it can stand in for the old
  std::optional<FileOutput> in_place_;   // otherwise the old file itself
  std::optional<InPlaceCause> in_place_cause_;
  bool created_ = false;
  std::uint64_t old_size_ = 0;
  bool done_ = false;
};

}  // namespace brixel
