#include "core/export/replacement_file.h"

#include <atomic>
#include <cstdio>
#include <random>
#include <string_view>
#include <utility>

#include "core/export/save_target.h"

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

// A file system without owners or permissions (FUSE FAT answers ENOSYS) has none to lose.
bool Unsupported(const std::error_code& ec) {
  return ec == std::errc::function_not_supported || ec == std::errc::operation_not_supported;
}

}  // namespace

bool IsReplacementTempName(std::string_view name) {
  if (name.size() != kTempPrefix.size() + kTempDigits + kTempSuffix.size() ||
      !name.starts_with(kTempPrefix) || !name.ends_with(kTempSuffix))
    return false;
  const std::string_view digits = name.substr(kTempPrefix.size(), kTempDigits);
  return digits.find_first_not_of("0123456789abcdef") == std::string_view::npos;
}

ReplacementFile::ReplacementFile(const std::string& target, const platform::FileSystem& fs,
                                 const WorkControl& control)
    : owned_(ResolveSaveTarget(target, SaveMode::Replace, fs)),
      found_(owned_.get()),
      target_(target),
      control_(control) {
  if (found_->Facts().exists) LockSaveTarget(target_, *found_, control_);
  try {
    Create(Start::Empty);
  } catch (...) {
    Discard();
    throw;
  }
}

ReplacementFile::ReplacementFile(const std::string& target, platform::TargetFile& found, Start start,
                                 const WorkControl& control)
    : found_(&found), target_(target), control_(control) {
  try {
    Create(start);
  } catch (...) {
    Discard();
    throw;
  }
}

void ReplacementFile::Create(Start start) {
  using Step = Refused::Step;
  std::error_code ec;
  auto file = found_->CreateUnnamed(ec);
  // A named file there could be neither renamed nor removed again.
  if (!file && found_->Facts().folder_takes_no_renames)
    throw Refused(target_, Step::Create, std::make_error_code(std::errc::operation_not_permitted),
                  "its folder takes no renames, so no new file can be put in place there");
  for (int attempt = 0; !file && attempt < 16; ++attempt) {
    ec.clear();
    temp_ = TempNameCandidate();
    file = found_->CreateNew(temp_, ec);
    if (!file && ec != std::errc::file_exists) break;
  }
  if (!file) {
    temp_.clear();
    throw Refused(target_, Step::Create, ec, ec ? ec.message() : "cannot create a file in its folder");
  }
  output_.emplace(std::move(file), target_);
  const platform::FileFacts& facts = found_->Facts();
  if (!facts.exists) return;
  const std::string model = found_->FilePath();
  const auto keep = [&](void (platform::WritableFile::*copy)(const std::string&, std::error_code&), Step step,
                        std::string_view what) {
    std::error_code e;
    (output_->File()->*copy)(model, e);
    if (e && !Unsupported(e))
      throw Refused(target_, step, e,
                    std::string("cannot keep the file's ") + std::string(what) + ": " + e.message());
  };
  // Refused before the first byte is written: the file would pass to the saving user.
  keep(&platform::WritableFile::CopyOwner, Step::Owner, "owner and group");
  if (start != Start::CopyOfTarget) return;
  keep(&platform::WritableFile::CopyExtendedAttributes, Step::Attributes, "extended attributes");
  output_->File()->CopyFrom(model, facts.size, ec);
  if (ec) throw Refused(target_, Step::Copy, ec, ec.message());
}

ReplacementFile::~ReplacementFile() {
  if (!done_) Discard();
}

const std::string& ReplacementFile::HandOver() {
  output_->Flush();
  handed_over_ = output_->File() ? output_->File()->SharedPath() : std::string();
  if (!handed_over_.empty()) return handed_over_;
  output_->Close();
  handed_over_ = found_->PathOf(temp_);
  return handed_over_;
}

bool ReplacementFile::Commit() {
  bool published = false;
  try {
    control_.Tell(WritePhase::Committing);
    if (control_.Stopped()) {
      Discard();
      return false;
    }
    if (output_->IsOpen()) {
      output_->Sync();
      if (found_->Facts().exists) {
        std::error_code ec;
        output_->File()->CopyMode(found_->FilePath(), ec);
        if (ec && !Unsupported(ec))
          throw SaveFailure(target_, "cannot keep the file's permissions: " + ec.message());
      }
    }
    published = Publish();
  } catch (...) {
    Discard();
    throw;
  }
  if (!published) {
    Discard();
    return false;
  }
  done_ = true;
  // The lock goes now: a program waiting for it writes to the new file from here on.
  owned_.reset();
  found_ = nullptr;
  return true;
}

// The name comes last: a killed save leaves no named file but in the moment between the link
// and the rename. Each of the two looks at the stop just before.
bool ReplacementFile::Publish() {
  std::error_code ec;
  if (temp_.empty() && !found_->Facts().exists) {
    // Nothing had the name: the file gets it directly, and only if nothing has taken it since.
    if (control_.Stopped()) return false;
    found_->Link(output_->File()->SharedPath(), found_->Name(), ec);
    if (ec)
      throw SaveFailure(target_,
                        (ec == std::errc::file_exists ? platform::TargetChangedError() : ec).message());
    try {
      output_->Close();
    } catch (...) {
      found_->Remove(found_->Name(), ec);  // it was not there before this save
      throw;
    }
    return true;
  }
  if (temp_.empty()) {
    if (control_.Stopped()) return false;
    GiveTempName();
  }
  if (output_->IsOpen()) output_->Close();
  if (control_.Stopped()) return false;
  found_->Replace(temp_, ec);
  if (ec) throw SaveFailure(target_, ec.message());
  return true;
}

void ReplacementFile::GiveTempName() {
  std::error_code ec;
  const std::string file = output_->File()->SharedPath();
  for (int attempt = 0; attempt < 16; ++attempt) {
    ec.clear();
    const std::string name = TempNameCandidate();
    found_->Link(file, name, ec);
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
  if (!temp_.empty()) found_->Remove(temp_, ignored);
  temp_.clear();
}

}  // namespace brixel
