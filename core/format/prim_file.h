#pragma once
// The per-name formatter of the lite save: the names of one save are shaped one by one as the
// scan finds them, and numbered in the order they are written.
#include <cstdint>
#include <string>
#include <string_view>

#include "core/format/format_options.h"
#include "core/format/name_formatter.h"

namespace brixel {

// One PrimFile serves one save: its running number starts at 1, and a new save makes a new one.
class PrimFile {
 public:
  explicit PrimFile(const FormatOptions& options);
  PrimFile(const FormatOptions& options, const FormatLocale& locale);

  // False when numbering is on but the start text is no number; names then get no number.
  bool StartNumberValid() const { return formatter_.StartNumberValid(); }

  // Formats one name; with numbering on it takes the next running number.
  std::string operator()(std::string_view name) { return std::string(Shape(name)); }

  // The same, into a buffer of its own that the next call reuses: no allocation per name.
  std::string_view Shape(std::string_view name);

  // No switch would change any name (numbering off, every pass off).
  bool LeavesNamesAsFound() const { return formatter_.LeavesNamesAsFound(); }

 private:
  NameFormatter formatter_;
  std::string shaping_;  // kept between names, so only the returned copy allocates
  bool numbering_;
  std::uint64_t running_number_ = 1;
};

}  // namespace brixel
