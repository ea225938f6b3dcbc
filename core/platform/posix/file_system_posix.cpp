// POSIX file calls for the list writers. Writes loop over short writes and EINTR, so a Write
// either puts every byte down or reports why not.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>

#include "core/platform/file_system.h"

namespace brixel::platform {

namespace {

std::error_code LastError() {
  return {errno, std::generic_category()};
}

class PosixFile final : public WritableFile {
 public:
  explicit PosixFile(int fd) : fd_(fd) {}
  ~PosixFile() override {
    if (fd_ >= 0) ::close(fd_);
  }

  void Write(std::string_view data, std::error_code& ec) override {
    const char* p = data.data();
    std::size_t left = data.size();
    while (left > 0) {
      const ssize_t n = ::write(fd_, p, left);
      if (n < 0) {
        if (errno == EINTR) continue;
        ec = LastError();
        return;
      }
      p += n;
      left -= static_cast<std::size_t>(n);
    }
  }

  void WriteAt(std::uint64_t offset, std::string_view data, std::error_code& ec) override {
    const char* p = data.data();
    std::size_t left = data.size();
    while (left > 0) {
      const ssize_t n = ::pwrite(fd_, p, left, static_cast<off_t>(offset));
      if (n < 0) {
        if (errno == EINTR) continue;
        ec = LastError();
        return;
      }
      p += n;
      offset += static_cast<std::uint64_t>(n);
      left -= static_cast<std::size_t>(n);
    }
  }

  void Truncate(std::uint64_t size, std::error_code& ec) override {
    if (::ftruncate(fd_, static_cast<off_t>(size)) != 0) ec = LastError();
  }

  void Sync(std::error_code& ec) override {
    // Pipes and terminals cannot be synced; that is no failure of the save.
    if (::fsync(fd_) != 0 && errno != EINVAL && errno != EROFS) ec = LastError();
  }

  void Close(std::error_code& ec) override {
    const int fd = fd_;
    fd_ = -1;
    if (::close(fd) != 0 && errno != EINTR) ec = LastError();
  }

 private:
  int fd_;
};

class PosixFileSystem final : public FileSystem {
 public:
  std::unique_ptr<WritableFile> OpenForAppend(const std::string& path, bool& created, std::uint64_t& size,
                                              std::error_code& ec) const override {
    // Try to create first, so "created" is certain even if another program makes the file now.
    for (int attempt = 0; attempt < 3; ++attempt) {
      int fd = ::open(path.c_str(), O_WRONLY | O_APPEND | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
      if (fd >= 0) {
        created = true;
        size = 0;
        return std::make_unique<PosixFile>(fd);
      }
      if (errno != EEXIST) break;
      fd = ::open(path.c_str(), O_WRONLY | O_APPEND | O_CLOEXEC);
      if (fd >= 0) {
        struct stat st {};
        if (::fstat(fd, &st) != 0) {
          ec = LastError();
          ::close(fd);
          return nullptr;
        }
        created = false;
        size = S_ISREG(st.st_mode) ? static_cast<std::uint64_t>(st.st_size) : 0;
        return std::make_unique<PosixFile>(fd);
      }
      if (errno != ENOENT) break;  // removed between the two calls: try again
    }
    ec = LastError();
    return nullptr;
  }

  std::unique_ptr<WritableFile> CreateNew(const std::string& path, std::error_code& ec) const override {
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd < 0) {
      ec = LastError();
      return nullptr;
    }
    return std::make_unique<PosixFile>(fd);
  }

  void Replace(const std::string& from, const std::string& to, std::error_code& ec) const override {
    if (std::rename(from.c_str(), to.c_str()) != 0) ec = LastError();
  }

  void Remove(const std::string& path, std::error_code& ec) const override {
    if (::unlink(path.c_str()) != 0) ec = LastError();
  }
};

}  // namespace

const FileSystem& NativeFileSystem() {
  static const PosixFileSystem file_system;
  return file_system;
}

}  // namespace brixel::platform
