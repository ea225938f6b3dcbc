#pragma once
// The save button's action: an empty list gets "Список пуст."; numbering switched on with a start
// text that is no number gets a message saying so, since the table then shows the names without
// their numbers; otherwise the save dialog asks for the file and its type, and the
// after-formatting names go to that type's writer under the name exactly as typed. Any failure
// after the dialog shows one message; the list itself is never touched.
#include <functional>
#include <string>

#include "core/export/list_writer.h"

class QWidget;

namespace brixel {

class DialogFacade;
class NameTable;
struct FormatOptions;

// The full edition's lists: names from A2 of a workbook, the page naming "Бриксел В.2.0.1".
ListLayout FullListLayout();

// Writes the table's after-formatting names in a format to a path: the window hands it to a job
// of its own, which shows ShowSaveFailure if the writer fails.
using SaveWriter = std::function<void(ListFormat format, const std::string& path)>;

// filter_index: the file type chosen last (1-based); shown first and updated by the choice.
// options: the switches and boxes as they are now.
void RunSaveAction(QWidget& window, const NameTable& table, const FormatOptions& options,
                   DialogFacade& dialogs, int& filter_index, const SaveWriter& write);

// The one message for every failure after the dialog.
void ShowSaveFailure(QWidget& window, DialogFacade& dialogs);

}  // namespace brixel
