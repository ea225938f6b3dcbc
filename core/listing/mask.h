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

  bool Matches(std::string_view name) const;
  bool ListsAnything() const { return usable_; }
  const std::string& Text() const { return text_; }

 private:
  std::string text_;
  std::string upper_tail_;  // the mask after its star, upper-cased
  std::size_t tail_chars_ = 0;
  bool usable_ = false;
  bool ascii_tail_ = false;
};

}  // namespace brixel
