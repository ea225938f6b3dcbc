#pragma once
// Windows-1251, the code page of every text and HTML list: one byte per character, no byte-order
// mark. File names on Linux can hold any character, so what the code page cannot hold is
// replaced, never dropped, and one name always stays one line.
#include <string>
#include <string_view>

namespace brixel {

enum class Cp1251Mode {
  // Text list: a character outside the code page becomes "?".
  Text,
  // HTML page: a character outside the code page becomes a character reference so the page
  // still shows the true name: a named one for U+00A0..U+00FF ("&eacute;"), a numeric one
  // ("&#1234;") for the rest; "&", "<" and ">" are escaped so a name can never become markup.
  Html,
};

// Appends UTF-8 text in Windows-1251. In both modes control characters (C0, DEL, C1) and bytes
// that are not valid UTF-8 become "?".
void AppendCp1251(std::string_view utf8, std::string& out, Cp1251Mode mode);

// Decodes Windows-1251 bytes to UTF-8 (the one unassigned byte, 0x98, becomes U+FFFD).
std::string DecodeCp1251(std::string_view bytes);

// Whether a text list in Windows-1251 keeps every character of the name that one in UTF-8 keeps:
// false when it holds a character the code page lacks (an emoji, a Greek or Chinese letter, "ß",
// "é"), which the text list writes as "?". Control characters and invalid bytes are lost in both.
bool Cp1251Holds(std::string_view utf8);

}  // namespace brixel
