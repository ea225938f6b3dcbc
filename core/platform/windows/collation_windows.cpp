// Collation keys from LCMapStringEx with numeric ordering: Windows promises that its sort keys
// compare byte by byte as CompareStringEx compares the texts with the same flags.
#include <windows.h>

#include "core/platform/collation.h"
#include "core/platform/windows/locale_name.h"
#include "core/utf8/utf8.h"

namespace brixel {

struct Collator::Impl {
  std::wstring locale;
};

namespace {
constexpr DWORD kKeyFlags = LCMAP_SORTKEY | SORT_DIGITSASNUMBERS;
}  // namespace

Collator::Collator(const std::string& locale_name)
    : impl_(std::make_unique<Impl>(Impl{platform::WindowsLocaleName(locale_name)})) {}

Collator::~Collator() = default;

void Collator::AppendSortKey(std::string_view text, std::string& out) const {
  // The UTF-16 copy lives on the stack, as long as file names are; a longer text takes the heap.
  // Not a thread_local scratch: mingw-w64 releases a thread's thread_local storage before it runs
  // the destructors of what lives there, so a string kept there would be freed through freed
  // memory each time a thread that made keys ends, and keys are made on threads that end.
  constexpr std::size_t kStackUnits = 512;
  char16_t stack[kStackUnits];
  std::u16string heap;
  char16_t* u = stack;
  if (text.size() > kStackUnits) {
    heap.resize(text.size());
    u = heap.data();
  }
  const std::size_t units = WriteUtf16(text, u);
  // LCMapStringEx refuses an empty source; a NUL-terminated empty text gives the empty key.
  const auto* source = units == 0 ? L"" : reinterpret_cast<const wchar_t*>(u);
  const int source_size = units == 0 ? -1 : static_cast<int>(units);
  const wchar_t* locale = impl_->locale.c_str();
  const int n = ::LCMapStringEx(locale, kKeyFlags, source, source_size, nullptr, 0, nullptr, nullptr, 0);
  if (n <= 0) return;  // no key: the text sorts before every other
  const std::size_t start = out.size();
  out.resize(start + static_cast<std::size_t>(n));
  const int written = ::LCMapStringEx(locale, kKeyFlags, source, source_size,
                                      reinterpret_cast<wchar_t*>(out.data() + start), n, nullptr, nullptr, 0);
  // The size counts bytes and ends with a NUL, which we drop: keys are kept with their lengths.
  out.resize(start + (written > 0 ? static_cast<std::size_t>(written) - 1 : 0));
}

// Here the whole sort key serves as the first-level key: it keeps the promise trivially, and
// texts only tie when their whole keys do.
void Collator::AppendPrimaryKey(std::string_view text, std::string& out) const {
  AppendSortKey(text, out);
}

}  // namespace brixel
