#include "core/format/formatting_run.h"

#include <string>

namespace brixel {

namespace {

// Room for what the passes add: the number, its padding and the space.
std::size_t ShapedBytes(const NameColumn& names, const FormatOptions& options) {
  return names.ByteSize() + (options.numbering ? names.Size() * 8 : 0);
}

void ShapeInto(const NameColumn& from, NameColumn& to, NameFormatter& formatter) {
  std::string name;
  for (std::size_t row = 0; row < from.Size(); ++row) {
    name.assign(from[row]);
    formatter.Shape(name, row);
    to.Append(name);
  }
}

}  // namespace

FormatResult FormattingRun(NameTable& table, const FormatOptions& options) {
  return FormattingRun(table, options, FormatLocale::ForUser());
}

FormatResult FormattingRun(NameTable& table, const FormatOptions& options, const FormatLocale& locale) {
  NameFormatter formatter(options, locale);
  NameColumn& formatted = table.Formatted();
  if (formatter.LeavesNamesAsFound()) {
    formatted = table.AsFound();  // the restore alone
  } else {
    formatted.Clear();
    formatted.Reserve(table.RowCount(), ShapedBytes(table.AsFound(), options));
    ShapeInto(table.AsFound(), formatted, formatter);
  }
  return {formatter.StartNumberValid()};
}

FormatResult LiteFormattingRun(NameColumn& names, const FormatOptions& options) {
  return LiteFormattingRun(names, options, FormatLocale::ForUser());
}

FormatResult LiteFormattingRun(NameColumn& names, const FormatOptions& options, const FormatLocale& locale) {
  NameFormatter formatter(options, locale);
  const bool empty_list = names.Empty() || (names.Size() == 1 && names[0].empty());
  if (empty_list || formatter.LeavesNamesAsFound()) return {formatter.StartNumberValid()};

  NameColumn shaped;
  shaped.Reserve(names.Size(), ShapedBytes(names, options));
  ShapeInto(names, shaped, formatter);
  names.Swap(shaped);
  return {formatter.StartNumberValid()};
}

}  // namespace brixel
