#pragma once
// The save button's questions: an empty list gets "Список пуст."; numbering switched on with a
// start text that is no number gets a message saying so, since the table then shows the names
// without their numbers; otherwise the save dialog asks for the file and its type. The
// after-formatting names then go to that type's writer under the name exactly as typed, which
// the window does in a job of its own.
#include <QStringList>
#include <optional>
#include <string>

#include "core/export/list_writer.h"

class QWidget;

namespace brixel {

class DialogFacade;
class NameTable;
struct FormatOptions;

// The save dialog's file types, in the order of its 1-based filter index: text, spreadsheet, HTML.
QStringList SaveFileTypes();
// The writer a file type stands for; nothing for any other index, which saves nothing.
std::optional<ListFormat> FormatForFilterIndex(int filter_index);

struct SaveChoice {
  ListFormat format;
  std::string path;  // exactly as typed
};

// Asks what to save where. filter_index: the file type chosen last (1-based), shown first and
// updated by the choice. options: the switches and boxes as they are now. Nothing when nothing is
// to be saved: a message said why, or the dialog was cancelled.
std::optional<SaveChoice> AskWhereToSave(QWidget& window, const NameTable& table,
                                         const FormatOptions& options, DialogFacade& dialogs,
                                         int& filter_index);

}  // namespace brixel
