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
      if (upper[i] != 0 && upper[i] < bytes_.size()) bytes_[upper[i]] = static_cast<unsigned char>(0x80 + i);
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

bool IsPrintableAscii(char c) {
  return c >= 0x20 && c < 0x7F;
}

bool IsControl(char32_t cp) {
  return cp < 0x20 || (cp >= 0x7F && cp <= 0x9F);
}

// The names HTML gives U+00A0..U+00FF. Spreadsheet applications that import a Windows-1251 page
// read a numeric reference below 256 as a byte of that code page ("&#233;" as "й"), while a name
// means the same character to every reader.
constexpr const char* kLatin1Entities[96] = {
    "nbsp",   "iexcl",  "cent",   "pound",  "curren", "yen",    "brvbar", "sect",   "uml",    "copy",
    "ordf",   "laquo",  "not",    "shy",    "reg",    "macr",   "deg",    "plusmn", "sup2",   "sup3",
    "acute",  "micro",  "para",   "middot", "cedil",  "sup1",   "ordm",   "raquo",  "frac14", "frac12",
    "frac34", "iquest", "Agrave", "Aacute", "Acirc",  "Atilde", "Auml",   "Aring",  "AElig",  "Ccedil",
    "Egrave", "Eacute", "Ecirc",  "Euml",   "Igrave", "Iacute", "Icirc",  "Iuml",   "ETH",    "Ntilde",
    "Ograve", "Oacute", "Ocirc",  "Otilde", "Ouml",   "times",  "Oslash", "Ugrave", "Uacute", "Ucirc",
    "Uuml",   "Yacute", "THORN",  "szlig",  "agrave", "aacute", "acirc",  "atilde", "auml",   "aring",
    "aelig",  "ccedil", "egrave", "eacute", "ecirc",  "euml",   "igrave", "iacute", "icirc",  "iuml",
    "eth",    "ntilde", "ograve", "oacute", "ocirc",  "otilde", "ouml",   "divide", "oslash", "ugrave",
    "uacute", "ucirc",  "uuml",   "yacute", "thorn",  "yuml"};

void AppendHtmlReference(char32_t cp, std::string& out) {
  out += '&';
  if (cp >= 0xA0 && cp <= 0xFF)
    out += kLatin1Entities[cp - 0xA0];
  else
    out += '#' + std::to_string(static_cast<unsigned long>(cp));
  out += ';';
}

void AppendHtmlAscii(char c, std::string& out) {
  switch (c) {
    case '&':
      out += "&amp;";
      break;
    case '<':
      out += "&lt;";
      break;
    case '>':
      out += "&gt;";
      break;
    default:
      out += c;
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
      AppendHtmlReference(d.value, out);
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

bool Cp1251Holds(std::string_view utf8) {
  const char* p = utf8.data();
  const char* end = p + utf8.size();
  while (p < end) {
    if (IsPrintableAscii(*p)) {
      ++p;
      continue;
    }
    const DecodedChar d = DecodeUtf8(p, end);
    p += d.size;
    if (d.valid && !IsControl(d.value) && Reverse().Find(d.value) == 0) return false;
  }
  return true;
}

}  // namespace brixel
