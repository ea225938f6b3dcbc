#pragma once
// Paths for the wide Win32 calls: absolute, in the "\\?\" form, so neither MAX_PATH nor the Win32
// renaming of names applies past the path the user gave.
#include <string>
#include <string_view>

namespace brixel::platform {

// The "\\?\" form of a UTF-8 path (relative paths against the current folder; a UNC path
// becomes "\\?\UNC\server\share\..."). Empty when the path cannot be resolved.
std::wstring LongPath(std::string_view utf8);

// folder + "\" + name, with no second "\" after a folder that already ends in one (a drive root).
std::wstring JoinPath(const std::wstring& folder, std::wstring_view name);

}  // namespace brixel::platform
