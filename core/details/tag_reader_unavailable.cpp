// A build without TagLib: every audio field stays empty.
#include "core/details/tag_reader.h"

namespace brixel {

bool TagsAvailable() {
  return false;
}

bool HasAudioExtension(std::string_view) {
  return false;
}

void ReadAudioDetails(platform::ReadableFile&, std::string_view, TagEncoding, AudioDetails& out) noexcept {
  out = {};
}

}  // namespace brixel
