#pragma once
// Counts as the user's locale writes them (1 234 567 under a Russian one, 1,234,567 under an
// English one), the same in every label and panel of the windows.
#include <QLocale>
#include <QString>
#include <cstddef>

namespace brixel {

inline QString GroupedNumber(std::size_t n) {
  return QLocale().toString(static_cast<qulonglong>(n));
}

}  // namespace brixel
