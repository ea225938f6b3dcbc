#pragma once
// One file's details read as the walk will read them: its folder opened, listed, the entry found.
#include <string>
#include <string_view>

#include "core/details/detail_reader.h"

namespace brixel::test {

// Reads `name` in `folder`; a name the listing lacks (a file gone) is read as the walk would read
// an entry that vanished after the listing: fails the test instead.
FileDetails ReadDetails(const std::string& folder, std::string_view name, const DetailsRequest& request);

// Every audio field empty.
bool NoAudio(const FileDetails& details);

}  // namespace brixel::test
