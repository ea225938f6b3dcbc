#pragma once
// One file mask of a mask line: "*" followed by the ending a name must have.
#include <cstddef>
#include <string>
#include <string_view>

namespace brixel {

// The mask test. A name passes when the mask, in upper case, equals "*" followed by the name's
// last (mask length - 1) characters in upper case. Lengths count characters, not bytes; case
// mapping is Unicode-aware and the same in every locale, so "*.mid" lists "SONG.MID" for a Turkish
// user too. "*" passes every name. A mask that does not begin with "*", or holds a second wildcard
// ("*" or "?") after it, lists nothing, and so does an empty mask.
class Mask {
 public:
  explicit Mask(std::string_view text);

  // Every file entry of a walk meets every mask, so the common case is inline: a mask whose tail
  // is ASCII, compared from the name's end while its bytes are ASCII (they are whole characters
  // then, and the first that differs decides). Anything else takes the Unicode way.
  bool Matches(std::string_view name) const {
    if (!ascii_tail_ || name.size() < tail_chars_) return MatchesText(name);
    const char* end = name.data() + name.size();
    for (std::size_t i = 1; i <= tail_chars_; ++i) {
      const char c = end[-static_cast<std::ptrdiff_t>(i)];
      if (static_cast<unsigned char>(c) >= 0x80) return MatchesText(name);
      if ((c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c) != upper_tail_[tail_chars_ - i])
        return false;
    }
    return true;
  }

 private:
  bool MatchesText(std::string_view name) const;

  std::string upper_tail_;  // the mask after its star, upper-cased
  std::size_t tail_chars_ = 0;
  bool usable_ = false;
  bool ascii_tail_ = false;
};

}  // namespace brixel
