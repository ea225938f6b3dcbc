#pragma once
// Which subfolders the folder list offers to choose below a folder: every folder the scan could
// walk into, and also links to folders (~/Music pointing to another disk), though the scan itself
// never follows a link below the folder chosen. Hidden folders (a leading ".") are not offered.
// They come in the reader's order, numbers by value ("Disc 9" before "Disc 10").
#include <optional>
#include <string>
#include <vector>

namespace brixel {

class Collator;

// The bare names; nothing when the folder cannot be opened. What could be read of a folder that
// fails part way is offered.
std::optional<std::vector<std::string>> SubfoldersToOffer(const std::string& folder,
                                                          const Collator& collator);

}  // namespace brixel
