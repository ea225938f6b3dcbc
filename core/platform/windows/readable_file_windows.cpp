#include <algorithm>

#include "core/platform/windows/file_facts_windows.h"

namespace brixel::platform {

namespace {

constexpr std::int64_t kTicksPerSecond = 10'000'000;
constexpr std::int64_t kSecondsFrom1601To1970 = 11'644'473'600;

std::error_code LastError() {
  return {static_cast<int>(::GetLastError()), std::system_category()};
}

class WindowsReadableFile final : public ReadableFile {
 public:
  WindowsReadableFile(HANDLE handle, const EntryFacts& facts) : handle_(handle), facts_(facts) {}
  ~WindowsReadableFile() override { ::CloseHandle(handle_); }
  WindowsReadableFile(const WindowsReadableFile&) = delete;
  WindowsReadableFile& operator=(const WindowsReadableFile&) = delete;

  std::size_t ReadAt(std::uint64_t offset, char* buffer, std::size_t size, std::error_code& ec) override {
    std::size_t done = 0;
    while (done < size) {
      const std::uint64_t at = offset + done;
      OVERLAPPED position{};
      position.Offset = static_cast<DWORD>(at);
      position.OffsetHigh = static_cast<DWORD>(at >> 32);
      const DWORD want = static_cast<DWORD>(std::min<std::size_t>(size - done, 1u << 30));
      DWORD got = 0;
      if (!::ReadFile(handle_, buffer + done, want, &got, &position)) {
        if (::GetLastError() == ERROR_HANDLE_EOF) break;
        ec = LastError();
        return 0;
      }
      if (got == 0) break;
      done += got;
    }
    return done;
  }

  const EntryFacts& Facts() const override { return facts_; }

 private:
  HANDLE handle_;
  EntryFacts facts_;
};

}  // namespace

FileTime FromWindowsTime(const FILETIME& time) {
  const std::int64_t ticks =
      static_cast<std::int64_t>((static_cast<std::uint64_t>(time.dwHighDateTime) << 32) | time.dwLowDateTime);
  std::int64_t seconds = ticks / kTicksPerSecond;
  const std::int64_t rest = ticks % kTicksPerSecond;
  return {seconds - kSecondsFrom1601To1970, static_cast<std::uint32_t>(rest * 100)};
}

EntryFacts FactsOf(const WIN32_FIND_DATAW& data) {
  return {(static_cast<std::uint64_t>(data.nFileSizeHigh) << 32) | data.nFileSizeLow,
          FromWindowsTime(data.ftLastWriteTime)};
}

std::unique_ptr<ReadableFile> OpenRegularFile(const std::wstring& path, std::error_code& ec) {
  const HANDLE h =
      ::CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                    nullptr, OPEN_EXISTING, FILE_FLAG_OPEN_REPARSE_POINT, nullptr);
  if (h == INVALID_HANDLE_VALUE) {
    ec = LastError();
    return nullptr;
  }
  BY_HANDLE_FILE_INFORMATION info{};
  if (::GetFileType(h) != FILE_TYPE_DISK || !::GetFileInformationByHandle(h, &info) ||
      (info.dwFileAttributes &
       (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_REPARSE_POINT | FILE_ATTRIBUTE_DEVICE))) {
    ::CloseHandle(h);
    ec = std::make_error_code(std::errc::invalid_argument);
    return nullptr;
  }
  const EntryFacts facts{(static_cast<std::uint64_t>(info.nFileSizeHigh) << 32) | info.nFileSizeLow,
                         FromWindowsTime(info.ftLastWriteTime)};
  return std::make_unique<WindowsReadableFile>(h, facts);
}

}  // namespace brixel::platform
