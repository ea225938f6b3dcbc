#pragma once
// The save button's action: an empty list gets "Список пуст."; otherwise the save dialog asks for
// the file and its type, and the after-formatting names go to that type's writer under the name
// exactly as typed. Any failure after the dialog shows one message; the list itself is never
// touched.
class QWidget;

namespace brixel {

class DialogFacade;
class NameTable;

// filter_index: the file type chosen last (1-based); shown first and updated by the choice.
void RunSaveAction(QWidget& window, const NameTable& table, DialogFacade& dialogs, int& filter_index);

}  // namespace brixel
