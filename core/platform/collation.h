#pragma once
// Locale-aware collation with numeric ordering ("track2" before "track10"), expressed as sort
// keys: two keys compare with memcmp exactly as their texts collate, so a sort over a million
// names computes one key per name and never calls the locale per pair.
#include <memory>
#include <string>
#include <string_view>

namespace brixel {

class Collator {
 public:
  explicit Collator(const std::string& locale_name);  // "" is the root collation
  ~Collator();
  Collator(const Collator&) = delete;
  Collator& operator=(const Collator&) = delete;

  // Appends the sort key of a UTF-8 text (invalid bytes collate as U+FFFD). The key holds no
  // NUL byte before its end, and a shorter key that is a prefix of a longer one sorts first.
  // Several threads may ask one collator at once.
  void AppendSortKey(std::string_view text, std::string& out) const;

  // Appends a key of the first level (base letters and numbers, without accents and case), far
  // cheaper to make: texts whose primary keys differ compare as those do with memcmp; texts whose
  // primary keys are equal are told apart by their sort keys. (On Windows it is the sort key.)
  void AppendPrimaryKey(std::string_view text, std::string& out) const;

 private:
  struct Impl;
  std::unique_ptr<Impl> impl_;
};

}  // namespace brixel
