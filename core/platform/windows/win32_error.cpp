#include "core/platform/windows/win32_error.h"

#include <windows.h>

#include "core/platform/windows/wide_text.h"

namespace brixel::platform {

namespace {

class Win32ErrorCategory final : public std::error_category {
 public:
  const char* name() const noexcept override { return "win32"; }

  std::string message(int code) const override { return Win32ErrorText(static_cast<unsigned long>(code)); }

  std::error_condition default_error_condition(int code) const noexcept override {
    switch (code) {
      case ERROR_FILE_NOT_FOUND:
      case ERROR_PATH_NOT_FOUND:
      case ERROR_INVALID_DRIVE:
      case ERROR_BAD_NETPATH:
      case ERROR_BAD_PATHNAME:
        return std::errc::no_such_file_or_directory;
      case ERROR_ACCESS_DENIED:
      case ERROR_SHARING_VIOLATION:
      case ERROR_LOCK_VIOLATION:
        return std::errc::permission_denied;
      case ERROR_FILE_EXISTS:
      case ERROR_ALREADY_EXISTS:
        return std::errc::file_exists;
      case ERROR_DISK_FULL:
      case ERROR_HANDLE_DISK_FULL:
        return std::errc::no_space_on_device;
      case ERROR_WRITE_PROTECT:
        return std::errc::read_only_file_system;
      case ERROR_DIRECTORY:
        return std::errc::not_a_directory;
      case ERROR_DIR_NOT_EMPTY:
        return std::errc::directory_not_empty;
      case ERROR_FILENAME_EXCED_RANGE:
        return std::errc::filename_too_long;
      case ERROR_INVALID_NAME:
        return std::errc::invalid_argument;
      case ERROR_INVALID_HANDLE:
        return std::errc::bad_file_descriptor;
      case ERROR_NOT_ENOUGH_MEMORY:
      case ERROR_OUTOFMEMORY:
        return std::errc::not_enough_memory;
      default:
        return {code, *this};
    }
  }
};

}  // namespace

const std::error_category& Win32Category() {
  static const Win32ErrorCategory category;
  return category;
}

std::error_code LastWin32Error() {
  return {static_cast<int>(::GetLastError()), Win32Category()};
}

std::string Win32ErrorText(unsigned long code) {
  wchar_t* text = nullptr;
  const DWORD n = ::FormatMessageW(
      FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS | FORMAT_MESSAGE_ALLOCATE_BUFFER, nullptr,
      code, 0, reinterpret_cast<wchar_t*>(&text), 0, nullptr);
  std::string message = n > 0 ? WideToUtf8(std::wstring_view(text, n)) : std::string();
  ::LocalFree(text);
  while (!message.empty() &&
         (message.back() == '\n' || message.back() == '\r' || message.back() == ' ' || message.back() == '.'))
    message.pop_back();
  return message.empty() ? "error " + std::to_string(code) : message;
}

}  // namespace brixel::platform
