#pragma once
// The formatting run: the after-formatting names rebuilt from the names as found, so the result
// depends only on which switches are on, never on what was shown before.
#include "core/format/format_options.h"
#include "core/format/name_formatter.h"
#include "core/listing/name_column.h"
#include "core/listing/name_table.h"

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

// The lite list's run: the passes in place on a freshly scanned column, with no restore. An empty
// list (no rows, or its single blank row) stays as it is, without a number.
FormatResult LiteFormattingRun(NameColumn& names, const FormatOptions& options);
FormatResult LiteFormattingRun(NameColumn& names, const FormatOptions& options, const FormatLocale& locale);

}  // namespace brixel
