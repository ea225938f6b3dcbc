#pragma once
// Paths travel through the program as UTF-8 text; this turns them into the platform's path type
// without passing through a single-byte code page.
#include <filesystem>
#include <string>
#include <string_view>

namespace brixel {

inline std::filesystem::path PathFromUtf8(std::string_view utf8) {
  return std::filesystem::path(std::u8string(utf8.begin(), utf8.end()));
}

inline std::string PathToUtf8(const std::filesystem::path& path) {
  const std::u8string s = path.u8string();
  return std::string(s.begin(), s.end());
}

// The platform's folder separator as text ("/" or "\").
inline std::string PreferredSeparator() {
  return PathToUtf8(std::filesystem::path(std::string(1, std::filesystem::path::preferred_separator)));
}

}  // namespace brixel
