#pragma once
// The platform's file calls with one of them failing on purpose (ENOSPC, as a full disk gives),
// to check that every save failure leaves the disk as it was.
#include <cstdint>

#include "core/platform/file_system.h"

namespace brixel::test {

// Unnamed: the file system refuses files without a name (EOPNOTSUPP, as vfat or NFS does), so a
// save falls back on a named temporary file. Copy and Owner: a new file cannot be given the old
// one's bytes or owner.
enum class FailingCall { Write, Sync, Close, Replace, Create, Open, Unnamed, Copy, Owner, Link };

class FailingFileSystem final : public platform::FileSystem {
 public:
  // Write fails once `after_bytes` bytes have gone through, after writing part of its data.
  explicit FailingFileSystem(FailingCall call, std::uint64_t after_bytes = 0)
      : call_(call), after_(after_bytes) {}

  std::unique_ptr<platform::WritableFile> OpenForAppend(const std::string& path, bool& created,
                                                        std::uint64_t& size,
                                                        std::error_code& ec) const override;
  std::unique_ptr<platform::WritableFile> CreateNew(const std::string& path,
                                                    std::error_code& ec) const override;
  std::unique_ptr<platform::WritableFile> CreateUnnamed(const std::string& folder,
                                                        std::error_code& ec) const override;
  platform::FileFacts Inspect(const std::string& path, std::error_code& ec) const override;
  void Replace(const std::string& from, const std::string& to, std::error_code& ec) const override;
  void Remove(const std::string& path, std::error_code& ec) const override;

 private:
  std::unique_ptr<platform::WritableFile> Wrap(std::unique_ptr<platform::WritableFile> file) const;

  FailingCall call_;
  std::uint64_t after_;
};

}  // namespace brixel::test
