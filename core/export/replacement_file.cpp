#include "core/export/replacement_file.h"

#include <atomic>
#include <cstdio>
#include <filesystem>
#include <random>
#include <string_view>

#include "core/export/save_error.h"
#include "core/export/save_target.h"
#include "core/platform/file_path.h"

namespace brixel {

namespace {

constexpr std::string_view kTempPrefix = ".~brixel-";
constexpr std::string_view kTempSuffix = ".tmp";
constexpr std::size_t kTempDigits = 12;

std::string TempNameCandidate() {
  static std::atomic<unsigned> serial{0};
  static const unsigned seed = std::random_device{}();
  std::mt19937_64 mix(seed + 7919u * serial.fetch_add(1));
  char digits[kTempDigits + 1];
  std::snprintf(digits, sizeof digits, "%012llx", static_cast<unsigned long long>(mix() & 0xFFFFFFFFFFFFull));
  return std::string(kTempPrefix).append(digits).append(kTempSuffix);
}

}  // namespace

bool IsReplacementTempName(std::string_view name) {
  if (name.size() != kTempPrefix.size() + kTempDigits + kTempSuffix.size() ||
      !name.starts_with(kTempPrefix) || !name.ends_with(kTempSuffix))
    return false;
  const std::string_view digits = name.substr(kTempPrefix.size(), kTempDigits);
  return digits.find_first_not_of("0123456789abcdef") == std::string_view::npos;
}

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
