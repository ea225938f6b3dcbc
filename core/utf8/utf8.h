#pragma once
// UTF-8 helpers that never reject input: file names on Linux are bytes, and a name that is not
// valid UTF-8 must still be listed, shown and written. Each byte that does not start a valid
// sequence counts as one character of its own.
#include <cstddef>
#include <string>
#include <string_view>

namespace brixel {

struct DecodedChar {
  char32_t value;    // the code point, or the byte's value when !valid
  std::size_t size;  // bytes taken, 1 to 4
  bool valid;
};

// Decodes the character at p (p < end). Never reads past end.
DecodedChar DecodeUtf8(const char* p, const char* end);

bool IsAscii(std::string_view text);
bool IsValidUtf8(std::string_view text);

// Number of characters, invalid bytes counting one each.
std::size_t CountChars(std::string_view text);

// The last n characters of text (the whole text when it is shorter).
std::string_view LastChars(std::string_view text, std::size_t n);

// Byte length of the first character (0 for an empty text).
std::size_t FirstCharSize(std::string_view text);

void AppendUtf8(char32_t cp, std::string& out);

// UTF-8 to UTF-16; each invalid byte becomes `invalid`.
void AppendUtf16(std::string_view text, std::u16string& out, char16_t invalid = u'\uFFFD');
// The same into `out`, which has room for text.size() units: no text needs more. Returns the units
// written.
std::size_t WriteUtf16(std::string_view text, char16_t* out, char16_t invalid = u'\uFFFD');
std::string ToUtf8(std::u16string_view text);

// Valid UTF-8 for display: each invalid byte becomes U+FFFD.
std::string SanitizeUtf8(std::string_view text);

// Appends a name as one line of UTF-8 text: invalid bytes become U+FFFD and control characters
// (a line feed is legal in a Linux file name) become "?", so one name is always one line.
void AppendUtf8Line(std::string_view text, std::string& out);

}  // namespace brixel
