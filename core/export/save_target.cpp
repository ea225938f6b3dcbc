#include "core/export/save_target.h"

#include <chrono>
#include <thread>

#include "core/export/save_error.h"

namespace brixel {

namespace {
// Other programs hold the lock for a write at a time: a few milliseconds.
constexpr auto kLockWait = std::chrono::seconds(5);
constexpr auto kLockRetry = std::chrono::milliseconds(20);
}  // namespace

std::unique_ptr<platform::TargetFile> ResolveSaveTarget(const std::string& path, SaveMode mode,
                                                        const platform::FileSystem& fs) {
  if (path.empty()) throw SaveError("no file name given");
  std::error_code ec;
  std::unique_ptr<platform::TargetFile> target = fs.Resolve(path, ec);
  if (ec || !target) throw SaveFailure(path, ec ? ec.message() : "cannot be looked up");
  const platform::FileFacts& facts = target->Facts();
  if (!facts.exists) return target;
  if (facts.folder) throw SaveFailure(path, "is a folder");
  if (mode == SaveMode::Replace && !facts.regular) throw SaveFailure(path, "is not a regular file");
  if (facts.regular && facts.marked_read_only) throw SaveFailure(path, "the file is read-only");
  if (facts.regular && facts.write_error) throw SaveFailure(path, facts.write_error.message());
  if (mode == SaveMode::Replace && facts.append_only)
    throw SaveFailure(path, "the file takes appends only, so no new file can take its place");
  if (mode == SaveMode::Replace && facts.folder_takes_no_renames)
    throw SaveFailure(path, "its folder takes no renames, so no new file can take the file's place");
  return target;
}

void LockSaveTarget(const std::string& path, platform::TargetFile& target, const WorkControl& control) {
  const auto give_up = std::chrono::steady_clock::now() + kLockWait;
  for (;;) {
    std::error_code ec;
    target.Lock(ec);
    if (!ec) return;
    if (ec != std::errc::resource_unavailable_try_again) throw SaveFailure(path, ec.message());
    if (control.Stopped()) throw SaveStopped(path);
    if (std::chrono::steady_clock::now() >= give_up)
      throw SaveFailure(path, "another program holds the file locked");
    std::this_thread::sleep_for(kLockRetry);
  }
}

}  // namespace brixel
