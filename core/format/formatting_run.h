#pragma once
// The formatting run: the after-formatting names rebuilt from the names as found, so the result
// depends only on which switches are on, never on what was shown before.
#include <optional>

#include "core/format/format_options.h"
#include "core/format/name_formatter.h"
#include "core/listing/name_column.h"
#include "core/listing/name_table.h"
#include "core/work/work_control.h"

namespace brixel {

struct FormatResult {
  // False when numbering was on but the start text is no number: no numbers were written, the
  // names were otherwise formatted.
  bool start_number_valid = true;
};

// Rebuilds the table's after-formatting column from its as-found column. The blank row of an
// empty listing is formatted like any row, so with numbering on it gets its number.
FormatResult FormattingRun(NameTable& table, const FormatOptions& options);
FormatResult FormattingRun(NameTable& table, const FormatOptions& options, const FormatLocale& locale);

// The same run into a column of the caller's (formatted is replaced), so a window can format on
// another thread while its table stays on screen. The control is looked at and told every
// WorkControl::kRowsPerCheck rows; nothing when it stopped the run, and formatted then holds a
// part.
std::optional<FormatResult> FormatColumn(const NameColumn& as_found, const FormatOptions& options,
                                         const FormatLocale& locale, NameColumn& formatted,
                                         const WorkControl& control);

// The lite list's run: the passes in place on a freshly scanned column, with no restore. An empty
// list (no rows, or its single blank row) stays as it is, without a number.
FormatResult LiteFormattingRun(NameColumn& names, const FormatOptions& options);
FormatResult LiteFormattingRun(NameColumn& names, const FormatOptions& options, const FormatLocale& locale);
// Under a caller's control, as FormatColumn: nothing when stopped, and names are then as they were.
std::optional<FormatResult> LiteFormattingRun(NameColumn& names, const FormatOptions& options,
                                              const FormatLocale& locale, const WorkControl& control);

}  // namespace brixel
