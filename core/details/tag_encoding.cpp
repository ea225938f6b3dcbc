#include "core/details/tag_encoding.h"

#include <array>

#include "core/platform/cp1251_table.h"
#include "core/text/cp1251.h"
#include "core/utf8/utf8.h"

namespace brixel {

namespace {
constexpr std::array<std::string_view, 3> kNames{"auto", "latin1", "cp1251"};
}

std::string_view TagEncodingName(TagEncoding encoding) {
  return kNames[static_cast<std::size_t>(encoding)];
}

std::string ParseTagEncoding(std::string_view name, TagEncoding& out) {
  for (std::size_t i = 0; i < kNames.size(); ++i) {
    if (name == kNames[i]) {
      out = static_cast<TagEncoding>(i);
      return "";
    }
  }
  return "unknown tag encoding '" + std::string(name) + "' (auto, latin1 or cp1251)";
}

bool LooksLikeCp1251(std::string_view bytes) {
  const std::array<char32_t, 128>& upper = Cp1251UpperHalf();
  bool letters = false;
  for (const char c : bytes) {
    const auto b = static_cast<unsigned char>(c);
    if (b < 0x80) continue;
    if (upper[b - 0x80] == 0) return false;
    if (b >= 0xC0) letters = true;
  }
  return letters;
}

std::string DecodeLegacyTagText(std::string_view bytes, TagEncoding encoding) {
  if (encoding == TagEncoding::Cp1251 || (encoding == TagEncoding::Auto && LooksLikeCp1251(bytes)))
    return DecodeCp1251(bytes);
  std::string out;
  out.reserve(bytes.size());
  for (const char c : bytes) AppendUtf8(static_cast<unsigned char>(c), out);
  return out;
}

}  // namespace brixel
