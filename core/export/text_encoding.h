#pragma once

namespace brixel {

// The encoding of a text list: Windows-1251 for the programs, UTF-8 on request of the command line.
enum class TextEncoding { Cp1251, Utf8 };

}  // namespace brixel
