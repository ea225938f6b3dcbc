#include <unicode/ucasemap.h>

#include <stdexcept>

#include "core/platform/platform_case_map.h"

namespace brixel {

namespace {

using IcuMapFn = int32_t (*)(const UCaseMap*, char*, int32_t, const char*, int32_t, UErrorCode*);

class IcuCaseMap final : public PlatformCaseMap {
 public:
  explicit IcuCaseMap(const std::string& locale_name) {
    UErrorCode status = U_ZERO_ERROR;
    map_ = ucasemap_open(locale_name.c_str(), 0, &status);
    if (U_FAILURE(status)) throw std::runtime_error("cannot open the case mapping of the locale");
  }
  ~IcuCaseMap() override { ucasemap_close(map_); }

  void Upper(std::string_view text, std::string& out) const override { Map(ucasemap_utf8ToUpper, text, out); }
  void Lower(std::string_view text, std::string& out) const override { Map(ucasemap_utf8ToLower, text, out); }

 private:
  // ICU works on UTF-8 directly and copies ill-formed bytes as they are.
  void Map(IcuMapFn fn, std::string_view text, std::string& out) const {
    out.resize(text.size() + text.size() / 2 + 8);
    for (;;) {
      UErrorCode status = U_ZERO_ERROR;
      const int32_t n = fn(map_, out.data(), static_cast<int32_t>(out.size()), text.data(),
                           static_cast<int32_t>(text.size()), &status);
      if (status == U_BUFFER_OVERFLOW_ERROR) {
        out.resize(static_cast<std::size_t>(n));
        continue;
      }
      if (U_FAILURE(status)) {
        out.assign(text);  // mapping cannot fail on valid arguments; keep the name if it does
        return;
      }
      out.resize(static_cast<std::size_t>(n));
      return;
    }
  }

  UCaseMap* map_ = nullptr;
};

}  // namespace

std::unique_ptr<PlatformCaseMap> OpenPlatformCaseMap(const std::string& locale_name) {
  return std::make_unique<IcuCaseMap>(locale_name);
}

}  // namespace brixel
