#include "core/platform/windows/wide_text.h"

#include "core/utf8/utf8.h"

namespace brixel::platform {

namespace {

bool IsHighSurrogate(char32_t u) {
  return u >= 0xD800 && u <= 0xDBFF;
}
bool IsLowSurrogate(char32_t u) {
  return u >= 0xDC00 && u <= 0xDFFF;
}

// ED A0..BF 80..BF: a surrogate written as if it were a character.
bool IsEncodedSurrogate(const char* p, const char* end) {
  if (end - p < 3) return false;
  const auto b0 = static_cast<unsigned char>(p[0]);
  const auto b1 = static_cast<unsigned char>(p[1]);
  const auto b2 = static_cast<unsigned char>(p[2]);
  return b0 == 0xED && b1 >= 0xA0 && b1 <= 0xBF && (b2 & 0xC0) == 0x80;
}

void AppendSurrogateForm(char32_t u, std::string& out) {
  out += static_cast<char>(0xE0 | (u >> 12));
  out += static_cast<char>(0x80 | ((u >> 6) & 0x3F));
  out += static_cast<char>(0x80 | (u & 0x3F));
}

}  // namespace

void AppendWideAsUtf8(std::wstring_view wide, std::string& out) {
  out.reserve(out.size() + wide.size());
  for (std::size_t i = 0; i < wide.size(); ++i) {
    const char32_t u = static_cast<char16_t>(wide[i]);
    if (u < 0x80) {
      out += static_cast<char>(u);
    } else if (IsHighSurrogate(u) && i + 1 < wide.size() &&
               IsLowSurrogate(static_cast<char16_t>(wide[i + 1]))) {
      const char32_t low = static_cast<char16_t>(wide[++i]);
      AppendUtf8(0x10000 + ((u - 0xD800) << 10) + (low - 0xDC00), out);
    } else if (IsHighSurrogate(u) || IsLowSurrogate(u)) {
      AppendSurrogateForm(u, out);
    } else {
      AppendUtf8(u, out);
    }
  }
}

std::string WideToUtf8(std::wstring_view wide) {
  std::string out;
  AppendWideAsUtf8(wide, out);
  return out;
}

std::wstring Utf8ToWide(std::string_view utf8) {
  std::wstring out;
  out.reserve(utf8.size());
  const char* p = utf8.data();
  const char* end = p + utf8.size();
  while (p < end) {
    if (IsEncodedSurrogate(p, end)) {
      out += static_cast<wchar_t>(((p[0] & 0x0F) << 12) | ((p[1] & 0x3F) << 6) | (p[2] & 0x3F));
      p += 3;
      continue;
    }
    const DecodedChar d = DecodeUtf8(p, end);
    p += d.size;
    const char32_t cp = d.valid ? d.value : 0xFFFD;
    if (cp >= 0x10000) {
      out += static_cast<wchar_t>(0xD800 + ((cp - 0x10000) >> 10));
      out += static_cast<wchar_t>(0xDC00 + ((cp - 0x10000) & 0x3FF));
    } else {
      out += static_cast<wchar_t>(cp);
    }
  }
  return out;
}

}  // namespace brixel::platform
