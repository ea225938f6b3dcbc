#pragma once
// Win32 error codes as std::error_code: the system's own message text, and the portable
// conditions (std::errc::file_exists, ...) that code shared with POSIX compares against.
#include <string>
#include <system_error>

namespace brixel::platform {

const std::error_category& Win32Category();

// The code GetLastError() holds now.
std::error_code LastWin32Error();

// The system's message for a Win32 error code, without the final full stop and line break.
std::string Win32ErrorText(unsigned long code);

}  // namespace brixel::platform
