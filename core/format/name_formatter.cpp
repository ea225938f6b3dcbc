#include "core/format/name_formatter.h"

#include <algorithm>

#include "core/format/name_passes.h"
#include "core/format/start_number.h"
#include "core/platform/user_locale.h"
#include "core/text/case_map.h"

namespace brixel {

FormatLocale FormatLocale::ForUser() {
  return {&CaseMapper::ForUser(), UserLocaleName(LocaleCategory::Numbers)};
}

NameFormatter::NameFormatter(const FormatOptions& options, const FormatLocale& locale)
    : options_(options), mapper_(*locale.case_mapper) {
  // A digit count from outside the list could only pad absurdly; keep it to the list's range.
  options_.digits = std::clamp(options_.digits, kMinDigits, kMaxDigits);
  if (options_.numbering) start_ = ParseStartNumber(options_.start_text, locale.number_locale);
}

bool NameFormatter::LeavesNamesAsFound() const {
  return options_.letter_case == LetterCase::None && !options_.underscores && !start_ &&
         !options_.remove_extension;
}

void NameFormatter::Shape(std::string& name, std::uint64_t index) {
  switch (options_.letter_case) {
    case LetterCase::None:
      break;
    case LetterCase::Upper:
      UpperCasePass(name, scratch_, mapper_);
      break;
    case LetterCase::Lower:
      LowerCasePass(name, scratch_, mapper_);
      break;
    case LetterCase::FirstCapital:
      FirstCapitalPass(name, scratch_, mapper_);
      break;
  }
  if (options_.underscores) UnderscorePass(name);
  if (start_) NumberingPass(name, NumberAt(*start_, index), options_.digits, scratch_);
  if (options_.remove_extension) ExtensionPass(name);
}

}  // namespace brixel
