#include "core/export/appended_file.h"

#include <filesystem>

#include "core/export/save_error.h"
#include "core/export/save_target.h"
#include "core/platform/file_path.h"

namespace brixel {

AppendedFile::AppendedFile(const std::string& path, const platform::FileSystem& fs) : fs_(fs) {
  const platform::FileFacts facts = CheckSaveTarget(path, SaveMode::Append, fs);
  if (!facts.exists || (facts.regular && facts.links == 1)) {
    try {
      copy_.emplace(path, facts, fs, ReplacementFile::Start::CopyOfTarget);
      return;
    } catch (const SaveError&) {
      // No copy that could stand in for the old file: append to the file itself.
    }
  }
  OpenInPlace(path, !facts.exists || facts.regular);
}

void AppendedFile::OpenInPlace(const std::string& path, bool regular) {
  std::error_code ec;
  auto file = fs_.OpenForAppend(path, created_, old_size_, ec);
  if (!file) throw SaveFailure(path, ec ? ec.message() : "cannot open the file");
  in_place_.emplace(std::move(file), path);
  regular_ = regular;
}

AppendedFile::~AppendedFile() {
  if (!done_) RollBack();
}

void AppendedFile::Commit() {
  if (copy_) {
    copy_->Commit();  // drops the copy itself on failure
    done_ = true;
    return;
  }
  try {
    in_place_->Sync();
    in_place_->Close();
  } catch (...) {
    RollBack();
    throw;
  }
  done_ = true;
}

void AppendedFile::RollBack() noexcept {
  if (done_) return;
  done_ = true;
  if (copy_) {
    copy_.reset();
    return;
  }
  std::error_code ec;
  if (created_) {
    in_place_->Abandon();
    fs_.Remove(in_place_->Path(), ec);
    return;
  }
  if (!regular_) {
    in_place_->Abandon();
    return;
  }
  if (auto* file = in_place_->File()) {
    file->Truncate(old_size_, ec);
    in_place_->Abandon();
  } else {
    std::filesystem::resize_file(PathFromUtf8(in_place_->Path()), old_size_, ec);
  }
}

}  // namespace brixel
