#include "core/export/column_width.h"

#include <algorithm>
#include <cmath>
#include <string_view>

#include "core/details/field_text.h"
#include "core/utf8/utf8.h"

namespace brixel {

namespace {

constexpr double kDigitPixels = 7;
constexpr double kCellPadding = 5;  // included in both formats' stored widths
constexpr double kMaxCharacters = 255;

bool IsEastAsianWideOrEmoji(char32_t c) {
  return (c >= 0x1100 && c <= 0x115F) || (c >= 0x2E80 && c <= 0xA4CF) || (c >= 0xAC00 && c <= 0xD7A3) ||
         (c >= 0xF900 && c <= 0xFAFF) || (c >= 0xFE30 && c <= 0xFE4F) || (c >= 0xFF00 && c <= 0xFF60) ||
         (c >= 0xFFE0 && c <= 0xFFE6) || (c >= 0x1F000 && c <= 0x1FAFF) || (c >= 0x20000 && c <= 0x3FFFD);
}

bool IsUpperCase(char32_t c) {
  return (c >= 'A' && c <= 'Z') || (c >= 0xC0 && c <= 0xDE && c != 0xD7) || (c >= 0x391 && c <= 0x3A9) ||
         (c >= 0x400 && c <= 0x42F);
}

std::uint32_t CharPixels(char32_t c) {
  static constexpr std::u32string_view kNarrow = U"ijl'|!.,:;";
  static constexpr std::u32string_view kSlim = U" ftrI-()[]/\\{}\"";
  static constexpr std::u32string_view kWide = U"mwMW@%ЖШЩЮЫФжшщыюфм";
  if (kNarrow.find(c) != std::u32string_view::npos) return 3;
  if (kSlim.find(c) != std::u32string_view::npos) return 4;
  if (kWide.find(c) != std::u32string_view::npos) return 11;
  if (IsEastAsianWideOrEmoji(c)) return 13;
  if (IsUpperCase(c)) return 9;
  return 7;
}

}  // namespace

std::uint32_t EstimateTextPixels(std::string_view utf8) {
  std::uint32_t pixels = 0;
  const char* p = utf8.data();
  const char* end = p + utf8.size();
  while (p < end) {
    const DecodedChar d = DecodeUtf8(p, end);
    p += d.size;
    pixels += d.valid ? CharPixels(d.value) : 7;
  }
  return pixels;
}

void ColumnWidths::Note(std::uint32_t column, std::uint32_t pixels) {
  if (column >= widest_.size()) widest_.resize(column + 1, 0);
  widest_[column] = std::max(widest_[column], pixels);
}

double ColumnWidths::ColumnPixels(std::uint32_t column) const {
  // A tenth more than the widest name, and a margin on top, so estimates that fall short still fit.
  return 1.1 * widest_[column] + 8;
}

std::uint16_t ColumnWidths::XlsWidth(std::uint32_t column) const {
  const double units = std::ceil(ColumnPixels(column) * 256 / kDigitPixels);
  return static_cast<std::uint16_t>(std::min(units, kMaxCharacters * 256));
}

double ColumnWidths::XlsxWidth(std::uint32_t column) const {
  return std::min((ColumnPixels(column) - kCellPadding) / kDigitPixels, kMaxCharacters);
}

std::uint32_t EstimateFieldPixels(const FieldValue& value, std::string& scratch) {
  scratch.clear();
  AppendFieldText(value, scratch);
  if (std::holds_alternative<ByteCount>(value)) scratch.append((scratch.size() - 1) / 3, ',');
  return EstimateTextPixels(scratch);
}

}  // namespace brixel
