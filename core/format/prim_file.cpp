#include "core/format/prim_file.h"

namespace brixel {

PrimFile::PrimFile(const FormatOptions& options) : PrimFile(options, FormatLocale::ForUser()) {}

PrimFile::PrimFile(const FormatOptions& options, const FormatLocale& locale)
    : formatter_(options, locale), numbering_(options.numbering) {}

std::string_view PrimFile::Shape(std::string_view name) {
  shaping_.assign(name);
  formatter_.Shape(shaping_, running_number_ - 1);
  if (numbering_) ++running_number_;
  return shaping_;
}

}  // namespace brixel
