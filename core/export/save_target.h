#pragma once
// What a save may write to. The checks run before any byte is written, so a refused target is
// left as it was.
#include <string>

#include "core/platform/file_system.h"

namespace brixel {

enum class SaveMode { Append, Replace };

// Looks at the target through links and returns what it found. Throws SaveError for a folder; for
// a file marked read-only (root would otherwise write it anyway); for a file this user may not
// write, as the system decides - replacing a file takes the same right as writing it, whoever
// may write its folder; and, when the file is to be replaced, for any special file (a device, a
// pipe), since renaming a new file over it would take it away.
platform::FileFacts CheckSaveTarget(const std::string& path, SaveMode mode, const platform::FileSystem& fs);

}  // namespace brixel
