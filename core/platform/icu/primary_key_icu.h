#pragma once
// The first level of ICU's sort keys (base letters and numbers), written without asking ICU for
// texts made of the characters most names are made of: ASCII and the Russian alphabet.
//
// ICU spends most of a key on the accent and case levels and on its general machinery; a sort
// that compares the first level first needs the whole key only for texts that level cannot tell
// apart. The bytes written here are ICU's own, so they mix freely with keys ICU makes for other
// texts. They are learnt from the collator itself (each character's weight and whether ICU
// compresses its lead byte) and checked against ICU on every pair of characters, on numbers of
// every size and on mixed texts; a locale that fails any check gets no fast keys at all.
#include <unicode/ucol.h>

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace brixel::platform {

class FastPrimaryKeys {
 public:
  // Learns from a collator with numeric ordering on (any strength: only the first level is used).
  explicit FastPrimaryKeys(const UCollator* collator);

  bool Usable() const { return usable_; }

  // Appends the first level of the text's sort key exactly as ICU writes it. False, with out
  // unchanged, when the text holds a character this table does not know (or is not UTF-8).
  bool Append(std::string_view utf8, std::string& out) const;

 private:
  struct Weight {
    std::uint32_t primary = 0;   // reordered, as it stands in a key; 0: unknown character
    bool compressible = false;   // ICU leaves out the lead byte after one like it
    unsigned char tail[4] = {};  // the bytes after the lead, as a key holds them
    unsigned char tail_size = 0;
  };

  static constexpr char32_t kCyrillicFirst = 0x400;
  static constexpr char32_t kCyrillicEnd = 0x460;

  const Weight* Find(char32_t c) const;
  Weight* Find(char32_t c);
  bool Learn(const UCollator* collator);
  // False when the table knows every character of the text and writes another key than ICU.
  bool Check(const UCollator* collator, std::u16string_view text) const;

  std::array<Weight, 128> ascii_{};
  std::array<Weight, kCyrillicEnd - kCyrillicFirst> cyrillic_{};
  std::uint32_t numeric_lead_ = 0;  // the reordered lead byte of every number, as xx000000
  bool usable_ = false;
};

// The first level of the text's key as ICU writes it: its full sort key up to the first level
// separator.
std::string IcuPrimaryKey(const UCollator* collator, std::u16string_view text);

}  // namespace brixel::platform
