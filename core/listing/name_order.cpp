#include "core/listing/name_order.h"

#include <algorithm>

#include "core/listing/big_endian.h"
#include "core/platform/collation.h"
#include "core/platform/user_locale.h"

namespace brixel {

namespace {

// Classes in key order.
enum : unsigned char { kBlank = 0, kNegative = 1, kZero = 2, kPositive = 3, kText = 4 };

bool IsDigit(char c) {
  return c >= '0' && c <= '9';
}

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

// Keys are sorted sixteen bytes at a time (a most-significant-digit radix sort whose digits are
// sorted by std::sort): each row carries the current sixteen key bytes, so a comparison never
// touches the key buffer, and only rows that tie on those bytes load the next sixteen. Names
// often share long beginnings ("track 1", "track 2", ...), where a plain comparison sort would
// spend its time in cache misses on the key buffer.
constexpr std::size_t kChunk = 16;
constexpr std::uint32_t kContinues = 0xFFFFFFFF;

using Row = OrderKeys::Row;

void LoadChunk(const std::string& keys, std::size_t depth, Row& r) {
  const std::string_view key(keys.data() + r.key_offset, r.key_size);
  r.chunk[0] = BigEndian64At(key, depth);
  r.chunk[1] = BigEndian64At(key, depth + 8);
  // Among equal padded chunks a key that ends here is a prefix of any that goes on, and of two
  // that end, the shorter is the prefix (its missing bytes read as zeros).
  r.ends = r.key_size <= depth + kChunk ? r.key_size : kContinues;
}

// A function object, not a function pointer, so std::sort inlines the comparison.
struct ChunkLess {
  bool operator()(const Row& a, const Row& b) const {
    if (a.chunk[0] != b.chunk[0]) return a.chunk[0] < b.chunk[0];
    if (a.chunk[1] != b.chunk[1]) return a.chunk[1] < b.chunk[1];
    return a.ends < b.ends;
  }
};

bool SameChunk(const Row& a, const Row& b) {
  return a.chunk[0] == b.chunk[0] && a.chunk[1] == b.chunk[1] && a.ends == b.ends;
}

// Rows whose leading keys are equal go by their order keys. Names that collate alike ("012" and
// "12", canonically equivalent forms) go by their bytes, and equal names keep the order they were
// found in.
void SortTies(std::vector<Row>::iterator begin, std::vector<Row>::iterator end, const Collator& collator,
              const OrderKeys::NameOf& name_of) {
  struct Tie {
    std::string key;
    std::string_view name;
    Row row;
  };
  std::vector<Tie> ties;
  ties.reserve(static_cast<std::size_t>(end - begin));
  for (auto r = begin; r != end; ++r) {
    Tie t{{}, name_of(r->index), *r};
    AppendOrderKey(t.name, collator, t.key);
    ties.push_back(std::move(t));
  }
  std::sort(ties.begin(), ties.end(), [](const Tie& a, const Tie& b) {
    if (const int c = a.key.compare(b.key); c != 0) return c < 0;
    if (const int c = a.name.compare(b.name); c != 0) return c < 0;
    return a.row.index < b.row.index;
  });
  for (const Tie& t : ties) *begin++ = t.row;
}

std::vector<Row>::iterator RowAt(std::vector<Row>& rows, std::size_t i) {
  return rows.begin() + static_cast<std::ptrdiff_t>(i);
}

// False when the stop was requested before the rows were in order.
bool SortRows(std::vector<Row>& rows, const std::string& keys, const Collator& collator,
              const OrderKeys::NameOf& name_of, std::stop_token stop) {
  struct Range {
    std::size_t begin, end, depth;
  };
  std::vector<Range> pending{{0, rows.size(), 0}};
  while (!pending.empty()) {
    if (stop.stop_requested()) return false;
    const Range r = pending.back();
    pending.pop_back();
    if (r.depth > 0)
      for (std::size_t i = r.begin; i < r.end; ++i) LoadChunk(keys, r.depth, rows[i]);
    std::sort(RowAt(rows, r.begin), RowAt(rows, r.end), ChunkLess{});
    for (std::size_t i = r.begin; i < r.end;) {
      std::size_t j = i + 1;
      while (j < r.end && SameChunk(rows[i], rows[j])) ++j;
      if (j - i > 1) {
        if (rows[i].ends == kContinues) {
          pending.push_back({i, j, r.depth + kChunk});
        } else {
          SortTies(RowAt(rows, i), RowAt(rows, j), collator, name_of);
        }
      }
      i = j;
    }
  }
  return true;
}

// The order key, or with leading set the leading key: they differ in text names alone.
void AppendKey(std::string_view name, const Collator& collator, bool leading, std::string& key) {
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
  if (leading)
    collator.AppendPrimaryKey(name, key);
  else
    collator.AppendSortKey(name, key);
}

}  // namespace

void AppendOrderKey(std::string_view name, const Collator& collator, std::string& key) {
  AppendKey(name, collator, false, key);
}

void AppendLeadingKey(std::string_view name, const Collator& collator, std::string& key) {
  AppendKey(name, collator, true, key);
}

void OrderKeys::Add(std::string_view name) {
  const std::size_t start = keys_.size();
  AppendLeadingKey(name, collator_, keys_);
  Row r;
  r.key_offset = static_cast<std::uint32_t>(start);
  r.key_size = static_cast<std::uint32_t>(keys_.size() - start);
  r.index = static_cast<std::uint32_t>(rows_.size());
  rows_.push_back(r);
}

void OrderKeys::Reserve(std::size_t names, std::size_t name_bytes) {
  // A collation key takes about twice the bytes of its name.
  keys_.reserve(name_bytes * 2 + names * 8);
  rows_.reserve(names);
}

bool OrderKeys::Sort(const NameOf& name_of, std::stop_token stop) {
  for (Row& r : rows_) LoadChunk(keys_, 0, r);
  return SortRows(rows_, keys_, collator_, name_of, stop);
}

std::vector<std::uint32_t> AscendingOrder(const NameColumn& names, const Collator& collator) {
  OrderKeys keys(collator);
  keys.Reserve(names.Size(), names.ByteSize());
  for (std::size_t i = 0; i < names.Size(); ++i) keys.Add(names[i]);
  keys.Sort([&](std::uint32_t row) { return names[row]; });
  std::vector<std::uint32_t> order(keys.Size());
  for (std::size_t i = 0; i < order.size(); ++i) order[i] = keys.IndexAt(i);
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
