#include "core/listing/name_order.h"

#include <algorithm>
#include <cstring>

#include "core/text/collation.h"
#include "core/text/user_locale.h"

namespace brixel {

namespace {

// Classes in key order.
enum : unsigned char { kBlank = 0, kNegative = 1, kZero = 2, kPositive = 3, kText = 4 };

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// Splits a name that reads wholly as a number into sign, integer digits (no leading zeros) and
// fraction digits (no trailing zeros). False for any other name.
bool ReadNumber(std::string_view s, bool& negative, std::string_view& int_part, std::string_view& frac) {
  negative = false;
  if (!s.empty() && (s[0] == '+' || s[0] == '-')) {
    negative = s[0] == '-';
    s.remove_prefix(1);
  }
  std::size_t i = 0;
  while (i < s.size() && IsDigit(s[i])) ++i;
  if (i == 0) return false;
  int_part = s.substr(0, i);
  frac = {};
  if (i < s.size()) {
    if (s[i] != '.') return false;
    std::size_t j = i + 1;
    while (j < s.size() && IsDigit(s[j])) ++j;
    if (j == i + 1 || j != s.size()) return false;
    frac = s.substr(i + 1, j - i - 1);
  }
  while (!int_part.empty() && int_part.front() == '0') int_part.remove_prefix(1);
  while (!frac.empty() && frac.back() == '0') frac.remove_suffix(1);
  return true;
}

// Magnitude as bytes that compare like the value: digit count, digits, fraction digits.
void AppendMagnitude(std::string_view int_part, std::string_view frac, std::string& key) {
  const auto n = static_cast<std::uint32_t>(int_part.size());
  for (int shift = 24; shift >= 0; shift -= 8) key += static_cast<char>((n >> shift) & 0xFF);
  key.append(int_part);
  key.append(frac);
}

struct Row {
  std::uint64_t prefix;  // first eight key bytes, big-endian: most comparisons end here
  std::uint32_t key_offset;
  std::uint32_t key_size;
  std::uint32_t index;
};

std::uint64_t Prefix(const std::string& keys, std::size_t offset, std::size_t size) {
  std::uint64_t p = 0;
  for (std::size_t i = 0; i < 8; ++i)
    p = (p << 8) | (i < size ? static_cast<unsigned char>(keys[offset + i]) : 0u);
  return p;
}

}  // namespace

void AppendOrderKey(std::string_view name, const Collator& collator, std::string& key) {
  if (name.empty()) {
    key += static_cast<char>(kBlank);
    return;
  }
  bool negative;
  std::string_view int_part, frac;
  if (ReadNumber(name, negative, int_part, frac)) {
    if (int_part.empty() && frac.empty()) {
      key += static_cast<char>(kZero);
    } else if (!negative) {
      key += static_cast<char>(kPositive);
      AppendMagnitude(int_part, frac, key);
      key += '\0';
    } else {
      // Larger magnitudes come first: invert the bytes, and end with 0xFF so a shorter
      // magnitude (a prefix) sorts after the longer one.
      key += static_cast<char>(kNegative);
      const std::size_t start = key.size();
      AppendMagnitude(int_part, frac, key);
      for (std::size_t i = start; i < key.size(); ++i) key[i] = static_cast<char>(~key[i]);
      key += '\xFF';
    }
    return;
  }
  key += static_cast<char>(kText);
  collator.AppendSortKey(name, key);
}

std::vector<std::uint32_t> AscendingOrder(const NameColumn& names, const Collator& collator) {
  std::string keys;
  keys.reserve(names.ByteSize() * 2 + names.Size() * 8);
  std::vector<Row> rows(names.Size());
  for (std::uint32_t i = 0; i < rows.size(); ++i) {
    const std::size_t start = keys.size();
    AppendOrderKey(names[i], collator, keys);
    rows[i] = {0, static_cast<std::uint32_t>(start), static_cast<std::uint32_t>(keys.size() - start), i};
  }
  for (Row& r : rows) r.prefix = Prefix(keys, r.key_offset, r.key_size);

  std::sort(rows.begin(), rows.end(), [&](const Row& a, const Row& b) {
    if (a.prefix != b.prefix) return a.prefix < b.prefix;
    const std::size_t n = std::min(a.key_size, b.key_size);
    if (n > 8) {
      const int c = std::memcmp(keys.data() + a.key_offset + 8, keys.data() + b.key_offset + 8, n - 8);
      if (c != 0) return c < 0;
    }
    if (a.key_size != b.key_size) return a.key_size < b.key_size;
    // Equal keys: names that collate alike ("012" and "12", or canonically equivalent forms)
    // go by their bytes, and equal names keep the order they were found in.
    const int c = names[a.index].compare(names[b.index]);
    if (c != 0) return c < 0;
    return a.index < b.index;
  });

  std::vector<std::uint32_t> order(rows.size());
  for (std::size_t i = 0; i < rows.size(); ++i) order[i] = rows[i].index;
  return order;
}

void SortNames(NameColumn& names, const Collator& collator) {
  names.Permute(AscendingOrder(names, collator));
}

const Collator& UserCollator() {
  static const Collator user(UserLocaleName(LocaleCategory::Collation));
  return user;
}

}  // namespace brixel
