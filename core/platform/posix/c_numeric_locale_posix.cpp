#include <locale.h>

#include "core/platform/c_numeric_locale.h"

namespace brixel::platform {

struct CNumericLocale::Saved {
  locale_t previous;  // the thread's own locale, or LC_GLOBAL_LOCALE
  locale_t pinned;
};

CNumericLocale::CNumericLocale() : saved_(nullptr) {
  const locale_t current = uselocale(static_cast<locale_t>(nullptr));
  // A copy of what the thread uses now, with the numbers alone set to "C".
  const locale_t base = duplocale(current);
  if (base == static_cast<locale_t>(nullptr)) return;
  const locale_t pinned = newlocale(LC_NUMERIC_MASK, "C", base);
  if (pinned == static_cast<locale_t>(nullptr)) {
    freelocale(base);
    return;
  }
  saved_ = new Saved{uselocale(pinned), pinned};
}

CNumericLocale::~CNumericLocale() {
  if (saved_ == nullptr) return;
  uselocale(saved_->previous);
  freelocale(saved_->pinned);
  delete saved_;
}

}  // namespace brixel::platform
