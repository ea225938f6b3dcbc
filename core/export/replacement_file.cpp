#include "core/export/replacement_file.h"

#include <atomic>
#include <cstdio>
#include <filesystem>
#include <random>

#include "core/export/save_error.h"
#include "core/export/save_target.h"
#include "core/platform/file_path.h"

namespace brixel {

namespace {

std::string TempNameCandidate() {
  static std::atomic<unsigned> serial{0};
  static const unsigned seed = std::random_device{}();
  std::mt19937_64 mix(seed + 7919u * serial.fetch_add(1));
  char name[40];
  std::snprintf(name, sizeof name, ".~brixel-%012llx.tmp",
                static_cast<unsigned long long>(mix() & 0xFFFFFFFFFFFFull));
  return name;
}

}  // namespace

ReplacementFile::ReplacementFile(const std::string& target, const platform::FileSystem& fs)
    : fs_(fs), target_(target) {
  CheckSaveTarget(target, SaveMode::Replace);
  const std::filesystem::path folder = PathFromUtf8(target).parent_path();
  std::error_code ec;
  for (int attempt = 0; attempt < 16; ++attempt) {
    ec.clear();
    temp_ = PathToUtf8(folder / TempNameCandidate());
    auto file = fs.CreateNew(temp_, ec);
    if (file) {
      output_.emplace(std::move(file), target_);
      return;
    }
    if (ec != std::errc::file_exists) break;
  }
  temp_.clear();
  throw SaveFailure(target, ec ? ec.message() : "cannot create a file in its folder");
}

ReplacementFile::~ReplacementFile() {
  if (!done_) Discard();
}

const std::string& ReplacementFile::HandOver() {
  output_->Close();
  return temp_;
}

void ReplacementFile::Commit() {
  try {
    if (output_->IsOpen()) {
      output_->Sync();
      output_->Close();
    }
    // The new file keeps the permissions the old one had.
    std::error_code ignored;
    const auto old_perms = std::filesystem::status(PathFromUtf8(target_), ignored).permissions();
    if (!ignored && old_perms != std::filesystem::perms::unknown)
      std::filesystem::permissions(PathFromUtf8(temp_), old_perms, ignored);
    std::error_code ec;
    fs_.Replace(temp_, target_, ec);
    if (ec) throw SaveFailure(target_, ec.message());
  } catch (...) {
    Discard();
    throw;
  }
  done_ = true;
}

void ReplacementFile::Discard() noexcept {
  done_ = true;
  if (output_) output_->Abandon();
  std::error_code ignored;
  if (!temp_.empty()) fs_.Remove(temp_, ignored);
}

}  // namespace brixel
