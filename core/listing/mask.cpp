#include "core/listing/mask.h"

#include "core/text/case_map.h"
#include "core/utf8/utf8.h"

namespace brixel {

namespace {

const CaseMapper& MaskCase() {
  static const CaseMapper root("");
  return root;
}

}  // namespace

Mask::Mask(std::string_view text) {
  if (text.empty() || text.front() != '*') return;
  const std::string_view tail = text.substr(1);
  if (tail.find_first_of("*?") != std::string_view::npos) return;
  usable_ = true;
  tail_chars_ = CountChars(tail);
  MaskCase().Upper(tail, upper_tail_);
  ascii_tail_ = IsAscii(upper_tail_) && IsAscii(tail);
}

bool Mask::MatchesText(std::string_view name) const {
  if (!usable_) return false;
  if (tail_chars_ == 0) return true;
  std::string upper;
  MaskCase().Upper(LastChars(name, tail_chars_), upper);
  return upper == upper_tail_;
}

}  // namespace brixel
