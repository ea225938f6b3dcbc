#pragma once
// The save action's decisions, without its dialogs: whether there is anything to save, which
// writer the chosen file type means, and the one failure path (SaveError; the windows show
// kFailureMessage, the command line the error's own text).
#include <optional>
#include <string>

#include "core/export/list_writer.h"
#include "core/listing/name_column.h"
#include "core/listing/name_table.h"

namespace brixel {

inline constexpr const char* kFileTypeFilter =
    "Текстовый документ (*.txt)|*.txt| В формате Excel (*.xls)|*.xls| В HTML формате (*.html)|*.html|";
inline constexpr const char* kEmptyListMessage = "Список пуст.";
inline constexpr const char* kFailureMessage = "Произошла непредвиденная ошибка";
inline constexpr const char* kMessageTitle = "Внимание ! ! !";

// True when row 1's after-formatting name, without leading and trailing spaces, is empty. Only
// row 1 counts.
bool IsListEmpty(const NameTable& table);
bool IsListEmpty(const NameColumn& formatted);

// The save dialog's 1-based file type: 1 text, 2 spreadsheet, 3 HTML; anything else saves nothing.
std::optional<ListFormat> FormatForFilterIndex(int filter_index);

// Writes every name in order. Throws SaveError.
void WriteList(ListFormat format, const std::string& path, const NameColumn& names, Edition edition);
void WriteList(ListFormat format, const std::string& path, const NameColumn& names, Edition edition,
               const ListWriterOptions& options);

}  // namespace brixel
