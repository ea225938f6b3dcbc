#pragma once
// A file's duration and tags through TagLib: MP3 (ID3v1, ID3v2.3 and 2.4, APE), WAV (RIFF INFO
// and ID3v2), FLAC, Ogg Vorbis and Opus, M4A, WMA and whatever else the library reads. Where one
// file has several tags, each field comes from the first that holds it: ID3v2, then APE, then
// ID3v1; ID3v2, then INFO in a WAV file. Legacy Latin-1 frames read as tag_encoding.h says; so
// does an INFO text that is not UTF-8.
//
// Reading never fails and never throws: a damaged, truncated or foreign file leaves the fields
// empty. At most kTagReadBudget bytes of one file are read, whatever its tags claim. Any number of
// threads may read files at once.
#include <cstdint>
#include <string_view>

#include "core/details/file_details.h"
#include "core/details/tag_encoding.h"
#include "core/platform/readable_file.h"

namespace brixel {

inline constexpr std::uint64_t kTagReadBudget = std::uint64_t{32} << 20;

// False in a build without TagLib: audio fields then stay empty.
bool TagsAvailable();

// Whether the name ends in an extension the tag library knows (".mp3", ".FLAC", ...). Only such
// files are opened for their tags; the content decides the format when the extension is wrong.
bool HasAudioExtension(std::string_view name);

// Fills `out` from `file`, whose bare name is `name`; what cannot be read stays empty.
void ReadAudioDetails(platform::ReadableFile& file, std::string_view name, TagEncoding encoding,
                      AudioDetails& out) noexcept;

}  // namespace brixel
