#pragma once
// The text list: one name per line, CR LF, appended after the file's existing bytes (a missing
// file is created, an existing one is never truncated). If writing fails part way the file is put
// back as it was (cut back to its old length, or removed if the save created it), and SaveError
// is thrown.
#include <string>
#include <string_view>

#include "core/listing/name_column.h"

namespace brixel {

enum class TextEncoding { Cp1251, Utf8 };

// The bytes of the names as lines of a text list.
void AppendTextLines(const NameColumn& names, TextEncoding encoding, std::string& out);

void WriteTextList(const std::string& path, const NameColumn& names,
                   TextEncoding encoding = TextEncoding::Cp1251);

// Appends bytes to a file with the same all-or-nothing rule.
void AppendToFile(const std::string& path, std::string_view bytes);

}  // namespace brixel
