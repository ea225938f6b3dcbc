#include "full/save_action.h"

#include <string_view>

#include "core/export/write_list.h"
#include "core/format/format_options.h"
#include "core/format/start_number.h"
#include "core/listing/name_table.h"
#include "core/version.h"
#include "shell/dialog_facade.h"
#include "shell/save_messages.h"

namespace brixel {

namespace {

QString FromUtf8(std::string_view text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

// The save dialog's file types, in the order FormatForFilterIndex counts them.
QStringList FileTypes() {
  return {QStringLiteral("Текстовый документ (*.txt)"), QStringLiteral(" В формате Excel (*.xls)"),
          QStringLiteral(" В HTML формате (*.html)")};
}

}  // namespace

ListLayout FullListLayout() {
  return {1, "Бриксел В." + kFullVersion.Text()};
}

void RunSaveAction(QWidget& window, const NameTable& table, const FormatOptions& options,
                   DialogFacade& dialogs, int& filter_index, const SaveWriter& write) {
  const QString title = FromUtf8(kMessageTitle);
  if (IsListEmpty(table)) {
    dialogs.ShowMessage(&window, title, FromUtf8(kEmptyListMessage));
    return;
  }
  // The formatting run leaves such names unnumbered while the switch says numbering is on: a
  // list saved so would not be the list asked for. Refused before the dialog, so nothing is
  // written and the user can correct the box at once.
  if (options.numbering && !ParseStartNumber(options.start_text)) {
    dialogs.ShowMessage(&window, title,
                        QStringLiteral("Начальный номер «%1» — не число. Список не сохранён.")
                            .arg(FromUtf8(options.start_text)));
    return;
  }
  const std::optional<SaveFileChoice> choice = dialogs.AskSaveFile(&window, FileTypes(), filter_index);
  if (!choice || choice->path.isEmpty()) return;
  if (choice->filter_index >= 1) filter_index = choice->filter_index;
  const std::optional<ListFormat> format = FormatForFilterIndex(choice->filter_index);
  if (!format) return;
  write(*format, choice->path.toStdString());
}

void ShowSaveFailure(QWidget& window, DialogFacade& dialogs) {
  dialogs.ShowMessage(&window, FromUtf8(kMessageTitle), FromUtf8(kFailureMessage));
}

}  // namespace brixel
