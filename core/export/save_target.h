#pragma once
// What a save may write to. The checks run before any byte is written, so a refused target is
// left as it was.
#include <string>

namespace brixel {

enum class SaveMode { Append, Replace };

// Throws SaveError for a target marked read-only (root would otherwise write it anyway) and, when
// the file is to be replaced, for a folder or any special file (a device, a pipe): renaming a new
// file over it would take it away.
void CheckSaveTarget(const std::string& path, SaveMode mode);

}  // namespace brixel
