// Windows folders: FindFirstFileExW on "\\?\" paths, so depth and length are limited by nothing
// but the file system. Each entry is classified by its whole attribute word, exactly as the
// listing rules give it (a compressed file is not listed, a linked folder is not walked).
// An open folder holds a handle on the folder itself: it gives the identity, and the folder
// cannot be renamed or removed under a walk that is inside it.
#include <windows.h>

#include "core/platform/attribute_words.h"
#include "core/platform/folder.h"
#include "core/platform/windows/file_facts_windows.h"
#include "core/platform/windows/long_path.h"
#include "core/platform/windows/wide_text.h"
#include "core/platform/windows/win32_error.h"

namespace brixel::platform {

namespace {

bool IsDotOrDotDot(const wchar_t* name) {
  return name[0] == L'.' && (name[1] == L'\0' || (name[1] == L'.' && name[2] == L'\0'));
}

// A name from a foreign file system may hold a separator; it must not lead anywhere else.
bool IsBareName(const std::wstring& wide) {
  return !wide.empty() && wide.find_first_of(L"\\/") == std::wstring::npos && !IsDotOrDotDot(wide.c_str());
}

EntryKind KindFromAttributes(DWORD attributes) {
  if (IsListedFileAttributes(attributes)) return EntryKind::File;
  if (IsWalkedFolderAttributes(attributes)) return EntryKind::Folder;
  return EntryKind::Other;
}

class WindowsFolder final : public OpenFolder {
 public:
  // Opens the folder at a "\\?\" path; through a link only when follow_links.
  static std::unique_ptr<OpenFolder> OpenPath(std::wstring path, bool follow_links, std::error_code& ec) {
    const DWORD flags = FILE_FLAG_BACKUP_SEMANTICS | (follow_links ? 0 : FILE_FLAG_OPEN_REPARSE_POINT);
    const HANDLE h = ::CreateFileW(path.c_str(), FILE_READ_ATTRIBUTES,
                                   FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                   OPEN_EXISTING, flags, nullptr);
    if (h == INVALID_HANDLE_VALUE) {
      ec = LastWin32Error();
      return nullptr;
    }
    BY_HANDLE_FILE_INFORMATION info{};
    DWORD failure = ERROR_SUCCESS;
    if (!::GetFileInformationByHandle(h, &info))
      failure = ::GetLastError();
    else if (!(info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
      failure = ERROR_DIRECTORY;
    else if (!follow_links && (info.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT))
      failure = ERROR_CANT_ACCESS_FILE;
    if (failure != ERROR_SUCCESS) {
      ::CloseHandle(h);
      ec = {static_cast<int>(failure), Win32Category()};
      return nullptr;
    }
    const FolderIdentity id{info.dwVolumeSerialNumber,
                            (static_cast<std::uint64_t>(info.nFileIndexHigh) << 32) | info.nFileIndexLow};
    return std::unique_ptr<OpenFolder>(new WindowsFolder(std::move(path), h, id));
  }

  ~WindowsFolder() override { ::CloseHandle(handle_); }

  std::unique_ptr<OpenFolder> OpenChild(std::string_view name, std::error_code& ec) const override {
    const std::wstring wide = Utf8ToWide(name);
    if (!IsBareName(wide)) {
      ec = {ERROR_INVALID_NAME, Win32Category()};
      return nullptr;
    }
    return OpenPath(JoinPath(path_, wide), false, ec);
  }

  std::unique_ptr<OpenFolder> OpenParent(std::error_code& ec) const override {
    const std::size_t cut = path_.find_last_of(L'\\');
    if (cut == std::wstring::npos || cut == 0) {
      ec = NotFoundError();
      return nullptr;
    }
    std::wstring parent = path_.substr(0, cut);
    if (parent.back() == L':') parent += L'\\';  // a drive root keeps its separator
    // Followed like the chosen folder itself, which may be reached through a link.
    return OpenPath(std::move(parent), true, ec);
  }

  bool ReadAll(FolderListing& out, std::error_code& ec, std::stop_token stop) override {
    const std::wstring pattern = JoinPath(path_, L"*");
    WIN32_FIND_DATAW data;
    const HANDLE find = ::FindFirstFileExW(pattern.c_str(), FindExInfoBasic, &data, FindExSearchNameMatch,
                                           nullptr, FIND_FIRST_EX_LARGE_FETCH);
    if (find == INVALID_HANDLE_VALUE) {
      const DWORD e = ::GetLastError();
      if (e == ERROR_FILE_NOT_FOUND) return true;  // an empty drive root has not even "."
      ec = {static_cast<int>(e), Win32Category()};
      return false;
    }
    // The stop is asked for every so many entries: each FindNextFileW is a copy from a batch the
    // system fetched already.
    std::size_t count = 0;
    bool stopped = false;
    do {
      Add(out, data);
      if (++count % 1024 == 0 && stop.stop_requested()) {
        stopped = true;
        break;
      }
    } while (::FindNextFileW(find, &data));
    const DWORD last = stopped ? ERROR_NO_MORE_FILES : ::GetLastError();
    ::FindClose(find);
    if (last != ERROR_NO_MORE_FILES) {
      ec = {static_cast<int>(last), Win32Category()};
      return false;
    }
    return true;
  }

  FolderIdentity Identity() const override { return identity_; }

  bool ReadFacts(const FolderListing& listing, std::size_t index, EntryFacts& out,
                 std::error_code& ec) const override {
    if (index >= listing.facts.size()) {
      ec = std::make_error_code(std::errc::invalid_argument);
      return false;
    }
    out = listing.facts[index];
    return true;
  }

  std::unique_ptr<ReadableFile> OpenFileForReading(std::string_view name,
                                                   std::error_code& ec) const override {
    const std::wstring wide = Utf8ToWide(name);
    if (!IsBareName(wide)) {
      ec = std::make_error_code(std::errc::invalid_argument);
      return nullptr;
    }
    return OpenRegularFile(JoinPath(path_, wide), ec);
  }

 private:
  WindowsFolder(std::wstring path, HANDLE handle, FolderIdentity identity)
      : path_(std::move(path)), handle_(handle), identity_(identity) {}

  static void Add(FolderListing& out, const WIN32_FIND_DATAW& data) {
    if (IsDotOrDotDot(data.cFileName)) return;
    const std::size_t offset = out.names.size();
    AppendWideAsUtf8(std::wstring_view(data.cFileName, ::wcsnlen(data.cFileName, MAX_PATH)), out.names);
    out.entries.push_back({static_cast<std::uint32_t>(offset),
                           static_cast<std::uint32_t>(out.names.size() - offset),
                           KindFromAttributes(data.dwFileAttributes)});
    out.facts.push_back(FactsOf(data));
  }

  std::wstring path_;
  HANDLE handle_;
  FolderIdentity identity_;
};

}  // namespace

std::unique_ptr<OpenFolder> OpenFolder::Open(const std::string& path, std::error_code& ec) {
  std::wstring long_path = LongPath(path);
  if (long_path.empty()) {
    ec = NotFoundError();
    return nullptr;
  }
  return WindowsFolder::OpenPath(std::move(long_path), true, ec);
}

std::error_code NotFoundError() {
  return {ERROR_PATH_NOT_FOUND, Win32Category()};
}

}  // namespace brixel::platform
