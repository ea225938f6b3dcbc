#include "core/format/formatting_run.h"

#include <string>

namespace brixel {

namespace {

// Room for what the passes add: the number, its padding and the space.
std::size_t ShapedBytes(const NameColumn& names, const FormatOptions& options) {
  return names.ByteSize() + (options.numbering ? names.Size() * 8 : 0);
}

// False when the control stopped it.
bool ShapeInto(const NameColumn& from, NameColumn& to, NameFormatter& formatter, const WorkControl& control) {
  std::string name;
  for (std::size_t row = 0; row < from.Size(); ++row) {
    if (!control.GoOn(row, from.Size())) return false;
    name.assign(from[row]);
    formatter.Shape(name, row);
    to.Append(name);
  }
  return true;
}

}  // namespace

FormatResult FormattingRun(NameTable& table, const FormatOptions& options) {
  return FormattingRun(table, options, FormatLocale::ForUser());
}

FormatResult FormattingRun(NameTable& table, const FormatOptions& options, const FormatLocale& locale) {
  return *FormatColumn(table.AsFound(), options, locale, table.Formatted(), WorkControl{});
}

std::optional<FormatResult> FormatColumn(const NameColumn& as_found, const FormatOptions& options,
                                         const FormatLocale& locale, NameColumn& formatted,
                                         const WorkControl& control) {
  NameFormatter formatter(options, locale);
  if (formatter.LeavesNamesAsFound()) {
    formatted = as_found;  // the restore alone: one copy, quicker than any stop would be
  } else {
    formatted.Clear();
    formatted.Reserve(as_found.Size(), ShapedBytes(as_found, options));
    if (!ShapeInto(as_found, formatted, formatter, control)) return std::nullopt;
  }
  return FormatResult{formatter.StartNumberValid()};
}

FormatResult LiteFormattingRun(NameColumn& names, const FormatOptions& options) {
  return LiteFormattingRun(names, options, FormatLocale::ForUser());
}

FormatResult LiteFormattingRun(NameColumn& names, const FormatOptions& options, const FormatLocale& locale) {
  return *LiteFormattingRun(names, options, locale, WorkControl{});
}

std::optional<FormatResult> LiteFormattingRun(NameColumn& names, const FormatOptions& options,
                                              const FormatLocale& locale, const WorkControl& control) {
  NameFormatter formatter(options, locale);
  const bool empty_list = names.Empty() || (names.Size() == 1 && names[0].empty());
  if (empty_list || formatter.LeavesNamesAsFound()) return FormatResult{formatter.StartNumberValid()};

  NameColumn shaped;
  shaped.Reserve(names.Size(), ShapedBytes(names, options));
  if (!ShapeInto(names, shaped, formatter, control)) return std::nullopt;
  names.Swap(shaped);
  return FormatResult{formatter.StartNumberValid()};
}

}  // namespace brixel
