#pragma once
// The per-name formatter: names shaped one by one as a scan hands them on (FormattingTarget), and
// numbered in the order they come. Its users: the lite save, which writes each name as it is
// found, and brixel-list, which numbers in the order it lists (sorted or as found). The windows'
// tables are formatted by the formatting run instead (formatting_run.h).
#include <cstdint>
#include <string>
#include <string_view>

#include "core/format/format_options.h"
#include "core/format/name_formatter.h"

namespace brixel {

// One PrimFile serves one list: its running number starts at 1, and a new list makes a new one.
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
