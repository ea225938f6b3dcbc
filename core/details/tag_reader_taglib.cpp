#include <taglib/fileref.h>
#include <taglib/id3v2tag.h>
#include <taglib/infotag.h>
#include <taglib/tag.h>
#include <taglib/wavfile.h>

#include <algorithm>
#include <vector>

#include "core/details/legacy_tag_text.h"
#include "core/details/readable_file_stream.h"
#include "core/details/tag_reader.h"
#include "core/utf8/utf8.h"

namespace brixel {

namespace {

constexpr std::uint32_t kMaxTrack = 65535;
constexpr std::uint32_t kMaxYear = 9999;

std::string Utf8(const TagLib::String& text) {
  return SanitizeUtf8(text.to8Bit(true));
}

// The tags of one file, most trusted first.
std::vector<const TagLib::Tag*> TagsOf(TagLib::File& file) {
  if (auto* wav = dynamic_cast<TagLib::RIFF::WAV::File*>(&file)) {
    std::vector<const TagLib::Tag*> tags;
    if (wav->hasID3v2Tag()) tags.push_back(wav->ID3v2Tag());
    if (wav->hasInfoTag()) tags.push_back(wav->InfoTag());
    return tags;
  }
  // MPEG's own tag already joins ID3v2, APE and ID3v1 in that order, field by field.
  if (const TagLib::Tag* tag = file.tag()) return {tag};
  return {};
}

std::optional<std::uint32_t> Counted(unsigned value, std::uint32_t most) {
  if (value == 0 || value > most) return std::nullopt;
  return value;
}

void Fill(TagLib::File& file, AudioDetails& out) {
  if (const TagLib::AudioProperties* audio = file.audioProperties()) {
    const int ms = audio->lengthInMilliseconds();
    if (ms > 0) out.duration = static_cast<std::uint32_t>((static_cast<std::int64_t>(ms) + 500) / 1000);
  }
  for (const TagLib::Tag* tag : TagsOf(file)) {
    if (out.artist.empty()) out.artist = Utf8(tag->artist());
    if (out.title.empty()) out.title = Utf8(tag->title());
    if (out.album.empty()) out.album = Utf8(tag->album());
    if (!out.track) out.track = Counted(tag->track(), kMaxTrack);
    if (!out.year) out.year = Counted(tag->year(), kMaxYear);
  }
}

std::string UpperAscii(std::string_view text) {
  std::string upper(text);
  for (char& c : upper)
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  return upper;
}

}  // namespace

bool TagsAvailable() {
  return true;
}

bool HasAudioExtension(std::string_view name) {
  const std::size_t dot = name.rfind('.');
  if (dot == std::string_view::npos || dot + 1 == name.size()) return false;
  static const std::vector<std::string> known = [] {
    std::vector<std::string> upper{"OGA"};  // Ogg's name for audio of any codec, told by its content
    for (const TagLib::String& extension : TagLib::FileRef::defaultFileExtensions())
      upper.push_back(UpperAscii(extension.to8Bit()));
    return upper;
  }();
  const std::string extension = UpperAscii(name.substr(dot + 1));
  return std::find(known.begin(), known.end(), extension) != known.end();
}

void ReadAudioDetails(platform::ReadableFile& file, std::string_view name, TagEncoding encoding,
                      AudioDetails& out) noexcept {
  out = {};
  try {
    const LegacyTagTextScope text(encoding);
    ReadableFileStream stream(file, std::string(name), kTagReadBudget);
    TagLib::FileRef ref(&stream, true, TagLib::AudioProperties::Average);
    if (ref.isNull() || !ref.file()->isValid()) return;
    Fill(*ref.file(), out);
  } catch (...) {  // no memory for a tag: the fields stay empty
    out = {};
  }
}

}  // namespace brixel
