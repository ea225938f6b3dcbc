// Only a file on a disk is read: a folder cannot be opened without backup semantics, and a
// device or pipe that a name may lead to is told by its file type before any read.
#include <windows.h>

#include <algorithm>

#include "core/platform/plain_file.h"
#include "core/platform/windows/long_path.h"

namespace brixel::platform {

namespace {

constexpr DWORD kShareAll = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;
constexpr std::size_t kMaxChunk = 1u << 30;  // ReadFile takes a 32-bit count

class Handle {
 public:
  explicit Handle(HANDLE h) : h_(h) {}
  ~Handle() {
    if (h_ != INVALID_HANDLE_VALUE) ::CloseHandle(h_);
  }
  Handle(const Handle&) = delete;
  Handle& operator=(const Handle&) = delete;
  HANDLE Get() const { return h_; }

 private:
  HANDLE h_;
};

}  // namespace

PlainFileRead ReadPlainFile(const std::string& path, std::size_t limit) noexcept {
  PlainFileRead result;
  using Status = PlainFileRead::Status;
  try {
    const std::wstring wide = LongPath(path);
    if (wide.empty()) return result;
    const Handle file(::CreateFileW(wide.c_str(), GENERIC_READ, kShareAll, nullptr, OPEN_EXISTING,
                                    FILE_ATTRIBUTE_NORMAL, nullptr));
    if (file.Get() == INVALID_HANDLE_VALUE) {
      if (::GetLastError() == ERROR_FILE_NOT_FOUND) result.status = Status::Missing;
      return result;
    }
    BY_HANDLE_FILE_INFORMATION info{};
    if (::GetFileType(file.Get()) != FILE_TYPE_DISK || !::GetFileInformationByHandle(file.Get(), &info) ||
        (info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
      return result;
    const std::uint64_t size = (static_cast<std::uint64_t>(info.nFileSizeHigh) << 32) | info.nFileSizeLow;
    // One byte past the limit tells a file of exactly `limit` bytes from a longer one.
    const std::size_t want = limit + 1;
    result.bytes.resize(static_cast<std::size_t>(std::min<std::uint64_t>(want, size + 1)));
    std::size_t have = 0;
    for (;;) {
      if (have == result.bytes.size()) {
        if (have == want) break;
        result.bytes.resize(std::min(want, have * 2 + 4096));  // the file grew meanwhile
      }
      const DWORD chunk = static_cast<DWORD>(std::min(result.bytes.size() - have, kMaxChunk));
      DWORD n = 0;
      if (!::ReadFile(file.Get(), result.bytes.data() + have, chunk, &n, nullptr)) return {};
      if (n == 0) break;
      have += n;
    }
    result.cut = have > limit;
    result.bytes.resize(std::min(have, limit));
  } catch (...) {  // no memory for the bytes or the path
    return {};
  }
  result.status = Status::Read;
  return result;
}

void CreateEmptyFile(const std::string& path) noexcept {
  try {
    const std::wstring wide = LongPath(path);
    if (wide.empty()) return;
    const HANDLE h = ::CreateFileW(wide.c_str(), GENERIC_WRITE, kShareAll, nullptr, CREATE_NEW,
                                   FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h != INVALID_HANDLE_VALUE) ::CloseHandle(h);
  } catch (...) {
  }
}

}  // namespace brixel::platform
