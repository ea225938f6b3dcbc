#pragma once
// The user's locale, as the desktop session sets it, named the way ICU names locales ("ru_RU",
// "tr_TR"; "" for the neutral root locale of the C and POSIX settings).
#include <string>

namespace brixel {

enum class LocaleCategory { Casing, Collation, Numbers };

std::string UserLocaleName(LocaleCategory category);

}  // namespace brixel
