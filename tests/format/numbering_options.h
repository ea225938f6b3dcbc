#pragma once
// Options with numbering on, as the format tests use them.
#include <string>

#include "core/format/format_options.h"

namespace brixel::test {

inline FormatOptions Numbering(const std::string& start, int digits) {
  FormatOptions o;
  o.numbering = true;
  o.start_text = start;
  o.digits = digits;
  return o;
}

}  // namespace brixel::test
