#include "full/save_action.h"

#include <QString>
#include <QStringList>
#include <string_view>

#include "core/export/write_list.h"
#include "core/format/format_options.h"
#include "core/format/start_number.h"
#include "core/listing/name_table.h"
#include "shell/dialog_facade.h"
#include "shell/messages.h"

namespace brixel {

namespace {

QString FromUtf8(std::string_view text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

}  // namespace

QStringList SaveFileTypes() {
  return {QStringLiteral("Текстовый документ (*.txt)"), QStringLiteral(" В формате Excel (*.xls)"),
          QStringLiteral(" В HTML формате (*.html)"), QStringLiteral(" В формате CSV (*.csv)"),
          QStringLiteral(" В формате JSON (*.json)")};
}

std::optional<ListFormat> FormatForFilterIndex(int filter_index) {
  switch (filter_index) {
    case 1:
      return ListFormat::Text;
    case 2:
      return ListFormat::Spreadsheet;
    case 3:
      return ListFormat::Html;
    case 4:
      return ListFormat::Csv;
    case 5:
      return ListFormat::Json;
    default:
      return std::nullopt;
  }
}

std::optional<SaveChoice> AskWhereToSave(QWidget& window, const NameTable& table,
                                         const FormatOptions& options, DialogFacade& dialogs,
                                         int& filter_index) {
  if (IsListEmpty(table)) {
    ShowWarning(window, dialogs, FromUtf8(kEmptyListMessage));
    return std::nullopt;
  }
  // The formatting run leaves such names unnumbered while the switch says numbering is on: a
  // list saved so would not be the list asked for. Refused before the dialog, so nothing is
  // written and the user can correct the box at once.
  if (options.numbering && !ParseStartNumber(options.start_text)) {
    ShowWarning(window, dialogs,
                QStringLiteral("Начальный номер «%1» — не число. Список не сохранён.")
                    .arg(FromUtf8(options.start_text)));
    return std::nullopt;
  }
  const SaveFileChoice choice = dialogs.AskSaveFile(&window, SaveFileTypes(), filter_index);
  // The type last shown is kept for the next save, whether this one goes ahead or not.
  if (FormatForFilterIndex(choice.filter_index)) filter_index = choice.filter_index;
  if (choice.path.isEmpty()) return std::nullopt;
  const std::optional<ListFormat> format = FormatForFilterIndex(choice.filter_index);
  if (!format) return std::nullopt;
  return SaveChoice{*format, choice.path.toStdString()};
}

}  // namespace brixel
