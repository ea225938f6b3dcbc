#pragma once
// The order of the found-files table: generic ascending. The blank row comes first; then names
// that read wholly as a number (optional sign, digits, optional "." and fraction digits) by
// value; then every other name by the user's collation with numeric ordering, so "track2" sorts
// before "track10" and Cyrillic sorts as a Russian reader expects. Equal names keep both rows, in
// the order they were found.
//
// The comparison is built as one byte key per name, compared with memcmp, so it is a strict weak
// ordering by construction and costs one collation key per name.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "core/listing/name_column.h"

namespace brixel {

class Collator;

// Appends the order key of one name.
void AppendOrderKey(std::string_view name, const Collator& collator, std::string& key);

// The rows of a column in ascending order (a permutation of 0..size-1).
std::vector<std::uint32_t> AscendingOrder(const NameColumn& names, const Collator& collator);

// Sorts a column in place.
void SortNames(NameColumn& names, const Collator& collator);

// The collator of the user's locale, made on first use.
const Collator& UserCollator();

}  // namespace brixel
