// Win32 file calls for the list writers, on "\\?\" paths so no MAX_PATH applies and UTF-8 names
// reach the disk as they are. Files are shared for reading, writing and deleting, as POSIX files
// are: a list being written can be looked at and a finished one replaced.
#include <windows.h>

#include <algorithm>
#include <utility>
#include <vector>

#include "core/platform/file_system.h"
#include "core/platform/windows/long_path.h"
#include "core/platform/windows/wide_text.h"
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

// The attributes a list keeps when a new file takes its place; read-only never comes along (a
// read-only target is refused), nor anything the system sets itself.
constexpr DWORD kKeptAttributes = FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_ARCHIVE |
                                  FILE_ATTRIBUTE_NOT_CONTENT_INDEXED;

// The path an open handle's file has, links resolved, in the program's UTF-8 form.
std::string FinalPath(HANDLE h, std::error_code& ec) {
  std::wstring buffer(MAX_PATH, L'\0');
  for (;;) {
    const DWORD n = ::GetFinalPathNameByHandleW(h, buffer.data(), static_cast<DWORD>(buffer.size()),
                                                FILE_NAME_NORMALIZED | VOLUME_NAME_DOS);
    if (n == 0) {
      ec = LastWin32Error();
      return {};
    }
    if (n < buffer.size()) {
      buffer.resize(n);
      break;
    }
    buffer.resize(n + 1);
  }
  std::wstring_view path = buffer;
  if (path.starts_with(L"\\\\?\\UNC\\")) return "\\\\" + WideToUtf8(path.substr(8));
  if (path.starts_with(L"\\\\?\\")) path.remove_prefix(4);
  return WideToUtf8(path);
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

  void CopyFrom(const std::string& source, std::uint64_t size, std::error_code& ec) override {
    const std::wstring wide = SystemPath(source, ec);
    if (ec) return;
    const HANDLE in = ::CreateFileW(wide.c_str(), GENERIC_READ, kShareAll, nullptr, OPEN_EXISTING,
                                    FILE_FLAG_SEQUENTIAL_SCAN, nullptr);
    if (in == INVALID_HANDLE_VALUE) {
      ec = LastWin32Error();
      return;
    }
    std::vector<char> buffer;
    while (size > 0 && !ec) {
      buffer.resize(static_cast<std::size_t>(std::min<std::uint64_t>(size, 1u << 20)));
      DWORD n = 0;
      if (!::ReadFile(in, buffer.data(), static_cast<DWORD>(buffer.size()), &n, nullptr)) {
        ec = LastWin32Error();
      } else if (n == 0) {
        ec = {ERROR_HANDLE_EOF, Win32Category()};  // the file got shorter
      } else {
        WriteAll(std::string_view(buffer.data(), n), nullptr, ec);
        size -= n;
      }
    }
    ::CloseHandle(in);
  }

  // Windows files carry no POSIX owner; who may use them is their access list, which a new file
  // takes from its folder.
  void CopyOwner(const std::string&, std::error_code&) override {}
  void CopyExtendedAttributes(const std::string&, std::error_code&) override {}

  void CopyMode(const std::string& model, std::error_code& ec) override {
    const std::wstring wide = SystemPath(model, ec);
    if (ec) return;
    const DWORD attributes = ::GetFileAttributesW(wide.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) {
      ec = LastWin32Error();
      return;
    }
    FILE_BASIC_INFO info{};  // times left at zero stay as they are
    info.FileAttributes =
        (attributes & kKeptAttributes) ? attributes & kKeptAttributes : FILE_ATTRIBUTE_NORMAL;
    if (!::SetFileInformationByHandle(handle_, FileBasicInfo, &info, sizeof info)) ec = LastWin32Error();
  }

  // The handle is not shared with writers that open the file by name: close it first.
  std::string SharedPath() const override { return {}; }

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

// The whole file, as far as a lock can reach.
bool LockWhole(HANDLE h, DWORD flags) {
  OVERLAPPED at{};
  return ::LockFileEx(h, flags | LOCKFILE_FAIL_IMMEDIATELY, 0, MAXDWORD, MAXDWORD, &at) != 0;
}

void UnlockWhole(HANDLE h) {
  OVERLAPPED at{};
  ::UnlockFileEx(h, 0, MAXDWORD, MAXDWORD, &at);
}

// What an open handle's file is: size, identity, times.
bool ReadFacts(HANDLE h, FileFacts& facts, std::error_code& ec) {
  BY_HANDLE_FILE_INFORMATION info{};
  FILE_BASIC_INFO times{};
  if (!::GetFileInformationByHandle(h, &info) ||
      !::GetFileInformationByHandleEx(h, FileBasicInfo, &times, sizeof times)) {
    ec = LastWin32Error();
    return false;
  }
  facts.exists = true;
  facts.folder = (info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
  facts.regular = !facts.folder && ::GetFileType(h) == FILE_TYPE_DISK;
  facts.marked_read_only = (info.dwFileAttributes & FILE_ATTRIBUTE_READONLY) != 0;
  facts.size = (static_cast<std::uint64_t>(info.nFileSizeHigh) << 32) | info.nFileSizeLow;
  facts.links = info.nNumberOfLinks;
  facts.volume = info.dwVolumeSerialNumber;
  facts.file = (static_cast<std::uint64_t>(info.nFileIndexHigh) << 32) | info.nFileIndexLow;
  facts.modified = times.LastWriteTime.QuadPart;
  facts.changed = times.ChangeTime.QuadPart;
  return true;
}

HANDLE OpenToRead(const std::wstring& path) {
  return ::CreateFileW(path.c_str(), GENERIC_READ, kShareAll, nullptr, OPEN_EXISTING,
                       FILE_FLAG_BACKUP_SEMANTICS, nullptr);
}

class WindowsTarget final : public TargetFile {
 public:
  ~WindowsTarget() override { CloseFile(); }

  // path: the "\\?\" form of the target, links resolved.
  void Place(const std::wstring& path) {
    const std::size_t slash = path.find_last_of(L'\\');
    folder_ = path.substr(0, slash == std::wstring::npos ? 0 : slash);
    if (folder_.size() == 6 && folder_.back() == L':') folder_ += L'\\';  // "\\?\C:" is no folder
    wide_name_ = slash == std::wstring::npos ? path : path.substr(slash + 1);
    name_ = WideToUtf8(wide_name_);
  }

  void Find(const std::string& path, std::error_code& ec) {
    const std::wstring wide = SystemPath(path, ec);
    if (ec) return;
    Place(wide);
    const DWORD attributes = ::GetFileAttributesW(wide.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) {
      const DWORD e = ::GetLastError();
      // Nothing there, or no such folder: the creation that follows names it.
      if (e != ERROR_FILE_NOT_FOUND && e != ERROR_PATH_NOT_FOUND) ec = {static_cast<int>(e), Win32Category()};
      return;
    }
    // Opened through links (a link that leads nowhere fails here), for what the file itself is.
    file_ = OpenToRead(wide);
    if (file_ == INVALID_HANDLE_VALUE) {
      ec = LastWin32Error();
      return;
    }
    if (!ReadFacts(file_, facts_, ec)) return;
    if (attributes & FILE_ATTRIBUTE_REPARSE_POINT) {
      const std::string real = FinalPath(file_, ec);
      if (ec) return;
      const std::wstring wide_real = SystemPath(real, ec);
      if (ec) return;
      Place(wide_real);
    }
    if (facts_.regular) {
      // Opening for writing, without truncating, is the system's own answer: the access list,
      // the read-only attribute and another program holding the file all count.
      const HANDLE w = Create(Here(wide_name_), OPEN_EXISTING);
      if (w == INVALID_HANDLE_VALUE)
        facts_.write_error = LastWin32Error();
      else
        ::CloseHandle(w);
    }
  }

  const FileFacts& Facts() const override { return facts_; }
  const std::string& Name() const override { return name_; }
  std::string FilePath() const override { return PathOf(name_); }
  std::string PathOf(const std::string& name) const override { return WideToUtf8(Here(Utf8ToWide(name))); }

  std::string ReadStart(std::size_t limit, std::error_code& ec) const override {
    std::string bytes(limit, '\0');
    OVERLAPPED from{};  // from the start, whatever the handle's position
    DWORD n = 0;
    if (!::ReadFile(file_, bytes.data(), static_cast<DWORD>(limit), &n, &from) &&
        ::GetLastError() != ERROR_HANDLE_EOF) {
      ec = LastWin32Error();
      return {};
    }
    bytes.resize(n);
    return bytes;
  }

  // A shared lock: every program may still read the file (the copy does), none may write it.
  void Lock(std::error_code& ec) override {
    if (file_ == INVALID_HANDLE_VALUE || !facts_.regular) return;
    if (LockWhole(file_, 0)) {
      locked_ = true;
      // What the last writer before the lock left is what the save copies and checks against.
      FileFacts now = facts_;
      if (ReadFacts(file_, now, ec)) facts_ = now;
    } else if (::GetLastError() == ERROR_LOCK_VIOLATION) {
      ec = std::make_error_code(std::errc::resource_unavailable_try_again);
    }
  }

  std::uint64_t FreeSpace(std::error_code& ec) const override {
    ULARGE_INTEGER free{};
    if (!::GetDiskFreeSpaceExW(JoinPath(folder_, L"").c_str(), &free, nullptr, nullptr)) {
      ec = LastWin32Error();
      return 0;
    }
    return free.QuadPart;
  }

  std::unique_ptr<WritableFile> OpenForAppend(bool& created, std::uint64_t& size,
                                              std::error_code& ec) override {
    const std::wstring path = Here(wide_name_);
    created = !facts_.exists;
    const HANDLE h = Create(path, created ? CREATE_NEW : OPEN_EXISTING);
    if (h == INVALID_HANDLE_VALUE) {
      const DWORD e = ::GetLastError();
      ec = e == ERROR_FILE_EXISTS || e == ERROR_ALREADY_EXISTS || e == ERROR_FILE_NOT_FOUND
               ? TargetChangedError()
               : std::error_code(static_cast<int>(e), Win32Category());
      return nullptr;
    }
    auto file = std::make_unique<WindowsFile>(h, true);
    FileFacts now;
    if (!ReadFacts(h, now, ec)) return nullptr;
    if (!created && (now.volume != facts_.volume || now.file != facts_.file)) {
      ec = TargetChangedError();
      return nullptr;
    }
    size = now.regular ? now.size : 0;
    // The list goes in through this handle, and a shared lock would keep it out too: the
    // lock moves here, whole.
    if (locked_) {
      UnlockWhole(file_);
      locked_ = false;
      LockWhole(h, LOCKFILE_EXCLUSIVE_LOCK);
    }
    return file;
  }

  // Windows has no files without a name: a save writes a named temporary file.
  std::unique_ptr<WritableFile> CreateUnnamed(std::error_code& ec) const override {
    ec = {ERROR_NOT_SUPPORTED, Win32Category()};
    return nullptr;
  }

  std::unique_ptr<WritableFile> CreateNew(const std::string& name, std::error_code& ec) const override {
    const HANDLE h = Create(Here(Utf8ToWide(name)), CREATE_NEW);
    if (h == INVALID_HANDLE_VALUE) {
      ec = LastWin32Error();
      return nullptr;
    }
    return std::make_unique<WindowsFile>(h, false);
  }

  void Link(const std::string&, const std::string&, std::error_code& ec) const override {
    ec = {ERROR_NOT_SUPPORTED, Win32Category()};
  }

  void Replace(const std::string& name, std::error_code& ec) override {
    const std::wstring target = Here(wide_name_);
    // A file that is open cannot be replaced: the lock goes with the handle, just before.
    CloseFile();
    if (facts_.exists) {
      const HANDLE h = OpenToRead(target);
      FileFacts now;
      const bool read = h != INVALID_HANDLE_VALUE && ReadFacts(h, now, ec);
      if (h != INVALID_HANDLE_VALUE) ::CloseHandle(h);
      if (!read || !now.SameAs(facts_)) {
        ec = TargetChangedError();
        return;
      }
    }
    // Without MOVEFILE_REPLACE_EXISTING a file that took a free name meanwhile is kept.
    const DWORD flags = MOVEFILE_WRITE_THROUGH | (facts_.exists ? MOVEFILE_REPLACE_EXISTING : 0);
    if (!::MoveFileExW(Here(Utf8ToWide(name)).c_str(), target.c_str(), flags)) {
      const DWORD e = ::GetLastError();
      ec = e == ERROR_ALREADY_EXISTS || e == ERROR_FILE_EXISTS
               ? TargetChangedError()
               : std::error_code(static_cast<int>(e), Win32Category());
    }
  }

  void Remove(const std::string& name, std::error_code& ec) const override {
    if (!::DeleteFileW(Here(Utf8ToWide(name)).c_str())) ec = LastWin32Error();
  }

 private:
  std::wstring Here(std::wstring_view name) const { return JoinPath(folder_, name); }

  void CloseFile() {
    if (file_ == INVALID_HANDLE_VALUE) return;
    if (locked_) UnlockWhole(file_);
    locked_ = false;
    ::CloseHandle(std::exchange(file_, INVALID_HANDLE_VALUE));
  }

  std::wstring folder_;
  std::wstring wide_name_;
  std::string name_;
  HANDLE file_ = INVALID_HANDLE_VALUE;
  bool locked_ = false;
  FileFacts facts_;
};

class WindowsFileSystem final : public FileSystem {
 public:
  std::unique_ptr<TargetFile> Resolve(const std::string& path, std::error_code& ec) const override {
    auto target = std::make_unique<WindowsTarget>();
    target->Find(path, ec);
    if (ec) return nullptr;
    return target;
  }
};

}  // namespace

const FileSystem& NativeFileSystem() {
  static const WindowsFileSystem file_system;
  return file_system;
}

}  // namespace brixel::platform
