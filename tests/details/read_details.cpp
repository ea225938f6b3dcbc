#include "tests/details/read_details.h"

#include <gtest/gtest.h>

namespace brixel::test {

FileDetails ReadDetails(const std::string& folder, std::string_view name, const DetailsRequest& request) {
  std::error_code error;
  const auto open = platform::OpenFolder::Open(folder, error);
  FileDetails details;
  if (!open) {
    ADD_FAILURE() << "cannot open " << folder;
    return details;
  }
  platform::FolderListing listing;
  open->ReadAll(listing, error);
  for (std::size_t i = 0; i < listing.entries.size(); ++i)
    if (listing.Name(listing.entries[i]) == name) {
      ReadFileDetails(*open, listing, i, request, details);
      return details;
    }
  ADD_FAILURE() << name << " is not in " << folder;
  return details;
}

bool NoAudio(const FileDetails& details) {
  return details.audio == AudioDetails{};
}

}  // namespace brixel::test
