#include "core/export/biff_workbook.h"

#include <string_view>

namespace brixel::biff {

namespace {

constexpr std::uint16_t kCellXfDefault = 15;
constexpr std::uint16_t kTextFormat = 0x31;  // built-in "@"

std::string Bof(std::uint16_t substream) {
  std::string d;
  PutU16(d, 0x0600);  // BIFF8
  PutU16(d, substream);
  PutU16(d, 0x0DBB);      // build
  PutU16(d, 0x07CC);      // year
  PutU32(d, 0x00000009);  // fWin, fWinAny
  PutU32(d, 0x00000006);  // lowest version that can read all records
  return d;
}

std::string U16(std::uint16_t v) {
  std::string d;
  PutU16(d, v);
  return d;
}

// A record whose data is one 16-bit value.
void PutValue(std::string& out, std::uint16_t id, std::uint16_t value) {
  PutRecord(out, id, U16(value));
}

// Short string: 8-bit count, encoding byte, characters (one byte each when they all fit).
void PutShortString(std::string& out, std::u16string_view text) {
  bool wide = false;
  for (char16_t c : text) wide |= c > 0xFF;
  PutU8(out, static_cast<std::uint8_t>(text.size()));
  PutU8(out, wide ? 1 : 0);
  for (char16_t c : text) {
    if (wide)
      PutU16(out, c);
    else
      PutU8(out, static_cast<std::uint8_t>(c));
  }
}

// String with a 16-bit count, 8-bit characters.
void PutLatinString(std::string& out, std::string_view text) {
  PutU16(out, static_cast<std::uint16_t>(text.size()));
  PutU8(out, 0);
  out.append(text);
}

std::string Font(std::uint16_t weight = 400) {
  std::string d;
  PutU16(d, 200);                    // 10 pt in twips
  PutU16(d, weight >= 700 ? 1 : 0);  // the bold flag older readers look at, beside the weight
  PutU16(d, 0x7FFF);                 // automatic colour
  PutU16(d, weight);                 // 400 normal, 700 bold
  PutU16(d, 0);                      // no super/subscript
  PutU8(d, 0);                       // no underline
  PutU8(d, 0);                       // family
  PutU8(d, 204);                     // Cyrillic character set
  PutU8(d, 0);
  PutShortString(d, u"Arial");
  return d;
}

std::string Xf(std::uint16_t font, std::uint16_t format, std::uint16_t type_protection, std::uint8_t used) {
  std::string d;
  PutU16(d, font);
  PutU16(d, format);
  PutU16(d, type_protection);
  PutU8(d, 0x20);  // general alignment, bottom
  PutU8(d, 0);     // rotation
  PutU8(d, 0);     // indent
  PutU8(d, used);
  PutU32(d, 0);  // borders
  PutU32(d, 0);
  PutU16(d, 0x20C0);  // system colours
  return d;
}

// Currency and accounting formats Excel keeps in every workbook.
struct BuiltInFormat {
  std::uint16_t index;
  std::string_view code;
};
constexpr BuiltInFormat kFormats[] = {
    {5, R"("$"#,##0_);\("$"#,##0\))"},
    {6, R"("$"#,##0_);[Red]\("$"#,##0\))"},
    {7, R"("$"#,##0.00_);\("$"#,##0.00\))"},
    {8, R"("$"#,##0.00_);[Red]\("$"#,##0.00\))"},
    {41, R"(_(* #,##0_);_(* \(#,##0\);_(* "-"_);_(@_))"},
    {42, R"(_("$"* #,##0_);_("$"* \(#,##0\);_("$"* "-"_);_(@_))"},
    {43, R"(_(* #,##0.00_);_(* \(#,##0.00\);_(* "-"??_);_(@_))"},
    {44, R"(_("$"* #,##0.00_);_("$"* \(#,##0.00\);_("$"* "-"??_);_(@_))"},
};

// A list with columns' own number formats.
constexpr std::uint16_t kThousandsFormat = 3;  // built-in "#,##0"
constexpr BuiltInFormat kTypedFormats[] = {{164, "yyyy-mm-dd hh:mm:ss"}, {165, "[m]:ss"}};
constexpr std::uint16_t kBoldFont = 5;  // the fifth FONT record: index 4 is never used

}  // namespace

std::string GlobalsHead(std::size_t& position_field, bool typed) {
  std::string out;
  PutRecord(out, record::kBof, Bof(0x0005));
  PutValue(out, record::kInterfaceHdr, 1200);
  PutValue(out, record::kMms, 0);
  PutRecord(out, record::kInterfaceEnd, {});
  {
    std::string d;
    PutLatinString(d, "Brixel");
    d.resize(112, ' ');
    PutRecord(out, record::kWriteAccess, d);
  }
  PutValue(out, record::kCodePage, 1200);  // UTF-16
  PutValue(out, record::kDsf, 0);
  PutValue(out, record::kRrTabId, 1);
  PutValue(out, record::kWindowProtect, 0);
  PutValue(out, record::kProtect, 0);
  PutValue(out, record::kPassword, 0);
  PutValue(out, record::kProt4Rev, 0);
  PutValue(out, record::kProt4RevPass, 0);
  {
    std::string d;
    PutU16(d, 0);       // x
    PutU16(d, 0);       // y
    PutU16(d, 0x4000);  // width
    PutU16(d, 0x2000);  // height
    PutU16(d, 0x0038);  // scroll bars and sheet tabs
    PutU16(d, 0);       // active sheet
    PutU16(d, 0);       // first visible tab
    PutU16(d, 1);       // selected sheets
    PutU16(d, 600);     // tab bar ratio
    PutRecord(out, record::kWindow1, d);
  }
  PutValue(out, record::kBackup, 0);
  PutValue(out, record::kHideObj, 0);
  PutValue(out, record::kDate1904, 0);
  PutValue(out, record::kCalcPrecision, 1);
  PutValue(out, record::kRefreshAll, 0);
  PutValue(out, record::kBookBool, 0);
  for (int i = 0; i < 4; ++i) PutRecord(out, record::kFont, Font());
  if (typed) PutRecord(out, record::kFont, Font(700));
  const auto put_format = [&out](const BuiltInFormat& f) {
    std::string d;
    PutU16(d, f.index);
    PutLatinString(d, f.code);
    PutRecord(out, record::kFormat, d);
  };
  for (const BuiltInFormat& f : kFormats) put_format(f);
  if (typed)
    for (const BuiltInFormat& f : kTypedFormats) put_format(f);
  // XF 0: the Normal style; 1..14: the other built-in style slots a cell XF index must pass;
  // 15: the default cell format; 16: text cells.
  PutRecord(out, record::kXf, Xf(0, 0, 0xFFF5, 0));
  for (std::uint16_t i = 1; i <= 14; ++i) {
    const std::uint16_t font = i <= 2 ? 1 : (i <= 4 ? 2 : 0);
    PutRecord(out, record::kXf, Xf(font, 0, 0xFFF5, 0xF4));
  }
  PutRecord(out, record::kXf, Xf(0, 0, 0x0001, 0));
  PutRecord(out, record::kXf, Xf(0, kTextFormat, 0x0001, 0x04));
  if (typed) {
    PutRecord(out, record::kXf, Xf(kBoldFont, kTextFormat, 0x0001, 0x0C));
    PutRecord(out, record::kXf, Xf(0, kThousandsFormat, 0x0001, 0x04));
    PutRecord(out, record::kXf, Xf(0, kTypedFormats[0].index, 0x0001, 0x04));
    PutRecord(out, record::kXf, Xf(0, kTypedFormats[1].index, 0x0001, 0x04));
  }
  {
    std::string d;
    PutU16(d, 0x8000);  // built-in style, XF 0
    PutU8(d, 0);        // Normal
    PutU8(d, 0xFF);
    PutRecord(out, record::kStyle, d);
  }
  PutValue(out, record::kUsesElfs, 0);
  {
    std::string d;
    PutU32(d, 0);  // the worksheet's BOF, filled in later
    PutU8(d, 0);   // visible
    PutU8(d, 0);   // worksheet
    PutShortString(d, u"Лист1");
    position_field = out.size() + 4;
    PutRecord(out, record::kBoundSheet, d);
  }
  {
    std::string d;
    PutU16(d, 7);  // Russia
    PutU16(d, 7);
    PutRecord(out, record::kCountry, d);
  }
  return out;
}

std::uint32_t RowBlockCount(const UsedRange& used) {
  if (used.empty) return 0;
  return used.last_row / kRowsPerBlock - used.first_row / kRowsPerBlock + 1;
}

std::string SheetHead(const ColumnWidths& widths, const UsedRange& used, std::uint32_t head_position,
                      std::size_t& dbcell_positions_field) {
  std::string out;
  PutRecord(out, record::kBof, Bof(0x0010));
  const std::uint32_t blocks = RowBlockCount(used);
  std::size_t def_col_width_field = 0;
  {
    std::string d;
    PutU32(d, 0);
    PutU32(d, used.empty ? 0 : used.first_row);
    PutU32(d, used.empty ? 0 : used.last_row + 1);
    def_col_width_field = out.size() + 4 + d.size();
    PutU32(d, 0);  // DEFCOLWIDTH's position, filled in below
    dbcell_positions_field = out.size() + 4 + d.size();
    d.append(4 * std::size_t{blocks}, '\0');
    PutRecord(out, record::kIndex, d);
  }
  PutValue(out, record::kCalcMode, 1);
  PutValue(out, record::kCalcCount, 100);
  PutValue(out, record::kCalcRefMode, 1);
  PutValue(out, record::kCalcIter, 0);
  {
    std::string d;
    PutF64(d, 0.001);
    PutRecord(out, record::kCalcDelta, d);
  }
  PutValue(out, record::kSaveRecalc, 1);
  PutValue(out, record::kPrintHeaders, 0);
  PutValue(out, record::kPrintGridlines, 0);
  PutValue(out, record::kGridSet, 1);
  PutRecord(out, record::kGuts, std::string(8, '\0'));
  {
    std::string d;
    PutU16(d, 0);
    PutU16(d, 255);  // twips
    PutRecord(out, record::kDefaultRowHeight, d);
  }
  PutValue(out, record::kWsBool, 0x04C1);
  PutRecord(out, record::kHeader, {});
  PutRecord(out, record::kFooter, {});
  PutValue(out, record::kHCenter, 0);
  PutValue(out, record::kVCenter, 0);
  {
    std::string d;
    PutU16(d, 0);       // paper size
    PutU16(d, 100);     // scale
    PutU16(d, 1);       // first page number
    PutU16(d, 1);       // fit width
    PutU16(d, 1);       // fit height
    PutU16(d, 0x0004);  // no printer settings: the fields above are ignored
    PutU16(d, 0);       // resolution
    PutU16(d, 0);
    PutF64(d, 0.5);  // header margin, inches
    PutF64(d, 0.5);  // footer margin
    PutU16(d, 1);    // copies
    PutRecord(out, record::kSetup, d);
  }
  {
    const std::string position = U32Bytes(head_position + static_cast<std::uint32_t>(out.size()));
    out.replace(def_col_width_field, position.size(), position);
  }
  PutValue(out, record::kDefColWidth, 8);
  for (std::uint32_t c = 0; c < widths.Count(); ++c) {
    std::string d;
    PutU16(d, static_cast<std::uint16_t>(c));
    PutU16(d, static_cast<std::uint16_t>(c));
    PutU16(d, widths.XlsWidth(c));
    PutU16(d, kCellXfDefault);
    PutU16(d, 0x0006);  // set by the user, best fit
    PutU16(d, 0);
    PutRecord(out, record::kColInfo, d);
  }
  {
    std::string d;
    PutU32(d, used.empty ? 0 : used.first_row);
    PutU32(d, used.empty ? 0 : used.last_row + 1);
    PutU16(d, 0);
    PutU16(d, static_cast<std::uint16_t>(used.empty ? 0 : used.last_column + 1));
    PutU16(d, 0);
    PutRecord(out, record::kDimensions, d);
  }
  return out;
}

void PutRow(std::string& out, std::uint32_t row, std::uint32_t first_column, std::uint32_t end_column) {
  PutRecordHeader(out, record::kRow, kRowRecordSize - 4);
  PutU16(out, static_cast<std::uint16_t>(row));
  PutU16(out, static_cast<std::uint16_t>(first_column));
  PutU16(out, static_cast<std::uint16_t>(end_column));
  PutU16(out, 255);  // height in twips, the default: the row is not resized
  PutU16(out, 0);
  PutU16(out, 0);
  PutU32(out, 0x000F0100);  // format XF 15 (the default cell format), no outline, not hidden
}

void PutDbCell(std::string& out, std::uint32_t to_first_row, const std::vector<std::uint16_t>& cell_offsets) {
  PutRecordHeader(out, record::kDbCell, 4 + 2 * cell_offsets.size());
  PutU32(out, to_first_row);
  for (const std::uint16_t offset : cell_offsets) PutU16(out, offset);
}

std::string SheetTail(CellPosition active, CellPosition top_left) {
  std::string out;
  {
    std::string d;
    PutU16(d, 0x06B6);  // gridlines, headings, zeros, default colour, outline, selected, shown
    PutU16(d, static_cast<std::uint16_t>(top_left.row));
    PutU16(d, static_cast<std::uint16_t>(top_left.column));
    PutU16(d, 0x40);  // gridline colour
    PutU16(d, 0);
    PutU16(d, 0);  // zoom levels: default
    PutU16(d, 0);
    PutU32(d, 0);
    PutRecord(out, record::kWindow2, d);
  }
  {
    std::string d;
    PutU8(d, 3);  // the only pane
    PutU16(d, static_cast<std::uint16_t>(active.row));
    PutU16(d, static_cast<std::uint16_t>(active.column));
    PutU16(d, 0);  // the active cell is in the first range
    PutU16(d, 1);  // one range: the cell itself
    PutU16(d, static_cast<std::uint16_t>(active.row));
    PutU16(d, static_cast<std::uint16_t>(active.row));
    PutU8(d, static_cast<std::uint8_t>(active.column));
    PutU8(d, static_cast<std::uint8_t>(active.column));
    PutRecord(out, record::kSelection, d);
  }
  out += EofRecord();
  return out;
}

std::string EofRecord() {
  std::string out;
  PutRecordHeader(out, record::kEof, 0);
  return out;
}

}  // namespace brixel::biff
