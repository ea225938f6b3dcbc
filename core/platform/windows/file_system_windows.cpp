// Win32 file calls for the list writers, on "\\?\" paths so no MAX_PATH applies and UTF-8 names
// reach the disk as they are. Files are shared for reading, writing and deleting, as POSIX files
// are: a list being written can be looked at and a finished one replaced.
#include <windows.h>

#include <algorithm>

#include "core/platform/file_system.h"
#include "core/platform/windows/long_path.h"
#include "core/platform/windows/win32_error.h"

namespace brixel::platform {

namespace {

constexpr DWORD kShareAll = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;
constexpr std::size_t kMaxChunk = 1u << 30;  // WriteFile takes a 32-bit count

std::wstring SystemPath(const std::string& path, std::error_code& ec) {
  std::wstring wide = LongPath(path);
  if (wide.empty()) ec = {ERROR_INVALID_NAME, Win32Category()};
  return wide;
}

class WindowsFile final : public WritableFile {
 public:
  WindowsFile(HANDLE handle, bool append) : handle_(handle), append_(append) {}
  ~WindowsFile() override {
    if (handle_ != INVALID_HANDLE_VALUE) ::CloseHandle(handle_);
  }

  void Write(std::string_view data, std::error_code& ec) override {
    if (append_ && !::SetFilePointerEx(handle_, LARGE_INTEGER{}, nullptr, FILE_END)) {
      ec = LastWin32Error();
      return;
    }
    WriteAll(data, nullptr, ec);
  }

  void WriteAt(std::uint64_t offset, std::string_view data, std::error_code& ec) override {
    // A positioned write moves the file pointer of a synchronous handle: put it back.
    LARGE_INTEGER position{};
    if (!::SetFilePointerEx(handle_, LARGE_INTEGER{}, &position, FILE_CURRENT)) {
      ec = LastWin32Error();
      return;
    }
    WriteAll(data, &offset, ec);
    if (!::SetFilePointerEx(handle_, position, nullptr, FILE_BEGIN) && !ec) ec = LastWin32Error();
  }

  void Truncate(std::uint64_t size, std::error_code& ec) override {
    FILE_END_OF_FILE_INFO info{};
    info.EndOfFile.QuadPart = static_cast<LONGLONG>(size);
    if (!::SetFileInformationByHandle(handle_, FileEndOfFileInfo, &info, sizeof info)) ec = LastWin32Error();
  }

  void Sync(std::error_code& ec) override {
    // Consoles cannot be flushed; that is no failure of the save.
    if (!::FlushFileBuffers(handle_)) {
      const DWORD e = ::GetLastError();
      if (e != ERROR_INVALID_HANDLE && e != ERROR_INVALID_FUNCTION)
        ec = {static_cast<int>(e), Win32Category()};
    }
  }

  void Close(std::error_code& ec) override {
    const HANDLE h = handle_;
    handle_ = INVALID_HANDLE_VALUE;
    if (!::CloseHandle(h)) ec = LastWin32Error();
  }

 private:
  // Writes every byte, at *offset onwards when given, else at the file pointer.
  void WriteAll(std::string_view data, const std::uint64_t* offset, std::error_code& ec) {
    std::uint64_t at = offset ? *offset : 0;
    while (!data.empty()) {
      const DWORD chunk = static_cast<DWORD>(std::min(data.size(), kMaxChunk));
      OVERLAPPED where{};
      where.Offset = static_cast<DWORD>(at);
      where.OffsetHigh = static_cast<DWORD>(at >> 32);
      DWORD written = 0;
      if (!::WriteFile(handle_, data.data(), chunk, &written, offset ? &where : nullptr)) {
        ec = LastWin32Error();
        return;
      }
      if (written == 0) {  // nothing taken and no error reported: do not loop forever
        ec = {ERROR_WRITE_FAULT, Win32Category()};
        return;
      }
      data.remove_prefix(written);
      at += written;
    }
  }

  HANDLE handle_;
  bool append_;
};

HANDLE Create(const std::wstring& path, DWORD disposition) {
  return ::CreateFileW(path.c_str(), GENERIC_WRITE, kShareAll, nullptr, disposition, FILE_ATTRIBUTE_NORMAL,
                       nullptr);
}

class WindowsFileSystem final : public FileSystem {
 public:
  std::unique_ptr<WritableFile> OpenForAppend(const std::string& path, bool& created, std::uint64_t& size,
                                              std::error_code& ec) const override {
    const std::wstring wide = SystemPath(path, ec);
    if (ec) return nullptr;
    // Try to create first, so "created" is certain even if another program makes the file now.
    for (int attempt = 0; attempt < 3; ++attempt) {
      HANDLE h = Create(wide, CREATE_NEW);
      if (h != INVALID_HANDLE_VALUE) {
        created = true;
        size = 0;
        return std::make_unique<WindowsFile>(h, true);
      }
      DWORD e = ::GetLastError();
      if (e != ERROR_FILE_EXISTS && e != ERROR_ALREADY_EXISTS) break;
      h = Create(wide, OPEN_EXISTING);
      if (h != INVALID_HANDLE_VALUE) {
        LARGE_INTEGER length{};
        if (!::GetFileSizeEx(h, &length)) {
          ec = LastWin32Error();
          ::CloseHandle(h);
          return nullptr;
        }
        created = false;
        size = static_cast<std::uint64_t>(length.QuadPart);
        return std::make_unique<WindowsFile>(h, true);
      }
      e = ::GetLastError();
      if (e != ERROR_FILE_NOT_FOUND) break;  // removed between the two calls: try again
    }
    ec = LastWin32Error();
    return nullptr;
  }

  std::unique_ptr<WritableFile> CreateNew(const std::string& path, std::error_code& ec) const override {
    const std::wstring wide = SystemPath(path, ec);
    if (ec) return nullptr;
    const HANDLE h = Create(wide, CREATE_NEW);
    if (h == INVALID_HANDLE_VALUE) {
      ec = LastWin32Error();
      return nullptr;
    }
    return std::make_unique<WindowsFile>(h, false);
  }

  void Replace(const std::string& from, const std::string& to, std::error_code& ec) const override {
    const std::wstring source = SystemPath(from, ec);
    const std::wstring target = ec ? std::wstring() : SystemPath(to, ec);
    if (ec) return;
    if (!::MoveFileExW(source.c_str(), target.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
      ec = LastWin32Error();
  }

  void Remove(const std::string& path, std::error_code& ec) const override {
    const std::wstring wide = SystemPath(path, ec);
    if (ec) return;
    if (!::DeleteFileW(wide.c_str())) ec = LastWin32Error();
  }
};

}  // namespace

const FileSystem& NativeFileSystem() {
  static const WindowsFileSystem file_system;
  return file_system;
}

}  // namespace brixel::platform
