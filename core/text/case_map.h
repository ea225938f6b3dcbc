#pragma once
// Locale-aware, Unicode-correct letter case mapping of UTF-8 text (full mappings: "ß" upper-cases
// to "SS"; under a Turkish locale "i" upper-cases to "İ"). Bytes that are not valid UTF-8 pass
// through unchanged. Names made only of ASCII take a fast path with the same results.
#include <memory>
#include <string>
#include <string_view>

#include "core/platform/platform_case_map.h"

namespace brixel {

class CaseMapper {
 public:
  // locale_name as ICU names it; "" is the neutral root locale.
  explicit CaseMapper(const std::string& locale_name);
  ~CaseMapper();
  CaseMapper(const CaseMapper&) = delete;
  CaseMapper& operator=(const CaseMapper&) = delete;

  // Replace out with text mapped wholly to upper or lower case.
  void Upper(std::string_view text, std::string& out) const;
  void Lower(std::string_view text, std::string& out) const;

  // The mapper of the user's locale, made on first use.
  static const CaseMapper& ForUser();

 private:
  std::unique_ptr<PlatformCaseMap> platform_;
  bool ascii_fast_path_;  // off where ASCII letters map outside ASCII (Turkish, Azeri)
};

}  // namespace brixel
