#include "core/listing/mask.h"

#include "core/text/case_map.h"
#include "core/utf8/utf8.h"

namespace brixel {

namespace {

const CaseMapper& MaskCase() {
  static const CaseMapper root("");
  return root;
}

char AsciiUpper(char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c; }

}  // namespace

Mask::Mask(std::string_view text) : text_(text) {
  if (text.empty() || text.front() != '*') return;
  const std::string_view tail = text.substr(1);
  if (tail.find_first_of("*?") != std::string_view::npos) return;
  usable_ = true;
  tail_chars_ = CountChars(tail);
  MaskCase().Upper(tail, upper_tail_);
  ascii_tail_ = IsAscii(upper_tail_) && IsAscii(tail);
}

bool Mask::Matches(std::string_view name) const {
  if (!usable_) return false;
  if (tail_chars_ == 0) return true;
  // ASCII bytes are always whole characters, so while the name's last bytes are ASCII they are
  // exactly its last characters: compared from the end, the first that differs decides (most
  // names differ in their last byte), and a tail of ASCII alone is the whole test.
  if (ascii_tail_ && name.size() >= tail_chars_) {
    const char* end = name.data() + name.size();
    std::size_t i = 1;
    for (; i <= tail_chars_ && static_cast<unsigned char>(end[-i]) < 0x80; ++i)
      if (AsciiUpper(end[-i]) != upper_tail_[tail_chars_ - i]) return false;
    if (i > tail_chars_) return true;
  }
  std::string upper;
  MaskCase().Upper(LastChars(name, tail_chars_), upper);
  return upper == upper_tail_;
}

}  // namespace brixel
