#pragma once
// Locale names cross here between the form the program uses ("ru_RU"; "" for the neutral root)
// and the form of the Win32 locale calls ("ru-RU"; "" for the invariant locale).
#include <string>

namespace brixel::platform {

// The Win32 name of a locale; the invariant locale when Windows does not know the name, as an
// unknown name falls back to the root locale elsewhere.
std::wstring WindowsLocaleName(const std::string& name);

// The program's name for a Win32 locale name.
std::string ProgramLocaleName(const std::wstring& windows_name);

}  // namespace brixel::platform
