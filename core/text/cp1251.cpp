#include "core/text/cp1251.h"

#include <vector>

#include "core/platform/cp1251_table.h"
#include "core/utf8/utf8.h"

namespace brixel {

namespace {

// Code point -> byte, for the code points the upper half maps (all below U+2200).
class ReverseTable {
 public:
  ReverseTable() : bytes_(0x2200, 0) {
    const auto& upper = Cp1251UpperHalf();
    for (unsigned i = 0; i < upper.size(); ++i)
      if (upper[i] != 0 && upper[i] < bytes_.size())
        bytes_[upper[i]] = static_cast<unsigned char>(0x80 + i);
  }
  // 0 when the code page has no byte for cp.
  unsigned char Find(char32_t cp) const { return cp < bytes_.size() ? bytes_[cp] : 0; }

 private:
  std::vector<unsigned char> bytes_;
};

const ReverseTable& Reverse() {
  static const ReverseTable table;
  return table;
}

bool IsPrintableAscii(char c) { return c >= 0x20 && c < 0x7F; }

bool IsControl(char32_t cp) { return cp < 0x20 || (cp >= 0x7F && cp <= 0x9F); }

void AppendHtmlAscii(char c, std::string& out) {
  switch (c) {
    case '&': out += "&amp;"; break;
    case '<': out += "&lt;"; break;
    case '>': out += "&gt;"; break;
    default: out += c;
  }
}

}  // namespace

void AppendCp1251(std::string_view utf8, std::string& out, Cp1251Mode mode) {
  const char* p = utf8.data();
  const char* end = p + utf8.size();
  while (p < end) {
    const auto b = static_cast<unsigned char>(*p);
    if (b >= 0x20 && b < 0x7F) {  // printable ASCII, the common case
      if (mode == Cp1251Mode::Html) {
        AppendHtmlAscii(static_cast<char>(b), out);
        ++p;
        continue;
      }
      const char* run = p + 1;  // a text list takes a whole run of it at once
      while (run < end && IsPrintableAscii(*run)) ++run;
      out.append(p, run);
      p = run;
      continue;
    }
    const DecodedChar d = DecodeUtf8(p, end);
    p += d.size;
    if (!d.valid || IsControl(d.value)) {
      out += '?';
    } else if (const unsigned char byte = Reverse().Find(d.value); byte != 0) {
      out += static_cast<char>(byte);
    } else if (mode == Cp1251Mode::Html) {
      out += "&#" + std::to_string(static_cast<unsigned long>(d.value)) + ";";
    } else {
      out += '?';
    }
  }
}

std::string DecodeCp1251(std::string_view bytes) {
  const auto& upper = Cp1251UpperHalf();
  std::string out;
  out.reserve(bytes.size() * 2);
  for (char c : bytes) {
    const auto b = static_cast<unsigned char>(c);
    if (b < 0x80) {
      out += c;
    } else {
      const char32_t cp = upper[b - 0x80];
      AppendUtf8(cp != 0 ? cp : 0xFFFD, out);
    }
  }
  return out;
}

}  // namespace brixel
