#pragma once
// The named temporary files of this process's saves, from the moment a name is given until the
// file takes its target's place or is removed. A window that is closed while a save cannot stop
// at once (a workbook being assembled) ends the process without waiting for it: the files that
// have a name then must not stay behind, and none may be named or renamed after that. A file
// without a name (O_TMPFILE) goes with the process by itself.
#include <functional>
#include <string>

#include "core/platform/file_system.h"

namespace brixel {

// Gives a temporary file its name in the folder of `folder` by running `name_it`, and remembers
// it; false, with nothing run, once EndSaveTemporaries has run.
bool NameSaveTemporary(const platform::TargetFile& folder, const std::string& name,
                       const std::function<void()>& name_it);
// Runs `rename_it`, which puts the named temporary in its target's place, and forgets the name;
// false, with nothing run, once EndSaveTemporaries has run.
bool RenameSaveTemporary(const platform::TargetFile& folder, const std::string& name,
                         const std::function<void()>& rename_it);
// The name is gone (removed, or the file failed to take it).
void ForgetSaveTemporary(const platform::TargetFile& folder, const std::string& name) noexcept;

// For a process about to end with saves still running: removes every named temporary file and
// lets no save name or rename one from now on.
void EndSaveTemporaries() noexcept;

}  // namespace brixel
