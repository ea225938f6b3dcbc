#pragma once
// The export's decisions, without dialogs or messages: whether there is anything to save, which
// writer the chosen file type means, and writing a whole column through it. Every failure is a
// SaveError; the windows show their one message for it, the command line the error's own text.
#include <optional>
#include <string>

#include "core/export/list_writer.h"
#include "core/listing/name_column.h"
#include "core/listing/name_table.h"
#include "core/listing/pass_control.h"

namespace brixel {

// True when row 1's after-formatting name, without leading and trailing spaces, is empty. Only
// row 1 counts.
bool IsListEmpty(const NameTable& table);
bool IsListEmpty(const NameColumn& formatted);

// The save dialog's 1-based file type: 1 text, 2 spreadsheet, 3 HTML; anything else saves nothing.
std::optional<ListFormat> FormatForFilterIndex(int filter_index);

// Writes every name in order. Throws SaveError.
void WriteList(ListFormat format, const std::string& path, const NameColumn& names, const ListLayout& layout,
               const ListWriterOptions& options = {});
// Under a caller's control: false when stopped, between two names or in the writer's own work up
// to the moment the new file takes the old one's place (the control's stop reaches the writer
// unless the options bring a stop of their own); the file is then left as it was.
bool WriteList(ListFormat format, const std::string& path, const NameColumn& names, const ListLayout& layout,
               const ListWriterOptions& options, const PassControl& control);

}  // namespace brixel
