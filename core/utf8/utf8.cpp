#include "core/utf8/utf8.h"

namespace brixel {

namespace {
bool IsContinuation(unsigned char c) {
  return (c & 0xC0) == 0x80;
}
}  // namespace

DecodedChar DecodeUtf8(const char* p, const char* end) {
  const auto b0 = static_cast<unsigned char>(*p);
  if (b0 < 0x80) return {b0, 1, true};
  const DecodedChar invalid{b0, 1, false};
  std::size_t size;
  char32_t cp;
  if (b0 >= 0xC2 && b0 <= 0xDF) {
    size = 2;
    cp = b0 & 0x1F;
  } else if (b0 >= 0xE0 && b0 <= 0xEF) {
    size = 3;
    cp = b0 & 0x0F;
  } else if (b0 >= 0xF0 && b0 <= 0xF4) {
    size = 4;
    cp = b0 & 0x07;
  } else {
    return invalid;
  }
  if (end - p < static_cast<std::ptrdiff_t>(size)) return invalid;
  for (std::size_t i = 1; i < size; ++i) {
    const auto b = static_cast<unsigned char>(p[i]);
    if (!IsContinuation(b)) return invalid;
    cp = (cp << 6) | (b & 0x3F);
  }
  // Overlong forms, surrogates and values past U+10FFFF are not characters.
  if ((size == 3 && cp < 0x800) || (size == 4 && (cp < 0x10000 || cp > 0x10FFFF)) ||
      (cp >= 0xD800 && cp <= 0xDFFF))
    return invalid;
  return {cp, size, true};
}

bool IsAscii(std::string_view text) {
  for (char c : text)
    if (static_cast<unsigned char>(c) >= 0x80) return false;
  return true;
}

bool IsValidUtf8(std::string_view text) {
  const char* p = text.data();
  const char* end = p + text.size();
  while (p < end) {
    const DecodedChar d = DecodeUtf8(p, end);
    if (!d.valid) return false;
    p += d.size;
  }
  return true;
}

std::size_t CountChars(std::string_view text) {
  std::size_t n = 0;
  const char* p = text.data();
  const char* end = p + text.size();
  while (p < end) {
    p += DecodeUtf8(p, end).size;
    ++n;
  }
  return n;
}

std::string_view LastChars(std::string_view text, std::size_t n) {
  // Walking forward keeps the character boundaries exactly those of DecodeUtf8, so invalid bytes
  // are split the same way in both directions.
  const std::size_t total = CountChars(text);
  if (n >= total) return text;
  const char* p = text.data();
  const char* end = p + text.size();
  for (std::size_t skip = total - n; skip > 0; --skip) p += DecodeUtf8(p, end).size;
  return std::string_view(p, static_cast<std::size_t>(end - p));
}

std::size_t FirstCharSize(std::string_view text) {
  return text.empty() ? 0 : DecodeUtf8(text.data(), text.data() + text.size()).size;
}

void AppendUtf8(char32_t cp, std::string& out) {
  if (cp < 0x80) {
    out += static_cast<char>(cp);
  } else if (cp < 0x800) {
    out += static_cast<char>(0xC0 | (cp >> 6));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  } else if (cp < 0x10000) {
    out += static_cast<char>(0xE0 | (cp >> 12));
    out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (cp >> 18));
    out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  }
}

void AppendUtf16(std::string_view text, std::u16string& out, char16_t invalid) {
  const std::size_t start = out.size();
  out.resize(start + text.size());
  out.resize(start + WriteUtf16(text, out.data() + start, invalid));
}

std::size_t WriteUtf16(std::string_view text, char16_t* out, char16_t invalid) {
  const char* p = text.data();
  const char* end = p + text.size();
  char16_t* o = out;
  while (p < end) {
    const DecodedChar d = DecodeUtf8(p, end);
    p += d.size;
    if (!d.valid) {
      *o++ = invalid;
    } else if (d.value < 0x10000) {
      *o++ = static_cast<char16_t>(d.value);
    } else {  // four bytes make two units
      const char32_t v = d.value - 0x10000;
      *o++ = static_cast<char16_t>(0xD800 + (v >> 10));
      *o++ = static_cast<char16_t>(0xDC00 + (v & 0x3FF));
    }
  }
  return static_cast<std::size_t>(o - out);
}

std::string ToUtf8(std::u16string_view text) {
  std::string out;
  out.reserve(text.size());
  for (std::size_t i = 0; i < text.size(); ++i) {
    char32_t cp = text[i];
    if (cp >= 0xD800 && cp <= 0xDBFF && i + 1 < text.size() && text[i + 1] >= 0xDC00 &&
        text[i + 1] <= 0xDFFF) {
      cp = 0x10000 + ((cp - 0xD800) << 10) + (text[i + 1] - 0xDC00);
      ++i;
    } else if (cp >= 0xD800 && cp <= 0xDFFF) {
      cp = 0xFFFD;  // a lone surrogate has no UTF-8 form
    }
    AppendUtf8(cp, out);
  }
  return out;
}

std::string SanitizeUtf8(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  const char* p = text.data();
  const char* end = p + text.size();
  while (p < end) {
    const DecodedChar d = DecodeUtf8(p, end);
    if (d.valid)
      out.append(p, d.size);
    else
      AppendUtf8(0xFFFD, out);
    p += d.size;
  }
  return out;
}

void AppendUtf8Line(std::string_view text, std::string& out) {
  const char* p = text.data();
  const char* end = p + text.size();
  while (p < end) {
    const DecodedChar d = DecodeUtf8(p, end);
    if (!d.valid)
      AppendUtf8(0xFFFD, out);
    else if (d.value < 0x20 || (d.value >= 0x7F && d.value <= 0x9F))
      out += '?';
    else
      out.append(p, d.size);
    p += d.size;
  }
}

}  // namespace brixel
