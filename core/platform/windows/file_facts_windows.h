#pragma once
// Windows file facts: a file time in the platform's units, the size and time a folder read gives
// each entry, and a regular file opened for reading by its long path.
#include <windows.h>

#include <memory>
#include <string>
#include <system_error>

#include "core/platform/entry_facts.h"
#include "core/platform/readable_file.h"

namespace brixel::platform {

// 100-nanosecond ticks since 1601 to seconds since 1970.
FileTime FromWindowsTime(const FILETIME& time);

EntryFacts FactsOf(const WIN32_FIND_DATAW& data);

// Opens a file at a "\\?\" path for reading, sharing it with every other reader and writer,
// never through a link (a reparse point is refused) and only when it is a file on a disk:
// a folder, a device or a pipe is closed unread (std::errc::invalid_argument).
std::unique_ptr<ReadableFile> OpenRegularFile(const std::wstring& path, std::error_code& ec);

}  // namespace brixel::platform
