#include <unicode/ucol.h>

#include <stdexcept>

#include "core/platform/collation.h"
#include "core/utf8/utf8.h"

namespace brixel {

struct Collator::Impl {
  UCollator* collator = nullptr;
  mutable std::u16string utf16;  // scratch, reused across keys
  ~Impl() { ucol_close(collator); }
};

Collator::Collator(const std::string& locale_name) : impl_(std::make_unique<Impl>()) {
  UErrorCode status = U_ZERO_ERROR;
  impl_->collator = ucol_open(locale_name.c_str(), &status);
  if (U_FAILURE(status)) throw std::runtime_error("cannot open the collation of the locale");
  ucol_setAttribute(impl_->collator, UCOL_NUMERIC_COLLATION, UCOL_ON, &status);
}

Collator::~Collator() = default;

void Collator::AppendSortKey(std::string_view text, std::string& out) const {
  std::u16string& u = impl_->utf16;
  u.clear();
  AppendUtf16(text, u);
  const std::size_t start = out.size();
  out.resize(start + u.size() * 4 + 16);
  for (;;) {
    const int32_t capacity = static_cast<int32_t>(out.size() - start);
    const int32_t n = ucol_getSortKey(impl_->collator, u.data(), static_cast<int32_t>(u.size()),
                                      reinterpret_cast<uint8_t*>(out.data() + start), capacity);
    if (n > capacity) {  // the key did not fit: ICU says how long it is
      out.resize(start + static_cast<std::size_t>(n));
      continue;
    }
    // n counts the terminating NUL, which we drop: keys are kept with their lengths.
    out.resize(start + (n > 0 ? static_cast<std::size_t>(n) - 1 : 0));
    return;
  }
}

}  // namespace brixel
