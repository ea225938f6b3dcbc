#pragma once
// Names a text list in Windows-1251 cannot hold: each character the code page lacks becomes "?"
// there, so the list would hold names that are no longer the files' names. The format stays; the
// windows ask before such a save, and the command line says so after it.
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "core/listing/list_target.h"
#include "core/listing/name_column.h"

namespace brixel {

struct Cp1251Losses {
  std::size_t count = 0;           // names that lose characters
  std::vector<std::string> first;  // the first few of them, as they are (UTF-8)
};

Cp1251Losses FindCp1251Losses(const NameColumn& names, std::size_t examples = 3);

// The same for names as a scan finds them.
class Cp1251LossTarget : public ListTarget {
 public:
  explicit Cp1251LossTarget(std::size_t examples = 3) : examples_(examples) {}
  void Append(std::string_view name) override;
  const Cp1251Losses& Found() const { return losses_; }

 private:
  std::size_t examples_;
  Cp1251Losses losses_;
};

}  // namespace brixel
