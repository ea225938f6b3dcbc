// POSIX file calls for the list writers. Writes loop over short writes and EINTR, so a Write
// either puts every byte down or reports why not. A target is looked up one name at a time with
// the *at() calls from an open folder, and every later call works relative to the folder found.
#include <fcntl.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <sys/statvfs.h>
#include <sys/vfs.h>
#include <sys/xattr.h>
#include <unistd.h>

#ifdef __linux__
#include <linux/fs.h>
#include <linux/magic.h>
#endif

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstdio>
#include <utility>
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

bool DescriptorPathsWork() {
  static const bool work = ::access("/proc/self/fd", X_OK) == 0;
  return work;
}

// Closes its descriptor on every way out.
class Descriptor {
 public:
  explicit Descriptor(int fd = -1) : fd_(fd) {}
  ~Descriptor() { Reset(); }
  Descriptor(const Descriptor&) = delete;
  Descriptor& operator=(const Descriptor&) = delete;
  int Get() const { return fd_; }
  int Release() { return std::exchange(fd_, -1); }
  void Reset(int fd = -1) {
    if (fd_ >= 0) ::close(fd_);
    fd_ = fd;
  }

 private:
  int fd_;
};

// The inode flags that decide whether a name can be replaced (chattr +a, +i); none where the
// file system keeps no such flags or the file cannot be opened to ask.
int InodeFlags(int fd) {
#ifdef FS_IOC_GETFLAGS
  int flags = 0;
  if (fd >= 0 && ::ioctl(fd, FS_IOC_GETFLAGS, &flags) == 0) return flags;
#else
  (void)fd;
#endif
  return 0;
}

constexpr int kAppendOnly =
#ifdef FS_APPEND_FL
    FS_APPEND_FL;
#else
    0;
#endif
constexpr int kImmutable =
#ifdef FS_IMMUTABLE_FL
    FS_IMMUTABLE_FL;
#else
    0;
#endif

// The kernel's protected_symlinks rule, kept whatever the system's setting: in a folder anyone
// may write that has the sticky bit, a link is followed only when it belongs to the user who
// follows it or to the folder's owner. Anyone could have put it there, and swap it at will.
bool MayFollow(int folder, const struct stat& link) {
  if (link.st_uid == ::geteuid()) return true;
  struct stat dir {};
  if (::fstat(folder, &dir) != 0) return false;
  if ((dir.st_mode & (S_ISVTX | S_IWOTH)) != (S_ISVTX | S_IWOTH)) return true;
  return dir.st_uid == link.st_uid;
}

std::string ReadLinkAt(int folder, const std::string& name, const struct stat& link, std::error_code& ec) {
  std::string text(static_cast<std::size_t>(std::max<off_t>(link.st_size, PATH_MAX)) + 1, '\0');
  const ssize_t n = ::readlinkat(folder, name.c_str(), text.data(), text.size());
  if (n < 0 || static_cast<std::size_t>(n) == text.size()) {
    ec = n < 0 ? LastError() : std::make_error_code(std::errc::filename_too_long);
    return {};
  }
  text.resize(static_cast<std::size_t>(n));
  if (text.empty()) ec = std::make_error_code(std::errc::no_such_file_or_directory);
  return text;
}

// /proc's links to pipes and sockets name no path ("pipe:[123]"): only the kernel can follow them.
bool NamesNoPath(int folder, const std::string& text) {
#ifdef PROC_SUPER_MAGIC
  struct statfs fs {};
  struct stat st {};
  return text.front() != '/' && ::fstatfs(folder, &fs) == 0 && fs.f_type == PROC_SUPER_MAGIC &&
         ::fstatat(folder, text.c_str(), &st, AT_SYMLINK_NOFOLLOW) != 0;
#else
  (void)folder;
  (void)text;
  return false;
#endif
}

// Adds a path's names to a stack whose top is the next name to look up; empty names and "."
// add nothing.
void PushNames(std::string_view path, std::vector<std::string>& stack) {
  std::vector<std::string> names;
  std::size_t start = 0;
  while (start <= path.size()) {
    std::size_t end = path.find('/', start);
    if (end == std::string_view::npos) end = path.size();
    const std::string_view name = path.substr(start, end - start);
    if (!name.empty() && name != ".") names.emplace_back(name);
    start = end + 1;
  }
  stack.insert(stack.end(), std::make_move_iterator(names.rbegin()), std::make_move_iterator(names.rend()));
}

bool SameFile(const struct stat& a, const struct stat& b) {
  return a.st_dev == b.st_dev && a.st_ino == b.st_ino;
}

std::int64_t Nanoseconds(const struct timespec& t) {
  return static_cast<std::int64_t>(t.tv_sec) * 1000000000 + t.tv_nsec;
}

bool Unchanged(const struct stat& now, const FileFacts& found) {
  return static_cast<std::uint64_t>(now.st_dev) == found.volume &&
         static_cast<std::uint64_t>(now.st_ino) == found.file &&
         static_cast<std::uint64_t>(now.st_size) == found.size &&
         Nanoseconds(now.st_mtim) == found.modified && Nanoseconds(now.st_ctim) == found.changed;
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

  std::string SharedPath() const override { return DescriptorPathsWork() ? DescriptorPath(fd_) : path_; }

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

class PosixTarget final : public TargetFile {
 public:
  // folder: an open descriptor of the folder, taken over; where: its path, for the calls that
  // need one where /proc cannot stand in.
  PosixTarget(int folder, std::string where, std::string name)
      : folder_(folder), where_(std::move(where)), name_(std::move(name)) {
    const Descriptor readable(::openat(folder_.Get(), ".", O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    folder_takes_no_renames_ = (InodeFlags(readable.Get()) & (kAppendOnly | kImmutable)) != 0;
    facts_.folder_takes_no_renames = folder_takes_no_renames_;
  }

  // Fills the facts from what stands at the name, which is not a link. False when it changed
  // into one (or into another file) while it was being opened: look again.
  bool Find(const struct stat& st, std::error_code& ec) {
    struct stat found = st;
    if (S_ISREG(st.st_mode)) {
      const int flags = O_NOFOLLOW | O_NOCTTY | O_NONBLOCK | O_CLOEXEC;
      // O_APPEND: a file that takes appends only opens for writing no other way; this descriptor
      // is read and locked, never written.
      file_.Reset(::openat(folder_.Get(), name_.c_str(), O_RDWR | O_APPEND | flags));
      // A file this user may write but not read can still be appended to.
      if (file_.Get() < 0 && errno == EACCES)
        file_.Reset(::openat(folder_.Get(), name_.c_str(), O_WRONLY | O_APPEND | flags));
      if (file_.Get() < 0 && (errno == EACCES || errno == EPERM || errno == EROFS || errno == ETXTBSY)) {
        // The system's own answer for this user: access lists, read-only mounts and immutable
        // files count, where the permission bits alone would not.
        facts_.write_error = LastError();
        file_.Reset(::openat(folder_.Get(), name_.c_str(), O_RDONLY | flags));
        if (file_.Get() < 0) file_.Reset(::openat(folder_.Get(), name_.c_str(), O_PATH | flags));
      }
      if (file_.Get() < 0) {
        if (errno == ELOOP || errno == ENOENT) return false;
        ec = LastError();
        return true;
      }
      if (::fstat(file_.Get(), &found) != 0) {
        ec = LastError();
        return true;
      }
      if (!SameFile(found, st) || !S_ISREG(found.st_mode)) return false;
      facts_.append_only = (InodeFlags(file_.Get()) & kAppendOnly) != 0;
    }
    Fill(found);
    return true;
  }

  // A name in /proc that only the kernel can follow; it leads to no regular file.
  void FindThroughKernel(std::error_code& ec) {
    struct stat st {};
    if (::fstatat(folder_.Get(), name_.c_str(), &st, 0) != 0) {
      ec = LastError();
      return;
    }
    through_kernel_ = true;
    Fill(st);
    facts_.regular = false;
  }

  const FileFacts& Facts() const override { return facts_; }
  const std::string& Name() const override { return name_; }

  std::string FilePath() const override {
    if (file_.Get() >= 0 && DescriptorPathsWork()) return DescriptorPath(file_.Get());
    return PathOf(name_);
  }

  std::string PathOf(const std::string& name) const override {
    return (DescriptorPathsWork() ? DescriptorPath(folder_.Get()) : where_) + "/" + name;
  }

  std::string ReadStart(std::size_t limit, std::error_code& ec) const override {
    std::string bytes(limit, '\0');
    std::size_t got = 0;
    while (got < limit) {
      const ssize_t n = ::pread(file_.Get(), bytes.data() + got, limit - got, static_cast<off_t>(got));
      if (n < 0 && errno == EINTR) continue;
      if (n < 0) {
        ec = LastError();
        return {};
      }
      if (n == 0) break;
      got += static_cast<std::size_t>(n);
    }
    bytes.resize(got);
    return bytes;
  }

  void Lock(std::error_code& ec) override {
#ifdef F_OFD_SETLK
    // A lock of this open file, not of the process: closing another descriptor of the same file
    // (the copy reads it through one) does not drop it.
    struct flock lock {};
    lock.l_type = F_WRLCK;
    lock.l_whence = SEEK_SET;
    if (file_.Get() < 0) return;
    if (::fcntl(file_.Get(), F_OFD_SETLK, &lock) != 0) {
      if (errno == EAGAIN || errno == EACCES)
        ec = std::make_error_code(std::errc::resource_unavailable_try_again);
      return;
    }
    // What the last writer before the lock left is what the save copies and checks against.
    struct stat st {};
    if (::fstat(file_.Get(), &st) == 0) Fill(st);
#else
    (void)ec;
#endif
  }

  std::uint64_t FreeSpace(std::error_code& ec) const override {
    struct statvfs fs {};
    if (::fstatvfs(folder_.Get(), &fs) != 0) {
      ec = LastError();
      return 0;
    }
    return static_cast<std::uint64_t>(fs.f_bavail) * fs.f_frsize;
  }

  std::unique_ptr<WritableFile> OpenForAppend(bool& created, std::uint64_t& size,
                                              std::error_code& ec) override {
    created = !facts_.exists;
    int flags = O_WRONLY | O_APPEND | O_NOCTTY | O_CLOEXEC;
    if (!through_kernel_) flags |= O_NOFOLLOW;
    if (created) flags |= O_CREAT | O_EXCL;
    Descriptor fd(::openat(folder_.Get(), name_.c_str(), flags, 0666));
    if (fd.Get() < 0) {
      ec = errno == ELOOP || (!created && errno == ENOENT) || (created && errno == EEXIST)
               ? TargetChangedError()
               : LastError();
      return nullptr;
    }
    struct stat st {};
    if (::fstat(fd.Get(), &st) != 0) {
      ec = LastError();
      return nullptr;
    }
    if (!created && !through_kernel_ &&
        (static_cast<std::uint64_t>(st.st_ino) != facts_.file ||
         static_cast<std::uint64_t>(st.st_dev) != facts_.volume)) {
      ec = TargetChangedError();
      return nullptr;
    }
    size = S_ISREG(st.st_mode) ? static_cast<std::uint64_t>(st.st_size) : 0;
    return std::make_unique<PosixFile>(fd.Release(), where_ + "/" + name_);
  }

  std::unique_ptr<WritableFile> CreateUnnamed(std::error_code& ec) const override {
#ifdef O_TMPFILE
    // The file is named at the end through /proc; without it, a named file is the way.
    if (!DescriptorPathsWork()) {
      ec = std::make_error_code(std::errc::operation_not_supported);
      return nullptr;
    }
    const int fd = ::openat(folder_.Get(), ".", O_TMPFILE | O_WRONLY | O_CLOEXEC, 0666);
    if (fd < 0) {
      ec = LastError();
      return nullptr;
    }
    return std::make_unique<PosixFile>(fd, std::string());
#else
    ec = std::make_error_code(std::errc::operation_not_supported);
    return nullptr;
#endif
  }

  std::unique_ptr<WritableFile> CreateNew(const std::string& name, std::error_code& ec) const override {
    const int fd =
        ::openat(folder_.Get(), name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666);
    if (fd < 0) {
      ec = LastError();
      return nullptr;
    }
    return std::make_unique<PosixFile>(fd, where_ + "/" + name);
  }

  void Link(const std::string& file, const std::string& name, std::error_code& ec) const override {
    if (::linkat(AT_FDCWD, file.c_str(), folder_.Get(), name.c_str(), AT_SYMLINK_FOLLOW) != 0)
      ec = LastError();
  }

  void Replace(const std::string& name, std::error_code& ec) override {
    if (!facts_.exists) {
      // RENAME_NOREPLACE keeps a file that took the name meanwhile; a file system without it
      // gets the check just before.
      if (::renameat2(folder_.Get(), name.c_str(), folder_.Get(), name_.c_str(), RENAME_NOREPLACE) == 0)
        return;
      if (errno == EEXIST) {
        ec = TargetChangedError();
        return;
      }
      if (errno != EINVAL && errno != ENOSYS) {
        ec = LastError();
        return;
      }
      struct stat st {};
      if (::fstatat(folder_.Get(), name_.c_str(), &st, AT_SYMLINK_NOFOLLOW) == 0 || errno != ENOENT) {
        ec = TargetChangedError();
        return;
      }
    } else {
      struct stat st {};
      if (::fstatat(folder_.Get(), name_.c_str(), &st, AT_SYMLINK_NOFOLLOW) != 0 || !Unchanged(st, facts_)) {
        ec = TargetChangedError();
        return;
      }
    }
    if (::renameat(folder_.Get(), name.c_str(), folder_.Get(), name_.c_str()) != 0) ec = LastError();
  }

  void Remove(const std::string& name, std::error_code& ec) const override {
    if (::unlinkat(folder_.Get(), name.c_str(), 0) != 0) ec = LastError();
  }

 private:
  void Fill(const struct stat& st) {
    facts_.exists = true;
    facts_.folder_takes_no_renames = folder_takes_no_renames_;
    facts_.folder = S_ISDIR(st.st_mode);
    facts_.regular = S_ISREG(st.st_mode);
    facts_.marked_read_only = (st.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0;
    facts_.size = facts_.regular ? static_cast<std::uint64_t>(st.st_size) : 0;
    facts_.links = static_cast<std::uint64_t>(st.st_nlink);
    facts_.volume = static_cast<std::uint64_t>(st.st_dev);
    facts_.file = static_cast<std::uint64_t>(st.st_ino);
    facts_.modified = Nanoseconds(st.st_mtim);
    facts_.changed = Nanoseconds(st.st_ctim);
  }

  Descriptor folder_;
  std::string where_;
  std::string name_;
  Descriptor file_;  // the regular file found, open for reading and, when this user may, writing
  bool through_kernel_ = false;
  bool folder_takes_no_renames_ = false;
  FileFacts facts_;
};

class PosixFileSystem final : public FileSystem {
 public:
  std::unique_ptr<TargetFile> Resolve(const std::string& path, std::error_code& ec) const override {
    if (path.empty()) {
      ec = std::make_error_code(std::errc::no_such_file_or_directory);
      return nullptr;
    }
    const bool absolute = path.front() == '/';
    Descriptor folder(::open(absolute ? "/" : ".", O_PATH | O_DIRECTORY | O_CLOEXEC));
    std::string where = absolute ? "" : ".";
    if (folder.Get() < 0) {
      ec = LastError();
      return nullptr;
    }
    std::vector<std::string> names;
    // "list/" names a folder: its last name must be one, and is what the save finds.
    if (path.back() == '/') names.emplace_back(".");
    PushNames(path, names);
    if (names.empty()) names.emplace_back(".");
    int links = 0, looks = 0;
    bool leaf_from_link = false;  // the last name came from a link: nothing there is a dead link
    while (!names.empty()) {
      std::string name = std::move(names.back());
      names.pop_back();
      const bool last = names.empty();
      struct stat st {};
      if (::fstatat(folder.Get(), name.c_str(), &st, AT_SYMLINK_NOFOLLOW) != 0) {
        if (errno == ENOENT && last && !leaf_from_link) {
          return std::make_unique<PosixTarget>(folder.Release(), where, std::move(name));
        }
        ec = LastError();
        return nullptr;
      }
      if (S_ISLNK(st.st_mode)) {
        if (++links > 40) {
          ec = std::make_error_code(std::errc::too_many_symbolic_link_levels);
          return nullptr;
        }
        if (!MayFollow(folder.Get(), st)) {
          ec = std::make_error_code(std::errc::permission_denied);
          return nullptr;
        }
        const std::string text = ReadLinkAt(folder.Get(), name, st, ec);
        if (ec) return nullptr;
        if (NamesNoPath(folder.Get(), text)) {
          if (!last) {
            ec = std::make_error_code(std::errc::not_a_directory);
            return nullptr;
          }
          auto target = std::make_unique<PosixTarget>(folder.Release(), where, std::move(name));
          target->FindThroughKernel(ec);
          return ec ? nullptr : std::move(target);
        }
        leaf_from_link = leaf_from_link || last;
        if (text.front() == '/') {
          folder.Reset(::open("/", O_PATH | O_DIRECTORY | O_CLOEXEC));
          where.clear();
        }
        PushNames(text, names);
        if (names.empty()) names.emplace_back(".");
        continue;
      }
      if (last) {
        auto target = std::make_unique<PosixTarget>(::fcntl(folder.Get(), F_DUPFD_CLOEXEC, 0), where, name);
        if (target->Find(st, ec)) return ec ? nullptr : std::move(target);
        if (++looks > 8) {
          ec = TargetChangedError();
          return nullptr;
        }
        names.push_back(std::move(name));  // swapped while it was being opened: look again
        continue;
      }
      if (!S_ISDIR(st.st_mode)) {
        ec = std::make_error_code(std::errc::not_a_directory);
        return nullptr;
      }
      const int next = ::openat(folder.Get(), name.c_str(), O_PATH | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
      if (next < 0) {
        if ((errno == ELOOP || errno == ENOTDIR || errno == ENOENT) && ++looks <= 8) {
          names.push_back(std::move(name));  // swapped meanwhile: look again
          continue;
        }
        ec = LastError();
        return nullptr;
      }
      folder.Reset(next);
      where += "/" + name;
    }
    ec = std::make_error_code(std::errc::no_such_file_or_directory);
    return nullptr;
  }
};

}  // namespace

const FileSystem& NativeFileSystem() {
  static const PosixFileSystem file_system;
  return file_system;
}

}  // namespace brixel::platform
