#include "core/export/replacement_file.h"

#include <atomic>
#include <cstdio>
#include <filesystem>
#include <random>
#include <string_view>
#include <utility>

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
    : ReplacementFile(target, CheckSaveTarget(target, SaveMode::Replace, fs), fs, Start::Empty) {}

ReplacementFile::ReplacementFile(const std::string& target, platform::FileFacts checked,
                                 const platform::FileSystem& fs, Start start)
    : fs_(fs),
      target_(target),
      checked_(std::move(checked)),
      keep_unchanged_(start == Start::CopyOfTarget),
      folder_(PathToUtf8(PathFromUtf8(checked_.real_path).parent_path())) {
  try {
    Create(start);
  } catch (...) {
    Discard();
    throw;
  }
}

void ReplacementFile::Create(Start start) {
  std::error_code ec;
  auto file = fs_.CreateUnnamed(folder_, ec);
  for (int attempt = 0; !file && attempt < 16; ++attempt) {
    ec.clear();
    temp_ = PathToUtf8(PathFromUtf8(folder_) / TempNameCandidate());
    file = fs_.CreateNew(temp_, ec);
    if (!file && ec != std::errc::file_exists) break;
  }
  if (!file) {
    temp_.clear();
    throw SaveFailure(target_, ec ? ec.message() : "cannot create a file in its folder");
  }
  output_.emplace(std::move(file), target_);
  if (!checked_.exists) return;
  const auto keep = [&](void (platform::WritableFile::*copy)(const std::string&, std::error_code&),
                        std::string_view what) {
    std::error_code e;
    (output_->File()->*copy)(checked_.real_path, e);
    if (e)
      throw SaveFailure(target_,
                        std::string("cannot keep the file's ") + std::string(what) + ": " + e.message());
  };
  // Refused before the first byte is written: the file would pass to the saving user.
  keep(&platform::WritableFile::CopyOwner, "owner and group");
  if (start != Start::CopyOfTarget) return;
  keep(&platform::WritableFile::CopyExtendedAttributes, "extended attributes");
  output_->File()->CopyFrom(checked_.real_path, checked_.size, ec);
  if (ec) throw SaveFailure(target_, ec.message());
}

ReplacementFile::~ReplacementFile() {
  if (!done_) Discard();
}

const std::string& ReplacementFile::HandOver() {
  output_->Flush();
  handed_over_ = output_->File() ? output_->File()->SharedPath() : std::string();
  if (!handed_over_.empty()) return handed_over_;
  output_->Close();
  return temp_;
}

void ReplacementFile::Commit() {
  try {
    if (output_->IsOpen()) {
      output_->Sync();
      if (checked_.exists) {
        std::error_code ec;
        output_->File()->CopyMode(checked_.real_path, ec);
        if (ec) throw SaveFailure(target_, "cannot keep the file's permissions: " + ec.message());
      }
    }
    if (keep_unchanged_) {
      // Someone else's write to the old file since it was copied would be lost with it.
      std::error_code ec;
      const platform::FileFacts now = fs_.Inspect(target_, ec);
      if (ec || !now.SameAs(checked_) || now.real_path != checked_.real_path)
        throw SaveFailure(target_, "the file changed while the list was being written");
    }
    if (temp_.empty()) GiveName();
    if (output_->IsOpen()) output_->Close();
    std::error_code ec;
    fs_.Replace(temp_, checked_.real_path, ec);
    if (ec) throw SaveFailure(target_, ec.message());
  } catch (...) {
    Discard();
    throw;
  }
  done_ = true;
}

// The name comes last, just before the rename: a killed save leaves no named file but in the
// moment between the two calls.
void ReplacementFile::GiveName() {
  std::error_code ec;
  for (int attempt = 0; attempt < 16; ++attempt) {
    ec.clear();
    const std::string name = PathToUtf8(PathFromUtf8(folder_) / TempNameCandidate());
    output_->File()->Link(name, ec);
    if (!ec) {
      temp_ = name;
      return;
    }
    if (ec != std::errc::file_exists) break;
  }
  throw SaveFailure(target_, ec.message());
}

void ReplacementFile::Discard() noexcept {
  done_ = true;
  if (output_) output_->Abandon();  // a file without a name goes with its last handle
  std::error_code ignored;
  if (!temp_.empty()) fs_.Remove(temp_, ignored);
}

}  // namespace brixel
