#pragma once
// The windows' messages, each shown in a box titled "Внимание ! ! !" with one OK button: the
// save's, and a folder named from outside that is not there.
#include <QString>

class QWidget;

namespace brixel {

class DialogFacade;

inline constexpr char kEmptyListMessage[] = "Список пуст.";

// A message in the box every message of the windows has.
void ShowWarning(QWidget& window, DialogFacade& dialogs, const QString& text);

// The one message for every failure once the save has begun, whatever its cause: "Произошла
// непредвиденная ошибка".
void ShowSaveFailure(QWidget& window, DialogFacade& dialogs);

}  // namespace brixel
