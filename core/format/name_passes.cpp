#include "core/format/name_passes.h"

#include <algorithm>
#include <charconv>
#include <climits>
#include <string_view>

#include "core/text/case_map.h"
#include "core/utf8/utf8.h"

namespace brixel {

void UpperCasePass(std::string& name, std::string& scratch, const CaseMapper& mapper) {
  mapper.Upper(name, scratch);
  name.swap(scratch);
}

void LowerCasePass(std::string& name, std::string& scratch, const CaseMapper& mapper) {
  mapper.Lower(name, scratch);
  name.swap(scratch);
}

void FirstCapitalPass(std::string& name, std::string& scratch, const CaseMapper& mapper) {
  LowerCasePass(name, scratch, mapper);
  const std::size_t first = FirstCharSize(name);
  if (first == 0) return;
  // One character may raise to several ("ß" -> "SS"), so the lengths can differ.
  mapper.Upper(std::string_view(name).substr(0, first), scratch);
  name.replace(0, first, scratch);
}

void UnderscorePass(std::string& name) {
  std::replace(name.begin(), name.end(), '_', ' ');
}

void NumberingPass(std::string& name, long long number, int digits, std::string& scratch) {
  char text[24];
  const auto [end, ec] = std::to_chars(text, text + sizeof text, number);
  (void)ec;  // 24 characters hold every long long
  const std::string_view decimal(text, static_cast<std::size_t>(end - text));
  // The sign stays in front of the zeros ("-05", not "0-5"), so a padded number still reads as one.
  const bool negative = number < 0;
  const std::size_t width = static_cast<std::size_t>(std::max(digits, 0));
  const std::size_t zeros = decimal.size() < width ? width - decimal.size() : 0;

  scratch.clear();
  if (negative) scratch += '-';
  scratch.append(zeros, '0');
  scratch.append(decimal.substr(negative ? 1 : 0));
  scratch += ' ';
  scratch += name;
  name.swap(scratch);
}

void ExtensionPass(std::string& name) {
  if (const std::size_t dot = name.rfind('.'); dot != std::string::npos) name.resize(dot);
}

long long NumberAt(long long start, std::uint64_t index) {
  // In unsigned arithmetic, which wraps: LLONG_MAX - start is the room above start even for a
  // negative start, and start + index comes back to its signed value when it fits.
  const std::uint64_t room = static_cast<std::uint64_t>(LLONG_MAX) - static_cast<std::uint64_t>(start);
  if (index > room) return LLONG_MAX;
  return static_cast<long long>(static_cast<std::uint64_t>(start) + index);
}

}  // namespace brixel
