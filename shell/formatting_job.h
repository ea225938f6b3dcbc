#pragma once
// The formatting run as both windows run it in a job ("Форматирование"), in the restart group
// kFormattingGroup: newer options stop a run under way and run in its place. The run writes a
// column of its own, handed to the window only when it has finished.
#include <QString>
#include <functional>

#include "core/format/format_options.h"
#include "core/format/formatting_run.h"
#include "core/listing/folder_scan.h"
#include "core/listing/name_column.h"
#include "core/listing/name_table.h"
#include "shell/window_jobs.h"

namespace brixel {

inline const QString kFormattingTitle = QStringLiteral("Форматирование");

// The full edition's run over the window's own as-found column, which the job only reads: a
// cancel waits for it (it stops within WorkControl::kRowsPerCheck names).
WindowJob FormattingJob(const NameColumn& as_found, const FormatOptions& options,
                        std::function<void(NameColumn&& formatted, const FormatResult& result)> finished);

// The lite edition's run: the request's folder listed afresh and shaped by the lite passes, in a
// table of the job's own (its after-formatting column), so a cancel frees the window at once.
WindowJob RescanFormattingJob(const ScanRequest& request, const FormatOptions& options,
                              std::function<void(NameTable&& table, const FormatResult& result)> finished);

}  // namespace brixel
