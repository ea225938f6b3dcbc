#include "core/export/appended_file.h"

#include <filesystem>

#include "core/export/save_error.h"
#include "core/export/save_target.h"
#include "core/platform/file_path.h"

namespace brixel {

FileOutput AppendedFile::Open(const std::string& path, const platform::FileSystem& fs, bool& created,
                              std::uint64_t& old_size) {
  CheckSaveTarget(path, SaveMode::Append, fs);
  std::error_code ec;
  auto file = fs.OpenForAppend(path, created, old_size, ec);
  if (!file) throw SaveFailure(path, ec ? ec.message() : "cannot open the file");
  return FileOutput(std::move(file), path);
}

AppendedFile::AppendedFile(const std::string& path, const platform::FileSystem& fs)
    : fs_(fs), output_(Open(path, fs, created_, old_size_)) {
  std::error_code ec;
  regular_ = std::filesystem::is_regular_file(PathFromUtf8(path), ec);
}

AppendedFile::~AppendedFile() {
  if (!done_) RollBack();
}

void AppendedFile::Commit() {
  try {
    output_.Sync();
    output_.Close();
  } catch (...) {
    RollBack();
    throw;
  }
  done_ = true;
}

void AppendedFile::RollBack() noexcept {
  if (done_) return;
  done_ = true;
  std::error_code ec;
  if (created_) {
    output_.Abandon();
    fs_.Remove(output_.Path(), ec);
    return;
  }
  if (!regular_) {
    output_.Abandon();
    return;
  }
  if (auto* file = output_.File()) {
    file->Truncate(old_size_, ec);
    output_.Abandon();
  } else {
    std::filesystem::resize_file(PathFromUtf8(output_.Path()), old_size_, ec);
  }
}

}  // namespace brixel
