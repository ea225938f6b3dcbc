#include <unicode/ucasemap.h>

#include <stdexcept>

#include "core/text/case_map.h"
#include "core/text/user_locale.h"
#include "core/text/utf8.h"

namespace brixel {

struct CaseMapper::Impl {
  UCaseMap* map = nullptr;
  ~Impl() { ucasemap_close(map); }
};

namespace {

bool AsciiMapsToAscii(const std::string& locale) {
  const std::string lang = locale.substr(0, locale.find_first_of("_-"));
  return lang != "tr" && lang != "az";
}

using IcuMapFn = int32_t (*)(const UCaseMap*, char*, int32_t, const char*, int32_t, UErrorCode*);

void MapWithIcu(IcuMapFn fn, const UCaseMap* map, std::string_view text, std::string& out) {
  out.resize(text.size() + text.size() / 2 + 8);
  for (;;) {
    UErrorCode status = U_ZERO_ERROR;
    const int32_t n = fn(map, out.data(), static_cast<int32_t>(out.size()), text.data(),
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

}  // namespace

CaseMapper::CaseMapper(const std::string& locale_name)
    : impl_(std::make_unique<Impl>()), ascii_fast_path_(AsciiMapsToAscii(locale_name)) {
  UErrorCode status = U_ZERO_ERROR;
  impl_->map = ucasemap_open(locale_name.c_str(), 0, &status);
  if (U_FAILURE(status)) throw std::runtime_error("cannot open the case mapping of the locale");
}

CaseMapper::~CaseMapper() = default;

void CaseMapper::Upper(std::string_view text, std::string& out) const {
  if (ascii_fast_path_ && IsAscii(text)) {
    out.assign(text);
    for (char& c : out)
      if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    return;
  }
  MapWithIcu(ucasemap_utf8ToUpper, impl_->map, text, out);
}

void CaseMapper::Lower(std::string_view text, std::string& out) const {
  if (ascii_fast_path_ && IsAscii(text)) {
    out.assign(text);
    for (char& c : out)
      if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    return;
  }
  MapWithIcu(ucasemap_utf8ToLower, impl_->map, text, out);
}

const CaseMapper& CaseMapper::ForUser() {
  static const CaseMapper user(UserLocaleName(LocaleCategory::Casing));
  return user;
}

}  // namespace brixel
