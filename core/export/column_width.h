#pragma once
// Column widths fitted to the names. Neither format stores an "autofit", so the width is
// estimated from the characters: a pixel width per character class of the sheet's normal font
// (Arial 10 in .xls, Calibri 11 in .xlsx; both 7 px per digit), which stays within about 15% of
// the real text width, where counting characters can be off by half.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "core/details/detail_row.h"

namespace brixel {

// Estimated on-screen width of a UTF-8 text in pixels.
std::uint32_t EstimateTextPixels(std::string_view utf8);
// The same for a field as a workbook cell shows it (a size with its thousands separators);
// `scratch` is room for its text.
std::uint32_t EstimateFieldPixels(const FieldValue& value, std::string& scratch);

class ColumnWidths {
 public:
  void Note(std::uint32_t column, std::uint32_t pixels);
  std::uint32_t Count() const { return static_cast<std::uint32_t>(widest_.size()); }
  // BIFF8 COLINFO width, in 1/256 of a character, padding included.
  std::uint16_t XlsWidth(std::uint32_t column) const;
  // Width in characters as libxlsxwriter takes it (without the padding it adds itself).
  double XlsxWidth(std::uint32_t column) const;

 private:
  double ColumnPixels(std::uint32_t column) const;
  std::vector<std::uint32_t> widest_;
};

}  // namespace brixel
