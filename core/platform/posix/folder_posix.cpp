// POSIX folders: descriptors opened relative to their parent, so no path is ever built and a
// tree deeper than PATH_MAX lists like any other. On Linux the entries are read with getdents64
// into a large buffer; d_type classifies them, and fstatat is asked only when it is unknown.
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "core/platform/folder.h"
#include "core/platform/posix/stat_facts.h"

namespace brixel::platform {

namespace {

constexpr int kOpenFlags = O_RDONLY | O_DIRECTORY | O_CLOEXEC;

EntryKind KindFromMode(mode_t mode) {
  if (S_ISREG(mode)) return EntryKind::File;
  if (S_ISDIR(mode)) return EntryKind::Folder;
  return EntryKind::Other;  // symbolic links, sockets, FIFOs, devices
}

std::error_code LastError() {
  return {errno, std::generic_category()};
}

bool IsDotOrDotDot(const char* name) {
  return name[0] == '.' && (name[1] == '\0' || (name[1] == '.' && name[2] == '\0'));
}

class PosixFolder final : public OpenFolder {
 public:
  explicit PosixFolder(int fd) : fd_(fd) {}
  ~PosixFolder() override { ::close(fd_); }

  std::unique_ptr<OpenFolder> OpenChild(std::string_view name, std::error_code& ec) const override {
    const std::string z(name);
    const int fd = ::openat(fd_, z.c_str(), kOpenFlags | O_NOFOLLOW);
    if (fd < 0) {
      ec = LastError();
      return nullptr;
    }
    return std::make_unique<PosixFolder>(fd);
  }

  std::unique_ptr<OpenFolder> OpenParent(std::error_code& ec) const override {
    const int fd = ::openat(fd_, "..", kOpenFlags);
    if (fd < 0) {
      ec = LastError();
      return nullptr;
    }
    return std::make_unique<PosixFolder>(fd);
  }

  bool ReadAll(FolderListing& out, std::error_code& ec, std::stop_token stop) override;

  bool ReadFacts(const FolderListing& listing, std::size_t index, EntryFacts& out,
                 std::error_code& ec) const override {
    const std::string name(listing.Name(listing.entries[index]));
    struct stat st {};
    if (::fstatat(fd_, name.c_str(), &st, AT_SYMLINK_NOFOLLOW) != 0) {
      ec.assign(errno, std::generic_category());
      return false;
    }
    out = FactsOf(st);
    return true;
  }

  std::unique_ptr<ReadableFile> OpenFileForReading(std::string_view name,
                                                   std::error_code& ec) const override {
    return OpenRegularFileAt(fd_, std::string(name), ec);
  }

  FolderIdentity Identity() const override {
    struct stat st {};
    if (::fstat(fd_, &st) != 0) return {};
    return {static_cast<std::uint64_t>(st.st_dev), static_cast<std::uint64_t>(st.st_ino)};
  }

 private:
  void Add(FolderListing& out, const char* name, unsigned char type) const {
    if (IsDotOrDotDot(name)) return;
    EntryKind kind;
    switch (type) {
      case DT_REG:
        kind = EntryKind::File;
        break;
      case DT_DIR:
        kind = EntryKind::Folder;
        break;
      case DT_UNKNOWN: {
        struct stat st {};
        kind =
            ::fstatat(fd_, name, &st, AT_SYMLINK_NOFOLLOW) == 0 ? KindFromMode(st.st_mode) : EntryKind::Other;
        break;
      }
      default:
        kind = EntryKind::Other;
    }
    const std::size_t size = std::strlen(name);
    out.entries.push_back(
        {static_cast<std::uint32_t>(out.names.size()), static_cast<std::uint32_t>(size), kind});
    out.names.append(name, size);
  }

  int fd_;
};

#ifdef __linux__
bool PosixFolder::ReadAll(FolderListing& out, std::error_code& ec, std::stop_token stop) {
  alignas(8) static thread_local char buffer[256 * 1024];
  while (!stop.stop_requested()) {
    const ssize_t n = ::getdents64(fd_, buffer, sizeof buffer);
    if (n == 0) return true;
    if (n < 0) {
      if (errno == EINTR) continue;
      ec = LastError();
      return false;
    }
    for (ssize_t pos = 0; pos < n;) {
      const auto* d = reinterpret_cast<const dirent64*>(buffer + pos);
      Add(out, d->d_name, d->d_type);
      pos += d->d_reclen;
    }
  }
  return true;
}
#else
bool PosixFolder::ReadAll(FolderListing& out, std::error_code& ec, std::stop_token stop) {
  const int dup_fd = ::dup(fd_);
  if (dup_fd < 0) {
    ec = LastError();
    return false;
  }
  DIR* dir = ::fdopendir(dup_fd);
  if (dir == nullptr) {
    ec = LastError();
    ::close(dup_fd);
    return false;
  }
  errno = 0;
  while (const dirent* d = ::readdir(dir)) {
    Add(out, d->d_name, d->d_type);
    if (stop.stop_requested()) break;
  }
  const int last = errno;
  ::closedir(dir);
  if (last != 0) {
    ec = {last, std::generic_category()};
    return false;
  }
  return true;
}
#endif

}  // namespace

std::unique_ptr<OpenFolder> OpenFolder::Open(const std::string& path, std::error_code& ec) {
  const int fd = ::open(path.c_str(), kOpenFlags);
  if (fd < 0) {
    ec = LastError();
    return nullptr;
  }
  return std::make_unique<PosixFolder>(fd);
}

std::error_code NotFoundError() {
  return {ENOENT, std::generic_category()};
}

}  // namespace brixel::platform
