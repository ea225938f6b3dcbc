#include "core/export/appended_file.h"

#include <cerrno>
#include <filesystem>

#include "core/export/save_target.h"
#include "core/export/text_list_guard.h"
#include "core/platform/file_path.h"

namespace brixel {

namespace {

bool NoRoom(const std::error_code& ec) {
#ifdef EDQUOT
  if (ec == std::error_code(EDQUOT, std::generic_category())) return true;
#endif
  return ec == std::errc::no_space_on_device;
}

// "2.7 MB", "812 KB", "15 bytes", the same under every locale.
std::string Bytes(std::uint64_t n) {
  const auto tenths = [](std::uint64_t value, std::uint64_t unit) {
    const std::uint64_t t = (value * 10 + unit / 2) / unit;
    return std::to_string(t / 10) + "." + std::to_string(t % 10);
  };
  if (n >= (std::uint64_t{1} << 30)) return tenths(n, std::uint64_t{1} << 30) + " GB";
  if (n >= (std::uint64_t{1} << 20)) return tenths(n, std::uint64_t{1} << 20) + " MB";
  if (n >= 1024) return std::to_string((n + 512) / 1024) + " KB";
  return std::to_string(n) + " bytes";
}

}  // namespace

bool InPlaceNeedsLeave(InPlaceCause cause) {
  return cause == InPlaceCause::NoRoomForCopy || cause == InPlaceCause::CopyFailed;
}

AppendedFile::AppendedFile(const std::string& path, const platform::FileSystem& fs,
                           const WorkControl& control, bool in_place_allowed)
    : path_(path), found_(ResolveSaveTarget(path, SaveMode::Append, fs)), control_(control) {
  RefuseForeignContent(path_, *found_);
  const platform::FileFacts& facts = found_->Facts();
  if (facts.exists) LockSaveTarget(path_, *found_, control_);
  if (facts.exists && !facts.regular)
    in_place_cause_ = InPlaceCause::NotARegularFile;
  else if (facts.exists && facts.links != 1)
    in_place_cause_ = InPlaceCause::HardLinks;
  else if (facts.exists && facts.append_only)
    in_place_cause_ = InPlaceCause::AppendsOnly;
  else if (facts.exists && facts.folder_takes_no_renames)
    in_place_cause_ = InPlaceCause::FolderTakesNoRenames;
  if (!in_place_cause_) {
    try {
      copy_.emplace(path_, *found_, ReplacementFile::Start::CopyOfTarget, control_);
      return;
    } catch (const ReplacementFile::Refused& refused) {
      std::string why;
      const InPlaceCause cause = CauseOf(refused, why);
      if (InPlaceNeedsLeave(cause) && !in_place_allowed) {
        std::error_code ec;
        const std::uint64_t free = found_->FreeSpace(ec);
        if (cause == InPlaceCause::NoRoomForCopy)
          why += " (the file's " + Bytes(facts.size) + " beside it, " + Bytes(free) + " free)";
        throw InPlaceRefused(path_, cause, why, facts.size, free);
      }
      in_place_cause_ = cause;
    }
  }
  OpenInPlace();
}

InPlaceCause AppendedFile::CauseOf(const ReplacementFile::Refused& refused, std::string& why) const {
  using Step = ReplacementFile::Refused::Step;
  if (NoRoom(refused.cause) && (refused.step != Step::Owner)) {
    why = "no room for the copy a safe append writes";
    return InPlaceCause::NoRoomForCopy;
  }
  switch (refused.step) {
    case Step::Create:
      if (refused.cause == std::errc::permission_denied ||
          refused.cause == std::errc::operation_not_permitted ||
          refused.cause == std::errc::read_only_file_system)
        return found_->Facts().folder_takes_no_renames ? InPlaceCause::FolderTakesNoRenames
                                                       : InPlaceCause::FolderTakesNoNewFile;
      break;
    case Step::Owner:
    case Step::Attributes:
      return InPlaceCause::AttributesNotKept;
    case Step::Copy:
      // A file this user may write but not read cannot be copied.
      if (refused.cause == std::errc::permission_denied) return InPlaceCause::AttributesNotKept;
      break;
  }
  why = std::string("the copy a safe append writes failed: ") + refused.cause.message();
  return InPlaceCause::CopyFailed;
}

void AppendedFile::OpenInPlace() {
  std::error_code ec;
  auto file = found_->OpenForAppend(created_, old_size_, ec);
  if (!file) throw SaveFailure(path_, ec ? ec.message() : "cannot open the file");
  in_place_.emplace(std::move(file), path_);
}

AppendedFile::~AppendedFile() {
  if (!done_) RollBack();
}

bool AppendedFile::Commit() {
  if (copy_) {
    const bool committed = copy_->Commit();  // drops the copy itself on failure or stop
    done_ = true;
    if (committed) found_.reset();  // the lock goes with it
    return committed;
  }
  try {
    control_.Tell(WritePhase::Committing);
    if (!control_.Stopped()) in_place_->Sync();
    if (control_.Stopped()) {
      RollBack();
      return false;
    }
    in_place_->Close();
  } catch (...) {
    RollBack();
    throw;
  }
  done_ = true;
  found_.reset();  // the lock goes with it
  return true;
}

void AppendedFile::RollBack() noexcept {
  if (done_) return;
  done_ = true;
  if (copy_) {
    copy_.reset();
    return;
  }
  if (!in_place_) return;
  std::error_code ec;
  if (created_) {
    in_place_->Abandon();
    found_->Remove(found_->Name(), ec);
    return;
  }
  if (!found_->Facts().regular) {  // devices and pipes cannot be cut back
    in_place_->Abandon();
    return;
  }
  if (auto* file = in_place_->File()) {
    file->Truncate(old_size_, ec);
    in_place_->Abandon();
  } else {
    std::filesystem::resize_file(PathFromUtf8(found_->FilePath()), old_size_, ec);
  }
}

}  // namespace brixel
