#include <fcntl.h>
#include <unistd.h>

#include <cerrno>

#include "core/platform/posix/stat_facts.h"

namespace brixel::platform {

namespace {

class PosixReadableFile final : public ReadableFile {
 public:
  PosixReadableFile(int fd, const EntryFacts& facts) : fd_(fd), facts_(facts) {}
  ~PosixReadableFile() override { ::close(fd_); }
  PosixReadableFile(const PosixReadableFile&) = delete;
  PosixReadableFile& operator=(const PosixReadableFile&) = delete;

  std::size_t ReadAt(std::uint64_t offset, char* buffer, std::size_t size, std::error_code& ec) override {
    std::size_t done = 0;
    while (done < size) {
      const ssize_t n = ::pread(fd_, buffer + done, size - done, static_cast<off_t>(offset + done));
      if (n < 0) {
        if (errno == EINTR) continue;
        ec.assign(errno, std::generic_category());
        return 0;
      }
      if (n == 0) break;
      done += static_cast<std::size_t>(n);
    }
    return done;
  }

  const EntryFacts& Facts() const override { return facts_; }

 private:
  int fd_;
  EntryFacts facts_;
};

}  // namespace

EntryFacts FactsOf(const struct stat& st) {
  EntryFacts facts;
  facts.size = static_cast<std::uint64_t>(st.st_size);
  facts.modified.seconds = static_cast<std::int64_t>(st.st_mtim.tv_sec);
  facts.modified.nanoseconds = static_cast<std::uint32_t>(st.st_mtim.tv_nsec);
  return facts;
}

std::unique_ptr<ReadableFile> OpenRegularFileAt(int folder_fd, const std::string& name, std::error_code& ec) {
  const int fd = ::openat(folder_fd, name.c_str(), O_RDONLY | O_NONBLOCK | O_NOFOLLOW | O_NOCTTY | O_CLOEXEC);
  if (fd < 0) {
    ec.assign(errno, std::generic_category());
    return nullptr;
  }
  struct stat st {};
  if (::fstat(fd, &st) != 0) {
    ec.assign(errno, std::generic_category());
    ::close(fd);
    return nullptr;
  }
  if (!S_ISREG(st.st_mode)) {
    ec = std::make_error_code(std::errc::invalid_argument);
    ::close(fd);
    return nullptr;
  }
  return std::make_unique<PosixReadableFile>(fd, FactsOf(st));
}

}  // namespace brixel::platform
