#pragma once
// Reading the details of one file the walk found, in the folder the walk has open: the walk (or a
// thread beside it) calls this for each listed file, so nothing is walked twice and no path is
// built. Size and time come from the folder entry (fstatat relative to the open folder; on Windows
// from what reading the folder already gave); duration and tags from the file, opened only when
// audio columns are chosen and its name has an audio extension, and only when it is a regular
// file (never a FIFO or device of that name, never through a link, never a call that can block).
//
// Never fails: a file that vanished or became unreadable since the walk saw it leaves its fields
// empty. Safe on any thread while the folder stays open.
#include <cstddef>

#include "core/details/columns.h"
#include "core/details/file_details.h"
#include "core/details/tag_encoding.h"
#include "core/platform/folder.h"

namespace brixel {

struct DetailsRequest {
  bool entry = false;  // size, modified
  bool audio = false;  // duration, artist, title, album, track, year
  TagEncoding tag_encoding = TagEncoding::Auto;

  bool Any() const { return entry || audio; }
};

// What the columns need read.
DetailsRequest RequestFor(const Columns& columns, TagEncoding tag_encoding);

// Reads entry `index` of `listing`, which `folder` read, into `out`: what `request` asks for is
// set (or left empty when it cannot be read), the rest - `folder` among it - is left as it is.
void ReadFileDetails(const platform::OpenFolder& folder, const platform::FolderListing& listing,
                     std::size_t index, const DetailsRequest& request, FileDetails& out);

}  // namespace brixel
