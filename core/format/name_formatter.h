#pragma once
// The passes in the fixed order of the formatting run, each only when its switch is on, for one
// name at a time. The table run, the lite run and the per-name formatter differ only in where the
// names come from and which number each gets.
#include <cstdint>
#include <optional>
#include <string>

#include "core/format/format_options.h"

namespace brixel {

class CaseMapper;

// The locale services a run uses: the user's unless a caller names others. The mapper must
// outlive every formatter made with it.
struct FormatLocale {
  const CaseMapper* case_mapper;
  std::string number_locale;

  static FormatLocale ForUser();
};

class NameFormatter {
 public:
  // Reads the start text once: it cannot change while a run is under way.
  NameFormatter(const FormatOptions& options, const FormatLocale& locale);

  // False when numbering is on but the start text is no number; no numbers are written then.
  bool StartNumberValid() const { return !options_.numbering || start_.has_value(); }
  // No pass would change any name.
  bool LeavesNamesAsFound() const;

  // Shapes name in place; `index` is its 0-based place in the numbering.
  void Shape(std::string& name, std::uint64_t index);

 private:
  FormatOptions options_;
  const CaseMapper& mapper_;
  std::optional<long long> start_;
  std::string scratch_;
};

}  // namespace brixel
