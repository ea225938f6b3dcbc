#pragma once
// What a platform gives the case mapper: whole-text mappings in one locale, full Unicode rules,
// bytes that are not UTF-8 passed through where they stand.
#include <memory>
#include <string>
#include <string_view>

namespace brixel {

class PlatformCaseMap {
 public:
  virtual ~PlatformCaseMap() = default;
  // Replace out with text mapped wholly to upper or lower case.
  virtual void Upper(std::string_view text, std::string& out) const = 0;
  virtual void Lower(std::string_view text, std::string& out) const = 0;
};

// locale_name as ICU names it ("" for the root locale). Throws std::runtime_error when the
// platform has no such mapping.
std::unique_ptr<PlatformCaseMap> OpenPlatformCaseMap(const std::string& locale_name);

}  // namespace brixel
