#pragma once
// The order of the found-files table: generic ascending. The blank row comes first; then names
// that read wholly as a number (optional sign, digits, optional "." and fraction digits) by
// value; then every other name by the user's collation with numeric ordering, so "track2" sorts
// before "track10" and Cyrillic sorts as a Russian reader expects. Equal names keep both rows, in
// the order they were found.
//
// The comparison is built as one byte key per name, compared with memcmp, so it is a strict weak
// ordering by construction. A sort first compares the cheap leading keys (the collation's first
// level) and makes whole order keys only for names those cannot tell apart.
#include <cstdint>
#include <functional>
#include <stop_token>
#include <string>
#include <string_view>
#include <vector>

#include "core/listing/name_column.h"

namespace brixel {

class Collator;

// Appends the order key of one name.
void AppendOrderKey(std::string_view name, const Collator& collator, std::string& key);

// Appends the leading key of one name: the order key with the collation's first level alone
// (Collator::AppendPrimaryKey), much cheaper to make. Names whose leading keys differ are in the
// order of their leading keys; names whose leading keys are equal go by their order keys.
void AppendLeadingKey(std::string_view name, const Collator& collator, std::string& key);

// The leading keys of names given one at a time, sorted when asked: a scan computes them while it
// still reads folders (sorting_target.h), and the whole order is the same as AscendingOrder's.
class OrderKeys {
 public:
  explicit OrderKeys(const Collator& collator) : collator_(collator) {}

  // The key of the next name; rows are numbered in the order names come, from 0.
  void Add(std::string_view name);
  std::size_t Size() const { return rows_.size(); }
  std::size_t KeyBytes() const { return keys_.size(); }
  // Room for this many names in all, of this many bytes.
  void Reserve(std::size_t names, std::size_t name_bytes);

  // Puts the rows in ascending order. name_of gives the name of the row added i-th (asked only
  // for rows whose leading keys are equal). False when the stop was requested first.
  using NameOf = std::function<std::string_view(std::uint32_t)>;
  bool Sort(const NameOf& name_of, std::stop_token stop = {});

  // The row at position i as the rows stand (the order added, or ascending once sorted): which
  // name it was added as, and its leading key. Rows compare as their leading keys do with memcmp
  // (a prefix first), then by order key, then by name, then in the order added.
  std::uint32_t IndexAt(std::size_t i) const { return rows_[i].index; }
  std::string_view KeyAt(std::size_t i) const {
    return {keys_.data() + rows_[i].key_offset, rows_[i].key_size};
  }

  // Forgets every row, keeping the room they took.
  void Clear() {
    keys_.clear();
    rows_.clear();
  }

  // What one row carries while it is sorted.
  struct Row {
    std::uint64_t chunk[2];  // key bytes depth..depth+15, big-endian, zero-padded
    std::uint32_t ends;      // the key size if the key ends within this chunk, else kContinues
    std::uint32_t key_offset;
    std::uint32_t key_size;
    std::uint32_t index;
  };

 private:
  const Collator& collator_;
  std::string keys_;
  std::vector<Row> rows_;
};

// The rows of a column in ascending order (a permutation of 0..size-1).
std::vector<std::uint32_t> AscendingOrder(const NameColumn& names, const Collator& collator);

// Sorts a column in place.
void SortNames(NameColumn& names, const Collator& collator);

// The collator of the user's locale, made on first use.
const Collator& UserCollator();

}  // namespace brixel
