#include "core/details/legacy_tag_text.h"

#include <taglib/id3v1tag.h>
#include <taglib/id3v2tag.h>
#include <taglib/infotag.h>

#include <string>
#include <string_view>

#include "core/utf8/utf8.h"

namespace brixel {

namespace {

// A plain value: no destructor runs at a thread's end (mingw-w64 frees such storage too early).
thread_local TagEncoding current_encoding = TagEncoding::Auto;

std::string_view UpToNul(const TagLib::ByteVector& data) {
  const std::string_view bytes(data.data(), data.size());
  return bytes.substr(0, bytes.find('\0'));
}

TagLib::String Legacy(std::string_view bytes) {
  return TagLib::String(DecodeLegacyTagText(bytes, current_encoding), TagLib::String::UTF8);
}

class Id3v2Latin1Text final : public TagLib::ID3v2::Latin1StringHandler {
 public:
  TagLib::String parse(const TagLib::ByteVector& data) const override { return Legacy(UpToNul(data)); }
};

class Id3v1Text final : public TagLib::ID3v1::StringHandler {
 public:
  // ID3v1 fields are padded with NULs or blanks.
  TagLib::String parse(const TagLib::ByteVector& data) const override {
    return Legacy(UpToNul(data)).stripWhiteSpace();
  }
};

// INFO texts have no declared encoding: UTF-8 when they are UTF-8, else a legacy code page.
class InfoText final : public TagLib::RIFF::Info::StringHandler {
 public:
  TagLib::String parse(const TagLib::ByteVector& data) const override {
    const std::string_view bytes = UpToNul(data);
    if (IsValidUtf8(bytes)) return TagLib::String(std::string(bytes), TagLib::String::UTF8);
    return Legacy(bytes);
  }
};

void InstallHandlers() {
  static const bool installed = [] {
    static const Id3v2Latin1Text id3v2;
    static const Id3v1Text id3v1;
    static const InfoText info;
    TagLib::ID3v2::Tag::setLatin1StringHandler(&id3v2);
    TagLib::ID3v1::Tag::setStringHandler(&id3v1);
    TagLib::RIFF::Info::Tag::setStringHandler(&info);
    return true;
  }();
  (void)installed;
}

}  // namespace

LegacyTagTextScope::LegacyTagTextScope(TagEncoding encoding) : previous_(current_encoding) {
  InstallHandlers();
  current_encoding = encoding;
}

LegacyTagTextScope::~LegacyTagTextScope() {
  current_encoding = previous_;
}

}  // namespace brixel
