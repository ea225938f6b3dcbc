#pragma once
// What a save may write to. The checks run before any byte is written, so a refused target is
// left as it was.
#include <memory>
#include <string>

#include "core/platform/file_system.h"
#include "core/work/work_control.h"

namespace brixel {

enum class SaveMode { Append, Replace };

// Looks the target up once, through links (FileSystem::Resolve), and returns what it found. Throws
// SaveError for a folder; for a file marked read-only (root would otherwise write it anyway); for
// a file this user may not write, as the system decides - replacing a file takes the same right
// as writing it, whoever may write its folder; and, when the file is to be replaced, for any
// special file (a device, a pipe), since renaming a new file over it would take it away, for a
// file that takes appends only and for one whose folder takes no renames.
std::unique_ptr<platform::TargetFile> ResolveSaveTarget(const std::string& path, SaveMode mode,
                                                        const platform::FileSystem& fs);

// Takes the advisory lock on the target for the rest of the save, waiting a few seconds for a
// program that holds it. Throws SaveError when it stays held, SaveStopped on a stop meanwhile.
void LockSaveTarget(const std::string& path, platform::TargetFile& target, const WorkControl& control);

}  // namespace brixel
