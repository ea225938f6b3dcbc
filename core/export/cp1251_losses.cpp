#include "core/export/cp1251_losses.h"

#include "core/text/cp1251.h"

namespace brixel {

Cp1251Losses FindCp1251Losses(const NameColumn& names, std::size_t examples) {
  Cp1251Losses losses;
  for (std::size_t i = 0; i < names.Size(); ++i) {
    if (Cp1251Holds(names[i])) continue;
    ++losses.count;
    if (losses.first.size() < examples) losses.first.emplace_back(names[i]);
  }
  return losses;
}

}  // namespace brixel
