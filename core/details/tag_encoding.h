#pragma once
// Legacy tags. A tag frame that declares Latin-1 (every ID3v1 tag, ID3v2 frames marked
// ISO-8859-1) often holds Windows-1251 bytes: Russian players wrote their code page there. The
// user chooses how such bytes read: as Latin-1, as Windows-1251, or `auto`, which reads them as
// Windows-1251 when they hold a byte from 0xC0 to 0xFF (where the code page has the Russian
// alphabet) and no byte the code page leaves undefined (0x98), else as Latin-1.
#include <string>
#include <string_view>

namespace brixel {

enum class TagEncoding { Auto, Latin1, Cp1251 };

// "auto", "latin1", "cp1251".
std::string_view TagEncodingName(TagEncoding encoding);
// Parses one of those names into `out`; returns "" when done, else a usage error.
std::string ParseTagEncoding(std::string_view name, TagEncoding& out);

// Whether `auto` reads these bytes as Windows-1251.
bool LooksLikeCp1251(std::string_view bytes);

// The bytes of a frame declared Latin-1, as UTF-8 by the chosen reading.
std::string DecodeLegacyTagText(std::string_view bytes, TagEncoding encoding);

}  // namespace brixel
