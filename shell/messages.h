#pragma once
// The windows' messages, each shown in a box titled "Внимание ! ! !": with one OK button the
// save's failures and a folder named from outside that is not there; with two buttons the
// questions a save asks before it writes what the user may not want.
#include <QString>
#include <cstdint>
#include <string>

#include "core/export/cp1251_losses.h"
#include "core/export/text_list_guard.h"

class QWidget;

namespace brixel {

class DialogFacade;

inline constexpr char kEmptyListMessage[] = "Список пуст.";

// A message in the box every message of the windows has.
void ShowWarning(QWidget& window, DialogFacade& dialogs, const QString& text);

// The one message for every failure once the save has begun, whatever its cause: "Произошла
// непредвиденная ошибка".
void ShowSaveFailure(QWidget& window, DialogFacade& dialogs);

// A text list was not appended to `path`, which holds something else.
void ShowNotATextList(QWidget& window, DialogFacade& dialogs, const std::string& path,
                      ForeignContent content);

// A text list could not be written as a copy that takes the file's place (no room for it, or the
// copy failed): whether to write it into the file itself, where a crash could leave part of it.
bool AskInPlace(QWidget& window, DialogFacade& dialogs, const std::string& path, bool no_room,
                std::uint64_t room_needed, std::uint64_t room_free);

// Names a Windows-1251 text list cannot hold whole: whether to save them with "?" all the same.
bool AskCp1251Losses(QWidget& window, DialogFacade& dialogs, const Cp1251Losses& losses);

// A mask file longer than is read: the lines left out of the mask list.
void ShowMaskFileCut(QWidget& window, DialogFacade& dialogs, std::size_t lines_read);

}  // namespace brixel
