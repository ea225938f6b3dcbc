#pragma once
// The platform's file calls with one of them failing on purpose (ENOSPC, as a full disk gives),
// to check that every save failure leaves the disk as it was; or with a test's action run just
// before that call (another program writing the file, a stop), which then goes ahead.
#include <cstdint>
#include <functional>

#include "core/platform/file_system.h"

namespace brixel::test {

// Unnamed: the file system refuses files without a name (EOPNOTSUPP, as vfat or NFS does), so a
// save falls back on a named temporary file. Copy and Owner: a new file cannot be given the old
// one's bytes or owner. Mode: the file system has no permissions (ENOSYS, as FUSE FAT answers).
enum class FailingCall { Write, Sync, Close, Replace, Create, Open, Unnamed, Copy, Owner, Mode, Link };

class FailingFileSystem final : public platform::FileSystem {
 public:
  // Write fails once `after_bytes` bytes have gone through, after writing part of its data.
  explicit FailingFileSystem(FailingCall call, std::uint64_t after_bytes = 0)
      : call_(call), after_(after_bytes) {}
  FailingFileSystem(FailingCall call, std::function<void()> before)
      : call_(call), before_(std::move(before)) {}

  std::unique_ptr<platform::TargetFile> Resolve(const std::string& path, std::error_code& ec) const override;

  // Whether the call fails here; runs the action instead when there is one.
  bool Fails(FailingCall call) const;
  std::uint64_t AfterBytes() const { return after_; }

 private:
  FailingCall call_;
  std::uint64_t after_ = 0;
  std::function<void()> before_;
};

}  // namespace brixel::test
