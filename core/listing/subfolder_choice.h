#pragma once
// Which subfolders the folder list offers to choose below a folder: every folder the scan could
// walk into, and also links to folders (~/Music pointing to another disk), though the scan itself
// never follows a link below the folder chosen. Hidden folders (a leading ".") are not offered.
// They come in the reader's order, numbers by value ("Disc 9" before "Disc 10").
#include <optional>
#include <stop_token>
#include <string>
#include <vector>

#include "core/platform/folder.h"

namespace brixel {

class Collator;

// Whether the folder can be opened, without reading it: cheap whatever the folder holds.
bool FolderOpens(const std::string& folder);

// The bare names, read from folders; nothing when the folder cannot be opened or the stop came
// first. What could be read of a folder that fails part way is offered.
std::optional<std::vector<std::string>> SubfoldersToOffer(
    const std::string& folder, const Collator& collator, std::stop_token stop = {},
    const platform::FolderSource& folders = platform::NativeFolders());

}  // namespace brixel
