#include <unicode/ucol.h>

#include <memory>
#include <mutex>
#include <stdexcept>

#include "core/platform/collation.h"
#include "core/platform/icu/primary_key_icu.h"
#include "core/utf8/utf8.h"

namespace brixel {

namespace {

UCollator* Open(const std::string& locale_name, UColAttributeValue strength) {
  UErrorCode status = U_ZERO_ERROR;
  UCollator* collator = ucol_open(locale_name.c_str(), &status);
  if (U_FAILURE(status)) throw std::runtime_error("cannot open the collation of the locale");
  ucol_setAttribute(collator, UCOL_NUMERIC_COLLATION, UCOL_ON, &status);
  if (strength != UCOL_DEFAULT_STRENGTH) ucol_setStrength(collator, strength);
  return collator;
}

}  // namespace

struct Collator::Impl {
  std::string locale;
  UCollator* collator = nullptr;
  // Made on the first primary key: most collators never sort enough names to need them.
  std::once_flag primary_once;
  UCollator* primary = nullptr;  // the same collation at the first level alone
  std::unique_ptr<platform::FastPrimaryKeys> fast;
  ~Impl() {
    ucol_close(primary);
    ucol_close(collator);
  }
};

Collator::Collator(const std::string& locale_name) : impl_(std::make_unique<Impl>()) {
  impl_->locale = locale_name;
  impl_->collator = Open(locale_name, UCOL_DEFAULT_STRENGTH);
}

namespace {

// The calling thread's UTF-16 copy of a text: one collator serves every thread (keys are made on
// a thread of their own while a scan reads folders, and the windows sort on theirs).
std::u16string& Utf16Scratch(std::string_view text) {
  thread_local std::u16string u;
  u.clear();
  AppendUtf16(text, u);
  return u;
}

}  // namespace

Collator::~Collator() = default;

void Collator::AppendSortKey(std::string_view text, std::string& out) const {
  const std::u16string& u = Utf16Scratch(text);
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

void Collator::AppendPrimaryKey(std::string_view text, std::string& out) const {
  Impl& impl = *impl_;
  std::call_once(impl.primary_once, [&impl] {
    impl.primary = Open(impl.locale, UCOL_PRIMARY);
    impl.fast = std::make_unique<platform::FastPrimaryKeys>(impl.collator);
  });
  if (impl.fast->Usable() && impl.fast->Append(text, out)) return;
  const std::u16string& u = Utf16Scratch(text);
  out += platform::IcuPrimaryKey(impl.primary, u);
}

}  // namespace brixel
