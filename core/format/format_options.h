#pragma once
// What the formatting switches and boxes hold, read afresh at every run; nothing is cached
// between runs. A default-made value is what the option reset leaves.
#include <array>
#include <string>
#include <string_view>

namespace brixel {

// The case switches act as one radio group in which nothing may be selected.
enum class LetterCase { None, Upper, Lower, FirstCapital };

inline constexpr int kMinDigits = 1;
inline constexpr int kMaxDigits = 5;
// The digit-count list shows the number 1 at each width; only the position counts.
inline constexpr std::array<std::string_view, kMaxDigits> kDigitCountEntries{"1", "01", "001", "0001",
                                                                             "00001"};

struct FormatOptions {
  LetterCase letter_case = LetterCase::None;
  bool underscores = false;  // "_" -> " "
  bool numbering = false;
  int digits = 1;                // kMinDigits..kMaxDigits: the position of the digit-count entry plus one
  std::string start_text = "1";  // the start box as typed; parsed at each run
  bool remove_extension = false;

  bool operator==(const FormatOptions&) const = default;
};

}  // namespace brixel
