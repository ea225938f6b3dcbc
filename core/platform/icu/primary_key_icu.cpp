#include "core/platform/icu/primary_key_icu.h"

#include <unicode/uset.h>

#include <cstring>
#include <memory>

#include "core/utf8/utf8.h"

namespace brixel::platform {

namespace {

// Bytes of ICU's sort key format.
constexpr unsigned char kLevelSeparator = 0x01;
constexpr unsigned char kMergeSeparator = 0x02;
constexpr unsigned char kCompressionLow = 0x03;
constexpr unsigned char kCompressionHigh = 0xFF;

// Writes primary weights as ICU's key writer does: a weight's lead byte is left out after a
// weight with the same compressible lead byte, and a run of such weights ends with a byte that
// says whether the next weight is lower or higher.
class PrimaryWriter {
 public:
  explicit PrimaryWriter(char* out) : out_(out) {}

  void Put(std::uint32_t p, bool compressible) {
    Lead(p, compressible);
    if (const std::uint32_t b2 = (p >> 16) & 0xFF; b2 != 0) {
      Byte(b2);
      if (const std::uint32_t b3 = (p >> 8) & 0xFF; b3 != 0) {
        Byte(b3);
        if (const std::uint32_t b4 = p & 0xFF; b4 != 0) Byte(b4);
      }
    }
  }

  // The same with the bytes after the lead worked out beforehand (a character's weight): they go
  // out as one four-byte store, of which the first tail_size count. The buffer has room for it.
  void Put(std::uint32_t p, bool compressible, const unsigned char (&tail)[4], std::size_t tail_size) {
    Lead(p, compressible);
    std::memcpy(out_, tail, 4);
    out_ += tail_size;
  }

  // A number's weights (ICU's numeric ordering): digits are values 0..9 without leading zeros
  // (but one), at most 254 of them. Small numbers take one weight of two to four bytes; larger
  // ones the count of digit pairs and then the pairs, three to a weight.
  void PutNumber(std::uint32_t lead, const unsigned char* digits, std::size_t length) {
    if (length <= 7) {
      std::uint32_t value = 0;
      for (std::size_t i = 0; i < length; ++i) value = value * 10 + digits[i];
      if (value < 74) return Put(lead | ((2 + value) << 16), false);
      value -= 74;
      if (value < 40 * 254) return Put(lead | ((76 + value / 254) << 16) | ((2 + value % 254) << 8), false);
      value -= 40 * 254;
      if (value < 16 * 254 * 254) {
        std::uint32_t p = lead | (2 + value % 254);
        value /= 254;
        p |= (2 + value % 254) << 8;
        value /= 254;
        return Put(p | ((116 + value) << 16), false);
      }
    }
    const auto pairs = static_cast<std::uint32_t>((length + 1) / 2);
    std::uint32_t p = lead | ((128 + pairs) << 16);
    while (digits[length - 1] == 0 && digits[length - 2] == 0) length -= 2;  // trailing 00 pairs
    std::uint32_t pair;
    std::size_t pos;
    if (length % 2 == 1) {
      pair = digits[0];
      pos = 1;
    } else {
      pair = digits[0] * 10u + digits[1];
      pos = 2;
    }
    pair = 11 + 2 * pair;
    int shift = 8;
    for (; pos < length; pos += 2) {
      if (shift == 0) {
        Put(p | pair, false);
        p = lead;
        shift = 16;
      } else {
        p |= pair << shift;
        shift -= 8;
      }
      pair = 11 + 2 * (digits[pos] * 10u + digits[pos + 1]);
    }
    Put(p | ((pair - 1) << shift), false);
  }

  char* End() const { return out_; }

 private:
  void Lead(std::uint32_t p, bool compressible) {
    const std::uint32_t lead = p >> 24;
    if (compressible && lead == (run_ >> 24)) return;
    if (run_ != 0) {
      if (p < run_) {
        if (lead > kMergeSeparator) Byte(kCompressionLow);
      } else {
        Byte(kCompressionHigh);
      }
    }
    Byte(lead);
    run_ = compressible ? p : 0;
  }

  void Byte(std::uint32_t b) { *out_++ = static_cast<char>(b); }

  char* out_;
  std::uint32_t run_ = 0;  // the weight that began the current compressed run; 0: none
};

std::u16string Utf16(std::string_view utf8) {
  std::u16string u;
  AppendUtf16(utf8, u);
  return u;
}

bool IsDigit(char c) {
  return c >= '0' && c <= '9';
}

}  // namespace

std::string IcuPrimaryKey(const UCollator* collator, std::u16string_view text) {
  std::string key(text.size() * 8 + 16, '\0');
  for (;;) {
    const auto capacity = static_cast<int32_t>(key.size());
    const int32_t n =
        ucol_getSortKey(collator, reinterpret_cast<const UChar*>(text.data()),
                        static_cast<int32_t>(text.size()), reinterpret_cast<uint8_t*>(key.data()), capacity);
    if (n <= capacity) {
      key.resize(n > 0 ? static_cast<std::size_t>(n) - 1 : 0);  // without the terminating NUL
      break;
    }
    key.resize(static_cast<std::size_t>(n));
  }
  const std::size_t separator = key.find(static_cast<char>(kLevelSeparator));
  if (separator != std::string::npos) key.resize(separator);
  return key;
}

FastPrimaryKeys::FastPrimaryKeys(const UCollator* collator) {
  usable_ = Learn(collator);
}

const FastPrimaryKeys::Weight* FastPrimaryKeys::Find(char32_t c) const {
  if (c < ascii_.size()) return &ascii_[c];
  if (c >= kCyrillicFirst && c < kCyrillicEnd) return &cyrillic_[c - kCyrillicFirst];
  return nullptr;
}

FastPrimaryKeys::Weight* FastPrimaryKeys::Find(char32_t c) {
  return const_cast<Weight*>(static_cast<const FastPrimaryKeys&>(*this).Find(c));
}

bool FastPrimaryKeys::Append(std::string_view utf8, std::string& out) const {
  // No character writes more than five bytes, nor two digits more than a weight's. Names are
  // short: a buffer on the stack spares filling room in out that is cut off again.
  const std::size_t room = 5 * utf8.size() + 8;
  char stack[1024];
  std::string heap;
  if (room > sizeof stack) heap.resize(room);
  char* const buffer = room > sizeof stack ? heap.data() : stack;
  PrimaryWriter writer(buffer);
  const auto* p = reinterpret_cast<const unsigned char*>(utf8.data());
  const auto* end = p + utf8.size();
  unsigned char digits[254];
  while (p < end) {
    char32_t c = *p;
    if (c < 0x80 && !IsDigit(static_cast<char>(c))) {  // the common case first
      const Weight& w = ascii_[c];
      if (w.primary == 0) break;
      writer.Put(w.primary, w.compressible, w.tail, w.tail_size);
      ++p;
      continue;
    }
    if (IsDigit(static_cast<char>(c))) {
      const auto* q = p;
      while (q < end && IsDigit(static_cast<char>(*q))) ++q;
      if (q - p > 254) break;  // ICU cuts such a run in parts: left to ICU
      while (p + 1 < q && *p == '0') ++p;
      std::size_t n = 0;
      for (; p < q; ++p) digits[n++] = static_cast<unsigned char>(*p - '0');
      writer.PutNumber(numeric_lead_, digits, n);
      continue;
    }
    if ((c & 0xE0) != 0xC0 || c < 0xC2 || p + 1 == end || (p[1] & 0xC0) != 0x80) break;
    c = ((c & 0x1F) << 6) | (p[1] & 0x3F);
    const Weight* w = Find(c);
    if (w == nullptr || w->primary == 0) break;
    writer.Put(w->primary, w->compressible, w->tail, w->tail_size);
    p += 2;
  }
  if (p != end) return false;
  out.append(buffer, writer.End());
  return true;
}

bool FastPrimaryKeys::Check(const UCollator* collator, std::u16string_view text) const {
  std::string mine;
  return !Append(ToUtf8(text), mine) || mine == IcuPrimaryKey(collator, text);
}

bool FastPrimaryKeys::Learn(const UCollator* collator) {
  const std::string zero = IcuPrimaryKey(collator, u"0");
  if (zero.size() != 2 || zero[1] != kMergeSeparator) return false;  // no numeric ordering
  numeric_lead_ = static_cast<std::uint32_t>(static_cast<unsigned char>(zero[0])) << 24;

  // Each character alone: one weight of one to four bytes, and its lead byte compressed or not.
  std::u16string known;
  const auto learn = [&](char32_t c) {
    const std::u16string one(1, static_cast<char16_t>(c));
    const std::string key = IcuPrimaryKey(collator, one);
    if (key.empty() || key.size() > 4 || key.find('\0') != std::string::npos) return;
    std::uint32_t primary = 0;
    for (std::size_t i = 0; i < 4; ++i)
      primary = (primary << 8) | (i < key.size() ? static_cast<unsigned char>(key[i]) : 0u);
    if ((primary & 0xFF000000) == numeric_lead_) return;
    const std::string twice = IcuPrimaryKey(collator, one + one);
    Weight& w = *Find(c);
    if (key.size() > 1 && twice == key + key.substr(1))
      w.compressible = true;
    else if (twice != key + key)
      return;
    w.primary = primary;
    for (int shift = 16; shift >= 0 && ((primary >> shift) & 0xFF) != 0; shift -= 8)
      w.tail[w.tail_size++] = static_cast<unsigned char>(primary >> shift);
    known += one;
  };
  for (char32_t c = 0x20; c < 0x7F; ++c)
    if (!IsDigit(static_cast<char>(c))) learn(c);
  learn(0x401);
  for (char32_t c = 0x410; c < 0x450; ++c) learn(c);
  learn(0x451);

  // A contraction made only of known characters would join them into other weights.
  UErrorCode status = U_ZERO_ERROR;
  std::unique_ptr<USet, decltype(&uset_close)> contractions(uset_openEmpty(), &uset_close);
  ucol_getContractionsAndExpansions(collator, contractions.get(), nullptr, true, &status);
  if (U_FAILURE(status)) return false;
  const int32_t items = uset_getItemCount(contractions.get());
  for (int32_t i = 0; i < items; ++i) {
    UChar32 first, last;
    std::u16string s(64, u'\0');
    status = U_ZERO_ERROR;
    const int32_t n = uset_getItem(contractions.get(), i, &first, &last, reinterpret_cast<UChar*>(s.data()),
                                   static_cast<int32_t>(s.size()), &status);
    if (U_FAILURE(status)) return false;
    if (n == 0) continue;  // a range of single code points, not a contraction
    s.resize(static_cast<std::size_t>(n));
    bool all_known = true;
    for (char16_t c : s) {
      const Weight* w = Find(c);
      all_known =
          all_known && ((c < 0x80 && IsDigit(static_cast<char>(c))) || (w != nullptr && w->primary != 0));
    }
    if (!all_known) continue;
    for (char16_t c : s)
      if (Weight* w = Find(c)) *w = {};
  }

  // Every pair, so every way one weight can follow another, and a number on either side.
  std::u16string chars;
  for (char16_t c : known)
    if (const Weight* w = Find(c); w != nullptr && w->primary != 0) chars += c;
  chars += u'5';
  for (char16_t a : chars) {
    if (!Check(collator, std::u16string(1, a))) return false;
    for (char16_t b : chars)
      if (!Check(collator, std::u16string{a, b})) return false;
  }
  // Numbers at every boundary of their encodings, with the leading zeros ICU drops.
  for (const char16_t* n :
       {u"0", u"000", u"007", u"73", u"74", u"10233", u"10234", u"1042489", u"1042490", u"9999999",
        u"10000000", u"12345678", u"100000000", u"1234567890123", u"10000000000000000000", u"0012300456000"})
    if (!Check(collator, n)) return false;
  const std::u16string long_number = u"9" + std::u16string(253, u'0');
  if (!Check(collator, long_number) || !Check(collator, u"x" + long_number + u"y")) return false;
  for (const char* text : {"track 12.mp3", "Track_07 - Live at Home.WAV", "Ёлка 2019.mp3", "песня 001.wav",
                           "a1b22c333d4444", "Z-z.z,Я_я ё"})
    if (!Check(collator, Utf16(text))) return false;
  return true;
}

}  // namespace brixel::platform
