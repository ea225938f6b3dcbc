#include "core/export/cp1251_losses.h"

#include "core/text/cp1251.h"

namespace brixel {

Cp1251Losses FindCp1251Losses(const NameColumn& names, std::size_t examples) {
  Cp1251LossTarget target(examples);
  for (std::size_t i = 0; i < names.Size(); ++i) target.Append(names[i]);
  return target.Found();
}

void Cp1251LossTarget::Append(std::string_view name) {
  if (Cp1251Holds(name)) return;
  ++losses_.count;
  if (losses_.first.size() < examples_) losses_.first.emplace_back(name);
}

}  // namespace brixel
