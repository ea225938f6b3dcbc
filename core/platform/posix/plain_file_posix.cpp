// A FIFO opened for reading blocks until a writer comes, unless opened with O_NONBLOCK; a device
// can have effects on open. So the name is looked at first and only a regular file is opened,
// and the descriptor is checked again, since the name can change between the two calls.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>

#include "core/platform/plain_file.h"

namespace brixel::platform {

namespace {

class Descriptor {
 public:
  explicit Descriptor(int fd) : fd_(fd) {}
  ~Descriptor() {
    if (fd_ >= 0) ::close(fd_);
  }
  Descriptor(const Descriptor&) = delete;
  Descriptor& operator=(const Descriptor&) = delete;
  int Get() const { return fd_; }

 private:
  int fd_;
};

}  // namespace

PlainFileRead ReadPlainFile(const std::string& path, std::size_t limit) noexcept {
  PlainFileRead result;
  using Status = PlainFileRead::Status;
  struct stat st {};
  if (::stat(path.c_str(), &st) != 0) {
    // A link that leads nowhere counts as missing too; CreateEmptyFile leaves it alone.
    if (errno == ENOENT) result.status = Status::Missing;
    return result;
  }
  if (!S_ISREG(st.st_mode)) return result;
  const Descriptor fd(::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC));
  if (fd.Get() < 0 || ::fstat(fd.Get(), &st) != 0 || !S_ISREG(st.st_mode)) return result;
  const int flags = ::fcntl(fd.Get(), F_GETFL);
  if (flags != -1) ::fcntl(fd.Get(), F_SETFL, flags & ~O_NONBLOCK);
  try {
    // One byte past the limit tells a file of exactly `limit` bytes from a longer one.
    const std::size_t want = limit + 1;
    result.bytes.resize(std::min<std::size_t>(want, static_cast<std::size_t>(st.st_size) + 1));
    std::size_t have = 0;
    for (;;) {
      if (have == result.bytes.size()) {
        if (have == want) break;
        result.bytes.resize(std::min(want, have * 2 + 4096));  // the file grew since fstat
      }
      const ssize_t n = ::read(fd.Get(), result.bytes.data() + have, result.bytes.size() - have);
      if (n < 0) {
        if (errno == EINTR) continue;
        return {};
      }
      if (n == 0) break;
      have += static_cast<std::size_t>(n);
    }
    result.cut = have > limit;
    result.bytes.resize(std::min(have, limit));
  } catch (...) {  // no memory for the bytes
    return {};
  }
  result.status = Status::Read;
  return result;
}

void CreateEmptyFile(const std::string& path) noexcept {
  // O_EXCL: never through a link, never over anything that appeared meanwhile.
  const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOCTTY | O_CLOEXEC, 0666);
  if (fd >= 0) ::close(fd);
}

}  // namespace brixel::platform
