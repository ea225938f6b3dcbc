#pragma once
// UTF-16 as the wide Win32 calls speak it, and UTF-8 as the rest of the program does. Windows
// names may hold unpaired surrogates; they travel as their three-byte generalised UTF-8 form
// (invalid UTF-8 to everyone else: shown as U+FFFD, written as "?"), so a folder's name read from
// the system always names that folder again.
#include <string>
#include <string_view>

namespace brixel::platform {

// Appends wide text as UTF-8; an unpaired surrogate becomes its three-byte form.
void AppendWideAsUtf8(std::wstring_view wide, std::string& out);
std::string WideToUtf8(std::wstring_view wide);

// UTF-8 (and the three-byte surrogate forms) to wide text; any other invalid byte becomes U+FFFD.
std::wstring Utf8ToWide(std::string_view utf8);

}  // namespace brixel::platform
