#include <locale.h>

#include <clocale>
#include <string>

#include "core/platform/c_numeric_locale.h"

namespace brixel::platform {

// The C runtime has no locale object per thread to switch to; instead the thread is given a
// locale of its own for the time being, set to "C" for numbers, and handed back afterwards.
struct CNumericLocale::Saved {
  int previous_mode;
  std::string previous_numeric;
};

CNumericLocale::CNumericLocale() : saved_(nullptr) {
  const int mode = _configthreadlocale(_ENABLE_PER_THREAD_LOCALE);
  if (mode == -1) return;
  const char* numeric = std::setlocale(LC_NUMERIC, nullptr);
  saved_ = new Saved{mode, numeric != nullptr ? numeric : "C"};
  std::setlocale(LC_NUMERIC, "C");
}

CNumericLocale::~CNumericLocale() {
  if (saved_ == nullptr) return;
  std::setlocale(LC_NUMERIC, saved_->previous_numeric.c_str());
  _configthreadlocale(saved_->previous_mode);
  delete saved_;
}

}  // namespace brixel::platform
