// POSIX file calls for the list writers. Writes loop over short writes and EINTR, so a Write
// either puts every byte down or reports why not.
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/xattr.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstdio>
#include <vector>

#include "core/platform/file_system.h"

namespace brixel::platform {

namespace {

std::error_code LastError() {
  return {errno, std::generic_category()};
}

// The name by which the kernel lets a process reopen or link one of its own descriptors.
std::string DescriptorPath(int fd) {
  return "/proc/self/fd/" + std::to_string(fd);
}

// Where a chain of symbolic links ends: a link's target is read relative to the link's folder.
std::string FollowLinks(std::string path, std::error_code& ec) {
  for (int hop = 0; hop < 40; ++hop) {
    struct stat st {};
    if (::lstat(path.c_str(), &st) != 0) {
      ec = LastError();
      return path;
    }
    if (!S_ISLNK(st.st_mode)) return path;
    std::string target(static_cast<std::size_t>(std::max<off_t>(st.st_size, PATH_MAX)) + 1, '\0');
    const ssize_t n = ::readlink(path.c_str(), target.data(), target.size());
    if (n < 0 || static_cast<std::size_t>(n) == target.size()) {
      ec = n < 0 ? LastError() : std::make_error_code(std::errc::filename_too_long);
      return path;
    }
    target.resize(static_cast<std::size_t>(n));
    const std::size_t slash = path.rfind('/');
    if (target.front() != '/' && slash != std::string::npos) target.insert(0, path, 0, slash + 1);
    path = std::move(target);
  }
  ec = std::make_error_code(std::errc::too_many_symbolic_link_levels);
  return path;
}

class PosixFile final : public WritableFile {
 public:
  // path: the file's name; empty for a file made without one (O_TMPFILE).
  PosixFile(int fd, std::string path) : fd_(fd), path_(std::move(path)) {}
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

  void CopyFrom(const std::string& source, std::uint64_t size, std::error_code& ec) override {
    const int in = ::open(source.c_str(), O_RDONLY | O_NOCTTY | O_CLOEXEC);
    if (in < 0) {
      ec = LastError();
      return;
    }
    CopyBytes(in, size, ec);
    ::close(in);
  }

  void CopyOwner(const std::string& model, std::error_code& ec) override {
    struct stat want {};
    struct stat have {};
    if (::stat(model.c_str(), &want) != 0 || ::fstat(fd_, &have) != 0) {
      ec = LastError();
      return;
    }
    if (want.st_uid == have.st_uid && want.st_gid == have.st_gid) return;
    const uid_t owner = want.st_uid == have.st_uid ? static_cast<uid_t>(-1) : want.st_uid;
    const gid_t group = want.st_gid == have.st_gid ? static_cast<gid_t>(-1) : want.st_gid;
    if (::fchown(fd_, owner, group) != 0) ec = LastError();
  }

  void CopyMode(const std::string& model, std::error_code& ec) override {
    struct stat want {};
    if (::stat(model.c_str(), &want) != 0 || ::fchmod(fd_, want.st_mode & 07777) != 0) ec = LastError();
  }

  void CopyExtendedAttributes(const std::string& model, std::error_code& ec) override {
    std::vector<char> names;
    for (;;) {  // the list can grow between the two calls
      const ssize_t size = ::listxattr(model.c_str(), nullptr, 0);
      if (size < 0 && (errno == ENOTSUP || errno == ENOSYS)) return;  // a file system without them
      if (size <= 0) {
        if (size < 0) ec = LastError();
        return;
      }
      names.resize(static_cast<std::size_t>(size));
      const ssize_t got = ::listxattr(model.c_str(), names.data(), names.size());
      if (got >= 0) {
        names.resize(static_cast<std::size_t>(got));
        break;
      }
      if (errno != ERANGE) {
        ec = LastError();
        return;
      }
    }
    std::vector<char> value;
    for (std::size_t at = 0; at < names.size(); at += std::char_traits<char>::length(names.data() + at) + 1) {
      const char* name = names.data() + at;
      const ssize_t size = ::getxattr(model.c_str(), name, nullptr, 0);
      if (size >= 0) {
        value.resize(static_cast<std::size_t>(size));
        const ssize_t got = ::getxattr(model.c_str(), name, value.data(), value.size());
        if (got >= 0 && ::fsetxattr(fd_, name, value.data(), static_cast<std::size_t>(got), 0) == 0) continue;
      }
      ec = LastError();
      return;
    }
  }

  void Link(const std::string& path, std::error_code& ec) override {
    if (!path_.empty()) {
      ec = std::make_error_code(std::errc::invalid_argument);
      return;
    }
    if (::linkat(AT_FDCWD, DescriptorPath(fd_).c_str(), AT_FDCWD, path.c_str(), AT_SYMLINK_FOLLOW) != 0) {
      ec = LastError();
      return;
    }
    path_ = path;
  }

  std::string SharedPath() const override { return path_.empty() ? DescriptorPath(fd_) : path_; }

 private:
  // copy_file_range copies inside the kernel, sharing the blocks where the file system can
  // (btrfs, XFS); where it cannot copy at all, a plain read and write loop does.
  void CopyBytes(int in, std::uint64_t size, std::error_code& ec) {
    loff_t offset = 0;
    std::uint64_t left = size;
    while (left > 0) {
      const ssize_t n =
          ::copy_file_range(in, &offset, fd_, nullptr, std::min<std::uint64_t>(left, 1u << 30), 0);
      if (n > 0) {
        left -= static_cast<std::uint64_t>(n);
        continue;
      }
      if (n < 0 && errno == EINTR) continue;
      if (n < 0 &&
          (errno == EXDEV || errno == EINVAL || errno == ENOSYS || errno == EOPNOTSUPP || errno == EBADF))
        break;
      ec = n == 0 ? std::make_error_code(std::errc::io_error) : LastError();  // 0: the file got shorter
      return;
    }
    std::vector<char> buffer;
    while (left > 0) {
      buffer.resize(static_cast<std::size_t>(std::min<std::uint64_t>(left, 1u << 20)));
      const ssize_t n = ::pread(in, buffer.data(), buffer.size(), offset);
      if (n < 0 && errno == EINTR) continue;
      if (n <= 0) {
        ec = n == 0 ? std::make_error_code(std::errc::io_error) : LastError();
        return;
      }
      Write(std::string_view(buffer.data(), static_cast<std::size_t>(n)), ec);
      if (ec) return;
      offset += n;
      left -= static_cast<std::uint64_t>(n);
    }
  }

  int fd_;
  std::string path_;
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
        return std::make_unique<PosixFile>(fd, path);
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
        return std::make_unique<PosixFile>(fd, path);
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
    return std::make_unique<PosixFile>(fd, path);
  }

  std::unique_ptr<WritableFile> CreateUnnamed(const std::string& folder, std::error_code& ec) const override {
#ifdef O_TMPFILE
    const int fd = ::open(folder.empty() ? "." : folder.c_str(), O_TMPFILE | O_WRONLY | O_CLOEXEC, 0666);
    if (fd < 0) {
      ec = LastError();
      return nullptr;
    }
    // The file is named at the end through /proc; without it, a named file is the way.
    if (::access(DescriptorPath(fd).c_str(), F_OK) != 0) {
      ::close(fd);
      ec = std::make_error_code(std::errc::operation_not_supported);
      return nullptr;
    }
    return std::make_unique<PosixFile>(fd, std::string());
#else
    (void)folder;
    ec = std::make_error_code(std::errc::operation_not_supported);
    return nullptr;
#endif
  }

  FileFacts Inspect(const std::string& path, std::error_code& ec) const override {
    FileFacts facts;
    facts.real_path = path;
    struct stat st {};
    if (::lstat(path.c_str(), &st) != 0) {
      // Nothing there, or a file where a folder should be: the creation that follows names it.
      if (errno != ENOENT && errno != ENOTDIR) ec = LastError();
      return facts;
    }
    if (S_ISLNK(st.st_mode)) {
      // The kernel follows the link (refusing where fs.protected_symlinks says so); a link
      // that leads nowhere fails here.
      if (::stat(path.c_str(), &st) != 0) {
        ec = LastError();
        return facts;
      }
      // Only a regular file is ever replaced by its name; anything else (/dev/stdout, whose
      // /proc link names a pipe as "pipe:[...]") is written through the path itself.
      if (S_ISREG(st.st_mode)) facts.real_path = FollowLinks(path, ec);
      if (ec) return facts;
    }
    facts.exists = true;
    facts.folder = S_ISDIR(st.st_mode);
    facts.regular = S_ISREG(st.st_mode);
    facts.marked_read_only = (st.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0;
    facts.size = facts.regular ? static_cast<std::uint64_t>(st.st_size) : 0;
    facts.links = static_cast<std::uint64_t>(st.st_nlink);
    facts.volume = static_cast<std::uint64_t>(st.st_dev);
    facts.file = static_cast<std::uint64_t>(st.st_ino);
    facts.modified = static_cast<std::int64_t>(st.st_mtim.tv_sec) * 1000000000 + st.st_mtim.tv_nsec;
    // The system's own answer for these ids: access lists, read-only mounts and immutable
    // files count, where the permission bits alone would not.
    if (facts.regular && ::faccessat(AT_FDCWD, path.c_str(), W_OK, AT_EACCESS) != 0)
      facts.write_error = LastError();
    return facts;
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
