#include "core/details/detail_reader.h"

#include <algorithm>
#include <memory>

#include "core/details/tag_reader.h"
#include "core/platform/entry_facts.h"

namespace brixel {

namespace {

void SetEntry(const platform::EntryFacts& facts, FileDetails& out) {
  out.size = facts.size;
  out.modified = LocalTime{facts.modified.seconds, platform::UtcOffsetAt(facts.modified.seconds)};
}

}  // namespace

DetailsRequest RequestFor(const Columns& columns, TagEncoding tag_encoding) {
  DetailsRequest request;
  request.entry = std::any_of(columns.begin(), columns.end(), IsEntryColumn);
  request.audio = std::any_of(columns.begin(), columns.end(), IsAudioColumn);
  request.tag_encoding = tag_encoding;
  return request;
}

void ReadFileDetails(const platform::OpenFolder& folder, const platform::FolderListing& listing,
                     std::size_t index, const DetailsRequest& request, FileDetails& out) {
  const std::string_view name = listing.Name(listing.entries[index]);
  std::error_code ec;
  if (request.entry) {
    out.size.reset();
    out.modified.reset();
  }
  if (request.audio) {
    out.audio = {};
    if (HasAudioExtension(name)) {
      if (const std::unique_ptr<platform::ReadableFile> file = folder.OpenFileForReading(name, ec)) {
        ReadAudioDetails(*file, name, request.tag_encoding, out.audio);
        // The open file's own facts: one call fewer, and the same file the tags came from.
        if (request.entry) SetEntry(file->Facts(), out);
        return;
      }
    }
  }
  platform::EntryFacts facts;
  if (request.entry && folder.ReadFacts(listing, index, facts, ec)) SetEntry(facts, out);
}

}  // namespace brixel
