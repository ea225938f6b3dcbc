#pragma once
// Names a text list in Windows-1251 cannot hold: each character the code page lacks becomes "?"
// there, so the list would hold names that are no longer the files' names. The format stays; the
// windows ask before such a save, and the command line says so after it.
#include <cstddef>
#include <string>
#include <vector>

#include "core/listing/name_column.h"

namespace brixel {

struct Cp1251Losses {
  std::size_t count = 0;           // names that lose characters
  std::vector<std::string> first;  // the first few of them, as they are (UTF-8)
};

Cp1251Losses FindCp1251Losses(const NameColumn& names, std::size_t examples = 3);

}  // namespace brixel
